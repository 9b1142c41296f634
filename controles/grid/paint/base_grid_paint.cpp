// TBaseGrid: the cell painting frame (fill, gradient, grid lines) and the plain text content.
#include "controles/grid/base_grid.h"

#include "controles/comun/drawing_utils.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"

void TBaseGrid::Paint() {
    TStringGrid::Paint();
    ++paintCounter_;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    TCanvas* canvas = GetCanvas();

    // A footer row only shows the grid's colour here; the footer draws itself.
    if (ARow == GetRowCount() - 1 && footerRowActive_) {
        canvas->GetBrush()->SetColor(GetColor());
        canvas->GetPen()->SetColor(GetColor());
        canvas->Rectangle(ARect);
        return;
    }

    // A merged block is painted by its first shown cell, once per paint.
    const TRect block = ShownFullCell(TShownCol(ACol), ARow);
    if (block.Right > block.Left || block.Bottom > block.Top) {
        const TPoint real = BaseCell(ToReal(TShownCol(ACol)).Value(), ARow);
        TCellProperties* bp = FindCellProperties(real.x, real.y);
        if (ACol != block.Left || ARow != block.Top) {
            if (bp && bp->GetPaintMark() != paintCounter_) {
                const int bx = block.Left, by = block.Top;
                TGridDrawState st;
                if (bx < GetFixedCols() || by < GetFixedRows()) {
                    st << gdFixed;
                } else {
                    if (IsSelected(bx, by)) st << gdSelected;
                    if (Focused() && IsSelected(bx, by) && AState.Contains(gdFocused))
                        st << gdFocused;
                }
                DrawCell(bx, by, CellRect(bx, by), st);
            }
            return;
        }
        if (bp) bp->SetPaintMark(paintCounter_);
    }

    if (IsFixed(ACol, ARow)) {
        AState << gdFixed;
        AState >> gdSelected;
    }
    const bool fixed = AState.Contains(gdFixed);

    TRect r = CellRect(ACol, ARow);
    if (r.Width() <= 0 || r.Height() <= 0) r = ARect;
    const HDC dc = canvas->GetHandle();
    int saved = 0;
    const int fw = FixedColsWidth(), fh = FixedRowsHeight();
    if (ACol >= GetFixedCols() && ARow >= GetFixedRows() && (r.Left < fw || r.Top < fh)) {
        saved = SaveDC(dc);
        IntersectClipRect(dc, fw, fh, GetWidth(), GetHeight());
    }

    canvas->GetPen()->SetWidth(1);
    canvas->SetFont(GetFont());
    canvas->GetBrush()->SetColor(fixed ? GetFixedColor() : GetColor());
    canvas->GetBrush()->SetStyle(bsSolid);
    TColor colorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    GetVisualProperties(ACol, ARow, AState, false, true, true, canvas->GetBrush(), colorTo,
                        canvas->GetFont(), ha, va, ww);
    canvas->GetPen()->SetColor(canvas->GetBrush()->GetColor());
    if (activeRowShow_ && ARow == GetRow() && ACol != GetCol())
        canvas->GetBrush()->SetColor(activeRowColor_);

    if (colorTo == clNone) {
        // A solid one-pixel pen of the brush's colour, copied: the rectangle is the brush's
        // colour from edge to edge, which is what filling it gives, in one fill.
        const TPen* pen = canvas->GetPen();
        const TBrush* brush = canvas->GetBrush();
        if (pen->GetStyle() == psSolid && pen->GetWidth() == 1 && pen->GetMode() == pmCopy &&
            brush->GetStyle() == bsSolid && pen->GetColor() == brush->GetColor())
            canvas->FillRect(r);
        else
            canvas->Rectangle(r);
    } else {
        const TColor pen = canvas->GetPen()->GetColor();
        DrawGradient(canvas, canvas->GetBrush()->GetColor(), colorTo, 64, r, true);
        canvas->GetPen()->SetColor(pen);
    }

    // Grid lines, along the bottom and the right edge inside the cell.
    int h;
    if (fixed) {
        canvas->GetPen()->SetColor(clGray);
        canvas->GetPen()->SetWidth(1);
        h = 1;
    } else {
        if (gridLineWidth_ > 0) canvas->GetPen()->SetColor(gridLineColor_);
        canvas->GetPen()->SetWidth(gridLineWidth_);
        h = (gridLineWidth_ + 1) / 2;
    }
    const TGridOptions options = GetOptions();
    if (options.Contains(fixed ? goFixedHorzLine : goHorzLine) &&
        !(HasNodes() && block.Left == 0)) {
        canvas->MoveTo(r.Left - h + 1, r.Bottom - h);
        canvas->LineTo(r.Right - h + 1, r.Bottom - h);
    }
    if (options.Contains(fixed ? goFixedVertLine : goVertLine)) {
        const int x = r.Right - h; // the layer reads left to right only
        canvas->MoveTo(x, r.Bottom - h);
        canvas->LineTo(x, r.Top - h);
    }

    const int shrink = fixed ? 1 : gridLineWidth_;
    TRect content = Rect(r.Left + shrink, r.Top + shrink, r.Right - shrink, r.Bottom - shrink);
    DrawGridCell(canvas, ACol, ARow, content, AState);
    if (saved) {
        RestoreDC(dc, saved);
        canvas->Refresh();
    }
}

// The plain content; a derived grid's own layers replace it and fire OnDrawCell themselves.
void TBaseGrid::DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect,
                             TGridDrawState AState) {
    const AnsiString s = GetCellEx(ACol, ARow);
    if (!s.IsEmpty()) {
        const HDC dc = Canvas->GetHandle();
        const int mode = SetBkMode(dc, TRANSPARENT);
        TRect r = ARect;
        DrawText(dc, s.c_str(), s.Length(), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SetBkMode(dc, mode);
    }
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}
