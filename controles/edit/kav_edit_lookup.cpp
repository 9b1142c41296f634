// TKavEdit: the lookup list offered while typing, its pop-up, and the text and history
// kept in an INI file or the per-user settings store between runs.

#include "controles/edit/kav_edit.h"

#include "plataforma/base/ini_file.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/reg_ini_file.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/painting/canvas.h"

#include <algorithm>
#include <cstdint>

namespace {
// The hit-test answer of a sizing corner, and the deactivation of WM_ACTIVATE.
constexpr LRESULT kHitBottomRight = 17;
constexpr WORD kInactive = 0;
} // namespace

// --- the pop-up ---

TListHintWindow::TListHintWindow(TComponent* AOwner) : THintWindow(AOwner) {
    SetColor(clWindow);
}

void TListHintWindow::CreateParams(TCreateParams& Params) {
    THintWindow::CreateParams(Params);
    // A border that is there already is not added twice (twice the flag is another one).
    Params.Style |= WS_BORDER;
    Params.ExStyle |= WS_EX_TOPMOST;
}

void TListHintWindow::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_NCHITTEST) {
        // The bottom right corner resizes the list.
        const TPoint p =
            ScreenToClient(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
        if (p.x >= GetWidth() - 10 && p.y >= GetHeight() - 10) {
            Message.Result = kHitBottomRight;
            return;
        }
    }
    if (Message.Msg == WM_ACTIVATE) {
        if (LOWORD(Message.WParam) == kInactive)
            SetVisible(false);
        else if (listControl_ && listControl_->CanFocus())
            listControl_->SetFocus();
    }
    THintWindow::Dispatch(Message);
}

// --- lookup ---

bool TKavEdit::LookupVisible() const {
    return lookupWindow_ && lookupWindow_->GetVisible();
}

void TKavEdit::UpdateLookup() {
    if (!lookup_->GetEnabled() || !lookupWindow_) return;
    AnsiString s = GetText();
    int cut = 0;
    if (lookup_->GetMulti()) {
        const std::string& t = s.str();
        const size_t last = t.rfind(lookup_->GetSeparator());
        if (last != std::string::npos) {
            cut = static_cast<int>(last) + 1;
            s = AnsiString(t.substr(last + 1));
        }
    }
    if (s.Length() < lookup_->GetNumChars()) {
        lookupWindow_->SetVisible(false);
        return;
    }
    lookupWindow_->SetCaption("  ");
    lookupWindow_->SetColor(lookup_->GetColor());
    lookupList_->SetColor(lookup_->GetColor());
    lookupList_->GetFont()->SetName("Arial");
    lookupList_->GetFont()->SetSize(8);
    const int display = lookup_->GetDisplayCount();
    int height = display * 12 + 4;
    const TPoint origin = GetClientOrigin();
    const int top = origin.y + GetHeight() - 6;
    int x = 0;
    if (HandleAllocated()) {
        const LRESULT r = Perform(EM_POSFROMCHAR, static_cast<WPARAM>(prefix_.Length() + cut), 0);
        if (r != -1) x = static_cast<short>(LOWORD(r));
    }
    const int left = origin.x + 8 + x;
    lookupWindow_->SetColor(clWindow);

    TStringList* list = lookup_->GetDisplayList();
    const AnsiString key = lookup_->GetCaseSensitive() ? s : AnsiUpperCase(s);
    TStringList found;
    for (int i = 0; i < list->GetCount(); ++i) {
        const AnsiString e = list->GetStrings(i);
        const AnsiString head = e.SubString(1, s.Length());
        if ((lookup_->GetCaseSensitive() ? head : AnsiUpperCase(head)) == key)
            found.AddObject(e, reinterpret_cast<TObject*>(static_cast<std::intptr_t>(i)));
    }
    const int n = found.GetCount();
    if (n < display) height = n * 12 + 4;
    found.Sort();
    TStrings* items = lookupList_->GetItems();
    items->Clear();
    for (int i = 0; i < n; ++i)
        items->AddObject(found.GetStrings(i), found.GetObjects(i));
    if (n > 0) lookupList_->SetItemIndex(0);
    TCanvas* c = lookupWindow_->GetCanvas();
    c->SetFont(lookupList_->GetFont());
    int width = 50;
    for (int i = 0; i < items->GetCount(); ++i)
        width = std::max(width, c->TextWidth(items->GetStrings(i)));
    if (n > display) width += GetSystemMetrics(SM_CXHSCROLL);
    if (!lookupWindow_->GetVisible())
        lookupWindow_->SetBounds(left, top, width + 10, height);
    else
        lookupWindow_->SetBounds(left, top, lookupWindow_->GetWidth(), height);
    if (n >= 1) {
        lookupWindow_->HandleNeeded();
        lookupWindow_->SetVisible(true);
    } else {
        lookupWindow_->SetVisible(false);
    }
}

void TKavEdit::DoneLookup() {
    if (!lookupList_) return;
    const int sel = lookupList_->GetItemIndex();
    // Nothing chosen, nothing taken.
    if (sel < 0 || sel >= lookupList_->GetCount()) return;
    if (CanFocus() && !Focused()) SetFocus();
    lookupWindow_->SetVisible(false);
    const int i =
        static_cast<int>(reinterpret_cast<std::intptr_t>(lookupList_->GetItems()->GetObjects(sel)));
    AnsiString v = i >= 0 && lookup_->GetValueList()->GetCount() > i
                       ? lookup_->GetValueList()->GetStrings(i)
                       : lookupList_->GetItems()->GetStrings(sel);
    if (OnLookupSelect) OnLookupSelect(this, v);
    if (OnLookupIndexSelect) OnLookupIndexSelect(this, i, v);
    AnsiString value;
    if (lookup_->GetMulti()) {
        v = v + AnsiString(std::string(1, lookup_->GetSeparator()));
        const AnsiString current = GetText();
        const std::string& t = current.str();
        const size_t last = t.rfind(lookup_->GetSeparator());
        value = (last == std::string::npos ? AnsiString() : AnsiString(t.substr(0, last + 1))) + v;
    } else {
        value = v;
    }
    SetText(value);
    if (lookup_->GetMulti()) {
        SetSelStart(prefix_.Length() + GetText().Length());
        SetSelLength(0);
    } else {
        SelectAll();
    }
}

void TKavEdit::ListKeyPress(TObject*, char& Key) {
    if (Key == 13) DoneLookup();
}

void TKavEdit::ListMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    DoneLookup();
}

// --- persistence ---

std::unique_ptr<TCustomIniFile> TKavEdit::OpenPersistStore() {
    if (persistence_->GetLocation() == plInifile) {
        if (persistence_->GetKey().IsEmpty() && Application) {
            // The program's path with the extension ".INI".
            std::string path = Application->GetExeName().str();
            const size_t slash = path.find_last_of("/\\");
            const size_t dot = path.rfind('.');
            if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
                path.erase(dot);
            persistence_->SetKey(AnsiString(path + ".INI"));
        }
        return std::make_unique<TIniFile>(persistence_->GetKey());
    }
    return std::make_unique<TRegIniFile>(persistence_->GetKey());
}

void TKavEdit::LoadPersist() {
    if (!persistence_->GetEnable()) return;
    try {
        std::unique_ptr<TCustomIniFile> store = OpenPersistStore();
        const AnsiString section = persistence_->GetSection();
        if (lookup_->GetEnabled() && lookup_->GetHistory()) {
            const int n = store->ReadInteger(section, "LOOKUPCOUNT", 0);
            for (int i = 1; i <= n; ++i) {
                const AnsiString val = store->ReadString(section, "LOOKUPVAL" + IntToStr(i), "");
                const AnsiString dis = store->ReadString(section, "LOOKUPDISPL" + IntToStr(i), "");
                if (!val.IsEmpty()) lookup_->GetValueList()->Add(val);
                if (!dis.IsEmpty()) lookup_->GetDisplayList()->Add(dis);
            }
        }
        const AnsiString text = store->ReadString(section, GetName(), "@");
        store.reset();
        if (text != "@") SetWindowText(text);
    } catch (const Exception&) {
        // An unreadable store reads as empty.
    }
}

void TKavEdit::SavePersist() {
    if (!persistence_->GetEnable()) return;
    // Runs while the control is destroyed: a store that cannot be written (a full or
    // read-only disk) loses this run's values and nothing else.
    try {
        std::unique_ptr<TCustomIniFile> store = OpenPersistStore();
        const AnsiString section = persistence_->GetSection();
        store->WriteString(section, GetName(), WindowText());
        if (lookup_->GetEnabled() && lookup_->GetHistory()) {
            TStringList* d = lookup_->GetDisplayList();
            TStringList* v = lookup_->GetValueList();
            store->WriteInteger(section, "LOOKUPCOUNT", d->GetCount());
            for (int i = 1; i <= d->GetCount(); ++i) {
                store->WriteString(section, "LOOKUPDISPL" + IntToStr(i), d->GetStrings(i - 1));
                if (v->GetCount() > i - 1)
                    store->WriteString(section, "LOOKUPVAL" + IntToStr(i), v->GetStrings(i - 1));
            }
        }
        store->UpdateFile();
    } catch (...) {
    }
}
