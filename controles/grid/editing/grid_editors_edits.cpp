// The grid's spin edit, edit with a button and unit edit, check box and button editors: the
// keys that leave them, and what each hands to the grid on the way out.
#include "controles/grid/editing/grid_editors.h"

#include "controles/grid/kav_grid.h"
#include "plataforma/base/regional.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/std_messages.h"

namespace {

bool IsOneOf(WORD Key, std::initializer_list<WORD> Keys) {
    for (WORD k : Keys)
        if (k == Key) return true;
    return false;
}

// The unit edit shows a cell text as its value and unit.
void ShowValueUnit(TKsgUnitEditBtn& Edit, const AnsiString& Text) {
    AnsiString value, unit;
    SplitValueUnit(Text, value, unit);
    Edit.SetText(value);
    Edit.SetUnitID(unit);
}

} // namespace

void SplitValueUnit(const AnsiString& Text, AnsiString& Value, AnsiString& Unit) {
    Value = AnsiString();
    Unit = AnsiString();
    for (int i = 1; i <= Text.Length(); ++i) {
        const char c = Text[i];
        if ((c >= '0' && c <= '9') || c == ',' || c == '-' || c == '.')
            Value += c;
        else
            Unit += c;
    }
}

// --- spin edit ---

TGridSpin::TGridSpin(TKavStringGrid* AGrid) : TGridEditorOf<TKsgSpinEdit>(AGrid) {
    SetMinValue(0);
    SetMaxValue(100);
    SetIncrement(1);
    SetBorderStyle(bsNone);
}

void TGridSpin::UpClick(TObject* Sender) {
    TGridEditorOf<TKsgSpinEdit>::UpClick(Sender);
    SpinReport(true);
}

void TGridSpin::DownClick(TObject* Sender) {
    TGridEditorOf<TKsgSpinEdit>::DownClick(Sender);
    SpinReport(false);
}

void TGridSpin::SpinReport(bool Up) {
    if (!grid_) return;
    const int col = grid_->GetCol(), row = grid_->GetRow();
    switch (GetSpinType()) {
    case sptNormal:
        if (grid_->OnSpinClick) grid_->OnSpinClick(grid_, col, row, GetValue(), Up);
        break;
    case sptFloat:
        if (grid_->OnFloatSpinClick) grid_->OnFloatSpinClick(grid_, col, row, GetFloatValue(), Up);
        break;
    case sptDate:
        if (grid_->OnDateSpinClick) grid_->OnDateSpinClick(grid_, col, row, GetDateValue(), Up);
        break;
    case sptTime:
        if (grid_->OnTimeSpinClick) grid_->OnTimeSpinClick(grid_, col, row, GetTimeValue(), Up);
        break;
    }
}

void TGridSpin::Change() {
    TGridEditorOf<TKsgSpinEdit>::Change();
    if (grid_ && grid_->OnEditChange)
        grid_->OnEditChange(grid_, grid_->GetCol(), grid_->GetRow(), GetText());
}

void TGridSpin::Dispatch(TMessage& Message) {
    // The grid's keys go to KeyDown before the spin edit steps on them.
    const WPARAM key = Message.WParam;
    const bool paging = GetSpinType() == sptNormal || GetSpinType() == sptFloat;
    if (Message.Msg == WM_KEYDOWN && grid_ &&
        (key == VK_UP || key == VK_DOWN || (paging && (key == VK_PRIOR || key == VK_NEXT))))
        return TCustomMaskEdit::Dispatch(Message);
    TGridEditorOf<TKsgSpinEdit>::Dispatch(Message);
}

void TGridSpin::KeyPress(char& Key) {
    if (Key == '\t' || Key == '\r') {
        Key = 0;
        return;
    }
    TGridEditorOf<TKsgSpinEdit>::KeyPress(Key);
}

void TGridSpin::KeyDown(WORD& Key, TShiftState Shift) {
    if (!grid_) return TGridEditorOf<TKsgSpinEdit>::KeyDown(Key, Shift);
    TGridEditSession& session = grid_->GetEditSession();
    const TKsgSpinType type = GetSpinType();
    if ((type == sptNormal || type == sptFloat) &&
        IsOneOf(Key, {VK_PRIOR, VK_NEXT, VK_HOME, VK_END})) {
        if (type == sptNormal) {
            const int v = GetValue();
            if (Key == VK_PRIOR && v + GetIncrement() <= GetMaxValue())
                SetValue(v + GetIncrement());
            if (Key == VK_NEXT && v - GetIncrement() >= GetMinValue()) SetValue(v - GetIncrement());
            if (Key == VK_END) SetValue(GetMinValue());
            if (Key == VK_HOME) SetValue(GetMaxValue());
        } else {
            // The step is added as the spin buttons add it; only the bounds are compared
            // as the single-precision values they are.
            const double v = GetFloatValue();
            const double step = GetIncrementFloat();
            if (Key == VK_PRIOR &&
                static_cast<float>(v + step) <= static_cast<float>(GetMaxFloatValue()))
                SetFloatValue(v + step);
            if (Key == VK_NEXT &&
                static_cast<float>(v - step) >= static_cast<float>(GetMinFloatValue()))
                SetFloatValue(v - step);
            if (Key == VK_END) SetFloatValue(GetMinFloatValue());
            if (Key == VK_HOME) SetFloatValue(GetMaxFloatValue());
        }
        if (grid_->OnSpinClick)
            grid_->OnSpinClick(grid_, grid_->GetCol(), grid_->GetRow(), GetValue(), false);
        Key = 0;
        return;
    }
    if (!IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN}))
        return TGridEditorOf<TKsgSpinEdit>::KeyDown(Key, Shift);
    session.LeaveBy(Key, Shift, GetText(), [this](const AnsiString& Text) { SetText(Text); });
    Key = 0;
}

bool TGridSpin::CommitOnExit() {
    return grid_->GetEditSession().CommitOnExit(GetText(),
                                                [this](const AnsiString& Text) { SetText(Text); });
}

// --- edit with a button ---

TGridEditBtn::TGridEditBtn(TKavStringGrid* AGrid) : TGridEditorOf<TKsgEditBtn>(AGrid) {
    OnClickBtn = [this](TObject* Sender) { ExtClick(Sender); };
    SetButtonCaption("...");
    SetBorderStyle(bsNone);
}

void TGridEditBtn::ExtClick(TObject*) {
    if (!grid_) return;
    SetText(grid_->EllipsClick(GetText()));
    SetSelStart(0);
    SetSelLength(GetText().Length());
    Invalidate();
}

void TGridEditBtn::Change() {
    TGridEditorOf<TKsgEditBtn>::Change();
    if (grid_ && grid_->OnEditChange)
        grid_->OnEditChange(grid_, grid_->GetCol(), grid_->GetRow(), GetText());
}

bool TGridEditBtn::Accepts(char Key) {
    const TEditorType kind = grid_ ? grid_->GetEditorType() : edEditBtn;
    const bool control = Key == 8 || Key == 9 || Key == 13 || Key == 27;
    const bool digit = Key >= '0' && Key <= '9';
    const AnsiString text = GetText(), sel = GetSelText();
    if (kind == edNumericEditBtn) {
        if (control || digit) return true;
        if (Key == '-' && text.Pos("-") == 0 && GetSelStart() == 0) return true;
        MessageBeep(0);
        return false;
    }
    if (kind == edFloatEditBtn) {
        if (control || digit) return true;
        const char dec = GetDecimalSeparator();
        if (Key == GetThousandSeparator() && Key != dec) return false;
        if (Key == dec) return text.Pos(AnsiString(dec)) == 0 || sel.Pos(AnsiString(dec)) > 0;
        if (Key == '-') {
            if ((GetSelStart() == 0 && text.Pos("-") == 0) || sel.Pos("-") > 0) return true;
            MessageBeep(0);
            return false;
        }
        return false;
    }
    return true;
}

void TGridEditBtn::KeyPress(char& Key) {
    if (Key == '\r' || !Accepts(Key)) {
        Key = 0;
        return;
    }
    TGridEditorOf<TKsgEditBtn>::KeyPress(Key);
}

void TGridEditBtn::KeyUp(WORD& Key, TShiftState Shift) {
    if (Key == VK_RETURN) return;
    TGridEditorOf<TKsgEditBtn>::KeyUp(Key, Shift);
}

void TGridEditBtn::KeyDown(WORD& Key, TShiftState Shift) {
    if (!grid_ || Shift.Contains(ssCtrl) ||
        !IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN}))
        return TGridEditorOf<TKsgEditBtn>::KeyDown(Key, Shift);
    TGridEditSession& session = grid_->GetEditSession();
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    session.LeaveBy(Key, Shift, GetText(), [this](const AnsiString& Text) { ShowText(Text); });
    Key = 0;
}

void TGridEditBtn::ShowText(const AnsiString& Text) {
    SetText(Text);
    SetSelStart(Text.Length());
    Invalidate();
}

bool TGridEditBtn::CommitOnExit() {
    return grid_->GetEditSession().CommitOnExit(GetText(),
                                                [this](const AnsiString& Text) { ShowText(Text); });
}

// --- unit edit ---

TGridUnitEditBtn::TGridUnitEditBtn(TKavStringGrid* AGrid) : TGridEditorOf<TKsgUnitEditBtn>(AGrid) {
    SetButtonCaption("...");
    SetBorderStyle(bsNone);
}

void TGridUnitEditBtn::KeyPress(char& Key) {
    if (Key == '\r') {
        Key = 0;
        return;
    }
    TGridEditorOf<TKsgUnitEditBtn>::KeyPress(Key);
}

void TGridUnitEditBtn::KeyDown(WORD& Key, TShiftState Shift) {
    if (!grid_ || !IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN}))
        return TGridEditorOf<TKsgUnitEditBtn>::KeyDown(Key, Shift);
    TGridEditSession& session = grid_->GetEditSession();
    // The cell holds the value with its unit.
    session.LeaveBy(Key, Shift, GetText() + GetUnitID(),
                    [this](const AnsiString& Text) { ShowValueUnit(*this, Text); });
    Key = 0;
}

bool TGridUnitEditBtn::CommitOnExit() {
    return grid_->GetEditSession().CommitOnExit(
        GetText() + GetUnitID(), [this](const AnsiString& Text) { ShowValueUnit(*this, Text); });
}

// --- check box ---

TGridCheckBox::TGridCheckBox(TKavStringGrid* AGrid) : TGridEditorOf<TCheckBox>(AGrid) {}

bool TGridCheckBox::WantsKey(WORD Key) {
    return IsOneOf(Key, {VK_RETURN, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN});
}

void TGridCheckBox::KeyDown(WORD& Key, TShiftState Shift) {
    if (!grid_ ||
        !IsOneOf(Key, {VK_RETURN, VK_PRIOR, VK_NEXT, VK_END, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN}))
        return TGridEditorOf<TCheckBox>::KeyDown(Key, Shift);
    TGridEditSession& session = grid_->GetEditSession();
    session.Exit();
    if (grid_->CanFocus()) grid_->SetFocus();
    if (Key == VK_RETURN)
        grid_->AdvanceEdit(grid_->GetCol(), grid_->GetRow(), !Shift.Contains(ssShift), true, true);
    if (Key == VK_UP || Key == VK_DOWN) session.Leave(Key, Shift);
    Key = 0;
}

// --- button ---

TGridButton::TGridButton(TKavStringGrid* AGrid) : TGridEditorOf<TButton>(AGrid) {}

bool TGridButton::WantsKey(WORD Key) {
    return IsOneOf(Key, {VK_ESCAPE, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN});
}

void TGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && grid_) SetCaption(grid_->EllipsClick(GetCaption()));
    TGridEditorOf<TButton>::MouseUp(Button, Shift, X, Y);
}

void TGridButton::KeyUp(WORD& Key, TShiftState) {
    if (Key != VK_SPACE || !grid_) return;
    SetCaption(grid_->EllipsClick(GetCaption()));
    if (CanFocus()) SetFocus();
    Invalidate();
}

void TGridButton::Leave() {
    // The edit ends as every editor's does: the grid hides the button and closes the edit,
    // so that the next one can open.
    grid_->GetEditSession().Exit();
    if (grid_->CanFocus()) grid_->SetFocus();
}

void TGridButton::KeyDown(WORD& Key, TShiftState Shift) {
    if (!grid_) return TGridEditorOf<TButton>::KeyDown(Key, Shift);
    if (IsOneOf(Key, {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})) {
        const WORD k = Key;
        Leave();
        grid_->Perform(WM_KEYDOWN, k, 0);
        grid_->Perform(WM_KEYUP, k, 0);
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE) {
        Leave();
        grid_->RestoreCache();
        grid_->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
        Key = 0;
        return;
    }
    TGridEditorOf<TButton>::KeyDown(Key, Shift);
}
