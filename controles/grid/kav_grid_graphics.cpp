// TKavStringGrid: the graphic record of a cell, made, found and freed.
#include "controles/grid/kav_grid.h"

TCellGraphic* TKavStringGrid::CreateCellGraphic(int ACol, int ARow) {
    FreeCellGraphic(ACol, ARow);
    auto* g = new TCellGraphic();
    SetGraphicObjectEx(ACol, ARow, g);
    if (NumHiddenColumns() > 0) RepaintCell(RemapColInv(ACol), ARow);
    return g;
}

TCellGraphic* TKavStringGrid::GetCellGraphic(int ACol, int ARow) {
    if (ACol < 0 || ARow < 0) return nullptr;
    return dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
}

bool TKavStringGrid::FreeCellGraphic(int ACol, int ARow) {
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    GetCellProperties(ACol, ARow)->SetGraphic(nullptr);
    if (!IsSharedCellGraphic(g->CellType)) delete g;
    return true;
}

bool TKavStringGrid::RemoveCellGraphic(int ACol, int ARow, TCellType CellType) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != CellType) return false;
    FreeCellGraphic(ACol, ARow);
    RepaintCell(ACol, ARow);
    return true;
}

TCellType TKavStringGrid::GetCellType(int ACol, int ARow) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g ? g->CellType : ctEmpty;
}

int TKavStringGrid::GetCellImageIdx(int ACol, int ARow) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return -1;
    switch (g->CellType) {
    case ctImageList:
        return g->CellIndex;
    case ctBitmap:
    case ctIcon:
        // No image-list index: the graphic's own; callers ask image-list cells only.
        return -1;
    default:
        return -1;
    }
}
