#include "plataforma/gui/grid/grid_store.h"

#include <algorithm>
#include <new>
#include <utility>

TGridRow::TGridRow(size_t Count) : size_(Count) {
    for (TGridCell& c : *this)
        new (&c) TGridCell();
}

TGridRow::~TGridRow() {
    for (TGridCell& c : *this)
        c.~TGridCell();
}

TGridRow* TGridRow::Make(size_t Count) {
    void* block = ::operator new(sizeof(TGridRow) + Count * sizeof(TGridCell));
    return new (block) TGridRow(Count);
}

TGridRow* TGridRow::Widen(TGridRow* Row, size_t Count) {
    TGridRow* wide = Make(Count);
    std::move(Row->begin(), Row->end(), wide->begin());
    delete Row;
    return wide;
}

TGridStore::~TGridStore() {
    for (Row* r : rows_)
        delete r;
}

void TGridStore::SetRowCount(int Value) {
    Value = std::max(0, Value);
    const size_t n = static_cast<size_t>(Value);
    for (size_t i = n; i < rows_.size(); ++i)
        delete rows_[i];
    rows_.resize(n, nullptr);
}

void TGridStore::GrowColCount(int Value) {
    cols_ = std::max(cols_, Value);
}

const TGridCell* TGridStore::Find(int ACol, int ARow) const {
    const Row* r = GetRow(ARow);
    if (!r || ACol < 0 || static_cast<size_t>(ACol) >= r->size()) return nullptr;
    return &(*r)[ACol];
}

const TGridStore::Row* TGridStore::GetRow(int ARow) const {
    if (ARow < 0 || static_cast<size_t>(ARow) >= rows_.size()) return nullptr;
    return rows_[ARow];
}

TGridStore::Row* TGridStore::TakeRow(int ARow) {
    Row*& r = rows_.at(static_cast<size_t>(ARow));
    Row* taken = r;
    r = nullptr;
    return taken;
}

void TGridStore::PutRow(int ARow, Row* Cells) {
    Row*& r = rows_.at(static_cast<size_t>(ARow));
    delete r;
    r = Cells;
}

TGridCell& TGridStore::At(int ACol, int ARow) {
    Row*& r = rows_.at(static_cast<size_t>(ARow));
    const size_t col = static_cast<size_t>(ACol);
    // A new row holds the cells up to the one written; a column beyond them widens the row to
    // all the store's columns at once (a row filled from its start is widened once).
    if (!r)
        r = Row::Make(col + 1);
    else if (r->size() <= col)
        r = Row::Widen(r, std::max(col + 1, static_cast<size_t>(cols_)));
    return (*r)[col];
}

void TGridStore::MoveRow(int From, int To) {
    const int n = GetRowCount();
    if (From == To || From < 0 || To < 0 || From >= n || To >= n) return;
    if (From < To)
        std::rotate(rows_.begin() + From, rows_.begin() + From + 1, rows_.begin() + To + 1);
    else
        std::rotate(rows_.begin() + To, rows_.begin() + From, rows_.begin() + From + 1);
}

void TGridStore::ExchangeRows(int A, int B) {
    const int n = GetRowCount();
    if (A < 0 || B < 0 || A >= n || B >= n) return;
    std::swap(rows_[A], rows_[B]);
}

void TGridStore::PermuteRows(int First, const std::vector<int>& From) {
    if (From.empty()) return;
    std::vector<Row*> old(rows_.begin() + First, rows_.begin() + First + From.size());
    for (size_t i = 0; i < From.size(); ++i)
        rows_[First + i] = old[From[i] - First];
}

void TGridStore::RotateRows(int First, int Middle, int Last) {
    if (First >= Middle || Middle >= Last) return;
    std::rotate(rows_.begin() + First, rows_.begin() + Middle, rows_.begin() + Last);
}

void TGridStore::MoveCol(int From, int To) {
    if (From == To || From < 0 || To < 0 || From >= cols_ || To >= cols_) return;
    const size_t lo = static_cast<size_t>(std::min(From, To));
    const size_t hi = static_cast<size_t>(std::max(From, To));
    for (Row*& r : rows_) {
        if (!r || r->size() <= lo) continue; // nothing stored in the range
        if (r->size() <= hi) r = Row::Widen(r, hi + 1);
        if (From < To)
            std::rotate(r->begin() + From, r->begin() + From + 1, r->begin() + To + 1);
        else
            std::rotate(r->begin() + To, r->begin() + From, r->begin() + From + 1);
    }
}

void TGridStore::ExchangeCols(int A, int B) {
    if (A < 0 || B < 0 || A >= cols_ || B >= cols_ || A == B) return;
    const size_t hi = static_cast<size_t>(std::max(A, B));
    for (Row*& r : rows_) {
        if (!r || r->size() <= static_cast<size_t>(std::min(A, B))) continue;
        if (r->size() <= hi) r = Row::Widen(r, hi + 1);
        std::swap((*r)[A], (*r)[B]);
    }
}
