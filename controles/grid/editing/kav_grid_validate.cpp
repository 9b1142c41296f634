// TKavStringGrid: the click, the validation of edited values (a snapshot of the cell before
// the edit, the validation events, the refused value put back into a reopened editor) and
// the scrolling while something is dragged near the grid's edges.
#include "controles/grid/editing/grid_check.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/undo_redo.h"

void TKavStringGrid::Click() {
    if (clickGuard_ > 0) return;
    TBaseGrid::Click();
    editingRequested_ = false;
    InitValidate(GetCol(), GetRow());
}

void TKavStringGrid::InitValidate(int ACol, int ARow) {
    validationCell_ = TPoint(ACol, ARow);
    const int real = RemapCol(ACol);
    if (real < 0 || ARow < 0) {
        savedCellText_ = AnsiString();
        savedWideText_ = WideString();
        return;
    }
    savedCellText_ = GetGridCell(real, ARow);
    savedWideText_ = GetWideCells(real, ARow);
}

namespace {

// Ends a validation whatever happens inside it: a fresh snapshot of the current cell and the
// storing mark released, also when an event handler raises.
template <class F> void Finally(F&& f, std::function<void()> after) {
    try {
        f();
    } catch (...) {
        after();
        throw;
    }
    after();
}

} // namespace

bool TKavStringGrid::ValidateCell(const AnsiString& Value) {
    if (!textEditorShown_ || storing_) return true;
    textEditorShown_ = false;
    storing_ = true;
    bool valid = true;
    const int realCol = RemapCol(validationCell_.x);
    const int row = validationCell_.y;
    validatedText_ = Value;
    Finally(
        [&] {
            if (savedCellText_ == Value) return;
            TNavigation* nav = GetNavigation();
            const bool advance = nav->GetAdvanceOnEnter();
            nav->SetAdvanceOnEnter(false);
            AnsiString newValue = Value;
            try {
                if (cellChecker_ && cellChecker_->GetAutoCorrect())
                    newValue = cellChecker_->Correct(realCol, row, newValue);
                if (OnCellValidate) OnCellValidate(this, realCol, row, newValue, valid);
                if (GetFixedCols() > 0 && savedCellText_ != newValue) MarkModified(GetRow());
                if (valid) UpdateCell(realCol, row);
                if (cellChecker_ && cellChecker_->GetAutoMarkError())
                    newValue = cellChecker_->MarkError(realCol, row, newValue);
                if (valid && GetUndoRedo())
                    GetUndoRedo()->RegisterChange(realCol, row, savedCellText_, newValue);
                if (valid) CellsChanged(TRect(realCol, row, realCol, row));
            } catch (...) {
                nav->SetAdvanceOnEnter(advance);
                throw;
            }
            nav->SetAdvanceOnEnter(advance);
            validatedText_ = newValue;
            if (valid) {
                SetCellEx(realCol, row, newValue);
                if (!IsBaseCell(realCol, row)) {
                    const TPoint b = BaseCell(realCol, row);
                    SetCellEx(b.x, b.y, newValue);
                }
                return;
            }
            // Refused: the handler's replacement, or the old text, goes back into the cell
            // and the editor opens on it again.
            HideEditor();
            SetCellEx(realCol, row, newValue != Value ? newValue : savedCellText_);
            MoveColRow(validationCell_.x, row, true, true);
            storing_ = false;
            textEditorShown_ = true;
            ShowInplaceEdit();
        },
        [&] {
            InitValidate(GetCol(), GetRow());
            storing_ = false;
        });
    return valid;
}

bool TKavStringGrid::ValidateCellWide(const WideString& Value) {
    if (!textEditorShown_ || storing_) return true;
    textEditorShown_ = false;
    storing_ = true;
    bool valid = true;
    const int realCol = RemapCol(validationCell_.x);
    const int row = validationCell_.y;
    Finally(
        [&] {
            if (savedWideText_ == Value) return;
            UpdateCell(realCol, row);
            WideString newValue = Value;
            if (OnCellValidateWide) OnCellValidateWide(this, realCol, row, newValue, valid);
            CellsChanged(TRect(realCol, row, realCol, row));
            if (valid) {
                SetWideCells(realCol, row, newValue);
                return;
            }
            HideEditor();
            SetWideCells(realCol, row, newValue != Value ? newValue : savedWideText_);
            MoveColRow(validationCell_.x, row, true, true);
            storing_ = false;
            textEditorShown_ = true;
            ShowInplaceEdit();
        },
        [&] {
            InitValidate(GetCol(), GetRow());
            storing_ = false;
        });
    return valid;
}

// --- drag scrolling ---

void TKavStringGrid::StopDragTimer() {
    if (!dragTimer_) return;
    dragTimer_->SetEnabled(false);
    dragTimer_.reset();
}

unsigned TKavStringGrid::GetDragTimerInterval() const {
    return dragTimer_ ? dragTimer_->GetInterval() : 0;
}

void TKavStringGrid::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    TDragScrollOptions* o = GetDragScrollOptions();
    if (!o->GetActive()) {
        StopDragTimer();
        TBaseGrid::DragOver(Source, X, Y, State, Accept);
        return;
    }
    const bool wasEmpty = dragScrollDirs_.Empty();
    dragScrollDirs_ = {};
    if (State == dsDragEnter || State == dsDragMove) {
        TDragScrollMargins* m = o->GetMargins();
        if (Y < m->GetTopMargin())
            dragScrollDirs_ << dsdUp;
        else if (Y > GetHeight() - m->GetBottomMargin())
            dragScrollDirs_ << dsdDown;
        if (X < m->GetLeftMargin())
            dragScrollDirs_ << dsdLeft;
        else if (X > GetWidth() - m->GetRightMargin())
            dragScrollDirs_ << dsdRight;
        if (dragScrollDirs_.Empty()) {
            StopDragTimer();
        } else if (!dragTimer_) {
            dragTimer_ = std::make_unique<TTimer>(nullptr);
            dragTimer_->SetInterval(o->GetDelays()->GetInitialDelay());
            dragTimer_->OnTimer = [this](TObject* Sender) { DragTimerProc(Sender); };
            dragTimer_->SetEnabled(true);
        } else if (!wasEmpty) {
            dragTimer_->SetInterval(o->GetDelays()->GetInitialDelay());
        }
    } else {
        StopDragTimer();
    }
    TBaseGrid::DragOver(Source, X, Y, State, Accept);
}

void TKavStringGrid::DragTimerProc(TObject*) {
    TDragScrollOptions* o = GetDragScrollOptions();
    if (!o->GetActive()) {
        StopDragTimer();
        return;
    }
    if (dragTimer_) dragTimer_->SetInterval(o->GetDelays()->GetRepeatDelay());
    TDragScrollDirection dirs = dragScrollDirs_;
    if (OnDragScroll) {
        bool canScroll = true;
        OnDragScroll(this, GetTopRow(), GetLeftCol(), dirs, canScroll);
        if (!canScroll) return;
    }
    if (dirs.Contains(dsdUp) && GetFixedRows() < GetTopRow()) SetTopRow(GetTopRow() - 1);
    if (dirs.Contains(dsdDown) && GetTopRow() + GetVisibleRowCount() < GetRowCount())
        SetTopRow(GetTopRow() + 1);
    if (dirs.Contains(dsdLeft) && GetFixedCols() < GetLeftCol()) SetLeftCol(GetLeftCol() - 1);
    if (dirs.Contains(dsdRight) && GetLeftCol() + GetVisibleColCount() < GetColCount())
        SetLeftCol(GetLeftCol() + 1);
}
