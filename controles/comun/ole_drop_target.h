#pragma once
// The drop target that the grid's and the edit's drag-and-drop units share: whether the
// current drag is taken (decided as it enters), the key state and effect of each step, and a
// drop handed to the hooks by format (rich text while the unit reads it, else text, as
// Unicode text when the code page lacks some of its characters; then a file list). A drop
// that a hook took only in part answers copy, so that the source keeps what it dragged. Each
// unit's base says what differs: the formats it reads and takes, its standard effect and its
// hook for the pointer's moves.

#include "controles/comun/ole_data.h"
#include "plataforma/gui/input/keys.h"

class TOleDropTarget : public TInterfacedObject, public IDropTarget {
public:
    HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                      DWORD* pdwEffect) override;
    HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

protected:
    // Points are in screen coordinates. All do nothing here.
    virtual void DropText(TPoint Pt, const AnsiString& Text) { (void)Pt, (void)Text; }
    // Text with characters that the code page lacks. Here: its 8-bit text (those characters
    // as '?') to DropText, taken in part.
    virtual void DropWideText(TPoint Pt, const WideString& Text);
    virtual void DropRTF(TPoint Pt, const AnsiString& Text) { (void)Pt, (void)Text; }
    virtual void DropFiles(TPoint Pt, TStrings* Files) { (void)Pt, (void)Files; }
    // The key state of the drop being handled (Ctrl: a copy).
    DWORD GetKeyState() const { return keyState_; }
    // Called by a drop hook that took nothing: the drop reports no effect, so that the
    // source keeps what it dragged.
    void Refuse() { refused_ = true; }
    // Called by a drop hook that wrote less than it was given: the drop reports a copy, so
    // that a move's source keeps all it dragged.
    void TookPart() { tookPart_ = true; }

    // What each unit decides.
    // The formats are read with the grid's column format or without it.
    virtual bool ReadsColumns() const = 0;
    virtual bool RTFAware() const = 0;
    // At the drag's entry: whether its data is taken at all.
    virtual bool Takes(TEnumFormats& Formats) = 0;
    virtual DWORD Effect(TShiftState Shift, DWORD AllowedEffect) const = 0;
    // At each step over the window; Accept comes in true when the data is taken.
    virtual void Moved(TPoint Pt, bool& Accept) = 0;
    virtual void Entered() {}
    virtual void Left() {}
    // A drop of data that is no text, rich text or file list (the grid's column): true when
    // it was handled here.
    virtual bool DropOther(TPoint Pt, TEnumFormats& Formats) {
        (void)Pt, (void)Formats;
        return false;
    }

private:
    bool acceptDrop_ = false;
    bool refused_ = false;
    bool tookPart_ = false;
    DWORD keyState_ = 0;
};
