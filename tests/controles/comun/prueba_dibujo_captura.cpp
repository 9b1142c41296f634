// A sheet of the drawing utilities, saved as capturas/utilidades_dibujo.png (classic) and
// capturas/utilidades_dibujo_estilos.png (visual styles on) for a person to look at.

#include "controles/comun/drawing_utils.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/painting/themes.h"
#include "plataforma/gui/services/capture.h"

#include <gtest/gtest.h>

namespace {

class Muestrario : public TCustomControl {
public:
    explicit Muestrario(TWinControl* parent) : TCustomControl(parent) {
        SetBounds(0, 0, 420, 220);
        SetColor(clWindow);
        SetParent(parent);
    }

protected:
    void Paint() override {
        TCanvas* c = GetCanvas();
        c->GetBrush()->SetColor(clWindow);
        c->FillRect(TRect(0, 0, 420, 220));
        DrawGradient(c, RGB(0xC0, 0xC0, 0xC0), clWhite, 64, TRect(10, 10, 200, 30), true);
        DrawGradient(c, clNavy, RGB(0x80, 0xC0, 0xFF), 16, TRect(210, 10, 410, 30), false);
        DrawProgressLin(c, TRect(10, 40, 200, 58), clNavy, clWhite, clWhite, clBlack, 40, 1, 1, 0,
                        100, "", clGray, false);
        DrawProgressLin(c, TRect(210, 40, 410, 58), RGB(0, 160, 0), clWhite, clWhite, clBlack, 75,
                        1, 1, 50, 100, "%d kWh", clGray, false);
        c->GetBrush()->SetColor(clWhite);
        DrawProgressPie(c, TRect(10, 70, 51, 111), clRed, 25, false);
        c->GetBrush()->SetColor(clWhite);
        DrawProgressPie(c, TRect(60, 70, 101, 111), clGreen, 60, false);
        c->GetFont()->SetColor(clBlack);
        DrawRangeIndicator(c, TRect(110, 70, 260, 90), 30, 100, true, clRed, clLime);
        DrawRangeIndicator(c, TRect(110, 92, 260, 112), -250, 100, true, clRed, clLime);
        DrawRangeIndicator(c, TRect(270, 70, 410, 90), 5, 0, true, clRed, clLime);
        const AnsiString texto = "Transmitancia térmica";
        c->GetFont()->SetColor(clBlack);
        c->GetBrush()->SetColor(clWindow);
        c->TextOut(13, 125, texto);
        DrawErrorLines(this, c, texto, TRect(10, 122, 250, 142), 0, 14, 7);
        c->GetBrush()->SetColor(clWindow);
        c->GetPen()->SetColor(clGray);
        c->Rectangle(TRect(260, 122, 410, 144));
        DrawComboButton(c, GetHandle(), TRect(260, 122, 410, 144), true, false);
        TBitmap b;
        b.SetSize(16, 16);
        b.GetCanvas()->GetBrush()->SetColor(clFuchsia);
        b.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
        b.GetCanvas()->GetBrush()->SetColor(clNavy);
        b.GetCanvas()->Ellipse(2, 2, 14, 14);
        DrawBitmapTransp(c, &b, clYellow, TRect(10, 155, 40, 185));
        DrawBitmapTransp(c, &b, clWindow, TRect(40, 155, 70, 185));
    }
};

} // namespace

TEST(CapturaDibujo, ClasicoYConEstilos) {
    TForm f(nullptr);
    f.SetBounds(0, 0, 440, 260);
    auto* m = new Muestrario(&f);
    m->Repaint();
    EXPECT_FALSE(SaveCapture(m, "utilidades_dibujo").IsEmpty());
    SetThemeActive(true);
    m->Invalidate();
    m->Update();
    EXPECT_FALSE(SaveCapture(m, "utilidades_dibujo_estilos").IsEmpty());
    SetThemeActive(false);
}
