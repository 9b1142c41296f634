#pragma once
// The edit's drag and drop of text between windows and programs: its drop-target base, its
// drop source and the start of a text drag. Rich text is neither offered nor read unless the
// program switches it on (SetRTFAware); nothing does so today.

#include "controles/comun/ole_data.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/kernel/win_types.h"

namespace Kaveddd {

void SetRTFAware(bool Value);
bool GetRTFAware();
// Copy with Ctrl held, otherwise move (whatever the source allows).
DWORD StandardEffect(TShiftState Shift);
// A drag of the text (and rich text) with a source of its own: DRAGDROP_S_DROP or
// DRAGDROP_S_CANCEL (also when the last feedback had no effect).
HRESULT StartTextDoDragDrop(const AnsiString& Text, const AnsiString& RTF, DWORD AllowedEffects,
                            DWORD& Effect);

} // namespace Kaveddd

// Takes text, rich text (when RTF-aware) and file lists; the hooks do nothing, and a move
// over the window is accepted unless DragMouseMove says otherwise.
class TAEDropTarget : public TInterfacedObject, public IDropTarget {
public:
    HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                      DWORD* pdwEffect) override;
    HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

protected:
    // Points are in screen coordinates.
    virtual void DropText(TPoint Pt, const AnsiString& Text) { (void)Pt, (void)Text; }
    virtual void DropRTF(TPoint Pt, const AnsiString& Text) { (void)Pt, (void)Text; }
    virtual void DropFiles(TPoint Pt, TStrings* Files) { (void)Pt, (void)Files; }
    virtual void DragMouseMove(TPoint Pt, bool& Accept) {
        (void)Pt;
        Accept = true;
    }
    // The key state of the drop being handled (Ctrl: a copy).
    DWORD GetKeyState() const { return keyState_; }
    // Called by a drop hook that took nothing: the drop reports no effect, so that the
    // source keeps what it dragged.
    void Refuse() { refused_ = true; }

private:
    bool acceptDrop_ = false;
    bool refused_ = false;
    DWORD keyState_ = 0;
};

class TAEDropSource : public TOleDropSource {};
