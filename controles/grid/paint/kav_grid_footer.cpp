// TKavStringGrid: the floating footer's column calculations and the column statistics they
// use.
#include "controles/grid/kav_grid.h"

#include <algorithm>

void TKavStringGrid::UpdateFooter() {
    if (footerPanel_) footerPanel_->Invalidate();
}

namespace {

// The rows a column statistic runs over: display rows, or real indexes (hidden rows counted)
// with one real row, the footer's, left out.
struct StatRows {
    int From, To;
    bool Real;
    int Skip;
};

// The public statistics count hidden rows when the range runs past the shown rows.
StatRows RowsAsPassed(TKavStringGrid& G, int FromRow, int ToRow) {
    const int limit = G.GetRowCount() - (G.GetFloatingFooter()->GetVisible() ? 1 : 0);
    return {FromRow, ToRow, ToRow > limit, -1};
}

// Each readable value of a column's base cells over the rows.
template <class F> void EachValue(TKavStringGrid& G, int ACol, const StatRows& R, F&& Use) {
    G.ExportNotification(0, -1);
    for (int r = R.From; r <= R.To; ++r) {
        if (r == R.Skip) continue;
        // A hidden row keeps its cells apart: each of them stands alone.
        const bool hidden = R.Real && G.IsHiddenRow(r);
        const int displ = R.Real ? G.DisplRowIndex(r) : r;
        if (!R.Real && (G.IsNode(r) || G.IsSummary(r))) continue;
        if (!hidden && !G.IsBaseCell(ACol, displ)) continue;
        G.ExportNotification(1, r);
        try {
            Use(R.Real ? G.GetAllFloats(ACol, r) : G.GetFloats(ACol, r));
        } catch (const Exception&) {
            // A cell that is not a number is left out.
        }
    }
    G.ExportNotification(2, -1);
}

int RowsCounted(const StatRows& R) {
    const int n = R.To - R.From + 1;
    return n - (R.Skip >= R.From && R.Skip <= R.To ? 1 : 0);
}

double Sum(TKavStringGrid& G, int ACol, const StatRows& R) {
    double sum = 0;
    EachValue(G, ACol, R, [&](double v) { sum += v; });
    return sum;
}

double Avg(TKavStringGrid& G, int ACol, const StatRows& R) {
    const int n = RowsCounted(R);
    return n > 0 ? Sum(G, ACol, R) / n : 0.0;
}

// The minimum (Least) or the maximum: it starts from the range's first cell, read unguarded.
double Extreme(TKavStringGrid& G, int ACol, const StatRows& R, bool Least) {
    const int first = R.From == R.Skip ? R.From + 1 : R.From;
    double m = R.Real ? G.GetAllFloats(ACol, first) : G.GetFloats(ACol, first);
    EachValue(G, ACol, R, [&](double v) { m = Least ? std::min(m, v) : std::max(m, v); });
    return m;
}

} // namespace

void TKavStringGrid::DoCalcFooter(int ACol) {
    const TFloatingFooter* f = floatingFooter_.get();
    if (!f->GetVisible() || f->GetFooterStyle() != fsFixedLastRow || !f->GetEnableCalculation())
        return;
    const int last = GetRowCount() - 1;
    // Counting hidden rows, the statistics run over every real row but the footer's own.
    const bool withHidden = f->GetCalculateHiddenRows();
    const int hidden = withHidden ? NumHiddenRows() : 0;
    const StatRows rows =
        withHidden ? StatRows{GetFixedRows(), TotalRowCount() - 1, true, RemapRowInv(last)}
                   : StatRows{GetFixedRows(), last - 1, false, -1};
    const int first = ACol == -1 ? 0 : ACol;
    const int end = ACol == -1 ? TotalColCount() - 1 : ACol;
    for (int c = first; c <= end; ++c) {
        const TCellProperties* p = FindCellProperties(c, last);
        if (!p) continue;
        switch (p->GetCalcType()) {
        case acSUM:
            SetFloats(c, last, Sum(*this, c, rows));
            break;
        case acAVG:
            SetFloats(c, last, Avg(*this, c, rows));
            break;
        case acMIN:
        case acMAX: {
            // The first cell is read unguarded by the statistics: an empty or unreadable
            // column leaves its footer empty instead of raising out of the calculation.
            try {
                SetFloats(c, last, Extreme(*this, c, rows, p->GetCalcType() == acMIN));
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

double TKavStringGrid::ColumnSum(int ACol, int FromRow, int ToRow) {
    return Sum(*this, ACol, RowsAsPassed(*this, FromRow, ToRow));
}

double TKavStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow) {
    return Avg(*this, ACol, RowsAsPassed(*this, FromRow, ToRow));
}

double TKavStringGrid::ColumnMin(int ACol, int FromRow, int ToRow) {
    return Extreme(*this, ACol, RowsAsPassed(*this, FromRow, ToRow), true);
}

double TKavStringGrid::ColumnMax(int ACol, int FromRow, int ToRow) {
    return Extreme(*this, ACol, RowsAsPassed(*this, FromRow, ToRow), false);
}
