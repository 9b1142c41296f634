#include "plataforma/gui/kernel/application.h"

#include "plataforma/base/files.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/gui/input/focus_state.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/message_queue.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

TApplication instancia(nullptr);

// A headless run ("offscreen") gets a screen large enough for a maximized frame and the
// largest forms, with window-system events delivered at once.
void PrepareOffscreenScreen() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::string(platform) != "offscreen") return;
    std::string path = "/tmp/quenbar-offscreen-" + std::to_string(getpid()) + ".json";
    std::ofstream f(path);
    f << R"({"synchronousWindowSystemEvents": true, "windowFrameMargins": false, "screens": [)"
         R"({"name": "Quenbar", "x": 0, "y": 0, "width": 1920, "height": 1200, )"
         R"("logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    f.close();
    if (!f) return;
    std::string value = "offscreen:configfile=" + path;
    setenv("QT_QPA_PLATFORM", value.c_str(), 1);
}

void RemoveOffscreenConfig() {
    std::string path = "/tmp/quenbar-offscreen-" + std::to_string(getpid()) + ".json";
    std::remove(path.c_str());
}

} // namespace

TApplication* Application = &instancia;

QApplication* EnsureQtApplication() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        static bool conectado = false;
        if (!conectado) {
            conectado = true;
            QObject::connect(app, &QApplication::focusChanged,
                             [](QWidget*, QWidget* now) { QtFocusChanged(now); });
        }
        return app;
    }
    static int argc = 1;
    static char nombre[] = "quenbar";
    static char* argv[] = {nombre, nullptr};
    PrepareOffscreenScreen();
    new QApplication(argc, argv);
    RemoveOffscreenConfig();
    // Number formatting never follows the environment's locale.
    std::setlocale(LC_NUMERIC, "C");
    return EnsureQtApplication();
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

void TApplication::Initialize() {
    EnsureQtApplication();
}

void TApplication::FormCreated(TCustomForm* Form) {
    if (!mainForm_) {
        mainForm_ = Form;
        Form->FreeNotification(this);
    }
    Form->EnsureCreated();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == mainForm_) mainForm_ = nullptr;
}

HWND TApplication::GetHandle() const {
    return mainForm_ && mainForm_->HandleAllocated() ? mainForm_->GetHandle() : nullptr;
}

void TApplication::Run() {
    EnsureQtApplication();
    terminated_ = false;
    if (mainForm_ && showMainForm_) {
        try {
            mainForm_->Show();
        } catch (...) {
            HandleException(this);
        }
    }
    while (!terminated_ && mainForm_)
        HandleMessage();
    // The forms go while the window system is still there.
    DestroyComponents();
    terminated_ = false;
}

void TApplication::Terminate() {
    terminated_ = true;
    if (QCoreApplication::instance())
        if (auto* d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

void TApplication::HandleMessage() {
    EnsureQtApplication();
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    ProcessMessages();
}

void TApplication::ProcessMessages() {
    EnsureQtApplication();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    DrainPostedMessages();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

AnsiString TApplication::GetExeName() const {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? AnsiString() : FromNativePath(p.string());
}

AnsiString TApplication::GetTitle() const {
    if (!title_.IsEmpty()) return title_;
    AnsiString name = ExtractFileName(GetExeName());
    int dot = name.LastDelimiter(".");
    return dot > 1 ? name.SubString(1, dot - 1) : name;
}

int TApplication::MessageBox(const AnsiString& Text, const AnsiString& Caption, int Flags) {
    return GetModalHooks().MessageBox(Text, Caption, static_cast<unsigned>(Flags));
}

void TApplication::HandleException(TObject* Sender) {
    std::exception_ptr current = std::current_exception();
    if (!current) return;
    try {
        try {
            std::rethrow_exception(current);
        } catch (Exception& e) {
            if (OnException)
                OnException(Sender, &e);
            else
                ShowException(&e);
        } catch (std::exception& e) {
            Exception wrapped(e.what());
            if (OnException)
                OnException(Sender, &wrapped);
            else
                ShowException(&wrapped);
        } catch (...) {
            Exception wrapped("Unknown exception");
            if (OnException)
                OnException(Sender, &wrapped);
            else
                ShowException(&wrapped);
        }
    } catch (...) {
        // The handler itself failed: nothing is left to tell.
    }
}

void TApplication::ShowException(Exception* E) {
    AnsiString msg = E ? E->Message : AnsiString();
    if (!msg.IsEmpty() && static_cast<unsigned char>(msg[msg.Length()]) > '.') msg += '.';
    GetModalHooks().MessageBox(msg, GetTitle(), MB_OK | MB_ICONSTOP);
}
