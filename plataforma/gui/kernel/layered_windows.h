#pragma once
// Layered windows, as far as Qt has them: the constant opacity of a top-level window, and
// its place and size through UpdateLayeredWindow. A colour key and the per-pixel picture of
// UpdateLayeredWindow have no counterpart: the window keeps painting itself, and the call
// still succeeds, as the rest of the window's look is kept. FALSE for a handle of no window.

#include "plataforma/gui/kernel/win_types.h"

constexpr DWORD WS_EX_LAYERED = 0x00080000;
enum : DWORD { LWA_COLORKEY = 0x1, LWA_ALPHA = 0x2 };
enum : DWORD { ULW_COLORKEY = 0x1, ULW_ALPHA = 0x2, ULW_OPAQUE = 0x4 };
enum : BYTE { AC_SRC_OVER = 0x00, AC_SRC_ALPHA = 0x01 };

struct BLENDFUNCTION {
    BYTE BlendOp;
    BYTE BlendFlags;
    BYTE SourceConstantAlpha;
    BYTE AlphaFormat;
};

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags);
// The opacity last set, 255 for a window never made translucent.
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* pcrKey, BYTE* pbAlpha, DWORD* pdwFlags);
BOOL UpdateLayeredWindow(HWND hwnd, HDC hdcDst, TPoint* pptDst, TSize* psize, HDC hdcSrc,
                         TPoint* pptSrc, COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags);
