#include "plataforma/gui/painting/draw_edge.h"

#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/canvas_device.h"

#include <algorithm>

namespace {

COLORREF Sys(int index) {
    return GetSysColor(index);
}

// One ring of an edge: top and left in one colour, bottom and right in another.
void Ring(CanvasDevice& d, const TRect& r, UINT sides, COLORREF topLeft, COLORREF bottomRight) {
    const int l = r.Left, t = r.Top, rr = r.Right, b = r.Bottom;
    if (rr <= l || b <= t) return;
    std::vector<PixelSpan> tl, br;
    if (sides & BF_TOP) tl.push_back({l, (sides & BF_RIGHT) ? rr - 1 : rr, t});
    if (sides & BF_LEFT)
        for (int y = t; y < ((sides & BF_BOTTOM) ? b - 1 : b); ++y)
            tl.push_back({l, l + 1, y});
    if (sides & BF_BOTTOM) br.push_back({l, rr, b - 1});
    if (sides & BF_RIGHT)
        for (int y = t; y < b; ++y)
            br.push_back({rr - 1, rr, y});
    d.Spans(tl, topLeft, pmCopy);
    d.Spans(br, bottomRight, pmCopy);
}

TRect Shrunk(const TRect& r, UINT sides) {
    return {r.Left + ((sides & BF_LEFT) ? 1 : 0), r.Top + ((sides & BF_TOP) ? 1 : 0),
            r.Right - ((sides & BF_RIGHT) ? 1 : 0), r.Bottom - ((sides & BF_BOTTOM) ? 1 : 0)};
}

// Draws the edge on the device and returns what is left inside it.
TRect Edge(CanvasDevice& d, TRect r, UINT edge, UINT flags) {
    const UINT sides = flags & BF_RECT;
    const bool soft = flags & BF_SOFT;
    const bool mono = flags & BF_MONO;
    const bool flat = (flags & BF_FLAT) || mono;
    if (edge & BDR_OUTER) {
        COLORREF tl, brc;
        if (flat) {
            tl = brc = Sys(mono ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
        } else if (edge & BDR_RAISEDOUTER) {
            tl = Sys(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT);
            brc = Sys(COLOR_3DDKSHADOW);
        } else {
            tl = Sys(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW);
            brc = Sys(COLOR_BTNHIGHLIGHT);
        }
        Ring(d, r, sides, tl, brc);
        r = Shrunk(r, sides);
    }
    if (edge & BDR_INNER) {
        COLORREF tl, brc;
        if (flat) {
            tl = brc = Sys(mono ? COLOR_WINDOW : COLOR_BTNFACE);
        } else if (edge & BDR_RAISEDINNER) {
            tl = Sys(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT);
            brc = Sys(COLOR_BTNSHADOW);
        } else {
            tl = Sys(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW);
            brc = Sys(COLOR_3DLIGHT);
        }
        Ring(d, r, sides, tl, brc);
        r = Shrunk(r, sides);
    }
    if (flags & BF_MIDDLE)
        d.SolidRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top),
                    Sys(mono ? COLOR_WINDOW : COLOR_BTNFACE), pmCopy);
    return r;
}

// An edge drawn as part of a frame control, recorded as the DrawEdge call it stands for.
TRect NestedEdge(CanvasDevice& d, const TRect& r, UINT edge, UINT flags) {
    DeviceOperation op(
        d, "DrawEdge",
        {r.Left, r.Top, r.Right, r.Bottom, static_cast<int>(edge), static_cast<int>(flags)});
    return Edge(d, r, edge, flags);
}

QRect Q(const TRect& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

// The face of a pressed toggle: highlight and face colours in a checkerboard.
void Dither(CanvasDevice& d, const TRect& r) {
    d.SolidRect(Q(r), Sys(COLOR_BTNFACE), pmCopy);
    std::vector<TPoint> dots;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left + ((r.Left + y) & 1); x < r.Right; x += 2)
            dots.push_back({x, y});
    d.Spans(SpansOfPixels(std::move(dots)), Sys(COLOR_BTNHIGHLIGHT), pmCopy);
}

TRect CentredSquare(const TRect& r) {
    const int s = std::max(0, std::min(r.Right - r.Left, r.Bottom - r.Top));
    const int x = r.Left + (r.Right - r.Left - s) / 2, y = r.Top + (r.Bottom - r.Top - s) / 2;
    return {x, y, x + s, y + s};
}

void CheckBox(CanvasDevice& d, const TRect& rect, UINT state) {
    const TRect box = CentredSquare(rect);
    if (box.Right - box.Left < 4) return;
    const bool flat = state & (DFCS_FLAT | DFCS_MONO);
    const TRect inside =
        flat ? NestedEdge(d, box, BDR_OUTER,
                          BF_RECT | BF_FLAT | (state & DFCS_MONO ? UINT(BF_MONO) : 0u))
             : NestedEdge(d, box, EDGE_SUNKEN, BF_RECT);
    const bool grey = state & (DFCS_INACTIVE | DFCS_PUSHED);
    const bool third = (state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
    if (!(state & DFCS_TRANSPARENT)) {
        if (third)
            Dither(d, inside);
        else
            d.SolidRect(Q(inside), Sys(grey ? COLOR_BTNFACE : COLOR_WINDOW), pmCopy);
    }
    if (state & DFCS_CHECKED) {
        const COLORREF mark =
            (state & DFCS_INACTIVE) || third ? Sys(COLOR_BTNSHADOW) : Sys(COLOR_WINDOWTEXT);
        d.Spans(CheckMarkSpans(inside.Left + 1, inside.Top + 1, inside.Right - inside.Left - 2),
                mark, pmCopy);
    }
}

// A ring of pixels in two colours, split by the diagonal from bottom-left to top-right of
// the box it belongs to.
void Ring2(CanvasDevice& d, const std::vector<PixelSpan>& ring, const TRect& box, COLORREF topLeft,
           COLORREF bottomRight) {
    std::vector<TPoint> tl, br;
    const int s = box.Right - box.Left;
    for (const PixelSpan& sp : ring)
        for (int x = sp.x0; x < sp.x1; ++x)
            ((x - box.Left) + (sp.y - box.Top) < s - 1 ? tl : br).push_back({x, sp.y});
    d.Spans(SpansOfPixels(std::move(tl)), topLeft, pmCopy);
    d.Spans(SpansOfPixels(std::move(br)), bottomRight, pmCopy);
}

void Disc(CanvasDevice& d, const TRect& r, COLORREF color) {
    std::vector<PixelSpan> outline, interior;
    OutlineAndInterior(
        RoundedRows(r.Left, r.Top, r.Right, r.Bottom, r.Right - r.Left, r.Bottom - r.Top), outline,
        interior);
    outline.insert(outline.end(), interior.begin(), interior.end());
    d.Spans(outline, color, pmCopy);
}

// The classic radio button: two rings peeled off one circle, so that they nest exactly.
void Radio(CanvasDevice& d, const TRect& rect, UINT state) {
    const TRect box = CentredSquare(rect);
    const int s = box.Right - box.Left;
    if (s < 4) return;
    const bool grey = state & (DFCS_INACTIVE | DFCS_PUSHED);
    std::vector<PixelSpan> outer, inside;
    OutlineAndInterior(RoundedRows(box.Left, box.Top, box.Right, box.Bottom, s, s), outer, inside);
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        const COLORREF c = Sys(state & DFCS_MONO ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
        Ring2(d, outer, box, c, c);
    } else {
        Ring2(d, outer, box, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        std::vector<PixelSpan> inner, rest;
        OutlineAndInterior(RowsOfSpans(inside), inner, rest);
        Ring2(d, inner, box, Sys(COLOR_3DDKSHADOW), Sys(COLOR_3DLIGHT));
        inside = std::move(rest);
    }
    if (!(state & DFCS_TRANSPARENT))
        d.Spans(inside, Sys(grey ? COLOR_BTNFACE : COLOR_WINDOW), pmCopy);
    if (state & DFCS_CHECKED) {
        const int dot = s / 3;
        Disc(d, {box.Left + dot, box.Top + dot, box.Right - dot, box.Bottom - dot},
             Sys(state & DFCS_INACTIVE ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
    }
}

TRect PushButton(CanvasDevice& d, const TRect& r, UINT state) {
    const bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
    TRect face;
    if (state & (DFCS_FLAT | DFCS_MONO))
        face = NestedEdge(d, r, BDR_OUTER,
                          BF_RECT | BF_FLAT | (state & DFCS_MONO ? UINT(BF_MONO) : 0u));
    else if (down)
        face = NestedEdge(d, r, EDGE_SUNKEN, BF_RECT | BF_SOFT);
    else
        face = NestedEdge(d, r, EDGE_RAISED, BF_RECT | BF_SOFT);
    if (!(state & DFCS_TRANSPARENT)) {
        if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED))
            Dither(d, face);
        else
            d.SolidRect(Q(face), Sys(COLOR_BTNFACE), pmCopy);
    }
    return face;
}

// A scroll arrow: base about half the button, odd.
void Arrow(CanvasDevice& d, const TRect& r, int direction, int shift, COLORREF color) {
    const int n = std::min(r.Right - r.Left, r.Bottom - r.Top);
    d.Spans(ArrowSpans(r, direction, std::max(1, ((n - 4) / 2) | 1), shift), color, pmCopy);
}

void SizeGrip(CanvasDevice& d, const TRect& r) {
    const int n = std::min(r.Right - r.Left, r.Bottom - r.Top);
    std::vector<TPoint> light, dark;
    for (int k = 0; k + 3 < n; k += 4) {
        // Three diagonals per step: highlight, then two shadow lines.
        for (int i = 0; i <= k; ++i) {
            light.push_back({r.Right - 1 - (k - i) - 3, r.Bottom - 1 - i});
            dark.push_back({r.Right - 1 - (k - i) - 2, r.Bottom - 1 - i});
            dark.push_back({r.Right - 1 - (k - i) - 1, r.Bottom - 1 - i});
        }
    }
    d.Spans(SpansOfPixels(std::move(light)), Sys(COLOR_BTNHIGHLIGHT), pmCopy);
    d.Spans(SpansOfPixels(std::move(dark)), Sys(COLOR_BTNSHADOW), pmCopy);
}

} // namespace

BOOL DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || !rect) return FALSE;
    DeviceOperation op(*d, "DrawEdge",
                       {rect->Left, rect->Top, rect->Right, rect->Bottom, static_cast<int>(edge),
                        static_cast<int>(flags)});
    const TRect inside = Edge(*d, *rect, edge, flags);
    if (flags & BF_ADJUST) *rect = inside;
    return TRUE;
}

BOOL DrawFrameControl(HDC dc, TRect* rect, UINT type, UINT state) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || !rect || (type != DFC_BUTTON && type != DFC_SCROLL)) return FALSE;
    DeviceOperation op(*d, "DrawFrameControl",
                       {rect->Left, rect->Top, rect->Right, rect->Bottom, static_cast<int>(type),
                        static_cast<int>(state)});
    const UINT kind = state & 0xFF;
    if (type == DFC_BUTTON) {
        if (kind & DFCS_BUTTONPUSH) {
            const TRect face = PushButton(*d, *rect, state);
            if (state & DFCS_ADJUSTRECT) *rect = face;
        } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
            Radio(*d, *rect, state);
        } else {
            CheckBox(*d, *rect, state);
        }
        return TRUE;
    }
    if (kind == DFCS_SCROLLSIZEGRIP) {
        if (!(state & DFCS_TRANSPARENT)) d->SolidRect(Q(*rect), Sys(COLOR_BTNFACE), pmCopy);
        SizeGrip(*d, *rect);
        return TRUE;
    }
    // Scroll arrows: a button with a triangle, which moves down and right when pushed.
    const bool pushed = state & DFCS_PUSHED;
    TRect face;
    if (pushed || (state & (DFCS_FLAT | DFCS_MONO)))
        face = NestedEdge(*d, *rect, BDR_OUTER,
                          BF_RECT | BF_FLAT | (state & DFCS_MONO ? UINT(BF_MONO) : 0u));
    else
        face = NestedEdge(*d, *rect, EDGE_RAISED, BF_RECT);
    if (!(state & DFCS_TRANSPARENT)) d->SolidRect(Q(face), Sys(COLOR_BTNFACE), pmCopy);
    const int direction = kind == DFCS_SCROLLCOMBOBOX ? 1 : static_cast<int>(std::min(kind, 3u));
    const int shift = pushed ? 1 : 0;
    if (state & DFCS_INACTIVE) {
        Arrow(*d, *rect, direction, shift + 1, Sys(COLOR_BTNHIGHLIGHT));
        Arrow(*d, *rect, direction, shift, Sys(COLOR_BTNSHADOW));
    } else {
        Arrow(*d, *rect, direction, shift, Sys(COLOR_BTNTEXT));
    }
    return TRUE;
}

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
    if (!Canvas) return;
    TPen* pen = Canvas->GetPen();
    pen->SetWidth(1);
    --Rect.Bottom;
    --Rect.Right;
    while (Width-- > 0) {
        pen->SetColor(TopColor);
        Canvas->Polyline({{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}});
        pen->SetColor(BottomColor);
        Canvas->Polyline(
            {{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}});
        Rect = InflateRect(Rect, -1, -1);
    }
    ++Rect.Bottom;
    ++Rect.Right;
}
