#include "plataforma/gui/widgets/label.h"

#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_text.h"

namespace {

constexpr unsigned kAlineacion[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

} // namespace

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(GetControlStyle() << csOpaque << csReplicatable);
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    SetWatched(this, focusControl_, Value);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::SetTransparent(bool Value) {
    if (GetTransparent() == Value) return;
    TControlStyle s = GetControlStyle();
    SetControlStyle(Value ? s >> csOpaque : s << csOpaque);
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (layout_ == Value) return;
    layout_ = Value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
    if (autoSize_ == Value) return;
    autoSize_ = Value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (wordWrap_ == Value) return;
    wordWrap_ = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (showAccelChar_ == Value) return;
    showAccelChar_ = Value;
    Invalidate();
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::DoDrawText(TCanvas* Canvas, TRect& Rect, unsigned Flags) {
    AnsiString text = GetLabelText();
    // An empty caption still measures one line.
    if ((Flags & DT_CALCRECT) && (text.IsEmpty() || (showAccelChar_ && text == "&"))) text += " ";
    if (!showAccelChar_) Flags |= DT_NOPREFIX;
    Canvas->SetFont(GetFont());
    if (!GetEnabled()) {
        Rect = OffsetRect(Rect, 1, 1);
        Canvas->GetFont()->SetColor(clBtnHighlight);
        DrawText(Canvas->GetHandle(), text.c_str(), text.Length(), &Rect, Flags);
        Rect = OffsetRect(Rect, -1, -1);
        Canvas->GetFont()->SetColor(clBtnShadow);
    }
    DrawText(Canvas->GetHandle(), text.c_str(), text.Length(), &Rect, Flags);
}

void TCustomLabel::Paint() {
    TCanvas* canvas = GetCanvas();
    if (!GetTransparent()) {
        canvas->GetBrush()->SetColor(GetColor());
        canvas->GetBrush()->SetStyle(bsSolid);
        canvas->FillRect(GetClientRect());
    }
    canvas->GetBrush()->SetStyle(bsClear);
    TRect r = GetClientRect();
    const unsigned flags =
        DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0u) | kAlineacion[alignment_];
    if (layout_ != tlTop) {
        TRect calc = r;
        DoDrawText(canvas, calc, flags | DT_CALCRECT);
        const int dy =
            layout_ == tlBottom ? GetHeight() - calc.Bottom : (GetHeight() - calc.Bottom) / 2;
        r = OffsetRect(r, 0, dy);
    }
    DoDrawText(canvas, r, flags);
}

void TCustomLabel::AdjustBounds() {
    if (!autoSize_ || GetComponentState().Contains(csLoading)) return;
    // Measured on a canvas of its own: the label's may be drawing.
    TBitmap medida;
    medida.SetSize(1, 1);
    TRect r = GetClientRect();
    DoDrawText(medida.GetCanvas(), r,
               DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0u));
    int x = GetLeft();
    if (alignment_ == taRightJustify) x += GetWidth() - r.Right;
    SetBounds(x, GetTop(), r.Right, r.Bottom);
}

void TCustomLabel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
        Invalidate();
        AdjustBounds();
        return;
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(Message);
        AdjustBounds();
        return;
    case CM_DIALOGCHAR:
        // The "&" letter gives the focus to the control the label names.
        if (focusControl_ && GetEnabled() && showAccelChar_ &&
            IsAccel(static_cast<WORD>(Message.WParam), GetCaption()) && focusControl_->CanFocus()) {
            focusControl_->SetFocus();
            Message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TGraphicControl::Dispatch(Message);
}
