#include "plataforma/gui/kernel/timers.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/messages.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimerEvent>

#include <chrono>
#include <functional>
#include <map>

namespace {

constexpr UINT kMinimo = 10;
// Precise: the window system's timers never fire before their interval (Qt's coarse ones
// may, by up to 5%).

struct Temporizador {
    HWND hwnd;
    UINT_PTR id;
    TIMERPROC proc;
    std::function<void()> callback;
    TObject* sender = nullptr;
};

class Anfitrion : public QObject {
public:
    std::map<int, Temporizador> activos; // by Qt timer id

protected:
    void timerEvent(QTimerEvent* e) override {
        auto it = activos.find(e->timerId());
        if (it == activos.end()) return;
        Temporizador t = it->second;
        if (t.callback) {
            GuardedEntry(t.sender, t.callback);
            return;
        }
        if (t.proc) {
            GuardedEntry(nullptr, [&] { t.proc(t.hwnd, WM_TIMER, t.id, GetTickCount()); });
            return;
        }
        TWinControl* c = FindControl(t.hwnd);
        if (!c) {
            killTimer(e->timerId());
            activos.erase(e->timerId());
            return;
        }
        GuardedEntry(c, [&] { c->Perform(WM_TIMER, t.id, 0); });
    }
};

Anfitrion& Host() {
    static Anfitrion* host = [] {
        EnsureQtApplication();
        return new Anfitrion;
    }();
    return *host;
}

UINT_PTR siguienteId = 0x7F00;

int Find(HWND h, UINT_PTR id) {
    for (auto& [qid, t] : Host().activos)
        if (t.hwnd == h && t.id == id) return qid;
    return 0;
}

void Stop(int qid) {
    Host().killTimer(qid);
    Host().activos.erase(qid);
}

} // namespace

DWORD GetTickCount() {
    static const auto inicio = std::chrono::steady_clock::now();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - inicio);
    return static_cast<DWORD>(ms.count());
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    if (hWnd && !FindControl(hWnd)) return 0;
    if (!hWnd) {
        if (!lpTimerFunc) return 0;
        nIDEvent = siguienteId++;
    }
    if (int old = Find(hWnd, nIDEvent)) Stop(old);
    int qid = Host().startTimer(static_cast<int>(std::max(uElapse, kMinimo)), Qt::PreciseTimer);
    if (qid == 0) return 0;
    Host().activos[qid] = {hWnd, nIDEvent, lpTimerFunc, {}};
    return hWnd ? (nIDEvent ? nIDEvent : 1) : nIDEvent;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    int qid = Find(hWnd, uIDEvent);
    if (!qid) return FALSE;
    Stop(qid);
    return TRUE;
}

void KillTimersOf(HWND hWnd) {
    if (!hWnd || !QCoreApplication::instance()) return;
    for (auto it = Host().activos.begin(); it != Host().activos.end();) {
        if (it->second.hwnd == hWnd) {
            Host().killTimer(it->first);
            it = Host().activos.erase(it);
        } else {
            ++it;
        }
    }
}

// --- TTimer ---

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    UpdateTimer();
}

TTimer::~TTimer() {
    if (id_) Stop(id_);
}

void TTimer::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
    if (interval_ == Value) return;
    interval_ = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (id_) {
        Stop(id_);
        id_ = 0;
    }
    if (!enabled_ || interval_ == 0) return;
    id_ = Host().startTimer(static_cast<int>(std::max(interval_, kMinimo)), Qt::PreciseTimer);
    if (id_) Host().activos[id_] = {nullptr, 0, nullptr, [this] { Timer(); }, this};
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}
