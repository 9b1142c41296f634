#pragma once
// Modal hooks for tests: answers come from a script, and every box shown is recorded. A box
// that the script did not expect is reported through the failure handler (the test program
// turns it into a test failure) and answered with its default button; nothing ever blocks.

#include "plataforma/base/modal_hooks.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class ScriptedModalHooks : public ModalHooks {
public:
    enum class Kind { MessageBox, ShowMessage };

    struct Shown {
        Kind kind;
        AnsiString text;
        AnsiString caption;
        unsigned flags;
    };

    // Queues the answer of the next message box.
    void AnswerMessageBox(int id);
    // Allows n ShowMessage calls (they need no answer, but must be expected).
    void ExpectShowMessage(int n = 1);
    // Lets every message box and ShowMessage through, answered with its default button.
    void AllowAll(bool allow = true);

    const std::vector<Shown>& ShownBoxes() const { return shown_; }
    // Scripted answers that no box consumed.
    int PendingAnswers() const;
    int ProcessMessagesCalls() const { return processCalls_; }
    void Reset();

    void SetFailureHandler(std::function<void(const std::string&)> handler);

    int MessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags) override;
    void ShowMessage(const AnsiString& text) override;
    void ProcessMessages() override { ++processCalls_; }

private:
    void Unexpected(const std::string& what, const AnsiString& text);

    std::deque<int> answers_;
    int showMessages_ = 0;
    bool allowAll_ = false;
    int processCalls_ = 0;
    std::vector<Shown> shown_;
    std::function<void(const std::string&)> failure_;
};
