#pragma once
// Right-to-left layout: a control lays its contents out from the right when the desktop's
// language is written that way (or the program was started with -reverse).

class TControl;

// The class library's right-to-left alignment test of a control.
bool UseRightToLeftAlignment(const TControl* Control);
