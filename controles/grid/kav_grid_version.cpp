// TKavStringGrid: the grid unit's start-up, the version number and text, the column order
// that lets moved columns be put back, wide-text cells and the editor's window procedure.
#include "controles/grid/kav_grid.h"
#include "controles/grid/paint/grid_cursors.h"
#include "controles/grid/paint/grid_glyphs.h"

#include "controles/comun/text_utils.h"
#include "plataforma/gui/kernel/file_version.h"
#include "plataforma/gui/services/clipboard.h"

#include <algorithm>
#include <numeric>

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
    RegisterGridCursors();
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
    // By real columns: a hidden column has its place in the order too.
    columnOrder_.resize(static_cast<size_t>(TotalColCount()));
    std::iota(columnOrder_.begin(), columnOrder_.end(), 0);
}

void TKavStringGrid::MoveColumn(int FromIndex, int ToIndex) {
    if (columnOrder_.empty()) SetColumnOrder();
    // An open text editor goes along with its column; a control editor is closed.
    if (FromIndex != ToIndex && editSession_->ControlShown) HideInplaceEdit();
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
}

void TKavStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
    // Shown column FromIndex moved to shown place ToIndex: its real column moves to the real
    // place of the target, the hidden columns keeping their order among the others.
    const int from = RemapCol(FromIndex), to = RemapCol(ToIndex);
    const auto moveIn = [from, to](auto& List) {
        if (from < to)
            std::rotate(List.begin() + from, List.begin() + from + 1, List.begin() + to + 1);
        else
            std::rotate(List.begin() + to, List.begin() + from, List.begin() + from + 1);
    };
    const std::vector<TMergedBlock> blocks =
        reorderSources_ ? std::vector<TMergedBlock>() : MergedBlocks();
    TBaseGrid::ColumnMoved(from, to);
    if (from < static_cast<int>(visibleCols_.size()) &&
        to < static_cast<int>(visibleCols_.size())) {
        moveIn(visibleCols_);
        moveIn(hiddenWidths_);
    }
    if (enhRowColMove_) colMoved_ = true;
    const TGridRemap map = TGridRemap::Move(TotalColCount(), from, to);
    if (reorderSources_) {
        const std::vector<int> step = map.Sources();
        std::vector<int> sources(step.size(), -1);
        for (size_t p = 0; p < step.size(); ++p)
            if (step[p] >= 0 && step[p] < static_cast<int>(reorderSources_->size()))
                sources[p] = (*reorderSources_)[static_cast<size_t>(step[p])];
        reorderSources_->swap(sources);
    }
    ColsRestructured(map, blocks);
}

void TKavStringGrid::ResetColumnOrder() {
    // The order is kept by real columns: the hidden ones are shown while the columns go
    // back, so that every move is one of shown columns, and are hidden again at the places
    // the order gives them (a column past the recorded order keeps its place).
    std::vector<int> hidden;
    for (int c = 0; c < TotalColCount() && c < static_cast<int>(visibleCols_.size()); ++c)
        if (!visibleCols_[c])
            hidden.push_back(c < static_cast<int>(columnOrder_.size()) ? columnOrder_[c] : c);
    BeginUpdate();
    if (!hidden.empty()) UnHideColumnsAll();
    const int n = std::min(GetColCount(), static_cast<int>(columnOrder_.size()));
    const std::vector<TMergedBlock> blocks = MergedBlocks();
    std::vector<int> sources(static_cast<size_t>(TotalColCount()));
    std::iota(sources.begin(), sources.end(), 0);
    reorderSources_ = &sources;
    try {
        bool changed = true;
        while (changed) {
            changed = false;
            for (int i = 0; i < n; ++i)
                if (columnOrder_[i] < i) {
                    MoveColumn(i, columnOrder_[i]);
                    changed = true;
                }
        }
    } catch (...) {
        reorderSources_ = nullptr;
        throw;
    }
    reorderSources_ = nullptr;
    FollowColumnBlocks(TGridRemap::FromSources(static_cast<int>(sources.size()), sources), blocks);
    for (int c : hidden)
        HideColumn(c);
    EndUpdate();
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
