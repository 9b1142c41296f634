#pragma once
// Where a combo's open drop-down list is on the screen, for tests that click into it as a
// user does.

#include "plataforma/gui/kernel/win_types.h"

class TCustomComboBox;

// The screen rectangle of the combo's open list; an empty rectangle when it is closed.
TRect DroppedListRect(TCustomComboBox* combo);
