#include "plataforma/base/scripted_modal_hooks.h"

#include "plataforma/base/cp1252.h"

#include <cstdio>

void ScriptedModalHooks::AnswerMessageBox(int id) { answers_.push_back(id); }
void ScriptedModalHooks::ExpectShowMessage(int n) { showMessages_ += n; }
void ScriptedModalHooks::AllowAll(bool allow) { allowAll_ = allow; }

int ScriptedModalHooks::PendingAnswers() const {
    return static_cast<int>(answers_.size()) + showMessages_;
}

void ScriptedModalHooks::Reset() {
    answers_.clear();
    showMessages_ = 0;
    allowAll_ = false;
    processCalls_ = 0;
    shown_.clear();
}

void ScriptedModalHooks::SetFailureHandler(std::function<void(const std::string&)> handler) {
    failure_ = std::move(handler);
}

void ScriptedModalHooks::Unexpected(const std::string& what, const AnsiString& text) {
    std::string mensaje = what + " no esperado: " + cp1252::ToUtf8(text.str());
    if (failure_) failure_(mensaje);
    else std::fprintf(stderr, "%s\n", mensaje.c_str());
}

int ScriptedModalHooks::MessageBox(const AnsiString& text, const AnsiString& caption,
                                   unsigned flags) {
    shown_.push_back({Kind::MessageBox, text, caption, flags});
    if (!answers_.empty()) {
        int id = answers_.front();
        answers_.pop_front();
        return id;
    }
    if (!allowAll_) Unexpected("MessageBox", text);
    return DefaultButtonAnswer(flags);
}

void ScriptedModalHooks::ShowMessage(const AnsiString& text) {
    shown_.push_back({Kind::ShowMessage, text, AnsiString(), MB_OK});
    if (showMessages_ > 0) --showMessages_;
    else if (!allowAll_) Unexpected("ShowMessage", text);
}
