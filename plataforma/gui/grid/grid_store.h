#pragma once
// The cells of a string grid: a vector of row pointers, each row one block of memory holding
// the run of columns it keeps and their cells (a text and an object slot). A row that was
// never written is a null pointer and costs one pointer; a row is made holding the one cell
// first written in it, and widened to all the store's columns, from column 0, when another
// column is written; every cell outside the run is empty. Moving,
// exchanging and deleting rows move pointers and never copy a text.
// The row blocks come from the store's own pool: large slabs cut in order, and the blocks of
// freed rows kept by width for the next row of that width, so that filling many rows makes a
// few large allocations. Rows taken out of the store keep the pool alive until they go.
// Columns are store columns: the store keeps every column the grid has ever had, so that
// data beyond a lowered column count stays readable and writable. The store never frees
// what an object slot points to.
// Columns are real columns (TRealCol): a hidden column keeps its cells where they are. Each
// row has an identity (TGridRowId) that moves with it, so that a row can be found again after
// rows were inserted, removed or reordered.

#include "plataforma/base/ansi_string.h"
#include "plataforma/gui/grid/grid_index.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <vector>

class TObject;
class TGridRowPool;

struct TGridCell {
    AnsiString Text;
    TObject* Object = nullptr;
};

// A row's cells: the columns First() .. End()-1, after the run's bounds in the same block.
// Only the store's pool makes and frees rows.
class alignas(TGridCell) TGridRow {
public:
    TGridRow(const TGridRow&) = delete;
    TGridRow& operator=(const TGridRow&) = delete;

    size_t First() const { return first_; }
    size_t End() const { return static_cast<size_t>(first_) + size_; }
    size_t size() const { return size_; }
    bool Holds(size_t Col) const { return Col - first_ < size_; }
    TGridCell* begin() { return reinterpret_cast<TGridCell*>(this + 1); }
    TGridCell* end() { return begin() + size_; }
    const TGridCell* begin() const { return reinterpret_cast<const TGridCell*>(this + 1); }
    const TGridCell* end() const { return begin() + size_; }
    // The cell of a column the row holds.
    TGridCell& operator[](size_t Col) { return begin()[Col - first_]; }
    const TGridCell& operator[](size_t Col) const { return begin()[Col - first_]; }

private:
    friend class TGridRowPool;
    TGridRow(size_t First, size_t Count)
        : first_(static_cast<uint32_t>(First)), size_(static_cast<uint32_t>(Count)) {
        for (TGridCell& c : *this)
            new (&c) TGridCell();
    }
    ~TGridRow() {
        for (TGridCell& c : *this)
            c.~TGridCell();
    }
    uint32_t first_, size_;
};
static_assert(sizeof(TGridRow) % alignof(TGridCell) == 0);

// Gives a row taken out of its store back to the pool it came from.
struct TGridRowRelease {
    TGridRowPool* Pool = nullptr;
    void operator()(TGridRow* Row) const;
};

class TGridStore {
public:
    using Row = TGridRow;
    // A row out of the store: its cells stay where they are until it is put back or freed.
    using RowPtr = std::unique_ptr<Row, TGridRowRelease>;

    TGridStore();
    ~TGridStore();
    TGridStore(const TGridStore&) = delete;
    TGridStore& operator=(const TGridStore&) = delete;

    int GetRowCount() const { return static_cast<int>(rows_.size()); }
    // Growing adds empty rows; shrinking drops the rows beyond (their object slots are not
    // freed: the caller has seen them first).
    void SetRowCount(int Value) {
        if (Value >= 0 && static_cast<size_t>(Value) == rows_.size() + 1) {
            rows_.push_back(nullptr); // a row appended: the common case
            ids_.push_back(TGridRowId(++lastId_));
        } else {
            ResizeRows(Value);
        }
    }
    // The columns that can be written: the highest column count ever asked for.
    int GetColCount() const { return cols_; }
    void GrowColCount(int Value) {
        if (Value <= cols_) return;
        cols_ = Value;
        while (colIds_.size() < static_cast<size_t>(cols_))
            colIds_.push_back(TGridColId(++lastColId_));
    }
    // The identity of the column at a real index (none outside the store); the real index of
    // the column with an identity, -1 when none has it.
    TGridColId GetColId(TRealCol ACol) const {
        const int c = ACol.Value();
        return c >= 0 && static_cast<size_t>(c) < colIds_.size() ? colIds_[c] : TGridColId();
    }
    int FindCol(TGridColId Id) const;
    // Columns First .. Last-1 get new identities (the columns that stood there left the grid).
    void RenewColIds(TRealCol First, TRealCol Last);

    // The cell, or nullptr when it holds nothing (an index outside the store included).
    const TGridCell* Find(TRealCol ACol, int ARow) const;
    // The cell, made when missing; the indexes must lie inside the store.
    TGridCell& At(TRealCol ACol, int ARow);
    bool Contains(TRealCol ACol, int ARow) const {
        return ACol.Value() >= 0 && ARow >= 0 && ACol.Value() < cols_ && ARow < GetRowCount();
    }

    // The identity of the row at an index (none outside the store); the index of the row
    // with an identity, -1 when no row of the store has it. A row put back where it was
    // taken from gets its identity back with SetRowId.
    TGridRowId GetRowId(int ARow) const {
        return ARow >= 0 && static_cast<size_t>(ARow) < ids_.size() ? ids_[ARow] : TGridRowId();
    }
    void SetRowId(int ARow, TGridRowId Id) { ids_.at(static_cast<size_t>(ARow)) = Id; }
    int FindRow(TGridRowId Id) const;
    // The row's cells (nullptr for an empty row or an index outside).
    const Row* GetRow(int ARow) const {
        return ARow >= 0 && static_cast<size_t>(ARow) < rows_.size() ? rows_[ARow] : nullptr;
    }

    // Asks for the first lines of the row's cells, for a pass that reaches them a few rows
    // later: rows lie scattered in memory once sorted or moved, and this lets their cells
    // arrive while the rows before are worked on. Reads nothing (and never waits for the
    // block: the row's length is not asked for); an index outside is let be.
    void Prefetch(int ARow) const {
        if (ARow < 0 || static_cast<size_t>(ARow) >= rows_.size() || !rows_[ARow]) return;
        const char* p = reinterpret_cast<const char*>(rows_[ARow]);
        __builtin_prefetch(p);
        __builtin_prefetch(p + 64);
        __builtin_prefetch(p + 128);
    }

    // A row's cells taken out whole (null for a row never written), leaving an empty row
    // (which keeps the row's identity until the caller moves it elsewhere);
    // and a row put back in place of an empty one. For rows that leave the grid for a while:
    // their cells are not copied (a row from another store's pool is moved into this one).
    RowPtr TakeRow(int ARow);
    void PutRow(int ARow, RowPtr Cells);

    // Row moves: pointers only.
    void MoveRow(int From, int To);
    void ExchangeRows(int A, int B);
    // Row First+i takes the row From[i] held (absolute indexes, a permutation of
    // First .. First+From.size()-1).
    void PermuteRows(int First, const std::vector<int>& From);
    // Rows First .. Last-1 rotated so that Middle comes first.
    void RotateRows(int First, int Middle, int Last);
    // Moves the cells of column From to column To in every row (the columns between shift
    // by one); the slots are moved, not copied.
    void MoveCol(TRealCol From, TRealCol To);
    // Columns First .. Last-1 rotated so that Middle comes first, in every row (std::rotate),
    // their identities with them.
    void RotateCols(TRealCol First, TRealCol Middle, TRealCol Last);
    // Columns First .. First+Count-1 leave, in one pass over the rows: Leave is handed each of
    // their cells a row holds (to let go of what the cell's object owns), then the columns
    // behind them move left with their identities, and every cell a row holds from column
    // ClearFrom on is emptied (its object dropped, not freed). The store keeps its column
    // count: the columns left at its end get new identities.
    void RemoveCols(TRealCol First, int Count, TRealCol ClearFrom,
                    const std::function<void(TGridCell&)>& Leave);

private:
    void ResizeRows(int Value);
    // A row holding the columns First .. End-1 (the row's among them) with the row's cells;
    // the row is freed.
    Row* Widen(Row* R, size_t First, size_t End);
    // The row's columns Lo .. Hi rotated so that Mid comes first, the row widened to hold them
    // when it holds some of them only.
    void RotateRowCols(Row*& R, size_t Lo, size_t Mid, size_t Hi);

    std::vector<Row*> rows_;      // owned; raw so that row moves are plain pointer moves
    std::vector<TGridRowId> ids_; // each row's identity, moved with it
    uint64_t lastId_ = 0;
    std::vector<TGridColId> colIds_; // each store column's identity, moved with its cells
    uint64_t lastColId_ = 0;
    TGridRowPool* pool_; // the rows' memory, shared with the rows taken out
    int cols_ = 0;
};
