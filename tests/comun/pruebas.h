#pragma once
// Shared by every test program: the scripted modal hooks installed for each test.

#include "plataforma/base/scripted_modal_hooks.h"

// Reset before each test; at its end, answers that no box consumed fail the test.
ScriptedModalHooks& Guion();
