// The grid's date and time picker: the keys that leave it; its value is written back when the
// grid hides it.
#include "controles/grid/editing/grid_editors.h"

#include "controles/grid/kav_grid.h"
#include "plataforma/base/date_time_text.h"

TDateTime DateOrNow(const AnsiString& Text, bool Time) {
    TDateTime v;
    if (Text.Trim().IsEmpty()) return Now();
    return (Time ? TryStrToTime(Text, v) : TryStrToDate(Text, v)) ? v : Now();
}

TGridDatePicker::TGridDatePicker(TKavStringGrid* AGrid) : TGridEditorOf<TDateTimePicker>(AGrid) {}

void TGridDatePicker::KeyDown(WORD& Key, TShiftState Shift) {
    if (!grid_ || !(Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                    Key == VK_NEXT || Key == VK_END))
        return TGridEditorOf<TDateTimePicker>::KeyDown(Key, Shift);
    TGridEditSession& session = grid_->GetEditSession();
    if (Key == VK_TAB && session.TabLeaves()) {
        session.TabOut(Shift.Contains(ssShift));
    } else if (GetDroppedDown()) {
        // The key closes the dropped calendar and the edit goes on: an Escape there gives
        // up the calendar, not the edit.
        SetDroppedDown(false);
    } else {
        if (Key == VK_ESCAPE) {
            // The cell's value comes back (now when it holds none) and nothing is written.
            session.GiveUp();
            SetDateTime(DateOrNow(session.CurrentText(), GetKind() == dtkTime));
        }
        session.Leave(Key, Shift);
    }
    Key = 0;
}

void TGridDatePicker::DoExit() {
    if (GetDroppedDown()) return TDateTimePicker::DoExit();
    TGridEditorOf<TDateTimePicker>::DoExit();
}
