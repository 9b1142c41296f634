#pragma once
// What a drag does to the grid: its drop target (text pasted at the cell under the pointer,
// rich text into one cell, one CSV or workbook file loaded, a column handed to OnOleDropCol),
// the arrows that show where the drop lands, scrolling near the edges, and its drop source,
// whose feedback window follows the pointer.

#include "controles/grid/dragdrop/ksg_drag_drop.h"

#include <string>

class TKavStringGrid;

class TGridDropTarget : public TKSGDropTarget {
public:
    explicit TGridDropTarget(TKavStringGrid* Grid) : grid_(Grid) {}

protected:
    void DropText(TPoint Pt, const AnsiString& Text) override;
    void DropWideText(TPoint Pt, const WideString& Text) override;
    void DropCol(TPoint Pt, int Col) override;
    void DropRTF(TPoint Pt, const AnsiString& Text) override;
    void DropFiles(TPoint Pt, TStrings* Files) override;
    void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats) override;
    void DragMouseLeave() override;

private:
    void HideArrows(bool Feedback);
    // The cells of a text pasted at the cell under the point; a drop that wrote fewer cells
    // than the text holds is a copy. Text: the 8-bit text, for OnOleDrop.
    template <class Ch>
    void DropCells(TPoint Pt, const AnsiString& Text, const std::basic_string<Ch>& Cells);

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
