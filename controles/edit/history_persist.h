#pragma once
// THistoryPersist: where a control keeps its list of entries from one run to the next: an
// INI file or the settings store, a section of "Item1", "Item2"... values, optionally only
// the last Count entries.

#include "plataforma/base/component.h"
#include "plataforma/base/string_list.h"

#include <memory>

class TCustomIniFile;

enum THistoryStorage { stInifile, stRegistry };

class THistoryPersist : public TPersistent {
public:
    // Load at the end of loading and save when the control goes.
    bool GetEnable() const { return enable_; }
    void SetEnable(bool Value) { enable_ = Value; }
    THistoryStorage GetStorage() const { return storage_; }
    void SetStorage(THistoryStorage Value) { storage_ = Value; }
    // The INI file's name, or the settings store's key.
    const AnsiString& GetKey() const { return key_; }
    void SetKey(const AnsiString& Value) { key_ = Value; }
    const AnsiString& GetSection() const { return section_; }
    void SetSection(const AnsiString& Value) { section_ = Value; }
    int GetCount() const { return count_; }
    void SetCount(int Value) { count_ = Value; }
    // Keep only the last Count entries when saving.
    bool GetMaxCount() const { return maxCount_; }
    void SetMaxCount(bool Value) { maxCount_ = Value; }
    void Assign(TPersistent* Source) override;

    // With Enable: "Item1", "Item2"... of Section into Entries, up to the first empty one.
    // A store that cannot be read leaves the list empty.
    void Load(TStrings& Entries) const;
    // With Enable: the entries (or their last Count) into Section. With Erase the
    // section holds nothing else afterwards; without, an empty value after the last entry
    // ends the list. A store that cannot be written is left as it was; nothing is raised
    // (this runs while controls are destroyed).
    void Save(const TStrings& Entries, bool Erase = true) const;

private:
    std::unique_ptr<TCustomIniFile> Open() const;

    bool enable_ = false;
    THistoryStorage storage_ = stInifile;
    AnsiString key_;
    AnsiString section_;
    int count_ = 0;
    bool maxCount_ = false;
};
