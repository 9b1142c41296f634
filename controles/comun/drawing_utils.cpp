#include "controles/comun/drawing_utils.h"

#include "controles/comun/visual_styles.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/widgets/edit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

int Redondear(double v) {
    return static_cast<int>(std::lround(v));
}

// The format applied to one integer: "%d" and its flags, width and precision, and "%%";
// anything else is copied as it stands, so no format can read what was not passed.
AnsiString FormatoEntero(const AnsiString& formato, int valor) {
    const std::string& f = formato.str();
    std::string r;
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%') {
            r += f[i];
            continue;
        }
        if (i + 1 < f.size() && f[i + 1] == '%') {
            r += '%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < f.size() && std::string_view("-+ 0#").find(f[j]) != std::string_view::npos)
            ++j;
        while (j < f.size() && (std::isdigit(static_cast<unsigned char>(f[j])) || f[j] == '.'))
            ++j;
        if (j < f.size() && (f[j] == 'd' || f[j] == 'u' || f[j] == 'x' || f[j] == 'X') &&
            j - i < 12) {
            char trozo[64], texto[64];
            std::snprintf(trozo, sizeof trozo, "%.*s", static_cast<int>(j - i + 1), f.c_str() + i);
            std::snprintf(texto, sizeof texto, trozo, valor);
            r += texto;
            i = j;
        } else {
            r += f[i];
        }
    }
    return AnsiString(std::move(r));
}

void Encoger(TRect& r, int dx, int dy) {
    r.Left += dx;
    r.Right -= dx;
    r.Top += dy;
    r.Bottom -= dy;
}

} // namespace

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                  bool Direction) {
    if (ToColor == clNone) {
        Canvas->GetBrush()->SetColor(FromColor);
        Canvas->GetPen()->SetColor(FromColor);
        Canvas->Rectangle(R);
        return;
    }
    if (Steps <= 0) Steps = 1;
    const COLORREF de = ColorToRGB(FromColor), a = ColorToRGB(ToColor);
    const double pr = (GetRValue(a) - GetRValue(de)) / static_cast<double>(Steps);
    const double pg = (GetGValue(a) - GetGValue(de)) / static_cast<double>(Steps);
    const double pb = (GetBValue(a) - GetBValue(de)) / static_cast<double>(Steps);
    const double tira = (Direction ? R.Width() : R.Height()) / static_cast<double>(Steps);
    const int grueso = Redondear(tira);
    for (int i = 0; i < Steps; ++i) {
        const TColor c = RGB(GetRValue(de) + Redondear(i * pr), GetGValue(de) + Redondear(i * pg),
                             GetBValue(de) + Redondear(i * pb));
        Canvas->GetPen()->SetColor(c);
        Canvas->GetBrush()->SetColor(c);
        const int desde = Redondear(i * tira);
        // Each strip overlaps the next by a pixel; the last one stops at the edge.
        if (Direction)
            Canvas->Rectangle(R.Left + desde, R.Top, std::min(R.Right, R.Left + desde + grueso + 1),
                              R.Bottom);
        else
            Canvas->Rectangle(R.Left, R.Top + desde, R.Right,
                              std::min(R.Bottom, R.Top + desde + grueso + 1));
    }
}

TColor GradientAt(TColor FromColor, TColor ToColor, int Min, int Max, int Position) {
    if (ToColor == clNone) return FromColor;
    const COLORREF de = ColorToRGB(FromColor);
    if (Max == Min) return static_cast<TColor>(de);
    const COLORREF a = ColorToRGB(ToColor);
    auto canal = [&](int x, int y) {
        return x + Redondear((y - x) / double(Max - Min) * Position);
    };
    return RGB(canal(GetRValue(de), GetRValue(a)), canal(GetGValue(de), GetGValue(a)),
               canal(GetBValue(de), GetBValue(a)));
}

void DrawProgressLin(TCanvas* Canvas, TRect R, TColor Color, TColor TextColor, TColor ColorTo,
                     TColor TextColorTo, int Position, int BorderX, int BorderY, int Min, int Max,
                     const AnsiString& Format, TColor BorderColor, bool InvertY) {
    const TColor guardado = Canvas->GetBrush()->GetColor();
    Canvas->GetBrush()->SetColor(Color);
    Canvas->GetPen()->SetColor(Color);
    Canvas->GetFont()->SetColor(TextColor);
    AnsiString texto;
    int parte = 0;
    if (Format.IsEmpty()) {
        texto = IntToStr(Position) + "%";
        parte = Position;
    } else {
        texto = FormatoEntero(Format, Position);
        parte = Max == Min ? 0 : Redondear((Position - Min) * 100.0 / (Max - Min));
    }
    parte = std::clamp(parte, 0, 100);
    Encoger(R, BorderX, BorderY);
    TRect lleno = R;
    lleno.Right = R.Left + Redondear(R.Width() * parte / 100.0);
    const TSize t = Canvas->TextExtent(texto);
    const int x = R.Left + (R.Width() - t.cx) / 2;
    const int y = R.Top + (R.Height() - (InvertY ? -t.cy : t.cy)) / 2;
    Canvas->TextRect(lleno, x, y, texto);
    Canvas->GetBrush()->SetColor(ColorTo);
    Canvas->GetPen()->SetColor(ColorTo);
    Canvas->GetFont()->SetColor(TextColorTo);
    Canvas->TextRect(TRect(lleno.Right, R.Top, R.Right, R.Bottom), x, y, texto);
    Encoger(R, -1, -1);
    if (BorderColor != clNone) {
        Canvas->GetBrush()->SetColor(BorderColor);
        Canvas->FrameRect(R);
    }
    Encoger(R, -1, -1);
    Canvas->GetBrush()->SetColor(guardado);
    Canvas->FrameRect(R);
}

void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int Position, bool InvertY) {
    const TColor gris = 0x808080;
    Canvas->GetPen()->SetColor(gris);
    Canvas->GetPen()->SetWidth(1);
    Canvas->Ellipse(R);
    const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
    Canvas->MoveTo(cx, R.Top);
    Canvas->LineTo(cx, cy);
    const double angulo = std::clamp(Position, 0, 100) / 100.0 * 2 * M_PI;
    Canvas->LineTo(cx + Redondear(std::sin(angulo) * (R.Width() + 1) * 0.5),
                   cy - Redondear(std::cos(angulo) * (R.Height() + 1) * 0.5));
    // At 0 % the two radii meet and the fill would take the whole pie.
    if (Position <= 0) return;
    Canvas->GetBrush()->SetColor(Color);
    Canvas->FloodFill(cx + 2, InvertY ? R.Top - 2 : R.Top + 2, gris, fsBorder);
}

void DrawRangeIndicator(TCanvas* Canvas, TRect R, int Value, int Range, bool ShowValue,
                        TColor NegColor, TColor PosColor) {
    Encoger(R, 2, 2);
    if (Range > 0) {
        const int mitad = R.Width() / 2;
        Value = std::clamp(Value, -Range, Range);
        const int largo = Redondear(static_cast<double>(Value) * mitad / Range);
        const int medio = R.Left + mitad;
        const TColor c = Value >= 0 ? PosColor : NegColor;
        Canvas->GetBrush()->SetColor(c);
        Canvas->GetPen()->SetColor(c);
        if (largo != 0)
            Canvas->Rectangle(std::min(medio, medio + largo), R.Top, std::max(medio, medio + largo),
                              R.Bottom);
    }
    if (ShowValue) {
        const AnsiString s = IntToStr(Value);
        const int modo = SetBkMode(Canvas->GetHandle(), TRANSPARENT);
        DrawText(Canvas->GetHandle(), s.c_str(), s.Length(), &R, DT_CENTER | DT_SINGLELINE);
        SetBkMode(Canvas->GetHandle(), modo);
    }
}

void DrawErrorLines(TWinControl* Control, TCanvas* Canvas, const AnsiString& Text, const TRect& R,
                    int Offset, int First, int Count) {
    TPoint inicio, fin;
    {
        auto edit = std::make_unique<TEdit>(Control);
        edit->SetVisible(false);
        edit->SetParent(Control);
        edit->SetBounds(R.Left, R.Top, R.Width(), R.Height());
        edit->SetText(Text);
        auto posicion = [&](int i) {
            const LRESULT p = edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(std::max(0, i)), 0);
            if (p == -1) return TPoint();
            return TPoint(static_cast<short>(LOWORD(p)), static_cast<short>(HIWORD(p)));
        };
        const int largo = Text.Length();
        if (largo > First) {
            inicio = posicion(First);
        } else {
            inicio = posicion(largo - 1);
            inicio.x += 4;
        }
        if (largo > First + Count) {
            fin = posicion(First + Count - 1);
        } else {
            fin = posicion(largo - 1);
            fin.x += 4;
            fin.y = inicio.y;
        }
    }
    Canvas->GetPen()->SetColor(0x0000FF);
    Canvas->GetPen()->SetWidth(2);
    Canvas->MoveTo(R.Left + inicio.x, R.Top + inicio.y + Offset + 3);
    int x = inicio.x, salto = 0;
    while (x <= fin.x) {
        Canvas->LineTo(R.Left + x + 3, R.Top + fin.y + Offset + salto);
        salto = salto == 0 ? 3 : 0;
        x += 3;
    }
    Canvas->LineTo(R.Left + x + 3, R.Top + fin.y + Offset + salto);
    Canvas->GetPen()->SetWidth(1);
}

void DrawComboButton(TCanvas* Canvas, HWND Handle, const TRect& R, bool Themed, bool) {
    TRect b(R.Right - 16 - 2, R.Top + 1, R.Right - 2, R.Bottom - 1);
    if (Themed && Kavxpvs::OpenThemeData != nullptr) {
        HTHEME tema = Kavxpvs::OpenThemeData(Handle, L"combobox");
        if (tema != nullptr) {
            Kavxpvs::DrawThemeBackground(tema, Canvas->GetHandle(), CP_DROPDOWNBUTTON, CBXS_NORMAL,
                                         &b, nullptr);
            Kavxpvs::CloseThemeData(tema);
            return;
        }
    }
    DrawFrameControl(Canvas->GetHandle(), &b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
}

void DrawBitmapTransp(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R) {
    if (Bitmap == nullptr || Bitmap->GetEmpty()) return;
    const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
    TBitmap trabajo;
    trabajo.SetSize(w, h);
    trabajo.GetCanvas()->GetBrush()->SetColor(BackgroundColor);
    const TRect todo(0, 0, w, h);
    trabajo.GetCanvas()->BrushCopy(todo, Bitmap, todo, Bitmap->GetCanvas()->GetPixels(0, 0));
    Canvas->CopyRect(TRect(R.Left, R.Top, R.Left + w, R.Top + h), trabajo.GetCanvas(), todo);
}

void DrawBitmapResourceTransp(TCanvas* Canvas, TColor BackgroundColor, const TRect& R,
                              const AnsiString& ResName) {
    TBitmap b;
    b.LoadFromResourceName(HInstance, ResName);
    DrawBitmapTransp(Canvas, &b, BackgroundColor, R);
}

TColor DarkenColor(TColor Color) {
    const COLORREF c = ColorToRGB(Color);
    return RGB(GetRValue(c) / 2, GetGValue(c) / 2, GetBValue(c) / 2);
}

BOOL DynaLink_UpdateLayeredWindow(HWND hwnd, HDC hdcDst, TPoint* pptDst, TSize* psize, HDC hdcSrc,
                                  TPoint* pptSrc, COLORREF crKey, BLENDFUNCTION* pblend,
                                  DWORD dwFlags) {
    return UpdateLayeredWindow(hwnd, hdcDst, pptDst, psize, hdcSrc, pptSrc, crKey, pblend, dwFlags);
}

BOOL DynaLink_SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags) {
    return SetLayeredWindowAttributes(hwnd, crKey, bAlpha, dwFlags);
}
