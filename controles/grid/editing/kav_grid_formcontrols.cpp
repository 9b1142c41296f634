// TKavStringGrid: the form controls of markup cells (CONTROL tags). An edit or a combo box
// is laid over the control the user clicks or reaches with F2 and Tab; when the focus leaves
// it, its value goes back into the cell text. Return ends the edit, Tab goes on to the next
// form control of the cell (or advances the grid with AdvanceAuto).
#include "controles/edit/ksg_combo.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_helpers.h"
#include "controles/grid/markup/markup_renderer.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/edit.h"

#include <type_traits>

namespace {

bool IsEditType(const AnsiString& Type) {
    return Type == "EDIT" || Type == "PASSWORD" || Type == "MASK";
}

// The keys shared by both form controls: Return ends the edit and gives the grid the focus;
// Tab ends it and goes on to the next control of the cell (with AdvanceAuto, to the next
// editable cell).
bool FormControlKey(TKavStringGrid* Grid, char& Key) {
    if (Key != '\r' && Key != '\t') return false;
    const bool tab = Key == '\t';
    // The control's own cell: a click may have entered a control outside the current cell.
    const AnsiString id = Grid->GetControlID();
    const int col = Grid->RemapColInv(Grid->GetControlCell().x), row = Grid->GetControlCell().y;
    Key = 0;
    if (Grid->CanFocus()) Grid->SetFocus();
    Grid->ControlExit(Grid);
    if (!tab || col < 0 || row < 0 || row >= Grid->GetRowCount()) return true;
    if (Grid->GetNavigation()->GetAdvanceAuto())
        Grid->AdvanceEdit(col, row, true, false, true, false);
    else
        Grid->AdvanceHTMLEdit(col, row, id);
    return true;
}

// The form edit (TControlEdit, a mask edit) and the form combo box (TControlCombo): both
// want Tab from the dialog keys and take Return and Tab as the keys that end the edit; the
// edit leaves Return to the dialog keys as a special key.
template <class TBase> class TFormControl : public TBase {
public:
    explicit TFormControl(TKavStringGrid* AGrid) : TBase(AGrid), grid_(AGrid) {}

protected:
    void KeyPress(char& Key) override {
        if (!FormControlKey(grid_, Key)) TBase::KeyPress(Key);
    }
    void Dispatch(TMessage& Message) override {
        TBase::Dispatch(Message);
        if (Message.Msg == WM_GETDLGCODE) Message.Result |= DLGC_WANTTAB;
        if (Message.Msg == CM_WANTSPECIALKEY) {
            if (Message.WParam == VK_TAB) Message.Result = 1;
            if (Message.WParam == VK_RETURN && std::is_base_of_v<TMaskEdit, TBase>)
                Message.Result = 0;
        }
    }

private:
    TKavStringGrid* grid_;
};

using TControlEdit = TFormControl<TMaskEdit>;
using TControlCombo = TFormControl<TKSGComboBox>;

} // namespace

TMaskEdit* TKavStringGrid::GetFormEdit() const {
    return formEdit_;
}

TCustomComboBox* TKavStringGrid::GetFormCombo() const {
    return formCombo_;
}

void TKavStringGrid::ControlEnter(const AnsiString& CellText, const AnsiString& CtrlType,
                                  const AnsiString& CtrlID, const AnsiString& CtrlVal,
                                  const TRect& R, int ACol, int ARealCol, int ARow,
                                  int CtrlOccurrence) {
    const bool edit = IsEditType(CtrlType);
    if (!edit && CtrlType != "COMBO") return;
    controlCell_ = TPoint(ARealCol, ARow);
    controlId_ = CtrlID;
    controlOccurrence_ = CtrlOccurrence;
    controlType_ = CtrlType;
    controlActive_ = true;
    const int left = R.Left + 1, width = R.Right - R.Left - 4, top = R.Top + 4;
    if (edit) {
        if (!formEdit_) formEdit_ = new TControlEdit(this);
        TMaskEdit* e = formEdit_;
        e->SetWidth(0);
        e->SetPasswordChar(CtrlType == "PASSWORD" ? '*' : '\0');
        // A MASK control types through the mask of its PROP attribute.
        e->SetEditMask(CtrlType == "MASK" ? GetControlProp(CellText, CtrlID) : AnsiString());
        e->OnExit = [this](TObject* Sender) { ControlExit(Sender); };
        e->SetText(CtrlVal);
        e->SetBorderStyle(bsNone);
        e->SetParent(this);
        e->SetBounds(left, top, width, R.Bottom - R.Top - 4);
        e->Show();
        e->BringToFront();
        if (e->CanFocus()) e->SetFocus();
        return;
    }
    if (!formCombo_) formCombo_ = new TControlCombo(this);
    TCustomComboBox* c = formCombo_;
    c->SetWidth(0);
    bool canType = true;
    int dropCount = 8;
    c->SetParent(this);
    c->SetBounds(left, top, width, c->GetHeight());
    c->GetItems()->Clear();
    if (OnControlComboList)
        OnControlComboList(this, ARow, ACol, CtrlID, CtrlType, CtrlVal, c->GetItems(), canType,
                           dropCount);
    c->SetStyle(canType ? csDropDown : csDropDownList);
    c->SetItemIndex(c->GetItems()->IndexOf(CtrlVal));
    if (canType) c->SetText(CtrlVal);
    c->SetDropDownCount(dropCount);
    c->OnExit = [this](TObject* Sender) { ControlExit(Sender); };
    c->Show();
    c->BringToFront();
    if (c->CanFocus()) c->SetFocus();
    c->SetDroppedDown(true);
}

void TKavStringGrid::ControlExit(TObject*) {
    if (!controlActive_) return;
    controlActive_ = false;
    AnsiString value;
    TWinControl* shown = nullptr;
    if (IsEditType(controlType_) && formEdit_) {
        value = formEdit_->GetText();
        shown = formEdit_;
    } else if (controlType_ == "COMBO" && formCombo_) {
        formCombo_->SetDroppedDown(false);
        value = formCombo_->GetText();
        shown = formCombo_;
    }
    // The row may have gone while the control was open: then there is no cell to write to.
    const TPoint cell = controlCell_;
    if (cell.x >= 0 && cell.x < GetColCount() && cell.y >= 0 && cell.y < GetRowCount()) {
        AnsiString text = GetCellEx(cell.x, cell.y);
        if (SetControlValue(text, controlId_, value, controlOccurrence_))
            SetCellEx(cell.x, cell.y, text);
    }
    if (shown) shown->Hide();
    const AnsiString id = controlId_, type = controlType_;
    controlType_ = AnsiString();
    if (OnControlEditDone) OnControlEditDone(this, cell.y, cell.x, id, type, value);
}

void TKavStringGrid::AdvanceHTMLEdit(int ACol, int ARow, const AnsiString& ControlID) {
    const int realCol = RemapCol(ACol);
    const AnsiString text = GetCellEx(realCol, ARow);
    // From the control just left when it is the one named (its ID may repeat).
    int occurrence = ControlID == controlId_ ? controlOccurrence_ : 0;
    AnsiString id = GetNextControlID(text, ControlID, occurrence);
    if (!id.IsEmpty()) {
        AnsiString type, value;
        TRect r;
        int found = occurrence;
        MarkupHit(ACol, ARow, -1, -1, id, type, value, r, &found);
        if (!type.IsEmpty()) {
            ControlEnter(text, type, id, value, r, ACol, realCol, ARow, occurrence);
            return;
        }
    }
    if (CanFocus()) SetFocus();
}
