#include "controles/grid/print/print_layout.h"

#include "controles/grid/kav_grid.h"

#include <cmath>

int TPrintLayout::MapFontHeightAt(int Size, double Scale) const {
    return -static_cast<int>(std::trunc(Size * 254.0 / 72.0 * Scale));
}

int TPrintLayout::MapFontSize(int Height) {
    return static_cast<int>(std::trunc(Height * 72.0 / 254.0));
}

void TPrintLayout::Fit(int ColCount) {
    const size_t n = static_cast<size_t>(std::max(ColCount, 0)) + 1;
    widths_.resize(n, 0);
    offsets_.resize(n, 0);
}

void TPrintLayout::Check(int ACol) const {
    if (ACol < 0 || ACol >= ColumnCount()) throw EKavGridError("Columns is not in valid range");
}

int TPrintLayout::GetPrintColWidth(int ACol) const {
    Check(ACol);
    return widths_[ACol];
}

int TPrintLayout::GetPrintColOffset(int ACol) const {
    Check(ACol);
    return offsets_[ACol];
}

void TPrintLayout::SetPrintColWidth(int ACol, int Value) {
    Check(ACol);
    widths_[ACol] = Value;
}

void TPrintLayout::SetPrintColOffset(int ACol, int Value) {
    Check(ACol);
    offsets_[ACol] = Value;
}
