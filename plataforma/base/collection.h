#pragma once
// TCollection: an owned, ordered list of items of one class (TCollectionItem), as the
// class library's published collections. The item class is given as a function that makes
// one item in the collection. Items know their collection and their place in it; deleting
// an item takes it out.

#include "plataforma/base/component.h"
#include "plataforma/base/list.h"

#include <functional>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // Joins Collection (at its end) when there is one.
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* GetCollection() const { return collection_; }
    // Moves the item into another collection (nullptr: into none).
    void SetCollection(TCollection* Value);
    int GetIndex() const;
    // Moves the item to Value within its collection.
    void SetIndex(int Value);
    // Unique within the collection, never reused.
    int GetID() const { return id_; }

protected:
    // Tells the collection that this item (or, with AllItems, every item) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
    explicit TCollection(TItemFactory ItemClass);
    // Frees the items.
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    int GetCount() const { return static_cast<int>(items_.size()); }
    // Raises EListError ("List index out of bounds (n)") outside 0..Count-1.
    TCollectionItem* GetItem(int Index) const;
    void SetItem(int Index, TCollectionItem* Value) { GetItem(Index)->Assign(Value); }
    void Delete(int Index);
    void Clear();
    // Changes between BeginUpdate and EndUpdate are told once, at the outermost EndUpdate.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    TCollectionItem* FindItemID(int ID) const;
    // Puts the items in the order Less gives, equal ones keeping theirs; one change told.
    void SortItems(const std::function<bool(const TCollectionItem*, const TCollectionItem*)>& Less);
    // Frees the given items of this collection in one pass over it; one change told.
    void DeleteItems(const std::vector<TCollectionItem*>& Items);
    // From a collection: the same number of items, each assigned from its counterpart.
    void Assign(TPersistent* Source) override;
    // The persistent that owns the collection (nullptr by default).
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    // An item changed (nullptr: the whole collection).
    virtual void Update(TCollectionItem*) {}

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void Changed();

    TItemFactory itemClass_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
};
