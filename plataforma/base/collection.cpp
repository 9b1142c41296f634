#include "plataforma/base/collection.h"

#include "plataforma/base/numbers.h"

#include <algorithm>
#include <unordered_set>

TCollectionItem::TCollectionItem(TCollection* Collection) {
    SetCollection(Collection);
}

TCollectionItem::~TCollectionItem() {
    if (collection_ != nullptr) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (Value == collection_) return;
    if (collection_ != nullptr) collection_->RemoveItem(this);
    if (Value != nullptr) Value->InsertItem(this);
}

int TCollectionItem::GetIndex() const {
    if (collection_ == nullptr) return -1;
    const auto& v = collection_->items_;
    return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TCollectionItem::SetIndex(int Value) {
    const int actual = GetIndex();
    if (actual < 0 || Value == actual) return;
    auto& v = collection_->items_;
    Value = std::clamp(Value, 0, static_cast<int>(v.size()) - 1);
    v.erase(v.begin() + actual);
    v.insert(v.begin() + Value, this);
    Changed(true);
}

void TCollectionItem::Changed(bool AllItems) {
    if (collection_ == nullptr || collection_->updateCount_ > 0) return;
    collection_->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory ItemClass) : itemClass_(std::move(ItemClass)) {}

TCollection::~TCollection() {
    updateCount_ = 1;
    Clear();
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = itemClass_(this);
    if (item->collection_ != this) item->SetCollection(this);
    Changed();
    return item;
}

TCollectionItem* TCollection::Insert(int Index) {
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

TCollectionItem* TCollection::GetItem(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return items_[static_cast<size_t>(Index)];
}

void TCollection::Delete(int Index) {
    delete GetItem(Index);
    Changed();
}

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (TCollectionItem* i : items_)
        if (i->id_ == ID) return i;
    return nullptr;
}

void TCollection::SortItems(
    const std::function<bool(const TCollectionItem*, const TCollectionItem*)>& Less) {
    // A sorted run followed by another (items added in order behind ordered ones) is merged
    // in one pass; anything else is sorted.
    const auto mid = std::is_sorted_until(items_.begin(), items_.end(), Less);
    if (std::is_sorted(mid, items_.end(), Less))
        std::inplace_merge(items_.begin(), mid, items_.end(), Less);
    else
        std::stable_sort(items_.begin(), items_.end(), Less);
    Changed();
}

void TCollection::DeleteItems(const std::vector<TCollectionItem*>& Items) {
    if (Items.empty()) return;
    std::unordered_set<TCollectionItem*> gone;
    for (TCollectionItem* i : Items)
        if (i != nullptr && i->collection_ == this) gone.insert(i);
    std::erase_if(items_, [&gone](TCollectionItem* i) { return gone.count(i) != 0; });
    for (TCollectionItem* i : gone) {
        // Out of the collection already: its destructor has nothing to take out.
        i->collection_ = nullptr;
        delete i;
    }
    Changed();
}

void TCollection::Assign(TPersistent* Source) {
    auto* otra = dynamic_cast<TCollection*>(Source);
    if (otra == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (otra == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* i : otra->items_)
            Add()->Assign(i);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::InsertItem(TCollectionItem* Item) {
    items_.push_back(Item);
    Item->collection_ = this;
    Item->id_ = nextId_++;
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    // Searched from the end: emptying a collection from its last item is linear.
    const auto it = std::find(items_.rbegin(), items_.rend(), Item);
    if (it != items_.rend()) items_.erase(std::next(it).base());
    Item->collection_ = nullptr;
    Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}
