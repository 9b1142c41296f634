// TKavStringGrid: the floating footer's column calculations and the column statistics they
// use.
#include "controles/grid/kav_grid.h"

#include <algorithm>

void TKavStringGrid::UpdateFooter() {
    if (footerPanel_) footerPanel_->Invalidate();
}

void TKavStringGrid::DoCalcFooter(int ACol) {
    const TFloatingFooter* f = floatingFooter_.get();
    if (!f->GetVisible() || f->GetFooterStyle() != fsFixedLastRow || !f->GetEnableCalculation())
        return;
    const int hidden = f->GetCalculateHiddenRows() ? NumHiddenRows() : 0;
    const int last = GetRowCount() - 1;
    const int first = ACol == -1 ? 0 : ACol;
    const int end = ACol == -1 ? TotalColCount() - 1 : ACol;
    for (int c = first; c <= end; ++c) {
        const TCellProperties* p = FindCellProperties(c, last);
        if (!p) continue;
        const int from = GetFixedRows(), to = GetRowCount() - 2 + hidden;
        switch (p->GetCalcType()) {
        case acSUM:
            SetFloats(c, last, ColumnSum(c, from, to));
            break;
        case acAVG:
            SetFloats(c, last, ColumnAvg(c, from, to));
            break;
        case acMIN:
        case acMAX: {
            // The first cell is read unguarded by the statistics: an empty or unreadable
            // column leaves its footer empty instead of raising out of the calculation.
            try {
                SetFloats(c, last,
                          p->GetCalcType() == acMIN ? ColumnMin(c, from, to)
                                                    : ColumnMax(c, from, to));
            } catch (const Exception&) {
                SetCellEx(c, last, AnsiString());
            }
            break;
        }
        case acCOUNT:
            SetFloats(c, last, GetRowCount() - 1 - GetFixedRows() + hidden);
            break;
        case acCUSTOM: {
            AnsiString value;
            if (f->OnCalcFooter) f->OnCalcFooter(this, c, GetRowCount() - 1 + hidden, value);
            SetCellEx(c, last, value);
            break;
        }
        case acSPREAD:
            break;
        case acNONE:
            SetCellEx(c, last, AnsiString());
            break;
        }
    }
    UpdateFooter();
}

// Each readable value of a column's base cells over the rows: real indexes (hidden rows
// counted) when the range runs past the shown rows, else display rows.
template <class F>
static void EachValue(TKavStringGrid& G, int ACol, int FromRow, int ToRow, F&& Use) {
    const int limit = G.GetRowCount() - (G.GetFloatingFooter()->GetVisible() ? 1 : 0);
    const bool real = ToRow > limit;
    G.ExportNotification(0, -1);
    for (int r = FromRow; r <= ToRow; ++r) {
        const int displ = real ? G.DisplRowIndex(r) : r;
        if (!real && (G.IsNode(r) || G.IsSummary(r))) continue;
        if (!G.IsBaseCell(ACol, displ)) continue;
        G.ExportNotification(1, r);
        try {
            Use(real ? G.GetAllFloats(ACol, r) : G.GetFloats(ACol, r));
        } catch (const Exception&) {
            // A cell that is not a number is left out.
        }
    }
    G.ExportNotification(2, -1);
}

double TKavStringGrid::ColumnSum(int ACol, int FromRow, int ToRow) {
    double sum = 0;
    EachValue(*this, ACol, FromRow, ToRow, [&](double v) { sum += v; });
    return sum;
}

double TKavStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow) {
    const int n = ToRow - FromRow + 1;
    return n > 0 ? ColumnSum(ACol, FromRow, ToRow) / n : 0.0;
}

double TKavStringGrid::ColumnMin(int ACol, int FromRow, int ToRow) {
    double m = GetFloats(ACol, FromRow);
    EachValue(*this, ACol, FromRow, ToRow, [&](double v) { m = std::min(m, v); });
    return m;
}

double TKavStringGrid::ColumnMax(int ACol, int FromRow, int ToRow) {
    double m = GetFloats(ACol, FromRow);
    EachValue(*this, ACol, FromRow, ToRow, [&](double v) { m = std::max(m, v); });
    return m;
}
