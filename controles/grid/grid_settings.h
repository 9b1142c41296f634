#pragma once
// The grid's settings objects of sorting, control look, background, bands, grouping, drag
// and drop, balloons, modified cells and drag scrolling; the filter collection, the
// hidden-row item and the change notifier. Assign copies from an object of the same class
// what each class lists and ignores any other source; no Assign repaints.

#include "controles/grid/grid_options.h"
#include "plataforma/base/collection.h"
#include "plataforma/gui/grid/grid_store.h"

enum TSortDirection { sdAscending, sdDescending };
enum TSortBlankPosition { blFirst, blLast };
enum TGridControlStyle { csClassic, csFlat, csWinXP, csBorland, csKav, csGlyph, csTheme };
enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };
enum TFilterCells { fcVirtual, fcNormal };
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };

class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TKavStringGrid* AOwner);
    ~TSortSettings() override;
    void Assign(TPersistent* Source) override;

    bool GetShow() const { return show_; }
    // Repaints the grid when it changes.
    void SetShow(bool Value);
    int GetRow() const { return row_; }
    // Raises "Sort row should be smaller than number of fixed rows" for a row not above the
    // fixed rows; the stored value stays.
    void SetRow(int Value);
    TBitmap* GetUpGlyph() const { return up_.get(); }
    void SetUpGlyph(TBitmap* Value) { up_->Assign(Value); }
    TBitmap* GetDownGlyph() const { return down_.get(); }
    void SetDownGlyph(TBitmap* Value) { down_->Assign(Value); }
    TBitmap* GetIndexUpGlyph() const { return indexUp_.get(); }
    void SetIndexUpGlyph(TBitmap* Value) { indexUp_->Assign(Value); }
    TBitmap* GetIndexDownGlyph() const { return indexDown_.get(); }
    void SetIndexDownGlyph(TBitmap* Value) { indexDown_->Assign(Value); }

#define TSORTSETTINGS_FIELDS(X)                                                                    \
    X(bool, AutoSortForGrouping, true)                                                             \
    X(bool, AutoColumnMerge, false)                                                                \
    X(int, Column, 0)                                                                              \
    X(bool, IndexShow, false) X(TColor, IndexColor, clYellow) X(bool, Full, true)                  \
        X(bool, SingleColumn, false) X(bool, IgnoreBlanks, false)                                  \
            X(TSortBlankPosition, BlankPos, blFirst) X(bool, AutoFormat, true)                     \
                X(TSortDirection, Direction, sdAscending)                                          \
                    X(TSortDirection, InitSortDirection, sdAscending) X(bool, FixedCols, false)    \
                        X(bool, NormalCellsOnly, false) X(bool, UndoSort, false)
    TSORTSETTINGS_FIELDS(GRID_STORED)

private:
    TKavStringGrid* grid_;
    bool show_ = false;
    int row_ = 0;
    std::unique_ptr<TBitmap> up_, down_, indexUp_, indexDown_;
};

class TControlLook : public TPersistent {
public:
    explicit TControlLook(TKavStringGrid* AOwner);
    ~TControlLook() override;
    // Not DropDownAlwaysVisible, FlatButton, the two NoDisabled looks, ProgressXP nor the
    // fixed gradient colours.
    void Assign(TPersistent* Source) override;

    // These store and repaint the grid.
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value) { Change(color_, Value); }
    TColor GetCommentColor() const { return commentColor_; }
    void SetCommentColor(TColor Value) { Change(commentColor_, Value); }
    int GetCheckSize() const { return checkSize_; }
    void SetCheckSize(int Value) { Change(checkSize_, Value); }
    int GetRadioSize() const { return radioSize_; }
    void SetRadioSize(int Value) { Change(radioSize_, Value); }
    TGridControlStyle GetControlStyle() const { return controlStyle_; }
    void SetControlStyle(TGridControlStyle Value) { Change(controlStyle_, Value); }
    bool GetDropDownAlwaysVisible() const { return dropDownAlwaysVisible_; }
    void SetDropDownAlwaysVisible(bool Value) { Change(dropDownAlwaysVisible_, Value); }
    bool GetFlatButton() const { return flatButton_; }
    void SetFlatButton(bool Value) { Change(flatButton_, Value); }
    bool GetNoDisabledCheckRadioLook() const { return noDisabledCheckRadioLook_; }
    void SetNoDisabledCheckRadioLook(bool Value) { Change(noDisabledCheckRadioLook_, Value); }
    bool GetNoDisabledButtonLook() const { return noDisabledButtonLook_; }
    void SetNoDisabledButtonLook(bool Value) { Change(noDisabledButtonLook_, Value); }
    int GetProgressMarginX() const { return progressMarginX_; }
    void SetProgressMarginX(int Value) { Change(progressMarginX_, Value); }
    int GetProgressMarginY() const { return progressMarginY_; }
    void SetProgressMarginY(int Value) { Change(progressMarginY_, Value); }
    bool GetProgressXP() const { return progressXP_; }
    void SetProgressXP(bool Value) { Change(progressXP_, Value); }
    TBitmap* GetCheckedGlyph() const { return checked_.get(); }
    void SetCheckedGlyph(TBitmap* Value) { Glyph(*checked_, Value); }
    TBitmap* GetUnCheckedGlyph() const { return unChecked_.get(); }
    void SetUnCheckedGlyph(TBitmap* Value) { Glyph(*unChecked_, Value); }
    TBitmap* GetRadioOnGlyph() const { return radioOn_.get(); }
    void SetRadioOnGlyph(TBitmap* Value) { Glyph(*radioOn_, Value); }
    TBitmap* GetRadioOffGlyph() const { return radioOff_.get(); }
    void SetRadioOffGlyph(TBitmap* Value) { Glyph(*radioOff_, Value); }
    // Stored; a set colour also goes to the grid's fixed-cell gradient.
    TColor GetFixedGradientFrom() const { return fixedGradientFrom_; }
    void SetFixedGradientFrom(TColor Value);
    TColor GetFixedGradientTo() const { return fixedGradientTo_; }
    void SetFixedGradientTo(TColor Value);

#define TCONTROLLOOK_FIELDS(X)                                                                     \
    X(bool, CheckAlwaysActive, false)                                                              \
    X(bool, RadioAlwaysActive, false) X(TColor, ProgressBorderColor, clGray)
    TCONTROLLOOK_FIELDS(GRID_STORED)

private:
    template <class T> void Change(T& Field, T Value) {
        Field = Value;
        Repaint();
    }
    void Glyph(TBitmap& Own, TBitmap* Value);
    void Repaint();

    TKavStringGrid* grid_;
    TColor color_ = clBlack;
    TColor commentColor_ = clRed;
    int checkSize_ = 15;
    int radioSize_ = 10;
    TGridControlStyle controlStyle_ = csWinXP;
    bool dropDownAlwaysVisible_ = false;
    bool flatButton_ = false;
    bool noDisabledCheckRadioLook_ = false;
    bool noDisabledButtonLook_ = false;
    int progressMarginX_ = 2;
    int progressMarginY_ = 2;
    bool progressXP_ = false;
    TColor fixedGradientFrom_ = clNone;
    TColor fixedGradientTo_ = clNone;
    std::unique_ptr<TBitmap> checked_, unChecked_, radioOn_, radioOff_;
};

class TBackGround : public TPersistent {
public:
    explicit TBackGround(TKavStringGrid* AOwner);
    ~TBackGround() override;
    void Assign(TPersistent* Source) override;

    // Every setting repaints the grid.
    int GetTop() const { return top_; }
    void SetTop(int Value);
    int GetLeft() const { return left_; }
    void SetLeft(int Value);
    TBackGroundDisplay GetDisplay() const { return display_; }
    void SetDisplay(TBackGroundDisplay Value);
    TBitmap* GetBitmap() const { return bitmap_.get(); }
    void SetBitmap(TBitmap* Value);
    TBackGroundCells GetCells() const { return cells_; }
    void SetCells(TBackGroundCells Value);
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    TColor GetColorTo() const { return colorTo_; }
    void SetColorTo(TColor Value);

private:
    void Repaint();

    TKavStringGrid* grid_;
    int top_ = 0;
    int left_ = 0;
    TBackGroundDisplay display_ = bdTile;
    std::unique_ptr<TBitmap> bitmap_;
    TBackGroundCells cells_ = bcNormal;
    TColor color_ = clWindow;
    TColor colorTo_ = clBtnFace;
};

class TBands : public TPersistent {
public:
    explicit TBands(TKavStringGrid* AOwner) : grid_(AOwner) {}
    // The period is not recomputed.
    void Assign(TPersistent* Source) override;

    bool GetActive() const { return active_; }
    void SetActive(bool Value);
    // These repaint only while the bands are active.
    TColor GetPrimaryColor() const { return primaryColor_; }
    void SetPrimaryColor(TColor Value);
    TColor GetSecondaryColor() const { return secondaryColor_; }
    void SetSecondaryColor(TColor Value);
    int GetPrimaryLength() const { return primaryLength_; }
    void SetPrimaryLength(int Value);
    int GetSecondaryLength() const { return secondaryLength_; }
    void SetSecondaryLength(int Value);
    // PrimaryLength + SecondaryLength.
    int GetPeriod() const { return period_; }
    bool GetPrint() const { return print_; }
    void SetPrint(bool Value) { print_ = Value; }

private:
    void RepaintIfActive();

    TKavStringGrid* grid_;
    bool print_ = false;
    bool active_ = false;
    int period_ = 2;
    int secondaryLength_ = 1;
    int primaryLength_ = 1;
    TColor secondaryColor_ = clWindow;
    TColor primaryColor_ = clInfoBk;
};

class TGrouping : public TPersistent {
public:
    // Not Summary nor the line colours and widths.
    void Assign(TPersistent* Source) override;

#define TGROUPING_FIELDS(X)                                                                        \
    X(TColor, HeaderColor, clNone)                                                                 \
    X(TColor, HeaderColorTo, clNone)                                                               \
    X(TColor, HeaderTextColor, clNone)                                                             \
    X(bool, HeaderUnderline, false) X(bool, MergeHeader, false) X(bool, MergeSummary, false)       \
        X(TColor, SummaryColor, clNone) X(TColor, SummaryColorTo, clNone)                          \
            X(TColor, SummaryTextColor, clNone) X(bool, SummaryLine, false)
#define TGROUPING_UNCOPIED(X)                                                                      \
    X(TColor, HeaderLineColor, clBlue)                                                             \
    X(int, HeaderLineWidth, 2)                                                                     \
    X(bool, Summary, false) X(TColor, SummaryLineColor, clBlue) X(int, SummaryLineWidth, 2)
    TGROUPING_FIELDS(GRID_STORED)
    TGROUPING_UNCOPIED(GRID_STORED)
};

class TDragDropSettings : public TPersistent {
public:
    explicit TDragDropSettings(TKavStringGrid* AOwner) : grid_(AOwner) {}

#define TDRAGDROPSETTINGS_FIELDS(X)                                                                \
    X(bool, OleAcceptFiles, true)                                                                  \
    X(bool, OleAcceptText, true)                                                                   \
    X(bool, OleCopyAlways, false)                                                                  \
    X(bool, OleDropSource, false) X(bool, OleEntireRows, false) X(bool, OleInsertRows, false)      \
        X(bool, OleRemoveRows, false) X(bool, OleColumnDragDrop, false)
    TDRAGDROPSETTINGS_FIELDS(GRID_STORED)
    bool GetOleDropTarget() const {
        return oleDropTarget_;
    }
    // Registers (true) or revokes (false) the grid's window as a drop target.
    void SetOleDropTarget(bool Value);
    bool GetOleDropRTF() const {
        return oleDropRTF_;
    }
    // Rich text offered and taken by the grids' drags.
    void SetOleDropRTF(bool Value);

private:
    TKavStringGrid* grid_;
    bool oleDropTarget_ = false, oleDropRTF_ = false;
};

class TBalloonSettings : public TPersistent {
public:
    // Not Transparency; the event is not called.
    void Assign(TPersistent* Source) override;
    bool GetEnable() const { return enable_; }
    // Stores, then fires OnEnableChange.
    void SetEnable(bool Value);

#define TBALLOONSETTINGS_FIELDS(X)                                                                 \
    X(int, AutoHideDelay, -1)                                                                      \
    X(TColor, BackgroundColor, clNone)                                                             \
    X(int, InitialDelay, -1) X(int, ReshowDelay, -1) X(TColor, TextColor, clNone)
    TBALLOONSETTINGS_FIELDS(GRID_STORED)
    GRID_STORED(uint8_t, Transparency, 0)
    TNotifyEvent OnEnableChange;

private:
    bool enable_ = false;
};

class TShowModified : public TPersistent {
public:
    void Assign(TPersistent* Source) override;
    TColor GetColor() const { return color_; }
    // Stores, then fires OnChange.
    void SetColor(TColor Value);
    GRID_STORED(bool, Enabled, false)
    TNotifyEvent OnChange;

private:
    TColor color_ = clYellow;
};

class TDragScrollDelays : public TPersistent {
public:
    void Assign(TPersistent* Source) override;
#define TDRAGSCROLLDELAYS_FIELDS(X) X(int, InitialDelay, 1000) X(int, RepeatDelay, 250)
    TDRAGSCROLLDELAYS_FIELDS(GRID_STORED)
};

class TDragScrollMargins : public TPersistent {
public:
    void Assign(TPersistent* Source) override;
#define TDRAGSCROLLMARGINS_FIELDS(X)                                                               \
    X(int, TopMargin, 50) X(int, BottomMargin, 50) X(int, LeftMargin, 50) X(int, RightMargin, 50)
    TDRAGSCROLLMARGINS_FIELDS(GRID_STORED)
};

class TDragScrollOptions : public TPersistent {
public:
    void Assign(TPersistent* Source) override;
    TDragScrollDelays* GetDelays() { return &delays_; }
    TDragScrollMargins* GetMargins() { return &margins_; }
    GRID_STORED(bool, Active, false)

private:
    TDragScrollDelays delays_;
    TDragScrollMargins margins_;
};

// One filter condition.
class TFilterData : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    void Assign(TPersistent* Source) override;
#define TFILTERDATA_FIELDS(X)                                                                      \
    X(int16_t, Column, 0)                                                                          \
    X(AnsiString, Condition, AnsiString())                                                         \
    X(bool, CaseSensitive, true)                                                                   \
    X(TFilterCells, Data, fcVirtual) X(AnsiString, Prefix, AnsiString())                           \
        X(AnsiString, Suffix, AnsiString()) X(TFilterOperation, Operation, foSHORT)
    TFILTERDATA_FIELDS(GRID_STORED)
};

class TFilter : public TCollection {
public:
    explicit TFilter(TKavStringGrid* AOwner);
    TFilterData* Add() { return static_cast<TFilterData*>(TCollection::Add()); }
    // Appends at the end too: the index is not used.
    TFilterData* Insert(int) { return Add(); }
    TFilterData* GetItems(int Index) const {
        return static_cast<TFilterData*>(TCollection::GetItem(Index));
    }
    void SetItems(int Index, TFilterData* Value) { SetItem(Index, Value); }
    TPersistent* GetOwner() const override;
    // The first condition on the column, appended when there is none.
    TFilterData* GetColFilter(int Col);

private:
    TKavStringGrid* grid_;
};

// A hidden row: its real index, its identity, its height and its cells (texts with their
// object slots).
// Why a hidden row is hidden; it shows again once no reason is left.
enum THideReason : uint8_t {
    hrByHand = 1, // HideRow and the other hiding calls of the program or the user
    hrNode = 2,   // inside a contracted node
    hrFilter = 4, // filtered out
};

class TGridItem : public TCollectionItem {
public:
    explicit TGridItem(TCollection* Collection);
    ~TGridItem() override;
    int GetIdx() const { return idx_; }
    void SetIdx(int Value) { idx_ = Value; }
    int GetHeight() const { return height_; }
    void SetHeight(int Value) { height_ = Value; }
    // The row's identity, given back to it when it is shown again.
    TGridRowId GetRowId() const { return rowId_; }
    void SetRowId(TGridRowId Value) { rowId_ = Value; }
    // The reasons the row is hidden (THideReason bits).
    uint8_t GetReasons() const { return reasons_; }
    void SetReasons(uint8_t Value) { reasons_ = Value; }
    // The row's cells as a list: a text and an object per column.
    TStrings* GetItems() const;
    // Copies the given lines (and their objects) into the owned list.
    void SetItems(TStrings* Value);

    // The row's cells as the grid's store held them, for "Cols" columns: hiding and showing
    // the row moves them without a copy. They become the list the first time it is asked for.
    void ParkRow(TGridStore::RowPtr Cells, int Cols);
    // The parked cells, if they are still parked (the pointer may be null: a row that held
    // nothing); false when the list holds them.
    bool TakeParkedRow(TGridStore::RowPtr& Cells);

private:
    int idx_ = 0;
    int height_ = 0;
    TGridRowId rowId_;
    uint8_t reasons_ = hrByHand;
    mutable int parkedCols_ = -1; // the columns of the parked cells; -1: none parked
    mutable std::unique_ptr<TStringList> items_;
    mutable TGridStore::RowPtr parked_;
};

class TGridChangeNotifier : public TComponent {
public:
    using TComponent::TComponent;
    // The rectangle of changed cells; descendants act on it.
    virtual void CellsChanged(const TRect&) {}
};
