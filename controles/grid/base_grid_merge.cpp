// TBaseGrid: merged blocks of cells.
#include "controles/grid/base_grid.h"

#include <algorithm>
#include <climits>

void TBaseGrid::MergeCells(int ACol, int ARow, int ColSpan, int RowSpan) {
    hasMerges_ = true;
    for (int y = ARow; y < ARow + RowSpan; ++y)
        for (int x = ACol; x < ACol + ColSpan; ++x) {
            TCellProperties* p = GetCellProperties(x, y);
            const bool base = x == ACol && y == ARow;
            p->SetIsBaseCell(base);
            p->SetCellSpanX(base ? ColSpan - 1 : x - ACol);
            p->SetCellSpanY(base ? RowSpan - 1 : y - ARow);
        }
    for (int y = ARow; y < ARow + RowSpan; ++y)
        for (int x = ACol; x < ACol + ColSpan; ++x)
            RepaintCell(ToShown(TRealCol(x)).Value(), y);
}

void TBaseGrid::SplitCells(int ACol, int ARow) {
    const TPoint b = BaseCell(ACol, ARow);
    const TCellProperties* bp = FindCellProperties(b.x, b.y);
    if (!bp) return;
    const int sx = bp->GetCellSpanX(), sy = bp->GetCellSpanY();
    // Repainting comes first, while the block still measures as one.
    for (int y = b.y; y <= b.y + sy; ++y)
        for (int x = b.x; x <= b.x + sx; ++x)
            RepaintCell(ToShown(TRealCol(x)).Value(), y);
    for (int y = b.y; y <= b.y + sy; ++y)
        for (int x = b.x; x <= b.x + sx; ++x)
            if (TCellProperties* p = FindCellProperties(x, y)) {
                p->SetIsBaseCell(true);
                p->SetCellSpanX(-1);
                p->SetCellSpanY(-1);
            }
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetBaseCell(ACol, ARow) : TPoint(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return !p || p->GetIsBaseCell();
}

bool TBaseGrid::IsBaseCellEx(int ACol, int ARow, int& BaseCol, int& BaseRow) const {
    const TPoint b = BaseCell(ACol, ARow);
    BaseCol = b.x;
    BaseRow = b.y;
    return IsBaseCell(ACol, ARow);
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p || p->GetCellSpanX() == -1 || p->GetCellSpanY() == -1) return {0, 0};
    const TPoint b = p->GetBaseCell(ACol, ARow);
    const TCellProperties* bp = FindCellProperties(b.x, b.y);
    if (!bp || bp->GetCellSpanX() == -1 || bp->GetCellSpanY() == -1) return {0, 0};
    return {bp->GetCellSpanX(), bp->GetCellSpanY()};
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const {
    if (!IsMergedCell(ACol, ARow)) return {0, 0};
    const TPoint b = BaseCell(ACol, ARow);
    const TPoint s = CellSpan(ACol, ARow);
    return {s.x + b.x - ACol, s.y + b.y - ARow};
}

TRect TBaseGrid::FullCell(int ACol, int ARow) const {
    const TPoint b = BaseCell(ACol, ARow);
    const TPoint s = CellSpan(ACol, ARow);
    return Rect(b.x, b.y, b.x + s.x, b.y + s.y);
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p && (p->GetCellSpanX() >= 1 || p->GetCellSpanY() >= 1);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const {
    if (!HasCellProperties(ACol, ARow)) return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellProperties* bp = FindCellProperties(b.x, b.y);
    return bp && bp->GetCellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const {
    if (!HasCellProperties(ACol, ARow)) return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellProperties* bp = FindCellProperties(b.x, b.y);
    return bp && bp->GetCellSpanY() > 0;
}

TRect TBaseGrid::ShownFullCell(TShownCol ACol, int ARow) const {
    const int col = ACol.Value();
    const bool inGrid = col >= 0 && col < GetColCount() && ARow >= 0 && ARow < GetRowCount();
    const int real = inGrid ? ToReal(ACol).Value() : -1;
    if (!inGrid || !IsMergedCell(real, ARow)) return Rect(col, ARow, col, ARow);
    const TRect f = FullCell(real, ARow);
    // The shown columns of real columns f.Left..f.Right: those shown before f.Right + 1
    // less those shown before f.Left.
    return Rect(ToShown(TRealCol(f.Left)).Value(), f.Top, ToShown(TRealCol(f.Right + 1)).Value() - 1,
                f.Bottom);
}

TPoint TBaseGrid::ShownBaseCell(TShownCol ACol, int ARow) const {
    const TRect f = ShownFullCell(ACol, ARow);
    return {f.Left, f.Top};
}

bool TBaseGrid::IsShownMergedCell(TShownCol ACol, int ARow) const {
    const TRect f = ShownFullCell(ACol, ARow);
    return f.Right > f.Left || f.Bottom > f.Top;
}

bool TBaseGrid::IsShownBaseCell(TShownCol ACol, int ARow) const {
    return ShownBaseCell(ACol, ARow) == TPoint(ACol.Value(), ARow);
}

TPoint TBaseGrid::ShownCellSpan(TShownCol ACol, int ARow) const {
    const TRect f = ShownFullCell(ACol, ARow);
    return {f.Right - f.Left, f.Bottom - f.Top};
}

int TBaseGrid::MinRowSpan(int ARow) const {
    int best = INT_MAX;
    for (int c = 0, n = GetStoreColCount(); c < n; ++c) {
        const int s = CellSpan(c, ARow).y;
        if (s > 0) best = std::min(best, s);
    }
    return best == INT_MAX ? GetRowCount() : best;
}

int TBaseGrid::MaxRowSpan(int ARow) const {
    int best = 0;
    for (int c = 0, n = GetStoreColCount(); c < n; ++c)
        best = std::max(best, CellSpan(c, ARow).y);
    return best;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const {
    bool any = false;
    for (int c = 0, n = GetStoreColCount(); c < n; ++c) {
        if (!IsYMergedCell(c, ARow1) || !IsYMergedCell(c, ARow2)) continue;
        any = true;
        if (BaseCell(c, ARow1).y != BaseCell(c, ARow2).y) return false;
    }
    return any;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const {
    bool any = false;
    for (int r = 0, n = GetRowCount(); r < n; ++r) {
        const TPoint s1 = CellSpan(ACol1, r), s2 = CellSpan(ACol2, r);
        if (s1.x > 0 && s2.x > 0) {
            any = true;
            if (BaseCell(ACol1, r).x != BaseCell(ACol2, r).x) return false;
        } else if (s1.x != s2.x) {
            return false;
        }
    }
    return any;
}
