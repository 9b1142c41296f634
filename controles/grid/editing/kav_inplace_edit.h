#pragma once
// TKavInplaceEdit: the text box the advanced grid lays over the current cell for its text
// editor kinds. It decides which keys stay in the text and which end the edit and move the
// grid, filters characters by the cell's editor kind, completes typed text from the lookup
// list, sizes the row or column while the user types, and reports clipboard actions and
// every change to the grid.

#include "plataforma/gui/grid/grids.h"

class TKavStringGrid;

class TKavInplaceEdit : public TInplaceEdit {
public:
    explicit TKavInplaceEdit(TComponent* AOwner);

    TKavStringGrid* GetKavGrid() const { return kavGrid_; }
    // Right-aligned text and word wrap; each change makes the window again.
    bool GetVAlign() const { return rightAligned_; }
    void SetVAlign(bool Value);
    bool GetWordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    // The text limit taken from the grid when the window was made (0: none).
    int GetEditLimit() const { return editLimit_; }

    // Colour and font of the current cell as the grid paints it.
    void UpdateContents() override;
    // Over the current cell's rectangle, the text kept 2 pixels off its edges.
    void BoundsChanged() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    // Several lines when the grid's cells hold several (Multilinecells).
    bool EditsLines() const override;
    void CreateWnd() override;
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;

private:
    // The message-level key handling; true when the key was taken.
    bool WMKeyDown(TMessage& Message);
    // False when the character is dropped.
    bool WMChar(TMessage& Message);
    void WMPaste();
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    // Completes the text before the caret from the grid's lookup items.
    void LookupComplete();
    // After a refused value: the text given back, the caret at its end (or all selected).
    void TakeBack(const AnsiString& Text);
    // The caret's line and the last line of the text.
    int CaretLine();
    int LastLine();
    void CaretToEnd();
    // Right (Forward) at the text's end or Left at its start: the edit leaves the cell.
    void WalkOut(bool Forward);

    TKavStringGrid* kavGrid_ = nullptr;
    int editLimit_ = 0;
    bool rightAligned_ = false;
    bool wordWrap_ = false;
    bool lookupArmed_ = true;
    bool dropReturn_ = false;
    bool linesMade_ = false; // the window was made for several lines
};
