// THistoryPersist: the entries kept in an INI file or the settings store.

#include "controles/edit/history_persist.h"

#include "plataforma/base/ini_file.h"
#include "plataforma/base/reg_ini_file.h"

#include <string>

namespace {

AnsiString ItemName(int k) {
    return AnsiString("Item") + AnsiString(std::to_string(k));
}

} // namespace

void THistoryPersist::Assign(TPersistent* Source) {
    auto* o = dynamic_cast<THistoryPersist*>(Source);
    if (!o) return TPersistent::Assign(Source);
    enable_ = o->enable_;
    storage_ = o->storage_;
    key_ = o->key_;
    section_ = o->section_;
    count_ = o->count_;
    maxCount_ = o->maxCount_;
}

std::unique_ptr<TCustomIniFile> THistoryPersist::Open() const {
    if (storage_ == stInifile) return std::make_unique<TIniFile>(key_);
    return std::make_unique<TRegIniFile>(key_);
}

void THistoryPersist::Load(TStrings& History) const {
    if (!enable_) return;
    History.Clear();
    try {
        std::unique_ptr<TCustomIniFile> store = Open();
        for (int k = 1;; ++k) {
            const AnsiString value = store->ReadString(section_, ItemName(k), "");
            if (value.IsEmpty()) break;
            History.Add(value);
        }
    } catch (...) {
        // A store that cannot be read gives an empty history.
    }
}

void THistoryPersist::Save(const TStrings& History, bool Erase) const {
    if (!enable_) return;
    // Runs while the control goes away: a store that cannot be written loses this run's
    // history and nothing else.
    try {
        std::unique_ptr<TCustomIniFile> store = Open();
        if (Erase) store->EraseSection(section_);
        const int total = History.GetCount();
        const int n = maxCount_ ? count_ : total;
        const int offset = maxCount_ && total > count_ ? total - count_ : 0;
        for (int k = 1; k <= n; ++k) {
            const int i = k + offset - 1;
            store->WriteString(section_, ItemName(k),
                               i >= 0 && i < total ? History.GetStrings(i) : AnsiString());
        }
        if (!Erase) store->WriteString(section_, ItemName(n + 1), "");
        store->UpdateFile();
    } catch (...) {
    }
}
