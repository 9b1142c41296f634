#pragma once
// TBaseGrid: the string grid with a property object per cell (made on first use, kept in the
// cell's object slot and owned by the grid), merged blocks of cells read, written, measured
// and painted as one, the display-text hooks, movement by keys and wheel that skips merged
// blocks, row copy and clear, the active row colour and the link to an undo component.
// It draws its own grid lines: the string grid underneath keeps a line width of 0.

#include "controles/grid/cell_properties.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/gui/grid/grid_index.h"
#include "plataforma/gui/grid/grids.h"

class TKavGridUndoRedo;

using TGetDisplTextEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TGetDisplWideTextEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;

class TBaseGrid : public TStringGrid {
public:
    explicit TBaseGrid(TComponent* AOwner);
    // Frees every cell's property object.
    ~TBaseGrid() override;

    // --- cell text ---
    // The text of the merged block's base cell, through the display hooks for rows below the
    // data row count; the stored text never changes by reading.
    AnsiString GetCellEx(int ACol, int ARow);
    // Writes the base cell of the block and repaints it.
    void SetCellEx(int ACol, int ARow, const AnsiString& Value);
    // The stored text, without merging or hooks.
    AnsiString GetGridCell(int ACol, int ARow) const { return GetCells(ACol, ARow); }
    void SetGridCell(int ACol, int ARow, const AnsiString& Value) { SetCells(ACol, ARow, Value); }

    // --- cell objects ---
    // The property object, made when missing (never for reading queries below).
    TCellProperties* GetCellProperties(int ACol, int ARow);
    bool HasCellProperties(int ACol, int ARow) const;
    // The property object of the cell or nullptr; never makes one.
    TCellProperties* FindCellProperties(int ACol, int ARow) const;
    // Frees what the slot holds and stores Value (owned by the grid from then on).
    void SetCellProperties(int ACol, int ARow, TCellProperties* Value);
    TObject* GetObjectEx(int ACol, int ARow) const;
    void SetObjectEx(int ACol, int ARow, TObject* Value);
    TObject* GetGraphicObjectEx(int ACol, int ARow) const;
    // Stores the graphic reference in the cell's properties; the properties free a
    // TCellGraphic they hold when they go (shared check-box records excepted).
    void SetGraphicObjectEx(int ACol, int ARow, TObject* Value);
    // The raw object slot.
    TObject* GetGridObject(int ACol, int ARow) const { return GetObjects(ACol, ARow); }
    void SetGridObject(int ACol, int ARow, TObject* Value) { SetObjects(ACol, ARow, Value); }

    // --- rectangles ---
    // The cell's whole rectangle (the block's for a merged cell), also when partly out of
    // view; empty when it is wholly out of view.
    TRect CellRect(int ACol, int ARow) const;
    // From the sizes alone, scrolled as the grid is; may lie outside the client area.
    TRect GetCellRect(int ACol, int ARow) const;
    TPoint CellSize(int ACol, int ARow) const;
    int FixedColsWidth() const;
    int FixedRowsHeight() const;
    void RepaintCell(int ACol, int ARow);
    // The cell of a real column, where it shows; nothing when its column is hidden.
    void RepaintRealCell(TRealCol ACol, int ARow);
    bool IsSelected(int ACol, int ARow) const;

    // --- rows and columns ---
    // A second, independent copy of a cell's properties (of this grid or another) for cell
    // (ACol, ARow) of this grid.
    TCellProperties* CopyProps(const TCellProperties& Source, int ACol, int ARow);
    void CopyCols(int ToIndex, int FromIndex);
    // Texts through GetCellEx/SetCellEx; the target cells get copies of the source's
    // properties (their own properties are freed first).
    void CopyRows(int ToIndex, int FromIndex);
    // Empty the object slot (without freeing) and the text.
    void NilCol(int ACol);
    void NilRow(int ARow);
    void NilCell(int ACol, int ARow);
    void ClearPropRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void ClearPropCell(int ACol, int ARow);
    void ClearPropRow(int ARow);
    // Every cell of the store, columns beyond ColCount included.
    virtual void ClearProps();

    // --- merged cells ---
    virtual void MergeCells(int ACol, int ARow, int ColSpan, int RowSpan);
    virtual void SplitCells(int ACol, int ARow);
    TPoint BaseCell(int ACol, int ARow) const;
    bool IsBaseCell(int ACol, int ARow) const;
    bool IsBaseCellEx(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
    TPoint CellSpan(int ACol, int ARow) const;
    TPoint CellExt(int ACol, int ARow) const;
    TRect FullCell(int ACol, int ARow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    void SelectBaseCell();
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;

    // --- merged blocks as shown ---
    // The store keeps blocks by real column; the rectangles, the painting, the mouse, the
    // keys and the selection speak of shown columns. A block is shown over its shown columns
    // only: a hidden column inside it takes no room, and a hidden base column leaves the
    // block's first shown column to stand for the base.
    // The block that holds shown cell (ACol, ARow), Left/Right shown columns, Top/Bottom rows;
    // the cell alone when it is not merged.
    TRect ShownFullCell(TShownCol ACol, int ARow) const;
    // The block's top-left shown cell.
    TPoint ShownBaseCell(TShownCol ACol, int ARow) const;
    bool IsShownMergedCell(TShownCol ACol, int ARow) const;
    // The cell is its block's top-left shown cell (a cell not merged is its own).
    bool IsShownBaseCell(TShownCol ACol, int ARow) const;
    // The block's last shown column and row less its first: what the block covers as shown.
    TPoint ShownCellSpan(TShownCol ACol, int ARow) const;

    // --- the column map ---
    // Where the grid hides columns their cells stay in the store: these map a shown column
    // to the store's real column and back. The base grid hides none.
    virtual TRealCol ToReal(TShownCol ACol) const { return TRealCol(ACol.Value()); }
    virtual TShownCol ToShown(TRealCol ACol) const { return TShownCol(ACol.Value()); }

    // --- settings ---
    bool GetActiveRowShow() const { return activeRowShow_; }
    void SetActiveRowShow(bool Value);
    TColor GetActiveRowColor() const { return activeRowColor_; }
    void SetActiveRowColor(TColor Value);
    bool GetDefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool Value);
    int GetGridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int Value);
    TColor GetGridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(TColor Value);
    TKavGridUndoRedo* GetUndoRedo() const { return undoRedo_; }
    void SetUndoRedo(TKavGridUndoRedo* Value);
    int GetPaintCounter() const { return paintCounter_; }
    // The word wrap that new cell properties start with.
    bool GetNewCellWordWrap() const { return newCellWordWrap_; }

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

    // --- overridable hooks ---
    virtual bool IsFixed(int ACol, int ARow);
    virtual int NodeIndent(int ARow);
    virtual bool HasNodes();
    virtual void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect,
                              TGridDrawState AState);
    virtual void FloatFooterUpdate();
    virtual void GetDisplText(int ACol, int ARow, AnsiString& Value);
    virtual void GetDisplWideText(int ACol, int ARow, WideString& Value);
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print,
                                     bool Select, bool Remap, TBrush* ABrush, TColor& AColorTo,
                                     TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW);
    virtual int DisplColIndex(int ACol);
    // Writes the cell (real column) of a row that is not among the grid's rows now but is
    // kept hidden; false when no hidden row has the identity (a grid without hidden rows).
    virtual bool SetCellOfHiddenRow(TGridRowId, int, const AnsiString&) { return false; }

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void Paint() override;
    bool SelectCell(int ACol, int ARow) override;
    void TopLeftChanged() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Frees the properties held by rows a lower RowCount drops.
    void RowsDropping(int FirstRow, int LastRow) override;

    // Frees the property object in one slot, if any, and empties the slot.
    void FreeSlot(int ACol, int ARow);
    // The property object the slot holds, or nullptr.
    static TCellProperties* AsProps(TObject* Object);

    bool footerRowActive_ = false;
    // Set once cells were merged: the row operations keep blocks in shape only then.
    bool hasMerges_ = false;
    int dataRowCount_ = 0;
    bool newCellWordWrap_ = true;

private:
    void RepaintFixedMergedRows();
    void RepaintFixedMergedCols();

    bool defaultDrawing_ = false;
    int gridLineWidth_ = 1;
    TColor gridLineColor_ = clSilver;
    int paintCounter_ = 1;
    TKavGridUndoRedo* undoRedo_ = nullptr;
    bool activeRowShow_ = false;
    TColor activeRowColor_ = clInfoBk;
};
