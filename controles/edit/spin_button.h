#pragma once
// The arrows of the spin edit: TKavTimerSpeedButton, one arrow button that repeats its
// click while held (after 400 ms, then every 100 ms), tracks the mouse over it and draws
// itself themed or classic; and TKsgSpinButton, the pair of them, up and down or right and
// left, that moves the focus to its focus control when pressed and answers Space, Up and
// Down while it has the focus itself.

#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/widgets/buttons_extra.h"

enum TSpinDirection { spVertical, spHorizontal };
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateItem { tbFocusRect, tbAllowTimer };
using TTimeBtnState = SmallSet<TTimeBtnStateItem>;

class TKavTimerSpeedButton : public TSpeedButton {
public:
    explicit TKavTimerSpeedButton(TComponent* AOwner);
    ~TKavTimerSpeedButton() override;

    TTimeBtnState GetTimeBtnState() const { return timeBtnState_; }
    void SetTimeBtnState(TTimeBtnState Value) { timeBtnState_ = Value; }
    TButtonDirection GetButtonDirection() const { return buttonDirection_; }
    void SetButtonDirection(TButtonDirection Value);
    bool GetIsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);
    bool GetHot() const { return hot_; }
    // Absent until the first press that may repeat.
    TTimer* GetRepeatTimer() const { return repeatTimer_; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    void TimerExpired(TObject* Sender);
    void InvalidateParent();

    TTimer* repeatTimer_ = nullptr;
    TTimeBtnState timeBtnState_;
    TButtonDirection buttonDirection_ = bdUp;
    bool isWinXP_ = false;
    bool hot_ = false;
};

class TKsgSpinButton : public TWinControl {
public:
    explicit TKsgSpinButton(TComponent* AOwner);
    ~TKsgSpinButton() override;

    TKavTimerSpeedButton* GetUpButton() const { return upButton_; }
    TKavTimerSpeedButton* GetDownButton() const { return downButton_; }
    TKavTimerSpeedButton* GetFocusedButton() const { return focusedButton_; }
    TWinControl* GetFocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* Value);
    TSpinDirection GetDirection() const { return direction_; }
    void SetDirection(TSpinDirection Value);
    bool GetIsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);
    // nullptr restores the stock arrow ("KsgSpinUp", "KsgSpinDown": 9 by 6 pixels).
    TBitmap* GetUpGlyph() const { return upButton_->GetGlyph(); }
    void SetUpGlyph(TBitmap* Value);
    TBitmap* GetDownGlyph() const { return downButton_->GetGlyph(); }
    void SetDownGlyph(TBitmap* Value);
    TNumGlyphs GetUpNumGlyphs() const { return upButton_->GetNumGlyphs(); }
    void SetUpNumGlyphs(TNumGlyphs Value) { upButton_->SetNumGlyphs(Value); }
    TNumGlyphs GetDownNumGlyphs() const { return downButton_->GetNumGlyphs(); }
    void SetDownNumGlyphs(TNumGlyphs Value) { downButton_->SetNumGlyphs(Value); }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;

private:
    TKavTimerSpeedButton* CreateButton();
    void BtnClick(TObject* Sender);
    void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SetFocusBtn(TKavTimerSpeedButton* Btn);
    void AdjustSize(int& W, int& H);

    TKavTimerSpeedButton* upButton_ = nullptr;
    TKavTimerSpeedButton* downButton_ = nullptr;
    TKavTimerSpeedButton* focusedButton_ = nullptr;
    TWinControl* focusControl_ = nullptr;
    TSpinDirection direction_ = spVertical;
    bool isWinXP_ = false;
};
