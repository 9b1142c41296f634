#include "plataforma/base/list.h"

#include "plataforma/base/bounded_sort.h"
#include "plataforma/base/c_format.h"

#include <algorithm>

namespace {
[[noreturn]] void IndexError(int indice) {
    throw EListError(FormatoC("Índice de lista fuera de límites (%d)", indice));
}
} // namespace

void TList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
}

int TList::Add(void* Item) {
    int indice = GetCount();
    Insert(indice, Item);
    return indice;
}

void TList::Insert(int Index, void* Item) {
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    items_.insert(items_.begin() + Index, Item);
    if (Item) Notify(Item, lnAdded);
}

void TList::Delete(int Index) {
    CheckIndex(Index);
    void* item = items_[static_cast<size_t>(Index)];
    items_.erase(items_.begin() + Index);
    if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* Item) {
    int indice = IndexOf(Item);
    if (indice >= 0) Delete(indice);
    return indice;
}

void* TList::Extract(void* Item) {
    int indice = IndexOf(Item);
    if (indice < 0) return nullptr;
    items_.erase(items_.begin() + indice);
    if (Item) Notify(Item, lnExtracted);
    return Item;
}

int TList::IndexOf(void* Item) const {
    auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TList::Clear() {
    SetCount(0);
    items_.shrink_to_fit();
}

void TList::SetCount(int NewCount) {
    if (NewCount < 0) throw EListError(FormatoC("Cuenta de lista fuera de límites (%d)", NewCount));
    if (NewCount > GetCount()) {
        items_.resize(static_cast<size_t>(NewCount), nullptr);
        return;
    }
    // One at a time from the end, so that Notify always sees a consistent list.
    for (int i = GetCount() - 1; i >= NewCount; --i)
        Delete(i);
}

void* TList::GetItems(int Index) const {
    CheckIndex(Index);
    return items_[static_cast<size_t>(Index)];
}

void TList::SetItems(int Index, void* Item) {
    CheckIndex(Index);
    void* anterior = items_[static_cast<size_t>(Index)];
    if (anterior == Item) return;
    items_[static_cast<size_t>(Index)] = Item;
    if (anterior) Notify(anterior, lnDeleted);
    if (Item) Notify(Item, lnAdded);
}

void TList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(items_[static_cast<size_t>(Index1)], items_[static_cast<size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (CurIndex == NewIndex) return;
    auto base = items_.begin();
    if (CurIndex < NewIndex)
        std::rotate(base + CurIndex, base + CurIndex + 1, base + NewIndex + 1);
    else
        std::rotate(base + NewIndex, base + CurIndex, base + CurIndex + 1);
}

void TList::Sort(const TListSortCompare& Compare) {
    BoundedStableSort(items_, [&](void* a, void* b) { return Compare(a, b) < 0; });
}

void* TList::First() const {
    return GetItems(0);
}
void* TList::Last() const {
    return GetItems(GetCount() - 1);
}

void TList::Pack() {
    items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
}
