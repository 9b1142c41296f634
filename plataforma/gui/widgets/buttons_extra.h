#pragma once
// Buttons with a glyph: TBitBtn (a push button that draws a bitmap beside its caption, with
// stock kinds such as OK and Cancel) and TSpeedButton (a windowless button that can stay
// down, alone or as one of a group). The glyph bitmap holds NumGlyphs images side by side:
// up, disabled, pressed and down; its bottom-left pixel's colour is transparent. Without a
// disabled image a grey embossed one is made.

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/widgets/button.h"

#include <functional>
#include <memory>

class TBitmap;
class TCanvas;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
using TNumGlyphs = int;

// The glyph and caption of a button, laid out and drawn as the class library does. Every
// change fires OnChange.
class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();

    TBitmap* GetGlyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* Value);
    TNumGlyphs GetNumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(TNumGlyphs Value);
    TButtonLayout GetLayout() const { return layout_; }
    void SetLayout(TButtonLayout Value);
    // -1 centres the glyph and caption.
    int GetMargin() const { return margin_; }
    void SetMargin(int Value);
    // -1 spreads the glyph and caption evenly.
    int GetSpacing() const { return spacing_; }
    void SetSpacing(int Value);
    // Draws into Client (offset when pressed). Returns where the caption went.
    TRect Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset,
               const AnsiString& Caption, TButtonState State);
    TNotifyEvent OnChange;

private:
    void Changed();
    // The image of a state, transparent where the glyph is.
    std::unique_ptr<TBitmap> Frame(TButtonState State) const;
    std::unique_ptr<TBitmap> glyph_;
    TNumGlyphs numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

// What TBitBtn and TSpeedButton share: the glyph and where it goes beside the caption,
// repainted with Repaint, the button's own, on every change.
template <class Base> class GlyphButton : public Base {
public:
    TBitmap* GetGlyph() const { return glyph_->GetGlyph(); }
    void SetGlyph(TBitmap* Value) { glyph_->SetGlyph(Value); }
    TNumGlyphs GetNumGlyphs() const { return glyph_->GetNumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value) { glyph_->SetNumGlyphs(Value); }
    TButtonLayout GetLayout() const { return glyph_->GetLayout(); }
    void SetLayout(TButtonLayout Value) { glyph_->SetLayout(Value); }
    int GetMargin() const { return glyph_->GetMargin(); }
    void SetMargin(int Value) { glyph_->SetMargin(Value); }
    int GetSpacing() const { return glyph_->GetSpacing(); }
    void SetSpacing(int Value) { glyph_->SetSpacing(Value); }

protected:
    GlyphButton(TComponent* AOwner, std::function<void()> Repaint)
        : Base(AOwner), glyph_(std::make_unique<TButtonGlyph>()) {
        glyph_->OnChange = [Repaint = std::move(Repaint)](TObject*) { Repaint(); };
    }
    ~GlyphButton() override { glyph_->OnChange = nullptr; }
    TButtonGlyph& Glyph() const { return *glyph_; }

private:
    std::unique_ptr<TButtonGlyph> glyph_;
};

class TBitBtn : public GlyphButton<TButton> {
public:
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;

    // A stock kind sets the caption, the glyph and the modal result; bkClose closes the form.
    TBitBtnKind GetKind() const { return kind_; }
    void SetKind(TBitBtnKind Value);

    void Click() override;

    // --- inside the platform layer ---
    // The glyph and caption drawn on the button's face.
    void PaintFace(TCanvas* Canvas, const TRect& Client, bool Pressed);

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;

private:
    TBitBtnKind kind_ = bkCustom;
};

class TSpeedButton : public GlyphButton<TGraphicControl> {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    // Buttons of one parent with the same GroupIndex (not 0) are down one at a time.
    int GetGroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int Value);
    // Setting it fires nothing; a button of group 0 is never down.
    bool GetDown() const { return down_; }
    void SetDown(bool Value);
    // A button of a group may come up with a click (none down).
    bool GetAllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool Value);
    bool GetFlat() const { return flat_; }
    void SetFlat(bool Value);
    // A transparent button draws no face: its parent's background shows through it, under
    // its edges and glyph.
    bool GetTransparent() const { return !GetControlStyle().Contains(csOpaque); }
    void SetTransparent(bool Value);

protected:
    // Up, down (pressed), exclusive (down and not pressed) or disabled.
    TButtonState GetState() const { return state_; }
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    void UpdateExclusive();
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool flat_ = false;
    TButtonState state_ = bsUp;
    bool dragging_ = false;
    bool mouseInControl_ = false;
};
