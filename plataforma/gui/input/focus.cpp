// Focus: the focused control, focus messages, SetFocus and the tab order.

#include "plataforma/gui/kernel/controls.h"

#include "plataforma/gui/input/focus_state.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

TWinControl* enfocado = nullptr;
// The control being told that it loses the focus (during its WM_KILLFOCUS).
TWinControl* perdiendo = nullptr;
// Counts the focus moves, so that SetFocus knows whether Qt reported its own.
unsigned movimientos = 0;

// Marks a control as losing the focus while it lives.
class Perdiendo {
public:
    explicit Perdiendo(TWinControl* Control) : outer_(perdiendo) { perdiendo = Control; }
    ~Perdiendo() { perdiendo = outer_; }
    Perdiendo(const Perdiendo&) = delete;
    Perdiendo& operator=(const Perdiendo&) = delete;

private:
    TWinControl* outer_;
};

// The CM_EXIT and CM_ENTER walk inside one key-dialog root, from the control that had the
// focus there up to the common parent and down to the new one.
void EnterExitWalk(TWinControl* root, TWinControl* target) {
    TWinControl* cur = root->GetFocusedWithin();
    if (!cur || !root->ContainsControl(cur)) cur = root;
    while (cur && !cur->ContainsControl(target)) {
        auto alive = target->Watch();
        cur->Perform(CM_EXIT, 0, 0);
        if (alive.expired()) return;
        // A control that refuses to be left took the focus back: nothing is entered.
        if (enfocado != target) return;
        cur = cur->GetParent();
    }
    if (!cur) cur = root;
    while (cur != target) {
        TWinControl* next = target;
        while (next->GetParent() != cur)
            next = next->GetParent();
        cur = next;
        auto alive = target->Watch();
        cur->Perform(CM_ENTER, 0, 0);
        if (alive.expired()) return;
    }
    root->SetFocusedWithin(target);
}

} // namespace

void MoveFocusRecord(TWinControl* Control) {
    TWinControl* previous = enfocado;
    if (previous == Control) return;
    ++movimientos;
    std::weak_ptr<int> newAlive = Control ? Control->Watch() : std::weak_ptr<int>();
    HWND hNew = Control && Control->HandleAllocated() ? Control->GetHandle() : nullptr;
    HWND hOld = previous && previous->HandleAllocated() ? previous->GetHandle() : nullptr;
    // While WM_KILLFOCUS is handled, the losing control still counts as focused.
    if (previous) {
        const Perdiendo losing(previous);
        previous->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(hNew), 0);
        // Its handler may have re-created its window.
        hOld = previous->HandleAllocated() ? previous->GetHandle() : nullptr;
    }
    if (enfocado != previous) return; // a handler moved the focus elsewhere
    if (Control && newAlive.expired()) Control = nullptr;
    enfocado = Control;
    if (!Control) return;
    // Each window remembers its focused control, so coming back from another window
    // enters nothing.
    EnterExitWalk(Control->KeyDialogRoot(), Control);
    if (newAlive.expired() || enfocado != Control) return;
    Control->Perform(WM_SETFOCUS, reinterpret_cast<WPARAM>(hOld), 0);
    // Each parent hears which control took the focus (a scroll box brings it into view).
    std::vector<std::pair<TWinControl*, std::weak_ptr<int>>> parents;
    for (TWinControl* p = Control->GetParent(); p; p = p->GetParent())
        parents.emplace_back(p, p->Watch());
    for (auto& [p, alive] : parents) {
        if (alive.expired() || newAlive.expired() || enfocado != Control) return;
        p->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    }
}

void QtFocusChanged(QWidget* Now) {
    auto* target = dynamic_cast<TWinControl*>(ControlOfWidget(Now, true));
    // A modal box or dialog of the window system over a form is a window of its own, though
    // a child of the form's: the form's controls lost the focus to it, the form keeps the
    // control it will give the focus back to.
    if (target && Now->window()->isModal() && target->GetWidget() &&
        target->GetWidget()->window() != Now->window())
        target = nullptr;
    GuardedEntry(target, [&] { MoveFocusRecord(target); });
}

void ForgetFocus(TWinControl* Control) {
    if (!Control) return;
    bool hadFocus = enfocado && Control->ContainsControl(enfocado);
    if (hadFocus) enfocado = nullptr;
    // Roots that remember a control inside this one remember its parent instead.
    for (TWinControl* c = Control; c; c = c->GetParent()) {
        TWinControl* within = c->GetFocusedWithin();
        if (within && Control->ContainsControl(within))
            c->SetFocusedWithin(Control == c ? nullptr : Control->GetParent());
    }
    if (hadFocus && Control->GetWidget() && Control->GetWidget()->hasFocus())
        Control->GetWidget()->clearFocus();
}

void DropFocusRecord(TWinControl* Control) {
    if (enfocado == Control) enfocado = nullptr;
    if (QWidget* w = Control->GetWidget();
        w && (w->hasFocus() || w->isAncestorOf(QApplication::focusWidget())))
        w->clearFocus();
}

bool LosingFocus(const TWinControl* Control) {
    return Control && Control == perdiendo;
}

TWinControl* FocusedWithinRoot(TWinControl* Root) {
    if (enfocado && Root->ContainsControl(enfocado)) return enfocado;
    TWinControl* within = Root->GetFocusedWithin();
    return within && Root->ContainsControl(within) ? within : nullptr;
}

HWND GetFocus() {
    return enfocado && enfocado->HandleAllocated() ? enfocado->GetHandle() : nullptr;
}

TWinControl* FocusedControl() {
    return enfocado;
}

HWND SetFocus(HWND hWnd) {
    HWND previous = GetFocus();
    if (TWinControl* c = FindControl(hWnd)) {
        try {
            c->SetFocus();
        } catch (const EInvalidOperation&) {
            return nullptr;
        }
    }
    return previous;
}

// --- TWinControl ---

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->GetParent())
        if (!c->GetVisible() || !c->GetEnabled()) return false;
    return true;
}

bool TWinControl::Focused() const {
    return enfocado == this;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    HandleNeeded();
    QWidget* top = widget_->window();
    if (!top->isVisible()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    if (QApplication::activeWindow() != top) {
        top->activateWindow();
        QApplication::setActiveWindow(top);
    }
    const unsigned before = movimientos;
    TWinControl* previous = enfocado;
    widget_->setFocus(Qt::OtherFocusReason);
    // Qt reports a change only when its focus widget changes. When it did and a handler
    // took the focus back (an edit refusing to be left), it is not asked again.
    const bool refused = movimientos != before && enfocado == previous;
    if (enfocado != this && !refused) MoveFocusRecord(this);
}

int TWinControl::GetTabOrder() const {
    if (!parent_) return -1;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    size_t pos = Value < 0 ? list.size() : std::min(static_cast<size_t>(Value), list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), this);
}

void TWinControl::SetTabStop(bool Value) {
    if (tabStop_ == Value) return;
    tabStop_ = Value;
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* c : tabList_) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop, bool CheckParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int n = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), CurControl);
    int start =
        found != list.end() ? static_cast<int>(found - list.begin()) : (GoForward ? n - 1 : 0);
    int i = start;
    // One full turn at most: the search ends even when nothing can take the focus.
    do {
        i = GoForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c->CanFocus() && (!CheckTabStop || c->GetTabStop()) &&
            (!CheckParent || c->GetParent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
    if (!next) return;
    next->SetFocus();
    // Moving through the tab order is the keyboard's way: from then on the window shows where
    // the focus is, as the window system does once the keyboard is used (a radio button or
    // check box without a caption shows it around its mark).
    if (next->widget_ && next->Focused()) {
        next->widget_->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        next->widget_->update();
    }
}
