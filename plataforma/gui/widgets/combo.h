#pragma once
// TCustomComboBox / TComboBox: the combo box, on a Qt combo box. Items live in the control
// (exact Windows-1252 text and an object each) and every change of them goes through the
// combo requests (CB_ADDSTRING...), so a subclass sees them in its window procedure. The
// user's choices arrive as notifications (CBN_SELCHANGE, CBN_EDITCHANGE, CBN_DROPDOWN,
// CBN_CLOSEUP) that fire the events; the program's changes of ItemIndex or Text fire
// nothing. The edit part of a drop-down combo takes keys, characters and the clipboard as
// an edit does.

#include "plataforma/base/string_list.h"
#include "plataforma/gui/kernel/control_strings.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/owner_draw.h"

#include <memory>
#include <vector>

class TCanvas;
class CanvasDevice;
class EditBackend;
class InnerWidgetFilter;
class Connections;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* GetItems() const { return items_.get(); }
    void SetItems(TStrings* Value) { items_->Assign(*Value); }
    // -1: nothing chosen. Setting it fires nothing.
    int GetItemIndex() const;
    void SetItemIndex(int Value);
    TComboBoxStyle GetStyle() const { return style_; }
    void SetStyle(TComboBoxStyle Value);
    // Items kept in order without regard to case.
    bool GetSorted() const { return sorted_; }
    void SetSorted(bool Value);
    int GetDropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int Value);
    // The height of the list's items (owner draw); the edit field follows it.
    int GetItemHeight() const;
    void SetItemHeight(int Value);
    int GetMaxLength() const { return maxLength_; }
    void SetMaxLength(int Value);
    TEditCharCase GetCharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase Value) { charCase_ = Value; }
    bool GetDroppedDown() const;
    void SetDroppedDown(bool Value);
    // The edit part's selection.
    int GetSelStart() const;
    void SetSelStart(int Value);
    int GetSelLength() const;
    void SetSelLength(int Value);
    AnsiString GetSelText() const;
    void SelectAll();
    // The canvas of owner drawing (it draws only inside OnDrawItem).
    TCanvas* GetCanvas() const { return canvas_.get(); }

    void AddItem(const AnsiString& Item, TObject* AObject) { items_->AddObject(Item, AObject); }
    void Clear();
    // A height fixed by the edit field, except for csSimple.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWnd() override;
    void ApplyWidgetState() override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    // The classic combo box into DC: the sunken frame, the raised drop button with its
    // arrow (pushed while the list is open, grey while disabled), the field in the control's
    // colour, and the chosen item, highlighted in a dotted frame while focused. The edit
    // part of an editable combo paints itself. Only what DC's clip leaves is drawn.
    void PaintWindow(HDC DC) override;

    virtual void Change();
    // The user chose an item: OnSelect, or OnChange without it.
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    // Owner drawing of an item (-1: the edit field without an item).
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);

    void CNCommand(TWMCommand& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);

    // --- for a wide combo ---
    // Sends CB_ADDSTRING or CB_INSERTSTRING with Text converted to 8 bits; the item made
    // keeps Text whole. Returns the request's answer.
    LRESULT PerformWideItem(UINT Msg, WPARAM WParam, const WideString& Text);
    // The item's text with every character; empty outside the list.
    WideString GetWideItem(int Index) const;
    // The first item equal to Text without regard to case; -1 when none.
    int FindWideItem(const WideString& Text) const;
    // The text shown (the edit part's, or the chosen item's); empty without a window.
    WideString GetWideShownText() const;
    // The edit part's text, or the item equal to it chosen (a drop-down list); no event.
    void SetWideShownText(const WideString& Text);
    // The edit part's widget; nullptr without a window or for a drop-down list.
    EditBackend* EditPart() const { return edit_.get(); }
    bool Editable() const { return style_ == csDropDown || style_ == csSimple; }

private:
    friend class ComboAccess;

    bool OwnerDraws() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
    int FixedHeight() const;
    int DefaultItemHeight() const;
    void ApplyPalette();
    // The combo requests on the items; false for other messages.
    bool ComboRequest(TMessage& Message);
    bool EditRequest(TMessage& Message);
    int InsertItem(int Index, const AnsiString& Text);
    void DeleteItem(int Index);
    void ResetItems();
    void SelectIndex(int Index);
    void SyncWidget();
    // The chosen item in R, as a drop-down list shows it.
    void PaintChoice(CanvasDevice& Device, const TRect& R);
    EditRules Rules() const;

    std::unique_ptr<TStrings> items_;
    std::unique_ptr<TCanvas> canvas_;
    ListItems list_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    bool sorted_ = false;
    int dropDownCount_ = 8;
    int itemHeight_ = 16;
    int editHeight_ = 0; // set by CB_SETITEMHEIGHT -1; 0: from the items' height
    int maxLength_ = 0;
    TEditCharCase charCase_ = ecNormal;
    int droppedWidth_ = 0;
    bool creating_ = false;
    const WideString* wideItem_ = nullptr; // the wide text of the item being added
    // Inside the window: the edit part, its input routed through the control, and the
    // signal connections.
    std::unique_ptr<EditBackend> edit_;
    InnerWidgetFilter* filter_ = nullptr;
    std::unique_ptr<Connections> connections_;
    std::unique_ptr<class ItemOwner> owner_;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};
