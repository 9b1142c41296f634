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
class QRegion;
class QRect;

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
    void InvalidateStore(const QRegion& Region);
    void ValidateStore(const QRegion& Region);
    bool StoreNeedsPaint() const;
    // Moves the pixels of Source by (dx, dy), drawing only inside Clip, and what the store
    // holds with them (client coordinates).
    void ScrollStore(const QRect& Source, const QRect& Clip, int dx, int dy);

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
// Paints now what is marked, and only that.
BOOL UpdateWindow(HWND hWnd);
// The bounding box of what is marked to be painted (client coordinates); FALSE when
// nothing is.
BOOL GetUpdateRect(HWND hWnd, TRect* lpRect, BOOL bErase);
// Copies what is marked into hRgn; returns the region's kind.
int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase);

enum : UINT {
    RDW_INVALIDATE = 0x0001,
    RDW_INTERNALPAINT = 0x0002,
    RDW_ERASE = 0x0004,
    RDW_VALIDATE = 0x0008,
    RDW_NOINTERNALPAINT = 0x0010,
    RDW_NOERASE = 0x0020,
    RDW_NOCHILDREN = 0x0040,
    RDW_ALLCHILDREN = 0x0080,
    RDW_UPDATENOW = 0x0100,
    RDW_ERASENOW = 0x0200,
    RDW_FRAME = 0x0400,
    RDW_NOFRAME = 0x0800,
};
// Marks (RDW_INVALIDATE) or unmarks (RDW_VALIDATE) the rectangle, the region or the whole
// client area; RDW_FRAME marks the non-client area too (WM_NCPAINT at the next paint);
// RDW_ALLCHILDREN does the same to every windowed child; RDW_UPDATENOW and RDW_ERASENOW
// paint at once. The background is always erased before WM_PAINT.
BOOL RedrawWindow(HWND hWnd, const TRect* lprcUpdate, HRGN hrgnUpdate, UINT flags);

enum : UINT { SW_SCROLLCHILDREN = 0x0001, SW_INVALIDATE = 0x0002, SW_ERASE = 0x0004 };
// Moves the pixels of the client area (or of prcScroll) by (dx, dy), drawing only inside
// prcClip, and marks what was uncovered when SW_INVALIDATE says so. Children move with
// SW_SCROLLCHILDREN. The uncovered area goes to hrgnUpdate and prcUpdate when given.
// Returns the kind of the uncovered region.
int ScrollWindowEx(HWND hWnd, int dx, int dy, const TRect* prcScroll, const TRect* prcClip,
                   HRGN hrgnUpdate, TRect* prcUpdate, UINT flags);
// ScrollWindowEx with SW_INVALIDATE | SW_ERASE, moving the children when lpRect is nullptr.
BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const TRect* lpRect,
                  const TRect* lpClipRect);
