#include "plataforma/gui/painting/themes.h"

#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/painting/draw_text.h"

#include <QString>

#include <string>
#include <unordered_set>

struct HTHEME__ {
    int kind;
};

namespace {

enum Kind { kButton, kHeader, kCombo, kProgress, kSpin };

bool active = false;

std::unordered_set<const HTHEME__*>& Themes() {
    static std::unordered_set<const HTHEME__*> themes;
    return themes;
}

HTHEME__* Theme(HTHEME t) {
    return t && Themes().count(t) ? t : nullptr;
}

COLORREF Mix(COLORREF a, COLORREF b, int num, int den) {
    if (den <= 0) return a;
    auto ch = [&](int x, int y) { return x + (y - x) * num / den; };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)),
               ch(GetBValue(a), GetBValue(b)));
}

// A rounded figure: the outline in one colour, the inside shaded from top to bottom.
void Rounded(CanvasDevice& d, const TRect& r, int corner, COLORREF border, COLORREF top,
             COLORREF bottom) {
    std::vector<PixelSpan> outline, interior;
    OutlineAndInterior(RoundedRows(r.Left, r.Top, r.Right, r.Bottom, corner, corner), outline,
                       interior);
    const int h = r.Bottom - r.Top;
    for (const PixelSpan& s : interior)
        d.Spans({s}, Mix(top, bottom, s.y - r.Top, std::max(1, h - 1)), pmCopy);
    d.Spans(outline, border, pmCopy);
}

void Triangle(CanvasDevice& d, const TRect& r, int direction, COLORREF color) {
    const int n = std::min(r.Right - r.Left, r.Bottom - r.Top);
    d.Spans(ArrowSpans(r, direction, std::max(3, ((n - 4) / 2) | 1), 0), color, pmCopy);
}

void ArrowButton(CanvasDevice& d, const TRect& r, int state, int direction) {
    COLORREF border = RGB(157, 181, 228), top = RGB(214, 228, 255), bottom = RGB(177, 201, 249);
    COLORREF arrow = RGB(77, 97, 133);
    if (state == 2) top = RGB(230, 238, 255), bottom = RGB(196, 215, 253);
    if (state == 3) top = RGB(161, 183, 229), bottom = RGB(139, 165, 221);
    if (state == 4) {
        border = RGB(201, 199, 186);
        top = bottom = RGB(244, 243, 238);
        arrow = RGB(201, 199, 186);
    }
    Rounded(d, r, 4, border, top, bottom);
    Triangle(d, r, direction, arrow);
}

void CheckPart(CanvasDevice& d, const TRect& r, int state, bool radio) {
    const bool disabled = state == 4 || state == 8;
    const bool checked = state >= 5;
    const COLORREF border = disabled ? RGB(202, 200, 187) : RGB(28, 81, 128);
    const COLORREF top = disabled ? RGB(245, 244, 234) : RGB(220, 220, 215);
    const COLORREF mark = disabled ? RGB(202, 200, 187) : RGB(33, 161, 33);
    const int s = std::min(r.Right - r.Left, r.Bottom - r.Top);
    const TRect box{r.Left, r.Top, r.Left + s, r.Top + s};
    Rounded(d, box, radio ? s : 0, border, top, RGB(255, 255, 255));
    if (!checked) return;
    if (radio) {
        const int in = s / 3;
        std::vector<PixelSpan> outline, interior;
        OutlineAndInterior(RoundedRows(box.Left + in, box.Top + in, box.Right - in, box.Bottom - in,
                                       s - 2 * in, s - 2 * in),
                           outline, interior);
        outline.insert(outline.end(), interior.begin(), interior.end());
        d.Spans(outline, mark, pmCopy);
        return;
    }
    // The same check mark as the classic box, in the style's green.
    d.Spans(CheckMarkSpans(box.Left + 2, box.Top + 2, s - 4), mark, pmCopy);
}

void HeaderItem(CanvasDevice& d, const TRect& r, int state) {
    const QRect q(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    d.SolidRect(q,
                state == 3   ? RGB(222, 223, 216)
                : state == 2 ? RGB(250, 248, 243)
                             : RGB(235, 234, 219),
                pmCopy);
    const COLORREF lines[3] = {RGB(226, 222, 205), RGB(214, 210, 194), RGB(203, 199, 184)};
    for (int i = 0; i < 3; ++i)
        d.SolidRect(QRect(r.Left, r.Bottom - 3 + i, r.Right - r.Left, 1),
                    state == 2 ? RGB(248, 169, 0) : lines[i], pmCopy);
    if (r.Bottom - r.Top > 8) {
        d.SolidRect(QRect(r.Right - 2, r.Top + 3, 1, r.Bottom - r.Top - 7), RGB(199, 197, 178),
                    pmCopy);
        d.SolidRect(QRect(r.Right - 1, r.Top + 3, 1, r.Bottom - r.Top - 7), RGB(255, 255, 255),
                    pmCopy);
    }
}

void Progress(CanvasDevice& d, const TRect& r, int part) {
    if (part == PP_BAR || part == PP_BARVERT) {
        Rounded(d, r, 4, RGB(104, 104, 104), RGB(255, 255, 255), RGB(255, 255, 255));
        return;
    }
    // The chunk: green blocks with gaps, along the bar's length.
    const bool vertical = part == PP_CHUNKVERT;
    const int length = vertical ? r.Bottom - r.Top : r.Right - r.Left;
    for (int at = 0; at < length; at += 10) {
        const int n = std::min(8, length - at);
        const QRect block = vertical ? QRect(r.Left, r.Bottom - at - n, r.Right - r.Left, n)
                                     : QRect(r.Left + at, r.Top, n, r.Bottom - r.Top);
        d.SolidRect(block, RGB(47, 212, 63), pmCopy);
        d.SolidRect(vertical ? QRect(block.left(), block.top(), 1, block.height())
                             : QRect(block.left(), block.top(), block.width(), 1),
                    RGB(135, 229, 143), pmCopy);
    }
}

} // namespace

void SetThemeActive(bool Active) {
    active = Active;
}

BOOL IsThemeActive() {
    return active ? TRUE : FALSE;
}

BOOL IsAppThemed() {
    return active ? TRUE : FALSE;
}

HTHEME OpenThemeData(HWND, const wchar_t* classList) {
    if (!active || !classList) return nullptr;
    const QString list = QString::fromWCharArray(classList);
    for (const QString& name : list.split(QLatin1Char(';'))) {
        const QString n = name.trimmed().toLower();
        int kind = -1;
        if (n == QLatin1String("button"))
            kind = kButton;
        else if (n == QLatin1String("header"))
            kind = kHeader;
        else if (n == QLatin1String("combobox"))
            kind = kCombo;
        else if (n == QLatin1String("progress"))
            kind = kProgress;
        else if (n == QLatin1String("spin"))
            kind = kSpin;
        if (kind < 0) continue;
        auto* t = new HTHEME__{kind};
        Themes().insert(t);
        return t;
    }
    return nullptr;
}

HRESULT CloseThemeData(HTHEME theme) {
    HTHEME__* t = Theme(theme);
    if (!t) return E_HANDLE;
    Themes().erase(t);
    delete t;
    return S_OK;
}

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int partId, int stateId, const TRect* rect,
                            const TRect* clipRect) {
    HTHEME__* t = Theme(theme);
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!t) return E_HANDLE;
    if (!d || !rect) return E_INVALIDARG;
    DeviceOperation op(
        *d, "DrawThemeBackground",
        {t->kind, partId, stateId, rect->Left, rect->Top, rect->Right, rect->Bottom});
    const std::optional<QRegion> savedClip = d->state.clip;
    if (clipRect)
        d->state.clip = d->state.clip.value_or(QRegion(d->Bounds())) &
                        d->state.DeviceRect(QRect(clipRect->Left, clipRect->Top,
                                                  clipRect->Right - clipRect->Left,
                                                  clipRect->Bottom - clipRect->Top));
    switch (t->kind) {
    case kButton:
        if (partId == BP_CHECKBOX || partId == BP_RADIOBUTTON)
            CheckPart(*d, *rect, stateId, partId == BP_RADIOBUTTON);
        else if (stateId == PBS_DISABLED)
            Rounded(*d, *rect, 6, RGB(201, 199, 186), RGB(245, 244, 234), RGB(245, 244, 234));
        else if (stateId == PBS_PRESSED)
            Rounded(*d, *rect, 6, RGB(0, 60, 116), RGB(226, 225, 218), RGB(238, 237, 229));
        else {
            Rounded(*d, *rect, 6, RGB(0, 60, 116), RGB(255, 255, 255), RGB(236, 235, 230));
            if (stateId == PBS_HOT) {
                std::vector<PixelSpan> ring, inside;
                OutlineAndInterior(RoundedRows(rect->Left + 1, rect->Top + 1, rect->Right - 1,
                                               rect->Bottom - 1, 4, 4),
                                   ring, inside);
                d->Spans(ring, RGB(248, 179, 48), pmCopy);
            }
        }
        break;
    case kHeader:
        HeaderItem(*d, *rect, stateId);
        break;
    case kCombo:
        ArrowButton(*d, *rect, stateId, 1);
        break;
    case kProgress:
        Progress(*d, *rect, partId);
        break;
    case kSpin:
        ArrowButton(*d, *rect, stateId,
                    partId == SPNP_UP       ? 0
                    : partId == SPNP_DOWN   ? 1
                    : partId == SPNP_UPHORZ ? 3
                                            : 2);
        break;
    }
    d->state.clip = savedClip;
    return S_OK;
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int, int stateId, const wchar_t* text, int count,
                      DWORD textFlags, DWORD, const TRect* rect) {
    HTHEME__* t = Theme(theme);
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!t) return E_HANDLE;
    if (!d || !rect || !text) return E_INVALIDARG;
    const QString s = QString::fromWCharArray(text, count < 0 ? -1 : count);
    const DeviceState saved = d->state;
    d->state.textColor = stateId == 4 ? RGB(161, 161, 146) : RGB(0, 0, 0);
    d->state.bkMode = TRANSPARENT;
    TRect r = *rect;
    DrawTextW(dc, reinterpret_cast<const char16_t*>(s.utf16()), static_cast<int>(s.size()), &r,
              textFlags);
    d->state.textColor = saved.textColor;
    d->state.bkMode = saved.bkMode;
    return S_OK;
}

namespace {

std::wstring& ColorName() {
    static std::wstring name = L"NormalColor";
    return name;
}

} // namespace

void SetThemeColorName(const wchar_t* Name) {
    ColorName() = Name ? Name : L"";
}

HRESULT GetCurrentThemeName(wchar_t* themeFileName, int maxNameChars, wchar_t* colorBuff,
                            int maxColorChars, wchar_t* sizeBuff, int maxSizeChars) {
    if (!active) return E_FAIL;
    auto put = [](wchar_t* out, int max, const wchar_t* value) {
        if (!out || max <= 0) return;
        int i = 0;
        for (; i < max - 1 && value[i]; ++i)
            out[i] = value[i];
        out[i] = 0;
    };
    put(themeFileName, maxNameChars, L"Luna.msstyles");
    put(colorBuff, maxColorChars, ColorName().c_str());
    put(sizeBuff, maxSizeChars, L"NormalSize");
    return S_OK;
}
