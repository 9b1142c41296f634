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
    for (int c = 0; c < GetColCount(); ++c)
        store->WriteInteger(section, "Col" + AnsiString(c), GetColWidths(c));
    // Every column's key goes to the file in one write.
    store->UpdateFile();
}

void TKavStringGrid::LoadColSizes() {
    const std::unique_ptr<TCustomIniFile> store = ColumnStore();
    if (!store) return;
    const AnsiString section = columnSize_->GetSection();
    for (int c = 0; c < GetColCount(); ++c) {
        // A width that is missing, does not parse or is negative leaves the column as it is.
        const int width = store->ReadInteger(section, "Col" + AnsiString(c), GetColWidths(c));
        if (width >= 0 && width != GetColWidths(c)) SetColWidths(c, width);
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

void TKavStringGrid::LoadColPositions() {
    const std::unique_ptr<TCustomIniFile> store = ColumnStore();
    if (!store) return;
    const AnsiString section = columnSize_->GetSection();
    if (store->ReadInteger(section, "Pos0", -1) == -1) return;
    // The order covers every column, hidden ones included.
    const int n = TotalColCount();
    std::vector<int> stored;
    for (int i = 0; i < n; ++i) {
        const int v = store->ReadInteger(section, "Pos" + AnsiString(i), -1);
        if (v != -1) stored.push_back(v);
    }
    // Only an order of every column once is applied: a store written for another grid, cut
    // short or edited by hand leaves the columns as they are.
    std::vector<int> sorted = stored;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < static_cast<int>(sorted.size()); ++i)
        if (sorted[i] != i) return;
    if (static_cast<int>(sorted.size()) != n) return;
    // The place of each column in the stored order puts the columns there.
    std::vector<int> places(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j)
        places[static_cast<size_t>(stored[j])] = j;
    columnOrder_ = places;
    if (!columnOrder_.empty()) ResetColumnOrder();
    columnOrder_ = stored;
}
