#pragma once
// Mouse cursors: TCursor numbers (negative for the stock shapes) and the cursor handles the
// controls load and set while they handle WM_SETCURSOR.

#include "plataforma/gui/kernel/win_types.h"

#include <functional>

using TCursor = int;

constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSize = -22;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Shows the cursor over the window whose WM_SETCURSOR is being handled (or the one under the
// pointer); returns the previous one. nullptr hides it.
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();

class TWinControl;
// Asks the control again which cursor it shows (WM_SETCURSOR over its client area), as the
// next move of the pointer would: for a control whose cursor follows what a move changed.
void RefreshCursor(TWinControl* Control);

class TBitmap;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

// The program's cursor resources, numbered as in a resource file. There is no resource file:
// each cursor is drawn in code by a painter registered under its number, which draws on a
// fresh bitmap (its clFuchsia ground is see-through) and returns the hot spot.
using TCursorResourcePainter = std::function<TPoint(TBitmap* Bitmap)>;
void RegisterCursorResource(int Id, TCursorResourcePainter Painter);
// The cursor of a resource number, drawn on the first call and the same handle on every
// later one; nullptr when no cursor has that number. Resources are looked up in the program
// whatever instance is passed.
HCURSOR LoadCursor(HINSTANCE Instance, int Id);
