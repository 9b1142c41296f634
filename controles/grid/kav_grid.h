#pragma once
// TKavStringGrid: the rich string grid both programs place on their forms. One class spread
// over several files by what each holds: kav_grid.cpp (construction, window, loading, copy),
// kav_grid_hooks.cpp (the per-cell hooks), kav_grid_dimensions.cpp (counts and current
// row), kav_grid_maps.cpp (hidden rows and columns and the index maps), kav_grid_update.cpp
// (update lock), kav_grid_graphics.cpp (cell graphics), kav_grid_typed.cpp (typed access),
// kav_grid_version.cpp (unit start-up, version, column order, wide cells).

#include "controles/comun/scroll_style.h"
#include "controles/grid/base_grid.h"
#include "controles/grid/cell_graphic.h"
#include "controles/grid/grid_settings.h"
#include "plataforma/gui/images/image_list.h"

#include <memory>
#include <vector>

class TKavStringGridCheck;
class TForm;

enum TGridLook { glStandard, glSoft, glClassic, glKav, glXP, glListView };
enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = SmallSet<TCellBorder>;
enum TSortStyle {
    ssAutomatic,
    ssAlphabetic,
    ssNumeric,
    ssDate,
    ssAlphaNoCase,
    ssAlphaCase,
    ssShortDateEU,
    ssShortDateUS,
    ssCustom,
    ssFinancial,
    ssAnsiAlphaCase,
    ssAnsiAlphaNoCase,
    ssRaw,
    ssHTML,
    ssImages,
    ssCheckBox,
    ssUnicode,
    ssAlphaNumeric,
    ssAlphaNumericNoCase
};

using TGridHintEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& HintStr)>;
using TGridColorEvent = std::function<void(TObject* Sender, int ACol, int ARow,
                                           TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TPen* APen, TCellBorders& Borders)>;
using TGridAlignEvent = std::function<void(TObject* Sender, int ACol, int ARow, TAlignment& HAlign,
                                           TVAlignment& VAlign)>;
using TGridFormatEvent = std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle,
                                            AnsiString& APrefix, AnsiString& ASuffix)>;
using TGetEditorTypeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TGridBoolEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& Value)>;
using TGridCheckTextEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TRowUpdateEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;

class TKavStringGrid : public TBaseGrid {
public:
    explicit TKavStringGrid(TComponent* AOwner);
    ~TKavStringGrid() override;

    void Assign(TPersistent* Source) override;
    void Invalidate() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // --- option objects (owned; the setters copy the given object's contents) ---
    TCellNode* GetCellNode() const { return cellNode_.get(); }
    void SetCellNode(TCellNode* Value) { cellNode_->Assign(Value); }
    TSizeWhileTyping* GetSizeWhileTyping() const { return sizeWhileTyping_.get(); }
    TMouseActions* GetMouseActions() const { return mouseActions_.get(); }
    void SetMouseActions(TMouseActions* Value) { mouseActions_->Assign(Value); }
    TColumnSize* GetColumnSize() const { return columnSize_.get(); }
    TNavigation* GetNavigation() const { return navigation_.get(); }
    void SetNavigation(TNavigation* Value) { navigation_->Assign(Value); }
    THTMLSettings* GetHTMLSettings() const { return htmlSettings_.get(); }
    void SetHTMLSettings(THTMLSettings* Value) { htmlSettings_->Assign(Value); }
    TPrintSettings* GetPrintSettings() const { return printSettings_.get(); }
    void SetPrintSettings(TPrintSettings* Value) { printSettings_->Assign(Value); }
    TSortSettings* GetSortSettings() const { return sortSettings_.get(); }
    void SetSortSettings(TSortSettings* Value) { sortSettings_->Assign(Value); }
    TControlLook* GetControlLook() const { return controlLook_.get(); }
    void SetControlLook(TControlLook* Value) { controlLook_->Assign(Value); }
    TBackGround* GetBackGround() const { return backGround_.get(); }
    void SetBackGround(TBackGround* Value);
    TBands* GetBands() const { return bands_.get(); }
    void SetBands(TBands* Value) { bands_->Assign(Value); }
    TGrouping* GetGrouping() const { return grouping_.get(); }
    void SetGrouping(TGrouping* Value) { grouping_->Assign(Value); }
    TDragDropSettings* GetDragDropSettings() const { return dragDropSettings_.get(); }
    TDragScrollOptions* GetDragScrollOptions() const { return dragScrollOptions_.get(); }
    void SetDragScrollOptions(TDragScrollOptions* Value) { dragScrollOptions_->Assign(Value); }
    TBalloonSettings* GetBalloon() const { return balloon_.get(); }
    void SetBalloon(TBalloonSettings* Value) { balloon_->Assign(Value); }
    TShowModified* GetShowModified() const { return showModified_.get(); }
    void SetShowModified(TShowModified* Value) { showModified_->Assign(Value); }
    TFilter* GetFilter() const { return filter_.get(); }
    TStrings* GetColumnHeaders() const { return columnHeaders_.get(); }
    TStrings* GetRowHeaders() const { return rowHeaders_.get(); }
    TStrings* GetLookupItems() const { return lookupItems_.get(); }
    TFont* GetFixedFont() const { return fixedFont_.get(); }
    void SetFixedFont(TFont* Value) { fixedFont_->Assign(Value); }
    TFont* GetActiveCellFont() const { return activeCellFont_.get(); }
    void SetActiveCellFont(TFont* Value);
    TBitmap* GetRowIndicator() const { return rowIndicator_.get(); }
    void SetRowIndicator(TBitmap* Value);

    // --- settings of the grid's look and behaviour ---
    const AnsiString& GetFloatFormat() const { return floatFormat_; }
    void SetFloatFormat(const AnsiString& Value) { floatFormat_ = Value; }
    const AnsiString& GetCheckTrueText() const { return checkTrue_; }
    void SetCheckTrueText(const AnsiString& Value) { checkTrue_ = Value; }
    const AnsiString& GetCheckFalseText() const { return checkFalse_; }
    void SetCheckFalseText(const AnsiString& Value) { checkFalse_ = Value; }
    bool GetActiveCellShow() const { return activeCellShow_; }
    void SetActiveCellShow(bool Value);
    TColor GetActiveCellColor() const { return activeCellColor_; }
    void SetActiveCellColor(TColor Value);
    TColor GetActiveCellColorTo() const { return activeCellColorTo_; }
    void SetActiveCellColorTo(TColor Value);
    TColor GetSelectionColor() const { return selectionColor_; }
    void SetSelectionColor(TColor Value) { selectionColor_ = Value; }
    TColor GetSelectionColorTo() const { return selectionColorTo_; }
    void SetSelectionColorTo(TColor Value) { selectionColorTo_ = Value; }
    TColor GetSelectionTextColor() const { return selectionTextColor_; }
    void SetSelectionTextColor(TColor Value) { selectionTextColor_ = Value; }
    bool GetShowSelection() const { return showSelection_; }
    void SetShowSelection(bool Value) { showSelection_ = Value; }
    TColor GetHintColor() const { return hintColor_; }
    void SetHintColor(TColor Value) { hintColor_ = Value; }
    bool GetEnableHTML() const { return enableHTML_; }
    void SetEnableHTML(bool Value) { enableHTML_ = Value; }
    bool GetEnableWheel() const { return enableWheel_; }
    void SetEnableWheel(bool Value) { enableWheel_ = Value; }
    bool GetEnhRowColMove() const { return enhRowColMove_; }
    void SetEnhRowColMove(bool Value) { enhRowColMove_ = Value; }
    bool GetIntelliZoom() const { return intelliZoom_; }
    void SetIntelliZoom(bool Value) { intelliZoom_ = Value; }
    TColor GetURLColor() const { return urlColor_; }
    void SetURLColor(TColor Value) { urlColor_ = Value; }
    TGridLook GetLook() const { return look_; }
    void SetLook(TGridLook Value) { look_ = Value; }
    TScrollType GetScrollType() const { return scrollType_; }
    void SetScrollType(TScrollType Value) { scrollType_ = Value; }
    TColor GetScrollColor() const { return scrollColor_; }
    void SetScrollColor(TColor Value) { scrollColor_ = Value; }
    int GetScrollWidth() const { return scrollWidth_; }
    void SetScrollWidth(int Value) { scrollWidth_ = Value; }
    bool GetWordWrap() const { return newCellWordWrap_; }
    void SetWordWrap(bool Value);
    TVAlignment GetVAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment Value) { vAlignment_ = Value; }
    TEditorType GetDefaultEditor() const { return defaultEditor_; }
    void SetDefaultEditor(TEditorType Value) { defaultEditor_ = Value; }
    int GetFixedColWidth() const { return GetColWidths(0); }
    void SetFixedColWidth(int Value) { SetColWidths(0, Value); }
    int GetFixedRowHeight() const { return GetRowHeights(0); }
    void SetFixedRowHeight(int Value) { SetRowHeights(0, Value); }
    bool GetSizeWithForm() const { return sizeWithForm_; }
    void SetSizeWithForm(bool Value) { sizeWithForm_ = Value; }
    bool GetIntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool Value) { integralHeight_ = Value; }
    bool GetAutoThemeAdapt() const { return autoThemeAdapt_; }
    void SetAutoThemeAdapt(bool Value);
    bool GetHovering() const { return hovering_; }
    void SetHovering(bool Value) { hovering_ = Value; }
    TPoint GetXYOffset() const { return xyOffset_; }
    void SetXYOffset(TPoint Value);
    bool GetAutoNumAlign() const { return autoNumAlign_; }
    void SetAutoNumAlign(bool Value) { autoNumAlign_ = Value; }
    bool GetAnchorHint() const { return anchorHint_; }
    void SetAnchorHint(bool Value) { anchorHint_ = Value; }
    bool GetAutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value) { autoSize_ = Value; }
    // Gradient of the fixed cells (the glKav look sets silver to white).
    TColor GetKavGradFrom() const { return kavGradFrom_; }
    void SetKavGradFrom(TColor Value);
    TColor GetKavGradTo() const { return kavGradTo_; }
    void SetKavGradTo(TColor Value);
    // Facts of the platform read at construction.
    bool GetIsWinXP() const { return isWinXP_; }
    bool GetIsComCtl6() const { return isComCtl6_; }
    int GetWheelScrollLines() const { return wheelScrollLines_; }
    bool GetLoaded() const { return loaded_; }

    // --- per-cell hooks: each ends by firing its event when assigned ---
    virtual void GetCellHint(int ACol, int ARow, AnsiString& AHint);
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                              TFont* AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                   TFont* AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetColFormat(int ACol, TSortStyle& AStyle, AnsiString& APrefix,
                              AnsiString& ASuffix);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
    virtual void GetCellFixed(int ACol, int ARow, bool& IsFixed);
    virtual void GetCellReadOnly(int ACol, int ARow, bool& CanEdit);
    virtual void GetCellPassword(int ACol, int ARow, bool& IsPassword);
    virtual void GetCellWordWrap(int ACol, int ARow, bool& WordWrap);
    virtual bool HasCombo(int ACol, int ARow);
    virtual AnsiString GetCheckTrue(int ACol, int ARow);
    virtual AnsiString GetCheckFalse(int ACol, int ARow);
    virtual bool GetFilter(int ACol);
    bool IsFixed(int ACol, int ARow) override;

    TGridHintEvent OnGridHint;
    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGetEditorTypeEvent OnGetEditorType;
    TGridBoolEvent OnIsFixedCell;
    TGridBoolEvent OnCanEditCell;
    TGridBoolEvent OnIsPasswordCell;
    TGridBoolEvent OnGetWordWrap;
    TGridBoolEvent OnHasComboBox;
    TGridCheckTextEvent OnGetCheckTrue;
    TGridCheckTextEvent OnGetCheckFalse;
    TRowUpdateEvent OnRowUpdate;

    // The ReadOnly of the cell's properties, false without them (none is made).
    bool GetReadOnly(int ACol, int ARow) const {
        const TCellProperties* p = FindCellProperties(ACol, ARow);
        return p && p->GetReadOnly();
    }
    // Empties every cell's text and frees every cell's properties (hidden rows aside).
    void Clear();

    // Horizontal alignment of one cell's text, through its properties; repaints the cell.
    void SetAlignments(int ACol, int ARow, TAlignment Value);

    // --- dimensions ---
    int GetRowCountEx() const { return GetRowCount(); }
    void SetRowCountEx(int Value);
    int GetColCountEx() const { return GetColCount(); }
    void SetColCountEx(int Value);
    int GetFixedRowsEx() const;
    void SetFixedRowsEx(int Value);
    int GetFixedColsEx() const;
    void SetFixedColsEx(int Value);
    int GetDefRowHeightEx() const { return GetDefaultRowHeight(); }
    void SetDefRowHeightEx(int Value) { SetDefaultRowHeight(Value); }
    // RowCount, ColCount, FixedRows, FixedCols and Row of this grid are these.
    void SetRowCount(int Value) { SetRowCountEx(Value); }
    void SetColCount(int Value) { SetColCountEx(Value); }
    void SetFixedRows(int Value) { SetFixedRowsEx(Value); }
    void SetFixedCols(int Value) { SetFixedColsEx(Value); }
    void SetRow(int Value) { SetRowEx(Value); }
    int GetFixedFooters() const { return fixedFooters_; }
    void SetFixedFooters(int Value);
    int GetFixedRightCols() const { return fixedRightCols_; }
    void SetFixedRightCols(int Value);
    bool GetFixedRowAlways() const { return fixedRowAlways_; }
    void SetFixedRowAlways(bool Value) { fixedRowAlways_ = Value; }
    bool GetFixedColAlways() const { return fixedColAlways_; }
    void SetFixedColAlways(bool Value) { fixedColAlways_ = Value; }
    // Shown plus hidden columns.
    int GetAllColCount() const { return TotalColCount(); }
    int GetRowEx() const { return GetRow(); }
    void SetRowEx(int Value);
    // Fills the last column (-1: the last) up to the client width.
    void StretchColumn(int ACol);
    void StretchRightColumn() { StretchColumn(-1); }

    // --- hidden rows and columns, index maps (real: in the full data; display: as shown) ---
    int RemapCol(int ACol) const;
    int RemapColInv(int ACol) const;
    int RemapRow(int ARow) const;
    int RemapRowInv(int ARow) const;
    int RealColIndex(int ACol) const { return RemapCol(ACol); }
    int DisplColIndex(int ACol) override { return RemapColInv(ACol); }
    int RealRowIndex(int ARow) const { return RemapRowInv(ARow); }
    int DisplRowIndex(int ARow) const { return RemapRow(ARow); }
    int GetRealCol() const { return RemapCol(GetCol()); }
    int GetRealRow() const { return RemapRowInv(GetRow()); }
    bool IsHiddenColumn(int ACol) const;
    bool IsHiddenRow(int ARow) const;
    int NumHiddenColumns() const { return numHiddenCols_; }
    int NumHiddenRows() const { return hiddenRows_->GetCount(); }
    int TotalColCount() const { return GetColCount() + numHiddenCols_; }
    int TotalRowCount() const { return GetRowCount() + NumHiddenRows(); }
    // The raw shown flag of a real column (0 .. 511).
    bool GetVisibleCol(int ACol) const;
    void SetVisibleCol(int ACol, bool Value);
    // The cells of a hidden real row (the last item of that index), or nullptr.
    TStrings* HiddenRow(int ARow) const;
    // The hidden-row items.
    TCollection* GetHiddenRowList() const { return hiddenRows_.get(); }
    // Saves the selection and marks it hidden; UnHideSelection brings it back.
    void HideSelection();
    void UnHideSelection();
    bool GetSelectionHidden() const { return selectionHidden_; }
    // Frees the properties of every cell, the hidden rows' included.
    void ClearProps() override;

    // --- update lock ---
    void BeginUpdate();
    void EndUpdate();
    void StartUpdate() { ++updateCount_; }
    void ResetUpdate() { updateCount_ = 0; }
    bool GetLockFlag() const { return updateCount_ != 0; }
    void SetLockFlag(bool Value);
    int GetUpdateCount() const { return updateCount_; }

    // --- nodes and grouping (none yet) ---
    bool HasNodes() override { return false; }
    bool IsNode(int) const { return false; }
    bool IsSummary(int) const { return false; }
    int GetNodeCount() const { return 0; }

    // --- cell graphics ---
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    bool FreeCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow, TCellType CellType);
    virtual TCellType GetCellType(int ACol, int ARow);
    int GetCellImageIdx(int ACol, int ARow);
    // The size the graphic takes in the cell on screen (beside or over the text as its
    // alignment says), and printed within an area at a print scale.
    virtual void GetCellGraphicSize(int ACol, int ARow, int& AWidth, int& AHeight);
    virtual void GetPrintGraphicSize(int ACol, int ARow, int AvailWidth, int AvailHeight,
                                     double PrintScale, int& AWidth, int& AHeight);
    // The images that image-list graphics take their pictures from (not owned).
    TCustomImageList* GetGridImages() const { return gridImages_; }
    void SetGridImages(TCustomImageList* Value);

    // --- typed access ---
    void SetInts(int ACol, int ARow, int Value);
    // EKavGridError "Cell does not contain integer value" for a text that is not one.
    int GetInts(int ACol, int ARow);
    void SetFloats(int ACol, int ARow, double Value);
    // EKavGridError "Cell does not contain a float value".
    double GetFloats(int ACol, int ARow);
    // By real index, hidden rows and columns counted.
    void SetAllFloats(int ACol, int ARow, double Value);
    double GetAllFloats(int ACol, int ARow);
    TKavStringGridCheck* GetCellChecker() const { return cellChecker_; }
    void SetCellChecker(TKavStringGridCheck* Value);

    // --- version, column order, wide cells ---
    virtual unsigned GetVersionNr();
    virtual AnsiString GetVersionString();
    AnsiString GetVersion();
    void SetVersion(const AnsiString&) {}
    // Records the present column order (0 .. ColCount-1).
    void SetColumnOrder();
    // Puts the columns back into the recorded order.
    void ResetColumnOrder();
    const std::vector<int>& GetColumnOrder() const { return columnOrder_; }
    void MoveColumn(int FromIndex, int ToIndex);
    WideString GetWideCells(int ACol, int ARow);
    void SetWideCells(int ACol, int ARow, const WideString& Value);
    // The window procedure an external editor gets while it edits a cell; the grid keeps the
    // editor's own one here.
    void SubclassProc(TMessage& Message);
    TWndMethod GetSavedEditorProc() const { return savedEditorProc_; }
    void SetSavedEditorProc(TWndMethod Value) { savedEditorProc_ = Value; }

    // --- the owner form's resize ---
    void GridResize(TObject* Sender);

    // --- hooks the footer, scroll bars and themes fill later ---
    virtual void UpdateFooter() {}
    virtual void UpdateVScroller() {}
    virtual void UpdateHScroller() {}
    virtual void UpdateScrollBars(bool) {}
    virtual void ThemeAdapt() {}
    virtual void NCPaintProc();

protected:
    void Loaded() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Resize() override;
    void Dispatch(TMessage& Message) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::unique_ptr<TCellNode> cellNode_;
    std::unique_ptr<TSizeWhileTyping> sizeWhileTyping_;
    std::unique_ptr<TMouseActions> mouseActions_;
    std::unique_ptr<TColumnSize> columnSize_;
    std::unique_ptr<TNavigation> navigation_;
    std::unique_ptr<THTMLSettings> htmlSettings_;
    std::unique_ptr<TPrintSettings> printSettings_;
    std::unique_ptr<TSortSettings> sortSettings_;
    std::unique_ptr<TControlLook> controlLook_;
    std::unique_ptr<TBackGround> backGround_;
    std::unique_ptr<TBands> bands_;
    std::unique_ptr<TGrouping> grouping_;
    std::unique_ptr<TDragDropSettings> dragDropSettings_;
    std::unique_ptr<TDragScrollOptions> dragScrollOptions_;
    std::unique_ptr<TBalloonSettings> balloon_;
    std::unique_ptr<TShowModified> showModified_;
    std::unique_ptr<TFilter> filter_;
    std::unique_ptr<TStringList> columnHeaders_, rowHeaders_, lookupItems_;
    std::unique_ptr<TFont> fixedFont_, activeCellFont_;
    std::unique_ptr<TBitmap> rowIndicator_;
    std::unique_ptr<TCollection> hiddenRows_;

    AnsiString floatFormat_ = "%.2f";
    AnsiString checkTrue_ = "Y";
    AnsiString checkFalse_ = "N";
    bool activeCellShow_ = false;
    TColor activeCellColor_ = clGray;
    TColor activeCellColorTo_ = clNone;
    TColor selectionColor_ = 0xEACAB6;
    TColor selectionColorTo_ = clNone;
    TColor selectionTextColor_ = clBlack;
    bool showSelection_ = true;
    TColor hintColor_ = clInfoBk;
    bool enableHTML_ = true;
    bool enableWheel_ = true;
    bool enhRowColMove_ = true;
    bool intelliZoom_ = true;
    TColor urlColor_ = clBlue;
    TGridLook look_ = glXP;
    TScrollType scrollType_ = ssNormal;
    TColor scrollColor_ = clNone;
    int scrollWidth_ = 17;
    TVAlignment vAlignment_ = vtaTop;
    TEditorType defaultEditor_ = edNormal;
    bool sizeWithForm_ = false;
    bool integralHeight_ = false;
    bool autoThemeAdapt_ = false;
    bool hovering_ = false;
    TPoint xyOffset_;
    bool autoNumAlign_ = false;
    bool anchorHint_ = false;
    bool autoSize_ = false;
    TColor kavGradFrom_ = clNone;
    TColor kavGradTo_ = clNone;
    TColor buttonGradFrom_ = clNone;
    TColor buttonGradTo_ = clNone;
    bool isWinXP_ = false;
    bool isComCtl6_ = false;
    int wheelScrollLines_ = 3;
    UINT wheelMessage_ = 0;
    bool loaded_ = false;
    TCursor loadedCursor_ = crDefault;
    bool suppressInvalidate_ = false;

    // dimensions
    int fixedFooters_ = 0;
    int fixedRightCols_ = 0;
    bool fixedRowAlways_ = false;
    bool fixedColAlways_ = false;
    int rememberedFixedRows_ = 1;
    int rememberedFixedCols_ = 1;
    int loadedDefaultRowHeight_ = 21;
    int lastReportedRow_ = -1;

    // hidden columns: a shown flag and the width of each real column below 512
    std::vector<uint8_t> visibleCols_;
    std::vector<uint16_t> hiddenWidths_;
    int numHiddenCols_ = 0;
    TGridRect savedSelection_;
    bool selectionHidden_ = false;

    int updateCount_ = 0;
    UINT_PTR gridTimer_ = 0;
    TKavStringGridCheck* cellChecker_ = nullptr;
    TCustomImageList* gridImages_ = nullptr;
    std::vector<int> columnOrder_;
    TWndMethod savedEditorProc_;
    bool transientSelectEdit_ = false;
    bool stretched_ = false;

    // the owner form's resize handler, put back when the grid goes
    TForm* ownerForm_ = nullptr;
    TNotifyEvent savedFormResize_;
    int formWidth_ = 0;
    int formHeight_ = 0;
};

// Exceptions of the grid control ("Cell does not contain integer value"...).
class EKavGridError : public Exception {
public:
    using Exception::Exception;
};

// The grid unit's start-up and shut-down, counted so that the work runs once per process;
// the grid's constructor starts the unit, the end of the process shuts it down.
void InitKavGridUnit();
void DoneKavGridUnit();
int KavGridUnitCount();
// The clipboard format "TKavStringGrid Cells" and whether flat scroll bars may be used.
UINT GetGridClipboardFormat();
bool GetFlatScrollBarsAvailable();
