#pragma once
// A window that shows two preview pages of a grid side by side, each drawn first on a
// bitmap of 310 x 440 pixels: what the print tests capture and look at.

#include "controles/grid/kav_grid.h"
#include "plataforma/gui/images/graphics.h"

class VistaPrevia : public TCustomControl {
public:
    VistaPrevia(TWinControl* Parent, TKavStringGrid* Grid) : TCustomControl(Parent), grid_(Grid) {
        SetBounds(0, 0, 660, 470);
        SetColor(clGray);
        SetParent(Parent);
    }
    TBitmap paginas[2];

protected:
    void Paint() override {
        for (int i = 0; i < 2; ++i) {
            TBitmap& b = paginas[i];
            b.SetSize(310, 440);
            b.GetCanvas()->GetBrush()->SetColor(clWhite);
            b.GetCanvas()->FillRect(Rect(0, 0, 310, 440));
            grid_->SetPreviewPage(i + 1);
            grid_->PrintPreview(b.GetCanvas(), Rect(0, 0, 310, 440));
            GetCanvas()->Draw(10 + i * 330, 15, &b);
        }
    }

private:
    TKavStringGrid* grid_;
};
