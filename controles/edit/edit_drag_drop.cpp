#include "controles/edit/edit_drag_drop.h"

namespace {
bool rtfAware = false;

TPoint PointOf(POINTL pt) {
    return {pt.x, pt.y};
}
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

HRESULT TAEDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL,
                                 DWORD* pdwEffect) {
    TEnumFormats formats(pDataObj, false);
    acceptDrop_ = formats.HasText() || formats.HasFile() || (formats.HasRTF() && rtfAware);
    keyState_ = grfKeyState;
    *pdwEffect =
        acceptDrop_ ? Kaveddd::StandardEffect(KeysToShiftState(grfKeyState)) : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TAEDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    keyState_ = grfKeyState;
    *pdwEffect =
        acceptDrop_ ? Kaveddd::StandardEffect(KeysToShiftState(grfKeyState)) : DROPEFFECT_NONE;
    bool accept = true;
    DragMouseMove(PointOf(pt), accept);
    if (!accept) *pdwEffect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TAEDropTarget::DragLeave() {
    return S_OK;
}

HRESULT TAEDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    if (!acceptDrop_) {
        *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    keyState_ = grfKeyState;
    refused_ = false;
    TEnumFormats formats(pDataObj, false);
    if (formats.HasRTF() && rtfAware)
        DropRTF(PointOf(pt), formats.RTF());
    else if (formats.HasText())
        DropText(PointOf(pt), formats.Text());
    if (formats.HasFile() && formats.SomeFiles(formats.Files()))
        DropFiles(PointOf(pt), formats.Files());
    *pdwEffect =
        refused_ ? DROPEFFECT_NONE : Kaveddd::StandardEffect(KeysToShiftState(grfKeyState));
    return S_OK;
}
