// TKavStringGrid: the one place where everything the grid keeps by the place of a row or a
// column follows a change of structure. Every operation that inserts, removes, moves, swaps,
// sorts, hides or shows rows or columns hands its map (old place -> new place, or gone) here.
//
// Rows. Moved with the row itself by the store and the row axis, never through here: the
// cells (texts, objects, cell properties), the heights, the row's identity. Kept by identity,
// so that no map is needed: the modified-row marks, undo entries, the open editor's row; the
// cell a change of its properties or of its multi-image list repaints (found again by its
// property object, which moves with it: cell_search.h); the merged blocks (merges_, by all
// their rows, hidden ones included: each operation takes them with MergedBlocks before it
// and lays them again with Remerge after it; a block whose rows are parted is split). Kept by
// place and remapped below:
//   - the row marks (rowSelect_), by real row or display row as RowSelectPersistent says;
//     a sort with MoveRowOnSort off leaves them at their places;
//   - the controls placed on cells, by real row: those on gone rows are let go (each
//     operation places them again over their cells when it is done);
//   - the hidden rows' real indexes: when shown rows are sorted, moved or swapped, each
//     hidden row goes along with the shown row above it (a contracted node's rows with it).
//     The reasons a row is hidden for (by hand, inside a contracted node, filtered out),
//     its cells and its identity are kept in its item and go with it;
//   - the rows a drag out of this grid is taking, by display row (a drop into the same grid
//     may insert rows before or among them): those gone leave the list.
//
// Columns. Moved with the cells by the store: the column's identity. Kept by identity: undo
// entries; the open text editor's column and the validation cell's (the editor and the
// current cell it stands on follow it, below). Kept by place and remapped below, by real column:
//   - the column marks (colSelect_);
//   - the column header list;
//   - the recorded column order;
//   - the sort column, the sort index's columns and the column a sort is moving;
//   - the hidden rows' cells;
//   - the controls placed on cells: those on gone columns are let go;
//   - the merged-columns list: a gone column leaves it;
//   - the merged blocks' columns: a block follows its columns, columns inserted inside it
//     join it, a removed column leaves it; a block whose first column is gone or whose
//     columns are parted or reordered is split.
// The shown-column map itself (visibleCols_, hiddenWidths_) and the widths are the operation's
// own: they define the shown columns rather than hang on them.
#include "controles/grid/kav_grid.h"

#include <algorithm>

namespace {

// A list of a fixed length (real columns of the sort settings, the order) through the map:
// what is gone reads -1.
int Follow(const TGridRemap& Map, int Place) {
    return Place < 0 ? Place : Map(Place);
}

} // namespace

TGridRemap TKavStringGrid::RealOfShownPermutation(const TGridRemap& Shown) const {
    // Each shown row takes the hidden rows that follow it (up to the next shown row) along:
    // a contracted node keeps its rows under it, and rows hidden below a row come back
    // below it. Hidden rows before the first shown row stay first.
    const int total = TotalRowCount();
    const int n = GetRowCount();
    const std::vector<int> from = Shown.Sources();
    std::vector<int> start(static_cast<size_t>(n) + 1);
    for (int d = 0; d < n; ++d)
        start[static_cast<size_t>(d)] = RemapRowInv(d);
    start[static_cast<size_t>(n)] = total;
    std::vector<int> sources;
    sources.reserve(static_cast<size_t>(total));
    for (int r = 0; r < (n > 0 ? start[0] : total); ++r)
        sources.push_back(r);
    for (int d = 0; d < n; ++d) {
        const int o = d < static_cast<int>(from.size()) && from[static_cast<size_t>(d)] >= 0
                          ? from[static_cast<size_t>(d)]
                          : d;
        for (int r = start[static_cast<size_t>(o)]; r < start[static_cast<size_t>(o) + 1]; ++r)
            sources.push_back(r);
    }
    return TGridRemap::FromSources(total, sources);
}

void TKavStringGrid::RowsRestructured(const TGridRemap& Shown, const TGridRemap& Real,
                                      TRowChange Kind) {
    // The row marks.
    const bool marksStay = Kind == TRowChange::Sort && !(mouseActions_->GetDisjunctRowSelect() &&
                                                         navigation_->GetMoveRowOnSort());
    if (!marksStay)
        (mouseActions_->GetRowSelectPersistent() ? Real : Shown).Apply(rowSelect_, uint8_t(0));

    // The controls on cells, by real row. A gone row's control is hidden and let go; its
    // cell's properties (still in place) forget it.
    if (controlList_->GetCount() > 0) {
        const std::vector<int> shownFrom = Shown.Sources();
        for (int i = controlList_->GetCount() - 1; i >= 0; --i) {
            TControlItem* item = controlList_->GetControl(i);
            const int y = Real(item->GetY());
            if (y >= 0) {
                item->SetY(y);
                continue;
            }
            if (item->GetControl()) item->GetControl()->SetVisible(false);
            const int displ = RemapRow(item->GetY());
            if (displ >= 0 && displ < GetRowCount())
                if (TCellProperties* p = FindCellProperties(item->GetX(), displ))
                    p->SetControl(nullptr);
            controlList_->RemoveControl(i);
            --controlCells_;
        }
    }

    // The rows being dragged out.
    if (ole_.dragging && !ole_.rows.empty()) {
        std::vector<int> rows;
        for (int r : ole_.rows)
            if (Shown(r) >= 0) rows.push_back(Shown(r));
        ole_.rows.swap(rows);
    }

    // The hidden rows' real indexes (a hidden row itself is never gone by a change of the
    // shown rows).
    if (NumHiddenRows() > 0 && !Real.IsIdentity()) {
        for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
            auto* item = static_cast<TGridItem*>(hiddenRows_->GetItem(i));
            const int to = Real(item->GetIdx());
            if (to >= 0) item->SetIdx(to);
        }
        HiddenRowsChanged();
    }
}

void TKavStringGrid::ColsRestructured(const TGridRemap& Real,
                                      const std::vector<TMergedBlock>& Blocks) {
    colSelect_.resize(std::min(colSelect_.size(), static_cast<size_t>(Real.OldCount())));
    Real.Apply(colSelect_, uint8_t(0));

    // The header list, without writing the headers again: they moved with their cells.
    if (columnHeaders_->GetCount() > 0) {
        std::vector<AnsiString> headers;
        for (int i = 0; i < columnHeaders_->GetCount(); ++i)
            headers.push_back(columnHeaders_->GetStrings(i));
        Real.Apply(headers, AnsiString());
        const TNotifyEvent changed = columnHeaders_->OnChange;
        columnHeaders_->OnChange = nullptr;
        columnHeaders_->Clear();
        for (const AnsiString& h : headers)
            columnHeaders_->Add(h);
        columnHeaders_->OnChange = changed;
    }

    // The recorded order: columnOrder_[p] is the recorded place of the column now at p. A
    // column that comes in takes the recorded place right after its left neighbour's, and
    // the recorded places are numbered again from 0.
    if (!columnOrder_.empty()) {
        std::vector<int> from = Real.Sources();
        from.resize(static_cast<size_t>(Real.NewCount()), -1);
        std::vector<std::pair<std::pair<int, int>, int>> keys; // (recorded, tie) -> new place
        int left = -1, tie = 0;
        for (int p = 0; p < static_cast<int>(from.size()); ++p) {
            const int f = from[p];
            if (f >= 0 && f < static_cast<int>(columnOrder_.size())) {
                left = columnOrder_[f];
                tie = 0;
                keys.push_back({{left, 0}, p});
            } else {
                keys.push_back({{left, ++tie}, p});
            }
        }
        std::sort(keys.begin(), keys.end());
        columnOrder_.assign(from.size(), 0);
        for (size_t rank = 0; rank < keys.size(); ++rank)
            columnOrder_[static_cast<size_t>(keys[rank].second)] = static_cast<int>(rank);
    }

    // The sort column and the sort index's columns stay on their data.
    TSortSettings* ss = GetSortSettings();
    ss->SetColumn(Follow(Real, ss->GetColumn()));
    if (sortIndexes_) {
        for (int i = sortIndexes_->GetCount() - 1; i >= 0; --i) {
            const int to = Follow(Real, sortIndexes_->GetSortColumns(i));
            if (to < 0)
                sortIndexes_->Delete(i);
            else
                sortIndexes_->SetSortColumns(i, to);
        }
    }
    if (sortingColumn_ >= 0) sortingColumn_ = Follow(Real, sortingColumn_);

    // The hidden rows' cells, by real column: the properties of a gone column are freed.
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        TStrings* cells = static_cast<TGridItem*>(hiddenRows_->GetItem(i))->GetItems();
        std::vector<std::pair<AnsiString, TObject*>> list;
        for (int c = 0; c < cells->GetCount(); ++c) {
            if (Real(c) < 0)
                delete AsProps(cells->GetObjects(c));
            list.emplace_back(cells->GetStrings(c), cells->GetObjects(c));
        }
        Real.Apply(list, std::pair<AnsiString, TObject*>());
        cells->Clear();
        for (auto& [text, object] : list)
            cells->AddObject(text, object);
    }

    // The controls on cells, by real column.
    for (int i = controlList_->GetCount() - 1; i >= 0; --i) {
        TControlItem* item = controlList_->GetControl(i);
        const int x = Real(item->GetX());
        if (x >= 0) {
            item->SetX(x);
            continue;
        }
        if (item->GetControl()) item->GetControl()->SetVisible(false);
        controlList_->RemoveControl(i);
        --controlCells_;
    }

    // The merged-columns list, without merging again: the blocks follow below.
    if (mergedColumns_->GetCount() > 0) {
        const auto changed = mergedColumns_->OnChange;
        mergedColumns_->OnChange = nullptr;
        for (int i = mergedColumns_->GetCount() - 1; i >= 0; --i) {
            const int to = Follow(Real, mergedColumns_->GetItems(i));
            if (to < 0)
                mergedColumns_->Delete(i);
            else
                mergedColumns_->SetItems(i, to);
        }
        mergedColumns_->OnChange = changed;
    }

    // The merged blocks, by real column.
    FollowColumnBlocks(Real, Blocks);
    // The open text editor and the current cell it stands on, by the column's identity.
    EditedColumnMoved();
    // The controls drawn over the cells they now follow.
    CellControlsUpdate();
}

void TKavStringGrid::FollowColumnBlocks(const TGridRemap& Real,
                                        const std::vector<TMergedBlock>& Blocks) {
    if (!Blocks.empty()) {
        const std::vector<int> from = Real.Sources();
        std::vector<TMergedBlock> followed;
        for (TMergedBlock b : Blocks) {
            std::vector<int> cols;
            for (int x = b.Col; x <= b.Col + b.SpanX; ++x)
                if (const int to = Real(x); to >= 0) cols.push_back(to);
            bool whole = !cols.empty() && Real(b.Col) == cols.front();
            for (size_t i = 1; whole && i < cols.size(); ++i) {
                if (cols[i] <= cols[i - 1]) whole = false;
                for (int p = cols[i - 1] + 1; whole && p < cols[i]; ++p)
                    if (p < static_cast<int>(from.size()) && from[p] >= 0) whole = false;
            }
            if (whole) {
                b.Col = cols.front();
                b.SpanX = cols.back() - cols.front();
                followed.push_back(std::move(b));
                continue;
            }
            // Split: its cells, where they went, made single.
            for (TGridRowId id : b.Rows)
                if (const int y = FindRowId(id); y >= 0)
                    for (int x : cols)
                        MakeSingleCell(x, y);
        }
        Remerge(followed);
    }
}
