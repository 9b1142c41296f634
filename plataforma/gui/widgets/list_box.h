#pragma once
// TCustomListBox / TListBox: the list box, on a Qt list. Items live in the control (exact
// Windows-1252 text and an object each); every change of them goes through the list
// requests (LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT...), so a
// subclass sees them in its window procedure. A user's choice arrives as LBN_SELCHANGE
// (OnClick) and a double click on an item as LBN_DBLCLK (OnDblClick); the program's
// changes of the selection fire nothing. Tab stops are given in dialog units (a quarter of
// the font's average character width); a right click does not change the selection.

#include "plataforma/base/string_list.h"
#include "plataforma/gui/kernel/control_strings.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/owner_draw.h"

#include <memory>
#include <vector>

class TCanvas;
class Connections;
class ItemOwner;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* GetItems() const { return items_.get(); }
    void SetItems(TStrings* Value) { items_->Assign(*Value); }
    int GetCount() const { return items_->GetCount(); }
    // The selected item; in a multi-select list, the focused one. Setting it fires nothing.
    int GetItemIndex() const;
    void SetItemIndex(int Value);
    bool GetMultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool Value);
    // With MultiSelect: Shift and Ctrl extend the selection (otherwise each click toggles).
    bool GetExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool Value);
    bool GetSelected(int Index) const;
    void SetSelected(int Index, bool Value);
    int GetSelCount() const;
    // Items kept in order without regard to case; turning it on sorts the items there.
    bool GetSorted() const { return sorted_; }
    void SetSorted(bool Value);
    TListBoxStyle GetStyle() const { return style_; }
    void SetStyle(TListBoxStyle Value);
    // The items' height (owner draw); standard items follow the font.
    int GetItemHeight() const;
    void SetItemHeight(int Value);
    int GetTopIndex() const;
    void SetTopIndex(int Value);
    // Tabs in items are expanded at stops every TabWidth dialog units (0: not expanded).
    int GetTabWidth() const { return tabWidth_; }
    void SetTabWidth(int Value);
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    TCanvas* GetCanvas() const { return canvas_.get(); }

    // The item at a client point; with Existing, -1 below the last item, otherwise the
    // position an item there would have.
    int ItemAtPos(const TPoint& Pos, bool Existing) const;
    TRect ItemRect(int Index) const;
    void Clear() { items_->Clear(); }
    void ClearSelection();
    void SelectAll();
    void DeleteSelected();
    void AddItem(const AnsiString& Item, TObject* AObject) { items_->AddObject(Item, AObject); }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWnd() override;
    void ApplyWidgetState() override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);

    void CNCommand(TWMCommand& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);

private:
    friend class ListAccess;
    bool OwnerDraws() const { return style_ != lbStandard; }
    bool MultiSelecting() const { return multiSelect_; }
    int StandardItemHeight() const;
    int ItemHeightOf(int Index) const;
    std::vector<int> TabStopsPixels() const;
    void ApplyPalette();
    void ApplySelectionMode();
    bool ListRequest(TMessage& Message);
    int InsertItem(int Index, const AnsiString& Text);
    void DeleteItem(int Index);
    void ResetItems();
    void SetCurrent(int Index);
    void SetItemSelected(int Index, bool Value);
    void UpdateExtent();

    std::unique_ptr<TStrings> items_;
    std::unique_ptr<TCanvas> canvas_;
    ListItems list_;
    int current_ = -1; // while there is no window: the selected (or focused) item
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    bool sorted_ = false;
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 16;
    int tabWidth_ = 0;
    std::vector<int> tabStops_; // dialog units set by LB_SETTABSTOPS; negative: right-aligned
    bool tabStopsSet_ = false;
    int extent_ = 0; // horizontal scroll extent in pixels
    TBorderStyle borderStyle_ = bsSingle;
    int quiet_ = 0; // > 0: Qt's selection signals are the control's own doing
    std::unique_ptr<Connections> connections_;
    std::unique_ptr<ItemOwner> owner_;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};
