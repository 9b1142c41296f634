// TKavStringGrid: the editor controls of the control editor kinds laid over a cell
// (ShowEditControl), and their values written back when the edit ends (HideEditControl).
#include "controles/comun/text_utils.h"
#include "controles/grid/editing/grid_editors.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/date_time_text.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/kernel/std_messages.h"

#include <charconv>

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
        return true;
    default:
        return IsTextEditor(Kind);
    }
}

TGridEditorControls& TKavStringGrid::GetEditorControls() {
    if (!editorControls_) editorControls_ = std::make_unique<TGridEditorControls>(*this);
    return *editorControls_;
}

void TKavStringGrid::ComboChanged(int Index, const AnsiString& Text) {
    const int col = GetCol(), row = GetRow();
    if (OnComboChange) OnComboChange(this, col, row, Index, Text);
    if (OnComboObjectChange) {
        TStrings* items = GetEditorControls().Combo()->GetItems();
        TObject* object =
            Index >= 0 && Index < items->GetCount() ? items->GetObjects(Index) : nullptr;
        OnComboObjectChange(this, col, row, Index, Text, object);
    }
}

namespace {

// A date (time) text read as one, now when it is empty or none.
TDateTime DateOrNow(const AnsiString& Text) {
    TDateTime d;
    return !Text.Trim().IsEmpty() && TryStrToDate(Text, d) ? d : Now();
}

} // namespace

void TKavStringGrid::ShowEditControl(int ACol, int ARow) {
    TGridEditSession& session = *editSession_;
    session.ControlShown = true;
    editorShown_ = true;
    session.DoneEditingPending = true;
    TRect r = CellRect(ACol, ARow);
    const int dispCol = ACol;
    const int col = RemapCol(ACol);
    const int width = r.Right - r.Left - 1;
    const int height = r.Bottom - r.Top - 1;
    // The edit writes back to the cell it was opened on, and nowhere else.
    session.OpenOn(col, ARow, GetRowCount());

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
    const TEditorType kind = session.Kind();
    switch (kind) {
    case edComboEdit:
    case edComboList: {
        TGridCombo* c = controls.Combo();
        c->SetStyle(kind == edComboEdit ? csDropDown : csDropDownList);
        c->GetItems()->Assign(*comboItems_);
        c->SetThemed(GetLook() == glXP);
        c->SetBounds(r.Left, r.Top, width, height);
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
        if (c->CanFocus()) c->SetFocus();
        if (kind == edComboEdit) c->SelectAll();
        if (GetMouseActions()->GetDirectComboDrop()) c->SetDroppedDown(true);
        shown = c;
        startChar = true;
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
            s->SetText(GetEditText(col, ARow));
        } else {
            s->SetDateValue(DateOrNow(text));
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
        b->SetEnabled(true);
        b->SetVisible(true);
        b->BringToFront();
        if (b->CanFocus()) b->SetFocus();
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
    default:
        break;
    }
    if (shown && kind != edComboEdit && kind != edComboList) {
        shown->SetEnabled(true);
        shown->SetVisible(true);
        shown->BringToFront();
        if (shown->CanFocus()) shown->SetFocus();
    }
    activeEditor_ = shown;
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
    // The cell the edit was opened on, when it is still the current one; else none.
    const TPoint cell = session.OpenedCell();
    const bool target = !session.GivenUp() && cell.x >= 0 && cell.y >= 0 &&
                        cell.y < GetRowCount() && cell.x == RemapCol(GetCol()) &&
                        cell.y == GetRow() && session.OpenedRowCount() == GetRowCount();
    auto write = [&](const AnsiString& Value) {
        if (target) UpdateEditingCell(cell.x, cell.y, Value);
    };
    auto close = [&](TWinControl* Control) {
        Control->SetEnabled(false);
        Control->Hide();
    };
    TGridEditorControls* controls = editorControls_.get();
    switch (session.ControlActive && controls ? session.Kind() : edNone) {
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
    session.OpenOn(-1, -1, 0);
    if (session.Kind() != edNormal && session.DoneEditingPending) DoneEditing();
    session.Hiding = false;
    session.DoneEditingPending = false;
}
