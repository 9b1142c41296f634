// The lists the advanced grid mirrors into cells or editors: column and row headers, the
// combo editor's items, the lookup items and the columns whose equal cells are merged,
// also across inserts and header-click sorts.

#include "controles/grid/kav_grid.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Cabeceras : public RejillaEnVentana<Rejilla, 500, 400> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 400, 300);
        g->SetColCountEx(3);
        g->SetRowCountEx(4);
    }
    std::string Fila0() { return TextosPorFila(0); }
    std::string TextosPorFila(int r) {
        std::string s;
        for (int c = 0; c < g->GetColCount(); ++c)
            s += (c ? "|" : "") + g->GetCells(c, r).str();
        return s;
    }
};

TEST_F(Cabeceras, ColumnasYFilas) {
    TStringList lista;
    lista.Add("Nombre");
    lista.Add("Espesor\\nm");
    lista.Add("Conductividad");
    lista.Add("de sobra");
    g->SetColumnHeaders(&lista);
    EXPECT_EQ(Fila0(), "Nombre|Espesor\rm|Conductividad");
    // A change of one text rewrites the header row at once.
    g->GetColumnHeaders()->SetStrings(0, "Material");
    EXPECT_EQ(Fila0(), "Material|Espesor\rm|Conductividad");
    // A shorter list clears the texts it no longer has.
    TStringList corta;
    corta.Add("Solo");
    g->SetColumnHeaders(&corta);
    EXPECT_EQ(Fila0(), "Solo||");
    // The list follows its columns: an inserted column takes an empty entry, and a later
    // change writes every header over its own column.
    g->InsertCols(0, 1);
    EXPECT_EQ(Fila0(), "|Solo||");
    g->GetColumnHeaders()->Add("Dos");
    EXPECT_EQ(Fila0(), "|Solo|Dos|");

    TStringList filas;
    for (const char* t : {"", "uno", "dos", "tres", "cuatro"})
        filas.Add(t);
    g->SetRowHeaders(&filas);
    EXPECT_EQ(TextosColumna(g, 0, 1, 3, " "), "uno dos tres");
    g->InsertRows(1, 1);
    EXPECT_EQ(TextosColumna(g, 0, 1, 4, " "), " uno dos tres");
    g->GetRowHeaders()->SetStrings(1, "primera");
    EXPECT_EQ(TextosColumna(g, 0, 1, 4, " "), "primera dos tres cuatro");
    // At run time a shorter list of row headers leaves the rows past it as they are (the
    // column headers' row is cleared first, the header column is not).
    TStringList dos;
    dos.Add("");
    dos.Add("una");
    g->SetRowHeaders(&dos);
    EXPECT_EQ(TextosColumna(g, 0, 1, 4, " "), "una dos tres cuatro");

    // Without fixed rows or columns nothing is written.
    g->SetFixedRows(0);
    g->SetFixedCols(0);
    g->SetCells(1, 0, "dato");
    g->SetCells(0, 2, "dato");
    g->SetColumnHeaders(&lista);
    g->SetRowHeaders(&filas);
    EXPECT_EQ(g->GetCells(1, 0), "dato");
    EXPECT_EQ(g->GetCells(0, 2), "dato");
}

// A grid that is told of each change of a column header, before the header row shows it.
class RejillaAvisada : public Rejilla {
public:
    using Rejilla::Rejilla;
    std::vector<std::string> avisos; // the header cell's text at each notice
    void UpdateColHeaders() override { avisos.push_back(GetCells(0, 0).str()); }
};

TEST(CabecerasAvisadas, CadaCambioAvisaAntesDeMostrarse) {
    VentanaPrueba ventana;
    auto* g = new RejillaAvisada(&ventana, &ventana);
    g->GetColumnHeaders()->Add("uno");
    g->GetColumnHeaders()->SetStrings(0, "dos");
    EXPECT_EQ(g->avisos, (std::vector<std::string>{"", "uno"}));
    EXPECT_EQ(g->GetCells(0, 0), "dos");
}

// Cells written over the headers after the lists were filled get them back on loading.
TEST_F(Cabeceras, LoadedMuestraAmbas) {
    g->GetColumnHeaders()->Add("");
    g->GetColumnHeaders()->Add("c1");
    g->GetRowHeaders()->Add("");
    g->GetRowHeaders()->Add("r1");
    g->SetCells(1, 0, "otra");
    g->SetCells(0, 1, "otra");
    g->Loaded();
    EXPECT_EQ(g->GetCells(1, 0), "c1");
    EXPECT_EQ(g->GetCells(0, 1), "r1");
}

TEST_F(Cabeceras, ElementosDelComboYDeBusqueda) {
    TObject objeto;
    g->AddComboString("rojo");
    g->AddComboStringObject("verde", &objeto);
    g->AddComboString("azul");
    g->AddComboString("verde");
    EXPECT_EQ(g->GetComboCount(), 4);
    EXPECT_EQ(g->GetComboItems()->GetObjects(1), &objeto);
    EXPECT_EQ(g->GetComboSelection(), -1);
    EXPECT_FALSE(g->RemoveComboString("negro"));
    EXPECT_EQ(g->GetComboCount(), 4);
    EXPECT_FALSE(g->SetComboSelectionString("negro"));
    EXPECT_EQ(g->GetComboSelection(), -1);
    EXPECT_TRUE(g->SetComboSelectionString("verde"));
    EXPECT_EQ(g->GetComboSelection(), 1);
    EXPECT_TRUE(g->RemoveComboString("verde")); // the first one
    EXPECT_EQ(g->GetComboItems()->GetText(), "rojo\r\nazul\r\nverde\r\n");
    g->SetComboSelection(2);
    EXPECT_EQ(g->GetComboSelection(), 2);
    g->ClearComboString();
    EXPECT_EQ(g->GetComboCount(), 0);

    TStringList items;
    items.Add("hormigon");
    g->SetLookupItems(&items);
    g->SetLookupItems(nullptr);
    items.Add("ladrillo");
    EXPECT_EQ(g->GetLookupItems()->GetText(), "hormigon\r\n");
}

// Column 1 merged by runs of equal cells, kept right across an inserted row and header
// clicks that sort on column 2.
TEST_F(Cabeceras, ColumnasCombinadasTrasInsertarYOrdenar) {
    g->SetRowCountEx(6);
    g->SetFixedFooters(1);
    const char* zona[] = {"", "b", "a", "b", "a", "pie"};
    const char* clave[] = {"", "4", "1", "3", "2", "pie"};
    for (int r = 0; r < 6; ++r) {
        g->SetCells(1, r, zona[r]);
        g->SetCells(2, r, clave[r]);
    }
    // Each shown row's first row of its merged block in column 1, as "row>base".
    auto bloques = [&] {
        std::string s;
        for (int r = 1; r < g->GetRowCount() - 1; ++r)
            s += std::to_string(r) + ">" + std::to_string(g->BaseCell(1, r).y) + " ";
        return s;
    };
    g->GetMergedColumns()->Add(1);
    EXPECT_EQ(bloques(), "1>1 2>2 3>3 4>4 ");
    g->SetCells(1, 2, "b");
    g->UndoColumnMerge();
    g->ApplyColumnMerge();
    EXPECT_EQ(bloques(), "1>1 2>1 3>1 4>4 ");

    g->GetSortSettings()->SetShow(true);
    g->GetSortSettings()->SetAutoColumnMerge(true);
    g->SetFocus();
    const TRect r = g->CellRect(2, 0);
    SimulateClick(g, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    // Rows (b,4) (b,1) (b,3) (a,2) sorted on the key; the last two "b" merge again.
    EXPECT_EQ(TextosColumna(g, 2, 1, 4, " "), "1 2 3 4");
    EXPECT_EQ(TextosColumna(g, 1, 1, 4, " "), "b a b b");
    EXPECT_EQ(bloques(), "1>1 2>2 3>3 4>3 ");

    g->InsertRows(2, 1);
    g->SetCells(1, 2, "b");
    g->SetCells(2, 2, "0");
    g->GetMergedColumns()->SetItems(0, 1); // rewriting the item merges again
    EXPECT_EQ(bloques(), "1>1 2>1 3>3 4>4 5>4 ");
    g->GetSortSettings()->SetAutoColumnMerge(false);
    g->GetMergedColumns()->Delete(0); // no column left: every block split
    EXPECT_EQ(bloques(), "1>1 2>2 3>3 4>4 5>5 ");
}

} // namespace
