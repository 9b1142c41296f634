// TKavStringGrid: the floating footer's column calculations and the column statistics they
// use.
#include "controles/grid/kav_grid.h"

#include "controles/grid/grid_statistics.h"

#include <algorithm>

TCanvas* TKavStringGrid::GetFooterCanvas() const {
    return footerPanel_->GetCanvas();
}

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

// Each readable value of a real column's base cells over the rows, with the number of rows
// that hold data.
TStatTally ColumnTally(TKavStringGrid& G, TRealCol ACol, const StatRows& R, int* Rows = nullptr) {
    TStatTally t;
    int rows = 0;
    G.ExportNotification(0, -1);
    for (int r = R.From; r <= R.To; ++r) {
        if (r == R.Skip) continue;
        // A hidden row keeps its cells apart: each of them stands alone.
        const bool hidden = R.Real && G.IsHiddenRow(r);
        const int displ = R.Real ? G.DisplRowIndex(r) : r;
        // A grouped grid's headers and summaries hold no data, hidden or shown.
        if (G.GetGroupColumn() != -1 &&
            (R.Real ? G.IsNodeOrSummary(TRealRow(r)) : G.IsNode(r) || G.IsSummary(r)))
            continue;
        ++rows;
        if (!hidden && !G.IsBaseCell(ACol.Value(), displ)) continue;
        G.ExportNotification(1, r);
        try {
            t.Add(R.Real ? G.GetAllFloats(ACol.Value(), r) : G.GetFloats(ACol.Value(), r));
        } catch (const Exception&) {
            // A cell that is not a number is left out.
        }
    }
    G.ExportNotification(2, -1);
    if (Rows) *Rows = rows;
    return t;
}

// The average of a column: its sum over the number of rows of the range.
double ColumnAverage(TKavStringGrid& G, TRealCol ACol, const StatRows& R) {
    int rows = 0;
    const TStatTally t = ColumnTally(G, ACol, R, &rows);
    return t.AvgOver(rows);
}

} // namespace

void TKavStringGrid::DoCalcFooter(int ACol) {
    const TFloatingFooter* f = floatingFooter_.get();
    if (f->GetVisible() && f->GetFooterStyle() == fsFixedLastRow && f->GetEnableCalculation())
        CalcFooterColumns(ACol);
}

void TKavStringGrid::CalcFooterColumns(int ACol) {
    const TFloatingFooter* f = floatingFooter_.get();
    const int last = GetRowCount() - 1;
    // Counting hidden rows, the statistics run over every real row but the footer's own.
    const bool withHidden = f->GetCalculateHiddenRows();
    const int hidden = withHidden ? NumHiddenRows() : 0;
    const StatRows rows =
        withHidden ? StatRows{GetFixedRows(), TotalRowCount() - 1, true, RemapRowInv(last)}
                   : StatRows{GetFixedRows(), last - 1, false, -1};
    // ACol is a real column, as the footer's cell properties are kept; -1 is every column.
    const TRealCol first(ACol == -1 ? 0 : ACol);
    const TRealCol end(ACol == -1 ? TotalColCount() - 1 : ACol);
    for (TRealCol real = first; real <= end; ++real) {
        const int c = real.Value();
        const TCellProperties* p = FindCellProperties(c, last);
        if (!p) continue;
        switch (p->GetCalcType()) {
        case acSUM:
            SetFloats(c, last, ColumnTally(*this, real, rows).sum);
            break;
        case acAVG:
            SetFloats(c, last, ColumnAverage(*this, real, rows));
            break;
        case acMIN:
            SetFloats(c, last, ColumnTally(*this, real, rows).least);
            break;
        case acMAX:
            SetFloats(c, last, ColumnTally(*this, real, rows).most);
            break;
        case acCOUNT:
            // A count is a whole number: written as one, not in the float format.
            SetCellEx(c, last, AnsiString(GetRowCount() - 1 - GetFixedRows() + hidden));
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
    return ColumnTally(*this, TRealCol(ACol), RowsAsPassed(*this, FromRow, ToRow)).sum;
}

double TKavStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow) {
    return ColumnAverage(*this, TRealCol(ACol), RowsAsPassed(*this, FromRow, ToRow));
}

double TKavStringGrid::ColumnMin(int ACol, int FromRow, int ToRow) {
    return ColumnTally(*this, TRealCol(ACol), RowsAsPassed(*this, FromRow, ToRow)).least;
}

double TKavStringGrid::ColumnMax(int ACol, int FromRow, int ToRow) {
    return ColumnTally(*this, TRealCol(ACol), RowsAsPassed(*this, FromRow, ToRow)).most;
}

namespace {

// Each readable value of the base cells of a row over the columns.
TStatTally RowTally(TKavStringGrid& G, int ARow, int FromCol, int ToCol) {
    TStatTally t;
    for (int c = FromCol; c <= ToCol; ++c) {
        if (!G.IsBaseCell(c, ARow)) continue;
        try {
            t.Add(G.GetFloats(c, ARow));
        } catch (const Exception&) {
            // A cell that is not a number is left out.
        }
    }
    return t;
}

} // namespace

double TKavStringGrid::RowSum(int ARow, int FromCol, int ToCol) {
    return RowTally(*this, ARow, FromCol, ToCol).sum;
}

double TKavStringGrid::RowAvg(int ARow, int FromCol, int ToCol) {
    return RowTally(*this, ARow, FromCol, ToCol).AvgOver(ToCol - FromCol + 1);
}

double TKavStringGrid::RowMin(int ARow, int FromCol, int ToCol) {
    return RowTally(*this, ARow, FromCol, ToCol).least;
}

double TKavStringGrid::RowMax(int ARow, int FromCol, int ToCol) {
    return RowTally(*this, ARow, FromCol, ToCol).most;
}
