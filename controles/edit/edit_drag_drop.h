#pragma once
// The edit's drag and drop of text between windows and programs: its drop-target base, its
// drop source and the start of a text drag. Rich text is neither offered nor read unless the
// program switches it on (SetRTFAware); nothing does so today.

#include "controles/comun/ole_data.h"
#include "controles/comun/ole_drop_target.h"
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
class TAEDropTarget : public TOleDropTarget {
protected:
    virtual void DragMouseMove(TPoint Pt, bool& Accept) {
        (void)Pt;
        Accept = true;
    }

private:
    bool ReadsColumns() const override { return false; }
    bool RTFAware() const override { return Kaveddd::GetRTFAware(); }
    bool Takes(TEnumFormats& Formats) override;
    DWORD Effect(TShiftState Shift, DWORD) const override { return Kaveddd::StandardEffect(Shift); }
    void Moved(TPoint Pt, bool& Accept) override { DragMouseMove(Pt, Accept); }
};

class TAEDropSource : public TOleDropSource {};
