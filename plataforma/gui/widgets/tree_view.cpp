// TTreeView: nodes, sorting, selection and expansion with their events, and the Qt tree
// that shows them.

#include "plataforma/gui/widgets/tree_view.h"

#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/kernel/hosted_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/canvas_device.h"

#include <QHeaderView>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <algorithm>

namespace {

constexpr int kRolNodo = Qt::UserRole + 1;

// A node's item knows its node: the view reads it as the item's data in kRolNodo, without
// a value stored per item.
class ItemDeNodo : public QTreeWidgetItem {
public:
    explicit ItemDeNodo(TTreeNode* Node) : QTreeWidgetItem(UserType), node(Node) {}
    QVariant data(int Column, int Role) const override {
        if (Role == kRolNodo) return QVariant::fromValue(reinterpret_cast<quintptr>(node));
        return QTreeWidgetItem::data(Column, Role);
    }

    TTreeNode* const node;
};

QTreeWidgetItem* ItemOf(const TTreeNode* n);

// Points one of the tree's image fields at Value. One list may serve as both images and state
// images: letting go of it in one use keeps the tree told of its end while the Other holds it.
void PonerLista(TComponent* Arbol, TCustomImageList*& Campo, TCustomImageList* Value,
                const TCustomImageList* Otro) {
    TCustomImageList* antes = Campo;
    if (SetWatched(Arbol, Campo, Value) && antes && antes == Otro) antes->FreeNotification(Arbol);
}

} // namespace

// The tree's insides, for the widget and the delegate of this file.
class TreeAccess {
public:
    static TTreeNode* Node(const QModelIndex& index) {
        return reinterpret_cast<TTreeNode*>(index.data(kRolNodo).value<quintptr>());
    }
    static QTreeWidgetItem* Item(const TTreeNode* n) {
        return static_cast<QTreeWidgetItem*>(n->item_);
    }
    static TCustomTreeView* Tree(const TTreeNode* n) { return n->GetTreeView(); }
    static const std::vector<TTreeNode*>& Children(const TTreeNode& n) { return n.Children(); }
    static bool IsSelected(const TCustomTreeView* t, const TTreeNode* n) {
        return t->selected_ == n;
    }
    static bool RowSelect(const TCustomTreeView* t) { return t->rowSelect_; }
    static bool HideSelection(const TCustomTreeView* t) { return t->hideSelection_; }
    static TCustomImageList* Images(const TCustomTreeView* t) { return t->images_; }
    static TCustomImageList* StateImages(const TCustomTreeView* t) { return t->stateImages_; }
    static bool CanEdit(TCustomTreeView* t, TTreeNode* n) {
        if (t->readOnly_ || !n) return false;
        bool allow = true;
        if (t->OnEditing) t->OnEditing(t, n, allow);
        return allow;
    }

    // The user's doing, reported by Qt after the fact: refused changes are undone.
    static void UserCurrent(TCustomTreeView* t, QTreeWidgetItem* item) {
        if (t->quiet_ > 0) return;
        TTreeNode* n = item ? t->NodeOfItem(item) : nullptr;
        if (n == t->selected_) return;
        if (!t->CanChange(n)) {
            t->ShowSelection();
            return;
        }
        t->selected_ = n;
        t->ShowSelection();
        t->Change(n);
    }
    static void UserExpanded(TCustomTreeView* t, QTreeWidgetItem* item, bool expanded) {
        if (t->quiet_ > 0) return;
        TTreeNode* n = t->NodeOfItem(item);
        if (!n || n->expanded_ == expanded) return;
        if (!t->DoExpand(n, expanded, true)) {
            QSignalBlocker block(item->treeWidget());
            item->setExpanded(n->expanded_);
        }
    }
    static void UserEdited(TCustomTreeView* t, QTreeWidgetItem* item) {
        if (t->quiet_ > 0) return;
        TTreeNode* n = t->NodeOfItem(item);
        if (!n) return;
        AnsiString s = FromQString(item->text(0));
        if (s == n->text_) return;
        auto alive = t->Watch();
        if (t->OnEdited) t->OnEdited(t, n, s);
        if (alive.expired()) return;
        n->SetText(s);
        t->UpdateItem(n);
    }
};

namespace {

QTreeWidgetItem* ItemOf(const TTreeNode* n) {
    return n ? TreeAccess::Item(n) : nullptr;
}

class TreeWidget : public HostedScrollArea<QTreeWidget> {
public:
    TreeWidget(TCustomTreeView* t, QWidget* parent)
        : HostedScrollArea<QTreeWidget>(t, parent), tree_(t) {}
    bool Editing() const { return state() == QAbstractItemView::EditingState; }

protected:
    // The program may refuse an edit (OnEditing).
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override {
        if (trigger != QAbstractItemView::AllEditTriggers &&
            !TreeAccess::CanEdit(tree_, TreeAccess::Node(index)))
            return false;
        return QTreeWidget::edit(index, trigger, event);
    }

private:
    TCustomTreeView* tree_;
};

// An image of a list drawn into a painter through a canvas on an image.
void DrawListImage(QPainter* p, TCustomImageList* list, int index, int x, int y) {
    if (!list || index < 0 || index >= list->GetCount()) return;
    QImage image(list->GetWidth(), list->GetHeight(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    TCanvas canvas;
    canvas.Device().SetTarget(&image);
    list->Draw(&canvas, 0, 0, index);
    canvas.Device().ClearTarget();
    p->drawImage(x, y, image);
}

// A row as the window system's tree draws it: state image, image, and the text with its
// highlight (the whole row with RowSelect).
class TreeDelegate : public QStyledItemDelegate {
public:
    TreeDelegate(TCustomTreeView* t, QObject* parent) : QStyledItemDelegate(parent), tree_(t) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        TTreeNode* n = TreeAccess::Node(index);
        if (!n) return;
        const QRect r = option.rect;
        int x = r.left();
        if (TCustomImageList* s = TreeAccess::StateImages(tree_)) {
            if (n->GetStateIndex() >= 0)
                DrawListImage(p, s, n->GetStateIndex(), x,
                              r.top() + (r.height() - s->GetHeight()) / 2);
            x += s->GetWidth();
        }
        const bool selected = TreeAccess::IsSelected(tree_, n);
        if (TCustomImageList* im = TreeAccess::Images(tree_)) {
            const int idx = selected ? n->GetSelectedIndex() : n->GetImageIndex();
            DrawListImage(p, im, idx, x, r.top() + (r.height() - im->GetHeight()) / 2);
            x += im->GetWidth() + 1;
        }
        const QString text = index.data(Qt::DisplayRole).toString();
        const QFontMetrics fm(option.font);
        QRect label(x, r.top(), fm.horizontalAdvance(text) + 4, r.height());
        if (TreeAccess::RowSelect(tree_)) {
            int right = r.right();
            if (auto* view = qobject_cast<const QAbstractItemView*>(option.widget))
                right = std::max(right, view->viewport()->width() - 1);
            label.setRight(right);
        }
        const bool focused = tree_->Focused();
        const QPalette& pal = option.palette;
        QColor textColor = pal.color(QPalette::Active, QPalette::Text);
        if (!tree_->GetEnabled()) textColor = pal.color(QPalette::Disabled, QPalette::Text);
        if (selected && (focused || !TreeAccess::HideSelection(tree_))) {
            p->fillRect(label, focused ? pal.color(QPalette::Active, QPalette::Highlight)
                                       : ToQColor(clBtnFace));
            if (focused) textColor = pal.color(QPalette::Active, QPalette::HighlightedText);
        }
        p->setFont(option.font);
        p->setPen(textColor);
        p->drawText(label.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        if (selected && focused) {
            QPen pen(textColor);
            pen.setStyle(Qt::DotLine);
            p->setPen(pen);
            p->drawRect(label.adjusted(0, 0, -1, -1));
        }
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QFontMetrics fm(option.font);
        int h = fm.height() + 3;
        int w = fm.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 6;
        for (TCustomImageList* l : {TreeAccess::Images(tree_), TreeAccess::StateImages(tree_)})
            if (l) {
                h = std::max(h, l->GetHeight());
                w += l->GetWidth() + 1;
            }
        return QSize(w, h);
    }

private:
    TCustomTreeView* tree_;
};

QTreeWidget* WidgetOf(const TCustomTreeView* t) {
    return static_cast<QTreeWidget*>(t->GetWidget());
}

} // namespace

// --- TTreeNode ---

TTreeNode::TTreeNode(TTreeNodes* Owner) : owner_(Owner) {}

TTreeNode::~TTreeNode() {
    for (TTreeNode* c : kids_)
        delete c;
}

std::vector<TTreeNode*>& TTreeNode::Children() const {
    owner_->Place(kids_, waiting_);
    return kids_;
}

TCustomTreeView* TTreeNode::GetTreeView() const {
    return owner_ ? owner_->GetOwner() : nullptr;
}

void TTreeNode::SetText(const AnsiString& Value) {
    if (text_ == Value) return;
    text_ = Value;
    TCustomTreeView* t = GetTreeView();
    t->UpdateItem(this);
    if (t->SortsByText()) {
        t->SortSiblings(parent_, false,
                        [t](TTreeNode* a, TTreeNode* b) { return t->CompareNodes(a, b); });
    }
}

void TTreeNode::SetImageIndex(int Value) {
    imageIndex_ = Value;
    GetTreeView()->UpdateItem(this);
}

void TTreeNode::SetSelectedIndex(int Value) {
    selectedIndex_ = Value;
    GetTreeView()->UpdateItem(this);
}

void TTreeNode::SetStateIndex(int Value) {
    stateIndex_ = Value;
    GetTreeView()->UpdateItem(this);
}

int TTreeNode::GetLevel() const {
    int l = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_)
        ++l;
    return l;
}

TTreeNode* TTreeNode::GetItem(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EInvalidOperation("Tree node index out of bounds (" + AnsiString(Index) + ")");
    return Children()[static_cast<size_t>(Index)];
}

int TTreeNode::GetIndex() const {
    const auto& s = owner_->Siblings(parent_);
    if (indice_ < s.size() && s[indice_] == this) return static_cast<int>(indice_);
    // The positions moved: every sibling's is written again at once, so that walking the
    // siblings one by one does not search for each.
    size_t mio = s.size();
    for (size_t i = 0; i < s.size(); ++i) {
        s[i]->indice_ = i;
        if (s[i] == this) mio = i;
    }
    return static_cast<int>(mio);
}

int TTreeNode::GetAbsoluteIndex() const {
    int i = 0;
    for (TTreeNode* n = owner_->GetFirstNode(); n; n = n->GetNext(), ++i)
        if (n == this) return i;
    return -1;
}

TTreeNode* TTreeNode::getFirstChild() const {
    return Children().empty() ? nullptr : Children().front();
}

TTreeNode* TTreeNode::GetLastChild() const {
    return Children().empty() ? nullptr : Children().back();
}

TTreeNode* TTreeNode::getNextSibling() const {
    const auto& s = owner_->Siblings(parent_);
    const size_t i = static_cast<size_t>(GetIndex()) + 1;
    return i < s.size() ? s[i] : nullptr;
}

TTreeNode* TTreeNode::getPrevSibling() const {
    const int i = GetIndex();
    return i > 0 ? owner_->Siblings(parent_)[static_cast<size_t>(i - 1)] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!Children().empty()) return Children().front();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* s = n->getNextSibling()) return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
    TTreeNode* s = getPrevSibling();
    if (!s) return parent_;
    while (!s->Children().empty())
        s = s->Children().back();
    return s;
}

bool TTreeNode::IsVisible() const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (!p->expanded_) return false;
    return true;
}

TTreeNode* TTreeNode::GetNextVisible() const {
    if (!Children().empty() && expanded_) return Children().front();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* s = n->getNextSibling()) return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
    TTreeNode* s = getPrevSibling();
    if (!s) return parent_;
    while (s->expanded_ && !s->Children().empty())
        s = s->Children().back();
    return s;
}

bool TTreeNode::HasAsParent(TTreeNode* Value) const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (p == Value) return true;
    return false;
}

void TTreeNode::SetHasChildren(bool Value) {
    hasChildren_ = Value;
    GetTreeView()->UpdateItem(this);
}

void TTreeNode::SetExpanded(bool Value) {
    GetTreeView()->DoExpand(this, Value, true);
}

void TTreeNode::Expand(bool Recurse) {
    auto alive = GetTreeView()->Watch();
    SetExpanded(true);
    if (Recurse && !alive.expired())
        for (size_t i = 0; i < Children().size(); ++i)
            Children()[i]->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
    auto alive = GetTreeView()->Watch();
    SetExpanded(false);
    if (Recurse && !alive.expired())
        for (size_t i = 0; i < Children().size(); ++i)
            Children()[i]->Collapse(true);
}

bool TTreeNode::GetSelected() const {
    return GetTreeView()->selected_ == this;
}

void TTreeNode::SetSelected(bool Value) {
    TCustomTreeView* t = GetTreeView();
    if (Value)
        t->SetSelected(this);
    else if (t->selected_ == this)
        t->SetSelected(nullptr);
}

void TTreeNode::MakeVisible() {
    TCustomTreeView* t = GetTreeView();
    std::vector<TTreeNode*> ancestros;
    for (TTreeNode* p = parent_; p; p = p->parent_)
        ancestros.push_back(p);
    for (auto it = ancestros.rbegin(); it != ancestros.rend(); ++it)
        if (!(*it)->expanded_ && !t->DoExpand(*it, true, true)) return;
    if (QTreeWidgetItem* item = ItemOf(this)) item->treeWidget()->scrollToItem(item);
}

void TTreeNode::Delete() {
    owner_->Delete(this);
}

void TTreeNode::DeleteChildren() {
    while (!Children().empty())
        owner_->Delete(Children().back());
}

bool TTreeNode::AlphaSort(bool ARecurse) {
    TCustomTreeView* t = GetTreeView();
    t->SortSiblings(this, ARecurse,
                    [t](TTreeNode* a, TTreeNode* b) { return t->CompareNodes(a, b); });
    return true;
}

bool TTreeNode::CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& Compare,
                           bool ARecurse) {
    GetTreeView()->SortSiblings(this, ARecurse, Compare);
    return true;
}

void TTreeNode::MoveTo(TTreeNode* Destination, TNodeAttachMode Mode) {
    if (Destination == this || (Destination && Destination->HasAsParent(this))) return;
    TCustomTreeView* t = GetTreeView();
    TTreeNode* selected = t->selected_;
    t->RemoveItem(this);
    auto& viejos = owner_->Siblings(parent_);
    viejos.erase(std::find(viejos.begin(), viejos.end(), this));
    TTreeNode* nuevoPadre = nullptr;
    int posicion = -1;
    switch (Mode) {
    case naAdd:
        nuevoPadre = Destination ? Destination->parent_ : nullptr;
        break;
    case naAddFirst:
        nuevoPadre = Destination ? Destination->parent_ : nullptr;
        posicion = 0;
        break;
    case naAddChild:
        nuevoPadre = Destination;
        break;
    case naAddChildFirst:
        nuevoPadre = Destination;
        posicion = 0;
        break;
    case naInsert:
        nuevoPadre = Destination ? Destination->parent_ : nullptr;
        posicion = Destination ? Destination->GetIndex() : -1;
        break;
    }
    parent_ = nuevoPadre;
    auto& nuevos = owner_->Siblings(nuevoPadre);
    const int at = t->PlaceFor(nuevoPadre, posicion, this);
    nuevos.insert(nuevos.begin() + at, this);
    indice_ = static_cast<size_t>(at);
    t->AddItem(this);
    t->selected_ = selected;
    t->ShowSelection();
}

// --- TTreeNodes ---

TTreeNodes::TTreeNodes(TCustomTreeView* AOwner) : owner_(AOwner) {}

TTreeNodes::~TTreeNodes() {
    for (TTreeNode* n : roots_)
        delete n;
}

std::vector<TTreeNode*>& TTreeNodes::Siblings(const TTreeNode* Parent) const {
    if (Parent) return Parent->Children();
    Place(roots_, waitingRoots_);
    return roots_;
}

void TTreeNodes::Place(std::vector<TTreeNode*>& Nodes, size_t& Waiting) const {
    if (Waiting == 0) return;
    const auto first = Nodes.end() - static_cast<std::ptrdiff_t>(Waiting);
    Waiting = 0;
    // The waiting ones in their order of arrival among equals, then after the siblings that
    // were there: as each would have been placed on arrival.
    auto before = [t = owner_](TTreeNode* a, TTreeNode* b) { return t->CompareNodes(a, b) < 0; };
    std::stable_sort(first, Nodes.end(), before);
    std::inplace_merge(Nodes.begin(), first, Nodes.end(), before);
    for (size_t i = 0; i < Nodes.size(); ++i)
        Nodes[i]->indice_ = i;
}

TTreeNode* TTreeNodes::GetFirstNode() const {
    const auto& roots = Siblings(nullptr);
    return roots.empty() ? nullptr : roots.front();
}

namespace {

// The nodes of the lists and all below them.
int ContarNodos(const std::vector<TTreeNode*>& nodos) {
    int c = static_cast<int>(nodos.size());
    for (const TTreeNode* n : nodos)
        if (n->GetCount() > 0) c += ContarNodos(TreeAccess::Children(*n));
    return c;
}

// The node "faltan" places further in the order of GetNext, from the first of the list;
// nullptr when the lists end first (and "faltan" is then what was left).
TTreeNode* NodoEnOrden(const std::vector<TTreeNode*>& nodos, int& faltan) {
    for (TTreeNode* n : nodos) {
        if (faltan == 0) return n;
        --faltan;
        if (TTreeNode* hallado = NodoEnOrden(TreeAccess::Children(*n), faltan)) return hallado;
    }
    return nullptr;
}

} // namespace

int TTreeNodes::GetCount() const {
    return ContarNodos(Siblings(nullptr));
}

TTreeNode* TTreeNodes::GetItem(int Index) const {
    int faltan = Index;
    if (Index >= 0)
        if (TTreeNode* n = NodoEnOrden(Siblings(nullptr), faltan)) return n;
    throw EInvalidOperation("Tree node index out of bounds (" + AnsiString(Index) + ")");
}

TTreeNode* TTreeNodes::InternalAdd(TTreeNode* Parent, int Position, const AnsiString& S,
                                   void* Ptr) {
    auto* n = new TTreeNode(this);
    n->text_ = S;
    n->data_ = Ptr;
    n->parent_ = Parent;
    if (updateCount_ > 0 && owner_->SortsByText() && !owner_->OnCompare) {
        // It waits at the end for its place (see Siblings); its item waits for EndUpdate.
        auto& s = Parent ? Parent->kids_ : roots_;
        n->indice_ = s.size();
        s.push_back(n);
        ++(Parent ? Parent->waiting_ : waitingRoots_);
        return n;
    }
    auto& s = Siblings(Parent);
    const int at = owner_->PlaceFor(Parent, Position, n);
    s.insert(s.begin() + at, n);
    n->indice_ = static_cast<size_t>(at);
    owner_->AddItem(n);
    return n;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const AnsiString& S) {
    return AddObject(Sibling, S, nullptr);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const AnsiString& S, void* Ptr) {
    return InternalAdd(Sibling ? Sibling->parent_ : nullptr, -1, S, Ptr);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const AnsiString& S) {
    return AddObjectFirst(Sibling, S, nullptr);
}

TTreeNode* TTreeNodes::AddObjectFirst(TTreeNode* Sibling, const AnsiString& S, void* Ptr) {
    return InternalAdd(Sibling ? Sibling->parent_ : nullptr, 0, S, Ptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const AnsiString& S) {
    return AddChildObject(Parent, S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const AnsiString& S, void* Ptr) {
    return InternalAdd(Parent, -1, S, Ptr);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const AnsiString& S) {
    return AddChildObjectFirst(Parent, S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObjectFirst(TTreeNode* Parent, const AnsiString& S, void* Ptr) {
    return InternalAdd(Parent, 0, S, Ptr);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const AnsiString& S) {
    return InsertObject(Sibling, S, nullptr);
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* Sibling, const AnsiString& S, void* Ptr) {
    return InternalAdd(Sibling ? Sibling->parent_ : nullptr, Sibling ? Sibling->GetIndex() : -1, S,
                       Ptr);
}

void TTreeNodes::Delete(TTreeNode* Node) {
    if (!Node || Node->deleting_) return;
    Node->deleting_ = true;
    TCustomTreeView* t = owner_;
    // Where the selection goes when it is inside the node: the next sibling, else the
    // parent, else the previous sibling (none: no selection, without events).
    TTreeNode* nueva = nullptr;
    const bool dentro = t->selected_ && (t->selected_ == Node || t->selected_->HasAsParent(Node));
    if (dentro) {
        nueva = Node->getNextSibling();
        if (!nueva) nueva = Node->parent_;
        if (!nueva) nueva = Node->getPrevSibling();
        t->selected_ = nullptr;
    }
    t->NodeDeleted(Node);
    t->RemoveItem(Node);
    auto& s = Siblings(Node->parent_);
    s.erase(std::find(s.begin(), s.end(), Node));
    delete Node;
    t->ShowSelection();
    if (nueva) t->Select(nueva, true);
}

void TTreeNodes::Clear() {
    TCustomTreeView* t = owner_;
    t->selected_ = nullptr;
    for (TTreeNode* n : Siblings(nullptr))
        t->NodeDeleted(n);
    if (QTreeWidget* w = WidgetOf(t)) {
        QSignalBlocker block(w);
        for (TTreeNode* n : Siblings(nullptr))
            t->ForgetItems(n);
        w->clear();
    }
    std::vector<TTreeNode*> viejos;
    viejos.swap(roots_);
    waitingRoots_ = 0;
    for (TTreeNode* n : viejos)
        delete n;
}

void TTreeNodes::BeginUpdate() {
    if (updateCount_++ == 0)
        if (QTreeWidget* w = WidgetOf(owner_)) w->setUpdatesEnabled(false);
}

void TTreeNodes::EndUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0) return;
    // A node chosen while it had no item is shown chosen now.
    const bool mostrarSeleccion = owner_->selected_ && !owner_->selected_->item_;
    owner_->AddMissingItems(Siblings(nullptr));
    if (mostrarSeleccion) owner_->ShowSelection();
    if (QTreeWidget* w = WidgetOf(owner_)) w->setUpdatesEnabled(true);
}

// --- TCustomTreeView ---

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<TTreeNodes>(this)),
      connections_(std::make_unique<Connections>()) {
    SetControlStyle({csClickEvents, csDoubleClicks});
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
}

TCustomTreeView::~TCustomTreeView() {
    Destroying();
    DestroyHandle();
    // The nodes go without events.
    selected_ = nullptr;
    items_.reset();
}

void TCustomTreeView::SetItems(TTreeNodes* Value) {
    if (!Value || Value == items_.get()) return;
    items_->Clear();
    // The copy keeps the source's order (its tree sorted it already).
    std::function<void(TTreeNode*, TTreeNode*)> copiar = [&](TTreeNode* origen, TTreeNode* padre) {
        TTreeNode* n = items_->InternalAdd(padre, -1, origen->text_, origen->data_);
        n->imageIndex_ = origen->imageIndex_;
        n->selectedIndex_ = origen->selectedIndex_;
        n->stateIndex_ = origen->stateIndex_;
        n->hasChildren_ = origen->hasChildren_;
        for (TTreeNode* c : origen->Children())
            copiar(c, n);
        UpdateItem(n);
    };
    for (TTreeNode* r : Value->Siblings(nullptr))
        copiar(r, nullptr);
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
    Select(Value, true);
}

TTreeNode* TCustomTreeView::GetTopItem() const {
    QTreeWidget* w = WidgetOf(this);
    if (!w) return items_->GetFirstNode();
    QTreeWidgetItem* it = w->itemAt(QPoint(1, 1));
    return it ? NodeOfItem(it) : nullptr;
}

void TCustomTreeView::SetTopItem(TTreeNode* Value) {
    if (QTreeWidgetItem* it = ItemOf(Value))
        WidgetOf(this)->scrollToItem(it, QAbstractItemView::PositionAtTop);
}

void TCustomTreeView::SetImages(TCustomImageList* Value) {
    PonerLista(this, images_, Value, stateImages_);
    if (QTreeWidget* w = WidgetOf(this)) w->doItemsLayout();
}

void TCustomTreeView::SetStateImages(TCustomImageList* Value) {
    PonerLista(this, stateImages_, Value, images_);
    if (QTreeWidget* w = WidgetOf(this)) w->doItemsLayout();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == images_) SetImages(nullptr);
    if (AComponent == stateImages_) SetStateImages(nullptr);
}

void TCustomTreeView::SetReadOnly(bool Value) {
    readOnly_ = Value;
    ApplyOptions();
}

void TCustomTreeView::SetRowSelect(bool Value) {
    rowSelect_ = Value;
    if (QTreeWidget* w = WidgetOf(this)) w->viewport()->update();
}

void TCustomTreeView::SetSortType(TSortType Value) {
    if (sortType_ == Value) return;
    sortType_ = Value;
    if (Value == stText || Value == stBoth || (Value == stData && OnCompare)) AlphaSort(true);
}

void TCustomTreeView::SetShowLines(bool Value) {
    showLines_ = Value;
    ApplyOptions();
}

void TCustomTreeView::SetShowButtons(bool Value) {
    showButtons_ = Value;
    ApplyOptions();
}

void TCustomTreeView::SetShowRoot(bool Value) {
    showRoot_ = Value;
    ApplyOptions();
}

void TCustomTreeView::SetHideSelection(bool Value) {
    hideSelection_ = Value;
    if (QTreeWidget* w = WidgetOf(this)) w->viewport()->update();
}

void TCustomTreeView::SetIndent(int Value) {
    indent_ = std::max(0, Value);
    ApplyOptions();
}

void TCustomTreeView::SetBorderStyle(TBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    RecreateWnd();
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) const {
    QTreeWidget* w = WidgetOf(this);
    if (!w) return nullptr;
    QTreeWidgetItem* it = w->itemAt(QPoint(X, Y));
    return it ? NodeOfItem(it) : nullptr;
}

bool TCustomTreeView::AlphaSort(bool ARecurse) {
    SortSiblings(nullptr, ARecurse,
                 [this](TTreeNode* a, TTreeNode* b) { return CompareNodes(a, b); });
    return true;
}

bool TCustomTreeView::CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& Compare,
                                 bool ARecurse) {
    SortSiblings(nullptr, ARecurse, Compare);
    return true;
}

void TCustomTreeView::FullExpand() {
    for (TTreeNode* n = items_->GetFirstNode(); n; n = n->getNextSibling())
        n->Expand(true);
}

void TCustomTreeView::FullCollapse() {
    for (TTreeNode* n = items_->GetFirstNode(); n; n = n->getNextSibling())
        n->Collapse(true);
}

bool TCustomTreeView::IsEditing() const {
    auto* w = static_cast<TreeWidget*>(WidgetOf(this));
    return w && w->Editing();
}

// --- events ---

bool TCustomTreeView::CanChange(TTreeNode* Node) {
    bool allow = true;
    if (OnChanging) OnChanging(this, Node, allow);
    return allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
    if (OnChange) OnChange(this, Node);
}

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, Node, allow);
    return allow;
}

void TCustomTreeView::Expand(TTreeNode* Node) {
    if (OnExpanded) OnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, Node, allow);
    return allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
    if (OnCollapsed) OnCollapsed(this, Node);
}

void TCustomTreeView::Delete(TTreeNode* Node) {
    if (OnDeletion) OnDeletion(this, Node);
}

int TCustomTreeView::CompareNodes(TTreeNode* Node1, TTreeNode* Node2) {
    if (OnCompare) {
        int c = 0;
        OnCompare(this, Node1, Node2, 0, c);
        return c;
    }
    return AnsiCompareText(Node1->text_, Node2->text_);
}

void TCustomTreeView::NodeDeleted(TTreeNode* Node) {
    if (GetComponentState().Contains(csDestroying)) return;
    for (TTreeNode* c : Node->Children())
        NodeDeleted(c);
    Delete(Node);
}

// --- order, selection, expansion ---

int TCustomTreeView::PlaceFor(TTreeNode* Parent, int Position, TTreeNode* Node) {
    auto& s = items_->Siblings(Parent);
    const int n = static_cast<int>(s.size());
    if (SortsByText()) {
        // After the siblings that do not sort above it (they are in order): the first that
        // sorts below it, by halving.
        auto despues = std::upper_bound(s.begin(), s.end(), Node,
                                        [this](TTreeNode* nuevo, TTreeNode* hermano) {
                                            return CompareNodes(hermano, nuevo) > 0;
                                        });
        return static_cast<int>(despues - s.begin());
    }
    return Position < 0 || Position > n ? n : Position;
}

void TCustomTreeView::SortSiblings(TTreeNode* Parent, bool Recurse,
                                   const std::function<int(TTreeNode*, TTreeNode*)>& Compare) {
    auto& s = items_->Siblings(Parent);
    std::stable_sort(s.begin(), s.end(),
                     [&](TTreeNode* a, TTreeNode* b) { return Compare(a, b) < 0; });
    if (Recurse)
        for (TTreeNode* c : s)
            SortSiblings(c, true, Compare);
    ReorderItems(Parent);
}

void TCustomTreeView::Select(TTreeNode* Node, bool Notify) {
    if (Node == selected_) return;
    auto alive = Watch();
    if (Notify && !CanChange(Node)) return;
    if (alive.expired()) return;
    // The node comes into view: its parents open (with their events).
    if (Node) {
        std::vector<TTreeNode*> ancestros;
        for (TTreeNode* p = Node->parent_; p; p = p->parent_)
            ancestros.push_back(p);
        for (auto it = ancestros.rbegin(); it != ancestros.rend(); ++it)
            if (!(*it)->expanded_) {
                DoExpand(*it, true, Notify);
                if (alive.expired()) return;
            }
    }
    selected_ = Node;
    ShowSelection();
    if (Notify) Change(Node);
}

bool TCustomTreeView::DoExpand(TTreeNode* Node, bool Expanding, bool Notify) {
    if (Node->expanded_ == Expanding) return true;
    auto alive = Watch();
    if (Notify && !(Expanding ? CanExpand(Node) : CanCollapse(Node))) return false;
    if (alive.expired()) return false;
    Node->expanded_ = Expanding;
    if (QTreeWidgetItem* item = ItemOf(Node)) {
        QSignalBlocker block(item->treeWidget());
        ++quiet_;
        item->setExpanded(Expanding);
        --quiet_;
    }
    // Collapsing hides the selection: it moves to the collapsed node.
    if (!Expanding && selected_ && selected_->HasAsParent(Node)) {
        Select(Node, Notify);
        if (alive.expired()) return true;
    }
    if (Notify) Expanding ? Expand(Node) : Collapse(Node);
    return true;
}

// --- the window ---

TTreeNode* TCustomTreeView::NodeOfItem(void* Item) const {
    auto* it = static_cast<QTreeWidgetItem*>(Item);
    return it && it->type() == QTreeWidgetItem::UserType ? static_cast<ItemDeNodo*>(it)->node
                                                         : nullptr;
}

void TCustomTreeView::AddItem(TTreeNode* Node) {
    if (items_->updateCount_ > 0) return;
    QTreeWidget* w = WidgetOf(this);
    if (!w) return;
    QTreeWidgetItem* padre = Node->parent_ ? ItemOf(Node->parent_) : nullptr;
    if (Node->parent_ && !padre) return;
    QSignalBlocker block(w);
    ++quiet_;
    // The branch is made before it joins the tree: only its joining is announced to the view.
    QTreeWidgetItem* item = MakeItems(Node);
    const int at = Node->GetIndex();
    if (padre)
        padre->insertChild(at, item);
    else
        w->insertTopLevelItem(at, item);
    ShowExpanded(Node);
    --quiet_;
    // A node gained a child: its button shows.
    w->viewport()->update();
}

QTreeWidgetItem* TCustomTreeView::MakeItems(TTreeNode* Node) {
    auto* item = new ItemDeNodo(Node);
    FillItem(item, Node);
    Node->item_ = item;
    for (TTreeNode* c : Node->Children())
        item->addChild(MakeItems(c));
    return item;
}

void TCustomTreeView::ShowExpanded(TTreeNode* Node) {
    // A new item is collapsed; collapsing it again would still look it up in the view.
    if (!Node->expanded_) return;
    if (QTreeWidgetItem* item = ItemOf(Node)) item->setExpanded(true);
    for (TTreeNode* c : Node->Children())
        ShowExpanded(c);
}

void TCustomTreeView::AddMissingItems(const std::vector<TTreeNode*>& Siblings) {
    for (TTreeNode* n : Siblings) {
        if (!n->item_)
            AddItem(n);
        else
            AddMissingItems(n->Children());
    }
}

void TCustomTreeView::FillItem(QTreeWidgetItem* Item, const TTreeNode* Node) const {
    Item->setText(0, ToQString(Node->text_));
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!readOnly_) f |= Qt::ItemIsEditable;
    // Setting the flags announces a change even when they stay the same.
    if (Item->flags() != f) Item->setFlags(f);
    Item->setChildIndicatorPolicy(Node->hasChildren_
                                      ? QTreeWidgetItem::ShowIndicator
                                      : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void TCustomTreeView::ForgetItems(TTreeNode* Node) {
    Node->item_ = nullptr;
    for (TTreeNode* c : Node->Children())
        ForgetItems(c);
}

void TCustomTreeView::RemoveItem(TTreeNode* Node) {
    QTreeWidgetItem* item = ItemOf(Node);
    if (!item) return;
    QTreeWidget* w = WidgetOf(this);
    QSignalBlocker block(w);
    ++quiet_;
    ForgetItems(Node);
    delete item;
    --quiet_;
}

void TCustomTreeView::UpdateItem(TTreeNode* Node) {
    QTreeWidgetItem* item = ItemOf(Node);
    if (!item) return;
    QTreeWidget* w = WidgetOf(this);
    QSignalBlocker block(w);
    ++quiet_;
    FillItem(item, Node);
    --quiet_;
    w->viewport()->update();
}

void TCustomTreeView::ReorderItems(TTreeNode* Parent) {
    QTreeWidget* w = WidgetOf(this);
    if (!w) return;
    auto& s = items_->Siblings(Parent);
    for (TTreeNode* c : s)
        RemoveItem(c);
    for (TTreeNode* c : s)
        AddItem(c);
    ShowSelection();
}

void TCustomTreeView::BuildItems(TTreeNode* Parent) {
    for (TTreeNode* c : items_->Siblings(Parent))
        AddItem(c);
}

void TCustomTreeView::ShowSelection() {
    QTreeWidget* w = WidgetOf(this);
    if (!w) return;
    QSignalBlocker block(w);
    ++quiet_;
    if (QTreeWidgetItem* item = ItemOf(selected_)) {
        w->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        w->scrollToItem(item);
    } else {
        w->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
    }
    --quiet_;
    w->viewport()->update();
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = "SysTreeView32";
    if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWindowHandle(const TCreateParams&) {
    QWidget* parentWidget = GetParent() ? GetParent()->GetWidget() : nullptr;
    auto* w = new TreeWidget(this, parentWidget);
    w->setFocusPolicy(Qt::NoFocus);
    w->SetBorder(GetBorderWidth());
    w->setHeaderHidden(true);
    w->setColumnCount(1);
    // The column is as wide as the widest node: a wider tree scrolls sideways.
    w->header()->setStretchLastSection(false);
    w->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    w->setSelectionMode(QAbstractItemView::NoSelection);
    w->setAcceptDrops(false);
    w->setDragEnabled(false);
    w->setItemDelegate(new TreeDelegate(this, w));
    w->setUniformRowHeights(true);
    SetWidget(w, true);
    ApplyOptions();
    BuildItems(nullptr);
    ShowSelection();
    connections_->Add(QObject::connect(
        w, &QTreeWidget::currentItemChanged, w,
        [this](QTreeWidgetItem* cur, QTreeWidgetItem*) { TreeAccess::UserCurrent(this, cur); }));
    connections_->Add(
        QObject::connect(w, &QTreeWidget::itemExpanded, w, [this](QTreeWidgetItem* it) {
            TreeAccess::UserExpanded(this, it, true);
        }));
    connections_->Add(
        QObject::connect(w, &QTreeWidget::itemCollapsed, w, [this](QTreeWidgetItem* it) {
            TreeAccess::UserExpanded(this, it, false);
        }));
    connections_->Add(
        QObject::connect(w, &QTreeWidget::itemChanged, w,
                         [this](QTreeWidgetItem* it, int) { TreeAccess::UserEdited(this, it); }));
}

void TCustomTreeView::DestroyWnd() {
    connections_->Clear();
    for (TTreeNode* r : items_->Siblings(nullptr))
        ForgetItems(r);
    TWinControl::DestroyWnd();
}

void TCustomTreeView::ApplyOptions() {
    QTreeWidget* w = WidgetOf(this);
    if (!w) return;
    w->setIndentation(indent_);
    w->setRootIsDecorated(showRoot_ && showButtons_);
    w->setEditTriggers(readOnly_ ? QAbstractItemView::NoEditTriggers
                                 : QAbstractItemView::EditKeyPressed |
                                       QAbstractItemView::SelectedClicked);
    for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNext())
        UpdateItem(n);
}

void TCustomTreeView::ApplyWidgetState() {
    TWinControl::ApplyWidgetState();
    ApplyPalette();
}

void TCustomTreeView::ApplyPalette() {
    ApplyBasePalette(this);
}

void TCustomTreeView::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        TWinControl::Dispatch(Message);
        ApplyPalette();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TWinControl::Dispatch(Message);
        // The selection's look follows the focus.
        if (QTreeWidget* w = WidgetOf(this)) w->viewport()->update();
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_CONTEXTMENU:
        // Asked for from the keyboard (-1, -1), the menu opens at the selected node, as the
        // window system's tree does, not at the tree's corner.
        if (GET_X_LPARAM(Message.LParam) == -1 && GET_Y_LPARAM(Message.LParam) == -1)
            if (QTreeWidget* w = WidgetOf(this); w && selected_)
                if (QTreeWidgetItem* item = ItemOf(selected_)) {
                    const QRect fila = w->visualItemRect(item);
                    if (fila.isValid() && w->viewport()->rect().intersects(fila)) {
                        const QPoint en =
                            w->viewport()->mapTo(w, QPoint(fila.left() + 8, fila.bottom()));
                        const TPoint p = ClientToScreen(Point(en.x(), en.y()));
                        Message.LParam = PointToLParam(p.x, p.y);
                    }
                }
        TWinControl::Dispatch(Message);
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}

void TCustomTreeView::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        FocusOnPress(this);
        break;
    case WM_RBUTTONDOWN:
        FocusOnPress(this);
        return;
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        // A right click leaves the selection where it is.
        return;
    default:
        break;
    }
    TWinControl::DefaultHandler(Message);
}
