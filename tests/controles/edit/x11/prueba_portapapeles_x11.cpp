// The wide edit's clipboard as other programs of the X session see it: xclip reads what the
// edit copies and offers what the edit pastes. Runs under a virtual X server (xvfb-run) on
// the xcb platform, where the clipboard leaves the process.

#include "controles/edit/uni_edit.h"

#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace {

// Text of every script the edit keeps, a character above U+FFFF included.
const char16_t* const kTexto = u"Año € Ω Привет 漢字 😀";

// Runs xclip with the arguments, feeding it the input, while this process keeps answering
// the X server (an owner of the clipboard must serve the request xclip makes).
std::string Xclip(const QStringList& argumentos, const QByteArray& entrada = {}) {
    QProcess xclip;
    xclip.start("xclip", argumentos);
    EXPECT_TRUE(xclip.waitForStarted(10000)) << "xclip no arranca";
    if (!entrada.isEmpty()) {
        xclip.write(entrada);
        xclip.closeWriteChannel();
    }
    for (int i = 0; i < 2000 && xclip.state() != QProcess::NotRunning; ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        xclip.waitForFinished(0);
    }
    EXPECT_EQ(xclip.state(), QProcess::NotRunning) << "xclip no termina";
    EXPECT_EQ(xclip.exitCode(), 0) << xclip.readAllStandardError().toStdString();
    return xclip.readAllStandardOutput().toStdString();
}

class PruebaPortapapelesX11 : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        ASSERT_EQ(QGuiApplication::platformName(), "xcb");
        ventana = std::make_unique<TForm>(nullptr);
        ventana->SetBounds(0, 0, 300, 120);
        edit = new TKsgUniEdit(ventana.get());
        edit->SetParent(ventana.get());
        edit->SetBounds(10, 10, 260, 21);
        ventana->Show();
    }
    std::unique_ptr<TForm> ventana;
    TKsgUniEdit* edit = nullptr;
};

TEST_F(PruebaPortapapelesX11, OtroProgramaLeeElTextoAnchoCopiado) {
    edit->SetText(WideString(kTexto));
    edit->SelectAll();
    edit->CopyToClipboard();
    EXPECT_EQ(Xclip({"-o", "-selection", "clipboard", "-target", "UTF8_STRING"}),
              WideString(kTexto).ToUtf8());
}

TEST_F(PruebaPortapapelesX11, ElEditPegaElTextoQueOfreceOtroPrograma) {
    // xclip -i stays in the background serving the selection until another owner takes it;
    // the edit's own copy below takes it back, and xclip ends.
    const std::string utf8 = WideString(kTexto).ToUtf8();
    QProcess::execute("sh", {"-c", "printf '%s' \"$0\" | xclip -i -selection clipboard",
                             QString::fromStdString(utf8)});
    edit->SetText(WideString());
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->GetText().ToUtf8(), utf8);
    edit->SelectAll();
    edit->CopyToClipboard();
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
