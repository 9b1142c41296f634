// TKavStringGrid: filling ranges of cells (a text, random numbers, each cell's place), date
// and time cells, numbering a column or a row, and the ranges these and the marking forms
// work on.
#include "controles/grid/kav_grid.h"

#include "plataforma/base/date_time_text.h"

#include <random>

TRect TKavStringGrid::CellRange(bool All) const {
    if (All) return TRect(0, 0, TotalColCount() - 1, GetRowCount() - 1);
    return TRect(GetFixedCols(), GetFixedRows(), TotalColCount() - 1 - fixedRightCols_,
                 GetRowCount() - 1 - fixedFooters_);
}

TRect TKavStringGrid::CellColRange(bool All, int ACol) const {
    TRect r = CellRange(All);
    r.Left = r.Right = ACol;
    return r;
}

TRect TKavStringGrid::CellRowRange(bool All, int ARow) const {
    TRect r = CellRange(All);
    r.Top = r.Bottom = ARow;
    return r;
}

void TKavStringGrid::TextFill(bool AllCells, const AnsiString& Text) {
    EachCell(CellRange(AllCells), [&](int c, int r) { SetCells(c, r, Text); });
    CellsLoaded();
}

void TKavStringGrid::RandomFill(bool AllCells, int Limit) {
    static std::minstd_rand engine(std::random_device{}());
    EachCell(CellRange(AllCells), [&](int c, int r) {
        const int v = Limit > 0 ? std::uniform_int_distribution<int>(0, Limit - 1)(engine) : 0;
        SetInts(c, r, v);
    });
    CellsLoaded();
}

void TKavStringGrid::LinearFill(bool AllCells) {
    EachCell(CellRange(AllCells),
             [&](int c, int r) { SetCells(c, r, AnsiString(c) + ":" + AnsiString(r)); });
    CellsLoaded();
}

void TKavStringGrid::SetDates(int ACol, int ARow, TDateTime Value) {
    SetCellEx(ACol, ARow, Value <= 0 && !NullDates ? AnsiString() : DateToStr(Value));
}

TDateTime TKavStringGrid::GetDates(int ACol, int ARow) {
    return StrToDate(GetCellEx(ACol, ARow));
}

void TKavStringGrid::SetTimes(int ACol, int ARow, TDateTime Value) {
    SetCellEx(ACol, ARow, TimeToStr(Value));
}

TDateTime TKavStringGrid::GetTimes(int ACol, int ARow) {
    return StrToTime(GetCellEx(ACol, ARow));
}

namespace {

// Numbers the cells First + Skip .. Last: cell i gets i - First + 1 + Offset, or with
// Reverse the cell mirrored about the range gets it.
template <class F> void Number(int First, int Last, int Skip, int Offset, bool Reverse, F&& Write) {
    for (int i = First + Skip; i <= Last; ++i)
        Write(Reverse ? Last - i + First : i, i - First + 1 + Offset);
}

} // namespace

void TKavStringGrid::AutoNumberCol(int ACol) {
    const TRect R = CellColRange(false, ACol);
    Number(R.Top, R.Bottom, AutoNumberSkip, AutoNumberOffset, AutoNumberReverse,
           [&](int r, int n) { SetInts(ACol, r, n); });
}

void TKavStringGrid::AutoNumberRow(int ARow) {
    // The shown normal columns are numbered; a hidden one keeps its text.
    Number(GetFixedCols(), GetColCount() - 1 - fixedRightCols_, AutoNumberSkip, AutoNumberOffset,
           AutoNumberReverse, [&](int c, int n) { SetInts(RemapCol(c), ARow, n); });
}
