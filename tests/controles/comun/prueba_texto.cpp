// Text functions: search and tokens, line-break encodings, kinds of text, numbers and
// dates with the regional settings, the HTML clipboard fragment and the wide form.

#include "controles/comun/text_utils.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/string_list.h"
#include "tests/comun/ajustes_regionales.h"
#include "tests/controles/comun/texto_prueba.h"

#include <gtest/gtest.h>

TEST(Texto, BusquedaDeCaracteres) {
    int p = 99;
    EXPECT_EQ(CharPos('b', "abcb"), 2);
    EXPECT_EQ(CharPos('z', "abc"), 0);
    EXPECT_FALSE(VarCharPos('z', "abc", p));
    EXPECT_EQ(p, 99); // written only when found
    EXPECT_TRUE(VarCharPosNC('É', "caté", p));
    EXPECT_EQ(p, 4);
    EXPECT_EQ(FIPos("BC", "abcd"), 2);
    EXPECT_EQ(FIPos("bc", "abcd"), 0);
    EXPECT_EQ(VarPos("cd", "abcd", p), 3);
    EXPECT_EQ(p, 3);
    EXPECT_EQ(NumChar('a', "banana"), 3);
    EXPECT_EQ(NumCharInStr('a', ""), 0);
    EXPECT_EQ(CheckLimits(5, 10, 20), 10);
    EXPECT_EQ(CheckLimits(25, 10, 20), 20);
    EXPECT_EQ(CheckLimits(25, 0, 0), 25);
    EXPECT_EQ(CheckLimits(-5, 0, 20), -5); // a bound below 1 is none
    EXPECT_EQ(Max(3, 4), 4);
    EXPECT_EQ(Min(3, 4), 3);
}

TEST(Texto, CaracterSueltoYDoblado) {
    struct C {
        const char* texto;
        int pos;
    } casos[] = {{"a''b'c", 5}, {"''", 2}, {"ab", 0}, {"'''", 3}, {"x''", 3}, {"''''y", 0}};
    for (const C& c : casos) {
        int p = -1;
        EXPECT_EQ(SinglePos('\'', c.texto, p), c.pos) << c.texto;
        EXPECT_EQ(p, c.pos);
    }
    // Single ones counted as SinglePos finds them one after another: odd runs, and the run
    // that ends the text.
    const std::pair<std::string, int> sueltos[] = {
        {"a'b'c''d", 2}, {"", 0},       {"''", 1},         {"''a", 0},   {"'''a", 1},
        {"a''b''", 1},   {"'a'''b", 2}, {"''''''''x'", 1}, {"x''''", 1}, {"abc", 0},
    };
    for (const auto& [texto, n] : sueltos)
        EXPECT_EQ(NumSingleChar('\'', texto), n) << texto;
    // A long line of single ones counts each.
    std::string largo;
    for (int i = 0; i < 200000; ++i)
        largo += i % 3 ? "a'" : "b''";
    EXPECT_EQ(NumSingleChar('\'', largo), 133333);
    EXPECT_EQ(DoubleToSingleChar('\'', "it''s 'x'"), "it's x");
    EXPECT_EQ(DoubleToSingleChar('\'', "nada"), "nada");
}

TEST(Texto, FirstCharSaltaLoEntrecomillado) {
    int p = 0;
    EXPECT_EQ(FirstChar("&;", "\"a&b\";c", p), ';');
    EXPECT_EQ(p, 6);
    EXPECT_EQ(FirstChar("&", "abc", p), '\0');
    EXPECT_EQ(p, -1);
}

TEST(Texto, GetTokenYListas) {
    AnsiString s = "uno;dos";
    EXPECT_EQ(GetToken(s, ";"), "uno");
    EXPECT_EQ(s, "dos");
    EXPECT_EQ(GetToken(s, ";"), "");
    EXPECT_EQ(s, "dos"); // no separator: intact
    s = "a::b";
    EXPECT_EQ(GetToken(s, "::"), "a");
    EXPECT_EQ(s, ":b"); // the tail of a long separator stays
    TStringList l;
    l.Add("ab");
    l.Add("cd");
    EXPECT_EQ(StringListToText(&l), "abcd");
    AnsiString clave = "abc";
    StringToPassword(clave, '*');
    EXPECT_EQ(clave, "***");
    EXPECT_EQ(CSVQuotes("di \"hola\""), "di \"\"hola\"\"");
}

TEST(Texto, PaginaDeCodigosDeConsola) {
    AnsiString s = "Año ñandú €";
    StringToOem(s);
    EXPECT_EQ(s, AnsiString("A\xA4o \xA4"
                            "and\xA3 ?"));
    OemToString(s);
    EXPECT_EQ(s, "Año ñandú ?");
}

TEST(Texto, NombresPropios) {
    struct C {
        const char* de;
        const char* a;
    } casos[] = {{"juan pérez", "Juan Pérez"},       {"JOHN O'NEILL", "John O'Neill"},
                 {"mcdonald", "McDonald"},           {"ronald mcdonald", "Ronald McDonald"},
                 {"henry viii ii", "Henry Viii II"}, {"louis i", "Louis I"},
                 {"ana-maría", "Ana-María"},         {"", ""}};
    for (const C& c : casos)
        EXPECT_EQ(ShiftCase(c.de), c.a) << c.de;
}

TEST(Texto, CeldasRectangulosYDirecciones) {
    TPoint p(7, 7);
    EXPECT_TRUE(NameToCell("r2c3", p));
    EXPECT_EQ(p, TPoint(3, 2));
    p = TPoint(7, 7);
    EXPECT_FALSE(NameToCell("R2", p));
    EXPECT_FALSE(NameToCell("RxC3", p));
    EXPECT_FALSE(NameToCell("A2C3", p));
    EXPECT_EQ(p, TPoint(7, 7));
    EXPECT_EQ(RectString(TRect(1, 2, 3, 4)), "[1:2][3:4]");
    EXPECT_TRUE(IsInGridRect(TRect(1, 1, 3, 3), 3, 1));
    EXPECT_FALSE(IsInGridRect(TRect(1, 1, 3, 3), 4, 1));
    EXPECT_TRUE(IsURL("http://x"));
    EXPECT_TRUE(IsURL("mailto:a@b"));
    EXPECT_FALSE(IsURL("MAILTO:a@b"));
    AnsiString u = "https://a.es/b";
    StripURLProtocol(u);
    EXPECT_EQ(u, "a.es/b");
    u = "mailto:a@b";
    StripURLProtocol(u);
    EXPECT_EQ(u, "a@b");
    EXPECT_EQ(HTMLColor(0x0080FF), "FF8000");
}

TEST(Texto, ClasesDeTexto) {
    struct C {
        const char* texto;
        bool html;
        TTextType tipo;
    } casos[] = {{"", true, ttText},         {"=A1+1", false, ttFormula}, {"{\\rtf1", true, ttRTF},
                 {"<B>x</B>", true, ttHTML}, {"<B>x</B>", false, ttText}, {"<b>x", true, ttText},
                 {"|\\ab", true, ttUnicode}, {"|\\a=", true, ttFormula},  {"|\\", true, ttUnicode},
                 {"a</", true, ttHTML}};
    for (const C& c : casos)
        EXPECT_EQ(TextType(c.texto, c.html), c.tipo) << c.texto;
}

TEST(Texto, NumerosSegunLosSeparadores) {
    AjustesRegionales r('.', ',');
    struct C {
        const char* texto;
        TAutoType tipo;
    } casos[] = {{"-12", atNumeric},     {"1-2", atString},    {"3.5", atFloat},
                 {"", atString},         {"1,234.5", atFloat}, {",123", atString},
                 {"1,23,456", atString}, {"1.2.3", atString},  {"--1", atString},
                 {"12a", atString},      {"-", atNumeric}};
    for (const C& c : casos)
        EXPECT_EQ(IsType(c.texto), c.tipo) << c.texto;
    AjustesRegionales coma(',', '.');
    EXPECT_EQ(IsType("3,5"), atFloat);
    EXPECT_EQ(IsType("3.500,25"), atFloat);
}

TEST(Texto, RemoveSepsYSeparadorDecimal) {
    AjustesRegionales r(',', '.');
    struct C {
        const char* de;
        const char* a;
    } casos[] = {{" 1.234,5 ", "1234.5"}, {"(12)", "-12"}, {"€ -3,5", "-3.5"},
                 {"12 kg", "12"},         {"1E3", "1E3"},  {"x", ""}};
    for (const C& c : casos)
        EXPECT_EQ(RemoveSeps(c.de), c.a) << c.de;
    EXPECT_EQ(FixDecimalSeparator("1,5,2"), "1.5,2");
    AjustesRegionales punto('.', ',');
    EXPECT_EQ(FixDecimalSeparator("1,5"), "1,5");
}

TEST(Texto, SaltosDeLinea) {
    const AnsiString s = "a\r\nb";
    EXPECT_EQ(LineFeedsToCSV(s), "\"a\x0B"
                                 "b\"");
    EXPECT_EQ(CSVToLineFeeds("a\x0B"
                             "b"),
              s);
    EXPECT_EQ(LineFeedsToCSVNQ(s), "a\nb");
    EXPECT_EQ(LineFeedsToJava(s), "a~b");
    EXPECT_EQ(JavaToLineFeeds("a~b"), s);
    EXPECT_EQ(JavaToLineFeeds("^"), "");
    EXPECT_EQ(LFToCLF(s), "a\\nb");
    EXPECT_EQ(CLFToLF("a\\nb"), "a\rb");
    EXPECT_EQ(LfToFile(s), "a\x09\x08"
                           "b");
    EXPECT_EQ(FileToLf(LfToFile(s), true), s);
    EXPECT_EQ(FileToLf(LfToFile(s), false), "a");
    EXPECT_EQ(LineFeedsToXLS(s), "a\nb");
    EXPECT_EQ(LineFeedsToXLS("a\rb\r\nc\nd\r"), "a\nb\nc\nd\n"); // a lone CR is a break too
    EXPECT_EQ(CRToLF(s), "a\nb");
    EXPECT_EQ(HTMLLineBreaks(s), "a<br>\nb");
    EXPECT_EQ(LinesInText("a\r\nb\r\nc", true), 3);
    EXPECT_EQ(LinesInText("a\r\nb", false), 1);
    AnsiString t = "a\r\nb\r\nc";
    EXPECT_EQ(GetNextLine(t, true), "a");
    EXPECT_EQ(t, "b\r\nc");
    EXPECT_EQ(GetNextLine(t, false), "b");
    EXPECT_EQ(t, "");
    t = "sola";
    EXPECT_EQ(GetNextLine(t, true), "sola");
    EXPECT_EQ(t, "");
}

// The script form: texts without "~", "`", a lone CR or LF, nor a whole "^" are written as
// before (CR LF as "~") and files of earlier writers read as before; the others escape those
// characters with "`". Every text comes back, also random ones of the special bytes.
TEST(Texto, FormaDeScriptDeIdaYVuelta) {
    struct Caso {
        const char* texto;
        const char* escrito;
    } casos[] = {
        {"a\r\nb", "a~b"},
        {"sin nada", "sin nada"},
        {"a~b", "a`~b"},
        {"^", "`^"},
        {"a^", "a^"},
        {"solo\nLF", "solo`nLF"},
        {"CR\rsolo", "CR`rsolo"},
        {"c:`x", "c:``x"},
        {"~\r\n", "`~~"},
        {"\n\r\n\r", "`n~`r"},
        {"", ""},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(LineFeedsToJava(c.texto), c.escrito) << c.texto;
        EXPECT_EQ(JavaToLineFeeds(c.escrito), c.texto) << c.escrito;
    }
    // Files of earlier writers: "~" a line break, a whole "^" empty, a "`" before another
    // character kept.
    EXPECT_EQ(JavaToLineFeeds("x~y~"), "x\r\ny\r\n");
    EXPECT_EQ(JavaToLineFeeds("^"), "");
    EXPECT_EQ(JavaToLineFeeds("a`b`"), "a`b`");
    const char bytes[] = {'~', '^', '`', '\r', '\n', 'r', 'n', 'x'};
    uint32_t semilla = 12345;
    for (int i = 0; i < 2000; ++i) {
        std::string t;
        for (int n = i % 7; n > 0; --n) {
            semilla = semilla * 1103515245u + 12345u;
            t += bytes[(semilla >> 16) % sizeof bytes];
        }
        if (t.empty()) continue;
        const AnsiString escrito = LineFeedsToJava(AnsiString(t));
        EXPECT_NE(escrito, "^") << t;
        EXPECT_EQ(escrito.str().find_first_of("\r\n"), std::string::npos) << t;
        EXPECT_EQ(JavaToLineFeeds(escrito), AnsiString(t)) << t;
    }
}

TEST(Texto, FormaAnchaDeDosBytes) {
    const WideString w = u"Añ€\u4E2D";
    const AnsiString e = EncodeWideStr(w);
    EXPECT_EQ(e, AnsiString("|\\\x00"
                            "A\x00\xF1\x20\xAC\x4E\x2D",
                            10));
    EXPECT_EQ(TextType(e, true), ttUnicode);
    EXPECT_EQ(DecodeWideStr(e), w);
    EXPECT_EQ(DecodeWideStr(e + "\x01"), w); // an odd last byte is ignored
    EXPECT_EQ(DecodeWideStr("€ñ"), WideString(u"€ñ"));
    EXPECT_EQ(StrPosWide(u"\u4E2D", w), 4);
    EXPECT_EQ(StrPosWide(u"", w), 0);
    EXPECT_EQ(StrPosWide(u"xxxxxxxx", w), 0);
}

TEST(Texto, FragmentoHTMLDelPortapapeles) {
    AnsiString h = "abc";
    MakeFragment(h);
    const std::string s = h.str();
    EXPECT_EQ(s.find("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000304\r\n"
                     "StartFragment:00000269\r\nEndFragment:00000272\r\n"),
              0u);
    EXPECT_EQ(s.substr(97, 9), "<!DOCTYPE");
    EXPECT_EQ(s.substr(269, 3), "abc");
    EXPECT_EQ(s.substr(272), "<!--EndFragment--></body></html>");
    EXPECT_EQ(s.size(), 304u);
}

TEST(Fechas, FechasCortas) {
    EXPECT_EQ(StrToShortdateUS("12/31/99"), EncodeDate(1999, 12, 31));
    EXPECT_EQ(StrToShortdateUS("1/2/05"), EncodeDate(2005, 1, 2));
    EXPECT_EQ(StrToShortDateEU("1/2/05"), EncodeDate(2005, 2, 1));
    EXPECT_EQ(StrToShortDateEU("1.2.25"), EncodeDate(2025, 2, 1));
    EXPECT_EQ(StrToShortDateEU("1-2-26"), EncodeDate(1926, 2, 1));
    EXPECT_EQ(StrToShortDateEU("1/2"), 0);
    EXPECT_EQ(StrToShortDateEU("a/2/05"), 0);
    EXPECT_THROW(StrToShortDateEU("30/2/05"), EConvertError);
}

TEST(Fechas, SiguienteFechaDeUnaSerie) {
    const TDateTime d = EncodeDate(2005, 1, 31);
    EXPECT_EQ(GetNextDate(d, 0, 0, 3, 7), d + 3);
    EXPECT_EQ(GetNextDate(d, 1, 0, 0, 7), EncodeDate(2006, 1, 31));
    EXPECT_EQ(GetNextDate(d, 0, 1, 0, 7), EncodeDate(2005, 2, 28)); // last day of February
    EXPECT_EQ(GetNextDate(d, 0, 12, 0, 7), EncodeDate(2006, 1, 31));
    EXPECT_EQ(GetNextDate(d, 0, 65535, 0, 7), EncodeDate(2004, 12, 31)); // one month back
    EXPECT_EQ(GetNextDate(d, 0, 0, 65535, 7), d - 1);                    // one day back
    EXPECT_EQ(GetNextDate(EncodeDate(2004, 2, 29), 1, 0, 0, 7), EncodeDate(2005, 2, 28));
    EXPECT_EQ(GetNextDate(d, 0, 1, 1, 7), d + 7);
    EXPECT_EQ(GetNextDate(d, 0, 0, 0, 7), d + 7);
    EXPECT_EQ(GetNextDate(d + 0.5, 0, 1, 0, 7), EncodeDate(2005, 2, 28) + 0.5);
}

TEST(Fechas, IsDateStrConElSeparadorRegional) {
    AjustesRegionales r(',', '.', '/');
    EXPECT_TRUE(IsDateStr("1/2/2005"));
    EXPECT_FALSE(IsDateStr("/1/2"));
    EXPECT_FALSE(IsDateStr("1//2"));
    EXPECT_FALSE(IsDateStr("1-2-2005"));
}
