// Column widths and column order kept in an INI file or the per-user settings store, as the
// ColumnSize options name them.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/ini_file.h"
#include "plataforma/base/reg_ini_file.h"

#include <algorithm>
#include <memory>

std::unique_ptr<TCustomIniFile> TKavStringGrid::ColumnStore() const {
    const TColumnSize* cs = columnSize_.get();
    if (cs->GetKey().IsEmpty() || cs->GetSection().IsEmpty() ||
        GetComponentState().Contains(csDesigning))
        return nullptr;
    if (cs->GetLocation() == clIniFile) return std::make_unique<TIniFile>(cs->GetKey());
    return std::make_unique<TRegistryIniFile>(cs->GetKey());
}

void TKavStringGrid::SaveColSizes() {
    const std::unique_ptr<TCustomIniFile> store = ColumnStore();
    if (!store) return;
    const AnsiString section = columnSize_->GetSection();
    // By real column, hidden ones included, as the order is kept: the widths and the order
    // load in either order onto the same columns.
    for (int c = 0; c < TotalColCount(); ++c)
        store->WriteInteger(section, "Col" + AnsiString(c), GetAllColWidths(c));
    // Every column's key goes to the file in one write.
    store->UpdateFile();
}

void TKavStringGrid::LoadColSizes() {
    const std::unique_ptr<TCustomIniFile> store = ColumnStore();
    if (!store) return;
    const AnsiString section = columnSize_->GetSection();
    // "Col"+r is the width of the column that stood at real place r when it was saved; the
    // order saved with it says which column that was (its recorded place), so that the
    // widths land on their columns whether the order was loaded before or not.
    const int n = TotalColCount();
    const std::vector<int> saved = StoredColumnOrder(*store);
    std::vector<int> target(static_cast<size_t>(n));
    for (int c = 0; c < n; ++c)
        target[static_cast<size_t>(c)] = c;
    if (!saved.empty()) {
        std::vector<int> now(static_cast<size_t>(n)); // recorded place -> real place now
        for (int c = 0; c < n; ++c) {
            const int recorded = c < static_cast<int>(columnOrder_.size()) ? columnOrder_[c] : c;
            if (recorded >= 0 && recorded < n) now[static_cast<size_t>(recorded)] = c;
        }
        for (int r = 0; r < n; ++r)
            target[static_cast<size_t>(r)] = now[static_cast<size_t>(saved[r])];
    }
    for (int r = 0; r < n; ++r) {
        const int c = target[static_cast<size_t>(r)];
        // A width that is missing, does not parse or is negative leaves the column as it is.
        const int width = store->ReadInteger(section, "Col" + AnsiString(r), GetAllColWidths(c));
        if (width >= 0 && width != GetAllColWidths(c)) SetAllColWidths(c, width);
    }
}

void TKavStringGrid::SaveColPositions() {
    const std::unique_ptr<TCustomIniFile> store = ColumnStore();
    if (!store) return;
    const AnsiString section = columnSize_->GetSection();
    for (size_t i = 0; i < columnOrder_.size(); ++i)
        store->WriteInteger(section, "Pos" + AnsiString(static_cast<int>(i)), columnOrder_[i]);
    store->UpdateFile();
}

std::vector<int> TKavStringGrid::StoredColumnOrder(TCustomIniFile& Store) const {
    const AnsiString section = columnSize_->GetSection();
    if (Store.ReadInteger(section, "Pos0", -1) == -1) return {};
    // The order covers every column, hidden ones included.
    const int n = TotalColCount();
    std::vector<int> stored;
    for (int i = 0; i < n; ++i) {
        const int v = Store.ReadInteger(section, "Pos" + AnsiString(i), -1);
        if (v != -1) stored.push_back(v);
    }
    // Only an order of every column once counts: a store written for another grid, cut
    // short or edited by hand gives none.
    std::vector<int> sorted = stored;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < static_cast<int>(sorted.size()); ++i)
        if (sorted[i] != i) return {};
    if (static_cast<int>(sorted.size()) != n) return {};
    return stored;
}

void TKavStringGrid::LoadColPositions() {
    const std::unique_ptr<TCustomIniFile> store = ColumnStore();
    if (!store) return;
    const std::vector<int> stored = StoredColumnOrder(*store);
    if (stored.empty()) return;
    const int n = static_cast<int>(stored.size());
    // The place of each column in the stored order puts the columns there.
    std::vector<int> places(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j)
        places[static_cast<size_t>(stored[j])] = j;
    columnOrder_ = places;
    if (!columnOrder_.empty()) ResetColumnOrder();
    columnOrder_ = stored;
}
