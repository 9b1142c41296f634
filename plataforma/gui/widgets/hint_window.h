#pragma once
// THintWindow: the pop-up that shows a hint, a frameless window with a thin border over
// every other window, shown where the program places it without taking the activation.
// Subclasses draw other content (lists, markup) in the same kind of window. Any control
// whose CreateParams sets WS_POPUP is such a window (frameless, in screen coordinates).

#include "plataforma/gui/kernel/controls.h"

#include <functional>

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // Shows AHint in Rect (screen coordinates), kept inside the screen.
    virtual void ActivateHint(TRect Rect, const AnsiString& AHint);
    virtual void ActivateHintData(TRect Rect, const AnsiString& AHint, void* AData);
    // The size the hint needs when it may be MaxWidth wide: (0, 0, width, height).
    virtual TRect CalcHintRect(int MaxWidth, const AnsiString& AHint, void* AData);
    // Mouse and key messages end a hint.
    virtual bool IsHintMsg(const TMessage& Msg) const;
    // Hides the window and gives back its window.
    void ReleaseHandle();

protected:
    // Places the window at Bounds (screen coordinates), over every other window, shown
    // without taking the activation, and repaints it.
    void ShowAt(const TRect& Bounds);
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
};

// The application's hint window class: a function making the window that hints show in,
// owned by the application. Unset (the default), hints show in the window system's tool tip.
// Setting a class replaces the window.
using THintWindowClass = std::function<THintWindow*(TComponent* AOwner)>;
void SetHintWindowClass(THintWindowClass Class);
template <class Window> void SetHintWindowClass() {
    SetHintWindowClass([](TComponent* AOwner) -> THintWindow* { return new Window(AOwner); });
}
// Shows Info's hint at its position in the window of the hint window class, measured with
// CalcHintRect; false, showing nothing, when no class is set.
bool ShowHintInWindow(const THintInfo& Info);
// Hides the application's hint window when it shows.
void CancelHintWindow();
// The application's CancelHint: the hint that shows goes at once, in the application's hint
// window or in the window system's tool tip alike, and the pointer's next rest asks for the
// hint of what it rests on (a control whose hint changes inside its hint area, as a grid's
// link does inside its cell, calls it at each change).
void CancelHint();
// The application's hint window, made by the first hint shown (nullptr before).
THintWindow* GetApplicationHintWindow();
