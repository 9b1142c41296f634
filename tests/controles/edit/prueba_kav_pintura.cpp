// The look of the typed edit: flat line and frame, 3-D border, the disabled colour, the
// empty-text hint, the error wave, transparency over the parent; and a capture of a form
// with each look for a person to look at.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "plataforma/base/files.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/widgets/panels.h"

#include <QImage>
#include <QWidget>

namespace {

class PinturaKav : public PruebaKav {
protected:
    // The form as shown, in client coordinates of the form.
    QImage Imagen() { return ventana->GetWidget()->grab().toImage(); }
    QRgb Pixel(const QImage& img, TControl* c, int x, int y) {
        const TPoint p = ventana->ScreenToClient(c->ClientToScreen(TPoint(x, y)));
        const QPoint o = ventana->GetWidget()->mapFromGlobal(
            ventana->GetWidget()->mapToGlobal(QPoint(p.x, p.y)));
        return img.pixel(o) & 0xFFFFFF;
    }
    // Count of pixels of a colour in a rectangle of a control (client coordinates).
    int Cuenta(const QImage& img, TControl* c, TRect r, QRgb color) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (Pixel(img, c, x, y) == color) ++n;
        return n;
    }
};

TEST_F(PinturaKav, PlanoConColorDelPadreSoloSubraya_ElMarcoSuaveCierraElRectangulo) {
    ventana->SetColor(static_cast<TColor>(0xE0E0E0));
    edit->SetFlatLineColor(static_cast<TColor>(0x800000)); // navy
    edit->SetFlat(true);
    edit->SetText("Flat");
    EXPECT_EQ(edit->GetColor(), static_cast<TColor>(0xE0E0E0));
    const int w = edit->GetWidth(), h = edit->GetHeight();
    QImage img = Imagen();
    EXPECT_EQ(Cuenta(img, edit, TRect(0, h - 1, w, h), 0x000080), w); // the underline
    EXPECT_EQ(Cuenta(img, edit, TRect(0, 0, w, 1), 0x000080), 0);     // no top line
    EXPECT_EQ(Pixel(img, edit, w / 2 + 30, h / 2), 0xE0E0E0u);        // the parent's grey
    edit->SetSoftBorder(true);
    img = Imagen();
    EXPECT_EQ(Cuenta(img, edit, TRect(0, 0, w, 1), 0x000080), w);
    EXPECT_EQ(Cuenta(img, edit, TRect(w - 1, 0, w, h), 0x000080), h);
    EXPECT_EQ(Cuenta(img, edit, TRect(0, 0, 1, h), 0x000080), h);
    edit->SetFlat(false);
    EXPECT_EQ(edit->GetColor(), clWindow);
}

TEST_F(PinturaKav, ElTextoVacioSeVeEnGrisSoloSinFoco) {
    edit->SetEmptyText("Nombre");
    edit->SetText("");
    const TRect zona(0, 0, edit->GetClientWidth(), edit->GetClientHeight());
    EXPECT_GT(Cuenta(Imagen(), edit, zona, 0x808080), 5);
    edit->SetFocus();
    edit->Invalidate();
    EXPECT_EQ(Cuenta(Imagen(), edit, zona, 0x808080), 0);
}

TEST_F(PinturaKav, LaOndaDeErrorSubrayaElTramoSinFoco) {
    edit->SetBounds(120, 20, 160, 24);
    edit->SetText("Ladrilo macizo");
    edit->SetErrorMarkerPos(2);
    edit->SetErrorMarkerLen(3);
    TPoint a, b;
    auto pos = [&](int i) {
        LRESULT r = edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(i), 0);
        return static_cast<int>(static_cast<short>(LOWORD(r)));
    };
    const int x0 = pos(2), x1 = pos(4);
    const QImage img = Imagen();
    const int h = edit->GetClientHeight();
    // Red under the third to the fifth characters, none before them.
    EXPECT_GT(Cuenta(img, edit, TRect(x0, h / 2, x1 + 1, h), 0xFF0000), 4);
    EXPECT_EQ(Cuenta(img, edit, TRect(0, h / 2, std::max(0, x0 - 2), h), 0xFF0000), 0);
    edit->SetFocus();
    edit->Invalidate();
    EXPECT_EQ(Cuenta(Imagen(), edit, TRect(0, 0, edit->GetClientWidth(), h), 0xFF0000), 0);
}

TEST_F(PinturaKav, ElBorde3DHundeElMarco) {
    edit->SetBorder3D(true);
    const QImage img = Imagen();
    // A sunken edge: shadow on top, highlight at the bottom (window coordinates).
    const int b = edit->GetBorderWidth();
    EXPECT_EQ(Pixel(img, edit, 10 - b, -b), ColorToRGB(clBtnShadow) & 0xFFFFFF);
    EXPECT_EQ(Pixel(img, edit, 10 - b, edit->GetHeight() - 1 - b),
              ColorToRGB(clBtnHighlight) & 0xFFFFFF);
}

TEST_F(PinturaKav, TransparenteDejaVerElPadreYSusEtiquetas) {
    auto* panel = new TPanel(ventana.get());
    panel->SetParent(ventana.get());
    panel->SetBounds(10, 120, 300, 60);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(static_cast<TColor>(0x00FFFF)); // yellow
    auto* debajo = new TLabel(panel);
    debajo->SetParent(panel);
    debajo->SetAutoSize(false);
    debajo->SetTransparent(false);
    debajo->SetColor(static_cast<TColor>(0x00FF00));
    debajo->SetBounds(150, 20, 20, 10);
    auto* t = new EditPrueba(panel);
    t->SetParent(panel);
    t->SetBounds(10, 10, 200, 30);
    debajo->SendToBack();
    t->SetText("");
    QImage img = Imagen();
    EXPECT_EQ(Pixel(img, t, 60, 10), 0xFFFFFFu);
    t->SetTransparent(true);
    img = Imagen();
    EXPECT_EQ(Pixel(img, t, 60, 10), 0xFFFF00u);
    EXPECT_EQ(Pixel(img, debajo, 5, 5), 0x00FF00u);
}

// A form with edits of each look, as the editor pages show them.
TEST_F(PinturaKav, CapturaDeCadaAspecto) {
    SeparadoresRegionales sep(',');
    ventana->SetCaption("Edición con tipo");
    ventana->SetBounds(0, 0, 640, 430);
    ventana->SetColor(clBtnFace);
    siguiente->SetVisible(false);
    edit->SetVisible(false);
    struct Aspecto {
        const char* etiqueta;
        TLabelPosition posicion;
        int x, y;
    };
    auto nuevo = [&](const Aspecto& a) {
        auto* e = NuevoEdit(a.x, a.y);
        e->SetLabelCaption(a.etiqueta);
        e->SetLabelPosition(a.posicion);
        return e;
    };
    auto* normal = nuevo({"Espesor (m)", lpLeftTop, 130, 20});
    normal->SetEditType(etFloat);
    normal->SetPrecision(3);
    normal->SetEditAlign(eaRight);
    normal->SetText("0,250");

    auto* plano = nuevo({"Plano subrayado", lpTopLeft, 130, 80});
    plano->SetFlat(true);
    plano->SetText("Mortero de cemento");

    auto* suave = nuevo({"Marco suave", lpLeftCenter, 130, 130});
    suave->SetFlat(true);
    suave->SetSoftBorder(true);
    suave->SetFlatLineColor(static_cast<TColor>(0x808080));
    suave->SetText("Yeso");

    auto* borde = nuevo({"Borde 3D", lpBottomLeft, 130, 180});
    borde->SetBorder3D(true);
    borde->SetText("Hormigón");

    auto* apagado = nuevo({"Deshabilitado", lpTopCenter, 400, 40});
    apagado->SetDisabledColor(static_cast<TColor>(16316664));
    apagado->SetEditAlign(eaRight);
    apagado->SetText("1,75");
    apagado->SetEnabledEx(false);

    auto* error = nuevo({"Con error", lpLeftBottom, 400, 100});
    error->SetWidth(170);
    error->SetText("Ladrilo macizo");
    error->SetErrorMarkerPos(2);
    error->SetErrorMarkerLen(3);

    auto* vacio = nuevo({"Vacío con aviso", lpBottomCenter, 400, 160});
    vacio->SetEmptyText("Escriba un nombre");
    vacio->SetText("");

    auto* dinero = nuevo({"Importe", lpLeftTopLeft, 460, 240});
    dinero->SetEditType(etMoney);
    dinero->SetPrecision(2);
    dinero->SetEditAlign(eaRight);
    dinero->SetPrefix("€ ");
    dinero->SetText("1234567,5");

    auto* panel = new TPanel(ventana.get());
    panel->SetParent(ventana.get());
    panel->SetBounds(20, 280, 300, 90);
    panel->SetColor(static_cast<TColor>(0xC0E0FF));
    panel->SetCaption("");
    auto* fondo = new TLabel(panel);
    fondo->SetParent(panel);
    fondo->SetCaption("texto del panel debajo");
    fondo->SetBounds(120, 40, 160, 16);
    auto* transparente = new EditPrueba(panel);
    transparente->SetParent(panel);
    transparente->SetBounds(110, 30, 170, 30);
    transparente->SetTransparent(true);
    transparente->SetLabelCaption("Transparente");
    transparente->SetText("sobre el panel");
    fondo->SendToBack();

    auto* url = nuevo({"Web", lpLeftCenterLeft, 460, 300});
    url->SetShowURL(true);
    url->SetText("www.ejemplo.es");

    auto* foco = nuevo({"Con foco", lpLeftBottomLeft, 460, 350});
    foco->SetFocusBorderColor(static_cast<TColor>(0x0080FF));
    foco->SetFocusColor(static_cast<TColor>(0xE0FFFF));
    foco->SetText("editando");
    foco->SetFocus();

    const AnsiString ruta = SaveCapture(ventana.get(), "kav-edit-aspectos");
    ASSERT_FALSE(ruta.IsEmpty());
    EXPECT_TRUE(FileExists(ruta));
}

} // namespace
