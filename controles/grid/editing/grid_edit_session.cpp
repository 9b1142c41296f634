// TGridEditSession: the operations the grid's editors call, done through the grid.
#include "controles/grid/editing/grid_edit_session.h"

#include "controles/grid/kav_grid.h"

namespace {

// Sets a flag for the length of a call, also when the call raises.
template <class F> void With(bool& Flag, F&& f) {
    const bool before = Flag;
    Flag = true;
    try {
        f();
    } catch (...) {
        Flag = before;
        throw;
    }
    Flag = before;
}

// Where the row the edit began in stands now: its index among the grid's rows; else -1, with
// Real its real index when it is kept hidden (-1 when it is gone).
int EditedRow(const TKavStringGrid& G, TGridRowId Id, int& Real) {
    Real = -1;
    if (!Id || G.GetRowId(G.GetRow()) == Id) return G.GetRow();
    const int row = G.FindRowId(Id);
    if (row >= 0) return row;
    const TCollection* hidden = G.GetHiddenRowList();
    for (int i = 0; i < hidden->GetCount(); ++i) {
        const auto* item = static_cast<const TGridItem*>(hidden->GetItem(i));
        if (item->GetRowId() == Id) Real = item->GetIdx();
    }
    return -1;
}

} // namespace

// The edited cell is the current column's in the row the edit began in, wherever rows moved
// meanwhile: the cell now at the current index belongs to another record then.

AnsiString TGridEditSession::CurrentText() {
    int real = -1;
    const int row = EditedRow(grid_, cachedRow_, real);
    if (row == grid_.GetRow()) return grid_.GetCurrentCell();
    const int col = grid_.RemapCol(grid_.GetCol());
    if (row >= 0) {
        const TPoint b = grid_.BaseCell(col, row);
        return grid_.GetGridCell(b.x, b.y);
    }
    return real >= 0 ? grid_.GetCellsEx(col, real) : AnsiString();
}

WideString TGridEditSession::CurrentWideText() {
    int real = -1;
    const int row = EditedRow(grid_, cachedRow_, real);
    const int col = grid_.RemapCol(grid_.GetCol());
    if (row >= 0) return grid_.GetWideCells(col, row);
    return real >= 0 ? grid_.GetWideCellsEx(col, real) : WideString();
}

void TGridEditSession::Store(const AnsiString& Text) {
    With(storing_, [&] {
        int real = -1;
        const int row = EditedRow(grid_, cachedRow_, real);
        const int col = grid_.RemapCol(grid_.GetCol());
        if (row == grid_.GetRow())
            grid_.SetCurrentCell(Text);
        else if (row >= 0)
            grid_.SetCellEx(col, row, Text);
        else if (real >= 0)
            grid_.SetCellsEx(col, real, Text);
    });
}

void TGridEditSession::StoreWide(const WideString& Text) {
    With(storing_, [&] {
        int real = -1;
        const int row = EditedRow(grid_, cachedRow_, real);
        const int col = grid_.RemapCol(grid_.GetCol());
        if (row >= 0)
            grid_.SetWideCells(col, row, Text);
        else if (real >= 0)
            grid_.SetWideCellsEx(col, real, Text);
    });
}

bool TGridEditSession::Validate(const AnsiString& Text) {
    return grid_.ValidateCell(Text);
}

bool TGridEditSession::ValidateWide(const WideString& Text) {
    return grid_.ValidateCellWide(Text);
}

bool TGridEditSession::Commit(const AnsiString& Text) {
    Store(Text);
    return Validate(Text);
}

bool TGridEditSession::CommitWide(const WideString& Text) {
    StoreWide(Text);
    return ValidateWide(Text);
}

void TGridEditSession::Exit() {
    grid_.HideInplaceEdit();
}

void TGridEditSession::Leave(WORD Key, TShiftState Shift) {
    grid_.DoneInplaceEdit(Key, Shift);
}

namespace {

// The current text, and Commit, of the session in the text's width.
AnsiString Current(TGridEditSession& S, const AnsiString&) {
    return S.CurrentText();
}
WideString Current(TGridEditSession& S, const WideString&) {
    return S.CurrentWideText();
}
bool CommitText(TGridEditSession& S, const AnsiString& Text) {
    return S.Commit(Text);
}
bool CommitText(TGridEditSession& S, const WideString& Text) {
    return S.CommitWide(Text);
}

} // namespace

template <class Text>
bool TGridEditSession::LeaveByText(WORD Key, TShiftState Shift, const Text& Value,
                                   const std::function<void(const Text&)>& Show) {
    if (Key == VK_ESCAPE) {
        GiveUp();
        Show(Current(*this, Value));
    } else {
        // Every key that ends the edit hands the value to validation, those that leave a
        // list for the next cell (Left, Right) or page away as well: the value is written
        // when the editor hides.
        const bool accepted = CommitText(*this, Value);
        Show(Current(*this, Value));
        if (!accepted) return false;
    }
    if (Key == VK_TAB && TabLeaves())
        TabOut(Shift.Contains(ssShift));
    else
        Leave(Key, Shift);
    return true;
}

bool TGridEditSession::LeaveBy(WORD Key, TShiftState Shift, const AnsiString& Text,
                               const std::function<void(const AnsiString&)>& Show) {
    return LeaveByText(Key, Shift, Text, Show);
}

bool TGridEditSession::LeaveBy(WORD Key, TShiftState Shift, const WideString& Text,
                               const std::function<void(const WideString&)>& Show) {
    return LeaveByText(Key, Shift, Text, Show);
}

template <class Text>
bool TGridEditSession::CommitOnExitText(const Text& Value,
                                        const std::function<void(const Text&)>& Show) {
    // Validation is owed only while the control shows and no key has validated it yet.
    if (givenUp_ || Hiding || !ControlShown || !armed_) return true;
    const bool accepted = CommitText(*this, Value);
    Show(Current(*this, Value));
    return accepted;
}

bool TGridEditSession::CommitOnExit(const AnsiString& Text,
                                    const std::function<void(const AnsiString&)>& Show) {
    return CommitOnExitText(Text, Show);
}

bool TGridEditSession::CommitOnExit(const WideString& Text,
                                    const std::function<void(const WideString&)>& Show) {
    return CommitOnExitText(Text, Show);
}

bool TGridEditSession::TabLeaves() const {
    return grid_.GetOptions().Contains(goTabs);
}

void TGridEditSession::TabOut(bool Backward) {
    grid_.HideInplaceEdit();
    if (!grid_.Focused() && grid_.CanFocus()) grid_.SetFocus();
    grid_.TabEdit(Backward);
}

void TGridEditSession::Close() {
    grid_.HideInplaceEdit();
    pending_ = false;
    armed_ = false;
    grid_.ReselectCurrentCell();
}

void TGridEditSession::Cancel() {
    grid_.RestoreCache();
}

void TGridEditSession::Snapshot(int ACol, int ARow) {
    validationCell_ = TPoint(ACol, ARow);
    validationRow_ = grid_.GetRowId(ARow);
    validationCol_ = grid_.GetShownColId(ACol);
    const int real = grid_.RemapCol(ACol);
    if (real < 0 || ARow < 0) {
        savedText_ = AnsiString();
        savedWideText_ = WideString();
        return;
    }
    // A merged cell edits its block's base cell: the text the edit starts from is that one.
    const TPoint b = grid_.BaseCell(real, ARow);
    savedText_ = grid_.GetGridCell(b.x, b.y);
    savedWideText_ = grid_.GetWideCells(real, ARow);
}
