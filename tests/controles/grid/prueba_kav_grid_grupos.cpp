// Row grouping of the advanced grid on a fixture of elements by zone and kind: the rows
// grouped and sub-grouped, the aggregates of each group (worked out by hand) also with a
// group contracted, the sort inside the groups, UnGroup giving back the grid exactly as the
// grouping's sort left it, the header click of a grouped grid, and a capture with tree lines.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Elemento {
    const char *zona, *tipo, *nombre;
    int valor;
};

// Out of order: the grouping's sort brings each zone's kinds together.
const Elemento kElementos[] = {
    {"B", "muro", "m1", 10},   {"A", "muro", "m2", 4},   {"C", "hueco", "h1", 7},
    {"A", "muro", "m3", 6},    {"B", "muro", "m4", 2},   {"D", "muro", "m6", 12},
    {"A", "muro", "m5", 1},    {"A", "hueco", "h2", 2},  {"C", "hueco", "h3", 3},
    {"B", "hueco", "h4", 8},   {"A", "hueco", "h5", 3},  {"D", "muro", "m7", 3},
    {"B", "hueco", "h6", 4},   {"B", "hueco", "h7", 1},  {"B", "puente", "p1", 5},
    {"C", "puente", "p2", 11}, {"A", "puente", "p3", 9}, {"D", "hueco", "h8", 6},
    {"C", "puente", "p4", 1},  {"A", "puente", "p5", 3}, {"C", "puente", "p6", 2},
};
constexpr int kFilas = static_cast<int>(std::size(kElementos));

void Llenar(TKavStringGrid* g) {
    g->SetColCount(5);
    g->SetRowCount(kFilas + 2);
    g->SetFixedFooters(1);
    const char* titulos[] = {"", "Zona", "Tipo", "Nombre", "Valor"};
    for (int c = 0; c < 5; ++c) {
        g->SetCells(c, 0, titulos[c]);
        g->SetColWidths(c, 30 + 12 * c);
    }
    for (int r = 0; r < kFilas; ++r) {
        const Elemento& e = kElementos[r];
        g->SetCells(1, r + 1, e.zona);
        g->SetCells(2, r + 1, e.tipo);
        g->SetCells(3, r + 1, e.nombre);
        g->SetCells(4, r + 1, IntToStr(e.valor));
    }
    g->SetCells(1, kFilas + 1, "pie zona");
    g->SetCells(2, kFilas + 1, "pie tipo");
}

class Grupos : public RejillaEnVentana<Rejilla, 700, 800> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 420, 760);
        Llenar(g);
    }
    // One word per row between the fixed row and the footer: "A:" a group header, "a:" a
    // sub-group header (their texts), "S" a summary, else the element's name.
    std::string Forma(int ColNombre) {
        std::string s;
        for (int r = 1; r < g->GetRowCount() - 1; ++r) {
            if (!s.empty()) s += ' ';
            if (g->IsNode(r))
                s += (g->GetNodeLevel(r) == 1 ? "A:" + g->GetCells(1, r).str()
                                              : "a:" + g->GetCells(ColNombre, r).str());
            else if (g->IsSummary(r))
                s += "S";
            else
                s += g->GetCells(ColNombre, r).str();
        }
        return s;
    }
    int Fila(int Col, const char* Text) {
        for (int r = 0; r < g->GetRowCount(); ++r)
            if (g->GetCells(Col, r) == Text) return r;
        return -1;
    }
    // The grid as Group's own sort leaves it: a copy sorted on the same column.
    void IgualQueOrdenado(int Columna) {
        auto ref = std::make_unique<Rejilla>(ventana.get(), ventana.get());
        Llenar(ref.get());
        ref->GetSortSettings()->SetColumn(Columna);
        ref->QSort();
        ASSERT_EQ(g->GetRowCount(), ref->GetRowCount());
        ASSERT_EQ(g->GetColCount(), ref->GetColCount());
        EXPECT_EQ(g->NumHiddenRows(), 0);
        EXPECT_FALSE(g->HasNodes());
        EXPECT_EQ(g->GetGroupColumn(), -1);
        for (int c = 0; c < g->GetColCount(); ++c) {
            EXPECT_EQ(g->GetColWidths(c), ref->GetColWidths(c)) << c;
            for (int r = 0; r < g->GetRowCount(); ++r)
                EXPECT_EQ(g->GetCells(c, r), ref->GetCells(c, r)) << c << "," << r;
        }
    }
};

TEST_F(Grupos, GruposConResumenYSusAgregados) {
    g->GetGrouping()->SetSummary(true);
    g->SetGroupColumn(0); // nothing
    g->SetGroupColumn(-1);
    EXPECT_EQ(g->GetColCount(), 5);
    g->SetGroupColumn(1);
    EXPECT_EQ(g->GetGroupColumn(), 1);
    EXPECT_EQ(g->GetColCount(), 4);
    EXPECT_EQ(g->GetCells(1, 0), "Tipo");
    // The sort puts ties in the order of the following columns.
    EXPECT_EQ(Forma(2), "A:A h2 h5 m2 m3 m5 p3 p5 S A:B h4 h6 h7 m1 m4 p1 S A:C h1 h3 p2 p4 p6 S "
                        "A:D h8 m6 m7 S");
    EXPECT_EQ(g->GetNodeSpan(1), 8);
    EXPECT_EQ(g->GetNodeCount(), 4);
    EXPECT_EQ(g->GetCells(1, g->GetRowCount() - 1), "pie tipo");
    // Sums 28, 30, 24, 21 and counts 7, 6, 5, 3 into the summary rows.
    struct Caso {
        int modo;
        double a, b, c, d;
    };
    const Caso casos[] = {{1, 28, 30, 24, 21},
                          {2, 4, 5, 4.8, 7},
                          {3, 1, 1, 1, 3},
                          {4, 9, 10, 11, 12},
                          {5, 7, 6, 5, 3}};
    // B contracted: its rows count all the same, and nothing lands on another group.
    g->ContractNode(Fila(1, "B"));
    EXPECT_EQ(Forma(2), "A:A h2 h5 m2 m3 m5 p3 p5 S A:B S A:C h1 h3 p2 p4 p6 S A:D h8 m6 m7 S");
    for (const Caso& c : casos) {
        g->GroupCalc(3, c.modo);
        const int sa = 9, sb = Fila(1, "B") + 1, sc = Fila(1, "C") + 6, sd = Fila(1, "D") + 4;
        EXPECT_DOUBLE_EQ(g->GetFloats(3, sa), c.a) << c.modo;
        EXPECT_DOUBLE_EQ(g->GetFloats(3, sb), c.b) << c.modo;
        EXPECT_DOUBLE_EQ(g->GetFloats(3, sc), c.c) << c.modo;
        EXPECT_DOUBLE_EQ(g->GetFloats(3, sd), c.d) << c.modo;
        EXPECT_EQ(g->GetCells(3, Fila(1, "C")), "") << c.modo;
    }
    // A cell that is not a number is left out of the average, as of the sum.
    const int h8 = Fila(1, "D") + 1, sd = Fila(1, "D") + 4;
    const AnsiString antes = g->GetCells(3, h8);
    g->SetCells(3, h8, "1-2");
    g->GroupAvg(3);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, sd), (21 - StrToFloat(antes)) / 2);
    g->SetCells(3, h8, antes);
    g->ExpandAll();
    // The data rows kept their values.
    EXPECT_EQ(TextosColumna(g, 3, Fila(1, "B") + 1, Fila(1, "B") + 6, " "), "8 4 1 10 2 5");
    // A mode outside 1..5 writes nothing.
    g->SetCells(3, 9, "x");
    g->GroupCalc(3, 6);
    EXPECT_EQ(g->GetCells(3, 9), "x");
}

TEST_F(Grupos, SinResumenElTotalVaALaCabecera) {
    // Grouped on the kind (column 2): the header text stays in column 1.
    g->Group(2);
    EXPECT_EQ(Forma(2), "A:hueco h1 h2 h3 h4 h5 h6 h7 h8 A:muro m1 m2 m3 m4 m5 m6 m7 A:puente "
                        "p1 p2 p3 p4 p5 p6");
    g->ContractNode(1);
    g->GroupSum(3);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, 1), 34);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, 2), 38);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, 10), 31);
    g->GroupCount(3);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, 1), 8);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, 2), 7);
    g->UnGroup();
    IgualQueOrdenado(2);
}

TEST_F(Grupos, SubgruposAgregadosYOrdenDentro) {
    g->GetGrouping()->SetSummary(true);
    g->Group(1);
    g->SubGroup(1);
    EXPECT_EQ(g->GetSubGroupColumn(), 1);
    EXPECT_EQ(Forma(2), "A:A a:hueco h2 h5 a:muro m2 m3 m5 a:puente p3 p5 S "
                        "A:B a:hueco h4 h6 h7 a:muro m1 m4 a:puente p1 S "
                        "A:C a:hueco h1 h3 a:puente p2 p4 p6 S A:D a:hueco h8 a:muro m6 m7 S");
    // The kind moved into the sub-group headers.
    EXPECT_EQ(g->GetCells(1, 3), "");
    EXPECT_EQ(g->GetNodeSpan(1), 11);
    EXPECT_EQ(g->GetNodeSpan(2), 3);
    EXPECT_EQ(g->GetNodeLevel(2), 2);
    // Groups into their summaries over their own data rows only; the sub-groups inside a
    // group take nothing, and their headers count as no row of it.
    g->ContractNode(Fila(2, "hueco")); // A's kind "hueco", rows 3 and 4
    g->GroupSum(3);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, 10), 28); // A's summary, "hueco" closed above it
    EXPECT_EQ(g->GetCells(3, 2), "");
    EXPECT_EQ(g->GetCells(3, 3), "");
    EXPECT_DOUBLE_EQ(g->GetFloats(3, Fila(1, "B") + 10), 30);
    EXPECT_EQ(g->GetCells(3, Fila(1, "D") + 1), "");
    EXPECT_EQ(g->GetCells(3, Fila(1, "D") + 3), "");
    g->GroupCount(3);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, 10), 7);
    EXPECT_DOUBLE_EQ(g->GetFloats(3, Fila(1, "D") + 5), 3);
    g->GroupSum(3);
    g->ExpandAll();
    // Sorting inside the groups moves only their plain rows.
    const std::string antes = Forma(2);
    g->GetSortSettings()->SetColumn(3);
    g->GetSortSettings()->SetDirection(sdDescending);
    g->QSortGroup();
    EXPECT_EQ(Forma(2), "A:A a:hueco h5 h2 a:muro m3 m2 m5 a:puente p3 p5 S "
                        "A:B a:hueco h4 h6 h7 a:muro m1 m4 a:puente p1 S "
                        "A:C a:hueco h1 h3 a:puente p2 p6 p4 S A:D a:hueco h8 a:muro m6 m7 S");
    g->GetSortSettings()->SetDirection(sdAscending);
    g->GetSortSettings()->SetColumn(2);
    g->QSortGroup();
    EXPECT_EQ(Forma(2), antes);
    g->SubUnGroup(1);
    EXPECT_EQ(g->GetSubGroupColumn(), -1);
    EXPECT_EQ(Forma(2), "A:A h2 h5 m2 m3 m5 p3 p5 S A:B h4 h6 h7 m1 m4 p1 S A:C h1 h3 p2 p4 p6 S "
                        "A:D h8 m6 m7 S");
    EXPECT_EQ(g->GetCells(1, Fila(2, "h6")), "hueco");
    EXPECT_EQ(g->GetNodeSpan(1), 8);
}

TEST_F(Grupos, DesagruparDevuelveLaRejillaCeldaACelda) {
    struct Caso {
        int columna;
        bool resumen, combinar;
        int subgrupo; // -1: none
    };
    const Caso casos[] = {
        {1, false, false, -1}, {1, true, true, -1},  {2, true, false, -1},
        {1, true, true, 1},    {2, false, false, 2}, {3, true, false, 1},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.columna) + " " + std::to_string(c.resumen) + " " +
                     std::to_string(c.subgrupo));
        SetUp();
        TGrouping* o = g->GetGrouping();
        o->SetSummary(c.resumen);
        o->SetMergeHeader(c.combinar);
        o->SetHeaderColor(clYellow);
        o->SetSummaryColor(clAqua);
        g->Group(c.columna);
        if (c.subgrupo >= 0) g->SubGroup(c.subgrupo);
        g->ContractNode(1);
        g->UnGroup();
        IgualQueOrdenado(c.columna);
        TearDown();
    }
    // Rows hidden before grouping are grouped with the others.
    SetUp();
    g->HideRows(3, 5);
    g->Group(1);
    EXPECT_EQ(g->GetNodeSpan(1), 8);
    g->UnGroup();
    IgualQueOrdenado(1);
    TearDown();
    // A copy of a grouped grid ungroups as the grid itself would.
    SetUp();
    g->GetGrouping()->SetSummary(true);
    g->Group(1);
    g->SubGroup(1);
    auto* copia = new Rejilla(ventana.get(), ventana.get());
    copia->Assign(g);
    g = copia;
    EXPECT_EQ(g->GetNodeCount(), 14);
    g->UnGroup();
    IgualQueOrdenado(1);
}

// Values, zones and kinds, in a grid of its own: the group values must come back whatever
// the calculations and edits wrote into the headers.
class ValoresDeGrupo : public RejillaEnVentana<Rejilla, 500, 400> {
protected:
    struct Fila3 {
        const char *valor, *zona, *tipo;
    };
    void Llenar3(TKavStringGrid* r, const std::vector<Fila3>& filas) {
        r->SetColCount(4);
        r->SetRowCount(static_cast<int>(filas.size()) + 1);
        for (size_t i = 0; i < filas.size(); ++i) {
            const int f = static_cast<int>(i) + 1;
            r->SetCells(1, f, filas[i].valor);
            r->SetCells(2, f, filas[i].zona);
            r->SetCells(3, f, filas[i].tipo);
        }
    }
    // The cells as the grouping's own sort on Columna leaves them, row by row.
    std::string Ordenado(const std::vector<Fila3>& filas, int Columna) {
        auto ref = std::make_unique<Rejilla>(ventana.get(), ventana.get());
        Llenar3(ref.get(), filas);
        ref->GetSortSettings()->SetColumn(Columna);
        ref->QSort();
        return Celdas(ref.get());
    }
    static std::string Celdas(TKavStringGrid* r) {
        std::string s;
        for (int f = 0; f < r->GetRowCount(); ++f) {
            s += f ? "/" : "";
            for (int c = 0; c < r->GetColCount(); ++c)
                s += (c ? "|" : "") + r->GetCells(c, f).str();
        }
        return s;
    }
};

TEST_F(ValoresDeGrupo, DesagruparDevuelveLosValoresPeseALoEscritoEnLasCabeceras) {
    const std::vector<Fila3> filas = {
        {"30", "B", "x"}, {"10", "A", "x"}, {"40", "B", "y"}, {"20", "A", "y"}};
    struct Caso {
        const char* nombre;
        bool resumen;
        int grupo;
        std::function<void(TKavStringGrid*)> pasos;
    } casos[] = {
        {"suma en la columna del texto", false, 2, [](TKavStringGrid* r) { r->GroupSum(1); }},
        {"cuenta en la columna del texto", false, 2, [](TKavStringGrid* r) { r->GroupCalc(1, 5); }},
        {"cabecera editada", false, 2, [](TKavStringGrid* r) { r->SetCells(1, 1, "otro"); }},
        {"subgrupos con suma", false, 1,
         [](TKavStringGrid* r) {
             r->SubGroup(1);
             r->GroupSum(2);
             r->SubUnGroup(1);
         }},
        {"subgrupos con resumen", true, 2,
         [](TKavStringGrid* r) {
             r->SubGroup(1);
             r->GroupMax(1);
             r->SubUnGroup(1);
         }},
        {"subgrupo en la ultima columna", false, 2,
         [](TKavStringGrid* r) {
             r->SubGroup(2);
             r->GroupSum(1);
             r->SubUnGroup(2);
         }},
        {"subgrupo en la ultima columna sin deshacerlo", true, 1,
         [](TKavStringGrid* r) { r->SubGroup(2); }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        Llenar3(g, filas);
        g->GetGrouping()->SetSummary(c.resumen);
        g->Group(c.grupo);
        c.pasos(g);
        g->UnGroup();
        EXPECT_EQ(Celdas(g), Ordenado(filas, c.grupo));
        TearDown();
    }
}

TEST_F(ValoresDeGrupo, LasFilasSinValorAlPrincipioNoFormanGrupo) {
    struct Caso {
        const char* nombre;
        std::vector<Fila3> filas;
        const char* forma;    // after Group(2): "A:" a header, else a value
        const char* cerrados; // what stays shown with every group closed
    } casos[] = {
        {"dos vacias delante",
         {{"1", "", "x"}, {"2", "B", "x"}, {"3", "", "y"}, {"4", "A", "y"}},
         "1 3 A:A 4 A:B 2",
         "1 3 A:A A:B"},
        {"todas vacias", {{"1", "", "x"}, {"2", "", "y"}}, "1 2", "1 2"},
        {"ninguna vacia", {{"1", "B", "x"}, {"2", "A", "y"}}, "A:A 2 A:B 1", "A:A A:B"},
    };
    const auto Forma = [&] {
        std::string forma;
        for (int r = 1; r < g->GetRowCount(); ++r)
            forma += (r > 1 ? " " : "") + std::string(g->IsNode(r) ? "A:" : "") +
                     g->GetCells(1, r).str();
        return forma;
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        Llenar3(g, c.filas);
        g->Group(2);
        EXPECT_EQ(Forma(), c.forma);
        // The rows in no group stay shown when every group closes.
        g->ContractAll();
        EXPECT_EQ(Forma(), c.cerrados);
        g->UnGroup();
        EXPECT_EQ(Celdas(g), Ordenado(c.filas, 2));
        TearDown();
    }
}

TEST_F(Grupos, ClicEnCabeceraOrdenaDentroDeLosGrupos) {
    g->GetGrouping()->SetSummary(true);
    g->Group(1);
    g->GroupSum(3);
    g->GetSortSettings()->SetShow(true);
    g->SetFocus();
    const std::string antes = Forma(2);
    const TRect r = g->CellRect(3, 0);
    SimulateClick(g, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    // Ascending on the value; headers and summaries (with their sums) stay where they were.
    EXPECT_EQ(Forma(2), "A:A m5 h2 h5 p5 m2 m3 p3 S A:B h7 m4 h6 p1 h4 m1 S A:C p4 p6 h3 h1 p2 S "
                        "A:D m7 h8 m6 S");
    EXPECT_DOUBLE_EQ(g->GetFloats(3, 9), 28);
    EXPECT_NE(Forma(2), antes);
}

TEST_F(Grupos, CapturaConLineasDeArbol) {
    TGrouping* o = g->GetGrouping();
    o->SetSummary(true);
    o->SetMergeHeader(true);
    o->SetHeaderColor(0xF0E0C0);
    o->SetHeaderTextColor(clNavy);
    o->SetSummaryColor(0xE0F0E0);
    g->GetCellNode()->SetShowTreeFull(false);
    g->Group(1);
    g->SubGroup(1);
    g->GroupSum(3);
    // A merged sub-group header keeps its text and takes no sum.
    const int hueco = Fila(2, "hueco");
    ASSERT_EQ(hueco, 2);
    EXPECT_EQ(g->GetCells(3, hueco), "");
    g->SetColWidths(0, 40);
    g->ContractNode(Fila(2, "hueco"));
    g->ContractNode(g->RealRowIndex(Fila(1, "C")));
    g->Repaint();
    EXPECT_FALSE(SaveCapture(g, "kavgrid_grupos").IsEmpty());
}

} // namespace
