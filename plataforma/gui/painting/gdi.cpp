#include "plataforma/gui/painting/gdi.h"

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/painting/font.h"
#include "plataforma/gui/painting/region_handles.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>

#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <unordered_set>

struct HBRUSH__ {
    COLORREF color;
    bool system;
};

struct HRGN__ {
    QRegion region;
};

namespace {

std::unordered_set<const void*>& LiveRegions() {
    static std::unordered_set<const void*> regions;
    return regions;
}

std::unordered_set<const void*>& LiveBrushes() {
    static std::unordered_set<const void*> brushes;
    return brushes;
}

HRGN__* Region(HRGN r) {
    return r && LiveRegions().count(r) ? r : nullptr;
}

HBRUSH__* Brush(HBRUSH b) {
    if (!b) return nullptr;
    if (b->system) return b;
    return LiveBrushes().count(b) ? b : nullptr;
}

int KindOf(const QRegion& r) {
    return r.isEmpty() ? NULLREGION : r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRect Logical(const TRect* r) {
    return QRect(r->Left, r->Top, r->Right - r->Left, r->Bottom - r->Top);
}

} // namespace

// --- colours, background mode, text alignment ---

int SetBkMode(HDC dc, int mode) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    const int old = d->state.bkMode;
    d->state.bkMode = mode;
    return old;
}

int GetBkMode(HDC dc) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    return d ? d->state.bkMode : 0;
}

namespace {

// Sets one colour of the device context and returns the one it replaces.
COLORREF SwapColor(HDC dc, COLORREF DeviceState::*which, COLORREF color) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return CLR_INVALID;
    const COLORREF old = d->state.*which;
    d->state.*which = color & 0xFFFFFF;
    return old;
}

COLORREF ColorOf(HDC dc, COLORREF DeviceState::*which) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    return d ? d->state.*which : CLR_INVALID;
}

} // namespace

COLORREF SetBkColor(HDC dc, COLORREF color) {
    return SwapColor(dc, &DeviceState::bkColor, color);
}

COLORREF GetBkColor(HDC dc) {
    return ColorOf(dc, &DeviceState::bkColor);
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    return SwapColor(dc, &DeviceState::textColor, color);
}

COLORREF GetTextColor(HDC dc) {
    return ColorOf(dc, &DeviceState::textColor);
}

UINT SetTextAlign(HDC dc, UINT align) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return 0xFFFFFFFF;
    const UINT old = d->state.textAlign;
    d->state.textAlign = align;
    return old;
}

UINT GetTextAlign(HDC dc) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    return d ? d->state.textAlign : 0xFFFFFFFF;
}

// --- saved states and origins ---

int SaveDC(HDC dc) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return 0;
    d->saved.push_back(d->state);
    return static_cast<int>(d->saved.size());
}

BOOL RestoreDC(HDC dc, int savedDC) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return FALSE;
    const int n = static_cast<int>(d->saved.size());
    const int index = savedDC < 0 ? n + savedDC : savedDC - 1;
    if (index < 0 || index >= n) return FALSE;
    d->state = d->saved[static_cast<size_t>(index)];
    d->saved.resize(static_cast<size_t>(index));
    return TRUE;
}

namespace {

BOOL SetOrigin(HDC dc, QPoint DeviceState::*which, int X, int Y, TPoint* old, bool relative) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return FALSE;
    QPoint& o = d->state.*which;
    if (old) *old = {o.x(), o.y()};
    o = relative ? o + QPoint(X, Y) : QPoint(X, Y);
    return TRUE;
}

BOOL GetOrigin(HDC dc, QPoint DeviceState::*which, TPoint* point) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || !point) return FALSE;
    const QPoint& o = d->state.*which;
    *point = {o.x(), o.y()};
    return TRUE;
}

} // namespace

BOOL SetViewportOrgEx(HDC dc, int X, int Y, TPoint* old) {
    return SetOrigin(dc, &DeviceState::viewportOrg, X, Y, old, false);
}

BOOL GetViewportOrgEx(HDC dc, TPoint* point) {
    return GetOrigin(dc, &DeviceState::viewportOrg, point);
}

BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old) {
    return SetOrigin(dc, &DeviceState::viewportOrg, dx, dy, old, true);
}

BOOL SetWindowOrgEx(HDC dc, int X, int Y, TPoint* old) {
    return SetOrigin(dc, &DeviceState::windowOrg, X, Y, old, false);
}

BOOL GetWindowOrgEx(HDC dc, TPoint* point) {
    return GetOrigin(dc, &DeviceState::windowOrg, point);
}

// --- mapping modes ---

int SetMapMode(HDC dc, int mode) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || (mode != MM_TEXT && mode != MM_LOMETRIC && mode != MM_ANISOTROPIC)) return 0;
    DeviceState& s = d->state;
    const int old = s.mapMode;
    s.mapMode = mode;
    if (mode == MM_ANISOTROPIC) {
        // It starts from the mapping it finds, its extents set to tell it.
        constexpr int kUnit = 10000;
        s.windowExt = QSize(kUnit, kUnit);
        s.viewportExt = QSize(static_cast<int>(std::lround(kUnit * s.scaleX)),
                              static_cast<int>(std::lround(kUnit * s.scaleY)));
        return old;
    }
    const double perTenthMm = mode == MM_LOMETRIC ? d->PixelsPerInch() / 254.0 : 1.0;
    s.scaleX = perTenthMm;
    s.scaleY = mode == MM_LOMETRIC ? -perTenthMm : 1.0;
    return old;
}

namespace {

BOOL SetExtent(HDC dc, QSize DeviceState::*which, int X, int Y, TSize* old) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || X == 0 || Y == 0) return FALSE;
    DeviceState& s = d->state;
    QSize& e = s.*which;
    if (old) *old = {e.width(), e.height()};
    if (s.mapMode != MM_ANISOTROPIC) return TRUE;
    e = QSize(X, Y);
    s.scaleX = s.viewportExt.width() / static_cast<double>(s.windowExt.width());
    s.scaleY = s.viewportExt.height() / static_cast<double>(s.windowExt.height());
    return TRUE;
}

} // namespace

BOOL SetWindowExtEx(HDC dc, int X, int Y, TSize* old) {
    return SetExtent(dc, &DeviceState::windowExt, X, Y, old);
}

BOOL SetViewportExtEx(HDC dc, int X, int Y, TSize* old) {
    return SetExtent(dc, &DeviceState::viewportExt, X, Y, old);
}

int GetMapMode(HDC dc) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    return d ? d->state.mapMode : 0;
}

namespace {

BOOL MapPoints(HDC dc, TPoint* points, int count, bool toLogical) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || (!points && count > 0)) return FALSE;
    for (int i = 0; i < count; ++i) {
        const QPoint p = toLogical ? d->state.ToLogical(points[i].x, points[i].y)
                                   : d->state.ToDevice(points[i].x, points[i].y);
        points[i] = {p.x(), p.y()};
    }
    return TRUE;
}

} // namespace

BOOL DPtoLP(HDC dc, TPoint* points, int count) {
    return MapPoints(dc, points, count, true);
}

BOOL LPtoDP(HDC dc, TPoint* points, int count) {
    return MapPoints(dc, points, count, false);
}

// --- regions and clipping ---

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto* r =
        new HRGN__{QRegion(QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1)))};
    LiveRegions().insert(r);
    return r;
}

QRegion* RegionOfHandle(HRGN rgn) {
    HRGN__* r = Region(rgn);
    return r ? &r->region : nullptr;
}

HRGN NewRegionHandle(const QRegion& region) {
    auto* r = new HRGN__{region};
    LiveRegions().insert(r);
    return r;
}

HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode) {
    if (!points || count < 3) return NewRegionHandle(QRegion());
    QPolygon polygon;
    for (int i = 0; i < count; ++i)
        polygon << QPoint(points[i].x, points[i].y);
    // GDI leaves out the right and bottom edges, as the polygon fills of the canvas do.
    return NewRegionHandle(
        QRegion(polygon, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
}

HRGN CreateRectRgnIndirect(const TRect* rect) {
    return rect ? CreateRectRgn(rect->Left, rect->Top, rect->Right, rect->Bottom) : nullptr;
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    HRGN__* d = Region(dest);
    HRGN__* a = Region(src1);
    HRGN__* b = Region(src2);
    if (!d || !a || (mode != RGN_COPY && !b)) return ERROR;
    switch (mode) {
    case RGN_AND:
        d->region = a->region & b->region;
        break;
    case RGN_OR:
        d->region = a->region | b->region;
        break;
    case RGN_XOR:
        d->region = a->region ^ b->region;
        break;
    case RGN_DIFF:
        d->region = a->region - b->region;
        break;
    case RGN_COPY:
        d->region = a->region;
        break;
    default:
        return ERROR;
    }
    return KindOf(d->region);
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
    HRGN__* r = Region(rgn);
    if (!r) return ERROR;
    r->region.translate(dx, dy);
    return KindOf(r->region);
}

BOOL PtInRegion(HRGN rgn, int X, int Y) {
    HRGN__* r = Region(rgn);
    return r && r->region.contains(QPoint(X, Y)) ? TRUE : FALSE;
}

int GetRgnBox(HRGN rgn, TRect* rect) {
    HRGN__* r = Region(rgn);
    if (!r || !rect) return ERROR;
    const QRect b = r->region.boundingRect();
    *rect = b.isEmpty() ? TRect() : FromQRect(b);
    return KindOf(r->region);
}

int SelectClipRgn(HDC dc, HRGN rgn) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return ERROR;
    if (!rgn) {
        d->state.clip.reset();
    } else {
        HRGN__* r = Region(rgn);
        if (!r) return ERROR;
        d->state.clip = r->region;
    }
    return KindOf(d->Clip());
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return ERROR;
    const QRect r = d->state.DeviceRect(QRect(left, top, right - left, bottom - top));
    d->state.clip = d->state.clip.value_or(QRegion(d->Bounds())) - r;
    return KindOf(d->Clip());
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return ERROR;
    const QRect r = d->state.DeviceRect(QRect(left, top, right - left, bottom - top));
    d->state.clip = d->state.clip.value_or(QRegion(d->Bounds())) & r;
    return KindOf(d->Clip());
}

int GetClipBox(HDC dc, TRect* rect) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || !rect) return ERROR;
    const QRegion clip = d->Clip();
    *rect = clip.isEmpty() ? TRect() : d->state.LogicalBox(clip.boundingRect());
    return KindOf(clip);
}

// --- brushes and fills ---

HBRUSH CreateSolidBrush(COLORREF color) {
    auto* b = new HBRUSH__{color & 0xFFFFFF, false};
    LiveBrushes().insert(b);
    return b;
}

HBRUSH GetSysColorBrush(int index) {
    static HBRUSH__ brushes[31];
    if (index < 0 || index > 30) return nullptr;
    brushes[index] = HBRUSH__{GetSysColor(index), true};
    return &brushes[index];
}

BOOL DeleteObject(HGDIOBJ object) {
    if (!object) return FALSE;
    if (LiveRegions().erase(object)) {
        delete static_cast<HRGN>(object);
        return TRUE;
    }
    if (LiveBrushes().erase(object)) {
        delete static_cast<HBRUSH>(object);
        return TRUE;
    }
    return FALSE; // unknown, or a system brush
}

int FillRect(HDC dc, const TRect* rect, HBRUSH brush) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    HBRUSH__* b = Brush(brush);
    if (!d || !rect || !b) return 0;
    DeviceOperation op(*d, "FillRect", {rect->Left, rect->Top, rect->Right, rect->Bottom});
    d->SolidRect(Logical(rect), b->color, pmCopy);
    return 1;
}

int FrameRect(HDC dc, const TRect* rect, HBRUSH brush) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    HBRUSH__* b = Brush(brush);
    if (!d || !rect || !b) return 0;
    DeviceOperation op(*d, "FrameRect", {rect->Left, rect->Top, rect->Right, rect->Bottom});
    std::vector<PixelSpan> outline, interior;
    OutlineAndInterior(RoundedRows(rect->Left, rect->Top, rect->Right, rect->Bottom, 0, 0), outline,
                       interior);
    d->Spans(outline, b->color, pmCopy);
    return 1;
}

BOOL InvertRect(HDC dc, const TRect* rect) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || !rect) return FALSE;
    DeviceOperation op(*d, "InvertRect", {rect->Left, rect->Top, rect->Right, rect->Bottom});
    d->SolidRect(Logical(rect), 0, pmNot);
    return TRUE;
}

BOOL DrawFocusRect(HDC dc, const TRect* rect) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || !rect) return FALSE;
    DeviceOperation op(*d, "DrawFocusRect", {rect->Left, rect->Top, rect->Right, rect->Bottom});
    d->FocusRect(*rect);
    return TRUE;
}

// --- text ---

namespace {

struct FontKind {
    BYTE pitchAndFamily;
    BYTE charSet;
};

// What the font file behind a font is, told the way Win32 tells it: TrueType outlines
// (a "glyf" table) are vector TrueType fonts; PostScript outlines (CFF in OpenType, or
// Type 1) are vector device fonts; fonts that cannot be scaled smoothly are bitmap fonts
// (no bits). The "fixed pitch" bit is set for variable pitch, as in Win32. A family that
// has only symbols has the symbol character set, every other one the ANSI set. Kept per
// family and style: fonts are asked about for every row that lists them.
FontKind KindOf(const QFont& f) {
    static std::map<std::pair<QString, QString>, FontKind> known;
    const QFontInfo info(f);
    const auto key = std::make_pair(info.family(), info.styleName());
    if (auto it = known.find(key); it != known.end()) return it->second;
    BYTE bits = info.fixedPitch() ? 0 : TMPF_FIXED_PITCH;
    if (QFontDatabase::isSmoothlyScalable(info.family(), info.styleName())) {
        const QRawFont raw = QRawFont::fromFont(f);
        if (raw.isValid() && !raw.fontTable("glyf").isEmpty())
            bits |= TMPF_VECTOR | TMPF_TRUETYPE;
        else
            bits |= TMPF_VECTOR | TMPF_DEVICE;
    }
    const QList<QFontDatabase::WritingSystem> systems =
        QFontDatabase::writingSystems(info.family());
    const bool symbols =
        systems.contains(QFontDatabase::Symbol) && !systems.contains(QFontDatabase::Latin);
    return known[key] = FontKind{bits, static_cast<BYTE>(symbols ? SYMBOL_CHARSET : ANSI_CHARSET)};
}

} // namespace

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* tm) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || !tm) return FALSE;
    const QFont& f = d->state.font;
    const QFontMetrics fm(f);
    *tm = TEXTMETRIC{};
    tm->tmAscent = fm.ascent();
    tm->tmDescent = fm.descent();
    tm->tmHeight = tm->tmAscent + tm->tmDescent;
    const int em = f.pixelSize() > 0 ? f.pixelSize() : tm->tmHeight;
    tm->tmInternalLeading = std::max(0, tm->tmHeight - em);
    tm->tmExternalLeading = std::max(0, fm.leading());
    tm->tmAveCharWidth = fm.horizontalAdvance(QLatin1Char('x'));
    tm->tmMaxCharWidth = fm.maxWidth();
    tm->tmWeight = f.bold() ? 700 : 400;
    tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = f.italic() ? 1 : 0;
    tm->tmUnderlined = f.underline() ? 1 : 0;
    tm->tmStruckOut = f.strikeOut() ? 1 : 0;
    const FontKind kind = KindOf(f);
    tm->tmPitchAndFamily = kind.pitchAndFamily;
    tm->tmCharSet = kind.charSet;
    return TRUE;
}

namespace {

BOOL Extent(HDC dc, const QString& s, TSize* size) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || !size) return FALSE;
    const QFontMetrics fm(d->state.font);
    *size = {fm.horizontalAdvance(d->Shown(s)), fm.height()};
    return TRUE;
}

BOOL TextOutAt(HDC dc, int X, int Y, UINT options, const TRect* rect, const QString& s,
               const int* dx, const AnsiString& recorded) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return FALSE;
    DeviceOperation op(*d, "ExtTextOut", {X, Y, static_cast<int>(options)}, recorded);
    const QString shown = d->Shown(s);
    QRect r;
    if (rect) r = Logical(rect);
    const QRect* clip = rect && (options & ETO_CLIPPED) ? &r : nullptr;
    const QRect* opaque = rect && (options & ETO_OPAQUE) ? &r : nullptr;
    if (!dx) {
        d->Text(X, Y, shown, clip, opaque);
        return TRUE;
    }
    // Explicit advances: each character at its own place.
    if (opaque) d->SolidRect(*opaque, d->state.bkColor, pmCopy);
    int x = X;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        d->Text(x, Y, shown.mid(i, 1), clip, nullptr);
        x += dx[i];
    }
    return TRUE;
}

} // namespace

BOOL GetTextExtentPoint32(HDC dc, const char* text, int count, TSize* size) {
    return Extent(dc, TextArgument(text, count), size);
}

BOOL GetTextExtentPoint32W(HDC dc, const char16_t* text, int count, TSize* size) {
    return Extent(dc, TextArgument(text, count), size);
}

BOOL GetTextExtentExPoint(HDC dc, const char* text, int count, int maxExtent, int* fit, int* dx,
                          TSize* size) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return FALSE;
    const QString s = d->Shown(TextArgument(text, count));
    const QFontMetrics fm(d->state.font);
    int fits = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const int w = fm.horizontalAdvance(s.left(i + 1));
        if (dx) dx[i] = w;
        if (w <= maxExtent && fits == i) fits = static_cast<int>(i + 1);
    }
    if (fit) *fit = fits;
    if (size) *size = {fm.horizontalAdvance(s), fm.height()};
    return TRUE;
}

BOOL ExtTextOut(HDC dc, int X, int Y, UINT options, const TRect* rect, const char* text, int count,
                const int* dx) {
    const QString s = TextArgument(text, count);
    return TextOutAt(dc, X, Y, options, rect, s, dx, FromQString(s));
}

BOOL ExtTextOutW(HDC dc, int X, int Y, UINT options, const TRect* rect, const char16_t* text,
                 int count, const int* dx) {
    const QString s = TextArgument(text, count);
    return TextOutAt(dc, X, Y, options, rect, s, dx, FromQString(s));
}

// --- the device ---

int GetDeviceCaps(HDC dc, int index) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return 0;
    const QSize s = d->Size();
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return d->PixelsPerInch();
    case HORZRES:
        return s.width();
    case VERTRES:
        return s.height();
    case HORZSIZE: // millimetres, rounded
        return (s.width() * 254 / d->PixelsPerInch() + 5) / 10;
    case VERTSIZE:
        return (s.height() * 254 / d->PixelsPerInch() + 5) / 10;
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    default:
        return 0;
    }
}

int DeviceCapabilities(HDC dc, WORD capability) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return -1;
    switch (capability) {
    case DC_ORIENTATION:
        return d->OrientationTurn();
    default:
        return -1;
    }
}

COLORREF GetPixel(HDC dc, int X, int Y) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return CLR_INVALID;
    const QPoint p = d->ToDevice(X, Y);
    if (!d->Clip().contains(p)) return CLR_INVALID;
    const long long c = d->DevicePixel(p.x(), p.y());
    return c < 0 ? CLR_INVALID : static_cast<COLORREF>(c);
}

COLORREF SetPixel(HDC dc, int X, int Y, COLORREF color) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return CLR_INVALID;
    d->Spans({{X, X + 1, Y}}, color & 0xFFFFFF, pmCopy);
    return color & 0xFFFFFF;
}
