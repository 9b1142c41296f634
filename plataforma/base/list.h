#pragma once
// TList: the class library's list of untyped pointers. Derived lists (lists of integers held
// in the slots, lists that own their items) hook into Notify.

#include "plataforma/base/exceptions.h"
#include "plataforma/base/object.h"

#include <functional>
#include <vector>

class EListError : public Exception {
public:
    using Exception::Exception;
};

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// <0, 0 or >0, as Item1 goes before, with or after Item2.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    // Notify is not called from here: a derived list that owns its items frees them in its
    // own destructor (calling Clear).
    ~TList() override = default;

    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Deletes the first occurrence; returns its index, -1 when absent.
    int Remove(void* Item);
    // Takes the first occurrence out without deleting it (lnExtracted); nullptr when absent.
    void* Extract(void* Item);
    int IndexOf(void* Item) const;
    virtual void Clear();

    int GetCount() const { return static_cast<int>(items_.size()); }
    // Growing fills with nullptr; shrinking deletes from the end.
    void SetCount(int NewCount);
    void* GetItems(int Index) const;
    void SetItems(int Index, void* Item);

    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    // Stable: equal items keep their order.
    void Sort(const TListSortCompare& Compare);
    void* First() const; // raises EListError on an empty list
    void* Last() const;
    // Removes the nullptr items.
    void Pack();

protected:
    // Called after an item other than nullptr enters the list, before or after it leaves it.
    virtual void Notify(void* /*Ptr*/, TListNotification /*Action*/) {}

private:
    void CheckIndex(int Index) const;

    std::vector<void*> items_;
};
