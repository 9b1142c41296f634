// TCustomGrid::Paint: only the cells that meet the canvas's clip are drawn, so the cost of a
// paint depends on the area painted, never on the number of rows or columns.
#include "plataforma/gui/grid/grids.h"

#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_edge.h"

#include <algorithm>
#include <vector>

namespace {

// A cell of one axis that meets the clip: its index and its client span.
struct Span {
    int Index;
    int Start;
    int Size;
};

// The cells of an axis meeting [ClipLo, ClipHi): the fixed ones, then the scrollable ones
// from First, found through the prefix sums.
void SpansInClip(const TGridAxis& Axis, int Fixed, int First, int ClipLo, int ClipHi,
                 std::vector<Span>& Out) {
    Out.clear();
    const int n = Axis.GetCount();
    const int line = Axis.GetLineWidth();
    int64_t pos = 0;
    for (int i = 0; i < Fixed && i < n && pos < ClipHi; ++i) {
        const int size = Axis.GetSize(i);
        if (pos + size + line > ClipLo) Out.push_back({i, static_cast<int>(pos), size});
        pos += size + line;
    }
    const int64_t fixedEnd = Axis.Offset(Fixed);
    const int64_t base = Axis.Offset(First);
    int i = First;
    if (ClipLo > fixedEnd) i = std::max(First, Axis.IndexAt(ClipLo - fixedEnd + base));
    if (i >= n) return;
    pos = fixedEnd + Axis.Offset(i) - base;
    for (; i < n && pos < ClipHi; ++i) {
        const int size = Axis.GetSize(i);
        Out.push_back({i, static_cast<int>(pos), size});
        pos += size + line;
    }
}

} // namespace

void TCustomGrid::Paint() {
    TCanvas* canvas = GetCanvas();
    const TRect clip = canvas->GetClipRect();
    const int w = GetClientWidth(), h = GetClientHeight();
    const int line = GetGridLineWidth();
    std::vector<Span> cols, rows;
    SpansInClip(cols_, fixedCols_, topLeft_.X, clip.Left, std::min(clip.Right, w), cols);
    SpansInClip(rows_, fixedRows_, topLeft_.Y, clip.Top, std::min(clip.Bottom, h), rows);

    canvas->SetFont(GetFont());
    const bool focused = Focused();
    const TGridRect sel = GetSelection();
    const bool rowSelect = options_.Contains(goRowSelect);
    const bool focusSelected = options_.Contains(goDrawFocusSelected);
    // The editor covers its cell: the cell under it is not drawn, nor the focus frame.
    const bool editing = inplaceEdit_ && inplaceEdit_->GetVisible() && inplaceCol_ >= 0;

    // The lines after each cell, in the fixed colour where a fixed row or column runs.
    if (line > 0 && !cols.empty() && !rows.empty()) {
        const TColor normalLine = ColorToRGB(GetColor()) == clSilver ? clGray : clSilver;
        const int top = rows.front().Start;
        const int bottom = rows.back().Start + rows.back().Size + line;
        const int left = cols.front().Start;
        const int right = cols.back().Start + cols.back().Size + line;
        const int64_t fixedW = cols_.Offset(fixedCols_);
        const int64_t fixedH = rows_.Offset(fixedRows_);
        const int fixedBottom = static_cast<int>(std::clamp<int64_t>(fixedH, top, bottom));
        const int fixedRight = static_cast<int>(std::clamp<int64_t>(fixedW, left, right));
        TBrush* brush = canvas->GetBrush();
        auto strip = [&](TColor color, const TRect& r) {
            if (r.Right <= r.Left || r.Bottom <= r.Top) return;
            brush->SetColor(color);
            canvas->FillRect(r);
        };
        const bool fixedVert = options_.Contains(goFixedVertLine);
        const bool fixedHorz = options_.Contains(goFixedHorzLine);
        const bool vert = options_.Contains(goVertLine);
        const bool horz = options_.Contains(goHorzLine);
        // A line left out by the options shows the cells' background instead.
        const TColor normalBack = GetColor();
        for (const Span& c : cols) {
            const int x = c.Start + c.Size;
            const bool fixedCol = c.Index < fixedCols_;
            // Down the fixed rows, then down the rest.
            strip(fixedVert ? clBlack : fixedColor_, Rect(x, top, x + line, fixedBottom));
            if (fixedCol)
                strip(fixedVert ? clBlack : fixedColor_, Rect(x, fixedBottom, x + line, bottom));
            else
                strip(vert ? normalLine : normalBack, Rect(x, fixedBottom, x + line, bottom));
        }
        for (const Span& r : rows) {
            const int y = r.Start + r.Size;
            const bool fixedRow = r.Index < fixedRows_;
            strip(fixedHorz ? clBlack : fixedColor_, Rect(left, y, fixedRight, y + line));
            if (fixedRow)
                strip(fixedHorz ? clBlack : fixedColor_, Rect(fixedRight, y, right, y + line));
            else
                strip(horz ? normalLine : normalBack, Rect(fixedRight, y, right, y + line));
        }
    }

    // The cells.
    const bool edges =
        defaultDrawing_ && options_.Contains(goFixedVertLine) && options_.Contains(goFixedHorzLine);
    for (const Span& r : rows) {
        for (const Span& c : cols) {
            const TRect where = Rect(c.Start, r.Start, c.Start + c.Size, r.Start + r.Size);
            TGridDrawState state;
            const bool fixed = c.Index < fixedCols_ || r.Index < fixedRows_;
            if (fixed) {
                state << gdFixed;
            } else {
                const bool current = !selectionBeyond_ && r.Index == current_.Y &&
                                     (c.Index == current_.X || rowSelect);
                if (focused && current) state << gdFocused;
                if (sel.Contains(c.Index, r.Index) &&
                    !(state.Contains(gdFocused) && !focusSelected && !rowSelect))
                    state << gdSelected;
            }
            if (editing && c.Index == inplaceCol_ && r.Index == inplaceRow_) continue;
            if (defaultDrawing_) {
                TColor fill = GetColor(), text = GetFont()->GetColor();
                if (fixed) {
                    fill = fixedColor_;
                } else if (state.Contains(gdSelected)) {
                    fill = clHighlight;
                    text = clHighlightText;
                }
                canvas->GetBrush()->SetColor(fill);
                canvas->GetFont()->SetColor(text);
                canvas->FillRect(where);
            }
            DrawCell(c.Index, r.Index, where, state);
            if (edges && fixed) {
                TRect e = where;
                HDC dc = canvas->GetHandle();
                DrawEdge(dc, &e, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
                DrawEdge(dc, &e, BDR_RAISEDINNER, BF_TOPLEFT);
            }
        }
    }

    // The area beyond the last column and row.
    {
        const int64_t endX = cols.empty() ? 0 : cols.back().Start + cols.back().Size + line;
        const int64_t endY = rows.empty() ? 0 : rows.back().Start + rows.back().Size + line;
        canvas->GetBrush()->SetColor(GetColor());
        const bool lastCol = cols.empty() || cols.back().Index == GetColCount() - 1;
        const bool lastRow = rows.empty() || rows.back().Index == GetRowCount() - 1;
        if (lastCol && endX < clip.Right)
            canvas->FillRect(Rect(static_cast<int>(std::max<int64_t>(endX, clip.Left)), clip.Top,
                                  clip.Right, clip.Bottom));
        if (lastRow && endY < clip.Bottom)
            canvas->FillRect(Rect(clip.Left, static_cast<int>(std::max<int64_t>(endY, clip.Top)),
                                  clip.Right, clip.Bottom));
    }

    // The focus frame round the current cell (or row).
    if (defaultDrawing_ && focused && !editing) {
        TRect f = rowSelect ? BoxRect(fixedCols_, current_.Y, GetColCount() - 1, current_.Y)
                            : CellRect(current_.X, current_.Y);
        if (f.Right > f.Left && f.Bottom > f.Top) {
            canvas->GetBrush()->SetColor(GetColor());
            canvas->GetFont()->SetColor(GetFont()->GetColor());
            canvas->DrawFocusRect(f);
        }
    }
}
