// Dates of the class library: the day numbers, leap years, impossible dates, and the
// regional date settings.

#include "plataforma/base/dates.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/regional.h"

#include <gtest/gtest.h>

TEST(Fechas, NumerosDeDiaDeLaBibliotecaDeClases) {
    struct Caso {
        int y, m, d;
        double dia;
    } casos[] = {{1899, 12, 30, 0},   {1900, 1, 1, 2},        {1999, 12, 31, 36525},
                 {2000, 1, 1, 36526}, {2000, 2, 29, 36585},   {2005, 1, 2, 38354},
                 {1, 1, 1, -693593},  {9999, 12, 31, 2958465}};
    for (const Caso& c : casos) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.dia) << c.y << "-" << c.m << "-" << c.d;
        int y = 0, m = 0, d = 0;
        DecodeDate(c.dia + 0.75, y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
    }
}

TEST(Fechas, UnaFechaQueNoExisteEsUnErrorDeConversion) {
    EXPECT_THROW(EncodeDate(2005, 2, 30), EConvertError);
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2005, 13, 1), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    TDateTime f = 7;
    EXPECT_FALSE(TryEncodeDate(2005, 4, 31, f));
    EXPECT_EQ(f, 7);
    EXPECT_EQ(DaysInMonth(2004, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
}

TEST(Regional, SeparadoresYFormatoDeFechaSeCambianYSeLeen) {
    const char miles = GetThousandSeparator(), fecha = GetDateSeparator();
    const AnsiString formato = GetShortDateFormat();
    EXPECT_EQ(GetShortDateFormat().Length() >= 8, true);
    SetThousandSeparator('.');
    SetDateSeparator('-');
    SetShortDateFormat("yyyy-MM-dd");
    EXPECT_EQ(GetThousandSeparator(), '.');
    EXPECT_EQ(GetDateSeparator(), '-');
    EXPECT_EQ(GetShortDateFormat(), "yyyy-MM-dd");
    SetThousandSeparator(miles);
    SetDateSeparator(fecha);
    SetShortDateFormat(formato);
}
