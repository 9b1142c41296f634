// TControlCanvas, the backing stores of custom-painted controls, and the window device
// contexts and invalidation.

#include "plataforma/gui/painting/control_canvas.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/window_frame.h"
#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/painting/paint_context.h"

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

bool TControlCanvas::StoreNeedsPaint() const {
    const PaintStore* s = st_->store.get();
    return s && !(QRegion(QRect(QPoint(0, 0), s->image.size())) - s->valid).isEmpty();
}

// --- the custom-painted controls ---

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::GetCanvas() const {
    if (!canvas_) {
        EnsureQtApplication();
        canvas_ = std::make_unique<TControlCanvas>();
        canvas_->SetControl(const_cast<TCustomControl*>(this));
        canvas_->OwnBackingStore(false);
    }
    return canvas_.get();
}

void TCustomControl::Invalidate() {
    if (canvas_) canvas_->InvalidateStore(nullptr);
    TWinControl::Invalidate();
}

HDC TCustomControl::BeginPaintStore(QPaintEvent* Event, bool& RunMessages) {
    auto* canvas = static_cast<TControlCanvas*>(GetCanvas());
    RunMessages = canvas->BeginStorePaint(Event);
    return RunMessages ? canvas->GetHandle() : nullptr;
}

void TCustomControl::EndPaintStore(QPaintEvent* Event) {
    if (canvas_) canvas_->EndStorePaint(Event);
}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::GetCanvas() const {
    if (!canvas_) {
        EnsureQtApplication();
        canvas_ = std::make_unique<TControlCanvas>();
        canvas_->SetControl(const_cast<TGraphicControl*>(this));
        canvas_->OwnBackingStore(true);
    }
    return canvas_.get();
}

void TGraphicControl::Invalidate() {
    if (canvas_) canvas_->InvalidateStore(nullptr);
    TControl::Invalidate();
}

HDC TGraphicControl::BeginPaintStore(QPaintEvent* Event, bool& RunMessages) {
    auto* canvas = static_cast<TControlCanvas*>(GetCanvas());
    RunMessages = canvas->BeginStorePaint(Event);
    return RunMessages ? canvas->GetHandle() : nullptr;
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

BOOL InvalidateRect(HWND hWnd, const TRect* lpRect, BOOL) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    TControlCanvas* canvas = OwnCanvas(c);
    QWidget* w = c->GetWidget();
    WindowFrame* f = c->GetWindowFrame();
    if (!lpRect || !f || c->HasNativeWidget()) {
        c->Invalidate();
        return TRUE;
    }
    const QRect r = ToQRect(*lpRect) & ToQRect(c->GetClientRect());
    if (canvas) canvas->InvalidateStore(lpRect);
    f->updateRegion += r;
    if (w) {
        const int b = c->GetBorderWidth();
        w->update(r.translated(b, b));
    }
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const TRect* lpRect) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    if (TControlCanvas* canvas = OwnCanvas(c)) canvas->ValidateStore(lpRect);
    if (WindowFrame* f = c->GetWindowFrame())
        f->updateRegion = lpRect ? f->updateRegion - ToQRect(*lpRect) : QRegion();
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    c->Update();
    return TRUE;
}
