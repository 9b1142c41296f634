#pragma once
// TKavEdit: the typed single-line edit of the editor pages. Its type filters what is typed
// and pasted and decides how values are shown; a fixed prefix and suffix stand around the
// value; it colours itself for focus, modified, error and disabled states, carries its own
// caption label, paints a flat line or frame, an empty-text hint and an error wave, and can
// offer a lookup list kept between runs.
// TLookupSettings, TPersistence and TListHintWindow are its lookup list, its settings store
// and the pop-up that shows the list.

#include "controles/edit/attached_label.h"
#include "controles/edit/edit_align.h"
#include "controles/edit/range_list.h"
#include "controles/edit/window_canvases.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/hint_window.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/list_box.h"

#include <functional>
#include <memory>

class TControlCanvas;
class TCustomIniFile;

enum TKavEditType {
    etString,
    etNumeric,
    etFloat,
    etUppercase,
    etMixedCase,
    etLowerCase,
    etPassword,
    etMoney,
    etRange,
    etHex,
    etAlphaNumeric,
    etValidChars
};
enum TAutoType { atNumeric, atFloat, atString, atDate, atTime, atHex };
enum TPersistenceLocation { plInifile, plRegistry };

using TValueValidateEvent =
    std::function<void(TObject* Sender, const AnsiString& Value, bool& IsValid)>;
using TClipboardEvent = std::function<void(TObject* Sender, const AnsiString& Value, bool& Allow)>;
using TLookupSelectEvent = std::function<void(TObject* Sender, AnsiString& Value)>;
using TLookupIndexSelectEvent = std::function<void(TObject* Sender, int Index, AnsiString& Value)>;
using TURLClickEvent = std::function<void(TObject* Sender, const AnsiString& URL, bool& Show)>;

// The list offered while typing.
class TLookupSettings : public TPersistent {
public:
    TLookupSettings();
    ~TLookupSettings() override;
    void Assign(TPersistent* Source) override;

    bool GetCaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool Value) { caseSensitive_ = Value; }
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value) { color_ = Value; }
    int GetDisplayCount() const { return displayCount_; }
    void SetDisplayCount(int Value) { displayCount_ = Value; }
    TStringList* GetDisplayList() const { return displayList_.get(); }
    void SetDisplayList(TStrings* Value) { displayList_->Assign(*Value); }
    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool Value) { enabled_ = Value; }
    bool GetHistory() const { return history_; }
    void SetHistory(bool Value) { history_ = Value; }
    int GetNumChars() const { return numChars_; }
    // A value of 0 or less is ignored.
    void SetNumChars(int Value) {
        if (Value > 0) numChars_ = Value;
    }
    TStringList* GetValueList() const { return valueList_.get(); }
    void SetValueList(TStrings* Value) { valueList_->Assign(*Value); }
    bool GetMulti() const { return multi_; }
    void SetMulti(bool Value) { multi_ = Value; }
    char GetSeparator() const { return separator_; }
    void SetSeparator(char Value) { separator_ = Value; }

private:
    bool caseSensitive_ = false;
    TColor color_ = clWindow;
    int displayCount_ = 4;
    std::unique_ptr<TStringList> displayList_;
    bool enabled_ = false;
    bool history_ = false;
    int numChars_ = 2;
    std::unique_ptr<TStringList> valueList_;
    bool multi_ = false;
    char separator_ = ';';
};

// Where the text and the lookup history are kept between runs.
class TPersistence : public TPersistent {
public:
    void Assign(TPersistent* Source) override;
    bool GetEnable() const { return enable_; }
    void SetEnable(bool Value) { enable_ = Value; }
    const AnsiString& GetKey() const { return key_; }
    void SetKey(const AnsiString& Value) { key_ = Value; }
    const AnsiString& GetSection() const { return section_; }
    void SetSection(const AnsiString& Value) { section_ = Value; }
    TPersistenceLocation GetLocation() const { return location_; }
    void SetLocation(TPersistenceLocation Value) { location_ = Value; }

private:
    bool enable_ = false;
    AnsiString key_;
    AnsiString section_;
    TPersistenceLocation location_ = plInifile;
};

// The borderless pop-up of the lookup list; its corner resizes it.
class TListHintWindow : public THintWindow {
public:
    explicit TListHintWindow(TComponent* AOwner);
    TListBox* GetListControl() const { return listControl_; }
    void SetListControl(TListBox* Value) { listControl_ = Value; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override {}

private:
    TListBox* listControl_ = nullptr;
};

class TKavEdit : public TCustomEdit {
public:
    explicit TKavEdit(TComponent* AOwner);
    ~TKavEdit() override;

    // --- value and text model ---
    // The value: the window text without prefix and suffix.
    AnsiString GetText() const;
    void SetText(const AnsiString& Value);
    double GetFloat() const;
    void SetFloat(double Value);
    int GetInt() const;
    void SetInt(int Value);
    TKavEditType GetEditType() const { return editType_; }
    void SetEditType(TKavEditType Value);
    short GetPrecision() const { return precision_; }
    void SetPrecision(short Value);
    const AnsiString& GetPrefix() const { return prefix_; }
    void SetPrefix(const AnsiString& Value);
    const AnsiString& GetSuffix() const { return suffix_; }
    void SetSuffix(const AnsiString& Value);
    bool GetSigned() const { return signed_; }
    void SetSigned(bool Value) { signed_ = Value; }
    bool GetAutoThousandSeparator() const { return autoThousandSeparator_; }
    void SetAutoThousandSeparator(bool Value);
    bool GetExcelStyleDecimalSeparator() const { return excelStyleDecimalSeparator_; }
    void SetExcelStyleDecimalSeparator(bool Value) { excelStyleDecimalSeparator_ = Value; }
    const AnsiString& GetValidChars() const { return validChars_; }
    void SetValidChars(const AnsiString& Value) { validChars_ = Value; }
    short GetLengthLimit() const { return lengthLimit_; }
    void SetLengthLimit(short Value) { lengthLimit_ = Value; }
    bool GetTabOnFullLength() const { return tabOnFullLength_; }
    void SetTabOnFullLength(bool Value) { tabOnFullLength_ = Value; }
    TEditAlign GetEditAlign() const { return editAlign_; }
    void SetEditAlign(TEditAlign Value);
    bool GetCanUndo() const { return canUndo_; }
    void SetCanUndo(bool Value);
    // The list (sorted) as range text such as "1-5,7", written as the whole window text.
    void ListToRangeStr(TRangeList* List);
    // The value read into List (TRangeList::StrToList).
    bool RangeStrToList(TRangeList* List) const;
    // Caret index just after the decimal separator in the window text.
    int DecimalPos() const;
    // Characters of the integer part of S, plus one.
    int FixedLength(const AnsiString& S) const;
    // The number of S without thousand separators; 0 when it is none.
    long double EStrToFloat(const AnsiString& S) const;

    // --- state ---
    bool GetVisible() const { return TCustomEdit::GetVisible(); }
    void SetVisible(bool Value) override;
    bool GetEnabledEx() const { return TCustomEdit::GetEnabled(); }
    void SetEnabledEx(bool Value);
    TColor GetColorEx() const { return TCustomEdit::GetColor(); }
    void SetColorEx(TColor Value);
    int GetHeightEx() const { return TCustomEdit::GetHeight(); }
    void SetHeightEx(int Value);
    bool GetModified() const { return isModified_; }
    void SetModified(bool Value);
    bool GetError() const { return isError_; }
    void SetError(bool Value);

    // --- colours of the states ---
    TColor GetFocusColor() const { return focusColor_; }
    void SetFocusColor(TColor Value) { focusColor_ = Value; }
    TColor GetFocusFontColor() const { return focusFontColor_; }
    void SetFocusFontColor(TColor Value) { focusFontColor_ = Value; }
    TColor GetModifiedColor() const { return modifiedColor_; }
    void SetModifiedColor(TColor Value) { modifiedColor_ = Value; }
    TColor GetDisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor Value);
    TColor GetErrorColor() const { return errorColor_; }
    void SetErrorColor(TColor Value) { errorColor_ = Value; }
    TColor GetErrorFontColor() const { return errorFontColor_; }
    void SetErrorFontColor(TColor Value) { errorFontColor_ = Value; }
    TColor GetURLColor() const { return urlColor_; }
    void SetURLColor(TColor Value) { urlColor_ = Value; }
    bool GetShowError() const { return showError_; }
    void SetShowError(bool Value) { showError_ = Value; }
    bool GetShowModified() const { return showModified_; }
    void SetShowModified(bool Value) { showModified_ = Value; }
    bool GetShowURL() const { return showURL_; }
    void SetShowURL(bool Value) { showURL_ = Value; }

    // --- focus ---
    TEditAlign GetFocusAlign() const { return focusAlign_; }
    void SetFocusAlign(TEditAlign Value) { focusAlign_ = Value; }
    int GetFocusWidthInc() const { return focusWidthInc_; }
    void SetFocusWidthInc(int Value) { focusWidthInc_ = Value; }
    bool GetFocusLabel() const { return focusLabel_; }
    void SetFocusLabel(bool Value) { focusLabel_ = Value; }
    bool GetReturnIsTab() const { return returnIsTab_; }
    void SetReturnIsTab(bool Value) { returnIsTab_ = Value; }
    bool GetAutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool Value) { autoFocus_ = Value; }
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();
    // The value looks like an address: "://", an "@" after the first character, "www.".
    bool TestURL() const;
    void ApplyURL(bool On);

    // --- label ---
    AnsiString GetLabelCaption() const;
    void SetLabelCaption(const AnsiString& Value);
    TLabelPosition GetLabelPosition() const { return label_.Position; }
    void SetLabelPosition(TLabelPosition Value);
    int GetLabelMargin() const { return label_.Margin; }
    void SetLabelMargin(int Value);
    bool GetLabelTransparent() const { return label_.Transparent; }
    void SetLabelTransparent(bool Value);
    bool GetLabelAlwaysEnabled() const { return label_.AlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    TFont* GetLabelFont() const { return label_.Font.get(); }
    void SetLabelFont(TFont* Value);
    // The attached label; nullptr until a caption is set.
    TLabel* GetEditLabel() const { return label_.Label; }
    void UpdateLabel();

    // --- look ---
    bool GetFlat() const { return flat_; }
    void SetFlat(bool Value);
    TColor GetFlatLineColor() const { return flatLineColor_; }
    void SetFlatLineColor(TColor Value);
    bool GetFlatParentColor() const { return flatParentColor_; }
    void SetFlatParentColor(bool Value);
    bool GetSoftBorder() const { return softBorder_; }
    void SetSoftBorder(bool Value);
    bool GetBorder3D() const { return border3D_; }
    void SetBorder3D(bool Value);
    bool GetFocusBorder() const { return focusBorder_; }
    void SetFocusBorder(bool Value);
    TColor GetFocusBorderColor() const { return focusBorderColor_; }
    void SetFocusBorderColor(TColor Value);
    bool GetTransparent() const { return transparent_; }
    void SetTransparent(bool Value);
    const AnsiString& GetEmptyText() const { return emptyText_; }
    void SetEmptyText(const AnsiString& Value);
    int GetErrorMarkerPos() const { return errorMarkerPos_; }
    void SetErrorMarkerPos(int Value);
    int GetErrorMarkerLen() const { return errorMarkerLen_; }
    void SetErrorMarkerLen(int Value);
    bool GetHintShowLargeText() const { return hintShowLargeText_; }
    void SetHintShowLargeText(bool Value) { hintShowLargeText_ = Value; }
    bool GetMouseInControl() const { return mouseInControl_; }
    // Width in pixels of the value in the edit's font.
    int GetTextSize() const;

    // --- lookup and persistence ---
    TLookupSettings* GetLookup() const { return lookup_.get(); }
    void SetLookup(TLookupSettings* Value) { lookup_->Assign(Value); }
    TPersistence* GetPersistence() const { return persistence_.get(); }
    void SetPersistence(TPersistence* Value) { persistence_->Assign(Value); }
    void UpdateLookup();
    void DoneLookup();
    TListHintWindow* GetLookupWindow() const { return lookupWindow_; }
    TListBox* GetLookupList() const { return lookupList_; }
    virtual void LoadPersist();
    virtual void SavePersist();

    // --- version ---
    virtual int GetVersionNr() const { return 0x02070002; }
    AnsiString GetVersion() const;
    void SetVersion(const AnsiString&) {}

    // --- text drag and drop between windows and programs ---
    bool GetOleDropTarget() const { return oleDropTarget_; }
    // Registers (or revokes) the edit as a drop target of text.
    void SetOleDropTarget(bool Value);
    bool GetOleDropSource() const { return oleDropSource_; }
    // Selected text can be dragged out of the edit.
    void SetOleDropSource(bool Value) { oleDropSource_ = Value; }
    // Where the drop caret stands ((-1, -1): none).
    TPoint GetDropCaret() const { return dropCaret_; }
    // The character at a client point (the low 16 bits of EM_CHARFROMPOS).
    short CharFromPos(TPoint Pt);
    // A character's client position; past the end, right after the last character.
    TPoint PosFromChar(int Index);
    void InvalidateCaret(TPoint Pt);
    void EraseCaret();
    // The drop caret goes to the character under the mouse cursor.
    void DrawCaretByCursor();
    // The caret goes to the character under the mouse cursor, nothing selected.
    void SetCaretByCursor();

    TValueValidateEvent OnValueValidate;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TLookupSelectEvent OnLookupSelect;
    TLookupIndexSelectEvent OnLookupIndexSelect;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;
    TURLClickEvent OnURLClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;

protected:
    void Loaded() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Change() override;
    void DoEnter() override;
    void Dispatch(TMessage& Message) override;
    virtual bool DoValidate(const AnsiString& Value);
    virtual void ValidateEvent(const AnsiString& Value, bool& IsValid);

private:
    // Text model.
    void SetWindowText(const AnsiString& Text) { TCustomEdit::SetText(Text); }
    AnsiString WindowText() const { return TCustomEdit::GetText(); }
    void AutoSeparators();
    void SetFlatRect(bool Flat);
    void Init();
    bool HasFocus() const;
    bool Loading() const { return GetComponentState().Contains(csLoading); }
    bool Designing() const { return GetComponentState().Contains(csDesigning); }
    void SetFontColor(TColor Value);
    void FontStyle(TFontStyle Style, bool On);
    void LabelFontChanged(TObject* Sender);

    // Messages (kav_edit_focus.cpp, kav_edit_filters.cpp, kav_edit_paint.cpp).
    void WMSetFocus(TWMSetFocus& Message);
    void WMKillFocus(TWMKillFocus& Message);
    void WMKeyDown(TWMKey& Message);
    void CMWantSpecialKey(TCMWantSpecialKey& Message);
    void CNCommand(TWMCommand& Message);
    void WMLButtonDown(TWMMouse& Message);
    void WMLButtonUp(TWMMouse& Message);
    void WMCopyCut(TMessage& Message, bool Cut);
    void WMChar(TWMKey& Message);
    void WMPaste(TMessage& Message);
    // Puts one line of text at the caret (over the selection) when the edit's type takes the
    // resulting value; a paste also asks OnClipboardPaste. False when refused.
    bool InsertFiltered(AnsiString Text, bool Paste);
    void SignToggle(int Caret);
    bool FloatRules(TWMKey& Message, char Ch, bool& Tail);
    void CommonTail();
    void PassChar(TMessage& Message);
    void WMPaint(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMEraseBkgnd(TWMEraseBkgnd& Message);
    void CNCtlColor(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMHintShow(TCMHintShow& Message);
    void CMFontChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMCancelMode(TMessage& Message);
    void WMDestroy(TMessage& Message);
    void PaintEdit();
    void DrawBorder();
    // Offset: where the window's (0, 0) lies on the canvas.
    void DrawControlBorder(TCanvas* Canvas, int Offset);
    bool Is3DBorderButton() const;
    void DrawErrorLines(TCanvas* Canvas, int Pos, int Len);
    TCanvas* ClientCanvas();
    // Draws on the whole window; Draw gets each canvas and the window's origin on it.
    void DrawOnWindow(const std::function<void(TCanvas*, int)>& Draw);
    // Lookup.
    void ListKeyPress(TObject* Sender, char& Key);
    void ListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    std::unique_ptr<TCustomIniFile> OpenPersistStore();
    bool LookupVisible() const;

    TKavEditType editType_ = etString;
    TEditAlign editAlign_ = eaLeft;
    short precision_ = 0;
    AnsiString prefix_, suffix_;
    bool signed_ = false;
    bool autoThousandSeparator_ = true;
    bool excelStyleDecimalSeparator_ = false;
    AnsiString validChars_;
    short lengthLimit_ = 0;
    bool tabOnFullLength_ = false;
    bool canUndo_ = true;

    TColor focusColor_ = clNone;
    TColor focusFontColor_ = clWindowText;
    TColor modifiedColor_ = clHighlight;
    TColor disabledColor_ = static_cast<TColor>(0xC0C0C0);
    TColor errorColor_ = static_cast<TColor>(255);
    TColor errorFontColor_ = static_cast<TColor>(0xFFFFFF);
    TColor urlColor_ = static_cast<TColor>(0xFF0000);
    bool showError_ = false, showModified_ = false, showURL_ = false;
    TEditAlign focusAlign_ = eaDefault;
    int focusWidthInc_ = 0;
    bool focusLabel_ = false;
    bool returnIsTab_ = false;
    bool autoFocus_ = false;

    TAttachedLabel label_;

    bool flat_ = false;
    TColor flatLineColor_ = clBlack;
    bool flatParentColor_ = true;
    bool softBorder_ = false;
    bool border3D_ = false;
    bool focusBorder_ = false;
    TColor focusBorderColor_ = clNone;
    bool transparent_ = false;
    AnsiString emptyText_;
    int errorMarkerPos_ = 0, errorMarkerLen_ = 0;
    bool hintShowLargeText_ = false;
    bool mouseInControl_ = false;

    std::unique_ptr<TLookupSettings> lookup_;
    std::unique_ptr<TPersistence> persistence_;
    TListHintWindow* lookupWindow_ = nullptr;
    TListBox* lookupList_ = nullptr;

    // Private state of the behaviour.
    bool focusAlignChanging_ = false;
    TEditAlign savedAlign_ = eaLeft;
    TBorderStyle savedBorderStyle_ = bsSingle;
    TColor normalColor_ = clWindow;
    bool isError_ = false;
    TColor normalFontColor_ = clWindowText;
    bool isModified_ = false;
    AnsiString originalText_;
    bool isURL_ = false;
    bool validating_ = false;
    bool separatorsChanged_ = false;
    bool isWinXP_ = true;
    int storedHeight_ = 0;
    bool clickInSelection_ = false;
    // Drag and drop (kav_edit_drag_drop.cpp).
    friend class TEditDropTarget;
    bool oleDropTarget_ = false, oleDropSource_ = false;
    bool dropTargetRegistered_ = false;
    bool draggingFromThis_ = false;
    TPoint dropCaret_{-1, -1};
    std::unique_ptr<WindowCanvases> canvases_;
};

// Classification of a text: integer, decimal number, hexadecimal or plain text.
TAutoType TextKind(const AnsiString& S);
// S without the regional thousand separators.
AnsiString StripThousands(const AnsiString& S);
// Capitals after separators and at word starts, "Mc"/"Mac" names and Roman "II" kept.
AnsiString MixedCase(const AnsiString& S);
// Hexadecimal digits from the right; other characters count 0.
int HexToInt(const AnsiString& S);
// Format("%.<Decimals>f") or, with Grouped, Format("%.<Decimals>n"), in the regional
// separators; Decimals < 0 gives "%g".
AnsiString FormatEditNumber(long double Value, int Decimals, bool Grouped);
// A money value's text to Decimals places from its digits as they stand, never through a
// binary float: the integer digits regrouped by thousands, the fraction padded or rounded
// half up. False, and Result untouched, for a text that is no plain number.
bool FormatMoneyText(const AnsiString& Value, int Decimals, AnsiString& Result);
