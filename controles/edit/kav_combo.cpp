// TKavCustomCombo: states, label, focus colours and the flat or etched look.

#include "controles/edit/kav_combo.h"

#include "controles/edit/flat_combo.h"
#include "controles/edit/window_canvases.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/themes.h"

TKavCustomCombo::TKavCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), buttonWidth_(GetSystemMetrics(SM_CXVSCROLL) + 2),
      canvases_(std::make_unique<WindowCanvases>(this)) {
    label_.Font->OnChange = [this](TObject* s) { LabelFontChange(s); };
}

TKavCustomCombo::~TKavCustomCombo() {
    label_.Release();
}

void TKavCustomCombo::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove) label_.Forget(AComponent);
}

AnsiString TKavCustomCombo::GetVersionEx() const {
    return VersionText(GetVersionNr());
}

// --- states ---

void TKavCustomCombo::SetEnabledEx(bool Value) {
    const bool was = GetEnabled();
    SetEnabled(Value);
    const TComponentState s = GetComponentState();
    if (s.Contains(csLoading) || s.Contains(csDesigning)) return;
    if (was != Value) label_.FollowEnabled(Value);
}

void TKavCustomCombo::SetVisibleEx(bool Value) {
    SetVisible(Value);
    label_.FollowVisible(Value);
}

void TKavCustomCombo::SetColorEx(TColor Value) {
    if (GetComponentState().Contains(csLoading)) normalColor_ = Value;
    SetColor(Value);
}

void TKavCustomCombo::SetButtonWidth(int Value) {
    if (Value < 14 || Value > 32) return;
    buttonWidth_ = Value;
    Invalidate();
}

void TKavCustomCombo::SetFlat(bool Value) {
    if (Value != flat_) {
        flat_ = Value;
        ctl3D_ = !Value;
    }
    if (flatParentColor_ && flat_) {
        if (GetParent()) SetColor(GetParent()->GetColor());
    } else {
        SetColor(normalColor_);
    }
    Invalidate();
}

void TKavCustomCombo::SetEtched(bool Value) {
    if (Value == etched_) return;
    etched_ = Value;
    Invalidate();
}

void TKavCustomCombo::SetFlatLineColor(TColor Value) {
    flatLineColor_ = Value;
    Invalidate();
}

void TKavCustomCombo::SetFlatParentColor(bool Value) {
    flatParentColor_ = Value;
    Invalidate();
}

void TKavCustomCombo::SetDropWidth(int Value) {
    dropWidth_ = Value;
    if (Value > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0);
}

void TKavCustomCombo::Loaded() {
    TCustomComboBox::Loaded();
    UpdateLabel();
    if (dropWidth_ > 0) SetDropWidth(dropWidth_);
    disabledColor_ = normalColor_;
    if (!flatParentColor_ || flat_) SetColor(normalColor_);
    label_.FollowEnabled(GetEnabled());
    Init();
}

void TKavCustomCombo::Init() {
    restoreColor_ = GetColor();
}

// --- label ---

AnsiString TKavCustomCombo::GetLabelCaption() const {
    return label_.Caption();
}

void TKavCustomCombo::SetLabelCaption(const AnsiString& Value) {
    if (!label_.Label) label_.Create(this);
    label_.Label->SetCaption(Value);
    UpdateLabel();
}

void TKavCustomCombo::SetLabelPosition(TLabelPosition Value) {
    label_.Position = Value;
    UpdateLabel();
}

void TKavCustomCombo::SetLabelMargin(int Value) {
    label_.Margin = Value;
    UpdateLabel();
}

void TKavCustomCombo::SetLabelTransparent(bool Value) {
    label_.Transparent = Value;
    UpdateLabel();
}

void TKavCustomCombo::SetLabelAlwaysEnabled(bool Value) {
    label_.AlwaysEnabled = Value;
    UpdateLabel();
}

void TKavCustomCombo::LabelFontChange(TObject*) {
    UpdateLabel();
}

void TKavCustomCombo::UpdateLabel() {
    if (!label_.Label) return;
    label_.Label->SetTransparent(label_.Transparent);
    label_.Label->GetFont()->Assign(label_.Font.get());
    PlaceAttachedLabel(label_.Label, GetBoundsRect(), label_.Position, label_.Margin);
    label_.Label->SetVisible(GetVisible());
}

void TKavCustomCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateLabel();
}

// --- focus and hover ---

void TKavCustomCombo::FocusColourBack() {
    if (focusColor_ != clNone && restoreColor_ != clNone) SetColor(restoreColor_);
}

void TKavCustomCombo::Nudge() {
    // The platform lays out and paints its parts again.
    SetWidth(GetWidth() + 1);
    SetWidth(GetWidth() - 1);
}

void TKavCustomCombo::Dispatch(TMessage& Message) {
    const bool designing = GetComponentState().Contains(csDesigning);
    auto alive = Watch();
    switch (Message.Msg) {
    case CM_ENTER:
        if (!designing) {
            hasFocus_ = true;
            // A combo never loaded from a form gets back the colour it had on entry.
            if (restoreColor_ == clNone) restoreColor_ = GetColor();
            if (focusColor_ != clNone) SetColorEx(focusColor_);
            Invalidate();
        }
        return TCustomComboBox::Dispatch(Message);
    case CM_EXIT:
        if (!designing) {
            hasFocus_ = false;
            FocusColourBack();
            Invalidate();
        }
        return TCustomComboBox::Dispatch(Message);
    case WM_SETFOCUS:
        TCustomComboBox::Dispatch(Message);
        if (alive.expired()) return;
        if (focusBorderColor_ != clNone) Invalidate();
        if (focusColor_ != clNone) {
            SetColor(focusColor_);
            if (isWinXP_) Nudge();
        }
        return;
    case WM_KILLFOCUS:
        TCustomComboBox::Dispatch(Message);
        if (alive.expired()) return;
        FocusColourBack();
        if (isWinXP_)
            Nudge();
        else
            Invalidate();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TCustomComboBox::Dispatch(Message);
        if (alive.expired()) return;
        if (Message.Msg == CM_MOUSELEAVE && mouseInControl_ && GetEnabled()) buttonHot_ = false;
        FlatComboMouse(this, Message.Msg == CM_MOUSEENTER, mouseInControl_, autoFocus_);
        return;
    case CM_ENABLEDCHANGED:
        if (flat_ && !GetComponentState().Contains(csLoading))
            FlatComboEnabledChanged(this, disabledParentColor_, disabledColor_);
        return TCustomComboBox::Dispatch(Message);
    case CN_COMMAND: {
        TCustomComboBox::Dispatch(Message);
        if (alive.expired()) return;
        const WORD code = HIWORD(Message.WParam);
        if (code == CBN_DROPDOWN || code == CBN_CLOSEUP) InvalidateDropButton(this, buttonWidth_);
        if (code == CBN_CLOSEUP && OnDropUp) OnDropUp(this);
        return;
    }
    case WM_PAINT:
        return WMPaint(Message);
    case WM_NCPAINT:
        TCustomComboBox::Dispatch(Message);
        if (alive.expired() || !canvases_) return;
        if (flat_) DrawBorders();
        if (focusBorderColor_ != clNone && HandleAllocated() && GetFocus() == GetHandle())
            DrawBorders();
        return;
    default:
        TCustomComboBox::Dispatch(Message);
    }
}

void TKavCustomCombo::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomComboBox::MouseMove(Shift, X, Y);
    const bool over = X > GetWidth() - buttonWidth_ && X < GetWidth();
    if (over != buttonHot_) {
        buttonHot_ = over;
        Invalidate();
    }
}

// --- painting ---

bool TKavCustomCombo::DoVisualStyles() const {
    return isWinXP_ && IsThemeActive();
}

bool TKavCustomCombo::Is3DBorderControl() const {
    if (GetComponentState().Contains(csDesigning)) return false;
    const bool active = Screen && Screen->GetActiveControl() == this;
    return (mouseInControl_ || active) && focusBorder_;
}

bool TKavCustomCombo::Is3DBorderButton() const {
    if (GetComponentState().Contains(csDesigning)) return GetEnabled();
    return mouseInControl_ || (Screen && Screen->GetActiveControl() == this);
}

void TKavCustomCombo::WMPaint(TMessage& Message) {
    if (!flat_ && (focusBorderColor_ == clNone || !hasFocus_))
        return TCustomComboBox::Dispatch(Message);
    if (!canvases_ || !HandleAllocated()) return;
    auto alive = Watch();
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (!dc) dc = canvases_->Client()->GetHandle();
    const int saved = SaveDC(dc);
    if (GetStyle() != csSimple) {
        const int cw = GetClientWidth(), ch = GetClientHeight();
        FillFlatComboClient(this, dc);
        TRect b(0, 0, GetWidth(), GetHeight());
        b.Left += cw - buttonWidth_;
        b = InflateRect(b, -1, -1);
        if (DoVisualStyles()) {
            HTHEME theme = OpenThemeData(GetHandle(), L"combobox");
            const bool anyButton =
                GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
            const bool dropped = GetDroppedDown();
            const int state = anyButton && dropped                   ? 3
                              : !anyButton && buttonHot_ && !dropped ? 2
                                                                     : 1;
            DrawThemeBackground(theme, dc, 1, state, &b, nullptr);
            CloseThemeData(theme);
        } else {
            DrawFrameControl(dc, &b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
        }
        ExcludeClipRect(dc, cw - buttonWidth_ - 4, 0, cw + 2, ch);
    }
    // The platform paints the rest (its frame, the field and the choice) around the button.
    PaintWindow(dc);
    if (alive.expired()) return;
    RestoreDC(dc, saved);
    DrawBorders();
}

void TKavCustomCombo::DrawBorders() {
    if (!flat_ && focusBorderColor_ == clNone) return;
    canvases_->Draw([&](TCanvas* c, int o) {
        DrawControlBorder(c, o);
        if (GetStyle() != csSimple && !(isWinXP_ && DoVisualStyles())) DrawButtonBorder(c, o);
    });
}

void TKavCustomCombo::DrawControlBorder(TCanvas* Canvas, int Origin) {
    TRect r(Origin, Origin, Origin + GetWidth(), Origin + GetHeight());
    TBrush* brush = Canvas->GetBrush();
    brush->SetStyle(bsSolid);
    if (focusBorderColor_ != clNone) {
        if (hasFocus_) {
            brush->SetColor(focusBorderColor_);
            Canvas->FrameRect(r);
        }
        return;
    }
    const bool sunken = Is3DBorderControl();
    const TColor b1 = sunken ? clBtnFace : (GetParent() ? GetParent()->GetColor() : GetColor());
    DrawComboFrame(Canvas, r, sunken, b1, GetColor());
    r = InflateRect(r, -2, -2);
    if (flat_ && flatLineColor_ != clNone) {
        TPen* pen = Canvas->GetPen();
        pen->SetColor(flatLineColor_);
        pen->SetWidth(1);
        pen->SetStyle(psSolid);
        // Along the bottom row up to the button; the 18 is the original's, whatever the
        // button's width.
        Canvas->MoveTo(r.Left - 2, Origin + GetHeight() - 1);
        Canvas->LineTo(r.Right - 18, Origin + GetHeight() - 1);
    }
}

void TKavCustomCombo::DrawButtonBorder(TCanvas* Canvas, int Origin) {
    HDC dc = Canvas->GetHandle();
    const int saved = SaveDC(dc);
    const int cw = GetClientWidth(), ch = GetClientHeight();
    ExcludeClipRect(dc, Origin + cw - buttonWidth_ + 4, Origin + 4, Origin + cw - 4,
                    Origin + ch - 4);
    TRect b(Origin, Origin, Origin + GetWidth(), Origin + GetHeight());
    b.Left += cw - buttonWidth_ - 2;
    b = InflateRect(b, -2, -2);
    if (Is3DBorderButton()) {
        UINT flags = BF_RECT;
        if (GetDroppedDown()) flags |= BF_FLAT;
        DrawEdge(dc, &b, etched_ ? EDGE_ETCHED : EDGE_RAISED, flags);
    } else {
        b = InflateRect(b, 0, -1);
        b.Right -= 1;
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(clBtnFace);
        Canvas->FillRect(b);
    }
    RestoreDC(dc, saved);
}
