// TKavStringGrid: merged blocks kept in shape while rows come and go. A cell of a block holds
// its offset to the base cell in rows of the grid; when rows inside a block are hidden,
// removed, inserted or shown again, the offsets are laid again from the base row, which is
// found by its identity, so that no cell points at a row outside its block.
#include "controles/grid/kav_grid.h"

#include <algorithm>

std::vector<TKavStringGrid::TMergedBlock> TKavStringGrid::MergedBlocks() const {
    std::vector<TMergedBlock> blocks;
    if (!hasMerges_) return blocks;
    for (int r = 0, rows = GetRowCount(); r < rows; ++r)
        for (int c = 0, last = LastHeldCol(r); c <= last; ++c) {
            const TCellProperties* p = FindCellProperties(c, r);
            if (!p || !p->GetIsBaseCell() || (p->GetCellSpanX() < 1 && p->GetCellSpanY() < 1))
                continue;
            TMergedBlock b{c, std::max(0, p->GetCellSpanX()), GetRowId(r), {}};
            for (int y = r, end = std::min(rows - 1, r + std::max(0, p->GetCellSpanY())); y <= end;
                 ++y)
                b.Rows.push_back(GetRowId(y));
            blocks.push_back(std::move(b));
        }
    return blocks;
}

void TKavStringGrid::SingleCellsOfRow(int ARow) {
    if (!hasMerges_) return;
    for (int c = 0, last = LastHeldCol(ARow); c <= last; ++c)
        if (TCellProperties* p = FindCellProperties(c, ARow);
            p && (!p->GetIsBaseCell() || p->GetCellSpanX() > 0 || p->GetCellSpanY() > 0)) {
            p->SetIsBaseCell(true);
            p->SetCellSpanX(-1);
            p->SetCellSpanY(-1);
        }
}

void TKavStringGrid::Remerge(const std::vector<TMergedBlock>& Blocks) {
    for (const TMergedBlock& b : Blocks) {
        const int base = FindRowId(b.Base);
        int last = base;
        for (TGridRowId id : b.Rows) {
            const int y = FindRowId(id);
            if (y < 0) continue;
            if (base < 0) {
                // The base row left: what stays of the block is single cells.
                for (int x = b.Col; x <= b.Col + b.SpanX; ++x)
                    if (TCellProperties* p = FindCellProperties(x, y)) {
                        p->SetIsBaseCell(true);
                        p->SetCellSpanX(-1);
                        p->SetCellSpanY(-1);
                    }
                continue;
            }
            last = std::max(last, y);
        }
        if (base < 0) continue;
        for (int y = base; y <= last; ++y)
            for (int x = b.Col; x <= b.Col + b.SpanX; ++x) {
                TCellProperties* p = GetCellProperties(x, y);
                const bool isBase = y == base && x == b.Col;
                p->SetIsBaseCell(isBase);
                p->SetCellSpanX(isBase ? b.SpanX : x - b.Col);
                p->SetCellSpanY(isBase ? last - base : y - base);
            }
    }
}
