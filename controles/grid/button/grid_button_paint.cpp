// TKavGridButton: the face, the glyph and the caption.

#include "controles/comun/drawing_utils.h"
#include "controles/grid/button/grid_button.h"
#include "plataforma/gui/kernel/bidi.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/themes.h"

namespace {

void SetPen(TCanvas* Canvas, TColor Color) {
    Canvas->GetPen()->SetWidth(1);
    if (Color == clNone) {
        Canvas->GetPen()->SetStyle(psClear);
        return;
    }
    Canvas->GetPen()->SetStyle(psSolid);
    Canvas->GetPen()->SetColor(Color);
}

TRect Grown(TRect R, int By) {
    return TRect(R.Left - By, R.Top - By, R.Right + By, R.Bottom + By);
}

} // namespace

// The 16-step vertical gradient, framed in Border unless that is clNone.
void TKavGridButton::Gradient(TCanvas* Canvas, TColor From, TColor To, TColor Border,
                              const TRect& R) {
    DrawGradient(Canvas, From, To, 16, R, false);
    if (Border == clNone) return;
    SetPen(Canvas, Border);
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->Rectangle(R);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

void TKavGridButton::PaintFlat(TCanvas* Canvas, TRect& R) {
    if (borderDownColor_ == clNone || rounded_) R = Grown(R, -1);
    if (!Hot()) {
        if (style_ == tasCheck && down_) {
            if (colorCheckedTo_ != clNone) {
                Gradient(Canvas, colorChecked_, colorCheckedTo_, borderDownColor_, R);
            } else {
                SetPen(Canvas, borderDownColor_ == clNone ? colorChecked_ : borderDownColor_);
                Canvas->GetBrush()->SetColor(colorChecked_);
                Canvas->Rectangle(R);
            }
            return;
        }
        Canvas->GetBrush()->SetColor(GetColor());
        if (colorTo_ == clNone) {
            Canvas->FillRect(R);
        } else {
            const TColor pen = rounded_ ? clNone : down_ ? borderDownColor_ : borderColor_;
            Gradient(Canvas, GetColor(), colorTo_, pen, R);
        }
        if (borderColor_ == clNone) return;
        Canvas->GetBrush()->SetStyle(bsClear);
        SetPen(Canvas, borderColor_);
        if (!rounded_) {
            Canvas->Rectangle(R);
        } else {
            R = Grown(R, 1);
            Canvas->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
        }
        Canvas->GetBrush()->SetStyle(bsSolid);
        return;
    }
    TColor from = colorHot_, to = colorHotTo_, pen = borderHotColor_;
    if (state_ == bsDown) {
        from = colorDown_;
        to = colorDownTo_;
        pen = borderDownColor_;
    }
    if (style_ == tasCheck && down_ && state_ != bsDown) {
        from = colorChecked_;
        to = colorCheckedTo_;
        pen = borderDownColor_;
    }
    if (rounded_) pen = clNone;
    if (to == clNone) {
        if (pen == clNone) pen = from;
        SetPen(Canvas, pen);
        Canvas->GetBrush()->SetColor(from);
        Canvas->Rectangle(R);
    } else {
        Gradient(Canvas, from, to, pen, R);
    }
    if (rounded_) {
        R = Grown(R, 1);
        pen = state_ == bsDown ? borderDownColor_ : borderHotColor_;
        SetPen(Canvas, pen);
        Canvas->GetBrush()->SetStyle(bsClear);
        Canvas->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
        Canvas->GetBrush()->SetStyle(bsSolid);
    }
    if (dropDownButton_) {
        SetPen(Canvas, pen);
        Canvas->MoveTo(R.Right - 12, R.Top);
        Canvas->LineTo(R.Right - 12, R.Bottom);
    }
    R = Grown(R, -1);
}

void TKavGridButton::Paint() {
    const bool designing = GetComponentState().Contains(csDesigning);
    if (!GetEnabled()) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
    }
    if (style_ == tasCheck && down_) state_ = bsDown;

    TCanvas* c = GetCanvas();
    c->SetFont(GetFont());
    TRect r = GetClientRect();
    const bool pressed = state_ == bsDown || state_ == bsExclusive;
    if (!flat_) {
        if (autoXPStyle_ && IsThemeActive()) {
            HTHEME theme = OpenThemeData(nullptr, L"button");
            DrawThemeBackground(theme, c->GetHandle(), BP_PUSHBUTTON,
                                pressed           ? PBS_PRESSED
                                : mouseInControl_ ? PBS_HOT
                                                  : PBS_NORMAL,
                                &r, nullptr);
            CloseThemeData(theme);
        } else {
            DrawFrameControl(c->GetHandle(), &r, DFC_BUTTON,
                             DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0u));
        }
    } else {
        PaintFlat(c, r);
    }

    TPoint offset(0, 0);
    if (pressed) {
        if (state_ == bsExclusive && (!flat_ || !Hot())) {
            const TColor pen = down_ ? borderDownColor_ : borderColor_;
            if (colorCheckedTo_ != clNone) {
                Gradient(c, colorChecked_, colorCheckedTo_, pen, Grown(r, 1));
            } else {
                SetPen(c, pen == clNone ? colorChecked_ : pen);
                c->GetBrush()->SetColor(colorChecked_);
                c->Rectangle(Grown(r, 1));
            }
        }
        if (!flat_ && !designing) offset = TPoint(1, 1);
    } else if (flat_ && Hot() && shaded_ && !designing) {
        offset = TPoint(-1, -1);
    }

    if (dropDownButton_) {
        const int y = r.Top + (r.Bottom - r.Top) / 2;
        const TColor ink = GetFont()->GetColor();
        c->GetBrush()->SetColor(ink);
        SetPen(c, ink);
        c->Polygon(
            {TPoint(r.Right - 8, y - 1), TPoint(r.Right - 4, y - 1), TPoint(r.Right - 6, y + 1)});
        r.Right -= 12;
    }
    const UINT bidi = UseRightToLeftAlignment(this) ? DT_RIGHT | DT_RTLREADING : 0;
    DrawButton(c, r, offset, down_ && groupIndex_ != 0 ? bsDown : state_, bidi);
}

void TKavGridButton::CalcButtonLayout(TCanvas* Canvas, const TRect& R, TPoint Offset,
                                      UINT BiDiFlags, TPoint& GlyphPos, TRect& TextBounds) {
    const int W = R.Width(), H = R.Height();
    const TPoint glyph =
        glyph_->GetEmpty() ? TPoint(0, 0) : TPoint(glyph_->GetWidth(), glyph_->GetHeight());
    TPoint text(0, 0);
    const AnsiString caption = GetCaption();
    if (!caption.IsEmpty()) {
        TRect t(0, 0, W, 0);
        DrawText(Canvas->GetHandle(), caption.c_str(), caption.Length(), &t,
                 DT_CALCRECT | BiDiFlags);
        text = TPoint(t.Width(), t.Height());
    }
    // Read from the right, a glyph left of the text goes right of it and the other way round.
    TButtonLayout layout = layout_;
    if (BiDiFlags & DT_RIGHT) {
        if (layout == blGlyphLeft)
            layout = blGlyphRight;
        else if (layout == blGlyphRight)
            layout = blGlyphLeft;
    }
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    TPoint gp, tp;
    if (horizontal) {
        gp.y = (H - glyph.y + 1) / 2;
        tp.y = (H - text.y + 1) / 2;
    } else {
        gp.x = (W - glyph.x + 1) / 2;
        tp.x = (W - text.x + 1) / 2;
    }
    int spacing = spacing_, margin = margin_;
    if (text.x == 0 || glyph.x == 0) spacing = 0;
    const int C = horizontal ? W : H;
    const int G = horizontal ? glyph.x : glyph.y;
    const int T = horizontal ? text.x : text.y;
    if (margin == -1 && spacing == -1) {
        margin = (C - (G + T)) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (C - (G + spacing + T) + 1) / 2;
    } else if (spacing == -1) {
        spacing = ((C - (margin + G)) - T) / 2;
    }
    int g, t;
    if (layout == blGlyphLeft || layout == blGlyphTop) {
        g = margin;
        t = g + G + spacing;
    } else {
        g = C - margin - G;
        t = g - spacing - T;
    }
    (horizontal ? gp.x : gp.y) = g;
    (horizontal ? tp.x : tp.y) = t;
    GlyphPos = TPoint(gp.x + R.Left + Offset.x, gp.y + R.Top + Offset.y);
    TextBounds = TRect(tp.x + R.Left + Offset.x, tp.y + R.Top + Offset.y,
                       tp.x + R.Left + Offset.x + text.x, tp.y + R.Top + Offset.y + text.y);
}

void TKavGridButton::DrawButton(TCanvas* Canvas, const TRect& R, TPoint Offset, TButtonState State,
                                UINT BiDiFlags) {
    TPoint glyphPos;
    TRect text;
    CalcButtonLayout(Canvas, R, Offset, BiDiFlags, glyphPos, text);
    DrawButtonGlyph(Canvas, glyphPos, State);
    if (State != bsDown && State != bsExclusive && Hot() && shaded_ && flat_)
        text = TRect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
    if (showCaption_) DrawButtonText(Canvas, text, State, BiDiFlags);
}

void TKavGridButton::DrawButtonGlyph(TCanvas* Canvas, TPoint GlyphPos, TButtonState State) {
    TBitmap* g = glyph_.get();
    if (State == bsDown || State == bsExclusive) {
        if (!glyphDown_->GetEmpty()) g = glyphDown_.get();
    } else if (Hot() && !glyphHot_->GetEmpty()) {
        g = glyphHot_.get();
    }
    if (!GetEnabled()) g = glyphDisabled_->GetEmpty() ? glyph_.get() : glyphDisabled_.get();
    if (g->GetEmpty()) return;
    const bool captioned = !GetCaption().IsEmpty();
    if (Hot() && shaded_ && State != bsDown && !shade_->GetEmpty()) {
        shade_->SetTransparent(true);
        Canvas->Draw(GlyphPos.x + (captioned ? 2 : 0), GlyphPos.y + (captioned ? 2 : 0),
                     shade_.get());
    }
    g->SetTransparent(true);
    if (captioned)
        Canvas->Draw(GlyphPos.x, GlyphPos.y, g);
    else
        Canvas->Draw(0, 0, g);
}

void TKavGridButton::DrawButtonText(TCanvas* Canvas, const TRect& TextBounds, TButtonState State,
                                    UINT BiDiFlags) {
    const AnsiString caption = GetCaption();
    if (caption.IsEmpty()) return;
    Canvas->GetBrush()->SetStyle(bsClear);
    const UINT flags = BiDiFlags | DT_CENTER | DT_VCENTER;
    TRect r = TextBounds;
    if (State == bsDisabled) {
        TRect light(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
        Canvas->GetFont()->SetColor(clBtnHighlight);
        DrawText(Canvas->GetHandle(), caption.c_str(), caption.Length(), &light, flags);
        Canvas->GetFont()->SetColor(clBtnShadow);
    }
    DrawText(Canvas->GetHandle(), caption.c_str(), caption.Length(), &r, flags);
    Canvas->GetBrush()->SetStyle(bsSolid);
}
