#pragma once
// Inside the platform layer only: the input translation records the pointer position.

#include "plataforma/gui/kernel/win_types.h"

void NoteCursorPos(const TPoint& ScreenPos);
