// TKavStringGrid: row nodes. A node row carries a graphic of kind ctNode in column 0 whose
// CellIndex is its span (real rows, the node row included; 0 reaches to the next node row),
// CellBoolean its state (1 contracted), CellAngle the row it was made at and CellMin its value
// (-1, or the column a sub-group was made on). The column-0 properties of every row keep its
// node level: how many nodes' runs cover it. Contracted rows are hidden rows (for the node
// reason, beside any other), so they come back through the grid's index maps. The look-ups
// walk real rows, hidden or not: a node row the filter hides still heads its run. No
// contracted node lies inside another: contracting a node opens those inside it.
#include "controles/grid/kav_grid.h"

#include "controles/grid/cell_properties.h"

#include <algorithm>

namespace {

// Keeps goRowSelect out, and Row and TopRow, for the life of the scope.
class RowSelectKeeper {
public:
    explicit RowSelectKeeper(TKavStringGrid& G)
        : g_(G), had_(G.GetOptions().Contains(goRowSelect)), row_(G.GetRow()), top_(G.GetTopRow()) {
        if (had_) g_.SetOptions(g_.GetOptions() - TGridOptions{goRowSelect});
    }
    ~RowSelectKeeper() {
        if (!had_) return;
        g_.SetOptions(g_.GetOptions() + TGridOptions{goRowSelect});
        if (row_ < g_.GetRowCount()) g_.SetRow(row_);
        if (top_ < g_.GetRowCount()) g_.SetTopRow(top_);
    }
    RowSelectKeeper(const RowSelectKeeper&) = delete;
    RowSelectKeeper& operator=(const RowSelectKeeper&) = delete;

private:
    TKavStringGrid& g_;
    bool had_;
    int row_, top_;
};

} // namespace

TCellGraphic* TKavStringGrid::NodeGraphic(int ARow) {
    if (ARow < 0 || ARow >= GetRowCount()) return nullptr;
    TCellGraphic* g = GetCellGraphic(0, ARow);
    return g && g->CellType == ctNode ? g : nullptr;
}

TCellProperties* TKavStringGrid::NodePropsOfReal(int ARow) {
    if (const TGridItem* item = HiddenItemAt(ARow)) {
        TStrings* cells = item->GetItems();
        return cells->GetCount() > 0 ? AsProps(cells->GetObjects(0)) : nullptr;
    }
    const int d = RemapRow(ARow);
    return d >= 0 && d < GetRowCount() ? FindCellProperties(0, d) : nullptr;
}

TCellGraphic* TKavStringGrid::NodeOfReal(int ARow) {
    const TCellProperties* p = NodePropsOfReal(ARow);
    auto* g = p ? dynamic_cast<TCellGraphic*>(p->GetGraphic()) : nullptr;
    return g && g->CellType == ctNode ? g : nullptr;
}

int TKavStringGrid::LevelOfReal(int ARow) {
    const TCellProperties* p = NodePropsOfReal(ARow);
    return p ? p->GetNodeLevel() : 0;
}

int TKavStringGrid::NodeLastReal(int ARow, const TCellGraphic& Node) {
    // Hidden rows lie before the footer rows, which stay shown.
    const int lastNormal = TotalRowCount() - 1 - fixedFooters_;
    if (Node.CellIndex >= 1) return std::min(ARow + Node.CellIndex - 1, lastNormal);
    // Span 0: up to the next node row.
    for (int i = ARow + 1; i <= lastNormal; ++i)
        if (NodeOfReal(i)) return i - 1;
    return lastNormal;
}

int TKavStringGrid::ParentOfReal(int ARow) {
    if (nodeCount_ == 0 || ARow < 0 || ARow >= TotalRowCount()) return -1;
    const bool node = NodeOfReal(ARow) != nullptr;
    const int ref = node ? LevelOfReal(ARow) : 65535;
    for (int i = ARow; i >= GetFixedRows(); --i) {
        const TCellGraphic* g = NodeOfReal(i);
        if (g && LevelOfReal(i) < ref && NodeLastReal(i, *g) >= ARow) return i;
    }
    return node ? ARow : -1;
}

void TKavStringGrid::AddNodeLevels(int FromReal, int ToReal, int Delta) {
    ToReal = std::min(ToReal, TotalRowCount() - 1 - fixedFooters_);
    if (ToReal < FromReal) return;
    for (int r = std::max(RemapRow(FromReal), 0), e = RemapRow(ToReal + 1); r < e; ++r) {
        // A node may span a great many rows, scattered in memory once sorted.
        PrefetchStoreRow(r + 16);
        TCellProperties* p = GetCellProperties(0, r);
        p->SetNodeLevel(std::max(0, p->GetNodeLevel() + Delta));
    }
    // Hidden rows of the range keep their properties in their items.
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        const auto* item = static_cast<const TGridItem*>(hiddenRows_->GetItem(i));
        if (item->GetIdx() < FromReal || item->GetIdx() > ToReal) continue;
        TStrings* cells = item->GetItems();
        if (cells->GetCount() == 0) continue;
        TCellProperties* p = AsProps(cells->GetObjects(0));
        if (!p) {
            p = new TCellProperties(this, 0, item->GetIdx());
            cells->SetObjects(0, p);
        }
        p->SetNodeLevel(std::max(0, p->GetNodeLevel() + Delta));
    }
}

void TKavStringGrid::AddNode(int ARow, int Span) {
    if (ARow < 0 || ARow >= TotalRowCount()) return;
    const int r = RemapRow(ARow);
    TCellGraphic* g;
    if (const TGridItem* item = HiddenItemAt(ARow)) {
        // A hidden row takes its node in the cells it keeps.
        TStrings* cells = item->GetItems();
        if (cells->GetCount() == 0) cells->Add(AnsiString());
        FreeHiddenCellGraphic(*cells, 0);
        TCellProperties* p = AsProps(cells->GetObjects(0));
        if (!p) {
            p = new TCellProperties(this, 0, ARow);
            cells->SetObjects(0, p);
        }
        g = new TCellGraphic();
        p->SetGraphic(g);
    } else {
        g = CreateCellGraphic(0, r);
    }
    g->SetKind(ctNode, haBeforeText, vaCenter);
    g->CellIndex = Span;
    g->CellBoolean = 0;
    g->CellAngle = r;
    g->CellMin = -1;
    AddNodeLevels(ARow, ARow + std::max(Span, 1) - 1, 1);
    if (nodeCount_ == 0) RepaintCol(0);
    ++nodeCount_;
    if (GetCol() == 0 && GetColCount() > 1) SetCol(1);
}

TCellGraphic* TKavStringGrid::AddSummary(int ARow) {
    const int r = RemapRow(ARow);
    if (r < 0 || r >= GetRowCount()) return nullptr;
    TCellGraphic* g = CreateCellGraphic(0, r);
    g->SetKind(ctSummary, haLeft, vaTop);
    return g;
}

void TKavStringGrid::RemoveNode(int ARow) {
    // Its rows come back; the other nodes stay as they are, ExpandOne or not.
    OpenNode(ARow);
    const TCellGraphic* g = NodeOfReal(ARow);
    if (!g) return;
    AddNodeLevels(ARow, std::max(NodeLastReal(ARow, *g), ARow), -1);
    if (const TGridItem* item = HiddenItemAt(ARow))
        FreeHiddenCellGraphic(*item->GetItems(), 0);
    else
        RemoveCellGraphic(0, RemapRow(ARow), ctNode);
    if (nodeCount_ > 0) --nodeCount_;
}

void TKavStringGrid::RemoveAllNodes() {
    if (nodeCount_ == 0) return;
    BeginUpdate();
    // The closed nodes' rows come back, unless hidden for another reason too.
    ShowAllFor(hrNode);
    for (int r = 0; r < GetRowCount(); ++r) {
        if (TCellProperties* p = FindCellProperties(0, r)) p->SetNodeLevel(0);
        if (NodeGraphic(r)) FreeCellGraphic(0, r);
    }
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        TStrings* cells = static_cast<const TGridItem*>(hiddenRows_->GetItem(i))->GetItems();
        if (TCellProperties* p = cells->GetCount() > 0 ? AsProps(cells->GetObjects(0)) : nullptr) {
            p->SetNodeLevel(0);
            if (NodeOfReal(static_cast<const TGridItem*>(hiddenRows_->GetItem(i))->GetIdx()))
                FreeHiddenCellGraphic(*cells, 0);
        }
    }
    nodeCount_ = 0;
    EndUpdate();
    Invalidate();
}

void TKavStringGrid::ForgetNodeRows(int RowIndex, int RCount) {
    for (int r = std::max(RowIndex, 0), e = std::min(RowIndex + RCount, GetRowCount()); r < e; ++r)
        if (NodeGraphic(r) && nodeCount_ > 0) --nodeCount_;
}

bool TKavStringGrid::IsNode(int ARow) {
    return ARow >= 0 && ARow < GetRowCount() && GetCellType(0, ARow) == ctNode;
}

bool TKavStringGrid::IsSummary(int ARow) {
    return ARow >= 0 && ARow < GetRowCount() && GetCellType(0, ARow) == ctSummary;
}

bool TKavStringGrid::IsNodeOrSummary(TRealRow ARow) {
    const TCellGraphic* g = nullptr;
    if (TStrings* cells = HiddenRow(ARow.Value())) {
        if (cells->GetCount() > 0) g = HiddenCellGraphic(*cells, 0);
    } else if (const TShownRow r = ToShown(ARow); r.Value() >= 0 && r.Value() < GetRowCount()) {
        g = GetCellGraphic(TRealCol(0), r);
    }
    return g && (g->CellType == ctNode || g->CellType == ctSummary);
}

int TKavStringGrid::NodeIndent(int ARow) {
    if (nodeCount_ < 1 || ARow < 0 || ARow >= GetRowCount()) return 0;
    const TCellProperties* p = FindCellProperties(0, ARow);
    return p ? p->GetNodeLevel() * cellNode_->GetNodeIndent() : 0;
}

bool TKavStringGrid::GetNodeState(int ARow) {
    const TCellGraphic* g = NodeGraphic(ARow);
    return g && g->CellBoolean != 0;
}

void TKavStringGrid::SetNodeState(int ARow, bool Value) {
    const TCellGraphic* g = NodeGraphic(ARow);
    if (!g || (g->CellBoolean != 0) == Value) return;
    if (Value)
        ContractNode(RemapRowInv(ARow));
    else
        ExpandNode(RemapRowInv(ARow));
}

int TKavStringGrid::GetNodeLevel(int ARow) {
    if (!NodeGraphic(ARow)) return -1;
    const TCellProperties* p = FindCellProperties(0, ARow);
    return p ? p->GetNodeLevel() : 0;
}

int TKavStringGrid::GetNodeSpan(int ARow) {
    const TCellGraphic* g = NodeGraphic(ARow);
    return g ? g->CellIndex : -1;
}

void TKavStringGrid::SetNodeSpan(int ARow, int Span) {
    if (TCellGraphic* g = NodeGraphic(ARow)) g->CellIndex = Span;
}

void TKavStringGrid::UpdateNodeSpan(int ARow, int Delta) {
    if (TCellGraphic* g = NodeGraphic(ARow)) g->CellIndex += Delta;
}

int TKavStringGrid::GetNodeSpanType(int ARow) {
    if (NodeGraphic(ARow)) return 0;
    if (ARow >= GetRowCount() - fixedFooters_ - 1) return 1;
    const TCellProperties* next = FindCellProperties(0, ARow + 1);
    if (!next) return 1;
    const TCellProperties* own = FindCellProperties(0, ARow);
    const int level = own ? own->GetNodeLevel() : 0;
    return next->GetNodeLevel() < level ? 1 : 2;
}

int TKavStringGrid::GetParentRow(int ARow) {
    if (nodeCount_ == 0 || ARow < 0 || ARow >= GetRowCount()) return -1;
    const int p = ParentOfReal(RemapRowInv(ARow));
    // A parent the display rows do not show is not found among them.
    if (p < 0 || IsHiddenRow(p)) return NodeGraphic(ARow) ? ARow : -1;
    return RemapRow(p);
}

bool TKavStringGrid::InNodeRect(int ARow, int X) {
    const int level = GetNodeLevel(ARow);
    const int indent = cellNode_->GetNodeIndent();
    return (level - 1) * indent < X && X < level * indent;
}

void TKavStringGrid::ExpandNode(int ARow) {
    if (cellNode_->GetExpandOne()) {
        // Every other expanded node is contracted first; those that hold this one stay.
        for (int i = GetFixedRows(); i < GetRowCount(); ++i) {
            const TCellGraphic* g = NodeGraphic(i);
            if (!g || g->CellBoolean) continue;
            const int real = RemapRowInv(i);
            if (real < ARow && NodeLastReal(real, *g) >= ARow) continue;
            if (real != ARow) ContractNode(real);
        }
    }
    OpenNode(ARow);
}

void TKavStringGrid::OpenNode(int ARow) {
    TCellGraphic* g = NodeOfReal(ARow);
    if (!g || !g->CellBoolean) return;
    g->CellBoolean = 0;
    // The run's rows lose the node reason; a closed node inside keeps its own rows.
    std::vector<int> reals;
    for (int i = ARow + 1, last = NodeLastReal(ARow, *g); i <= last;) {
        reals.push_back(i);
        const TCellGraphic* child = NodeOfReal(i);
        i = child && child->CellBoolean ? std::max(NodeLastReal(i, *child), i) + 1 : i + 1;
    }
    {
        RowSelectKeeper keep(*this);
        const bool lock = GetControlCellCount() == 0;
        if (lock) BeginUpdate();
        ShowFor(reals, hrNode);
        if (lock) EndUpdate();
    }
    CalcFooter(-1);
    if (!IsHiddenRow(ARow)) RepaintRow(RemapRow(ARow));
}

void TKavStringGrid::ContractNode(int ARow) {
    HideInplaceEdit();
    // A node inside a closed node stays open (its rows are hidden already).
    if (HiddenReasons(ARow) & hrNode) return;
    TCellGraphic* g = NodeOfReal(ARow);
    if (!g || g->CellBoolean) return;
    g->CellBoolean = 1;
    // The run's rows take the node reason in one pass; a contracted node inside is set
    // expanded and its rows stay hidden, so that it shows expanded when this node opens
    // again. Its rows past this run, if its run reaches further, come back.
    const int last = NodeLastReal(ARow, *g);
    std::vector<int> reals, beyond;
    reals.reserve(static_cast<size_t>(std::max(0, last - ARow)));
    for (int i = ARow + 1; i <= last; ++i) {
        if (TCellGraphic* child = NodeOfReal(i); child && child->CellBoolean) {
            child->CellBoolean = 0;
            if (!IsHiddenRow(i))
                if (TControl* c = GetCellControls(1, RemapRow(i) + 1)) c->SetVisible(false);
            for (int k = last + 1, e = NodeLastReal(i, *child); k <= e; ++k)
                beyond.push_back(k);
        }
        reals.push_back(i);
    }
    HideFor(std::move(reals), hrNode);
    if (!beyond.empty()) ShowFor(beyond, hrNode);
    CalcFooter(-1);
    if (!IsHiddenRow(ARow)) RepaintRow(RemapRow(ARow));
}

void TKavStringGrid::ExpandAll() {
    // Rows hidden by hand come back too; those the filter hides stay hidden.
    ShowAllFor(hrNode | hrByHand);
    for (int r = GetFixedRows(), total = TotalRowCount(); r < total; ++r)
        if (TCellGraphic* g = NodeOfReal(r)) g->CellBoolean = 0;
    CalcFooter(-1);
    Invalidate();
}

void TKavStringGrid::ContractAll() {
    BeginUpdate();
    ExpandAll();
    std::vector<int> reals;
    for (int i = GetFixedRows(), total = TotalRowCount(); i < total;) {
        TCellGraphic* g = NodeOfReal(i);
        if (!g) {
            ++i;
            continue;
        }
        g->CellBoolean = 1;
        const int last = NodeLastReal(i, *g);
        for (int k = i + 1; k <= last; ++k)
            reals.push_back(k);
        i = std::max(last + 1, i + 1);
    }
    HideFor(std::move(reals), hrNode);
    CellControlsUpdate();
    EndUpdate();
    CalcFooter(-1);
}

void TKavStringGrid::InsertNormalRow(int ARow) {
    // InsertRows moves the hidden rows behind the new one.
    InsertRows(DisplRowIndex(ARow), 1);
}

void TKavStringGrid::RemoveNormalRow(int ARow) {
    const int d = DisplRowIndex(ARow);
    if (IsHiddenRow(ARow) || d < 0 || d >= GetRowCount()) return;
    RemoveRowsInternal(d, 1);
}

// The nodes that hold real row Parent and Parent itself grow (Delta 1) or shrink (-1, a span
// of 1 stays) and are expanded.
void TKavStringGrid::ResizeParents(int Parent, int Delta) {
    std::vector<int> reals;
    for (int q = Parent; q >= 0;) {
        TCellGraphic* g = NodeOfReal(q);
        if (!g) break;
        if (Delta > 0 || g->CellIndex > 1) g->CellIndex += Delta;
        if (g->CellBoolean) reals.push_back(q);
        const int level = LevelOfReal(q);
        const int up = level > 1 && q > GetFixedRows() ? ParentOfReal(q) : -1;
        q = up >= 0 && up != q && LevelOfReal(up) < level ? up : -1;
    }
    for (int real : reals)
        ExpandNode(real);
}

void TKavStringGrid::InsertChildRow(int ARow, int Offset) {
    const int total = TotalRowCount();
    if (ARow < 0 || ARow >= total) return;
    int p = ParentOfReal(ARow);
    // A row put before a node row joins the node's parent, not the node; one put after it
    // joins the node.
    if (NodeOfReal(ARow)) p = Offset >= 1 ? ARow : (p == ARow ? -1 : p);
    const int level = p >= 0 ? LevelOfReal(p) : 0;
    if (p >= 0) ResizeParents(p, 1);
    // The row comes in at its real place, before the hidden rows that follow ARow.
    const int at = std::clamp(ARow + Offset, 0, total);
    InsertRealRows(at, 1);
    if (p >= 0) GetCellProperties(0, RemapRow(at))->SetNodeLevel(level);
}

void TKavStringGrid::RemoveChildRow(int ARow) {
    if (ARow < 0 || ARow >= TotalRowCount() || IsHiddenRow(ARow)) return;
    // A node row loses its node first: its rows stay, one level up.
    if (NodeOfReal(ARow)) RemoveNode(ARow);
    ResizeParents(ParentOfReal(ARow), -1);
    // RemoveRowsInternal moves the hidden rows behind it.
    RemoveRowsInternal(RemapRow(ARow), 1);
}

std::vector<TGridRowId> TKavStringGrid::ReleaseNodeRuns(int RowIndex, int RCount) {
    std::vector<TGridRowId> closed;
    for (int r = std::max(RowIndex, 0), e = std::min(RowIndex + RCount, GetRowCount()); r < e;
         ++r) {
        const TCellGraphic* g = NodeGraphic(r);
        if (!g) continue;
        const int real = RemapRowInv(r), last = NodeLastReal(real, *g);
        AddNodeLevels(real + 1, last, -1);
        if (!g->CellBoolean) continue;
        for (int k = real + 1; k <= last; ++k)
            if (const TGridItem* item = HiddenItemAt(k)) closed.push_back(item->GetRowId());
    }
    return closed;
}

void TKavStringGrid::ReopenRows(const std::vector<TGridRowId>& Rows) {
    std::vector<TGridItem*> items;
    for (TGridRowId id : Rows)
        if (TGridItem* item = HiddenItemOf(id)) items.push_back(item);
    ShowItemsFor(items, hrNode);
}
