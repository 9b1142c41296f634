#include "controles/grid/dragdrop/ksg_drag_drop.h"

namespace {
bool rtfAware = false;
} // namespace

namespace Ksgdd {

void SetRTFAware(bool Value) {
    rtfAware = Value;
}

bool GetRTFAware() {
    return rtfAware;
}

DWORD StandardEffect(TShiftState Shift, DWORD AllowedEffect) {
    if (Shift.Contains(ssCtrl)) return DROPEFFECT_COPY;
    return (AllowedEffect & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

HRESULT StartTextDoDragDrop(TKSGDropSource* Source, const AnsiString& Text, const AnsiString& RTF,
                            DWORD AllowedEffects, DWORD& Effect, const WideString& Unicode) {
    _di_IDataObject data(new TSourceDataObject(Text, RTF, -1, rtfAware, false, Unicode));
    return RunOleDrag(Source, data.get(), AllowedEffects, Effect);
}

HRESULT StartColDoDragDrop(TKSGDropSource* Source, int Column, DWORD AllowedEffects,
                           DWORD& Effect) {
    _di_IDataObject data(new TSourceDataObject("", "", Column, rtfAware, false));
    return RunOleDrag(Source, data.get(), AllowedEffects, Effect);
}

} // namespace Ksgdd

bool TKSGDropTarget::Takes(TEnumFormats& Formats) {
    const bool text = Formats.HasText(), files = Formats.HasFile(), rtf = Formats.HasRTF(),
               col = Formats.HasCol();
    dropFormats_ = {};
    if (text) dropFormats_ << dfText;
    if (files) dropFormats_ << dfFile;
    if (rtf) dropFormats_ << dfRTF;
    if (col) dropFormats_ << dfCol;
    return (text && acceptText_) || (files && acceptFiles_) || (rtf && rtfAware && acceptText_) ||
           (col && acceptCols_);
}

bool TKSGDropTarget::DropOther(TPoint Pt, TEnumFormats& Formats) {
    if (Formats.HasCol()) {
        DropCol(Pt, Formats.Col());
        return true;
    }
    if (!Formats.HasFile()) return false;
    if (Formats.SomeFiles(Formats.Files()))
        DropFiles(Pt, Formats.Files());
    else
        Refuse();
    return true;
}
