// TKSGCustomCombo: the flat look, the drop button, and the states that change them.

#include "controles/edit/ksg_combo.h"

#include "controles/edit/flat_combo.h"
#include "controles/edit/window_canvases.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/themes.h"

TKSGCustomCombo::TKSGCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), oldColor_(GetColor()), oldParentColor_(GetParentColor()),
      buttonWidth_(GetSystemMetrics(SM_CXVSCROLL) + 4),
      canvases_(std::make_unique<WindowCanvases>(this)) {}

TKSGCustomCombo::~TKSGCustomCombo() = default;

AnsiString TKSGCustomCombo::GetVersion() const {
    return VersionText(GetVersionNr());
}

void TKSGCustomCombo::SetButtonWidth(int Value) {
    if (Value < 14 || Value > 32) return;
    buttonWidth_ = Value;
    Invalidate();
}

void TKSGCustomCombo::SetFlat(bool Value) {
    if (Value == flat_) return;
    flat_ = Value;
    ctl3D_ = !Value;
    Invalidate();
}

void TKSGCustomCombo::SetEtched(bool Value) {
    if (Value == etched_) return;
    etched_ = Value;
    Invalidate();
}

void TKSGCustomCombo::SetThemed(bool Value) {
    themed_ = Value;
    Invalidate();
}

void TKSGCustomCombo::SetDropWidth(int Value) {
    dropWidth_ = Value;
    if (Value >= 1) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0);
}

// --- states ---

void TKSGCustomCombo::Dispatch(TMessage& Message) {
    const bool designing = GetComponentState().Contains(csDesigning);
    auto alive = Watch();
    switch (Message.Msg) {
    case CM_ENTER:
    case CM_EXIT:
        TCustomComboBox::Dispatch(Message);
        if (!alive.expired() && !designing) Invalidate();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TCustomComboBox::Dispatch(Message);
        if (!alive.expired())
            FlatComboMouse(this, Message.Msg == CM_MOUSEENTER, mouseInControl_, autoFocus_);
        return;
    case CM_ENABLEDCHANGED:
        if (flat_) FlatComboEnabledChanged(this, oldParentColor_, oldColor_);
        return TCustomComboBox::Dispatch(Message);
    case CN_COMMAND: {
        TCustomComboBox::Dispatch(Message);
        if (alive.expired()) return;
        const WORD code = HIWORD(Message.WParam);
        if (code == CBN_DROPDOWN || code == CBN_CLOSEUP) InvalidateDropButton(this, buttonWidth_);
        return;
    }
    case WM_PAINT:
        return WMPaint(Message);
    case WM_NCPAINT:
        TCustomComboBox::Dispatch(Message);
        if (!alive.expired() && flat_) DrawBorders();
        return;
    default:
        TCustomComboBox::Dispatch(Message);
    }
}

// --- painting ---

bool TKSGCustomCombo::Is3DBorderButton() const {
    if (GetComponentState().Contains(csDesigning)) return GetEnabled();
    return mouseInControl_ || (Screen && Screen->GetActiveControl() == this);
}

bool TKSGCustomCombo::Is3DBorderControl() const {
    if (GetComponentState().Contains(csDesigning)) return false;
    return Is3DBorderButton() && focusBorder_;
}

void TKSGCustomCombo::WMPaint(TMessage& Message) {
    auto alive = Watch();
    // The platform paints the whole combo; the flat look goes over it.
    TCustomComboBox::Dispatch(Message);
    if (alive.expired() || !flat_ || !HandleAllocated()) return;
    if (GetStyle() != csSimple) canvases_->Draw([&](TCanvas* c, int o) { DrawDropButton(c, o); });
    DrawBorders();
}

void TKSGCustomCombo::DrawDropButton(TCanvas* Canvas, int Origin) {
    TRect b(Origin, Origin, Origin + GetWidth(), Origin + GetHeight());
    b.Left += GetClientWidth() - buttonWidth_;
    HDC dc = Canvas->GetHandle();
    if (themed_) {
        if (HTHEME theme = OpenThemeData(GetHandle(), L"combobox")) {
            InflateRect(b, -1, -1);
            const bool held = GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
            DrawThemeBackground(theme, dc, CP_DROPDOWNBUTTON, held ? CBXS_PRESSED : CBXS_NORMAL, &b,
                                nullptr);
            CloseThemeData(theme);
            return;
        }
    }
    InflateRect(b, 0, -1);
    b = OffsetRect(b, -2, 1);
    DrawFrameControl(dc, &b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
}

void TKSGCustomCombo::DrawBorders() {
    if (!flat_ || !HandleAllocated()) return;
    canvases_->Draw([&](TCanvas* c, int o) {
        DrawControlBorder(c, o);
        if (GetStyle() != csSimple) DrawButtonBorder(c, o);
    });
}

void TKSGCustomCombo::DrawControlBorder(TCanvas* Canvas, int Origin) {
    const bool sunken = Is3DBorderControl();
    const TColor outer = sunken ? clBtnFace : (GetParent() ? GetParent()->GetColor() : GetColor());
    DrawComboFrame(Canvas, TRect(Origin, Origin, Origin + GetWidth(), Origin + GetHeight()), sunken,
                   outer, GetColor());
}

void TKSGCustomCombo::DrawButtonBorder(TCanvas* Canvas, int Origin) {
    // The themed button has an edge of its own; the flat one turns 3D while hot or focused.
    if (themed_ && IsThemeActive()) return;
    if (!Is3DBorderButton()) return;
    HDC dc = Canvas->GetHandle();
    const int saved = SaveDC(dc);
    const int cw = GetClientWidth(), ch = GetClientHeight();
    ExcludeClipRect(dc, Origin + cw - buttonWidth_ + 4, Origin + 4, Origin + cw - 4,
                    Origin + ch - 4);
    TRect b(Origin, Origin, Origin + GetWidth(), Origin + GetHeight());
    b.Left += cw - buttonWidth_ - 4;
    InflateRect(b, -2, -2);
    b.Right += 1;
    b.Bottom += 2;
    DrawEdge(dc, &b, etched_ ? EDGE_ETCHED : EDGE_RAISED, BF_RECT);
    RestoreDC(dc, saved);
}
