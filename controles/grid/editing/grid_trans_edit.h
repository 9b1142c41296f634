#pragma once
// TGridTransEdit: the edit the advanced grid lays over a fixed cell (a header) to edit its
// text. The text goes into the cell when the edit stops (the focus leaves it, or Return),
// unless OnCellValidate refuses it: then the edit stays open on its cell.

#include "plataforma/gui/widgets/edit.h"

class TKavStringGrid;

class TGridTransEdit : public TEdit {
public:
    explicit TGridTransEdit(TKavStringGrid* AGrid);

    // The cell edited (real column, row).
    void SetEditCell(int ACol, int ARow) {
        editCol_ = ACol;
        editRow_ = ARow;
    }
    int GetEditCol() const { return editCol_; }
    int GetEditRow() const { return editRow_; }
    // Ends the edit: true when the value was accepted (and written) or there was no grid;
    // false when OnCellValidate refused it (the edit stays visible and focused).
    bool StopEdit();

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;

private:
    TKavStringGrid* grid_;
    int editCol_ = -1;
    int editRow_ = -1;
    bool stopping_ = false;
};
