#pragma once
// The edit with a small push button inside its right edge: TKavSpeedButton, the button
// (themed, flat or classic, with hot tracking); TKsgEditButton, the one-button container
// that sizes the button to itself and passes its click on; TKsgEditBtn, the edit that
// carries the container, fires OnClickBtn on a click or F4, and leaves room for it (and
// TKsgUniEditBtn, the same on the wide edit); and
// TKsgUnitEditBtn, whose button offers a menu of units: the text holds the number, the unit
// chosen is painted between the number and the button.

#include "controles/edit/uni_edit.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/widgets/buttons_extra.h"
#include "plataforma/gui/widgets/edit.h"

#include <memory>
#include <type_traits>

class TKavSpeedButton : public TSpeedButton {
public:
    using TSpeedButton::TSpeedButton;

    bool GetIsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);
    bool GetHot() const { return hot_; }

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    bool isWinXP_ = false;
    bool hot_ = false;
};

class TKsgEditButton : public TWinControl {
public:
    explicit TKsgEditButton(TComponent* AOwner);
    ~TKsgEditButton() override;

    TKavSpeedButton* GetButton() const { return button_; }
    // The control focused after a click.
    TWinControl* GetFocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* Value);
    TBitmap* GetGlyph() const { return button_->GetGlyph(); }
    void SetGlyph(TBitmap* Value) { button_->SetGlyph(Value); }
    AnsiString GetButtonCaption() const { return button_->GetCaption(); }
    void SetButtonCaption(const AnsiString& Value) { button_->SetCaption(Value); }
    TNumGlyphs GetNumGlyphs() const { return button_->GetNumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value) { button_->SetNumGlyphs(Value); }
    bool GetFlat() const { return flat_; }
    void SetFlat(bool Value);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnClick;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

private:
    void BtnMouseUp(TMouseButton Button);
    void AdjustSize();

    TKavSpeedButton* button_ = nullptr;
    TWinControl* focusControl_ = nullptr;
    bool flat_ = false;
};

// The edit with the button, on the 8-bit edit (TKsgEditBtn) or the wide one (TKsgUniEditBtn,
// whose text starts empty and whose text area keeps no extra gap before the unit text).
template <class Base> class KsgEditBtnOf : public Base {
public:
    explicit KsgEditBtnOf(TComponent* AOwner);
    ~KsgEditBtnOf() override;

    TKsgEditButton* GetButton() const { return button_; }
    // 0 until set: the container keeps its own width.
    int GetButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int Value);
    bool GetEditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool Value) { editorEnabled_ = Value; }
    TBitmap* GetGlyph() const { return button_->GetGlyph(); }
    void SetGlyph(TBitmap* Value) { button_->SetGlyph(Value); }
    AnsiString GetButtonCaption() const { return button_->GetButtonCaption(); }
    void SetButtonCaption(const AnsiString& Value) { button_->SetButtonCaption(Value); }
    bool GetIsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);
    bool GetRightAlign() const { return rightAlign_; }
    void SetRightAlign(bool Value);

    // The button's click; fires OnClickBtn.
    virtual void BtnClick(TObject* Sender);
    // The text's smallest height for its font.
    int GetMinHeight();

    TNotifyEvent OnClickBtn;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;
    // The text area: inside the border, up to the unit text and the button.
    void SetEditRect();
    static constexpr bool kWide = std::is_base_of_v<TCustomUNIEdit, Base>;
    int GetUnitSize() const { return unitSize_; }
    void SetUnitSizeValue(int Value) { unitSize_ = Value; }

private:
    void WMSize(TMessage& Message);

    int unitSize_ = 0;
    bool rightAlign_ = false;
    TKsgEditButton* button_ = nullptr;
    bool editorEnabled_ = true;
    int buttonWidth_ = 0;
    bool isWinXP_ = false;
};

extern template class KsgEditBtnOf<TCustomEdit>;
extern template class KsgEditBtnOf<TCustomUNIEdit>;

class TKsgEditBtn : public KsgEditBtnOf<TCustomEdit> {
public:
    using KsgEditBtnOf<TCustomEdit>::KsgEditBtnOf;
};

class TKsgUniEditBtn : public KsgEditBtnOf<TCustomUNIEdit> {
public:
    explicit TKsgUniEditBtn(TComponent* AOwner);
};

class TKsgUnitEditBtn : public TKsgEditBtn {
public:
    explicit TKsgUnitEditBtn(TComponent* AOwner);
    ~TKsgUnitEditBtn() override;

    const AnsiString& GetUnitID() const { return unitID_; }
    void SetUnitID(const AnsiString& Value);
    TStringList* GetUnits() const { return units_.get(); }
    // A list given is copied; nullptr is ignored.
    void SetUnits(TStrings* Value);
    // The width kept for the unit text, in pixels.
    int GetUnitSpace() const { return GetUnitSize(); }
    void SetUnitSpace(int Value);

    // Opens the menu of units under the button; OnClickBtn is not fired.
    void BtnClick(TObject* Sender) override;

protected:
    void Dispatch(TMessage& Message) override;

private:
    void PaintUnit();

    AnsiString unitID_;
    std::unique_ptr<TStringList> units_;
};
