#pragma once
// What a drag does to the grid: its drop target (text pasted at the cell under the pointer,
// rich text into one cell, one CSV or workbook file loaded, a column handed to OnOleDropCol),
// the arrows that show where the drop lands, scrolling near the edges, and its drop source,
// whose feedback window follows the pointer.

#include "controles/grid/dragdrop/ksg_drag_drop.h"

class TKavStringGrid;

class TGridDropTarget : public TKSGDropTarget {
public:
    explicit TGridDropTarget(TKavStringGrid* Grid) : grid_(Grid) {}

protected:
    void DropText(TPoint Pt, const AnsiString& Text) override;
    void DropCol(TPoint Pt, int Col) override;
    void DropRTF(TPoint Pt, const AnsiString& Text) override;
    void DropFiles(TPoint Pt, TStrings* Files) override;
    void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats) override;
    void DragMouseLeave() override;

private:
    void HideArrows(bool Feedback);

    TKavStringGrid* grid_;
};

class TGridDropSource : public TKSGDropSource {
public:
    explicit TGridDropSource(TKavStringGrid* Grid) : grid_(Grid) {}
    DWORD GetLastEffect() const { return lastEffect_; }

protected:
    void CurrentEffect(DWORD Effect) override;
    void QueryDrag() override;

private:
    TKavStringGrid* grid_;
    DWORD lastEffect_ = DROPEFFECT_NONE;
};

// The library of drag and drop needs nothing more underneath: succeeds.
void InitOleLibrary();
