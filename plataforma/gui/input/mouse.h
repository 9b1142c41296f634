#pragma once
// The mouse: capture, the pointer position and the window under a point.

#include "plataforma/gui/kernel/win_types.h"

class TControl;

// The window that gets every mouse message until released; returns the previous one.
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();
// Capture by control (a windowless control captures through its own area).
void SetCaptureControl(TControl* Control);
TControl* GetCaptureControl();

// The pointer's last known screen position (from the input events, or SetCursorPos).
BOOL GetCursorPos(POINT* lpPoint);
BOOL SetCursorPos(int X, int Y);
// The window at a screen point, nullptr for none; a windowless control answers its parent.
HWND WindowFromPoint(POINT Point);
