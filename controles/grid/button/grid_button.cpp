// TKavGridButton: states, groups, mouse, action link, presets and glyphs.

#include "controles/grid/button/grid_button.h"

#include "controles/comun/color_scheme.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/painting/canvas.h"

namespace {

struct Look {
    TColor color, colorTo, hot, hotTo, down, downTo, checked, checkedTo, borderDown, borderHot;
    bool rounded;
};

constexpr TColor kNone = clNone;
constexpr Look kLooks[] = {
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, kNone, 0xAF987A,
     0xC3CECE, true},
    {clBtnFace, kNone, 0xEED2C1, kNone, 0xE2B598, kNone, 0xE8E6E1, kNone, 0xC56A31, 0xC56A31,
     false},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000,
     0x000000, false},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000,
     0x000000, false},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000,
     0x000000, false},
    {clBtnFace, kNone, clBtnFace, kNone, 0xD8D3D2, kNone, 0xCAC7C7, kNone, kNone, kNone, false},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080,
     0x808080, false},
};

} // namespace

// --- the action link ---

TKavGridButtonActionLink::TKavGridButtonActionLink(TKavGridButton* Client)
    : TControlActionLink(Client), button_(Client) {}

bool TKavGridButtonActionLink::IsCaptionLinked() const {
    return TControlActionLink::IsCaptionLinked();
}

bool TKavGridButtonActionLink::IsCheckedLinked() const {
    auto* a = dynamic_cast<TCustomAction*>(GetAction());
    return TActionLink::IsCheckedLinked() && button_->groupIndex_ != 0 && button_->allowAllUp_ &&
           button_->down_ == a->GetChecked();
}

bool TKavGridButtonActionLink::IsGroupIndexLinked() const {
    auto* a = dynamic_cast<TCustomAction*>(GetAction());
    return a && button_->groupIndex_ == a->GetGroupIndex();
}

void TKavGridButtonActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked()) button_->SetDown(Value);
}

void TKavGridButtonActionLink::SetGroupIndex(int Value) {
    if (IsGroupIndexLinked()) button_->SetGroupIndex(Value);
}

// --- the button ---

TKavGridButton::TKavGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner), glyph_(std::make_unique<TBitmap>()),
      glyphHot_(std::make_unique<TBitmap>()), glyphDown_(std::make_unique<TBitmap>()),
      glyphDisabled_(std::make_unique<TBitmap>()), shade_(std::make_unique<TBitmap>()) {
    SetControlStyle({csCaptureMouse, csDoubleClicks});
    SetBounds(0, 0, 23, 22);
    SetParentFont(true);
    SetColor(clBtnFace);
    // Drawing on the glyph, or loading another picture into it, shows at once.
    glyph_->OnChange = [this](TObject*) { Invalidate(); };
}

TKavGridButton::~TKavGridButton() = default;

void TKavGridButton::SetAction(TBasicAction* Value) {
    if (Value == GetAction()) return;
    if (TBasicAction* old = GetAction()) old->RemoveFreeNotification(this);
    if (!Value) {
        link_.reset();
        return;
    }
    if (!link_) link_ = std::make_unique<TKavGridButtonActionLink>(this);
    link_->SetAction(Value);
    Value->FreeNotification(this);
    if (auto* a = dynamic_cast<TCustomAction*>(Value)) {
        SetCaption(a->GetCaption());
        SetEnabled(a->GetEnabled());
        SetGroupIndex(a->GetGroupIndex());
        SetDown(a->GetChecked());
    }
}

void TKavGridButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == dropDownMenu_) dropDownMenu_ = nullptr;
    if (link_ && AComponent == link_->GetAction()) link_.reset();
}

void TKavGridButton::Click() {
    if (OnClick)
        OnClick(this);
    else if (link_)
        link_->Execute();
}

void TKavGridButton::Loaded() {
    TGraphicControl::Loaded();
    if (shaded_) GenerateShade();
    if (autoThemeAdapt_) ThemeAdapt();
}

// --- properties ---

void TKavGridButton::SetAllowAllUp(bool Value) {
    if (Value == allowAllUp_) return;
    allowAllUp_ = Value;
    UpdateExclusive();
}

void TKavGridButton::SetAutoThemeAdapt(bool Value) {
    autoThemeAdapt_ = Value;
    if (Value) ThemeAdapt();
}

void TKavGridButton::SetBorderColor(TColor Value) {
    borderColor_ = Value;
    Invalidate();
}

void TKavGridButton::SetColorTo(TColor Value) {
    colorTo_ = Value;
    Invalidate();
}

void TKavGridButton::SetColorChecked(TColor Value) {
    colorChecked_ = Value;
    Invalidate();
}

void TKavGridButton::SetColorCheckedTo(TColor Value) {
    colorCheckedTo_ = Value;
    Invalidate();
}

void TKavGridButton::SetGroupIndex(int Value) {
    if (Value == groupIndex_) return;
    groupIndex_ = Value;
    UpdateExclusive();
}

void TKavGridButton::SetDown(bool Value) {
    if (groupIndex_ == 0 && style_ == tasButton) Value = false;
    if (style_ == tasCheck) {
        down_ = Value;
        Repaint();
        return;
    }
    if (Value == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = Value;
    if (Value) {
        if (state_ == bsUp) Invalidate();
        state_ = bsExclusive;
        UpdateExclusive();
    } else {
        state_ = bsUp;
        Repaint();
    }
}

void TKavGridButton::SetDropDownButton(bool Value) {
    dropDownButton_ = Value;
    Invalidate();
}

void TKavGridButton::SetDropDownMenu(TPopupMenu* Value) {
    SetWatched(this, dropDownMenu_, Value);
}

void TKavGridButton::SetFlat(bool Value) {
    if (Value == flat_) return;
    flat_ = Value;
    Invalidate();
}

void TKavGridButton::SetGlyph(TBitmap* Value) {
    glyph_->Assign(Value);
    if (glyphDisabled_->GetEmpty() && !glyph_->GetEmpty()) {
        // Every pixel a grey of half its brightness, lifted to 96..223.
        const int w = glyph_->GetWidth(), h = glyph_->GetHeight();
        glyphDisabled_->SetSize(w, h);
        TCanvas* from = glyph_->GetCanvas();
        TCanvas* to = glyphDisabled_->GetCanvas();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const COLORREF c = ColorToRGB(from->GetPixels(x, y));
                const int g = ((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3) / 2 + 96;
                to->SetPixels(x, y, RGB(g, g, g));
            }
    }
    Invalidate();
}

void TKavGridButton::SetLayout(TButtonLayout Value) {
    if (Value == layout_) return;
    layout_ = Value;
    Invalidate();
}

void TKavGridButton::SetMargin(int Value) {
    if (Value == margin_ || Value < -1) return;
    margin_ = Value;
    Invalidate();
}

void TKavGridButton::SetRounded(bool Value) {
    rounded_ = Value;
    Invalidate();
}

void TKavGridButton::SetShaded(bool Value) {
    shaded_ = Value;
    if (Value && !GetComponentState().Contains(csLoading)) GenerateShade();
}

void TKavGridButton::SetShowCaption(bool Value) {
    if (Value == showCaption_) return;
    showCaption_ = Value;
    Invalidate();
}

void TKavGridButton::SetSpacing(int Value) {
    if (Value == spacing_) return;
    spacing_ = Value;
    Invalidate();
}

void TKavGridButton::SetStyle(TKavGridButtonStyle Value) {
    style_ = Value;
    Invalidate();
}

void TKavGridButton::SetLook(int Look) {
    if (Look < 0 || Look > 6) return;
    const ::Look& l = kLooks[Look];
    SetColor(l.color);
    SetColorTo(l.colorTo);
    SetColorChecked(l.checked);
    SetColorCheckedTo(l.checkedTo);
    SetBorderColor(clNone);
    SetRounded(l.rounded);
    SetFlat(true);
    colorHot_ = l.hot;
    colorHotTo_ = l.hotTo;
    colorDown_ = l.down;
    colorDownTo_ = l.downTo;
    borderDownColor_ = l.borderDown;
    borderHotColor_ = l.borderHot;
}

void TKavGridButton::ThemeAdapt() {
    switch (DetectXPColorScheme()) {
    case xpcsBlue:
        return SetLook(2);
    case xpcsOlive:
        return SetLook(3);
    case xpcsSilver:
        return SetLook(4);
    default:
        return SetLook(1);
    }
}

void TKavGridButton::GenerateShade() {
    if (glyph_->GetEmpty()) return;
    // A grey silhouette of the glyph on the glyph's transparent colour (its bottom-left
    // pixel).
    const int w = glyph_->GetWidth(), h = glyph_->GetHeight();
    TCanvas* from = glyph_->GetCanvas();
    const TColor transparent = from->GetPixels(0, h - 1);
    shade_->SetSize(w, h);
    TCanvas* to = shade_->GetCanvas();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            to->SetPixels(x, y,
                          from->GetPixels(x, y) == transparent ? transparent
                                                               : static_cast<TColor>(0x808080));
}

// --- groups ---

void TKavGridButton::UpdateExclusive() {
    TWinControl* parent = GetParent();
    if (groupIndex_ == 0 || !parent) return;
    TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this),
               0};
    parent->Broadcast(m);
}

void TKavGridButton::ButtonPressed(TMessage& Message) {
    if (static_cast<int>(Message.WParam) != groupIndex_) return;
    auto* sender = dynamic_cast<TKavGridButton*>(reinterpret_cast<TControl*>(Message.LParam));
    if (!sender || sender == this) return;
    if (sender->down_ && down_) {
        down_ = false;
        state_ = bsUp;
        if (auto* a = dynamic_cast<TCustomAction*>(GetAction())) a->SetChecked(false);
        Invalidate();
    }
    allowAllUp_ = sender->allowAllUp_;
}

// --- mouse ---

bool TKavGridButton::Inside(int X, int Y) const {
    return X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight();
}

bool TKavGridButton::Hot() const {
    return mouseInControl_ && GetEnabled() && !GetComponentState().Contains(csDesigning);
}

void TKavGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    auto alive = Watch();
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (alive.expired() || Button != mbLeft || !GetEnabled()) return;
    if (dropDownButton_ && X > GetClientWidth() - 12) {
        state_ = bsUp;
        mouseInControl_ = false;
        Repaint();
        if (OnDropDown) OnDropDown(this);
        if (alive.expired()) return;
        if (dropDownMenu_ && GetParent()) {
            const TPoint p = GetParent()->ClientToScreen(TPoint(GetLeft(), GetTop() + GetHeight()));
            dropDownMenu_->Popup(p.x, p.y);
        }
        return;
    }
    if (!down_) {
        state_ = bsDown;
        Invalidate();
    }
    if (style_ == tasCheck) {
        state_ = bsDown;
        Repaint();
    }
    dragging_ = true;
}

void TKavGridButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!dragging_) {
        if (!mouseInControl_) UpdateTracking();
        return;
    }
    TButtonState now = down_ ? bsExclusive : bsUp;
    if (Inside(X, Y)) now = down_ ? bsExclusive : bsDown;
    if (style_ == tasCheck && down_) now = bsDown;
    if (now != state_) {
        state_ = now;
        Invalidate();
    }
}

void TKavGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    auto alive = Watch();
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (alive.expired() || !dragging_) return;
    dragging_ = false;
    const bool counts = Inside(X, Y);
    if (groupIndex_ == 0) {
        state_ = bsUp;
        mouseInControl_ = false;
        // A check button released outside itself stays as it was.
        if (style_ == tasCheck && counts) {
            SetDown(!down_);
            state_ = bsUp;
        }
        if (counts && state_ != bsDown && state_ != bsExclusive) Invalidate();
    } else if (counts) {
        SetDown(!down_);
        if (down_) Repaint();
    } else {
        if (down_) state_ = bsExclusive;
        Repaint();
    }
    if (counts) Click();
    if (alive.expired()) return;
    UpdateTracking();
}

void TKavGridButton::UpdateTracking() {
    if (!flat_ || !GetEnabled()) return;
    POINT p{};
    GetCursorPos(&p);
    const TPoint c = ScreenToClient(TPoint(p.x, p.y));
    const bool inside = GetVisible() && Inside(c.x, c.y) && c.y < GetClientHeight();
    if (inside != mouseInControl_) Perform(inside ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TKavGridButton::MouseEnter() {
    if (flat_ && !mouseInControl_ && GetEnabled() && GetDragMode() != dmAutomatic &&
        !GetCaptureControl()) {
        mouseInControl_ = true;
        Repaint();
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TKavGridButton::MouseLeave() {
    if (flat_ && mouseInControl_ && GetEnabled() && !dragging_) {
        mouseInControl_ = false;
        Invalidate();
    }
    if (OnMouseLeave) OnMouseLeave(this);
}

// --- messages ---

// The class library's message that asks controls to take the desktop's look again, and the
// window system's message that the desktop's colours changed.
constexpr UINT ThemeAgainMessage = 0xB035;
constexpr UINT SysColorChangeMessage = 0x0015;

void TKavGridButton::WndProc(TMessage& Message) {
    if (autoThemeAdapt_ && (Message.Msg == WM_THEMECHANGED || Message.Msg == ThemeAgainMessage))
        ThemeAdapt();
    TGraphicControl::WndProc(Message);
}

void TKavGridButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_BUTTONPRESSED:
        return ButtonPressed(Message);
    case CM_MOUSEENTER:
        TGraphicControl::Dispatch(Message);
        return MouseEnter();
    case CM_MOUSELEAVE:
        TGraphicControl::Dispatch(Message);
        return MouseLeave();
    case CM_ENABLEDCHANGED:
        TGraphicControl::Dispatch(Message);
        UpdateTracking();
        return Repaint();
    case WM_LBUTTONDBLCLK:
        // The style has no click events: only a button that is down reports a double click.
        TGraphicControl::Dispatch(Message);
        if (down_) DblClick();
        return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case SysColorChangeMessage:
        TGraphicControl::Dispatch(Message);
        return Invalidate();
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(Message.WParam), GetCaption()) && GetEnabled() &&
            GetVisible() && GetParent() && GetParent()->IsShowing()) {
            Click();
            Message.Result = 1;
            return;
        }
        return TGraphicControl::Dispatch(Message);
    default:
        TGraphicControl::Dispatch(Message);
    }
}
