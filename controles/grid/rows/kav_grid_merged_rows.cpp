// TKavStringGrid: merged blocks kept in shape while rows and columns come and go. A cell of a
// block holds its offset to the base cell in rows of the grid; those offsets only hold for
// the rows shown at the moment. So the blocks are also recorded by the identities of all
// their rows, hidden ones included, and by real column: after each change of structure
// every block is laid again from the record over its rows then shown, and a block whose cells
// no longer stand together is split rather than showing the text of another record.
#include "controles/grid/kav_grid.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

using TRowsById = std::unordered_map<uint64_t, int>;

} // namespace

std::vector<TKavStringGrid::TMergedBlock> TKavStringGrid::MergedBlocks() const {
    std::vector<TMergedBlock> blocks;
    if (!hasMerges_) return blocks;
    // The blocks as the shown rows lay them.
    std::vector<TMergedBlock> laid;
    std::unordered_map<uint64_t, std::vector<size_t>> laidByBase;
    for (int r = 0, rows = GetRowCount(); r < rows; ++r)
        for (int c = 0, last = LastHeldCol(r); c <= last; ++c) {
            const TCellProperties* p = FindCellProperties(c, r);
            if (!p || !p->GetIsBaseCell() || (p->GetCellSpanX() < 1 && p->GetCellSpanY() < 1))
                continue;
            TMergedBlock b{c, std::max(0, p->GetCellSpanX()), GetRowId(r), {}};
            for (int y = r, end = std::min(rows - 1, r + std::max(0, p->GetCellSpanY())); y <= end;
                 ++y)
                b.Rows.push_back(GetRowId(y));
            laidByBase[b.Base.Value()].push_back(laid.size());
            laid.push_back(std::move(b));
        }
    // A recorded block stands while its shown rows are laid as the record lays them: as one
    // block from its first shown row, or as a single cell when one cell of it is shown.
    std::vector<bool> recorded(laid.size(), false);
    TRowsById shownRow;
    if (!merges_.empty())
        for (int r = 0, n = GetRowCount(); r < n; ++r)
            shownRow.emplace(GetRowId(r).Value(), r);
    for (const TMergedBlock& m : merges_) {
        std::vector<TGridRowId> shown;
        int firstY = -1;
        for (TGridRowId id : m.Rows)
            if (const auto it = shownRow.find(id.Value()); it != shownRow.end()) {
                const int y = it->second;
                if (firstY < 0) firstY = y;
                shown.push_back(id);
            }
        if (shown.empty()) {
            blocks.push_back(m);
            continue;
        }
        if (shown.size() == 1 && m.SpanX == 0) {
            if (!IsMergedCell(m.Col, firstY)) blocks.push_back(m);
            continue;
        }
        const auto it = laidByBase.find(shown.front().Value());
        if (it == laidByBase.end()) continue;
        for (size_t i : it->second)
            if (!recorded[i] && laid[i].Col == m.Col && laid[i].SpanX == m.SpanX &&
                laid[i].Rows == shown) {
                recorded[i] = true;
                blocks.push_back(m);
                break;
            }
    }
    for (size_t i = 0; i < laid.size(); ++i)
        if (!recorded[i]) blocks.push_back(std::move(laid[i]));
    return blocks;
}

void TKavStringGrid::MakeSingleCell(int ACol, int ARow) {
    if (TCellProperties* p = FindCellProperties(ACol, ARow);
        p && (!p->GetIsBaseCell() || p->GetCellSpanX() > 0 || p->GetCellSpanY() > 0)) {
        p->SetIsBaseCell(true);
        p->SetCellSpanX(-1);
        p->SetCellSpanY(-1);
    }
}

void TKavStringGrid::SingleCellsOfRow(int ARow) {
    if (!hasMerges_) return;
    for (int c = 0, last = LastHeldCol(ARow); c <= last; ++c)
        MakeSingleCell(c, ARow);
}

void TKavStringGrid::Remerge(const std::vector<TMergedBlock>& Blocks,
                             const std::vector<TGridRowId>& NewRows) {
    merges_.clear();
    if (Blocks.empty()) return;
    TRowsById shownRow;
    for (int r = 0, n = GetRowCount(); r < n; ++r)
        shownRow.emplace(GetRowId(r).Value(), r);
    std::unordered_set<uint64_t> hidden;
    for (int i = 0; i < hiddenRows_->GetCount(); ++i)
        hidden.insert(static_cast<TGridItem*>(hiddenRows_->GetItem(i))->GetRowId().Value());
    std::unordered_set<uint64_t> fresh;
    for (TGridRowId id : NewRows)
        fresh.insert(id.Value());
    const auto shownY = [&shownRow](TGridRowId Id) {
        const auto it = shownRow.find(Id.Value());
        return it == shownRow.end() ? -1 : it->second;
    };

    std::vector<TMergedBlock> kept;
    for (TMergedBlock b : Blocks) {
        // The rows that left the grid leave the block.
        std::erase_if(b.Rows, [&](TGridRowId id) {
            return shownY(id) < 0 && !hidden.contains(id.Value());
        });
        // The shown rows must follow each other in the block's order; rows inserted between
        // two of them join it at their places.
        bool whole = !b.Rows.empty() && b.Rows.front() == b.Base;
        std::vector<TGridRowId> rows;
        int prevY = -1;
        for (TGridRowId id : b.Rows) {
            const int y = shownY(id);
            if (whole && y >= 0 && prevY >= 0) {
                if (y <= prevY) whole = false;
                for (int between = prevY + 1; whole && between < y; ++between) {
                    const TGridRowId other = GetRowId(between);
                    if (fresh.contains(other.Value()))
                        rows.push_back(other);
                    else
                        whole = false;
                }
            }
            if (y >= 0) prevY = y;
            rows.push_back(id);
        }
        if (!whole) {
            for (TGridRowId id : b.Rows)
                if (const int y = shownY(id); y >= 0)
                    for (int x = b.Col; x <= b.Col + b.SpanX; ++x)
                        MakeSingleCell(x, y);
            continue;
        }
        b.Rows = std::move(rows);
        kept.push_back(std::move(b));
    }

    for (const TMergedBlock& b : kept) {
        int first = -1, last = -1;
        for (TGridRowId id : b.Rows)
            if (const int y = shownY(id); y >= 0) {
                if (first < 0) first = y;
                last = y;
            }
        if (first >= 0 && (last > first || b.SpanX > 0))
            for (int y = first; y <= last; ++y)
                for (int x = b.Col; x <= b.Col + b.SpanX; ++x) {
                    TCellProperties* p = GetCellProperties(x, y);
                    const bool isBase = y == first && x == b.Col;
                    p->SetIsBaseCell(isBase);
                    p->SetCellSpanX(isBase ? b.SpanX : x - b.Col);
                    p->SetCellSpanY(isBase ? last - first : y - first);
                }
        else if (first >= 0)
            MakeSingleCell(b.Col, first);
        // A block whose rows are all hidden but one cell, or all of them, is kept too: it is
        // laid whole again when its rows come back.
        if (b.Rows.size() > 1 || b.SpanX > 0) merges_.push_back(b);
    }
}
