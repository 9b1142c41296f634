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
    item->Value = NewValue;
    item->OrigValue = OldValue;
    position_ = items_->GetCount();
}

void TKavGridUndoRedo::Undo() {
    if (!grid_ || position_ < 1 || position_ > items_->GetCount()) return;
    const TUndoRedoItem* item = items_->GetItem(position_ - 1);
    grid_->SetCellEx(item->Col, item->Row, item->OrigValue);
    grid_->SetCol(grid_->DisplColIndex(item->Col));
    grid_->SetRow(item->Row);
    grid_->RepaintCell(grid_->GetCol(), grid_->GetRow());
    --position_;
}

void TKavGridUndoRedo::Redo() {
    if (!grid_ || position_ >= items_->GetCount()) return;
    ++position_;
    const TUndoRedoItem* item = items_->GetItem(position_ - 1);
    grid_->SetCellEx(item->Col, item->Row, item->Value);
    // Mapped through the hidden columns as Undo maps it.
    grid_->SetCol(grid_->DisplColIndex(item->Col));
    grid_->SetRow(item->Row);
    grid_->RepaintCell(grid_->GetCol(), grid_->GetRow());
}

void TKavGridUndoRedo::Reset() {
    items_->Clear();
    position_ = 0;
}
