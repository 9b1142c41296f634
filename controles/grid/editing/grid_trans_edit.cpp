// TGridTransEdit: the fixed-cell editor's keys and the end of its edit.
#include "controles/grid/editing/grid_trans_edit.h"

#include "controles/grid/kav_grid.h"

TGridTransEdit::TGridTransEdit(TKavStringGrid* AGrid) : TEdit(AGrid), grid_(AGrid) {
    SetVisible(false);
    SetBorderStyle(bsNone);
}

bool TGridTransEdit::StopEdit() {
    if (stopping_) return true;
    stopping_ = true;
    bool valid = true;
    try {
        if (grid_) {
            AnsiString value = GetText();
            if (grid_->OnCellValidate)
                grid_->OnCellValidate(grid_, editCol_, editRow_, value, valid);
            if (!valid) {
                // Refused: the edit stays on its cell for another try.
                if (CanFocus()) SetFocus();
                stopping_ = false;
                return false;
            }
            if (grid_->OnEditingDone) grid_->OnEditingDone(grid_);
            // The cell may have gone while the edit was open: then nothing is written.
            if (editCol_ >= 0 && editRow_ >= 0 && editRow_ < grid_->GetRowCount() &&
                editCol_ < grid_->GetColCount() + grid_->NumHiddenColumns())
                grid_->SetCellEx(editCol_, editRow_, value);
        }
    } catch (...) {
        stopping_ = false;
        throw;
    }
    Hide();
    stopping_ = false;
    return true;
}

void TGridTransEdit::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_RETURN) {
        // Return ends the edit as leaving it does; a refused value keeps it open.
        Key = 0;
        if (StopEdit() && grid_ && grid_->CanFocus()) grid_->SetFocus();
        return;
    }
    if (Key == VK_ESCAPE) {
        // Escape leaves the cell's text as it was.
        Key = 0;
        stopping_ = true;
        Hide();
        stopping_ = false;
        if (grid_ && grid_->CanFocus()) grid_->SetFocus();
        return;
    }
    TEdit::KeyDown(Key, Shift);
}

void TGridTransEdit::KeyPress(char& Key) {
    if (Key == '\r' || Key == 27) {
        Key = 0;
        return;
    }
    TEdit::KeyPress(Key);
}

void TGridTransEdit::DoExit() {
    TEdit::DoExit();
    if (GetVisible()) StopEdit();
}
