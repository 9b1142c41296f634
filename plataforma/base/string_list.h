#pragma once
// TStrings: the class library's abstract list of strings with an object per string. A
// subclass supplies the storage (GetStrings, GetCount, Insert, Delete, Clear) and inherits
// the rest: text, comma text, name=value pairs, assignment, files.
// TStringList: the list that keeps its strings itself, optionally sorted.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/events.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/object.h"

#include <functional>
#include <vector>

class EStringListError : public Exception {
public:
    using Exception::Exception;
};

class TStrings : public TObject {
public:
    TStrings() = default;
    // Lists are objects with an identity (events, owned objects): copy with Assign.
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    virtual int GetCount() const = 0;
    // Out-of-range indexes raise EStringListError.
    virtual AnsiString GetStrings(int Index) const = 0;
    // Keeps the object: Delete, then InsertObject at the same index.
    virtual void SetStrings(int Index, const AnsiString& S);
    virtual TObject* GetObjects(int Index) const;         // nullptr unless the list keeps objects
    virtual void SetObjects(int Index, TObject* AObject); // nothing unless the list keeps objects

    // Returns the index of the new string.
    virtual int Add(const AnsiString& S);
    virtual int AddObject(const AnsiString& S, TObject* AObject);
    void Append(const AnsiString& S) { Add(S); }
    virtual void Insert(int Index, const AnsiString& S) = 0;
    void InsertObject(int Index, const AnsiString& S, TObject* AObject);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);

    // First index whose string compares equal under the list's comparison (case ignored
    // unless the list says otherwise), -1 when none.
    virtual int IndexOf(const AnsiString& S) const;
    int IndexOfObject(TObject* AObject) const;

    // Every string followed by CR LF, the last one too.
    virtual AnsiString GetText() const;
    // Replaces the list by the lines of the text; a line ends at CR LF, LF or CR, and a
    // final line break does not add an empty line.
    virtual void SetText(const AnsiString& Text);

    // Strings joined by ","; a string holding a character up to the blank, a '"' or a ','
    // is put between double quotes with its quotes doubled. A list of one empty string
    // gives "\"\"".
    AnsiString GetCommaText() const;
    // Replaces the list: items are separated by commas and by blanks outside quotes; two
    // commas in a row, or a final comma, give an empty string.
    void SetCommaText(const AnsiString& Value);

    // Name=value pairs: the name is the text before the first "=" (empty when there is none).
    AnsiString GetNames(int Index) const;
    // The first string whose name compares equal under the list's comparison; -1 when none.
    int IndexOfName(const AnsiString& Name) const;
    // The text after that string's "=", empty when the name is absent.
    AnsiString GetValues(const AnsiString& Name) const;
    // Replaces the value, or adds "Name=Value" when the name is absent; an empty value
    // deletes the pair.
    void SetValues(const AnsiString& Name, const AnsiString& Value);

    // Replaces this list's strings and objects by a copy of the source's (the list keeps its
    // own settings); assigning a list to itself changes nothing.
    virtual void Assign(const TStrings& Source);
    // Appends the source's strings with their objects (a list added to itself doubles).
    virtual void AddStrings(const TStrings& Strings);

    // Nested; change notifications wait until the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    // Reads the file as Windows-1252 text (SetText); raises EFOpenError when it cannot be read.
    void LoadFromFile(const AnsiString& FileName);
    // Writes GetText() byte for byte; raises EFCreateError or EWriteError on failure.
    void SaveToFile(const AnsiString& FileName) const;

protected:
    // The comparison of IndexOf and IndexOfName: case ignored, over the fixed collation.
    virtual int CompareStrings(const AnsiString& S1, const AnsiString& S2) const;
    // Called with true when the first BeginUpdate opens and with false when the last
    // EndUpdate closes.
    virtual void SetUpdateState(bool /*Updating*/) {}
    int GetUpdateCount() const { return updateCount_; }
    [[noreturn]] void IndexError(int Index) const;

    // Runs the action between BeginUpdate and EndUpdate, closing the bracket on exceptions.
    template <class Action> void WithinUpdate(Action&& action) {
        BeginUpdate();
        try {
            action();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }

private:
    int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// <0, 0 or >0, as the string at Index1 goes before, with or after the one at Index2.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(bool OwnsObjects) : ownsObjects_(OwnsObjects) {}
    // Fires no event; frees the objects when it owns them.
    ~TStringList() override;

    int GetCount() const override { return static_cast<int>(items_.size()); }
    AnsiString GetStrings(int Index) const override;
    // Raises on a sorted list, whose order the new string could break.
    void SetStrings(int Index, const AnsiString& S) override;
    TObject* GetObjects(int Index) const override;
    // The previous object is not freed, even when the list owns its objects.
    void SetObjects(int Index, TObject* AObject) override;

    // On a sorted list the string goes to its place (after the equal ones); an equal string
    // already there is ignored (dupIgnore, returning its index), accepted or refused
    // (dupError raises).
    int Add(const AnsiString& S) override;
    int AddObject(const AnsiString& S, TObject* AObject) override;
    // Raises on a sorted list.
    void Insert(int Index, const AnsiString& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2) override;
    // Moves the string with its object; raises on a sorted list.
    void Move(int CurIndex, int NewIndex) override;
    // A binary search on a sorted list.
    int IndexOf(const AnsiString& S) const override;

    // Binary search on a sorted list: true when found, with Index at the first equal string;
    // otherwise Index is where S would go. On an unsorted list, a linear search (Index is
    // the count when S is absent).
    bool Find(const AnsiString& S, int& Index) const;
    // Stable sort of an unsorted list by the list's comparison.
    virtual void Sort();
    // Stable sort of an unsorted list by the given comparison.
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool GetSorted() const { return sorted_; }
    // Sorting on sorts the list at once.
    void SetSorted(bool Value);
    TDuplicates GetDuplicates() const { return duplicates_; }
    // Applies to later additions to a sorted list.
    void SetDuplicates(TDuplicates Value) { duplicates_ = Value; }
    bool GetCaseSensitive() const { return caseSensitive_; }
    // A sorted list is sorted again by the new comparison.
    void SetCaseSensitive(bool Value);
    bool GetOwnsObjects() const { return ownsObjects_; }
    // An owning list frees the objects of the strings it deletes or clears, and at its end.
    void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }

    // Fired before and after every change, outside BeginUpdate/EndUpdate brackets (a bracket
    // fires each once).
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    int CompareStrings(const AnsiString& S1, const AnsiString& S2) const override;
    void SetUpdateState(bool Updating) override;
    virtual void Changing();
    virtual void Changed();

private:
    struct Item {
        AnsiString string;
        TObject* object = nullptr;
    };

    void CheckIndex(int Index) const;
    [[noreturn]] void SortedListError() const;
    void InsertItem(int Index, const AnsiString& S, TObject* AObject);
    // Where S goes in a sorted list: after every string that does not compare above it.
    int UpperBound(const AnsiString& S) const;
    void FreeObjects(std::vector<Item>& items);

    std::vector<Item> items_;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupIgnore;
    bool caseSensitive_ = false;
    bool ownsObjects_ = false;
};
