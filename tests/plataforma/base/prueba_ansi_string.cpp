#include "plataforma/base/ansi_string.h"
#include "plataforma/base/exceptions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale.h>

TEST(AnsiString, IndicesEmpiezanEnUnoYFueraDeRangoLanzan) {
    AnsiString s = "abc";
    EXPECT_EQ(s[1], 'a');
    EXPECT_EQ(s[3], 'c');
    s[2] = 'X';
    EXPECT_EQ(s, "aXc");
    const AnsiString& c = s;
    for (int i : {0, -1, 4}) {
        EXPECT_THROW(s[i], ERangeError) << i;
        EXPECT_THROW(c[i], ERangeError) << i;
    }
    EXPECT_THROW(AnsiString()[1], ERangeError);
}

TEST(AnsiString, SubStringRecortaComoCopy) {
    struct Caso {
        int indice, cuenta;
        const char* esperado;
    } casos[] = {
        {1, 4, "Hola"}, {6, 100, "mundo"}, {0, 3, "Hol"}, {-5, 3, "Hol"},        {10, 1, "o"},
        {11, 1, ""},    {3, 0, ""},        {3, -1, ""},   {1, 10, "Hola mundo"},
    };
    AnsiString s = "Hola mundo";
    for (const Caso& c : casos)
        EXPECT_EQ(s.SubString(c.indice, c.cuenta), c.esperado) << c.indice << "," << c.cuenta;
}

TEST(AnsiString, PosDaLaPrimeraPosicionOCero) {
    AnsiString s = "banana";
    EXPECT_EQ(s.Pos("a"), 2);
    EXPECT_EQ(s.Pos("na"), 3);
    EXPECT_EQ(s.Pos("banana"), 1);
    EXPECT_EQ(s.Pos("bananas"), 0);
    EXPECT_EQ(s.Pos("x"), 0);
    EXPECT_EQ(s.Pos(""), 0);
    EXPECT_EQ(AnsiString().Pos("a"), 0);
}

TEST(AnsiString, InsertYDeleteSeAjustanALosLimites) {
    struct Caso {
        const char* texto;
        int indice;
        const char* esperado;
    } inserciones[] = {
        {"XY", 1, "XYabc"}, {"XY", 2, "aXYbc"}, {"XY", 4, "abcXY"},
        {"XY", 9, "abcXY"}, {"XY", 0, "XYabc"}, {"", 2, "abc"},
    };
    for (const Caso& c : inserciones) {
        AnsiString s = "abc";
        EXPECT_EQ(s.Insert(c.texto, c.indice), c.esperado) << c.indice;
    }
    struct Borrado {
        int indice, cuenta;
        const char* esperado;
    } borrados[] = {
        {2, 3, "aef"},    {1, 1, "bcdef"},  {5, 10, "abcd"},   {0, 2, "abcdef"},
        {7, 1, "abcdef"}, {3, 0, "abcdef"}, {3, -2, "abcdef"},
    };
    for (const Borrado& b : borrados) {
        AnsiString s = "abcdef";
        EXPECT_EQ(s.Delete(b.indice, b.cuenta), b.esperado) << b.indice << "," << b.cuenta;
    }
}

TEST(AnsiString, TrimQuitaBlancosYControlesPeroNoLetras) {
    EXPECT_EQ(AnsiString("\t\r\n hola mundo \x01\x1F").Trim(), "hola mundo");
    EXPECT_EQ(AnsiString(" \tx ").TrimLeft(), "x ");
    EXPECT_EQ(AnsiString(" \tx \n").TrimRight(), " \tx");
    EXPECT_EQ(AnsiString(" \t\r\n").Trim(), "");
    // Bytes above 0x7F are text: a non-breaking space and accented letters stay.
    EXPECT_EQ(AnsiString("\xA0ñ ").Trim(), "\xA0ñ");
    EXPECT_EQ(Trim(AnsiString(" é ")), "é");
}

TEST(AnsiString, MayusculasYMinusculasConAcentos) {
    EXPECT_EQ(AnsiUpperCase("ñandú"), "ÑANDÚ");
    EXPECT_EQ(AnsiString("ñandú").UpperCase(), "ÑANDÚ");
    EXPECT_EQ(AnsiLowerCase("ÑANDÚ Ç Æ"), "ñandú ç æ");
    EXPECT_EQ(AnsiUpperCase("œšžÿ"), "ŒŠŽŸ");
    // ß, µ and the signs have no upper case of their own.
    EXPECT_EQ(AnsiUpperCase("ßµ×÷"), "ßµ×÷");
    // The class library's plain UpperCase/LowerCase touch ASCII letters only.
    EXPECT_EQ(UpperCase("ñandú"), "ñANDú");
    EXPECT_EQ(LowerCase("ÑANDÚ"), "ÑandÚ");
}

TEST(AnsiString, SprintfUsaPuntoDecimalSeaCualSeaElLocale) {
    // With a comma locale installed the thread switches to it, to show it makes no difference.
    locale_t coma = nullptr;
    for (const char* nombre : {"es_ES.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "es_ES", "de_DE"})
        if ((coma = newlocale(LC_NUMERIC_MASK, nombre, nullptr))) break;
    locale_t anterior = coma ? uselocale(coma) : nullptr;

    AnsiString s;
    EXPECT_EQ(s.sprintf("%14.7g", 0.1), "           0.1");
    EXPECT_EQ(s.sprintf("%14.7g", 1234.5678), "      1234.568");
    EXPECT_EQ(s.sprintf("%14.7g", 1e-9), "         1e-09");
    EXPECT_EQ(s.sprintf("%f", 2.5), "2.500000");
    EXPECT_EQ(s.sprintf(" %f,", -0.25), " -0.250000,");
    EXPECT_EQ(s.sprintf("%-2d|%s", 7, "x"), "7 |x");

    if (coma) {
        uselocale(anterior);
        freelocale(coma);
    }
}

TEST(AnsiString, CatSprintfAnadeAunqueElArgumentoSeaLaPropiaCadena) {
    AnsiString s = "a=";
    s.cat_sprintf("%.3f", 1.0005);
    EXPECT_EQ(s, "a=1.000");
    s.cat_sprintf(";%d", 42);
    EXPECT_EQ(s, "a=1.000;42");

    // Long enough to make the string grow while it is formatted.
    AnsiString larga = AnsiString::StringOfChar('x', 1000);
    larga.cat_sprintf("%s", larga.c_str());
    EXPECT_EQ(larga, AnsiString::StringOfChar('x', 2000));

    AnsiString grande;
    grande.sprintf("%s", AnsiString::StringOfChar('y', 5000).c_str());
    EXPECT_EQ(grande.Length(), 5000);
}

TEST(AnsiString, IgualdadPorBytesYOrdenPorColacion) {
    EXPECT_TRUE(AnsiString("abc") == "abc");
    EXPECT_FALSE(AnsiString("abc") == "ABC");
    EXPECT_TRUE(AnsiString("abc") != AnsiString("abd"));
    EXPECT_LT(AnsiString("arbol"), AnsiString("árbol"));
    EXPECT_LT(AnsiString("árbol"), AnsiString("arca"));
    EXPECT_EQ(AnsiString("Árbol").AnsiCompareIC("árbol"), 0);
    EXPECT_NE(AnsiString("Árbol").AnsiCompare("árbol"), 0);
    EXPECT_TRUE(AnsiSameText("ÑANDÚ", "ñandú"));
    EXPECT_FALSE(AnsiSameText("nandu", "ñandú"));
}
