#include "controles/comun/ole_drop_target.h"

namespace {
TPoint PointOf(POINTL pt) {
    return {pt.x, pt.y};
}
} // namespace

HRESULT TOleDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL,
                                  DWORD* pdwEffect) {
    TEnumFormats formats(pDataObj, ReadsColumns());
    acceptDrop_ = Takes(formats);
    keyState_ = grfKeyState;
    *pdwEffect = acceptDrop_ ? Effect(KeysToShiftState(grfKeyState), *pdwEffect) : DROPEFFECT_NONE;
    Entered();
    return S_OK;
}

HRESULT TOleDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    keyState_ = grfKeyState;
    *pdwEffect = acceptDrop_ ? Effect(KeysToShiftState(grfKeyState), *pdwEffect) : DROPEFFECT_NONE;
    bool accept = *pdwEffect != DROPEFFECT_NONE;
    Moved(PointOf(pt), accept);
    if (!accept) *pdwEffect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TOleDropTarget::DragLeave() {
    Left();
    return S_OK;
}

HRESULT TOleDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                             DWORD* pdwEffect) {
    if (!acceptDrop_) {
        *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    const DWORD allowed = *pdwEffect;
    keyState_ = grfKeyState;
    refused_ = tookPart_ = false;
    TEnumFormats formats(pDataObj, ReadsColumns());
    if (!DropOther(PointOf(pt), formats)) {
        WideString wide;
        if (formats.HasRTF() && RTFAware())
            DropRTF(PointOf(pt), formats.RTF());
        else if (formats.WideText(wide))
            DropWideText(PointOf(pt), wide);
        else if (formats.HasText())
            DropText(PointOf(pt), formats.Text());
        if (formats.HasFile() && formats.SomeFiles(formats.Files()))
            DropFiles(PointOf(pt), formats.Files());
    }
    *pdwEffect = refused_    ? DROPEFFECT_NONE
                 : tookPart_ ? DROPEFFECT_COPY
                             : Effect(KeysToShiftState(grfKeyState), allowed);
    return S_OK;
}

void TOleDropTarget::DropWideText(TPoint Pt, const WideString& Text) {
    DropText(Pt, Text.ToAnsiString());
    TookPart();
}
