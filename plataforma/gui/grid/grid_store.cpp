#include "plataforma/gui/grid/grid_store.h"

#include <algorithm>
#include <new>
#include <utility>

// The memory of a store's rows. Blocks are cut in order from slabs, each twice as large as all
// the slabs before it, so that n rows cost O(log n) allocations and the last slab is most of
// the pool: the C library then keeps a freed pool's memory for the next grid instead of
// giving it back to the system (it trims its heap only beyond twice the largest block it
// mapped apart), and a grid filled again does not fault in fresh pages. A freed row's block
// waits in the list of its width for the next row as wide. Very wide rows are single
// allocations. The pool lives while its store or a row taken out of it does; its slabs are
// freed with it.
class TGridRowPool {
public:
    TGridRowPool() = default;
    TGridRowPool(const TGridRowPool&) = delete;
    TGridRowPool& operator=(const TGridRowPool&) = delete;

    void AddRef() { ++refs_; }
    void Release() {
        if (--refs_ == 0) delete this;
    }

    // A row of Count empty cells from column First.
    TGridRow* Make(size_t First, size_t Count) {
        void* block;
        if (Count > MaxPooledCells) {
            block = ::operator new(Bytes(Count));
        } else if (FreeBlock* f = free_[Count]) {
            free_[Count] = f->Next;
            block = f;
        } else {
            const size_t bytes = Bytes(Count);
            if (static_cast<size_t>(end_ - next_) < bytes) NewSlab(bytes);
            block = next_;
            next_ += bytes;
        }
        return new (block) TGridRow(First, Count);
    }

    // The row's cells are destroyed; its block is kept for another row as wide.
    void Free(TGridRow* Row) {
        const size_t n = Row->size();
        Row->~TGridRow();
        if (n > MaxPooledCells) {
            ::operator delete(Row);
            return;
        }
        auto* f = reinterpret_cast<FreeBlock*>(Row);
        f->Next = free_[n];
        free_[n] = f;
    }

    // The row's cells are destroyed and its block is left to the slab (the store is going).
    static void Destroy(TGridRow* Row) {
        const size_t n = Row->size();
        Row->~TGridRow();
        if (n > MaxPooledCells) ::operator delete(Row);
    }

private:
    struct FreeBlock {
        FreeBlock* Next;
    };
    static constexpr size_t MaxPooledCells = 64;
    static constexpr size_t FirstSlab = 4 * 1024;
    static_assert(sizeof(TGridRow) >= sizeof(FreeBlock));

    ~TGridRowPool() {
        for (void* s : slabs_)
            ::operator delete(s);
    }
    static size_t Bytes(size_t Count) { return sizeof(TGridRow) + Count * sizeof(TGridCell); }
    void NewSlab(size_t AtLeast) {
        const size_t size = std::max(AtLeast, std::max(FirstSlab, 2 * slabTotal_));
        slabs_.reserve(slabs_.size() + 1);
        next_ = static_cast<char*>(::operator new(size));
        end_ = next_ + size;
        slabs_.push_back(next_);
        slabTotal_ += size;
    }

    int refs_ = 1;
    char* next_ = nullptr;
    char* end_ = nullptr;
    size_t slabTotal_ = 0;
    std::vector<void*> slabs_;
    FreeBlock* free_[MaxPooledCells + 1] = {};
};

void TGridRowRelease::operator()(TGridRow* Row) const {
    Pool->Free(Row);
    Pool->Release();
}

TGridStore::TGridStore() : pool_(new TGridRowPool) {}

TGridStore::~TGridStore() {
    for (Row* r : rows_)
        if (r) TGridRowPool::Destroy(r);
    pool_->Release();
}

TGridStore::Row* TGridStore::Widen(Row* R, size_t First, size_t End) {
    Row* wide = pool_->Make(First, End - First);
    std::move(R->begin(), R->end(), &(*wide)[R->First()]);
    pool_->Free(R);
    return wide;
}

void TGridStore::ResizeRows(int Value) {
    const size_t n = static_cast<size_t>(std::max(0, Value));
    for (size_t i = n; i < rows_.size(); ++i)
        if (rows_[i]) pool_->Free(rows_[i]);
    rows_.resize(n, nullptr);
    const size_t had = ids_.size();
    ids_.resize(n);
    for (size_t i = had; i < n; ++i)
        ids_[i] = TGridRowId(++lastId_);
}

int TGridStore::FindRow(TGridRowId Id) const {
    if (!Id) return -1;
    for (size_t i = 0; i < ids_.size(); ++i)
        if (ids_[i] == Id) return static_cast<int>(i);
    return -1;
}

int TGridStore::FindCol(TGridColId Id) const {
    if (!Id) return -1;
    for (size_t i = 0; i < colIds_.size(); ++i)
        if (colIds_[i] == Id) return static_cast<int>(i);
    return -1;
}

void TGridStore::RenewColIds(TRealCol First, TRealCol Last) {
    for (int c = std::max(0, First.Value()); c < Last.Value() && c < cols_; ++c)
        colIds_[static_cast<size_t>(c)] = TGridColId(++lastColId_);
}

const TGridCell* TGridStore::Find(TRealCol ACol, int ARow) const {
    const Row* r = GetRow(ARow);
    const int col = ACol.Value();
    if (!r || col < 0 || !r->Holds(static_cast<size_t>(col))) return nullptr;
    return &(*r)[col];
}

TGridStore::RowPtr TGridStore::TakeRow(int ARow) {
    Row*& r = rows_.at(static_cast<size_t>(ARow));
    Row* taken = r;
    r = nullptr;
    if (!taken) return RowPtr();
    pool_->AddRef();
    return RowPtr(taken, TGridRowRelease{pool_});
}

void TGridStore::PutRow(int ARow, RowPtr Cells) {
    Row*& r = rows_.at(static_cast<size_t>(ARow));
    if (r) pool_->Free(r);
    r = nullptr;
    if (!Cells) return;
    if (Cells.get_deleter().Pool == pool_) {
        r = Cells.release();
        pool_->Release(); // the store holds the pool still
        return;
    }
    r = pool_->Make(Cells->First(), Cells->size());
    std::move(Cells->begin(), Cells->end(), r->begin());
}

TGridCell& TGridStore::At(TRealCol ACol, int ARow) {
    Row*& r = rows_.at(static_cast<size_t>(ARow));
    const size_t col = static_cast<size_t>(ACol.Value());
    // A new row holds the cell written; a column outside its run widens it to all the store's
    // columns at once, column 0 included (a row is widened once, whichever end it is filled
    // from, and a row filled from column 1 still takes the column-0 cell that row headers and
    // node levels set later).
    if (!r)
        r = pool_->Make(col, 1);
    else if (!r->Holds(col))
        r = Widen(r, 0, std::max({col + 1, r->End(), static_cast<size_t>(cols_)}));
    return (*r)[col];
}

void TGridStore::MoveRow(int From, int To) {
    const int n = GetRowCount();
    if (From == To || From < 0 || To < 0 || From >= n || To >= n) return;
    if (From < To) {
        std::rotate(rows_.begin() + From, rows_.begin() + From + 1, rows_.begin() + To + 1);
        std::rotate(ids_.begin() + From, ids_.begin() + From + 1, ids_.begin() + To + 1);
    } else {
        std::rotate(rows_.begin() + To, rows_.begin() + From, rows_.begin() + From + 1);
        std::rotate(ids_.begin() + To, ids_.begin() + From, ids_.begin() + From + 1);
    }
}

void TGridStore::ExchangeRows(int A, int B) {
    const int n = GetRowCount();
    if (A < 0 || B < 0 || A >= n || B >= n) return;
    std::swap(rows_[A], rows_[B]);
    std::swap(ids_[A], ids_[B]);
}

void TGridStore::PermuteRows(int First, const std::vector<int>& From) {
    if (From.empty()) return;
    std::vector<Row*> old(rows_.begin() + First, rows_.begin() + First + From.size());
    std::vector<TGridRowId> oldIds(ids_.begin() + First, ids_.begin() + First + From.size());
    for (size_t i = 0; i < From.size(); ++i) {
        rows_[First + i] = old[From[i] - First];
        ids_[First + i] = oldIds[From[i] - First];
    }
}

void TGridStore::RotateRows(int First, int Middle, int Last) {
    if (First >= Middle || Middle >= Last) return;
    std::rotate(rows_.begin() + First, rows_.begin() + Middle, rows_.begin() + Last);
    std::rotate(ids_.begin() + First, ids_.begin() + Middle, ids_.begin() + Last);
}

void TGridStore::MoveCol(TRealCol FromCol, TRealCol ToCol) {
    const int From = FromCol.Value(), To = ToCol.Value();
    if (From == To || From < 0 || To < 0 || From >= cols_ || To >= cols_) return;
    if (From < To)
        RotateCols(FromCol, FromCol + 1, ToCol + 1);
    else
        RotateCols(ToCol, FromCol, FromCol + 1);
}

namespace {

// How many rows ahead a pass over the rows asks for their cells (see TGridStore::Prefetch).
constexpr size_t PrefetchAhead = 16;

} // namespace

void TGridStore::RotateRowCols(Row*& R, size_t Lo, size_t Mid, size_t Hi) {
    if (!R || R->End() <= Lo || R->First() > Hi) return; // nothing stored in the range
    if (R->First() > Lo || R->End() <= Hi)
        R = Widen(R, std::min(R->First(), Lo), std::max(R->End(), Hi + 1));
    TGridCell* at = &(*R)[Lo];
    std::rotate(at, at + (Mid - Lo), at + (Hi - Lo) + 1);
}

void TGridStore::RotateCols(TRealCol FirstCol, TRealCol MiddleCol, TRealCol LastCol) {
    const int First = FirstCol.Value(), Middle = MiddleCol.Value(), Last = LastCol.Value();
    if (First < 0 || First >= Middle || Middle >= Last || Last > cols_) return;
    std::rotate(colIds_.begin() + First, colIds_.begin() + Middle, colIds_.begin() + Last);
    for (size_t i = 0; i < rows_.size(); ++i) {
        Prefetch(static_cast<int>(i + PrefetchAhead));
        RotateRowCols(rows_[i], static_cast<size_t>(First), static_cast<size_t>(Middle),
                      static_cast<size_t>(Last) - 1);
    }
}

void TGridStore::RemoveCols(TRealCol FirstCol, int Count, TRealCol ClearFrom,
                            const std::function<void(TGridCell&)>& Leave) {
    const int First = FirstCol.Value();
    if (First < 0 || Count < 1 || First >= cols_) return;
    Count = std::min(Count, cols_ - First);
    const size_t lo = static_cast<size_t>(First), mid = lo + static_cast<size_t>(Count);
    const size_t hi = static_cast<size_t>(cols_) - 1;
    const size_t clearFrom = static_cast<size_t>(std::max(0, ClearFrom.Value()));
    for (size_t i = 0; i < rows_.size(); ++i) {
        Prefetch(static_cast<int>(i + PrefetchAhead));
        Row*& r = rows_[i];
        if (!r) continue;
        for (size_t c = std::max(lo, r->First()), e = std::min(mid, r->End()); c < e; ++c)
            Leave((*r)[c]);
        if (mid <= hi) RotateRowCols(r, lo, mid, hi);
        for (size_t c = std::max(clearFrom, r->First()); c < r->End(); ++c) {
            TGridCell& cell = (*r)[c];
            cell.Text = AnsiString();
            cell.Object = nullptr;
        }
    }
    std::rotate(colIds_.begin() + First, colIds_.begin() + First + Count, colIds_.end());
    RenewColIds(TRealCol(cols_ - Count), TRealCol(cols_));
}
