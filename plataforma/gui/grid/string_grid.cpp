// TDrawGrid and TStringGrid: the events of a grid the program paints, and the cell store.
#include "plataforma/gui/grid/grids.h"

#include "plataforma/gui/painting/canvas.h"

// --- TDrawGrid ---

TDrawGrid::TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow) {
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex) {
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::TopLeftChanged() {
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

// --- the lists of a row or a column ---

// A row's (column's) cells seen as a list. It reads and writes the grid's store; it cannot
// grow or shrink, as the grid's counts decide its length.
class TStringGridStrings : public TStrings {
public:
    TStringGridStrings(TStringGrid* Grid, bool IsRow, int Index)
        : grid_(Grid), isRow_(IsRow), index_(Index) {}

    int GetCount() const override { return isRow_ ? grid_->GetColCount() : grid_->GetRowCount(); }
    AnsiString GetStrings(int Index) const override {
        Check(Index);
        return grid_->GetCells(Col(Index), Row(Index));
    }
    void SetStrings(int Index, const AnsiString& S) override {
        Check(Index);
        grid_->SetCells(Col(Index), Row(Index), S);
    }
    TObject* GetObjects(int Index) const override {
        Check(Index);
        return grid_->GetObjects(Col(Index), Row(Index));
    }
    void SetObjects(int Index, TObject* AObject) override {
        Check(Index);
        grid_->SetObjects(Col(Index), Row(Index), AObject);
    }
    // Fills the first empty cell; -1 when every cell holds a text.
    int Add(const AnsiString& S) override { return AddObject(S, nullptr); }
    int AddObject(const AnsiString& S, TObject* AObject) override {
        for (int i = 0, n = GetCount(); i < n; ++i) {
            const TGridCell* c = grid_->store_.Find(TRealCol(Col(i)), Row(i));
            if (c && (!c->Text.IsEmpty() || c->Object)) continue;
            grid_->SetCells(Col(i), Row(i), S);
            grid_->SetObjects(Col(i), Row(i), AObject);
            return i;
        }
        return -1;
    }
    void Insert(int, const AnsiString&) override { InsDelError(); }
    void Delete(int) override { InsDelError(); }
    // Empties every cell (texts and object slots; what the slots point to is not freed).
    void Clear() override {
        for (int i = 0, n = GetCount(); i < n; ++i) {
            if (!grid_->store_.Find(TRealCol(Col(i)), Row(i))) continue;
            grid_->SetCells(Col(i), Row(i), AnsiString());
            grid_->SetObjects(Col(i), Row(i), nullptr);
        }
    }
    // Cell i takes the source's string i and its object; cells beyond the source are
    // emptied and strings beyond the list's length are left out.
    void Assign(const TStrings& Source) override {
        if (&Source == this) return;
        const int n = GetCount(), m = Source.GetCount();
        std::vector<std::pair<AnsiString, TObject*>> copy; // the source may be this grid
        copy.reserve(std::min(n, m));
        for (int i = 0; i < n && i < m; ++i)
            copy.emplace_back(Source.GetStrings(i), Source.GetObjects(i));
        for (int i = 0; i < n; ++i) {
            const bool from = i < static_cast<int>(copy.size());
            grid_->SetCells(Col(i), Row(i), from ? copy[i].first : AnsiString());
            grid_->SetObjects(Col(i), Row(i), from ? copy[i].second : nullptr);
        }
    }

private:
    int Col(int i) const { return isRow_ ? i : index_; }
    int Row(int i) const { return isRow_ ? index_ : i; }
    void Check(int Index) const {
        if (Index < 0 || Index >= GetCount()) IndexError(Index);
    }
    [[noreturn]] static void InsDelError() {
        throw EInvalidGridOperation("Grid does not support inserting or deleting strings");
    }

    TStringGrid* grid_;
    bool isRow_;
    int index_;
};

// --- TStringGrid ---

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {
    // The base constructor cannot reach this class's ResizeStore.
    ResizeStore(GetColCount(), GetRowCount());
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::ResizeStore(int NewColCount, int NewRowCount) {
    store_.GrowColCount(NewColCount);
    store_.SetRowCount(NewRowCount);
}

AnsiString TStringGrid::GetCells(int ACol, int ARow) const {
    CheckIndex(ACol, ARow);
    const TGridCell* c = store_.Find(TRealCol(ACol), ARow);
    return c ? c->Text : AnsiString();
}

const AnsiString& TStringGrid::CellText(TRealCol ACol, int ARow) const {
    static const AnsiString empty;
    const TGridCell* c = store_.Find(ACol, ARow);
    return c ? c->Text : empty;
}

TGridStore::RowPtr TStringGrid::TakeStoreRow(int ARow) {
    if (ARow < 0 || ARow >= store_.GetRowCount()) GridIndexError();
    return store_.TakeRow(ARow);
}

void TStringGrid::PutStoreRow(int ARow, TGridStore::RowPtr Cells, TGridRowId Id) {
    if (ARow < 0 || ARow >= store_.GetRowCount()) GridIndexError();
    store_.PutRow(ARow, std::move(Cells));
    if (Id) store_.SetRowId(ARow, Id);
}

TGridCell& TStringGrid::WritableCell(TRealCol ACol, int ARow) {
    CheckIndex(ACol.Value(), ARow);
    if (!store_.Contains(ACol, ARow)) GridIndexError();
    return store_.At(ACol, ARow);
}

void TStringGrid::SetCells(int ACol, int ARow, const AnsiString& Value) {
    CheckIndex(ACol, ARow);
    const TRealCol col(ACol);
    // Emptying a cell that holds nothing makes no row.
    if (Value.IsEmpty() && !store_.Find(col, ARow) && store_.Contains(col, ARow)) return;
    WritableCell(col, ARow).Text = Value;
    InvalidateCell(ACol, ARow);
    // A cell written from outside while its editor is open shows in the editor too.
    if (editUpdate_ == 0 && EditsCell(GetColId(col), GetRowId(ARow))) InvalidateEditor();
}

TObject* TStringGrid::GetObjects(int ACol, int ARow) const {
    CheckIndex(ACol, ARow);
    const TGridCell* c = store_.Find(TRealCol(ACol), ARow);
    return c ? c->Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) {
    CheckIndex(ACol, ARow);
    const TRealCol col(ACol);
    if (!Value && !store_.Find(col, ARow) && store_.Contains(col, ARow)) return;
    WritableCell(col, ARow).Object = Value;
}

TStrings* TStringGrid::GetRows(int Index) {
    if (Index < 0 || Index >= GetRowCount()) GridIndexError();
    auto& slot = rowLists_[Index];
    if (!slot) slot = std::make_unique<TStringGridStrings>(this, true, Index);
    return slot.get();
}

TStrings* TStringGrid::GetCols(int Index) {
    if (Index < 0 || Index >= store_.GetColCount()) GridIndexError();
    auto& slot = colLists_[Index];
    if (!slot) slot = std::make_unique<TStringGridStrings>(this, false, Index);
    return slot.get();
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (GetDefaultDrawing()) {
        // A plain string grid has no hidden columns: the column drawn is the store's.
        const AnsiString& text = CellText(TRealCol(ACol), ARow);
        if (!text.IsEmpty()) {
            // The cell was just filled with this brush: the text goes on it without a second
            // fill (the same pixels, half the work).
            TBrush* brush = GetCanvas()->GetBrush();
            const TBrushStyle style = brush->GetStyle();
            brush->SetStyle(bsClear);
            GetCanvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, text);
            brush->SetStyle(style);
        }
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
    store_.MoveCol(TRealCol(FromIndex), TRealCol(ToIndex));
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowsPermuted(int First, const std::vector<int>& From) {
    store_.PermuteRows(First, From);
    TDrawGrid::RowsPermuted(First, From);
}

void TStringGrid::RowsRotated(int First, int Middle, int Last) {
    store_.RotateRows(First, Middle, Last);
    TDrawGrid::RowsRotated(First, Middle, Last);
}

void TStringGrid::RowsExchanged(int ARow1, int ARow2) {
    store_.ExchangeRows(ARow1, ARow2);
    TDrawGrid::RowsExchanged(ARow1, ARow2);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
    store_.MoveRow(FromIndex, ToIndex);
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}
