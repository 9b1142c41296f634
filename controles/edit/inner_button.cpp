#include "controles/edit/inner_button.h"

#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/font.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/widgets/edit.h"

#include <algorithm>

void EditFontHeights(TCustomEdit* Edit, int& Own, int& Smaller) {
    TControlCanvas canvas;
    canvas.SetControl(Edit);
    TFont systemFont;
    canvas.SetFont(&systemFont);
    TEXTMETRIC sys{}, own{};
    GetTextMetrics(canvas.GetHandle(), &sys);
    canvas.SetFont(Edit->GetFont());
    GetTextMetrics(canvas.GetHandle(), &own);
    Own = own.tmHeight;
    Smaller = std::min(sys.tmHeight, own.tmHeight);
}

void PlaceInsideRightEdge(TCustomEdit* Edit, TControl* Button) {
    const int w = Button->GetWidth(), W = Edit->GetWidth(), H = Edit->GetHeight();
    if (Edit->GetCtl3D()) {
        const int d = Edit->GetBorderStyle() == bsSingle ? 5 : 1;
        Button->SetBounds(W - w - d, 0, w, H - d);
    } else {
        Button->SetBounds(W - w, 1, w, H - 3);
    }
}

bool FitInnerButton(TCustomEdit* Edit, int MinHeight, TControl* Button) {
    if (Edit->GetHeight() < MinHeight) {
        Edit->SetHeight(MinHeight);
        return false;
    }
    if (!Button) return false;
    PlaceInsideRightEdge(Edit, Button);
    return true;
}
