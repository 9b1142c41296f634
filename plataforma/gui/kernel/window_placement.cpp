// SetWindowPos and the window regions.

#include "plataforma/gui/kernel/controls.h"

#include "plataforma/gui/kernel/window_frame.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/region_handles.h"

#include <QWidget>

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    auto alive = c->Watch();
    if ((uFlags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        const bool move = !(uFlags & SWP_NOMOVE), size = !(uFlags & SWP_NOSIZE);
        c->SetBounds(move ? X : c->GetLeft(), move ? Y : c->GetTop(), size ? cx : c->GetWidth(),
                     size ? cy : c->GetHeight());
        if (alive.expired()) return TRUE;
    }
    QWidget* w = c->GetWidget();
    if (!(uFlags & SWP_NOZORDER) && w) {
        if (hWndInsertAfter == HWND_TOPMOST || hWndInsertAfter == HWND_NOTOPMOST) {
            // Only a window of its own stays above the others.
            if (w->isWindow()) {
                const bool top = hWndInsertAfter == HWND_TOPMOST;
                if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != top) {
                    const bool shown = w->isVisible();
                    w->setWindowFlag(Qt::WindowStaysOnTopHint, top);
                    // Qt hides a window whose flags change.
                    if (shown) w->show();
                }
                if (top) w->raise();
            }
        } else if (hWndInsertAfter == HWND_TOP) {
            c->BringToFront();
        } else if (hWndInsertAfter == HWND_BOTTOM) {
            c->SendToBack();
        } else if (TWinControl* after = FindControl(hWndInsertAfter); after && after->GetWidget()) {
            w->stackUnder(after->GetWidget());
        }
    }
    if (uFlags & SWP_FRAMECHANGED) {
        if (WindowFrame* f = c->GetWindowFrame()) f->frameInvalid = true;
        if (w) w->update();
    }
    if (uFlags & SWP_SHOWWINDOW) c->Show();
    if (uFlags & SWP_HIDEWINDOW) c->Hide();
    return TRUE;
}

int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return 0;
    WindowFrame* f = c->GetWindowFrame();
    QWidget* w = c->GetWidget();
    const QRegion* shape = RegionOfHandle(hRgn);
    if (shape) {
        if (f) f->shape = *shape;
        if (w) w->setMask(*shape);
    } else {
        if (f) f->shape.reset();
        if (w) w->clearMask();
    }
    // The window owns the region now.
    if (hRgn) DeleteObject(hRgn);
    if (bRedraw && w) w->update();
    return 1;
}

int GetWindowRgn(HWND hWnd, HRGN hRgn) {
    TWinControl* c = FindControl(hWnd);
    QRegion* out = RegionOfHandle(hRgn);
    WindowFrame* f = c ? c->GetWindowFrame() : nullptr;
    if (!out || !f || !f->shape) return ERROR;
    *out = *f->shape;
    return out->isEmpty() ? NULLREGION : out->rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
