// The markup hint window: measuring, placing on the screen and painting.

#include "controles/grid/markup/html_hint_window.h"

#include "controles/grid/markup/markup_renderer.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/painting/canvas.h"

namespace {

constexpr int kMeasureWidth = 1008;

} // namespace

void THTMLHintWindow::CreateParams(TCreateParams& Params) {
    THintWindow::CreateParams(Params);
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
}

TPoint THTMLHintWindow::Render(const AnsiString& Text, const TRect& R, bool Draw) {
    TCanvas* c = GetCanvas();
    c->SetFont(GetFont());
    AnsiString anchor, plain, focus, title, controlId, controlValue, controlType;
    int width = 0, height = 0, anchors = 0, mouseAnchor = 0;
    TRect anchorRect, controlRect;
    HTMLDrawEx(c, Text, R, nullptr, 0, 0, -1, -1, 1, false, !Draw, false, false, true, false, true,
               false, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focus, title, width,
               height, anchors, mouseAnchor, anchorRect, controlRect, controlId, controlValue,
               controlType, nullptr, nullptr, HandleAllocated() ? GetHandle() : nullptr);
    return TPoint(width, height);
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint, void*) {
    const TPoint size = Render(AHint, TRect(0, 0, MaxWidth, 4096), false);
    return TRect(0, 0, size.x, size.y);
}

void THTMLHintWindow::ActivateHint(TRect Rect, const AnsiString& AHint) {
    SetCaption(AHint);
    const TPoint size = Render(
        AHint, TRect(Rect.Left, Rect.Top, Rect.Left + kMeasureWidth, Rect.Top + 4096), false);
    textWidth_ = size.x;
    textHeight_ = size.y;
    const int w = textWidth_ + 16, h = textHeight_ + 4;
    TRect r = Bounds(Rect.Left, Rect.Top, w, h);
    const int sw = Screen->GetWidth(), sh = Screen->GetHeight();
    if (r.Right > sw && sw - 2 - w >= 0) r = Bounds(sw - 2 - w, r.Top, w, h);
    if (r.Bottom > sh && sh - 2 - h >= 0) r = Bounds(r.Left, sh - 2 - h, w, h);
    ShowAt(r);
}

void THTMLHintWindow::Paint() {
    TCanvas* c = GetCanvas();
    const TRect r = GetClientRect();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(GetColor());
    c->FillRect(r);
    c->GetPen()->SetColor(cl3DLight);
    c->MoveTo(r.Left, r.Bottom - 2);
    c->LineTo(r.Left, r.Top);
    c->LineTo(r.Right - 1, r.Top);
    c->GetPen()->SetColor(cl3DDkShadow);
    c->MoveTo(r.Left, r.Bottom - 1);
    c->LineTo(r.Right - 1, r.Bottom - 1);
    c->LineTo(r.Right - 1, r.Top - 1);
    const int top = r.Top + (r.Height() - textHeight_) / 2;
    c->GetBrush()->SetColor(GetColor());
    Render(GetCaption(), TRect(r.Left + 4, top, r.Right - 4, top + textHeight_ + 8), true);
}
