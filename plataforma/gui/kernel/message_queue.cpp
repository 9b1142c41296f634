// Posted messages: our own queue, delivered in order by Application->ProcessMessages, or by
// the running event loop, which a Qt event wakes when the queue fills.

#include "plataforma/gui/kernel/message_queue.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/input/key_input.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <algorithm>
#include <deque>

namespace {

struct Posted {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

std::deque<Posted> cola;

struct Pending {
    TWinControl* control;
    std::weak_ptr<int> alive;
};
std::vector<Pending> pendientes;

// Wakes the event loop of a running program to deliver what was posted.
class Despertador : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        avisado = false;
        DrainPostedMessages();
        return true;
    }
    bool avisado = false;
};

Despertador* despertador = nullptr;

void Wake() {
    if (!QCoreApplication::instance()) return;
    if (!despertador) despertador = new Despertador;
    if (despertador->avisado) return;
    despertador->avisado = true;
    QCoreApplication::postEvent(despertador, new QEvent(QEvent::User));
}

void Deliver(const Posted& p) {
    TWinControl* c = FindControl(p.hwnd);
    if (!c) return; // the window is gone
    auto alive = c->Watch();
    GuardedEntry(c, [&] {
        if (!DeliverPostedKeyMessage(c, p.msg, p.wParam, p.lParam))
            c->Perform(p.msg, p.wParam, p.lParam);
    });
    (void)alive;
}

void DeleteDueControls() {
    // A control still handling a message waits for a later pass.
    for (size_t i = 0; i < pendientes.size();) {
        Pending p = pendientes[i];
        if (p.alive.expired()) {
            pendientes.erase(pendientes.begin() + static_cast<std::ptrdiff_t>(i));
        } else if (!p.control->IsDispatching()) {
            pendientes.erase(pendientes.begin() + static_cast<std::ptrdiff_t>(i));
            delete p.control;
            i = 0;
        } else {
            ++i;
        }
    }
}

} // namespace

BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!hWnd) return TRUE; // a thread message: nobody here reads them
    if (!FindControl(hWnd)) return FALSE;
    cola.push_back({hWnd, Msg, wParam, lParam});
    Wake();
    return TRUE;
}

LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* c = FindControl(hWnd);
    return c ? c->Perform(Msg, wParam, lParam) : 0;
}

void DrainPostedMessages() {
    while (!cola.empty()) {
        Posted p = cola.front();
        cola.pop_front();
        Deliver(p);
        DeleteDueControls();
    }
    DeleteDueControls();
}

void RequestDeferredDelete(TWinControl* Control) {
    for (const Pending& p : pendientes)
        if (p.control == Control && !p.alive.expired()) return;
    pendientes.push_back({Control, Control->Watch()});
}
