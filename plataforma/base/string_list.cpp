// TStringList: the strings and their objects kept in a vector, optionally sorted.

#include "plataforma/base/string_list.h"

#include "plataforma/base/bounded_sort.h"
#include "plataforma/base/cp1252.h"

#include <utility>

TStringList::~TStringList() {
    // The events are not fired from here: their handlers may belong to an object already gone.
    OnChange = nullptr;
    OnChanging = nullptr;
    if (ownsObjects_) FreeObjects(items_);
}

void TStringList::FreeObjects(std::vector<Item>& items) {
    for (Item& item : items) {
        delete item.object;
        item.object = nullptr;
    }
}

void TStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
}

void TStringList::SortedListError() const {
    throw EStringListError("Operación no permitida en una lista ordenada");
}

AnsiString TStringList::GetStrings(int Index) const {
    CheckIndex(Index);
    return items_[static_cast<size_t>(Index)].string;
}

void TStringList::SetStrings(int Index, const AnsiString& S) {
    if (sorted_) SortedListError();
    CheckIndex(Index);
    Changing();
    items_[static_cast<size_t>(Index)].string = S;
    Changed();
}

TObject* TStringList::GetObjects(int Index) const {
    CheckIndex(Index);
    return items_[static_cast<size_t>(Index)].object;
}

void TStringList::SetObjects(int Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    items_[static_cast<size_t>(Index)].object = AObject;
    Changed();
}

int TStringList::Add(const AnsiString& S) {
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const AnsiString& S, TObject* AObject) {
    int indice = GetCount();
    if (sorted_) {
        if (duplicates_ == dupAccept) {
            indice = UpperBound(S);
        } else if (Find(S, indice)) {
            if (duplicates_ == dupIgnore) return indice;
            throw EStringListError("La lista no admite duplicados");
        }
    }
    InsertItem(indice, S, AObject);
    return indice;
}

void TStringList::Insert(int Index, const AnsiString& S) {
    if (sorted_) SortedListError();
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(int Index, const AnsiString& S, TObject* AObject) {
    Changing();
    items_.insert(items_.begin() + Index, Item{S, AObject});
    Changed();
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    TObject* objeto = items_[static_cast<size_t>(Index)].object;
    items_.erase(items_.begin() + Index);
    // Freed once out of the list, so that its destructor sees a consistent list.
    if (ownsObjects_) delete objeto;
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    std::vector<Item> antiguos;
    antiguos.swap(items_);
    if (ownsObjects_) FreeObjects(antiguos);
    Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(items_[static_cast<size_t>(Index1)], items_[static_cast<size_t>(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (CurIndex == NewIndex) return;
    if (sorted_) SortedListError();
    Changing();
    Item item = std::move(items_[static_cast<size_t>(CurIndex)]);
    items_.erase(items_.begin() + CurIndex);
    items_.insert(items_.begin() + NewIndex, std::move(item));
    Changed();
}

int TStringList::IndexOf(const AnsiString& S) const {
    if (!sorted_) return TStrings::IndexOf(S);
    int indice;
    return Find(S, indice) ? indice : -1;
}

bool TStringList::Find(const AnsiString& S, int& Index) const {
    if (!sorted_) {
        int i = TStrings::IndexOf(S);
        Index = i < 0 ? GetCount() : i;
        return i >= 0;
    }
    // Lower bound: the first string that does not compare below S.
    int bajo = 0, alto = GetCount();
    while (bajo < alto) {
        int medio = bajo + (alto - bajo) / 2;
        if (CompareStrings(items_[static_cast<size_t>(medio)].string, S) < 0)
            bajo = medio + 1;
        else
            alto = medio;
    }
    Index = bajo;
    return bajo < GetCount() && CompareStrings(items_[static_cast<size_t>(bajo)].string, S) == 0;
}

int TStringList::UpperBound(const AnsiString& S) const {
    int bajo = 0, alto = GetCount();
    while (bajo < alto) {
        int medio = bajo + (alto - bajo) / 2;
        if (CompareStrings(items_[static_cast<size_t>(medio)].string, S) <= 0)
            bajo = medio + 1;
        else
            alto = medio;
    }
    return bajo;
}

void TStringList::Sort() {
    CustomSort([](TStringList* lista, int a, int b) {
        return lista->CompareStrings(lista->items_[static_cast<size_t>(a)].string,
                                     lista->items_[static_cast<size_t>(b)].string);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (sorted_ || GetCount() < 2) return;
    // The comparison is asked about indexes of the list as it stands, so the order is worked
    // out on a permutation and applied at the end.
    std::vector<int> orden(items_.size());
    for (size_t i = 0; i < orden.size(); ++i)
        orden[i] = static_cast<int>(i);
    BoundedStableSort(orden, [&](int a, int b) { return Compare(this, a, b) < 0; });
    Changing();
    std::vector<Item> ordenados;
    ordenados.reserve(items_.size());
    for (int i : orden)
        ordenados.push_back(std::move(items_[static_cast<size_t>(i)]));
    items_.swap(ordenados);
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (Value == sorted_) return;
    if (Value) Sort();
    sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (Value == caseSensitive_) return;
    caseSensitive_ = Value;
    if (sorted_) {
        sorted_ = false;
        Sort();
        sorted_ = true;
    }
}

int TStringList::CompareStrings(const AnsiString& S1, const AnsiString& S2) const {
    return caseSensitive_ ? cp1252::Compare(S1.str(), S2.str())
                          : cp1252::CompareIC(S1.str(), S2.str());
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing() {
    if (GetUpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (GetUpdateCount() == 0 && OnChange) OnChange(this);
}
