// TKavStringGrid: row nodes. A node row carries a graphic of kind ctNode in column 0 whose
// CellIndex is its span (real rows, the node row included; 0 reaches to the next node row),
// CellBoolean its state (1 contracted), CellAngle the row it was made at and CellMin its value
// (-1, or the column a sub-group was made on). The column-0 properties of every row keep its
// node level: how many nodes' runs cover it. Contracted rows are hidden rows, so they come back
// through the grid's index maps.
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

int TKavStringGrid::NodeLastReal(int ARow, const TCellGraphic& Node) {
    // Hidden rows lie before the footer rows, which stay shown.
    const int lastNormal = TotalRowCount() - 1 - fixedFooters_;
    if (Node.CellIndex >= 1) return std::min(ARow + Node.CellIndex - 1, lastNormal);
    // Span 0: up to the next shown node row.
    const int d = RemapRow(ARow);
    for (int i = d + 1; i <= LastNormalRow(); ++i)
        if (NodeGraphic(i)) return RemapRowInv(i) - 1;
    return lastNormal;
}

void TKavStringGrid::AddNodeLevels(int FromReal, int ToReal, int Delta) {
    ToReal = std::min(ToReal, TotalRowCount() - 1 - fixedFooters_);
    if (ToReal < FromReal) return;
    for (int r = std::max(RemapRow(FromReal), 0), e = RemapRow(ToReal + 1); r < e; ++r) {
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
    const int r = RemapRow(ARow);
    if (r < 0 || r >= GetRowCount()) return;
    TCellGraphic* g = CreateCellGraphic(0, r);
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
    const int d = DisplRowIndex(ARow);
    const TCellGraphic* g = NodeGraphic(d);
    if (!g) return;
    AddNodeLevels(ARow, std::max(NodeLastReal(ARow, *g), ARow), -1);
    RemoveCellGraphic(0, d, ctNode);
    if (nodeCount_ > 0) --nodeCount_;
}

void TKavStringGrid::RemoveAllNodes() {
    if (nodeCount_ == 0) return;
    BeginUpdate();
    // Each closed node opens its own rows (the ones inside come into view before the scan
    // reaches them); rows hidden outside every node stay hidden.
    for (int r = 0; r < GetRowCount(); ++r)
        if (const TCellGraphic* g = NodeGraphic(r); g && g->CellBoolean) OpenNode(RemapRowInv(r));
    for (int r = 0; r < GetRowCount(); ++r) {
        if (TCellProperties* p = FindCellProperties(0, r)) p->SetNodeLevel(0);
        if (NodeGraphic(r)) FreeCellGraphic(0, r);
    }
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        TStrings* cells = static_cast<const TGridItem*>(hiddenRows_->GetItem(i))->GetItems();
        if (TCellProperties* p = cells->GetCount() > 0 ? AsProps(cells->GetObjects(0)) : nullptr)
            p->SetNodeLevel(0);
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
    const bool node = NodeGraphic(ARow) != nullptr;
    const TCellProperties* own = FindCellProperties(0, ARow);
    const int ref = node ? (own ? own->GetNodeLevel() : 0) : 65535;
    const int real = RemapRowInv(ARow);
    for (int i = ARow; i >= GetFixedRows(); --i) {
        const TCellGraphic* g = NodeGraphic(i);
        if (!g) continue;
        const TCellProperties* p = FindCellProperties(0, i);
        const int level = p ? p->GetNodeLevel() : 0;
        if (level < ref && NodeLastReal(RemapRowInv(i), *g) >= real) return i;
    }
    return node ? ARow : -1;
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
    if (IsHiddenRow(ARow)) return;
    const int r = RemapRow(ARow);
    TCellGraphic* g = NodeGraphic(r);
    if (!g || !g->CellBoolean) return;
    g->CellBoolean = 0;
    // The rows hidden between the node row and the next shown row, within the node's run.
    const int next = r + 1 < GetRowCount() ? RemapRowInv(r + 1) : TotalRowCount();
    const int last = std::min(next - 1, NodeLastReal(ARow, *g));
    {
        RowSelectKeeper keep(*this);
        const bool lock = GetControlCellCount() == 0;
        if (lock) BeginUpdate();
        UnHideRows(ARow + 1, last);
        if (lock) EndUpdate();
    }
    CalcFooter(-1);
    RepaintRow(r);
}

void TKavStringGrid::ContractNode(int ARow) {
    HideInplaceEdit();
    if (IsHiddenRow(ARow)) return;
    const int r = RemapRow(ARow);
    TCellGraphic* g = NodeGraphic(r);
    if (!g || g->CellBoolean) return;
    g->CellBoolean = 1;
    // The shown rows of the run go in one pass; a contracted node inside is set expanded and
    // its rows stay hidden, so that it shows expanded when this node opens again.
    const int end = RemapRow(NodeLastReal(ARow, *g) + 1);
    std::vector<int> reals;
    reals.reserve(static_cast<size_t>(std::max(0, end - r - 1)));
    for (int i = r + 1; i < end && i < GetRowCount(); ++i) {
        if (TCellGraphic* child = NodeGraphic(i); child && child->CellBoolean) {
            child->CellBoolean = 0;
            if (TControl* c = GetCellControls(1, i + 1)) c->SetVisible(false);
        }
        reals.push_back(RemapRowInv(i));
    }
    HideRealRows(reals, false);
    CalcFooter(-1);
    RepaintRow(r);
}

void TKavStringGrid::ExpandAll() {
    UnHideRowList();
    for (int i = GetFixedRows(); i < GetRowCount(); ++i)
        if (TCellGraphic* g = NodeGraphic(i)) g->CellBoolean = 0;
    CalcFooter(-1);
    Invalidate();
}

void TKavStringGrid::ContractAll() {
    BeginUpdate();
    ExpandAll();
    std::vector<int> reals;
    for (int i = GetFixedRows(); i < GetRowCount();) {
        TCellGraphic* g = NodeGraphic(i);
        if (!g) {
            ++i;
            continue;
        }
        g->CellBoolean = 1;
        // Nothing is hidden here, so real and display rows agree.
        const int last = NodeLastReal(i, *g);
        for (int k = i + 1; k <= last; ++k)
            reals.push_back(k);
        i = std::max(last + 1, i + 1);
    }
    HideRealRows(reals, false);
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

// The nodes that hold display row Parent and Parent itself grow (Delta 1) or shrink (-1, a span
// of 1 stays) and are expanded.
void TKavStringGrid::ResizeParents(int Parent, int Delta) {
    std::vector<int> reals;
    for (int q = Parent; q >= 0 && NodeGraphic(q);) {
        if (Delta > 0 || GetNodeSpan(q) > 1) UpdateNodeSpan(q, Delta);
        if (GetNodeState(q)) reals.push_back(RemapRowInv(q));
        const int up = GetNodeLevel(q) > 1 && q > GetFixedRows() ? GetParentRow(q) : -1;
        q = up >= 0 && up != q && GetNodeLevel(up) < GetNodeLevel(q) ? up : -1;
    }
    for (int real : reals)
        ExpandNode(real);
}

void TKavStringGrid::InsertChildRow(int ARow, int Offset) {
    const int d = DisplRowIndex(ARow);
    int p = GetParentRow(d);
    // A row put before a node row joins the node's parent, not the node; one put after it
    // joins the node.
    if (NodeGraphic(d)) p = Offset >= 1 ? d : (p == d ? -1 : p);
    const int level = p >= 0 ? GetNodeLevel(p) : 0;
    if (p >= 0) ResizeParents(p, 1);
    const int at = std::clamp(DisplRowIndex(ARow) + Offset, 0, GetRowCount());
    // InsertRows moves the hidden rows behind the new one.
    InsertRows(at, 1);
    if (p >= 0) GetCellProperties(0, at)->SetNodeLevel(level);
}

void TKavStringGrid::RemoveChildRow(int ARow) {
    if (IsHiddenRow(ARow) || DisplRowIndex(ARow) >= GetRowCount()) return;
    // A node row loses its node first: its rows stay, one level up.
    if (NodeGraphic(DisplRowIndex(ARow))) RemoveNode(ARow);
    ResizeParents(GetParentRow(DisplRowIndex(ARow)), -1);
    // RemoveRowsInternal moves the hidden rows behind it.
    RemoveRowsInternal(DisplRowIndex(ARow), 1);
}
