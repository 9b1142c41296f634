// TKavTimerSpeedButton and TKsgSpinButton: the repeating arrow buttons of the spin edit.

#include "controles/edit/spin_button.h"

#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/kernel/messages.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/themes.h"

namespace {

constexpr unsigned kFirstRepeat = 400, kNextRepeats = 100;

// The stock arrows, black on a transparent colour (the bottom-left pixel's).
void PaintArrow(TBitmap* Bitmap, bool Up) {
    const char* rows[] = {"         ", "    #    ", "   ###   ",
                          "  #####  ", " ####### ", "         "};
    if (Up)
        PaintBitmapRows(Bitmap, {rows[0], rows[1], rows[2], rows[3], rows[4], rows[5]},
                        {{' ', clOlive}, {'#', clBlack}});
    else
        PaintBitmapRows(Bitmap, {rows[0], rows[4], rows[3], rows[2], rows[1], rows[5]},
                        {{' ', clOlive}, {'#', clBlack}});
}

void RegisterSpinGlyphs() {
    static const bool registered = [] {
        RegisterBitmapResource("KsgSpinUp", [](TBitmap* b) { PaintArrow(b, true); });
        RegisterBitmapResource("KsgSpinDown", [](TBitmap* b) { PaintArrow(b, false); });
        return true;
    }();
    (void)registered;
}

} // namespace

// --- TKavTimerSpeedButton ---

TKavTimerSpeedButton::TKavTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TKavTimerSpeedButton::~TKavTimerSpeedButton() {
    // Owned by this button; gone before a tick could reach a half-destroyed button.
    delete repeatTimer_;
    repeatTimer_ = nullptr;
}

void TKavTimerSpeedButton::SetButtonDirection(TButtonDirection Value) {
    buttonDirection_ = Value;
    Invalidate();
}

void TKavTimerSpeedButton::SetIsWinXP(bool Value) {
    isWinXP_ = Value;
    Invalidate();
}

void TKavTimerSpeedButton::InvalidateParent() {
    if (GetParent() && GetParent()->HandleAllocated())
        InvalidateRect(GetParent()->GetHandle(), nullptr, TRUE);
}

void TKavTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (timeBtnState_.Contains(tbAllowTimer)) {
        if (!repeatTimer_) {
            repeatTimer_ = new TTimer(nullptr);
            repeatTimer_->OnTimer = [this](TObject* s) { TimerExpired(s); };
        }
        repeatTimer_->SetInterval(kFirstRepeat);
        repeatTimer_->SetEnabled(true);
    }
    InvalidateParent();
}

void TKavTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
    InvalidateParent();
}

void TKavTimerSpeedButton::TimerExpired(TObject*) {
    repeatTimer_->SetInterval(kNextRepeats);
    if (GetState() != bsDown || !GetMouseCapture()) return;
    try {
        Click();
    } catch (...) {
        repeatTimer_->SetEnabled(false);
        throw;
    }
}

void TKavTimerSpeedButton::Dispatch(TMessage& Message) {
    TSpeedButton::Dispatch(Message);
    if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
        hot_ = Message.Msg == CM_MOUSEENTER;
        Invalidate();
    }
}

void TKavTimerSpeedButton::Paint() {
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    const bool pressed = GetState() == bsDown || GetState() == bsExclusive;
    if (isWinXP_) {
        HWND owner =
            GetParent() && GetParent()->HandleAllocated() ? GetParent()->GetHandle() : nullptr;
        // Without visual styles in effect there is no theme: the classic look below.
        if (HTHEME theme = OpenThemeData(owner, L"spin")) {
            static const int parts[] = {SPNP_DOWNHORZ, SPNP_UPHORZ, SPNP_UP, SPNP_DOWN};
            const int state = pressed ? UPS_PRESSED : hot_ ? UPS_HOT : UPS_NORMAL;
            DrawThemeBackground(theme, c->GetHandle(), parts[buttonDirection_], state, &r, nullptr);
            CloseThemeData(theme);
            return;
        }
    }
    if (buttonDirection_ == bdLeft || buttonDirection_ == bdRight) {
        UINT flags = buttonDirection_ == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
        if (pressed) flags |= DFCS_PUSHED;
        if (GetFlat()) flags |= DFCS_FLAT;
        if (GetTransparent()) flags |= DFCS_TRANSPARENT;
        DrawFrameControl(c->GetHandle(), &r, DFC_SCROLL, flags);
        return;
    }
    TSpeedButton::Paint();
}

// --- TKsgSpinButton ---

TKsgSpinButton::TKsgSpinButton(TComponent* AOwner) : TWinControl(AOwner) {
    RegisterSpinGlyphs();
    TControlStyle style = GetControlStyle();
    style >> csAcceptsControls >> csSetCaption;
    style << csFramed << csOpaque;
    SetControlStyle(style);
    upButton_ = CreateButton();
    downButton_ = CreateButton();
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    upButton_->SetButtonDirection(bdUp);
    downButton_->SetButtonDirection(bdDown);
    SetBounds(GetLeft(), GetTop(), 15, 25);
    focusedButton_ = upButton_;
}

TKsgSpinButton::~TKsgSpinButton() {
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
}

TKavTimerSpeedButton* TKsgSpinButton::CreateButton() {
    auto* b = new TKavTimerSpeedButton(this);
    b->OnClick = [this](TObject* s) { BtnClick(s); };
    b->OnMouseDown = [this](TObject* s, TMouseButton mb, TShiftState sh, int x, int y) {
        BtnMouseDown(s, mb, sh, x, y);
    };
    b->SetVisible(true);
    b->SetEnabled(true);
    b->SetTimeBtnState(TTimeBtnState{tbAllowTimer});
    b->SetParent(this);
    return b;
}

void TKsgSpinButton::SetFocusControl(TWinControl* Value) {
    SetWatched(this, focusControl_, Value);
}

void TKsgSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TKsgSpinButton::SetDirection(TSpinDirection Value) {
    if (direction_ == Value) return;
    direction_ = Value;
    RecreateWnd();
    if (Value == spHorizontal) {
        SetWidth(20);
        upButton_->SetButtonDirection(bdRight);
        downButton_->SetButtonDirection(bdLeft);
    } else {
        SetWidth(15);
        upButton_->SetButtonDirection(bdUp);
        downButton_->SetButtonDirection(bdDown);
    }
}

void TKsgSpinButton::SetIsWinXP(bool Value) {
    isWinXP_ = Value;
    upButton_->SetIsWinXP(Value);
    downButton_->SetIsWinXP(Value);
}

namespace {

void SetArrowGlyph(TKavTimerSpeedButton* Button, TBitmap* Value, const char* Stock) {
    if (Value) {
        Button->SetGlyph(Value);
        return;
    }
    TBitmap stock;
    stock.LoadFromResourceName(HInstance, Stock);
    Button->SetGlyph(&stock);
    Button->SetNumGlyphs(1);
    Button->Invalidate();
}

} // namespace

void TKsgSpinButton::SetUpGlyph(TBitmap* Value) {
    SetArrowGlyph(upButton_, Value, "KsgSpinUp");
}

void TKsgSpinButton::SetDownGlyph(TBitmap* Value) {
    SetArrowGlyph(downButton_, Value, "KsgSpinDown");
}

void TKsgSpinButton::AdjustSize(int& W, int& H) {
    if (!upButton_ || !downButton_ || GetComponentState().Contains(csLoading)) return;
    if (direction_ == spVertical) {
        if (W < 15) W = 15;
        upButton_->SetBounds(0, 0, W, H / 2);
        downButton_->SetBounds(0, upButton_->GetHeight() - 1, W, H - upButton_->GetHeight() + 1);
    } else {
        if (W < 20) W = 20;
        downButton_->SetBounds(0, 0, W / 2, H);
        upButton_->SetBounds(W / 2 + 1, 0, W / 2, H);
    }
}

void TKsgSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    int w = AWidth, h = AHeight;
    AdjustSize(w, h);
    TWinControl::SetBounds(ALeft, ATop, w, h);
}

void TKsgSpinButton::Loaded() {
    TWinControl::Loaded();
    int w = GetWidth(), h = GetHeight();
    AdjustSize(w, h);
    if (w != GetWidth() || h != GetHeight()) TWinControl::SetBounds(GetLeft(), GetTop(), w, h);
}

void TKsgSpinButton::BtnClick(TObject* Sender) {
    if (Sender == upButton_) {
        if (OnUpClick) OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

void TKsgSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
    if (Button != mbLeft) return;
    SetFocusBtn(static_cast<TKavTimerSpeedButton*>(Sender));
    if (focusControl_ && focusControl_->GetTabStop() && focusControl_->CanFocus() &&
        !focusControl_->Focused())
        focusControl_->SetFocus();
    else if (GetTabStop() && !Focused() && CanFocus())
        SetFocus();
}

void TKsgSpinButton::SetFocusBtn(TKavTimerSpeedButton* Btn) {
    if (!GetTabStop() || !CanFocus() || Btn == focusedButton_) return;
    focusedButton_->SetTimeBtnState(focusedButton_->GetTimeBtnState() >> tbFocusRect);
    focusedButton_ = Btn;
    if (Focused()) {
        focusedButton_->SetTimeBtnState(focusedButton_->GetTimeBtnState() << tbFocusRect);
        Invalidate();
    }
}

void TKsgSpinButton::KeyDown(WORD& Key, TShiftState Shift) {
    switch (Key) {
    case VK_SPACE:
        focusedButton_->Click();
        break;
    case VK_UP:
        SetFocusBtn(upButton_);
        upButton_->Click();
        break;
    case VK_DOWN:
        SetFocusBtn(downButton_);
        downButton_->Click();
        break;
    default:
        break;
    }
    TWinControl::KeyDown(Key, Shift);
}

void TKsgSpinButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_SIZE: {
        TWinControl::Dispatch(Message);
        int w = GetWidth(), h = GetHeight();
        AdjustSize(w, h);
        if (w != GetWidth() || h != GetHeight()) TWinControl::SetBounds(GetLeft(), GetTop(), w, h);
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TWinControl::Dispatch(Message);
        if (focusedButton_) {
            TTimeBtnState s = focusedButton_->GetTimeBtnState();
            focusedButton_->SetTimeBtnState(Message.Msg == WM_SETFOCUS ? s << tbFocusRect
                                                                       : s >> tbFocusRect);
            focusedButton_->Invalidate();
        }
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}
