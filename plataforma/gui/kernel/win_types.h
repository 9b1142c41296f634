#pragma once
// The Win32 scalar types, handles and geometry records that the programs use. A handle is an
// opaque token: a window handle names a live window until that window is destroyed, and is
// never reused.

#include <cstdint>

struct HWND__;
using HWND = HWND__*;
struct HDC__;
using HDC = HDC__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct HRGN__;
using HRGN = HRGN__*;

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using SHORT = std::int16_t;
using UINT = unsigned int;
using BOOL = int;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = DWORD;
// Results of the component interfaces and services.
using HRESULT = long;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005L);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057L);

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

constexpr WORD LOWORD(std::uintptr_t v) {
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr DWORD MAKELONG(WORD lo, WORD hi) {
    return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16);
}
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) {
    return MAKELONG(lo, hi);
}
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) {
    return static_cast<LPARAM>(MAKELONG(lo, hi));
}
// Signed coordinates packed in an LPARAM, as mouse messages carry them.
constexpr int GET_X_LPARAM(LPARAM l) {
    return static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(l)));
}
constexpr int GET_Y_LPARAM(LPARAM l) {
    return static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(l)));
}
constexpr LPARAM PointToLParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

struct TPoint {
    int x = 0;
    int y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int ax, int ay) : x(ax), y(ay) {}
    constexpr bool operator==(const TPoint&) const = default;
};
using POINT = TPoint;

struct TSize {
    int cx = 0;
    int cy = 0;
    constexpr bool operator==(const TSize&) const = default;
};
using SIZE = TSize;

// Right and Bottom lie outside the rectangle, as in GDI.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool operator==(const TRect&) const = default;
};
using RECT = TRect;

constexpr TPoint Point(int x, int y) {
    return {x, y};
}
constexpr TRect Rect(int l, int t, int r, int b) {
    return {l, t, r, b};
}
constexpr TRect Bounds(int l, int t, int w, int h) {
    return {l, t, l + w, t + h};
}
constexpr bool PtInRect(const TRect& r, const TPoint& p) {
    return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom;
}
constexpr bool IsRectEmpty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}
// The common part of a and b; an empty rectangle (all zero) when they do not meet.
TRect IntersectRect(const TRect& a, const TRect& b);
TRect OffsetRect(const TRect& r, int dx, int dy);
TRect InflateRect(const TRect& r, int dx, int dy);
