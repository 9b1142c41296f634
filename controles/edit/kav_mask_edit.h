#pragma once
// TKavMaskEdit: the masked edit with the typed edit's caption label, flat border, focus,
// modified and disabled colours; Return as Tab, Escape as undo, a tab on to the next control
// when the mask is filled (OnMaskComplete may refuse it), and the caret on the first
// character at entry.

#include "controles/edit/attached_label.h"
#include "controles/edit/window_canvases.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"

#include <functional>
#include <memory>

using TMaskCompleteEvent =
    std::function<void(TObject* Sender, const AnsiString& Value, bool& Accept)>;

class TKavMaskEdit : public TMaskEdit {
public:
    explicit TKavMaskEdit(TComponent* AOwner);
    ~TKavMaskEdit() override;

    virtual int GetVersionNr() const { return 0x02070002; }
    AnsiString GetVersion() const { return "2.7.0.2"; }
    void SetVersion(const AnsiString&) {}

    bool GetAutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool Value) { autoFocus_ = Value; }
    bool GetAutoTab() const { return autoTab_; }
    void SetAutoTab(bool Value) { autoTab_ = Value; }
    // Escape gives back the text of focus entry.
    bool GetCanUndo() const { return canUndo_; }
    void SetCanUndo(bool Value) { canUndo_ = Value; }
    bool GetReturnIsTab() const { return returnIsTab_; }
    void SetReturnIsTab(bool Value) { returnIsTab_ = Value; }
    bool GetSelectFirstChar() const { return selectFirstChar_; }
    void SetSelectFirstChar(bool Value) { selectFirstChar_ = Value; }
    TAlignment GetAlignment() const { return alignment_; }
    // The window is made again on a change.
    void SetAlignment(TAlignment Value);

    // --- colours of the states ---
    TColor GetColorEx() const { return TMaskEdit::GetColor(); }
    void SetColorEx(TColor Value);
    bool GetEnabledEx() const { return TMaskEdit::GetEnabled(); }
    // Disabled, the edit shows DisabledColor and keeps its own colour for later.
    void SetEnabledEx(bool Value);
    TColor GetDisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor Value);
    TColor GetFocusColor() const { return focusColor_; }
    void SetFocusColor(TColor Value) { focusColor_ = Value; }
    TColor GetFocusFontColor() const { return focusFontColor_; }
    void SetFocusFontColor(TColor Value) { focusFontColor_ = Value; }
    TColor GetModifiedColor() const { return modifiedColor_; }
    void SetModifiedColor(TColor Value) { modifiedColor_ = Value; }
    bool GetShowModified() const { return showModified_; }
    void SetShowModified(bool Value) { showModified_ = Value; }
    bool GetModified() const { return TMaskEdit::GetModified(); }
    void SetModified(bool Value);

    // --- look ---
    bool GetFlat() const { return flat_; }
    void SetFlat(bool Value);
    TColor GetFlatLineColor() const { return flatLineColor_; }
    void SetFlatLineColor(TColor Value);
    bool GetFlatParentColor() const { return flatParentColor_; }
    void SetFlatParentColor(bool Value);
    bool GetSoftBorder() const { return softBorder_; }
    void SetSoftBorder(bool Value);
    bool GetFocusBorder() const { return focusBorder_; }
    void SetFocusBorder(bool Value);
    bool GetMouseInControl() const { return mouseInControl_; }

    // --- label ---
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
    // nullptr until a caption is set.
    TLabel* GetEditLabel() const { return label_.Label; }
    void UpdateLabel();

    bool GetVisible() const { return TMaskEdit::GetVisible(); }
    void SetVisible(bool Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;

    TMaskCompleteEvent OnMaskComplete;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void Dispatch(TMessage& Message) override;

private:
    bool Loading() const { return GetComponentState().Contains(csLoading); }
    bool Designing() const { return GetComponentState().Contains(csDesigning); }
    bool HasFocus() const;
    void SetFlatRect(bool Flat);
    void SelectFirst();
    void WMChar(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMPaint(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMFontChanged(TMessage& Message);

    bool autoFocus_ = false;
    bool autoTab_ = true;
    bool canUndo_ = false;
    bool returnIsTab_ = true;
    bool selectFirstChar_ = false;
    TAlignment alignment_ = taLeftJustify;
    TColor disabledColor_ = static_cast<TColor>(0xC0C0C0);
    TColor focusColor_ = clWindow;
    TColor focusFontColor_ = clBlack;
    TColor modifiedColor_ = static_cast<TColor>(255);
    bool showModified_ = false;
    bool flat_ = false;
    TColor flatLineColor_ = clBlack;
    bool flatParentColor_ = true;
    bool softBorder_ = false;
    bool focusBorder_ = false;

    TAttachedLabel label_;
    TColor normalColor_ = clWindow;
    TColor normalFontColor_ = clWindowText;
    AnsiString originalText_;
    TBorderStyle savedBorderStyle_ = bsSingle;
    bool mouseInControl_ = false;
    TColor loadedColor_ = clNone; // the colour set while loading
    std::unique_ptr<WindowCanvases> canvases_;
};
