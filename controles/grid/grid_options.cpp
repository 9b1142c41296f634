#include "controles/grid/grid_options.h"

#include "controles/grid/kav_grid.h"

// --- TCellNode ---

TCellNode::TCellNode(TKavStringGrid* AOwner)
    : grid_(AOwner), expandGlyph_(std::make_unique<TBitmap>()),
      contractGlyph_(std::make_unique<TBitmap>()) {}

TCellNode::~TCellNode() = default;

template <class T> void TCellNode::Change(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    if (grid_) grid_->Invalidate();
}

void TCellNode::SetNodeType(TNodeType Value) {
    Change(nodeType_, Value);
}
void TCellNode::SetShowTree(bool Value) {
    Change(showTree_, Value);
}
void TCellNode::SetShowTreeFull(bool Value) {
    Change(showTreeFull_, Value);
}
void TCellNode::SetTreeColor(TColor Value) {
    Change(treeColor_, Value);
}
void TCellNode::SetNodeIndent(int Value) {
    Change(nodeIndent_, Value);
}

void TCellNode::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TCellNode*>(Source);
    if (!s) return;
    TCELLNODE_FIELDS(GRID_COPY)
    nodeType_ = s->nodeType_;
    showTree_ = s->showTree_;
    showTreeFull_ = s->showTreeFull_;
    treeColor_ = s->treeColor_;
    nodeIndent_ = s->nodeIndent_;
    expandGlyph_->Assign(s->expandGlyph_.get());
    contractGlyph_->Assign(s->contractGlyph_.get());
}

// --- TMouseActions ---

void TMouseActions::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TMouseActions*>(Source);
    if (!s) return;
    TMOUSEACTIONS_FIELDS(GRID_COPY)
    disjunctRowSelect_ = s->disjunctRowSelect_;
    disjunctColSelect_ = s->disjunctColSelect_;
    disjunctCellSelect_ = s->disjunctCellSelect_;
}

void TMouseActions::SetHotmailRowSelect(bool Value) {
    hotmailRowSelect_ = Value;
    if (grid_) grid_->Invalidate();
}

bool TMouseActions::Designing() const {
    return grid_ && grid_->GetComponentState().Contains(csDesigning);
}

void TMouseActions::SetDisjunctRowSelect(bool Value) {
    disjunctRowSelect_ = Value;
    if (Value && Designing()) disjunctColSelect_ = disjunctCellSelect_ = false;
}

void TMouseActions::SetDisjunctColSelect(bool Value) {
    disjunctColSelect_ = Value;
    if (Value && Designing()) disjunctRowSelect_ = disjunctCellSelect_ = false;
}

void TMouseActions::SetDisjunctCellSelect(bool Value) {
    disjunctCellSelect_ = Value;
    if (Value && Designing()) disjunctRowSelect_ = disjunctColSelect_ = false;
}

// --- TColumnSize ---

void TColumnSize::SetStretch(bool Value) {
    stretch_ = Value;
    // A grid in its place fills its width at once.
    if (grid_ && grid_->GetParent()) grid_->StretchColumn(GetStretchColumn());
}

// --- TNavigation, THTMLSettings ---

void TNavigation::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TNavigation*>(Source);
    if (!s) return;
    TNAVIGATION_FIELDS(GRID_COPY)
}

THTMLSettings::THTMLSettings() : colWidths_(std::make_unique<TIntList>(0, 0)) {}

THTMLSettings::~THTMLSettings() = default;

void THTMLSettings::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<THTMLSettings*>(Source);
    if (!s) return;
    THTMLSETTINGS_FIELDS(GRID_COPY)
    colWidths_->Clear();
    for (int i = 0; i < s->colWidths_->GetCount(); ++i)
        colWidths_->Insert(i, s->colWidths_->GetItems(i));
}

// --- TPrintSettings ---

TPrintSettings::TPrintSettings(TKavStringGrid* AOwner)
    : grid_(AOwner), font_(std::make_unique<TFont>()), headerFont_(std::make_unique<TFont>()),
      footerFont_(std::make_unique<TFont>()), fixedFont_(std::make_unique<TFont>()),
      titleLines_(std::make_unique<TStringList>()) {}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TPrintSettings*>(Source);
    if (!s) return;
    TPRINTSETTINGS_FIELDS(GRID_COPY)
    font_->Assign(s->font_.get());
    headerFont_->Assign(s->headerFont_.get());
    footerFont_->Assign(s->footerFont_.get());
    fixedFont_->Assign(s->fixedFont_.get());
    titleLines_->Assign(*s->titleLines_);
}
