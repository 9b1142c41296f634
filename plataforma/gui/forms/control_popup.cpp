// TControl: its popup menu, shown for WM_CONTEXTMENU.

#include "plataforma/gui/kernel/controls.h"

#include "plataforma/gui/forms/menus.h"

void TControl::SetPopupMenu(TPopupMenu* Value) {
    if (popupMenu_ == Value) return;
    popupMenu_ = Value;
    if (Value) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
}

// The control's popup menu at the point (screen coordinates; -1, -1 from the keyboard: below
// the control's top-left corner). A control without one passes the request to its parent,
// as the window system does for child windows.
void TControl::WMContextMenu(TMessage& Message) {
    TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    if (popupMenu_ && popupMenu_->GetAutoPopup()) {
        if (p.x == -1 && p.y == -1) p = ClientToScreen(Point(0, 0));
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(p.x, p.y);
        Message.Result = 1;
        return;
    }
    if (parent_) Message.Result = parent_->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
}
