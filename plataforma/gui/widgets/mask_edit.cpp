// TCustomMaskEdit: the keys, characters and clipboard requests of a masked edit go through
// its TMaskEngine; the window shows the engine's EditText.

#include "plataforma/gui/widgets/edit.h"

#include "plataforma/base/resource_strings.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/services/clipboard.h"

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner)
    : TCustomEdit(AOwner), engine_(std::make_unique<TMaskEngine>()) {}

TCustomMaskEdit::~TCustomMaskEdit() = default;

void TCustomMaskEdit::SetEditMask(const AnsiString& Value) {
    if (engine_->GetMask() == Value) return;
    const AnsiString text = GetText();
    engine_->SetMask(Value);
    if (!IsMasked()) return;
    engine_->SetText(text);
    TCustomEdit::SetText(engine_->GetEditText());
}

void TCustomMaskEdit::Sync() const {
    if (IsMasked()) engine_->SetEditText(TCustomEdit::GetText());
}

AnsiString TCustomMaskEdit::GetText() const {
    if (!IsMasked()) return TCustomEdit::GetText();
    Sync();
    return engine_->GetText();
}

void TCustomMaskEdit::SetText(const AnsiString& Value) {
    if (!IsMasked()) return TCustomEdit::SetText(Value);
    engine_->SetText(Value);
    TCustomEdit::SetText(engine_->GetEditText());
}

AnsiString TCustomMaskEdit::GetEditText() const {
    return TCustomEdit::GetText();
}

void TCustomMaskEdit::SetEditText(const AnsiString& Value) {
    // A masked edit's window text is formatted on its way in (below).
    TCustomEdit::SetText(Value);
}

void TCustomMaskEdit::ShowMasked(int SelStart, int SelEnd) {
    const AnsiString shown = engine_->GetEditText();
    if (shown != TCustomEdit::GetText()) {
        // As typed: an undo step, the modified flag and the change notification.
        Perform(EM_SETSEL, 0, -1);
        Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    Perform(EM_SETSEL, static_cast<WPARAM>(SelStart), SelEnd);
}

bool TCustomMaskEdit::IsMaskFilled() const {
    if (!IsMasked()) return false;
    Sync();
    return engine_->IsFilled();
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !GetModified()) return;
    Sync();
    const int pos = engine_->FirstMissing();
    if (pos < 0) return;
    if (!Designing() && CanFocus()) SetFocus();
    SetSelStart(pos);
    SetSelLength(0);
    MessageBeep(0);
    throw EDBEditError(SMaskEditErr);
}

// --- keys ---

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
    if (!IsMasked() || Key == 0 || Shift.Contains(ssAlt)) return;
    // Delete with or without Ctrl blanks through the mask: the window's own edit would take
    // Ctrl+Delete and Ctrl+Backspace as deleting whole words and shorten the text.
    if (Key == VK_BACK && Shift.Contains(ssCtrl)) {
        Key = 0;
    } else if (Key == VK_DELETE && !Shift.Contains(ssShift)) {
        if (!GetReadOnly()) {
            Sync();
            int s = GetSelStart(), e = s + GetSelLength();
            engine_->KeyDelete(s, e);
            ShowMasked(s, e);
        }
        Key = 0;
    } else if (Key == VK_ESCAPE && GetModified()) {
        // The changes abandoned: the text of focus entry again.
        TCustomEdit::SetText(entryText_);
        SetModified(false);
        Key = 0;
    }
}

void TCustomMaskEdit::KeyPress(char& Key) {
    TCustomEdit::KeyPress(Key);
    const unsigned char ch = static_cast<unsigned char>(Key);
    // Control characters other than Backspace keep their meaning (clipboard, Return, Tab).
    if (!IsMasked() || (ch < 32 && ch != 8)) return;
    Key = 0;
    // 127: Ctrl+Backspace, no character of the mask.
    if (GetReadOnly() || ch == 127) return;
    Sync();
    int s = GetSelStart(), e = s + GetSelLength();
    if (ch == 8)
        engine_->KeyBackspace(s, e);
    else if (!engine_->KeyChar(static_cast<char>(ch), s, e))
        return static_cast<void>(MessageBeep(0));
    ShowMasked(s, e);
}

void TCustomMaskEdit::DoEnter() {
    entryText_ = GetEditText();
    TCustomEdit::DoEnter();
}

void TCustomMaskEdit::DoExit() {
    if (IsMasked() && !Designing()) ValidateEdit();
    TCustomEdit::DoExit();
}

// --- window requests ---

void TCustomMaskEdit::DefaultHandler(TMessage& Message) {
    if (!IsMasked()) return TCustomEdit::DefaultHandler(Message);
    switch (Message.Msg) {
    case WM_SETTEXT: {
        // Whoever sets the window text, it keeps the mask's shape.
        engine_->SetEditText(AnsiString(reinterpret_cast<const char*>(Message.LParam)));
        const AnsiString shown = engine_->GetEditText();
        TMessage m = Message;
        m.LParam = reinterpret_cast<LPARAM>(shown.c_str());
        TCustomEdit::DefaultHandler(m);
        Message.Result = m.Result;
        return;
    }
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR: {
        if (Message.Msg == WM_CUT) Perform(WM_COPY, 0, 0);
        if (GetReadOnly()) return;
        Sync();
        int s = GetSelStart(), e = s + GetSelLength();
        if (Message.Msg != WM_PASTE) {
            engine_->Blank(s, e);
            e = s;
        } else if (Clipboard()->HasFormat(CF_TEXT)) {
            // The clipboard's first line, typed in from the caret.
            const std::string t = Clipboard()->GetAsText().str();
            engine_->Paste(AnsiString(t.substr(0, t.find_first_of("\r\n"))), s, e);
        }
        ShowMasked(s, e);
        return;
    }
    default:
        TCustomEdit::DefaultHandler(Message);
    }
}
