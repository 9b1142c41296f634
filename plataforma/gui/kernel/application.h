#pragma once
// TApplication: the program's forms, its message loop and its exception handler. Every event
// that comes from the window system is wrapped, so that an exception that escapes a handler
// reaches HandleException and never ends the program.

#include "plataforma/base/component.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/gui/kernel/win_types.h"

#include <functional>

class TCustomForm;

using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);

    // Brings up the window system.
    void Initialize();
    // Makes a form owned by the application and stores it in Reference; the first form made
    // so becomes the main form. Its OnCreate has run when this returns.
    template <class T> void CreateForm(T*& Reference) {
        T* form = new T(this);
        Reference = form;
        FormCreated(form);
    }
    // Shows the main form and handles messages until Terminate (closing the main form ends
    // the program); then destroys the forms the application owns, and may run again.
    void Run();
    // Ends Run once the message being handled is done; a modal form ends as cancelled.
    void Terminate();
    bool GetTerminated() const { return terminated_; }
    TCustomForm* GetMainForm() const { return mainForm_; }
    bool GetShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool Value) { showMainForm_ = Value; }
    // The main form's window; nullptr without one.
    HWND GetHandle() const;

    // Handles what is waiting: window-system events, due timers, posted messages, then the
    // controls released meanwhile. Returns when nothing is left.
    void ProcessMessages();
    // Waits for at least one event, then handles what is waiting.
    void HandleMessage();
    // Called inside a catch block: hands the exception being handled to OnException, or
    // to ShowException when OnException is not assigned.
    void HandleException(TObject* Sender);
    // A message box with the exception's message (a period added unless it ends in one),
    // captioned with the title, with the stop icon.
    void ShowException(Exception* E);
    // A message box (MB_ flags) through the modal hooks; returns the ID_ of the button.
    int MessageBox(const AnsiString& Text, const AnsiString& Caption, int Flags = 0);

    // The program's name (the executable's, without folder and extension) until set.
    AnsiString GetTitle() const;
    void SetTitle(const AnsiString& Value) { title_ = Value; }
    // The executable's full path.
    AnsiString GetExeName() const;

    TExceptionEvent OnException;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void FormCreated(TCustomForm* Form);

    AnsiString title_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool showMainForm_ = true;
};

extern TApplication* Application;
