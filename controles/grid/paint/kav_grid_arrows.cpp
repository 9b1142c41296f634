// TKavStringGrid: the four arrow windows that mark where a dragged row or column would land,
// and their colour; the popup caption window.
#include "controles/grid/kav_grid.h"

TArrowWindow* TKavStringGrid::GetArrowWindow(TArrowDirection Direction) {
    TArrowWindow*& w = arrows_[Direction];
    if (!w) {
        w = new TArrowWindow(this, Direction);
        w->SetColor(arrowColor_);
    }
    return w;
}

void TKavStringGrid::SetArrowColor(TColor Value) {
    arrowColor_ = Value;
    for (TArrowWindow* w : arrows_)
        if (w) w->SetColor(Value);
}

TPopupButton* TKavStringGrid::GetPopupButton() {
    if (!popupButton_) {
        popupButton_ = new TPopupButton(this);
        popupButton_->SetVisible(false);
    }
    return popupButton_;
}
