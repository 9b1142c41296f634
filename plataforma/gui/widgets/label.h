#pragma once
// TCustomLabel / TLabel: a caption drawn on its parent. A "&" marks the letter that gives
// the focus to FocusControl; without Transparent the label fills its area with its colour;
// with AutoSize it takes the size of its text.

#include "plataforma/gui/kernel/controls.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);

    TWinControl* GetFocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* Value);
    bool GetTransparent() const { return !GetControlStyle().Contains(csOpaque); }
    void SetTransparent(bool Value);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TTextLayout GetLayout() const { return layout_; }
    void SetLayout(TTextLayout Value);
    bool GetAutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    bool GetWordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    // "&" marks a letter (underlined); off, it is shown as it is.
    bool GetShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool Value);

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    // The text shown (the caption).
    virtual AnsiString GetLabelText() const { return GetCaption(); }
    // Draws the text with DrawText flags on the canvas (measures it with DT_CALCRECT);
    // disabled, embossed.
    virtual void DoDrawText(TCanvas* Canvas, TRect& Rect, unsigned Flags);
    // AutoSize: the bounds that fit the text, the alignment's edge kept.
    virtual void AdjustBounds();

private:
    TWinControl* focusControl_ = nullptr;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};
