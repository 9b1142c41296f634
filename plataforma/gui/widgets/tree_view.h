#pragma once
// TTreeView, TTreeNodes and TTreeNode: the tree control, on a Qt tree. The nodes live in the
// control (exact Windows-1252 text, data, image indexes); the Qt tree shows them. Events fire
// as the class library fires them: setting Selected from the program fires OnChanging and
// OnChange; expanding or collapsing a node, by the program or the user, fires OnExpanding /
// OnExpanded or OnCollapsing / OnCollapsed; a right click does not change the selection.
// SortType stText (or stBoth) keeps every node's children sorted by text as they are
// inserted or renamed (without regard to case, or by OnCompare); stData sorts only through
// OnCompare (AlphaSort); without it the nodes keep their order.

#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/controls.h"

#include <memory>
#include <vector>

class TTreeNode;
class TTreeNodes;
class TCustomTreeView;
class TCustomImageList;
class Connections;
class QTreeWidgetItem;

using TBorderStyle = TFormBorderStyle;

enum TSortType { stNone, stData, stText, stBoth };
enum TNodeAttachMode { naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert };

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent =
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent =
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVCompareEvent = std::function<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2,
                                           int Data, int& Compare)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, AnsiString& S)>;

class TTreeNode : public TPersistent {
public:
    ~TTreeNode() override;

    TTreeNodes* GetOwner() const { return owner_; }
    TCustomTreeView* GetTreeView() const;
    const AnsiString& GetText() const { return text_; }
    // A sorted tree moves the node to its place among its siblings.
    void SetText(const AnsiString& Value);
    void* GetData() const { return data_; }
    void SetData(void* Value) { data_ = Value; }
    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    int GetSelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int Value);
    int GetStateIndex() const { return stateIndex_; }
    void SetStateIndex(int Value);

    TTreeNode* GetParent() const { return parent_; }
    // 0 for a node at the root.
    int GetLevel() const;
    int GetCount() const { return static_cast<int>(kids_.size()); }
    TTreeNode* GetItem(int Index) const;
    // Position among its siblings.
    int GetIndex() const;
    // Position in the whole tree, in the order of GetNext.
    int GetAbsoluteIndex() const;
    TTreeNode* getFirstChild() const;
    TTreeNode* GetLastChild() const;
    TTreeNode* getNextSibling() const;
    TTreeNode* getPrevSibling() const;
    TTreeNode* GetNextChild(TTreeNode* Value) const {
        return Value ? Value->getNextSibling() : nullptr;
    }
    TTreeNode* GetPrevChild(TTreeNode* Value) const {
        return Value ? Value->getPrevSibling() : nullptr;
    }
    // The next node in the whole tree: first child, else next sibling, else the next
    // sibling of the nearest ancestor that has one.
    TTreeNode* GetNext() const;
    TTreeNode* GetPrev() const;
    // The next (previous) node shown: ancestors all expanded.
    TTreeNode* GetNextVisible() const;
    TTreeNode* GetPrevVisible() const;
    bool IsVisible() const;
    bool HasAsParent(TTreeNode* Value) const;

    // Children, or set to show the expand button before they are added.
    bool GetHasChildren() const { return hasChildren_ || !kids_.empty(); }
    void SetHasChildren(bool Value);
    bool GetExpanded() const { return expanded_; }
    void SetExpanded(bool Value);
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool GetSelected() const;
    // Selects this node (the tree's Selected), or clears the selection when it is this one.
    void SetSelected(bool Value);
    bool GetFocused() const { return GetSelected(); }
    void MakeVisible();

    // Deletes the node with its children.
    void Delete();
    void DeleteChildren();
    // Sorts the children by text or OnCompare.
    bool AlphaSort(bool ARecurse = false);
    bool CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& Compare,
                    bool ARecurse = false);
    // Moves the node (with its children) relative to Destination.
    void MoveTo(TTreeNode* Destination, TNodeAttachMode Mode);

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    friend class TreeAccess;
    explicit TTreeNode(TTreeNodes* Owner);

    TTreeNodes* owner_;
    TTreeNode* parent_ = nullptr;
    // The children in order (through Children(): see TTreeNodes::Siblings).
    std::vector<TTreeNode*>& Children() const;
    mutable std::vector<TTreeNode*> kids_;
    // How many of the last kids_ wait for their place.
    mutable size_t waiting_ = 0;
    AnsiString text_;
    void* data_ = nullptr;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    int stateIndex_ = -1;
    bool expanded_ = false;
    bool hasChildren_ = false;
    bool deleting_ = false;
    void* item_ = nullptr; // the Qt item while the tree has a window
    // Where the node was last seen among its siblings; GetIndex checks it before using it.
    mutable size_t indice_ = 0;
};

class TTreeNodes : public TPersistent {
public:
    explicit TTreeNodes(TCustomTreeView* AOwner);
    ~TTreeNodes() override;

    TCustomTreeView* GetOwner() const { return owner_; }
    // Every node of the tree.
    int GetCount() const;
    // By position in the whole tree (GetNext order).
    TTreeNode* GetItem(int Index) const;
    TTreeNode* GetFirstNode() const;
    TTreeNode* GetNodeFromIndex(int Index) const { return GetItem(Index); }

    // The new node goes after Sibling's last sibling (at the root without Sibling).
    TTreeNode* Add(TTreeNode* Sibling, const AnsiString& S);
    TTreeNode* AddObject(TTreeNode* Sibling, const AnsiString& S, void* Ptr);
    TTreeNode* AddFirst(TTreeNode* Sibling, const AnsiString& S);
    TTreeNode* AddObjectFirst(TTreeNode* Sibling, const AnsiString& S, void* Ptr);
    // The new node goes last (first) among Parent's children (at the root without Parent).
    TTreeNode* AddChild(TTreeNode* Parent, const AnsiString& S);
    TTreeNode* AddChildObject(TTreeNode* Parent, const AnsiString& S, void* Ptr);
    TTreeNode* AddChildFirst(TTreeNode* Parent, const AnsiString& S);
    TTreeNode* AddChildObjectFirst(TTreeNode* Parent, const AnsiString& S, void* Ptr);
    // The new node goes before Sibling (last at the root without it).
    TTreeNode* Insert(TTreeNode* Sibling, const AnsiString& S);
    TTreeNode* InsertObject(TTreeNode* Sibling, const AnsiString& S, void* Ptr);

    void Delete(TTreeNode* Node);
    void Clear();
    // Between these, the window's items of new nodes wait: the last EndUpdate makes them
    // all, each branch before it joins the window's tree (a whole tree filled at once).
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    friend class TreeAccess;
    TTreeNode* InternalAdd(TTreeNode* Parent, int Position, const AnsiString& S, void* Ptr);
    // Parent's children (the roots without Parent) in order. In an update of a tree sorted
    // by text alone, new nodes are appended and wait: the first look at their siblings puts
    // them in place at once, where one by one they would have gone (after their equals).
    std::vector<TTreeNode*>& Siblings(const TTreeNode* Parent) const;
    void Place(std::vector<TTreeNode*>& Nodes, size_t& Waiting) const;

    TCustomTreeView* owner_;
    mutable std::vector<TTreeNode*> roots_;
    mutable size_t waitingRoots_ = 0;
    int updateCount_ = 0;
};

class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;

    TTreeNodes* GetItems() const { return items_.get(); }
    void SetItems(TTreeNodes* Value);
    TTreeNode* GetSelected() const { return selected_; }
    // Fires OnChanging and OnChange, as a user's choice does; nullptr clears the selection.
    void SetSelected(TTreeNode* Value);
    TTreeNode* GetTopItem() const;
    void SetTopItem(TTreeNode* Value);
    TCustomImageList* GetImages() const { return images_; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* GetStateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* Value);
    // No editing of the nodes' text.
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);
    // The selection covers the whole row, not only the text.
    bool GetRowSelect() const { return rowSelect_; }
    void SetRowSelect(bool Value);
    TSortType GetSortType() const { return sortType_; }
    void SetSortType(TSortType Value);
    bool GetShowLines() const { return showLines_; }
    void SetShowLines(bool Value);
    bool GetShowButtons() const { return showButtons_; }
    void SetShowButtons(bool Value);
    bool GetShowRoot() const { return showRoot_; }
    void SetShowRoot(bool Value);
    bool GetHideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value);
    int GetIndent() const { return indent_; }
    void SetIndent(int Value);
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);

    // The node on the row at a client point, nullptr for none.
    TTreeNode* GetNodeAt(int X, int Y) const;
    bool AlphaSort(bool ARecurse = true);
    bool CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& Compare,
                    bool ARecurse = true);
    void FullExpand();
    void FullCollapse();
    bool IsEditing() const;

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVCompareEvent OnCompare;
    TTVExpandedEvent OnDeletion;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWnd() override;
    void ApplyWidgetState() override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual bool CanChange(TTreeNode* Node);
    virtual void Change(TTreeNode* Node);
    virtual bool CanExpand(TTreeNode* Node);
    virtual void Expand(TTreeNode* Node);
    virtual bool CanCollapse(TTreeNode* Node);
    virtual void Collapse(TTreeNode* Node);
    virtual void Delete(TTreeNode* Node);
    // <0, 0, >0: OnCompare, or the texts without regard to case.
    virtual int CompareNodes(TTreeNode* Node1, TTreeNode* Node2);

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    friend class TreeAccess;

    // Where a new child of Parent goes: Position (-1 last) unless the tree sorts by text.
    int PlaceFor(TTreeNode* Parent, int Position, TTreeNode* Node);
    bool SortsByText() const { return sortType_ == stText || sortType_ == stBoth; }
    void SortSiblings(TTreeNode* Parent, bool Recurse,
                      const std::function<int(TTreeNode*, TTreeNode*)>& Compare);
    // The selection moves (with events when Notify): the node is shown first.
    void Select(TTreeNode* Node, bool Notify);
    bool DoExpand(TTreeNode* Node, bool Expand, bool Notify);
    // The window's items.
    void BuildItems(TTreeNode* Parent);
    void AddItem(TTreeNode* Node);
    // The item of the node and of its branch, not yet in the window's tree.
    QTreeWidgetItem* MakeItems(TTreeNode* Node);
    // The expanded nodes of the branch, expanded in the window's tree.
    void ShowExpanded(TTreeNode* Node);
    // The items that waited for EndUpdate.
    void AddMissingItems(const std::vector<TTreeNode*>& Siblings);
    void RemoveItem(TTreeNode* Node);
    void ForgetItems(TTreeNode* Node);
    void UpdateItem(TTreeNode* Node);
    // The item's text, flags and button as the node has them.
    void FillItem(QTreeWidgetItem* Item, const TTreeNode* Node) const;
    void ReorderItems(TTreeNode* Parent);
    void ShowSelection();
    void ApplyPalette();
    void ApplyOptions();
    TTreeNode* NodeOfItem(void* Item) const;
    void NodeDeleted(TTreeNode* Node);

    std::unique_ptr<TTreeNodes> items_;
    TTreeNode* selected_ = nullptr;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    bool readOnly_ = false;
    bool rowSelect_ = false;
    TSortType sortType_ = stNone;
    bool showLines_ = true;
    bool showButtons_ = true;
    bool showRoot_ = true;
    bool hideSelection_ = true;
    int indent_ = 19;
    TBorderStyle borderStyle_ = bsSingle;
    int quiet_ = 0; // > 0: Qt's signals are the control's own doing
    std::unique_ptr<Connections> connections_;
};

class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;
};
