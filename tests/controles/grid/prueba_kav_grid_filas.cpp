// The advanced grid's row and column operations: what travels with a row (texts, property
// objects, heights, controls, row-select flags, hidden rows' real indexes) when rows are
// inserted and removed, appending, clearing, merging, swapping, and the change notices.

#include "controles/grid/kav_grid.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class RejillaFilas : public Rejilla {
public:
    using Rejilla::Rejilla;
    std::vector<int> pies; // columns whose footer was asked for
    void DoCalcFooter(int ACol) override { pies.push_back(ACol); }
};

class Notificador : public TGridChangeNotifier {
public:
    Notificador(std::vector<std::string>& log, const char* name)
        : TGridChangeNotifier(nullptr), log_(log), name_(name) {}
    void CellsChanged(const TRect& R) override {
        log_.push_back(name_ + " " + std::to_string(R.Left) + "," + std::to_string(R.Top) + "," +
                       std::to_string(R.Right) + "," + std::to_string(R.Bottom));
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

class Filas : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new RejillaFilas(ventana.get(), ventana.get());
        g->SetBounds(0, 0, 400, 400);
    }
    // Rows 1..n hold "f1".."fn" in column 1 and "x1".."xn" in hidden-capable column 4.
    void Llenar(int n) {
        g->SetRowCountEx(n + 1);
        for (int r = 1; r <= n; ++r) {
            g->SetCells(1, r, "f" + AnsiString(r));
            g->SetCells(4, r, "x" + AnsiString(r));
        }
    }
    std::string Columna(int c) { return TextosColumna(g, c, 1, g->GetRowCount() - 1, " "); }
    std::unique_ptr<VentanaPrueba> ventana;
    RejillaFilas* g = nullptr;
};

// Insertions and removals with a property object, a control, a row-select flag and a
// hidden row attached: each must stay with its row (or leave with it).
TEST_F(Filas, LoQueAcompanaALasFilas) {
    struct Caso {
        const char* nombre;
        std::function<void(RejillaFilas*)> op;
        const char* textos;  // column 1 after the operation
        int filaPropiedades; // where row f3's property object is (-1: freed)
        int filaControl;     // the control of row f4 (-1: removed)
        int filaMarcada;     // the row-select flag of f5
        int ocultaReal;      // the real index of hidden row f7
    };
    const Caso casos[] = {
        {"InsertRows", [](RejillaFilas* g) { g->InsertRows(2, 2); }, "f1   f2 f3 f4 f5 f6 f8", 5, 6,
         7, 9},
        {"InsertRows al final", [](RejillaFilas* g) { g->InsertRows(g->GetRowCount(), 1); },
         "f1 f2 f3 f4 f5 f6 f8 ", 3, 4, 5, 7},
        {"RemoveRows antes", [](RejillaFilas* g) { g->RemoveRows(1, 2); }, "f3 f4 f5 f6 f8", 1, 2,
         3, 5},
        {"RemoveRows de la fila con propiedades y control",
         [](RejillaFilas* g) { g->RemoveRows(3, 2); }, "f1 f2 f5 f6 f8", -1, -1, 3, 5},
        {"RemoveRowsInternal", [](RejillaFilas* g) { g->RemoveRowsInternal(2, 1); },
         "f1 f3 f4 f5 f6 f8", 2, 3, 4, 6},
        {"IRemoveRows sin ocultas", [](RejillaFilas* g) { g->IRemoveRows(1, 1, false); },
         "f2 f3 f4 f5 f6 f8", 2, 3, 4, 7},
        {"RemoveRows despues", [](RejillaFilas* g) { g->RemoveRows(6, 1); }, "f1 f2 f3 f4 f5 f8", 3,
         4, 5, 6},
        {"DoInsertRow", [](RejillaFilas* g) { g->DoInsertRow(1); }, " f1 f2 f3 f4 f5 f6 f8", 4, 5,
         6, 8},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        Llenar(8);
        g->GetMouseActions()->SetDisjunctRowSelect(true);
        TCellProperties* p = g->GetCellProperties(2, 3);
        auto* control = new TControlPrueba(ventana.get(), g);
        g->SetCellControls(1, 4, control);
        g->SetRowSelect(5, true);
        g->HideRow(7);
        ASSERT_EQ(g->GetCells(1, 7), "f8");
        c.op(g);
        EXPECT_EQ(Columna(1), c.textos);
        if (c.filaPropiedades >= 0) {
            EXPECT_EQ(g->FindCellProperties(2, c.filaPropiedades), p);
        } else {
            for (int r = 0; r < g->GetRowCount(); ++r)
                EXPECT_FALSE(g->HasCellProperties(2, r)) << r;
        }
        if (c.filaControl >= 0) {
            EXPECT_EQ(g->GetControlCellCount(), 1);
            EXPECT_EQ(g->GetCellControls(1, c.filaControl), control);
        } else {
            EXPECT_EQ(g->GetControlCellCount(), 0);
            EXPECT_FALSE(control->GetVisible());
        }
        for (int r = 1; r < g->GetRowCount(); ++r)
            EXPECT_EQ(g->GetRowSelect(r), r == c.filaMarcada) << r;
        ASSERT_EQ(g->NumHiddenRows(), 1);
        EXPECT_EQ(static_cast<TGridItem*>(g->GetHiddenRowList()->GetItem(0))->GetIdx(),
                  c.ocultaReal);
        EXPECT_EQ(g->HiddenRow(c.ocultaReal)->GetStrings(1), "f7");
        // Both maps agree with the hidden row's place.
        EXPECT_EQ(g->RemapRow(c.ocultaReal + 1), c.ocultaReal);
        EXPECT_EQ(g->RemapRowInv(c.ocultaReal), c.ocultaReal + 1);
        g->UnHideRowList();
        EXPECT_EQ(g->GetCells(1, c.ocultaReal), "f7");
        EXPECT_EQ(g->GetCells(4, c.ocultaReal), "x7");
    }
}

TEST_F(Filas, AlturasConSusFilasYFilaActual) {
    Llenar(6);
    g->SetRowHeights(5, 40);
    g->SetRow(6);
    g->RemoveRowsInternal(2, 2);
    EXPECT_EQ(g->GetRowHeights(3), 40);
    EXPECT_EQ(g->GetCells(1, 3), "f5");
    EXPECT_EQ(g->GetRowHeights(4), g->GetDefaultRowHeight());
    // The current row was the last normal row: it becomes the new last one, above the
    // footer rows.
    g->SetFixedFooters(1);
    g->SetRow(4);
    g->RemoveRows(3, 2);
    EXPECT_EQ(g->GetRowCount(), 3);
    EXPECT_EQ(g->GetRow(), 1);
}

TEST_F(Filas, RemoveRowsConservaGoRowSelect) {
    Llenar(4);
    g->SetOptions(g->GetOptions() + TGridOptions{goRowSelect});
    g->RemoveRowsInternal(1, 1);
    EXPECT_TRUE(g->GetOptions().Contains(goRowSelect));
    g->RemoveRowsInternal(1, 10); // more than there are: the grid keeps one row
    EXPECT_GE(g->GetRowCount(), 1);
    EXPECT_TRUE(g->GetOptions().Contains(goRowSelect));
}

TEST_F(Filas, AddRow) {
    Llenar(3);
    const TGridRect sel = g->GetSelection();
    g->SetCells(1, 3, "pie");
    g->AddRow();
    EXPECT_EQ(g->GetRowCount(), 5);
    EXPECT_EQ(g->GetCells(1, 4), "");
    EXPECT_EQ(g->GetRowHeights(4), g->GetDefaultRowHeight());
    EXPECT_EQ(g->GetSelection(), sel);
    // With the floating footer's row the new row goes above it.
    g->GetFloatingFooter()->SetVisible(true);
    g->AddRow();
    EXPECT_EQ(g->GetRowCount(), 6);
    EXPECT_EQ(g->GetCells(1, 3), "pie");
    EXPECT_EQ(g->GetCells(1, 4), "");
    EXPECT_EQ(g->GetCells(1, 5), "");
    g->SetCells(1, 5, "total");
    g->AddRow();
    EXPECT_EQ(g->GetCells(1, 6), "total");
    EXPECT_EQ(g->GetCells(1, 5), "");
    // A footer shown in another style still takes the new row in above the last one, empty.
    g->GetFloatingFooter()->SetFooterStyle(fsColumnPreview);
    g->AddRow();
    EXPECT_EQ(g->GetRowCount(), 8);
    EXPECT_EQ(g->GetCells(1, 7), "total");
    EXPECT_EQ(g->GetCells(1, 6), "");
    EXPECT_EQ(g->GetRowHeights(6), g->GetDefaultRowHeight());
    // Without the footer the row is appended.
    g->GetFloatingFooter()->SetVisible(false);
    g->AddRow();
    EXPECT_EQ(g->GetCells(1, 7), "total");
    EXPECT_EQ(g->GetCells(1, 8), "");
}

TEST_F(Filas, AvisosDeCambio) {
    std::vector<std::string> log;
    Notificador a(log, "a"), b(log, "b");
    g->OnCellsChanged = [&](TObject*, const TRect& R) {
        log.push_back("evento " + std::to_string(R.Top) + "," + std::to_string(R.Bottom));
    };
    g->RegisterNotifier(&a);
    g->RegisterNotifier(&b);
    g->RegisterNotifier(&a);
    EXPECT_EQ(g->GetNotifierCount(), 2);
    g->pies.clear();
    g->InsertRows(2, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"evento 2,5", "a 0,2,4,5", "b 0,2,4,5"}));
    EXPECT_EQ(g->pies, std::vector<int>{-1});
    g->pies.clear();
    g->UpdateCell(3, 7);
    EXPECT_EQ(g->pies, std::vector<int>{3});
    g->pies.clear();
    g->CellsLoaded();
    EXPECT_EQ(g->pies, std::vector<int>{-1});
    g->UnRegisterNotifier(&a);
    log.clear();
    g->ClearRect(1, 1, 2, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"evento 1,2", "b 1,1,2,2"}));
    // A notifier that goes leaves the list.
    {
        Notificador c(log, "c");
        g->RegisterNotifier(&c);
    }
    EXPECT_EQ(g->GetNotifierCount(), 1);
    g->UnRegisterNotifier(&b);
}

TEST_F(Filas, ClearLiberaPropiedades) {
    Llenar(3);
    g->GetCellProperties(1, 1)->SetAlignment(taCenter);
    g->GetCellProperties(4, 2);
    g->ClearNormalCells();
    EXPECT_FALSE(g->HasCellProperties(1, 1));
    EXPECT_FALSE(g->HasCellProperties(4, 2));
    EXPECT_EQ(g->GetCells(1, 1), "");
    g->SetCells(0, 0, "cabecera");
    g->ClearRows(0, 1);
    EXPECT_EQ(g->GetCells(0, 0), "");
    g->SetCells(1, 2, "a");
    g->SetCells(2, 2, "b");
    g->Clear();
    EXPECT_EQ(g->GetCells(1, 2), "");
    EXPECT_EQ(g->GetCells(2, 2), "");
}

TEST_F(Filas, QuitarDuplicadosYBorrarFila) {
    g->SetRowCountEx(5);
    const char* v[] = {"abc", "ABC", "x", "abc"};
    for (int r = 1; r <= 4; ++r)
        g->SetCells(1, r, v[r - 1]);
    g->RemoveDuplicates(1, false);
    EXPECT_EQ(Columna(1), "abc x");
    g->SetRowCountEx(2);
    g->SetCells(1, 1, "solo");
    g->DoDeleteRow(1);
    EXPECT_EQ(g->GetRowCount(), 2);
    EXPECT_EQ(g->GetCells(1, 1), "");
}

TEST_F(Filas, SeleccionadasFueraYOcultas) {
    Llenar(5);
    g->GetMouseActions()->SetDisjunctRowSelect(true);
    g->SetRowSelect(2, true);
    g->SetRowSelect(4, true);
    g->HideSelectedRows();
    EXPECT_EQ(Columna(1), "f1 f3 f5");
    EXPECT_EQ(g->NumHiddenRows(), 2);
    g->UnHideRowsAll();
    EXPECT_EQ(Columna(1), "f1 f2 f3 f4 f5");
    g->SetRowSelect(3, true);
    g->RemoveSelectedRows();
    EXPECT_EQ(Columna(1), "f1 f2 f4 f5");
    // Clearing the selection empties the flagged rows and frees their properties.
    g->ClearRowSelect();
    g->GetCellProperties(2, 2);
    g->SetRowSelect(2, true);
    g->ClearSelection();
    EXPECT_EQ(Columna(1), "f1  f4 f5");
    EXPECT_FALSE(g->HasCellProperties(2, 2));
    // Without disjunct selection, the selected block is cleared.
    g->GetMouseActions()->SetDisjunctRowSelect(false);
    g->SetSelection({1, 2, 1, 3});
    g->ClearSelection();
    EXPECT_EQ(Columna(1), "f1   f5");
    // With disjunct columns, the flagged columns.
    g->GetMouseActions()->SetDisjunctColSelect(true);
    g->SetColSelect(1, true);
    g->SetCells(2, 1, "otra");
    g->ClearSelection();
    EXPECT_EQ(Columna(1), "   ");
    EXPECT_EQ(g->GetCells(2, 1), "otra");
}

TEST_F(Filas, MezclarYSeparar) {
    g->SetRowCountEx(6);
    const char* v[] = {"a", "a", "b", "b", "b"};
    for (int r = 1; r <= 5; ++r)
        g->SetCells(1, r, v[r - 1]);
    g->MergeColumnCells(1, true);
    EXPECT_EQ(g->CellSpan(1, 1), TPoint(0, 1));
    EXPECT_EQ(g->CellSpan(1, 3), TPoint(0, 2));
    EXPECT_EQ(g->BaseCell(1, 5), TPoint(1, 3));
    g->SplitColumnCells(1);
    EXPECT_FALSE(g->IsMergedCell(1, 4));
    for (int c = 1; c < 5; ++c)
        g->SetCells(c, 2, c < 3 ? "p" : "q");
    g->MergeRowCells(2, true);
    EXPECT_EQ(g->CellSpan(1, 2), TPoint(1, 0));
    EXPECT_EQ(g->CellSpan(3, 2), TPoint(1, 0));
    g->SplitAllCells();
    EXPECT_FALSE(g->IsMergedCell(3, 2));

    // Splitting a column or a row walks the normal cells: a block based on the last normal
    // row (column) that reaches into a footer row (fixed right column) stays merged.
    g->SetFixedFooters(1);
    g->SetFixedRightCols(1);
    g->MergeCells(2, 1, 1, 2); // rows 1-2, among the normal rows
    g->MergeCells(2, 4, 1, 2); // the last normal row and the footer row
    g->MergeCells(1, 3, 2, 1); // columns 1-2, among the normal columns
    g->MergeCells(3, 3, 2, 1); // the last normal column and the fixed right column
    g->SplitColumnCells(2);
    EXPECT_FALSE(g->IsMergedCell(2, 2));
    EXPECT_TRUE(g->IsYMergedCell(2, 5));
    g->SplitRowCells(3);
    EXPECT_FALSE(g->IsMergedCell(2, 3));
    EXPECT_TRUE(g->IsXMergedCell(4, 3));
}

TEST_F(Filas, Columnas) {
    Llenar(2);
    g->SetCells(2, 1, "c2");
    g->SetCells(3, 1, "c3");
    g->SetColWidths(2, 30);
    g->GetSortSettings()->SetColumn(2);
    g->SwapColumns(2, 3);
    EXPECT_EQ(g->GetCells(2, 1), "c3");
    EXPECT_EQ(g->GetColWidths(3), 30);
    EXPECT_EQ(g->GetSortSettings()->GetColumn(), 3);
    // With a hidden column the data behind it moves with the insertion.
    g->HideColumn(4);
    g->InsertCols(1, 1);
    EXPECT_EQ(g->GetColCount(), 5);
    EXPECT_EQ(g->GetCells(2, 1), "f1");
    EXPECT_EQ(g->GetCells(5, 1), "x1");
    EXPECT_TRUE(g->IsHiddenColumn(5));
    EXPECT_FALSE(g->IsHiddenColumn(4));
    g->RemoveCols(1, 1);
    EXPECT_EQ(g->GetCells(1, 1), "f1");
    EXPECT_TRUE(g->IsHiddenColumn(4));
    g->MergeCols(1, 2, "-");
    EXPECT_EQ(g->GetCells(1, 1), "f1-c3");
    EXPECT_EQ(g->GetColCount(), 3);
    int c = -1, r = -1;
    EXPECT_TRUE(g->IsCell("f1-c3", c, r));
    EXPECT_EQ(TPoint(c, r), TPoint(1, 1));
    EXPECT_FALSE(g->IsCell("nada", c, r));
    g->SwapRows(1, 2);
    EXPECT_EQ(g->GetCells(1, 2), "f1-c3");
}

} // namespace

// Where the current row goes when rows are removed: a row still there stays (with the top
// row); a row that went moves, for RemoveRows and RemoveRowsInternal, to the last row left,
// and for RemoveRowsEx to the first normal row, the top row with it.
TEST_F(Filas, LaFilaActualAlQuitarFilas) {
    struct Caso {
        const char* nombre;
        std::function<void(RejillaFilas*)> op;
        int actual, arriba; // Row and TopRow after the removal
    };
    const Caso casos[] = {
        {"RemoveRows, la fila sigue", [](RejillaFilas* g) { g->RemoveRows(1, 2); }, 9, 6},
        {"RemoveRows de la fila", [](RejillaFilas* g) { g->RemoveRows(7, 14); }, 6, -1},
        {"RemoveRowsInternal de la fila", [](RejillaFilas* g) { g->RemoveRowsInternal(8, 13); }, 7,
         -1},
        {"RemoveRowsEx, la fila sigue", [](RejillaFilas* g) { g->RemoveRowsEx(1, 2); }, 9, 6},
        {"RemoveRowsEx de la fila", [](RejillaFilas* g) { g->RemoveRowsEx(7, 14); }, 1, 1},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Llenar(20);
        g->SetDefRowHeightEx(40); // 21 rows of 40 in 400 pixels: the grid scrolls
        g->SetRowEx(9);
        g->SetTopRow(6);
        c.op(g);
        EXPECT_EQ(g->GetRowEx(), c.actual);
        if (c.arriba >= 0) {
            EXPECT_EQ(g->GetTopRow(), c.arriba);
        }
    }
}

// A hidden selection whose current row goes with removed rows shows on the new last row, and
// bringing the hidden selection back afterwards leaves it there.
TEST_F(Filas, SeleccionOcultaAlQuitarLaFilaActual) {
    for (const bool interna : {false, true}) {
        SCOPED_TRACE(interna);
        Llenar(5);
        g->SetRowEx(5);
        g->HideSelection();
        if (interna)
            g->RemoveRowsInternal(4, 2);
        else
            g->RemoveRows(4, 2);
        EXPECT_EQ(g->GetRowEx(), 3);
        EXPECT_FALSE(g->GetSelectionHidden());
        EXPECT_TRUE(g->IsSelected(g->GetCol(), 3));
        g->UnHideSelection();
        EXPECT_EQ(g->GetSelection().Top, 3);
        EXPECT_TRUE(g->IsSelected(g->GetCol(), 3));
    }
}
