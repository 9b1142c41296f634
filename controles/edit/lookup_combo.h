#pragma once
// TLUEdit and TLUCombo: an edit and a combo that complete what is typed from a history (or
// from the file system), add what the user leaves in them to that history, share it with
// their siblings and keep it from one run to the next in an INI file or the settings store
// (TLUPersist).

#include "controles/edit/history_persist.h"
#include "controles/edit/kav_combo.h"
#include "plataforma/gui/painting/font.h"
#include "plataforma/gui/widgets/edit.h"

#include <functional>
#include <memory>

using TLUStorage = THistoryStorage;
enum TAutoHistoryDirection { ahdFirst, ahdLast };

// UsrStr: the typed part as typed; AutoAdd: the tail about to be added (may be changed);
// idx: the history entry that matched.
using TAutoCompleteEvent =
    std::function<void(TObject* Sender, const AnsiString& UsrStr, AnsiString& AutoAdd, int idx)>;
using TAddToHistoryEvent = std::function<void(TObject* Sender, const AnsiString& Str)>;
// On leaving the control: accept = false keeps the focus there and adds nothing.
using TEnterAcceptEvent =
    std::function<void(TObject* Sender, const AnsiString& Str, int idx, bool& accept)>;

// The lookup controls' history store: a save replaces the whole section.
class TLUPersist : public THistoryPersist {
public:
    void Save(const TStrings& Entries) const { THistoryPersist::Save(Entries, true); }
};

// What both controls keep: the history's settings, events and the modified look.
struct TLUSettings {
    TAutoCompleteEvent AutoComplete;
    TAddToHistoryEvent OnAddToHistory;
    TEnterAcceptEvent Accept;
    bool AutoHistory = false;
    int AutoHistoryLimit = 0;
    TAutoHistoryDirection AutoHistoryDirection = ahdFirst;
    bool AutoSynchronize = false;
    bool ReturnIsTab = false;
    bool FileLookup = false;
    bool MatchCase = false;
    bool ShowModified = false;
    TColor ModifiedColor = clHighlight;
    // Folder that file completion searches (empty: the current folder).
    AnsiString LookupDirectory;
    std::unique_ptr<TLUPersist> Persist = std::make_unique<TLUPersist>();

    // State while the control is used.
    bool DoLookup = true;
    bool Modified = false;
    bool Completing = false;
    TColor SavedColor = clWindowText;
    AnsiString LastAccepted;

    // The modified look: the text colour while the text differs from the last accepted one;
    // becoming unmodified accepts Text.
    void SetModified(bool Value, TFont* Font, const AnsiString& Text);
    // The text changed: the modified state follows, then the completion of Text from the
    // history (when given) or the file system. Found is false when nothing completes.
    struct Completion {
        bool Found = false;
        AnsiString Text;
        int Index = -1; // the history entry; -1 for a file name
        int SelFrom = 0;
    };
    Completion Complete(TObject* Sender, TFont* Font, const TStrings* History,
                        const AnsiString& Text, int SelStart, bool NeedPrefix);
    // Runs Apply (which sets the completed text) without completing again.
    template <class Action> void Applying(Action&& Apply) {
        Completing = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{Completing};
        Apply();
    }
};

// The index of the first entry that starts with Prefix (case ignored unless MatchCase); -1.
int FindHistoryCompletion(const TStrings& History, const AnsiString& Prefix, bool MatchCase);
// The text completed with the first file or folder whose name starts with its last
// component (case ignored; names starting with "." are left out); empty when none.
AnsiString CompleteFileName(const AnsiString& Directory, const AnsiString& Text);
// Adds Text at the front or the back, dropping the entry at the other end when the limit
// (> 0) is reached.
void AddToHistory(TStrings& History, const AnsiString& Text, TAutoHistoryDirection Direction,
                  int Limit);

class TLUEdit : public TEdit {
public:
    explicit TLUEdit(TComponent* AOwner);
    ~TLUEdit() override;

    TStringList* GetLookupItems() const { return lookupItems_.get(); }
    void SetLookupItems(TStringList* Value) {
        if (Value) lookupItems_->Assign(*Value);
    }
    TLUSettings& Settings() { return lu_; }
    TLUPersist* GetPersist() const { return lu_.Persist.get(); }
    void SetPersist(TLUPersist* Value) { lu_.Persist->Assign(Value); }
    void SetModifiedColor(TColor Value);
    bool GetModifiedState() const { return lu_.Modified; }
    virtual int GetVersionNr() const { return 0x02020001; }
    AnsiString GetVersion() const;
    void SetVersion(const AnsiString&) {}

    void LoadPersist();
    void SavePersist();

protected:
    void Loaded() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;
    void Change() override;

private:
    std::unique_ptr<TStringList> lookupItems_;
    TLUSettings lu_;
};

class TLUCombo : public TKavComboBox {
public:
    explicit TLUCombo(TComponent* AOwner);
    ~TLUCombo() override;

    TLUSettings& Settings() { return lu_; }
    TLUPersist* GetPersist() const { return lu_.Persist.get(); }
    void SetPersist(TLUPersist* Value) { lu_.Persist->Assign(Value); }
    void SetModifiedColor(TColor Value);
    bool GetModifiedState() const { return lu_.Modified; }
    int GetVersionNr() const override { return 0x02020001; }
    // The entry spelled as the text, -1 when absent.
    int GetItemIndexP() const { return GetItems()->IndexOf(GetText()); }
    void SetItemIndexP(int Value);

    void LoadPersist();
    void SavePersist();

protected:
    void Loaded() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;
    void Change() override;

private:
    TLUSettings lu_;
    AnsiString keyText_;
    int completionIndex_ = -1;
    int selStart_ = 0;
    bool restoreSel_ = false;
};
