// The grid's rich-text editor.
#include "controles/grid/editing/grid_editors.h"

#include "controles/grid/kav_grid.h"

#include <utility>

TKavRichEdit::TKavRichEdit(TKavStringGrid* AGrid) : TGridEditorOf<TRichEdit>(AGrid) {
    // A selection made in the editor is the grid's to report (to a formatting bar, say).
    if (AGrid) OnSelectionChange = [AGrid](TObject* Sender) { AGrid->RichSelChange(Sender); };
}

void TKavRichEdit::KeyDown(WORD& Key, TShiftState Shift) {
    if (!grid_) return TGridEditorOf<TRichEdit>::KeyDown(Key, Shift);
    TGridEditSession& session = grid_->GetEditSession();
    // Up and Down leave for the cells above and below when cells hold one line.
    const bool lines = grid_->GetWordWrapEx() || grid_->GetMultilinecells();
    if ((Key == VK_UP || Key == VK_DOWN) && !lines) {
        session.Leave(Key, Shift);
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE) {
        session.GiveUp();
        session.Leave(Key, Shift);
        Key = 0;
        return;
    }
    if (Key == VK_TAB && session.TabLeaves()) {
        session.TabOut(Shift.Contains(ssShift));
        Key = 0;
        return;
    }
    TGridEditorOf<TRichEdit>::KeyDown(Key, Shift);
}

void TKavRichEdit::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_SETFOCUS) exitTaken_ = false;
    if (Message.Msg == WM_KILLFOCUS && grid_) {
        const TWMKillFocus m(Message);
        exitTaken_ = grid_->GetPopupExit();
        if (exitTaken_)
            grid_->SetPopupExit(false);
        else if (grid_->HandleAllocated() && m.FocusedWnd == grid_->GetHandle())
            grid_->GetEditSession().Exit();
    }
    TGridEditorOf<TRichEdit>::Dispatch(Message);
}

void TKavRichEdit::DoExit() {
    // The exit that follows a focus loss the popup-exit mark took ends nothing either.
    if (std::exchange(exitTaken_, false)) return TRichEdit::DoExit();
    TGridEditorOf<TRichEdit>::DoExit();
}

void TKavRichEdit::RequestResize(int, int Height) {
    if (!grid_ || locked_ || !grid_->GetSizeWhileTyping()->GetHeight()) return;
    const int row = grid_->GetRow();
    const TRect r = grid_->CellRect(grid_->GetCol(), row);
    // The row grows with the text while the grown cell still fits in the grid.
    if (Height > grid_->GetRowHeights(row) && r.Top + Height < grid_->GetHeight()) {
        SetHeight(Height + 4);
        grid_->SetRowHeights(row, Height + 5);
        if (grid_->OnEndRowSize) grid_->OnEndRowSize(grid_, row);
    }
}
