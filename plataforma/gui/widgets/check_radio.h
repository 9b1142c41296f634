#pragma once
// TCheckBox and TRadioButton, on Qt's check box and radio button. The control decides the
// state, as the class library does: a click arrives as BN_CLICKED, which toggles the check
// box (or checks the radio button) through the same setter the program uses, and every
// change of the check box's state fires OnClick, a program's included. A radio button
// fires OnClick when it becomes checked and unchecks its siblings; checking it by the
// keyboard's focus (arrow keys) checks it, as the window system does.

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/std_messages.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
// The side the caption lies on: taRightJustify puts it right of the box.
using TLeftRight = TAlignment;

class TButtonCheck : public TWinControl {
public:
    explicit TButtonCheck(TComponent* AOwner);

    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    // The Qt button of this kind, not yet shown.
    virtual QWidget* CreateButton(QWidget* ParentWidget) = 0;
    virtual WPARAM CheckState() const = 0;
    void ApplyWidgetState() override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    // The state shown by the widget; no signal.
    void ShowCheck();
    // Nested: while above 0, state changes fire no OnClick (a focusing click).
    int clicksDisabled_ = 0;

private:
    void ApplyPalette();
    TAlignment alignment_ = taRightJustify;
};

class TCustomCheckBox : public TButtonCheck {
public:
    explicit TCustomCheckBox(TComponent* AOwner);

    bool GetChecked() const { return state_ == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState GetState() const { return state_; }
    // A change fires OnClick.
    void SetState(TCheckBoxState Value);
    bool GetAllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool Value) { allowGrayed_ = Value; }

protected:
    QWidget* CreateButton(QWidget* ParentWidget) override;
    WPARAM CheckState() const override;
    void Dispatch(TMessage& Message) override;
    // The next state of a click: unchecked, grayed (when allowed), checked, unchecked...
    virtual void Toggle();

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
};

class TCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonCheck {
public:
    explicit TRadioButton(TComponent* AOwner);

    bool GetChecked() const { return checked_; }
    // Checking fires OnClick and unchecks the radio buttons of the same parent.
    void SetChecked(bool Value);

protected:
    QWidget* CreateButton(QWidget* ParentWidget) override;
    WPARAM CheckState() const override;
    void Dispatch(TMessage& Message) override;

private:
    bool checked_ = false;
};
