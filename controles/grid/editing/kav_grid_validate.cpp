// TKavStringGrid: the click, the validation of edited values (a snapshot of the cell before
// the edit, the validation events, the refused value put back into a reopened editor) and
// the scrolling while something is dragged near the grid's edges.
#include "controles/grid/editing/grid_check.h"
#include "controles/grid/editing/undo_redo.h"
#include "controles/grid/kav_grid.h"

#include <type_traits>

void TKavStringGrid::Click() {
    if (clickGuard_ > 0) return;
    TBaseGrid::Click();
    editSession_->Requested = false;
    InitValidate(GetCol(), GetRow());
}

void TKavStringGrid::InitValidate(int ACol, int ARow) {
    editSession_->Snapshot(ACol, ARow);
}

namespace {

// What differs between validating an 8-bit and a wide text: the snapshot compared with, the
// events between, and how the value is stored.
template <class Text> struct Validation;

template <> struct Validation<AnsiString> {
    static const AnsiString& Opened(TGridEditSession& S) { return S.OpenedText(); }
    static void Store(TKavStringGrid& G, int Col, int Row, const AnsiString& V) {
        G.SetCellEx(Col, Row, V);
    }
    static AnsiString Read(TKavStringGrid& G, int Col, int Row) { return G.GetGridCell(Col, Row); }
};

template <> struct Validation<WideString> {
    static const WideString& Opened(TGridEditSession& S) { return S.OpenedWideText(); }
    static void Store(TKavStringGrid& G, int Col, int Row, const WideString& V) {
        G.SetWideCells(Col, Row, V);
    }
    static WideString Read(TKavStringGrid& G, int Col, int Row) { return G.GetWideCells(Col, Row); }
};

} // namespace

bool TKavStringGrid::ValidateCell(const AnsiString& Value) {
    return ValidateEdited(Value);
}

bool TKavStringGrid::ValidateCellWide(const WideString& Value) {
    return ValidateEdited(Value);
}

template <class Text> bool TKavStringGrid::ValidateEdited(const Text& Value) {
    TGridEditSession& session = *editSession_;
    if (!session.Armed() || session.Storing()) return true;
    constexpr bool narrow = std::is_same_v<Text, AnsiString>;
    session.SetArmed(false);
    session.SetStoring(true);
    bool valid = true;
    // The edited cell, wherever rows and columns moved meanwhile: its own cell holds the
    // edit then (the editor wrote there), not the cell now at its old place. A row or a
    // column that left the grid's rows has nothing left to validate.
    const TGridColId editedCol = session.ValidationCol();
    const int realCol =
        editedCol ? FindColId(editedCol) : RemapCol(session.ValidationCell().x);
    const TGridRowId edited = session.ValidationRow();
    const int openedRow = session.ValidationCell().y;
    const int row = !edited || GetRowId(openedRow) == edited ? openedRow : FindRowId(edited);
    if (row < 0 || realCol < 0) {
        InitValidate(GetCol(), GetRow());
        session.SetStoring(false);
        return true;
    }
    const Text value = row == openedRow ? Value : Validation<Text>::Read(*this, realCol, row);
    const Text opened = Validation<Text>::Opened(session);
    if constexpr (narrow) session.SetValidatedText(value);
    try {
        if (opened != value) {
            Text newValue = value;
            if constexpr (narrow)
                ValidationEvents(realCol, row, newValue, valid);
            else
                ValidationEventsWide(realCol, row, newValue, valid);
            if (valid) {
                Validation<Text>::Store(*this, realCol, row, newValue);
                if constexpr (narrow) {
                    if (!IsBaseCell(realCol, row)) {
                        const TPoint b = BaseCell(realCol, row);
                        SetCellEx(b.x, b.y, newValue);
                    }
                }
            } else {
                // Refused: the handler's replacement, or the old text, goes back into the cell
                // and the editor opens on it again.
                HideEditor();
                Validation<Text>::Store(*this, realCol, row, newValue != value ? newValue : opened);
                MoveColRow(ShownColOf(TRealCol(realCol)), row, true, true);
                session.SetStoring(false);
                session.SetArmed(true);
                ShowInplaceEdit();
            }
        }
    } catch (...) {
        InitValidate(GetCol(), GetRow());
        session.SetStoring(false);
        throw;
    }
    InitValidate(GetCol(), GetRow());
    session.SetStoring(false);
    return valid;
}

void TKavStringGrid::ValidationEvents(int RealCol, int ARow, AnsiString& Value, bool& Valid) {
    const AnsiString opened = editSession_->OpenedText();
    TNavigation* nav = GetNavigation();
    const bool advance = nav->GetAdvanceOnEnter();
    nav->SetAdvanceOnEnter(false);
    try {
        if (cellChecker_ && cellChecker_->GetAutoCorrect())
            Value = cellChecker_->Correct(RealCol, ARow, Value);
        if (OnCellValidate) OnCellValidate(this, RealCol, ARow, Value, Valid);
        if (GetFixedCols() > 0 && opened != Value) MarkModified(GetRow());
        if (Valid) UpdateCell(RealCol, ARow);
        if (cellChecker_ && cellChecker_->GetAutoMarkError())
            Value = cellChecker_->MarkError(RealCol, ARow, Value);
        // The change is the cell written: a merged cell's edit goes into its block's base.
        if (Valid && GetUndoRedo()) {
            const TPoint b = BaseCell(RealCol, ARow);
            GetUndoRedo()->RegisterChange(b.x, b.y, opened, Value);
        }
        if (Valid) CellsChanged(TRect(RealCol, ARow, RealCol, ARow));
    } catch (...) {
        nav->SetAdvanceOnEnter(advance);
        throw;
    }
    nav->SetAdvanceOnEnter(advance);
    editSession_->SetValidatedText(Value);
}

void TKavStringGrid::ValidationEventsWide(int RealCol, int ARow, WideString& Value, bool& Valid) {
    UpdateCell(RealCol, ARow);
    if (OnCellValidateWide) OnCellValidateWide(this, RealCol, ARow, Value, Valid);
    CellsChanged(TRect(RealCol, ARow, RealCol, ARow));
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
