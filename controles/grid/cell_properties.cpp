#include "controles/grid/cell_properties.h"

#include "controles/grid/base_grid.h"
#include "controles/grid/cell_graphic.h"
#include "controles/grid/cell_search.h"

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : grid_(AOwner), ownerCol_(ACol), ownerRow_(ARow) {
    wordWrap_ = AOwner ? AOwner->GetNewCellWordWrap() : true;
}

TCellProperties::~TCellProperties() {
    FreeOwnedCellGraphic(graphic_);
}

void TCellProperties::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TCellProperties*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    isBaseCell_ = s->isBaseCell_;
    spanX_ = s->spanX_;
    spanY_ = s->spanY_;
    ownerRow_ = s->ownerRow_;
    ownerCol_ = s->ownerCol_;
    alignment_ = s->alignment_;
    borderColor_ = s->borderColor_;
    borderWidth_ = s->borderWidth_;
    brushColor_ = s->brushColor_;
    brushStyle_ = s->brushStyle_;
    fontColor_ = s->fontColor_;
    fontStyle_ = s->fontStyle_;
    fontName_ = s->fontName_;
    fontSize_ = s->fontSize_;
    readOnly_ = s->readOnly_;
    editor_ = s->editor_;
    vAlignment_ = s->vAlignment_;
    SetWordWrap(s->wordWrap_);
    nodeLevel_ = s->nodeLevel_;
    control_ = s->control_;
}

void TCellProperties::CopyAll(const TCellProperties& Source) {
    Assign(const_cast<TCellProperties*>(&Source));
    cellObject_ = Source.cellObject_;
    brushColorTo_ = Source.brushColorTo_;
    paintMark_ = Source.paintMark_;
    calcType_ = Source.calcType_;
}

TPoint TCellProperties::GetBaseCell(int ACol, int ARow) const {
    if (!isBaseCell_ && spanX_ != -1 && spanY_ != -1) return {ACol - spanX_, ARow - spanY_};
    return {ACol, ARow};
}

void TCellProperties::RepaintOwnerCell() {
    if (!grid_) return;
    // The cell may have moved with its row or column since: it is followed to where it is now
    // (a cell of a hidden row shows nowhere and is not painted).
    const TPoint at = FindCellHolding(*grid_, ownerCol_, ownerRow_,
                                      [this](const TCellProperties& p) { return &p == this; });
    if (at.x < 0) return;
    ownerCol_ = at.x;
    ownerRow_ = at.y;
    grid_->RepaintRealCell(TRealCol(ownerCol_), ownerRow_);
}

void TCellProperties::SetBrushColor(TColor Value) {
    brushColor_ = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
    brushColorTo_ = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
    vAlignment_ = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool Value) {
    wordWrap_ = Value;
    RepaintOwnerCell();
}
