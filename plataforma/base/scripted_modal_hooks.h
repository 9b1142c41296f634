#pragma once
// Modal hooks for tests: answers come from a script, and every modal call is recorded. A call
// that the script did not expect is reported through the failure handler (the test program
// turns it into a test failure) and answered as cancelled or with its default button;
// nothing ever blocks, and no modal form runs an event loop of its own.

#include "plataforma/base/modal_hooks.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class ScriptedModalHooks : public ModalHooks {
public:
    enum class Kind { MessageBox, ShowMessage, FileDialog, ShowModal, ShellExecute };

    // What was shown. text: the message, the file name proposed by a file dialog, the name of
    // a modal form, or the file given to the shell. caption: the box's caption, the dialog's
    // title, the form's caption, or the shell verb. flags: MB_ flags, the dialog's options
    // bits, or the shell's show command.
    struct Shown {
        Kind kind = Kind::MessageBox;
        AnsiString text;
        AnsiString caption;
        unsigned flags = 0;
        // File dialogs only.
        FileDialogRequest::Kind dialogKind = FileDialogRequest::Kind::Open;
        AnsiString filter;
        AnsiString initialDir;
        AnsiString defaultExt;
        int filterIndex = 0;
    };

    // Queues the answer of the next message box.
    void AnswerMessageBox(int id);
    // Allows n ShowMessage calls (they need no answer, but must be expected).
    void ExpectShowMessage(int n = 1);
    // The next file dialog accepts these files (program paths); a filter index above 0 is
    // chosen as the dialog's filter.
    void AnswerFileDialog(const AnsiString& file, int filterIndex = 0);
    void AnswerFileDialog(std::vector<AnsiString> files, int filterIndex = 0);
    // The next file dialog is cancelled.
    void CancelFileDialog();
    // The next modal form runs the action once shown: it fills the form and presses its
    // buttons (or closes it). A form that the action leaves open fails the test.
    void AnswerShowModal(std::function<void(TObject* form)> action);
    // Steps taken one after the other while the form stays open, as a user tries again
    // after the form refused to close; the steps left once it closes are not taken.
    void AnswerShowModal(std::vector<std::function<void(TObject* form)>> steps);
    // The next modal form ends as if its ModalResult were set to result.
    void AnswerShowModal(int result);
    // The next shell call returns result (above 32: done).
    void AnswerShellExecute(int result = 42);
    // Lets every call through: boxes answered with their default button, file dialogs
    // cancelled, modal forms ended, shell calls done without opening anything.
    void AllowAll(bool allow = true);

    const std::vector<Shown>& ShownBoxes() const { return shown_; }
    // Scripted answers that no call consumed.
    int PendingAnswers() const;
    int ProcessMessagesCalls() const { return processCalls_; }
    void Reset();

    void SetFailureHandler(std::function<void(const std::string&)> handler);

    int MessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags) override;
    void ShowMessage(const AnsiString& text) override;
    void ProcessMessages() override { ++processCalls_; }
    bool FileDialog(FileDialogRequest& request) override;
    void RunModal(ModalRun& run) override;
    int ShellExecute(const AnsiString& verb, const AnsiString& file, const AnsiString& parameters,
                     const AnsiString& directory, int showCmd) override;

private:
    struct FileAnswer {
        bool accept;
        std::vector<AnsiString> files;
        int filterIndex;
    };
    struct ModalAnswer {
        std::vector<std::function<void(TObject*)>> steps;
        int result;
    };

    void Fail(const std::string& message);
    void Unexpected(const std::string& what, const AnsiString& text);

    std::deque<int> answers_;
    int showMessages_ = 0;
    std::deque<FileAnswer> fileAnswers_;
    std::deque<ModalAnswer> modalAnswers_;
    std::deque<int> shellAnswers_;
    bool allowAll_ = false;
    int processCalls_ = 0;
    std::vector<Shown> shown_;
    std::function<void(const std::string&)> failure_;
};
