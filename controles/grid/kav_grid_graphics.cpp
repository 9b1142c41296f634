// TKavStringGrid: the graphic record of a cell, made, found and freed.
#include "controles/grid/kav_grid.h"

#include "plataforma/base/string_list.h"

#include <algorithm>
#include <cmath>

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
    RepaintCell(RemapColInv(ACol), ARow);
    return true;
}

TCellGraphic* TKavStringGrid::HiddenCellGraphic(TStrings& Cells, int ACol) {
    const TCellProperties* p = AsProps(Cells.GetObjects(ACol));
    return p ? dynamic_cast<TCellGraphic*>(p->GetGraphic()) : nullptr;
}

void TKavStringGrid::FreeHiddenCellGraphic(TStrings& Cells, int ACol) {
    TCellGraphic* g = HiddenCellGraphic(Cells, ACol);
    if (!g) return;
    AsProps(Cells.GetObjects(ACol))->SetGraphic(nullptr);
    if (!IsSharedCellGraphic(g->CellType)) delete g;
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

namespace {

bool BesideText(const TCellGraphic& G) {
    return G.CellHAlign == haBeforeText || G.CellHAlign == haAfterText;
}

bool OverText(const TCellGraphic& G) {
    return G.CellVAlign == vaUnderText || G.CellVAlign == vaAboveText;
}

int GraphicWidth(const TObject* O) {
    const auto* g = dynamic_cast<const TGraphic*>(O);
    return g ? g->GetWidth() : 0;
}

int GraphicHeight(const TObject* O) {
    const auto* g = dynamic_cast<const TGraphic*>(O);
    return g ? g->GetHeight() : 0;
}

} // namespace

// Sizes shared by the screen and the printed measure: check boxes, radio groups, the images
// of a multi-image cell and the progress pie.
static bool SharedGraphicSize(TKavStringGrid& Grid, const TCellGraphic& G, int& W, int& H) {
    switch (G.CellType) {
    case ctImages: {
        // Side by side (the state set) or one under the other.
        const TCustomImageList* images = Grid.GetGridImages();
        const auto* list = dynamic_cast<const TIntList*>(G.CellBitmap);
        if (!images) return true;
        const int n = list ? list->GetCount() : 0;
        W = G.CellBoolean ? n * images->GetWidth() : images->GetWidth();
        H = G.CellBoolean ? images->GetHeight() : n * images->GetHeight();
        return true;
    }
    case ctRadio: {
        TCanvas* canvas = Grid.GetCanvas();
        canvas->SetFont(Grid.GetFont());
        const auto* items = dynamic_cast<const TStrings*>(G.CellBitmap);
        const int n = items ? items->GetCount() : 0;
        const int line = canvas->TextHeight("gh");
        if (G.CellBoolean) {
            W = 0;
            for (int i = 0; i < n; ++i)
                W += canvas->TextWidth(items->GetStrings(i)) + 12;
            H = line;
        } else {
            W = 12;
            for (int i = 0; i < n; ++i)
                W = std::max(W, canvas->TextWidth(items->GetStrings(i)) + 12);
            H = line * n;
        }
        return true;
    }
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        W = H = Grid.GetControlLook()->GetCheckSize();
        return true;
    case ctProgressPie:
        W = H = 20;
        return true;
    default:
        return false;
    }
}

void TKavStringGrid::GetCellGraphicSize(int ACol, int ARow, int& AWidth, int& AHeight) {
    AWidth = AHeight = 0;
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    const bool emptyText = GetCellEx(ACol, ARow).IsEmpty();
    const bool beside = BesideText(*g) || emptyText, over = OverText(*g) || emptyText;
    switch (g->CellType) {
    case ctBitmap:
        AWidth = beside ? GraphicWidth(g->CellBitmap) : 0;
        AHeight = over ? GraphicHeight(g->CellBitmap) : 0;
        break;
    case ctIcon:
        AWidth = beside ? GraphicWidth(g->CellIcon) : 0;
        AHeight = GraphicHeight(g->CellIcon);
        break;
    case ctImageList:
    case ctDataImage:
        if (gridImages_) {
            AWidth = beside ? gridImages_->GetWidth() : 0;
            AHeight = gridImages_->GetHeight();
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const TPoint size = CellSize(RemapColInv(ACol), ARow);
        g->GetPictureSize(size.x, size.y, AWidth, AHeight);
        break;
    }
    case ctButton:
    case ctBitButton:
        AWidth = beside ? g->CellIndex & 0xFFFF : 0;
        AHeight = over ? (g->CellIndex >> 16) & 0xFFFF : 0;
        break;
    default:
        SharedGraphicSize(*this, *g, AWidth, AHeight);
        break;
    }
    if (g->CellHAlign == haFull) AWidth = CellSize(ACol, ARow).x;
    if (g->CellVAlign == vaFull) AHeight = CellSize(ACol, ARow).y;
}

void TKavStringGrid::GetPrintGraphicSize(int ACol, int ARow, int AvailWidth, int AvailHeight,
                                         double PrintScale, int& AWidth, int& AHeight) {
    AWidth = AHeight = 0;
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    switch (g->CellType) {
    case ctBitmap:
        AWidth = GraphicWidth(g->CellBitmap);
        AHeight = GraphicHeight(g->CellBitmap);
        break;
    case ctIcon:
        AWidth = GraphicWidth(g->CellIcon);
        AHeight = GraphicHeight(g->CellIcon);
        break;
    case ctImageList:
        if (gridImages_) {
            AWidth =
                BesideText(*g) || GetCellEx(ACol, ARow).IsEmpty() ? gridImages_->GetWidth() : 0;
            AHeight = gridImages_->GetHeight();
        }
        break;
    case ctDataImage:
        if (gridImages_) {
            AWidth = gridImages_->GetWidth();
            AHeight = gridImages_->GetHeight();
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        g->GetPictureSize(AvailWidth, AvailHeight, AWidth, AHeight);
        // A scale of 0 or less leaves the fitted size as it is.
        if (PrintScale > 0) {
            AWidth = static_cast<int>(std::nearbyint(AWidth / PrintScale));
            AHeight = static_cast<int>(std::nearbyint(AHeight / PrintScale));
        }
        break;
    }
    case ctButton:
    case ctBitButton:
        AWidth = g->CellIndex & 0xFFFF;
        AHeight = (g->CellIndex >> 16) & 0xFFFF;
        break;
    case ctProgress:
        AWidth = GetColWidths(ACol);
        AHeight = GetRowHeights(ARow);
        break;
    default:
        SharedGraphicSize(*this, *g, AWidth, AHeight);
        break;
    }
}
