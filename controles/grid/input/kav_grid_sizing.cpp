// TKavStringGrid: the end of a column or row sized by the user. A border dragged in the
// header is noted on release with the size it had; when the new size arrives the other
// scrollable columns (rows) follow it in proportion with AllColumnSize (AllRowSize), then
// OnEndColumnSize (OnEndRowSize) fires and UpdateColSize may still change the width. After
// any change of sizes a shown editor covers its cell again. The hit tests of the sizing zone
// and of a screen point.
#include "controles/grid/kav_grid.h"

#include <cmath>
#include <cstdlib>

void TKavStringGrid::NoteUserSizing() {
    sizingCol_ = sizingRow_ = -1;
    if (sizingIndex_ < 0) return;
    if (GetGridState() == gsColSizing && sizingIndex_ < GetColCount()) {
        sizingCol_ = sizingIndex_;
        sizingOldSize_ = GetColWidths(sizingIndex_);
    } else if (GetGridState() == gsRowSizing && sizingIndex_ < GetRowCount()) {
        sizingRow_ = sizingIndex_;
        sizingOldSize_ = GetRowHeights(sizingIndex_);
    }
}

void TKavStringGrid::FinishUserSizing(bool Cols) {
    const int index = Cols ? sizingCol_ : sizingRow_;
    if (index < 0) return;
    // Cleared first: the sizes set below are no sizing by the user.
    sizingCol_ = sizingRow_ = -1;
    const int count = Cols ? GetColCount() : GetRowCount();
    if (index >= count) return;
    auto sizeOf = [&](int i) { return Cols ? GetColWidths(i) : GetRowHeights(i); };
    const int now = sizeOf(index);
    TMouseActions* ma = GetMouseActions();
    const bool all = Cols ? ma->GetAllColumnSize() : ma->GetAllRowSize();
    // A column that had no width gives no proportion: the others stay as they are.
    if (all && sizingOldSize_ > 0 && now != sizingOldSize_) {
        const double factor = static_cast<double>(now) / sizingOldSize_;
        for (int i = Cols ? GetFixedCols() : GetFixedRows(); i < count; ++i) {
            if (i == index) continue;
            const int scaled = static_cast<int>(std::lround(sizeOf(i) * factor));
            if (Cols)
                SetColWidths(i, scaled);
            else
                SetRowHeights(i, scaled);
        }
    }
    EndUserSizing(Cols, index);
}

void TKavStringGrid::EndUserSizing(bool Cols, int Index) {
    if (!Cols) {
        if (OnEndRowSize) OnEndRowSize(this, Index);
        return;
    }
    if (OnEndColumnSize) OnEndColumnSize(this, Index);
    // The handler may have taken the column away.
    if (Index >= GetColCount()) return;
    int width = GetColWidths(Index);
    UpdateColSize(Index, width);
    if (width != GetColWidths(Index)) SetColWidths(Index, width);
}

void TKavStringGrid::EditorFollowsSizes() {
    if (!EditorShown()) return;
    if (HasCheckBox(RemapCol(GetCol()), GetRow())) {
        HideInplaceEdit();
        return;
    }
    GetInplaceEditor()->Move(CellRect(GetCol(), GetRow()));
}

// --- hit tests ---

void TKavStringGrid::ScreenToCell(TPoint Pt, int& ACol, int& ARow) {
    const TPoint p = ScreenToClient(Pt);
    MouseToCell(p.x, p.y, ACol, ARow);
}

bool TKavStringGrid::InSizeZone(int X, int Y) {
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0) return false;
    const TRect rc = CellRect(c, r);
    bool in = false;
    if (r <= GetFixedRows() && GetOptions().Contains(goColSizing))
        in = std::abs(X - rc.Left) < 4 || std::abs(X - rc.Right) < 4;
    // The row test, when it applies, decides.
    if (c <= GetFixedCols() && GetOptions().Contains(goRowSizing))
        in = std::abs(Y - rc.Top) < 4 || std::abs(Y - rc.Bottom) < 4;
    return in;
}
