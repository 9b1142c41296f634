#pragma once
// TApplication: the program's message queue and its exception handler. Every event that
// comes from the window system is wrapped, so that an exception that escapes a handler
// reaches HandleException and never ends the program.

#include "plataforma/base/component.h"
#include "plataforma/base/exceptions.h"

#include <functional>

using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);

    // Handles what is waiting: window-system events, due timers, posted messages, then the
    // controls released meanwhile. Returns when nothing is left.
    void ProcessMessages();
    // Called inside a catch block: hands the exception being handled to OnException, or
    // to ShowException when OnException is not assigned.
    void HandleException(TObject* Sender);
    // A message box with the exception's message (a period added unless it ends in one),
    // captioned with the title, with the stop icon.
    void ShowException(Exception* E);

    const AnsiString& GetTitle() const { return title_; }
    void SetTitle(const AnsiString& Value) { title_ = Value; }

    TExceptionEvent OnException;

private:
    AnsiString title_;
};

extern TApplication* Application;
