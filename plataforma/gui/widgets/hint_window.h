#pragma once
// THintWindow: the pop-up that shows a hint, a frameless window with a thin border over
// every other window, shown where the program places it without taking the activation.
// Subclasses draw other content (lists, markup) in the same kind of window. Any control
// whose CreateParams sets WS_POPUP is such a window (frameless, in screen coordinates).

#include "plataforma/gui/kernel/controls.h"

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
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
};
