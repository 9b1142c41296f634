#pragma once
// Inside the platform layer only: the items of list boxes and combo boxes. ListItems keeps
// them (exact Windows-1252 text and an object each) and answers the requests that read
// them; ControlStrings is the control's Items, a TStrings whose every operation is a
// request to the control (LB_ADDSTRING or CB_ADDSTRING...), as the class library's lists are.

#include "plataforma/base/string_list.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/gui/kernel/messages.h"

class TControl;

#include <functional>
#include <vector>

struct ControlStringMessages {
    UINT getCount, getTextLen, getText, getData, setData, add, insert, remove, reset, findExact,
        find;
};

struct ListItem {
    AnsiString text;
    // Set only for an item added with wide text (a wide combo's): every character kept.
    WideString wide;
    TObject* data = nullptr;
    int height = 0;        // owner-drawn items of variable height
    bool selected = false; // while the control has no window
    // The text shown: the wide one when the item has it.
    WideString Shown() const { return wide.IsEmpty() ? WideString(text) : wide; }
};

class ListItems {
public:
    int Count() const { return static_cast<int>(items.size()); }
    ListItem& operator[](int Index) { return items[static_cast<size_t>(Index)]; }
    const ListItem& operator[](int Index) const { return items[static_cast<size_t>(Index)]; }
    // From the item after Start round the list, case ignored: the first item equal to Text
    // (Exact) or beginning with it; -1 when none.
    int Find(int Start, const AnsiString& Text, bool Exact) const;
    // Where a new item goes in a sorted list: after the items that do not sort above it.
    // With Wide, the item's wide text (all its characters) is what is placed.
    int SortedPlace(const AnsiString& Text, const WideString* Wide = nullptr) const;
    // Sorts case ignored, equal items keeping their order; returns where item Keep went.
    // Items with wide text sort by it in the locale's order, as wide controls compare;
    // 8-bit items among themselves in their code page's order.
    int Sort(int Keep);
    // Inserts an item at Index; Current, the index of the control's chosen item (-1: none),
    // keeps pointing at it.
    void Insert(int Index, const AnsiString& Text, int& Current);
    // Deletes the item at Index; Current keeps pointing at the chosen item, -1 when that was it.
    void Erase(int Index, int& Current);
    // The item's own height (owner-drawn items of variable height), Default when it has none.
    int HeightOf(int Index, int Default) const;
    // The item requests of M: those that read or set items without changing how many there
    // are (count, text, length, object, searches) are answered here; those that add, insert,
    // delete or clear items are placed (the end, the sorted place, the index given), checked,
    // carried out by the control's own functions and answered. False for other messages.
    // Wide: the wide text of the item an add request carries, when it has one.
    bool Request(const ControlStringMessages& M, TMessage& Message, bool Sorted,
                 const std::function<int(int, const AnsiString&)>& Insert,
                 const std::function<void(int)>& Delete, const std::function<void()>& Reset,
                 const WideString* Wide = nullptr);

    std::vector<ListItem> items;

private:
    bool Answer(const ControlStringMessages& M, TMessage& Message);
    bool Change(const ControlStringMessages& M, TMessage& Message, bool Sorted,
                const std::function<int(int, const AnsiString&)>& Insert,
                const std::function<void(int)>& Delete, const std::function<void()>& Reset,
                const WideString* Wide) const;
};

class ControlStrings : public TStrings {
public:
    ControlStrings(TControl* Control, const ControlStringMessages& Messages)
        : c_(Control), m_(Messages) {}

    int GetCount() const override;
    AnsiString GetStrings(int Index) const override;
    TObject* GetObjects(int Index) const override;
    void SetObjects(int Index, TObject* AObject) override;
    int Add(const AnsiString& S) override;
    int AddObject(const AnsiString& S, TObject* AObject) override;
    void Insert(int Index, const AnsiString& S) override;
    void Delete(int Index) override;
    void Clear() override;
    // The first item equal to S without regard to case, -1 when none.
    int IndexOf(const AnsiString& S) const override;

protected:
    TControl* Control() const { return c_; }

private:
    LRESULT Send(UINT Msg, WPARAM W, LPARAM L) const;
    TControl* c_;
    ControlStringMessages m_;
};
