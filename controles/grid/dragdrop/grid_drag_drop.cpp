#include "controles/grid/dragdrop/grid_drag_drop.h"

#include "controles/grid/clipboard/clip_text.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/storage/file_support.h"
#include "plataforma/gui/input/mouse.h"

#include <algorithm>

namespace {

// The arrows: two mark a column's drop place (above and below its header), one a row's
// (left of it); the fourth is the feedback window that follows the pointer.
constexpr TArrowDirection kColumnAbove = arrDown, kColumnBelow = arrUp, kRowArrow = arrLeft,
                          kFeedback = arrRight;
constexpr int kArrowSize = 11;

void ShowArrow(TKavStringGrid* g, TArrowDirection d, int Left, int Top) {
    TArrowWindow* w = g->GetArrowWindow(d);
    w->SetBounds(Left, Top, kArrowSize, kArrowSize);
    w->SetVisible(true);
}

void HideArrow(TKavStringGrid* g, TArrowDirection d) {
    g->GetArrowWindow(d)->SetVisible(false);
}

// Whether a paste may write the cell (display column): the grid takes pastes at all, and
// the cell is editable or the clipboard may always write.
bool CanPasteAt(TKavStringGrid* g, int ACol, int ARow) {
    if (g->GetNavigation()->GetAllowClipboardAlways()) return true;
    if (!g->GetOptions().Contains(goEditing) && !g->GetMouseActions()->GetRangeSelectAndEdit())
        return false;
    return g->IsEditable(g->RemapCol(ACol), ARow);
}

// The cell where dropped text starts for the cell under the pointer: with row selection the
// first column of the row (the fixed one too with OleEntireRows); in a grid of its header
// row alone (FixedRowAlways), the row after it.
TPoint TextDropCell(TKavStringGrid* g, int ACol, int ARow) {
    if (g->GetOptions().Contains(goRowSelect))
        ACol = g->GetDragDropSettings()->GetOleEntireRows() ? 0 : g->GetFixedCols();
    if (ARow == 0 && g->GetFixedRowAlways() && g->GetRowCount() == 1) ARow = 1;
    return TPoint(ACol, ARow);
}

// Whether dropped text starting at the cell would be written: into a row that is there, or
// into one that the drop inserts or the paste adds, as the grid's pastes are written.
bool CanTakeText(TKavStringGrid* g, TPoint Cell) {
    const int col = std::max(Cell.x, g->GetFixedCols());
    if (Cell.y < g->GetRowCount()) return CanPasteAt(g, col, Cell.y);
    if (!g->GetDragDropSettings()->GetOleInsertRows() &&
        !g->GetNavigation()->GetAllowClipboardRowGrow())
        return false;
    return g->GetNavigation()->GetAllowClipboardAlways() || g->GetOptions().Contains(goEditing) ||
           g->GetMouseActions()->GetRangeSelectAndEdit();
}

// What a paste of a text writes: its cells (every field but the empty one after a last line
// break), its widest line and its lines.
struct TextBlock {
    int cells = 0, cols = 0, rows = 0;
};
template <class Ch> TextBlock BlockOf(const std::basic_string<Ch>& Text) {
    clip_text::Reader<Ch> reader(Text.data(), Text.data() + Text.size());
    std::basic_string<Ch> field;
    TextBlock b;
    int fields = 0;
    bool afterBreak = false;
    while (!reader.AtEnd()) {
        const auto stop = reader.Next(field);
        ++fields;
        if (stop == clip_text::Reader<Ch>::Tab) continue;
        const bool emptyLast =
            stop == clip_text::Reader<Ch>::End && field.empty() && fields == 1 && afterBreak;
        afterBreak = stop == clip_text::Reader<Ch>::LineEnd;
        if (!emptyLast) {
            b.cells += fields;
            b.cols = std::max(b.cols, fields);
            ++b.rows;
        }
        fields = 0;
    }
    return b;
}

// A cell's rectangle on the screen.
TRect ScreenCellRect(TKavStringGrid* g, int ACol, int ARow) {
    const TRect r = g->CellRect(ACol, ARow);
    const TPoint a = g->ClientToScreen(TPoint(r.Left, r.Top));
    const TPoint b = g->ClientToScreen(TPoint(r.Right, r.Bottom));
    return TRect(a.x, a.y, b.x, b.y);
}

} // namespace

void InitOleLibrary() {
    const HRESULT r = OleInitialize(nullptr);
    // Never fails here: the window system's drag and drop needs nothing started.
    (void)r;
}

// --- the target ---

void TGridDropTarget::HideArrows(bool Feedback) {
    for (TArrowDirection d : {kColumnAbove, kColumnBelow, kRowArrow})
        HideArrow(grid_, d);
    if (Feedback) HideArrow(grid_, kFeedback);
}

void TGridDropTarget::DragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats) {
    TKSGDropTarget::DragMouseMove(Pt, Allow, Formats);
    TKavStringGrid* g = grid_;
    int col = -1, row = -1;
    g->ScreenToCell(Pt, col, row);
    Allow = Allow && col >= 0 && row >= 0;
    const bool column = Formats.Contains(dfCol);
    // Near the edges the grid scrolls: rows at every move, columns at every other one.
    if (Allow && !column) {
        if (row == 0 && g->GetFixedRows() < g->GetTopRow())
            g->SetTopRow(g->GetTopRow() - 1);
        else if (row == g->GetVisibleRowCount() + g->GetTopRow() &&
                 g->GetTopRow() + g->GetVisibleRowCount() < g->GetRowCount())
            g->SetTopRow(g->GetTopRow() + 1);
        if (g->ole_.scrollCount++ % 2 == 0) {
            if (col == 0 && g->GetFixedCols() < g->GetLeftCol())
                g->SetLeftCol(g->GetLeftCol() - 1);
            else if (col == g->GetVisibleColCount() + g->GetLeftCol() &&
                     g->GetLeftCol() + g->GetVisibleColCount() < g->GetColCount())
                g->SetLeftCol(g->GetLeftCol() + 1);
        }
    }
    if (column)
        Allow = Allow && row < g->GetFixedRows() && col >= g->GetFixedCols();
    else if (row < g->GetFixedRows() && !(g->GetRowCount() == 1 && g->GetFixedRowAlways()))
        Allow = false;
    // Text or rich text for cells that cannot take it is refused where it would land.
    if (Allow && !column && !Formats.Contains(dfFile))
        Allow = Formats.Contains(dfRTF) && Ksgdd::GetRTFAware()
                    ? CanPasteAt(g, col, row)
                    : CanTakeText(g, TextDropCell(g, col, row));
    if (g->OnOleDragOver) g->OnOleDragOver(g, row, col, Allow);

    if (Allow && column) {
        const TRect r = ScreenCellRect(g, col, row);
        ShowArrow(g, kColumnAbove, r.Left, r.Top - 8);
        ShowArrow(g, kColumnBelow, r.Left, r.Bottom);
    } else if (Allow) {
        if (row == 0 && g->GetFixedRowAlways()) row = 1;
        const TRect r = ScreenCellRect(
            g, g->GetDragDropSettings()->GetOleEntireRows() ? g->GetFixedCols() : col, row);
        ShowArrow(g, kRowArrow, r.Left - 10, r.Top);
    } else {
        HideArrows(false);
    }
}

void TGridDropTarget::DragMouseLeave() {
    HideArrows(false);
}

void TGridDropTarget::DropText(TPoint Pt, const AnsiString& Text) {
    const std::string& s = Text.str();
    DropCells(Pt, Text, s.substr(0, s.find('\0')));
}

void TGridDropTarget::DropWideText(TPoint Pt, const WideString& Text) {
    // A field with characters that the code page lacks becomes a wide cell.
    DropCells(Pt, Text.ToAnsiString(), Text.str());
}

template <class Ch>
void TGridDropTarget::DropCells(TPoint Pt, const AnsiString& Text,
                                const std::basic_string<Ch>& Cells) {
    TKavStringGrid* g = grid_;
    TDragDropSettings* dd = g->GetDragDropSettings();
    int col = -1, row = -1;
    g->ScreenToCell(Pt, col, row);
    // The rows counted whole (an insertion one row short would have the paste write over a
    // row that was there).
    const TextBlock size = BlockOf(Cells);
    const TPoint at = TextDropCell(g, col, row);
    if (col >= 0) col = at.x;
    bool allow = col >= 0 && row >= 0;
    if (allow && g->OnOleDrop) g->OnOleDrop(g, row, col, Text, allow);
    TGridRect dropped{-1, -1, -1, -1};
    if (allow && g->ole_.dragging &&
        g->ole_.dragged.Contains(std::max(col, g->GetFixedCols()), row))
        allow = false; // onto the cells it came from: nothing moves
    if (allow && !CanTakeText(g, TPoint(col, at.y))) allow = false;
    if (allow) {
        row = at.y;
        if (dd->GetOleInsertRows()) {
            int top = g->GetTopRow();
            if (g->GetFixedRows() < top) ++top;
            // No more rows than a paste may make the grid hold.
            const int inserted = static_cast<int>(std::min<int64_t>(
                size.rows, std::max<int64_t>(0, grid_files::kMaxRows - 1 - g->GetRowCount())));
            g->InsertRows(row, inserted);
            if (top > 0)
                g->SetTopRow(std::min(top, std::max(g->GetFixedRows(), g->GetRowCount() - 1)));
        }
        g->PasteFields(col, row, Cells.data(), Cells.data() + Cells.size());
        // Cells that did not fit, may not be changed or were kept by an event stay with the
        // source: the drop is a copy.
        if (g->pastedCells_ < size.cells) TookPart();
        // The cells written, from the first normal column on.
        dropped = {std::max(col, g->GetFixedCols()), row, col + size.cols - 1,
                   row + size.rows - 1};
        dropped.Right = std::min(dropped.Right, g->GetColCount() - 1);
        dropped.Bottom = std::min(dropped.Bottom, g->GetRowCount() - 1);
        if (dropped.Right >= dropped.Left && dropped.Bottom >= dropped.Top)
            g->SetSelection(dropped);
        if (g->ole_.dragging) g->ole_.dropped = dropped;
    } else {
        Refuse();
    }
    HideArrow(g, kRowArrow);
    HideArrow(g, kColumnBelow);
    HideArrow(g, kFeedback);
    if (allow && g->OnOleDropped) g->OnOleDropped(g, dropped);
}

void TGridDropTarget::DropRTF(TPoint Pt, const AnsiString& Text) {
    TKavStringGrid* g = grid_;
    int col = -1, row = -1;
    g->ScreenToCell(Pt, col, row);
    bool allow = col >= 0 && row >= 0 && CanPasteAt(g, col, row);
    if (allow && g->OnOleDrop) g->OnOleDrop(g, row, col, Text, allow);
    if (allow)
        g->SetCellEx(g->RemapCol(col), row, Text);
    else
        Refuse();
    HideArrow(g, kRowArrow);
    HideArrow(g, kColumnBelow);
}

void TGridDropTarget::DropCol(TPoint Pt, int Col) {
    TKavStringGrid* g = grid_;
    int col = -1, row = -1;
    g->ScreenToCell(Pt, col, row);
    if (GetDropFormats().Contains(dfCol)) {
        HideArrow(g, kColumnAbove);
        HideArrow(g, kColumnBelow);
        HideArrow(g, kFeedback);
    }
    // A column number from another program that no grid has is no column.
    if (Col < 0) return Refuse();
    if (g->OnOleDropCol) g->OnOleDropCol(g, row, col, Col);
}

void TGridDropTarget::DropFiles(TPoint Pt, TStrings* Files) {
    TKavStringGrid* g = grid_;
    HideArrow(g, kRowArrow);
    HideArrow(g, kColumnBelow);
    if (Files->GetCount() != 1) return Refuse();
    const AnsiString name = Files->GetStrings(0);
    int col = -1, row = -1;
    g->ScreenToCell(Pt, col, row);
    bool allow = true;
    if (g->OnOleDropFile) g->OnOleDropFile(g, row, col, name, allow);
    if (!allow) return Refuse();
    const AnsiString upper = name.UpperCase();
    const bool csv = upper.Pos(".CSV") > 0, xls = !csv && upper.Pos(".XLS") > 0;
    if (!csv && !xls) return Refuse();
    if (g->OnOleDrop) g->OnOleDrop(g, -1, -1, name, allow);
    if (!allow) return Refuse();
    // An unreadable file raises its error to the application's display; the cells loaded
    // so far stay.
    if (csv)
        g->LoadFromCSV(name);
    else
        g->LoadFromXLS(name);
}

// --- the source ---

void TGridDropSource::CurrentEffect(DWORD Effect) {
    if (Effect == DROPEFFECT_COPY || Effect == DROPEFFECT_MOVE) lastEffect_ = Effect;
}

void TGridDropSource::QueryDrag() {
    TPoint p;
    GetCursorPos(&p);
    TArrowWindow* w = grid_->GetArrowWindow(kFeedback);
    w->SetBounds(p.x, p.y - kArrowSize, kArrowSize, kArrowSize);
}
