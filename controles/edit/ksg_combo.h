#pragma once
// TKSGCustomCombo / TKSGComboBox: the combo box the grid's in-place combo editors are made
// from, and TKSGUniCustomCombo / TKSGUniComboBox, the same on the wide combo. Their own part
// is the look (KsgComboLook): flat by default, with a one-pixel frame of its own, a drop
// button that turns raised or etched while the mouse is over the control or it has the
// focus, a 3D frame then too (with FocusBorder), or a themed drop button. The wide combo's
// drop button frame is drawn over the themed button too, flat while the list is open, and
// a face-coloured area while neither hot nor focused.

#include "controles/edit/uni_combo.h"
#include "plataforma/gui/widgets/combo.h"

#include <memory>
#include <type_traits>

class TCanvas;
class WindowCanvases;

template <class Base> class KsgComboLook : public Base {
public:
    explicit KsgComboLook(TComponent* AOwner);
    ~KsgComboLook() override;

    // The control takes the focus when the mouse enters it.
    bool GetAutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool Value) { autoFocus_ = Value; }
    int GetButtonWidth() const { return buttonWidth_; }
    // 14 to 32 pixels; other widths are ignored.
    void SetButtonWidth(int Value);
    bool GetFlat() const { return flat_; }
    void SetFlat(bool Value);
    bool GetCtl3D() const { return ctl3D_; }
    bool GetEtched() const { return etched_; }
    void SetEtched(bool Value);
    bool GetFocusBorder() const { return focusBorder_; }
    void SetFocusBorder(bool Value) { focusBorder_ = Value; }
    // Width of the dropped list; 0 keeps the platform's.
    int GetDropWidth() const { return dropWidth_; }
    void SetDropWidth(int Value);
    // The drop button drawn by the theme (the grid sets it).
    bool GetThemed() const { return themed_; }
    void SetThemed(bool Value);
    bool GetMouseInControl() const { return mouseInControl_; }

    // Return typed in the combo (the grid's combo editors fire it).
    TNotifyEvent OnReturnKey;

protected:
    static constexpr bool kWideLook = std::is_base_of_v<TCustomUNIComboBox, Base>;

    void Dispatch(TMessage& Message) override;
    bool Is3DBorderControl() const;
    bool Is3DBorderButton() const;
    void DrawBorders();
    void DrawControlBorder(TCanvas* Canvas, int Origin);
    void DrawButtonBorder(TCanvas* Canvas, int Origin);

private:
    void WMPaint(TMessage& Message);
    // The drop button inside WM_PAINT; true when the theme drew it.
    bool DrawDropButton(HDC DC);

    bool autoFocus_ = false;
    bool flat_ = true;
    bool ctl3D_ = false;
    bool etched_ = false;
    TColor oldColor_;
    bool oldParentColor_;
    int buttonWidth_;
    bool focusBorder_ = false;
    bool mouseInControl_ = false;
    int dropWidth_ = 0;
    bool themed_ = false;
    std::unique_ptr<WindowCanvases> canvases_;
};

extern template class KsgComboLook<TCustomComboBox>;
extern template class KsgComboLook<TCustomUNIComboBox>;

class TKSGCustomCombo : public KsgComboLook<TCustomComboBox> {
public:
    using KsgComboLook<TCustomComboBox>::KsgComboLook;

    virtual int GetVersionNr() const { return 0x01020000; }
    AnsiString GetVersion() const;
    void SetVersion(const AnsiString&) {}
};

class TKSGComboBox : public TKSGCustomCombo {
public:
    using TKSGCustomCombo::TKSGCustomCombo;
};

class TKSGUniCustomCombo : public KsgComboLook<TCustomUNIComboBox> {
public:
    using KsgComboLook<TCustomUNIComboBox>::KsgComboLook;
};

class TKSGUniComboBox : public TKSGUniCustomCombo {
public:
    using TKSGUniCustomCombo::TKSGUniCustomCombo;
};
