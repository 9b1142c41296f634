#pragma once
// THTMLHintWindow: the hint window that renders its text as markup (bold, colours, links,
// images...) through the markup renderer, without the border of the plain hint window and
// sized to the measured text.

#include "plataforma/gui/widgets/hint_window.h"

class THTMLHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;

    // Shows AHint with its top-left corner at Rect's, measured in a line up to 1008 pixels
    // wide; a window past the screen's right or bottom edge is moved to end 2 pixels inside
    // it when it fits.
    void ActivateHint(TRect Rect, const AnsiString& AHint) override;
    // (0, 0, measured width, measured height) of AHint in a rectangle MaxWidth wide.
    TRect CalcHintRect(int MaxWidth, const AnsiString& AHint, void* AData) override;
    // The measured text size that the last ActivateHint stored.
    int GetTextWidth() const { return textWidth_; }
    int GetTextHeight() const { return textHeight_; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

private:
    // Measures (Draw false) or draws Text in R; the measured extent comes back.
    TPoint Render(const AnsiString& Text, const TRect& R, bool Draw);

    int textHeight_ = 0;
    int textWidth_ = 0;
};
