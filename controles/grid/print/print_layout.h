#pragma once
// The grid's print state between page builds, in tenths of a millimetre: what to print and
// on what page, the scale applied to print fonts and each column's width and left edge after
// the last build.

#include "plataforma/gui/grid/grids.h"

#include <vector>

class TPrinter;

class TPrintLayout {
public:
    // The grid cells to print (display indices, inclusive).
    TGridRect PrintRange;
    // The page: the printer's sheet, or a preview's rectangle in its canvas's device units
    // (a build converts it in place).
    TRect PageRect;
    // The pages drawn (1-based, inclusive) and the total a page number shows.
    int FromPage = 1, ToPage = 1, PageCount = 0;
    // The printer whose pages a prPrint build ejects; none while drawing on a caller's canvas.
    TPrinter* Printer = nullptr;

    // The factor MapFontHeight applies (the fit-to-page scale while a row is measured or
    // drawn, 1.0 otherwise).
    double FontScale = 1.0;

    // The font height on a metric canvas for a point size: minus Trunc(Size * 254 / 72 *
    // FontScale).
    int MapFontHeight(int Size) const { return MapFontHeightAt(Size, FontScale); }
    int MapFontHeightAt(int Size, double Scale) const;
    // The point size of a height in tenths of a millimetre: Trunc(Height * 72 / 254).
    static int MapFontSize(int Height);

    // Makes room for ColCount + 1 columns (a band writes the edge after its last column);
    // values of columns already there are kept, new ones are 0.
    void Fit(int ColCount);
    int ColumnCount() const { return static_cast<int>(widths_.size()); }
    // Raise EKavGridError "Columns is not in valid range" outside 0 .. ColCount.
    int GetPrintColWidth(int ACol) const;
    int GetPrintColOffset(int ACol) const;
    void SetPrintColWidth(int ACol, int Value);
    void SetPrintColOffset(int ACol, int Value);

private:
    std::vector<int> widths_, offsets_;
    void Check(int ACol) const;
};
