#pragma once
// The wide text of controls whose window keeps UTF-16 text (WideTextWindow): read from the
// window while it exists, kept by a TWideCaptionHolder while it does not, so that text set
// before the window is made, or typed before it is made again, is shown by the next one.
// The character messages of such a window carry code points; those above 0xFF are parked
// (code in the high word, 255 in the low byte) while the class library's 8-bit key
// handling sees them, and unparked before the window inserts them.

#include "plataforma/base/component.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/gui/kernel/messages.h"

class TWinControl;

// Keeps a control's wide text while it has no window; owned by the control.
class TWideCaptionHolder : public TComponent {
public:
    using TComponent::TComponent;
    WideString WideCaption;
};

// What a control with a wide window offers the wide text routines.
class WideTextWindow {
public:
    virtual ~WideTextWindow() = default;
    // False while the control has no window.
    virtual bool WideWindowExists() const = 0;
    virtual WideString WideWindowText() const = 0;
    virtual void SetWideWindowText(const WideString& Value) = 0;
};

// The first holder owned by the control, or a new one that starts with Default.
TWideCaptionHolder* FindWideCaptionHolder(TComponent* Control, const WideString& Default);
// The window's text; without a window the holder's, unless the 8-bit text was changed
// since (then that text, which the holder takes).
WideString GetWideControlText(TWinControl* Control);
// With a window: the text, then CM_TEXTCHANGED, only when it differs from the window's.
// Without one: the holder's text, and the 8-bit text converted.
void SetWideControlText(TWinControl* Control, const WideString& Value);
// The text a new window of the control starts with: the holder's, or the 8-bit caption
// Caption when the holder has none or is behind it.
WideString InitialWideText(TComponent* Control, const AnsiString& Caption);

// WM_CHAR of a wide window, before and after the 8-bit key handling.
void ParkWideChar(TMessage& Message);
void UnparkWideChar(TMessage& Message);
