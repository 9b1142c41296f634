#pragma once
// TDropDownWindow: the drop-down combo's list window, a top-level pop-up with a list box
// filling it, resizable from its lower right corner. When it loses the activation it tells
// its combo, which hides it (so that the combo knows its list is closed).

#include "controles/edit/kav_edit.h"

#include <functional>

class TDropDownWindow : public TListHintWindow {
public:
    using TListHintWindow::TListHintWindow;

    // Hide on losing the activation (True at first).
    bool GetHideOnDeActivate() const { return hideOnDeActivate_; }
    void SetHideOnDeActivate(bool Value) { hideOnDeActivate_ = Value; }

    // How the window hides itself: its combo's HideDropDown.
    std::function<void()> OnHide;

protected:
    void Dispatch(TMessage& Message) override;

private:
    bool hideOnDeActivate_ = true;
};
