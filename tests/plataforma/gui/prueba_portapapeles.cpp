// The clipboard: Windows-1252 text byte for byte between the program's windows and as plain
// text for other programs, registered formats as MIME types, the Win32 open/empty/set/close
// sequence, and global memory blocks.

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/services/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class Portapapeles : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        Clipboard()->Clear();
    }
    static QClipboard* Sistema() { return QGuiApplication::clipboard(); }
    // Sets a format's bytes through the Win32 calls, as the grid does.
    static void Poner(UINT formato, const std::string& bytes) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size());
        std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
        GlobalUnlock(h);
        ASSERT_EQ(SetClipboardData(formato, h), h);
    }
    static std::string Leer(UINT formato) {
        HANDLE h = GetClipboardData(formato);
        if (!h) return "<nada>";
        return std::string(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
    }
};

TEST_F(Portapapeles, ElTextoViajaExactoYLosDemasProgramasLoVenComoTexto) {
    const AnsiString texto = "Año 2€\r\n\"celda\"\tcon\nsalto";
    Clipboard()->SetAsText(texto);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->GetAsText(), texto);
    // Other programs: Unicode text with LF line ends.
    EXPECT_EQ(Sistema()->text(),
              QString::fromUtf8("A\xC3\xB1o 2\xE2\x82\xAC\n\"celda\"\tcon\nsalto"));

    // Text that another program copied: CR LF line ends, '?' for what Windows-1252 lacks.
    Sistema()->setText(QString::fromUtf8("l\xC3\xADnea 1\nl\xC3\xADnea 2 \xE2\x88\x9A"));
    EXPECT_EQ(Clipboard()->GetAsText(), "línea 1\r\nlínea 2 ?");
    char buf[6];
    EXPECT_EQ(Clipboard()->GetTextBuf(buf, sizeof buf), 5);
    EXPECT_STREQ(buf, "línea");
}

TEST_F(Portapapeles, ElTextoUnicodeViajaExactoYLosDemasLoVenConLf) {
    auto Utf16 = [](const std::u16string& t) {
        return std::string(reinterpret_cast<const char*>(t.data()), t.size() * 2);
    };
    const std::u16string texto = u"\u03A9 lf\nx\tcrlf\r\ny\rcr\r\n";
    // Set alone, with the 8-bit text before it, and with the 8-bit text after it.
    for (int orden : {0, 1, 2}) {
        SCOPED_TRACE(orden);
        ASSERT_TRUE(OpenClipboard(nullptr));
        ASSERT_TRUE(EmptyClipboard());
        if (orden == 1) Poner(CF_TEXT, std::string("? lf\nx\tcrlf\r\ny\rcr\r\n", 20));
        Poner(CF_UNICODETEXT, Utf16(texto + u'\0'));
        if (orden == 2) Poner(CF_TEXT, std::string("8 bits\0", 7));
        ASSERT_TRUE(CloseClipboard());
        EXPECT_EQ(Clipboard()->GetBuffer(CF_UNICODETEXT), Utf16(texto));
        EXPECT_EQ(Clipboard()->GetAsText(), orden == 2 ? "8 bits" : "? lf\nx\tcrlf\r\ny\rcr\r\n");
        // Other programs: every character, each CR LF as LF, lone CRs and LFs kept.
        EXPECT_EQ(Sistema()->text(), QString::fromStdU16String(u"\u03A9 lf\nx\tcrlf\ny\rcr\n"));
    }

    // A first U+FFFE or U+FEFF is the text's own character, no byte order mark.
    for (const std::u16string inicio : {u"\uFFFE", u"\uFEFF"}) {
        Clipboard()->SetBuffer(CF_UNICODETEXT, (inicio + u"a\tb").data(), 8);
        EXPECT_EQ(Clipboard()->GetBuffer(CF_UNICODETEXT), Utf16(inicio + u"a\tb"));
    }

    // Unicode text from another program: its LF line ends as CR LF.
    Sistema()->setText(QString::fromStdU16String(u"\u03A9\nb\r\nc"));
    EXPECT_EQ(Clipboard()->GetBuffer(CF_UNICODETEXT), Utf16(u"\u03A9\r\nb\r\nc"));
    // This program's 8-bit text alone: the Unicode text has its line ends as they were.
    Clipboard()->SetAsText("a\nb\r\nc");
    EXPECT_EQ(Clipboard()->GetBuffer(CF_UNICODETEXT), Utf16(u"a\nb\r\nc"));
}

TEST_F(Portapapeles, LosFormatosRegistradosConservanSusBytes) {
    const UINT celdas = RegisterClipboardFormat("TKavStringGrid Cells");
    EXPECT_GE(celdas, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormat("tkavstringgrid cells"), celdas);
    EXPECT_NE(RegisterClipboardFormat("Rich Text Format"), celdas);
    EXPECT_EQ(GetClipboardFormatName(celdas), "TKavStringGrid Cells");
    EXPECT_EQ(RegisterClipboardFormat(""), 0u);

    const std::string binario("\x01\x00\xFF\x80 cells\x00", 12);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr)); // already open
    ASSERT_TRUE(EmptyClipboard());
    Poner(CF_TEXT, std::string("a\tb\r\n", 6));
    Poner(celdas, binario);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(celdas));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(RegisterClipboardFormat("Otro")));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(Leer(celdas), binario);
    EXPECT_EQ(Leer(CF_TEXT), std::string("a\tb\r\n", 6)); // zero-terminated
    EXPECT_EQ(Leer(RegisterClipboardFormat("Otro")), "<nada>");
    CloseClipboard();
    EXPECT_EQ(Clipboard()->GetBuffer(static_cast<WORD>(celdas)), binario);
    EXPECT_TRUE(
        Sistema()->mimeData()->hasFormat("application/x-quenbar-format-tkavstringgrid-cells"));

    // Outside an open clipboard nothing is set or read.
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 4);
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr);
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalLock(h), nullptr);
}

TEST_F(Portapapeles, AnadirUnFormatoSinVaciarConservaElTexto) {
    Clipboard()->SetAsText("texto");
    const UINT rtf = RegisterClipboardFormat("Rich Text Format");
    ASSERT_TRUE(OpenClipboard(nullptr));
    Poner(rtf, std::string("{\\rtf1 x}\0", 10));
    CloseClipboard();
    EXPECT_EQ(Clipboard()->GetAsText(), "texto");
    EXPECT_EQ(Clipboard()->GetBuffer(static_cast<WORD>(rtf)), std::string("{\\rtf1 x}\0", 10));
    // Rich text reaches other programs under its own type.
    EXPECT_EQ(Sistema()->mimeData()->data("text/rtf").toStdString(), "{\\rtf1 x}");

    // TClipboard: within one Open, the first data empties the clipboard, the next add.
    const UINT html = RegisterClipboardFormat("HTML Format");
    const std::string fragmento = "Version:1.0\r\nStartHTML:00000040\r\n<html>x</html>";
    Clipboard()->Open();
    Clipboard()->SetBuffer(static_cast<WORD>(html), fragmento.data(),
                           static_cast<int>(fragmento.size()));
    Clipboard()->SetTextBuf("solo");
    Clipboard()->Close();
    EXPECT_FALSE(Clipboard()->HasFormat(static_cast<WORD>(rtf)));
    EXPECT_TRUE(Clipboard()->HasFormat(static_cast<WORD>(html)));
    EXPECT_EQ(Clipboard()->GetAsText(), "solo");
    EXPECT_EQ(Sistema()->mimeData()->data("text/html").toStdString(), fragmento.substr(40));
}

TEST_F(Portapapeles, BloquesDeMemoriaGlobal) {
    HGLOBAL h = GlobalAlloc(GHND, 16);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 16u);
    auto* p = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[15], 0);
    EXPECT_TRUE(GlobalUnlock(h));
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_NE(GlobalFree(h), nullptr); // already freed
    // The handle the clipboard gives stays valid after it closes.
    Clipboard()->SetAsText("copia");
    HANDLE copia = Clipboard()->GetAsHandle(CF_TEXT);
    ASSERT_NE(copia, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(copia)), "copia");
}

} // namespace
