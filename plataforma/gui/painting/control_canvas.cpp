// TControlCanvas, the backing stores of custom-painted controls, and the window device
// contexts and invalidation.

#include "plataforma/gui/painting/control_canvas.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/window_frame.h"
#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/paint_context.h"
#include "plataforma/gui/painting/region_handles.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include <unordered_map>

namespace {

// What a custom-painted control has drawn, kept between paints.
struct PaintStore {
    QImage image;
    QRegion valid; // client coordinates of what the store holds
    const QWidget* widget = nullptr;
    bool transparent = false;
    bool painting = false;
    QRegion paintClip;
};

std::unordered_map<const TControl*, PaintStore*>& Stores() {
    static std::unordered_map<const TControl*, PaintStore*> stores;
    return stores;
}

PaintStore* StoreOf(const TControl* c) {
    auto it = Stores().find(c);
    return it == Stores().end() ? nullptr : it->second;
}

QSize ClientSize(const TControl* c) {
    const TRect r = c->GetClientRect();
    return QSize(std::max(0, r.Width()), std::max(0, r.Height()));
}

// Keeps the store the size of the client area and tied to the current widget; a new size
// or a new window leaves nothing valid, as a resized window is painted again whole.
void Fit(PaintStore& s, const TControl* c) {
    const QSize want = ClientSize(c);
    if (s.widget != c->GetWidget()) {
        s.widget = c->GetWidget();
        s.valid = QRegion();
    }
    if (s.image.size() == want) return;
    CanvasDevice::ReleaseKeptPainter(&s.image);
    QImage next(want, s.transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (!next.isNull()) {
        next.fill(s.transparent ? QColor(Qt::transparent) : QColor(Qt::white));
        if (!s.image.isNull()) {
            QPainter p(&next);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, s.image);
        }
    }
    s.image = std::move(next);
    s.valid = QRegion();
}

std::unordered_map<HDC, std::unique_ptr<TControlCanvas>>& WindowDCs() {
    static std::unordered_map<HDC, std::unique_ptr<TControlCanvas>> dcs;
    return dcs;
}

HDC WindowDC(HWND hWnd, bool whole) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return nullptr;
    auto canvas = std::make_unique<TControlCanvas>();
    canvas->SetControl(c);
    canvas->SetWholeWindow(whole);
    HDC dc = canvas->GetHandle();
    WindowDCs()[dc] = std::move(canvas);
    return dc;
}

} // namespace

struct TControlCanvas::State {
    TControl* control = nullptr;
    std::weak_ptr<int> alive;
    bool wholeWindow = false;
    std::unique_ptr<PaintStore> store; // the control's own canvas keeps its store
    QImage scratch;
};

TControlCanvas::TControlCanvas() : st_(std::make_unique<State>()) {}

TControlCanvas::~TControlCanvas() {
    if (st_->store && st_->control) Stores().erase(st_->control);
    Device().ClearTarget();
}

TControl* TControlCanvas::GetControl() const {
    return st_->alive.expired() ? nullptr : st_->control;
}

void TControlCanvas::SetControl(TControl* Value) {
    if (st_->store && st_->control) Stores().erase(st_->control);
    st_->control = Value;
    st_->alive = Value ? Value->Watch() : std::weak_ptr<int>();
    if (st_->store && Value) Stores()[Value] = st_->store.get();
    Device().ClearTarget();
}

void TControlCanvas::SetWholeWindow(bool Value) {
    st_->wholeWindow = Value;
    Device().ClearTarget();
}

void TControlCanvas::OwnBackingStore(bool Transparent) {
    if (!st_->store) st_->store = std::make_unique<PaintStore>();
    st_->store->transparent = Transparent;
    if (st_->control) Stores()[st_->control] = st_->store.get();
}

void TControlCanvas::UpdateTarget() {
    CanvasDevice& d = Device();
    TControl* c = GetControl();
    if (!c) {
        d.ClearTarget();
        return;
    }
    QWidget* w = c->GetWidget();
    PaintStore* own = StoreOf(c);
    // The control's own canvas keeps one painter open on its store while it paints.
    d.SetKeepPainter(own && own == st_->store.get() && own->painting && !st_->wholeWindow);
    if (st_->wholeWindow) {
        // The whole window draws into its frame store, over the non-client area.
        auto* win = dynamic_cast<TWinControl*>(c);
        if (win && win->GetWindowFrame()) {
            d.SetTarget(&FrameImage(*win));
            d.SetBase(QPoint());
            d.SetSystemClip(NonClientRegion(*win));
            return;
        }
    }
    PaintStore* store = StoreOf(c);
    if (store && !st_->wholeWindow) {
        Fit(*store, c);
        d.SetTarget(&store->image);
        d.SetBase(QPoint());
        d.SetSystemClip(store->painting ? std::optional<QRegion>(store->paintClip) : std::nullopt);
        return;
    }
    const int b = st_->wholeWindow ? 0 : c->GetBorderWidth();
    const QSize size = st_->wholeWindow ? QSize(c->GetWidth(), c->GetHeight()) : ClientSize(c);
    if (PaintContext* pc = w ? CurrentPaint(w) : nullptr) {
        d.SetTarget(w, size);
        d.SetBase(QPoint(b, b));
        d.SetSystemClip(pc->event->region().translated(-b, -b));
        return;
    }
    // Outside its paint event a widget keeps nothing drawn on it: a scratch image takes
    // the drawing, and Changed asks the control to paint again.
    if (st_->scratch.size() != size) {
        st_->scratch = QImage(size, QImage::Format_RGB32);
        if (!st_->scratch.isNull()) st_->scratch.fill(Qt::white);
    }
    d.SetTarget(&st_->scratch);
    d.SetBase(QPoint());
    d.SetSystemClip(std::nullopt);
}

void TControlCanvas::Changed() {
    TCanvas::Changed();
    TControl* c = GetControl();
    QWidget* w = c ? c->GetWidget() : nullptr;
    if (!w) return;
    if (st_->wholeWindow) {
        auto* win = dynamic_cast<TWinControl*>(c);
        if (win && win->GetWindowFrame()) {
            if (!CurrentPaint(w)) w->update(NonClientRegion(*win));
            return;
        }
    }
    PaintStore* store = StoreOf(c);
    if (store ? !store->painting : !CurrentPaint(w)) w->update();
}

bool TControlCanvas::BeginStorePaint(QPaintEvent* Event) {
    TControl* c = GetControl();
    PaintStore* s = st_->store.get();
    if (!c || !s) return true;
    Fit(*s, c);
    const int b = c->GetBorderWidth();
    const QRegion area = Event->region().translated(-b, -b) & QRect(QPoint(0, 0), s->image.size());
    const QRegion need = area - s->valid;
    if (need.isEmpty()) return false;
    s->painting = true;
    s->paintClip = need;
    s->valid += need;
    if (s->transparent) {
        // A windowless control shows its parent wherever it does not draw.
        CanvasDevice::ReleaseKeptPainter(&s->image);
        QPainter p(&s->image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setClipRegion(need);
        p.fillRect(s->image.rect(), Qt::transparent);
    }
    return true;
}

void TControlCanvas::EndStorePaint(QPaintEvent* Event) {
    TControl* c = GetControl();
    PaintStore* s = st_->store.get();
    if (!s) return;
    s->painting = false;
    s->paintClip = QRegion();
    Device().SetKeepPainter(false);
    Device().SetSystemClip(std::nullopt);
    QWidget* w = c ? c->GetWidget() : nullptr;
    if (!w || s->image.isNull()) return;
    QPainter p(w);
    p.setClipRegion(Event->region());
    const int b = c->GetBorderWidth();
    p.drawImage(QPoint(b, b), s->image);
}

void TControlCanvas::InvalidateStore(const TRect* Rect) {
    PaintStore* s = st_->store.get();
    if (!s) return;
    if (Rect)
        s->valid -= ToQRect(*Rect);
    else
        s->valid = QRegion();
}

void TControlCanvas::ValidateStore(const TRect* Rect) {
    PaintStore* s = st_->store.get();
    if (!s) return;
    const QRect all(QPoint(0, 0), s->image.size());
    s->valid += Rect ? ToQRect(*Rect) & all : all;
}

void TControlCanvas::InvalidateStore(const QRegion& Region) {
    if (PaintStore* s = st_->store.get()) s->valid -= Region;
}

void TControlCanvas::ValidateStore(const QRegion& Region) {
    if (PaintStore* s = st_->store.get()) s->valid += Region & QRect(QPoint(0, 0), s->image.size());
}

void TControlCanvas::ScrollStore(const QRect& Source, const QRect& Clip, int dx, int dy) {
    PaintStore* s = st_->store.get();
    if (!s || s->image.isNull()) return;
    const QRect all(QPoint(0, 0), s->image.size());
    const QRect src = Source & all;
    const QRect dst = src.translated(dx, dy) & Clip & all;
    if (dst.isEmpty()) return;
    // Pixels and validity move together; what came from outside the source is not valid.
    CanvasDevice::ReleaseKeptPainter(&s->image);
    const QImage moved = s->image.copy(dst.translated(-dx, -dy));
    {
        QPainter p(&s->image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(dst.topLeft(), moved);
    }
    s->valid = (s->valid - dst) | ((s->valid & src).translated(dx, dy) & dst);
}

bool TControlCanvas::StoreNeedsPaint() const {
    const PaintStore* s = st_->store.get();
    return s && !(QRegion(QRect(QPoint(0, 0), s->image.size())) - s->valid).isEmpty();
}

// --- the custom-painted controls ---

namespace {

// The canvas of a custom-painted or graphic control, made on its first use; a graphic
// control's store is transparent where nothing is drawn.
TCanvas* StoreCanvas(std::unique_ptr<TControlCanvas>& Canvas, TControl* Control, bool Transparent) {
    if (!Canvas) {
        EnsureQtApplication();
        Canvas = std::make_unique<TControlCanvas>();
        Canvas->SetControl(Control);
        Canvas->OwnBackingStore(Transparent);
    }
    return Canvas.get();
}

HDC BeginStore(TCanvas* Canvas, QPaintEvent* Event, bool& RunMessages) {
    auto* canvas = static_cast<TControlCanvas*>(Canvas);
    RunMessages = canvas->BeginStorePaint(Event);
    return RunMessages ? canvas->GetHandle() : nullptr;
}

} // namespace

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::GetCanvas() const {
    return StoreCanvas(canvas_, const_cast<TCustomControl*>(this), false);
}

void TCustomControl::Invalidate() {
    if (canvas_) canvas_->InvalidateStore(nullptr);
    TWinControl::Invalidate();
}

HDC TCustomControl::BeginPaintStore(QPaintEvent* Event, bool& RunMessages) {
    return BeginStore(GetCanvas(), Event, RunMessages);
}

void TCustomControl::EndPaintStore(QPaintEvent* Event) {
    if (canvas_) canvas_->EndStorePaint(Event);
}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::GetCanvas() const {
    return StoreCanvas(canvas_, const_cast<TGraphicControl*>(this), true);
}

void TGraphicControl::Invalidate() {
    if (canvas_) canvas_->InvalidateStore(nullptr);
    TControl::Invalidate();
}

HDC TGraphicControl::BeginPaintStore(QPaintEvent* Event, bool& RunMessages) {
    return BeginStore(GetCanvas(), Event, RunMessages);
}

void TGraphicControl::EndPaintStore(QPaintEvent* Event) {
    if (canvas_) canvas_->EndStorePaint(Event);
}

// --- window device contexts and invalidation ---

HDC GetDC(HWND hWnd) {
    return WindowDC(hWnd, false);
}

HDC GetWindowDC(HWND hWnd) {
    return WindowDC(hWnd, true);
}

int ReleaseDC(HWND, HDC hDC) {
    return WindowDCs().erase(hDC) ? 1 : 0;
}

namespace {

TControlCanvas* OwnCanvas(TWinControl* c) {
    auto* custom = dynamic_cast<TCustomControl*>(c);
    return custom && StoreOf(c) ? static_cast<TControlCanvas*>(custom->GetCanvas()) : nullptr;
}

} // namespace

namespace {

// Marks a region of the client area to be painted again.
void InvalidateClient(TWinControl* c, const QRegion& Region) {
    QWidget* w = c->GetWidget();
    WindowFrame* f = c->GetWindowFrame();
    const QRegion r = Region & ToQRect(c->GetClientRect());
    if (!f || c->HasNativeWidget()) {
        c->Invalidate();
        return;
    }
    if (TControlCanvas* canvas = OwnCanvas(c)) canvas->InvalidateStore(r);
    f->updateRegion += r;
    if (w) {
        const int b = c->GetBorderWidth();
        w->update(r.translated(b, b));
    }
}

void ValidateClient(TWinControl* c, const QRegion* Region) {
    if (TControlCanvas* canvas = OwnCanvas(c)) {
        if (Region)
            canvas->ValidateStore(*Region);
        else
            canvas->ValidateStore(nullptr);
    }
    if (WindowFrame* f = c->GetWindowFrame())
        f->updateRegion = Region ? f->updateRegion - *Region : QRegion();
}

} // namespace

BOOL InvalidateRect(HWND hWnd, const TRect* lpRect, BOOL) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    if (!lpRect) {
        c->Invalidate();
        return TRUE;
    }
    InvalidateClient(c, ToQRect(*lpRect));
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const TRect* lpRect) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    if (lpRect) {
        const QRegion r(ToQRect(*lpRect));
        ValidateClient(c, &r);
    } else {
        ValidateClient(c, nullptr);
    }
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    c->Update();
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, TRect* lpRect, BOOL) {
    TWinControl* c = FindControl(hWnd);
    WindowFrame* f = c ? c->GetWindowFrame() : nullptr;
    const QRect box = f ? f->updateRegion.boundingRect() : QRect();
    if (lpRect) *lpRect = box.isEmpty() ? TRect() : FromQRect(box);
    return !box.isEmpty();
}

int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL) {
    TWinControl* c = FindControl(hWnd);
    QRegion* out = RegionOfHandle(hRgn);
    if (!c || !out) return ERROR;
    WindowFrame* f = c->GetWindowFrame();
    *out = f ? f->updateRegion : QRegion();
    return out->isEmpty() ? NULLREGION : out->rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL RedrawWindow(HWND hWnd, const TRect* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    QRegion area;
    if (hrgnUpdate) {
        if (QRegion* r = RegionOfHandle(hrgnUpdate)) area = *r;
    } else if (lprcUpdate) {
        area = ToQRect(*lprcUpdate);
    } else {
        area = ToQRect(c->GetClientRect());
    }
    WindowFrame* f = c->GetWindowFrame();
    if (flags & RDW_INVALIDATE) {
        InvalidateClient(c, area);
        if ((flags & RDW_FRAME) && f) {
            f->frameInvalid = true;
            if (QWidget* w = c->GetWidget()) w->update(NonClientRegion(*c));
        }
    } else if (flags & RDW_VALIDATE) {
        ValidateClient(c, &area);
        if ((flags & RDW_NOFRAME) && f) f->frameInvalid = false;
    }
    if (flags & RDW_ALLCHILDREN) {
        const UINT childFlags = (flags & ~(RDW_UPDATENOW | RDW_ERASENOW)) | RDW_ALLCHILDREN;
        for (int i = 0; i < c->GetControlCount(); ++i)
            if (auto* child = dynamic_cast<TWinControl*>(c->GetControls(i));
                child && child->HandleAllocated())
                RedrawWindow(child->GetHandle(), nullptr, nullptr, childFlags);
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        c->Update();
        if (flags & RDW_ALLCHILDREN)
            for (int i = 0; i < c->GetControlCount(); ++i)
                if (auto* child = dynamic_cast<TWinControl*>(c->GetControls(i));
                    child && child->HandleAllocated())
                    RedrawWindow(child->GetHandle(), nullptr, nullptr,
                                 RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return TRUE;
}

int ScrollWindowEx(HWND hWnd, int dx, int dy, const TRect* prcScroll, const TRect* prcClip,
                   HRGN hrgnUpdate, TRect* prcUpdate, UINT flags) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return ERROR;
    const QRect client = ToQRect(c->GetClientRect());
    const QRect source = prcScroll ? ToQRect(*prcScroll) & client : client;
    const QRect clip = prcClip ? ToQRect(*prcClip) & client : client;
    const QRect dest = source.translated(dx, dy) & clip;
    // What the move uncovers: the part of the source inside the clip that no moved pixel
    // covers now.
    const QRegion uncovered = QRegion(source & clip) - QRegion(dest);
    WindowFrame* f = c->GetWindowFrame();
    QWidget* w = c->GetWidget();
    if (f && !c->HasNativeWidget()) {
        if (TControlCanvas* canvas = OwnCanvas(c)) canvas->ScrollStore(source, clip, dx, dy);
        // What was marked moves with the pixels.
        f->updateRegion =
            (f->updateRegion - dest) | ((f->updateRegion & source).translated(dx, dy) & dest);
        if (w) {
            const int b = c->GetBorderWidth();
            w->update((QRegion(dest) | uncovered).translated(b, b));
        }
    } else if (w) {
        const int b = c->GetBorderWidth();
        w->scroll(dx, dy, (source & clip).translated(b, b));
    }
    if (flags & SW_SCROLLCHILDREN) {
        for (int i = 0; i < c->GetControlCount(); ++i) {
            TControl* child = c->GetControls(i);
            if (prcScroll && !source.intersects(ToQRect(child->GetBoundsRect()))) continue;
            child->SetBounds(child->GetLeft() + dx, child->GetTop() + dy, child->GetWidth(),
                             child->GetHeight());
        }
    }
    if (flags & SW_INVALIDATE) InvalidateClient(c, uncovered);
    if (QRegion* r = RegionOfHandle(hrgnUpdate)) *r = uncovered;
    if (prcUpdate) {
        const QRect box = uncovered.boundingRect();
        *prcUpdate = box.isEmpty() ? TRect() : FromQRect(box);
    }
    return uncovered.isEmpty()          ? NULLREGION
           : uncovered.rectCount() == 1 ? SIMPLEREGION
                                        : COMPLEXREGION;
}

BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const TRect* lpRect,
                  const TRect* lpClipRect) {
    const UINT flags = SW_INVALIDATE | SW_ERASE | (lpRect ? 0u : UINT(SW_SCROLLCHILDREN));
    return ScrollWindowEx(hWnd, XAmount, YAmount, lpRect, lpClipRect, nullptr, nullptr, flags) !=
           ERROR;
}
