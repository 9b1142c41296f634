#pragma once
// TControlCanvas: a canvas on a control. On a custom-painted control (TCustomControl,
// TGraphicControl) it draws into the control's backing store, which the paint event copies
// to the screen; drawing made outside WM_PAINT reaches the screen at the next paint without
// running WM_PAINT again. On any other control it draws on the widget during the widget's
// paint event; outside it the drawing cannot stay (the window system repaints such
// widgets itself), so it goes to a scratch image and the control is asked to paint again.
// The Win32 functions that hand out a window's device context and mark its areas for
// painting are here too.

#include "plataforma/gui/painting/canvas.h"

#include <memory>

class TControl;
class QPaintEvent;

class TControlCanvas : public TCanvas {
public:
    TControlCanvas();
    ~TControlCanvas() override;

    TControl* GetControl() const;
    void SetControl(TControl* Value);
    // Right-to-left text is not drawn here; kept for the callers that ask.
    void UpdateTextFlags() {}

    // --- inside the platform layer ---
    // The whole window (its border included) instead of the client area (GetWindowDC).
    void SetWholeWindow(bool Value);
    // Makes this the control's own canvas, keeping its backing store (transparent where
    // nothing is drawn, for windowless controls).
    void OwnBackingStore(bool Transparent);
    // Opens the store for a paint event: false when it already holds the whole area.
    bool BeginStorePaint(QPaintEvent* Event);
    // Closes it and copies it to the widget.
    void EndStorePaint(QPaintEvent* Event);
    // Forgets what the store holds in Rect (client coordinates; everything for nullptr).
    void InvalidateStore(const TRect* Rect);
    void ValidateStore(const TRect* Rect);
    bool StoreNeedsPaint() const;

protected:
    void UpdateTarget() override;
    void Changed() override;

private:
    struct State;
    std::unique_ptr<State> st_;
};

// The device context of a window's client area (GetDC) or of the whole window with its
// border (GetWindowDC); nullptr for no window. Give it back with ReleaseDC.
HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);
// Marks an area of the client area (all of it for nullptr) to be painted again.
BOOL InvalidateRect(HWND hWnd, const TRect* lpRect, BOOL bErase);
// Marks an area as painted: no WM_PAINT for it unless drawn over again.
BOOL ValidateRect(HWND hWnd, const TRect* lpRect);
// Paints now what is marked to be painted.
BOOL UpdateWindow(HWND hWnd);
