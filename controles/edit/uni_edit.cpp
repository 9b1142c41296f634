// TCustomUNIEdit and the wide memo: the wide text, its window, and the characters parked
// for the 8-bit key handling.

#include "controles/edit/uni_edit.h"

#include "plataforma/gui/widgets/edit_backend.h"

namespace {

constexpr TFontCharset kUnicodeCharset = 255;

} // namespace

TCustomUNIEdit::TCustomUNIEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    GetFont()->SetCharset(kUnicodeCharset);
}

WideString TCustomUNIEdit::GetText() const {
    return GetWideControlText(const_cast<TCustomUNIEdit*>(this));
}

void TCustomUNIEdit::SetText(const WideString& Value) {
    SetWideControlText(this, Value);
}

WideString TCustomUNIEdit::GetSelText() const {
    return GetText().SubString(GetSelStart() + 1, GetSelLength());
}

void TCustomUNIEdit::SetSelText(const WideString& Value) {
    if (EnsureBackend())
        Backend()->ReplaceSelWide(Value);
    else
        SetText(GetText() + Value);
}

WideString TCustomUNIEdit::WideWindowText() const {
    return Backend() ? Backend()->WideText() : WideString();
}

void TCustomUNIEdit::SetWideWindowText(const WideString& Value) {
    if (Backend()) Backend()->SetWideText(Value);
}

void TCustomUNIEdit::CreateWindowHandle(const TCreateParams& Params) {
    TCustomEdit::CreateWindowHandle(Params);
    // The window shows the wide text kept while there was none; making it changes nothing.
    const WideString text = InitialWideText(this, Params.Caption);
    auto notify = std::move(Backend()->OnTextChanged);
    Backend()->SetWideText(text);
    Backend()->OnTextChanged = std::move(notify);
}

void TCustomUNIEdit::DestroyWnd() {
    if (Backend() && !GetComponentState().Contains(csDestroying))
        FindWideCaptionHolder(this, WideString())->WideCaption = Backend()->WideText();
    TCustomEdit::DestroyWnd();
}

void TCustomUNIEdit::WndProc(TMessage& Message) {
    ParkWideChar(Message);
    TCustomEdit::WndProc(Message);
}

void TCustomUNIEdit::DefaultHandler(TMessage& Message) {
    UnparkWideChar(Message);
    TCustomEdit::DefaultHandler(Message);
}

// --- memo ---

void TKsgUniCustomMemo::SetScrollBars(TScrollStyle Value) {
    if (scrollBars_ == Value) return;
    scrollBars_ = Value;
    RecreateWnd();
}

void TKsgUniCustomMemo::SetWordWrap(bool Value) {
    if (wordWrap_ == Value) return;
    wordWrap_ = Value;
    RecreateWnd();
}

void TKsgUniCustomMemo::CreateParams(TCreateParams& Params) {
    TCustomUNIEdit::CreateParams(Params);
    // Scrolling sideways is what keeps the lines from wrapping.
    Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    Params.Style |= ES_MULTILINE | (wordWrap_ ? 0u : static_cast<DWORD>(ES_AUTOHSCROLL));
    Params.Style |= MemoScrollStyle(scrollBars_);
}

EditBackend* TKsgUniCustomMemo::CreateBackend(QWidget* ParentWidget) {
    const DWORD bars = MemoScrollStyle(scrollBars_);
    return CreateMemoBackend(this, ParentWidget, wordWrap_, bars & WS_HSCROLL, bars & WS_VSCROLL);
}

void TKsgUniCustomMemo::Dispatch(TMessage& Message) {
    TCustomUNIEdit::Dispatch(Message);
    MemoDialogCode(Message, wantTabs_, wantReturns_);
}

TKsgUniMemo::TKsgUniMemo(TComponent* AOwner) : TKsgUniCustomMemo(AOwner) {
    SetWidth(200);
    SetHeight(100);
    SetAutoSize(false);
}
