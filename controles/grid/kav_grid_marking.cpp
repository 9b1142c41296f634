// TKavStringGrid: marking and highlighting a search text inside cells (markup tags "e" and
// "hi" around each hit), running the cell checker over cells, and the values of controls
// in a cell's markup. Columns and rows are display indexes; the texts are the stored ones.
#include "controles/grid/kav_grid.h"

#include "controles/grid/editing/grid_check.h"
#include "controles/grid/markup/markup_helpers.h"

#include <algorithm>

namespace {

const AnsiString kHilightTag = "hi";
const AnsiString kMarkTag = "e";

} // namespace

TRect TKavStringGrid::MarkRange(bool DoFixed) const {
    if (DoFixed) return TRect(0, 0, GetColCount() - 1, GetRowCount() - 1);
    return TRect(GetFixedCols(), GetFixedRows(), GetColCount() - 1 - fixedRightCols_,
                 GetRowCount() - 1 - fixedFooters_);
}

TRect TKavStringGrid::MarkColRange(bool DoFixed, int ACol) const {
    TRect r = MarkRange(DoFixed);
    r.Left = r.Right = ACol;
    return r;
}

TRect TKavStringGrid::MarkRowRange(bool DoFixed, int ARow) const {
    TRect r = MarkRange(DoFixed);
    r.Top = r.Bottom = ARow;
    return r;
}

void TKavStringGrid::MarkCells(const AnsiString& HiText, const AnsiString& Tag, bool DoCase,
                               const TRect& R) {
    for (int r = std::max(0, R.Top); r <= R.Bottom && r < GetRowCount(); ++r)
        for (int c = std::max(0, R.Left); c <= R.Right && c < GetColCount(); ++c) {
            const int real = RemapCol(c);
            SetCells(real, r, HiLight(GetCells(real, r), HiText, Tag, DoCase));
        }
}

void TKavStringGrid::UnMarkCells(const AnsiString& Tag, const TRect& R) {
    for (int r = std::max(0, R.Top); r <= R.Bottom && r < GetRowCount(); ++r)
        for (int c = std::max(0, R.Left); c <= R.Right && c < GetColCount(); ++c) {
            const int real = RemapCol(c);
            SetCells(real, r, UnHiLight(GetCells(real, r), Tag));
        }
}

void TKavStringGrid::HilightInCell(int ACol, int ARow, const AnsiString& HiText, bool DoCase) {
    MarkCells(HiText, kHilightTag, DoCase, TRect(ACol, ARow, ACol, ARow));
}
void TKavStringGrid::HilightInCol(bool DoFixed, bool DoCase, int ACol, const AnsiString& HiText) {
    MarkCells(HiText, kHilightTag, DoCase, MarkColRange(DoFixed, ACol));
}
void TKavStringGrid::HilightInRow(bool DoFixed, bool DoCase, int ARow, const AnsiString& HiText) {
    MarkCells(HiText, kHilightTag, DoCase, MarkRowRange(DoFixed, ARow));
}
void TKavStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const AnsiString& HiText) {
    MarkCells(HiText, kHilightTag, DoCase, MarkRange(DoFixed));
}
void TKavStringGrid::UnHilightInCell(int ACol, int ARow) {
    UnMarkCells(kHilightTag, TRect(ACol, ARow, ACol, ARow));
}
void TKavStringGrid::UnHilightInCol(bool DoFixed, int ACol) {
    UnMarkCells(kHilightTag, MarkColRange(DoFixed, ACol));
}
void TKavStringGrid::UnHilightInRow(bool DoFixed, int ARow) {
    UnMarkCells(kHilightTag, MarkRowRange(DoFixed, ARow));
}
void TKavStringGrid::UnHilightInGrid(bool DoFixed) {
    UnMarkCells(kHilightTag, MarkRange(DoFixed));
}

void TKavStringGrid::MarkInCell(int ACol, int ARow, const AnsiString& HiText, bool DoCase) {
    MarkCells(HiText, kMarkTag, DoCase, TRect(ACol, ARow, ACol, ARow));
}
void TKavStringGrid::MarkInCol(bool DoFixed, bool DoCase, int ACol, const AnsiString& HiText) {
    MarkCells(HiText, kMarkTag, DoCase, MarkColRange(DoFixed, ACol));
}
void TKavStringGrid::MarkInRow(bool DoFixed, bool DoCase, int ARow, const AnsiString& HiText) {
    MarkCells(HiText, kMarkTag, DoCase, MarkRowRange(DoFixed, ARow));
}
void TKavStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const AnsiString& HiText) {
    MarkCells(HiText, kMarkTag, DoCase, MarkRange(DoFixed));
}
void TKavStringGrid::UnMarkInCell(int ACol, int ARow) {
    UnMarkCells(kMarkTag, TRect(ACol, ARow, ACol, ARow));
}
void TKavStringGrid::UnMarkInCol(bool DoFixed, int ACol) {
    UnMarkCells(kMarkTag, MarkColRange(DoFixed, ACol));
}
void TKavStringGrid::UnMarkInRow(bool DoFixed, int ARow) {
    UnMarkCells(kMarkTag, MarkRowRange(DoFixed, ARow));
}
void TKavStringGrid::UnMarkInGrid(bool DoFixed) {
    UnMarkCells(kMarkTag, MarkRange(DoFixed));
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
    // The cursor stands on normal cells only.
    if (ACol < GetFixedCols() || ARow < GetFixedRows() || ACol >= GetColCount() ||
        ARow >= GetRowCount())
        return;
    MoveCurrent(ACol, ARow, true, true);
}

bool TKavStringGrid::CheckCell(int ACol, int ARow) {
    TKavStringGridCheck* checker = cellChecker_;
    if (!checker) return true;
    const int real = RemapCol(ACol);
    const AnsiString old = GetCells(real, ARow);
    if (checker->GetGotoCell()) GotoCell(ACol, ARow);
    AnsiString now = old;
    // Each starts from the old text: with both on, the marked text is the one kept.
    if (checker->GetUseCorrect()) now = checker->Correct(ACol, ARow, old);
    if (checker->GetUseMarkError()) now = checker->MarkError(ACol, ARow, old);
    SetCells(real, ARow, now);
    return now == old;
}

bool TKavStringGrid::CheckCells(const TRect& R) {
    TKavStringGridCheck* checker = cellChecker_;
    if (!checker) return true;
    checker->StartCheck();
    const int col = GetCol(), row = GetRow();
    bool unchanged = true;
    for (int r = std::max(0, R.Top); r <= R.Bottom && r < GetRowCount(); ++r)
        for (int c = std::max(0, R.Left); c <= R.Right && c < GetColCount(); ++c)
            if (!CheckCell(c, r)) unchanged = false;
    checker->StopCheck();
    if (checker->GetGotoCell()) GotoCell(col, row);
    return unchanged;
}

bool TKavStringGrid::CheckCol(bool DoFixed, int ACol) {
    return CheckCells(MarkColRange(DoFixed, ACol));
}
bool TKavStringGrid::CheckRow(bool DoFixed, int ARow) {
    return CheckCells(MarkRowRange(DoFixed, ARow));
}
bool TKavStringGrid::CheckGrid(bool DoFixed) {
    return CheckCells(MarkRange(DoFixed));
}

// --- controls in a cell's markup ---

AnsiString TKavStringGrid::GetCtrlVal(int ACol, int ARow, const AnsiString& CtrlName) {
    AnsiString value;
    if (!GetControlValue(GetCells(RemapCol(ACol), ARow), CtrlName, value)) return AnsiString();
    return value;
}

void TKavStringGrid::SetCtrlVal(int ACol, int ARow, const AnsiString& CtrlName,
                                const AnsiString& Value) {
    const int real = RemapCol(ACol);
    AnsiString s = GetCells(real, ARow);
    if (SetControlValue(s, CtrlName, Value)) SetCells(real, ARow, s);
}
