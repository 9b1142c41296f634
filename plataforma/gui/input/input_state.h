#pragma once
// How the input translation keeps the keyboard state of keys.h up to date.

#include "plataforma/gui/kernel/win_types.h"

// A key goes down or up; the generic Shift, Ctrl and Alt codes follow their left and
// right keys, and toggle keys change on each press.
void SetKeyDownState(WORD vk, bool down);
// Brings Shift, Ctrl and Alt in line with the modifiers that an input event reports,
// keeping which side is down when the event agrees with what is known.
void SyncModifierState(bool shift, bool ctrl, bool alt);
void SyncMouseButtonState(bool left, bool right, bool middle);
