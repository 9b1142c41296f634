// TDropDownWindow: activation and deactivation of the drop-down list's window.

#include "controles/edit/drop_down_window.h"

namespace {

constexpr WORD kInactive = 0;

} // namespace

void TDropDownWindow::Dispatch(TMessage& Message) {
    if (Message.Msg != WM_ACTIVATE) return TListHintWindow::Dispatch(Message);
    if (LOWORD(Message.WParam) == kInactive) {
        if (!hideOnDeActivate_) return;
        // Through the combo, so that it knows its list is closed.
        if (OnHide)
            OnHide();
        else
            SetVisible(false);
        return;
    }
    TListBox* list = GetListControl();
    if (list && GetVisible() && list->CanFocus())
        list->SetFocus();
    else if (auto* parent = dynamic_cast<TWinControl*>(GetOwner()); parent && parent->CanFocus())
        parent->SetFocus();
}
