#pragma once
// TKsgSpinEdit: an edit whose text holds an integer, a decimal number, a date or a time,
// stepped up and down by the keys and by a pair of arrow buttons inside its right edge,
// with the keys filtered by the kind of value and the value kept within its bounds. The
// text is the only store of the value. TKavMaskSpinEdit is the same edit with its input
// mask offered.

#include "controles/edit/edit_align.h"
#include "controles/edit/spin_button.h"
#include "plataforma/base/dates.h"
#include "plataforma/gui/widgets/edit.h"

enum TKsgSpinType { sptNormal, sptFloat, sptDate, sptTime };

class TKsgSpinEdit : public TCustomMaskEdit {
public:
    explicit TKsgSpinEdit(TComponent* AOwner);
    ~TKsgSpinEdit() override;

    // The text as an integer; text that is not one gives MinValue.
    int GetValue() const;
    void SetValue(int Value);
    // The text as a decimal number; text that is not one gives MinValue (the integer bound).
    double GetFloatValue() const;
    void SetFloatValue(double Value);
    // The text as a date; "0" or no text is now, text that is not a date MinDateValue.
    TDateTime GetDateValue() const;
    void SetDateValue(TDateTime Value);
    // The text as a time of day; text that is not one gives midnight.
    TDateTime GetTimeValue() const;
    void SetTimeValue(TDateTime Value);

    // Equal bounds mean no range.
    int GetMinValue() const { return minValue_; }
    void SetMinValue(int Value) { minValue_ = Value; }
    int GetMaxValue() const { return maxValue_; }
    void SetMaxValue(int Value) { maxValue_ = Value; }
    double GetMinFloatValue() const { return minFloatValue_; }
    void SetMinFloatValue(double Value) { minFloatValue_ = Value; }
    double GetMaxFloatValue() const { return maxFloatValue_; }
    void SetMaxFloatValue(double Value) { maxFloatValue_ = Value; }
    TDateTime GetMinDateValue() const { return minDateValue_; }
    void SetMinDateValue(TDateTime Value) { minDateValue_ = Value; }
    TDateTime GetMaxDateValue() const { return maxDateValue_; }
    void SetMaxDateValue(TDateTime Value) { maxDateValue_ = Value; }
    int GetIncrement() const { return increment_; }
    void SetIncrement(int Value) { increment_ = Value; }
    double GetIncrementFloat() const { return incrementFloat_; }
    void SetIncrementFloat(double Value) { incrementFloat_ = Value; }

    TKsgSpinType GetSpinType() const { return spinType_; }
    // Writes the text again through the kind's own value, which normalises and clamps it.
    void SetSpinType(TKsgSpinType Value);
    // Decimals shown of a decimal number; 0 shows it in the general format.
    int GetPrecision() const { return precision_; }
    void SetPrecision(int Value);
    TSpinDirection GetDirection() const { return direction_; }
    void SetDirection(TSpinDirection Value);
    bool GetEditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool Value) { editorEnabled_ = Value; }
    bool GetReturnIsTab() const { return returnIsTab_; }
    void SetReturnIsTab(bool Value) { returnIsTab_ = Value; }
    bool GetIsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);
    // The keypad's decimal key types the regional decimal separator.
    bool GetExcelStyleDecimalSeparator() const { return excelStyleDecimalSeparator_; }
    void SetExcelStyleDecimalSeparator(bool Value) { excelStyleDecimalSeparator_ = Value; }
    // Set by each date step: the short date pattern has its month before its day.
    bool GetMonthFirst() const { return monthFirst_; }
    bool GetSpinFlat() const { return spinFlat_; }
    void SetSpinFlat(bool Value);
    bool GetSpinTransparent() const { return spinTransparent_; }
    void SetSpinTransparent(bool Value);
    TEditAlign GetEditAlign() const { return editAlign_; }
    void SetEditAlign(TEditAlign Value);

    TKsgSpinButton* GetButton() const { return button_; }

    // The key filter; false refuses the key.
    virtual bool IsValidChar(char& Key);
    // One step up or down of the value under the kind (a read-only edit only beeps).
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);

    // The text's smallest height for its font and border.
    int GetMinHeight();

protected:
    void Loaded() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;

private:
    int CheckValue(int Value) const;
    double CheckFloatValue(double Value) const;
    TDateTime CheckDateValue(TDateTime Value) const;
    void Step(int Sign);
    void StepTime(int Sign);
    void StepDate(int Sign);
    // The field (0, 1 or 2) under the caret between the separators of the text.
    int FieldAtCaret(char Separator) const;
    void SetEditRect();
    void WMSize(TMessage& Message);
    void CMExit(TMessage& Message);
    // The text written keeping the caret where it was.
    void SetTextKeepingCaret(const AnsiString& Text);
    void NudgeWidth();

    int minValue_ = 0;
    int maxValue_ = 100;
    double minFloatValue_ = 0.0;
    double maxFloatValue_ = 100.0;
    TDateTime minDateValue_ = 0.0;
    TDateTime maxDateValue_ = 0.0;
    TDateTime dateValue_ = 0.0;
    TDateTime timeValue_ = 0.0;
    int increment_ = 1;
    double incrementFloat_ = 0.1;
    TKsgSpinButton* button_ = nullptr;
    bool editorEnabled_ = true;
    TSpinDirection direction_ = spVertical;
    TKsgSpinType spinType_ = sptNormal;
    int precision_ = 0;
    bool returnIsTab_ = false;
    bool isWinXP_ = false;
    bool excelStyleDecimalSeparator_ = false;
    bool monthFirst_ = false;
    bool spinFlat_ = false;
    bool spinTransparent_ = false;
    TEditAlign editAlign_ = eaLeft;
};

// The spin edit with its input mask offered to the program.
class TKavMaskSpinEdit : public TKsgSpinEdit {
public:
    using TCustomMaskEdit::GetEditMask;
    using TCustomMaskEdit::SetEditMask;
    using TKsgSpinEdit::TKsgSpinEdit;
};
