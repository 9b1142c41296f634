// TKavStringGrid: the editor controls of the control editor kinds laid over a cell
// (ShowEditControl), and their values written back when the edit ends (HideEditControl).
#include "controles/comun/text_utils.h"
#include "controles/grid/editing/edit_link.h"
#include "controles/grid/editing/grid_editors.h"
#include "controles/grid/editing/grid_trans_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/date_time_text.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/bidi.h"
#include "plataforma/gui/kernel/std_messages.h"

#include <algorithm>
#include <charconv>

namespace {

// An editor control made ready for typing: enabled, shown over the grid and focused.
void ShowAndFocus(TWinControl* C) {
    C->SetEnabled(true);
    C->SetVisible(true);
    C->BringToFront();
    if (C->CanFocus()) C->SetFocus();
}

} // namespace

bool TKavStringGrid::EditorControlAvailable(TEditorType Kind) {
    switch (Kind) {
    case edComboEdit:
    case edComboList:
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edUnitEditBtn:
    case edCheckBox:
    case edButton:
    case edUniEdit:
    case edUniMemo:
    case edUniEditBtn:
    case edUniComboEdit:
    case edUniComboList:
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
    case edCustom:
    case edRichEdit:
        return true;
    default:
        return IsTextEditor(Kind);
    }
}

TGridEditorControls& TKavStringGrid::GetEditorControls() {
    if (!editorControls_) editorControls_ = std::make_unique<TGridEditorControls>(*this);
    return *editorControls_;
}

void TKavStringGrid::ComboChanged(int Index, const AnsiString& Text, TObject* Object) {
    const int col = GetCol(), row = GetRow();
    if (OnComboChange) OnComboChange(this, col, row, Index, Text);
    if (OnComboObjectChange) OnComboObjectChange(this, col, row, Index, Text, Object);
}

void TKavStringGrid::ShowEditControl(int ACol, int ARow) {
    TGridEditSession& session = *editSession_;
    session.ControlShown = true;
    editorShown_ = true;
    // A popup exit's mark never reaches a later edit.
    popupExit_ = false;
    session.DoneEditingPending = true;
    TRect r = CellRect(ACol, ARow);
    // Laid out from the right, the cell's left edge is one pixel further right.
    if (UseRightToLeftAlignment(this)) ++r.Left;
    const int dispCol = ACol;
    const int col = RemapCol(ACol);
    const int width = r.Right - r.Left - 1;
    const int height = r.Bottom - r.Top - 1;
    // The edit writes back to the cell it was opened on, and nowhere else.
    session.OpenOn(col, ARow, GetRowId(ARow));

    TBrush brush;
    TFont font;
    brush.SetColor(GetColor());
    font.Assign(GetFont());
    TColor colorTo = clNone;
    TGridDrawState state;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    GetVisualProperties(dispCol, ARow, state, false, false, true, &brush, colorTo, &font, ha, va,
                        ww);
    const TColor color = brush.GetColor();

    TGridEditorControls& controls = GetEditorControls();
    activeEditor_ = nullptr;
    TWinControl* shown = nullptr;
    bool startChar = false;
    // Set by the kinds that show and focus their control themselves.
    bool placed = false;
    const TEditorType kind = session.Kind();
    switch (kind) {
    case edComboEdit:
    case edComboList: {
        TGridCombo* c = controls.Combo();
        c->SetStyle(kind == edComboEdit ? csDropDown : csDropDownList);
        c->GetItems()->Assign(*comboItems_);
        c->SetThemed(GetLook() == glXP);
        c->SetBounds(r.Left, r.Top, width, height);
        // The editable combo's selection field fills the cell's height.
        if (kind == edComboEdit) c->Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - 6);
        c->SetFlat(true);
        c->SetEtched(GetLook() == glSoft || GetLook() == glKav || GetLook() == glXP ||
                     GetLook() == glListView);
        c->SetColor(color);
        if (kind == edComboEdit) {
            c->SetText(GetEditText(dispCol, ARow));
        } else {
            int index = c->GetItems()->IndexOf(GetCellEx(col, ARow));
            bool fallback = false;
            if (index < 0) {
                index = comboSelection_ >= 0 ? comboSelection_ : 0;
                fallback = comboSelection_ < 0;
            }
            c->SetItemIndex(index < c->GetItems()->GetCount() ? index : -1);
            if (fallback && c->GetItems()->GetCount() > 0) {
                const AnsiString first = c->GetItems()->GetStrings(0);
                if (OnComboChange) OnComboChange(this, col, ARow, 0, first);
                if (OnComboObjectChange)
                    OnComboObjectChange(this, col, ARow, 0, first, c->GetItems()->GetObjects(0));
            }
        }
        c->SetEnabled(true);
        c->SetVisible(true);
        c->BringToFront();
        if (GetNavigation()->GetAutoComboDropSize())
            c->SizeDropDownWidth();
        else if (c->GetDropWidth() > 0)
            c->Perform(CB_SETDROPPEDWIDTH, c->GetDropWidth(), 0);
        // Focused, the text is selected whole, or the caret goes under a click that opened it.
        if (kind == edComboEdit) c->SelectAll();
        if (c->CanFocus()) c->SetFocus();
        if (GetMouseActions()->GetDirectComboDrop()) c->SetDroppedDown(true);
        shown = c;
        startChar = true;
        placed = true;
        break;
    }
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        TGridSpin* s = controls.Spin();
        s->ReCreate();
        s->SetColor(color);
        s->SetBounds(r.Left, r.Top, width, height);
        s->SetExcelStyleDecimalSeparator(GetExcelStyleDecimalSeparator());
        const AnsiString text = GetEditText(dispCol, ARow);
        if (kind == edSpinEdit) {
            s->SetSpinType(sptNormal);
            s->SetText(text);
            s->SetValue(s->GetValue());
        } else if (kind == edFloatSpinEdit) {
            s->SetSpinType(sptFloat);
            const std::string bare = RemoveSeps(text).str();
            double v = 0.0;
            std::from_chars(bare.data(), bare.data() + bare.size(), v);
            s->SetFloatValue(v);
        } else if (kind == edTimeSpinEdit) {
            s->SetSpinType(sptTime);
            s->SetText(text);
        } else {
            s->SetDateValue(DateOrNow(text, false));
            s->SetSpinType(sptDate);
        }
        shown = s;
        startChar = true;
        break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn: {
        TGridEditBtn* e = controls.EditBtn();
        e->ReCreate();
        e->SetColor(color);
        e->SetText(GetEditText(dispCol, ARow));
        e->SetMaxLength(GetEditLimit());
        e->SetBounds(r.Left, r.Top, width, height);
        shown = e;
        startChar = true;
        break;
    }
    case edUnitEditBtn: {
        TGridUnitEditBtn* e = controls.UnitEditBtn();
        e->ReCreate();
        e->SetColor(color);
        AnsiString value, unit;
        SplitValueUnit(GetEditText(dispCol, ARow), value, unit);
        e->SetText(value);
        e->SetUnitID(unit);
        e->SetMaxLength(GetEditLimit());
        e->SetBounds(r.Left, r.Top, width, height);
        shown = e;
        startChar = true;
        break;
    }
    case edCheckBox: {
        TGridCheckBox* b = controls.CheckBox();
        b->ReCreate();
        b->SetBounds(r.Left, r.Top, width, height);
        b->SetCaption(GetEditText(dispCol, ARow));
        b->SetChecked(false);
        ShowAndFocus(b);
        break;
    }
    case edButton: {
        TGridButton* b = controls.Button();
        b->ReCreate();
        b->SetBounds(r.Left - 1, r.Top - 1, width + 2, height + 2);
        b->SetCaption(GetEditText(dispCol, ARow));
        shown = b;
        break;
    }
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
        TGridDatePicker* p = controls.DatePicker();
        p->ReCreate();
        p->SetColor(color);
        const bool time = kind == edTimeEdit;
        p->SetKind(time ? dtkTime : dtkDate);
        p->SetDateMode(kind == edDateEditUpDown ? dmUpDown : dmComboBox);
        p->SetDateTime(DateOrNow(GetEditText(dispCol, ARow), time));
        p->SetChecked(true);
        // A date picker is never taller than the cell; a time picker fills it.
        p->SetBounds(r.Left, r.Top, width, time ? height : std::min(height, p->GetHeight()));
        ShowAndFocus(p);
        if (!time && GetMouseActions()->GetDirectDateDrop()) p->SetDroppedDown(true);
        shown = p;
        placed = true;
        break;
    }
    case edRichEdit: {
        TKavRichEdit* e = controls.RichEdit();
        e->ReCreate();
        // Over the room the cell lays its text in: beside its graphic, after a node's indent.
        const TRect room = TextRoom(col, ARow, r);
        e->SetBounds(room.Left, room.Top, room.Right - room.Left - 1, room.Bottom - room.Top - 1);
        e->Lock();
        CellToRich(col, ARow, e);
        richOpened_ = e->GetRtf();
        if (GetNavigation()->GetEditSelectAll()) e->SelectAll();
        // The text two pixels inside the room, where the cell draws it.
        TRect text = Rect(2, 2, room.Right - room.Left - 2, room.Bottom - room.Top - 2);
        e->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&text));
        e->SetColor(color);
        ShowAndFocus(e);
        e->Unlock();
        shown = e;
        placed = true;
        startChar = true;
        break;
    }
    case edCustom: {
        TEditLink* link = editLink_;
        if (!link) break;
        link->SetGrid(this);
        link->SetEditCell(col, ARow);
        if (link->GetEditStyle() == esPopup) {
            if (link->GetAutoPopupWidth()) link->SetPopupWidth(r.Right - r.Left);
            TForm* f = link->PopupForm();
            const TPoint at = link->GetPopupLeft() != -1 && link->GetPopupTop() != -1
                                  ? TPoint(link->GetPopupLeft(), link->GetPopupTop())
                                  : ClientToScreen(TPoint(r.Left, r.Top));
            f->SetBounds(at.x, at.y, link->GetPopupWidth(), link->GetPopupHeight());
            f->Show();
            link->CreateEditor(f);
            link->SetRect(Rect(0, 0, link->GetPopupWidth(), link->GetPopupHeight()));
        } else {
            link->CreateEditor(this);
            link->SetRect(r);
        }
        link->SetVisible(true);
        link->SetCellProps(color, &font);
        link->SetProperties();
        if (OnGetEditorProp) OnGetEditorProp(this, col, ARow, link);
        link->SetEditorValue(GetEditText(dispCol, ARow));
        link->SetFocus(true);
        shown = link->GetEditControl();
        placed = true;
        startChar = true;
        break;
    }
    case edUniEdit:
    case edUniMemo:
    case edUniEditBtn: {
        // The edit and the memo keep the cell's margins; the edit with a button covers it.
        auto place = [&](auto* e) {
            e->ReCreate();
            e->SetColor(color);
            e->GetFont()->Assign(GetFont());
            const TPoint m = GetXYOffset();
            if (kind == edUniEditBtn)
                e->SetBounds(r.Left, r.Top, width, height);
            else
                e->SetBounds(r.Left + 2 + m.x, r.Top + 2 + m.y, width - 2 - 2 * m.x,
                             height - 2 - 2 * m.y);
            e->SetText(GetWideCells(col, ARow));
            return e;
        };
        if (kind == edUniEdit)
            shown = place(controls.UniEdit());
        else if (kind == edUniMemo)
            shown = place(controls.UniMemo());
        else
            shown = place(controls.UniEditBtn());
        startChar = true;
        break;
    }
    case edUniComboEdit:
    case edUniComboList: {
        TGridUniCombo* c = controls.UniCombo();
        c->GetItems()->Clear();
        c->SetStyle(kind == edUniComboEdit ? csDropDown : csDropDownList);
        for (int i = 0; i < comboItems_->GetCount(); ++i)
            c->GetItems()->Add(WideString(comboItems_->GetStrings(i)));
        c->SetBounds(r.Left, r.Top, width, height);
        c->GetFont()->Assign(GetFont());
        c->SetThemed(GetLook() == glXP);
        c->SetFlat(true);
        c->SetEtched(GetLook() == glSoft || GetLook() == glKav || GetLook() == glXP ||
                     GetLook() == glListView);
        c->SetColor(color);
        const WideString text = GetWideCells(col, ARow);
        int index = c->GetItems()->IndexOf(text);
        if (kind == edUniComboList && index < 0) index = comboSelection_ >= 0 ? comboSelection_ : 0;
        c->SetItemIndex(index < c->GetItems()->GetCount() ? index : -1);
        if (kind == edUniComboEdit) c->SetText(text);
        c->SetEnabled(true);
        c->SetVisible(true);
        c->BringToFront();
        if (GetNavigation()->GetAutoComboDropSize()) c->SizeDropDownWidth();
        if (kind == edUniComboEdit) c->SelectAll();
        if (c->CanFocus()) c->SetFocus();
        if (GetMouseActions()->GetDirectComboDrop()) c->SetDroppedDown(true);
        shown = c;
        startChar = true;
        placed = true;
        break;
    }
    default:
        break;
    }
    if (shown && !placed) ShowAndFocus(shown);
    if (!shown && kind != edCheckBox) {
        // No control for the kind (no edit link assigned): nothing edits the cell.
        session.ControlShown = false;
        session.ControlActive = false;
        session.DoneEditingPending = false;
        editorShown_ = false;
        session.SetStartChar(0);
        return;
    }
    activeEditor_ = shown;
    // The wide edits select their whole text with EditSelectAll, else put the caret after it.
    if (auto* e = dynamic_cast<TCustomUNIEdit*>(shown)) {
        if (GetNavigation()->GetEditSelectAll()) {
            e->SelectAll();
        } else {
            e->SetSelStart(e->GetText().Length());
            e->SetSelLength(0);
        }
    }
    // Validation follows the control's leaving keys as it follows the text editor's.
    InitValidate(dispCol, ARow);
    session.SetArmed(true);
    const char ch = session.StartChar();
    if (shown && startChar && ch != 0) shown->Perform(WM_CHAR, static_cast<unsigned char>(ch), 0);
    session.SetStartChar(0);
}

void TKavStringGrid::HideEditControl(int, int) {
    TGridEditSession& session = *editSession_;
    session.ControlShown = false;
    session.Hiding = true;
    session.SetStartChar(0);
    // The cell the edit was opened on, in its row wherever that row stands now, while the
    // edit is the current one's (the current cell is the opened one, or stayed at its index
    // while rows moved); none when its row left the grid's rows.
    TPoint cell = session.OpenedCell();
    const int row = cell.y < 0 ? -1 : FindRowId(session.OpenedRow());
    const bool target = !session.GivenUp() && cell.x >= 0 && row >= 0 &&
                        cell.x == RemapCol(GetCol()) && (cell.y == GetRow() || row == GetRow());
    cell.y = row;
    auto write = [&](const AnsiString& Value) {
        if (target) UpdateEditingCell(cell.x, cell.y, Value);
    };
    auto writeWide = [&](const WideString& Value) {
        if (target) SetWideCells(cell.x, cell.y, Value);
    };
    auto close = [&](TWinControl* Control) {
        Control->SetEnabled(false);
        Control->Hide();
    };
    TGridEditorControls* controls = &GetEditorControls();
    switch (session.ControlActive ? session.Kind() : edNone) {
    case edComboEdit:
    case edComboList: {
        TGridCombo* c = controls->Combo();
        c->SetDroppedDown(false);
        write(c->GetText());
        close(c);
        break;
    }
    case edSpinEdit:
    case edTimeSpinEdit:
        write(controls->Spin()->GetText());
        close(controls->Spin());
        break;
    case edFloatSpinEdit:
        if (target) SetFloats(cell.x, cell.y, controls->Spin()->GetFloatValue());
        close(controls->Spin());
        break;
    case edDateSpinEdit:
        if (target) SetDates(cell.x, cell.y, controls->Spin()->GetDateValue());
        close(controls->Spin());
        break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
        write(controls->EditBtn()->GetText());
        close(controls->EditBtn());
        break;
    case edUnitEditBtn:
        write(controls->UnitEditBtn()->GetText() + controls->UnitEditBtn()->GetUnitID());
        close(controls->UnitEditBtn());
        break;
    case edUniEdit:
        writeWide(controls->UniEdit()->GetText());
        close(controls->UniEdit());
        break;
    case edUniMemo:
        writeWide(controls->UniMemo()->GetText());
        close(controls->UniMemo());
        break;
    case edUniEditBtn:
        writeWide(controls->UniEditBtn()->GetText());
        close(controls->UniEditBtn());
        break;
    case edUniComboEdit:
    case edUniComboList:
        controls->UniCombo()->SetDroppedDown(false);
        writeWide(controls->UniCombo()->GetText());
        close(controls->UniCombo());
        break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
        // An unchecked date gives an empty cell.
        TGridDatePicker* p = controls->DatePicker();
        p->SetDroppedDown(false);
        write(p->GetChecked() || session.Kind() == edTimeEdit ? p->GetText() : AnsiString());
        close(p);
        break;
    }
    case edRichEdit: {
        // An edit that changed nothing leaves the cell's text as it was stored.
        TKavRichEdit* e = controls->RichEdit();
        const AnsiString rtf = RichToString(e);
        if (rtf != richOpened_) write(rtf);
        close(e);
        break;
    }
    case edCustom:
        if (TEditLink* link = editLink_) {
            write(link->GetEditorValue());
            if (link->GetEditStyle() != esPopup) link->SetVisible(false);
            link->RestoreWinProc();
            // However the edit ended, its popup goes with it.
            link->ClosePopup();
        }
        break;
    case edCheckBox:
        close(controls->CheckBox());
        break;
    case edButton:
        close(controls->Button());
        break;
    default:
        break;
    }
    session.ControlActive = false;
    activeEditor_ = nullptr;
    session.OpenOn(-1, -1, TGridRowId());
    if (session.Kind() != edNormal && session.DoneEditingPending) DoneEditing();
    session.Hiding = false;
    session.DoneEditingPending = false;
}

// --- fixed cells ---

TGridTransEdit* TKavStringGrid::GetFixedEditor() {
    if (!fixedEditor_) {
        fixedEditor_ = new TGridTransEdit(this);
        fixedEditor_->SetParent(this);
    }
    return fixedEditor_;
}

void TKavStringGrid::StartFixedEdit(int ACol, int ARow) {
    TGridTransEdit* e = GetFixedEditor();
    // An open fixed-cell edit ends first; a refused value keeps it where it is.
    if (e->GetVisible() && !e->StopEdit()) return;
    // Only OnCanEditCell decides: the cells' ReadOnly and goEditing are for the other cells.
    const int real = RemapCol(ACol);
    bool canEdit = true;
    if (OnCanEditCell) OnCanEditCell(this, real, ARow, canEdit);
    if (!canEdit) return;
    const TRect r = CellRect(ACol, ARow);
    e->SetBounds(r.Left + 1, r.Top + 1, r.Right - r.Left - 2, r.Bottom - r.Top - 2);
    e->SetText(GetCellEx(real, ARow));
    e->SetEditCell(real, ARow);
    e->Show();
    e->BringToFront();
    if (e->CanFocus()) e->SetFocus();
    e->SelectAll();
}

bool TKavStringGrid::FixedEditByClick(TMouseButton Button, int X, int Y) {
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0) return false;
    TMouseActions* ma = GetMouseActions();
    const TRect r = CellRect(cell.X, cell.Y);
    // With sizing on, a click near a border sizes rather than edits.
    const bool insideCols = X >= r.Left + 4 && X <= r.Right - 4;
    const bool insideRows = Y >= r.Top + 4 && Y <= r.Bottom - 4;
    const bool fixedRow = cell.Y < GetFixedRows(), fixedCol = cell.X < GetFixedCols();
    bool open = false;
    if (fixedRow) {
        const TGridFixedCellEdit how = ma->GetFixedRowsEdit();
        open = (how == fceLeftClick && Button == mbLeft &&
                (!GetOptions().Contains(goColSizing) || insideCols)) ||
               (how == fceRightClick && Button == mbRight);
    }
    if (!open && fixedCol) {
        const TGridFixedCellEdit how = ma->GetFixedColsEdit();
        open = (how == fceLeftClick && Button == mbLeft &&
                (!GetOptions().Contains(goRowSizing) || insideRows)) ||
               (how == fceRightClick && Button == mbRight);
    }
    if (open) StartFixedEdit(cell.X, cell.Y);
    return open;
}

bool TKavStringGrid::FixedEditByDblClick(int ACol, int ARow) {
    if (ACol < 0 || ARow < 0) return false;
    TMouseActions* ma = GetMouseActions();
    if ((ARow < GetFixedRows() && ma->GetFixedRowsEdit() == fceDblClick) ||
        (ACol < GetFixedCols() && ma->GetFixedColsEdit() == fceDblClick)) {
        StartFixedEdit(ACol, ARow);
        return true;
    }
    return false;
}

// --- the program's editor ---

void TKavStringGrid::SetEditLink(TEditLink* Value) {
    if (editLink_ == Value) return;
    if (editLink_) {
        editLink_->RemoveFreeNotification(this);
        RemoveFreeNotification(editLink_);
    }
    editLink_ = Value;
    if (Value) {
        Value->FreeNotification(this);
        FreeNotification(Value);
        Value->SetGrid(this);
    }
}

// --- rich text ---

void TKavStringGrid::CellToRich(int ACol, int ARow, TRichEdit* RichEdit) {
    // A cell of plain text, or of rich text that cannot be read, is shown as its text.
    RichEdit->SetRtf(GetCellEx(ACol, ARow));
}

AnsiString TKavStringGrid::RichToString(TRichEdit* RichEdit) {
    return RichEdit->GetRtf();
}

void TKavStringGrid::RichToCell(int ACol, int ARow, TRichEdit* RichEdit) {
    SetCellEx(ACol, ARow, RichToString(RichEdit));
}

TDateTimePicker* TKavStringGrid::GetDateTimePicker() {
    return GetEditorControls().DatePicker();
}
