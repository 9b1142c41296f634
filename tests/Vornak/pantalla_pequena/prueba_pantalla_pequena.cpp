// El gestor de bases de datos en una pantalla de 1024 x 600: cada control de los editores se
// alcanza, con el tabulador y con la barra de desplazamiento de la página, y lo que se acepta
// así llega al fichero guardado.

#include "tests/Vornak/editores_prueba.h"

#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/widgets/scroll_box.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// La pantalla pequeña se elige antes de que arranque el sistema de ventanas.
const bool pantallaElegida = [] {
    const char* plataforma = std::getenv("QT_QPA_PLATFORM");
    if (!plataforma || std::string(plataforma) == "offscreen")
        setenv("QT_QPA_PLATFORM", "offscreen:configfile=" QUENBAR_PANTALLA_PEQUENA, 1);
    return true;
}();

class PantallaPequena : public PruebaEditores {
protected:
    void SetUp() override {
        PruebaEditores::SetUp();
        ASSERT_TRUE(pantallaElegida);
        ASSERT_EQ(Screen->GetWidth(), 1024);
        ASSERT_EQ(Screen->GetHeight(), 600);
    }

    // El control se ve entero: dentro del área de su página y dentro de la pantalla.
    static bool EnVista(TScrollBox* caja, TControl* control) {
        const TPoint a = control->ClientToScreen({0, 0});
        const TPoint b = control->ClientToScreen({control->GetWidth(), control->GetHeight()});
        const TPoint c0 = caja->ClientToScreen({0, 0});
        const TPoint c1 = caja->ClientToScreen({caja->GetClientWidth(), caja->GetClientHeight()});
        return a.x >= c0.x && a.y >= c0.y && b.x <= c1.x && b.y <= c1.y && c1.x <= 1024 &&
               c1.y <= 600;
    }

    // Tabula desde el control hasta el que se busca; falso si no llega.
    static bool TabularHasta(TWinControl* desde, TWinControl* hasta) {
        desde->SetFocus();
        for (int i = 0; i < 40 && !hasta->Focused(); ++i)
            SimulateKeyStroke(VK_TAB);
        return hasta->Focused();
    }

    // El registro de ese elemento en el fichero guardado.
    static std::string Registro(const std::string& fichero, const std::string& nombre) {
        const size_t inicio = fichero.find("\"" + nombre + "\" =");
        if (inicio == std::string::npos) return "";
        return fichero.substr(inicio, fichero.find("..", inicio) - inicio);
    }
};

// Sin la caja, "Aceptar" del cerramiento queda debajo del borde de la pantalla; el tabulador
// lo trae a la vista, y la capa cambiada llega al fichero.
TEST_F(PantallaPequena, AceptarDelCerramientoSeAlcanzaConElTabulador) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Fachadas",
            "Fachada de caravista con camara"});
    TScrollBox* caja = v->sbCerramientos;
    Application->ProcessMessages();
    EXPECT_FALSE(EnVista(caja, v->btnAceptarCer));
    EXPECT_LT(caja->GetClientHeight(), v->btnAceptarCer->GetTop() + v->btnAceptarCer->GetHeight());
    Capturar("vornak_1024x600_cerramiento");

    ElegirFila(5);
    ASSERT_EQ(Celda(1, 5), "Ladrillo hueco doble");
    ASSERT_TRUE(v->Edit1->GetEnabled());
    Teclear(v->Edit1, "0.09");
    ASSERT_TRUE(TabularHasta(v->Edit1, v->btnCambiarCer));
    SimulateKeyStroke(VK_SPACE);
    EXPECT_EQ(Celda(2, 5), "0.090");
    ASSERT_TRUE(TabularHasta(v->btnCambiarCer, v->btnAceptarCer));
    EXPECT_TRUE(EnVista(caja, v->btnAceptarCer));
    Capturar("vornak_1024x600_cerramiento_aceptar");
    SimulateKeyStroke(VK_SPACE);
    Marco()->mnuGuardar->Click();
    const std::string capas = Registro(LeerBytes(ejemplo), "Fachada de caravista con camara");
    ASSERT_FALSE(capas.empty());
    EXPECT_NE(capas.find("0.090"), std::string::npos) << capas;
    EXPECT_EQ(capas.find("0.070"), std::string::npos) << capas;
}

// "Aceptar" del hueco se alcanza con la barra de desplazamiento de la página y un clic donde
// se ve; el porcentaje aceptado así llega al fichero.
TEST_F(PantallaPequena, AceptarDelHuecoSeAlcanzaConLaBarra) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Semitransparentes", "Huecos y lucernarios", "Ventanas", "Ventana dormitorio"});
    TScrollBox* caja = v->sbHuecos;
    Application->ProcessMessages();
    ASSERT_FALSE(EnVista(caja, v->btnAceptarHue));
    Capturar("vornak_1024x600_hueco");
    Teclear(v->edPorcentajeHue, "40");

    // Clics en la barra, encima de su flecha de abajo, hasta ver "Aceptar".
    const int barra = GetSystemMetrics(SM_CXVSCROLL);
    for (int i = 0; i < 10 && !EnVista(caja, v->btnAceptarHue); ++i)
        SimulateClick(caja, caja->GetClientWidth() + barra / 2,
                      caja->GetClientHeight() - barra - 3);
    ASSERT_TRUE(EnVista(caja, v->btnAceptarHue));
    EXPECT_GT(GetScrollPos(caja->GetHandle(), SB_VERT), 0);
    Capturar("vornak_1024x600_hueco_aceptar");
    // Donde se ve el botón, el clic llega a él.
    SimulateScreenClick(v->btnAceptarHue, 10, 10);
    Marco()->mnuGuardar->Click();
    const std::string hueco = Registro(LeerBytes(ejemplo), "Ventana dormitorio");
    ASSERT_FALSE(hueco.empty());
    EXPECT_NE(hueco.find("PORCENTAGE        = 40"), std::string::npos) << hueco;
}

} // namespace
