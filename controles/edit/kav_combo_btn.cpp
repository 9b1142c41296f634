// TKavComboBtn: the button's colours, glyphs and width.

#include "controles/edit/kav_combo_btn.h"

TKavComboBtn::TKavComboBtn()
    : glyph_(std::make_unique<TBitmap>()), glyphHot_(std::make_unique<TBitmap>()),
      glyphDown_(std::make_unique<TBitmap>()) {}

TKavComboBtn::~TKavComboBtn() = default;

void TKavComboBtn::Changed() {
    if (OnChange) OnChange(this);
}

void TKavComboBtn::SetOne(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
}

void TKavComboBtn::SetWidth(int Value) {
    if (Value < 0 || Value == width_) return;
    width_ = Value;
    if (OnWidthChange) OnWidthChange();
    Changed();
}

void TKavComboBtn::Assign(TPersistent* Source) {
    auto* o = dynamic_cast<TKavComboBtn*>(Source);
    if (!o) return;
    color_ = o->color_;
    colorTo_ = o->colorTo_;
    colorHot_ = o->colorHot_;
    colorHotTo_ = o->colorHotTo_;
    colorDown_ = o->colorDown_;
    colorDownTo_ = o->colorDownTo_;
    glyph_->Assign(o->glyph_.get());
    glyphHot_->Assign(o->glyphHot_.get());
    glyphDown_->Assign(o->glyphDown_.get());
    SetWidth(o->width_);
    Changed();
}
