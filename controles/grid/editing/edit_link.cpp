// TEditLink: the grid's link to a program's own editor control.
#include "controles/grid/editing/edit_link.h"

#include "controles/grid/editing/grid_editors.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/application.h"

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink() {
    if (grid_ && grid_->GetEditLink() == this) grid_->SetEditLink(nullptr);
}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == popup_) popup_ = nullptr;
    if (AComponent == grid_) grid_ = nullptr;
    if (AComponent == subclassed_) subclassed_ = nullptr;
}

void TEditLink::EditKeyDown(TObject*, WORD& Key, TShiftState Shift) {
    if (!grid_) return;
    bool leaving = false;
    switch (Key) {
    case VK_TAB:
        leaving = true;
        break;
    case VK_RETURN:
        leaving = !WantKeyReturn;
        break;
    case VK_ESCAPE:
        leaving = !WantKeyEscape;
        break;
    case VK_PRIOR:
    case VK_NEXT:
        leaving = !WantKeyPriorNext;
        break;
    case VK_END:
        leaving = !WantKeyHomeEnd;
        break;
    case VK_LEFT:
    case VK_RIGHT:
        leaving = !WantKeyLeftRight;
        break;
    case VK_UP:
    case VK_DOWN:
        leaving = !WantKeyUpDown;
        break;
    default:
        break;
    }
    if (!leaving) return;
    TGridEditSession& session = grid_->GetEditSession();
    const WORD key = Key;
    Key = 0;
    if (key == VK_ESCAPE) {
        // The text from before the edit; nothing is written.
        SetEditorValue(grid_->GetCachedText());
        session.GiveUp();
    }
    closing_ = true;
    try {
        session.Exit();
        if (grid_->CanFocus()) grid_->SetFocus();
    } catch (...) {
        closing_ = false;
        throw;
    }
    closing_ = false;
    // Return advances; Tab and the arrows move the grid's cell; End, Page Up and Page Down
    // only end the edit.
    if (key == VK_RETURN)
        grid_->AdvanceEdit(grid_->GetCol(), grid_->GetRow(), false, !Shift.Contains(ssShift), true);
    else if (key == VK_TAB || key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)
        grid_->Perform(WM_KEYDOWN, key, 0);
}

void TEditLink::SetFocus(bool Value) {
    TWinControl* c = GetEditControl();
    if (!Value) {
        if (grid_ && grid_->CanFocus()) grid_->SetFocus();
        return;
    }
    if (!c) return;
    if (!c->GetVisible()) c->SetVisible(true);
    if (!c->GetEnabled()) c->SetEnabled(true);
    // While it edits, the grid sees the control's messages first.
    if (grid_ && subclassed_ != c) {
        grid_->SetSavedEditorProc(c->WindowProc);
        TKavStringGrid* g = grid_;
        c->WindowProc = [g](TMessage& Message) { g->SubclassProc(Message); };
        subclassed_ = c;
        c->FreeNotification(this);
    }
    if (c->CanFocus()) c->SetFocus();
}

void TEditLink::RestoreWinProc() {
    if (subclassed_ && grid_ && grid_->GetSavedEditorProc()) {
        subclassed_->WindowProc = grid_->GetSavedEditorProc();
        grid_->SetSavedEditorProc(nullptr);
    }
    if (subclassed_) {
        subclassed_->RemoveFreeNotification(this);
        subclassed_->Hide();
    }
    subclassed_ = nullptr;
}

void TEditLink::SetRect(const TRect& R) {
    TWinControl* c = GetEditControl();
    if (!c) return;
    const int line = grid_ ? grid_->GetGridLineWidth() : 0;
    c->SetBounds(R.Left, R.Top, R.Right - R.Left - line, R.Bottom - R.Top - line);
}

void TEditLink::SetVisible(bool Value) {
    if (TWinControl* c = GetEditControl()) c->SetVisible(Value);
}

TWinControl* TEditLink::GetParent() {
    if (editStyle_ == esPopup && popup_) return popup_;
    return grid_;
}

AnsiString TEditLink::GetCellValue() {
    return grid_ ? grid_->GetCellEx(grid_->RemapCol(grid_->GetCol()), grid_->GetRow())
                 : AnsiString();
}

void TEditLink::SetCellValue(const AnsiString& Value) {
    if (grid_) grid_->UpdateEditingCell(grid_->RemapCol(grid_->GetCol()), grid_->GetRow(), Value);
}

void TEditLink::HideEditor() {
    if (!grid_) return;
    // The grid writes the editor's value into the cell it was opened on as it hides it.
    grid_->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::EditExit() {
    HideEditor();
    ClosePopup();
}

void TEditLink::ClosePopup() {
    if (editStyle_ != esPopup || !popup_ || !popup_->GetVisible()) return;
    DestroyEditor();
    popup_->Hide();
}

void TEditLink::FormExit(TObject*) {
    // A popup already closed (its deactivation can come after the edit ended) ends nothing.
    if (closing_ || !popup_ || !popup_->GetVisible()) return;
    // Marked first: the editor's focus loss may come while the edit ends, as its window hides.
    if (grid_ && dynamic_cast<TKavRichEdit*>(GetEditControl())) grid_->SetPopupExit(true);
    EditExit();
}

TForm* TEditLink::PopupForm() {
    if (!popup_) {
        // One popup form of that name at a time.
        if (TComponent* old = Application->FindComponent("gridform")) delete old;
        popup_ = new TForm(Application);
        popup_->SetName("gridform");
        popup_->SetBorderStyle(bsNone);
        popup_->OnDeactivate = [this](TObject* Sender) { FormExit(Sender); };
        popup_->FreeNotification(this);
    }
    return popup_;
}
