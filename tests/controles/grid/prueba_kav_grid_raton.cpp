// The advanced grid under the mouse: the wheel (moving the row, scrolling, zooming with
// Ctrl), zoom limits, middle-button panning, sizing columns and fixed columns by their
// borders with the sizing hint, the hint of a cell, disjunct cells by clicks, the keys
// released with AlwaysEdit, a press while a formula is typed, columns and rows dragged by
// their fixed cells, and whole rows selected from the node column of a grouped grid.

#include "controles/grid/editing/kav_inplace_edit.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/paint/grid_cursors.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/hint_window.h"
#include "tests/comun/pruebas.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <QCoreApplication>
#include <QCursor>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

class Raton : public RejillaEnVentana<> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 400, 200);
        g->SetColCount(5);
        g->SetRowCount(30);
        g->SetFocus();
        g->SetCol(1);
        g->SetRow(1);
    }
    TPoint Centro(int col, int row) {
        const TRect r = g->CellRect(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    // The pointer moved along the middle of a cell (from x Desde on): the first x showing the
    // link cursor.
    int PrimerEnlace(int col, int row, int Desde = -1) {
        const TRect r = g->CellRect(col, row);
        const int y = (r.Top + r.Bottom) / 2;
        for (int x = std::max(r.Left + 1, Desde); x < r.Right; ++x) {
            SimulateMouse(g, SimulatedMouse::Move, 0, x, y);
            if (g->GetCursor() == GridCursorLink) return x;
        }
        return -1;
    }
};

TEST_F(Raton, RuedaMueveLaFilaYSeDetieneEnLaUltima) {
    int cambios = 0;
    g->OnSelectionChanged = [&](TObject*, int, int, int, int) { ++cambios; };
    const TPoint p = Centro(2, 2);
    SimulateWheel(g, -120, p.x, p.y);
    EXPECT_EQ(g->GetRow(), 4); // three lines a notch
    EXPECT_EQ(cambios, 1);
    SimulateWheel(g, 120, p.x, p.y);
    EXPECT_EQ(g->GetRow(), 1);
    g->GetMouseActions()->SetWheelIncrement(10);
    for (int i = 0; i < 5; ++i)
        SimulateWheel(g, -120, p.x, p.y);
    EXPECT_EQ(g->GetRow(), 29);
    g->SetFixedFooters(1);
    SimulateWheel(g, -120, p.x, p.y);
    EXPECT_EQ(g->GetRow(), 28); // the footer row is not entered
    g->SetEnableWheel(false);
    SimulateWheel(g, 120, p.x, p.y);
    EXPECT_EQ(g->GetRow(), 28);
}

// The lines a notch are the desktop's setting, read when the grid is made.
TEST_F(Raton, RuedaAvanzaLasLineasQueFijaElEscritorio) {
    ASSERT_TRUE(SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 5, nullptr, 0));
    auto* h = new Rejilla(ventana.get(), ventana.get());
    UINT lineas = 0;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lineas, 0);
    SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
    EXPECT_EQ(lineas, 5u);
    h->SetBounds(0, 0, 400, 200);
    h->SetRowCount(30);
    h->SetFocus();
    h->SetRow(1);
    const TRect r = h->CellRect(2, 2);
    SimulateWheel(h, -120, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(h->GetRow(), 6);
    SimulateWheel(h, 120, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(h->GetRow(), 1);
}

TEST_F(Raton, RuedaDesplazaLaVistaConWaScroll) {
    g->GetMouseActions()->SetWheelAction(waScroll);
    const TPoint p = Centro(2, 2);
    SimulateWheel(g, -120, p.x, p.y);
    EXPECT_EQ(g->GetTopRow(), 4);
    EXPECT_EQ(g->GetRow(), 1); // the current cell stays
    SimulateWheel(g, 120, p.x, p.y);
    SimulateWheel(g, 120, p.x, p.y);
    EXPECT_EQ(g->GetTopRow(), 1);
}

TEST_F(Raton, ControlYRuedaAmplian) {
    const int ancho = g->GetColWidths(2), alto = g->GetRowHeights(3);
    const TPoint p = Centro(2, 2);
    SimulateWheel(g, -120, p.x, p.y, {ssCtrl});
    EXPECT_EQ(g->GetZoomFactor(), 3);
    EXPECT_EQ(g->GetColWidths(2), ancho + 3);
    EXPECT_EQ(g->GetRowHeights(3), alto + 3);
    EXPECT_EQ(g->GetRow(), 1);
    g->SetIntelliZoom(false);
    SimulateWheel(g, -120, p.x, p.y, {ssCtrl});
    EXPECT_EQ(g->GetZoomFactor(), 3);
}

TEST_F(Raton, ZoomDentroDeSusLimites) {
    g->SetColWidths(1, 3);
    const int ancho = g->GetColWidths(2);
    g->Zoom(5);
    g->Zoom(5);
    EXPECT_EQ(g->GetZoomFactor(), 10);
    EXPECT_EQ(g->GetColWidths(2), ancho + 10);
    g->Zoom(5); // beyond 10: nothing
    EXPECT_EQ(g->GetZoomFactor(), 10);
    EXPECT_EQ(g->GetColWidths(2), ancho + 10);
    g->Zoom(-10);
    g->Zoom(-3);
    EXPECT_EQ(g->GetZoomFactor(), -3);
    EXPECT_EQ(g->GetColWidths(1), 3); // 0 is not above 0: unchanged
    EXPECT_EQ(g->GetColWidths(2), ancho - 3);
}

TEST_F(Raton, DesplazamientoConElBotonCentral) {
    g->SetIntelliPan(ipVertical);
    const TPoint p = Centro(2, 3);
    SimulateMouse(g, SimulatedMouse::Down, 2, p.x, p.y);
    SimulateMouse(g, SimulatedMouse::Up, 2, p.x, p.y);
    ASSERT_TRUE(g->GetPanning());
    EXPECT_TRUE(g->GetMouseCapture());
    // Far to the right and below the anchor: rows move, the column never does.
    SimulateMouse(g, SimulatedMouse::Move, 0, p.x + 120, p.y + 60);
    for (int i = 0; i < 4; ++i)
        g->Perform(WM_TIMER, 999, 0);
    EXPECT_EQ(g->GetRow(), 5);
    EXPECT_EQ(g->GetCol(), 1);
    // Inside the dead zone nothing moves.
    SimulateMouse(g, SimulatedMouse::Move, 0, p.x + 3, p.y - 4);
    g->Perform(WM_TIMER, 999, 0);
    EXPECT_EQ(g->GetRow(), 5);
    // Any button ends panning.
    SimulateMouse(g, SimulatedMouse::Down, 1, p.x, p.y);
    SimulateMouse(g, SimulatedMouse::Up, 1, p.x, p.y);
    EXPECT_FALSE(g->GetPanning());
    EXPECT_FALSE(g->GetMouseCapture());
    g->SetIntelliPan(ipNone);
    SimulateMouse(g, SimulatedMouse::Down, 2, p.x, p.y);
    EXPECT_FALSE(g->GetPanning());
}

// Panning shows the grid's own cursors, one for each way the view moves and a ring while it
// stands, and leaves the anchor of the ways it may move where it started: a disc with its
// arrowheads, the corners of its square showing the cells under it.
TEST_F(Raton, CursoresYAnclaDelDesplazamiento) {
    ventana->Show();
    g->SetColCount(30);
    struct Caso {
        TIntelliPan modo;
        bool vertical, horizontal;
    };
    for (const Caso& c : {Caso{ipBoth, true, true}, Caso{ipVertical, true, false},
                          Caso{ipHorizontal, false, true}}) {
        SCOPED_TRACE(c.modo);
        g->SetIntelliPan(c.modo);
        g->SetTopRow(g->GetFixedRows());
        g->SetLeftCol(g->GetFixedCols());
        g->Repaint();
        const TPoint p = Centro(2, 3);
        const TColor fondo = g->GetCanvas()->GetPixels(p.x, p.y);
        SimulateMouse(g, SimulatedMouse::Down, 2, p.x, p.y);
        SimulateMouse(g, SimulatedMouse::Up, 2, p.x, p.y);
        ASSERT_TRUE(g->GetPanning());
        EXPECT_EQ(g->GetCursor(), 8000);
        // The anchor: the disc's middle and the arrowheads of the ways allowed are black,
        // the square's corner keeps the cell's colour.
        TCanvas* lienzo = g->GetCanvas();
        EXPECT_EQ(lienzo->GetPixels(p.x + 16, p.y + 16), clBlack);
        EXPECT_EQ(lienzo->GetPixels(p.x + 16, p.y + 7) == clBlack, c.vertical);
        EXPECT_EQ(lienzo->GetPixels(p.x + 7, p.y + 16) == clBlack, c.horizontal);
        EXPECT_EQ(lienzo->GetPixels(p.x, p.y), fondo);
        if (c.modo == ipBoth)
            EXPECT_FALSE(SaveCapture(g, "rejilla_ancla_desplazamiento", TPoint(p.x + 30, p.y + 30))
                             .IsEmpty());
        // Each way the pointer lies from the anchor, its cursor (8001 down ... 8008 down-left).
        struct Direccion {
            int dx, dy, cursor;
        };
        for (const Direccion& d :
             {Direccion{0, 1, 8001}, Direccion{-1, 0, 8002}, Direccion{1, 0, 8003},
              Direccion{0, -1, 8004}, Direccion{1, -1, 8005}, Direccion{-1, -1, 8006},
              Direccion{1, 1, 8007}, Direccion{-1, 1, 8008}, Direccion{0, 0, 8000}}) {
            SimulateMouse(g, SimulatedMouse::Move, 0, p.x + 30 * d.dx, p.y + 30 * d.dy);
            g->Perform(WM_TIMER, 999, 0);
            // A way the mode does not allow stands still.
            const int dx = c.horizontal ? d.dx : 0, dy = c.vertical ? d.dy : 0;
            const int esperado = dx == 0 && dy == 0         ? 8000
                                 : dx == d.dx && dy == d.dy ? d.cursor
                                 : dx == 0                  ? (dy > 0 ? 8001 : 8004)
                                                            : (dx > 0 ? 8003 : 8002);
            EXPECT_EQ(g->GetCursor(), esperado) << d.dx << "," << d.dy;
            if (c.modo == ipBoth && d.cursor == 8005)
                EXPECT_FALSE(
                    SaveCapture(g, "rejilla_cursor_desplazamiento", TPoint(p.x + 30, p.y - 30))
                        .IsEmpty());
        }
        SimulateMouse(g, SimulatedMouse::Down, 2, p.x, p.y);
        SimulateMouse(g, SimulatedMouse::Up, 2, p.x, p.y);
        EXPECT_FALSE(g->GetPanning());
        EXPECT_EQ(g->GetCursor(), crDefault);
    }
}

TEST_F(Raton, AnchoDeColumnaConElRatonYSuAviso) {
    g->SetOptions(g->GetOptions() << goColSizing);
    g->SetHintShowSizing(true);
    const TRect r = g->CellRect(2, 0);
    const int y = (r.Top + r.Bottom) / 2;
    SimulateMouse(g, SimulatedMouse::Move, 0, r.Right, y);
    SimulateMouse(g, SimulatedMouse::Down, 0, r.Right, y);
    SimulateMouse(g, SimulatedMouse::Move, 0, r.Right + 30, y);
    const int esperado = g->GetColWidths(2) + 30;
    // The number in bold.
    EXPECT_EQ(g->GetSizingHintText(), "cw=<b>" + IntToStr(esperado) + "</b>");
    SimulateMouse(g, SimulatedMouse::Up, 0, r.Right + 30, y);
    EXPECT_EQ(g->GetColWidths(2), esperado);
    EXPECT_TRUE(g->GetSizingHintText().IsEmpty());
}

TEST_F(Raton, AnchoDeColumnaFijaConSizeFixedCol) {
    const int antes = g->GetColWidths(0);
    const int borde = antes + 1;
    const int y = Centro(0, 5).y;
    // Without SizeFixedCol the border of a fixed column does nothing.
    SimulateMouse(g, SimulatedMouse::Move, 0, borde, y);
    SimulateMouse(g, SimulatedMouse::Down, 0, borde, y);
    SimulateMouse(g, SimulatedMouse::Move, 0, borde + 25, y);
    SimulateMouse(g, SimulatedMouse::Up, 0, borde + 25, y);
    EXPECT_EQ(g->GetColWidths(0), antes);
    g->GetMouseActions()->SetSizeFixedCol(true);
    SimulateMouse(g, SimulatedMouse::Move, 0, borde - 1, y);
    EXPECT_EQ(g->GetCursor(), crHSplit);
    SimulateMouse(g, SimulatedMouse::Down, 0, borde - 1, y);
    SimulateMouse(g, SimulatedMouse::Move, 0, borde + 24, y);
    SimulateMouse(g, SimulatedMouse::Up, 0, borde + 24, y);
    EXPECT_EQ(g->GetColWidths(0), antes + 25);
    // Away from the border the cursor is the grid's own again.
    SimulateMouse(g, SimulatedMouse::Move, 0, 5, y);
    EXPECT_EQ(g->GetCursor(), crDefault);
}

TEST_F(Raton, AvisoDeLaCeldaBajoElRaton) {
    g->SetColWidths(2, 40);
    g->SetCells(2, 3, "Un texto bastante largo");
    g->SetCells(3, 3, "corto");
    auto aviso = [&](int col, int row, AnsiString& texto) {
        THintInfo info;
        info.HintControl = g;
        info.CursorPos = Centro(col, row);
        info.HintStr = "propio";
        const LRESULT r = g->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
        texto = info.HintStr;
        return r == 0 ? info.CursorRect : TRect();
    };
    AnsiString texto;
    aviso(2, 3, texto);
    EXPECT_EQ(texto, "propio"); // HintShowCells off: the control's own hint
    g->SetHintShowCells(true);
    const TRect zona = aviso(2, 3, texto);
    EXPECT_EQ(texto, "Un texto bastante largo");
    EXPECT_EQ(zona, g->CellRect(2, 3));
    g->SetHintShowLargeText(true);
    aviso(3, 3, texto);
    EXPECT_EQ(texto, "propio"); // it fits: no hint of its own
    aviso(2, 3, texto);
    EXPECT_EQ(texto, "Un texto bastante largo");
    g->AddComment(3, 4, "Nota");
    aviso(3, 4, texto);
    EXPECT_EQ(texto, "Nota");
    // A wide cell's hint is its characters (one that Windows-1252 lacks as "?"), never the
    // form the store keeps them in.
    g->SetHintShowLargeText(false);
    g->SetWideCells(2, 5, WideString(u"Peñíscola € Ā"));
    aviso(2, 5, texto);
    EXPECT_EQ(texto, AnsiString("Peñíscola € ?"));
}

TEST_F(Raton, EnlaceDeMarcadoCambiaElCursorYDaSuAviso) {
    g->SetColWidths(2, 160);
    g->SetCells(2, 3, "Ver <a href=\"http://ejemplo.es\">enlace</a>");
    g->SetAnchorHint(true);
    g->OnAnchorHint = [](TObject*, int, int, AnsiString& a) { a = "Abrir " + a; };
    const TRect r = g->CellRect(2, 3);
    const int y = (r.Top + r.Bottom) / 2;
    const int sobre = PrimerEnlace(2, 3);
    ASSERT_GT(sobre, r.Left + 10); // "Ver " comes first
    THintInfo info;
    info.CursorPos = {sobre, y};
    info.HintStr = "propio";
    EXPECT_EQ(g->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.HintStr, "Abrir http://ejemplo.es");
    // Over the link, the grid's own link cursor (a pointing hand), drawn for a person to
    // look at in capturas/rejilla_cursor_enlace.png.
    SimulateMouse(g, SimulatedMouse::Move, 0, sobre, y);
    EXPECT_EQ(g->GetCursor(), GridCursorLink);
    EXPECT_EQ(reinterpret_cast<const QCursor*>(Screen->GetCursors(GridCursorLink))->shape(),
              Qt::BitmapCursor);
    EXPECT_FALSE(SaveCapture(g, "rejilla_cursor_enlace", TPoint(sobre, y)).IsEmpty());
    SimulateMouse(g, SimulatedMouse::Move, 0, r.Left + 2, y);
    EXPECT_EQ(g->GetCursor(), crDefault);
}

// In the application's hint window as in the window system's tool tip, a cell's hint stays
// while the pointer moves inside the cell or over the same link, and goes at once when the
// pointer reaches another cell, leaves the link or reaches another link of the same cell;
// the next rest shows the hint of where the pointer is.
TEST_F(Raton, ElAvisoSeQuitaAlCambiarDeCeldaOEnlace) {
    ventana->Show();
    g->SetHint("propio");
    g->SetShowHint(true);
    g->SetHintShowCells(true);
    g->SetAnchorHint(true);
    g->SetColWidths(2, 250);
    g->SetCells(2, 3,
                "Ver <a href=\"http://uno.es\">enlace</a> o <a href=\"http://dos.es\">otro</a>");
    g->SetCells(3, 3, "otra");
    g->SetCells(3, 4, "abajo");
    const TRect r = g->CellRect(2, 3);
    const int y = (r.Top + r.Bottom) / 2;
    const int enlace = PrimerEnlace(2, 3);
    ASSERT_GT(enlace, r.Left + 10);
    int fin = enlace;
    do
        SimulateMouse(g, SimulatedMouse::Move, 0, ++fin, y);
    while (g->GetCursor() == GridCursorLink && fin < r.Right);
    const int otro = PrimerEnlace(2, 3, fin);
    ASSERT_GT(otro, enlace);
    for (const bool ventanaPropia : {true, false}) {
        SCOPED_TRACE(ventanaPropia ? "application's hint window" : "tool tip");
        if (ventanaPropia)
            g->SetUseHTMLHints(true);
        else
            SetHintWindowClass(nullptr);
        auto mostrada = [&] {
            if (!ventanaPropia) return QToolTip::isVisible();
            THintWindow* w = GetApplicationHintWindow();
            return w && w->GetVisible();
        };
        // The pointer rests: the window system asks for the hint there.
        auto reposa = [&](TPoint p) {
            SimulateMouse(g, SimulatedMouse::Move, 0, p.x, p.y);
            QHelpEvent e(QEvent::ToolTip, QPoint(p.x, p.y),
                         g->GetWidget()->mapToGlobal(QPoint(p.x, p.y)));
            QCoreApplication::sendEvent(g->GetWidget(), &e);
            if (!mostrada()) return AnsiString();
            return ventanaPropia ? GetApplicationHintWindow()->GetCaption()
                                 : AnsiString(QToolTip::text().toUtf8().constData());
        };
        struct Paso {
            const char* que;
            TPoint desde, hasta;
            bool sigue;
            const char* luego; // the hint a rest there shows next
        };
        const Paso pasos[] = {
            {"inside the cell",
             Centro(3, 3),
             {Centro(3, 3).x + 5, Centro(3, 3).y + 1},
             true,
             "otra"},
            {"to the next cell", Centro(3, 3), Centro(3, 4), false, "abajo"},
            {"along the same link", {enlace + 1, y}, {enlace + 3, y}, true, "http://uno.es"},
            {"off the link, same cell", {enlace + 1, y}, {r.Left + 2, y}, false, nullptr},
            {"to the other link, same cell",
             {enlace + 1, y},
             {otro + 1, y},
             false,
             "http://dos.es"},
            {"from a link to another cell", {enlace + 1, y}, Centro(3, 3), false, "otra"},
        };
        for (const Paso& p : pasos) {
            SCOPED_TRACE(p.que);
            EXPECT_FALSE(reposa(p.desde).IsEmpty());
            SimulateMouse(g, SimulatedMouse::Move, 0, p.hasta.x, p.hasta.y);
            EXPECT_EQ(mostrada(), p.sigue);
            if (p.luego) {
                EXPECT_EQ(reposa(p.hasta), p.luego);
            }
            CancelHint();
            EXPECT_FALSE(mostrada());
        }
    }
    SetHintWindowClass(nullptr);
}

TEST_F(Raton, CeldasDisjuntasConClicYControl) {
    g->GetMouseActions()->SetDisjunctCellSelect(true);
    auto clic = [&](int col, int row, TShiftState s) {
        const TPoint p = Centro(col, row);
        SimulateMouse(g, SimulatedMouse::Down, 0, p.x, p.y, s);
        SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y, s);
    };
    clic(2, 2, {});
    clic(3, 4, {ssCtrl});
    EXPECT_TRUE(g->GetSelectedCells(2, 2));
    EXPECT_TRUE(g->GetSelectedCells(3, 4));
    EXPECT_EQ(g->GetSelectedCellsCount(), 2);
    clic(3, 4, {ssCtrl}); // Ctrl on a listed cell takes it out
    EXPECT_FALSE(g->GetSelectedCells(3, 4));
    clic(1, 5, {});
    EXPECT_FALSE(g->GetSelectedCells(2, 2));
    EXPECT_TRUE(g->GetSelectedCells(1, 5));
    EXPECT_EQ(g->GetSelectedCellsCount(), 1);
    // A block selected before the click joins the list.
    g->SetSelection({1, 6, 2, 7});
    const TPoint p = Centro(3, 8);
    SimulateMouse(g, SimulatedMouse::Down, 0, p.x, p.y, {ssShift});
    g->SetSelection({1, 6, 2, 7});
    SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y);
    EXPECT_FALSE(g->GetSelectedCells(1, 5));
    EXPECT_TRUE(g->GetSelectedCells(3, 8));
    EXPECT_TRUE(g->GetSelectedCells(1, 6));
    EXPECT_TRUE(g->GetSelectedCells(2, 7));
}

TEST_F(Raton, SiempreEditarAbreTrasLasFlechas) {
    g->SetOptions(g->GetOptions() << goEditing);
    g->GetNavigation()->SetAlwaysEdit(true);
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetRow(), 2);
    EXPECT_TRUE(g->GetEditorMode() && g->GetInplaceEditor() && g->GetInplaceEditor()->GetVisible());
}

TEST_F(Raton, LineasMaximasDeUnaFila) {
    g->SetCells(1, 2, "a\r\nb\r\nc");
    g->SetCells(3, 2, "x\r\ny");
    EXPECT_EQ(g->MaxLinesInRow(2), 1); // without Multilinecells
    g->SetMultilinecells(true);
    EXPECT_EQ(g->MaxLinesInRow(2), 3);
    EXPECT_EQ(g->MaxLinesInRow(3), 1);
}

} // namespace

namespace {

// The caret and selected length of an editor opened by a click on the current cell.
std::pair<int, int> CaretTrasClic(Rejilla* g, int x, int y) {
    SimulateClick(g, x, y);
    TKavInplaceEdit* ed = g->GetKavInplaceEditor();
    if (!g->GetEditorMode() || !ed || !ed->GetVisible()) return {-1, -1};
    return {ed->GetSelStart(), ed->GetSelLength()};
}

} // namespace

TEST_F(Raton, CaretPositioningPoneElCursorBajoElClic) {
    g->SetOptions(g->GetOptions() << goEditing);
    g->SetColWidths(1, 200);
    g->SetCells(1, 1, "abcdefghijkl");
    g->SetCells(1, 2, "abcdefghijkl");
    const TRect r = g->CellRect(1, 1);
    const int cerca = r.Left + 6; // over the first characters
    // Without CaretPositioning the click opens the editor with the whole text selected.
    EXPECT_EQ(CaretTrasClic(g, cerca, r.Top + 5), std::make_pair(0, 12));
    SimulateKeyStroke(VK_ESCAPE);
    g->GetMouseActions()->SetCaretPositioning(true);
    const auto [caret, largo] = CaretTrasClic(g, cerca, r.Top + 5);
    EXPECT_GE(caret, 0);
    EXPECT_LE(caret, 2);
    EXPECT_EQ(largo, 0);
    // Further right, further into the text.
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_GT(CaretTrasClic(g, r.Left + 60, r.Top + 5).first, caret + 3);
    SimulateKeyStroke(VK_ESCAPE);
    // A click that opens no editor leaves no request behind for the next F2.
    const TRect r2 = g->CellRect(1, 2);
    SimulateClick(g, r2.Left + 6, r2.Top + 5);
    EXPECT_FALSE(g->GetCaretByClick());
    SimulateKeyStroke(VK_F2);
    ASSERT_NE(g->GetKavInplaceEditor(), nullptr);
    // F2 puts the caret after the text, not under the last click.
    EXPECT_EQ(g->GetKavInplaceEditor()->GetSelStart(), 12);
}

TEST_F(Raton, RangeSelectAndEditArrastrandoSeleccionaSinEditar) {
    g->SetOptions(g->GetOptions() << goEditing << goRangeSelect);
    g->GetMouseActions()->SetRangeSelectAndEdit(true);
    const TPoint a = Centro(1, 1), b = Centro(3, 3);
    SimulateMouse(g, SimulatedMouse::Down, 0, a.x, a.y);
    SimulateMouse(g, SimulatedMouse::Move, 0, b.x, b.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, b.x, b.y);
    const TGridRect s = g->GetSelection();
    EXPECT_EQ(s.Left, 1);
    EXPECT_EQ(s.Top, 1);
    EXPECT_EQ(s.Right, 3);
    EXPECT_EQ(s.Bottom, 3);
    EXPECT_FALSE(g->GetOptions().Contains(goEditing));
    EXPECT_FALSE(g->GetEditorMode());
    // F2 brings editing back.
    SimulateKeyStroke(VK_F2);
    EXPECT_TRUE(g->GetOptions().Contains(goEditing));
    EXPECT_TRUE(g->GetEditorMode());
    SimulateKeyStroke(VK_ESCAPE);
    // A press and release on one cell leaves editing on.
    const TPoint c = Centro(2, 4);
    SimulateMouse(g, SimulatedMouse::Down, 0, c.x, c.y);
    SimulateMouse(g, SimulatedMouse::Move, 0, c.x + 3, c.y + 1);
    SimulateMouse(g, SimulatedMouse::Up, 0, c.x + 3, c.y + 1);
    EXPECT_TRUE(g->GetOptions().Contains(goEditing));
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetRow(), 4);
}

TEST_F(Raton, KeepHorizScrollAlArrastrarFilas) {
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep);
        g->SetColCount(10);
        for (int c = 1; c < 10; ++c)
            g->SetColWidths(c, 150);
        g->SetOptions(g->GetOptions() << goRowSelect << goRangeSelect);
        g->GetNavigation()->SetKeepHorizScroll(keep);
        g->SetRow(1);
        g->SetLeftCol(1);
        const TRect ultima = g->CellRect(g->GetLeftCol() + g->GetVisibleColCount(), 3);
        const TPoint a = Centro(1, 2);
        SimulateMouse(g, SimulatedMouse::Down, 0, a.x, a.y);
        // Drag down onto the partly shown column at the right.
        SimulateMouse(g, SimulatedMouse::Move, 0, ultima.Left + 5, ultima.Top + 5);
        SimulateMouse(g, SimulatedMouse::Up, 0, ultima.Left + 5, ultima.Top + 5);
        EXPECT_EQ(g->GetSelection().Bottom, 3);
        if (keep)
            EXPECT_EQ(g->GetLeftCol(), 1);
        else
            EXPECT_GT(g->GetLeftCol(), 1);
    }
}

namespace {

// Records the cells a press names while a formula is typed, and the mode's switches.
class RejillaFormulas : public Rejilla {
public:
    using Rejilla::Rejilla;
    std::vector<TPoint> nombradas;
    std::vector<bool> modos;
    void CellSelect(int ACol, int ARow) override { nombradas.push_back(TPoint(ACol, ARow)); }
    void SetCellSelectMode(bool Value) override {
        modos.push_back(Value);
        Rejilla::SetCellSelectMode(Value);
    }
};

} // namespace

TEST_F(Raton, ConUnaFormulaElClicNombraLaCeldaSinMoverse) {
    auto* f = new RejillaFormulas(ventana.get(), ventana.get());
    f->SetBounds(0, 0, 400, 200);
    f->SetColCount(5);
    f->SetRowCount(10);
    f->SetOptions(f->GetOptions() << goEditing);
    f->SetFocus();
    f->SetCol(1);
    f->SetRow(1);
    SimulateTyping("=a");
    ASSERT_TRUE(f->GetEditorMode());
    EXPECT_TRUE(f->GetCellSelectMode());
    const TRect r = f->CellRect(3, 4);
    SimulateClick(f, r.Left + 5, r.Top + 5);
    ASSERT_EQ(f->nombradas.size(), 1u);
    EXPECT_EQ(f->nombradas[0], TPoint(3, 4));
    // The press goes to the hook alone: the current cell and its editor stay.
    EXPECT_EQ(f->GetCol(), 1);
    EXPECT_EQ(f->GetRow(), 1);
    ASSERT_TRUE(f->GetEditorMode());
    EXPECT_EQ(f->GetInplaceEditor()->GetText(), "=a");

    // Text that does not start with "=": the press moves to the cell.
    SimulateKeyStroke(VK_HOME);
    SimulateKeyStroke(VK_DELETE);
    EXPECT_FALSE(f->GetCellSelectMode());
    SimulateClick(f, r.Left + 5, r.Top + 5);
    EXPECT_EQ(f->nombradas.size(), 1u);
    EXPECT_EQ(f->GetCol(), 3);
    EXPECT_EQ(f->GetRow(), 4);
    EXPECT_EQ(f->GetCells(1, 1), "a");
    EXPECT_FALSE(f->modos.empty());
    EXPECT_FALSE(f->modos.back());
}

// A column dragged by its header: once the pointer has left it, the drag cursor shows and two
// arrows above and below the header mark the line it would land on; the release moves it to
// the column under the pointer and sorts nothing. A header clicked without leaving it sorts.
TEST_F(Raton, ColumnaArrastradaPorSuCabeceraConFlechasYCursorDeArrastre) {
    g->SetColCount(12);
    g->SetOptions(g->GetOptions() << goColMoving);
    g->GetSortSettings()->SetShow(true);
    for (int r = 1; r < 30; ++r)
        g->SetCells(1, r, "a" + IntToStr(r));
    int ordenes = 0;
    g->OnClickSort = [&](TObject*, int) { ++ordenes; };
    TArrowWindow* encima = g->GetArrowWindow(arrDown);
    TArrowWindow* debajo = g->GetArrowWindow(arrUp);
    const TPoint a = Centro(1, 0), b = Centro(3, 0);

    SimulateMouse(g, SimulatedMouse::Down, 0, a.x, a.y);
    ASSERT_EQ(g->GetGridState(), gsColMoving);
    EXPECT_EQ(Screen->GetCursor(), crDefault); // a press alone is no drag
    EXPECT_FALSE(encima->GetVisible());
    SimulateMouse(g, SimulatedMouse::Move, 0, b.x, b.y);
    EXPECT_EQ(Screen->GetCursor(), crDrag);
    ASSERT_TRUE(encima->GetVisible());
    ASSERT_TRUE(debajo->GetVisible());
    // Moved on, it lands after column 3: the arrows stand on that column's right edge.
    const TRect c3 = g->CellRect(3, 0);
    const TPoint linea = g->ClientToScreen(TPoint(c3.Right, c3.Top));
    const TPoint pie = g->ClientToScreen(TPoint(c3.Right, c3.Bottom));
    EXPECT_EQ(encima->GetLeft() + encima->GetWidth() / 2, linea.x);
    EXPECT_EQ(debajo->GetLeft() + debajo->GetWidth() / 2, linea.x);
    EXPECT_EQ(encima->GetTop() + encima->GetHeight(), linea.y);
    EXPECT_EQ(debajo->GetTop(), pie.y);
    // Past the right edge the move timer scrolls one column a tick and the arrows follow.
    const int izquierda = g->GetLeftCol();
    SimulateMouse(g, SimulatedMouse::Move, 0, g->GetClientWidth() + 20, b.y);
    g->Perform(WM_TIMER, 1, 0);
    EXPECT_EQ(g->GetLeftCol(), izquierda + 1);
    EXPECT_TRUE(encima->GetVisible());

    const TPoint d = Centro(4, 0);
    SimulateMouse(g, SimulatedMouse::Move, 0, d.x, d.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, d.x, d.y);
    EXPECT_EQ(g->GetCells(4, 5), "a5");
    EXPECT_EQ(g->GetCells(1, 5), "");
    EXPECT_EQ(g->GetGridState(), gsNormal);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_FALSE(encima->GetVisible());
    EXPECT_FALSE(debajo->GetVisible());
    EXPECT_FALSE(KillTimer(g->GetHandle(), 1)); // the move timer has stopped
    EXPECT_EQ(ordenes, 0);

    const TPoint h = Centro(4, 0);
    SimulateMouse(g, SimulatedMouse::Down, 0, h.x, h.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, h.x, h.y);
    EXPECT_EQ(ordenes, 1);
    EXPECT_EQ(g->GetCells(1, 5), ""); // sorted, not moved
}

// A row dragged by its fixed cell: one arrow left of the grid marks its landing line, and a
// cancelled move (the capture taken away) leaves the rows, the cursor and the timer alone.
TEST_F(Raton, FilaArrastradaYMovimientoCancelado) {
    g->SetOptions(g->GetOptions() << goRowMoving);
    g->SetCells(1, 2, "dos");
    TArrowWindow* flecha = g->GetArrowWindow(arrLeft);
    const TPoint a = Centro(0, 2), b = Centro(0, 5);
    SimulateMouse(g, SimulatedMouse::Down, 0, a.x, a.y);
    SimulateMouse(g, SimulatedMouse::Move, 0, b.x, b.y);
    ASSERT_TRUE(flecha->GetVisible());
    const TRect f5 = g->CellRect(0, 5);
    EXPECT_EQ(flecha->GetTop() + flecha->GetHeight() / 2,
              g->ClientToScreen(TPoint(f5.Left, f5.Bottom)).y);
    EXPECT_LE(flecha->GetLeft() + flecha->GetWidth(), g->ClientToScreen(TPoint(f5.Left, 0)).x);
    g->Perform(WM_CANCELMODE, 0, 0);
    EXPECT_EQ(g->GetGridState(), gsNormal);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_FALSE(flecha->GetVisible());
    EXPECT_FALSE(KillTimer(g->GetHandle(), 1));
    SimulateMouse(g, SimulatedMouse::Up, 0, b.x, b.y);
    EXPECT_EQ(g->GetCells(1, 2), "dos");

    SimulateMouse(g, SimulatedMouse::Down, 0, a.x, a.y);
    SimulateMouse(g, SimulatedMouse::Move, 0, b.x, b.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, b.x, b.y);
    EXPECT_EQ(g->GetCells(1, 5), "dos");
    EXPECT_FALSE(flecha->GetVisible());
}

// In a grouped grid column 0 holds the node glyphs; with RowSelect a press there (outside the
// glyph) still selects the whole row.
TEST_F(Raton, FilaEnteraDesdeLaColumnaDeNodosDeUnaRejillaAgrupada) {
    g->SetColCount(4);
    g->SetRowCount(6);
    for (int r = 1; r < 6; ++r) {
        g->SetCells(1, r, r < 3 ? "A" : "B");
        g->SetCells(2, r, IntToStr(r));
    }
    g->Group(1);
    g->SetOptions(g->GetOptions() << goRangeSelect);
    g->GetMouseActions()->SetRowSelect(true);
    const int fila = 2;
    ASSERT_FALSE(g->IsNode(fila));
    const TRect r = g->CellRect(0, fila);
    const TPoint p(r.Right - 3, (r.Top + r.Bottom) / 2);
    SimulateMouse(g, SimulatedMouse::Move, 0, p.x, p.y);
    SimulateMouse(g, SimulatedMouse::Down, 0, p.x, p.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y);
    const TGridRect s = g->GetSelection();
    EXPECT_EQ(s.Top, fila);
    EXPECT_EQ(s.Bottom, fila);
    EXPECT_EQ(s.Left, g->GetFixedCols());
    EXPECT_EQ(s.Right, g->GetColCount() - 1);
}
