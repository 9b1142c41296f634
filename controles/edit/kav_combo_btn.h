#pragma once
// TKavComboBtn: the look of the drop-down combo's button: a colour gradient and an arrow
// colour (or a glyph in place of the arrow) for each state, normal, hot and down, and its
// width.

#include "plataforma/base/component.h"
#include "plataforma/base/events.h"
#include "plataforma/gui/images/graphics.h"

#include <functional>
#include <memory>

class TKavComboBtn : public TPersistent {
public:
    TKavComboBtn();
    ~TKavComboBtn() override;

    // clNone as Color: no gradient.
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value) { SetOne(color_, Value); }
    TColor GetColorTo() const { return colorTo_; }
    void SetColorTo(TColor Value) { SetOne(colorTo_, Value); }
    TColor GetColorHot() const { return colorHot_; }
    void SetColorHot(TColor Value) { SetOne(colorHot_, Value); }
    TColor GetColorHotTo() const { return colorHotTo_; }
    void SetColorHotTo(TColor Value) { SetOne(colorHotTo_, Value); }
    TColor GetColorDown() const { return colorDown_; }
    void SetColorDown(TColor Value) { SetOne(colorDown_, Value); }
    TColor GetColorDownTo() const { return colorDownTo_; }
    void SetColorDownTo(TColor Value) { SetOne(colorDownTo_, Value); }
    TColor GetArrowColor() const { return arrowColor_; }
    void SetArrowColor(TColor Value) { SetOne(arrowColor_, Value); }
    TColor GetHotArrowColor() const { return hotArrowColor_; }
    void SetHotArrowColor(TColor Value) { SetOne(hotArrowColor_, Value); }
    TColor GetDownArrowColor() const { return downArrowColor_; }
    void SetDownArrowColor(TColor Value) { SetOne(downArrowColor_, Value); }
    TBitmap* GetGlyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* Value) { glyph_->Assign(Value); }
    TBitmap* GetGlyphHot() const { return glyphHot_.get(); }
    void SetGlyphHot(TBitmap* Value) { glyphHot_->Assign(Value); }
    TBitmap* GetGlyphDown() const { return glyphDown_.get(); }
    void SetGlyphDown(TBitmap* Value) { glyphDown_->Assign(Value); }
    int GetWidth() const { return width_; }
    // Negative widths are ignored.
    void SetWidth(int Value);

    // Copies the colours, glyphs and width of another button; anything else is ignored.
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;
    // Told when the width changes, before OnChange (the combo re-lays its edit area).
    std::function<void()> OnWidthChange;

private:
    void SetOne(TColor& Field, TColor Value);
    void Changed();

    TColor color_ = clBtnFace, colorTo_ = clBtnFace;
    TColor colorHot_ = clBtnFace, colorHotTo_ = clBtnFace;
    TColor colorDown_ = clBtnFace, colorDownTo_ = clBtnFace;
    TColor arrowColor_ = clBlack, hotArrowColor_ = clBlack;
    TColor downArrowColor_ = static_cast<TColor>(0xFFFFFF);
    std::unique_ptr<TBitmap> glyph_, glyphHot_, glyphDown_;
    int width_ = 12;
};
