#pragma once
// The grid's drag and drop between windows and programs: the bases of its drop target and
// drop source, and the start of a drag of text or of a column. The target reads text, rich
// text (while RTF-aware), file lists and a grid column from any drag and calls its hooks;
// the grid's own target and source derive from these.

#include "controles/comun/ole_data.h"
#include "controles/comun/ole_drop_target.h"
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
// Unicode: the text with the characters that the 8-bit text lacks (empty: none lacks).
HRESULT StartTextDoDragDrop(TKSGDropSource* Source, const AnsiString& Text, const AnsiString& RTF,
                            DWORD AllowedEffects, DWORD& Effect,
                            const WideString& Unicode = WideString());
HRESULT StartColDoDragDrop(TKSGDropSource* Source, int Column, DWORD AllowedEffects, DWORD& Effect);

} // namespace Ksgdd

class TKSGDropTarget : public TOleDropTarget {
public:
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
    virtual void DropCol(TPoint Pt, int Col) { (void)Pt, (void)Col; }
    virtual void DragMouseMove(TPoint Pt, bool& Accept, TDropFormats Formats) {
        (void)Pt, (void)Accept, (void)Formats;
    }
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

private:
    bool ReadsColumns() const override { return true; }
    bool RTFAware() const override { return Ksgdd::GetRTFAware(); }
    bool Takes(TEnumFormats& Formats) override;
    DWORD Effect(TShiftState Shift, DWORD AllowedEffect) const override {
        return Ksgdd::StandardEffect(Shift, AllowedEffect);
    }
    void Moved(TPoint Pt, bool& Accept) override { DragMouseMove(Pt, Accept, dropFormats_); }
    void Entered() override { DragMouseEnter(); }
    void Left() override { DragMouseLeave(); }
    // A column goes to DropCol, whatever else the drag holds; a drag that offers files is a
    // drop of the files (their names, which file managers offer as text too, are no cells).
    bool DropOther(TPoint Pt, TEnumFormats& Formats) override;

    bool acceptText_ = true, acceptFiles_ = true, acceptCols_ = false;
    TDropFormats dropFormats_;
};
