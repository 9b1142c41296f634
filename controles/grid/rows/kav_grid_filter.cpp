// TKavStringGrid: row filtering. The rows that fail the Filter conditions are hidden for the
// filter reason (their cells kept in the hidden-row collection), beside any other reason they
// are hidden for, and lose it when the filter is switched off.
#include "controles/grid/kav_grid.h"

#include "controles/comun/text_utils.h"

#include <cmath>

namespace {

// The text a condition tests, with its prefix and suffix taken off where they stand.
AnsiString FilterText(TKavStringGrid& G, const TFilterData& F, int ARow) {
    std::string s = (F.GetData() == fcNormal ? G.GetGridCell(F.GetColumn(), ARow)
                                             : G.GetCellEx(F.GetColumn(), ARow))
                        .str();
    // Copies: the getters give temporaries.
    const std::string pre = F.GetPrefix().str();
    if (!pre.empty() && s.starts_with(pre)) s.erase(0, pre.size());
    const std::string suf = F.GetSuffix().str();
    if (!suf.empty() && s.ends_with(suf)) s.erase(s.size() - suf.size());
    return AnsiString(std::move(s));
}

} // namespace

bool TKavStringGrid::MatchFilter(int ARow) {
    bool result = true;
    for (int i = 0; i < filter_->GetCount(); ++i) {
        const TFilterData& f = *filter_->GetItems(i);
        bool match;
        try {
            match = MatchStrEx(f.GetCondition(), FilterText(*this, f, ARow), f.GetCaseSensitive());
        } catch (const std::exception&) {
            // A condition that cannot be evaluated (a bad pattern, a column the grid cannot
            // read) does not match.
            match = false;
        }
        switch (f.GetOperation()) {
        case foSHORT:
            if (!match) return false;
            result = true;
            break;
        case foNONE:
            result = match;
            break;
        case foAND:
            result = result && match;
            break;
        case foXOR:
            result = result != match;
            break;
        case foOR:
            result = result || match;
            break;
        }
    }
    return result;
}

void TKavStringGrid::FilterRow(int ARow) {
    if (!MatchFilter(ARow)) HideFor({RemapRowInv(ARow)}, hrFilter);
}

void TKavStringGrid::ApplyFilter() {
    // The rows hidden for other reasons are tested too, shown for a while: a row the filter
    // fails stays hidden when a node over it opens or it is shown by hand.
    const auto hidden = ShowEveryRow();
    const int first = GetFixedRows();
    const int last = GetRowCount() - fixedFooters_ - 1;
    const int n = last - first + 1;
    std::vector<int> failed;
    for (int r = first; r <= last; ++r) {
        if (!MatchFilter(r)) failed.push_back(r);
        if (OnFilterProgress && n > 0)
            OnFilterProgress(this, static_cast<int>(std::lround((r - first + 1) * 100.0 / n)));
    }
    // Every row is shown: display and real rows agree, and hiding moves no real row.
    HideAgain(hidden, hrByHand | hrNode | hrFilter);
    HideFor(std::move(failed), hrFilter);
    // Done: with no normal row at all too.
    if (OnFilterProgress) OnFilterProgress(this, 100);
}

void TKavStringGrid::SetFilterActive(bool Value) {
    if (Value == filterActive_) return;
    filterActive_ = Value;
    if (Value) {
        filterFixedRows_ = GetFixedRows();
        BeginUpdate();
        try {
            ApplyFilter();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        selectionHidden_ = false;
    } else {
        // The rows the filter and the hiding calls hid; a contracted node keeps its rows.
        ShowAllFor(hrFilter | hrByHand);
        if (GetRowCount() > filterFixedRows_) SetFixedRowsEx(filterFixedRows_);
        if (selectionHidden_) UnHideSelection();
    }
    CalcFooter(-1);
}
