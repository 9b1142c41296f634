#include "controles/grid/dragdrop/ksg_drag_drop.h"

namespace {
bool rtfAware = false;

TPoint PointOf(POINTL pt) {
    return {pt.x, pt.y};
}
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
                            DWORD AllowedEffects, DWORD& Effect) {
    _di_IDataObject data(new TSourceDataObject(Text, RTF, -1, rtfAware, false));
    return RunOleDrag(Source, data.get(), AllowedEffects, Effect);
}

HRESULT StartColDoDragDrop(TKSGDropSource* Source, int Column, DWORD AllowedEffects,
                           DWORD& Effect) {
    _di_IDataObject data(new TSourceDataObject("", "", Column, rtfAware, false));
    return RunOleDrag(Source, data.get(), AllowedEffects, Effect);
}

} // namespace Ksgdd

HRESULT TKSGDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL,
                                  DWORD* pdwEffect) {
    TEnumFormats formats(pDataObj, true);
    const bool text = formats.HasText(), files = formats.HasFile(), rtf = formats.HasRTF(),
               col = formats.HasCol();
    acceptDrop_ = (text && acceptText_) || (files && acceptFiles_) ||
                  (rtf && rtfAware && acceptText_) || (col && acceptCols_);
    dropFormats_ = {};
    if (text) dropFormats_ << dfText;
    if (files) dropFormats_ << dfFile;
    if (rtf) dropFormats_ << dfRTF;
    if (col) dropFormats_ << dfCol;
    keyState_ = grfKeyState;
    *pdwEffect = acceptDrop_ ? Ksgdd::StandardEffect(KeysToShiftState(grfKeyState), *pdwEffect)
                             : DROPEFFECT_NONE;
    DragMouseEnter();
    return S_OK;
}

HRESULT TKSGDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    keyState_ = grfKeyState;
    *pdwEffect = acceptDrop_ ? Ksgdd::StandardEffect(KeysToShiftState(grfKeyState), *pdwEffect)
                             : DROPEFFECT_NONE;
    bool accept = *pdwEffect != DROPEFFECT_NONE;
    DragMouseMove(PointOf(pt), accept, dropFormats_);
    if (!accept) *pdwEffect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TKSGDropTarget::DragLeave() {
    DragMouseLeave();
    return S_OK;
}

HRESULT TKSGDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                             DWORD* pdwEffect) {
    if (!acceptDrop_) {
        *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    const DWORD allowed = *pdwEffect;
    keyState_ = grfKeyState;
    refused_ = false;
    TEnumFormats formats(pDataObj, true);
    if (formats.HasCol()) {
        DropCol(PointOf(pt), formats.Col());
    } else {
        if (formats.HasRTF() && rtfAware)
            DropRTF(PointOf(pt), formats.RTF());
        else if (formats.HasText())
            DropText(PointOf(pt), formats.Text());
        if (formats.HasFile() && formats.SomeFiles(formats.Files()))
            DropFiles(PointOf(pt), formats.Files());
    }
    *pdwEffect =
        refused_ ? DROPEFFECT_NONE : Ksgdd::StandardEffect(KeysToShiftState(grfKeyState), allowed);
    return S_OK;
}
