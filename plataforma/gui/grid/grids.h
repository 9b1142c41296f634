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
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/memo.h"

#include <cstdint>
#include <map>
#include <memory>

using TBorderStyle = TFormBorderStyle;

// "Grid index out of range".
[[noreturn]] void GridIndexError();

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

// Where the cells of one axis lie in the client area (the class library's draw info).
struct TGridAxisDrawInfo {
    int EffectiveLineWidth = 0;
    int FixedBoundary = 0; // end of the fixed cells
    int GridBoundary = 0;  // end of the last cell in view, its line included
    int GridExtent = 0;    // the client width (height)
    int LastFullVisibleCell = 0;
    int FullVisBoundary = 0; // end of the last cell wholly in view
    int FixedCellCount = 0;
    int FirstGridCell = 0; // LeftCol (TopRow)
    int GridCellCount = 0; // ColCount (RowCount)
};

struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};

class TCustomGrid;

// The grid's in-place editor: a borderless edit placed over the current cell. Its creation
// style decides whether it is single- or multi-line (ES_MULTILINE, on unless a derived
// editor removes it).
class TInplaceEdit : public TCustomMaskEdit {
public:
    explicit TInplaceEdit(TComponent* AOwner);

    TCustomGrid* GetGrid() const { return grid_; }
    void SetGrid(TCustomGrid* Value) { grid_ = Value; }
    // Places the editor over the rectangle, shows it and gives it the focus when the grid
    // had it.
    void Move(const TRect& Loc);
    void UpdateLoc(const TRect& Loc) { Move(Loc); }
    // Takes the text, mask and length limit of the grid's current cell.
    virtual void UpdateContents();
    // The editor's own bounds hook, after the grid placed it: the formatting rectangle
    // (EM_SETRECTNP) inside its borders. TControl's BoundsChanged(bool) stays the layer's.
    using TCustomMaskEdit::BoundsChanged;
    virtual void BoundsChanged();
    void Deselect();

protected:
    void CreateParams(TCreateParams& Params) override;
    bool IsMultiLine() const override;
    // Whether the window edits several lines (as a memo does) rather than one; a derived
    // editor answers, and makes its window again when the answer changes.
    virtual bool EditsLines() const { return false; }
    EditBackend* CreateBackend(QWidget* ParentWidget) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Change() override;
    void Dispatch(TMessage& Message) override;

private:
    void SendToParent(WORD& Key, TShiftState Shift);
    TCustomGrid* grid_ = nullptr;
};

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect,
                                          TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TSetEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const AnsiString& Value)>;

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    // --- counts ---
    int GetColCount() const { return cols_.GetCount(); }
    // Below 1 counts as 1; FixedCols is lowered when the count falls to it.
    void SetColCount(int Value);
    int GetRowCount() const { return rows_.GetCount(); }
    void SetRowCount(int Value) {
        if (Value < 1) Value = 1;
        if (Value == GetRowCount()) return;
        if (Value <= fixedRows_) fixedRows_ = Value - 1;
        ChangeSize(GetColCount(), Value);
    }
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
    // The block between the anchor and the current cell (whole rows with goRowSelect); while
    // it lies beyond, the cell just past the last column and row.
    TGridRect GetSelection() const;
    void SetSelection(const TGridRect& Value);
    // Puts the selection just beyond the last column and row, so that no cell shows selected
    // or current, or takes it back to the current cell. The current cell itself stays a cell
    // of the grid; the next move of it, or a selection set, ends the state.
    bool GetSelectionBeyond() const { return selectionBeyond_; }
    void SetSelectionBeyond(bool Value);

    TGridState GetGridState() const { return gridState_; }
    void SetGridState(TGridState Value) { gridState_ = Value; }

    // --- in-place editor ---
    bool GetEditorMode() const { return editorMode_; }
    void SetEditorMode(bool Value);
    TInplaceEdit* GetInplaceEditor() const { return inplaceEdit_; }

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
    // Reorders a block of rows in one pass: row First+i takes what row From[i] held (its
    // texts, objects and height; absolute indexes, a permutation of the block). The current
    // cell, the anchor and the top row keep their indexes.
    void PermuteRows(int First, const std::vector<int>& From);
    // Moves the block of rows Middle .. Last-1 in front of row First (rows First .. Last-1
    // rotated), in place, with their texts, objects and heights; the current cell, the
    // anchor and the top row keep their indexes.
    void RotateRows(int First, int Middle, int Last);
    // Exchanges two rows' texts, objects and heights in constant time; nothing is repainted
    // (the caller repaints what it changed).
    void ExchangeRows(int ARow1, int ARow2);

    // --- row identities ---
    // The identity of the row at an index (none outside the grid): it stays with the row
    // while other rows are inserted, removed and moved; and the index of the row with an
    // identity (-1 when no row of the grid has it now). A grid without a store has none.
    virtual TGridRowId GetRowId(int) const { return TGridRowId(); }
    virtual int FindRowId(TGridRowId) const { return -1; }
    // The identity of the column shown at an index, and where the column with an identity
    // shows now (-1 when it is gone or hidden). A grid without a store has none.
    virtual TGridColId GetShownColId(int) const { return TGridColId(); }
    virtual int FindShownColId(TGridColId) const { return -1; }

    // --- painting ---
    void InvalidateCell(int ACol, int ARow) {
        if (HandleAllocated()) InvalidateBlock({ACol, ARow, ACol, ARow});
    }
    void InvalidateCol(int ACol);
    void InvalidateRow(int ARow);
    void InvalidateGrid() {
        if (HandleAllocated()) Invalidate();
    }

protected:
    // Paints one cell; the rectangle is the cell's, and may reach past the client area.
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
    // Whether the cell may become the current cell.
    virtual bool SelectCell(int ACol, int ARow);

    // Hooks, called after the change they name.
    virtual void SizeChanged(int, int) {}
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void TopLeftChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    // The cell store's part of PermuteRows.
    virtual void RowsPermuted(int First, const std::vector<int>& From);
    virtual void RowsRotated(int First, int Middle, int Last);
    virtual void RowsExchanged(int ARow1, int ARow2);
    // Called before a lower RowCount drops the rows FirstRow .. LastRow, while their cells
    // can still be read (a derived grid frees what their object slots hold).
    virtual void RowsDropping(int FirstRow, int LastRow);
    // Keeps the cell store (if any) at the counts; the string grid's store lives here.
    virtual void ResizeStore(int NewColCount, int NewRowCount);

    // --- keys and mouse ---
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    // Whether a press at (X, Y) starts sizing a column (in the fixed rows) or a row (in the
    // fixed columns): the state, the index sized, the line's position and the pointer's
    // offset from it.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                 int& SizingOfs, TGridDrawInfo& FixedInfo);
    void CalcDrawInfo(TGridDrawInfo& DrawInfo) const;
    // Moves the current cell (scrolling it into view with Show), as keys and clicks do.
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    // Moves the anchor, extending the selection from the current cell.
    void MoveAnchor(const TGridCoord& NewAnchor);
    // A row (column) being moved by the mouse: the index it came from and the one it would
    // land on now. The mark of the landing place is drawn by DrawMove, once to show it and
    // once more to take it away (inverted, here). EndMouseState ends a selection, sizing or
    // move by the mouse: the scroll timer stops, the capture goes, the state is normal.
    int GetMoveIndex() const { return moveIndex_; }
    int GetMovePos() const { return movePos_; }
    virtual void DrawMove();
    // Whether a moved column (row) may land at Index: not on a fixed one.
    virtual bool MoveTargetAllowed(bool Cols, int Index) const {
        return Index >= (Cols ? fixedCols_ : fixedRows_);
    }
    void EndMouseState();

    // --- in-place editor ---
    virtual AnsiString GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const AnsiString& Value);
    virtual AnsiString GetEditMask(int ACol, int ARow);
    virtual int GetEditLimit();
    virtual TInplaceEdit* CreateEditor();
    virtual bool CanEditShow();
    void ShowEditor();
    void ShowEditorChar(char Ch);
    void HideEditor();
    // Writes the editor's text into its cell: the cell of the row the editor was opened on,
    // wherever that row stands now; when the row is no longer among the grid's rows, to
    // SetEditTextOfMissingRow.
    void UpdateText();
    // The editor's text for a row that left the grid's rows while the editor was open: a
    // derived grid that keeps such rows hidden writes it there; here it goes nowhere.
    virtual void SetEditTextOfMissingRow(TGridRowId, int, const AnsiString&) {}
    // Columns moved, came, went, were hidden or shown while the editor is open: the editor
    // goes along with its column, and the current cell with it when the editor stands on
    // it. An editor whose column no longer shows is closed without writing (what was typed
    // is in its column already).
    void EditedColumnMoved();
    void InvalidateEditor();
    // Whether the open editor edits the cell of this column and row (by their identities).
    bool EditsCell(TGridColId Col, TGridRowId Row) const {
        return inplaceCol_ >= 0 && inplaceColId_ && Col == inplaceColId_ && Row == inplaceRowId_;
    }
    int GetInplaceCol() const { return inplaceCol_; }
    int GetInplaceRow() const { return inplaceRow_; }
    // The row and the column the open editor edits (none when it is closed).
    TGridRowId GetInplaceRowId() const { return inplaceCol_ >= 0 ? inplaceRowId_ : TGridRowId(); }
    TGridColId GetInplaceColId() const { return inplaceCol_ >= 0 ? inplaceColId_ : TGridColId(); }

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
    void WMGetDlgCode(TMessage& Message);
    void WMChar(TWMChar& Message);
    void WMSetFocus(TWMSetFocus& Message);
    void WMKillFocus(TWMKillFocus& Message);
    void WMTimer(TWMTimer& Message);
    void WMCancelMode(TMessage& Message);
    // Sets the bars' ranges for the counts and sizes, and their positions for the view.
    void UpdateScrollRange();
    void UpdateScrollPos();
    // Called after the bars were set from the counts, sizes and view (a derived grid may
    // set them its own way).
    virtual void ScrollBarsUpdated();

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

    // Above 0 while the editor's text is being written into its cell (or read from it).
    int editUpdate_ = 0;
    // The anchor of the selection (the corner opposite the current cell).
    TGridCoord anchor_;
    TGridCoord current_;
    TGridCoord topLeft_;
    bool selectionBeyond_ = false;

private:
    friend class TInplaceEdit;
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
    void UpdateEdit();
    void HideEdit();
    void DrawSizingLine();
    void StartMove(TGridState State, int Index);
    int SizeFromLine() const;
    // One step of the scroll timer while a row or column is moved with the pointer past the
    // scrollable cells: the grid scrolls one towards it and the landing place follows.
    void MoveAndScroll(const TPoint& P);

    bool updatingScroll_ = false;
    TGridState gridState_ = gsNormal;
    int sizingIndex_ = -1, sizingPos_ = 0, sizingOfs_ = 0;
    bool sizingDrawn_ = false;
    int moveIndex_ = -1, movePos_ = -1;
    bool moveDrawn_ = false;
    TInplaceEdit* inplaceEdit_ = nullptr; // owned as a child control
    bool editorMode_ = false;
    int inplaceCol_ = -1, inplaceRow_ = -1;
    TGridRowId inplaceRowId_; // the row the editor was opened on
    TGridColId inplaceColId_; // and its column
    // The editor's row (column) brought to where it stands now; false when it is gone (or,
    // the column, hidden).
    bool FollowEditedRow();
    bool FollowEditedCol();
    AnsiString editStartText_;
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
    TGetEditEvent OnGetEditText;
    TGetEditEvent OnGetEditMask;
    TSetEditEvent OnSetEditText;

protected:
    AnsiString GetEditText(int ACol, int ARow) override;
    AnsiString GetEditMask(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const AnsiString& Value) override;
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

    // The column is the store's (a real column: see grid_index.h); the row the grid's.
    // Any store column may be read and written, also beyond ColCount (see GetStoreColCount).
    // A read outside the store gives an empty text (no object); a negative index raises
    // EInvalidGridOperation, and so does a write outside the store.
    AnsiString GetCells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const AnsiString& Value);
    TObject* GetObjects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, TObject* Value);
    // The columns the store keeps: the highest ColCount the grid has had.
    int GetStoreColCount() const { return store_.GetColCount(); }
    // The store's row identities.
    TGridRowId GetRowId(int ARow) const override { return store_.GetRowId(ARow); }
    int FindRowId(TGridRowId Id) const override { return store_.FindRow(Id); }
    TGridColId GetShownColId(int ACol) const override { return store_.GetColId(TRealCol(ACol)); }
    int FindShownColId(TGridColId Id) const override { return store_.FindCol(Id); }
    // The store's column identities, by real column: -1 when no column has the identity.
    TGridColId GetColId(TRealCol ACol) const { return store_.GetColId(ACol); }
    int FindColId(TGridColId Id) const { return store_.FindCol(Id); }
    // A row's (column's) cells as a list, ColCount (RowCount) long, owned by the grid.
    // Assigning to it sets texts and objects; Exchange swaps two cells.
    TStrings* GetRows(int Index);
    TStrings* GetCols(int Index);

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    // Move the store's texts and objects at the indexes given, over every store column.
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void RowsPermuted(int First, const std::vector<int>& From) override;
    void RowsRotated(int First, int Middle, int Last) override;
    void RowsExchanged(int ARow1, int ARow2) override;
    void ResizeStore(int NewColCount, int NewRowCount) final;
    AnsiString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const AnsiString& Value) override;

    // The cell's text without a copy (empty for none), for painting.
    const AnsiString& CellText(TRealCol ACol, int ARow) const;
    // A store row's cells taken out whole, leaving the row empty (nullptr when it held
    // nothing), and put back in place of an empty row: a row that leaves the grid for a while
    // moves without copying its cells. The row index must lie inside the store; the caller
    // repaints.
    TGridStore::RowPtr TakeStoreRow(int ARow);
    // The last store column whose cell the row holds: -1 for a row that holds none (or one
    // outside the store); every cell beyond is empty, without an object.
    int LastHeldCol(int ARow) const {
        const TGridStore::Row* cells = store_.GetRow(ARow);
        return cells ? static_cast<int>(cells->End()) - 1 : -1;
    }
    // Asks for a store row's cells ahead of a pass over many rows (see TGridStore::Prefetch).
    void PrefetchStoreRow(int ARow) const { store_.Prefetch(ARow); }
    // The row given back its identity (Id none: the row keeps the one it has).
    void PutStoreRow(int ARow, TGridStore::RowPtr Cells, TGridRowId Id = TGridRowId());
    // Store columns First .. Last-1 rotated so that Middle comes first, in every row, with
    // their identities (see TGridStore::RotateCols); the caller repaints.
    void RotateStoreCols(TRealCol First, TRealCol Middle, TRealCol Last) {
        store_.RotateCols(First, Middle, Last);
    }
    // Store columns First .. First+Count-1 leave in one pass over the rows (see
    // TGridStore::RemoveCols); the caller repaints.
    void RemoveStoreCols(TRealCol First, int Count, TRealCol ClearFrom,
                         const std::function<void(TGridCell&)>& Leave) {
        store_.RemoveCols(First, Count, ClearFrom, Leave);
    }
    // Store columns First .. Last-1 get new identities: the columns there left the grid.
    void RenewStoreColIds(TRealCol First, TRealCol Last) { store_.RenewColIds(First, Last); }

private:
    friend class TStringGridStrings;
    void CheckIndex(int ACol, int ARow) const {
        if (ACol < 0 || ARow < 0) GridIndexError();
    }
    TGridCell& WritableCell(TRealCol ACol, int ARow);

    TGridStore store_;
    std::map<int, std::unique_ptr<TStringGridStrings>> rowLists_, colLists_;
};
