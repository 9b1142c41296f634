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

} // namespace

AnsiString TGridEditSession::CurrentText() {
    return grid_.GetCurrentCell();
}

WideString TGridEditSession::CurrentWideText() {
    return grid_.GetWideCells(grid_.RemapCol(grid_.GetCol()), grid_.GetRow());
}

void TGridEditSession::Store(const AnsiString& Text) {
    With(storing_, [&] { grid_.SetCurrentCell(Text); });
}

void TGridEditSession::StoreWide(const WideString& Text) {
    With(storing_,
         [&] { grid_.SetWideCells(grid_.RemapCol(grid_.GetCol()), grid_.GetRow(), Text); });
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
    } else if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
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
    const int real = grid_.RemapCol(ACol);
    if (real < 0 || ARow < 0) {
        savedText_ = AnsiString();
        savedWideText_ = WideString();
        return;
    }
    savedText_ = grid_.GetGridCell(real, ARow);
    savedWideText_ = grid_.GetWideCells(real, ARow);
}
