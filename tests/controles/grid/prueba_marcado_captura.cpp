// A sampler of markup drawn by the renderer, saved as capturas/marcado_muestrario.png
// (classic) and capturas/marcado_muestrario_estilos.png (visual styles on) for a person to
// look at: fonts, colours, anchors, bullets, paragraphs, scripts, images and controls.

#include "controles/grid/markup/markup_renderer.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/painting/themes.h"
#include "plataforma/gui/services/capture.h"
#include "tests/controles/grid/dibujo_marcado.h"

#include <gtest/gtest.h>

namespace {

const char* const kMuestras[] = {
    "<B>Negrita</B>, <I>cursiva</I>, <U>subrayado</U>, <S>tachado</S>, <FONT face=\"Courier "
    "New\" size=\"4\">Courier</FONT> y <FONT color=\"clred\" bgcolor=\"#FFFF80\">rojo sobre "
    "amarillo</FONT> <R \"20\">girado</R>",
    "Un <A HREF=\"http://ejemplo.es\">enlace</A>, otro <A HREF=\"b\">señalado</A>, "
    "<HI>resaltado</HI> y <E>errorr</E> &amp; H<SUB>2</SUB>O, m<SUP>2</SUP>, <SHAD>sombra</SHAD>",
    "<UL><LI>Primer punto<UL><LI>Segundo nivel</UL><LI>Tercero</UL>",
    "<P align=\"center\" bgcolor=\"#E0E0FF\">Párrafo centrado con fondo</P>"
    "<P align=\"right\">a la derecha</P><P align=\"left\">Regla:<HR>",
    "Edit <CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"texto\" WIDTH=\"70\"> clave <CONTROL "
    "TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"abc\" WIDTH=\"50\"> combo <CONTROL TYPE=\"COMBO\" ID=\"c\" "
    "VALUE=\"Uno\" WIDTH=\"80\">",
    "<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"TRUE\" WIDTH=\"20\">sí <CONTROL TYPE=\"CHECK\" "
    "ID=\"k2\" VALUE=\"FALSE\" WIDTH=\"20\">no <CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\" "
    "WIDTH=\"20\">radio <CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Aceptar\" WIDTH=\"80\"> "
    "<IMG SRC=\"IDX:0\"> <IMG SRC=\"SSYS:x.txt\">"};

class Muestrario : public TCustomControl {
public:
    explicit Muestrario(TWinControl* parent) : TCustomControl(parent), lista(nullptr, 16, 16) {
        SetBounds(0, 0, 520, 330);
        SetColor(clWindow);
        SetParent(parent);
        TBitmap b;
        b.SetSize(16, 16);
        b.GetCanvas()->GetBrush()->SetColor(clFuchsia);
        b.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
        b.GetCanvas()->GetBrush()->SetColor(clGreen);
        b.GetCanvas()->Ellipse(1, 1, 15, 15);
        lista.AddMasked(&b, clFuchsia);
    }

protected:
    void Paint() override {
        TCanvas* c = GetCanvas();
        c->GetBrush()->SetColor(clWindow);
        c->FillRect(TRect(0, 0, 520, 330));
        c->GetFont()->SetName("MS Sans Serif");
        c->GetFont()->SetSize(8);
        c->GetFont()->SetColor(clWindowText);
        const int altos[] = {34, 36, 58, 60, 30, 30};
        int y = 4;
        OpcionesMarcado o;
        o.imagenes = &lista;
        o.foco = 1;
        for (int i = 0; i < 6; ++i) {
            const TRect r(4, y, 516, y + altos[i]);
            c->GetPen()->SetColor(clSilver);
            c->GetBrush()->SetStyle(bsClear);
            c->Rectangle(InflateRect(r, 1, 1));
            c->GetBrush()->SetStyle(bsSolid);
            c->GetBrush()->SetColor(clWindow);
            Marcado(c, kMuestras[i], r, o);
            y += altos[i] + 6;
        }
    }

private:
    TImageList lista;
};

} // namespace

TEST(CapturaMarcado, MuestrarioClasicoYConEstilos) {
    TForm f(nullptr);
    f.SetBounds(0, 0, 540, 370);
    auto* m = new Muestrario(&f);
    m->Repaint();
    EXPECT_FALSE(SaveCapture(m, "marcado_muestrario").IsEmpty());
    SetThemeActive(true);
    m->Invalidate();
    m->Update();
    EXPECT_FALSE(SaveCapture(m, "marcado_muestrario_estilos").IsEmpty());
    SetThemeActive(false);
}
