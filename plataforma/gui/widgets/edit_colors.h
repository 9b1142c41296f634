#pragma once
// Inside the platform layer only: the colours a hosted edit asks of its parent before it
// paints, as the window system's edit does (WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC for a
// read-only or disabled one, which the parent reflects to the control as CN_CTLCOLOREDIT /
// CN_CTLCOLORSTATIC). The answer is the brush of the edit's background; the device context
// carries the text colour and, with a transparent background mode, says that no background
// is painted under the text.

class TWinControl;
class QWidget;

// Asks the colours for a paint of the control's widget and applies them to it.
void AskEditColors(TWinControl* Control, QWidget* Widget, bool Static);
// The default answer of a control to CN_CTLCOLOR...: its font colour as text, its colour as
// background and a brush of that colour (kept for the run, one per colour).
long long DefaultControlColor(TWinControl* Control, void* DC);
