#pragma once
// TScrollBox: a container whose controls keep the positions they were given. While the box
// is smaller than what its visible controls cover, scroll bars show and move the view over
// them (arrows, page areas, thumb, the wheel); a control inside that takes the focus is
// scrolled into view. Controls with Align stay where their alignment puts them.

#include "plataforma/gui/kernel/controls.h"

class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);
    ~TScrollBox() override;

    // Scrolls as little as it takes to show the control (inside the box, at any depth)
    // whole; one larger than the view shows from its top left corner.
    void ScrollInView(TControl* AControl);

    bool ScrollsChildren() const override { return true; }
    TPoint ChildScrollOffset() const override { return scroll_; }

protected:
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

private:
    // Shows the bars that the controls' extent calls for and sets their range and page;
    // true when the client area changed with them.
    bool UpdateRange();
    void ScrollTo(int X, int Y);
    void ScrollMessage(int Bar, int Code, int ThumbPos);

    TPoint scroll_{0, 0};
    bool bars_[2] = {false, false}; // SB_HORZ, SB_VERT shown
    bool updatingRange_ = false;
};
