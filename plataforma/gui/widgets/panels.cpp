// TPanel, TGroupBox, TBevel and TSplitter.

#include "plataforma/gui/widgets/panels.h"

#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/forms/menus.h"

#include <algorithm>

namespace {

constexpr unsigned kAlineacion[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

void ColoresDeBisel(TPanelBevel bevel, TColor& arriba, TColor& abajo) {
    arriba = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    abajo = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

} // namespace

// --- TCustomPanel ---

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                     csDoubleClicks, csReplicatable});
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
    SetParentColor(false);
}

void TCustomPanel::Relayout() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    alignment_ = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
    bevelInner_ = Value;
    Relayout();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
    bevelOuter_ = Value;
    Relayout();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value) {
    bevelWidth_ = std::max(1, Value);
    Relayout();
}

void TCustomPanel::SetBorderWidth(int Value) {
    borderWidth_ = std::max(0, Value);
    Relayout();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    RecreateWnd();
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    Rect = InflateRect(Rect, -borderWidth_, -borderWidth_);
    int bisel = 0;
    if (bevelOuter_ != bvNone) bisel += bevelWidth_;
    if (bevelInner_ != bvNone) bisel += bevelWidth_;
    Rect = InflateRect(Rect, -bisel, -bisel);
}

void TCustomPanel::Paint() {
    TCanvas* canvas = GetCanvas();
    TRect r = GetClientRect();
    TColor arriba, abajo;
    if (bevelOuter_ != bvNone) {
        ColoresDeBisel(bevelOuter_, arriba, abajo);
        Frame3D(canvas, r, arriba, abajo, bevelWidth_);
    }
    Frame3D(canvas, r, GetColor(), GetColor(), borderWidth_);
    if (bevelInner_ != bvNone) {
        ColoresDeBisel(bevelInner_, arriba, abajo);
        Frame3D(canvas, r, arriba, abajo, bevelWidth_);
    }
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(r);
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->SetFont(GetFont());
    const int alto = canvas->TextHeight("W");
    r.Top = (r.Bottom + r.Top - alto) / 2;
    r.Bottom = r.Top + alto;
    AnsiString caption = GetCaption();
    DrawText(canvas->GetHandle(), caption.c_str(), -1, &r,
             DT_EXPANDTABS | DT_VCENTER | kAlineacion[alignment_]);
}

void TCustomPanel::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_TEXTCHANGED) {
        Invalidate();
        return;
    }
    TCustomControl::Dispatch(Message);
}

// --- TCustomGroupBox ---

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                     csReplicatable});
    SetBounds(0, 0, 185, 105);
}

int TCustomGroupBox::CaptionHeight() const {
    TBitmap medida;
    medida.SetSize(1, 1);
    medida.GetCanvas()->SetFont(GetFont());
    return medida.GetCanvas()->TextHeight("0");
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    Rect.Top += CaptionHeight();
    Rect = InflateRect(Rect, -2, -2);
}

void TCustomGroupBox::Paint() {
    TCanvas* canvas = GetCanvas();
    canvas->SetFont(GetFont());
    const int alto = canvas->TextHeight("0");
    // The etched frame: a highlight line under a shadow line.
    TRect r(1, alto / 2, GetWidth(), GetHeight());
    canvas->GetBrush()->SetColor(clBtnHighlight);
    canvas->FrameRect(r);
    r = OffsetRect(r, -1, -1);
    canvas->GetBrush()->SetColor(clBtnShadow);
    canvas->FrameRect(r);
    AnsiString text = GetCaption();
    if (!text.IsEmpty()) {
        TRect t(8, 0, 0, alto);
        DrawText(canvas->GetHandle(), text.c_str(), text.Length(), &t, DT_SINGLELINE | DT_CALCRECT);
        canvas->GetBrush()->SetColor(GetColor());
        DrawText(canvas->GetHandle(), text.c_str(), text.Length(), &t, DT_SINGLELINE);
    }
}

void TCustomGroupBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(Message);
        Realign();
        return;
    case CM_DIALOGCHAR:
        // The "&" letter goes to the group's first control.
        if (IsAccel(static_cast<WORD>(Message.WParam), GetCaption()) && CanFocus()) {
            if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
            Message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}

// --- TBevel ---

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(GetControlStyle() << csReplicatable);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
    if (shape_ == Value) return;
    shape_ = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* c = GetCanvas();
    c->GetPen()->SetWidth(1);
    TColor color1 = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor color2 = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = GetWidth(), h = GetHeight();
    // The top and left sides in one colour, the bottom and right in the other.
    auto rect = [&](const TRect& r, TColor a, TColor b) {
        c->GetPen()->SetColor(a);
        c->Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
        c->GetPen()->SetColor(b);
        c->Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}});
    };
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        c->GetPen()->SetColor(color);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    switch (shape_) {
    case bsBox:
        rect(TRect(0, 0, w - 1, h - 1), color1, color2);
        break;
    case bsFrame:
        rect(TRect(1, 1, w - 1, h - 1), color2, color2);
        rect(TRect(0, 0, w - 2, h - 2), color1, color1);
        break;
    case bsTopLine:
        line(color1, 0, 0, w, 0);
        line(color2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(color1, 0, h - 2, w, h - 2);
        line(color2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(color1, 0, 0, 0, h);
        line(color2, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(color1, w - 2, 0, w - 2, h);
        line(color2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        break;
    }
}

// --- TSplitter ---

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetAlign(alLeft);
    SetBounds(0, 0, 3, 100);
    SetCursor(crHSplit);
}

void TSplitter::SetBeveled(bool Value) {
    beveled_ = Value;
    Invalidate();
}

void TSplitter::Paint() {
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    c->GetBrush()->SetColor(GetColor());
    c->FillRect(r);
    if (beveled_) {
        if (GetAlign() == alLeft || GetAlign() == alRight)
            r = InflateRect(r, -1, 2);
        else
            r = InflateRect(r, 2, -1);
        Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    }
}

TControl* TSplitter::FindControl() const {
    if (control_) return control_;
    TWinControl* parent = GetParent();
    if (!parent) return nullptr;
    TPoint p{GetLeft(), GetTop()};
    switch (GetAlign()) {
    case alLeft:
        --p.x;
        break;
    case alRight:
        p.x += GetWidth();
        break;
    case alTop:
        --p.y;
        break;
    case alBottom:
        p.y += GetHeight();
        break;
    default:
        return nullptr;
    }
    for (int i = 0; i < parent->GetControlCount(); ++i) {
        TControl* c = parent->GetControls(i);
        if (c == this || !c->GetVisible() || !c->GetEnabled()) continue;
        TRect r = c->GetBoundsRect();
        // A collapsed control still counts on the splitter's side.
        if (r.Width() == 0) (GetAlign() == alTop || GetAlign() == alLeft) ? --r.Left : ++r.Right;
        if (r.Height() == 0) (GetAlign() == alTop || GetAlign() == alLeft) ? --r.Top : ++r.Bottom;
        if (PtInRect(r, p)) return c;
    }
    return nullptr;
}

bool TSplitter::DoCanResize(int& NewSize) {
    bool accept = true;
    if (OnCanResize) OnCanResize(this, NewSize, accept);
    if (accept) {
        if (NewSize <= minSize_) NewSize = minSize_;
        NewSize = std::min(NewSize, maxSize_);
    }
    return accept;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    TControl* c = FindControl();
    TWinControl* parent = GetParent();
    if (!c || !parent) return;
    downPos_ = {X, Y};
    const bool horizontal = GetAlign() == alLeft || GetAlign() == alRight;
    // What the parent leaves: its client size less the other controls on the same axis,
    // the splitter included.
    maxSize_ = (horizontal ? parent->GetClientWidth() : parent->GetClientHeight()) - minSize_;
    for (int i = 0; i < parent->GetControlCount(); ++i) {
        TControl* o = parent->GetControls(i);
        if (o == c || !o->GetVisible()) continue;
        const TAlign a = o->GetAlign();
        if (horizontal && (a == alLeft || a == alRight)) maxSize_ -= o->GetWidth();
        if (!horizontal && (a == alTop || a == alBottom)) maxSize_ -= o->GetHeight();
    }
    control_ = c;
    oldSize_ = horizontal ? c->GetWidth() : c->GetHeight();
}

void TSplitter::CalcSplitSize(int X, int Y, int& NewSize) {
    const int split =
        (GetAlign() == alLeft || GetAlign() == alRight) ? X - downPos_.x : Y - downPos_.y;
    switch (GetAlign()) {
    case alLeft:
        NewSize = control_->GetWidth() + split;
        break;
    case alRight:
        NewSize = control_->GetWidth() - split;
        break;
    case alTop:
        NewSize = control_->GetHeight() + split;
        break;
    case alBottom:
        NewSize = control_->GetHeight() - split;
        break;
    default:
        NewSize = oldSize_;
        break;
    }
    NewSize = std::clamp(NewSize, minSize_, std::max(minSize_, maxSize_));
}

void TSplitter::UpdateControlSize(int NewSize) {
    if (!control_ || NewSize == oldSize_) return;
    auto alive = Watch();
    switch (GetAlign()) {
    case alLeft:
    case alRight:
        control_->SetWidth(NewSize);
        break;
    case alTop:
    case alBottom:
        control_->SetHeight(NewSize);
        break;
    default:
        break;
    }
    if (alive.expired()) return;
    oldSize_ = NewSize;
    if (OnMoved) OnMoved(this);
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!control_) return;
    int size = 0;
    CalcSplitSize(X, Y, size);
    if (resizeStyle_ != rsNone && DoCanResize(size)) UpdateControlSize(size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (control_) {
        int size = 0;
        CalcSplitSize(X, Y, size);
        if (DoCanResize(size)) UpdateControlSize(size);
        control_ = nullptr;
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}
