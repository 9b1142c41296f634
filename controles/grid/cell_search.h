#pragma once
// Finding again the cell that holds a property object, or something reached through it, after
// rows and columns moved under it: a cell's properties travel with the cell, so the object
// itself is the cell's identity. The place it was last known at is tried first.

#include "controles/grid/base_grid.h"
#include "controles/grid/cell_properties.h"

// The real column and display row of the shown cell whose properties satisfy Holds, trying
// (ACol, ARow) first; (-1, -1) when no shown cell does (its row is hidden, or it left).
template <class Pred>
TPoint FindCellHolding(const TBaseGrid& Grid, int ACol, int ARow, Pred Holds) {
    if (const TCellProperties* p = Grid.FindCellProperties(ACol, ARow); p && Holds(*p))
        return {ACol, ARow};
    for (int r = 0, rows = Grid.GetRowCount(); r < rows; ++r)
        for (int c = 0, cols = Grid.GetStoreColCount(); c < cols; ++c)
            if (const TCellProperties* p = Grid.FindCellProperties(c, r); p && Holds(*p))
                return {c, r};
    return {-1, -1};
}
