#include "controles/edit/edit_drag_drop.h"

namespace {
bool rtfAware = false;
} // namespace

namespace Kaveddd {

void SetRTFAware(bool Value) {
    rtfAware = Value;
}

bool GetRTFAware() {
    return rtfAware;
}

DWORD StandardEffect(TShiftState Shift) {
    return Shift.Contains(ssCtrl) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

HRESULT StartTextDoDragDrop(const AnsiString& Text, const AnsiString& RTF, DWORD AllowedEffects,
                            DWORD& Effect) {
    auto* source = new TAEDropSource;
    _di_IDropSource keep(source);
    _di_IDataObject data(new TSourceDataObject(Text, RTF, -1, rtfAware, true));
    return RunOleDrag(source, data.get(), AllowedEffects, Effect);
}

} // namespace Kaveddd

bool TAEDropTarget::Takes(TEnumFormats& Formats) {
    return Formats.HasText() || Formats.HasFile() || (Formats.HasRTF() && rtfAware);
}
