#include "controles/grid/editing/undo_redo.h"

#include "controles/grid/base_grid.h"

TUndoRedoCollection::TUndoRedoCollection()
    : TCollection([](TCollection* c) { return new TUndoRedoItem(c); }) {}

TKavGridUndoRedo::TKavGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), items_(std::make_unique<TUndoRedoCollection>()) {}

TKavGridUndoRedo::~TKavGridUndoRedo() {
    if (grid_ && grid_->GetUndoRedo() == this) grid_->SetUndoRedo(nullptr);
}

void TKavGridUndoRedo::SetGrid(TBaseGrid* Value) {
    SetWatched(this, grid_, Value);
}

void TKavGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == grid_) grid_ = nullptr;
}

void TKavGridUndoRedo::RegisterChange(int ACol, int ARow, const AnsiString& OldValue,
                                      const AnsiString& NewValue) {
    if (maxLevel_ > 0 && items_->GetCount() >= maxLevel_) items_->Delete(0);
    TUndoRedoItem* item = items_->Add();
    item->Col = ACol;
    item->Row = ARow;
    if (grid_) {
        item->RowId = grid_->GetRowId(ARow);
        item->ColId = grid_->GetColId(TRealCol(ACol));
    }
    item->Value = NewValue;
    item->OrigValue = OldValue;
    position_ = items_->GetCount();
}

bool TKavGridUndoRedo::Apply(TUndoRedoItem& Item, const AnsiString& Text) {
    if (Item.ColId && grid_->GetColId(TRealCol(Item.Col)) != Item.ColId) {
        Item.Col = grid_->FindColId(Item.ColId);
        if (Item.Col < 0) return false; // the column left the grid
    }
    if (Item.RowId) {
        // The row itself: where it stands now, else kept hidden, else gone.
        if (grid_->GetRowId(Item.Row) != Item.RowId) Item.Row = grid_->FindRowId(Item.RowId);
        if (Item.Row < 0) return grid_->SetCellOfHiddenRow(Item.RowId, Item.Col, Text);
    } else if (Item.Row < 0 || Item.Row >= grid_->GetRowCount()) {
        return false; // registered without a grid, by index: a row no longer there
    }
    // The cell the change was made in: when a block merged since covers it, its base holds
    // another cell's text, which stays.
    if (grid_->IsBaseCell(Item.Col, Item.Row))
        grid_->SetCellEx(Item.Col, Item.Row, Text);
    else
        grid_->SetCells(Item.Col, Item.Row, Text);
    // The cell shown current, its column mapped through the hidden columns; in a hidden
    // column only its row becomes current.
    const TShownCol shown = grid_->ToShown(TRealCol(Item.Col));
    if (shown.Value() >= 0 && shown.Value() < grid_->GetColCount() &&
        grid_->ToReal(shown).Value() == Item.Col)
        grid_->SetCol(shown.Value());
    grid_->SetRow(Item.Row);
    grid_->RepaintCell(grid_->GetCol(), grid_->GetRow());
    return true;
}

void TKavGridUndoRedo::Undo() {
    if (!grid_) return;
    while (position_ >= 1 && position_ <= items_->GetCount()) {
        TUndoRedoItem* item = items_->GetItem(position_ - 1);
        --position_;
        if (Apply(*item, item->OrigValue)) return;
        items_->Delete(position_);
    }
}

void TKavGridUndoRedo::Redo() {
    if (!grid_) return;
    while (position_ < items_->GetCount()) {
        TUndoRedoItem* item = items_->GetItem(position_);
        if (Apply(*item, item->Value)) {
            ++position_;
            return;
        }
        items_->Delete(position_);
    }
}

void TKavGridUndoRedo::Reset() {
    items_->Clear();
    position_ = 0;
}
