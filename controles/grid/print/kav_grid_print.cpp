// The grid's print helpers: text lines of the whole grid, print font heights and the columns
// on paper.

#include "controles/grid/kav_grid.h"
#include "controles/grid/print/print_layout.h"

#include <algorithm>

int TKavStringGrid::MaxLinesInGrid() {
    if (!GetMultilinecells() || GetColCount() == 0) return 1;
    int most = 1;
    for (int r = 0; r < GetRowCount(); ++r)
        most = std::max(most, MaxLinesInRow(r));
    return most;
}

int TKavStringGrid::MapFontHeight(int Size) const {
    return printLayout_->MapFontHeight(Size);
}

int TKavStringGrid::MapFontSize(int Height) const {
    return TPrintLayout::MapFontSize(Height);
}

TPrintLayout& TKavStringGrid::PrintLayout() {
    printLayout_->Fit(GetColCount());
    return *printLayout_;
}

int TKavStringGrid::GetPrintColWidth(int ACol) {
    return PrintLayout().GetPrintColWidth(ACol);
}

int TKavStringGrid::GetPrintColOffset(int ACol) {
    return PrintLayout().GetPrintColOffset(ACol);
}
