#pragma once
// What the drawing tests look at: the pixels of a canvas by colour.

#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/recording_canvas.h"

#include <vector>

// The colour of a pixel as the canvas reads it (clNone outside).
inline TColor Px(TCanvas* c, int x, int y) {
    return c->GetPixels(x, y);
}

// How many pixels of the rectangle have the colour.
inline int Count(TCanvas* c, const TRect& r, TColor color) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (c->GetPixels(x, y) == color) ++n;
    return n;
}

// The bounding box of the pixels of a colour inside the rectangle (empty when none).
inline TRect Extent(TCanvas* c, const TRect& r, TColor color) {
    TRect e{r.Right, r.Bottom, r.Left, r.Top};
    bool any = false;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (c->GetPixels(x, y) == color) {
                any = true;
                e.Left = std::min(e.Left, x);
                e.Top = std::min(e.Top, y);
                e.Right = std::max(e.Right, x + 1);
                e.Bottom = std::max(e.Bottom, y + 1);
            }
    return any ? e : TRect();
}

// Every pixel of the rectangle, for comparing before and after.
inline std::vector<TColor> Snapshot(TCanvas* c, const TRect& r) {
    std::vector<TColor> out;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            out.push_back(c->GetPixels(x, y));
    return out;
}

// A white canvas with a black one-pixel pen and a white brush.
inline void Reset(TCanvas* c, int w, int h) {
    c->GetPen()->SetColor(clBlack);
    c->GetPen()->SetWidth(1);
    c->GetPen()->SetStyle(psSolid);
    c->GetPen()->SetMode(pmCopy);
    c->GetBrush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, w, h));
}

// Text drawn alone at (x, y) on the canvas made white (w by h), with no background: which
// pixels it inks, row by row.
inline std::vector<bool> InkOfText(TCanvas* c, int w, int h, int x, int y, const AnsiString& s) {
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, w, h));
    c->GetBrush()->SetStyle(bsClear);
    c->TextOut(x, y, s);
    std::vector<bool> ink(static_cast<size_t>(w * h));
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            ink[static_cast<size_t>(j * w + i)] = c->GetPixels(i, j) != clWhite;
    return ink;
}

// How many inked pixels of a w-wide image lie outside the columns from..to-1.
inline int InkOutside(const std::vector<bool>& ink, int w, int from, int to) {
    int n = 0;
    for (size_t k = 0; k < ink.size(); ++k) {
        const int x = static_cast<int>(k) % w;
        n += ink[k] && (x < from || x >= to);
    }
    return n;
}
