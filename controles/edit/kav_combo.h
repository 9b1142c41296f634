#pragma once
// TKavCustomCombo / TKavComboBox: the combo box of this library: the platform combo with a
// painted flat or etched border and drop button, a focus border and focus colour, a caption
// label that follows it, the width of its dropped list, and a disabled look that takes the
// parent's colour. TKavComboBox adds nothing of its own.

#include "controles/edit/attached_label.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/label.h"

#include <memory>

class WindowCanvases;

class TKavCustomCombo : public TCustomComboBox {
public:
    explicit TKavCustomCombo(TComponent* AOwner);
    ~TKavCustomCombo() override;

    bool GetEnabledEx() const { return GetEnabled(); }
    void SetEnabledEx(bool Value);
    bool GetVisibleEx() const { return GetVisible(); }
    void SetVisibleEx(bool Value);
    TColor GetColorEx() const { return GetColor(); }
    void SetColorEx(TColor Value);

    bool GetAutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool Value) { autoFocus_ = Value; }
    int GetButtonWidth() const { return buttonWidth_; }
    // 14 to 32 pixels; other widths are ignored.
    void SetButtonWidth(int Value);
    bool GetFlat() const { return flat_; }
    void SetFlat(bool Value);
    bool GetCtl3D() const { return ctl3D_; }
    TColor GetFlatLineColor() const { return flatLineColor_; }
    void SetFlatLineColor(TColor Value);
    bool GetFlatParentColor() const { return flatParentColor_; }
    void SetFlatParentColor(bool Value);
    bool GetEtched() const { return etched_; }
    void SetEtched(bool Value);
    bool GetFocusBorder() const { return focusBorder_; }
    void SetFocusBorder(bool Value) { focusBorder_ = Value; }
    TColor GetFocusBorderColor() const { return focusBorderColor_; }
    void SetFocusBorderColor(TColor Value) { focusBorderColor_ = Value; }
    TColor GetFocusColor() const { return focusColor_; }
    void SetFocusColor(TColor Value) { focusColor_ = Value; }
    // Width of the dropped list; 0 or less keeps the platform's.
    int GetDropWidth() const { return dropWidth_; }
    void SetDropWidth(int Value);

    AnsiString GetLabelCaption() const;
    void SetLabelCaption(const AnsiString& Value);
    TLabelPosition GetLabelPosition() const { return label_.Position; }
    void SetLabelPosition(TLabelPosition Value);
    int GetLabelMargin() const { return label_.Margin; }
    void SetLabelMargin(int Value);
    bool GetLabelTransparent() const { return label_.Transparent; }
    void SetLabelTransparent(bool Value);
    bool GetLabelAlwaysEnabled() const { return label_.AlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    TFont* GetLabelFont() const { return label_.Font.get(); }
    void SetLabelFont(TFont* Value) { label_.Font->Assign(Value); }
    TLabel* GetEditLabel() const { return label_.Label; }

    virtual int GetVersionNr() const { return 0x01020000; }
    AnsiString GetVersionEx() const;
    void SetVersion(const AnsiString&) {}

    bool GetMouseInControl() const { return mouseInControl_; }
    bool GetButtonHot() const { return buttonHot_; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnDropUp;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Init();
    bool DoVisualStyles() const;
    bool Is3DBorderControl() const;
    bool Is3DBorderButton() const;
    void DrawBorders();
    void DrawControlBorder(TCanvas* Canvas, int Origin);
    void DrawButtonBorder(TCanvas* Canvas, int Origin);

private:
    void UpdateLabel();
    void LabelFontChange(TObject* Sender);
    void WMPaint(TMessage& Message);
    void FocusColourBack();
    void Nudge();

    bool autoFocus_ = false;
    bool flat_ = false;
    bool ctl3D_ = true;
    bool etched_ = false;
    TColor disabledColor_ = clWindow;
    TColor normalColor_ = clWindow;
    bool disabledParentColor_ = false;
    int buttonWidth_;
    bool focusBorder_ = false;
    bool mouseInControl_ = false;
    int dropWidth_ = 0;
    bool isWinXP_ = true;
    bool buttonHot_ = false;
    TAttachedLabel label_;
    TColor flatLineColor_ = clBlack;
    bool flatParentColor_ = true;
    TColor focusColor_ = clNone;
    TColor focusBorderColor_ = clNone;
    TColor restoreColor_ = clNone;
    bool hasFocus_ = false;
    std::unique_ptr<WindowCanvases> canvases_;
};

class TKavComboBox : public TKavCustomCombo {
public:
    using TKavCustomCombo::TKavCustomCombo;
};
