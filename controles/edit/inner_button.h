#pragma once
// What the spin edit and the edit with a button share: the heights their minimum height is
// made of, and the place of the button inside the edit's right edge.

#include "plataforma/gui/widgets/edit.h"

class TControl;

// The control font's text height, and the smaller of that and the system font's.
void EditFontHeights(TCustomEdit* Edit, int& Own, int& Smaller);
// The button at the right edge, inside the border: with the 3D look, Width - its width - d
// from the left and d less high (d is 5 with a border, 1 without); else one pixel down and
// three less high.
void PlaceInsideRightEdge(TCustomEdit* Edit, TControl* Button);
// After the edit's size changed: a height below MinHeight is raised to it (false: nothing
// else to do); otherwise the button, when there is one, is placed inside the right edge.
bool FitInnerButton(TCustomEdit* Edit, int MinHeight, TControl* Button);

// The edit's button made: Width by Height, shown inside the edit, focusing it when pressed;
// the edit's text starts as "0" and is not its caption.
template <class Button> Button* CreateInnerButton(TCustomEdit* Edit, int Width, int Height) {
    auto* b = new Button(Edit);
    b->SetWidth(Width);
    b->SetHeight(Height);
    b->SetVisible(true);
    b->SetParent(Edit);
    b->SetFocusControl(Edit);
    Edit->SetText("0");
    TControlStyle style = Edit->GetControlStyle();
    Edit->SetControlStyle(style >> csSetCaption);
    return b;
}
