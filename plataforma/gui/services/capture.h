#pragma once
// Captures for a person to look at: a PNG of a control, saved into the "capturas" folder of
// the build tree. A form is drawn inside a classic frame with its caption bar, as it looks
// on the desktop it was designed for.

#include "plataforma/base/ansi_string.h"
#include "plataforma/gui/kernel/win_types.h"

class TControl;

// Saves Name.png (letters, digits, "-" and "_" kept; the rest becomes "_"); returns the file's
// path, or an empty text when nothing could be written. The window system's pending work
// (layouts, posted messages) is done first.
AnsiString SaveCapture(TControl* Control, const AnsiString& Name);
// The same with the mouse pointer drawn where the screen would show it: the cursor the
// control shows, its hot spot at the client point Pointer (stock shapes are not drawn).
AnsiString SaveCapture(TControl* Control, const AnsiString& Name, TPoint Pointer);
// $QUENBAR_CAPTURAS, or "capturas" in the build tree that holds the running program (the
// first folder above it with a CMakeCache.txt), or beside the program.
AnsiString CaptureFolder();
