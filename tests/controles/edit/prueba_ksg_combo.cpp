// The grid's combo box: the button widths it takes, the colour while disabled, the focus
// taken by the mouse, and its looks read back from the screen: the flat frame, the drop
// button raised or etched while hot, the 3D frame with FocusBorder; a capture of each.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/ksg_combo.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/painting/themes.h"
#include "plataforma/gui/services/capture.h"

#include <QImage>

namespace {

class PruebaComboRejilla : public PruebaKav {
protected:
    void SetUp() override {
        PruebaKav::SetUp();
        ventana->SetColor(clBtnFace);
        combo = Nuevo(120, 120);
    }
    TKSGComboBox* Nuevo(int x, int y) {
        auto* c = new TKSGComboBox(ventana.get());
        c->SetParent(ventana.get());
        c->SetBounds(x, y, 150, 21);
        for (const char* s : {"Hormigón", "Ladrillo", "Yeso"})
            c->GetItems()->Add(s);
        c->SetItemIndex(1);
        return c;
    }
    // The combo as it is on the screen now.
    QImage Aspecto(TControl* c, const char* nombre) {
        const AnsiString ruta = SaveCapture(c, nombre);
        return QImage(QString::fromStdString(ruta.str()));
    }
    TKSGComboBox* combo = nullptr;
};

TEST_F(PruebaComboRejilla, ValoresInicialesYAnchosDeBoton) {
    EXPECT_TRUE(combo->GetFlat());
    EXPECT_FALSE(combo->GetCtl3D());
    EXPECT_FALSE(combo->GetEtched());
    EXPECT_FALSE(combo->GetThemed());
    EXPECT_EQ(combo->GetVersion(), "1.2.0.0");
    combo->SetVersion("9.9");
    EXPECT_EQ(combo->GetVersion(), "1.2.0.0");
    const int inicial = GetSystemMetrics(SM_CXVSCROLL) + 4;
    EXPECT_EQ(combo->GetButtonWidth(), inicial);
    struct Caso {
        int ancho, resultado;
    } casos[] = {{13, inicial}, {14, 14}, {33, 14}, {32, 32}, {0, 32}, {-20, 32}};
    for (const Caso& c : casos) {
        combo->SetButtonWidth(c.ancho);
        EXPECT_EQ(combo->GetButtonWidth(), c.resultado) << c.ancho;
    }
    combo->SetDropWidth(0);
    EXPECT_NE(combo->Perform(CB_GETDROPPEDWIDTH, 0, 0), 0); // the platform's own
    combo->SetDropWidth(320);
    EXPECT_EQ(combo->Perform(CB_GETDROPPEDWIDTH, 0, 0), 320);
    combo->SetFlat(false);
    EXPECT_TRUE(combo->GetCtl3D());
}

TEST_F(PruebaComboRejilla, DeshabilitadoTomaElColorDelPadreYLuegoRecuperaElSuyo) {
    ventana->SetColor(static_cast<TColor>(0xE0E0E0));
    combo->SetColor(static_cast<TColor>(0xE0FFFF));
    combo->SetEnabled(false);
    EXPECT_TRUE(combo->GetParentColor());
    EXPECT_EQ(combo->GetColor(), static_cast<TColor>(0xE0E0E0));
    combo->SetEnabled(true);
    EXPECT_FALSE(combo->GetParentColor());
    EXPECT_EQ(combo->GetColor(), static_cast<TColor>(0xE0FFFF));
    // Not flat: the colour stays.
    combo->SetFlat(false);
    combo->SetEnabled(false);
    EXPECT_EQ(combo->GetColor(), static_cast<TColor>(0xE0FFFF));
}

TEST_F(PruebaComboRejilla, ElRatonEncimaLoMarcaYConAutoFocusLoEnfoca) {
    SimulateMouseEnter(combo);
    EXPECT_TRUE(combo->GetMouseInControl());
    EXPECT_FALSE(combo->Focused());
    SimulateMouseLeave(combo);
    EXPECT_FALSE(combo->GetMouseInControl());
    combo->SetAutoFocus(true);
    SimulateMouseEnter(combo);
    EXPECT_TRUE(combo->Focused());
    bool retorno = false;
    combo->OnReturnKey = [&](TObject* s) { retorno = s == combo; };
    combo->OnReturnKey(combo);
    EXPECT_TRUE(retorno);
}

TEST_F(PruebaComboRejilla, ElBotonSeLevantaOSeGrabaAlPasarYElMarcoSoloConFocusBorder) {
    // A list to choose from: no caret blinking in the captures.
    combo->SetStyle(csDropDownList);
    combo->SetItemIndex(1);
    const QImage quieto = Aspecto(combo, "ksg-combo-quieto");
    ASSERT_FALSE(quieto.isNull());
    // Quiet, raised and etched look alike: the button is flat.
    combo->SetEtched(true);
    EXPECT_EQ(Aspecto(combo, "ksg-combo-quieto-grabado"), quieto);
    combo->SetEtched(false);

    SimulateMouseEnter(combo);
    const QImage levantado = Aspecto(combo, "ksg-combo-encima");
    EXPECT_NE(levantado, quieto) << "the drop button turns 3D while hot";
    combo->SetEtched(true);
    const QImage grabado = Aspecto(combo, "ksg-combo-grabado");
    EXPECT_NE(grabado, levantado) << "etched, not raised";
    combo->SetFocusBorder(true);
    const QImage marco = Aspecto(combo, "ksg-combo-marco");
    EXPECT_NE(marco, grabado) << "the 3D frame only with FocusBorder";

    SimulateMouseLeave(combo);
    EXPECT_EQ(Aspecto(combo, "ksg-combo-fuera"), quieto);
    // Focused, the frame is 3D with FocusBorder and flat without.
    combo->SetFocus();
    const QImage foco = Aspecto(combo, "ksg-combo-foco");
    combo->SetFocusBorder(false);
    EXPECT_NE(Aspecto(combo, "ksg-combo-foco-plano"), foco);
    combo->SetFocusBorder(true);
    // A width outside 14..32 leaves the look as it was.
    combo->SetButtonWidth(33);
    EXPECT_EQ(Aspecto(combo, "ksg-combo-foco-33"), foco);
    combo->SetButtonWidth(32);
    EXPECT_NE(Aspecto(combo, "ksg-combo-foco-32"), foco);
}

// Flat, the combo paints its field in its own colour (no shaded face of the platform's
// under it) and its rings hide the platform's frame: parent's colour, parent's, its own.
TEST_F(PruebaComboRejilla, PlanoPintaElCampoEnSuColorYTapaElMarcoDeLaPlataforma) {
    auto qc = [](TColor c) {
        const COLORREF rgb = ColorToRGB(c);
        return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    };
    const TColor padre = static_cast<TColor>(0xE0E0E0), propio = static_cast<TColor>(0xE0FFFF);
    ventana->SetColor(padre);
    combo->SetColor(propio);
    const QImage plano = Aspecto(combo, "ksg-combo-plano-color");
    ASSERT_FALSE(plano.isNull());
    const int w = combo->GetWidth(), h = combo->GetHeight();
    const int x = combo->GetClientWidth() - combo->GetButtonWidth() - 6;
    for (int y = 0; y < h; ++y) {
        const bool fuera = y < 2 || y >= h - 2;
        EXPECT_EQ(plano.pixelColor(x, y), qc(fuera ? padre : propio)) << "fila " << y;
    }
    for (int y = 2; y < h - 2; ++y) {
        EXPECT_EQ(plano.pixelColor(0, y), qc(padre)) << "fila " << y;
        EXPECT_EQ(plano.pixelColor(1, y), qc(padre)) << "fila " << y;
        EXPECT_EQ(plano.pixelColor(2, y), qc(propio)) << "fila " << y;
        EXPECT_EQ(plano.pixelColor(w - 2, y), qc(padre)) << "fila " << y;
        EXPECT_EQ(plano.pixelColor(w - 3, y), qc(propio)) << "fila " << y;
    }
}

TEST_F(PruebaComboRejilla, CapturaDeCadaAspecto) {
    edit->SetVisible(false);
    siguiente->SetVisible(false);
    combo->SetVisible(false);
    TKSGComboBox* plano = Nuevo(20, 20);
    TKSGComboBox* levantado = Nuevo(20, 60);
    TKSGComboBox* grabado = Nuevo(20, 100);
    grabado->SetEtched(true);
    TKSGComboBox* marco = Nuevo(20, 140);
    marco->SetFocusBorder(true);
    marco->SetButtonWidth(32);
    TKSGComboBox* apagado = Nuevo(20, 180);
    apagado->SetEnabled(false);
    TKSGComboBox* normal = Nuevo(220, 20);
    normal->SetFlat(false);
    TKSGComboBox* tema = Nuevo(220, 60);
    tema->SetThemed(true);
    SetThemeActive(true);
    for (TKSGComboBox* c : {levantado, grabado, marco})
        SimulateMouseEnter(c);
    (void)plano;
    (void)apagado;
    (void)normal;
    const AnsiString ruta = SaveCapture(ventana.get(), "ksg-combo-aspectos");
    SetThemeActive(false);
    EXPECT_FALSE(ruta.IsEmpty());
}

} // namespace
