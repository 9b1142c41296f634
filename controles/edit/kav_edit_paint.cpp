// TKavEdit: the attached label and where it stands, the flat, soft, 3-D and focus borders,
// transparency over the parent, the grey hint of an empty edit, the red error wave, the
// hint of a text too long to show, and the mouse entering and leaving.

#include "controles/edit/kav_edit.h"

#include "controles/edit/edit_border.h"

#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/gdi.h"

#include <algorithm>

// --- label ---

AnsiString TKavEdit::GetLabelCaption() const {
    return label_.Caption();
}

void TKavEdit::SetLabelCaption(const AnsiString& Value) {
    if (!label_.Label) {
        label_.Create(this);
        label_.Label->OnClick = [this](TObject*) {
            if (OnLabelClick) OnLabelClick(this);
        };
        label_.Label->OnDblClick = [this](TObject*) {
            if (OnLabelDblClick) OnLabelDblClick(this);
        };
        label_.Label->SetParentFont(GetParentFont());
    }
    label_.Label->SetCaption(Value);
    UpdateLabel();
}

void TKavEdit::SetLabelPosition(TLabelPosition Value) {
    label_.Position = Value;
    if (label_.Label) UpdateLabel();
}

void TKavEdit::SetLabelMargin(int Value) {
    label_.Margin = Value;
    if (label_.Label) UpdateLabel();
}

void TKavEdit::SetLabelTransparent(bool Value) {
    label_.Transparent = Value;
    if (label_.Label) UpdateLabel();
}

void TKavEdit::SetLabelFont(TFont* Value) {
    label_.Font->Assign(Value);
}

void TKavEdit::LabelFontChanged(TObject*) {
    if (label_.Label) UpdateLabel();
}

void TKavEdit::SetLabelAlwaysEnabled(bool Value) {
    label_.SetAlwaysEnabled(Value, GetEnabled());
    Invalidate();
}

void TKavEdit::UpdateLabel() {
    if (!label_.Label) return;
    label_.Label->SetTransparent(label_.Transparent);
    if (!GetParentFont()) label_.Label->GetFont()->Assign(label_.Font.get());
    PlaceAttachedLabel(label_.Label, Bounds(GetLeft(), GetTop(), GetWidth(), GetHeightEx()),
                       label_.Position, label_.Margin);
    label_.Label->SetVisible(GetVisible());
}

void TKavEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (label_.Label) UpdateLabel();
    if (HandleAllocated()) SetFlatRect(flat_);
}

void TKavEdit::SetParent(TWinControl* AParent) {
    TCustomEdit::SetParent(AParent);
    if (label_.Label) {
        label_.Label->SetParent(AParent);
        UpdateLabel();
    }
}

// --- look ---

void TKavEdit::SetFlatRect(bool Flat) {
    SetFlatFormatRect(this, Flat);
}

void TKavEdit::SetFlat(bool Value) {
    if (Loading()) {
        flat_ = Value;
        return;
    }
    if (Value == flat_) return;
    flat_ = Value;
    if (Value) {
        const TColor remembered = TCustomEdit::GetColor();
        if (flatParentColor_ && GetParent()) {
            TCustomEdit::SetColor(GetParent()->GetColor());
            focusColor_ = GetParent()->GetColor();
        }
        normalColor_ = remembered;
        SetBorderStyle(bsNone);
        SetFlatRect(true);
    } else {
        SetColorEx(normalColor_);
        SetBorderStyle(savedBorderStyle_);
        SetFlatRect(false);
    }
    Invalidate();
}

void TKavEdit::SetFlatLineColor(TColor Value) {
    flatLineColor_ = Value;
    Invalidate();
}
void TKavEdit::SetFlatParentColor(bool Value) {
    flatParentColor_ = Value;
    Invalidate();
}
void TKavEdit::SetSoftBorder(bool Value) {
    softBorder_ = Value;
    Invalidate();
}
void TKavEdit::SetBorder3D(bool Value) {
    border3D_ = Value;
    Invalidate();
}
void TKavEdit::SetFocusBorder(bool Value) {
    focusBorder_ = Value;
    Invalidate();
}
void TKavEdit::SetFocusBorderColor(TColor Value) {
    focusBorderColor_ = Value;
    Invalidate();
}
void TKavEdit::SetTransparent(bool Value) {
    if (transparent_ == Value) return;
    transparent_ = Value;
    Invalidate();
}
void TKavEdit::SetEmptyText(const AnsiString& Value) {
    emptyText_ = Value;
    Invalidate();
}
void TKavEdit::SetErrorMarkerPos(int Value) {
    errorMarkerPos_ = Value;
    Invalidate();
}
void TKavEdit::SetErrorMarkerLen(int Value) {
    errorMarkerLen_ = Value;
    Invalidate();
}

int TKavEdit::GetTextSize() const {
    auto* self = const_cast<TKavEdit*>(this);
    if (!canvases_) return 0;
    TCanvas* c = self->ClientCanvas();
    c->SetFont(GetFont());
    return c->TextWidth(GetText());
}

// --- painting ---

TCanvas* TKavEdit::ClientCanvas() {
    return canvases_->Client();
}

void TKavEdit::DrawOnWindow(const std::function<void(TCanvas*, int)>& Draw) {
    canvases_->Draw(Draw);
}

void TKavEdit::WMPaint(TMessage& Message) {
    auto alive = Watch();
    TCustomEdit::Dispatch(Message);
    // Nothing of its own while the control is being destroyed.
    if (alive.expired() || !HandleAllocated() || !canvases_) return;
    // The frame first, so that the flat line or frame stays over it.
    DrawBorder();
    PaintEdit();
}

void TKavEdit::WMNCPaint(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    // The control's own border goes over the system's.
    if (GetBorderWidth() > 0 && canvases_) DrawBorder();
}

void TKavEdit::PaintEdit() {
    const int w = GetWidth(), h = GetHeight();
    if (flat_) {
        if (focusBorder_) {
            DrawOnWindow([&](TCanvas* c, int o) { DrawControlBorder(c, o); });
        } else {
            TRect r;
            Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
            DrawOnWindow([&](TCanvas* c, int o) {
                DrawFlatEditLine(c, o, r, w, h, flatLineColor_, softBorder_);
            });
        }
    }
    TCanvas* c = ClientCanvas();
    if (dropCaret_.x != -1 || dropCaret_.y != -1) {
        // Where dragged text would land.
        c->GetPen()->SetColor(GetFont()->GetColor());
        c->GetPen()->SetWidth(1);
        c->GetPen()->SetStyle(psSolid);
        c->GetPen()->SetMode(pmCopy);
        c->MoveTo(dropCaret_.x, dropCaret_.y);
        c->LineTo(dropCaret_.x, dropCaret_.y + std::abs(GetFont()->GetHeight()));
    }
    if (GetText().IsEmpty() && !HasFocus() && !emptyText_.IsEmpty()) {
        TFont fresh;
        c->SetFont(&fresh);
        c->GetFont()->SetColor(static_cast<TColor>(0x808080));
        c->GetBrush()->SetStyle(bsClear);
        c->TextOut(2, 2, emptyText_);
        c->GetBrush()->SetStyle(bsSolid);
    }
    if (!HasFocus() && errorMarkerLen_ >= 1) DrawErrorLines(c, errorMarkerPos_, errorMarkerLen_);
}

void TKavEdit::DrawErrorLines(TCanvas* Canvas, int Pos, int Len) {
    const AnsiString text = WindowText();
    if (text.IsEmpty()) return;
    auto posOf = [&](int index, TPoint& p) {
        const LRESULT r = Perform(EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
        if (r == -1) return false;
        p = TPoint(static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r)));
        return true;
    };
    const int last = text.Length() - 1;
    TPoint start, end;
    if (Pos < text.Length()) {
        if (!posOf(Pos, start)) return;
    } else {
        if (!posOf(last, start)) return;
        start.x += 4;
    }
    if (Pos + Len - 1 < text.Length()) {
        if (!posOf(Pos + Len - 1, end)) return;
    } else {
        if (!posOf(last, end)) return;
        end.x += 4;
    }
    end.y = start.y;
    Canvas->GetPen()->SetColor(static_cast<TColor>(255));
    Canvas->GetPen()->SetWidth(2);
    Canvas->GetPen()->SetStyle(psSolid);
    Canvas->SetFont(GetFont());
    const int base = Canvas->TextHeight("gh") - 1;
    int x = start.x;
    // Kept inside the client area: the fonts here are taller for their size than the
    // ones the edit was laid out for, and a wave below the bottom would not show.
    const int y = std::min(start.y + base + 3, GetClientHeight() - 5);
    const int xEnd = end.x;
    bool down = false;
    Canvas->MoveTo(x, y);
    while (x <= xEnd) {
        x += 3;
        down = !down;
        Canvas->LineTo(x, down ? y + 3 : y);
    }
    x += 3;
    down = !down;
    Canvas->LineTo(x, down ? y + 3 : y);
    Canvas->GetPen()->SetWidth(1);
}

bool TKavEdit::Is3DBorderButton() const {
    if (Designing()) return (GetEnabled() && focusBorder_) || border3D_;
    const bool active = Screen && Screen->GetActiveControl() == this;
    return ((mouseInControl_ || active) && focusBorder_) || border3D_;
}

void TKavEdit::DrawBorder() {
    if (!(flat_ || (focusBorder_ && mouseInControl_) || border3D_ || focusBorderColor_ != clNone))
        return;
    DrawOnWindow([&](TCanvas* c, int o) { DrawControlBorder(c, o); });
}

void TKavEdit::DrawControlBorder(TCanvas* Canvas, int Offset) {
    TRect r(Offset, Offset, Offset + GetWidth(), Offset + GetHeight());
    if (focusBorderColor_ == clNone) {
        const bool sunken = Is3DBorderButton();
        DrawEditFrame(Canvas, Offset, GetWidth(), GetHeight(), sunken,
                      sunken ? clBtnFace
                             : (GetParent() ? GetParent()->GetColor() : TCustomEdit::GetColor()));
    } else if (HasFocus()) {
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(focusBorderColor_);
        Canvas->FrameRect(r);
    }
}

// --- transparency ---

void TKavEdit::CNCtlColor(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (transparent_) SetBkMode(reinterpret_cast<HDC>(Message.WParam), TRANSPARENT);
}

void TKavEdit::WMEraseBkgnd(TWMEraseBkgnd& Message) {
    TWinControl* parent = GetParent();
    if (!transparent_ || !parent) return TCustomEdit::Dispatch(Message.Message);
    Message.Result = 1;
    HDC dc = Message.DC;
    const bool own = dc == nullptr && HandleAllocated();
    if (own) dc = GetDC(GetHandle());
    if (!dc) return;
    const int saved = SaveDC(dc);
    // The parent's client area, seen from this control's client area.
    const TPoint at = parent->ScreenToClient(GetClientOrigin());
    SetWindowOrgEx(dc, at.x, at.y, nullptr);
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->PaintControls(dc, nullptr);
    RestoreDC(dc, saved);
    if (own) ReleaseDC(GetHandle(), dc);
}

// --- mouse and hints ---

void TKavEdit::CMMouseEnter(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (autoFocus_ && !Designing() && CanFocus()) SetFocus();
    if (!mouseInControl_ && GetEnabled()) {
        mouseInControl_ = true;
        if (focusBorder_) Invalidate();
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TKavEdit::CMMouseLeave(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (mouseInControl_ && GetEnabled()) {
        mouseInControl_ = false;
        if (focusBorder_) Invalidate();
    }
    if (OnMouseLeave) OnMouseLeave(this);
}

void TKavEdit::CMHintShow(TCMHintShow& Message) {
    if (hintShowLargeText_ && Message.HintInfo && GetTextSize() > GetWidth()) {
        Message.HintInfo->HintStr = GetText();
        Message.HintInfo->HintPos = ClientToScreen(TPoint(0, 0));
    }
    TCustomEdit::Dispatch(Message.Message);
}

void TKavEdit::CMFontChanged(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    SetFlatRect(flat_);
    if ((Designing() || Loading()) && label_.Label) label_.Label->SetFont(GetFont());
}

void TKavEdit::CMParentFontChanged(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (label_.Label && GetParentFont()) label_.Label->SetFont(GetFont());
}

void TKavEdit::CMCancelMode(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (LookupVisible()) lookupWindow_->SetVisible(false);
}

void TKavEdit::WMDestroy(TMessage& Message) {
    if (!Designing()) SavePersist();
    TCustomEdit::Dispatch(Message);
}
