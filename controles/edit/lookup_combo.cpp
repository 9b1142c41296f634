// TLUEdit and TLUCombo: completion as the user types, keys, the history on leaving and the
// modified colour.

#include "controles/edit/lookup_combo.h"

#include "controles/edit/flat_combo.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/kernel/message_queue.h"
#include "plataforma/gui/painting/font.h"

namespace {

// Leaving the control: the Accept veto, then the text into the history and the history into
// the siblings that share its store. False when the user must stay.
template <class Control>
bool LeaveControl(Control* Self, TLUSettings& lu, TStrings& History, const AnsiString& Text,
                  const std::function<TStrings&(Control*)>& HistoryOf) {
    bool accept = true;
    if (lu.Accept) lu.Accept(Self, Text, History.IndexOf(Text), accept);
    if (!accept) return false;
    if (!lu.AutoHistory || Text.IsEmpty() || History.IndexOf(Text) != -1) return true;
    AddToHistory(History, Text, lu.AutoHistoryDirection, lu.AutoHistoryLimit);
    if (lu.OnAddToHistory) lu.OnAddToHistory(Self, Text);
    TComponent* owner = Self->GetOwner();
    if (!lu.AutoSynchronize || !owner) return true;
    for (int k = 0; k < owner->GetComponentCount(); ++k) {
        auto* other = dynamic_cast<Control*>(owner->GetComponents(k));
        if (!other || other == Self) continue;
        TLUSettings& o = other->Settings();
        if (o.AutoHistory && o.AutoSynchronize && o.Persist->GetKey() == lu.Persist->GetKey() &&
            o.Persist->GetSection() == lu.Persist->GetSection())
            HistoryOf(other).Assign(History);
    }
    return true;
}

} // namespace

// --- shared ---

void TLUSettings::SetModified(bool Value, TFont* Font, const AnsiString& Text) {
    if (Value == Modified) return;
    Modified = Value;
    if (Value) {
        SavedColor = Font->GetColor();
        if (ShowModified) Font->SetColor(ModifiedColor);
    } else {
        if (ShowModified) Font->SetColor(SavedColor);
        LastAccepted = Text;
    }
}

TLUSettings::Completion TLUSettings::Complete(TObject* Sender, TFont* Font, const TStrings* History,
                                              const AnsiString& Text, int SelStart,
                                              bool NeedPrefix) {
    Completion c;
    if (Completing || !DoLookup) return c;
    SetModified(Text != LastAccepted, Font, Text);
    const AnsiString typed = Text.SubString(1, SelStart);
    if (NeedPrefix && typed.IsEmpty()) return c;
    // From the history: the typed part as typed, the rest from the entry (the handler may
    // change it).
    c.Index = History ? FindHistoryCompletion(*History, typed, MatchCase) : -1;
    if (c.Index >= 0) {
        AnsiString tail = History->GetStrings(c.Index).SubString(typed.Length() + 1, 255);
        if (AutoComplete) AutoComplete(Sender, typed, tail, c.Index);
        c.Found = true;
        c.Text = typed + tail;
        c.SelFrom = typed.Length();
        return c;
    }
    if (!FileLookup || Text.IsEmpty()) return c;
    c.Text = CompleteFileName(LookupDirectory, Text);
    c.Found = !c.Text.IsEmpty();
    c.SelFrom = Text.Length();
    return c;
}

// --- the edit ---

TLUEdit::TLUEdit(TComponent* AOwner)
    : TEdit(AOwner), lookupItems_(std::make_unique<TStringList>()) {}

TLUEdit::~TLUEdit() {
    // The history goes to its store before the window is gone (WM_DESTROY cannot reach
    // this class from the base destructor).
    if (!GetComponentState().Contains(csDesigning)) SavePersist();
}

AnsiString TLUEdit::GetVersion() const {
    return VersionText(GetVersionNr());
}

void TLUEdit::SetModifiedColor(TColor Value) {
    lu_.ModifiedColor = Value;
    Invalidate();
}

void TLUEdit::LoadPersist() {
    lu_.Persist->Load(*lookupItems_);
}

void TLUEdit::SavePersist() {
    lu_.Persist->Save(*lookupItems_);
}

void TLUEdit::Loaded() {
    TEdit::Loaded();
    if (!GetComponentState().Contains(csDesigning)) LoadPersist();
}

void TLUEdit::Change() {
    TEdit::Change();
    if (GetComponentState().Contains(csDesigning)) return;
    const bool history = lookupItems_->GetCount() > 0 && !lu_.FileLookup;
    const TLUSettings::Completion c = lu_.Complete(
        this, GetFont(), history ? lookupItems_.get() : nullptr, GetText(), GetSelStart(), false);
    if (!c.Found) return;
    lu_.Applying([&] {
        SetText(c.Text);
        Perform(EM_SETSEL, static_cast<WPARAM>(c.SelFrom), c.Text.Length());
    });
}

void TLUEdit::KeyDown(WORD& Key, TShiftState Shift) {
    switch (Key) {
    case VK_BACK:
    case VK_ESCAPE:
    case VK_DELETE:
        lu_.DoLookup = false;
        break;
    case VK_RETURN: {
        const int i = lookupItems_->IndexOf(GetText());
        if (i >= 0) {
            lu_.DoLookup = false;
            SetText(lookupItems_->GetStrings(i));
            lu_.DoLookup = true;
        }
        if (lu_.ReturnIsTab) {
            PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
            Key = 0;
            return;
        }
        break;
    }
    default:
        lu_.DoLookup = true;
    }
    TEdit::KeyDown(Key, Shift);
}

void TLUEdit::KeyUp(WORD& Key, TShiftState Shift) {
    if (Key == VK_RETURN && lu_.ReturnIsTab) return;
    TEdit::KeyUp(Key, Shift);
}

void TLUEdit::KeyPress(char& Key) {
    if (Key == '\r' && lu_.ReturnIsTab) {
        Key = 0;
        return;
    }
    TEdit::KeyPress(Key);
}

void TLUEdit::DoExit() {
    const std::function<TStrings&(TLUEdit*)> history = [](TLUEdit* e) -> TStrings& {
        return *e->lookupItems_;
    };
    if (!LeaveControl<TLUEdit>(this, lu_, *lookupItems_, GetText(), history)) {
        SetFocus();
        return;
    }
    TEdit::DoExit();
}

// --- the combo ---

TLUCombo::TLUCombo(TComponent* AOwner) : TKavComboBox(AOwner) {
    SetFlat(false);
}

TLUCombo::~TLUCombo() {
    if (!GetComponentState().Contains(csDesigning)) SavePersist();
}

void TLUCombo::SetModifiedColor(TColor Value) {
    lu_.ModifiedColor = Value;
    Invalidate();
}

void TLUCombo::SetItemIndexP(int Value) {
    if (GetDroppedDown()) completionIndex_ = Value;
    Perform(CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TLUCombo::LoadPersist() {
    lu_.Persist->Load(*GetItems());
}

void TLUCombo::SavePersist() {
    lu_.Persist->Save(*GetItems());
}

void TLUCombo::Loaded() {
    TKavComboBox::Loaded();
    if (!GetComponentState().Contains(csDesigning)) LoadPersist();
}

void TLUCombo::Change() {
    restoreSel_ = false;
    TKavComboBox::Change();
    if (GetComponentState().Contains(csDesigning)) return;
    TStrings* history = GetItems()->GetCount() > 0 ? GetItems() : nullptr;
    const TLUSettings::Completion c =
        lu_.Complete(this, GetFont(), history, GetText(), GetSelStart(), true);
    if (!c.Found) return;
    lu_.Applying([&] {
        if (c.Index >= 0) {
            // The entry is chosen; the text keeps the user's spelling of the typed part.
            Perform(CB_SETCURSEL, static_cast<WPARAM>(c.Index), 0);
            completionIndex_ = c.Index;
            selStart_ = c.SelFrom;
            restoreSel_ = true;
        }
        SetText(c.Text);
        Perform(CB_SETEDITSEL, 0, MAKELPARAM(c.SelFrom, c.Text.Length()));
    });
}

void TLUCombo::KeyDown(WORD& Key, TShiftState Shift) {
    switch (Key) {
    case VK_BACK:
    case VK_ESCAPE:
    case VK_DELETE:
        lu_.DoLookup = false;
        keyText_ = "";
        break;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        keyText_ = "";
        break;
    case VK_RETURN:
        lu_.DoLookup = false;
        if (lu_.ReturnIsTab) {
            if (GetDroppedDown()) {
                const int i = GetItemIndexP();
                SetDroppedDown(false);
                SetItemIndexP(i);
            }
            Key = 0;
            PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
            return;
        } else {
            const int i = GetItemIndexP();
            if (i >= 0) {
                lu_.Applying([&] { Perform(CB_SETCURSEL, static_cast<WPARAM>(i), 0); });
                Change();
            }
        }
        break;
    default:
        lu_.DoLookup = true;
        // The key's character: capitals with Shift held, small letters otherwise.
        if (Key >= 'A' && Key <= 'Z')
            keyText_ = keyText_ + static_cast<char>(Shift.Contains(ssShift) ? Key : Key + 32);
        else if (Key == VK_SPACE || (Key >= '0' && Key <= '9'))
            keyText_ = keyText_ + static_cast<char>(Key);
    }
    TKavComboBox::KeyDown(Key, Shift);
}

void TLUCombo::KeyUp(WORD& Key, TShiftState Shift) {
    if (!(Key == VK_RETURN && lu_.ReturnIsTab)) TKavComboBox::KeyUp(Key, Shift);
    if (GetStyle() == csDropDown && restoreSel_) {
        Perform(CB_SETEDITSEL, 0, MAKELPARAM(selStart_, GetText().Length()));
        restoreSel_ = false;
    } else if (GetStyle() == csDropDownList && !keyText_.IsEmpty()) {
        const int i = FindHistoryCompletion(*GetItems(), keyText_, lu_.MatchCase);
        if (i >= 0) SetItemIndexP(i);
    }
}

void TLUCombo::KeyPress(char& Key) {
    TKavComboBox::KeyPress(Key);
    if (Key == '\r' && lu_.ReturnIsTab) Key = 0;
}

void TLUCombo::DoExit() {
    const std::function<TStrings&(TLUCombo*)> history = [](TLUCombo* c) -> TStrings& {
        return *c->GetItems();
    };
    if (!LeaveControl<TLUCombo>(this, lu_, *GetItems(), GetText(), history)) {
        SetFocus();
        return;
    }
    TKavComboBox::DoExit();
}
