#include "plataforma/gui/input/mouse.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/input/mouse_state.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

namespace {

TControl* captura = nullptr;
std::weak_ptr<int> capturaViva;
TPoint posicion;

void Grab(TControl* c, bool on) {
    QWidget* w = c ? c->GetWidget() : nullptr;
    // The headless platform cannot grab; the press's own grab keeps the moves coming.
    if (!w || QGuiApplication::platformName() == QLatin1String("offscreen")) return;
    if (on && w->isVisible())
        w->grabMouse();
    else if (!on && QWidget::mouseGrabber() == w)
        w->releaseMouse();
}

} // namespace

void SetCaptureControl(TControl* Control) {
    TControl* previous = GetCaptureControl();
    if (previous == Control) return;
    captura = Control;
    capturaViva = Control ? Control->Watch() : std::weak_ptr<int>();
    if (previous) {
        Grab(previous, false);
        // The window that loses the capture is told, as the window system does.
        auto* w = dynamic_cast<TWinControl*>(previous);
        if (w && w->HandleAllocated()) w->Perform(WM_CAPTURECHANGED, 0, 0);
    }
    if (Control) Grab(Control, true);
}

TControl* GetCaptureControl() {
    return capturaViva.expired() ? nullptr : captura;
}

namespace {

HWND HandleOf(TControl* c) {
    for (; c; c = c->GetParent())
        if (auto* w = dynamic_cast<TWinControl*>(c))
            return w->HandleAllocated() ? w->GetHandle() : nullptr;
    return nullptr;
}

} // namespace

HWND SetCapture(HWND hWnd) {
    HWND previous = GetCapture();
    SetCaptureControl(FindControl(hWnd));
    return previous;
}

BOOL ReleaseCapture() {
    SetCaptureControl(nullptr);
    return TRUE;
}

HWND GetCapture() {
    return HandleOf(GetCaptureControl());
}

void NoteCursorPos(const TPoint& ScreenPos) {
    posicion = ScreenPos;
}

BOOL GetCursorPos(POINT* lpPoint) {
    if (!lpPoint) return FALSE;
    *lpPoint = posicion;
    return TRUE;
}

BOOL SetCursorPos(int X, int Y) {
    posicion = {X, Y};
    if (QCoreApplication::instance()) QCursor::setPos(X, Y);
    return TRUE;
}

HWND WindowFromPoint(POINT Point) {
    EnsureQtApplication();
    QWidget* w = QApplication::widgetAt(Point.x, Point.y);
    return HandleOf(ControlOfWidget(w));
}
