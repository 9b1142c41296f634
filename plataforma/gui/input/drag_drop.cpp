// Dragging inside the application, as the class library does it: the source keeps the
// mouse, each move asks the control under the pointer (DragOver with dsDragEnter,
// dsDragMove, dsDragLeave), and the release drops on it when it accepted (DragDrop), then
// tells the source (DoEndDrag).

#include "plataforma/gui/input/drag_drop.h"

#include "plataforma/gui/input/cursor_map.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QGuiApplication>
#include <QMouseEvent>

#include <cstdlib>
#include <memory>
#include <optional>

// The drag reaches the source's protected handlers.
struct DragAccess {
    static void Start(TControl* c, TDragObject*& o) { c->DoStartDrag(o); }
    static void End(TControl* c, TObject* target, int x, int y) { c->DoEndDrag(target, x, y); }
};

namespace {

constexpr int kDragThreshold = 5;

struct Drag {
    TControl* source = nullptr;
    std::weak_ptr<int> sourceAlive;
    TDragObject* object = nullptr;
    bool started = false;
    TPoint start;
    int threshold = kDragThreshold;
    TControl* target = nullptr;
    std::weak_ptr<int> targetAlive;
    bool accepted = false;
    TPoint at; // the target's client coordinates
    bool cursorSet = false;
};

std::optional<Drag> drag;

TObject* SourceObject() {
    return drag->object ? static_cast<TObject*>(drag->object) : drag->source;
}

TControl* TargetAlive() {
    return drag && drag->target && !drag->targetAlive.expired() ? drag->target : nullptr;
}

// The deepest control under a screen point: the window there, then its children.
TControl* ControlAt(const TPoint& screen, TControl* source) {
    TControl* c = FindControl(WindowFromPoint(screen));
    if (!c) {
        // No window shown there (headless): the source's own window, when the point is in it.
        TControl* root = source;
        while (root->GetParent())
            root = root->GetParent();
        if (!PtInRect(root->GetClientRect(), root->ScreenToClient(screen))) return nullptr;
        c = root;
    }
    while (auto* win = dynamic_cast<TWinControl*>(c)) {
        TControl* child = win->ControlAtPos(win->ScreenToClient(screen), false, true);
        if (!child) break;
        c = child;
    }
    return c;
}

void ShowDragCursor(bool accepted) {
    const QCursor shape = QtCursorOf(accepted ? crDrag : crNoDrop);
    if (drag->cursorSet) {
        QGuiApplication::changeOverrideCursor(shape);
    } else {
        QGuiApplication::setOverrideCursor(shape);
        drag->cursorSet = true;
    }
}

void Finish() {
    if (!drag) return;
    if (drag->cursorSet) QGuiApplication::restoreOverrideCursor();
    TControl* source = drag->sourceAlive.expired() ? nullptr : drag->source;
    drag.reset();
    if (source && GetCaptureControl() == source) SetCaptureControl(nullptr);
}

void StartDrag() {
    drag->started = true;
    TDragObject* object = nullptr;
    auto alive = drag->sourceAlive;
    DragAccess::Start(drag->source, object);
    if (!drag || alive.expired()) return;
    drag->object = object;
}

// Tells the controls under the pointer, as it moves, that the drag passes over them.
void DragTo(const TPoint& screen) {
    TControl* under = ControlAt(screen, drag->source);
    TControl* previous = TargetAlive();
    TObject* source = SourceObject();
    bool accept = false;
    if (previous && previous != under) {
        const TPoint p = previous->ScreenToClient(screen);
        previous->DragOver(source, p.x, p.y, dsDragLeave, accept);
        if (!drag) return;
        accept = false;
    }
    drag->target = under;
    drag->targetAlive = under ? under->Watch() : std::weak_ptr<int>();
    drag->accepted = false;
    if (under) {
        const TPoint p = under->ScreenToClient(screen);
        drag->at = p;
        under->DragOver(source, p.x, p.y, under == previous ? dsDragMove : dsDragEnter, accept);
        if (!drag) return;
        drag->accepted = accept;
    }
    ShowDragCursor(drag->accepted);
}

// The drop: the target is left (dsDragLeave) and takes the drop when it still accepts.
void DropHere() {
    TControl* target = TargetAlive();
    TControl* source = drag->sourceAlive.expired() ? nullptr : drag->source;
    const TPoint at = drag->at;
    TObject* object = SourceObject();
    bool accepted = false;
    if (target && drag->accepted) {
        target->DragOver(object, at.x, at.y, dsDragLeave, accepted);
        if (!drag) return;
        if (!TargetAlive()) accepted = false;
    }
    Finish();
    if (accepted) {
        auto sourceAlive = source ? source->Watch() : std::weak_ptr<int>();
        target->DragDrop(object, at.x, at.y);
        if (sourceAlive.expired()) return;
    }
    if (source)
        DragAccess::End(source, accepted ? target : nullptr, accepted ? at.x : 0,
                        accepted ? at.y : 0);
}

} // namespace

bool DragActive() {
    return drag.has_value();
}

void CancelDrag() {
    if (!drag) return;
    TControl* source = drag->sourceAlive.expired() ? nullptr : drag->source;
    const bool started = drag->started;
    if (started) {
        if (TControl* target = TargetAlive()) {
            bool accept = false;
            target->DragOver(SourceObject(), drag->at.x, drag->at.y, dsDragLeave, accept);
        }
    }
    Finish();
    if (source && started) DragAccess::End(source, nullptr, 0, 0);
}

bool DragMouse(TControl* Receiver, QMouseEvent* Event) {
    (void)Receiver;
    if (!drag) return false;
    if (drag->sourceAlive.expired()) {
        Finish();
        return false;
    }
    const TPoint screen = FromQPoint(Event->globalPosition().toPoint());
    try {
        switch (Event->type()) {
        case QEvent::MouseMove:
            if (!drag->started) {
                if (std::abs(screen.x - drag->start.x) < drag->threshold &&
                    std::abs(screen.y - drag->start.y) < drag->threshold)
                    return false;
                StartDrag();
                if (!drag) return true;
            }
            DragTo(screen);
            return true;
        case QEvent::MouseButtonRelease:
            if (Event->button() != Qt::LeftButton) return drag->started;
            if (!drag->started) {
                // Released before the pointer went far enough: no drag, a click as usual.
                Finish();
                return false;
            }
            DropHere();
            return true;
        default:
            return drag->started;
        }
    } catch (...) {
        Finish();
        throw;
    }
}

void TControl::BeginDrag(bool Immediate, int Threshold) {
    if (drag) return;
    drag.emplace();
    drag->source = this;
    drag->sourceAlive = Watch();
    POINT p{};
    GetCursorPos(&p);
    drag->start = {p.x, p.y};
    drag->threshold = Threshold < 0 ? kDragThreshold : Threshold;
    SetCaptureControl(this);
    if (!Immediate) return;
    try {
        StartDrag();
        if (drag) DragTo(drag->start);
    } catch (...) {
        Finish();
        throw;
    }
}

void TControl::EndDrag(bool Drop) {
    if (!Dragging()) return;
    if (!Drop || !drag->started) {
        CancelDrag();
        return;
    }
    DropHere();
}

bool TControl::Dragging() const {
    return drag && drag->source == this && !drag->sourceAlive.expired();
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = false;
    if (OnDragOver) {
        Accept = true;
        OnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
    if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
    if (OnStartDrag) OnStartDrag(this, DragObject);
}
