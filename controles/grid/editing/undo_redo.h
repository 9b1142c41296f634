#pragma once
// TKavGridUndoRedo: records the cell edits of one grid (linked through the grid's UndoRedo)
// and takes them back or applies them again. Each change belongs to the row it was made in,
// wherever that row stands later; a change whose row is gone is dropped.

#include "plataforma/base/collection.h"
#include "plataforma/base/component.h"
#include "plataforma/gui/grid/grid_index.h"

#include <memory>

class TBaseGrid;

class TUndoRedoItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    int Row = 0; // the row's index when the change was registered
    int Col = 0; // the real column's index when the change was registered
    TGridRowId RowId;     // the row itself
    TGridColId ColId;     // the column itself
    AnsiString Value;     // the text after the change
    AnsiString OrigValue; // the text before it
};

class TUndoRedoCollection : public TCollection {
public:
    TUndoRedoCollection();
    TUndoRedoItem* Add() { return static_cast<TUndoRedoItem*>(TCollection::Add()); }
    TUndoRedoItem* GetItem(int Index) const {
        return static_cast<TUndoRedoItem*>(TCollection::GetItem(Index));
    }
};

class TKavGridUndoRedo : public TComponent {
public:
    explicit TKavGridUndoRedo(TComponent* AOwner);
    ~TKavGridUndoRedo() override;

    // Appends a change (dropping the oldest beyond MaxLevel); the position becomes the count.
    // The row is the linked grid's row at ARow; the column a real one.
    virtual void RegisterChange(int ACol, int ARow, const AnsiString& OldValue,
                                const AnsiString& NewValue);
    // The text before (after) the change goes back into its row, wherever it stands now
    // (hidden rows included); a change whose row left the grid is dropped and the next one
    // is taken.
    void Undo();
    void Redo();
    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return items_->GetCount() > position_; }
    // Removes every change; the position goes back to 0 with them.
    void Reset();

    TBaseGrid* GetGrid() const { return grid_; }
    // The grid's SetUndoRedo links both sides; this side only keeps the reference.
    void SetGrid(TBaseGrid* Value);
    int GetMaxLevel() const { return maxLevel_; }
    void SetMaxLevel(int Value) { maxLevel_ = Value; }
    int GetPosition() const { return position_; }
    TUndoRedoCollection* GetItems() const { return items_.get(); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Writes the text into the item's cell and makes it current when shown; false when the
    // item's row is gone.
    bool Apply(TUndoRedoItem& Item, const AnsiString& Text);

    std::unique_ptr<TUndoRedoCollection> items_;
    TBaseGrid* grid_ = nullptr;
    int position_ = 0;
    int maxLevel_ = 0;
};
