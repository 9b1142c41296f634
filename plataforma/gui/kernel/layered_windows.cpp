#include "plataforma/gui/kernel/layered_windows.h"

#include "plataforma/gui/kernel/controls.h"

#include <QWidget>

#include <cmath>

namespace {

QWidget* Ventana(HWND hwnd) {
    TWinControl* c = FindControl(hwnd);
    return c != nullptr && c->GetWidget() != nullptr ? c->GetWidget()->window() : nullptr;
}

} // namespace

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF, BYTE bAlpha, DWORD dwFlags) {
    QWidget* w = Ventana(hwnd);
    if (w == nullptr) return FALSE;
    if (dwFlags & LWA_ALPHA) w->setWindowOpacity(bAlpha / 255.0);
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* pcrKey, BYTE* pbAlpha, DWORD* pdwFlags) {
    QWidget* w = Ventana(hwnd);
    if (w == nullptr) return FALSE;
    if (pcrKey) *pcrKey = 0;
    if (pbAlpha) *pbAlpha = static_cast<BYTE>(std::lround(w->windowOpacity() * 255));
    if (pdwFlags) *pdwFlags = LWA_ALPHA;
    return TRUE;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, TPoint* pptDst, TSize* psize, HDC, TPoint*, COLORREF,
                         BLENDFUNCTION* pblend, DWORD dwFlags) {
    TWinControl* c = FindControl(hwnd);
    if (c == nullptr || Ventana(hwnd) == nullptr) return FALSE;
    if (pptDst || psize)
        c->SetBounds(pptDst ? pptDst->x : c->GetLeft(), pptDst ? pptDst->y : c->GetTop(),
                     psize ? psize->cx : c->GetWidth(), psize ? psize->cy : c->GetHeight());
    if (pblend && (dwFlags & ULW_ALPHA))
        Ventana(hwnd)->setWindowOpacity(pblend->SourceConstantAlpha / 255.0);
    return TRUE;
}
