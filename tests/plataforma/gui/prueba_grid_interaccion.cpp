// The grid driven as a user drives it: moving through the cells with the keys (fixed cells
// never become current), whole-row selection, ranges by Shift and by dragging, a veto in
// OnSelectCell, sizing and moving columns with the mouse, the wheel, the keys the grid
// takes from the dialog, and editing in place.

#include "tests/plataforma/gui/grid_prueba.h"

#include "plataforma/gui/kernel/std_messages.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"

#include <gtest/gtest.h>

namespace {

class GridInteraccion : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new RejillaPrueba(ventana.get(), 300, 150);
        g->SetColCount(6);
        g->SetRowCount(30);
        for (int r = 0; r < 30; ++r)
            for (int c = 0; c < 6; ++c)
                g->SetCells(c, r, AnsiString(c) + "," + AnsiString(r));
        g->SetFocus();
        ResetInputState();
    }
    void TearDown() override { ResetInputState(); }
    void Tecla(WORD vk, TShiftState s = {}) { SimulateKeyStroke(vk, s); }
    TGridCoord Actual() const { return {g->GetCol(), g->GetRow()}; }
    // The client point in the middle of a cell.
    TPoint Centro(int c, int r) const {
        const TRect x = g->CellRect(c, r);
        return {(x.Left + x.Right) / 2, (x.Top + x.Bottom) / 2};
    }
    std::unique_ptr<VentanaPrueba> ventana;
    RejillaPrueba* g = nullptr;
};

TEST_F(GridInteraccion, LasTeclasRecorrenLasCeldasSinEntrarEnLasFijas) {
    ASSERT_TRUE(g->Focused());
    EXPECT_EQ(Actual(), (TGridCoord{1, 1}));
    Tecla(VK_UP);
    Tecla(VK_LEFT);
    EXPECT_EQ(Actual(), (TGridCoord{1, 1})); // the fixed cells are not entered
    Tecla(VK_RIGHT);
    Tecla(VK_DOWN);
    EXPECT_EQ(Actual(), (TGridCoord{2, 2}));
    Tecla(VK_END);
    EXPECT_EQ(Actual(), (TGridCoord{5, 2}));
    Tecla(VK_RIGHT); // the last column holds
    EXPECT_EQ(Actual(), (TGridCoord{5, 2}));
    Tecla(VK_HOME);
    EXPECT_EQ(Actual(), (TGridCoord{1, 2}));
    Tecla(VK_END, {ssCtrl});
    EXPECT_EQ(Actual(), (TGridCoord{5, 29}));
    EXPECT_LE(g->GetTopRow(), 29);
    EXPECT_GE(g->GetTopRow() + g->GetVisibleRowCount() - 1, 29); // brought into view
    Tecla(VK_HOME, {ssCtrl});
    EXPECT_EQ(Actual(), (TGridCoord{1, 1}));
    EXPECT_EQ(g->GetTopRow(), 1);
    const int pagina = g->GetVisibleRowCount();
    Tecla(VK_NEXT);
    EXPECT_EQ(g->GetRow(), 1 + pagina);
    EXPECT_EQ(g->GetTopRow(), 1 + pagina);
    // Tab moves only with goTabs (the dialog takes it otherwise).
    g->SetOptions(g->GetOptions() << goTabs);
    g->SetCol(5);
    Tecla(VK_TAB);
    EXPECT_EQ(Actual(), (TGridCoord{1, 2 + pagina}));
    Tecla(VK_TAB, {ssShift});
    EXPECT_EQ(Actual(), (TGridCoord{5, 1 + pagina}));
    // Clicking a fixed cell leaves the current cell.
    const TPoint fijo = Centro(0, 3);
    SimulateClick(g, fijo.x, fijo.y);
    EXPECT_EQ(Actual(), (TGridCoord{5, 1 + pagina}));
}

TEST_F(GridInteraccion, RangosConMayusculasYArrastrandoYFilasEnteras) {
    Tecla(VK_DOWN, {ssShift});
    Tecla(VK_RIGHT, {ssShift});
    EXPECT_EQ(g->GetSelection(), (TGridRect{1, 1, 2, 2}));
    Tecla(VK_DOWN); // without Shift the block collapses
    EXPECT_EQ(g->GetSelection(), (TGridRect{2, 3, 2, 3}));
    // Dragging from one cell to another.
    const TPoint a = Centro(1, 1), b = Centro(3, 3);
    SimulateMouse(g, SimulatedMouse::Down, 0, a.x, a.y);
    EXPECT_EQ(g->GetGridState(), gsSelecting);
    SimulateMouse(g, SimulatedMouse::Move, 0, b.x, b.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, b.x, b.y);
    EXPECT_EQ(g->GetGridState(), gsNormal);
    EXPECT_EQ(g->GetSelection(), (TGridRect{1, 1, 3, 3}));
    EXPECT_EQ(Actual(), (TGridCoord{1, 1}));
    // Shift+click extends from the current cell.
    const TPoint c = Centro(3, 2);
    SimulateMouse(g, SimulatedMouse::Down, 0, c.x, c.y, {ssShift});
    SimulateMouse(g, SimulatedMouse::Up, 0, c.x, c.y, {ssShift});
    EXPECT_EQ(g->GetSelection(), (TGridRect{1, 1, 3, 2}));
    // Whole rows: the selection spans the scrollable columns; Left and Right scroll.
    g->SetOptions(g->GetOptions() << goRowSelect);
    g->SetRow(4);
    EXPECT_EQ(g->GetSelection(), (TGridRect{1, 4, 5, 4}));
    Tecla(VK_DOWN, {ssShift});
    EXPECT_EQ(g->GetSelection(), (TGridRect{1, 4, 5, 5}));
    const int col = g->GetCol();
    Tecla(VK_RIGHT);
    EXPECT_EQ(g->GetCol(), col);
    EXPECT_EQ(g->GetLeftCol(), 2);
}

TEST_F(GridInteraccion, UnClicYUnDobleClicDisparanSusEventosUnaVez) {
    int clics = 0, dobles = 0;
    g->OnClick = [&](TObject*) { ++clics; };
    g->OnDblClick = [&](TObject*) { ++dobles; };
    const TPoint p = Centro(2, 3);
    SimulateClick(g, p.x, p.y);
    EXPECT_EQ(clics, 1);
    EXPECT_EQ(Actual(), (TGridCoord{2, 3}));
    SimulateMouse(g, SimulatedMouse::DoubleClick, 0, p.x, p.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y);
    EXPECT_EQ(dobles, 1);
    // Moving the current cell from code is a click too, as in the class library.
    clics = 0;
    g->SetRow(5);
    EXPECT_EQ(clics, 1);
}

TEST_F(GridInteraccion, OnSelectCellPuedeNegarse) {
    g->OnSelectCell = [](TObject*, int c, int, bool& puede) { puede = c != 2; };
    Tecla(VK_RIGHT);
    EXPECT_EQ(g->GetCol(), 1);
    const TPoint p = Centro(3, 2);
    SimulateClick(g, p.x, p.y);
    EXPECT_EQ(Actual(), (TGridCoord{3, 2}));
    int clics = 0;
    g->OnClick = [&](TObject*) { ++clics; };
    g->SetCol(2); // refused: nothing moves
    EXPECT_EQ(g->GetCol(), 3);
    Tecla(VK_LEFT);
    EXPECT_EQ(g->GetCol(), 3);
    EXPECT_EQ(g->GetSelection(), (TGridRect{3, 2, 3, 2}));
}

TEST_F(GridInteraccion, LaRuedaYLasTeclasQueLaRejillaPide) {
    const TPoint p = Centro(2, 2);
    SimulateWheel(g, -120, p.x, p.y);
    EXPECT_EQ(g->GetRow(), 2);
    SimulateWheel(g, 120, p.x, p.y);
    SimulateWheel(g, 120, p.x, p.y);
    EXPECT_EQ(g->GetRow(), 1);
    struct Caso {
        TGridOptions extra;
        LRESULT esperado;
    } casos[] = {
        {{}, DLGC_WANTARROWS},
        {{goTabs}, DLGC_WANTARROWS | DLGC_WANTTAB},
        {{goEditing}, DLGC_WANTARROWS | DLGC_WANTCHARS},
        {{goTabs, goEditing}, DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS},
        {{goRowSelect, goTabs, goEditing}, DLGC_WANTARROWS},
    };
    const TGridOptions base = g->GetOptions();
    for (const Caso& k : casos) {
        g->SetOptions(base + k.extra);
        EXPECT_EQ(g->Perform(WM_GETDLGCODE, 0, 0), k.esperado);
    }
}

TEST_F(GridInteraccion, DimensionarUnaColumnaConElRaton) {
    g->SetOptions(g->GetOptions() << goColSizing);
    const int borde = g->CellRect(1, 0).Right; // the line after column 1
    SimulateMouse(g, SimulatedMouse::Down, 0, borde + 1, 10);
    EXPECT_EQ(g->GetGridState(), gsColSizing);
    SimulateMouse(g, SimulatedMouse::Move, 0, borde + 31, 10);
    SimulateMouse(g, SimulatedMouse::Up, 0, borde + 31, 10);
    EXPECT_EQ(g->GetGridState(), gsNormal);
    EXPECT_EQ(g->GetColWidths(1), 64 + 30);
    // Outside the fixed rows no sizing starts; without the option neither.
    SimulateMouse(g, SimulatedMouse::Down, 0, g->CellRect(2, 2).Right, 40);
    EXPECT_EQ(g->GetGridState(), gsSelecting);
    SimulateMouse(g, SimulatedMouse::Up, 0, g->CellRect(2, 2).Right, 40);
}

TEST_F(GridInteraccion, MoverUnaColumnaConElRatonConDatosMasAllaDeColCount) {
    g->SetOptions(g->GetOptions() << goColMoving);
    g->SetCells(5, 7, "oculta");
    g->SetColCount(4); // column 5 keeps its data out of view
    int desde = -1, hasta = -1;
    g->OnColumnMoved = [&](TObject*, int f, int t) {
        desde = f;
        hasta = t;
    };
    const TPoint a = Centro(1, 0), b = Centro(3, 0);
    SimulateMouse(g, SimulatedMouse::Down, 0, a.x, a.y);
    EXPECT_EQ(g->GetGridState(), gsColMoving);
    SimulateMouse(g, SimulatedMouse::Move, 0, b.x, b.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, b.x, b.y);
    EXPECT_EQ(desde, 1);
    EXPECT_EQ(hasta, 3);
    EXPECT_EQ(g->GetCells(3, 4), "1,4");
    EXPECT_EQ(g->GetCells(1, 4), "2,4");
    EXPECT_EQ(g->GetCells(5, 7), "oculta"); // beyond ColCount, untouched
    EXPECT_EQ(g->GetCells(4, 7), "4,7");
}

// A column held past the right edge: each tick of the grid's timer scrolls one column and the
// landing place follows to the column that came into view; the release stops the timer.
TEST_F(GridInteraccion, MoverColumnaMasAllaDelBordeDesplazaConElTemporizador) {
    g->SetOptions(g->GetOptions() << goColMoving);
    const TPoint a = Centro(1, 0);
    const int destino = g->GetLeftCol() + g->GetVisibleColCount();
    SimulateMouse(g, SimulatedMouse::Down, 0, a.x, a.y);
    SimulateMouse(g, SimulatedMouse::Move, 0, g->GetClientWidth() + 10, a.y);
    EXPECT_EQ(g->GetLeftCol(), 1);
    g->Perform(WM_TIMER, 1, 0);
    EXPECT_EQ(g->GetLeftCol(), 2);
    SimulateMouse(g, SimulatedMouse::Up, 0, g->GetClientWidth() + 10, a.y);
    EXPECT_EQ(g->GetGridState(), gsNormal);
    EXPECT_FALSE(KillTimer(g->GetHandle(), 1));
    EXPECT_EQ(g->GetCells(destino, 3), "1,3");
}

// While a column is sized or moved, its line or two-pixel bar is drawn inverted over the
// grid, and drawn again (gone) when the pointer moves on.
TEST_F(GridInteraccion, LaLineaDeDimensionarYLaBarraDeMoverSeDibujanInvertidas) {
    g->SetOptions(g->GetOptions() << goColSizing << goColMoving);
    TCanvas* c = g->GetCanvas();
    auto invertido = [&](int x, int y, COLORREF antes) {
        return ColorToRGB(c->GetPixels(x, y)) == (antes ^ 0xFFFFFFu);
    };
    const int y = Centro(1, 3).y;
    const int borde = g->CellRect(1, 0).Right;
    const COLORREF a20 = ColorToRGB(c->GetPixels(borde + 20, y));
    const COLORREF a30 = ColorToRGB(c->GetPixels(borde + 30, y));
    // Taken one pixel right of the line, the line stays one pixel left of the pointer.
    SimulateMouse(g, SimulatedMouse::Down, 0, borde + 1, 10);
    SimulateMouse(g, SimulatedMouse::Move, 0, borde + 21, 10);
    EXPECT_TRUE(invertido(borde + 20, y, a20));
    SimulateMouse(g, SimulatedMouse::Move, 0, borde + 31, 10);
    EXPECT_EQ(ColorToRGB(c->GetPixels(borde + 20, y)), a20);
    EXPECT_TRUE(invertido(borde + 30, y, a30));
    SimulateMouse(g, SimulatedMouse::Up, 0, borde + 31, 10);
    g->Repaint();

    const TRect destino = g->CellRect(3, 0);
    const int x1 = destino.Right - 1, x2 = destino.Right - 2, x3 = destino.Right - 3;
    const COLORREF b1 = ColorToRGB(c->GetPixels(x1, y)), b2 = ColorToRGB(c->GetPixels(x2, y)),
                   b3 = ColorToRGB(c->GetPixels(x3, y));
    const TPoint a = Centro(1, 0), b = Centro(3, 0);
    SimulateMouse(g, SimulatedMouse::Down, 0, a.x, a.y);
    SimulateMouse(g, SimulatedMouse::Move, 0, b.x, b.y);
    EXPECT_TRUE(invertido(x1, y, b1));
    EXPECT_TRUE(invertido(x2, y, b2));
    EXPECT_EQ(ColorToRGB(c->GetPixels(x3, y)), b3);
    SimulateMouse(g, SimulatedMouse::Up, 0, b.x, b.y);
}

TEST_F(GridInteraccion, EditarEnSuSitio) {
    g->SetOptions(g->GetOptions() << goEditing);
    Tecla(VK_F2);
    TInplaceEdit* e = g->GetInplaceEditor();
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(g->GetEditorMode());
    EXPECT_TRUE(e->GetVisible());
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->GetText(), "1,1");
    EXPECT_EQ(e->GetBoundsRect(), g->CellRect(1, 1));
    SimulateTyping("x"); // the caret stands after the text
    EXPECT_EQ(e->GetText(), "1,1x");
    EXPECT_EQ(g->GetCells(1, 1), "1,1x"); // written as it is typed
    Tecla(VK_RETURN);
    EXPECT_FALSE(g->GetEditorMode());
    EXPECT_FALSE(e->GetVisible());
    EXPECT_TRUE(g->Focused());
    EXPECT_EQ(g->GetCells(1, 1), "1,1x");

    // A typed character opens the editor in place of the text; Escape gives the old back.
    Tecla(VK_DOWN);
    SimulateTyping("n");
    Application->ProcessMessages();
    ASSERT_TRUE(e->GetVisible());
    SimulateTyping("ue");
    EXPECT_EQ(g->GetCells(1, 2), "nue");
    Tecla(VK_ESCAPE);
    EXPECT_FALSE(e->GetVisible());
    EXPECT_EQ(g->GetCells(1, 2), "1,2");
    EXPECT_TRUE(g->Focused());

    // Return opens it too, and moving away closes it keeping the text.
    Tecla(VK_RETURN);
    ASSERT_TRUE(e->GetVisible());
    SimulateTyping("z");
    Tecla(VK_DOWN);
    EXPECT_FALSE(e->GetVisible());
    EXPECT_EQ(g->GetCells(1, 2), "z");
    EXPECT_EQ(g->GetRow(), 3);
    // The painting leaves the edited cell to the editor and draws no focus frame.
    Tecla(VK_F2);
    g->pintadas.clear();
    g->Repaint();
    EXPECT_EQ(g->Pintada(1, 3), nullptr);
    EXPECT_NE(g->Pintada(2, 3), nullptr);
    SimulateTyping("!");
    EXPECT_FALSE(SaveCapture(g, "grid_editor").IsEmpty());
}

class EditorDeUnaLinea : public TInplaceEdit {
public:
    using TInplaceEdit::IsMultiLine;
    using TInplaceEdit::TInplaceEdit;

protected:
    void CreateParams(TCreateParams& p) override {
        TInplaceEdit::CreateParams(p);
        p.Style &= ~static_cast<DWORD>(ES_MULTILINE);
    }
};

class RejillaDeUnaLinea : public RejillaPrueba {
public:
    using RejillaPrueba::RejillaPrueba;

protected:
    TInplaceEdit* CreateEditor() override { return new EditorDeUnaLinea(this); }
};

// A multi-line edit takes every key from the dialog (Return included).
bool Multilinea(TWinControl* e) {
    return (e->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS) != 0;
}

TEST_F(GridInteraccion, ElEditorEsMultilineaSalvoQueLaRejillaLoQuite) {
    g->SetOptions(g->GetOptions() << goEditing);
    g->SetCells(1, 1, "uno\r\ndos");
    Tecla(VK_F2);
    TInplaceEdit* e = g->GetInplaceEditor();
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(Multilinea(e));
    EXPECT_EQ(e->GetText(), "uno\r\ndos");
    Tecla(VK_RETURN); // Return still closes it
    EXPECT_FALSE(e->GetVisible());

    auto* u = new RejillaDeUnaLinea(ventana.get(), 300, 150);
    u->SetOptions(u->GetOptions() << goEditing);
    u->SetFocus();
    Tecla(VK_F2);
    auto* e1 = dynamic_cast<EditorDeUnaLinea*>(u->GetInplaceEditor());
    ASSERT_NE(e1, nullptr);
    EXPECT_FALSE(Multilinea(e1));
}

} // namespace
