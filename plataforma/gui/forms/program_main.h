#pragma once
// The body of a program's main: the application initialised with the window system's
// dialogs and Qt's texts in Spanish, the program's own start (its forms), then the message
// loop. An exception that reaches the top is shown with the application's exception display.

#include <functional>

// Returns the program's exit code.
int RunProgram(const std::function<void()>& Start);
