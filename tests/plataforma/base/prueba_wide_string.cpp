#include "plataforma/base/exceptions.h"
#include "plataforma/base/wide_string.h"

#include <gtest/gtest.h>

TEST(WideString, AnsiSeEnsanchaPorWindows1252YVuelve) {
    // "€" is 0x80 in Windows-1252 and U+20AC in UTF-16; "ñ" is 0xF1 in both.
    AnsiString ansi("Año 2€ ñandú");
    WideString w(ansi);
    EXPECT_EQ(w, WideString(u"Año 2€ ñandú"));
    EXPECT_EQ(w[8], u'ñ');
    EXPECT_EQ(w.ToAnsiString(), ansi);
    EXPECT_EQ(AnsiString(w), ansi);
    // The bytes Windows-1252 leaves undefined keep their value through the C1 controls.
    AnsiString raros("\x81\x8D\x8F\x90\x9D");
    EXPECT_EQ(AnsiString(WideString(raros)), raros);
}

TEST(WideString, LoQueWindows1252NoTieneSeVuelveInterrogacion) {
    // A Greek letter, a CJK character and a surrogate pair (one character, one '?').
    WideString w(u"a\u03A9b\u4E2Dc\U0001F600d");
    EXPECT_EQ(w.Length(), 8);
    EXPECT_EQ(w.ToAnsiString(), AnsiString("a?b?c?d"));
    // An unpaired surrogate is one '?' too.
    std::u16string suelto{u'x', char16_t(0xD800), u'y'};
    EXPECT_EQ(WideString(suelto).ToAnsiString(), AnsiString("x?y"));
}

TEST(WideString, Utf8IdaYVueltaYSecuenciasMalFormadas) {
    WideString w(u"\u03A9€\U0001F600z");
    EXPECT_EQ(w.ToUtf8(), "\xCE\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z");
    EXPECT_EQ(WideString::FromUtf8(w.ToUtf8()), w);
    // Truncated, overlong, encoded surrogate: each bad lead byte gives one U+FFFD.
    EXPECT_EQ(WideString::FromUtf8("a\xE2\x82"), WideString(u"a\uFFFD\uFFFD"));
    EXPECT_EQ(WideString::FromUtf8("\xC0\xAF"), WideString(u"\uFFFD\uFFFD"));
    EXPECT_EQ(WideString::FromUtf8("\xED\xA0\x80").Length(), 3);
}

TEST(WideString, OperacionesConIndiceDesdeUno) {
    WideString w(u"\u03A9mega");
    EXPECT_EQ(w.SubString(2, 3), WideString(u"meg"));
    EXPECT_EQ(w.SubString(0, 2), WideString(u"\u03A9m"));
    EXPECT_EQ(w.SubString(4, 100), WideString(u"ga"));
    EXPECT_TRUE(w.SubString(9, 1).IsEmpty());
    EXPECT_EQ(w.Pos(u"ega"), 3);
    EXPECT_EQ(w.Pos(u""), 0);
    EXPECT_EQ(w.Pos(u"x"), 0);
    WideString v = w;
    v.Insert(u"-", 2).Delete(5, 2);
    EXPECT_EQ(v, WideString(u"\u03A9-me"));
    EXPECT_EQ(WideString(u"  a b \t").Trim(), WideString(u"a b"));
    EXPECT_THROW(w[0], ERangeError);
    EXPECT_THROW(w[6], ERangeError);
    EXPECT_LT(WideString(u"A"), WideString(u"a"));
    EXPECT_EQ(WideString(u"ab") + WideString(u"c"), WideString(u"abc"));
}

TEST(Excepciones, EInvalidGridOperationEsUnaOperacionNoValida) {
    try {
        throw EInvalidGridOperation("Índice de rejilla fuera de rango");
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message, AnsiString("Índice de rejilla fuera de rango"));
    }
}
