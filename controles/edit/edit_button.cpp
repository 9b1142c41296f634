// TKavSpeedButton, TKsgEditButton and TKsgEditBtn: the button, its container and the edit
// that carries them.

#include "controles/edit/edit_button.h"

#include "controles/edit/inner_button.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/themes.h"

// --- TKavSpeedButton ---

void TKavSpeedButton::SetIsWinXP(bool Value) {
    isWinXP_ = Value;
    Invalidate();
}

void TKavSpeedButton::Dispatch(TMessage& Message) {
    TSpeedButton::Dispatch(Message);
    if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
        hot_ = Message.Msg == CM_MOUSEENTER;
        Invalidate();
    }
}

void TKavSpeedButton::Paint() {
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    const bool down = GetState() == bsDown || GetState() == bsExclusive;
    bool drawn = false;
    if (isWinXP_) {
        HWND owner =
            GetParent() && GetParent()->HandleAllocated() ? GetParent()->GetHandle() : nullptr;
        // Without visual styles in effect there is no theme: the classic look below.
        if (HTHEME theme = OpenThemeData(owner, L"button")) {
            const int state = down ? PBS_PRESSED : hot_ ? PBS_HOT : PBS_NORMAL;
            DrawThemeBackground(theme, c->GetHandle(), BP_PUSHBUTTON, state, &r, nullptr);
            CloseThemeData(theme);
            drawn = true;
        }
    }
    if (!drawn && !GetFlat()) {
        DrawFrameControl(c->GetHandle(), &r, DFC_BUTTON,
                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0u));
    } else if (!drawn) {
        c->GetBrush()->SetColor(clBtnFace);
        DrawEdge(c->GetHandle(), &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        r = InflateRect(r, -1, -1);
    }
    TBitmap* glyph = GetGlyph();
    if (glyph && !glyph->GetEmpty()) {
        glyph->SetTransparent(true);
        // Centred on each axis where it is smaller than the button.
        int x = glyph->GetWidth() < GetWidth() ? (GetWidth() - glyph->GetWidth()) / 2 : 0;
        int y = glyph->GetHeight() < GetHeight() ? (GetHeight() - glyph->GetHeight()) / 2 : 0;
        if (down) ++x, ++y;
        c->Draw(x, y, glyph);
    }
    const AnsiString caption = GetCaption();
    if (!caption.IsEmpty()) {
        c->SetFont(GetFont());
        c->GetBrush()->SetStyle(bsClear);
        if (down) r = OffsetRect(r, 1, 1);
        DrawText(c->GetHandle(), caption.c_str(), caption.Length(), &r,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// --- TKsgEditButton ---

TKsgEditButton::TKsgEditButton(TComponent* AOwner) : TWinControl(AOwner) {
    TControlStyle style = GetControlStyle();
    style >> csAcceptsControls >> csSetCaption;
    style << csFramed << csOpaque;
    SetControlStyle(style);
    button_ = new TKavSpeedButton(this);
    // The click itself does nothing: the container acts on the release.
    button_->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) { BtnMouseUp(b); };
    button_->SetVisible(true);
    button_->SetEnabled(true);
    button_->SetParent(this);
    button_->SetCaption("");
    SetBounds(GetLeft(), GetTop(), 20, 25);
}

TKsgEditButton::~TKsgEditButton() {
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
}

void TKsgEditButton::SetFocusControl(TWinControl* Value) {
    SetWatched(this, focusControl_, Value);
}

void TKsgEditButton::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TKsgEditButton::SetFlat(bool Value) {
    flat_ = Value;
    button_->SetFlat(Value);
}

void TKsgEditButton::AdjustSize() {
    if (!button_ || GetComponentState().Contains(csLoading)) return;
    button_->SetBounds(0, 0, GetClientWidth(), GetClientHeight());
}

void TKsgEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    AdjustSize();
}

void TKsgEditButton::Loaded() {
    TWinControl::Loaded();
    AdjustSize();
}

void TKsgEditButton::Dispatch(TMessage& Message) {
    TWinControl::Dispatch(Message);
    if (Message.Msg == WM_SIZE) AdjustSize();
}

void TKsgEditButton::BtnMouseUp(TMouseButton Button) {
    if (Button != mbLeft) return;
    auto alive = Watch();
    if (OnClick) OnClick(this);
    if (alive.expired()) return;
    if (focusControl_ && focusControl_->GetTabStop() && focusControl_->CanFocus() &&
        !focusControl_->Focused())
        focusControl_->SetFocus();
    else if (GetTabStop() && !Focused() && CanFocus())
        SetFocus();
}

// --- TKsgEditBtn and TKsgUniEditBtn ---

template <class Base> KsgEditBtnOf<Base>::KsgEditBtnOf(TComponent* AOwner) : Base(AOwner) {
    button_ = CreateInnerButton<TKsgEditButton>(this, 18, 18);
    button_->OnClick = [this](TObject* s) { BtnClick(s); };
}

template <class Base> KsgEditBtnOf<Base>::~KsgEditBtnOf() {
    // The container goes with the edit's children; it must not call back into it meanwhile.
    button_->SetFocusControl(nullptr);
    button_->OnClick = nullptr;
    button_ = nullptr;
}

template <class Base> void KsgEditBtnOf<Base>::BtnClick(TObject*) {
    if (OnClickBtn) OnClickBtn(this);
}

template <class Base> void KsgEditBtnOf<Base>::SetButtonWidth(int Value) {
    buttonWidth_ = Value;
    button_->SetWidth(Value);
    // The wider or narrower button stays inside the right edge, the text before it.
    PlaceInsideRightEdge(this, button_);
    SetEditRect();
}

template <class Base> void KsgEditBtnOf<Base>::SetIsWinXP(bool Value) {
    isWinXP_ = Value;
    button_->GetButton()->SetIsWinXP(Value);
}

template <class Base> void KsgEditBtnOf<Base>::SetRightAlign(bool Value) {
    if (rightAlign_ == Value) return;
    rightAlign_ = Value;
    this->RecreateWnd();
}

template <class Base> void KsgEditBtnOf<Base>::CreateParams(TCreateParams& Params) {
    Base::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    if (rightAlign_) Params.Style |= ES_RIGHT;
}

template <class Base> void KsgEditBtnOf<Base>::CreateWnd() {
    Base::CreateWnd();
    SetEditRect();
}

template <class Base> void KsgEditBtnOf<Base>::SetEditRect() {
    if (!this->HandleAllocated() || !button_) return;
    const int edge = this->GetBorderStyle() == bsSingle ? 1 : 2;
    int right = this->GetClientWidth() - button_->GetWidth() - 3 - unitSize_;
    if (!kWide && unitSize_ > 0) right -= 3;
    TRect r(edge, edge, right, this->GetClientHeight() + 1);
    this->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

template <class Base> int KsgEditBtnOf<Base>::GetMinHeight() {
    int own = 0, smaller = 0;
    EditFontHeights(this, own, smaller);
    return own + smaller / 4;
}

template <class Base> void KsgEditBtnOf<Base>::WMSize(TMessage& Message) {
    Base::Dispatch(Message);
    if (FitInnerButton(this, GetMinHeight(), button_)) SetEditRect();
}

template <class Base> void KsgEditBtnOf<Base>::KeyDown(WORD& Key, TShiftState Shift) {
    Base::KeyDown(Key, Shift);
    if (Key == VK_F4) BtnClick(this);
}

template <class Base> void KsgEditBtnOf<Base>::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SIZE:
        return WMSize(Message);
    case WM_CHAR:
        if (editorEnabled_) Base::Dispatch(Message);
        return;
    case WM_PASTE:
    case WM_CUT:
        if (editorEnabled_ && !this->GetReadOnly()) Base::Dispatch(Message);
        return;
    case CM_ENTER:
        if (this->GetAutoSelect() && GetKeyState(VK_LBUTTON) >= 0) this->SelectAll();
        return Base::Dispatch(Message);
    default:
        Base::Dispatch(Message);
    }
}

template class KsgEditBtnOf<TCustomEdit>;
template class KsgEditBtnOf<TCustomUNIEdit>;

TKsgUniEditBtn::TKsgUniEditBtn(TComponent* AOwner) : KsgEditBtnOf<TCustomUNIEdit>(AOwner) {
    SetText(WideString());
}
