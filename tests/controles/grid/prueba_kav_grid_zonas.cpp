// The grid under the mouse where its own zones are: the cursors of the fixed cells' selection
// zones and of the selection resizer, the resize of the selection by its handle (copy on the
// press, paste into the resized selection on the release), fixed cells drawn as buttons and
// a link edited by a right click.

#include "controles/grid/editing/kav_inplace_edit.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/paint/grid_cursors.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/services/clipboard.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Zonas : public RejillaEnVentana<> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 420, 220);
        g->SetColCount(6);
        g->SetRowCount(10);
        g->SetFocus();
        Clipboard()->Clear();
    }
    TPoint Centro(int col, int row) const {
        const TRect r = g->CellRect(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    // Inside the resizer's handle of the selection's last cell.
    TPoint Asa() const {
        const TGridRect s = g->GetSelection();
        const TRect r = g->CellRect(s.Right, s.Bottom);
        return {r.Right - 2, r.Bottom - 2};
    }
    void Mover(TPoint p) { SimulateMouse(g, SimulatedMouse::Move, 0, p.x, p.y); }
    void Pulsar(TPoint p) { SimulateMouse(g, SimulatedMouse::Down, 0, p.x, p.y); }
    void Soltar(TPoint p) { SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y); }
    static HCURSOR Cursor(int id) { return LoadCursor(HInstance, id); }
    void Resizer() {
        g->SetSelectionRectangle(true);
        g->SetSelectionResizer(true);
    }
    // Column Col, rows From..To, joined by "|".
    std::string Columna(int col, int from, int to) const {
        std::string s;
        for (int r = from; r <= to; ++r)
            s += (r > from ? "|" : "") + g->GetCells(col, r).str();
        return s;
    }
};

TEST_F(Zonas, CadaZonaMuestraSuCursorTrasUnMovimiento) {
    // The four cursors are drawn, told apart, and loaded once.
    const int ids[] = {GridCursorRowSelect, GridCursorColSelect, GridCursorSelectAll,
                       GridCursorSelectionResize};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(Cursor(ids[i]), nullptr) << ids[i];
        EXPECT_EQ(Cursor(ids[i]), Cursor(ids[i]));
        for (int j = 0; j < i; ++j)
            EXPECT_NE(Cursor(ids[i]), Cursor(ids[j]));
    }
    EXPECT_EQ(Cursor(8013), nullptr);

    TMouseActions* ma = g->GetMouseActions();
    ma->SetColSelect(true);
    ma->SetRowSelect(true);
    ma->SetAllSelect(true);
    Resizer();
    g->SetSelection({1, 1, 2, 2});
    struct Caso {
        const char* zona;
        TPoint punto;
        int cursor; // 0: the grid's own (none of the zones')
        int estado;
    };
    const std::vector<Caso> casos = {
        {"cabecera de columna", Centro(3, 0), GridCursorColSelect, 1},
        {"celda de datos", Centro(3, 5), 0, 0},
        {"cabecera de fila", Centro(0, 4), GridCursorRowSelect, 2},
        {"esquina", Centro(0, 0), GridCursorSelectAll, 3},
        {"asa de la selección", Asa(), GridCursorSelectAll, 5},
        {"junto al asa", {Asa().x - 8, Asa().y - 8}, 0, 0},
        {"fuera de las celdas", {410, 210}, 0, 0},
    };
    for (const Caso& c : casos) {
        Mover(c.punto);
        EXPECT_EQ(g->GetMouseCursorState(), c.estado) << c.zona;
        EXPECT_EQ(ShownCursor(g), c.cursor ? Cursor(c.cursor) : nullptr) << c.zona;
    }

    // Without their options the zones show the grid's own cursor.
    ma->SetColSelect(false);
    ma->SetRowSelect(false);
    g->SetSelectionResizer(false);
    for (TPoint p : {Centro(3, 0), Centro(0, 4), Asa()}) {
        Mover(p);
        EXPECT_EQ(g->GetMouseCursorState(), 0);
        EXPECT_EQ(ShownCursor(g), nullptr);
    }

    // A cursor set from outside ends the zone's; the grid's own link cursor keeps it.
    ma->SetColSelect(true);
    Mover(Centro(3, 0));
    EXPECT_EQ(g->GetMouseCursorState(), 1);
    g->SetCursor(crHourGlass);
    EXPECT_EQ(g->GetMouseCursorState(), 0);
}

TEST_F(Zonas, ArrastrarElAsaRedimensionaYPegaEnLaSeleccion) {
    struct Paso {
        const char* caso;
        bool editable;
        std::vector<const char*> previo; // column 1 from row 1
        TGridRect seleccion;
        TPoint destino; // the cell released on
        TGridRect nueva;
        const char* columna1; // rows 1..6 after the release
    };
    const std::vector<Paso> pasos = {
        {"un valor repetido", true, {"5"}, {1, 1, 1, 1}, {1, 4}, {1, 1, 1, 4}, "5|5|5|5||"},
        {"una serie continuada",
         true,
         {"1", "2"},
         {1, 1, 1, 2},
         {1, 6},
         {1, 1, 1, 6},
         "1|2|3|4|5|6"},
        {"un bloque repetido", true, {"a", "b"}, {1, 1, 1, 2}, {1, 5}, {1, 1, 1, 5}, "a|b|a|b|a|"},
        {"sin goEditing también", false, {"7"}, {1, 1, 1, 1}, {1, 3}, {1, 1, 1, 3}, "7|7|7|||"},
        {"arriba del origen no encoge",
         true,
         {"1", "2"},
         {1, 2, 1, 3},
         {1, 1},
         {1, 2, 1, 2},
         "|1|2|||"},
    };
    for (const Paso& p : pasos) {
        SCOPED_TRACE(p.caso);
        g->SetOptions(p.editable ? g->GetOptions() << goEditing : g->GetOptions() >> goEditing);
        g->GetNavigation()->SetAllowSmartClipboard(true);
        Resizer();
        for (int r = 1; r < g->GetRowCount(); ++r)
            g->SetCells(1, r, "");
        for (size_t i = 0; i < p.previo.size(); ++i)
            g->SetCells(1, p.seleccion.Top + static_cast<int>(i), p.previo[i]);
        g->SetCol(p.seleccion.Left);
        g->SetRow(p.seleccion.Top);
        g->SetSelection(p.seleccion);
        std::vector<std::string> eventos;
        g->OnSelectionResize = [&](TObject*, const TGridRect& o, const TGridRect& n) {
            EXPECT_EQ(o, p.seleccion);
            EXPECT_EQ(n, p.nueva);
            eventos.push_back("antes:" + Columna(1, 1, 6));
        };
        g->OnSelectionResized = [&](TObject*, const TGridRect& o, const TGridRect& n) {
            EXPECT_EQ(o, p.seleccion);
            EXPECT_EQ(n, p.nueva);
            eventos.push_back("después:" + Columna(1, 1, 6));
        };
        int clics = 0;
        g->OnClickCell = [&](TObject*, int, int) { ++clics; };

        Mover(Asa());
        ASSERT_EQ(g->GetMouseCursorState(), 5);
        Pulsar(Asa());
        EXPECT_TRUE(g->GetSelectionResizing());
        EXPECT_EQ(ShownCursor(g), Cursor(GridCursorSelectionResize));
        const TPoint destino = Centro(p.destino.x, p.destino.y);
        Mover(destino);
        EXPECT_EQ(g->GetSelection(), p.nueva);
        EXPECT_TRUE(eventos.empty()); // nothing is pasted before the release
        Soltar(destino);

        EXPECT_FALSE(g->GetSelectionResizing());
        EXPECT_EQ(g->GetSelection(), p.nueva);
        EXPECT_EQ(Columna(1, 1, 6), p.columna1);
        ASSERT_EQ(eventos.size(), 2u);
        EXPECT_EQ(eventos[0].substr(0, 6), "antes:");
        EXPECT_EQ(eventos[1], "después:" + std::string(p.columna1));
        EXPECT_EQ(clics, 0); // the handle is no cell click
        EXPECT_EQ(g->GetCol(), p.seleccion.Left);
        EXPECT_EQ(g->GetRow(), p.seleccion.Top);
        // The copy of the press is on the clipboard.
        EXPECT_EQ(AnsiString(Clipboard()->GetAsText()).SubString(1, 1), p.previo[0]);
        // After the release a move over the cells shows the grid's own cursor again.
        Mover(Centro(4, 7));
        EXPECT_EQ(ShownCursor(g), nullptr);
    }
}

TEST_F(Zonas, ElRedimensionadoPegaSoloEnLoVisibleConColumnaYFilaOcultas) {
    g->SetOptions(g->GetOptions() << goEditing);
    g->GetNavigation()->SetAllowSmartClipboard(true);
    Resizer();
    // A plain model of columns 1..3, rows 1..5, beside the grid (texts without digits: no series).
    std::vector<std::vector<std::string>> modelo(4, std::vector<std::string>(6));
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 5; ++r)
            g->SetCells(c, r, (modelo[c][r] = std::string{char('A' + c), char('a' + r)}));
    g->HideColumn(2);
    g->HideRow(3);
    // Shown: columns 1 and 3 side by side (3 the second shown), rows 1, 2, 4, 5.
    g->SetCol(2);
    g->SetRow(1);
    g->SetSelection({2, 1, 2, 1});
    Mover(Asa());
    Pulsar(Asa());
    Mover(Centro(2, 3));
    Soltar(Centro(2, 3));
    // The value repeated into the shown rows 2 and 4 of column 3; the hidden column and row,
    // and column 1, untouched.
    modelo[3][2] = modelo[3][4] = "Db";
    g->UnHideRowsAll();
    g->UnHideColumnsAll();
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 5; ++r)
            EXPECT_EQ(g->GetCells(c, r), modelo[c][r]) << c << "," << r;
}

TEST_F(Zonas, ElRedimensionadoRespetaLasCeldasDeSoloLectura) {
    g->SetOptions(g->GetOptions() >> goEditing);
    g->GetNavigation()->SetAllowSmartClipboard(true);
    Resizer();
    g->SetCells(2, 1, "x");
    g->SetSelection({2, 1, 2, 1});
    g->OnCanEditCell = [](TObject*, int, int ARow, bool& CanEdit) {
        if (ARow == 3) CanEdit = false;
    };
    Mover(Asa());
    Pulsar(Asa());
    Mover(Centro(2, 4));
    Soltar(Centro(2, 4));
    EXPECT_EQ(Columna(2, 1, 5), "x|x||x|");
    // The paste's override ends with it: the read-only grid takes no typing.
    EXPECT_FALSE(g->IsEditable(2, 2));
}

TEST_F(Zonas, SinElAsaLaPulsacionEsUnaSeleccionNormal) {
    g->SetOptions(g->GetOptions() << goRangeSelect);
    g->SetSelectionRectangle(true); // SelectionResizer off
    g->SetSelection({1, 1, 1, 1});
    Mover(Asa());
    EXPECT_EQ(g->GetMouseCursorState(), 0);
    Pulsar(Asa());
    EXPECT_FALSE(g->GetSelectionResizing());
    Mover(Centro(1, 4));
    Soltar(Centro(1, 4));
    EXPECT_EQ(g->GetSelection(), TGridRect({1, 1, 1, 4}));
    EXPECT_EQ(Clipboard()->GetAsText(), AnsiString()); // nothing was copied
}

TEST_F(Zonas, CapturaDelAsaBajoElPuntero) {
    g->SetOptions(g->GetOptions() << goRangeSelect);
    Resizer();
    for (int r = 1; r < 5; ++r)
        g->SetCells(2, r, IntToStr(r * 10));
    g->SetSelection({2, 1, 3, 2});
    Mover(Asa());
    ASSERT_EQ(ShownCursor(g), Cursor(GridCursorSelectAll));
    EXPECT_FALSE(SaveCapture(g, "kavgrid_asa_seleccion", Asa()).IsEmpty());
    Pulsar(Asa());
    Mover(Centro(3, 4));
    EXPECT_FALSE(SaveCapture(g, "kavgrid_asa_arrastre", Centro(3, 4)).IsEmpty());
    Soltar(Centro(3, 4));
}

TEST_F(Zonas, CeldaFijaComoBotonSeHundeYVuelve) {
    g->SetFixedAsButtons(true);
    g->SetLook(glClassic);
    g->SetCells(2, 0, "Cabecera");
    g->Repaint();
    const TRect r = g->CellRect(2, 0);
    auto pixel = [&](int x, int y) { return ColorToRGB(g->GetCanvas()->GetPixels(x, y)); };
    // Sunken inner edges: dark at the left and top, light at the right and bottom.
    const int medioY = (r.Top + r.Bottom) / 2, medioX = (r.Left + r.Right) / 2;
    const COLORREF izquierdaAntes = pixel(r.Left, medioY);
    Pulsar(Centro(2, 0));
    EXPECT_EQ(g->GetPressedFixedCell(), TPoint(2, 0));
    EXPECT_EQ(pixel(r.Left, medioY), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(pixel(medioX, r.Top), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(pixel(r.Right - 1, medioY), ColorToRGB(cl3DLight));
    g->Repaint(); // stays pressed through a repaint
    EXPECT_EQ(pixel(r.Left, medioY), ColorToRGB(cl3DDkShadow));
    EXPECT_FALSE(SaveCapture(g, "kavgrid_celda_fija_pulsada").IsEmpty());
    Soltar(Centro(2, 0));
    EXPECT_EQ(g->GetPressedFixedCell(), TPoint(-1, -1));
    g->Repaint();
    EXPECT_EQ(pixel(r.Left, medioY), izquierdaAntes);

    // Not without the option, nor on a data cell, nor with a flat grid.
    struct Caso {
        bool botones, plana;
        TPoint celda;
        bool hundida;
    };
    for (const Caso& c : {Caso{false, false, {2, 0}, false}, Caso{true, false, {2, 3}, false},
                          Caso{true, true, {2, 0}, false}, Caso{true, false, {0, 3}, true}}) {
        g->SetFixedAsButtons(c.botones);
        g->SetFlat(c.plana);
        Pulsar(Centro(c.celda.x, c.celda.y));
        EXPECT_EQ(g->GetPressedFixedCell() == c.celda, c.hundida) << c.celda.x << "," << c.celda.y;
        Soltar(Centro(c.celda.x, c.celda.y));
    }
}

TEST_F(Zonas, ClicDerechoSobreUnEnlaceLoEdita) {
    g->SetOptions(g->GetOptions() << goEditing);
    g->SetURLShow(true);
    g->SetCells(2, 3, "http://www.ejemplo.es");
    g->SetCells(3, 3, "texto llano");
    struct Caso {
        bool urlEdit;
        TPoint celda;
        bool edita;
    };
    for (const Caso& c :
         {Caso{true, {2, 3}, true}, Caso{false, {2, 3}, false}, Caso{true, {3, 3}, false}}) {
        g->HideInplaceEdit();
        g->SetCol(1);
        g->SetRow(1);
        g->SetURLEdit(c.urlEdit);
        const TPoint p = Centro(c.celda.x, c.celda.y);
        SimulateMouse(g, SimulatedMouse::Down, 1, p.x, p.y);
        SimulateMouse(g, SimulatedMouse::Up, 1, p.x, p.y);
        const bool abierto =
            g->GetEditorMode() && g->GetInplaceEditor() && g->GetInplaceEditor()->GetVisible();
        EXPECT_EQ(abierto, c.edita) << c.celda.x;
        if (c.edita) {
            EXPECT_EQ(g->GetCol(), c.celda.x);
            EXPECT_EQ(g->GetRow(), c.celda.y);
            EXPECT_EQ(g->GetInplaceEditor()->GetText(), "http://www.ejemplo.es");
        }
    }
}

} // namespace
