// TKavStringGrid: what column 0 shows of the row nodes: the node glyph by CellNode's NodeType
// with its connectors, and the tree lines that join the rows of a node's run.
#include "controles/grid/kav_grid.h"

#include "controles/comun/drawing_utils.h"
#include "controles/grid/cell_properties.h"
#include "controles/grid/paint/grid_glyphs.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/gdi.h"

#include <algorithm>
#include <cstdlib>

namespace {

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

// A node box Size logical units square at (X, Y), drawn on a canvas that shrinks it (a
// preview or a page scaled down) on whole device pixels, where it would lose its bars
// between pixels: an odd number of them, at least 5, so that the frame, the minus and the
// plus of a closed node each keep a pixel and the bars cross in the middle; centred where the
// box falls. Answers false, drawing nothing, when the canvas does not shrink the box or
// leaves it under 3 pixels: then it is drawn at its own size.
bool DrawShrunkNodeBox(TCanvas* Canvas, int X, int Y, int Size, const TNodeBoxColors& Colors,
                       bool Closed) {
    const HDC dc = Canvas->GetHandle();
    TPoint p[2] = {{X, Y}, {X + Size, Y + Size}};
    LPtoDP(dc, p, 2);
    const int w = std::abs(p[1].x - p[0].x), h = std::abs(p[1].y - p[0].y);
    const int fits = std::min(w, h);
    if (fits >= Size || fits < 3) return false;
    const int n = std::max(5, fits % 2 ? fits : fits - 1);
    const int left = std::min(p[0].x, p[1].x) + (w - n) / 2;
    const int top = std::min(p[0].y, p[1].y) + (h - n) / 2;
    // The bars leave a fifth of the inside free at each end, as the 9-pixel box leaves one.
    const int mid = n / 2, margin = (n - 2) / 5;
    const int saved = SaveDC(dc);
    SetMapMode(dc, MM_TEXT);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    TBrush* brush = Canvas->GetBrush();
    const TColor ground = brush->GetColor();
    const TBrushStyle style = brush->GetStyle();
    brush->SetStyle(bsSolid);
    const auto fill = [&](TColor Color, int L, int T, int R, int B) {
        brush->SetColor(Color);
        Canvas->FillRect(Rect(left + L, top + T, left + R, top + B));
    };
    fill(Colors.Frame, 0, 0, n, n);
    fill(Colors.Fill, 1, 1, n - 1, n - 1);
    fill(Colors.Mark, 1 + margin, mid, n - 1 - margin, mid + 1);
    if (Closed) fill(Colors.Mark, mid, 1 + margin, mid + 1, n - 1 - margin);
    brush->SetColor(ground);
    brush->SetStyle(style);
    RestoreDC(dc, saved);
    // The canvas's pen, brush and font go to the context again.
    Canvas->Refresh();
    return true;
}

} // namespace

void TKavStringGrid::DrawTreeLines(TCanvas* Canvas, int ARow, const TRect& R) {
    if (!HasNodes() || ARow < GetFixedRows() || !cellNode_->GetShowTree()) return;
    TPen* pen = Canvas->GetPen();
    pen->SetColor(cellNode_->GetTreeColor());
    pen->SetWidth(1);
    const TCellProperties* own = FindCellProperties(0, ARow);
    const int level = own ? own->GetNodeLevel() : 0;
    const int indent = cellNode_->GetNodeIndent();
    const int left = R.Left + NodeIndent(ARow);
    const int mid = R.Top + (R.Bottom - R.Top) / 2;
    if (level > 0)
        Line(Canvas, left - 4, mid, cellNode_->GetShowTreeFull() ? left + R.Right : left + 4, mid);
    switch (GetNodeSpanType(ARow)) {
    case 1:
        Line(Canvas, left - 4, R.Top, left - 4, mid);
        break;
    case 2:
        Line(Canvas, left - 4, R.Top, left - 4, R.Bottom + 4);
        break;
    default:
        break;
    }
    if (!own) return;
    const TCellProperties* next =
        ARow + 1 < GetRowCount() ? FindCellProperties(0, ARow + 1) : nullptr;
    const int nextLevel = next ? next->GetNodeLevel() : 0;
    for (int i = 1; i <= level; ++i) {
        const int x = left - 4 - indent * i;
        Line(Canvas, x, R.Top, x, mid);
        if (ARow >= GetRowCount() - 1 || nextLevel != 0)
            Canvas->LineTo(x, R.Bottom + 4);
        else if (level > i)
            Canvas->LineTo(x + indent, mid);
    }
}

void TKavStringGrid::DrawNodeGlyph(TCanvas* Canvas, int RealCol, int ARow, TRect R,
                                   const TCellGraphic& G) {
    const int indent = cellNode_->GetNodeIndent();
    int L = R.Left + NodeIndent(ARow) - indent;
    const int T = R.Top, B = R.Bottom;
    const bool contracted = G.CellBoolean != 0;
    if (cellNode_->GetShowTree() && ARow >= GetFixedRows()) {
        TPen* pen = Canvas->GetPen();
        pen->SetColor(cellNode_->GetTreeColor());
        pen->SetWidth(1);
        const int xc = L + 2 + indent / 2;
        const int here = NodeIndent(ARow);
        const int below = ARow + 1 < GetRowCount() ? NodeIndent(ARow + 1) : 0;
        if (below > 0 && ARow + 1 < GetRowCount() && (!contracted || below >= here))
            Line(Canvas, xc, T + 6, xc, B);
        if (ARow > 0 && NodeIndent(ARow - 1) >= here) Line(Canvas, xc, T, xc, T + 6);
    }
    if (RealCol < GetFixedCols() && !flat_ &&
        (look_ == glSoft || look_ == glKav || look_ == glXP || look_ == glListView))
        ++L;
    const TColor ground = Canvas->GetBrush()->GetColor();
    TNodeType type = cellNode_->GetNodeType();
    switch (type) {
    case cnLeaf:
        DrawBitmapResourceTransp(Canvas, ground, Rect(L, T + 2, R.Right, B),
                                 contracted ? "KSGLEAFCLOSE" : "KSGLEAFOPEN");
        return;
    case cnXP:
        if (!DrawShrunkNodeBox(Canvas, L + 4, T + 6, 9, XPNodeBoxColors, contracted))
            DrawBitmapResourceTransp(Canvas, ground, Rect(L + 4, T + 6, R.Right, B),
                                     contracted ? "XPNODEC" : "XPNODEO");
        return;
    case cnGlyph: {
        TBitmap* open = cellNode_->GetExpandGlyph();
        TBitmap* closed = cellNode_->GetContractGlyph();
        if (!open->GetEmpty() && !closed->GetEmpty()) {
            const int y = T + (B - T - closed->GetHeight()) / 2;
            DrawBitmapTransp(Canvas, contracted ? closed : open, ground, Rect(L, y, R.Right, B));
            return;
        }
        break;
    }
    case cn3D: {
        Canvas->GetBrush()->SetColor(cellNode_->GetColor());
        Canvas->Rectangle(L, T, R.Right, B);
        TRect f = Rect(L, T, R.Right, B);
        Frame3D(Canvas, f, clWhite, static_cast<TColor>(0x808080), 1);
        L = f.Left;
        break;
    }
    case cnFlat:
        break;
    }
    // The 8 x 8 box.
    Canvas->GetBrush()->SetColor(cellNode_->GetColor());
    L += 4;
    const int top = T + std::max(B - T - 8, 0) / 2;
    TRect box = Rect(L, top, L + 8, top + 8);
    if (type == cnFlat) {
        const TColor mark = cellNode_->GetNodeColor();
        if (DrawShrunkNodeBox(Canvas, box.Left - 1, box.Top - 1, 10,
                              {mark, cellNode_->GetColor(), mark}, contracted)) {
            Canvas->GetBrush()->SetColor(ground);
            return;
        }
        Canvas->GetPen()->SetColor(mark);
        Canvas->Rectangle(box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1);
        Line(Canvas, box.Left + 1, box.Top + 3, box.Left + 6, box.Top + 3);
        if (contracted) Line(Canvas, box.Left + 3, box.Top + 1, box.Left + 3, box.Top + 6);
    } else {
        DrawEdge(Canvas->GetHandle(), &box, contracted ? EDGE_RAISED : EDGE_SUNKEN,
                 BF_RECT | BF_SOFT);
    }
    Canvas->GetBrush()->SetColor(ground);
}
