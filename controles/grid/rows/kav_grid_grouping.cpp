// TKavStringGrid: row grouping. Group sorts the rows on a column, puts a header row (a node)
// before each run of equal values and, with Summary, a summary row after it, then takes the
// column out of the grid; UnGroup puts it back. SubGroup splits each group again on a further
// column, whose values move into the sub-group headers; SubUnGroup moves them back. Each
// group's value is kept with its node, so that what a calculation or an edit writes into a
// header never becomes the rows' value. The group column's state and the sub-group column are kept
// apart, so that UnGroup restores the right column. Headers and summaries go in with one pass over
// the rows.
#include "controles/grid/kav_grid.h"

#include "controles/grid/grid_statistics.h"

#include "controles/grid/cell_properties.h"

#include <algorithm>
#include <cmath>

void TKavStringGrid::InsertRowsAt(const std::vector<int>& At) {
    if (At.empty()) return;
    // What is kept by a row's place follows each insertion on its own.
    if (HasRowPlaceState()) {
        for (int a : At)
            InsertRows(a, 1);
        return;
    }
    const int n = GetRowCount();
    const int k = static_cast<int>(At.size());
    SetRowCountEx(n + k);
    // The new rows, empty at the end, move to their places; the others keep their order.
    const int first = At.front();
    std::vector<int> from;
    from.reserve(static_cast<size_t>(n + k - first));
    int old = first, j = 0;
    for (int d = first; d < n + k; ++d)
        from.push_back(j < k && At[j] == d ? n + j++ : old++);
    PermuteRows(first, from);
    FireCellsChanged(0, first, GetColCount() - 1, n + k - 1);
    CellControlsUpdate();
}

void TKavStringGrid::RemoveRowList(const std::vector<int>& Rows) {
    if (Rows.empty()) return;
    if (HasRowPlaceState() ||
        static_cast<int>(Rows.size()) >= GetRowCount()) {
        for (auto it = Rows.rbegin(); it != Rows.rend(); ++it)
            IRemoveRows(*it, 1, true);
        return;
    }
    const int n = GetRowCount();
    for (int r : Rows) {
        ForgetNodesOf(r, 1);
        ClearPropRect(0, r, GetStoreColCount() - 1, r);
    }
    // The rows that stay move up together; the removed ones go to the end and are dropped.
    const int first = Rows.front();
    std::vector<int> from;
    from.reserve(static_cast<size_t>(n - first));
    size_t k = 0;
    for (int d = first; d < n; ++d) {
        if (k < Rows.size() && Rows[k] == d)
            ++k;
        else
            from.push_back(d);
    }
    from.insert(from.end(), Rows.begin(), Rows.end());
    PermuteRows(first, from);
    for (int d = n - static_cast<int>(Rows.size()); d < n; ++d)
        for (int c = 0, cols = GetStoreColCount(); c < cols; ++c)
            if (!CellText(TRealCol(c), d).IsEmpty()) SetCells(c, d, AnsiString());
    SetRowCountEx(n - static_cast<int>(Rows.size()));
    if (GetRow() >= GetRowCount() - fixedFooters_ && GetRowCount() - fixedFooters_ > GetFixedRows())
        SetRowEx(GetRowCount() - fixedFooters_ - 1);
    FireCellsChanged(0, first, GetColCount() - 1, n - 1);
    CellControlsUpdate();
}

void TKavStringGrid::StyleGroupRow(int ARow, int FromCol, bool Header) {
    const TGrouping* o = grouping_.get();
    const bool merge = Header ? o->GetMergeHeader() : o->GetMergeSummary();
    const TColor colors[3] = {Header ? o->GetHeaderColor() : o->GetSummaryColor(),
                              Header ? o->GetHeaderColorTo() : o->GetSummaryColorTo(),
                              Header ? o->GetHeaderTextColor() : o->GetSummaryTextColor()};
    if (merge && FromCol < GetColCount()) {
        if (GetColCount() - FromCol > 1) MergeCells(FromCol, ARow, GetColCount() - FromCol, 1);
        if (colors[0] != clNone)
            SetColors(FromCol, ARow, static_cast<TColor>(ColorToRGB(colors[0])));
        if (colors[1] != clNone)
            SetColorsTo(FromCol, ARow, static_cast<TColor>(ColorToRGB(colors[1])));
        if (colors[2] != clNone)
            SetFontColors(FromCol, ARow, static_cast<TColor>(ColorToRGB(colors[2])));
        return;
    }
    if (colors[0] != clNone) SetRowColor(ARow, static_cast<TColor>(ColorToRGB(colors[0])));
    if (colors[1] != clNone) SetRowColorTo(ARow, static_cast<TColor>(ColorToRGB(colors[1])));
    if (colors[2] != clNone) SetRowFontColor(ARow, static_cast<TColor>(ColorToRGB(colors[2])));
}

void TKavStringGrid::SetGroupColumn(int Value) {
    if (Value == -1)
        UnGroup();
    else if (Value > 0)
        Group(Value);
}

void TKavStringGrid::Group(int ColIndex) {
    if (ColIndex < GetFixedCols() || ColIndex >= TotalColCount()) return;
    if (groupColumn_ >= 0) UnGroup();
    BeginUpdate();
    // Groups close by hiding their rows: rows hidden before come back to be grouped too,
    // the ones the filter hides only while the groups are made.
    if (NumHiddenRows() > 0 || nodeCount_ > 0) ExpandAll();
    const auto filtered = ShowEveryRow();
    const int g = ColIndex;
    groupColumn_ = g;
    groupWidth_ = GetAllColWidths(g);
    groupHeader_ = GetFixedRows() > 0 ? GetCells(g, 0) : AnsiString();
    groupFooter_ = fixedFooters_ > 0 ? GetCells(g, GetRowCount() - 1) : AnsiString();
    if (sortSettings_->GetAutoSortForGrouping()) {
        sortSettings_->SetColumn(g);
        QSort();
    }
    // The runs of equal values; leading rows without a value stay in no group.
    const int first = GetFixedRows(), last = LastNormalRow();
    std::vector<int> starts;
    std::vector<AnsiString> values;
    for (int r = first; r <= last; ++r) {
        PrefetchStoreRow(r + 16); // the sorted rows lie scattered in memory
        const AnsiString& v = CellText(TRealCol(g), r);
        if (r == first ? !v.IsEmpty() : v != CellText(TRealCol(g), r - 1)) {
            starts.push_back(r);
            values.push_back(v);
        }
    }
    const bool summary = grouping_->GetSummary();
    // Where the headers (and summaries) stand once inserted.
    std::vector<int> at, headers, spans;
    for (size_t i = 0, shift = 0; i < starts.size(); ++i) {
        const int end = i + 1 < starts.size() ? starts[i + 1] : last + 1;
        headers.push_back(starts[i] + static_cast<int>(shift));
        spans.push_back(end - starts[i] + 1);
        at.push_back(headers.back());
        ++shift;
        if (summary) {
            at.push_back(end + static_cast<int>(shift));
            ++shift;
        }
    }
    InsertRowsAt(at);
    for (size_t i = 0; i < headers.size(); ++i) {
        AddNode(RealRowIndex(headers[i]), spans[i]);
        // The group's value is kept with its node: UnGroup gives it back to the rows,
        // whatever the header's cells hold by then.
        if (TCellGraphic* n = NodeGraphic(headers[i])) n->CellCaption = values[i];
        if (summary) AddSummary(RealRowIndex(headers[i] + spans[i]));
    }
    RemoveCols(g, 1);
    // The header text goes to shown column 1 (the one after it before the group column
    // left, when that was shown column 1), whatever columns are hidden before it.
    const int textCol = GetColCount() > 1 ? ToReal(TShownCol(1)).Value() : TotalColCount();
    for (size_t i = 0; i < headers.size(); ++i) {
        if (textCol < TotalColCount()) SetCells(textCol, headers[i], values[i]);
        StyleGroupRow(headers[i], RemapColInv(textCol), true);
        if (summary) StyleGroupRow(headers[i] + spans[i], RemapColInv(textCol), false);
    }
    HideAgain(filtered, hrFilter);
    if (GetFixedRows() < GetRowCount()) SetRowEx(GetFixedRows());
    EndUpdate();
}

void TKavStringGrid::UnGroup() {
    if (groupColumn_ < 0) return;
    if (subGroupColumn_ >= 0) SubUnGroup(subGroupColumn_);
    BeginUpdate();
    ExpandAll();
    // The rows the filter hides take their values back too, and stay hidden.
    const auto filtered = ShowEveryRow();
    const int g = groupColumn_;
    InsertCols(g, 1);
    SetAllColWidths(g, groupWidth_);
    if (GetFixedRows() > 0) SetCells(g, 0, groupHeader_);
    if (fixedFooters_ > 0) SetCells(g, GetRowCount() - 1, groupFooter_);
    // Each plain row takes its group's value back; headers and summaries go in one pass.
    std::vector<int> drop;
    AnsiString text;
    for (int r = GetFixedRows(), last = LastNormalRow(); r <= last; ++r) {
        if (TCellProperties* p = FindCellProperties(0, r)) p->SetNodeLevel(0);
        if (const TCellGraphic* n = NodeGraphic(r)) {
            text = n->CellCaption;
            drop.push_back(r);
        } else if (IsSummary(r)) {
            drop.push_back(r);
        } else {
            SetCells(g, r, text);
        }
    }
    RemoveRowList(drop);
    nodeCount_ = 0;
    groupColumn_ = -1;
    HideAgain(filtered, hrFilter);
    EndUpdate();
}

void TKavStringGrid::SubGroup(int ColIndex) {
    if (ColIndex < GetFixedCols() || ColIndex >= TotalColCount()) return;
    if (subGroupColumn_ >= 0) SubUnGroup(subGroupColumn_);
    BeginUpdate();
    ExpandAll();
    const int s = ColIndex;
    subGroupColumn_ = s;
    // The header text goes to the first shown column after the subgroup's column.
    int c1 = s + 1;
    while (c1 < TotalColCount() && IsHiddenColumn(c1))
        ++c1;
    // Each run of plain rows with one value gets a header inside its group.
    int r = GetFixedRows();
    while (r <= LastNormalRow()) {
        if (IsNode(r) || IsSummary(r)) {
            ++r;
            continue;
        }
        const AnsiString value = CellText(TRealCol(s), r);
        int e = r + 1;
        while (e <= LastNormalRow() && !IsNode(e) && !IsSummary(e) &&
               CellText(TRealCol(s), e) == value)
            ++e;
        InsertChildRow(RealRowIndex(r), 0);
        AddNode(RealRowIndex(r), e - r + 1);
        if (TCellGraphic* g = NodeGraphic(r)) {
            g->CellMin = s;
            g->CellCaption = value;
        }
        if (c1 < TotalColCount()) SetCells(c1, r, value);
        StyleGroupRow(r, RemapColInv(std::min(c1, TotalColCount() - 1)), true);
        for (int k = r + 1; k <= e; ++k)
            SetCells(s, k, AnsiString());
        r = e + 1;
    }
    if (GetFixedRows() < GetRowCount()) SetRowEx(GetFixedRows());
    EndUpdate();
}

void TKavStringGrid::SubUnGroup(int ColIndex) {
    if (ColIndex < 0) return;
    BeginUpdate();
    ExpandAll();
    const int s = ColIndex;
    AnsiString text;
    int r = GetFixedRows();
    while (r <= LastNormalRow()) {
        const TCellGraphic* g = NodeGraphic(r);
        if (g && g->CellMin == s) {
            text = g->CellCaption;
            RemoveChildRow(RealRowIndex(r));
            continue;
        }
        if (g || IsSummary(r)) {
            // A group of its own: its rows take no value from the group before.
            if (g) text = AnsiString();
        } else {
            SetCells(s, r, text);
        }
        ++r;
    }
    if (subGroupColumn_ == s) subGroupColumn_ = -1;
    EndUpdate();
}

void TKavStringGrid::GroupCalc(int ACol, int Mode) {
    if (Mode < 1 || Mode > 5) return;
    // The graphic of column 0 by real row, hidden rows included.
    std::vector<std::pair<int, TStrings*>> hidden;
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        auto* item = static_cast<TGridItem*>(hiddenRows_->GetItem(i));
        hidden.emplace_back(item->GetIdx(), item->GetItems());
    }
    std::sort(hidden.begin(), hidden.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    const auto graphicAt = [&](int Real) -> TCellGraphic* {
        const auto it = std::lower_bound(hidden.begin(), hidden.end(), Real,
                                         [](const auto& e, int v) { return e.first < v; });
        if (it != hidden.end() && it->first == Real) {
            TStrings* cells = it->second;
            const TCellProperties* p =
                cells->GetCount() > 0 ? AsProps(cells->GetObjects(0)) : nullptr;
            return p ? dynamic_cast<TCellGraphic*>(p->GetGraphic()) : nullptr;
        }
        return GetCellGraphic(0, RemapRow(Real));
    };
    const auto kindAt = [&](int Real) {
        const TCellGraphic* g = graphicAt(Real);
        return g ? g->CellType : ctEmpty;
    };
    const int lastReal = TotalRowCount() - 1 - fixedFooters_;
    for (int r = GetFixedRows(); r <= lastReal; ++r) {
        const TCellGraphic* node = graphicAt(r);
        if (!node || node->CellType != ctNode) continue;
        // The walk goes on after the group: the groups inside it take no aggregate.
        const int last = NodeLastReal(r, *node);
        const int header = r;
        r = std::max(r, last);
        // The group's own plain rows: no header or summary of a group inside it.
        int rows = 0;
        TStatTally t;
        for (int k = header + 1; k <= last; ++k) {
            const TCellType kind = kindAt(k);
            if (kind == ctNode || kind == ctSummary) continue;
            ++rows;
            try {
                t.Add(GetAllFloats(ACol, k));
            } catch (const Exception&) {
                // A cell that is not a number is left out.
            }
        }
        double value = 0;
        switch (Mode) {
        case 1:
            value = t.sum;
            break;
        case 2:
            value = t.Avg();
            break;
        case 3:
            value = t.least;
            break;
        case 4:
            value = t.most;
            break;
        default:
            value = rows;
            break;
        }
        if ((Mode == 3 || Mode == 4) && t.count == 0) continue;
        // A group made by Group writes into its summary row when it has one; a group of
        // SubGroup alone into its header.
        const bool toSummary =
            grouping_->GetSummary() && node->CellMin < 0 && kindAt(last + 1) == ctSummary;
        const int target = toSummary ? last + 1 : header;
        const int d = RemapRow(target);
        // A merged header keeps its text: the value goes into its own cell underneath.
        if (!IsHiddenRow(target) && IsMergedCell(RemapCol(ACol), d) &&
            BaseCell(RemapCol(ACol), d) != TPoint(RemapCol(ACol), d))
            SetCells(RemapCol(ACol), d, FormatCellNumber(GetFloatFormat(), value, false));
        else
            SetAllFloats(ACol, target, value);
    }
}
