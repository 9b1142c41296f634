// TCustomUNIComboBox and its wide Items.

#include "controles/edit/uni_combo.h"

#include "plataforma/base/exceptions.h"
#include "plataforma/base/resource_strings.h"
#include "plataforma/gui/widgets/edit_backend.h"

// --- TComboBoxStrings ---

namespace {

// The 8-bit items of the combo, which keep the objects and the update count.
TStrings* AnsiItems(TCustomUNIComboBox* c) {
    return c->TCustomComboBox::GetItems();
}

int Inserted(LRESULT Answer) {
    if (Answer < 0) throw EOutOfResources(SInsertLineError);
    return static_cast<int>(Answer);
}

} // namespace

WideString TComboBoxStrings::Get(int Index) const {
    return ComboBox->GetWideItem(Index);
}

int TComboBoxStrings::GetCount() const {
    return static_cast<int>(ComboBox->Perform(CB_GETCOUNT, 0, 0));
}

TObject* TComboBoxStrings::GetObject(int Index) const {
    return AnsiItems(ComboBox)->GetObjects(Index);
}

void TComboBoxStrings::PutObject(int Index, TObject* AObject) {
    AnsiItems(ComboBox)->SetObjects(Index, AObject);
}

void TComboBoxStrings::SetUpdateState(bool Updating) {
    if (Updating)
        AnsiItems(ComboBox)->BeginUpdate();
    else
        AnsiItems(ComboBox)->EndUpdate();
}

int TComboBoxStrings::Add(const WideString& S) {
    return Inserted(ComboBox->PerformWideItem(CB_ADDSTRING, 0, S));
}

void TComboBoxStrings::Insert(int Index, const WideString& S) {
    Inserted(ComboBox->PerformWideItem(CB_INSERTSTRING, static_cast<WPARAM>(Index), S));
}

void TComboBoxStrings::Clear() {
    const WideString kept = GetWideControlText(ComboBox);
    ComboBox->Perform(CB_RESETCONTENT, 0, 0);
    SetWideControlText(ComboBox, kept);
    ComboBox->Update();
}

void TComboBoxStrings::Delete(int Index) {
    AnsiItems(ComboBox)->Delete(Index);
}

int TComboBoxStrings::IndexOf(const WideString& S) const {
    return ComboBox->FindWideItem(S);
}

// --- TCustomUNIComboBox ---

TCustomUNIComboBox::TCustomUNIComboBox(TComponent* AOwner)
    : TCustomComboBox(AOwner), items_(std::make_unique<TComboBoxStrings>()) {
    items_->ComboBox = this;
    GetFont()->SetCharset(255);
}

TCustomUNIComboBox::~TCustomUNIComboBox() = default;

WideString TCustomUNIComboBox::GetText() const {
    return GetWideControlText(const_cast<TCustomUNIComboBox*>(this));
}

void TCustomUNIComboBox::SetText(const WideString& Value) {
    SetWideControlText(this, Value);
}

WideString TCustomUNIComboBox::GetSelText() const {
    if (!Editable()) return WideString();
    return GetText().SubString(GetSelStart() + 1, GetSelLength());
}

void TCustomUNIComboBox::SetSelText(const WideString& Value) {
    if (!Editable()) return;
    if (!HandleAllocated() && GetParent()) HandleNeeded();
    if (EditBackend* e = EditPart())
        e->ReplaceSelWide(Value);
    else
        SetText(GetText() + Value);
}

void TCustomUNIComboBox::CreateWindowHandle(const TCreateParams& Params) {
    TCustomComboBox::CreateWindowHandle(Params);
    // The edit part shows the wide text kept while there was no window.
    if (Editable()) SetWideShownText(InitialWideText(this, Params.Caption));
}

void TCustomUNIComboBox::DestroyWnd() {
    if (EditPart() && !GetComponentState().Contains(csDestroying))
        FindWideCaptionHolder(this, WideString())->WideCaption = GetWideShownText();
    TCustomComboBox::DestroyWnd();
}

void TCustomUNIComboBox::WndProc(TMessage& Message) {
    if (Message.Msg == WM_CHAR) {
        ParkWideChar(Message);
        DoEditCharMsg(Message);
    }
    TCustomComboBox::WndProc(Message);
}

void TCustomUNIComboBox::Dispatch(TMessage& Message) {
    if (Message.Msg != CN_COMMAND || HIWORD(Message.WParam) != CBN_SELCHANGE)
        return TCustomComboBox::Dispatch(Message);
    // The chosen item, every character of it, becomes the text.
    auto alive = Watch();
    SetText(items_->Get(GetItemIndex()));
    if (alive.expired()) return;
    Click();
    if (alive.expired()) return;
    Change();
}

void TCustomUNIComboBox::DefaultHandler(TMessage& Message) {
    UnparkWideChar(Message);
    if (Message.Msg == WM_CHAR && (Message.WParam == 13 || Message.WParam == 27) &&
        GetDroppedDown()) {
        SetDroppedDown(false);
        return;
    }
    TCustomComboBox::DefaultHandler(Message);
}

void TCustomUNIComboBox::KeyPress(char& Key) {
    // Backspace is the edit part's own: only the event sees it.
    if (Key == 8) {
        if (OnKeyPress) OnKeyPress(this, Key);
        return;
    }
    TCustomComboBox::KeyPress(Key);
}
