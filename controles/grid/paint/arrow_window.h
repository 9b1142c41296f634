#pragma once
// TArrowWindow: the small arrow-shaped window the grid shows where a dragged column or row
// would land; a pop-up whose window region is the arrow, filled with its colour.

#include "plataforma/gui/widgets/panels.h"

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

class TArrowWindow : public TPanel {
public:
    TArrowWindow(TComponent* AOwner, TArrowDirection Direction);
    TArrowDirection GetDirection() const { return direction_; }
    // The outline of the arrow, in window coordinates.
    const TPoint* GetPoints() const { return points_; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;

private:
    TArrowDirection direction_;
    TPoint points_[7];
};
