#pragma once
// Containers and separators: TPanel (bevels around a caption), TGroupBox (an etched frame
// with a caption), TBevel (a box, frame or line in 3-D) and TSplitter (a bar that resizes
// the control aligned next to it).

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/forms/forms.h"

using TBorderStyle = TFormBorderStyle;

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
using TBevelWidth = int;

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TPanelBevel GetBevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel Value);
    TPanelBevel GetBevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel Value);
    TBevelWidth GetBevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(TBevelWidth Value);
    int GetBorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int Value);
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    void Relayout();
    TAlignment alignment_ = taCenter;
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    TBevelWidth bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);

protected:
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    int CaptionHeight() const;
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape GetShape() const { return shape_; }
    void SetShape(TBevelShape Value);
    TBevelStyle GetStyle() const { return style_; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

// Dragged, it resizes the visible, enabled control that its aligned side touches, between
// MinSize and what the parent leaves; the control follows the mouse as it moves.
class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);

    bool GetBeveled() const { return beveled_; }
    void SetBeveled(bool Value);
    int GetMinSize() const { return minSize_; }
    void SetMinSize(int Value) { minSize_ = Value > 0 ? Value : 1; }
    TResizeStyle GetResizeStyle() const { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle Value) { resizeStyle_ = Value; }
    // The control being resized while dragging; otherwise the one next to the splitter.
    TControl* FindControl() const;

    TCanResizeEvent OnCanResize;
    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual bool DoCanResize(int& NewSize);

private:
    void CalcSplitSize(int X, int Y, int& NewSize);
    void UpdateControlSize(int NewSize);

    bool beveled_ = false;
    int minSize_ = 30;
    TResizeStyle resizeStyle_ = rsPattern;
    TControl* control_ = nullptr; // while dragging
    TPoint downPos_;
    int maxSize_ = 0;
    int oldSize_ = 0;
};
