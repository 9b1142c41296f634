#pragma once
// TKavStringGrid: the rich string grid both programs place on their forms. One class spread
// over several files by what each holds. At the top, the class's core: kav_grid.cpp
// (construction, window, loading, copy), kav_grid_hooks.cpp (the per-cell hooks),
// kav_grid_dimensions.cpp (counts and current row), kav_grid_update.cpp (update lock),
// kav_grid_graphics.cpp (cell graphics), kav_grid_typed.cpp (typed access), kav_grid_version.cpp
// (unit start-up, version, column order, wide cells), kav_grid_cells.cpp (cells by real row,
// per-cell properties, grid setters), kav_grid_visual.cpp (a cell's look and display text),
// kav_grid_notify.cpp (change notices). By concern, in sub-folders: paint/ (the layers of a
// cell, its text and graphic, decorations, the grid's own painting, the footer), input/ (keys,
// mouse, wheel, messages, scroll bars, user sizing), editing/ (editors, validation, form
// controls), rows/ (row and column operations, sorting, hiding, selection, maps, automatic
// sizing, row nodes, row grouping) and markup/ (the markup renderer, its helpers and pictures).

#include "controles/comun/scroll_style.h"
#include "controles/grid/base_grid.h"
#include "controles/grid/cell_graphic.h"
#include "controles/grid/editing/grid_edit_session.h"
#include "controles/grid/grid_settings.h"
#include "controles/grid/grid_support.h"
#include "controles/grid/markup/picture_container.h"
#include "controles/grid/paint/arrow_window.h"
#include "controles/grid/paint/floating_footer.h"
#include "controles/grid/search/find_parameters.h"
#include "controles/grid/search/search_bar.h"
#include "plataforma/base/dates.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/grid/grid_remap.h"
#include "plataforma/gui/services/ole.h"
#include "plataforma/gui/widgets/hint_window.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class TKavStringGridCheck;
class TPrintLayout;
class TStream;
class TForm;
namespace clip_text {
struct BlockText;
}

enum TGridLook { glStandard, glSoft, glClassic, glKav, glXP, glListView };
enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray };
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

using TFilterProgressEvent = std::function<void(TObject* Sender, int Progress)>;
using TGridHintEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& HintStr)>;
// The balloon of a cell: the title, the text and the icon (0 none, 1 information, 2 warning,
// 3 error) may be changed.
using TGridBalloonEvent = std::function<void(TObject* Sender, int ACol, int ARow,
                                             AnsiString& ATitle, AnsiString& AText, int& AIcon)>;
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
// Events of the cells' look, selection and load and save.
using TGridSelectionEvent =
    std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;
// The date picker of a cell changed its value (the current cell's column and row).
using TDateTimeChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime ADateTime)>;
// A drag of the selection resizer: the selection before it and the resized one.
using TSelectionResizeEvent = std::function<void(TObject* Sender, const TGridRect& OrigSelection,
                                                 const TGridRect& NewSelection)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen,
                                                TPen* TopPen, TPen* RightPen, TPen* BottomPen)>;
using TCustomCellDrawEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow, TGridDrawState AState,
                       const TRect& ARect, bool Printing)>;
using TGridFloatFormatEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat,
                                                 AnsiString& FloatFormat)>;
using TGridSaveCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TGridSizeEvent = std::function<void(TObject* Sender, int Index, bool& Allow)>;
// Events of the grid's keys, clicks and validation.
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TRadioClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)>;
using TButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TAnchorClickEvent = std::function<void(TObject* Sender, int ARow, int ACol,
                                             const AnsiString& Anchor, bool& AutoHandle)>;
using TGridClickEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
// A form control of a markup cell (a CONTROL tag): clicked, its edit done.
using TControlEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& CtrlID,
                       const AnsiString& CtrlType, const AnsiString& CtrlVal)>;
// The items of a form combo box about to open: the handler fills Values and may make the
// list fixed (Edit false) or change how many items show.
using TControlComboListEvent = std::function<void(
    TObject* Sender, int ARow, int ACol, const AnsiString& CtrlID, const AnsiString& CtrlType,
    const AnsiString& CtrlVal, TStrings* Values, bool& Edit, int& DropCount)>;
using TGridCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TGridAllowEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TGridRowEvent = std::function<void(TObject* Sender, int Index)>;
using TGridRowAllowEvent = std::function<void(TObject* Sender, int Index, bool& Allow)>;
// A click on a node's glyph: the display row and the real row.
using TNodeAllowEvent = std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)>;
using TNodeEvent = std::function<void(TObject* Sender, int ARow, int ARowReal)>;
using TCellValidateEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value, bool& Valid)>;
using TCellValidateWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value, bool& Valid)>;
enum TDragScrollDirections { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirection = SmallSet<TDragScrollDirections>;
using TOleDragDropEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& Data, bool& Allow)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TOleDropColEvent = std::function<void(TObject* Sender, int ARow, int ACol, int DropCol)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, const TGridRect& ARect)>;
using TOleDropFileEvent = std::function<void(TObject* Sender, int ARow, int ACol,
                                             const AnsiString& FileName, bool& Allow)>;
using TDragScrollEvent = std::function<void(TObject* Sender, int TopRow, int LeftCol,
                                            TDragScrollDirection& Dir, bool& CanScroll)>;
using TGridChangingEvent =
    std::function<void(TObject* Sender, int OldIndex, int NewIndex, bool& Allow)>;
using TCellChangingEvent = std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow,
                                              int NewCol, bool& Allow)>;
using TGridProgressEvent = std::function<void(TObject* Sender, short Progress)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TRect& R)>;
using TAutoInsertRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TCustomCompareEvent =
    std::function<void(TObject* Sender, const AnsiString& Str1, const AnsiString& Str2, int& Res)>;
using TRawCompareEvent =
    std::function<void(TObject* Sender, int Col, int Row1, int Row2, int& Res)>;
using TScrollHintEvent = std::function<void(TObject* Sender, int ARow, AnsiString& HintStr)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
class TGridChangeNotifier;

// Events of editing.
using TEditChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const AnsiString& Value)>;
using TAutoAdvanceEvent = std::function<void(TObject* Sender, int OldRow, int OldCol, int& NewRow,
                                             int& NewCol, bool& Allow)>;
using TClipboardPasteCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value, bool& Allow)>;
using TClipboardPasteWideCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value, bool& Allow)>;
// The last clipboard operation of a grid, and what ImportNotification reports of a paste.
enum TClipOperation { coCut, coCopy };
enum TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow };
using TAnchorHintEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, AnsiString& Anchor)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& S)>;
using TComboChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                             const AnsiString& ASelection)>;
using TComboObjectChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                       const AnsiString& ASelection, TObject* AObject)>;
// A click of a spin editor's buttons (UpDown true for up) or a jump by Page Up, Page Down,
// Home and End, with the value after it.
using TSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TFloatSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;
class TGridEditorControls;
class TDateTimePicker;
class TGridTransEdit;
class TEditLink;
class TRichEdit;
using TGetEditorPropEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;
class TKavInplaceEdit;
class TCustomIniFile;
class TMaskEdit;
class TComboBox;
class TCustomComboBox;
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
// What ExportNotification reports: a walk over the cells starts, reaches a row, ends.
enum TGridExportState { esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail };
// Printing: how a page build runs (draw a preview, draw on the printer or a caller's canvas,
// count the printer's pages, count a preview's pages) and its events.
enum TPrintMethod { prPreview, prPrint, prCalcPrint, prCalcPreview };
using TPrintStartEvent =
    std::function<void(TObject* Sender, int NrOfPages, int& FromPage, int& ToPage)>;
using TPrintPageEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int PageNr, int PageXSize, int PageYSize)>;
using TPrintNewPageEvent = std::function<void(TObject* Sender, int ARow, bool& NewPage)>;
using TPrintPageDoneEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int LastRow, int LastRowOffset,
                       int LastPage, int PageXSize, int PageYSize)>;
using TPrintCancelEvent = std::function<void(TObject* Sender, int PageNr, bool& Cancel)>;
using TPrintColumnWidthEvent = std::function<void(TObject* Sender, int ACol, int& Width)>;
using TPrintRowHeightEvent = std::function<void(TObject* Sender, int ARow, int& Height)>;
using TFitToPageEvent = std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)>;
// The size a cell takes (on paper while printing: tenths of a millimetre).
using TCustomCellSizeEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow, TPoint& ASize)>;

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
    // Copies the list (a missing one changes nothing).
    void SetLookupItems(TStrings* Value);
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
    void SetSelectionColor(TColor Value);
    TColor GetSelectionColorTo() const { return selectionColorTo_; }
    void SetSelectionColorTo(TColor Value);
    TColor GetSelectionTextColor() const { return selectionTextColor_; }
    void SetSelectionTextColor(TColor Value);
    // A selected rich-text cell keeps its own text colours (off: on screen its text takes
    // SelectionTextColor).
    bool GetSelectionRTFKeep() const { return selectionRTFKeep_; }
    void SetSelectionRTFKeep(bool Value) {
        if (selectionRTFKeep_ == Value) return;
        selectionRTFKeep_ = Value;
        Invalidate();
    }
    bool GetShowSelection() const { return showSelection_; }
    void SetShowSelection(bool Value);
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
    // Repaints when links are shown.
    void SetURLColor(TColor Value);
    TGridLook GetLook() const { return look_; }
    // Stores and repaints (glKav takes its silver-to-white fixed gradient); the footer too.
    void SetLook(TGridLook Value);
    TScrollType GetScrollType() const { return scrollType_; }
    // Flat bars switched on (ssFlat, ssEncarta) or off (ssNormal).
    void SetScrollType(TScrollType Value);
    TColor GetScrollColor() const { return scrollColor_; }
    void SetScrollColor(TColor Value);
    int GetScrollWidth() const { return scrollWidth_; }
    void SetScrollWidth(int Value);
    bool GetWordWrap() const { return newCellWordWrap_; }
    void SetWordWrap(bool Value) { SetWordWrapEx(Value); }
    TVAlignment GetVAlignment() const { return vAlignment_; }
    // Stores the alignment and its text-drawing flag; repaints unless updating.
    void SetVAlignment(TVAlignment Value);
    TEditorType GetDefaultEditor() const { return defaultEditor_; }
    void SetDefaultEditor(TEditorType Value) { defaultEditor_ = Value; }
    int GetFixedColWidth() const { return GetColWidths(0); }
    // Every fixed column (not while loading; a value equal to DefaultColWidth is ignored).
    void SetFixedColWidth(int Value);
    int GetFixedRowHeight() const { return fixedRowHeight_; }
    // Every fixed row, or DefaultRowHeight when the height equals it (not while loading).
    void SetFixedRowHeight(int Value);
    bool GetSizeWithForm() const { return sizeWithForm_; }
    void SetSizeWithForm(bool Value) { sizeWithForm_ = Value; }
    bool GetIntegralHeight() const { return integralHeight_; }
    // Stores and applies the present bounds again.
    void SetIntegralHeight(bool Value);
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
    // Stores; when on, sizes the columns to their contents.
    void SetAutoSize(bool Value) {
        autoSize_ = Value;
        if (Value) AutoSizeColumns(false, 10);
    }
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
    // The default row height; the footer's height takes it once there is a footer.
    void SetDefRowHeightEx(int Value);
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
    // Brings display cell (ACol, ARow) into view: a column or row out of view becomes the
    // current one, about in the middle of the view.
    void ScrollInView(int ACol, int ARow);
    // The cell under a screen point, as the mouse finds it.
    void ScreenToCell(TPoint Pt, int& ACol, int& ARow);
    // Whether client point (X, Y) lies less than 4 pixels from a border of a header cell that
    // goColSizing or goRowSizing lets the mouse size.
    bool InSizeZone(int X, int Y);

    // --- the cells that save and export functions write: with StoreFixedCells (off at
    // creation) the whole grid, else the normal cells (no fixed or footer rows, no fixed
    // columns on either side); with StoreHiddenCells the files count and write the hidden
    // columns too ---
    bool GetStoreFixedCells() const { return storeFixedCells_; }
    void SetStoreFixedCells(bool Value) { storeFixedCells_ = Value; }
    bool GetStoreHiddenCells() const { return storeHiddenCells_; }
    void SetStoreHiddenCells(bool Value) { storeHiddenCells_ = Value; }
    int GetSaveStartCol() const;
    int GetSaveStartRow() const;
    int GetSaveEndCol() const;
    int GetSaveEndRow() const;
    int GetSaveColCount() const;
    int GetSaveRowCount() const;

    // --- files: the native text file (column widths and the non-empty cells of the save
    // range, one line each) and the binary form (component images of the grid's size, each
    // cell, its properties and graphic). Every file is written through the file writer: a
    // failed save keeps the old file and raises. The readers check every count, index and
    // length: a bad file raises EKavGridError (text) or EReadError (binary), and the cells
    // read before the fault stay. ---
    // EKavGridError "Cannot Create <file>"; EInOutError when a write fails.
    void SaveToFile(const AnsiString& FileName);
    // EKavGridError "Cannot open file <file>", or "File contains no data or corrupt file
    // <file>" for a header whose counts are not numbers within the grid's limits.
    void LoadFromFile(const AnsiString& FileName);
    void SaveToBinFile(const AnsiString& FileName);
    void LoadFromBinFile(const AnsiString& FileName);
    void SaveToBinStream(TStream* Stream);
    // Columns Left..Right, rows Top..Bottom. Shown: the columns are the shown ones, each
    // read at its real column and stored by its shown index; else real columns.
    void SaveRectToBinStream(const TRect& Rect, TStream* Stream, bool Shown = true);
    // The cells of the given columns and rows (in order, each list not empty) stored as one
    // block from the first of each on, as a rectangle is.
    void SaveLinesToBinStream(const std::vector<int>& Cols, const std::vector<int>& Rows,
                              TStream* Stream, bool Shown);
    void LoadFromBinStream(TStream* Stream);
    // The first stored cell lands on Point and the others keep their distance to it (a
    // stream of the whole grid lands at its own places). Shown: the stored columns are
    // shown ones, each written at its real column. Paste: only the cells a paste may write
    // (ClipboardTakes) take what is stored.
    void LoadAtPointFromBinStream(TPoint Point, TStream* Stream, bool Shown = true,
                                  bool Paste = false);
    // Percent done of a save or load.
    TGridProgressEvent OnFileProgress;

    // --- CSV: one line per row of the save range, fields joined by the delimiter. A field
    // that holds the delimiter, a double quote, a CR or an LF is written in double quotes
    // (quotes doubled, a CR LF as the byte 11); reading takes records as RFC 4180 does (a
    // quoted field may span lines) and gives the byte 11 back as CR LF. Every save goes
    // through the file writer, the append forms too. ---
    // The character 0: comma on writing, detected on reading (and then kept).
    char GetFieldDelimiter() const { return fieldDelimiter_; }
    void SetFieldDelimiter(char Value) { fieldDelimiter_ = Value; }
    // Line breaks as "~" and an empty field as "^".
    bool GetJavaStyleCSV() const { return javaStyleCSV_; }
    void SetJavaStyleCSV(bool Value) { javaStyleCSV_ = Value; }
    bool GetQuoteEmptyCSVCells() const { return quoteEmptyCSVCells_; }
    void SetQuoteEmptyCSVCells(bool Value) { quoteEmptyCSVCells_ = Value; }
    bool GetAlwaysQuoteCSV() const { return alwaysQuoteCSV_; }
    void SetAlwaysQuoteCSV(bool Value) { alwaysQuoteCSV_ = Value; }
    // Texts in the console code page in the file.
    bool GetOemConvert() const { return oemConvert_; }
    void SetOemConvert(bool Value) { oemConvert_ = Value; }
    // EKavGridError "Cannot Create file <file>"; EInOutError when a write fails.
    void SaveToCSV(const AnsiString& FileName) { OutputToCSV(FileName, false); }
    void AppendToCSV(const AnsiString& FileName) { OutputToCSV(FileName, true); }
    // EKavGridError "Cannot open file <file>", or "Too many cells in file <file>" beyond the
    // grid's limits (nothing changed then).
    void LoadFromCSV(const AnsiString& FileName) { InputFromCSV(FileName, false); }
    // The rows go after the last one (before a visible floating footer's row).
    void InsertFromCSV(const AnsiString& FileName) { InputFromCSV(FileName, true); }
    void OutputToCSV(const AnsiString& FileName, bool Append);

    // --- XML: a list element holding one record element per row of the save range, with
    // one element per non-empty base cell, named by FieldNames at the column's place in the
    // save range or FIELD<place>. The file is 8-bit text declared ISO-8859-1 (the bytes are
    // Windows-1252), lines ended by CR LF; texts with the standard entities, a CR as a
    // character reference. ---
    // EKavGridError "Cannot Create file <file>"; EInOutError when a write fails.
    void SaveToXML(const AnsiString& FileName, const AnsiString& ListDescr,
                   const AnsiString& RecordDescr, TStrings* FieldNames);
    // Each child of the document element is a row; its fields (attributes and elements; with
    // Nested the fields inside a field too, else such a field's own text) go to the column
    // of their name: FIELD<n> to the save range's column n, any
    // other name to the column whose fixed row 0 holds it (a new column for a new name, the
    // name written into row 0 with StoreFixedCells). Files of the earlier writer, with "&"
    // written as "$amp", still read right. Exception "XML file not found", or "XMLDOM
    // Parsing error <code> on line <line>" before any cell changes.
    void LoadFromXML(const AnsiString& FileName, bool Nested = false);
    void InputFromCSV(const AnsiString& FileName, bool Insert);

    // --- HTML: a table of the cells (fixed ones with StoreFixedCells, row 0 then as header
    // cells) with their spans, alignments, colours and fonts as style classes, set by
    // HTMLSettings. Texts are escaped; the grid's markup in a cell gives its visible text;
    // blank-separated addresses ("://", "mailto:") become links. XHTML: a document with the
    // XML declaration first, the styles in its head and characters beyond ASCII as character
    // references (as ConvertSpecialChars gives them in plain HTML). NonBreakingText: blanks
    // as non-breaking spaces. ---
    AnsiString SaveToHTMLString();
    // The header file's lines, the table and the footer file's lines (a header or footer
    // file that cannot be read is left out); AutoPreview opens the file with the shell.
    // EKavGridError "Cannot Create file <file>"; EInOutError when a write fails.
    void SaveToHTML(const AnsiString& FileName) { OutputToHTML(FileName, false); }
    void AppendToHTML(const AnsiString& FileName) { OutputToHTML(FileName, true); }
    void OutputToHTML(const AnsiString& FileName, bool Append);

    // --- spreadsheet workbooks (.xlsx), word-processor documents (.docx) and queries on
    // database files (ODBC). Every failure raises EKavGridError: a legacy binary workbook or
    // document "Excel OLE server not found" / "Word OLE server not found" before anything
    // changes, a damaged file the reader's Spanish message, a failed query the driver's. ---
    // The worksheets' names in order, in a new list the caller owns.
    TStringList* GetXLSSheets(const AnsiString& FileName);
    void LoadFromXLS(const AnsiString& FileName) { LoadXLS(FileName, ""); }
    void LoadFromXLSSheet(const AnsiString& FileName, const AnsiString& SheetName) {
        LoadXLS(FileName, SheetName);
    }
    // The sheet's values from A1 to the corner of the cells that hold one, A1 at the fixed
    // offset (none with StoreFixedCells); the grid is sized to them, their area cleared first.
    // The active sheet without a name; "Excel worksheet <name> not found" when the name is
    // not there (the grid unchanged).
    void LoadXLS(const AnsiString& FileName, const AnsiString& SheetName);
    void SaveToXLS(const AnsiString& FileName, bool Existing) { SaveXLS(FileName, "", Existing); }
    void SaveToXLSSheet(const AnsiString& FileName, const AnsiString& SheetName) {
        SaveXLS(FileName, SheetName, true);
    }
    // The save range's texts from A1 of the named sheet (else the active one), line breaks as
    // LF. Into the file's workbook when it exists or Existing asks for one (a missing file is
    // then an error), else into a new workbook. A sheet name the workbook lacks adds that
    // sheet at the end. Numbers that read back as the same text are written as numbers, other
    // texts as strings.
    void SaveXLS(const AnsiString& FileName, const AnsiString& SheetName, bool Existing);
    void LoadFromMDBTable(const AnsiString& FileName, const AnsiString& Table) {
        LoadFromMDBSQL(FileName, "SELECT * FROM " + Table);
    }
    // The query's fields from the first normal column, their names in the last fixed row; the
    // grid grows per record when the driver gives no count. The cells loaded before a failure
    // stay.
    void LoadFromMDBSQL(const AnsiString& FileName, const AnsiString& SQL);
    void SaveToDOC(const AnsiString& FileName, bool Flag) {
        SaveToDOCInt(FileName, "", false, Flag);
    }
    void AppendToDoc(const AnsiString& FileName, const AnsiString& Bookmark) {
        SaveToDOCInt(FileName, Bookmark, true, false);
    }
    // The whole grid as a table of RowCount × ColCount cells (right and centred cells
    // aligned so): in a new document, or appended to the file's document after the paragraph
    // of the bookmark (at the end without one). Flag chose how the word processor was left
    // running; there is none here, and it changes nothing.
    void SaveToDOCInt(const AnsiString& FileName, const AnsiString& Bookmark, bool Append,
                      bool Flag);

    // --- text in columns ---
    // The length of the longest line of the column's saved texts over all rows (a text is its
    // first line without Multilinecells).
    int MaxCharsInCol(int ACol);
    // Every row and column (fixed ones too; the hidden ones with StoreHiddenCells), each
    // column padded to its longest line plus one blank and aligned as the cell is; a
    // multi-line cell's further lines go on extra lines at its column. EKavGridError "Cannot
    // create file <file>"; EInOutError when a write fails.
    void SaveToASCII(const AnsiString& FileName) { SaveToASCIIInt(FileName, false); }
    void AppendToASCII(const AnsiString& FileName) { SaveToASCIIInt(FileName, true); }
    void SaveToASCIIInt(const AnsiString& FileName, bool Append);
    // The save range with ColWidths characters per column, padded with blanks or cut; columns
    // past the list's end get their longest text plus one, added to the list. EKavGridError
    // "Cannot Create file <file>"; EInOutError when a write fails.
    void SaveToFixed(const AnsiString& FileName, TIntList* ColWidths);
    // Each line a row from the save range's first row: field i runs from position i to
    // position i + 1 (1-based characters), trimmed; text past the last position is ignored.
    // ColCount becomes FixedCols + positions - 1. EKavGridError "File <file> not found", or
    // "Invalid column positions for file <file>" (fewer than two, below 1 or not increasing)
    // and "Too many cells in file <file>" before any change.
    void LoadFromFixed(const AnsiString& FileName, TIntList* Positions);

    // --- the text image of the cells in a stream: "columns,rows" of the save range, "cw
    // column,width" for every column, then "column,row,text" for each non-empty cell, indexes
    // relative to the save range, lines ended by CR LF ---
    void SaveToStream(TStream* Stream);
    // Reads from the stream's position up to its end or to the first line that is not a
    // grid line, where the stream is left. EConvertError for a number that is not one,
    // EInvalidGridOperation "Grid index out of range" for a width or cell outside the grid,
    // EKavGridError for a size beyond the grid's limits (before any change).
    void LoadFromStream(TStream* Stream);

    // --- the four windows that mark where a dragged row or column would land ---
    TColor GetArrowColor() const { return arrowColor_; }
    void SetArrowColor(TColor Value);
    // The arrow window pointing Direction (made hidden on first use, in the arrow colour).
    TArrowWindow* GetArrowWindow(TArrowDirection Direction);
    // The small top-most caption window (made hidden on first use); a grid of the glKav look
    // gives it its button gradient when loaded.
    TPopupButton* GetPopupButton();

    // --- hidden rows and columns, index maps (real: in the full data; display: as shown) ---
    int RemapCol(int ACol) const { return numHiddenCols_ == 0 ? ACol : RemapHiddenCol(ACol); }
    int RemapColInv(int ACol) const;
    int RemapRow(int ARow) const;
    int RemapRowInv(int ARow) const {
        return NumHiddenRows() == 0 ? ARow : RemapHiddenRowInv(ARow);
    }
    int RealColIndex(int ACol) const { return RemapCol(ACol); }
    int DisplColIndex(int ACol) override { return RemapColInv(ACol); }
    int RealRowIndex(int ARow) const { return RemapRowInv(ARow); }
    int DisplRowIndex(int ARow) const { return RemapRow(ARow); }
    int GetRealCol() const { return RemapCol(GetCol()); }
    int GetRealRow() const { return RemapRowInv(GetRow()); }
    // The one way from a shown column to a column of the store and back (grid_index.h).
    TRealCol RealColOf(int ACol) const { return TRealCol(RemapCol(ACol)); }
    int ShownColOf(TRealCol ACol) const { return RemapColInv(ACol.Value()); }
    TRealCol ToReal(TShownCol ACol) const override { return TRealCol(RemapCol(ACol.Value())); }
    TShownCol ToShown(TRealCol ACol) const override {
        return TShownCol(RemapColInv(ACol.Value()));
    }
    TRealRow ToReal(TShownRow ARow) const { return TRealRow(RemapRowInv(ARow.Value())); }
    TShownRow ToShown(TRealRow ARow) const { return TShownRow(RemapRow(ARow.Value())); }
    // A shown column's identity, and where a column shows now (-1: gone or hidden).
    TGridColId GetShownColId(int ACol) const override;
    int FindShownColId(TGridColId Id) const override;
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

    // --- row nodes (kav_grid_nodes.cpp). A node row heads a run of rows (its span, the node
    // row included, counted in real rows; 0: up to the next node row); contracting it hides
    // the rest of the run. Real-row arguments: AddNode, RemoveNode, ExpandNode, ContractNode,
    // InsertNormalRow, RemoveNormalRow, InsertChildRow, RemoveChildRow; the others take
    // display rows. ---
    void AddNode(int ARow, int Span);
    TCellGraphic* AddSummary(int ARow);
    void RemoveNode(int ARow);
    void RemoveAllNodes();
    bool IsNode(int ARow);
    bool IsSummary(int ARow);
    // A group's node or summary row, by real row, hidden or shown.
    bool IsNodeOrSummary(TRealRow ARow);
    bool HasNodes() override { return nodeCount_ > 0; }
    int GetNodeCount() const { return nodeCount_; }
    // The row's text indent for the node glyphs: its level times CellNode's NodeIndent.
    int NodeIndent(int ARow) override;
    // True when contracted; false for a row without a node.
    bool GetNodeState(int ARow);
    void SetNodeState(int ARow, bool Value);
    // -1 for a row without a node.
    int GetNodeLevel(int ARow);
    int GetNodeSpan(int ARow);
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    // 0 a node row, 1 the last row of its run, 2 a row after which the tree line goes on.
    int GetNodeSpanType(int ARow);
    // The node row that heads ARow (a node row: its own parent node, or itself at the top),
    // -1 for none.
    int GetParentRow(int ARow);
    // Whether client offset X in column 0 of ARow lies on the row's node glyph.
    bool InNodeRect(int ARow, int X);
    void ExpandNode(int ARow);
    void ContractNode(int ARow);
    void ExpandAll();
    void ContractAll();
    void InsertNormalRow(int ARow);
    void RemoveNormalRow(int ARow);
    // Inserts a row at ARow + Offset inside ARow's node: the spans of the nodes around grow.
    void InsertChildRow(int ARow, int Offset);
    // Removes ARow: the spans of the nodes around it shrink.
    void RemoveChildRow(int ARow);
    TNodeAllowEvent OnBeforeExpandNode;
    TNodeAllowEvent OnBeforeContractNode;
    TNodeEvent OnExpandNode;
    TNodeEvent OnContractNode;

    // --- row grouping (kav_grid_grouping.cpp): rows grouped on the values of a column under
    // node rows (headers), optionally each followed by a summary row; the grouped column
    // leaves the grid until UnGroup ---
    int GetGroupColumn() const { return groupColumn_; }
    // -1 ungroups, a column above 0 groups on it; anything else does nothing.
    void SetGroupColumn(int Value);
    virtual void Group(int ColIndex);
    virtual void UnGroup();
    virtual void SubGroup(int ColIndex);
    virtual void SubUnGroup(int ColIndex);
    int GetSubGroupColumn() const { return subGroupColumn_; }
    // Each group's aggregate of column ACol over its own rows, shown or hidden, into its
    // summary row (with Summary) or its header row: 1 sum, 2 average, 3 minimum, 4 maximum,
    // 5 count.
    void GroupCalc(int ACol, int Mode);
    void GroupSum(int ACol) { GroupCalc(ACol, 1); }
    void GroupAvg(int ACol) { GroupCalc(ACol, 2); }
    void GroupMin(int ACol) { GroupCalc(ACol, 3); }
    void GroupMax(int ACol) { GroupCalc(ACol, 4); }
    void GroupCount(int ACol) { GroupCalc(ACol, 5); }

    // --- cell graphics ---
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    // The graphic look-ups inside the grid: by real column and display row.
    TCellGraphic* GetCellGraphic(TRealCol ACol, TShownRow ARow) {
        return GetCellGraphic(ACol.Value(), ARow.Value());
    }
    TCellType GetCellType(TRealCol ACol, TShownRow ARow) {
        return GetCellType(ACol.Value(), ARow.Value());
    }
    bool FreeCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow, TCellType CellType);
    virtual TCellType GetCellType(int ACol, int ARow);
    int GetCellImageIdx(int ACol, int ARow);
    // The size the graphic takes in the cell on screen (beside or over the text as its
    // alignment says), and printed within an area at a print scale.
    virtual void GetCellGraphicSize(int ACol, int ARow, int& AWidth, int& AHeight);
    void GetCellGraphicSize(TRealCol ACol, TShownRow ARow, int& AWidth, int& AHeight) {
        GetCellGraphicSize(ACol.Value(), ARow.Value(), AWidth, AHeight);
    }
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

    // --- headers, combo items, merged columns (kav_grid_headers.cpp) ---
    // Column headers are the texts of row 0 (when there is a fixed row), one per real
    // column, row headers those of column 0 (when there is a fixed column), one per shown
    // row; escaped line breaks become line breaks. A change of either list shows it again.
    void SetColumnHeaders(TStrings* Value);
    void ShowColumnHeaders();
    void ClearColumnHeaders();
    void ColHeaderChanged(TObject* Sender);
    void SetRowHeaders(TStrings* Value);
    void ShowRowHeaders();
    void ClearRowHeaders();
    void RowHeaderChanged(TObject* Sender);
    // The items of the grid's combo editor and the one it shows selected when it opens
    // (-1: none).
    TStrings* GetComboItems() const { return comboItems_.get(); }
    void AddComboString(const AnsiString& S);
    void AddComboStringObject(const AnsiString& S, TObject* AObject);
    void ClearComboString();
    int GetComboCount() const;
    // Removes the first item equal to S; false when there is none.
    bool RemoveComboString(const AnsiString& S);
    int GetComboSelection() const { return comboSelection_; }
    void SetComboSelection(int Index) { comboSelection_ = Index; }
    // Selects the first item equal to S; false (nothing changed) when there is none.
    bool SetComboSelectionString(const AnsiString& S);
    // The real columns whose runs of equal normal cells are merged, in order; writing an
    // item, Add and Delete merge them again. With the sort settings' AutoColumnMerge a
    // header-click sort splits them first and merges them again after.
    TIntList* GetMergedColumns() const { return mergedColumns_.get(); }
    void ApplyColumnMerge();
    // Splits the merged cells of every column.
    void UndoColumnMerge();
    void MergedColumnsChanged(TObject* Sender, int Index, int Operation);
    void FixedFontChanged(TObject* Sender);
    // Repaints the cell whose image list changed (real column).
    void MultiImageChanged(TObject* Sender, int ACol, int ARow);
    void RichSelChange(TObject* Sender);
    TNotifyEvent OnRichEditSelectionChange;

    // --- marking, checking and in-cell controls (kav_grid_marking.cpp) ---
    // Every cell of the rectangle (real columns, shown rows) gets each hit of HiText
    // wrapped in "<Tag>" ... "</Tag>"; UnMarkCells takes the tag away again.
    void MarkCells(const AnsiString& HiText, const AnsiString& Tag, bool DoCase, const TRect& R);
    void UnMarkCells(const AnsiString& Tag, const TRect& R);
    // The same with the tag "hi" (highlight) or "e" (mark) over one cell, a column, a row or
    // the grid: with DoFixed every cell, else the normal ones (no fixed rows or columns,
    // no footer rows, no fixed right columns).
    void HilightInCell(int ACol, int ARow, const AnsiString& HiText, bool DoCase);
    void HilightInCol(bool DoFixed, bool DoCase, int ACol, const AnsiString& HiText);
    void HilightInRow(bool DoFixed, bool DoCase, int ARow, const AnsiString& HiText);
    void HilightInGrid(bool DoFixed, bool DoCase, const AnsiString& HiText);
    void UnHilightInCell(int ACol, int ARow);
    void UnHilightInCol(bool DoFixed, int ACol);
    void UnHilightInRow(bool DoFixed, int ARow);
    void UnHilightInGrid(bool DoFixed);
    void MarkInCell(int ACol, int ARow, const AnsiString& HiText, bool DoCase);
    void MarkInCol(bool DoFixed, bool DoCase, int ACol, const AnsiString& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int ARow, const AnsiString& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const AnsiString& HiText);
    void UnMarkInCell(int ACol, int ARow);
    void UnMarkInCol(bool DoFixed, int ACol);
    void UnMarkInRow(bool DoFixed, int ARow);
    void UnMarkInGrid(bool DoFixed);
    // The same on a free text.
    static AnsiString HilightText(bool DoCase, const AnsiString& S, const AnsiString& HiText);
    static AnsiString MarkText(bool DoCase, const AnsiString& S, const AnsiString& HiText);
    static AnsiString UnHilightText(const AnsiString& S);
    static AnsiString UnMarkText(const AnsiString& S);
    // The checker's correction and then its marking (which wins) written into the cell;
    // true when the text stayed the same (always without a checker). With the checker's
    // GotoCell the cursor visits the cell.
    bool CheckCell(int ACol, int ARow);
    // Row by row between the checker's StartCheck and StopCheck; the cursor is put back
    // afterwards. True when no cell changed.
    bool CheckCells(const TRect& R);
    bool CheckCol(bool DoFixed, int ACol);
    bool CheckRow(bool DoFixed, int ARow);
    bool CheckGrid(bool DoFixed);
    // The value of the control named CtrlName in the cell's markup (empty without one);
    // SetCtrlVal writes the cell only when the control is there.
    AnsiString GetCtrlVal(int ACol, int ARow, const AnsiString& CtrlName);
    void SetCtrlVal(int ACol, int ARow, const AnsiString& CtrlName, const AnsiString& Value);

    // --- fills, dates and numbering (kav_grid_fills.cpp) ---
    // Every cell (AllCells) or the normal ones, then CellsLoaded: the text; a random
    // integer from 0 to Limit - 1 (0 when Limit is not positive); column ":" row.
    void TextFill(bool AllCells, const AnsiString& Text);
    void RandomFill(bool AllCells, int Limit);
    void LinearFill(bool AllCells);
    // A date not after 0 is written as an empty text when NullDates is off. The readers
    // raise EConvertError for a text that is not a date or a time.
    void SetDates(int ACol, int ARow, TDateTime Value);
    TDateTime GetDates(int ACol, int ARow);
    void SetTimes(int ACol, int ARow, TDateTime Value);
    TDateTime GetTimes(int ACol, int ARow);
    // Numbers the normal rows of a column (the normal columns of a row) 1, 2, 3 ... from
    // AutoNumberSkip cells after the fixed ones on, each plus AutoNumberOffset; with
    // AutoNumberReverse the numbers run from the last normal cell backwards.
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    int AutoNumberOffset = 0;
    int AutoNumberSkip = 0;
    bool AutoNumberReverse = false;

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
    // Column widths ("Col" + index) and the column order ("Pos" + index) in the store that
    // ColumnSize names; nothing without its Key and Section.
    void SaveColSizes();
    void LoadColSizes();
    void SaveColPositions();
    void LoadColPositions();
    // Every print setting in section Section of the INI file Key; loading keeps a setting
    // whose value is missing or unreadable.
    void SavePrintSettings(const AnsiString& Key, const AnsiString& Section);
    void LoadPrintSettings(const AnsiString& Key, const AnsiString& Section);
    // The look as name=value lines in a text file. Saving replaces the file only when every
    // write succeeded ("Cannot Create " + FileName otherwise); loading ("Cannot open file " +
    // FileName when it cannot be read) keeps a property whose value is missing or unreadable.
    void SaveVisualProps(const AnsiString& FileName);
    void LoadVisualProps(const AnsiString& FileName);
    void MoveColumn(int FromIndex, int ToIndex);
    WideString GetWideCells(int ACol, int ARow);
    void SetWideCells(int ACol, int ARow, const WideString& Value);
    // The window procedure an external editor gets while it edits a cell; the grid keeps the
    // editor's own one here.
    void SubclassProc(TMessage& Message);
    TWndMethod GetSavedEditorProc() const { return savedEditorProc_; }
    void SetSavedEditorProc(TWndMethod Value) { savedEditorProc_ = Value; }

    // ===== Rows and columns, change notices, sorting, hiding, scroll bars, sizing =====
    // kav_grid_rows.cpp (row and column operations), kav_grid_notify.cpp (change notices,
    // notifiers, cell controls), kav_grid_rowselect.cpp (the row-select flags the row
    // operations keep), kav_grid_sort.cpp, kav_grid_hide.cpp, kav_grid_scrollbars.cpp,
    // kav_grid_autosize.cpp.

    // --- change notices ---
    // After one accepted cell change: the footer of its column.
    virtual void UpdateCell(int ACol, int ARow);
    // After cells changed by code (columns Left..Right, rows Top..Bottom): OnCellsChanged,
    // each registered notifier in order, then the footer of every column.
    virtual void CellsChanged(const TRect& R);
    // After many cells were filled at once: the footer of every column.
    virtual void CellsLoaded();
    // The footer's calculation of one column (-1: all; hidden columns counted).
    virtual void CalcFooter(int ACol) { DoCalcFooter(ACol); }
    virtual void DoCalcFooter(int ACol);
    // Listed once; a notifier that is freed leaves the list by itself.
    void RegisterNotifier(TGridChangeNotifier* ANotifier);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
    int GetNotifierCount() const { return static_cast<int>(notifiers_.size()); }
    TCellsChangedEvent OnCellsChanged;
    // Places each cell's control over its cell when the cell is in view, hides it otherwise.
    void CellControlsUpdate() {
        if (controlList_ && controlList_->GetCount() > 0) PlaceCellControls();
    }

    // --- row and column operations (display rows; hidden columns go with their rows;
    // columns are real columns, hidden ones counted, as the store keeps them) ---
    void AddRow();
    // A shown column after every other, hidden ones included.
    void AddColumn();
    virtual void InsertRows(int RowIndex, int RCount);
    virtual void InsertCols(int ColIndex, int CCount);
    virtual void RemoveRows(int RowIndex, int RCount);
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    virtual void RemoveRowsInternal(int RowIndex, int RCount);
    void IRemoveRows(int RowIndex, int RCount, bool UpdateHidden);
    virtual void RemoveCols(int ColIndex, int CCount);
    // Columns of the clearing operations are real columns (hidden ones reached);
    // ClearNormalRows and ClearSelection clear shown cells only.
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void ClearRows(int RowIndex, int RCount) {
        if (RCount >= 1) ClearRect(0, RowIndex, TotalColCount() - 1, RowIndex + RCount - 1);
    }
    void ClearCols(int ColIndex, int CCount);
    void ClearNormalRows(int RowIndex, int RCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearNormalCells();
    // Empties every cell, hidden columns included, and frees their properties.
    void Clear();
    void ClearSelection();
    void RemoveDuplicates(int ACol, bool CaseSensitive);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void SwapRows(int ARow1, int ARow2);
    void SwapColumns(int ACol1, int ACol2);
    void MergeColumnCells(int ACol, bool MainMerge);
    void MergeRowCells(int ARow, bool MainMerge);
    void SplitColumnCells(int ACol);
    void SplitRowCells(int ARow);
    void SplitAllCells();
    void MergeCols(int ColIndex1, int ColIndex2, const AnsiString& Separator);
    bool IsCell(const AnsiString& SubStr, int& ACol, int& ARow);
    bool IsWideCell(int ACol, int ARow) const;
    virtual void DoInsertRow(int ARow);
    virtual void DoDeleteRow(int ARow);
    TAutoInsertRowEvent OnAutoInsertRow;
    TAutoInsertRowEvent OnAutoDeleteRow;
    // While set, clearing a cell forgets its properties instead of freeing them.
    bool GetKeepObjects() const { return keepObjects_; }

    // --- sorting ---
    // 1, 0 or -1: cell (ACol, ARow1) against cell (ACol, ARow2) by the column's style.
    int Compare(int ACol, int ARow1, int ARow2, TSortDirection Direction);
    int CompareLine(int ACol, int ARow1, int ARow2);
    int CompareLineIndexed(int Key, int ARow1, int ARow2);
    // Sorts the normal rows on the sort column (by the sort index list), stably.
    virtual void QSort();
    virtual void QSortIndexed();
    // Sorts the child rows of every expanded node.
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    // Back to the order before the first sort.
    virtual void QUnSort();
    // Sorts rows ARow1 .. ARow2 on one column (on the index list).
    void QuickSort(int ACol, int ARow1, int ARow2);
    void QuickSortIndexed(int ARow1, int ARow2);
    // Bubble sort of the normal rows on one column.
    void SortByColumn(int ACol);
    void InitSortXRef();
    virtual void SortSwapRows(int ARow1, int ARow2);
    int SortedRowIndex(int ARow);
    int UnSortedRowIndex(int ARow);
    AnsiString GetUnSortedCell(int ACol, int ARow);
    void SetUnSortedCell(int ACol, int ARow, const AnsiString& Value);
    TSortIndexList* GetSortIndexes() const { return sortIndexes_.get(); }
    const std::vector<int>& GetSortXRef() const { return sortXRef_; }
    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;

    // --- hiding and showing (real indexes) ---
    // A hidden row keeps the reasons it is hidden for (THideReason): hidden by these calls,
    // inside a contracted node, filtered out. Hiding adds a reason, showing takes one away,
    // and a row shows again once it has none. The calls here hide and show by hand: a row
    // a contracted node or the filter hides stays hidden through UnHideRow.
    void HideColumn(int ACol) { HideColumns(ACol, ACol); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ACol) { UnHideColumns(ACol, ACol); }
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    void HideRow(int ARow) { HideRows(ARow, ARow); }
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    // Hides the real rows the list holds in one pass.
    void HideRowList(TIntList* RowList);
    void UnHideRow(int ARow) { UnHideRows(ARow, ARow); }
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    // Shows every row hidden by hand in one pass.
    void UnHideRowList();
    // The reasons real row ARow is hidden for; 0 for a shown row.
    uint8_t HiddenReasons(int ARow) const;

    // --- filtering (kav_grid_filter.cpp) ---
    // Whether display row ARow satisfies the Filter conditions, taken in order (every row
    // does with none); a condition that cannot be evaluated does not match.
    virtual bool MatchFilter(int ARow);
    // Hides display row ARow when it does not match.
    void FilterRow(int ARow);
    // Hides, in one pass, every normal row above the footer rows that does not match,
    // reporting the rows done in percent.
    void ApplyFilter();
    bool GetFilterActive() const { return filterActive_; }
    // On: remembers the fixed rows and filters. Off: shows the rows the filter hid and the
    // ones hidden by hand (a contracted node's rows stay in it) and puts the fixed rows back.
    // The footer is calculated again.
    void SetFilterActive(bool Value);
    TFilterProgressEvent OnFilterProgress;

    // --- scroll bars and column sizes ---
    TScrollBarAlways GetScrollBarAlways() const { return scrollBarAlways_; }
    void SetScrollBarAlways(TScrollBarAlways Value);
    bool GetScrollProportional() const { return scrollProportional_; }
    void SetScrollProportional(bool Value);
    TScrollHintType GetScrollHints() const { return scrollHints_; }
    void SetScrollHints(TScrollHintType Value) { scrollHints_ = Value; }
    bool GetScrollSynch() const { return scrollSynch_; }
    void SetScrollSynch(bool Value) { scrollSynch_ = Value; }
    // The proportional thumb: positions 0..127 span the scrollable rows (columns).
    virtual void UpdateVScroller();
    virtual void UpdateHScroller();
    // Shows, hides, enables and disables the bars by ScrollBarAlways and what fits.
    virtual void UpdateScrollBars(bool Force);
    // Flat scroll bars: the window's bars drawn in the style, colour and width of
    // ScrollType, ScrollColor and ScrollWidth. The calls do nothing until FlatInit.
    void FlatInit();
    void FlatDone();
    bool GetFlatInit() const { return flatInit_; }
    void FlatSetScrollProp(int Index, int Value, bool Redraw);
    void FlatSetScrollInfo(int Bar, const SCROLLINFO& Info, bool Redraw);
    // Only for a bar that ScrollBars includes.
    void FlatShowScrollBar(int Bar, bool Show);
    void UpdateType();
    void UpdateColor();
    void UpdateWidth();
    // Type, colour and width; then each bar shown (with its scroll information) when not
    // everything fits in its direction, else hidden.
    void FlatUpdate();
    // The window's scroll information copied into the flat bar.
    void UpdateVScrollBar();
    void UpdateHScrollBar();
    // After a new size: the flat bars follow what fits, and a bar ScrollBars leaves out is
    // hidden.
    void SizeScrollBars();
    // The string grid's scroll style.
    TScrollStyle GetScrollBarsEx() const { return GetScrollBars(); }
    void SetScrollBarsEx(TScrollStyle Value) { SetScrollBars(Value); }
    TScrollHintEvent OnScrollHint;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    virtual void UpdateColSize(int ACol, int& AWidth);
    virtual void UpdateAutoColSize(int ACol, int& AWidth);
    // Called when a column header text changes, before the headers are shown again: nothing.
    virtual void UpdateColHeaders() {}
    virtual void DoAppendRow() { SetRowCountEx(GetRowCount() + 1); }

    // --- automatic sizing ---
    void AutoSizeCol(int ACol);
    void AutoSizeColumns(bool DoFixedCols, int Padding);
    void AutoSizeRow(int ARow);
    void SizeToWidth(int ACol, bool GrowOnly);
    void SizeToHeight(int ARow, bool GrowOnly);
    void SizeToLines(int ARow, int Lines, int Padding);
    // Every row from 0 (DoFixedRows) or the first normal row: wrapped text by its cells'
    // heights plus Padding, else by its largest line count.
    void AutoSizeRows(bool DoFixedRows, int Padding);
    // Columns to their widest cell and rows grown to their highest, each cell with PaddingX
    // across and PaddingY down.
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    int GetMinColWidth() const { return minColWidth_; }
    void SetMinColWidth(int Value) { minColWidth_ = Value; }
    int GetMaxColWidth() const { return maxColWidth_; }
    void SetMaxColWidth(int Value) { maxColWidth_ = Value; }
    int GetMinRowHeight() const { return minRowHeight_; }
    void SetMinRowHeight(int Value) { minRowHeight_ = Value; }
    int GetMaxRowHeight() const { return maxRowHeight_; }
    void SetMaxRowHeight(int Value) { maxRowHeight_ = Value; }
    bool GetAutoSizeGrowOnly() const { return autoSizeGrowOnly_; }
    void SetAutoSizeGrowOnly(bool Value) { autoSizeGrowOnly_ = Value; }
    // ===== end of rows and columns, change notices, sorting, hiding, scroll bars, sizing =====

    // --- the owner form's resize ---
    void GridResize(TObject* Sender);

    // --- the footer and themes ---
    // Repaints the footer panel.
    virtual void UpdateFooter();
    // Applies the colour scheme of the current visual style.
    virtual void ThemeAdapt();
    virtual void NCPaintProc();

    // =========================================================================================
    // Cells, per-cell properties, selection and the cell painter: kav_grid_cells.cpp (access
    // by real row, per-cell properties, grid setters, load and save hooks),
    // kav_grid_selection.cpp (disjunct selections, modified rows, repainting),
    // kav_grid_visual.cpp (a cell's colours, font, alignment, display text and graphic size),
    // kav_grid_paint.cpp (the layers of one cell) and kav_grid_text.cpp (its text).
    // =========================================================================================

    // --- cells by real row (hidden rows counted) ---
    AnsiString GetCellsEx(int ACol, int ARow);
    void SetCellsEx(int ACol, int ARow, const AnsiString& Value);
    // The cell (real column) of the hidden row with that identity; false when none has it.
    bool SetCellOfHiddenRow(TGridRowId Id, int ACol, const AnsiString& Value) override;
    WideString GetWideCellsEx(int ACol, int ARow);
    void SetWideCellsEx(int ACol, int ARow, const WideString& Value);
    // The application's object (the one kept inside the cell's properties when it has them).
    TObject* GetObjectsEx(int ACol, int ARow);
    void SetObjectsEx(int ACol, int ARow, TObject* Value);
    int GetAllRowCount() const { return TotalRowCount(); }
    // A column's width by real index: a hidden column answers its stored width.
    int GetAllColWidths(int ACol) const;
    void SetAllColWidths(int ACol, int Value);
    // The stored text of the current cell: the current row at the real column of the current
    // column (the base cell of its block when merged).
    virtual AnsiString GetCurrentCell();
    virtual void SetCurrentCell(const AnsiString& Value);
    // Writes the current cell as the in-place editor does.
    virtual void SetEditCell(const AnsiString& Value);
    AnsiString GetStrippedCell(int ACol, int ARow);
    bool GetEditWithTags() const { return editWithTags_; }
    void SetEditWithTags(bool Value) { editWithTags_ = Value; }

    // --- per-cell properties: getters answer the default and never make the properties ---
    TColor GetColors(int ACol, int ARow) const;
    void SetColors(int ACol, int ARow, TColor Value);
    TColor GetColorsTo(int ACol, int ARow) const;
    void SetColorsTo(int ACol, int ARow, TColor Value);
    TColor GetFontColors(int ACol, int ARow) const;
    void SetFontColors(int ACol, int ARow, TColor Value);
    TFontStyles GetFontStyles(int ACol, int ARow) const;
    void SetFontStyles(int ACol, int ARow, TFontStyles Value);
    AnsiString GetFontNames(int ACol, int ARow) const;
    void SetFontNames(int ACol, int ARow, const AnsiString& Value);
    int GetFontSizes(int ACol, int ARow) const;
    void SetFontSizes(int ACol, int ARow, int Value);
    TAlignment GetAlignments(int ACol, int ARow) const;
    // Stores, no repaint.
    void SetReadOnly(int ACol, int ARow, bool Value);
    // The cell's word wrap; a cell without properties answers the word wrap new cells get.
    bool GetWordWraps(int ACol, int ARow) const;
    void SetWordWraps(int ACol, int ARow, bool Value);
    // Every column from the fixed ones on, hidden ones counted; clNone frees the cells'
    // properties instead.
    void SetRowColor(int ARow, TColor Value);
    void SetRowColorTo(int ARow, TColor Value);
    void SetRowFontColor(int ARow, TColor Value);
    // A control placed over a cell (not owned); nullptr takes it away.
    TControl* GetCellControls(int ACol, int ARow) const;
    void SetCellControls(int ACol, int ARow, TControl* Value);
    int GetControlCellCount() const { return controlCells_; }

    // --- grid setters ---
    bool GetWordWrapEx() const { return newCellWordWrap_; }
    void SetWordWrapEx(bool Value);
    bool GetFlat() const { return flat_; }
    void SetFlat(bool Value);
    int GetMaxEditLength() const { return maxEditLength_; }
    void SetMaxEditLength(int Value);
    bool GetUseHTMLHints() const { return useHTMLHints_; }
    // Stores; the application's hints then show in the markup hint window (or the plain one).
    void SetUseHTMLHints(bool Value);

    // Balloons (kav_grid_balloon.cpp): a tool-tip window over the client area that asks the
    // grid for the text of the cell under the mouse pointer.
    void BalloonInit();
    void BalloonDone();
    // Balloon.OnEnableChange: creates or removes the balloon (not while loading).
    void BalloonChange(TObject* Sender);
    // ShowModified.OnChange: repaints the column that marks modified rows.
    void ModifiedChanged(TObject* Sender);
    // The tool-tip window, nullptr without balloons.
    HWND GetToolTipHandle() const { return toolTip_; }
    TGridBalloonEvent OnCellBalloon;
    TCursor GetCursorEx() const { return GetCursor(); }
    void SetCursorEx(TCursor Value);
    TCursor GetRememberedCursor() const { return rememberedCursor_; }
    // The DrawText flag of VAlignment (0, DT_VCENTER, DT_BOTTOM).
    unsigned GetVAlignFlag() const { return vAlignFlag_; }
    // Within -10 .. 10 steps: adds Step to the zoom the painter adds to every cell's font
    // size, and to every column width and row height that stays above 0.
    void Zoom(int Step);
    int GetZoomFactor() const { return zoom_; }
    // Public switches of SaveCell and of writing dates (all on at creation).
    bool SaveFormatted = true;
    bool SaveWithMarkup = true;
    bool NullDates = true;

    // --- load, save and export hooks ---
    virtual AnsiString CalcCell(int ACol, int ARow);
    virtual AnsiString SaveCell(int ACol, int ARow);
    virtual void LoadCell(int ACol, int ARow, const AnsiString& Value);
    virtual void ExportNotification(int /*AState*/, int /*ARow*/) {}

    // --- searching the cells ---
    // Start (-1, -1) tests the range's first cell (its last backward); any other start
    // begins one step on. (-1, -1) when nothing matches.
    TPoint Find(TPoint Start, const AnsiString& Text, TFindParameters Params);
    TPoint FindWide(TPoint Start, const WideString& Text, TFindParameters Params);
    // Find from (-1, -1), and from the last found cell with the stored text and parameters;
    // both store their result (also (-1, -1)) as the last found cell.
    TPoint FindFirst(const AnsiString& Text, TFindParameters Params);
    TPoint FindNext();
    // The cell test of the stored search.
    bool MatchCell(TRealCol ACol, TShownRow ARow, bool Wide);
    // The first non-fixed row whose lookup cell (the sort column when the indicator shows,
    // else column 1) begins with Text, given upper-cased; -1 when none.
    int Search(const AnsiString& Text);
    TPoint GetLastFound() const { return lastFound_; }
    void SetLastFound(TPoint Value) { lastFound_ = Value; }
    int GetPresetSearchCol() const { return presetSearchCol_; }
    void SetPresetSearchCol(int Value) { presetSearchCol_ = Value; }
    int GetPresetSearchRow() const { return presetSearchRow_; }
    void SetPresetSearchRow(int Value) { presetSearchRow_ = Value; }
    // The search bar (search_bar.h): its options, which Assign copies, and its panel.
    TSearchFooter* GetSearchFooter() const { return searchFooter_.get(); }
    void SetSearchFooter(TSearchFooter* Value) { searchFooter_->Assign(Value); }
    TSearchPanel* GetSearchPanel() const { return searchPanel_; }
    // The bar's handlers: typing searches from the top; the next and previous buttons go
    // on from the last found cell; close hides the bar; the highlight button marks the text.
    void SearchEditChange(TObject* Sender);
    void SearchForward(TObject* Sender);
    void SearchBackward(TObject* Sender);
    void SearchExit(TObject* Sender);
    void SearchHighLight(TObject* Sender);
    // Puts the options on the panel: colours, captions, hints, button look, what shows and
    // the layout.
    void SearchChanged(TObject* Sender);
    virtual void ImportNotification(int /*AState*/, int /*ARow*/) {}
    virtual void EditProgress(const AnsiString& /*Text*/, int /*Pos*/, int /*Value*/) {}

    // --- selection ---
    // EKavGridError "Invalid row accessed" outside 0 .. all rows - 1.
    bool GetRowSelect(int ARow) const;
    void SetRowSelect(int ARow, bool Value);
    // The index the row flags keep a display row under: its real row with
    // RowSelectPersistent (the flag stays with the row while rows hide), else itself.
    int RowSelectIndex(TShownRow ARow) const;
    // EKavGridError "Invalid column accessed" outside 0 .. ColCount - 1.
    bool GetColSelect(int ACol) const;
    void SetColSelect(int ACol, bool Value);
    void SelectRows(int RowIndex, int RCount);
    void SelectCols(int ColIndex, int CCount);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void ClearRowSelect();
    void ClearColSelect();
    void SelectToRowSelect(bool All);
    void SelectToColSelect(bool All);
    int GetRowSelectCount() const;
    int GetColSelectCount() const;
    // Without DisjunctCellSelect the list takes the cells of Selection (one cell: none).
    int GetSelectedCellsCount();
    // EKavGridError "Invalid cell index" outside the list.
    TPoint GetSelectedCell(int Index) const;
    bool GetSelectedCells(int ACol, int ARow) const;
    void SetSelectedCells(int ACol, int ARow, bool Value);
    void ClearSelectedCells();
    // False for fixed cells; else by the disjunct row or column flag, or Selection.
    bool IsSelected(int ACol, int ARow);
    // Cells joined by tabs, rows by CR LF; a wide cell as its characters in the code page.
    AnsiString SelectedText();
    virtual void SelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
    TGridSelectionEvent OnSelectionChanged;
    bool GetRowModified(int ARow) const;
    void SetRowModified(int ARow, bool Value);
    void ClearModifiedRows();
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void RepaintRect(const TRect& R);
    void InvalidateGridRect(const TGridRect& R);
    bool GetSelectionRectangle() const { return selectionRectangle_; }
    void SetSelectionRectangle(bool Value);
    bool GetSelectionResizer() const { return selectionResizer_; }
    void SetSelectionResizer(bool Value);
    // The resizer's handle, the 6 x 6 pixels at the bottom right of the selection's last cell
    // (with SelectionResizer and SelectionRectangle). A press on it copies the selection,
    // dragging resizes the selection from its top-left cell, and the release pastes the copied
    // block into the resized selection (AllowSmartClipboard fills it), between
    // OnSelectionResize and OnSelectionResized.
    bool OnSelectionResizer(int X, int Y);
    // A resize of the selection is being dragged.
    bool GetSelectionResizing() const { return selResize_; }
    TSelectionResizeEvent OnSelectionResize;
    TSelectionResizeEvent OnSelectionResized;

    // --- the clipboard (clipboard/kav_grid_clipboard.cpp; the smart fill of a selection in
    // clipboard/kav_grid_smart_paste.cpp). A copy puts the cells as text (TAB between cells,
    // CR LF after every row of a block of several rows; a cell holding a TAB, a double quote
    // or a line break quoted with its quotes doubled, which a paste undoes), with a wide cell
    // also as Unicode text; with AllowFmtClipboard also as "TKavStringGrid Cells" (the binary
    // form of the block); with AllowRTFClipboard, when the block's first cell holds rich
    // text, also as "Rich Text Format". A paste takes the richest format the options allow.
    // Errors of the binary form raise EKavGridError. ---
    // The save range; the selection (or the save range's disjunctly selected rows or
    // columns); the whole grid as an HTML fragment, also as text.
    void CopyToClipBoard();
    void CopySelectionToClipboard();
    void CopyToClipBoardAsHTML();
    // The copy, then the cells that may be edited (all with AllowClipboardAlways) emptied;
    // disjunctly selected rows or columns cleared whole.
    void CutToClipboard();
    void CutSelectionToClipboard();
    // At the save range's first cell, or at the selection's (and with AllowSmartClipboard
    // the selection filled from what was pasted).
    void PasteFromClipboard();
    void PasteSelectionFromClipboard();
    // Columns Left..Right, rows Top..Bottom.
    void CopyFunc(const TRect& R, bool Disjunct);
    void CopyBinFunc(const TRect& R);
    void CopyRTFFunc(TShownCol ACol, TShownRow ARow);
    // The number of cells the clipboard held (of the text: its fields).
    int PasteFunc(int ACol, int ARow);
    // Writes TAB / CR LF text from (ACol, ARow) on, growing the grid first where the options
    // allow; the number of fields read.
    int PasteText(int ACol, int ARow, const AnsiString& Text);
    // The text's fields in its widest line and its lines ended by a line break, less the
    // empty ones.
    TPoint PasteSize(const AnsiString& Text);
    // The write of every pasted cell: a check box takes the check state.
    virtual void PasteInCell(int ACol, int ARow, const AnsiString& Value);
    // After cells were pasted: the origin of the copied block when it was this grid's, else
    // (-1, -1); the pasted rectangle; this grid's last clipboard operation.
    virtual void PasteNotify(TPoint /*Origin*/, const TRect& /*R*/, TClipOperation /*Op*/) {}
    // Widens Selection over the merged cells at its corners.
    void CorrectSelection();
    TPoint GetClipboardOrigin() const { return clipOrigin_; }
    TClipOperation GetLastClipOperation() const { return lastClipOp_; }
    // A copied cell of several lines goes with its line breaks as the byte 11.
    bool ClipboardCSVLineFeeds = false;
    TClipboardPasteCellEvent OnClipboardBeforePasteCell;
    TClipboardPasteWideCellEvent OnClipboardBeforePasteWideCell;

    // --- how a cell looks and what it shows ---
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                             bool Remap, TBrush* ABrush, TColor& AColorTo, TFont* AFont,
                             TAlignment& HA, TVAlignment& VA, bool& WW) override;
    // Horizontal alignment in the low byte, vertical in the high byte.
    int GetCellAlignment(int ACol, int ARow);
    virtual AnsiString GetFormattedCell(int ACol, int ARow);
    TCellGraphic* GetGraphicDetails(int ACol, int ARow, int& W, int& H, bool& DisplText,
                                    TCellHAlign& HA, TCellVAlign& VA);
    // The cell's graphic (node, progress bar, image list...) painted as the screen paints it
    // into R of another canvas (paper), in that canvas's device units.
    void PaintCellGraphic(TCanvas* Canvas, int RealCol, int ARow, const TRect& R, TAlignment HA,
                          TVAlignment VA);
    // The tree lines of the row's column 0 as the screen draws them, R being that cell.
    void PaintTreeLines(TCanvas* Canvas, int ARow, const TRect& R) {
        DrawTreeLines(Canvas, ARow, R);
    }
    TSize GetCellTextSize(int ACol, int ARow, bool WordWrap);
    bool IsPassword(int ACol, int ARow);
    char GetPasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char Value) { passwordChar_ = Value; }
    bool GetEnhTextSize() const { return enhTextSize_; }
    void SetEnhTextSize(bool Value);
    bool GetMultilinecells() const { return multiLineCells_; }
    void SetMultilinecells(bool Value);
    bool GetURLShow() const { return urlShow_; }
    void SetURLShow(bool Value);
    // With URLShow: a right click on a link cell edits its text (a left click opens it).
    bool GetURLEdit() const { return urlEdit_; }
    void SetURLEdit(bool Value) { urlEdit_ = Value; }
    // Fixed cells held down by the left button are drawn pressed in, as buttons (with both
    // fixed grid lines and a grid that is not Flat).
    bool GetFixedAsButtons() const { return fixedAsButtons_; }
    void SetFixedAsButtons(bool Value) { fixedAsButtons_ = Value; }
    // The fixed cell drawn pressed by the left button, (-1, -1) when none.
    TPoint GetPressedFixedCell() const {
        return fixedButtonDown_ ? fixedButtonCell_ : TPoint(-1, -1);
    }
    bool GetURLFull() const { return urlFull_; }
    void SetURLFull(bool Value);
    bool GetHideFocusRect() const { return hideFocusRect_; }
    void SetHideFocusRect(bool Value);
    TPictureContainer* GetPictureContainer() const { return pictureContainer_; }
    void SetPictureContainer(TPictureContainer* Value);

    // --- the painter ---
    void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect,
                      TGridDrawState AState) override;
    TGridBorderPropEvent OnGetCellBorderProp;
    TCustomCellDrawEvent OnCustomCellDraw;
    TGridFloatFormatEvent OnGetFloatFormat;
    TGridSaveCellEvent OnSaveCell;
    TGridSaveCellEvent OnLoadCell;
    TGridSizeEvent OnColumnSize;
    TGridSizeEvent OnRowSize;

    // =========================================================================================
    // Cell decorations and radio groups (kav_grid_decorations.cpp) and the layer that draws a
    // cell's graphic (kav_grid_graphic_layer.cpp; its glyphs in grid_glyphs.cpp).
    // =========================================================================================
    // Add keeps the caller's object; Create makes one the cell owns and returns it.
    void AddBitmap(int ACol, int ARow, TBitmap* ABitmap, bool Transparent, TCellHAlign HA,
                   TCellVAlign VA);
    TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HA, TCellVAlign VA);
    TBitmap* GetBitmap(int ACol, int ARow);
    void RemoveBitmap(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctBitmap); }
    void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode Stretch,
                    int Inset, TCellHAlign HA, TCellVAlign VA);
    TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode Stretch, int Inset,
                            TCellHAlign HA, TCellVAlign VA);
    TPicture* GetPicture(int ACol, int ARow);
    void RemovePicture(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctPicture); }
    void AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent,
                        TStretchMode Stretch, int Inset, TCellHAlign HA, TCellVAlign VA);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode Stretch,
                                    int Inset, TCellHAlign HA, TCellVAlign VA);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    void RemoveFilePicture(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctFilePicture); }
    void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign HA, TCellVAlign VA);
    TIcon* CreateIcon(int ACol, int ARow, TCellHAlign HA, TCellVAlign VA);
    void RemoveIcon(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctIcon); }
    // Nothing without an image list.
    void AddImageIdx(int ACol, int ARow, int Idx, TCellHAlign HA, TCellVAlign VA);
    void RemoveImageIdx(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctImageList); }
    bool GetImageIdx(int ACol, int ARow, int& Idx);
    void AddDataImage(int ACol, int ARow, int Idx, TCellHAlign HA, TCellVAlign VA);
    void RemoveDataImage(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctDataImage); }
    bool HasDataImage(int ACol, int ARow);
    void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign HA, TCellVAlign VA);
    void RemoveMultiImage(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctImages); }
    TIntList* GetCellImages(int ACol, int ARow);
    void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                       TColor BKTextColor);
    void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor,
                              TColor BKColor, TColor BKTextColor, const AnsiString& AFormat,
                              int AMin, int AMax);
    void RemoveProgress(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctProgress); }
    void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
    void SetProgressPie(int ACol, int ARow, int Value);
    void RemoveProgressPie(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctProgressPie); }
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                           bool ShowValue);
    void RemoveRangeIndicator(int ACol, int ARow) {
        RemoveCellGraphic(ACol, ARow, ctRangeIndicator);
    }
    void AddComment(int ACol, int ARow, const AnsiString& Comment);
    void AddColorComment(int ACol, int ARow, const AnsiString& Comment, TColor Color);
    bool IsComment(int ACol, int ARow, AnsiString& Comment);
    void RemoveComment(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctComment); }
    void RemoveAllComments();
    void AddRotated(int ACol, int ARow, int AAngle, const AnsiString& S);
    void SetRotated(int ACol, int ARow, int AAngle);
    void RemoveRotated(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctRotated); }
    bool IsRotated(int ACol, int ARow, int& AAngle);
    void AddButton(int ACol, int ARow, int BW, int BH, const AnsiString& Caption, TCellHAlign HA,
                   TCellVAlign VA);
    void AddBitButton(int ACol, int ARow, int BW, int BH, const AnsiString& Caption, TBitmap* Glyph,
                      TCellHAlign HA, TCellVAlign VA);
    TBitmap* CreateBitButton(int ACol, int ARow, int BW, int BH, const AnsiString& Caption,
                             TCellHAlign HA, TCellVAlign VA);
    void SetButtonText(int ACol, int ARow, const AnsiString& Caption);
    void PushButton(int ACol, int ARow, bool Down);
    bool HasButton(int ACol, int ARow);
    // The button's rectangle: its offset in the cell (stored when painted) and its size; the
    // column is a shown one, as for CellRect.
    TRect ButtonRect(int ACol, int ARow) { return ButtonRect(TShownCol(ACol), TShownRow(ARow)); }
    TRect ButtonRect(TShownCol ACol, TShownRow ARow);
    void RemoveButton(int ACol, int ARow);
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void RemoveCheckBox(int ACol, int ARow);
    bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    bool HasDataCell(int ACol, int ARow);
    bool HasStaticEdit(int ACol, int ARow);
    // The column is a real one, as for HasCheckBox.
    bool IsInCheckBox(int ACol, int ARow, int X, int Y) {
        return IsInCheckBox(TRealCol(ACol), TShownRow(ARow), X, Y);
    }
    bool IsInCheckBox(TRealCol ACol, TShownRow ARow, int X, int Y);
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool ToggleCheck(int ACol, int ARow, bool FromEdit);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCheck(ACol, ARow, false); }
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();
    // Start and length of the cell's marked stretch (0, 0 without one).
    void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
    // Radio groups: Add keeps the caller's list; Create makes one the cell owns.
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* Strings);
    TStrings* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    TStrings* GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    void RemoveRadio(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctRadio); }
    bool ToggleRadio(int ACol, int ARow, bool FromEdit);
    // Moves R's top-left corner to where text S turned by Angle degrees starts.
    void CalcTextPos(TRect& R, int Angle, const AnsiString& S, TAlignment HA, TVAlignment VA);

    // =========================================================================================
    // The floating footer and its column calculations (kav_grid_footer.cpp, floating_footer.h)
    // =========================================================================================
    TFloatingFooter* GetFloatingFooter() const { return floatingFooter_.get(); }
    void SetFloatingFooter(TFloatingFooter* Value) { floatingFooter_->Assign(Value); }
    TFooterPanel* GetFooterPanel() const { return footerPanel_; }
    // The canvas the footer panel paints with.
    TCanvas* GetFooterCanvas() const;
    // True while a fixed last-row footer is shown: the last row is the footer's.
    void SetFooterRowActive(bool Value) { footerRowActive_ = Value; }
    bool GetFooterRowActive() const { return footerRowActive_; }
    // Set by the footer panel while it paints cells with DrawGridCell.
    void SetFooterPainting(bool Value) { footerPainting_ = Value; }
    bool GetFooterPainting() const { return footerPainting_; }
    // The footer previews paint the current row's cell with black selected text: they swap
    // the colour for their paint, without repainting the grid. Gives the colour replaced.
    TColor SwapSelectionTextColor(TColor Value) {
        const TColor old = selectionTextColor_;
        selectionTextColor_ = Value;
        return old;
    }
    // (CalcFooter, DoCalcFooter and UpdateCell stand with the change notices.)
    void FloatFooterUpdate() override { UpdateFooter(); }
    // Statistics over rows FromRow..ToRow of a column (or columns FromCol..ToCol of a row):
    // only the base cells of merged areas count, cells that do not read as numbers are
    // skipped, and in a grouped grid node and summary rows too. The average divides by the
    // cells counted; minimum and maximum start from the first of them; 0 with none.
    double ColumnSum(int ACol, int FromRow, int ToRow);
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    double RowSum(int ARow, int FromCol, int ToCol);
    double RowAvg(int ARow, int FromCol, int ToCol);
    double RowMin(int ARow, int FromCol, int ToCol);
    double RowMax(int ARow, int FromCol, int ToCol);
    TFooterPaintEvent OnFooterPaint;

    // =========================================================================================
    // Grid-level painting (kav_grid_grid_paint.cpp): the area outside the cells, the wallpaper,
    // the border, sizing lines, sort arrows, themes.
    // =========================================================================================
    void PaintBackground();
    void DrawWallPaperFixed(const TRect& R);
    void DrawWallPaperTile(const TRect& R);
    // Dotted XOR lines: drawing one twice takes it away.
    void DrawSizingLine(int X);
    void DrawSizingLineR(int Y);
    // The sort arrow centred at (X, Y).
    void DrawSortIndicator(TCanvas* Canvas, int ACol, int X, int Y);
    // Rich text drawn as its plain text: no rich-text control renders it here.
    void RTFPaint(int ACol, int ARow, TCanvas* Canvas, const TRect& R);
    void SetTheme(TXPColorScheme Value);
    // Fired at the end of each paint.
    TNotifyEvent OnAfterPaint;

protected:
    void Loaded() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Resize() override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The display column is mapped to the real one; merged cells edit their base cell; markup
    // is stripped unless EditWithTags.
    AnsiString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const AnsiString& Value) override;
    // An editor's row was hidden while it was open: its text goes into the hidden row.
    void SetEditTextOfMissingRow(TGridRowId Id, int ACol, const AnsiString& Value) override;
    // The stored cell that display cell (ACol, ARow) edits.
    TPoint EditedCell(int ACol, int ARow);
    // The inherited decision, then OnColumnSize and OnRowSize may refuse.
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                         int& SizingOfs, TGridDrawInfo& FixedInfo) override;

    // ===== rows and columns, sorting, hiding, scroll bars, sizing (see the public block) =====
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void TopLeftChanged() override;
    void ScrollBarsUpdated() override;
    // WM_VSCROLL and WM_HSCROLL: scroll hints and synchronous scrolling, then the grid's own
    // handling and the bars brought up to date.
    void GridScrollMessage(TMessage& Message);

private:
    // ===== the one place where what is kept by a row's or a column's place follows a change
    // of structure (rows/kav_grid_structure.cpp lists every such state) =====
    // A sort may leave the row marks where they are (MoveRowOnSort off).
    enum class TRowChange { Other, Sort };
    // Shown maps the old display rows to the new ones, Real the old real rows (hidden rows
    // counted) to the new ones. A removal calls it before the rows are taken out (the gone
    // rows' controls are let go while their cells are there); every other change after the
    // rows moved.
    void RowsRestructured(const TGridRemap& Shown, const TGridRemap& Real,
                          TRowChange Kind = TRowChange::Other);
    // Real maps the old real columns to the new ones; called after the cells moved, with the
    // merged blocks as they stood before the change (MergedBlocks).
    struct TMergedBlock;
    void ColsRestructured(const TGridRemap& Real, const std::vector<TMergedBlock>& Blocks);
    // The merged blocks' part of it: each block follows its columns, or is split.
    void FollowColumnBlocks(const TGridRemap& Real, const std::vector<TMergedBlock>& Blocks);
    // A permutation of display rows as a permutation of real rows: each hidden row goes along
    // with the shown row above it.
    TGridRemap RealOfShownPermutation(const TGridRemap& Shown) const;
    // Whether any state kept by a row's place exists (most grids have none: a row operation
    // then builds no map).
    bool HasRowPlaceState() const {
        return !rowSelect_.empty() || controlList_->GetCount() > 0 || NumHiddenRows() > 0 ||
               (ole_.dragging && !ole_.rows.empty());
    }
    // RCount empty rows at display row RowIndex, real row RealAt (the hidden rows from
    // RealAt on come after them).
    void InsertRowsCore(int RowIndex, int RealAt, int RCount);
    // RCount empty shown rows at real row RealAt, hidden or not.
    void InsertRealRows(int RealAt, int RCount);
    // Takes display rows RowIndex .. +RCount-1 out (their slots must be free or empty).
    void DropRowBlock(int RowIndex, int RCount);
    void RemoveRowsCore(int RowIndex, int RCount, bool UpdateHidden, bool FreeProps,
                        bool KeepRowSelectOption);
    // After rows left the grid: the current row stays at its place when the grid still has
    // one there, the top row with it; else both go to the first normal row.
    void KeepRowAfterRemoval(int SavedRow, int SavedTop);
    // Assign's part for the contents: cells, properties, widths, heights, hidden columns and
    // rows, the recorded column order.
    void AssignCells(const TKavStringGrid& Source);
    void HiddenRowsChanged() {
        hiddenSorted_.clear();
        hiddenSortedValid_ = false;
    }
    const std::vector<int>& SortedHiddenIndexes() const;
    // The hidden row with the identity, or nullptr.
    TGridItem* HiddenItemOf(TGridRowId Id) const;
    // A merged block: the real column of its left cells and its span to the right, and its
    // rows by identity, top to bottom, hidden ones included (Base is the first of them).
    struct TMergedBlock {
        int Col;
        int SpanX;
        TGridRowId Base;
        std::vector<TGridRowId> Rows;
    };
    // The merged blocks before a change of structure: those recorded (merges_) that the shown
    // rows still show as they were laid, whatever rows of theirs are hidden, and those merged
    // since (none without merges).
    std::vector<TMergedBlock> MergedBlocks() const;
    // After rows were inserted, removed, hidden, shown, moved or sorted: each block is laid
    // again over its rows now shown, from the first to the last, rows inserted between them
    // joining it, and recorded. A block whose first row left, or whose shown rows no longer
    // follow each other in its order (another row came back between them, a move or a sort
    // parted them), is split into single cells and forgotten.
    void Remerge(const std::vector<TMergedBlock>& Blocks,
                 const std::vector<TGridRowId>& NewRows = {});
    // The row's merged cells made single (a row that comes back from hiding).
    void SingleCellsOfRow(int ARow);
    // The cell (real column) made single when it holds properties.
    void MakeSingleCell(int ACol, int ARow);
    // Empties the cells of the shown columns ACol1 .. ACol2 in rows ARow1 .. ARow2, each at
    // its real column: ClearRect over each run of real columns.
    void ClearShownRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void FireCellsChanged(int Left, int Top, int Right, int Bottom) {
        CellsChanged(TRect(Left, Top, Right, Bottom));
    }
    // Sorting: the permutation of the rows First .. Last computed from keys made once.
    void SortRange(int First, int Last, bool Indexed, TRealCol Column);
    // Puts row Order[i] at First+i, the merged blocks kept in shape around it.
    void ApplyRowOrder(int First, const std::vector<int>& Order);
    void PlaceRowsInOrder(int First, const std::vector<int>& Order);
    void MoveRowsInOnePass(int First, const std::vector<int>& Order);
    void SortFrame(bool Indexed, bool Group, bool FireRowUpdate);
    // Hides the shown real rows of a sorted list in one pass, for Reason; Append adds their
    // items at the end of the collection without their heights.
    void HideRealRows(const std::vector<int>& Reals, bool Append, uint8_t Reason);
    // Gives the real rows of a sorted list (without repeats) Reason: the hidden ones take
    // it beside theirs, the shown ones are hidden for it (the grid keeps one row shown).
    void HideFor(std::vector<int> Reals, uint8_t Reason, bool Append = false);
    // Takes the reasons of Mask from the hidden rows listed (sorted real rows) or from every
    // hidden row; those left with none are shown, in one pass.
    void ShowFor(const std::vector<int>& Reals, uint8_t Mask);
    void ShowAllFor(uint8_t Mask);
    void ShowItemsFor(const std::vector<TGridItem*>& Items, uint8_t Mask);
    // Shows the given hidden rows (sorted by real index) in one pass.
    void UnHideItems(std::vector<TGridItem*> Items);
    // The hidden row at real row ARow, or nullptr.
    TGridItem* HiddenItemAt(int ARow) const;
    // Every hidden row shown for a while (to be walked or tested as shown rows): each
    // one's identity and reasons, to be hidden again by HideAgain for those of Mask.
    std::vector<std::pair<TGridRowId, uint8_t>> ShowEveryRow();
    void HideAgain(const std::vector<std::pair<TGridRowId, uint8_t>>& Rows, uint8_t Mask);
    // The size a cell's text and graphic need (the sizing routines' measure).
    TPoint MeasureCell(TShownCol ACol, TShownRow ARow, bool Zoom, bool WordWrap);
    void DoScrollHint(bool Vert, int ScrollCode, int Pos);
    void ProportionalBar(bool Vert);
    // ScrollBars includes the bar.
    bool HasBar(int Bar) const;
    // The window's scroll information into the flat bar of a bar ScrollBars includes.
    void CopyToFlatBar(int Bar);

    std::vector<TGridChangeNotifier*> notifiers_;
    bool keepObjects_ = false;
    bool editingInProgress_ = false;
    std::unique_ptr<TSortIndexList> sortIndexes_;
    std::vector<int> sortXRef_;
    int sortingColumn_ = -1; // the real column a single-column sort moves
    int sortCurrentRow_ = -1;
    mutable std::vector<int> hiddenSorted_;
    mutable std::vector<TGridItem*> hiddenSortedItems_; // the items in the same order
    mutable bool hiddenSortedValid_ = false;
    TScrollBarAlways scrollBarAlways_ = saNone;
    bool scrollProportional_ = false;
    TScrollHintType scrollHints_ = shNone;
    bool scrollSynch_ = false;
    bool flatInit_ = false;
    bool sizingBars_ = false; // SizeScrollBars under way
    bool scrollInProgress_ = false;
    bool stretching_ = false;
    std::unique_ptr<THintWindow> scrollHintWindow_;
    int minColWidth_ = 0, maxColWidth_ = 0;
    int minRowHeight_ = 0, maxRowHeight_ = 0;
    bool autoSizeGrowOnly_ = false;
    bool filterActive_ = false;
    int filterFixedRows_ = 0;
    // The cells the marking, checking and fill forms work on (real columns, shown rows):
    // with All every one, else the normal ones; the column and row forms over one of them.
    TRect CellRange(bool All) const;
    TRect CellColRange(bool All, int ACol) const;
    TRect CellRowRange(bool All, int ARow) const;
    // Each cell of R, row by row, within the grid.
    template <class F> void EachCell(const TRect& R, F&& Do) {
        const int rows = GetRowCount(), cols = TotalColCount();
        for (int r = std::max(0, R.Top); r <= R.Bottom && r < rows; ++r)
            for (int c = std::max(0, R.Left); c <= R.Right && c < cols; ++c)
                Do(c, r);
    }
    // Each cell a hidden row keeps between real columns First and Last: its row's list
    // (texts, and property objects owned by the grid) and the real column.
    template <class F> void EachHiddenRowCell(int First, int Last, F&& Do) {
        for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
            TStrings* cells = static_cast<TGridItem*>(hiddenRows_->GetItem(i))->GetItems();
            for (int c = std::max(0, First); c <= Last && c < cells->GetCount(); ++c)
                Do(*cells, c);
        }
    }
    // The graphic of a hidden row's cell, or nullptr.
    static TCellGraphic* HiddenCellGraphic(TStrings& Cells, int ACol);
    // Frees it, as FreeCellGraphic does for a shown cell.
    static void FreeHiddenCellGraphic(TStrings& Cells, int ACol);
    // Empties the hidden rows' cells between real columns First and Last, properties freed.
    void ClearHiddenRowCells(int First, int Last);
    void GotoCell(int ACol, int ARow);
    // ===== end =====

private:
    // Nodes and grouping.
    TCellGraphic* NodeGraphic(int ARow);
    // The column-0 properties, the node graphic and the node level of real row ARow,
    // hidden or not.
    TCellProperties* NodePropsOfReal(int ARow);
    TCellGraphic* NodeOfReal(int ARow);
    int LevelOfReal(int ARow);
    // GetParentRow over real rows, hidden ones included.
    int ParentOfReal(int ARow);
    // Before display rows RowIndex .. +RCount-1 are removed: the rows of the nodes among them
    // go one level up; the hidden rows of the closed ones are given back (to ReopenRows once
    // the rows are gone).
    std::vector<TGridRowId> ReleaseNodeRuns(int RowIndex, int RCount);
    void ReopenRows(const std::vector<TGridRowId>& Rows);
    // The last real row of the run the node at real row ARow heads (never past the last
    // normal row).
    int NodeLastReal(int ARow, const TCellGraphic& Node);
    void AddNodeLevels(int FromReal, int ToReal, int Delta);
    // Opens the closed node at real row ARow, leaving the other nodes as they are.
    void OpenNode(int ARow);
    void ResizeParents(int Parent, int Delta);
    int LastNormalRow() const { return GetRowCount() - 1 - fixedFooters_; }
    void StyleGroupRow(int ARow, int FromCol, bool Header);
    // Empty rows at the display rows At (sorted, as they stand once inserted), in one pass.
    void InsertRowsAt(const std::vector<int>& At);
    // Removes the display rows Rows (sorted) in one pass.
    void RemoveRowList(const std::vector<int>& Rows);
    // Node rows among the rows about to be emptied or removed stop counting as nodes.
    void ForgetNodesOf(int RowIndex, int RCount) {
        if (nodeCount_ != 0) ForgetNodeRows(RowIndex, RCount);
    }
    void ForgetNodeRows(int RowIndex, int RCount);
    // RemapCol once some column is hidden, RemapRowInv once some row is.
    int RemapHiddenCol(int ACol) const;
    int RemapHiddenRowInv(int ARow) const;
    // CellControlsUpdate once some cell holds a control.
    void PlaceCellControls();
    // The change notice to the registered notifiers.
    void TellNotifiers(const TRect& R);
    // The floating footer's calculations of column ACol (-1: every column).
    void CalcFooterColumns(int ACol);
    int nodeCount_ = 0;
    int groupColumn_ = -1;
    int groupWidth_ = 0;
    AnsiString groupHeader_, groupFooter_;
    int subGroupColumn_ = -1;

    std::unique_ptr<TCellNode> cellNode_;
    std::unique_ptr<TSizeWhileTyping> sizeWhileTyping_;
    std::unique_ptr<TMouseActions> mouseActions_;
    std::unique_ptr<TColumnSize> columnSize_;
    std::unique_ptr<TNavigation> navigation_;
    std::unique_ptr<THTMLSettings> htmlSettings_;
    std::unique_ptr<TPrintSettings> printSettings_;
    std::unique_ptr<TPrintLayout> printLayout_;
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
    std::unique_ptr<TStringList> columnHeaders_, rowHeaders_, lookupItems_, comboItems_;
    std::unique_ptr<TIntList> mergedColumns_;
    // The merged blocks as last laid, hidden rows included (see MergedBlocks).
    std::vector<TMergedBlock> merges_;
    // While ResetColumnOrder moves columns one by one: the first real place of the column now
    // at each place. The blocks follow the whole reordering at its end, not each move (a
    // block's columns may stand apart between two moves).
    std::vector<int>* reorderSources_ = nullptr;
    int comboSelection_ = -1;
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
    bool selectionRTFKeep_ = false;
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
    std::vector<int> hiddenWidths_; // whole widths, also beyond 16 bits
    bool storeFixedCells_ = false;
    bool storeHiddenCells_ = false;
    char fieldDelimiter_ = '\0';
    bool javaStyleCSV_ = false;
    bool quoteEmptyCSVCells_ = false;
    bool alwaysQuoteCSV_ = false;
    bool oemConvert_ = false;
    TColor arrowColor_ = 0x00FF00;
    TArrowWindow* arrows_[4] = {};        // owned as components, made on first use
    TPopupButton* popupButton_ = nullptr; // owned as a component, made on first use
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

    // --- cells, selection and painting ---
    // What one cell's text layer leaves for its graphic.
    struct TTextExtent {
        int Width = 0;
        int Height = 0;
    };
    // The part of the cell rectangle R where its text is laid: less the room the cell's
    // graphic (G, GW x GH, placed by GHA and GVA) keeps before, after, above or under the
    // text and, in column 0 of a grid with nodes, the indent of a row that is no node row.
    TRect TextRoom(int RealCol, int ARow, TRect R, bool HasGraphic, int GW, int GH, TCellHAlign GHA,
                   TCellVAlign GVA);
    // The same with the cell's own graphic.
    TRect TextRoom(int RealCol, int ARow, const TRect& R);
    TTextExtent DrawCellText(TCanvas* Canvas, int ACol, int RealCol, int ARow, TRect R,
                             TGridDrawState AState, TAlignment HA, TVAlignment VA, bool WW,
                             bool HasGraphic, bool DisplText, int GW, int GH, TCellHAlign GHA,
                             TCellVAlign GVA, TColor SavedBrush, TColor SavedFont);
    void DrawCellBorders(TCanvas* Canvas, int RealCol, int ARow, TRect R);
    void DrawCellGraphic(TCanvas* Canvas, int RealCol, int ARow, TRect R, TCellGraphic* G, int GW,
                         int GH, int TW, TAlignment HA, TVAlignment VA, TGridDrawState AState);
    void DrawCheckBoxLook(TCanvas* Canvas, const TRect& R, bool Checked, bool Enabled);
    // Column 0 of node grids (kav_grid_tree.cpp).
    void DrawTreeLines(TCanvas* Canvas, int ARow, const TRect& R);
    void DrawNodeGlyph(TCanvas* Canvas, int RealCol, int ARow, TRect R, const TCellGraphic& G);
    void DrawRadioLook(TCanvas* Canvas, const TRect& R, TCellGraphic* G, int RealCol, int ARow,
                       TGridDrawState AState, bool Enabled);
    bool GraphicEnabled(int ACol, int ARow);
    // The named glyphs the graphic layer drew, loaded once per grid.
    // Removes, or hides, each normal row whose selection is Selected.
    void DropRowsBySelection(bool Selected, bool Hide);
    TBitmap* Glyph(const char* Name);
    // A check box or radio button in a look that draws a picture (csWinXP, csKav, csGlyph):
    // Stock names the look's eight glyphs in order, Custom is the user's glyph for the state.
    void DrawMarkGlyph(TCanvas* Canvas, int X, int Y, TGridControlStyle Style,
                       const char* const* Stock, bool On, bool Enabled, TBitmap* Custom);
    std::map<std::string, std::unique_ptr<TBitmap>> glyphs_;
    std::unique_ptr<TFloatingFooter> floatingFooter_;
    TFooterPanel* footerPanel_ = nullptr; // owned as a component
    bool footerPainting_ = false;
    bool SortIndicatorHere(int RealCol, int ARow);
    void DrawBackgroundPicture(TCanvas* Canvas, const TRect& R);
    bool MouseSelecting() const { return GetGridState() == gsSelecting; }
    int SelectionRow(int ARow) const;
    // The shown rows whose row-select flag is set (rows selected one by one), top to bottom.
    std::vector<int> FlaggedRows() const;
    // The shown columns and rows of SelectedText (and of a drag of the selection).
    void SelectedBlock(std::vector<int>& Cols, std::vector<int>& Rows) const;
    bool RowFlag(int ARow) const;
    // The mark of a shown column (kept by real column).
    bool ColFlag(int ACol) const;
    static uint64_t CellKey(int ACol, int ARow) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(ARow)) << 32) |
               static_cast<uint32_t>(ACol);
    }
    bool AddSelectedCell(int ACol, int ARow);

    // Row marks by real row (RowSelectPersistent) or display row, column marks by real column.
    std::vector<uint8_t> rowSelect_, colSelect_;
    // The modified rows, by identity: a mark stays with its row wherever it goes.
    std::unordered_set<uint64_t> rowModified_;
    // The selected cells in the order they were selected, and a hashed index of them.
    std::vector<TPoint> selCells_;
    std::unordered_set<uint64_t> selCellIndex_;
    bool selectionRectangle_ = false;
    bool selectionResizer_ = false;
    int fixedRowHeight_ = 21;
    bool flat_ = false;
    int maxEditLength_ = 0;
    bool useHTMLHints_ = false;
    TCursor rememberedCursor_ = crDefault;
    unsigned vAlignFlag_ = 0;
    int zoom_ = 0;
    bool editWithTags_ = false;
    char passwordChar_ = '*';
    bool enhTextSize_ = false;
    bool multiLineCells_ = false;
    bool urlShow_ = false;
    bool urlFull_ = false;
    bool hideFocusRect_ = false;
    TPictureContainer* pictureContainer_ = nullptr;
    std::unique_ptr<THTMLPictureCache> pictureCache_;
    std::unique_ptr<TControlList> controlList_;
    int controlCells_ = 0;
    // =========================================================================================
    // Interaction: the window messages (kav_grid_messages.cpp), keys and Tab
    // (kav_grid_keys.cpp), mouse buttons (kav_grid_mouse.cpp), the click, cell validation and
    // drag scrolling (kav_grid_validate.cpp), and whether a cell may be edited or become
    // current (kav_grid_edit.cpp).
    // =========================================================================================
public:
    // 1 when there are no fixed columns but nodes (their buttons take column 0).
    int FixedColsVis();
    // The right fixed columns that show (hidden ones not counted).
    int NumFixedRightVis() const;
    // Lets a descendant adjust a selection made from the fixed cells before it is set.
    virtual void UpdateSelectionRect(TGridRect&) {}
    // Lets a descendant adjust the selection of everything (Ctrl+A) before it is set.
    virtual void UpdateOnSelection(TGridRect&) {}

    // Moves one editable cell forward (or backward with Shift), as Tab does.
    void TabEdit(bool Shift);
    // The in-place editor's text limit: MaxEditLength, 0 for none.
    int GetEditLimit() override;
    // A click on a radio group (real column) at an offset inside the cell selects the item
    // under it.
    void HandleRadioClick(int ACol, int ARow, int X, int Y);
    // Whether a row may be inserted at ARow (OnCanInsertRow may refuse).
    bool QueryInsertRow(int ARow);
    // Whether a row may be added at the end by the keys or an edit's advance: CanAdd comes
    // in true, and OnCanAddRow (or a descendant) may clear it.
    virtual void QueryAddRow(bool& CanAdd);
    // The cell button held down, (-1, -1) when none.
    TPoint GetPressedButton() const { return pressedButton_; }
    // Whether the cell (real column) may be edited: goEditing (or RangeSelectAndEdit), not
    // read-only, not fixed; merged cells answer for their base cell. The read-only question
    // (GetCellReadOnly, OnCanEditCell) is asked by real column, the fixed one (GetCellFixed,
    // OnIsFixedCell) by shown column.
    bool IsEditable(int ACol, int ARow) { return IsEditable(TRealCol(ACol), TShownRow(ARow)); }
    bool IsEditable(TRealCol ACol, TShownRow ARow);
    bool IsEditable(TShownCol ACol, TShownRow ARow) { return IsEditable(ToReal(ACol), ARow); }
    // Fixed rows and columns, the footer rows, the right fixed columns and OnIsFixedCell.
    bool IsFixed(int ACol, int ARow) override;
    // Opens (closes) the current cell's editor.
    void ShowInplaceEdit();
    void HideInplaceEdit();
    // An open edit is settled before its cell leaves the shown cells: validated as its own
    // Return would (into the undo list) and the editor closed.
    void SettleEdit();
    // Whether the text editor is open on a cell of real columns First .. Last.
    bool EditingInCols(int First, int Last) const;

    // Takes the snapshot of a cell (display column) that a later validation compares with.
    void InitValidate(int ACol, int ARow);
    // Validates an edited value of the validation cell: true when accepted (or unchanged).
    virtual bool ValidateCell(const AnsiString& Value);
    virtual bool ValidateCellWide(const WideString& Value);
    // The snapshot's text, and the value as the last validation left it.
    const AnsiString& GetSavedCellText() const { return editSession_->OpenedText(); }
    const AnsiString& GetValidatedText() const { return editSession_->ValidatedText(); }
    TPoint GetValidationCell() const { return editSession_->ValidationCell(); }
    // Set while a value is being stored; validation does nothing meanwhile.
    bool GetStoring() const { return editSession_->Storing(); }
    // Set when a text editor was opened on the cell; validation runs only then.
    bool GetTextEditorShown() const { return editSession_->Armed(); }
    // The character that opened (or fed) the editor.
    char GetEditStartChar() const { return editSession_->StartChar(); }
    // The edit of the current cell, which every editor talks to.
    TGridEditSession& GetEditSession() { return *editSession_; }
    // The current cell again through SelectCell (the editing rules of the cell it is on).
    bool ReselectCurrentCell() { return SelectCell(GetCol(), GetRow()); }
    // Return typed into the grid, as an editor that is full hands it on.
    void PressReturn() {
        char cr = '\r';
        KeyPress(cr);
    }
    // One step of the scrolling while something is dragged near an edge.
    void DragTimerProc(TObject* Sender);
    bool HasDragTimer() const { return dragTimer_ != nullptr; }
    unsigned GetDragTimerInterval() const;
    // Ticks of the grid timer so far, and the blink phase they toggle.
    int GetTickCounter() const { return tickCounter_; }
    bool GetBlinkPhase() const { return blinkPhase_; }
    // A "." from the numeric keypad types the regional decimal separator.
    bool GetExcelStyleDecimalSeparator() const { return excelStyleDecimal_; }
    void SetExcelStyleDecimalSeparator(bool Value) { excelStyleDecimal_ = Value; }
    bool GetEnableBlink() const { return enableBlink_; }
    void SetEnableBlink(bool Value) { enableBlink_ = Value; }
    // The incremental search text the timer clears after two idle seconds.
    const AnsiString& GetSearchText() const { return searchText_; }
    void SetSearchText(const AnsiString& Value) {
        searchText_ = Value;
        searchIdleTicks_ = 0;
    }
    // Set while the editors hand the focus back to the grid: enter and exit are skipped.
    bool SuppressEnter = false;
    bool SuppressExit = false;
    bool SuppressSetFocus = false;
    // What the pointer is over (1 column select, 2 row select, 3 select all, 5 resizer).
    uint8_t GetMouseCursorState() const { return mouseCursorState_; }
    void SetMouseCursorState(uint8_t Value) { mouseCursorState_ = Value; }
    bool GetMouseDown() const { return mouseDown_; }

    TCheckBoxClickEvent OnCheckBoxClick;
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    TRadioClickEvent OnRadioClick;
    TRadioClickEvent OnRadioMouseUp;
    TButtonClickEvent OnButtonClick;
    // Form controls of markup cells. ControlEnter lays the grid's form edit ("EDIT",
    // "PASSWORD", "MASK") or form combo box ("COMBO") over the control at R (client
    // coordinates) and gives it the focus; ControlExit, run when the focus leaves it, writes
    // its value into the cell text. AdvanceHTMLEdit enters the form control after ControlID
    // in the cell (the first with an empty ID), or gives the grid the focus when none follows.
    // IDs may repeat: a control is its ID and which of the controls with that ID it is
    // (CtrlOccurrence, from 0), and the walk goes by the controls' places in the text.
    void ControlEnter(const AnsiString& CellText, const AnsiString& CtrlType,
                      const AnsiString& CtrlID, const AnsiString& CtrlVal, const TRect& R, int ACol,
                      int ARealCol, int ARow, int CtrlOccurrence = 0);
    void ControlExit(TObject* Sender);
    void AdvanceHTMLEdit(int ACol, int ARow, const AnsiString& ControlID);
    // Whether a form control is being edited, and which (cell with its real column, ID).
    bool GetControlActive() const { return controlActive_; }
    TPoint GetControlCell() const { return controlCell_; }
    const AnsiString& GetControlID() const { return controlId_; }
    // The two form controls (nullptr until first entered).
    TMaskEdit* GetFormEdit() const;
    TCustomComboBox* GetFormCombo() const;
    // A markup "BUTTON" control is held down (until the release).
    bool GetFormButtonDown() const { return formButtonDown_; }

    TAnchorClickEvent OnAnchorClick;
    TControlEvent OnControlClick;
    TControlComboListEvent OnControlComboList;
    TControlEvent OnControlEditDone;
    TGridClickEvent OnCanClickCell;
    TGridCellEvent OnClickCell;
    TGridCellEvent OnRightClickCell;
    TGridCellEvent OnDblClickCell;
    TGridAllowEvent OnCanAddRow;
    TGridRowAllowEvent OnCanInsertRow;
    TGridRowEvent OnAutoAddRow;
    TGridRowAllowEvent OnCanDeleteRow;
    TGridAllowEvent OnClipboardCut;
    TGridAllowEvent OnClipboardCopy;
    TGridAllowEvent OnClipboardPaste;
    TGridRowAllowEvent OnCanSort;
    TGridRowEvent OnClickSort;
    TGridRowEvent OnEndColumnSize;
    // Milliseconds the last sort by a header click took.
    int GetLastSortTime() const { return lastSortTime_; }
    TCellValidateEvent OnCellValidate;
    TCellValidateWideEvent OnCellValidateWide;
    TDragScrollEvent OnDragScroll;
    TGridChangingEvent OnRowChanging;
    TGridChangingEvent OnColChanging;
    TCellChangingEvent OnCellChanging;

protected:
    // The inherited test, and no text editor over a check box, radio group or button.
    bool CanEditShow() override;
    void Click() override;
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DoEnter() override;
    void DoExit() override;
    bool SelectCell(int ACol, int ARow) override;
    // After a move to (ACol, ARow) was accepted: the repaints outside the cell, the row
    // notice, the cached text and the scroll clear of the search bar.
    void CellSelected(int OldCol, int OldRow, const TGridRect& OldSel, int ACol, int ARow);
    // A selection made after HideSelection shows: the mark goes, no older selection returns.
    void ClearSelectionHidden() {
        selectionHidden_ = false;
        Invalidate();
    }
    void RowMoved(int FromIndex, int ToIndex) override;
    // A row or column moved by the mouse with EnhRowColMove: once the pointer has left the
    // one taken, the drag cursor shows and arrow windows mark where it would land.
    void DrawMove() override;
    // Nor on a fixed footer row or a fixed right column.
    bool MoveTargetAllowed(bool Cols, int Index) const override;
    bool EnhancedMoving() const;
    void ShowMoveIndicator();
    void HideMoveIndicator();
    // The cursor back to the default, the arrows hidden, the move timer stopped, no move.
    void EndEnhancedMove();

    void WMKeyDown(TWMKeyDown& Message);
    void WMChar(TWMChar& Message);
    void CMDialogChar(TCMDialogChar& Message);
    void WMLButtonDown(TWMMouse& Message);
    void WMLButtonUp(TWMMouse& Message);
    void WMLButtonDblClk(TWMMouse& Message);
    void WMRButtonDown(TWMMouse& Message);
    void WMRButtonUp(TWMMouse& Message);
    void WMSetFocus(TWMSetFocus& Message);
    void WMKillFocus(TWMKillFocus& Message);
    void WMSetCursor(TWMSetCursor& Message);
    void CMCursorChanged(TMessage& Message);
    void WMTimer(TWMTimer& Message);
    void WMSize(TWMSize& Message);

private:
    // Hands a message to the inherited handling.
    void DefaultGridMessage(TMessage& Message) { TBaseGrid::Dispatch(Message); }
    // Walks over a run of cells fixed inside the grid (Left/Right/Up/Down); whether the
    // neighbour was fixed.
    bool SkipFixedCells(WORD Key);
    void StopDragTimer();
    // Whether the floating footer shows, and whether it takes the grid's last row.
    bool FooterShown() const { return floatingFooter_->GetVisible(); }
    bool FooterIsLastRow() const {
        return FooterShown() && floatingFooter_->GetFooterStyle() == fsFixedLastRow;
    }
    // Whether the in-place text editor shows over its cell.
    bool EditorShown() const {
        return GetEditorMode() && GetInplaceEditor() && GetInplaceEditor()->GetVisible();
    }
    // Whether a check box, radio group or button of the cell may be used: goEditing or
    // RangeSelectAndEdit, then the cell's read-only flag and OnCanEditCell.
    bool CanActOn(int RealCol, int ARow);
    // The inherited handling of a button message, without the click it would fire itself.
    void PressDefault(TWMMouse& Message);
    // The sort a release on a header cell asks for.
    void HeaderSort(int ACol, int ARow, int X, bool Shift);
    void RepaintBlinking();
    // Restores LeftCol silently after a vertical move of a row-select grid.
    void KeepLeftCol(int OldLeftCol);

    TGridRect keySelection_;
    std::unique_ptr<TGridEditSession> editSession_ = std::make_unique<TGridEditSession>(*this);
    bool editorShown_ = false;
    bool editingGiven_ = false;
    std::unique_ptr<TTimer> dragTimer_;
    SmallSet<TDragScrollDirections> dragScrollDirs_;
    int tickCounter_ = 0;
    int searchIdleTicks_ = 0;
    bool blinkPhase_ = false;
    bool enableBlink_ = false;
    bool excelStyleDecimal_ = false;
    AnsiString searchText_;
    void IncrementalSearch(char Key);
    std::unique_ptr<TCustomIniFile> ColumnStore() const;
    // The column order a settings store holds: every column once, or empty.
    std::vector<int> StoredColumnOrder(TCustomIniFile& Store) const;
    TPoint FindInternal(TPoint Start, const AnsiString& Text, const WideString& WideText, bool Wide,
                        TFindParameters Params);
    TPoint lastFound_{-1, -1};
    TFindParameters findParams_;
    AnsiString findText_;
    WideString findTextWide_;
    int presetSearchCol_ = 0;
    int presetSearchRow_ = 0;
    std::unique_ptr<TSearchFooter> searchFooter_;
    // The balloon's tool-tip window, the text given to its last request and the cell whose
    // balloon may show.
    HWND toolTip_ = nullptr;
    AnsiString balloonText_;
    TGridCoord balloonCell_{-1, -1};
    void CreateToolTip();
    void DestroyToolTip();
    void AddToolTip(int IconType, const AnsiString& Text, const AnsiString& Title);
    // WM_NOTIFY: the balloon's text request; false for what goes to the inherited handling.
    bool WMNotify(TWMNotify& Message);
    // Closes the shown balloon when the mouse pointer reaches another cell.
    void TrackBalloonCell(TGridCoord Cell);
    // The cell and the markup link under the pointer at the last move. A hint in the
    // application's hint window belongs to them: it goes when the pointer reaches another.
    TGridCoord hintCell_{-1, -1};
    AnsiString hintAnchor_;
    TSearchPanel* searchPanel_ = nullptr; // owned as a component
    // The bar's button search from the last found cell.
    void SearchBarFind(TPoint From, TFindParameters Params);
    // The common end of the bar's searches: the bar covers the bottom rows.
    void KeepRowAboveSearchBar();
    int previousWidth_ = 0;
    uint8_t mouseCursorState_ = 0;
    bool keepCursor_ = false;
    // The selection resizer: the flag of a resize being dragged, the paste-on-release mark,
    // the selection before the resize and the editing override of its paste.
    bool selResize_ = false;
    bool pasteOnRelease_ = false;
    TGridRect resizeOrigin_;
    bool editOverride_ = false;
    void StartSelectionResize();
    void SelectionResizeMove(int X, int Y);
    void EndSelectionResize();
    // A fixed cell drawn as a pressed button until the release.
    bool fixedAsButtons_ = false;
    bool fixedButtonDown_ = false;
    TPoint fixedButtonCell_{-1, -1};
    void DrawFixedButton(bool Pressed);
    bool urlEdit_ = false;
    bool mouseDown_ = false;
    bool mouseDown2_ = false;
    TPoint pressPoint_;
    TPoint pressCell_{-1, -1};
    int selectAnchor_ = -1;
    bool colMoved_ = false;
    bool rowMoved_ = false;
    bool sortSuppress_ = false;
    int lastSortTime_ = 0;
    int clickGuard_ = 0;
    TPoint pressedButton_{-1, -1};
    bool deselectOnRelease_ = false;
    bool clickedOnPress_ = false;
    // The selected index of a radio group (from its text when the cell holds it), -1 none.
    int RadioIndex(int RealCol, int ARow);
    // Marks the row modified (with ShowModified) and repaints its fixed cell.
    void MarkModified(int ARow);
    // One validation for 8-bit and wide texts, and the events each runs before the value is
    // stored: the checker, OnCellValidate, the modified mark and undo (8-bit); OnCellValidateWide.
    template <class Text> bool ValidateEdited(const Text& Value);
    void ValidationEvents(int RealCol, int ARow, AnsiString& Value, bool& Valid);
    void ValidationEventsWide(int RealCol, int ARow, WideString& Value, bool& Valid);

    // =========================================================================================
    // Editing: which editor a cell gets and the write-back (kav_grid_editing.cpp), the text
    // editor TKavInplaceEdit (kav_inplace_edit.h, kav_grid_inplace.cpp) with the moves that
    // end an edit, the wheel, zoom and panning (kav_grid_wheel.cpp), and mouse movement,
    // hover, sizing of fixed cells and hints (kav_grid_mousemove.cpp).
    // =========================================================================================
public:
    // The editor kinds edited by the text editor.
    static bool IsTextEditor(TEditorType Kind);
    // Whether the control a kind needs exists; the others open no editor (as edNone).
    static bool EditorControlAvailable(TEditorType Kind);
    // The editor kind of the present (or last) edit.
    TEditorType GetEditorType() const { return editSession_->Kind(); }
    TKavInplaceEdit* GetKavInplaceEditor() const;
    // Moves from (ACol, ARow) to the next editable cell (forward or backward, by
    // AdvanceDirection) and opens its editor; stops after one round when none is editable.
    void AdvanceEdit(int ACol, int ARow, bool Force, bool ShowAlways, bool Forward,
                     bool Repeated = false);
    // A key that ended the edit of another editor: Tab and arrows move, Return advances.
    void DoneInplaceEdit(WORD Key, TShiftState Shift);
    // Fires OnEditingDone.
    void DoneEditing();
    // Lays the editor control of the edit's kind over the cell (display column), filled with
    // the cell's value, and gives it the focus.
    void ShowEditControl(int ACol, int ARow);
    // Ends a control editor's edit, writing its value into the cell it was opened on.
    void HideEditControl(int ACol, int ARow);
    // The editor controls, and the one now editing (nullptr when none).
    TGridEditorControls& GetEditorControls();
    TWinControl* GetActiveEditor() const { return activeEditor_; }
    // The combo editor's choice changed: OnComboChange, OnComboObjectChange.
    void ComboChanged(int Index, const AnsiString& Text, TObject* Object);
    // Opens the fixed-cell editor over a fixed cell (display column) after an open one has
    // stopped, unless OnCanEditCell says no.
    void StartFixedEdit(int ACol, int ARow);
    TGridTransEdit* GetFixedEditor();
    // The program's editor of edCustom cells (nullptr: those cells open nothing).
    TEditLink* GetEditLink() const { return editLink_; }
    void SetEditLink(TEditLink* Value);
    // Set when an edit link's popup form has ended the edit of its rich editor: a rich
    // editor's next loss of the focus leaves the edit alone (it spends the mark); the next
    // edit opened clears it.
    bool GetPopupExit() const { return popupExit_; }
    void SetPopupExit(bool Value) { popupExit_ = Value; }
    TGetEditorPropEvent OnGetEditorProp;
    // A cell's stored rich text into a rich edit (a cell of plain text becomes its text), and
    // a rich edit's contents as the RTF a cell stores, or into a cell.
    void CellToRich(int ACol, int ARow, TRichEdit* RichEdit);
    AnsiString RichToString(TRichEdit* RichEdit);
    void RichToCell(int ACol, int ARow, TRichEdit* RichEdit);
    // The date and time editor of the grid's cells.
    TDateTimePicker* GetDateTimePicker();
    // The user changed the value in the date picker of the current cell.
    TDateTimeChangeEvent OnDateTimeChange;
    // The fixed-cell editor opened by a press (FixedRowsEdit, FixedColsEdit: fceLeftClick
    // away from a border that sizes, fceRightClick) or a double click (fceDblClick).
    bool FixedEditByClick(TMouseButton Button, int X, int Y);
    bool FixedEditByDblClick(int ACol, int ARow);
    void HideCellEdit() { HideEditControl(GetCol(), GetRow()); }
    // Starts editing as F2 does, when the grid processes the posted key.
    void ShowCellEdit();
    // Puts back the text the current cell had when its edit began.
    void RestoreCache();
    const AnsiString& GetCachedText() const { return editSession_->CachedText(); }
    // Writes an edited value into a cell (real column).
    virtual void UpdateEditingCell(int ACol, int ARow, const AnsiString& Value);
    // Repaints the fixed cells that show the active cell's row and column.
    void UpdateActiveCells(int OldCol, int OldRow, int NewCol, int NewRow);
    // The last cell an edit advanced from.
    TPoint GetLastEditCell() const { return lastEditCell_; }
    bool GetEditPending() const { return editSession_->Pending(); }
    // A click placed the caret: the editor puts it under the pointer when it gets the focus.
    bool GetCaretByClick() const { return caretByClick_; }
    void SetCaretByClick(bool Value) { caretByClick_ = Value; }
    // On while the edited text starts with "=" (the editor switches it): a left press on a
    // cell then goes to CellSelect alone, for a descendant to name the cell in the text.
    bool GetCellSelectMode() const { return cellSelectMode_; }
    virtual void SetCellSelectMode(bool Value) { cellSelectMode_ = Value; }
    virtual void CellSelect(int /*ACol*/, int /*ARow*/) {}
    // Typed text completed from LookupItems.
    bool GetLookup() const { return lookup_; }
    void SetLookup(bool Value) { lookup_ = Value; }
    bool GetLookupCaseSensitive() const { return lookupCaseSensitive_; }
    void SetLookupCaseSensitive(bool Value) { lookupCaseSensitive_ = Value; }
    // Each edited text is added to LookupItems when the editor loses the focus.
    bool GetLookupHistory() const { return lookupHistory_; }
    void SetLookupHistory(bool Value) { lookupHistory_ = Value; }
    // The text for the current cell's ellipsis button (OnEllipsClick may change it).
    AnsiString EllipsClick(const AnsiString& S);
    // The most text lines of a cell of the row (1 without Multilinecells).
    int MaxLinesInRow(int ARow);
    // The most text lines of any cell of the grid (1 without Multilinecells or columns).
    int MaxLinesInGrid();
    // Print font heights on paper (tenths of a millimetre) and back to points.
    int MapFontHeight(int Size) const;
    int MapFontSize(int Height) const;
    // Where the columns go on paper after the last page build (tenths of a millimetre),
    // ColCount + 1 of them; outside, EKavGridError "Columns is not in valid range".
    TPrintLayout& PrintLayout();
    int GetPrintColWidth(int ACol);
    int GetPrintColOffset(int ACol);
    // The page builder (controles/grid/print): lays the print range out on pages of the
    // canvas (in MM_LOMETRIC), draws them for prPreview and prPrint, and returns the pages.
    int BuildPages(TCanvas* Canvas, TPrintMethod PrintMethod, int PageCount, bool SelectedOnly);
    // Printing on the program's printer (Printer()): the whole grid, a rectangle, the
    // selection, the selected rows and columns.
    void Print();
    void PrintRect(const TGridRect& GridRect);
    void PrintSelection();
    void PrintSelectedRows();
    void PrintSelectedCols();
    // Preview on a caller's canvas, inside a rectangle in its device units: the pages
    // FromPage to ToPage (one after SetPreviewPage).
    void PrintPreview(TCanvas* Canvas, const TRect& DisplayRect);
    void PrintPreviewRect(TCanvas* Canvas, const TRect& DisplayRect, const TGridRect& GridRect);
    void PrintPreviewSelection(TCanvas* Canvas, const TRect& DisplayRect);
    void PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& DisplayRect);
    void PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& DisplayRect);
    void SetPreviewPage(int Value);
    // Page 1 drawn on a caller's canvas within its clip rectangle; no printer document.
    void PrintDraw(TCanvas* Canvas, const TRect& DrawRect);
    void PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect, const TGridRect& GridRect);
    TPrintStartEvent OnPrintStart;
    TPrintPageEvent OnPrintPage;
    TPrintNewPageEvent OnPrintNewPage;
    TPrintPageDoneEvent OnPrintPageDone;
    TPrintCancelEvent OnPrintCancel;
    TPrintColumnWidthEvent OnPrintSetColumnWidth;
    TPrintRowHeightEvent OnPrintSetRowHeight;
    TFitToPageEvent OnFitToPage;
    TCustomCellSizeEvent OnCustomCellSize;
    // Sizing while typing: the row to the typed text's lines (or to its cells when no text
    // is given), then OnEndRowSize.
    void SizeRowWhileTyping(int ARow, const AnsiString& Text);

    // Middle-button panning: which ways the view may move.
    TIntelliPan GetIntelliPan() const { return intelliPan_; }
    void SetIntelliPan(TIntelliPan Value) { intelliPan_ = Value; }
    bool GetPanning() const { return panning_; }
    TPoint GetPanAnchor() const { return panAnchor_; }
    // One notch of the wheel (negative towards the user): Ctrl zooms with IntelliZoom, else
    // the current row or the view moves by WheelAction.
    void WheelMove(int Delta, bool Ctrl);
    void DrawIntelliFocusPoint();
    void EraseIntelliFocusPoint();
    // Hints of the cell under the mouse: its own text (only when it does not fit, with
    // HintShowLargeText; the markup source with HTMLHint), and the new size while a column
    // or row is sized.
    bool GetHintShowCells() const { return hintShowCells_; }
    void SetHintShowCells(bool Value) { hintShowCells_ = Value; }
    bool GetHintShowLargeText() const { return hintShowLargeText_; }
    void SetHintShowLargeText(bool Value) { hintShowLargeText_ = Value; }
    bool GetHTMLHint() const { return htmlHint_; }
    void SetHTMLHint(bool Value) { htmlHint_ = Value; }
    bool GetHintShowSizing() const { return hintShowSizing_; }
    void SetHintShowSizing(bool Value) { hintShowSizing_ = Value; }
    // The sizing hint's markup while it shows ("cw=<b>120</b>"), empty otherwise.
    const AnsiString& GetSizingHintText() const { return sizingHintText_; }
    // The cell under the mouse (-1, -1 when none).
    TPoint GetHoverCell() const { return hoverCell_; }
    // The hint of the cell under HintInfo's cursor position; false when the cell has none
    // to give (the control's own hint stays).
    bool ShowHintProc(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo);
    // The anchor of a markup cell under a client point, empty for none.
    AnsiString AnchorAt(int ACol, int ARow, int X, int Y);
    TAnchorHintEvent OnAnchorHint;

    TEditChangeEvent OnEditChange;
    TNotifyEvent OnEditingDone;
    TAutoAdvanceEvent OnAutoAdvance;
    TGridRowEvent OnAutoInsertCol;
    TGridRowEvent OnEndRowSize;
    TEllipsClickEvent OnEllipsClick;
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TGridCellEvent OnComboCloseUp;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick;

protected:
    TInplaceEdit* CreateEditor() override;
    void KeyPress(char& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    // The messages taken before the grid's own handlers (wheel, panning, notifications of
    // controls in cells, cancel mode); true when one was taken whole.
    bool PreDispatch(TMessage& Message);
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseLeave();
    bool CMHintShow(TMessage& Message);

private:
    // The next cell of an advance from (ACol, ARow); false when the advance ends there.
    bool NextAdvanceCell(int& ACol, int& ARow, bool Forward);
    bool WheelOperation(bool Down, TShiftState Shift, TPoint MousePos);
    // The fixed column (row) whose trailing border lies under Pos, -1 for none; the leading
    // edge of a fixed column (row) and of the cells after Count of them.
    int FixedBorderAt(int Pos, bool Cols) const;
    int FixedEdge(int Index, bool Cols) const;
    int ColsEdge(int Count) const;
    int RowsEdge(int Count) const;
    void ShowSizingHint(bool Cols, int Index, int Size);
    void HideSizingHint();
    // A column (row) sized by the user from the header: noted with its width (height) before
    // the release applies the new one, then finished when the change arrives.
    void NoteUserSizing();
    void FinishUserSizing(bool Cols);
    // The end of a user's sizing of column (row) Index: OnEndColumnSize (OnEndRowSize), and
    // for a column UpdateColSize, whose answer becomes the width.
    void EndUserSizing(bool Cols, int Index);
    // After sizes changed: a shown text editor covers its cell again, or hides when the cell
    // holds a check box.
    void EditorFollowsSizes();
    void StartPanning(TPoint At);
    void StopPanning();
    void PanStep();
    void FireKeyPress(char& Key) {
        if (OnKeyPress) OnKeyPress(this, Key);
    }

    TPoint lastEditCell_{-1, -1};
    std::unique_ptr<TGridEditorControls> editorControls_;
    TWinControl* activeEditor_ = nullptr;
    TGridTransEdit* fixedEditor_ = nullptr;
    TEditLink* editLink_ = nullptr;
    AnsiString richOpened_;
    bool popupExit_ = false;
    bool moving_ = false;
    bool closing_ = false;
    bool caretByClick_ = false;
    // LeftCol at the last left press: a drag in a grid with KeepHorizScroll keeps it.
    int pressLeftCol_ = 0;
    // The form control being edited in a markup cell.
    TMaskEdit* formEdit_ = nullptr;
    TCustomComboBox* formCombo_ = nullptr;
    bool controlActive_ = false;
    bool formButtonDown_ = false;
    TPoint controlCell_{-1, -1};
    AnsiString controlId_, controlType_;
    int controlOccurrence_ = 0; // which of the controls with controlId_ it is
    // The anchor under a client point of a markup cell, with the form control there (or,
    // with a ControlID given and no point, the rectangle of that control: the
    // *CtrlOccurrence-th with that ID). *CtrlOccurrence receives which control with its ID
    // was found.
    AnsiString MarkupHit(int ACol, int ARow, int X, int Y, AnsiString& CtrlID, AnsiString& CtrlType,
                         AnsiString& CtrlVal, TRect& CtrlRect, int* CtrlOccurrence = nullptr);
    bool cellSelectMode_ = false;
    bool lookup_ = false;
    bool lookupCaseSensitive_ = false;
    bool lookupHistory_ = false;
    TIntelliPan intelliPan_ = ipVertical;
    bool panning_ = false;
    TPoint panAnchor_;
    TCursor panCursor_ = crDefault;
    bool panHint_ = false;
    bool zooming_ = false;
    TPoint hoverCell_{-1, -1};
    TPoint seenTopLeft_{-1, -1}; // LeftCol and TopRow at the last scroll
    TGridRect lastDrawnSel_;
    int fixedSizeHover_ = -1;
    bool fixedSizeHoverCols_ = true;
    int fixedSizing_ = -1;
    bool fixedSizingCols_ = true;
    int fixedSizingPos_ = 0;
    int sizingIndex_ = -1;
    int sizingOfs_ = 0;
    int sizingCol_ = -1;
    int sizingRow_ = -1;
    int sizingOldSize_ = 0;
    std::unique_ptr<THintWindow> sizingHint_;
    AnsiString sizingHintText_;
    bool hintShowCells_ = false;
    bool hintShowLargeText_ = false;
    bool htmlHint_ = false;
    bool hintShowSizing_ = false;

    // --- drag and drop between windows and programs (dragdrop/) ---
public:
    // DragDropSettings' OleDropTarget: the grid's drop target registered for its window, or
    // revoked.
    void OleDropTargetChanged(bool Value);
    TOleDragDropEvent OnOleDrop;
    TOleDragOverEvent OnOleDragOver;
    TOleDropColEvent OnOleDropCol;
    TOleDroppedEvent OnOleDropped;
    TOleDropFileEvent OnOleDropFile;
    TOleDragDropEvent OnOleDrag;
    TGridCellEvent OnOleDragStart;

private:
    friend class TGridDropTarget;
    friend class TGridDropSource;
    // A press that arms a drag (on the selection of a drag source); true when it did.
    bool OleArmDrag(int ACol, int ARow, const TRect& R, int X);
    // The release of an armed press that did not drag; true when the release ends there.
    bool OleArmedRelease(int ACol, int ARow, bool Ctrl);
    // A move of the armed press far enough starts the drag.
    void OleDragOnMove(int X, int Y, const TGridCoord& Cell);
    // After a move out: the dragged rows or cells go (not those it was dropped onto).
    void OleMovedOut();
    struct OleDragState {
        bool armed = false;
        bool dragging = false; // a text drag out of this grid is under way
        TGridRect dragged{-1, -1, -1, -1};
        std::vector<int> rows;             // the dragged rows (display rows)
        TGridRect dropped{-1, -1, -1, -1}; // where it landed in this same grid
        int scrollCount = 0;
        bool registered = false;
        _di_IDropTarget target;
    } ole_;
    // The clipboard: the first cell of the last copied block, the last operation, whether
    // the paste running is of the whole grid, and the block the last paste wrote (none when
    // Right < Left).
    TPoint clipOrigin_{0, 0};
    TClipOperation lastClipOp_ = coCopy;
    bool wholeGridPaste_ = false;
    TRect pastedBlock_{0, 0, -1, -1};
    // The cells that the last text paste wrote (a cell that it may not write, or that
    // OnClipboardBeforePasteCell keeps, is not counted).
    int pastedCells_ = 0;
    // The key of a clipboard shortcut, after its event: true when it was one.
    bool ClipboardShortCut(WORD Key, TShiftState Shift);
    // The cells of a text from (ACol, ARow) on.
    template <class Ch> int PasteFields(int ACol, int ARow, const Ch* Begin, const Ch* End);
    // A copied cell's text, with the HTML and rich text options applied.
    AnsiString ClipboardCellText(int ACol, int ARow);
    // One row of the columns' cells appended to the text a copy or a drag gives: TAB
    // between the cells, quoted where clip_text must, and CR LF after with LineEnd.
    void AppendClipboardRow(const std::vector<int>& Cols, int ARow, bool LineEnd,
                            clip_text::BlockText& Out);
    // The fill of a selection from the block a paste wrote.
    void SmartFill(const TGridRect& S, const TRect& Block);
    bool ClipboardWritable(int ACol, int ARow);
    // Whether a paste may write the shown cell: inside the grid, left of the fixed right
    // columns, above a footer that takes the last row, and writable.
    bool ClipboardTakes(int ACol, int ARow);
    // The first shown column and row that a paste does not reach.
    int PasteColLimit() const { return GetColCountEx() - fixedRightCols_; }
    int PasteRowLimit() const { return GetRowCountEx() - (FooterIsLastRow() ? 1 : 0); }
    // The selection's block (widened over merged cells) copied, whatever rows or columns are
    // selected one by one.
    void CopyBlockToClipboard();
    // The grid's own format of the shown cells of the given columns and rows, packed.
    void CopyBinLines(const std::vector<int>& Cols, const std::vector<int>& Rows);
};

// Exceptions of the grid control ("Cell does not contain integer value"...).
class EKavGridError : public Exception {
public:
    using Exception::Exception;
};

// A number written with a C-style pattern of one conversion (a floating one, or with Integer
// "%d"/"%i" of the value cut toward zero) and the text around it, the regional decimal
// separator in the number; FloatToStr for any other pattern.
AnsiString FormatCellNumber(const AnsiString& Pattern, double Value, bool Integer);

// The readable text of a rich-text cell: the groups of fonts, colours, styles and other
// destinations left out, control words dropped, paragraphs as line breaks, escaped
// characters and "\'hh" bytes kept.
AnsiString RichTextPlain(const AnsiString& Rtf);

// The keys that move the current cell: the arrows, Home, End, PageUp and PageDown.
bool IsGridMoveKey(WORD Key);

// The grid unit's start-up and shut-down, counted so that the work runs once per process;
// the grid's constructor starts the unit, the end of the process shuts it down.
void InitKavGridUnit();
void DoneKavGridUnit();
int KavGridUnitCount();
// The clipboard format "TKavStringGrid Cells" and whether flat scroll bars may be used.
UINT GetGridClipboardFormat();
bool GetFlatScrollBarsAvailable();
