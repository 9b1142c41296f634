// TKavStringGrid: the grid unit's start-up, the version number and text, the column order
// that lets moved columns be put back, wide-text cells and the editor's window procedure.
#include "controles/grid/paint/grid_glyphs.h"
#include "controles/grid/kav_grid.h"

#include "controles/comun/text_utils.h"
#include "plataforma/gui/kernel/file_version.h"
#include "plataforma/gui/services/clipboard.h"

#include <algorithm>

namespace {

// Counted down by each start-up and up by each shut-down: the work runs when it was 0.
int unitCount = 0;
bool flatScrollBars = false;
UINT gridClipboardFormat = 0;

// The process's end shuts the unit down once more than it was started by hand.
struct UnitLifetime {
    ~UnitLifetime() {
        if (unitCount < 0) DoneKavGridUnit();
    }
} unitLifetime;

} // namespace

void InitKavGridUnit() {
    // Started once per process: later grids find it running. There is no OLE to start here:
    // the window layer needs no per-thread initialisation for drag and drop or the clipboard.
    if (unitCount-- != 0) return;
    flatScrollBars = GetFileVersion("comctl32.dll") >= 0x40046;
    gridClipboardFormat = RegisterClipboardFormat("TKavStringGrid Cells");
    RegisterGridGlyphs();
}

void DoneKavGridUnit() {
    if (unitCount == 0) return;
    ++unitCount;
}

int KavGridUnitCount() {
    return unitCount;
}

UINT GetGridClipboardFormat() {
    return gridClipboardFormat;
}

bool GetFlatScrollBarsAvailable() {
    return flatScrollBars;
}

unsigned TKavStringGrid::GetVersionNr() {
    return 0x03030201;
}

AnsiString TKavStringGrid::GetVersionString() {
    return GetVersion() + " Mar, 2006";
}

AnsiString TKavStringGrid::GetVersion() {
    const unsigned v = GetVersionNr();
    return AnsiString(static_cast<int>(v >> 24)) + "." +
           AnsiString(static_cast<int>((v >> 16) & 0xFF)) + "." +
           AnsiString(static_cast<int>((v >> 8) & 0xFF)) + "." +
           AnsiString(static_cast<int>(v & 0xFF));
}

void TKavStringGrid::SetColumnOrder() {
    columnOrder_.resize(static_cast<size_t>(GetColCount()));
    for (size_t i = 0; i < columnOrder_.size(); ++i)
        columnOrder_[i] = static_cast<int>(i);
}

void TKavStringGrid::MoveColumn(int FromIndex, int ToIndex) {
    if (columnOrder_.empty()) SetColumnOrder();
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
}

void TKavStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
    // The column order follows the move (by real indexes) when it covers both of them.
    const int from = RemapCol(FromIndex), to = RemapCol(ToIndex);
    const int n = static_cast<int>(columnOrder_.size());
    if (from >= 0 && to >= 0 && from < n && to < n) {
        const int moved = columnOrder_[from];
        columnOrder_.erase(columnOrder_.begin() + from);
        columnOrder_.insert(columnOrder_.begin() + to, moved);
    }
    TBaseGrid::ColumnMoved(FromIndex, ToIndex);
    if (enhRowColMove_) colMoved_ = true;
    // The texts kept for hidden rows move with the column.
    for (int i = 0; i < hiddenRows_->GetCount(); ++i) {
        TStrings* cells = static_cast<TGridItem*>(hiddenRows_->GetItem(i))->GetItems();
        if (from >= 0 && to >= 0 && from < cells->GetCount() && to < cells->GetCount())
            cells->Move(from, to);
    }
    // The sort column and the columns of the sort index stay on the same data.
    auto follow = [from, to](int c) {
        if (c == from) return to;
        if (from < to && c > from && c <= to) return c - 1;
        if (from > to && c >= to && c < from) return c + 1;
        return c;
    };
    TSortSettings* ss = GetSortSettings();
    ss->SetColumn(follow(ss->GetColumn()));
    if (ss->GetIndexShow()) {
        TSortIndexList* idx = GetSortIndexes();
        for (int i = 0; i < idx->GetCount(); ++i)
            idx->SetSortColumns(i, follow(idx->GetSortColumns(i)));
    }
}

void TKavStringGrid::ResetColumnOrder() {
    const int n = std::min(GetColCount(), static_cast<int>(columnOrder_.size()));
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i < n; ++i)
            if (columnOrder_[i] < i) {
                MoveColumn(i, columnOrder_[i]);
                changed = true;
            }
    }
}

WideString TKavStringGrid::GetWideCells(int ACol, int ARow) {
    return WideString(DecodeWideStr(GetCellEx(ACol, ARow)));
}

void TKavStringGrid::SetWideCells(int ACol, int ARow, const WideString& Value) {
    SetGridCell(ACol, ARow, EncodeWideStr(Value.str()));
}

void TKavStringGrid::SubclassProc(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE && GetOptions().Contains(goTabs)) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
        return;
    }
    if (savedEditorProc_) savedEditorProc_(Message);
}
