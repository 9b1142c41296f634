#pragma once
// TKavFontSelector: the drop-down combo that lists the installed fonts of the allowed kinds,
// each name drawn in its own typeface after a small glyph of its kind (TrueType, PostScript,
// printer or bitmap font).

#include "controles/edit/kav_custom_combo_box.h"
#include "plataforma/base/small_set.h"

#include <memory>

enum TKavFontType {
    aftBitmap,
    aftTrueType,
    aftPostScript,
    aftPrinter,
    aftFixedPitch,
    aftProportional
};
using TKavFontTypes = SmallSet<TKavFontType>;

class TKavFontSelector : public TKavCustomComboBox {
public:
    explicit TKavFontSelector(TComponent* AOwner);
    ~TKavFontSelector() override;

    // A font is listed only when all of its kinds are allowed.
    TKavFontTypes GetAllowedFontTypes() const { return allowed_; }
    void SetAllowedFontTypes(TKavFontTypes Value) { allowed_ = Value; }
    TBitmap* GetFontGlyphTT() const { return glyphTT_.get(); }
    void SetFontGlyphTT(TBitmap* Value) { glyphTT_->Assign(Value); }
    TBitmap* GetFontGlyphPS() const { return glyphPS_.get(); }
    void SetFontGlyphPS(TBitmap* Value) { glyphPS_->Assign(Value); }
    TBitmap* GetFontGlyphPRN() const { return glyphPRN_.get(); }
    void SetFontGlyphPRN(TBitmap* Value) { glyphPRN_->Assign(Value); }
    TBitmap* GetFontGlyphBMP() const { return glyphBMP_.get(); }
    void SetFontGlyphBMP(TBitmap* Value) { glyphBMP_->Assign(Value); }
    // Each name in its own typeface.
    bool GetShowFontStyle() const { return showFontStyle_; }
    void SetShowFontStyle(bool Value) { showFontStyle_ = Value; }
    // The kind's glyph before each name.
    bool GetShowFontGlyph() const { return showFontGlyph_; }
    void SetShowFontGlyph(bool Value) { showFontGlyph_ = Value; }

    // The kinds of a font: its outline (or bitmap) and its pitch.
    TKavFontTypes GetFontType(const AnsiString& Name);
    // The screen's fonts of the allowed kinds, in the screen's order.
    void LoadFontNames();

protected:
    void Loaded() override;
    void BeforeDropDown() override;
    void DropDownOnDrawItem(TWinControl* Control, int Index, TRect Rect,
                            TOwnerDrawState State) override;

private:
    // Empty glyphs come back from their resources.
    void LoadGlyphs();

    TKavFontTypes allowed_;
    std::unique_ptr<TBitmap> glyphTT_, glyphPS_, glyphPRN_, glyphBMP_;
    std::unique_ptr<TBitmap> measure_;
    bool showFontStyle_ = true;
    bool showFontGlyph_ = true;
};
