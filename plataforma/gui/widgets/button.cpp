#include "plataforma/gui/widgets/button.h"

#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/input/focus_state.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/hooked_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QKeySequence>
#include <QPushButton>

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    // Clicks come from the button itself (BN_CLICKED), not from the mouse messages.
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool Value) {
    if (default_ == Value) return;
    default_ = Value;
    UpdateButtonWidget();
}

void TButton::Click() {
    auto alive = Watch();
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    if (alive.expired()) return;
    TWinControl::Click();
}

void TButton::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = "BUTTON";
}

void TButton::CreateWindowHandle(const TCreateParams&) {
    QWidget* parentWidget = GetParent() ? GetParent()->GetWidget() : nullptr;
    auto* b = new HookedWidget<QPushButton>(this, parentWidget);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoDefault(false);
    QObject::connect(b, &QAbstractButton::clicked, [this] {
        GuardedEntry(this, [this] {
            Perform(CN_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                    reinterpret_cast<LPARAM>(HandleAllocated() ? GetHandle() : nullptr));
        });
    });
    SetWidget(b, true);
    UpdateButtonWidget();
}

void TButton::UpdateButtonWidget() {
    auto* b = qobject_cast<QPushButton*>(GetWidget());
    if (!b) return;
    b->setText(ToQString(GetCaption(), *GetFont()));
    // The "&" letter is the layer's business (CM_DIALOGCHAR): Qt keeps only the underline.
    b->setShortcut(QKeySequence());
    b->setDefault(default_);
}

bool TButton::IsActiveDefault() const {
    auto* self = const_cast<TButton*>(this);
    TWinControl* focused = FocusedWithinRoot(self->KeyDialogRoot());
    if (dynamic_cast<TButton*>(focused)) return focused == this;
    return default_;
}

void TButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGKEY:
        return CallMessageHandler(this, &TButton::CMDialogKey, Message);
    case CM_DIALOGCHAR:
        return CallMessageHandler(this, &TButton::CMDialogChar, Message);
    case CN_COMMAND:
        return CallMessageHandler(this, &TButton::CNCommand, Message);
    case WM_GETDLGCODE:
        Message.Result =
            DLGC_BUTTON | (IsActiveDefault() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        return;
    case CM_FONTCHANGED:
        // A symbol font shows the caption in other characters.
        TWinControl::Dispatch(Message);
        UpdateButtonWidget();
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}

void TButton::CMDialogKey(TWMKey& Message) {
    const bool key = (Message.CharCode == VK_RETURN && IsActiveDefault()) ||
                     (Message.CharCode == VK_ESCAPE && cancel_);
    if (key && KeyDataToShiftState(Message.KeyData).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::Dispatch(Message);
}

void TButton::CMDialogChar(TWMKey& Message) {
    if (IsAccel(static_cast<WORD>(Message.CharCode), GetCaption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::Dispatch(Message);
}

void TButton::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode == BN_CLICKED) Click();
}

bool HandleButtonSpace(QAbstractButton* Button, TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (Message.WParam != VK_SPACE) return false;
        if (Button && !(static_cast<DWORD>(Message.LParam) & KF_REPEAT)) Button->setDown(true);
        return true;
    case WM_CHAR:
        return Message.WParam == ' ';
    case WM_KEYUP:
        if (Message.WParam != VK_SPACE) return false;
        if (Button && Button->isDown()) {
            Button->setDown(false);
            Button->click();
        }
        return true;
    default:
        return false;
    }
}

void TButton::DefaultHandler(TMessage& Message) {
    auto* b = qobject_cast<QAbstractButton*>(GetWidget());
    if (HandleButtonSpace(b, Message)) return;
    if (Message.Msg == WM_KILLFOCUS && b && b->isDown()) b->setDown(false);
    TWinControl::DefaultHandler(Message);
    if (Message.Msg == WM_SETTEXT) UpdateButtonWidget();
}
