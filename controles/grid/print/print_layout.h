#pragma once
// Where a print puts things on paper, in tenths of a millimetre: the scale applied to print
// fonts and each column's width and left edge after the last page build.

#include <vector>

class TPrintLayout {
public:
    // The factor MapFontHeight applies (the fit-to-page scale while a row is measured or
    // drawn, 1.0 otherwise).
    double FontScale = 1.0;

    // The font height on a metric canvas for a point size: minus Trunc(Size * 254 / 72 *
    // FontScale).
    int MapFontHeight(int Size) const;
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
