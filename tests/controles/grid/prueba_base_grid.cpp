// The base grid: merged blocks (encoding, reads and writes, split), property defaults and
// ownership (copy, move, shrink, clear), display hooks, rectangles, and the painting frame
// (fill, gradient, grid lines, a merged block painted once) seen through a recording canvas.

#include "controles/grid/base_grid.h"
#include "controles/grid/cell_graphic.h"
#include "controles/grid/editing/undo_redo.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <vector>

namespace {

class Rejilla : public TBaseGrid {
public:
    explicit Rejilla(TWinControl* parent) : TBaseGrid(parent) {
        SetBorderStyle(bsNone);
        SetScrollBars(ssNone);
        SetBounds(0, 0, 330, 130);
        if (parent) SetParent(parent);
    }
    void SetDataRowCount(int n) { dataRowCount_ = n; }
    void SetFooterRowActive(bool on) { footerRowActive_ = on; }
    using TBaseGrid::DoMouseWheelDown;
    using TBaseGrid::DoMouseWheelUp;
    using TBaseGrid::KeyDown;
    void Tecla(WORD key) { KeyDown(key, {}); }
    // One cell painted with a gradient, to see the frame's gradient branch.
    int colGradiente = -1, filaGradiente = -1;
    TColor colorCelda = clNone;

protected:
    void GetVisualProperties(int c, int r, TGridDrawState&, bool, bool, bool, TBrush* brush,
                             TColor& to, TFont*, TAlignment&, TVAlignment&, bool&) override {
        if (colorCelda != clNone) brush->SetColor(colorCelda);
        if (c == colGradiente && r == filaGradiente) to = clBlue;
    }
};

class BaseGrid : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new Rejilla(ventana.get());
    }
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
};

TEST_F(BaseGrid, CodificacionDeLaCombinacion) {
    g->MergeCells(1, 1, 3, 2);
    const TCellProperties* base = g->FindCellProperties(1, 1);
    ASSERT_NE(base, nullptr);
    EXPECT_TRUE(base->GetIsBaseCell());
    EXPECT_EQ(base->GetCellSpanX(), 2);
    EXPECT_EQ(base->GetCellSpanY(), 1);
    const TCellProperties* otra = g->FindCellProperties(3, 2);
    ASSERT_NE(otra, nullptr);
    EXPECT_FALSE(otra->GetIsBaseCell());
    EXPECT_EQ(otra->GetCellSpanX(), 2);
    EXPECT_EQ(otra->GetCellSpanY(), 1);
    EXPECT_EQ(g->BaseCell(3, 2), TPoint(1, 1));
    EXPECT_EQ(g->CellSpan(3, 2), TPoint(2, 1));
    EXPECT_EQ(g->CellExt(3, 2), TPoint(0, 0));
    EXPECT_EQ(g->CellExt(1, 1), TPoint(2, 1));
    EXPECT_EQ(g->FullCell(2, 2), Rect(1, 1, 3, 2));
    EXPECT_TRUE(g->IsMergedCell(2, 1));
    EXPECT_TRUE(g->IsXMergedCell(3, 2));
    EXPECT_TRUE(g->IsYMergedCell(3, 2));
    EXPECT_FALSE(g->IsBaseCell(2, 2));
    int bc = 0, br = 0;
    EXPECT_FALSE(g->IsBaseCellEx(2, 2, bc, br));
    EXPECT_EQ(bc, 1);
    EXPECT_EQ(br, 1);
    EXPECT_FALSE(g->IsMergedCell(0, 0));
    EXPECT_EQ(g->CellSpan(0, 0), TPoint(0, 0));
    EXPECT_EQ(g->MaxRowSpan(1), 1);
    EXPECT_EQ(g->MinRowSpan(1), 1);
    EXPECT_EQ(g->MinRowSpan(4), g->GetRowCount());
    EXPECT_TRUE(g->RowSpanIdentical(1, 2));
    EXPECT_FALSE(g->RowSpanIdentical(0, 1)); // no column has both row-merged
    EXPECT_TRUE(g->ColSpanIdentical(1, 2));
    EXPECT_FALSE(g->ColSpanIdentical(0, 1));

    // A 1 x 1 block is a base cell with spans (0, 0), not merged.
    g->MergeCells(0, 3, 1, 1);
    EXPECT_EQ(g->FindCellProperties(0, 3)->GetCellSpanX(), 0);
    EXPECT_FALSE(g->IsMergedCell(0, 3));
}

TEST_F(BaseGrid, TextoAtravesDelBloqueYSeparacion) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            g->SetCells(c, r, AnsiString(c) + "," + AnsiString(r));
    g->MergeCells(1, 1, 2, 2);
    for (auto [c, r] : {std::pair{1, 1}, {2, 1}, {1, 2}, {2, 2}})
        EXPECT_EQ(g->GetCellEx(c, r), "1,1") << c << "," << r;
    g->SetCellEx(2, 2, "bloque");
    EXPECT_EQ(g->GetGridCell(1, 1), "bloque");
    EXPECT_EQ(g->GetGridCell(2, 2), "2,2"); // the covered cell's own text stays
    g->SplitCells(2, 1);
    EXPECT_EQ(g->GetCellEx(1, 1), "bloque");
    EXPECT_EQ(g->GetCellEx(2, 1), "2,1");
    EXPECT_EQ(g->GetCellEx(2, 2), "2,2");
    EXPECT_EQ(g->FindCellProperties(2, 2)->GetCellSpanX(), -1);
    EXPECT_TRUE(g->FindCellProperties(2, 2)->GetIsBaseCell());
}

TEST_F(BaseGrid, ValoresInicialesDePropiedadesYLecturaSinCrear) {
    TCellProperties* p = g->GetCellProperties(2, 3);
    EXPECT_EQ(p->GetBrushColor(), clNone);
    EXPECT_EQ(p->GetBrushColorTo(), clNone);
    EXPECT_EQ(p->GetFontColor(), clNone);
    EXPECT_EQ(p->GetCellSpanX(), -1);
    EXPECT_EQ(p->GetCellSpanY(), -1);
    EXPECT_TRUE(p->GetIsBaseCell());
    EXPECT_TRUE(p->GetWordWrap());
    EXPECT_EQ(p->GetAlignment(), taLeftJustify);
    EXPECT_EQ(p->GetEditor(), edNormal);
    EXPECT_EQ(p->GetOwnerCol(), 2);
    EXPECT_EQ(p->GetOwnerRow(), 3);
    EXPECT_EQ(g->GetCellProperties(2, 3), p); // made once

    // The read-only queries make nothing.
    EXPECT_FALSE(g->HasCellProperties(1, 1));
    EXPECT_EQ(g->GetObjectEx(1, 1), nullptr);
    EXPECT_TRUE(g->IsBaseCell(1, 1));
    EXPECT_FALSE(g->IsMergedCell(1, 1));
    (void)g->CellRect(1, 1);
    EXPECT_FALSE(g->HasCellProperties(1, 1));

    // An object on an empty cell leaves its text empty.
    TObject dato;
    g->SetObjectEx(1, 1, &dato);
    EXPECT_EQ(g->GetObjectEx(1, 1), &dato);
    EXPECT_EQ(g->GetCellEx(1, 1), "");

    // Assign copies the look and the merge state, not the object nor BrushColorTo.
    p->SetBrushColorTo(clRed);
    p->SetCellObject(&dato);
    p->SetFontName("Arial");
    p->SetReadOnly(true);
    TCellProperties copia(g, 0, 0);
    copia.Assign(p);
    EXPECT_EQ(copia.GetFontName(), "Arial");
    EXPECT_TRUE(copia.GetReadOnly());
    EXPECT_EQ(copia.GetOwnerRow(), 3);
    EXPECT_EQ(copia.GetBrushColorTo(), clNone);
    EXPECT_EQ(copia.GetCellObject(), nullptr);
}

TEST_F(BaseGrid, CopiaMovimientoYReduccionSinFugasNiDoblesLiberaciones) {
    g->SetCells(1, 1, "uno");
    TCellProperties* p = g->GetCellProperties(1, 1);
    p->SetAlignment(taRightJustify);
    auto* grafico = new TCellGraphic();
    grafico->SetButton(20, 10, "...", haLeft, vaTop);
    g->SetGraphicObjectEx(1, 1, grafico);

    // A copy is a second object with the same values.
    g->CopyRows(3, 1);
    TCellProperties* q = g->FindCellProperties(1, 3);
    ASSERT_NE(q, nullptr);
    EXPECT_NE(q, p);
    EXPECT_EQ(q->GetAlignment(), taRightJustify);
    EXPECT_EQ(q->GetOwnerRow(), 3);
    EXPECT_EQ(g->GetCellEx(1, 3), "uno");
    auto* g3 = dynamic_cast<TCellGraphic*>(q->GetGraphic());
    ASSERT_NE(g3, nullptr);
    EXPECT_NE(g3, grafico);
    EXPECT_EQ(g3->CellType, ctButton);
    q->SetAlignment(taCenter);
    EXPECT_EQ(p->GetAlignment(), taRightJustify);

    // A row move takes the object along and empties the old slot.
    g->MoveRow(1, 2);
    EXPECT_EQ(g->FindCellProperties(1, 2), p);
    EXPECT_FALSE(g->HasCellProperties(1, 1));

    // Columns beyond a lowered ColCount keep theirs until the grid goes.
    g->GetCellProperties(4, 4)->SetReadOnly(true);
    g->SetColCount(3);
    g->SetColCount(5);
    EXPECT_TRUE(g->FindCellProperties(4, 4)->GetReadOnly());

    // A shrink frees what the dropped rows hold (the sanitizer build sees a leak otherwise).
    g->GetCellProperties(0, 4);
    g->SetRowCount(3);
    EXPECT_EQ(g->GetRowCount(), 3);
    g->SetRowCount(5);
    EXPECT_FALSE(g->HasCellProperties(0, 4));
    EXPECT_FALSE(g->HasCellProperties(4, 4));

    // Nil drops a reference without freeing: the caller keeps it.
    TCellProperties* suelta = g->GetCellProperties(2, 2);
    g->NilCell(2, 2);
    EXPECT_FALSE(g->HasCellProperties(2, 2));
    delete suelta;

    // Replacing properties frees the old ones; clearing a rectangle frees its cells.
    g->SetCellProperties(0, 0, new TCellProperties(g, 0, 0));
    g->SetCellProperties(0, 0, new TCellProperties(g, 0, 0));
    g->ClearPropRect(0, 0, 1, 2);
    EXPECT_FALSE(g->HasCellProperties(0, 0));
    EXPECT_FALSE(g->HasCellProperties(1, 2));
    g->GetCellProperties(3, 3);
    g->ClearProps();
    EXPECT_FALSE(g->HasCellProperties(3, 3));
}

TEST_F(BaseGrid, QueSettersRepintanLaCelda) {
    TCellProperties* p = g->GetCellProperties(2, 2);
    UpdateWindow(g->GetHandle());
    TRect r;
    auto pendiente = [&] {
        const bool hay = GetUpdateRect(g->GetHandle(), &r, FALSE);
        UpdateWindow(g->GetHandle());
        return hay;
    };
    EXPECT_FALSE(pendiente());
    p->SetAlignment(taCenter); // stores only
    p->SetFontColor(clRed);
    EXPECT_FALSE(pendiente());
    for (auto set : std::initializer_list<std::function<void()>>{
             [&] { p->SetBrushColor(clRed); }, [&] { p->SetBrushColorTo(clBlue); },
             [&] { p->SetVAlignment(vtaCenter); }, [&] { p->SetWordWrap(false); }}) {
        set();
        EXPECT_TRUE(GetUpdateRect(g->GetHandle(), &r, FALSE));
        EXPECT_EQ(r, g->CellRect(2, 2));
        UpdateWindow(g->GetHandle());
    }
}

TEST_F(BaseGrid, RuedaConPieActivo) {
    g->SetRowCount(30);
    g->SetFooterRowActive(true);
    g->SetRow(1);
    const int arriba = g->GetTopRow();
    g->DoMouseWheelDown({}, TPoint(10, 10));
    EXPECT_GE(g->GetTopRow(), arriba);
    EXPECT_LT(g->GetRow(), 29);
    // Landing in a block selects its base cell.
    g->MergeCells(1, 5, 2, 3);
    g->SetCol(2);
    g->SetRow(6);
    g->DoMouseWheelUp({}, TPoint(10, 10));
    EXPECT_TRUE(g->IsBaseCell(g->GetCol(), g->GetRow()));
}

TEST_F(BaseGrid, GanchosDeTextoMostrado) {
    g->SetCells(1, 1, "guardado");
    g->SetCells(1, 4, "fuera");
    g->SetDataRowCount(3);
    int llamadas = 0;
    g->OnGetDisplText = [&](TObject*, int, int, AnsiString& s) {
        ++llamadas;
        s = "<" + s + ">";
    };
    EXPECT_EQ(g->GetCellEx(1, 1), "<guardado>");
    EXPECT_EQ(g->GetGridCell(1, 1), "guardado");
    EXPECT_EQ(g->GetCellEx(1, 4), "fuera"); // at or beyond the data row count: no hook
    EXPECT_EQ(llamadas, 1);
    g->OnGetDisplWideText = [](TObject*, int, int, WideString& w) { w += u"\u20AC"; };
    EXPECT_EQ(g->GetCellEx(1, 1), "|\\" + AnsiString(std::string("\0<\0g\0u\0a\0r\0d\0a\0d\0o\0>"
                                                                 "\x20\xAC",
                                                                 22)));
}

TEST_F(BaseGrid, RectangulosDeCeldaYDeBloque) {
    // 5 columns of 64 in 330 pixels: column 4 is cut by the edge but keeps its full width.
    g->SetRowHeights(2, 30);
    EXPECT_EQ(g->CellRect(4, 1), Rect(256, 24, 320, 48));
    EXPECT_EQ(g->CellRect(4, 2), Rect(256, 48, 320, 78));
    EXPECT_EQ(g->FixedColsWidth(), 64);
    EXPECT_EQ(g->FixedRowsHeight(), 24);
    EXPECT_EQ(g->CellSize(1, 2), TPoint(64, 30));
    g->MergeCells(1, 1, 2, 2);
    EXPECT_EQ(g->CellRect(2, 2), Rect(64, 24, 192, 78));
    EXPECT_EQ(g->CellRect(1, 1), Rect(64, 24, 192, 78));
    g->SetRowCount(40);
    g->SetTopRow(10); // rows 1 and 2 scrolled away
    EXPECT_EQ(g->CellRect(1, 1), TRect());
    EXPECT_EQ(g->CellRect(3, 1), TRect());
    EXPECT_EQ(g->GetCellRect(3, 10), Rect(192, 24, 256, 48));
    EXPECT_TRUE(g->IsSelected(1, 1)); // the current cell (1, 1) is in the block
    EXPECT_TRUE(g->IsSelected(2, 2));
}

TEST_F(BaseGrid, PintadoRellenoDegradadoYLineas) {
    g->SetColCount(3);
    g->SetRowCount(3);
    g->colGradiente = 2;
    g->filaGradiente = 2;
    g->colorCelda = clYellow;
    g->SetGridLineColor(clRed);
    g->Repaint();
    TCanvasRecorder rec(g->GetCanvas());
    g->Repaint();
    // Plain cells: filled edge to edge in the brush colour, in one fill.
    bool relleno = false;
    for (const TCanvasCall& c : rec.Calls("FillRect", true))
        if (c.Args == std::vector<int>{64, 24, 128, 48}) {
            relleno = true;
            EXPECT_EQ(c.BrushColor, static_cast<COLORREF>(clYellow));
        }
    EXPECT_TRUE(relleno);
    EXPECT_EQ(g->GetCanvas()->GetPixels(64, 24), clYellow); // the cell's top left corner
    // Cell (2, 2): 64 strips from yellow towards blue.
    int tiras = 0;
    for (const TCanvasCall& c : rec.Calls("Rectangle"))
        if (c.Args.size() == 4 && c.Args[1] == 48 && c.Args[3] == 72 && c.Args[0] >= 128) ++tiras;
    EXPECT_EQ(tiras, 64);
    // Lines: bottom and right edge inside the cell, in GridLineColor for normal cells and
    // grey for fixed ones.
    auto linea = [&](int x, int y) {
        for (const TCanvasCall& c : rec.Calls("LineTo", true))
            if (c.Args == std::vector<int>{x, y}) return c;
        return TCanvasCall{};
    };
    EXPECT_EQ(linea(128, 47).PenColor, static_cast<COLORREF>(clRed));   // bottom of (1, 1)
    EXPECT_EQ(linea(127, 23).PenColor, static_cast<COLORREF>(clRed));   // right of (1, 1)
    EXPECT_EQ(linea(64, 23).PenColor, static_cast<COLORREF>(0x808080)); // bottom of (0, 0)
    EXPECT_EQ(g->GetCanvas()->GetPixels(100, 47), clRed);
    EXPECT_EQ(g->GetCanvas()->GetPixels(127, 30), clRed);
    EXPECT_EQ(g->GetCanvas()->GetPixels(100, 30), clYellow);

    // Without goHorzLine no bottom line on normal cells.
    g->SetOptions(g->GetOptions() >> goHorzLine);
    rec.Clear();
    g->Repaint();
    EXPECT_EQ(linea(128, 47).Name, "");
}

TEST_F(BaseGrid, UnBloqueSePintaUnaVezPorCiclo) {
    g->MergeCells(1, 1, 3, 2);
    g->SetCellEx(1, 1, "bloque");
    std::vector<TPoint> pintadas;
    g->OnDrawCell = [&](TObject*, int c, int r, const TRect&, TGridDrawState) {
        pintadas.emplace_back(c, r);
    };
    g->Repaint();
    int base = 0;
    for (const TPoint& p : pintadas) {
        EXPECT_FALSE(p.x >= 1 && p.x <= 3 && p.y >= 1 && p.y <= 2 && !(p == TPoint(1, 1)));
        if (p == TPoint(1, 1)) ++base;
    }
    EXPECT_EQ(base, 1);
    // A repaint of a covered cell alone paints the block through its base cell.
    pintadas.clear();
    const TRect r = Rect(200, 50, 210, 60); // inside cell (3, 2)
    InvalidateRect(g->GetHandle(), &r, FALSE);
    UpdateWindow(g->GetHandle());
    ASSERT_EQ(pintadas.size(), 1u);
    EXPECT_EQ(pintadas[0], TPoint(1, 1));
}

TEST_F(BaseGrid, FlechasQueSaltanBloquesCombinados) {
    g->SetColCount(8);
    g->SetRowCount(8);
    g->MergeCells(2, 2, 3, 2); // columns 2-4, rows 2-3
    struct Caso {
        int col, row;
        WORD tecla;
        int colFin, filaFin;
    } casos[] = {
        {2, 2, VK_RIGHT, 5, 2}, // from the base: past the block
        {3, 3, VK_RIGHT, 5, 3}, // from a covered cell: past the block, same row
        {2, 2, VK_DOWN, 2, 4},  {2, 2, VK_LEFT, 1, 2},
        {4, 3, VK_LEFT, 1, 3}, // the cell just beside the block, whatever its width
        {2, 2, VK_UP, 2, 1},    {5, 2, VK_LEFT, 2, 2}, // into the block: its base cell
        {1, 3, VK_RIGHT, 2, 2},
    };
    for (const Caso& c : casos) {
        g->SetCol(c.col);
        g->SetRow(c.row);
        g->Tecla(c.tecla);
        EXPECT_EQ(g->GetCol(), c.colFin) << c.col << "," << c.row << " " << c.tecla;
        EXPECT_EQ(g->GetRow(), c.filaFin) << c.col << "," << c.row << " " << c.tecla;
    }
}

TEST_F(BaseGrid, AvancePaginaNoEntraEnElPie) {
    g->SetRowCount(6);
    g->SetBounds(0, 0, 330, 160); // every row in view: the last page
    g->SetFooterRowActive(true);
    g->SetRow(g->GetRowCount() - 2);
    g->Tecla(VK_NEXT);
    EXPECT_EQ(g->GetRow(), 4); // one row above the footer
    g->SetRow(2);
    g->Tecla(VK_NEXT);
    EXPECT_EQ(g->GetRow(), 4);
    // Without a footer, paging reaches the last row.
    g->SetFooterRowActive(false);
    g->Tecla(VK_NEXT);
    EXPECT_EQ(g->GetRow(), 5);
    g->SetFooterRowActive(true);
    // The footer row paints only the grid's colour.
    TCanvasRecorder rec(g->GetCanvas());
    g->SetCells(1, 5, "pie");
    g->Repaint();
    for (const TCanvasCall& c : rec.Calls("DrawText", true))
        EXPECT_NE(c.Text, "pie");
}

TEST_F(BaseGrid, DeshacerYRehacerEdiciones) {
    auto* ur = new TKavGridUndoRedo(ventana.get());
    g->SetUndoRedo(ur);
    EXPECT_EQ(ur->GetGrid(), g);
    g->SetCellEx(2, 3, "nuevo");
    ur->RegisterChange(2, 3, "viejo", "nuevo");
    EXPECT_TRUE(ur->CanUndo());
    ur->Undo();
    EXPECT_EQ(g->GetCellEx(2, 3), "viejo");
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetRow(), 3);
    EXPECT_FALSE(ur->CanUndo());
    ur->Undo(); // nothing left
    EXPECT_EQ(g->GetCellEx(2, 3), "viejo");
    EXPECT_TRUE(ur->CanRedo());
    g->SetCol(1);
    ur->Redo();
    EXPECT_EQ(g->GetCellEx(2, 3), "nuevo");
    EXPECT_EQ(g->GetCol(), 2);

    // Undo, then a new change: the undone change stays and redo does nothing.
    ur->Undo();
    ur->RegisterChange(1, 1, "", "x");
    EXPECT_EQ(ur->GetItems()->GetCount(), 2);
    EXPECT_FALSE(ur->CanRedo());

    // MaxLevel keeps the last ones; Reset leaves a valid position.
    ur->SetMaxLevel(3);
    for (int i = 0; i < 4; ++i)
        ur->RegisterChange(1, 1, AnsiString(i), AnsiString(i + 1));
    EXPECT_EQ(ur->GetItems()->GetCount(), 3);
    EXPECT_EQ(ur->GetItems()->GetItem(0)->OrigValue, "1");
    ur->Reset();
    EXPECT_FALSE(ur->CanUndo());
    EXPECT_FALSE(ur->CanRedo());

    // Either side's end clears the other's link.
    delete ur;
    EXPECT_EQ(g->GetUndoRedo(), nullptr);
    auto* otro = new TKavGridUndoRedo(nullptr);
    g->SetUndoRedo(otro);
    delete g;
    g = nullptr;
    EXPECT_EQ(otro->GetGrid(), nullptr);
    delete otro;
}

// Cell properties share their memory with those made and freed before them: however many are
// made and freed, in any order, each one alive keeps what was set on it and no two overlap.
TEST(PropiedadesDeCelda, MuchasHechasYLiberadasEnCualquierOrdenNoSePisan) {
    std::mt19937 rng(911);
    std::vector<std::unique_ptr<TCellProperties>> vivas;
    std::vector<int> niveles;
    int siguiente = 0;
    for (int paso = 0; paso < 20000; ++paso) {
        if (vivas.empty() || rng() % 3 != 0) {
            vivas.push_back(std::make_unique<TCellProperties>(nullptr, siguiente % 7, siguiente));
            vivas.back()->SetNodeLevel(siguiente);
            vivas.back()->SetFontName(AnsiString("f" + std::to_string(siguiente)));
            niveles.push_back(siguiente++);
        } else {
            const size_t i = rng() % vivas.size();
            std::swap(vivas[i], vivas.back());
            std::swap(niveles[i], niveles.back());
            vivas.pop_back();
            niveles.pop_back();
        }
    }
    std::set<const TCellProperties*> distintas;
    for (size_t i = 0; i < vivas.size(); ++i) {
        ASSERT_EQ(vivas[i]->GetNodeLevel(), niveles[i]);
        ASSERT_EQ(vivas[i]->GetOwnerRow(), niveles[i]);
        ASSERT_EQ(vivas[i]->GetFontName().str(), "f" + std::to_string(niveles[i]));
        distintas.insert(vivas[i].get());
    }
    EXPECT_EQ(distintas.size(), vivas.size());
    EXPECT_GT(vivas.size(), 1000u);
}

} // namespace
