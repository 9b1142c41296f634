#include "controles/edit/kav_mask_edit.h"

#include "controles/edit/edit_border.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/painting/canvas.h"

TKavMaskEdit::TKavMaskEdit(TComponent* AOwner)
    : TMaskEdit(AOwner), canvases_(std::make_unique<WindowCanvases>(this)) {
    savedBorderStyle_ = GetBorderStyle();
    normalFontColor_ = GetFont()->GetColor();
}

TKavMaskEdit::~TKavMaskEdit() {
    label_.Release();
}

void TKavMaskEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TMaskEdit::Notification(AComponent, Operation);
    if (Operation == opRemove) label_.Forget(AComponent);
}

void TKavMaskEdit::Loaded() {
    TMaskEdit::Loaded();
    normalFontColor_ = GetFont()->GetColor();
    savedBorderStyle_ = GetBorderStyle();
    if (flat_) {
        flat_ = false;
        SetFlat(true);
    }
    label_.FollowEnabled(GetEnabled());
    if (loadedColor_ != clNone) {
        TMaskEdit::SetColor(loadedColor_);
        normalColor_ = loadedColor_;
    }
    if (flatParentColor_ && flat_ && GetParent()) SetColorEx(GetParent()->GetColor());
    if (!GetEnabled()) TMaskEdit::SetColor(disabledColor_);
    UpdateLabel();
}

// --- window ---

void TKavMaskEdit::CreateParams(TCreateParams& Params) {
    TMaskEdit::CreateParams(Params);
    if (GetPasswordChar() == 0) Params.Style |= ES_MULTILINE;
    if (alignment_ == taRightJustify)
        Params.Style = (Params.Style & ~DWORD(ES_CENTER)) | ES_RIGHT | ES_MULTILINE;
    if (alignment_ == taCenter)
        Params.Style = (Params.Style & ~DWORD(ES_RIGHT)) | ES_CENTER | ES_MULTILINE;
}

void TKavMaskEdit::CreateWnd() {
    TMaskEdit::CreateWnd();
    SetFlatRect(flat_);
}

void TKavMaskEdit::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    if (HandleAllocated()) RecreateWnd();
}

bool TKavMaskEdit::HasFocus() const {
    auto* self = const_cast<TKavMaskEdit*>(this);
    return self->HandleAllocated() && self->GetHandle() == GetFocus();
}

// --- colours ---

void TKavMaskEdit::SetColorEx(TColor Value) {
    if (Loading()) loadedColor_ = Value;
    TMaskEdit::SetColor(Value);
    if (!Loading()) normalColor_ = Value;
}

void TKavMaskEdit::SetEnabledEx(bool Value) {
    const bool was = TMaskEdit::GetEnabled();
    TMaskEdit::SetEnabled(Value);
    if (Loading() || Designing() || was == Value) return;
    if (Value) {
        SetColorEx(normalColor_);
    } else {
        const TColor remembered = TMaskEdit::GetColor();
        SetColorEx(disabledColor_);
        normalColor_ = remembered;
    }
    label_.FollowEnabled(Value);
}

void TKavMaskEdit::SetDisabledColor(TColor Value) {
    disabledColor_ = Value;
    if (!GetEnabled()) TMaskEdit::SetColor(Value);
}

void TKavMaskEdit::SetModified(bool Value) {
    if (showModified_) GetFont()->SetColor(Value ? modifiedColor_ : normalFontColor_);
    TMaskEdit::SetModified(Value);
}

// --- look ---

void TKavMaskEdit::SetFlatRect(bool Flat) {
    SetFlatFormatRect(this, Flat);
}

void TKavMaskEdit::SetFlat(bool Value) {
    if (flat_ == Value) return;
    flat_ = Value;
    if (Loading()) return;
    if (Value) {
        if (flatParentColor_ && GetParent()) SetColorEx(GetParent()->GetColor());
        SetBorderStyle(bsNone);
    } else {
        SetColorEx(clWindow);
        SetBorderStyle(savedBorderStyle_);
    }
    SetFlatRect(Value);
    Invalidate();
}

void TKavMaskEdit::SetFlatLineColor(TColor Value) {
    flatLineColor_ = Value;
    Invalidate();
}

void TKavMaskEdit::SetFlatParentColor(bool Value) {
    flatParentColor_ = Value;
    Invalidate();
}

void TKavMaskEdit::SetSoftBorder(bool Value) {
    softBorder_ = Value;
    Invalidate();
}

void TKavMaskEdit::SetFocusBorder(bool Value) {
    focusBorder_ = Value;
    Invalidate();
}

// --- label ---

AnsiString TKavMaskEdit::GetLabelCaption() const {
    return label_.Caption();
}

void TKavMaskEdit::SetLabelCaption(const AnsiString& Value) {
    if (!label_.Label) label_.Create(this);
    label_.Label->SetCaption(Value);
    UpdateLabel();
}

void TKavMaskEdit::SetLabelPosition(TLabelPosition Value) {
    label_.Position = Value;
    UpdateLabel();
}

void TKavMaskEdit::SetLabelMargin(int Value) {
    label_.Margin = Value;
    UpdateLabel();
}

void TKavMaskEdit::SetLabelTransparent(bool Value) {
    label_.Transparent = Value;
    UpdateLabel();
}

void TKavMaskEdit::SetLabelAlwaysEnabled(bool Value) {
    label_.SetAlwaysEnabled(Value, GetEnabled());
}

void TKavMaskEdit::UpdateLabel() {
    if (!label_.Label) return;
    label_.Label->SetTransparent(label_.Transparent);
    // The centred positions leave the label where it stands.
    if (label_.Position != lpTopCenter && label_.Position != lpBottomCenter)
        PlaceAttachedLabel(label_.Label, Bounds(GetLeft(), GetTop(), GetWidth(), GetHeight()),
                           label_.Position, label_.Margin);
    label_.Label->SetVisible(GetVisible());
}

void TKavMaskEdit::SetVisible(bool Value) {
    TMaskEdit::SetVisible(Value);
    label_.FollowVisible(Value);
}

void TKavMaskEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateLabel();
    SetFlatRect(flat_);
}

void TKavMaskEdit::SetParent(TWinControl* AParent) {
    TMaskEdit::SetParent(AParent);
    if (label_.Label) {
        label_.Label->SetParent(AParent);
        UpdateLabel();
    }
}

// --- keys and focus ---

void TKavMaskEdit::SelectFirst() {
    SetSelStart(0);
    SetSelLength(1);
}

void TKavMaskEdit::DoEnter() {
    if (IsMasked() && selectFirstChar_) SelectFirst();
    // The edit's own select-all on entry is the focus handler's (below).
    const bool autoSelect = GetAutoSelect();
    SetAutoSelect(false);
    TMaskEdit::DoEnter();
    SetAutoSelect(autoSelect);
}

void TKavMaskEdit::KeyUp(WORD& Key, TShiftState Shift) {
    TMaskEdit::KeyUp(Key, Shift);
    // Filled, caret at the end: on to the next control unless the handler says no.
    if (!IsMaskFilled() || GetSelStart() < GetEditText().Length()) return;
    bool accept = true;
    if (OnMaskComplete) OnMaskComplete(this, GetText(), accept);
    if (autoTab_ && accept && HandleAllocated()) PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
}

void TKavMaskEdit::WMChar(TMessage& Message) {
    if (Message.WParam == VK_RETURN && returnIsTab_) return;
    TMaskEdit::Dispatch(Message);
    if (showModified_) GetFont()->SetColor(modifiedColor_);
}

void TKavMaskEdit::WMKeyDown(TMessage& Message) {
    if (Message.WParam == VK_RETURN && returnIsTab_) {
        Message.WParam = VK_TAB;
        if (HandleAllocated()) PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    } else if (Message.WParam == VK_ESCAPE) {
        // The same for every alignment: the undo, then the parent hears Escape.
        if (canUndo_) SetText(originalText_);
        if (GetParent() && GetParent()->HandleAllocated())
            PostMessage(GetParent()->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
    }
    TMaskEdit::Dispatch(Message);
}

void TKavMaskEdit::WMSetFocus(TMessage& Message) {
    TMaskEdit::Dispatch(Message);
    if (Loading()) return;
    TMaskEdit::SetColor(focusColor_);
    originalText_ = GetText();
    GetFont()->SetColor(focusFontColor_);
    if (IsMasked() && selectFirstChar_)
        SelectFirst();
    else if (GetAutoSelect())
        SelectAll();
}

void TKavMaskEdit::WMKillFocus(TMessage& Message) {
    TMaskEdit::Dispatch(Message);
    if (Loading()) return;
    TMaskEdit::SetColor(normalColor_);
    GetFont()->SetColor(normalFontColor_);
}

// --- painting and mouse ---

void TKavMaskEdit::WMPaint(TMessage& Message) {
    auto alive = Watch();
    TMaskEdit::Dispatch(Message);
    if (alive.expired() || !HandleAllocated() || !flat_) return;
    const int w = GetWidth(), h = GetHeight();
    if (focusBorder_) {
        const bool sunken = mouseInControl_ || HasFocus();
        const TColor frame =
            sunken ? clBtnFace : (GetParent() ? GetParent()->GetColor() : GetColor());
        canvases_->Draw([&](TCanvas* c, int o) { DrawEditFrame(c, o, w, h, sunken, frame); });
    } else {
        TRect r;
        Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        canvases_->Draw([&](TCanvas* c, int o) {
            DrawFlatEditLine(c, o, r, w, h, flatLineColor_, softBorder_);
        });
    }
}

void TKavMaskEdit::CMMouseEnter(TMessage& Message) {
    TMaskEdit::Dispatch(Message);
    if (autoFocus_ && CanFocus()) SetFocus();
    if (!mouseInControl_ && GetEnabled()) {
        mouseInControl_ = true;
        if (focusBorder_) Invalidate();
    }
}

void TKavMaskEdit::CMMouseLeave(TMessage& Message) {
    TMaskEdit::Dispatch(Message);
    if (mouseInControl_ && GetEnabled()) {
        mouseInControl_ = false;
        if (focusBorder_) Invalidate();
    }
}

void TKavMaskEdit::CMFontChanged(TMessage& Message) {
    if (Designing() && label_.Label) label_.Label->SetFont(GetFont());
    TMaskEdit::Dispatch(Message);
    SetFlatRect(flat_);
}

void TKavMaskEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CHAR:
        return WMChar(Message);
    case WM_KEYDOWN:
        return WMKeyDown(Message);
    case WM_SETFOCUS:
        return WMSetFocus(Message);
    case WM_KILLFOCUS:
        return WMKillFocus(Message);
    case WM_PAINT:
        return WMPaint(Message);
    case CM_MOUSEENTER:
        return CMMouseEnter(Message);
    case CM_MOUSELEAVE:
        return CMMouseLeave(Message);
    case CM_FONTCHANGED:
        return CMFontChanged(Message);
    default:
        TMaskEdit::Dispatch(Message);
    }
}
