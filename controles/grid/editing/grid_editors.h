#pragma once
// The editor controls the advanced grid lays over a cell for its control editor kinds: a
// combo box, a spin edit, an edit with a button (also with a unit selector), a check box and
// a button. Each knows its grid, can make its window again before it is reused, ends the
// edit when it loses the focus, decides which keys leave it and hands those to the grid's
// edit session, and reports value changes through the grid's events. The grid owns one of
// each (TGridEditorControls), made when a cell first needs it.

#include "controles/edit/edit_button.h"
#include "controles/edit/ksg_combo.h"
#include "controles/edit/spin_edit.h"
#include "controles/edit/uni_edit.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/date_time_picker.h"
#include "plataforma/gui/widgets/rich_edit.h"

#include <functional>
#include <type_traits>

class TKavStringGrid;

// The item one notch of the wheel moves to: a positive (or zero) delta one up, a negative one
// down, never past the first or the last of Count items.
int WheelIndex(int Index, int Count, int Delta);
// Whether a key leaves a grid combo: with its list open or as a fixed list, Tab, Return,
// Escape, Left and Right; as an editable combo with its list closed, Tab, Return, Escape,
// Page Up, Page Down, End, Up and Down. Alt+Down opens the list instead.
bool ComboKeyLeaves(WORD Key, TShiftState Shift, bool ListLike);

// The width of a combo's dropped list: the control's Width, widened for the widest of Count
// items (ItemWidth gives each one's text width): to the text width + 25 when the list has
// more items than it shows (DropDownCount) and so a scroll bar, else to the text width + 8.
int DropDownWidthFor(int Width, int Count, int DropDownCount,
                     const std::function<int(int)>& ItemWidth);
// The character of an editor under the mouse pointer (EM_CHARFROMPOS); -1 when the pointer
// is outside the editor or over no character.
int CharUnderMouse(TWinControl& Control);
// A grid combo just focused by a click on its cell (the grid's caret-by-click mark): the
// caret goes before the character under the mouse, and the mark is spent.
void CaretAtClick(TCustomComboBox& Combo, TKavStringGrid* Grid);

// A cell text with a unit ("12.5 cm") taken apart character by character: digits, ',', '-'
// and '.' make the value, every other character the unit (" cm").
void SplitValueUnit(const AnsiString& Text, AnsiString& Value, AnsiString& Unit);

// What every editor of the family shares: its grid, ReCreate, the end of the edit on exit,
// and Return (always) and Tab (with goTabs) kept from the dialog keys.
template <class TBase> class TGridEditorOf : public TBase {
public:
    explicit TGridEditorOf(TKavStringGrid* AGrid);
    TKavStringGrid* GetGrid() const { return grid_; }
    // Makes the window again, so that a control reused for another cell starts clean.
    void ReCreate() {
        if (this->HandleAllocated()) this->RecreateWnd();
    }

protected:
    // The focus went elsewhere: the value is validated (CommitOnExit) and the edit ends;
    // a value refused as a click on another cell took the focus keeps the edit open, with
    // the cell's text back in the editor, and the click moves nothing.
    void DoExit() override;
    void Dispatch(TMessage& Message) override;
    // Whether the editor keeps a key from the dialog keys (CM_WANTSPECIALKEY).
    virtual bool WantsKey(WORD Key);
    // Hands the editor's value to the edit session's CommitOnExit; true when the edit may
    // end. Editors whose value is not validated keep this answer.
    virtual bool CommitOnExit() { return true; }

    TKavStringGrid* grid_;
};

class TGridCombo : public TGridEditorOf<TKSGComboBox> {
public:
    explicit TGridCombo(TKavStringGrid* AGrid);
    // The dropped list as wide as its widest item needs (never narrower than the control).
    void SizeDropDownWidth();
    // One notch of the wheel: a positive delta moves one item up, a negative one down,
    // within the items; OnComboChange and OnComboObjectChange follow.
    void Wheel(int Delta);

protected:
    void DoExit() override;
    void Change() override;
    void CloseUp() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;
    bool CommitOnExit() override;

private:
    // Completes the text before the caret from the items.
    void DoChange();
    // A cell's text back in the combo, its item chosen when the items hold it.
    void ShowText(const AnsiString& Text);
    bool lookupArmed_ = true;
};

class TGridSpin : public TGridEditorOf<TKsgSpinEdit> {
public:
    explicit TGridSpin(TKavStringGrid* AGrid);
    void UpClick(TObject* Sender) override;
    void DownClick(TObject* Sender) override;

protected:
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;
    bool CommitOnExit() override;

private:
    void SpinReport(bool Up);
};

class TGridEditBtn : public TGridEditorOf<TKsgEditBtn> {
public:
    explicit TGridEditBtn(TKavStringGrid* AGrid);
    // The button: the grid's EllipsClick gives the new text, which is selected whole.
    void ExtClick(TObject* Sender);

protected:
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    bool CommitOnExit() override;

private:
    // The character filter of the numeric and decimal kinds; false drops it.
    bool Accepts(char Key);
    // A cell's text back in the edit, the caret after it.
    void ShowText(const AnsiString& Text);
};

class TGridUnitEditBtn : public TGridEditorOf<TKsgUnitEditBtn> {
public:
    explicit TGridUnitEditBtn(TKavStringGrid* AGrid);

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    bool CommitOnExit() override;
};

class TGridCheckBox : public TGridEditorOf<TCheckBox> {
public:
    explicit TGridCheckBox(TKavStringGrid* AGrid);

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool WantsKey(WORD Key) override;
};

class TGridButton : public TGridEditorOf<TButton> {
public:
    explicit TGridButton(TKavStringGrid* AGrid);

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool WantsKey(WORD Key) override;

private:
    // Ends the button's edit and hands the focus back to the grid.
    void Leave();
};

// The wide edit, memo and edit with a button: their wide text is stored into the cell and
// validated as wide text when Tab, Return, Up or Down leave them (the memo, where Return
// makes a new line and the arrows move in the text, is left by Tab and Escape only).
template <class TBase> class TGridWideEditOf : public TGridEditorOf<TBase> {
public:
    explicit TGridWideEditOf(TKavStringGrid* AGrid);

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    bool CommitOnExit() override;

private:
    // A cell's wide text back in the editor, the caret after it.
    void ShowText(const WideString& Text);
    static constexpr bool IsMemo() { return std::is_same_v<TBase, TKsgUniMemo>; }
    bool Leaves(WORD Key) const;
};

class TGridUniEdit : public TGridWideEditOf<TKsgUniEdit> {
public:
    using TGridWideEditOf<TKsgUniEdit>::TGridWideEditOf;
};

class TGridUniMemo : public TGridWideEditOf<TKsgUniMemo> {
public:
    using TGridWideEditOf<TKsgUniMemo>::TGridWideEditOf;
};

class TGridUniEditBtn : public TGridWideEditOf<TKsgUniEditBtn> {
public:
    explicit TGridUniEditBtn(TKavStringGrid* AGrid);
};

class TGridUniCombo : public TGridEditorOf<TKSGUniComboBox> {
public:
    explicit TGridUniCombo(TKavStringGrid* AGrid);
    // The dropped list as wide as its widest wide item needs (never narrower than the control).
    void SizeDropDownWidth();
    // The wheel as the 8-bit combo's, within the items.
    void Wheel(int Delta);

protected:
    void DoExit() override;
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;
};

// A cell's text read as a date (a time with Time), now when it is empty or none.
TDateTime DateOrNow(const AnsiString& Text, bool Time);

class TGridDatePicker : public TGridEditorOf<TDateTimePicker> {
public:
    explicit TGridDatePicker(TKavStringGrid* AGrid);

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // The focus going to its own calendar does not end the edit.
    void DoExit() override;
};

// The rich-text editor of edRichEdit cells: raised and lowered selections, and the row
// growing with the text while SizeWhileTyping has Height (unless it is locked: the grid
// locks it while it fills it from the cell).
class TKavRichEdit : public TGridEditorOf<TRichEdit> {
public:
    explicit TKavRichEdit(TKavStringGrid* AGrid);
    void SelNormal() { SelFormat(0); }
    void SelSubscript() { SelFormat(-40); }
    void SelSuperscript() { SelFormat(40); }
    // The selection's character offset, in twips.
    void SelFormat(int Offset) { SetSelOffset(Offset); }
    bool IsSelNormal() const { return GetSelOffset() == 0; }
    bool IsSelSubscript() const { return GetSelOffset() < 0; }
    bool IsSelSuperscript() const { return GetSelOffset() > 0; }
    void Lock() { locked_ = true; }
    void Unlock() { locked_ = false; }
    bool GetLocked() const { return locked_; }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void RequestResize(int Width, int Height) override;
    // Losing the focus to the grid ends the edit (also from a popup form), and leaving it for
    // another control of its form too; neither when the grid was marked that a popup form
    // ended the edit (the mark is spent).
    void Dispatch(TMessage& Message) override;
    void DoExit() override;
    // The arrows move in the text (or leave the cell) rather than between controls.
    bool WantsKey(WORD Key) override {
        return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN ||
               TGridEditorOf<TRichEdit>::WantsKey(Key);
    }

private:
    bool locked_ = false;
    bool exitTaken_ = false; // this focus loss met the popup-exit mark
};

// The grid's editor controls, each made on first use with the grid as owner and parent,
// disabled and hidden.
class TGridEditorControls {
public:
    explicit TGridEditorControls(TKavStringGrid& Grid) : grid_(Grid) {}
    TGridCombo* Combo();
    TGridSpin* Spin();
    TGridEditBtn* EditBtn();
    TGridUnitEditBtn* UnitEditBtn();
    TGridCheckBox* CheckBox();
    TGridButton* Button();
    TGridUniEdit* UniEdit();
    TGridUniMemo* UniMemo();
    TGridUniEditBtn* UniEditBtn();
    TGridUniCombo* UniCombo();
    TGridDatePicker* DatePicker();
    TKavRichEdit* RichEdit();

private:
    template <class T> T* Make(T*& Slot);
    TKavStringGrid& grid_;
    TGridCombo* combo_ = nullptr;
    TGridSpin* spin_ = nullptr;
    TGridEditBtn* editBtn_ = nullptr;
    TGridUnitEditBtn* unitEditBtn_ = nullptr;
    TGridCheckBox* checkBox_ = nullptr;
    TGridButton* button_ = nullptr;
    TGridUniEdit* uniEdit_ = nullptr;
    TGridUniMemo* uniMemo_ = nullptr;
    TGridUniEditBtn* uniEditBtn_ = nullptr;
    TGridUniCombo* uniCombo_ = nullptr;
    TGridDatePicker* datePicker_ = nullptr;
    TKavRichEdit* richEdit_ = nullptr;
};
