// TCheckBox and TRadioButton: the state is the control's; Qt's button only reports clicks.

#include "plataforma/gui/widgets/check_radio.h"

#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/hosted_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QCheckBox>
#include <QKeySequence>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

// A click asks the control (BN_CLICKED); the widget never changes its own state.
template <class QtButton> class CheckWidget : public HookedWidget<QtButton> {
public:
    using HookedWidget<QtButton>::HookedWidget;

protected:
    void nextCheckState() override {}
};

QAbstractButton* ButtonOf(const TControl* c) {
    return qobject_cast<QAbstractButton*>(c->GetWidget());
}

} // namespace

// --- TButtonCheck ---

TButtonCheck::TButtonCheck(TComponent* AOwner) : TWinControl(AOwner) {
    // Clicks come from the button itself (BN_CLICKED), not from the mouse messages.
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetTabStop(true);
}

void TButtonCheck::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    if (QWidget* w = GetWidget())
        w->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TButtonCheck::CreateWindowHandle(const TCreateParams& Params) {
    QWidget* parentWidget = GetParent() ? GetParent()->GetWidget() : nullptr;
    QWidget* w = CreateButton(parentWidget);
    auto* b = static_cast<QAbstractButton*>(w);
    b->setFocusPolicy(Qt::NoFocus);
    b->setText(ToQString(Params.Caption, *GetFont()));
    // The "&" letter is the layer's (CM_DIALOGCHAR): Qt keeps only the underline.
    b->setShortcut(QKeySequence());
    b->setLayoutDirection(alignment_ == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
    QObject::connect(b, &QAbstractButton::clicked, b, [this] { NotifyControl(this, BN_CLICKED); });
    SetWidget(w, true);
    ShowCheck();
}

void TButtonCheck::ShowCheck() {
    QAbstractButton* b = ButtonOf(this);
    if (!b) return;
    QSignalBlocker block(b);
    const WPARAM estado = CheckState();
    if (auto* c = qobject_cast<QCheckBox*>(b)) {
        c->setTristate(estado == BST_INDETERMINATE);
        c->setCheckState(estado == BST_CHECKED         ? Qt::Checked
                         : estado == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                       : Qt::Unchecked);
    } else {
        b->setChecked(estado == BST_CHECKED);
    }
}

void TButtonCheck::ApplyWidgetState() {
    TWinControl::ApplyWidgetState();
    ApplyPalette();
}

void TButtonCheck::ApplyPalette() {
    QWidget* w = GetWidget();
    if (!w) return;
    ApplyHostedPalette(w, GetColor(), GetFont()->GetColor(), w->backgroundRole());
    // With its parent's colour the button lets the parent's background through.
    w->setAutoFillBackground(!GetParent() || GetColor() != GetParent()->GetColor());
}

void TButtonCheck::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        TWinControl::Dispatch(Message);
        ApplyPalette();
        // A symbol font shows the caption in other characters.
        if (QAbstractButton* b = ButtonOf(this); b && Message.Msg == CM_FONTCHANGED)
            b->setText(ToQString(GetCaption(), *GetFont()));
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_BUTTON;
        return;
    case BM_GETCHECK:
        Message.Result = static_cast<LRESULT>(CheckState());
        return;
    case BM_CLICK:
        NotifyControl(this, BN_CLICKED);
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}

void TButtonCheck::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETTEXT:
        TWinControl::DefaultHandler(Message);
        if (QAbstractButton* b = ButtonOf(this)) {
            b->setText(ToQString(GetCaption(), *GetFont()));
            b->setShortcut(QKeySequence());
        }
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The click's own BN_CLICKED follows; focusing it must not click it again.
        ++clicksDisabled_;
        FocusOnPress(this);
        --clicksDisabled_;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return;
    // Space presses the button and clicks it when it comes up, as the window system's
    // button does.
    case WM_KEYDOWN:
        if (Message.WParam == VK_SPACE) {
            QAbstractButton* b = ButtonOf(this);
            if (b && !(static_cast<DWORD>(Message.LParam) & KF_REPEAT)) b->setDown(true);
            return;
        }
        break;
    case WM_CHAR:
        if (Message.WParam == ' ') return;
        break;
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE) {
            QAbstractButton* b = ButtonOf(this);
            if (b && b->isDown()) {
                b->setDown(false);
                b->click();
            }
            return;
        }
        break;
    case WM_KILLFOCUS:
        if (QAbstractButton* b = ButtonOf(this); b && b->isDown()) b->setDown(false);
        break;
    default:
        break;
    }
    TWinControl::DefaultHandler(Message);
}

// --- TCustomCheckBox ---

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonCheck(AOwner) {
    SetBounds(0, 0, 97, 17);
}

QWidget* TCustomCheckBox::CreateButton(QWidget* ParentWidget) {
    return new CheckWidget<QCheckBox>(this, ParentWidget);
}

WPARAM TCustomCheckBox::CheckState() const {
    return state_ == cbChecked  ? BST_CHECKED
           : state_ == cbGrayed ? BST_INDETERMINATE
                                : BST_UNCHECKED;
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (state_ == Value) return;
    state_ = Value;
    ShowCheck();
    if (clicksDisabled_ == 0) Click();
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
    case cbUnchecked:
        SetState(allowGrayed_ ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TCustomCheckBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CN_COMMAND:
        if (HIWORD(Message.WParam) == BN_CLICKED) Toggle();
        return;
    case BM_SETCHECK:
        // The window's state only: no click.
        ++clicksDisabled_;
        SetState(Message.WParam == BST_CHECKED         ? cbChecked
                 : Message.WParam == BST_INDETERMINATE ? cbGrayed
                                                       : cbUnchecked);
        --clicksDisabled_;
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(Message.WParam), GetCaption()) && CanFocus()) {
            SetFocus();
            if (Focused()) Toggle();
            Message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TButtonCheck::Dispatch(Message);
}

// --- TRadioButton ---

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonCheck(AOwner) {
    SetBounds(0, 0, 113, 17);
    SetTabStop(false);
}

QWidget* TRadioButton::CreateButton(QWidget* ParentWidget) {
    auto* r = new CheckWidget<QRadioButton>(this, ParentWidget);
    r->setAutoExclusive(false);
    return r;
}

WPARAM TRadioButton::CheckState() const {
    return checked_ ? BST_CHECKED : BST_UNCHECKED;
}

void TRadioButton::SetChecked(bool Value) {
    if (checked_ == Value) return;
    checked_ = Value;
    // Tab reaches the checked button of a group.
    SetTabStop(Value);
    ShowCheck();
    if (!Value) return;
    auto alive = Watch();
    if (TWinControl* padre = GetParent())
        for (int i = 0; i < padre->GetControlCount(); ++i)
            if (auto* otro = dynamic_cast<TRadioButton*>(padre->GetControls(i));
                otro && otro != this)
                otro->SetChecked(false);
    if (!alive.expired() && clicksDisabled_ == 0) Click();
}

void TRadioButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CN_COMMAND:
        if (HIWORD(Message.WParam) == BN_CLICKED) SetChecked(true);
        if (HIWORD(Message.WParam) == BN_DOUBLECLICKED) DblClick();
        return;
    case BM_SETCHECK:
        ++clicksDisabled_;
        SetChecked(Message.WParam == BST_CHECKED);
        --clicksDisabled_;
        return;
    case WM_SETFOCUS: {
        TButtonCheck::Dispatch(Message);
        // A radio button that the keyboard focuses is chosen, as the window system does.
        if (clicksDisabled_ == 0) NotifyControl(this, BN_CLICKED);
        return;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(Message.WParam), GetCaption()) && CanFocus()) {
            SetFocus();
            SetChecked(true);
            Message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TButtonCheck::Dispatch(Message);
}
