// Dates of the class library: the day numbers, leap years, impossible dates, and the
// regional date settings.

#include "plataforma/base/date_time_text.h"
#include "plataforma/base/dates.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/regional.h"

#include <gtest/gtest.h>

#include <ctime>

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

TEST(Fechas, IncMonthGuardaElDiaDentroDelMesYLaHora) {
    struct Caso {
        int y, m, d, meses, ry, rm, rd;
    } casos[] = {
        {2005, 1, 31, 1, 2005, 2, 28},    {2004, 1, 31, 1, 2004, 2, 29},
        {2005, 3, 31, -1, 2005, 2, 28},   {2005, 12, 15, 1, 2006, 1, 15},
        {2005, 1, 15, -1, 2004, 12, 15},  {2004, 2, 29, 12, 2005, 2, 28},
        {2005, 5, 10, -29, 2002, 12, 10}, {2005, 5, 10, 0, 2005, 5, 10},
    };
    for (const Caso& c : casos) {
        const TDateTime r = IncMonth(EncodeDate(c.y, c.m, c.d) + 0.25, c.meses);
        EXPECT_EQ(r, EncodeDate(c.ry, c.rm, c.rd) + 0.25) << c.y << "-" << c.m << "-" << c.d;
    }
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
    EXPECT_THROW(IncMonth(EncodeDate(1, 1, 1), -1), EConvertError);
}

TEST(Fechas, AhoraEsHoyConLaHoraDelDia) {
    const TDateTime ahora = Now();
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    // Within a minute of the C library's clock (the test may cross a second or a minute).
    const TDateTime esperado = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
                               ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) / 86400.0;
    EXPECT_NEAR(ahora, esperado, 60.0 / 86400.0);
}

namespace {

// Regional date and time settings for one test.
class AjustesFechaHora {
public:
    AjustesFechaHora(const char* fecha, char sepFecha, const char* hora, char sepHora)
        : fecha_(GetShortDateFormat()), hora_(GetLongTimeFormat()), sepFecha_(GetDateSeparator()),
          sepHora_(GetTimeSeparator()) {
        SetShortDateFormat(fecha);
        SetDateSeparator(sepFecha);
        SetLongTimeFormat(hora);
        SetTimeSeparator(sepHora);
    }
    ~AjustesFechaHora() {
        SetShortDateFormat(fecha_);
        SetDateSeparator(sepFecha_);
        SetLongTimeFormat(hora_);
        SetTimeSeparator(sepHora_);
    }

private:
    AnsiString fecha_, hora_;
    char sepFecha_, sepHora_;
};

} // namespace

TEST(Fechas, TextoDeFechaEnElOrdenYSeparadorRegionales) {
    const TDateTime f = EncodeDate(2005, 1, 7) + 0.5;
    {
        AjustesFechaHora a("dd/MM/yyyy", '/', "hh:nn:ss", ':');
        EXPECT_EQ(DateToStr(f), "07/01/2005");
        EXPECT_EQ(StrToDate("7/1/2005"), EncodeDate(2005, 1, 7));
        EXPECT_EQ(StrToDate(" 31/12/1999 "), EncodeDate(1999, 12, 31));
        int y = 0, m = 0, d = 0;
        DecodeDate(StrToDate("3/4"), y, m, d); // this year
        EXPECT_EQ(m * 100 + d, 403);
        DecodeDate(StrToDate("3/4/05"), y, m, d);
        EXPECT_EQ(y % 100, 5);
        EXPECT_GE(y, 2000);
        for (const char* malo :
             {"", "31/02/2005", "1-1-2005", "1/1/2005/1", "a/1/2005", "1//2005", "13/13/2005"}) {
            TDateTime r = 3;
            EXPECT_FALSE(TryStrToDate(malo, r)) << malo;
            EXPECT_EQ(r, 3);
            EXPECT_THROW(StrToDate(malo), EConvertError) << malo;
        }
    }
    {
        AjustesFechaHora a("M/d/yyyy", '-', "h:nn:ss", '.');
        EXPECT_EQ(DateToStr(f), "1-7-2005");
        EXPECT_EQ(StrToDate("1-7-2005"), EncodeDate(2005, 1, 7));
        EXPECT_THROW(StrToDate("13-1-2005"), EConvertError);
    }
    {
        AjustesFechaHora a("yyyy-MM-dd", '-', "hh:nn:ss", ':');
        EXPECT_EQ(DateToStr(f), "2005-01-07");
        EXPECT_EQ(StrToDate("2005-1-7"), EncodeDate(2005, 1, 7));
    }
}

TEST(Fechas, TextoDeHoraConElFormatoLargoYSuSeparador) {
    AjustesFechaHora a("dd/MM/yyyy", '/', "hh:nn:ss", ':');
    struct Caso {
        double t;
        const char* texto;
    } casos[] = {{0, "00:00:00"},
                 {0.5, "12:00:00"},
                 {(7 * 3600 + 5 * 60 + 9) / 86400.0, "07:05:09"},
                 {38354 + 23 / 24.0, "23:00:00"}, // the date part is not shown
                 {1 + 1 / 24.0, "01:00:00"},      // past midnight: the next day's time
                 {86399.9996 / 86400.0, "00:00:00"}};
    for (const Caso& c : casos)
        EXPECT_EQ(TimeToStr(c.t).str(), c.texto) << c.t;
    EXPECT_EQ(StrToTime("7:05:09"), (7 * 3600 + 5 * 60 + 9) / 86400.0);
    EXPECT_EQ(StrToTime("23:59"), (23 * 60 + 59) / 1440.0);
    EXPECT_EQ(StrToTime("8"), 8 / 24.0);
    for (const char* malo : {"", "24:00:00", "12:60", "12:00:60", "1:2:3:4", "12.30", "x"}) {
        TDateTime r = 3;
        EXPECT_FALSE(TryStrToTime(malo, r)) << malo;
        EXPECT_EQ(r, 3);
        EXPECT_THROW(StrToTime(malo), EConvertError) << malo;
    }
    SetTimeSeparator('.');
    EXPECT_EQ(TimeToStr(0.75), "18.00.00");
    EXPECT_EQ(StrToTime("18.30"), 18.5 / 24.0);
}

TEST(Fechas, TextoDeFechaYHora) {
    AjustesFechaHora a("dd/MM/yyyy", '/', "hh:nn:ss", ':');
    struct Caso {
        const char* texto;
        double valor;
    } casos[] = {
        {"31/12/1999", 36525}, {"31/12/1999 18:00", 36525.75}, {"1 / 1 / 2000 6:00:00", 36526.25},
        {"12:00", 0.5},        {"01/01/2000  12:00", 36526.5},
    };
    for (const Caso& c : casos) {
        TDateTime v = -1;
        EXPECT_TRUE(TryStrToDateTime(c.texto, v)) << c.texto;
        EXPECT_DOUBLE_EQ(v, c.valor) << c.texto;
        EXPECT_DOUBLE_EQ(StrToDateTime(c.texto), c.valor) << c.texto;
    }
    for (const char* malo : {"", "x", "31/12/1999 25:00", "31/02/2000 10:00", "31/12/1999x"}) {
        TDateTime v = 3;
        EXPECT_FALSE(TryStrToDateTime(malo, v)) << malo;
        EXPECT_EQ(v, 3);
        EXPECT_THROW(StrToDateTime(malo), EConvertError) << malo;
    }
}

TEST(Fechas, FechaYHoraConUnPatron) {
    AjustesFechaHora a("dd/MM/yyyy", '-', "hh:nn:ss", '.');
    const TDateTime t = EncodeDate(2005, 1, 7) + (9 * 3600 + 5 * 60 + 3) / 86400.0;
    struct Caso {
        const char* patron;
        const char* texto;
    } casos[] = {{"dd/mm/yyyy", "07-01-2005"}, // the regional date separator
                 {"hh:nn", "09.05"},           // and the time separator
                 {"d/m/yy", "7-1-05"},
                 {"hh:mm", "09.05"}, // minutes right after an hour
                 {"yyyy-mm-dd h:n:s", "2005-01-07 9.5.3"},
                 {"'Hoy' dd \"de\" mm", "Hoy 07 de 01"}, // quoted text as written
                 {"", ""}};
    for (const Caso& c : casos)
        EXPECT_EQ(FormatDateTime(c.patron, t).str(), c.texto) << c.patron;
}
