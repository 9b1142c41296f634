#pragma once
// TEditListBox: a list box whose items are edited in place by a borderless edit laid over
// the selected item (TSizeEdit), with Insert and Delete adding and removing items, type-ahead
// search, Return as Tab, click or double click, a focus colour, a hover mode where the
// selection follows the pointer, hints for items wider than the list, items kept in an INI
// file or the per-user settings store, tab-separated columns at tab stops in pixels, and a
// horizontal scroll bar as wide as the widest item, and scroll bars drawn flat in a colour
// and width of its own.

#include "controles/comun/scroll_style.h"
#include "controles/edit/history_persist.h"
#include "plataforma/base/collection.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/list_box.h"

#include <functional>
#include <memory>

class TControlCanvas;
class TCustomIniFile;
class TEditListBox;
struct SCROLLINFO;

enum TTabType { tableft, tabright };
using TScrollStyle = TScrollType;
using TELStorage = THistoryStorage;

using TEditDoneEvent = std::function<void(TObject* Sender, AnsiString& NewStr, bool& Allow)>;
using TEditStartEvent = std::function<void(TObject* Sender, int ItemIndex, bool& Allow)>;
using TAutoInsertEvent = std::function<void(TObject* Sender, AnsiString& AValue)>;
using TAutoDeleteEvent =
    std::function<void(TObject* Sender, AnsiString& AValue, bool& AllowDelete)>;
using TSelChangeEvent = std::function<void(TObject* Sender, int ListIndex)>;

class TTabPositionItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    void Assign(TPersistent* Source) override;
    int GetTabPosition() const { return tabPosition_; }
    void SetTabPosition(int Value);
    TTabType GetTabType() const { return tabType_; }
    void SetTabType(TTabType Value);

private:
    int tabPosition_ = 0;
    TTabType tabType_ = tableft;
};

class TTabPositionCollection : public TCollection {
public:
    explicit TTabPositionCollection(TEditListBox* Owner);
    TTabPositionItem* Add() { return static_cast<TTabPositionItem*>(TCollection::Add()); }
    TTabPositionItem* GetItem(int Index) const {
        return static_cast<TTabPositionItem*>(TCollection::GetItem(Index));
    }
    TPersistent* GetOwner() const override;
    TEditListBox* GetListBox() const { return owner_; }

private:
    TEditListBox* owner_;
};

// The edit list box's item store: a save writes the items and an empty value after them,
// leaving the rest of the section as it was.
class TELPersist : public THistoryPersist {
public:
    void Save(const TStrings& Entries) const { THistoryPersist::Save(Entries, false); }
};

// The editor laid over the item being edited.
class TSizeEdit : public TEdit {
public:
    explicit TSizeEdit(TEditListBox* List);
    int GetEditItem() const { return editItem_; }
    const AnsiString& GetSavedText() const { return savedText_; }
    bool Editing() const { return !savedText_.IsEmpty() || editItem_ >= 0; }

protected:
    void Change() override;
    void Dispatch(TMessage& Message) override;

private:
    friend class TEditListBox;
    // The item takes the editor's text (OnEditDone may change or refuse it).
    void WriteBack();
    // Releases the mouse and writes the text back, once per edit.
    void Finish();
    // Hides the editor and gives the list the focus and the item Select.
    void Leave(int Select);

    TEditListBox* list_;
    int editItem_ = -1;
    int itemCount_ = 0;
    AnsiString savedText_;
};

class TEditListBox : public TListBox {
public:
    explicit TEditListBox(TComponent* AOwner);
    ~TEditListBox() override;

    bool GetAutoInsert() const { return autoInsert_; }
    void SetAutoInsert(bool Value) { autoInsert_ = Value; }
    bool GetAutoDelete() const { return autoDelete_; }
    void SetAutoDelete(bool Value) { autoDelete_ = Value; }
    bool GetAllowEdit() const { return allowEdit_; }
    void SetAllowEdit(bool Value);
    bool GetLookupIncr() const { return lookupIncr_; }
    void SetLookupIncr(bool Value) { lookupIncr_ = Value; }
    bool GetLookupFull() const { return lookupFull_; }
    void SetLookupFull(bool Value) { lookupFull_ = Value; }
    bool GetReturnIsTab() const { return returnIsTab_; }
    void SetReturnIsTab(bool Value) { returnIsTab_ = Value; }
    bool GetReturnIsClick() const { return returnIsClick_; }
    void SetReturnIsClick(bool Value) { returnIsClick_ = Value; }
    bool GetReturnIsDblClick() const { return returnIsDblClick_; }
    void SetReturnIsDblClick(bool Value) { returnIsDblClick_ = Value; }
    TColor GetFocusColor() const { return focusColor_; }
    void SetFocusColor(TColor Value) { focusColor_ = Value; }
    bool GetHovering() const { return hovering_; }
    void SetHovering(bool Value);
    TELPersist* GetPersist() const { return persist_.get(); }
    TColor GetHintColor() const { return hintColor_; }
    void SetHintColor(TColor Value) { hintColor_ = Value; }
    TTabPositionCollection* GetTabPositions() const { return tabPositions_.get(); }
    void SetTabPositions(TTabPositionCollection* Value) { tabPositions_->Assign(Value); }
    TScrollStyle GetScrollStyle() const { return scrollStyle_; }
    void SetScrollStyle(TScrollStyle Value);
    TColor GetScrollColor() const { return scrollColor_; }
    void SetScrollColor(TColor Value);
    int GetScrollWidth() const { return scrollWidth_; }
    void SetScrollWidth(int Value);
    bool GetScrollHorizontal() const { return scrollHorizontal_; }
    void SetScrollHorizontal(bool Value);
    // Also refreshes the vertical scroll bar.
    void SetItemIndexEx(int Value) { SetIndexAndScroll(Value); }
    virtual int GetVersionNr() const { return 0x02010001; }
    AnsiString GetVersion() const;
    void SetVersion(const AnsiString&) {}

    void ShowEdit();
    void SetEditMode(bool Value);
    bool GetEditMode() const { return editMode_; }
    TSizeEdit* GetEditor() const { return editor_; }
    const AnsiString& GetLookupBuffer() const { return lookupBuffer_; }
    void LoadPersist();
    void SavePersist();
    void Lookup();
    void SetIndexAndScroll(int Index);
    int GetStringExtent(const AnsiString& Text);
    // A canvas in the list's font for measuring text (the list's own draws only its items).
    TCanvas* MeasureCanvas();
    void BeginUpdate();
    void EndUpdate();
    int VisibleItems() const;

    // Tab stops and scroll bars.
    void SetTabStops();
    void OptimizeTabs(int Margin);
    int GetMaxStringExtent();
    int GetMaxExtent() const { return maxExtent_; }
    void UpdateHScrollExtent();
    void UpdateHScrollBar();
    void UpdateVScrollBar();
    void UpdateStyle();
    void UpdateColor();
    void UpdateWidth();
    void FlatSetScrollPos(int Bar, int Pos, bool Redraw);
    void FlatSetScrollInfo(int Bar, const SCROLLINFO& Info, bool Redraw);
    void FlatSetScrollProp(int Property, int Value, bool Redraw);
    void FlatShowScrollBar(int Bar, bool Show);

    TEditDoneEvent OnEditDone;
    TEditStartEvent OnEditStart;
    TAutoInsertEvent OnAutoInsert;
    TAutoDeleteEvent OnAutoDelete;
    TSelChangeEvent OnSelChange;

    // A tab item changed: the stops go to the list, the bar follows, the list repaints.
    void TabsChanged();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Loaded() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;

public:
    void WndProc(TMessage& Message) override;

private:
    friend class TSizeEdit;
    void WMLButtonDown(TWMMouse& Message);
    void CMHintShow(TCMHintShow& Message);
    void SelectionChanged();
    void ListChanged(UINT Msg);

    bool autoInsert_ = false, autoDelete_ = false, allowEdit_ = true;
    bool lookupIncr_ = false, lookupFull_ = false;
    bool returnIsTab_ = false, returnIsClick_ = false, returnIsDblClick_ = false;
    TColor focusColor_ = clWindow;
    bool hovering_ = false;
    std::unique_ptr<TELPersist> persist_;
    TColor hintColor_ = static_cast<TColor>(0xFFFFFF);
    std::unique_ptr<TTabPositionCollection> tabPositions_;
    TScrollStyle scrollStyle_ = ssNormal;
    TColor scrollColor_ = clNone;
    int scrollWidth_;
    bool scrollHorizontal_ = true;

    TSizeEdit* editor_ = nullptr;
    bool editMode_ = false;
    AnsiString lookupBuffer_;
    TColor savedColor_ = clWindow;
    int hintItem_ = -1;
    bool updating_ = false;
    int updateCount_ = 0;
    bool selChanging_ = false;
    int maxExtent_ = 0;
    std::unique_ptr<TControlCanvas> measure_;
};
