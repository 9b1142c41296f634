#pragma once
// The cells of a string grid: a vector of row pointers, each row a vector of inline cells (a
// text and an object slot). A row that was never written is a null pointer and costs one
// pointer; moving, exchanging and deleting rows move pointers and never copy a text.
// Columns are store columns: the store keeps every column the grid has ever had, so that
// data beyond a lowered column count stays readable and writable. The store never frees
// what an object slot points to.

#include "plataforma/base/ansi_string.h"

#include <vector>

class TObject;

struct TGridCell {
    AnsiString Text;
    TObject* Object = nullptr;
};

class TGridStore {
public:
    using Row = std::vector<TGridCell>;

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
