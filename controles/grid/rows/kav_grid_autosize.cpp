// TKavStringGrid: columns and rows fitted to their contents. A cell is measured in the font
// it is painted with (the fixed font for fixed cells, then the colour hook and the visual
// properties), its graphic beside its text; every width and height set passes the limits.
#include "controles/grid/kav_grid.h"

#include "controles/comun/text_utils.h"

#include <algorithm>

// The canvas font of a cell as the sizing routines measure it.
TPoint TKavStringGrid::MeasureCell(TShownCol ACol, TShownRow ARow, bool Zoom, bool WordWrap) {
    TCanvas* canvas = GetCanvas();
    const TRealCol real = ToReal(ACol);
    const int row = ARow.Value();
    const bool fixed = row < GetFixedRows() || ACol.Value() < GetFixedCols();
    canvas->GetFont()->Assign(fixed ? GetFixedFont() : GetFont());
    GetCellColor(real.Value(), row, TGridDrawState(), canvas->GetBrush(), canvas->GetFont());
    if (Zoom && zoom_ != 0) canvas->GetFont()->SetSize(canvas->GetFont()->GetSize() + zoom_);
    int gw = 0, gh = 0;
    GetCellGraphicSize(real, ARow, gw, gh);
    const TSize t = GetCellTextSize(real.Value(), row, WordWrap);
    return {gw + t.cx, gh + t.cy};
}

void TKavStringGrid::SizeToWidth(int ACol, bool GrowOnly) {
    int need = 0;
    const int line = GetGridLineWidth();
    for (int r = 0; r < GetRowCount(); ++r) {
        if (IsXMergedCell(ACol, r)) continue;
        int w = MeasureCell(TShownCol(ACol), TShownRow(r), true, false).x;
        const TRealCol real = ToReal(TShownCol(ACol));
        if (TCellGraphic* g = GetCellGraphic(real, TShownRow(r)); g && g->CellHAlign == haFull) {
            int gw = 0, gh = 0;
            GetCellGraphicSize(real, TShownRow(r), gw, gh);
            w = gw - (2 * (line + 1) + GetXYOffset().x);
        }
        need = std::max(need, w);
    }
    need = 2 * (line + 1) + need + GetXYOffset().x;
    if (GrowOnly && GetColWidths(ACol) >= need) return;
    UpdateAutoColSize(ACol, need);
    SetColWidths(ACol, CheckLimits(need, minColWidth_, maxColWidth_));
}

void TKavStringGrid::SizeToHeight(int ARow, bool GrowOnly) {
    int need = 0;
    const int line = GetGridLineWidth();
    for (int c = 0; c < GetColCount(); ++c) {
        if (IsYMergedCell(c, ARow)) continue;
        int h = MeasureCell(TShownCol(c), TShownRow(ARow), true, GetWordWrap()).y;
        if (IsMergedCell(c, ARow) && !IsBaseCell(c, ARow)) h = 0;
        const TRealCol real = ToReal(TShownCol(c));
        TCellGraphic* g = GetCellGraphic(real, TShownRow(ARow));
        if (g && g->CellHAlign == haFull) {
            int gw = 0, gh = 0;
            GetCellGraphicSize(real, TShownRow(ARow), gw, gh);
            h = gh - (2 * (line + 1) + GetXYOffset().y);
        }
        if (g && (g->CellType == ctCheckBox || g->CellType == ctDataCheckBox))
            h = GetDefaultRowHeight();
        need = std::max(need, h);
    }
    need = 2 * line + need + GetXYOffset().y;
    if (GrowOnly && GetRowHeights(ARow) >= need) return;
    // An editor sized while typing in a grid whose rows all show: when the new height pushes
    // rows out of view, the editor is shown again with its caret after its text.
    const bool typing =
        EditorShown() && sizeWhileTyping_->GetHeight() && GetVisibleRowCount() == GetRowCount();
    SetRowHeights(ARow, CheckLimits(need, minRowHeight_, maxRowHeight_));
    if (typing && GetVisibleRowCount() != GetRowCount()) {
        ShowInplaceEdit();
        if (TInplaceEdit* e = GetInplaceEditor(); e && e->GetVisible())
            e->SetSelStart(e->GetText().Length());
    }
}

void TKavStringGrid::AutoSizeCol(int ACol) {
    SizeToWidth(ACol, autoSizeGrowOnly_);
}

void TKavStringGrid::AutoSizeRow(int ARow) {
    SizeToHeight(ARow, autoSizeGrowOnly_);
}

void TKavStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding) {
    for (int c = DoFixedCols ? 0 : GetFixedCols(); c < GetColCount(); ++c) {
        AutoSizeCol(c);
        if (Padding != 0)
            SetColWidths(c, CheckLimits(GetColWidths(c) + Padding, minColWidth_, maxColWidth_));
    }
}

void TKavStringGrid::SizeToLines(int ARow, int Lines, int Padding) {
    TCanvas* canvas = GetCanvas();
    GetCellColor(GetFixedCols(), ARow, TGridDrawState(), canvas->GetBrush(), canvas->GetFont());
    const int h = canvas->TextHeight("gh");
    SetRowHeights(ARow, CheckLimits((h + h / 8) * Lines + Padding, minRowHeight_, maxRowHeight_));
}

void TKavStringGrid::AutoSizeRows(bool DoFixedRows, int Padding) {
    if (GetRowCount() == 0) return;
    ExportNotification(0, -1);
    for (int r = DoFixedRows ? 0 : GetFixedRows(); r < GetRowCount(); ++r) {
        ExportNotification(1, r);
        if (GetWordWrap()) {
            AutoSizeRow(r);
            if (Padding != 0)
                SetRowHeights(
                    r, CheckLimits(GetRowHeights(r) + Padding, minRowHeight_, maxRowHeight_));
        } else {
            SizeToLines(r, MaxLinesInRow(r), Padding);
        }
    }
    ExportNotification(2, -1);
}

void TKavStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY) {
    const int firstCol = DoFixedCells ? 0 : GetFixedCols();
    const int firstRow = DoFixedCells ? 0 : GetFixedRows();
    const TPoint offset = GetXYOffset();
    BeginUpdate();
    try {
        for (int c = firstCol; c < GetColCount(); ++c) {
            // Columns take their widest cell (never less than before with grow only); rows
            // only grow.
            int best = autoSizeGrowOnly_ ? GetColWidths(c) : 0;
            for (int r = firstRow; r < GetRowCount(); ++r) {
                const int height = GetRowHeights(r);
                const TPoint need = MeasureCell(TShownCol(c), TShownRow(r), false, false);
                const int w = need.x + PaddingX + offset.x;
                const int h = need.y + PaddingY + offset.y;
                if (!IsXMergedCell(c, r) && w > best) {
                    const int limited = CheckLimits(w, minColWidth_, maxColWidth_);
                    if (limited > best) {
                        SetColWidths(c, limited);
                        best = limited;
                    }
                }
                if (!IsYMergedCell(c, r) && h > height) {
                    const int limited = CheckLimits(h, minRowHeight_, maxRowHeight_);
                    if (limited > height) SetRowHeights(r, limited);
                }
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
