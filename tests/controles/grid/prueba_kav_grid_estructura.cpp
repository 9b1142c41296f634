// What the grid keeps beside its cells follows rows and columns through every change of
// structure: undo entries and an open editor stay with their column, marks and modified
// flags with their rows and columns, the header list, the recorded column order and the sort
// column with their columns. Each case is the smallest run of steps that showed a fault.

#include "controles/grid/editing/undo_redo.h"
#include "controles/grid/cell_properties.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/grid/grid_remap.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

TEST(MapaDeEstructura, CadaCambioComoLoCuentaUnaLista) {
    // Each map applied to the list "a b c d e" by old place.
    struct Caso {
        const char* nombre;
        TGridRemap mapa;
        const char* lista;
    };
    const Caso casos[] = {
        {"nada", TGridRemap::Identity(5), "a b c d e"},
        {"insertar dos en 1", TGridRemap::Insert(5, 1, 2), "a - - b c d e"},
        {"insertar al final", TGridRemap::Insert(5, 5, 1), "a b c d e -"},
        {"quitar 1 y 3", TGridRemap::Remove(5, {1, 3}), "a c e"},
        {"mover 1 a 3", TGridRemap::Move(5, 1, 3), "a c d b e"},
        {"mover 4 a 0", TGridRemap::Move(5, 4, 0), "e a b c d"},
        {"cambiar 0 y 4", TGridRemap::Swap(5, 0, 4), "e b c d a"},
        {"permutar 1..3", TGridRemap::Permute(5, 1, {3, 1, 2}), "a d b c e"},
        {"desde fuentes", TGridRemap::FromSources(5, {4, -1, 0}), "e - a"},
        {"una lista corta queda corta", TGridRemap::Insert(9, 0, 1), "- a b c d e"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        std::vector<std::string> lista = {"a", "b", "c", "d", "e"};
        c.mapa.Apply(lista, std::string("-"));
        std::string s;
        for (const std::string& x : lista)
            s += (s.empty() ? "" : " ") + x;
        EXPECT_EQ(s, c.lista);
        const std::vector<int> fuentes = c.mapa.Sources();
        for (int n = 0; n < static_cast<int>(fuentes.size()); ++n)
            if (fuentes[n] >= 0) EXPECT_EQ(c.mapa(fuentes[n]), n);
    }
    // A place past the old count keeps its distance from the end.
    EXPECT_EQ(TGridRemap::Insert(5, 1, 2)(7), 9);
    EXPECT_EQ(TGridRemap::Remove(5, {0})(6), 5);
    EXPECT_TRUE(TGridRemap::Move(5, 2, 2).IsIdentity());
}

// Six columns, eight rows; cell (c, r) reads "c<c>r<r>" and row 0 names the column.
class Estructura : public RejillaEnVentana<> {
protected:
    void SetUp() override {
        RejillaEnVentana<>::SetUp();
        g->SetBounds(0, 0, 600, 300);
        g->SetColCountEx(6);
        g->SetRowCountEx(8);
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 6; ++c)
                g->SetCells(c, r, "c" + AnsiString(c) + "r" + AnsiString(r));
    }
    // Opens the text editor on a shown cell and types Text at its end.
    void Teclear(int ACol, int ARow, const char* Text) {
        g->SetOptions(g->GetOptions() << goEditing);
        g->SetCol(ACol);
        g->SetRow(ARow);
        g->SetFocus();
        SimulateKeyStroke(VK_F2, {}, g);
        ASSERT_TRUE(g->GetEditorMode());
        SimulateKeyStroke(VK_END, {}, g->GetInplaceEditor());
        SimulateTyping(Text, g->GetInplaceEditor());
    }
    std::string Fila(int ARow) {
        std::string s;
        for (int c = 0; c < g->GetColCount(); ++c)
            s += (c ? " " : "") + g->GetCells(c, ARow).str();
        return s;
    }
};

// An undone edit goes back into its own cell wherever its column went; an edit whose column
// left the grid is dropped.
TEST_F(Estructura, DeshacerSigueALaColumna) {
    struct Caso {
        const char* nombre;
        std::function<void(TKavStringGrid&)> cambio;
        int colDespues; // where column 2 is then (-1: gone)
    };
    const Caso casos[] = {
        {"MoveColumn", [](TKavStringGrid& g) { g.MoveColumn(2, 4); }, 4},
        {"InsertCols", [](TKavStringGrid& g) { g.InsertCols(1, 2); }, 4},
        {"RemoveCols antes", [](TKavStringGrid& g) { g.RemoveCols(0, 1); }, 1},
        {"SwapColumns", [](TKavStringGrid& g) { g.SwapColumns(2, 5); }, 5},
        {"RemoveCols la suya", [](TKavStringGrid& g) { g.RemoveCols(2, 1); }, -1},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        TKavGridUndoRedo deshacer(nullptr);
        g->SetUndoRedo(&deshacer);
        Teclear(2, 2, "x");
        SimulateKeyStroke(VK_RETURN, {}, g->GetInplaceEditor());
        ASSERT_EQ(g->GetCells(2, 2), "c2r2x");
        c.cambio(*g);
        const std::string antes = Fila(2);
        deshacer.Undo();
        if (c.colDespues < 0) {
            EXPECT_EQ(Fila(2), antes);
        } else {
            EXPECT_EQ(g->GetCells(c.colDespues, 2), "c2r2");
            std::string esperada = antes;
            esperada.replace(esperada.find("c2r2x"), 5, "c2r2");
            EXPECT_EQ(Fila(2), esperada);
            deshacer.Redo();
            EXPECT_EQ(Fila(2), antes);
        }
        g->SetUndoRedo(nullptr);
        TearDown();
    }
    SetUp();
}

// A column the program moves while its text editor is open: the typed text goes into the
// column itself, not into the one that comes to its place.
TEST_F(Estructura, EditorAbiertoConSuColumnaMovida) {
    Teclear(2, 2, "x");
    g->MoveColumn(2, 4);
    EXPECT_EQ(Fila(2), "c0r2 c1r2 c3r2 c4r2 c2r2x c5r2");
    g->SetColumnOrder();
    Teclear(1, 3, "y");
    g->MoveColumn(1, 5);
    g->ResetColumnOrder();
    EXPECT_EQ(Fila(3), "c0r3 c1r3y c3r3 c4r3 c2r3 c5r3");
}

// The program changes the columns while the text editor is open: the typed text goes into
// its own cell wherever its column went, never into the column that comes to its place, and
// is undone there. Row 2 by real columns once every column shows.
TEST_F(Estructura, EditorAbiertoSigueASuColumna) {
    struct Caso {
        const char* nombre;
        int oculta, col; // a column hidden first (-1: none), the shown column edited
        std::function<void(TKavStringGrid&)> cambio;
        const char* fila;
    };
    const Caso casos[] = {
        {"SwapColumns con otra oculta", 4, 1, [](TKavStringGrid& g) { g.SwapColumns(1, 2); },
         "c0r2 c2r2 c1r2x c3r2 c4r2 c5r2"},
        {"InsertCols antes", -1, 3, [](TKavStringGrid& g) { g.InsertCols(2, 2); },
         "c0r2 c1r2   c2r2 c3r2x c4r2 c5r2"},
        {"RemoveCols antes", -1, 3, [](TKavStringGrid& g) { g.RemoveCols(1, 1); },
         "c0r2 c2r2 c3r2x c4r2 c5r2"},
        {"HideColumn antes", -1, 3, [](TKavStringGrid& g) { g.HideColumn(1); },
         "c0r2 c1r2 c2r2 c3r2x c4r2 c5r2"},
        {"UnHideColumn antes", 1, 2, [](TKavStringGrid& g) { g.UnHideColumn(1); },
         "c0r2 c1r2 c2r2 c3r2x c4r2 c5r2"},
        {"ResetColumnOrder", -1, 1,
         [](TKavStringGrid& g) {
             g.SetColumnOrder();
             g.SwapColumns(1, 4);
             g.ResetColumnOrder();
         },
         "c0r2 c1r2x c2r2 c3r2 c4r2 c5r2"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        TKavGridUndoRedo deshacer(nullptr);
        g->SetUndoRedo(&deshacer);
        if (c.oculta >= 0) g->HideColumn(c.oculta);
        Teclear(c.col, 2, "x");
        c.cambio(*g);
        if (g->GetEditorMode()) SimulateKeyStroke(VK_RETURN, {}, g->GetInplaceEditor());
        g->UnHideColumnsAll();
        EXPECT_EQ(Fila(2), c.fila);
        deshacer.Undo();
        std::string sin = c.fila;
        sin.erase(sin.find('x'), 1);
        EXPECT_EQ(Fila(2), sin);
        g->SetUndoRedo(nullptr);
    }
    SetUp();
}

// A sort that takes the current row along closes the editor open on it: the edit is
// validated first, so that it can be undone.
TEST_F(Estructura, OrdenarConLaFilaActualSeguidaValidaLaEdicion) {
    TKavGridUndoRedo deshacer(nullptr);
    g->SetUndoRedo(&deshacer);
    g->GetNavigation()->SetMoveRowOnSort(true);
    g->SetCells(1, 5, "a");
    Teclear(1, 5, "z");
    g->GetSortSettings()->SetColumn(1);
    g->GetSortSettings()->SetDirection(sdAscending);
    g->QSort();
    if (g->GetEditorMode()) SimulateKeyStroke(VK_RETURN, {}, g->GetInplaceEditor());
    EXPECT_EQ(Fila(1), "c0r5 az c2r5 c3r5 c4r5 c5r5");
    EXPECT_EQ(g->GetRow(), 1);
    deshacer.Undo();
    EXPECT_EQ(Fila(1), "c0r5 a c2r5 c3r5 c4r5 c5r5");
    g->SetUndoRedo(nullptr);
}

// The modified-row marks stay on their rows through inserts, removals, swaps and sorts.
TEST_F(Estructura, FilasModificadasSiguenASuFila) {
    g->SetRowModified(3, true);
    g->InsertRows(1, 2);
    EXPECT_TRUE(g->GetRowModified(5));
    EXPECT_FALSE(g->GetRowModified(3));
    g->RemoveRows(1, 3); // the two new rows and row 1
    EXPECT_TRUE(g->GetRowModified(2));
    g->SwapRows(2, 6);
    EXPECT_TRUE(g->GetRowModified(6));
    EXPECT_FALSE(g->GetRowModified(2));
    // Descending on column 1: the marked row (c1r3) goes where its text goes.
    g->GetSortSettings()->SetColumn(1);
    g->GetSortSettings()->SetDirection(sdDescending);
    g->QSort();
    for (int r = 1; r < g->GetRowCount(); ++r)
        EXPECT_EQ(g->GetRowModified(r), g->GetCells(1, r) == "c1r3") << r;
}

// Column marks stay on their columns when another is hidden or they move; row marks go with
// their rows when rows are swapped or moved.
TEST_F(Estructura, MarcasSiguenASusColumnasYFilas) {
    g->GetMouseActions()->SetDisjunctColSelect(true);
    g->SetColSelect(2, true);
    g->HideColumn(1);
    EXPECT_TRUE(g->GetColSelect(1));
    g->ClearSelection(); // by real column: the marked one is emptied, its neighbour is not
    EXPECT_EQ(g->GetCells(2, 4).str(), "");
    EXPECT_EQ(g->GetCells(3, 4).str(), "c3r4");
    g->UnHideColumn(1);
    g->MoveColumn(2, 4);
    EXPECT_TRUE(g->GetColSelect(4));
    EXPECT_FALSE(g->GetColSelect(2));
    g->GetMouseActions()->SetDisjunctColSelect(false);

    g->GetMouseActions()->SetDisjunctRowSelect(true);
    g->SetRowSelect(2, true);
    g->SwapRows(2, 5);
    g->MoveRow(5, 6);
    g->RemoveSelectedRows();
    for (int r = 0; r < g->GetRowCount(); ++r)
        EXPECT_NE(g->GetCells(0, r).str(), "c0r2") << r;
    EXPECT_EQ(g->GetRowCount(), 7);
}

// The header list follows its columns; a change of one header then writes every header over
// its own column.
TEST_F(Estructura, CabecerasSiguenASusColumnas) {
    TStringList lista;
    for (const char* t : {"A", "B", "C", "D", "E", "F"})
        lista.Add(t);
    g->SetColumnHeaders(&lista);
    g->MoveColumn(1, 4);
    g->SwapColumns(0, 5);
    g->InsertCols(2, 1);
    g->RemoveCols(3, 1);
    const std::string fila = Fila(0);
    EXPECT_EQ(fila, "F C  E B A");
    for (int r = 1; r < 8; ++r)
        EXPECT_EQ(g->GetCells(0, r), "c5r" + AnsiString(r));
    g->GetColumnHeaders()->SetStrings(2, "nueva");
    EXPECT_EQ(Fila(0), "F C nueva E B A");
}

// The sort column stays on its data through inserts and removals of columns before it; a
// removed sort column leaves none.
TEST_F(Estructura, ColumnaDeOrdenSigueASuColumna) {
    g->GetSortSettings()->SetColumn(3);
    g->InsertCols(0, 2);
    EXPECT_EQ(g->GetSortSettings()->GetColumn(), 5);
    g->RemoveCols(1, 1);
    EXPECT_EQ(g->GetSortSettings()->GetColumn(), 4);
    EXPECT_EQ(g->GetCells(4, 1), "c3r1");
    g->RemoveCols(4, 1);
    EXPECT_LT(g->GetSortSettings()->GetColumn(), 0);
}

// The merged-columns list follows its columns: after a move, the next change of the list
// merges the listed column where it went and not the one now at its old place.
TEST_F(Estructura, ColumnasCombinadasSiguenASusColumnas) {
    for (int r = 1; r < 8; ++r) {
        g->SetCells(2, r, "x");
        g->SetCells(3, r, "y");
    }
    TIntList* lista = g->GetMergedColumns();
    lista->Add(2);
    EXPECT_TRUE(g->IsMergedCell(2, 4));
    g->MoveColumn(2, 4); // c0 c1 c3 c4 c2 c5
    EXPECT_EQ(lista->GetStrValue(), "4");
    lista->Add(1);
    EXPECT_FALSE(g->IsMergedCell(2, 4));
    EXPECT_TRUE(g->IsMergedCell(4, 4));
    EXPECT_EQ(g->GetCellEx(4, 7), "x");
    g->InsertCols(0, 1);
    EXPECT_EQ(lista->GetStrValue(), "5,2");
    g->RemoveCols(5, 1);
    EXPECT_EQ(lista->GetStrValue(), "2");
}

// A control placed on a cell stays on that cell, drawn over it, wherever its row or column
// goes; a control whose column leaves the grid is let go.
TEST_F(Estructura, ControlesSiguenASuCelda) {
    struct Caso {
        const char* nombre;
        std::function<void(TKavStringGrid*)> paso;
    };
    const Caso casos[] = {
        {"MoveColumn", [](TKavStringGrid* g) { g->MoveColumn(2, 4); }},
        {"InsertCols", [](TKavStringGrid* g) { g->InsertCols(0, 2); }},
        {"RemoveCols", [](TKavStringGrid* g) { g->RemoveCols(1, 1); }},
        {"SwapColumns", [](TKavStringGrid* g) { g->SwapColumns(2, 5); }},
        {"MoveRow", [](TKavStringGrid* g) { g->MoveRow(3, 6); }},
        {"SwapRows", [](TKavStringGrid* g) { g->SwapRows(3, 1); }},
        {"QSort",
         [](TKavStringGrid* g) {
             g->GetSortSettings()->SetColumn(1);
             g->GetSortSettings()->SetDirection(sdDescending);
             g->QSort();
         }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        auto* control = new VentanaPrueba();
        g->SetCellControls(2, 3, control);
        c.paso(g);
        int col = -1, fila = -1;
        for (int y = 0; y < g->GetRowCount(); ++y)
            for (int x = 0; x < g->GetColCount(); ++x)
                if (g->GetCells(x, y) == "c2r3") col = x, fila = y;
        ASSERT_GE(col, 0);
        EXPECT_EQ(g->GetCellControls(col, fila), control);
        EXPECT_TRUE(control->GetVisible());
        const TRect r = g->CellRect(col, fila);
        EXPECT_EQ(control->GetLeft(), r.Left);
        EXPECT_EQ(control->GetTop(), r.Top);
        EXPECT_EQ(g->GetControlCellCount(), 1);
        TearDown();
    }
    // Its column removed, the control is hidden and no cell holds it.
    SetUp();
    auto* control = new VentanaPrueba();
    g->SetCellControls(2, 3, control);
    g->RemoveCols(2, 1);
    EXPECT_FALSE(control->GetVisible());
    EXPECT_EQ(g->GetControlCellCount(), 0);
    delete control;
}

// A change of a cell's properties, or of a multi-image cell's image list, repaints the cell
// where it is now after rows came in above it or columns were hidden to its left; a cell of
// a hidden row or column repaints nothing.
TEST_F(Estructura, CambiosDeUnaCeldaRepintanSuCelda) {
    TImageList imagenes(nullptr);
    imagenes.SetWidth(16);
    imagenes.SetHeight(12);
    g->SetGridImages(&imagenes);
    TCellProperties* p = g->GetCellProperties(2, 3);
    g->AddMultiImage(4, 3, 1, haLeft, vaTop);
    TIntList* lista = g->GetCellImages(4, 3);
    ASSERT_NE(lista, nullptr);
    const auto repintado = [this](const std::function<void()>& Cambio) {
        g->Update();
        Cambio();
        TRect caja;
        return GetUpdateRect(g->GetHandle(), &caja, FALSE) ? caja : TRect();
    };
    g->InsertRows(1, 2);
    EXPECT_EQ(repintado([&] { p->SetWordWrap(false); }), g->CellRect(2, 5));
    EXPECT_EQ(repintado([&] { lista->Add(0); }), g->CellRect(4, 5));
    g->HideRow(5);
    EXPECT_EQ(repintado([&] { p->SetWordWrap(true); }), TRect());
    EXPECT_EQ(repintado([&] { lista->Add(0); }), TRect());
    g->UnHideRow(5);
    // With a column hidden to its left: the cell where it shows, not the one at its real
    // index; in a hidden column: none.
    g->HideColumn(1);
    EXPECT_EQ(repintado([&] { p->SetWordWrap(false); }), g->CellRect(1, 5));
    EXPECT_EQ(repintado([&] { lista->Add(0); }), g->CellRect(3, 5));
    g->HideColumn(2);
    EXPECT_EQ(repintado([&] { p->SetWordWrap(true); }), TRect());
    g->HideColumn(4);
    EXPECT_EQ(repintado([&] { lista->Add(0); }), TRect());
    g->UnHideColumnsAll();
    g->SetGridImages(nullptr);
}

// Merged blocks by rows. What each shown cell of column 1 reads (the text of its block's
// base cell), rows 1..7.
class BloquesCombinados : public Estructura {
protected:
    std::string Columna1() {
        std::string s;
        for (int r = 1; r < g->GetRowCount(); ++r)
            s += (r > 1 ? " " : "") + g->GetCellEx(1, r).str();
        return s;
    }
};

// A block of column 1 over rows 2..5 comes back whole whatever part of it was hidden, and
// however: its base row, its last rows, all but one cell, a filter's list, a node.
TEST_F(BloquesCombinados, OcultarYMostrarDevuelveElBloqueEntero) {
    struct Caso {
        const char* nombre;
        std::function<void(TKavStringGrid*)> ocultar, mostrar;
    };
    const Caso casos[] = {
        {"su fila base", [](TKavStringGrid* g) { g->HideRow(2); },
         [](TKavStringGrid* g) { g->UnHideRow(2); }},
        {"sus ultimas filas", [](TKavStringGrid* g) { g->HideRows(4, 5); },
         [](TKavStringGrid* g) { g->UnHideRows(4, 5); }},
        {"todas menos una celda", [](TKavStringGrid* g) { g->HideRows(3, 5); },
         [](TKavStringGrid* g) { g->UnHideRowsAll(); }},
        {"una lista, como un filtro",
         [](TKavStringGrid* g) {
             TIntList lista(0, 0);
             lista.Add(4);
             lista.Add(5);
             lista.Add(7);
             g->HideRowList(&lista);
         },
         [](TKavStringGrid* g) { g->UnHideRowList(); }},
        {"un nodo contraido", [](TKavStringGrid* g) {
             g->AddNode(3, 4);
             g->ContractNode(3);
         },
         [](TKavStringGrid* g) { g->ExpandNode(3); }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        g->MergeCells(1, 2, 1, 4);
        c.ocultar(g);
        c.mostrar(g);
        EXPECT_EQ(Columna1(), "c1r1 c1r2 c1r2 c1r2 c1r2 c1r6 c1r7");
        EXPECT_EQ(g->ShownFullCell(TShownCol(1), 4), Rect(1, 2, 1, 5));
        // A second round finds it recorded as it was.
        c.ocultar(g);
        c.mostrar(g);
        EXPECT_EQ(Columna1(), "c1r1 c1r2 c1r2 c1r2 c1r2 c1r6 c1r7");
        TearDown();
    }
}

// A row hidden between two equal cells stays out of the block they make: shown again, it
// reads its own text, and the two cells it parts are single again.
TEST_F(BloquesCombinados, FilaOcultaEntreIgualesNoEntraEnElBloque) {
    g->SetCells(1, 2, "muro");
    g->SetCells(1, 4, "muro");
    g->HideRow(3);
    g->MergeColumnCells(1, true);
    EXPECT_TRUE(g->IsMergedCell(1, 2));
    g->UnHideRow(3);
    EXPECT_EQ(Columna1(), "c1r1 muro c1r3 muro c1r5 c1r6 c1r7");
    EXPECT_FALSE(g->IsMergedCell(1, 2));
    EXPECT_FALSE(g->IsMergedCell(1, 4));
}

// A sort that keeps a block's rows together in their order keeps the block; one that parts
// them or turns them round splits it, each cell reading its own record.
TEST_F(BloquesCombinados, OrdenarNoMuestraTextosDeOtroRegistro) {
    g->MergeCells(1, 2, 1, 2);
    const char* claves[] = {"", "c", "a", "a", "b", "b", "b", "b"};
    for (int r = 1; r < 8; ++r)
        g->SetCells(3, r, claves[r]);
    g->GetSortSettings()->SetColumn(3);
    g->QSort();
    EXPECT_EQ(Columna1(), "c1r2 c1r2 c1r4 c1r5 c1r6 c1r7 c1r1");
    EXPECT_TRUE(g->IsMergedCell(1, 2));
    g->GetSortSettings()->SetDirection(sdDescending);
    g->GetSortSettings()->SetColumn(1);
    g->QSort();
    EXPECT_EQ(Columna1(), "c1r7 c1r6 c1r5 c1r4 c1r3 c1r2 c1r1");
    for (int r = 1; r < 8; ++r)
        EXPECT_FALSE(g->IsMergedCell(1, r)) << r;
}

// A block of row 2 over columns 1..3 follows its columns: a column inserted inside it joins
// it, one removed leaves it; a move or swap that parts or reorders its columns, or the
// removal of its first one, splits it. Each case gives what row 2 reads.
TEST_F(BloquesCombinados, BloqueDeColumnasSigueASusColumnas) {
    struct Caso {
        const char* nombre;
        std::function<void(TKavStringGrid*)> paso;
        const char* fila;
    };
    const Caso casos[] = {
        {"quitar una de dentro", [](TKavStringGrid* g) { g->RemoveCols(2, 1); },
         "c0r2 c1r2 c1r2 c4r2 c5r2"},
        {"quitar la primera", [](TKavStringGrid* g) { g->RemoveCols(1, 1); },
         "c0r2 c2r2 c3r2 c4r2 c5r2"},
        {"insertar dentro", [](TKavStringGrid* g) { g->InsertCols(2, 1); },
         "c0r2 c1r2 c1r2 c1r2 c1r2 c4r2 c5r2"},
        {"insertar al lado", [](TKavStringGrid* g) { g->InsertCols(4, 1); },
         "c0r2 c1r2 c1r2 c1r2  c4r2 c5r2"},
        {"mover una de dentro afuera", [](TKavStringGrid* g) { g->MoveColumn(2, 4); },
         "c0r2 c1r2 c3r2 c4r2 c2r2 c5r2"},
        {"mover una de fuera adentro", [](TKavStringGrid* g) { g->MoveColumn(5, 2); },
         "c0r2 c1r2 c5r2 c2r2 c3r2 c4r2"},
        {"mover el bloque entero", [](TKavStringGrid* g) { g->MoveColumn(4, 0); },
         "c4r2 c0r2 c1r2 c1r2 c1r2 c5r2"},
        {"cambiar dos de dentro", [](TKavStringGrid* g) { g->SwapColumns(1, 3); },
         "c0r2 c3r2 c2r2 c1r2 c4r2 c5r2"},
        {"cambiar una de dentro con una de fuera", [](TKavStringGrid* g) { g->SwapColumns(2, 5); },
         "c0r2 c1r2 c5r2 c3r2 c4r2 c2r2"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        g->MergeCells(1, 2, 3, 1);
        c.paso(g);
        std::string fila;
        for (int x = 0; x < g->GetColCount(); ++x)
            fila += (x ? " " : "") + g->GetCellEx(x, 2).str();
        EXPECT_EQ(fila, c.fila);
        TearDown();
    }
}

// An edit in a block whose base column is hidden writes the base cell, and its undo takes
// back that cell's own text, leaving the shown cell's alone.
TEST_F(BloquesCombinados, DeshacerUnaEdicionEnUnBloqueConLaBaseOculta) {
    TKavGridUndoRedo deshacer(nullptr);
    g->SetUndoRedo(&deshacer);
    g->MergeCells(1, 2, 3, 1);
    g->HideColumn(1);
    Teclear(1, 2, "x");
    SimulateKeyStroke(VK_RETURN, {}, g->GetInplaceEditor());
    EXPECT_EQ(g->GetCells(1, 2), "c1r2x");
    deshacer.Undo();
    EXPECT_EQ(g->GetCells(1, 2), "c1r2");
    EXPECT_EQ(g->GetCells(2, 2), "c2r2");
    deshacer.Redo();
    EXPECT_EQ(g->GetCells(1, 2), "c1r2x");
    EXPECT_EQ(g->GetCells(2, 2), "c2r2");
    g->SetUndoRedo(nullptr);
}

// Putting the columns back in their recorded order keeps a block whose columns end side by
// side in its order, although the columns go back one by one and part it on the way.
TEST_F(BloquesCombinados, VolverAlOrdenDeColumnasGuardaElBloque) {
    g->MergeCells(1, 2, 3, 1);
    g->SetColumnOrder();
    g->MoveColumn(4, 0);
    g->ResetColumnOrder();
    std::string fila;
    for (int x = 0; x < g->GetColCount(); ++x)
        fila += (x ? " " : "") + g->GetCellEx(x, 2).str();
    EXPECT_EQ(fila, "c0r2 c1r2 c1r2 c1r2 c4r2 c5r2");
    EXPECT_EQ(g->FullCell(2, 2), Rect(1, 2, 3, 2));
}

// Undoing an edit of a cell that a block merged since covers writes that cell, not the
// block's base cell, which belongs to another record.
TEST_F(BloquesCombinados, DeshacerBajoUnBloqueNoEscribeEnSuBase) {
    TKavGridUndoRedo deshacer(nullptr);
    g->SetUndoRedo(&deshacer);
    Teclear(2, 3, "x");
    SimulateKeyStroke(VK_RETURN, {}, g->GetInplaceEditor());
    g->MergeCells(2, 2, 1, 3);
    deshacer.Undo();
    EXPECT_EQ(g->GetCells(2, 2), "c2r2");
    EXPECT_EQ(g->GetCells(2, 3), "c2r3");
    g->SplitCells(2, 2);
    deshacer.Redo();
    EXPECT_EQ(g->GetCells(2, 2), "c2r2");
    EXPECT_EQ(g->GetCells(2, 3), "c2r3x");
    g->SetUndoRedo(nullptr);
}

// A control placed on a cell (real column, shown row) is drawn over that cell with a hidden
// column before it, and stays on its row when a hidden row above comes back.
TEST_F(Estructura, UnControlSeColocaSobreSuCeldaConOcultasDelante) {
    auto* control = new TControlPrueba(ventana.get(), g);
    g->HideColumn(1);
    g->HideRow(2);
    g->SetCellControls(3, 3, control); // shown column 2, real row 4
    EXPECT_EQ(control->GetLeft(), g->CellRect(2, 3).Left);
    EXPECT_EQ(control->GetTop(), g->CellRect(2, 3).Top);
    g->UnHideRow(2);
    g->UnHideColumn(1);
    EXPECT_EQ(g->GetCellControls(3, 4), control);
    EXPECT_EQ(control->GetLeft(), g->CellRect(3, 4).Left);
    EXPECT_EQ(control->GetTop(), g->CellRect(3, 4).Top);
    EXPECT_TRUE(control->GetVisible());
}

// A copy takes the source's recorded column order with its cells: putting the copy's
// columns back in order gives the source's own order.
TEST_F(Estructura, LaCopiaVuelveAlOrdenDeColumnasDeSuFuente) {
    g->SetColumnOrder();
    g->MoveColumn(1, 4);
    g->SwapColumns(0, 5);
    Rejilla* copia = new Rejilla(ventana.get(), ventana.get());
    copia->Assign(g);
    copia->ResetColumnOrder();
    g->ResetColumnOrder();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(copia->GetCells(c, r), "c" + AnsiString(c) + "r" + AnsiString(r)) << c << r;
    EXPECT_EQ(g->GetCells(1, 3), "c1r3");
}

// A hidden column swapped with a shown one stays hidden at its new place; the shown one
// shows at the hidden one's old place, with its width.
TEST_F(Estructura, UnaColumnaOcultaCambiadaSigueOculta) {
    g->SetColWidths(4, 90);
    g->HideColumn(1);
    g->SwapColumns(1, 4);
    EXPECT_TRUE(g->IsHiddenColumn(4));
    EXPECT_FALSE(g->IsHiddenColumn(1));
    EXPECT_EQ(g->GetColCount(), 5);
    EXPECT_EQ(g->GetCells(g->RemapCol(1), 2), "c4r2"); // shown column 1
    EXPECT_EQ(g->GetColWidths(1), 90);
    g->UnHideColumn(4);
    EXPECT_EQ(Fila(2), "c0r2 c4r2 c2r2 c3r2 c1r2 c5r2");
}

// Undoing an edit whose column is hidden now writes the hidden cell and leaves the current
// column alone.
TEST_F(Estructura, DeshacerEnUnaColumnaOculta) {
    TKavGridUndoRedo deshacer(nullptr);
    g->SetUndoRedo(&deshacer);
    Teclear(5, 2, "x");
    SimulateKeyStroke(VK_RETURN, {}, g->GetInplaceEditor());
    g->HideColumn(5);
    g->SetCol(1);
    deshacer.Undo();
    EXPECT_EQ(g->GetCells(5, 2), "c5r2");
    EXPECT_EQ(g->GetCol(), 1);
    deshacer.Redo();
    EXPECT_EQ(g->GetCells(5, 2), "c5r2x");
    g->SetUndoRedo(nullptr);
}

} // namespace
