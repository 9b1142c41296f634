#pragma once
// Window timers (WM_TIMER by identifier) and the TTimer component. They run on the program's
// event loop: Application->ProcessMessages delivers the ones that are due.

#include "plataforma/base/component.h"
#include "plataforma/base/events.h"
#include "plataforma/gui/kernel/win_types.h"

using TIMERPROC = void (*)(HWND hwnd, UINT msg, UINT_PTR idEvent, DWORD time);

// Starts (or restarts) timer nIDEvent of a window; every uElapse milliseconds (10 at least)
// the window gets WM_TIMER with that identifier, or lpTimerFunc is called instead. Without a
// window a new identifier is returned and lpTimerFunc is required. 0 on failure.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);
// Every timer of a window ends with the window.
void KillTimersOf(HWND hWnd);
// Milliseconds since the program started.
DWORD GetTickCount();

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool Value);
    // Milliseconds; 0 stops the timer.
    unsigned GetInterval() const { return interval_; }
    void SetInterval(unsigned Value);
    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    int id_ = 0;
};
