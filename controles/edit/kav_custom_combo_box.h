#pragma once
// TKavCustomComboBox: a combo built on a single-line edit: its own flat border and painted
// drop button (TKavComboBtn), its list in a window of its own (TDropDownWindow) that opens
// below it, or above it near the bottom of the work area; completion of what is typed from
// its items, the recent choices at the top of the list, and four colour schemes, which it
// can take from the desktop's. TKavOfficeComboBox is the same with its items published.

#include "controles/edit/drop_down_window.h"
#include "controles/edit/kav_combo_btn.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/list_box.h"

#include <memory>

class WindowCanvases;

enum TKavComboStyle {
    esOffice2003Blue,
    esOffice2003Silver,
    esOffice2003Olive,
    esOffice2003Classic
};
enum TSelectionGradient { sgVertical, sgHorizontal, sgVerticalInOut, sgHorizontalInOut };
// Only csDropDown and csDropDownList (a read-only edit) apply.
using TComboStyle = TComboBoxStyle;

class TKavCustomComboBox : public TCustomEdit {
public:
    explicit TKavCustomComboBox(TComponent* AOwner);
    ~TKavCustomComboBox() override;

    bool GetAutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool Value) { autoFocus_ = Value; }
    bool GetAutoThemeAdapt() const { return autoThemeAdapt_; }
    void SetAutoThemeAdapt(bool Value) { autoThemeAdapt_ = Value; }
    TKavComboBtn* GetButton() const { return button_.get(); }
    void SetButton(TKavComboBtn* Value) { button_->Assign(Value); }
    bool GetDisplayRecentSelection() const { return displayRecent_; }
    void SetDisplayRecentSelection(bool Value) { displayRecent_ = Value; }
    int GetDropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int Value) { dropDownCount_ = Value; }
    TColor GetBorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value);
    TColor GetBorderHotColor() const { return borderHotColor_; }
    void SetBorderHotColor(TColor Value);
    bool GetLookUp() const { return lookUp_; }
    void SetLookUp(bool Value) { lookUp_ = Value; }
    TColor GetSelectionColor() const { return selectionColor_; }
    void SetSelectionColor(TColor Value) { selectionColor_ = Value; }
    TColor GetSelectionColorTo() const { return selectionColorTo_; }
    void SetSelectionColorTo(TColor Value) { selectionColorTo_ = Value; }
    TColor GetSelectionTextColor() const { return selectionTextColor_; }
    void SetSelectionTextColor(TColor Value) { selectionTextColor_ = Value; }
    TSelectionGradient GetSelectionGradient() const { return selectionGradient_; }
    void SetSelectionGradient(TSelectionGradient Value) { selectionGradient_ = Value; }
    virtual int GetVersionNr() const { return 0x01030100; }
    AnsiString GetVersion() const;
    void SetVersion(const AnsiString&) {}

    TStringList* GetItems() const { return items_.get(); }
    void SetItems(TStringList* Value) {
        if (Value) items_->Assign(*Value);
    }
    int GetItemIndex() const { return itemIndex_; }
    // Values outside the items change nothing.
    void SetItemIndex(int Value);
    int GetItemHeight() const { return itemHeight_; }
    void SetItemHeight(int Value) { itemHeight_ = Value; }
    // Font size of the list.
    int GetFontHeight() const { return fontHeight_; }
    void SetFontHeight(int Value) { fontHeight_ = Value; }
    TComboStyle GetStyle() const { return style_; }
    void SetStyle(TComboStyle Value);
    // Rows as high as the list's font (at least 14), or ItemHeight.
    bool GetAutoItemSize() const { return autoItemSize_; }
    void SetAutoItemSize(bool Value) { autoItemSize_ = Value; }
    bool GetFlat() const { return flat_; }
    void SetFlat(bool Value);
    TKavComboStyle GetAppereanceStyle() const { return appearance_; }
    void SetAppereanceStyle(TKavComboStyle Value);

    // The recent choices, the oldest first.
    TStringList* GetRecentSelection() const { return recent_.get(); }
    const AnsiString& GetLastAcceptedValue() const { return lastAccepted_; }
    bool GetDroppedDown() const { return listShown_; }
    TDropDownWindow* GetDropDownWindow() const { return dropWindow_; }
    TListBox* GetListBox() const { return listBox_; }
    TRect GetButtonRect() const;

    // Opens the list, or closes it when it is open.
    void ShowDropDown();
    void HideDropDown();
    void ButtonClick() { ShowDropDown(); }
    // The colour scheme of the desktop's visual style (the classic one without).
    void ThemeAdapt();
    void First();
    void Last();
    void Next();
    void Previous();
    void PageJump(bool Down);

    TNotifyEvent OnBeforeDropDown;
    TNotifyEvent OnSelect;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void Loaded() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void DoEnter() override;
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;

    virtual void BeforeDropDown();
    virtual void DropDownOnDrawItem(TWinControl* Control, int Index, TRect Rect,
                                    TOwnerDrawState State);
    // The text is accepted: it becomes the value that Escape and leaving put back, and a
    // text of the items joins the recent choices.
    virtual void ValueChanged();
    virtual void PopulateListBox();

    // The row's selection background and text colour; then the row's text is the caller's.
    void DrawRowBackground(TCanvas* Canvas, const TRect& Rect, TOwnerDrawState State);
    // The text rectangle of a row (the last recent one leaves room for its separator), and
    // the separator under it.
    TRect RowTextRect(int Index, TRect Rect) const;
    void DrawRecentSeparator(TCanvas* Canvas, int Index, const TRect& Rect);
    bool Designing() const { return GetComponentState().Contains(csDesigning); }
    bool Loading() const { return GetComponentState().Contains(csLoading); }

private:
    void SetEditRect();
    int GetMinHeight();
    void ResizeControl();
    int GetListItemHeight();
    void LookUpText();
    void Accept();
    void MoveTo(int Row);
    void DrawButton(TCanvas* Canvas);
    void DrawBorders(TCanvas* Canvas);
    void PaintOwn();
    bool Hot() const;

    bool autoFocus_ = false;
    bool autoThemeAdapt_ = false;
    std::unique_ptr<TKavComboBtn> button_;
    bool displayRecent_ = true;
    int dropDownCount_ = 8;
    TColor borderColor_ = clNone;
    TColor borderHotColor_ = clNone;
    bool lookUp_ = true;
    TColor selectionColor_ = clHighlight;
    TColor selectionColorTo_ = clNone;
    TColor selectionTextColor_ = clHighlightText;
    TSelectionGradient selectionGradient_ = sgVerticalInOut;
    std::unique_ptr<TStringList> items_;
    int itemIndex_ = -1;
    int itemHeight_ = 14;
    int fontHeight_ = 8;
    TComboStyle style_ = csDropDown;
    bool autoItemSize_ = true;
    bool flat_ = true;
    TKavComboStyle appearance_ = esOffice2003Blue;
    bool mouseInControl_ = false;
    bool listShown_ = false;
    bool shownAtPress_ = false;
    bool textChanged_ = false;
    bool doLookup_ = true;
    AnsiString lastAccepted_;
    std::unique_ptr<TStringList> recent_;
    TCursor savedCursor_ = crDefault;
    TDropDownWindow* dropWindow_ = nullptr;
    TListBox* listBox_ = nullptr;
    std::unique_ptr<WindowCanvases> canvases_;
};

class TKavOfficeComboBox : public TKavCustomComboBox {
public:
    // Rows keep ItemHeight.
    explicit TKavOfficeComboBox(TComponent* AOwner);
};
