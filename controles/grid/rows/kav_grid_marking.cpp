// TKavStringGrid: marking and highlighting a search text inside cells (markup tags "e" and
// "hi" around each hit), running the cell checker over cells, and the values of controls
// in a cell's markup. Columns are real columns as the cells keep them (hidden ones
// counted), rows are shown rows; the texts are the stored ones.
#include "controles/grid/kav_grid.h"

#include "controles/grid/editing/grid_check.h"
#include "controles/grid/markup/markup_helpers.h"

#include <algorithm>

namespace {

const AnsiString kHilightTag = "hi";
const AnsiString kMarkTag = "e";

} // namespace

// A range over several columns (a row, the grid) marks the shown cells: hidden columns are
// left as they are. One column named alone is marked whether shown or not.
void TKavStringGrid::MarkCells(const AnsiString& HiText, const AnsiString& Tag, bool DoCase,
                               const TRect& R) {
    EachCell(R, [&](int c, int r) {
        if (R.Left == R.Right || !IsHiddenColumn(c))
            SetCells(c, r, HiLight(GetCells(c, r), HiText, Tag, DoCase));
    });
}

void TKavStringGrid::UnMarkCells(const AnsiString& Tag, const TRect& R) {
    EachCell(R, [&](int c, int r) {
        if (R.Left == R.Right || !IsHiddenColumn(c)) SetCells(c, r, UnHiLight(GetCells(c, r), Tag));
    });
    // A range over every normal row takes the tags out of the hidden rows too, so that none
    // stays in the stored text when they show again.
    if (R.Top <= GetFixedRows() && R.Bottom >= GetRowCount() - 1 - fixedFooters_)
        EachHiddenRowCell(R.Left, R.Right, [&](TStrings& Cells, int c) {
            if (R.Left == R.Right || !IsHiddenColumn(c))
                Cells.SetStrings(c, UnHiLight(Cells.GetStrings(c), Tag));
        });
}

void TKavStringGrid::HilightInCell(int ACol, int ARow, const AnsiString& HiText, bool DoCase) {
    MarkCells(HiText, kHilightTag, DoCase, TRect(ACol, ARow, ACol, ARow));
}
void TKavStringGrid::HilightInCol(bool DoFixed, bool DoCase, int ACol, const AnsiString& HiText) {
    MarkCells(HiText, kHilightTag, DoCase, CellColRange(DoFixed, ACol));
}
void TKavStringGrid::HilightInRow(bool DoFixed, bool DoCase, int ARow, const AnsiString& HiText) {
    MarkCells(HiText, kHilightTag, DoCase, CellRowRange(DoFixed, ARow));
}
void TKavStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const AnsiString& HiText) {
    MarkCells(HiText, kHilightTag, DoCase, CellRange(DoFixed));
}
void TKavStringGrid::UnHilightInCell(int ACol, int ARow) {
    UnMarkCells(kHilightTag, TRect(ACol, ARow, ACol, ARow));
}
void TKavStringGrid::UnHilightInCol(bool DoFixed, int ACol) {
    UnMarkCells(kHilightTag, CellColRange(DoFixed, ACol));
}
void TKavStringGrid::UnHilightInRow(bool DoFixed, int ARow) {
    UnMarkCells(kHilightTag, CellRowRange(DoFixed, ARow));
}
void TKavStringGrid::UnHilightInGrid(bool DoFixed) {
    UnMarkCells(kHilightTag, CellRange(DoFixed));
}

void TKavStringGrid::MarkInCell(int ACol, int ARow, const AnsiString& HiText, bool DoCase) {
    MarkCells(HiText, kMarkTag, DoCase, TRect(ACol, ARow, ACol, ARow));
}
void TKavStringGrid::MarkInCol(bool DoFixed, bool DoCase, int ACol, const AnsiString& HiText) {
    MarkCells(HiText, kMarkTag, DoCase, CellColRange(DoFixed, ACol));
}
void TKavStringGrid::MarkInRow(bool DoFixed, bool DoCase, int ARow, const AnsiString& HiText) {
    MarkCells(HiText, kMarkTag, DoCase, CellRowRange(DoFixed, ARow));
}
void TKavStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const AnsiString& HiText) {
    MarkCells(HiText, kMarkTag, DoCase, CellRange(DoFixed));
}
void TKavStringGrid::UnMarkInCell(int ACol, int ARow) {
    UnMarkCells(kMarkTag, TRect(ACol, ARow, ACol, ARow));
}
void TKavStringGrid::UnMarkInCol(bool DoFixed, int ACol) {
    UnMarkCells(kMarkTag, CellColRange(DoFixed, ACol));
}
void TKavStringGrid::UnMarkInRow(bool DoFixed, int ARow) {
    UnMarkCells(kMarkTag, CellRowRange(DoFixed, ARow));
}
void TKavStringGrid::UnMarkInGrid(bool DoFixed) {
    UnMarkCells(kMarkTag, CellRange(DoFixed));
}

AnsiString TKavStringGrid::HilightText(bool DoCase, const AnsiString& S, const AnsiString& HiText) {
    return HiLight(S, HiText, kHilightTag, DoCase);
}
AnsiString TKavStringGrid::MarkText(bool DoCase, const AnsiString& S, const AnsiString& HiText) {
    return HiLight(S, HiText, kMarkTag, DoCase);
}
AnsiString TKavStringGrid::UnHilightText(const AnsiString& S) {
    return UnHiLight(S, kHilightTag);
}
AnsiString TKavStringGrid::UnMarkText(const AnsiString& S) {
    return UnHiLight(S, kMarkTag);
}

// --- the check run ---

void TKavStringGrid::GotoCell(int ACol, int ARow) {
    // The cursor stands on shown normal cells only.
    if (ACol < 0 || ACol >= TotalColCount() || IsHiddenColumn(ACol)) return;
    const int col = RemapColInv(ACol);
    if (col < GetFixedCols() || ARow < GetFixedRows() || col >= GetColCount() ||
        ARow >= GetRowCount())
        return;
    MoveCurrent(col, ARow, true, true);
}

bool TKavStringGrid::CheckCell(int ACol, int ARow) {
    TKavStringGridCheck* checker = cellChecker_;
    if (!checker) return true;
    const AnsiString old = GetCells(ACol, ARow);
    if (checker->GetGotoCell()) GotoCell(ACol, ARow);
    AnsiString now = old;
    // Each starts from the old text: with both on, the marked text is the one kept.
    if (checker->GetUseCorrect()) now = checker->Correct(ACol, ARow, old);
    if (checker->GetUseMarkError()) now = checker->MarkError(ACol, ARow, old);
    SetCells(ACol, ARow, now);
    return now == old;
}

bool TKavStringGrid::CheckCells(const TRect& R) {
    TKavStringGridCheck* checker = cellChecker_;
    if (!checker) return true;
    checker->StartCheck();
    const int col = GetRealCol(), row = GetRow();
    bool unchanged = true;
    EachCell(R, [&](int c, int r) {
        if ((R.Left == R.Right || !IsHiddenColumn(c)) && !CheckCell(c, r)) unchanged = false;
    });
    checker->StopCheck();
    if (checker->GetGotoCell()) GotoCell(col, row);
    return unchanged;
}

bool TKavStringGrid::CheckCol(bool DoFixed, int ACol) {
    return CheckCells(CellColRange(DoFixed, ACol));
}
bool TKavStringGrid::CheckRow(bool DoFixed, int ARow) {
    return CheckCells(CellRowRange(DoFixed, ARow));
}
bool TKavStringGrid::CheckGrid(bool DoFixed) {
    return CheckCells(CellRange(DoFixed));
}

// --- controls in a cell's markup ---

AnsiString TKavStringGrid::GetCtrlVal(int ACol, int ARow, const AnsiString& CtrlName) {
    AnsiString value;
    if (!GetControlValue(GetCells(ACol, ARow), CtrlName, value)) return AnsiString();
    return value;
}

void TKavStringGrid::SetCtrlVal(int ACol, int ARow, const AnsiString& CtrlName,
                                const AnsiString& Value) {
    AnsiString s = GetCells(ACol, ARow);
    if (SetControlValue(s, CtrlName, Value)) SetCells(ACol, ARow, s);
}
