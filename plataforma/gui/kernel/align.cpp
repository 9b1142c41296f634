// The align pass: children with Align take the edges of the client area in the order top,
// bottom, left, right, then client; controls of one kind keep their order by position.

#include "plataforma/gui/kernel/controls.h"

#include <algorithm>

void TWinControl::DisableAlign() {
    ++alignLevel_;
}

void TWinControl::EnableAlign() {
    if (alignLevel_ > 0) --alignLevel_;
    if (alignLevel_ == 0 && GetControlState().Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl) {
    if (!HandleAllocated() || GetComponentState().Contains(csDestroying)) return;
    if (alignLevel_ != 0) {
        SetControlState(GetControlState() << csAlignmentNeeded);
        return;
    }
    DisableAlign();
    TRect r = GetClientRect();
    AlignControls(AControl, r);
    SetControlState(GetControlState() >> csAlignmentNeeded);
    EnableAlign();
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    AdjustClientRect(Rect);
    // Where a control stands along the axis of its alignment; the one that triggered the
    // pass wins ties, so a control moved against another goes before it.
    auto key = [](TControl* c, TAlign a) {
        switch (a) {
        case alTop:
            return c->GetTop();
        case alBottom:
            return -(c->GetTop() + c->GetHeight());
        case alLeft:
            return c->GetLeft();
        case alRight:
            return -(c->GetLeft() + c->GetWidth());
        default:
            return 0;
        }
    };
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (int i = 0; i < GetControlCount(); ++i) {
            TControl* c = GetControls(i);
            if (c->GetAlign() == a && c->GetVisible()) list.push_back(c);
        }
        std::stable_sort(list.begin(), list.end(), [&](TControl* x, TControl* y) {
            int kx = key(x, a), ky = key(y, a);
            if (kx != ky) return kx < ky;
            return x == AControl && y != AControl;
        });
        for (TControl* c : list) {
            int w = c->GetWidth(), h = c->GetHeight();
            switch (a) {
            case alTop:
                c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), h);
                Rect.Top += c->GetHeight();
                break;
            case alBottom:
                c->SetBounds(Rect.Left, Rect.Bottom - h, Rect.Width(), h);
                Rect.Bottom -= c->GetHeight();
                break;
            case alLeft:
                c->SetBounds(Rect.Left, Rect.Top, w, Rect.Height());
                Rect.Left += c->GetWidth();
                break;
            case alRight:
                c->SetBounds(Rect.Right - w, Rect.Top, w, Rect.Height());
                Rect.Right -= c->GetWidth();
                break;
            case alClient:
                c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
                break;
            default:
                break;
            }
        }
    }
}
