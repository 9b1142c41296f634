// Sorting the advanced grid: every sort style, blanks, stability in both directions, fixed
// and footer rows kept in place, the multi-column index, what travels with a row, the
// current row, and QUnSort back to the order before the first sort.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/locale_compare.h"
#include "plataforma/base/regional.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

class RejillaOrden : public Rejilla {
public:
    using Rejilla::Rejilla;
    int intercambios = 0;
    void SortSwapRows(int A, int B) override {
        ++intercambios;
        Rejilla::SortSwapRows(A, B);
    }
};

// A grid whose cell store's exchange is its own: it sees the exchanges too.
class RejillaIntercambio : public Rejilla {
public:
    using Rejilla::Rejilla;
    int intercambios = 0;

protected:
    void RowsExchanged(int A, int B) override {
        ++intercambios;
        Rejilla::RowsExchanged(A, B);
    }
};

class Orden : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new RejillaOrden(ventana.get(), ventana.get());
        SetDecimalSeparator(',');
        SetThousandSeparator('.');
        SetDateSeparator('/');
        SetShortDateFormat("dd/MM/yyyy");
    }
    void TearDown() override {
        SetDecimalSeparator('.');
        SetThousandSeparator(',');
        SetShortDateFormat(patron);
    }
    const AnsiString patron = GetShortDateFormat();
    // Column 1 takes the texts; column 2 numbers the rows in their first order.
    void Llenar(std::initializer_list<const char*> v) {
        g->SetRowCountEx(static_cast<int>(v.size()) + 1);
        int r = 1;
        for (const char* s : v) {
            g->SetCells(1, r, s);
            g->SetCells(2, r, AnsiString(r));
            ++r;
        }
    }
    std::string Col(int c, int from = 1) {
        return TextosColumna(g, c, from, g->GetRowCount() - 1, "|");
    }
    std::unique_ptr<VentanaPrueba> ventana;
    RejillaOrden* g = nullptr;
};

TEST_F(Orden, EstilosDeOrden) {
    struct Caso {
        const char* nombre;
        TSortStyle estilo; // ssAutomatic: AutoFormat decides
        bool autoFormat;
        std::vector<const char*> textos;
        const char* orden;
        const char* prefijo = "";
    };
    const Caso casos[] = {
        {"automatico numerico", ssAutomatic, true, {"10", "9", "100"}, "9|10|100"},
        {"automatico con texto en la columna", ssAutomatic, true, {"10", "x", "9"}, "10|9|x"},
        {"automatico fechas",
         ssAutomatic,
         true,
         {"03/02/2020", "01/12/2019", "15/01/2020"},
         "01/12/2019|15/01/2020|03/02/2020"},
        {"alfabetico sin AutoFormat", ssAutomatic, false, {"10", "9", "100"}, "10|100|9"},
        {"alfabetico por codigos", ssAlphabetic, true, {"b", "B", "a"}, "B|a|b"},
        {"sin mayusculas", ssAlphaNoCase, true, {"abd", "abc", "ABC"}, "ABC|abc|abd"},
        {"numerico: no numeros como 0", ssNumeric, true, {"5", "x", "-2", ""}, "-2|x||5"},
        {"numerico con prefijo", ssNumeric, true, {"$40", "$5", ""}, "|$5|$40", "$"},
        {"numerico coma decimal", ssNumeric, true, {"2,5", "10", "2,25"}, "2,25|2,5|10"},
        {"financiero", ssFinancial, true, {"1.200,5", "950", "12.000"}, "950|1.200,5|12.000"},
        {"fecha europea",
         ssShortDateEU,
         true,
         {"02/01/2021", "01/02/2021"},
         "02/01/2021|01/02/2021"},
        {"fecha americana",
         ssShortDateUS,
         true,
         {"02/01/2021", "01/02/2021"},
         "01/02/2021|02/01/2021"},
        {"fecha con anos de dos y de cuatro cifras",
         ssDate,
         true,
         {"01/01/2000", "01/01/05", "01/01/1999"},
         "01/01/1999|01/01/2000|01/01/05"},
        {"fecha con hora y no fecha como 0",
         ssDate,
         true,
         {"01/01/2000 10:00", "x", "01/01/2000 9:30", "31/12/1999"},
         "x|31/12/1999|01/01/2000 9:30|01/01/2000 10:00"},
        {"alfanumerico", ssAlphaNumeric, true, {"10", "9", "b", "a"}, "9|10|a|b"},
        {"marcado", ssHTML, true, {"<b>b</b>", "a", "<i>c</i>"}, "a|<b>b</b>|<i>c</i>"},
        {"ansi sin mayusculas", ssAnsiAlphaNoCase, true, {"Ñu", "nube", "Oso"}, "nube|Ñu|Oso"},
        {"unicode", ssUnicode, true, {"beta", "Alfa", "gamma"}, "Alfa|beta|gamma"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        g->GetSortSettings()->SetAutoFormat(c.autoFormat);
        g->GetSortSettings()->SetColumn(1);
        const TSortStyle estilo = c.estilo;
        const AnsiString prefijo = c.prefijo;
        g->OnGetFormat = [&](TObject*, int ACol, TSortStyle& S, AnsiString& P, AnsiString&) {
            if (ACol == 1 && estilo != ssAutomatic) S = estilo;
            if (ACol == 1) P = prefijo;
        };
        g->SetRowCountEx(static_cast<int>(c.textos.size()) + 1);
        for (size_t i = 0; i < c.textos.size(); ++i)
            g->SetCells(1, static_cast<int>(i) + 1, c.textos[i]);
        g->QSort();
        EXPECT_EQ(Col(1), c.orden);
        TearDown();
    }
}

TEST_F(Orden, FechasSegunElPatronRegional) {
    // Each date is read by the regional short date pattern, month first here: a day above
    // 12 is a day.
    SetShortDateFormat("MM/dd/yyyy");
    g->OnGetFormat = [](TObject*, int, TSortStyle& S, AnsiString&, AnsiString&) { S = ssDate; };
    g->GetSortSettings()->SetColumn(1);
    Llenar({"02/01/2000", "12/31/1999", "01/15/2000"});
    g->QSort();
    EXPECT_EQ(Col(1), "12/31/1999|01/15/2000|02/01/2000");
}

// A wide column sorts in the order of the user's locale without regard to case: in Spanish
// an accented letter sorts with its letter, "ñ" after "n", other alphabets after the Latin
// one; texts outside Windows-1252 keep their order too. Descending is the reverse.
TEST_F(Orden, UnicodeEnElOrdenDelIdioma) {
    const LCID antes = GetUserDefaultLCID();
    SetUserDefaultLCID(0x0C0A);
    const std::vector<std::u16string> textos = {u"Zoe",   u"ñu",     u"Ángel", u"nz", u"Łukasz",
                                                u"Ωmega", u"ángulo", u"OSO",   u"oca"};
    g->SetRowCountEx(static_cast<int>(textos.size()) + 1);
    for (size_t i = 0; i < textos.size(); ++i)
        g->SetWideCells(1, static_cast<int>(i) + 1, WideString(textos[i]));
    g->GetSortSettings()->SetColumn(1);
    g->OnGetFormat = [](TObject*, int, TSortStyle& S, AnsiString&, AnsiString&) { S = ssUnicode; };
    const auto Columna = [&] {
        std::vector<std::u16string> v;
        for (int r = 1; r < g->GetRowCount(); ++r)
            v.push_back(g->GetWideCells(1, r).str());
        return v;
    };
    const std::vector<std::u16string> esperado = {u"Ángel", u"ángulo", u"Łukasz", u"nz",   u"ñu",
                                                  u"oca",   u"OSO",    u"Zoe",    u"Ωmega"};
    g->QSort();
    EXPECT_EQ(Columna(), esperado);
    g->GetSortSettings()->SetDirection(sdDescending);
    g->QSort();
    EXPECT_EQ(Columna(), std::vector<std::u16string>(esperado.rbegin(), esperado.rend()));
    SetUserDefaultLCID(antes);
}

TEST_F(Orden, EventosDeComparacionYCasillas) {
    Llenar({"b", "c", "a"});
    g->GetSortSettings()->SetColumn(1);
    g->OnGetFormat = [](TObject*, int, TSortStyle& S, AnsiString&, AnsiString&) { S = ssCustom; };
    g->OnCustomCompare = [](TObject*, const AnsiString& A, const AnsiString& B, int& R) {
        R = B.str().compare(A.str()); // reversed
    };
    g->QSort();
    EXPECT_EQ(Col(1), "c|b|a");
    g->OnGetFormat = [](TObject*, int, TSortStyle& S, AnsiString&, AnsiString&) { S = ssRaw; };
    g->OnRawCompare = [this](TObject*, int C, int R1, int R2, int& R) {
        R = g->GetCells(2, R1).ToInt() - g->GetCells(2, R2).ToInt();
        EXPECT_EQ(C, 1);
    };
    g->QSort();
    EXPECT_EQ(Col(1), "b|c|a");
    // A check-box column sorts by state, unchecked first.
    g->OnGetFormat = nullptr;
    for (int r = 1; r <= 3; ++r)
        g->GetCellProperties(1, r)->SetGraphic(nullptr);
    for (int r = 1; r <= 3; ++r) {
        TCellGraphic* gr = g->CreateCellGraphic(1, r);
        gr->SetCheckBox(r == 1, false, false, haLeft, vaTop);
    }
    g->QSort();
    EXPECT_EQ(Col(1), "c|a|b");
    // Image-list cells sort by their image index.
    g->OnGetFormat = [](TObject*, int, TSortStyle& S, AnsiString&, AnsiString&) { S = ssImages; };
    const int indices[] = {0, 7, 2, 5};
    for (int r = 1; r <= 3; ++r) {
        g->RemoveCellGraphic(1, r, ctCheckBox);
        g->CreateCellGraphic(1, r)->SetImageIdx(indices[r], haLeft, vaTop);
        g->SetCells(1, r, AnsiString(indices[r]));
    }
    g->QSort();
    EXPECT_EQ(Col(1), "2|5|7");
}

TEST_F(Orden, BlancosAlFinalEnAmbosSentidos) {
    Llenar({"", "b", "", "a"});
    TSortSettings* s = g->GetSortSettings();
    s->SetColumn(1);
    s->SetIgnoreBlanks(true);
    s->SetBlankPos(blLast);
    g->QSort();
    EXPECT_EQ(Col(1), "a|b||");
    s->SetDirection(sdDescending);
    g->QSort();
    EXPECT_EQ(Col(1), "b|a||");
    s->SetBlankPos(blFirst);
    g->QSort();
    EXPECT_EQ(Col(1), "||b|a");
}

TEST_F(Orden, EstableEnAmbosSentidos) {
    Llenar({"2", "1", "2", "1", "2"});
    TSortSettings* s = g->GetSortSettings();
    s->SetColumn(1);
    s->SetFull(false);
    g->QSort();
    EXPECT_EQ(Col(2), "2|4|1|3|5");
    g->QUnSort();
    s->SetDirection(sdDescending);
    g->QSort();
    EXPECT_EQ(Col(2), "1|3|5|2|4");
    // Full: equal cells are decided by the following columns, the hidden ones too.
    g->QUnSort();
    s->SetDirection(sdAscending);
    s->SetFull(true);
    const char* ocultos[] = {"", "z", "b", "y", "a", "x"};
    for (int r = 1; r <= 5; ++r) {
        g->SetCells(2, r, "");
        g->SetCells(4, r, ocultos[r]);
    }
    g->HideColumn(4);
    g->QSort();
    g->UnHideColumn(4);
    EXPECT_EQ(Col(4), "a|b|x|y|z");
}

// Alphabetic order by byte codes against a plain stable sort, in both directions: texts of
// 0 to 11 bytes over a few codes (a high one, a low one) so that many share their first 8
// bytes, end inside them or go on past them.
TEST_F(Orden, AlfabeticoComoUnaOrdenacionEstableDeLosBytes) {
    std::mt19937 azar(76);
    const char codigos[] = "aaaaabbb\x01\xFF";
    for (const TSortDirection sentido : {sdAscending, sdDescending}) {
        SCOPED_TRACE(sentido == sdAscending ? "ascendente" : "descendente");
        constexpr int filas = 600;
        std::vector<std::pair<std::string, int>> modelo;
        g->SetRowCountEx(filas + 1);
        for (int r = 1; r <= filas; ++r) {
            std::string t(azar() % 12, 'a');
            for (char& ch : t)
                ch = codigos[azar() % 10];
            modelo.emplace_back(t, r);
            g->SetCells(1, r, AnsiString(t));
            g->SetCells(2, r, AnsiString(r));
        }
        std::stable_sort(modelo.begin(), modelo.end(), [&](const auto& a, const auto& b) {
            return sentido == sdAscending ? a.first < b.first : b.first < a.first;
        });
        TSortSettings* s = g->GetSortSettings();
        s->SetAutoFormat(false);
        s->SetFull(false);
        s->SetDirection(sentido);
        s->SetColumn(1);
        g->QSort();
        for (int r = 1; r <= filas; ++r) {
            ASSERT_EQ(g->GetCells(1, r).str(), modelo[r - 1].first) << r;
            ASSERT_EQ(g->GetCells(2, r), AnsiString(modelo[r - 1].second)) << r;
        }
    }
}

TEST_F(Orden, FijasYPieEnSuSitioYVueltaAlOrden) {
    Llenar({"c", "a", "d", "b", "TOTAL"});
    g->SetCells(1, 0, "cabecera");
    g->SetFixedFooters(1);
    g->GetSortSettings()->SetColumn(1);
    g->QSort();
    EXPECT_EQ(Col(1, 0), "cabecera|a|b|c|d|TOTAL");
    EXPECT_EQ(g->SortedRowIndex(1), 2);
    EXPECT_EQ(g->UnSortedRowIndex(2), 1);
    EXPECT_EQ(g->GetUnSortedCell(1, 1), "c");
    g->GetSortSettings()->SetColumn(2);
    g->GetSortSettings()->SetDirection(sdDescending);
    g->QSort();
    EXPECT_EQ(Col(1, 0), "cabecera|b|d|a|c|TOTAL");
    g->QUnSort();
    EXPECT_EQ(Col(1, 0), "cabecera|c|a|d|b|TOTAL");
    EXPECT_EQ(Col(2), "1|2|3|4|5");
    // Each row moved once at most: n - cycles exchanges.
    EXPECT_LE(g->intercambios, 3 * 4);
}

TEST_F(Orden, IndexadoPorVariasColumnas) {
    Llenar({"b", "a", "b", "a"});
    g->SetCells(3, 1, "1");
    g->SetCells(3, 2, "1");
    g->SetCells(3, 3, "2");
    g->SetCells(3, 4, "2");
    try {
        g->QSortIndexed();
        ADD_FAILURE() << "sin claves";
    } catch (const EKavGridError& e) {
        EXPECT_EQ(e.Message, "No indexes specified for indexed sort");
    }
    EXPECT_EQ(Col(1), "b|a|b|a");
    g->GetSortIndexes()->AddIndex(1, true);
    g->GetSortIndexes()->AddIndex(3, false);
    g->QSortIndexed();
    EXPECT_EQ(Col(2), "4|2|3|1");
    EXPECT_EQ(g->GetSortIndexes()->GetCount(), 2);
}

TEST_F(Orden, LoQueViajaConLaFilaYFilaActual) {
    Llenar({"c", "a", "b"});
    g->SetRowHeights(1, 40);
    TCellProperties* p = g->GetCellProperties(3, 1);
    g->GetMouseActions()->SetDisjunctRowSelect(true);
    g->GetNavigation()->SetMoveRowOnSort(true);
    g->SetRowSelect(1, true);
    g->SetRow(1);
    g->GetSortSettings()->SetColumn(1);
    std::vector<std::pair<int, int>> avisos;
    g->OnRowUpdate = [&](TObject*, int a, int b) { avisos.emplace_back(a, b); };
    g->QSort();
    EXPECT_EQ(Col(1), "a|b|c");
    EXPECT_EQ(g->GetRowHeights(3), 40);
    EXPECT_EQ(g->FindCellProperties(3, 3), p);
    EXPECT_TRUE(g->GetRowSelect(3));
    EXPECT_FALSE(g->GetRowSelect(1));
    EXPECT_EQ(g->GetRow(), 3);
    // Without MoveRowOnSort the current row keeps its index and the event tells so.
    g->GetNavigation()->SetMoveRowOnSort(false);
    g->GetSortSettings()->SetDirection(sdDescending);
    avisos.clear();
    g->QSort();
    EXPECT_EQ(Col(1), "c|b|a");
    EXPECT_EQ(g->GetRow(), 3);
    EXPECT_EQ(avisos, (std::vector<std::pair<int, int>>{{3, 3}}));
}

TEST_F(Orden, ColumnaCeroYColumnaSola) {
    Llenar({"c", "a", "b"});
    for (int r = 1; r <= 3; ++r)
        g->SetCells(0, r, AnsiString(r));
    g->GetSortSettings()->SetColumn(1);
    g->GetSortSettings()->SetNormalCellsOnly(true);
    g->QSort();
    EXPECT_EQ(Col(0), "1|2|3");
    EXPECT_EQ(Col(1), "a|b|c");
    EXPECT_EQ(Col(2), "2|3|1");
    g->GetSortSettings()->SetSingleColumn(true);
    g->GetSortSettings()->SetDirection(sdDescending);
    g->QSort();
    EXPECT_EQ(Col(1), "c|b|a");
    EXPECT_EQ(Col(2), "2|3|1");
    g->SortByColumn(2);
    EXPECT_EQ(Col(2), "3|2|1");
}

// Equal numbers, however written, are decided by the following columns (the next one first,
// then the one after), in both directions; without Full they keep their order. Column 4
// numbers the rows.
TEST_F(Orden, EmpatesNumericosPorLasColumnasSiguientes) {
    struct Fila {
        const char *clave, *letra, *numero;
    };
    const Fila filas[] = {
        {"1,50", "c", "1"},
        {"0", "b", "2"},
        {"1.5", "a", "1"},
        {"-0", "b", "1"},
        {"", "c", "1"},
        {"01,5", "b", "1"},
        {"12345678901234567891", "a", "1"},
        {"12345678901234567890", "b", "1"},
        {"0,1", "z", "1"},
        {"0,10", "y", "1"},
        {"-2", "x", "1"},
    };
    auto Probar = [&](TKavStringGrid* r) {
        r->SetRowCountEx(12);
        for (int i = 0; i < 11; ++i) {
            r->SetCells(1, i + 1, filas[i].clave);
            r->SetCells(2, i + 1, filas[i].letra);
            r->SetCells(3, i + 1, filas[i].numero);
            r->SetCells(4, i + 1, AnsiString(i + 1));
        }
        TSortSettings* s = r->GetSortSettings();
        s->SetColumn(1);
        r->QSort();
        EXPECT_EQ(TextosColumna(r, 4, 1, 11, "|"), "11|4|2|5|10|9|3|6|1|7|8");
        s->SetDirection(sdDescending);
        r->QSort();
        EXPECT_EQ(TextosColumna(r, 4, 1, 11, "|"), "8|7|1|6|3|9|10|5|2|4|11");
        r->QUnSort();
        s->SetDirection(sdAscending);
        s->SetFull(false);
        r->QSort();
        EXPECT_EQ(TextosColumna(r, 4, 1, 11, "|"), "11|2|4|5|9|10|1|3|6|7|8");
    };
    {
        SCOPED_TRACE("SortSwapRows propio");
        Probar(g);
    }
    {
        SCOPED_TRACE("filas movidas en una pasada");
        Probar(new Rejilla(ventana.get(), ventana.get()));
    }
}

// A block where nearly every row ties on the sorted column (a few values over thousands of
// rows) against a plain sort over the following columns, in both directions: the tie
// columns' keys are made in one pass over the block, and their automatic style is still
// the whole column's (numbers, or text once one cell anywhere in it is no number).
TEST_F(Orden, MuchosEmpatesPorLasColumnasSiguientesComoUnaOrdenacionEstable) {
    std::mt19937 azar(4096);
    constexpr int filas = 6000;
    for (const bool conTexto : {false, true})
        for (const TSortDirection sentido : {sdAscending, sdDescending}) {
            SCOPED_TRACE(std::string(conTexto ? "columna 2 con texto" : "columna 2 numerica") +
                         (sentido == sdAscending ? ", ascendente" : ", descendente"));
            const int texto = conTexto ? static_cast<int>(azar() % filas) : -1;
            struct Fila {
                std::string clave, numero, letra;
                int id;
            };
            std::vector<Fila> modelo;
            g->SetRowCountEx(filas + 1);
            for (int i = 0; i < filas; ++i) {
                Fila f{std::string(1, static_cast<char>('p' + azar() % 3)),
                       i == texto ? "x" : std::to_string(static_cast<int>(azar() % 41) - 5),
                       std::string(1, static_cast<char>('a' + azar() % 4)), i + 1};
                g->SetCells(1, i + 1, AnsiString(f.clave));
                g->SetCells(2, i + 1, AnsiString(f.numero));
                g->SetCells(3, i + 1, AnsiString(f.letra));
                g->SetCells(4, i + 1, AnsiString(f.id));
                modelo.push_back(f);
            }
            auto segunda = [&](const Fila& a, const Fila& b) {
                return conTexto ? a.numero.compare(b.numero)
                                : std::stoi(a.numero) - std::stoi(b.numero);
            };
            std::stable_sort(modelo.begin(), modelo.end(), [&](const Fila& a, const Fila& b) {
                int c = a.clave.compare(b.clave);
                if (c == 0) c = segunda(a, b);
                if (c == 0) c = a.letra.compare(b.letra);
                if (c == 0) c = a.id - b.id; // the row numbers' column is the last one compared
                return sentido == sdAscending ? c < 0 : c > 0;
            });
            TSortSettings* s = g->GetSortSettings();
            s->SetDirection(sentido);
            s->SetColumn(1);
            g->QSort();
            for (int r = 1; r <= filas; ++r)
                ASSERT_EQ(g->GetCells(4, r), AnsiString(modelo[r - 1].id)) << r;
            g->QUnSort();
        }
}

// A following column's format is asked for once, and only when ties reach it; its automatic
// style is still decided over every normal row, not over the tied ones alone.
TEST_F(Orden, ColumnasDeDesempateSoloConEmpates) {
    Llenar({"3", "1", "2"});
    std::vector<int> pedidas;
    TSortStyle estilo3 = ssAutomatic;
    g->OnGetFormat = [&](TObject*, int ACol, TSortStyle& S, AnsiString&, AnsiString&) {
        pedidas.push_back(ACol);
        if (ACol == 3 && estilo3 != ssAutomatic) S = estilo3;
    };
    g->GetSortSettings()->SetColumn(1);
    g->QSort();
    EXPECT_EQ(pedidas, std::vector<int>{1});
    g->SetCells(1, 3, "1,0");
    pedidas.clear();
    g->QSort();
    EXPECT_EQ(pedidas, (std::vector<int>{1, 2}));
    // Rows 1 and 2 tie on columns 1 and 2; column 3 holds a text in row 3: alphabetic.
    const char* filas[][4] = {{"1", "a", "9", "1"}, {"1", "a", "10", "2"}, {"2", "b", "x", "3"}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c)
            g->SetCells(c, r, filas[r - 1][c - 1]);
    pedidas.clear();
    g->QSort();
    EXPECT_EQ(pedidas, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Col(4), "2|1|3");
    estilo3 = ssNumeric;
    g->QSort();
    EXPECT_EQ(Col(4), "1|2|3");
}

// A grid that moves its rows itself (SortSwapRows, or the cell store's exchange) sees every
// exchange; one that does not has its rows moved in one pass. Both end the same: texts,
// heights, row-select flags by display and by real index with hidden rows, the current row
// followed, the cross-reference and QUnSort.
TEST_F(Orden, FilasMovidasDeUnaPasadaComoPorIntercambios) {
    constexpr int filas = 120;
    std::mt19937 azar(2024);
    std::vector<std::string> claves, textos;
    for (int i = 0; i < filas; ++i) {
        claves.push_back(std::to_string(azar() % 40) + "," + std::to_string(azar() % 3));
        textos.push_back(std::string(1, static_cast<char>('a' + azar() % 5)));
    }
    auto* sola = new Rejilla(ventana.get(), ventana.get());
    auto* almacen = new RejillaIntercambio(ventana.get(), ventana.get());
    TKavStringGrid* rejillas[] = {g, sola, almacen};
    for (const bool persistentes : {false, true}) {
        SCOPED_TRACE(persistentes ? "marcas por fila real" : "marcas por fila mostrada");
        for (TKavStringGrid* r : rejillas) {
            r->GetMouseActions()->SetDisjunctRowSelect(true);
            r->GetMouseActions()->SetRowSelectPersistent(persistentes);
            r->GetNavigation()->SetMoveRowOnSort(true);
            r->SetRowCountEx(filas + 2);
            r->SetFixedFooters(1);
            for (int i = 0; i < filas; ++i) {
                r->SetCells(1, i + 1, AnsiString(claves[i]));
                r->SetCells(2, i + 1, AnsiString(textos[i]));
                r->SetCells(3, i + 1, AnsiString(i + 1));
                r->SetRowHeights(i + 1, 20 + i % 7);
                r->SetRowSelect(i + 1, i % 3 == 0);
            }
            r->SetCells(1, filas + 1, "TOTAL");
            r->HideRows(10, 14);
            r->SetRow(30);
        }
        auto Igual = [&](const char* paso) {
            SCOPED_TRACE(paso);
            for (TKavStringGrid* r : {rejillas[1], rejillas[2]}) {
                ASSERT_EQ(r->GetRowCount(), g->GetRowCount());
                for (int f = 0; f < g->GetRowCount(); ++f) {
                    for (int c = 1; c <= 3; ++c)
                        ASSERT_EQ(r->GetCells(c, f), g->GetCells(c, f)) << c << "," << f;
                    ASSERT_EQ(r->GetRowHeights(f), g->GetRowHeights(f)) << f;
                    ASSERT_EQ(r->SortedRowIndex(f), g->SortedRowIndex(f)) << f;
                }
                for (int f = 0; f < g->GetRowCount() + g->NumHiddenRows(); ++f)
                    ASSERT_EQ(r->GetRowSelect(f), g->GetRowSelect(f)) << f;
                EXPECT_EQ(r->GetRow(), g->GetRow());
            }
        };
        for (TKavStringGrid* r : rejillas) {
            r->GetSortSettings()->SetColumn(1);
            r->QSort();
        }
        Igual("numeros con empates");
        for (TKavStringGrid* r : rejillas) {
            r->GetSortSettings()->SetColumn(2);
            r->GetSortSettings()->SetDirection(sdDescending);
            r->QSort();
        }
        Igual("texto descendente");
        for (TKavStringGrid* r : rejillas)
            r->QuickSort(3, 20, 60);
        Igual("un tramo");
        for (TKavStringGrid* r : rejillas)
            r->QUnSort();
        Igual("vuelta al orden");
        EXPECT_EQ(TextosColumna(g, 3, 1, 10, "|"), "1|2|3|4|5|6|7|8|9|15");
        for (TKavStringGrid* r : rejillas)
            r->UnHideRows(10, 14);
    }
    EXPECT_GT(g->intercambios, filas);
    EXPECT_GT(almacen->intercambios, filas);
}

// The column's style for Compare is the one a sort of the normal rows takes, whatever rows
// are compared.
TEST_F(Orden, CompararConElEstiloDeLasFilasNormales) {
    Llenar({"10", "9"});
    g->SetCells(1, 0, "Importe");
    EXPECT_EQ(g->Compare(1, 1, 2, sdAscending), 1);
    EXPECT_EQ(g->Compare(1, 1, 0, sdAscending), 1); // the header reads as 0
}

} // namespace
