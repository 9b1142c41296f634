#pragma once
// The grid's drag and drop between windows and programs: the bases of its drop target and
// drop source, and the start of a drag of text or of a column. The target reads text, rich
// text (while RTF-aware), file lists and a grid column from any drag and calls its hooks;
// the grid's own target and source derive from these.

#include "controles/comun/ole_data.h"
#include "plataforma/gui/input/keys.h"

namespace Ksgdd {

// Rich text is offered and read only while set (the grid's OleDropRTF).
void SetRTFAware(bool Value);
bool GetRTFAware();
// Copy with Ctrl held; otherwise move when the allowed effects include it, else copy.
DWORD StandardEffect(TShiftState Shift, DWORD AllowedEffect);

} // namespace Ksgdd

class TKSGDropSource : public TOleDropSource {};

namespace Ksgdd {

// A drag of the text (with its rich text) or of a column number from the source:
// DRAGDROP_S_DROP or DRAGDROP_S_CANCEL (also when the source's last feedback had no effect).
HRESULT StartTextDoDragDrop(TKSGDropSource* Source, const AnsiString& Text, const AnsiString& RTF,
                            DWORD AllowedEffects, DWORD& Effect);
HRESULT StartColDoDragDrop(TKSGDropSource* Source, int Column, DWORD AllowedEffects, DWORD& Effect);

} // namespace Ksgdd

class TKSGDropTarget : public TInterfacedObject, public IDropTarget {
public:
    HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                      DWORD* pdwEffect) override;
    HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    bool GetAcceptText() const { return acceptText_; }
    void SetAcceptText(bool Value) { acceptText_ = Value; }
    bool GetAcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool Value) { acceptFiles_ = Value; }
    bool GetAcceptCols() const { return acceptCols_; }
    void SetAcceptCols(bool Value) { acceptCols_ = Value; }
    // The formats of the current drag, whatever the accept switches.
    TDropFormats GetDropFormats() const { return dropFormats_; }

protected:
    // Points are in screen coordinates. All do nothing here.
    virtual void DropText(TPoint Pt, const AnsiString& Text) { (void)Pt, (void)Text; }
    virtual void DropCol(TPoint Pt, int Col) { (void)Pt, (void)Col; }
    virtual void DropRTF(TPoint Pt, const AnsiString& Text) { (void)Pt, (void)Text; }
    virtual void DropFiles(TPoint Pt, TStrings* Files) { (void)Pt, (void)Files; }
    virtual void DragMouseMove(TPoint Pt, bool& Accept, TDropFormats Formats) {
        (void)Pt, (void)Accept, (void)Formats;
    }
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}
    // The key state of the drop being handled (Ctrl: a copy).
    DWORD GetKeyState() const { return keyState_; }
    // Called by a drop hook that took nothing: the drop reports no effect, so that the
    // source keeps what it dragged.
    void Refuse() { refused_ = true; }

private:
    bool acceptDrop_ = false;
    bool acceptText_ = true, acceptFiles_ = true, acceptCols_ = false;
    TDropFormats dropFormats_;
    DWORD keyState_ = 0;
    bool refused_ = false;
};
