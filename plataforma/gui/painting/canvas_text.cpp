// TCanvas's text: written with the device's font, text colour and background mode.

#include "plataforma/gui/painting/canvas.h"

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas_device.h"

void TCanvas::TextOut(int X, int Y, const AnsiString& Text) {
    CanvasOperation op(this, "TextOut", {X, Y}, Text);
    const int w = device_->Text(X, Y, device_->Shown(ToQString(Text)));
    // The pen moves to the end of the text, as the class library's TextOut leaves it.
    device_->state.penPos = {X + w, Y};
    op.Done();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text) {
    CanvasOperation op(this, "TextRect", {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom, X, Y},
                       Text);
    const QRect r = ToQRect(Rect);
    const bool opaque = device_->state.brushStyle != bsClear;
    device_->Text(X, Y, device_->Shown(ToQString(Text)), &r, opaque ? &r : nullptr);
    op.Done();
}

TSize TCanvas::TextExtent(const AnsiString& Text) {
    RealizeObjects();
    return {device_->Advance(device_->Shown(ToQString(Text))), device_->Metrics().height()};
}

int TCanvas::TextHeight(const AnsiString&) {
    RealizeObjects();
    return device_->Metrics().height();
}
