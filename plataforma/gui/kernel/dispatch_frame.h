#pragma once
// Inside the platform layer only: marks a control as busy while one of its messages or Qt
// events is handled, so that its deletion can wait (Release) and its widget is not deleted
// under Qt's feet. Safe when the control is destroyed inside the frame.

#include "plataforma/gui/kernel/controls.h"

struct DispatchFrame {
    explicit DispatchFrame(TControl* c) : control(c), alive(c->Watch()) { ++c->dispatchDepth_; }
    ~DispatchFrame() {
        if (!alive.expired()) --control->dispatchDepth_;
    }
    DispatchFrame(const DispatchFrame&) = delete;
    DispatchFrame& operator=(const DispatchFrame&) = delete;

    TControl* control;
    std::weak_ptr<int> alive;
};

// Runs f; an exception that escapes goes to Application->HandleException, as every entry
// point from the window system must ensure.
void HandleEntryException(TObject* Sender);

template <class F> void GuardedEntry(TObject* Sender, F&& f) {
    try {
        f();
    } catch (...) {
        HandleEntryException(Sender);
    }
}
