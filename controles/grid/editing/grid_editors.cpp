// The editor family's common part and the grid's combo editor.
#include "controles/grid/editing/grid_editors.h"

#include "controles/grid/kav_grid.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/std_messages.h"

#include <algorithm>

template <class TBase>
TGridEditorOf<TBase>::TGridEditorOf(TKavStringGrid* AGrid) : TBase(AGrid), grid_(AGrid) {}

template <class TBase> void TGridEditorOf<TBase>::DoExit() {
    if (grid_) {
        // The grid took the focus for a click: as over the text editor, a refused value
        // keeps the edit where it is, and the editor takes the focus back (the grid's press
        // then moves nothing). Another control taking the focus closes the edit, the cell
        // keeping its text.
        if (!CommitOnExit() && grid_->Focused() && this->CanFocus())
            this->SetFocus();
        else
            grid_->GetEditSession().Exit();
    }
    TBase::DoExit();
}

template <class TBase> bool TGridEditorOf<TBase>::WantsKey(WORD Key) {
    return Key == VK_RETURN || (Key == VK_TAB && grid_ && grid_->GetEditSession().TabLeaves());
}

template <class TBase> void TGridEditorOf<TBase>::Dispatch(TMessage& Message) {
    TBase::Dispatch(Message);
    if (Message.Msg == CM_WANTSPECIALKEY && WantsKey(static_cast<WORD>(Message.WParam)))
        Message.Result = 1;
}

template class TGridEditorOf<TKSGComboBox>;
template class TGridEditorOf<TKsgSpinEdit>;
template class TGridEditorOf<TKsgEditBtn>;
template class TGridEditorOf<TKsgUnitEditBtn>;
template class TGridEditorOf<TCheckBox>;
template class TGridEditorOf<TButton>;
template class TGridEditorOf<TKsgUniEdit>;
template class TGridEditorOf<TKsgUniMemo>;
template class TGridEditorOf<TKsgUniEditBtn>;
template class TGridEditorOf<TKSGUniComboBox>;
template class TGridEditorOf<TDateTimePicker>;
template class TGridEditorOf<TRichEdit>;

// --- the combo ---

TGridCombo::TGridCombo(TKavStringGrid* AGrid) : TGridEditorOf<TKSGComboBox>(AGrid) {
    SetButtonWidth(16);
}

void TGridCombo::DoExit() {
    const AnsiString text = GetText();
    if (grid_ && grid_->GetLookupHistory() && !text.IsEmpty() && GetItems()->IndexOf(text) < 0)
        GetItems()->Add(text);
    TGridEditorOf<TKSGComboBox>::DoExit();
}

void TGridCombo::Change() {
    TGridEditorOf<TKSGComboBox>::Change();
    if (!grid_) return;
    if (grid_->OnEditChange)
        grid_->OnEditChange(grid_, grid_->GetCol(), grid_->GetRow(), GetText());
    const int index = GetItemIndex();
    grid_->ComboChanged(index, GetText(),
                        index >= 0 && index < GetItems()->GetCount() ? GetItems()->GetObjects(index)
                                                                     : nullptr);
}

void TGridCombo::CloseUp() {
    TGridEditorOf<TKSGComboBox>::CloseUp();
    if (grid_ && grid_->OnComboCloseUp)
        grid_->OnComboCloseUp(grid_, grid_->GetRow(), grid_->GetCol());
}

void TGridCombo::DoChange() {
    if (!lookupArmed_ || !grid_ || !grid_->GetLookup() || GetStyle() == csDropDownList) return;
    const AnsiString typed = GetText().SubString(1, GetSelStart());
    if (typed.IsEmpty()) return;
    const bool cs = grid_->GetLookupCaseSensitive();
    const AnsiString key = cs ? typed : typed.UpperCase();
    TStrings* items = GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
        const AnsiString item = items->GetStrings(i);
        const AnsiString probe = cs ? item : item.UpperCase();
        if (probe.SubString(1, key.Length()) != key) continue;
        const AnsiString text = typed + item.SubString(typed.Length() + 1, item.Length());
        if (text == GetText()) return;
        SetText(text);
        SetSelStart(typed.Length());
        SetSelLength(text.Length() - typed.Length());
        return;
    }
}

int DropDownWidthFor(int Width, int Count, int DropDownCount,
                     const std::function<int(int)>& ItemWidth) {
    int width = Width;
    const bool scrolls = Count > DropDownCount;
    for (int i = 0; i < Count; ++i) {
        const int tw = ItemWidth(i);
        if (scrolls && width - 25 < tw)
            width = tw + 25;
        else if (!scrolls && width - 5 < tw)
            width = tw + 8;
    }
    return width;
}

void TGridCombo::SizeDropDownWidth() {
    if (!grid_) return;
    TCanvas* canvas = grid_->GetCanvas();
    const int width =
        DropDownWidthFor(GetWidth(), GetItems()->GetCount(), GetDropDownCount(),
                         [&](int i) { return canvas->TextWidth(GetItems()->GetStrings(i)); });
    Perform(CB_SETDROPPEDWIDTH, width, 0);
}

int CharUnderMouse(TWinControl& Control) {
    POINT screen;
    GetCursorPos(&screen);
    const TPoint p = Control.ScreenToClient(TPoint(screen.x, screen.y));
    if (p.x < 0 || p.x > Control.GetWidth() || p.y < 0 || p.y > Control.GetHeight()) return -1;
    const LRESULT r = Control.Perform(EM_CHARFROMPOS, 0, MAKELPARAM(p.x, p.y));
    return r == -1 ? -1 : LOWORD(static_cast<DWORD>(r));
}

void CaretAtClick(TCustomComboBox& Combo, TKavStringGrid* Grid) {
    if (!Grid || !Grid->GetCaretByClick()) return;
    // A fixed list has no caret.
    if (Combo.GetStyle() != csDropDown && Combo.GetStyle() != csSimple) return;
    const int at = CharUnderMouse(Combo);
    if (at < 0) return;
    Combo.SetSelStart(at);
    Combo.SetSelLength(0);
    Grid->SetCaretByClick(false);
}

int WheelIndex(int Index, int Count, int Delta) {
    // The list ends at its last item: the wheel does not run past it.
    if (Delta >= 0 && Index > 0) return Index - 1;
    if (Delta < 0 && Index < Count - 1) return Index + 1;
    return Index;
}

bool ComboKeyLeaves(WORD Key, TShiftState Shift, bool ListLike) {
    if (Key == VK_DOWN && Shift.Contains(ssAlt)) return false;
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE) return true;
    if (ListLike) return Key == VK_LEFT || Key == VK_RIGHT;
    return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_UP || Key == VK_DOWN;
}

void TGridCombo::Wheel(int Delta) {
    const int index = WheelIndex(GetItemIndex(), GetItems()->GetCount(), Delta);
    SetItemIndex(index);
    if (!grid_) return;
    if (index >= 0)
        grid_->ComboChanged(index, GetItems()->GetStrings(index), GetItems()->GetObjects(index));
    else
        grid_->ComboChanged(index, GetText(), nullptr);
}

void TGridCombo::KeyDown(WORD& Key, TShiftState Shift) {
    if (!grid_) return TGridEditorOf<TKSGComboBox>::KeyDown(Key, Shift);
    TGridEditSession& session = grid_->GetEditSession();
    lookupArmed_ = Key != VK_BACK && Key != VK_DELETE;
    if (!ComboKeyLeaves(Key, Shift, GetStyle() == csDropDownList || GetDroppedDown()))
        return TGridEditorOf<TKSGComboBox>::KeyDown(Key, Shift);

    // Left and Right leave a list for the neighbouring cell.
    if (GetDroppedDown()) SetDroppedDown(false);
    session.LeaveBy(Key, Shift, GetText(), [this](const AnsiString& Text) { ShowText(Text); });
    Key = 0;
}

void TGridCombo::ShowText(const AnsiString& Text) {
    const int index = GetItems()->IndexOf(Text);
    if (index >= 0) SetItemIndex(index);
    SetText(Text);
    SetSelStart(Text.Length());
    Invalidate();
}

bool TGridCombo::CommitOnExit() {
    return grid_->GetEditSession().CommitOnExit(GetText(),
                                                [this](const AnsiString& Text) { ShowText(Text); });
}

void TGridCombo::KeyPress(char& Key) {
    if (Key == '\r' && OnReturnKey) OnReturnKey(this);
    if (Key == '\r' || Key == '\t') Key = 0;
    // A choice made by typing is reported by Change.
    TGridEditorOf<TKSGComboBox>::KeyPress(Key);
}

void TGridCombo::KeyUp(WORD& Key, TShiftState Shift) {
    if (Key != VK_RETURN) TGridEditorOf<TKSGComboBox>::KeyUp(Key, Shift);
    DoChange();
}

void TGridCombo::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_MOUSEWHEEL) {
        Wheel(static_cast<SHORT>(HIWORD(Message.WParam)));
        Message.Result = 0;
        return;
    }
    TGridEditorOf<TKSGComboBox>::Dispatch(Message);
    if (Message.Msg == WM_SETFOCUS) CaretAtClick(*this, grid_);
}

// --- the set of editors ---

template <class T> T* TGridEditorControls::Make(T*& Slot) {
    if (!Slot) {
        Slot = new T(&grid_);
        Slot->SetVisible(false);
        Slot->SetEnabled(false);
        Slot->SetParent(&grid_);
    }
    return Slot;
}

TGridCombo* TGridEditorControls::Combo() {
    return Make(combo_);
}
TGridSpin* TGridEditorControls::Spin() {
    return Make(spin_);
}
TGridEditBtn* TGridEditorControls::EditBtn() {
    return Make(editBtn_);
}
TGridUnitEditBtn* TGridEditorControls::UnitEditBtn() {
    return Make(unitEditBtn_);
}
TGridCheckBox* TGridEditorControls::CheckBox() {
    return Make(checkBox_);
}
TGridButton* TGridEditorControls::Button() {
    return Make(button_);
}
TGridUniEdit* TGridEditorControls::UniEdit() {
    return Make(uniEdit_);
}
TGridUniMemo* TGridEditorControls::UniMemo() {
    return Make(uniMemo_);
}
TGridUniEditBtn* TGridEditorControls::UniEditBtn() {
    return Make(uniEditBtn_);
}
TGridUniCombo* TGridEditorControls::UniCombo() {
    return Make(uniCombo_);
}
TGridDatePicker* TGridEditorControls::DatePicker() {
    return Make(datePicker_);
}
TKavRichEdit* TGridEditorControls::RichEdit() {
    return Make(richEdit_);
}
