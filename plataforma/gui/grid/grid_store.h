#pragma once
// The cells of a string grid: a vector of row pointers, each row one block of memory holding
// its count and its cells (a text and an object slot). A row that was never written is a null
// pointer and costs one pointer; a row is made as wide as the column first written in it and
// widened to the store's columns when a later column is written; moving, exchanging and
// deleting rows move pointers and never copy a text.
// Columns are store columns: the store keeps every column the grid has ever had, so that
// data beyond a lowered column count stays readable and writable. The store never frees
// what an object slot points to.

#include "plataforma/base/ansi_string.h"

#include <cstddef>
#include <vector>

class TObject;

struct TGridCell {
    AnsiString Text;
    TObject* Object = nullptr;
};

// A row's cells, after its count in the same block.
class TGridRow {
public:
    // A row of Count empty cells.
    static TGridRow* Make(size_t Count);
    // A row of Count cells (at least Row's) holding Row's cells, which is deleted.
    static TGridRow* Widen(TGridRow* Row, size_t Count);
    ~TGridRow();
    TGridRow(const TGridRow&) = delete;
    TGridRow& operator=(const TGridRow&) = delete;
    static void operator delete(void* p) { ::operator delete(p); }

    size_t size() const { return size_; }
    TGridCell* begin() { return reinterpret_cast<TGridCell*>(this + 1); }
    TGridCell* end() { return begin() + size_; }
    const TGridCell* begin() const { return reinterpret_cast<const TGridCell*>(this + 1); }
    const TGridCell* end() const { return begin() + size_; }
    TGridCell& operator[](size_t i) { return begin()[i]; }
    const TGridCell& operator[](size_t i) const { return begin()[i]; }

private:
    explicit TGridRow(size_t Count);
    size_t size_;
};
static_assert(sizeof(TGridRow) % alignof(TGridCell) == 0);

class TGridStore {
public:
    using Row = TGridRow;

    TGridStore() = default;
    ~TGridStore();
    TGridStore(const TGridStore&) = delete;
    TGridStore& operator=(const TGridStore&) = delete;

    int GetRowCount() const { return static_cast<int>(rows_.size()); }
    // Growing adds empty rows; shrinking drops the rows beyond (their object slots are not
    // freed: the caller has seen them first).
    void SetRowCount(int Value);
    // The columns that can be written: the highest column count ever asked for.
    int GetColCount() const { return cols_; }
    void GrowColCount(int Value);

    // The cell, or nullptr when it holds nothing (an index outside the store included).
    const TGridCell* Find(int ACol, int ARow) const;
    // The cell, made when missing; the indexes must lie inside the store.
    TGridCell& At(int ACol, int ARow);
    bool Contains(int ACol, int ARow) const {
        return ACol >= 0 && ARow >= 0 && ACol < cols_ && ARow < GetRowCount();
    }
    // The row's cells (nullptr for an empty row or an index outside).
    const Row* GetRow(int ARow) const;

    // A row's cells taken out whole (nullptr for a row never written), leaving an empty row;
    // and a row put back in place of an empty one. For rows that leave the grid for a while:
    // their cells are not copied.
    Row* TakeRow(int ARow);
    void PutRow(int ARow, Row* Cells);

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
    void MoveCol(int From, int To);
    void ExchangeCols(int A, int B);

private:
    std::vector<Row*> rows_; // owned; raw so that row moves are plain pointer moves
    int cols_ = 0;
};
