#include "controles/grid/paint/arrow_window.h"

#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/gdi.h"

namespace {

const TPoint kPuntas[4][7] = {
    {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}},  // arrUp
    {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}},   // arrDown
    {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}},  // arrLeft: points right
    {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}}; // arrRight: points left

} // namespace

TArrowWindow::TArrowWindow(TComponent* AOwner, TArrowDirection Direction)
    : TPanel(AOwner), direction_(Direction) {
    for (int i = 0; i < 7; ++i)
        points_[i] = kPuntas[Direction][i];
    SetColor(0x00FF00);
    if (auto* padre = dynamic_cast<TWinControl*>(AOwner)) SetParent(padre);
    SetVisible(false);
}

void TArrowWindow::CreateParams(TCreateParams& Params) {
    TPanel::CreateParams(Params);
    Params.Style = WS_POPUP;
    // Shown while the grid holds a press (a row or column being dragged): it never takes the
    // activation, which would end the drag.
    Params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

void TArrowWindow::CreateWnd() {
    TPanel::CreateWnd();
    HRGN region = CreatePolygonRgn(points_, 7, WINDING);
    SetWindowRgn(GetHandle(), region, TRUE);
}

void TArrowWindow::Paint() {
    TCanvas* c = GetCanvas();
    c->GetPen()->SetColor(GetColor());
    c->GetBrush()->SetColor(GetColor());
    c->Rectangle(GetClientRect());
}
