// The grid unit's painted button: down states of push, check and group buttons, the
// action's caption and checked state, the drop-down part, presets and the desktop's scheme,
// the derived grey glyph and the shade, and captures of its looks.

#include "controles/grid/button/grid_button.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/themes.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class PruebaBoton : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<TForm>(nullptr);
        ventana->SetBounds(0, 0, 420, 200);
        ventana->Show();
    }
    void TearDown() override {
        ventana.reset();
        ResetInputState();
    }
    TKavGridButton* Nuevo(int x, int y, const char* texto = "", int grupo = 0) {
        auto* b = new TKavGridButton(ventana.get());
        b->SetParent(ventana.get());
        b->SetBounds(x, y, 60, 22);
        b->SetCaption(texto);
        b->SetGroupIndex(grupo);
        return b;
    }
    static void Pulsar(TKavGridButton* b) { SimulateClick(b, 10, 10); }
    std::unique_ptr<TForm> ventana;
};

TEST_F(PruebaBoton, EstadosAbajoDePulsadoresCasillasYGrupos) {
    TKavGridButton* suelto = Nuevo(0, 0, "Suelto");
    suelto->SetDown(true); // a push button outside a group is never down
    EXPECT_FALSE(suelto->GetDown());
    int clics = 0;
    suelto->OnClick = [&](TObject*) { ++clics; };
    Pulsar(suelto);
    EXPECT_EQ(clics, 1);
    EXPECT_FALSE(suelto->GetDown());
    // Released outside the button: no click.
    SimulateMouse(suelto, SimulatedMouse::Down, 0, 10, 10);
    SimulateMouse(suelto, SimulatedMouse::Move, 0, 100, 10);
    SimulateMouse(suelto, SimulatedMouse::Up, 0, 100, 10);
    EXPECT_EQ(clics, 1);

    TKavGridButton* casilla = Nuevo(0, 30, "Casilla");
    casilla->SetStyle(tasCheck);
    Pulsar(casilla);
    EXPECT_TRUE(casilla->GetDown());
    Pulsar(casilla);
    EXPECT_FALSE(casilla->GetDown());

    // A group: one down at a time; a down one stays down unless AllowAllUp.
    TKavGridButton* a = Nuevo(70, 0, "A", 1);
    TKavGridButton* b = Nuevo(140, 0, "B", 1);
    TKavGridButton* otro = Nuevo(210, 0, "Otro", 2);
    otro->SetDown(true);
    Pulsar(a);
    EXPECT_TRUE(a->GetDown());
    EXPECT_EQ(a->GetState(), bsExclusive);
    b->SetDown(true);
    EXPECT_TRUE(b->GetDown());
    EXPECT_FALSE(a->GetDown());
    EXPECT_EQ(a->GetState(), bsUp);
    EXPECT_TRUE(otro->GetDown()); // another group is left alone
    Pulsar(b);
    EXPECT_TRUE(b->GetDown());
    // AllowAllUp reaches the whole group: now a click brings B up.
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->GetAllowAllUp());
    Pulsar(b);
    EXPECT_FALSE(b->GetDown());
    EXPECT_FALSE(a->GetDown());
}

TEST_F(PruebaBoton, ElBotonSigueALaAccion) {
    TCustomAction accion(nullptr);
    accion.SetCaption("Buscar");
    accion.SetGroupIndex(3);
    int ejecutada = 0;
    accion.OnExecute = [&](TObject*) { ++ejecutada; };
    TKavGridButton* b = Nuevo(0, 0);
    TKavGridButton* vecino = Nuevo(70, 0, "Vecino", 3);
    b->SetAllowAllUp(true);
    b->SetAction(&accion);
    EXPECT_EQ(b->GetCaption(), "Buscar");
    EXPECT_EQ(b->GetGroupIndex(), 3);

    accion.SetChecked(true);
    EXPECT_TRUE(b->GetDown());
    accion.SetChecked(false);
    EXPECT_FALSE(b->GetDown());
    accion.SetCaption("Buscar siguiente");
    EXPECT_EQ(b->GetCaption(), "Buscar siguiente");
    // A caption of the button's own is no longer the action's.
    b->SetCaption("Propio");
    accion.SetCaption("Otra");
    EXPECT_EQ(b->GetCaption(), "Propio");

    // A click without OnClick executes the action.
    Pulsar(b);
    EXPECT_EQ(ejecutada, 1);
    EXPECT_TRUE(b->GetDown());
    // Another button of the group going down unchecks the action.
    accion.SetChecked(true);
    vecino->SetDown(true);
    EXPECT_FALSE(b->GetDown());
    EXPECT_FALSE(accion.GetChecked());

    // Without AllowAllUp the checked state is not linked.
    b->SetAllowAllUp(false);
    vecino->SetAllowAllUp(false);
    accion.SetChecked(true);
    EXPECT_FALSE(b->GetDown());
    // The action going away leaves the button without it.
    auto* pasajera = new TCustomAction(nullptr);
    b->SetAction(pasajera);
    delete pasajera;
    EXPECT_EQ(b->GetAction(), nullptr);
    Pulsar(b);
}

TEST_F(PruebaBoton, LaParteDesplegableNoPulsaElBoton) {
    TKavGridButton* b = Nuevo(40, 50, "Filtro");
    b->SetDropDownButton(true);
    auto* menu = new TPopupMenu(ventana.get());
    b->SetDropDownMenu(menu);
    int clics = 0, desplegado = 0, menus = 0;
    b->OnClick = [&](TObject*) { ++clics; };
    b->OnDropDown = [&](TObject* s) {
        EXPECT_EQ(s, b);
        ++desplegado;
    };
    menu->OnPopup = [&](TObject*) { ++menus; };
    SimulateClick(b, b->GetWidth() - 5, 10);
    EXPECT_EQ(clics, 0);
    EXPECT_EQ(desplegado, 1);
    EXPECT_EQ(menus, 1);
    const TPoint esquina = ventana->ClientToScreen(TPoint(40, 50 + b->GetHeight()));
    EXPECT_EQ(menu->GetPopupPoint().x, esquina.x);
    EXPECT_EQ(menu->GetPopupPoint().y, esquina.y);
    menu->CloseMenu();
    SimulateClick(b, b->GetWidth() - 13, 10);
    EXPECT_EQ(clics, 1);
    EXPECT_EQ(desplegado, 1);
    // The menu going away is forgotten.
    delete menu;
    EXPECT_EQ(b->GetDropDownMenu(), nullptr);
    SimulateClick(b, b->GetWidth() - 5, 10);
    EXPECT_EQ(desplegado, 2);
}

TEST_F(PruebaBoton, AspectosYEsquemaDelEscritorio) {
    TKavGridButton* b = Nuevo(0, 0);
    b->SetLook(2);
    EXPECT_EQ(b->GetColor(), static_cast<TColor>(0xFDEADA));
    EXPECT_EQ(b->GetColorTo(), static_cast<TColor>(0xE4AE88));
    EXPECT_EQ(b->GetColorDown(), static_cast<TColor>(0x4E91FE));
    EXPECT_EQ(b->GetBorderHotColor(), static_cast<TColor>(0));
    EXPECT_FALSE(b->GetRounded());
    b->SetLook(0);
    EXPECT_TRUE(b->GetRounded());
    EXPECT_EQ(b->GetColorCheckedTo(), clNone);
    for (int otro : {7, -1}) {
        b->SetLook(otro);
        EXPECT_EQ(b->GetColor(), static_cast<TColor>(0xEDF1F1));
        EXPECT_TRUE(b->GetRounded());
    }
    struct Caso {
        bool estilos;
        const wchar_t* esquema;
        TColor color;
    } casos[] = {
        {false, L"NormalColor", clBtnFace},                    // look 1
        {true, L"NormalColor", static_cast<TColor>(0xFDEADA)}, // look 2
        {true, L"HomeStead", static_cast<TColor>(0xCFF0EA)},   // look 3
        {true, L"Metallic", static_cast<TColor>(0xECE2E1)},    // look 4
    };
    for (const Caso& c : casos) {
        SetThemeActive(c.estilos);
        SetThemeColorName(c.esquema);
        b->SetAutoThemeAdapt(true);
        EXPECT_EQ(b->GetColor(), c.color);
    }
    SetThemeActive(false);
    SetThemeColorName(L"NormalColor");
}

// A button that counts its repaint requests.
class BotonContado : public TKavGridButton {
public:
    using TKavGridButton::TKavGridButton;
    int invalidaciones = 0;
    void Invalidate() override {
        ++invalidaciones;
        TKavGridButton::Invalidate();
    }
};

// A double click reports OnDblClick only on a button that is down (the style has no click
// events of its own); a change of the desktop's colours, or of the glyph's own content,
// repaints; the message asking for the desktop's look again adapts a button that follows the
// desktop, and only such a button.
TEST_F(PruebaBoton, DobleClicColoresYAspectoDelEscritorio) {
    struct Caso {
        const char* que;
        TKavGridButtonStyle estilo;
        int grupo;
        bool abajo;
        int dobles;
    } casos[] = {
        {"casilla marcada", tasCheck, 0, true, 1},   {"casilla sin marcar", tasCheck, 0, false, 0},
        {"del grupo, abajo", tasButton, 1, true, 1}, {"del grupo, arriba", tasButton, 2, false, 0},
        {"pulsador suelto", tasButton, 0, false, 0},
    };
    int y = 0;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        TKavGridButton* b = Nuevo(0, y, "Doble", c.grupo);
        y += 25;
        b->SetStyle(c.estilo);
        b->SetDown(c.abajo);
        int dobles = 0;
        b->OnDblClick = [&](TObject*) { ++dobles; };
        SimulateMouse(b, SimulatedMouse::DoubleClick, 0, 10, 10);
        SimulateMouse(b, SimulatedMouse::Up, 0, 10, 10);
        EXPECT_EQ(dobles, c.dobles);
    }

    auto* b = new BotonContado(ventana.get());
    b->SetParent(ventana.get());
    b->invalidaciones = 0;
    b->Perform(0x0015, 0, 0); // the desktop's colours changed
    EXPECT_EQ(b->invalidaciones, 1);
    // Drawing on the glyph the button holds repaints it; the other glyphs wait for a paint.
    b->GetGlyph()->SetSize(8, 8);
    EXPECT_EQ(b->invalidaciones, 2);
    b->GetGlyph()->GetCanvas()->FillRect(TRect(0, 0, 4, 4));
    EXPECT_EQ(b->invalidaciones, 3);
    b->GetGlyphHot()->SetSize(8, 8);
    EXPECT_EQ(b->invalidaciones, 3);

    SetThemeActive(true);
    SetThemeColorName(L"Metallic");
    b->Perform(0xB035, 0, 0); // not following the desktop: nothing changes
    EXPECT_EQ(b->GetColor(), clBtnFace);
    b->SetAutoThemeAdapt(true);
    EXPECT_EQ(b->GetColor(), static_cast<TColor>(0xECE2E1));
    SetThemeColorName(L"HomeStead");
    EXPECT_EQ(b->GetColor(), static_cast<TColor>(0xECE2E1));
    b->Perform(0xB035, 0, 0);
    EXPECT_EQ(b->GetColor(), static_cast<TColor>(0xCFF0EA));
    SetThemeActive(false);
    SetThemeColorName(L"NormalColor");
}

// A 16 x 16 glyph: a square of colour on a white background (its transparent colour).
void Glifo(TBitmap& g, TColor color) {
    g.SetSize(16, 16);
    g.GetCanvas()->GetBrush()->SetColor(clWhite);
    g.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    g.GetCanvas()->GetBrush()->SetColor(color);
    g.GetCanvas()->FillRect(TRect(4, 4, 12, 12));
}

TEST_F(PruebaBoton, GlifoGrisSombraYSitioDelGlifo) {
    TKavGridButton* b = Nuevo(10, 10);
    b->SetBounds(10, 10, 30, 26);
    TBitmap g;
    Glifo(g, static_cast<TColor>(RGB(200, 100, 0)));
    b->SetGlyph(&g);
    // ((200 + 100 + 0) / 3) / 2 + 96 = 146; white gives 223.
    EXPECT_EQ(b->GetGlyphDisabled()->GetCanvas()->GetPixels(6, 6),
              static_cast<TColor>(RGB(146, 146, 146)));
    EXPECT_EQ(b->GetGlyphDisabled()->GetCanvas()->GetPixels(0, 0),
              static_cast<TColor>(RGB(223, 223, 223)));
    b->GenerateShade();
    EXPECT_EQ(b->GetShade()->GetCanvas()->GetPixels(6, 6), static_cast<TColor>(0x808080));
    EXPECT_EQ(b->GetShade()->GetCanvas()->GetPixels(1, 1), clWhite);

    // Without a caption the glyph goes to the corner; hot, its shade to the computed place
    // ((30 - 2 - 16 + 1) / 2 = 6 across, (26 - 2 - 16 + 1) / 2 = 4 down, one up-left).
    SimulateMouseEnter(b);
    ASSERT_TRUE(b->GetMouseInControl());
    const AnsiString ruta = SaveCapture(b, "grid_button_glifo");
    ASSERT_FALSE(ruta.IsEmpty());
    const QImage img(QString::fromStdString(ruta.str()));
    EXPECT_EQ(img.pixel(4, 4), qRgb(200, 100, 0)); // the glyph's square from (4, 4)
    EXPECT_EQ(img.pixel(11, 11), qRgb(200, 100, 0));
    // The shade from glyph position + 4: (5 + 4, 3 + 4) to (5 + 12, 3 + 12).
    EXPECT_EQ(img.pixel(16, 14), qRgb(128, 128, 128));
    SimulateMouseLeave(b);
    EXPECT_FALSE(b->GetMouseInControl());
}

// Read from the right, a glyph set left of the caption goes right of it, at the mirror of its
// place in the button's face, and one set right of it goes left; the caption goes with it.
TEST_F(PruebaBoton, DeDerechaAIzquierdaElGlifoCambiaDeLado) {
    TBitmap g;
    Glifo(g, clNavy);
    TKavGridButton* b = Nuevo(10, 10, "Buscar");
    b->SetBounds(10, 10, 90, 24);
    b->SetGlyph(&g);
    // The navy columns of the glyph's square in the middle row of a capture.
    const auto cuadro = [&](const char* nombre) {
        b->Repaint();
        const AnsiString ruta = SaveCapture(b, nombre);
        EXPECT_FALSE(ruta.IsEmpty());
        const QImage img(QString::fromStdString(ruta.str()));
        std::pair<int, int> r{-1, -1};
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, 12) == qRgb(0, 0, 128)) {
                if (r.first < 0) r.first = x;
                r.second = x;
            }
        return r;
    };
    for (TButtonLayout lado : {blGlyphLeft, blGlyphRight}) {
        SCOPED_TRACE(lado);
        b->SetLayout(lado);
        ventana->GetWidget()->setLayoutDirection(Qt::LeftToRight);
        const auto izquierda = cuadro("grid_button_izquierda_a_derecha");
        ventana->GetWidget()->setLayoutDirection(Qt::RightToLeft);
        const auto derecha = cuadro("grid_button_derecha_a_izquierda");
        ASSERT_EQ(izquierda.second - izquierda.first, 7);
        // The face runs from 1 to 88: a square from x to x + 7 goes to 89 - (x + 7) and on.
        EXPECT_EQ(derecha.first, 89 - izquierda.second);
        EXPECT_EQ(derecha.second, 89 - izquierda.first);
        EXPECT_EQ(izquierda.first < 45, lado == blGlyphLeft);
    }
    ventana->GetWidget()->setLayoutDirection(Qt::LeftToRight);
}

TEST_F(PruebaBoton, Capturas) {
    ventana->SetColor(clWhite);
    for (int look = 0; look < 7; ++look) {
        TKavGridButton* b = Nuevo(10 + 58 * look, 10, ("Look " + std::to_string(look)).c_str());
        b->SetBounds(10 + 58 * look, 10, 54, 22);
        b->SetLook(look);
    }
    TBitmap g;
    Glifo(g, clNavy);
    TKavGridButton* conGlifo = Nuevo(10, 50, "Buscar");
    conGlifo->SetBounds(10, 50, 90, 24);
    conGlifo->SetLook(2);
    conGlifo->SetGlyph(&g);
    TKavGridButton* desactivado = Nuevo(110, 50, "Buscar");
    desactivado->SetBounds(110, 50, 90, 24);
    desactivado->SetGlyph(&g);
    desactivado->SetEnabled(false);
    TKavGridButton* casilla = Nuevo(210, 50, "Casilla");
    casilla->SetStyle(tasCheck);
    casilla->SetLook(6);
    casilla->SetDown(true);
    TKavGridButton* desplegable = Nuevo(280, 50, "Filtro");
    desplegable->SetBounds(280, 50, 80, 22);
    desplegable->SetLook(4);
    desplegable->SetDropDownButton(true);
    TKavGridButton* a = Nuevo(10, 90, "Uno", 1);
    TKavGridButton* b = Nuevo(72, 90, "Dos", 1);
    a->SetLook(1);
    b->SetLook(1);
    b->SetDown(true);
    TKavGridButton* caliente = Nuevo(140, 90, "Caliente");
    caliente->SetLook(0);
    SimulateMouseEnter(caliente);
    TKavGridButton* clasico = Nuevo(210, 90, "Clásico");
    clasico->SetFlat(false);
    EXPECT_FALSE(SaveCapture(ventana.get(), "grid_button_aspectos").IsEmpty());
}

} // namespace
