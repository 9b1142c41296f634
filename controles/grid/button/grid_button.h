#pragma once
// TKavGridButton: the painted push and check button of the grid unit: groups of buttons
// with one down at a time (or none, with AllowAllUp), a drop-down part at its right end,
// hot and down colour gradients, rounded borders, glyphs per state with a grey one derived
// for the disabled look, the glyph's shadow while hot, seven colour presets and the preset
// of the desktop's colour scheme. It follows an action (caption, checked state, group)
// through TKavGridButtonActionLink.

#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/kernel/actions.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/widgets/buttons_extra.h"

#include <memory>

enum TKavGridButtonStyle { tasButton, tasCheck };

class TKavGridButton;

class TKavGridButtonActionLink : public TControlActionLink {
public:
    explicit TKavGridButtonActionLink(TKavGridButton* Client);

    bool IsCaptionLinked() const override;
    // Only a group button that may come up follows the action's checked state.
    bool IsCheckedLinked() const override;
    bool IsGroupIndexLinked() const override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;

private:
    TKavGridButton* button_;
};

class TKavGridButton : public TGraphicControl {
public:
    explicit TKavGridButton(TComponent* AOwner);
    ~TKavGridButton() override;

    TBasicAction* GetAction() const { return link_ ? link_->GetAction() : nullptr; }
    // The button takes the action's caption, checked state and group.
    void SetAction(TBasicAction* Value);
    bool GetAllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool Value);
    bool GetAutoThemeAdapt() const { return autoThemeAdapt_; }
    void SetAutoThemeAdapt(bool Value);
    bool GetAutoXPStyle() const { return autoXPStyle_; }
    void SetAutoXPStyle(bool Value) { autoXPStyle_ = Value; }
    TColor GetBorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value);
    TColor GetBorderDownColor() const { return borderDownColor_; }
    void SetBorderDownColor(TColor Value) { borderDownColor_ = Value; }
    TColor GetBorderHotColor() const { return borderHotColor_; }
    void SetBorderHotColor(TColor Value) { borderHotColor_ = Value; }
    TColor GetColorTo() const { return colorTo_; }
    void SetColorTo(TColor Value);
    TColor GetColorDown() const { return colorDown_; }
    void SetColorDown(TColor Value) { colorDown_ = Value; }
    TColor GetColorDownTo() const { return colorDownTo_; }
    void SetColorDownTo(TColor Value) { colorDownTo_ = Value; }
    TColor GetColorHot() const { return colorHot_; }
    void SetColorHot(TColor Value) { colorHot_ = Value; }
    TColor GetColorHotTo() const { return colorHotTo_; }
    void SetColorHotTo(TColor Value) { colorHotTo_ = Value; }
    TColor GetColorChecked() const { return colorChecked_; }
    void SetColorChecked(TColor Value);
    TColor GetColorCheckedTo() const { return colorCheckedTo_; }
    void SetColorCheckedTo(TColor Value);
    int GetGroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int Value);
    bool GetDown() const { return down_; }
    // A push button of group 0 is never down; a group's button going down brings the
    // others up; a down one comes up only with AllowAllUp.
    void SetDown(bool Value);
    bool GetDropDownButton() const { return dropDownButton_; }
    void SetDropDownButton(bool Value);
    TPopupMenu* GetDropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(TPopupMenu* Value);
    bool GetFlat() const { return flat_; }
    void SetFlat(bool Value);
    TBitmap* GetGlyph() const { return glyph_.get(); }
    // Also derives the grey disabled glyph when there is none.
    void SetGlyph(TBitmap* Value);
    TBitmap* GetGlyphHot() const { return glyphHot_.get(); }
    void SetGlyphHot(TBitmap* Value) { glyphHot_->Assign(Value); }
    TBitmap* GetGlyphDown() const { return glyphDown_.get(); }
    void SetGlyphDown(TBitmap* Value) { glyphDown_->Assign(Value); }
    TBitmap* GetGlyphDisabled() const { return glyphDisabled_.get(); }
    void SetGlyphDisabled(TBitmap* Value) { glyphDisabled_->Assign(Value); }
    TBitmap* GetShade() const { return shade_.get(); }
    TButtonLayout GetLayout() const { return layout_; }
    void SetLayout(TButtonLayout Value);
    int GetMargin() const { return margin_; }
    // -1: centred; below -1 is ignored.
    void SetMargin(int Value);
    bool GetRounded() const { return rounded_; }
    void SetRounded(bool Value);
    bool GetShaded() const { return shaded_; }
    void SetShaded(bool Value);
    bool GetShowCaption() const { return showCaption_; }
    void SetShowCaption(bool Value);
    int GetSpacing() const { return spacing_; }
    void SetSpacing(int Value);
    TKavGridButtonStyle GetStyle() const { return style_; }
    void SetStyle(TKavGridButtonStyle Value);
    TButtonState GetState() const { return state_; }
    bool GetMouseInControl() const { return mouseInControl_; }

    // One of the seven colour presets (0 to 6); other values change nothing.
    void SetLook(int Look);
    // The preset of the desktop's colour scheme.
    void ThemeAdapt();
    // The glyph's grey silhouette drawn under it while hot.
    void GenerateShade();

    void Click() override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnDropDown;

protected:
    void Loaded() override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

private:
    friend class TKavGridButtonActionLink;
    void UpdateExclusive();
    void UpdateTracking();
    void ButtonPressed(TMessage& Message);
    void MouseEnter();
    void MouseLeave();
    bool Inside(int X, int Y) const;
    bool Hot() const;
    void Gradient(TCanvas* Canvas, TColor From, TColor To, TColor Border, const TRect& R);
    void PaintFlat(TCanvas* Canvas, TRect& R);
    // BiDiFlags: the text flags of the control's reading order (DT_RIGHT | DT_RTLREADING
    // when laid out from the right, which also puts a glyph left of the text right of it).
    void DrawButton(TCanvas* Canvas, const TRect& R, TPoint Offset, TButtonState State,
                    UINT BiDiFlags);
    void CalcButtonLayout(TCanvas* Canvas, const TRect& R, TPoint Offset, UINT BiDiFlags,
                          TPoint& GlyphPos, TRect& TextBounds);
    void DrawButtonGlyph(TCanvas* Canvas, TPoint GlyphPos, TButtonState State);
    void DrawButtonText(TCanvas* Canvas, const TRect& TextBounds, TButtonState State,
                        UINT BiDiFlags);

    std::unique_ptr<TKavGridButtonActionLink> link_;
    bool allowAllUp_ = false;
    bool autoThemeAdapt_ = false;
    bool autoXPStyle_ = false;
    TColor borderColor_ = clNone;
    TColor borderDownColor_ = clNone;
    TColor borderHotColor_ = clNone;
    TColor colorTo_ = clNone;
    TColor colorDown_ = static_cast<TColor>(0xD8D3D2);
    TColor colorDownTo_ = clNone;
    TColor colorHot_ = static_cast<TColor>(0xCAC7C7);
    TColor colorHotTo_ = clNone;
    TColor colorChecked_ = static_cast<TColor>(0x808080);
    TColor colorCheckedTo_ = clNone;
    int groupIndex_ = 0;
    bool down_ = false;
    bool dropDownButton_ = false;
    TPopupMenu* dropDownMenu_ = nullptr;
    bool flat_ = true;
    std::unique_ptr<TBitmap> glyph_, glyphHot_, glyphDown_, glyphDisabled_, shade_;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    bool rounded_ = false;
    bool shaded_ = true;
    bool showCaption_ = true;
    int spacing_ = 4;
    TKavGridButtonStyle style_ = tasButton;
    TButtonState state_ = bsUp;
    bool dragging_ = false;
    bool mouseInControl_ = false;
    bool transparent_ = true;
};
