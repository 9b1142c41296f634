#pragma once
// The class library's grids. TCustomGrid: rows and columns of cells painted through the
// canvas, fixed rows and columns, sizes, scrolling, the current cell and the selection.
// TDrawGrid: a grid whose cells the program paints (OnDrawCell). TStringGrid: a draw grid
// that keeps a text and an object per cell.
// Every index here is a display index (the column and row as shown), except the store's
// columns of TStringGrid, which keep the data of columns beyond ColCount.

#include "plataforma/base/string_list.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/grid/grid_axis.h"
#include "plataforma/gui/grid/grid_store.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/widgets/memo.h"

#include <cstdint>
#include <map>
#include <memory>

using TBorderStyle = TFormBorderStyle;

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = SmallSet<TGridOption>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = SmallSet<TGridDrawStateItem>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// A block of cells, both corners included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
    bool Contains(int ACol, int ARow) const {
        return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
    }
};

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect,
                                          TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    // --- counts ---
    int GetColCount() const { return cols_.GetCount(); }
    // Below 1 counts as 1; FixedCols is lowered when the count falls to it.
    void SetColCount(int Value);
    int GetRowCount() const { return rows_.GetCount(); }
    void SetRowCount(int Value);
    int GetFixedCols() const { return fixedCols_; }
    // Raises EInvalidGridOperation for a negative value or one not below ColCount.
    void SetFixedCols(int Value);
    int GetFixedRows() const { return fixedRows_; }
    void SetFixedRows(int Value);

    // --- look ---
    TColor GetFixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor Value);
    int GetDefaultColWidth() const { return cols_.GetDefaultSize(); }
    // Every column (row) takes the new default.
    void SetDefaultColWidth(int Value);
    int GetDefaultRowHeight() const { return rows_.GetDefaultSize(); }
    void SetDefaultRowHeight(int Value);
    // The default outside the columns (rows).
    int GetColWidths(int Index) const { return cols_.GetSize(Index); }
    // Indexes outside the columns (rows) are ignored; a negative width counts as 0.
    void SetColWidths(int Index, int Value);
    int GetRowHeights(int Index) const { return rows_.GetSize(Index); }
    void SetRowHeights(int Index, int Value);
    int GetGridLineWidth() const { return rows_.GetLineWidth(); }
    void SetGridLineWidth(int Value);
    bool GetDefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool Value);
    TScrollStyle GetScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    TGridOptions GetOptions() const { return options_; }
    void SetOptions(TGridOptions Value);

    // --- current cell and selection ---
    int GetCol() const { return current_.X; }
    void SetCol(int Value);
    int GetRow() const { return current_.Y; }
    void SetRow(int Value);
    // The block between the anchor and the current cell (whole rows with goRowSelect).
    TGridRect GetSelection() const;
    void SetSelection(const TGridRect& Value);

    // --- scrolling and geometry ---
    int GetTopRow() const { return topLeft_.Y; }
    // Kept within FixedRows .. RowCount-1 (LeftCol alike).
    void SetTopRow(int Value);
    int GetLeftCol() const { return topLeft_.X; }
    void SetLeftCol(int Value);
    // The scrollable rows (columns) wholly in view from TopRow (LeftCol); at least 1 while
    // there are scrollable rows.
    int GetVisibleRowCount() const;
    int GetVisibleColCount() const;
    // The cell's rectangle in client coordinates, cut to the client area; empty when the
    // cell is out of view or is not a cell of the grid.
    TRect CellRect(int ACol, int ARow) const;
    // The cell under a client point; -1 (each) where there is no cell.
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;

    // Sums over the prefix sums of the sizes, O(log n) whatever the count: the offset of a
    // column's (row's) left (top) edge from the grid's origin as if nothing were scrolled,
    // lines included; and the sum of the widths (heights) alone of Count columns (rows)
    // from First, lines not counted.
    int64_t GetColOffset(int ACol) const { return cols_.Offset(ACol); }
    int64_t GetRowOffset(int ARow) const { return rows_.Offset(ARow); }
    int64_t SumColWidths(int First, int Count) const { return cols_.SumSizes(First, Count); }
    int64_t SumRowHeights(int First, int Count) const { return rows_.SumSizes(First, Count); }
    // The column (row) whose extent holds an unscrolled offset; the count beyond the last.
    int ColAtOffset(int64_t Offset) const { return cols_.IndexAt(Offset); }
    int RowAtOffset(int64_t Offset) const { return rows_.IndexAt(Offset); }

    // --- rows and columns ---
    // Moves take their texts, objects and sizes along; the current cell follows its row
    // (column). Indexes outside the grid raise EInvalidGridOperation.
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    void DeleteColumn(int ACol);
    void DeleteRow(int ARow);

    // --- painting ---
    void InvalidateCell(int ACol, int ARow);
    void InvalidateCol(int ACol);
    void InvalidateRow(int ARow);
    void InvalidateGrid();

protected:
    // Paints one cell; the rectangle is the cell's, and may reach past the client area.
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
    // Whether the cell may become the current cell.
    virtual bool SelectCell(int ACol, int ARow);

    // Hooks, called after the change they name.
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void TopLeftChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    // Called before a lower RowCount drops the rows FirstRow .. LastRow, while their cells
    // can still be read (a derived grid frees what their object slots hold).
    virtual void RowsDropping(int FirstRow, int LastRow);
    // Keeps the cell store (if any) at the counts; the string grid's store lives here.
    virtual void ResizeStore(int NewColCount, int NewRowCount);

    void Paint() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;

    // The window's scroll bars: both run over the positions 0..127, spread evenly over the
    // top rows (left columns) from the first scrollable one to the last that shows the end.
    // Without goThumbTracking a drag moves the grid when the thumb is let go.
    void WMVScroll(TWMVScroll& Message);
    void WMHScroll(TWMHScroll& Message);
    void WMSize(TWMSize& Message);
    // Sets the bars' ranges for the counts and sizes, and their positions for the view.
    void UpdateScrollRange();
    void UpdateScrollPos();

    // Moves the current cell (and the anchor unless extending a selection), scrolling it
    // into view when Show; nothing when SelectCell refuses.
    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    // Scrolls so that the cell is wholly in view (as far as it fits).
    void ClampInView(const TGridCoord& Coord);
    // The top-left scrollable cell that shows the last column and row wholly.
    TGridCoord CalcMaxTopLeft() const;
    void MoveTopLeft(int ALeft, int ATop);
    // The screen rectangle of a block of cells, cut to the client area (empty out of view).
    TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom) const;

    // Changes both counts at once, dropping rows and keeping sizes as the setters do.
    void ChangeSize(int NewColCount, int NewRowCount);

    // The anchor of the selection (the corner opposite the current cell).
    TGridCoord anchor_;
    TGridCoord current_;
    TGridCoord topLeft_;

private:
    // Client position of a cell's leading edge along one axis; false when scrolled away.
    bool CellStart(const TGridAxis& Axis, int Fixed, int First, int Index, int64_t& Pos) const;
    // The index under a client position along one axis, -1 for none.
    int IndexAtPos(const TGridAxis& Axis, int Fixed, int First, int Pos) const;
    // The last scrollable index wholly inside Extent pixels.
    int LastFullVisible(const TGridAxis& Axis, int Fixed, int First, int Extent) const;
    int MaxTop(const TGridAxis& Axis, int Fixed, int Extent) const;
    void SelectionMoved(const TGridRect& OldSel);
    void InvalidateBlock(const TGridRect& R);
    void InvalidateClient(const TRect& R);
    void ClampTopLeft();
    void ModifyScrollBar(int Bar, int ScrollCode, int Pos);
    bool ScrollBarWanted(int Bar) const;

    TGridAxis cols_;
    TGridAxis rows_;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    TColor fixedColor_ = clBtnFace;
    bool defaultDrawing_ = true;
    TScrollStyle scrollBars_ = ssBoth;
    TBorderStyle borderStyle_ = bsSingle;
    bool updatingScroll_ = false;
    TGridOptions options_ = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine,
                             goRangeSelect};
};

class TDrawGrid : public TCustomGrid {
public:
    explicit TDrawGrid(TComponent* AOwner);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TNotifyEvent OnTopLeftChanged;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void TopLeftChanged() override;
};

class TStringGridStrings;

class TStringGrid : public TDrawGrid {
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    // Any store column may be read and written, also beyond ColCount (see GetStoreColCount).
    // A read outside the store gives an empty text (no object); a negative index raises
    // EInvalidGridOperation, and so does a write outside the store.
    AnsiString GetCells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const AnsiString& Value);
    TObject* GetObjects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, TObject* Value);
    // The columns the store keeps: the highest ColCount the grid has had.
    int GetStoreColCount() const { return store_.GetColCount(); }
    // A row's (column's) cells as a list, ColCount (RowCount) long, owned by the grid.
    // Assigning to it sets texts and objects; Exchange swaps two cells.
    TStrings* GetRows(int Index);
    TStrings* GetCols(int Index);

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    // Move the store's texts and objects at the indexes given, over every store column.
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void ResizeStore(int NewColCount, int NewRowCount) final;

    // The cell's text without a copy (empty for none), for painting.
    const AnsiString& CellText(int ACol, int ARow) const;

private:
    friend class TStringGridStrings;
    void CheckIndex(int ACol, int ARow) const;
    TGridCell& WritableCell(int ACol, int ARow);

    TGridStore store_;
    std::map<int, std::unique_ptr<TStringGridStrings>> rowLists_, colLists_;
};

// "Grid index out of range".
[[noreturn]] void GridIndexError();
