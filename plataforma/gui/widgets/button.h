#pragma once
// TButton: a push button. Return clicks the form's default button (or the focused button),
// Escape its cancel button, and its "&" letter clicks it; a click sets the form's
// ModalResult to the button's before OnClick, which is how a modal form's buttons end it.

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/forms/forms.h"

class QAbstractButton;

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);

    bool GetDefault() const { return default_; }
    void SetDefault(bool Value);
    bool GetCancel() const { return cancel_; }
    void SetCancel(bool Value) { cancel_ = Value; }
    TModalResult GetModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult Value) { modalResult_ = Value; }

    // The parent form's ModalResult becomes the button's, then OnClick.
    void Click() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    // Return goes to this button now: it has the focus, or it is the default button and
    // no other button has the focus.
    bool IsActiveDefault() const;

    void CMDialogKey(TWMKey& Message);
    void CMDialogChar(TWMKey& Message);
    void CNCommand(TWMCommand& Message);

private:
    void UpdateButtonWidget();

    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = mrNone;
};

// Inside the platform layer: Space on a window-system button, as Windows' buttons take it:
// pressed on the key, clicked when the key comes up (WM_CHAR ' ' is swallowed). True when
// the message was one of these; the others are left to the caller.
bool HandleButtonSpace(QAbstractButton* Button, TMessage& Message);
