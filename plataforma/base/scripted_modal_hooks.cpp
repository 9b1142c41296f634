#include "plataforma/base/scripted_modal_hooks.h"

#include "plataforma/base/cp1252.h"

#include <cstdio>

void ScriptedModalHooks::AnswerMessageBox(int id) {
    answers_.push_back(id);
}
void ScriptedModalHooks::ExpectShowMessage(int n) {
    showMessages_ += n;
}
void ScriptedModalHooks::AllowAll(bool allow) {
    allowAll_ = allow;
}

void ScriptedModalHooks::AnswerFileDialog(const AnsiString& file, int filterIndex) {
    AnswerFileDialog(std::vector<AnsiString>{file}, filterIndex);
}
void ScriptedModalHooks::AnswerFileDialog(std::vector<AnsiString> files, int filterIndex) {
    fileAnswers_.push_back({true, std::move(files), filterIndex});
}
void ScriptedModalHooks::CancelFileDialog() {
    fileAnswers_.push_back({false, {}, 0});
}

void ScriptedModalHooks::AnswerShowModal(std::function<void(TObject*)> action) {
    AnswerShowModal(std::vector<std::function<void(TObject*)>>{std::move(action)});
}
void ScriptedModalHooks::AnswerShowModal(std::vector<std::function<void(TObject*)>> steps) {
    modalAnswers_.push_back({std::move(steps), 0});
}
void ScriptedModalHooks::AnswerShowModal(int result) {
    modalAnswers_.push_back({{}, result});
}

void ScriptedModalHooks::AnswerShellExecute(int result) {
    shellAnswers_.push_back(result);
}

int ScriptedModalHooks::PendingAnswers() const {
    return static_cast<int>(answers_.size() + fileAnswers_.size() + modalAnswers_.size() +
                            shellAnswers_.size()) +
           showMessages_;
}

void ScriptedModalHooks::Reset() {
    answers_.clear();
    showMessages_ = 0;
    fileAnswers_.clear();
    modalAnswers_.clear();
    shellAnswers_.clear();
    allowAll_ = false;
    processCalls_ = 0;
    shown_.clear();
}

void ScriptedModalHooks::SetFailureHandler(std::function<void(const std::string&)> handler) {
    failure_ = std::move(handler);
}

void ScriptedModalHooks::Fail(const std::string& message) {
    if (failure_)
        failure_(message);
    else
        std::fprintf(stderr, "%s\n", message.c_str());
}

void ScriptedModalHooks::Unexpected(const std::string& what, const AnsiString& text) {
    Fail(what + " no esperado: " + cp1252::ToUtf8(text.str()));
}

int ScriptedModalHooks::MessageBox(const AnsiString& text, const AnsiString& caption,
                                   unsigned flags) {
    Shown s;
    s.kind = Kind::MessageBox;
    s.text = text;
    s.caption = caption;
    s.flags = flags;
    shown_.push_back(s);
    if (!answers_.empty()) {
        int id = answers_.front();
        answers_.pop_front();
        return id;
    }
    if (!allowAll_) Unexpected("MessageBox", text);
    return DefaultButtonAnswer(flags);
}

void ScriptedModalHooks::ShowMessage(const AnsiString& text) {
    Shown s;
    s.kind = Kind::ShowMessage;
    s.text = text;
    s.flags = MB_OK;
    shown_.push_back(s);
    if (showMessages_ > 0)
        --showMessages_;
    else if (!allowAll_)
        Unexpected("ShowMessage", text);
}

bool ScriptedModalHooks::FileDialog(FileDialogRequest& request) {
    Shown s;
    s.kind = Kind::FileDialog;
    s.text = request.fileName;
    s.caption = request.title;
    s.flags = request.options;
    s.dialogKind = request.kind;
    s.filter = request.filter;
    s.initialDir = request.initialDir;
    s.defaultExt = request.defaultExt;
    s.filterIndex = request.filterIndex;
    shown_.push_back(s);
    if (fileAnswers_.empty()) {
        if (!allowAll_) Unexpected("FileDialog", request.title);
        return false;
    }
    FileAnswer answer = std::move(fileAnswers_.front());
    fileAnswers_.pop_front();
    if (!answer.accept) return false;
    request.files = std::move(answer.files);
    if (answer.filterIndex > 0) request.filterIndex = answer.filterIndex;
    return true;
}

void ScriptedModalHooks::RunModal(ModalRun& run) {
    Shown s;
    s.kind = Kind::ShowModal;
    s.text = run.Name();
    s.caption = run.Caption();
    shown_.push_back(s);
    if (modalAnswers_.empty()) {
        if (!allowAll_) Unexpected("ShowModal", run.Caption());
        return;
    }
    ModalAnswer answer = std::move(modalAnswers_.front());
    modalAnswers_.pop_front();
    if (answer.steps.empty()) {
        run.SetModalResult(answer.result);
    } else {
        for (auto& step : answer.steps) {
            step(run.Form());
            if (run.Finished()) return;
        }
    }
    if (!run.Finished())
        Fail("ShowModal: el guion dejo abierto el formulario " +
             cp1252::ToUtf8(run.Caption().str()));
}

int ScriptedModalHooks::ShellExecute(const AnsiString& verb, const AnsiString& file,
                                     const AnsiString&, const AnsiString&, int showCmd) {
    Shown s;
    s.kind = Kind::ShellExecute;
    s.text = file;
    s.caption = verb;
    s.flags = static_cast<unsigned>(showCmd);
    shown_.push_back(s);
    if (!shellAnswers_.empty()) {
        int result = shellAnswers_.front();
        shellAnswers_.pop_front();
        return result;
    }
    if (!allowAll_) Unexpected("ShellExecute", file);
    return 42;
}
