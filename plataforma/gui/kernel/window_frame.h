#pragma once
// Inside the platform layer only: what a window keeps outside its client area and about
// its painting. The non-client area (border and scroll bars) is drawn by WM_NCPAINT into a
// frame store that every paint event shows over that area, so that the border survives the
// client's own painting and WM_NCPAINT runs only when the frame was invalidated (shown,
// resized, RDW_FRAME). The update region is what Invalidate and InvalidateRect marked and
// no paint event has painted yet.

#include "plataforma/gui/kernel/flat_bar_look.h"
#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/kernel/win_types.h"

#include <QImage>
#include <QRegion>

#include <memory>
#include <optional>

class QAbstractScrollArea;
class QMouseEvent;
class QScrollBar;
class QPaintEvent;
class QTimer;
class TWinControl;

struct ScrollBarState {
    int min = 0;
    int max = 100;
    int page = 0;
    int pos = 0;
    int trackPos = 0;
    bool shown = false;
    UINT disabled = ESB_ENABLE_BOTH; // ESB_ flags
    int MaxPos() const { return max - (page > 0 ? page - 1 : 0); }
};

// A window's bars under the flat scroll-bar service (flat_scroll_bars.h), by SB_HORZ and
// SB_VERT.
struct FlatBars {
    int style[2] = {0, 0}; // FSB_ modes
    TColor background[2] = {clNone, clNone};
    int thickness[2] = {0, 0}; // height of the horizontal bar, width of the vertical
};

struct WindowFrame {
    WindowFrame();
    ~WindowFrame();

    ScrollBarState bars[2]; // SB_HORZ, SB_VERT
    QImage image;           // the whole window; transparent where nothing was drawn
    bool frameInvalid = true;
    QRegion updateRegion;         // client coordinates
    std::optional<QRegion> shape; // SetWindowRgn, window coordinates

    // A user's press on a bar, until the button is released.
    int trackBar = -1;
    BarPart trackPart = BarPart::None;
    bool trackOver = false; // the pointer over the pressed part (arrows and page areas)
    int thumbGrab = 0;      // where the thumb was taken, from its start
    int lastAlong = 0;      // the pointer along the bar
    QTimer* repeat = nullptr;

    std::optional<FlatBars> flat;
    // The part under the pointer while no button is held (flat bars show it).
    int hotBar = -1;
    BarPart hotPart = BarPart::None;
};

// Across a bar: the system's size, or the flat bar's thickness.
int BarThickness(const TWinControl& c, int bar);
// Widget coordinates of a bar of a window (empty when hidden), of the corner between both
// bars, and of the whole non-client area.
QRect BarRect(const TWinControl& c, int bar);
QRect CornerRect(const TWinControl& c);
QRegion NonClientRegion(const TWinControl& c);

// Fits the frame store to the window (nothing kept over a resize).
QImage& FrameImage(TWinControl& c);
// The default WM_NCPAINT: the border and the scroll bars.
void PaintDefaultFrame(TWinControl& c);
// Draws one bar into the frame store and shows it.
void RedrawBar(TWinControl& c, int bar);
// Copies the frame store over the non-client part of a paint event's region.
void ShowFrame(TWinControl& c, QPaintEvent* Event);
// A mouse event over a bar or during a press on one; false when it is the client's.
bool ScrollBarMouse(TWinControl& c, QMouseEvent* Event);
// The pointer left the window: no part of a bar is under it.
void ScrollBarLeave(TWinControl& c);
// The window changed whether a bar is shown: its client area changes size.
void FrameLayoutChanged(TWinControl& c);

// The scroll area of a hosted control; nullptr for a window that draws its own bars.
QAbstractScrollArea* HostedArea(TWinControl* c);
QScrollBar* HostedBar(QAbstractScrollArea* a, int bar);
// WM_HSCROLL / WM_VSCROLL on a hosted control's scroll area: its bar moves as asked.
void HostedScrollRequest(TWinControl* c, int bar, int code, int pos);
// Routes the user's scrolling of a hosted scroll area through WM_HSCROLL / WM_VSCROLL.
void ConnectHostedScrollBars(TWinControl* c);
