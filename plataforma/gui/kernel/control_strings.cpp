#include "plataforma/gui/kernel/control_strings.h"

#include "plataforma/base/locale_compare.h"
#include "plataforma/gui/kernel/controls.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// The error answer of both controls' requests (LB_ERR, CB_ERR).
constexpr LRESULT kError = -1;

// The order of an item's text (Wide, when it has one) against another item, case ignored.
int CompareItem(const AnsiString& Text, const WideString* Wide, const ListItem& Other) {
    const bool wide = (Wide && !Wide->IsEmpty()) || !Other.wide.IsEmpty();
    if (!wide) return AnsiCompareText(Text, Other.text);
    const WideString a = Wide && !Wide->IsEmpty() ? *Wide : WideString(Text);
    const WideString b = Other.Shown();
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_bstr(), a.Length(), b.c_bstr(),
                          b.Length()) -
           CSTR_EQUAL;
}

} // namespace

LRESULT ControlStrings::Send(UINT Msg, WPARAM W, LPARAM L) const {
    return c_->Perform(Msg, W, L);
}

int ControlStrings::GetCount() const {
    return static_cast<int>(Send(m_.getCount, 0, 0));
}

AnsiString ControlStrings::GetStrings(int Index) const {
    const LRESULT len = Send(m_.getTextLen, static_cast<WPARAM>(Index), 0);
    if (len < 0) IndexError(Index);
    std::string buf(static_cast<size_t>(len) + 1, '\0');
    Send(m_.getText, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(len));
    return AnsiString(std::move(buf));
}

TObject* ControlStrings::GetObjects(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return reinterpret_cast<TObject*>(Send(m_.getData, static_cast<WPARAM>(Index), 0));
}

void ControlStrings::SetObjects(int Index, TObject* AObject) {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    Send(m_.setData, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
}

int ControlStrings::Add(const AnsiString& S) {
    const LRESULT r = Send(m_.add, 0, reinterpret_cast<LPARAM>(S.c_str()));
    if (r < 0) throw EStringListError("No se puede añadir \"" + S + "\" a la lista");
    return static_cast<int>(r);
}

int ControlStrings::AddObject(const AnsiString& S, TObject* AObject) {
    const int i = Add(S);
    SetObjects(i, AObject);
    return i;
}

void ControlStrings::Insert(int Index, const AnsiString& S) {
    if (Index < 0 ||
        Send(m_.insert, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())) < 0)
        IndexError(Index);
}

void ControlStrings::Delete(int Index) {
    if (Send(m_.remove, static_cast<WPARAM>(Index), 0) == kError) IndexError(Index);
}

void ControlStrings::Clear() {
    Send(m_.reset, 0, 0);
}

int ControlStrings::IndexOf(const AnsiString& S) const {
    const LRESULT r =
        Send(m_.findExact, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(S.c_str()));
    return r < 0 ? -1 : static_cast<int>(r);
}

// --- ListItems ---

int ListItems::Find(int Start, const AnsiString& Text, bool Exact) const {
    const int n = Count();
    const int first = Start < 0 || Start >= n ? 0 : Start + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        const AnsiString& item = (*this)[i].text;
        if (Exact ? AnsiSameText(item, Text) : AnsiSameText(item.SubString(1, Text.Length()), Text))
            return i;
    }
    return -1;
}

int ListItems::SortedPlace(const AnsiString& Text, const WideString* Wide) const {
    return static_cast<int>(std::upper_bound(items.begin(), items.end(), Text,
                                             [Wide](const AnsiString& s, const ListItem& item) {
                                                 return CompareItem(s, Wide, item) < 0;
                                             }) -
                            items.begin());
}

int ListItems::Sort(int Keep) {
    std::vector<size_t> orden(items.size());
    std::iota(orden.begin(), orden.end(), size_t(0));
    std::stable_sort(orden.begin(), orden.end(), [&](size_t a, size_t b) {
        return CompareItem(items[a].text, &items[a].wide, items[b]) < 0;
    });
    std::vector<ListItem> ordenados;
    ordenados.reserve(items.size());
    int nuevo = -1;
    for (size_t i = 0; i < orden.size(); ++i) {
        if (static_cast<int>(orden[i]) == Keep) nuevo = static_cast<int>(i);
        ordenados.push_back(std::move(items[orden[i]]));
    }
    items.swap(ordenados);
    return nuevo;
}

void ListItems::Insert(int Index, const AnsiString& Text, int& Current) {
    ListItem item;
    item.text = Text;
    items.insert(items.begin() + Index, item);
    if (Current >= Index) ++Current;
}

void ListItems::Erase(int Index, int& Current) {
    items.erase(items.begin() + Index);
    if (Current == Index)
        Current = -1;
    else if (Current > Index)
        --Current;
}

int ListItems::HeightOf(int Index, int Default) const {
    return Index >= 0 && Index < Count() && (*this)[Index].height > 0 ? (*this)[Index].height
                                                                      : Default;
}

bool ListItems::Request(const ControlStringMessages& M, TMessage& Message, bool Sorted,
                        const std::function<int(int, const AnsiString&)>& Insert,
                        const std::function<void(int)>& Delete, const std::function<void()>& Reset,
                        const WideString* Wide) {
    return Answer(M, Message) || Change(M, Message, Sorted, Insert, Delete, Reset, Wide);
}

bool ListItems::Answer(const ControlStringMessages& M, TMessage& Message) {
    const int index = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
    const bool valid = index >= 0 && index < Count();
    const UINT msg = Message.Msg;
    LRESULT& r = Message.Result;
    if (msg == M.getCount) {
        r = Count();
    } else if (msg == M.getTextLen) {
        r = valid ? (*this)[index].text.Length() : kError;
    } else if (msg == M.getText) {
        if (!valid || !Message.LParam) {
            r = kError;
        } else {
            const AnsiString& t = (*this)[index].text;
            std::memcpy(reinterpret_cast<char*>(Message.LParam), t.c_str(),
                        static_cast<size_t>(t.Length()) + 1);
            r = t.Length();
        }
    } else if (msg == M.getData) {
        r = valid ? reinterpret_cast<LRESULT>((*this)[index].data) : kError;
    } else if (msg == M.setData) {
        if (valid) (*this)[index].data = reinterpret_cast<TObject*>(Message.LParam);
        r = valid ? 0 : kError;
    } else if (msg == M.find || msg == M.findExact) {
        r = Find(index, AnsiString(reinterpret_cast<const char*>(Message.LParam)),
                 msg == M.findExact);
    } else {
        return false;
    }
    return true;
}

bool ListItems::Change(const ControlStringMessages& M, TMessage& Message, bool Sorted,
                       const std::function<int(int, const AnsiString&)>& Insert,
                       const std::function<void(int)>& Delete, const std::function<void()>& Reset,
                       const WideString* Wide) const {
    const int n = Count();
    const int index = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
    const UINT msg = Message.Msg;
    LRESULT& r = Message.Result;
    if (msg == M.add) {
        AnsiString t(reinterpret_cast<const char*>(Message.LParam));
        r = Insert(Sorted ? SortedPlace(t, Wide) : n, t);
    } else if (msg == M.insert) {
        // -1 is the end; an insertion keeps its place in a sorted list.
        if (index < -1 || index > n)
            r = kError;
        else
            r = Insert(index == -1 ? n : index,
                       AnsiString(reinterpret_cast<const char*>(Message.LParam)));
    } else if (msg == M.remove) {
        if (index < 0 || index >= n) {
            r = kError;
        } else {
            Delete(index);
            r = n - 1;
        }
    } else if (msg == M.reset) {
        Reset();
        r = 0;
    } else {
        return false;
    }
    return true;
}
