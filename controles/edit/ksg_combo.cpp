// KsgComboLook: the flat look, the drop button, and the states that change them, on the
// 8-bit and on the wide combo.

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

template <class Base>
KsgComboLook<Base>::KsgComboLook(TComponent* AOwner)
    : Base(AOwner), oldColor_(this->GetColor()), oldParentColor_(this->GetParentColor()),
      buttonWidth_(GetSystemMetrics(SM_CXVSCROLL) + 4),
      canvases_(std::make_unique<WindowCanvases>(this)) {}

template <class Base> KsgComboLook<Base>::~KsgComboLook() = default;

AnsiString TKSGCustomCombo::GetVersion() const {
    return VersionText(GetVersionNr());
}

template <class Base> void KsgComboLook<Base>::SetButtonWidth(int Value) {
    if (Value < 14 || Value > 32) return;
    buttonWidth_ = Value;
    this->Invalidate();
}

template <class Base> void KsgComboLook<Base>::SetFlat(bool Value) {
    if (Value == flat_) return;
    flat_ = Value;
    ctl3D_ = !Value;
    this->Invalidate();
}

template <class Base> void KsgComboLook<Base>::SetEtched(bool Value) {
    if (Value == etched_) return;
    etched_ = Value;
    this->Invalidate();
}

template <class Base> void KsgComboLook<Base>::SetThemed(bool Value) {
    themed_ = Value;
    this->Invalidate();
}

template <class Base> void KsgComboLook<Base>::SetDropWidth(int Value) {
    dropWidth_ = Value;
    if (Value >= 1) this->Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0);
}

// --- states ---

template <class Base> void KsgComboLook<Base>::Dispatch(TMessage& Message) {
    const bool designing = this->GetComponentState().Contains(csDesigning);
    auto alive = this->Watch();
    switch (Message.Msg) {
    case CM_ENTER:
    case CM_EXIT:
        Base::Dispatch(Message);
        if (!alive.expired() && !designing) this->Invalidate();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        Base::Dispatch(Message);
        if (!alive.expired())
            FlatComboMouse(this, Message.Msg == CM_MOUSEENTER, mouseInControl_, autoFocus_);
        return;
    case CM_ENABLEDCHANGED:
        if (flat_) FlatComboEnabledChanged(this, oldParentColor_, oldColor_);
        return Base::Dispatch(Message);
    case CN_COMMAND: {
        Base::Dispatch(Message);
        if (alive.expired()) return;
        const WORD code = HIWORD(Message.WParam);
        if (code == CBN_DROPDOWN || code == CBN_CLOSEUP) InvalidateDropButton(this, buttonWidth_);
        return;
    }
    case WM_PAINT:
        return WMPaint(Message);
    case WM_NCPAINT:
        Base::Dispatch(Message);
        if (!alive.expired() && flat_) DrawBorders();
        return;
    default:
        Base::Dispatch(Message);
    }
}

// --- painting ---

template <class Base> bool KsgComboLook<Base>::Is3DBorderButton() const {
    if (this->GetComponentState().Contains(csDesigning)) return this->GetEnabled();
    return mouseInControl_ || (Screen && Screen->GetActiveControl() == this);
}

template <class Base> bool KsgComboLook<Base>::Is3DBorderControl() const {
    if (this->GetComponentState().Contains(csDesigning)) return false;
    return Is3DBorderButton() && focusBorder_;
}

template <class Base> void KsgComboLook<Base>::WMPaint(TMessage& Message) {
    if (!flat_) return Base::Dispatch(Message);
    if (!canvases_ || !this->HandleAllocated()) return;
    auto alive = this->Watch();
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (!dc) dc = canvases_->Client()->GetHandle();
    const int saved = SaveDC(dc);
    if (this->GetStyle() != csSimple) {
        FillFlatComboClient(this, dc);
        if (!DrawDropButton(dc)) {
            const int cw = this->GetClientWidth();
            ExcludeClipRect(dc, cw - buttonWidth_ - 4, 0, cw + 2, this->GetClientHeight());
        }
    }
    // The platform paints the rest (its frame, the field and the choice) around the button.
    this->PaintWindow(dc);
    if (alive.expired()) return;
    RestoreDC(dc, saved);
    DrawBorders();
}

template <class Base> bool KsgComboLook<Base>::DrawDropButton(HDC DC) {
    TRect b(0, 0, this->GetWidth(), this->GetHeight());
    b.Left += this->GetClientWidth() - buttonWidth_;
    if (themed_) {
        if (HTHEME theme = OpenThemeData(this->GetHandle(), L"combobox")) {
            b = InflateRect(b, -1, -1);
            const bool held = GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
            DrawThemeBackground(theme, DC, CP_DROPDOWNBUTTON, held ? CBXS_PRESSED : CBXS_NORMAL, &b,
                                nullptr);
            CloseThemeData(theme);
            return true;
        }
    }
    if constexpr (kWideLook) {
        b = InflateRect(b, -1, -1);
    } else {
        b = InflateRect(b, 0, -1);
        b = OffsetRect(b, -2, 1);
    }
    DrawFrameControl(DC, &b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
    return false;
}

template <class Base> void KsgComboLook<Base>::DrawBorders() {
    if (!flat_ || !this->HandleAllocated()) return;
    canvases_->Draw([&](TCanvas* c, int o) {
        DrawControlBorder(c, o);
        if (this->GetStyle() != csSimple) DrawButtonBorder(c, o);
    });
}

template <class Base> void KsgComboLook<Base>::DrawControlBorder(TCanvas* Canvas, int Origin) {
    const bool sunken = Is3DBorderControl();
    const TColor outer =
        sunken ? clBtnFace : (this->GetParent() ? this->GetParent()->GetColor() : this->GetColor());
    DrawComboFrame(Canvas,
                   TRect(Origin, Origin, Origin + this->GetWidth(), Origin + this->GetHeight()),
                   sunken, outer, this->GetColor());
}

template <class Base> void KsgComboLook<Base>::DrawButtonBorder(TCanvas* Canvas, int Origin) {
    // The 8-bit combo's themed button has an edge of its own and its flat button none; the
    // wide combo frames both.
    const bool raised = Is3DBorderButton();
    if (!kWideLook && ((themed_ && IsThemeActive()) || !raised)) return;
    HDC dc = Canvas->GetHandle();
    const int saved = SaveDC(dc);
    const int cw = this->GetClientWidth(), ch = this->GetClientHeight();
    ExcludeClipRect(dc, Origin + cw - buttonWidth_ + 4, Origin + 4, Origin + cw - 4,
                    Origin + ch - 4);
    TRect b(Origin, Origin, Origin + this->GetWidth(), Origin + this->GetHeight());
    const UINT edge = etched_ ? EDGE_ETCHED : EDGE_RAISED;
    if constexpr (kWideLook) {
        b.Left += cw - buttonWidth_ - 2;
        b = InflateRect(b, -2, -2);
        if (raised) {
            DrawEdge(dc, &b, edge, BF_RECT | (this->GetDroppedDown() ? BF_FLAT : 0u));
        } else {
            b.Top += 1;
            b.Bottom -= 1;
            b.Right -= 1;
            FillRect(dc, &b, GetSysColorBrush(COLOR_BTNFACE));
        }
    } else {
        b.Left += cw - buttonWidth_ - 4;
        b = InflateRect(b, -2, -2);
        b.Right += 1;
        b.Bottom += 2;
        DrawEdge(dc, &b, edge, BF_RECT);
    }
    RestoreDC(dc, saved);
}

template class KsgComboLook<TCustomComboBox>;
template class KsgComboLook<TCustomUNIComboBox>;
