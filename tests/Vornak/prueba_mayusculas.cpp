// Dos nombres que solo difieren en mayúsculas son dos elementos, en el modelo y en las
// ventanas: los dos se listan en la lista de vidrios y marcos del hueco y en la de
// materiales de las capas; cada uno se elige por sí mismo, y el que está en uso es el que
// se muestra.

#include "tests/Vornak/editores_prueba.h"

#include "plataforma/base/string_list.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/widgets/combo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string Vidrio(const char* nombre, const char* u) {
    return std::string("\"") + nombre +
           "\" = GLASS-TYPE\n     GROUP             = \"Dobles\"\n     TYPE              = "
           "SHADING-COEF\n     SHADING-COEF      = 0.75\n     GLASS-CONDUCTANCE = " +
           u + "\n    ..\n";
}

// Los textos de la lista, ordenados aquí: el orden de dos que solo difieren en mayúsculas es
// cosa de la lista.
std::vector<std::string> Ordenadas(TStrings* lista) {
    std::vector<std::string> lineas = Lineas(lista);
    std::sort(lineas.begin(), lineas.end());
    return lineas;
}

// El índice del texto tal cual en la lista.
int IndiceDe(TStrings* lista, const char* texto) {
    for (int i = 0; i < lista->GetCount(); ++i)
        if (lista->GetStrings(i) == texto) return i;
    return -1;
}

std::string Cabecera() {
    return "$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n";
}

class Mayusculas : public PruebaEditores {
protected:
    void SetUp() override {
        PruebaEditores::SetUp();
        base = carpeta.Fichero(
            "Lib/mayusculas.bdc",
            Crlf(Cabecera() + Material("Granito", "Piedras", "2.8") +
                 Material("granito", "Piedras", "1.9") +
                 "\"Muro\" = LAYERS\n    GROUP        = \"Muros\"\n"
                 "    MATERIAL     = (\"granito\")\n    THICKNESS = ( 0.3)\n..\n" +
                 Vidrio("Doble", "2.8") + Vidrio("DOBLE", "1.1") +
                 "\"PVC\" = NAME-FRAME\n      GROUP         = \"Plasticos\"\n"
                 "      FRAME-WIDTH   = 0.065\n      FRAME-CONDUCT = 2.2\n    ..\n"
                 "\"Ventana\" = GAP\n     GROUP          = \"Ventanas\"\n"
                 "     GROUP-GLASS         = \"Dobles\"\n     GLASS-TYPE          = \"DOBLE\"\n"
                 "     GROUP-FRAME       = \"Plasticos\"\n     NAME-FRAME        = \"PVC\"\n"
                 "     PORCENTAGE        = 25\n    ..\n"));
    }
    AnsiString base;
};

// El editor de huecos lista los dos vidrios, muestra el que usa el hueco y elegir el otro lo
// cambia.
TEST_F(Mayusculas, ElHuecoMuestraYEligeElVidrioQueEs) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    ASSERT_NE(Elegir({"Semitransparentes", "Huecos y lucernarios", "Ventanas", "Ventana"}),
              nullptr);
    EXPECT_EQ(Ordenadas(v->cbAcristalamiento->GetItems()),
              (std::vector<std::string>{"DOBLE", "Doble"}));
    EXPECT_EQ(v->cbAcristalamiento->GetText(), "DOBLE");
    ElegirConElRaton(v->cbAcristalamiento, IndiceDe(v->cbAcristalamiento->GetItems(), "Doble"), 0);
    EXPECT_EQ(v->cbAcristalamiento->GetText(), "Doble");
    Pulsar(v->btnAceptarHue);
    EXPECT_EQ(Valor(Elemento(TIPO_HUECO, "Ventana"), "Acristalamiento"), "Doble");
    // Y de vuelta al otro.
    ElegirConElRaton(v->cbAcristalamiento, IndiceDe(v->cbAcristalamiento->GetItems(), "DOBLE"), 0);
    Pulsar(v->btnAceptarHue);
    EXPECT_EQ(Valor(Elemento(TIPO_HUECO, "Ventana"), "Acristalamiento"), "DOBLE");
}

// La lista de materiales de las capas: los dos, con el de la capa elegido, y una capa nueva
// con el otro usa ese.
TEST_F(Mayusculas, LasCapasListanYEligenElMaterialQueEs) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    ASSERT_NE(Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Muro"}),
              nullptr);
    EXPECT_EQ(Ordenadas(v->losMateriales->GetItems()),
              (std::vector<std::string>{"Granito", "granito"}));
    EXPECT_EQ(v->losMateriales->GetText(), "granito");
    ElegirConElRaton(v->losMateriales, IndiceDe(v->losMateriales->GetItems(), "Granito"), 0);
    EXPECT_EQ(v->losMateriales->GetText(), "Granito");
    Teclear(v->Edit1, "0.1");
    Pulsar(v->btnNuevoMaterial);
    Pulsar(v->btnAceptarCer);
    TStringList capas;
    Elemento(TIPO_CERRAMIENTO, "Muro")->ObtenerLista("Materiales", capas);
    EXPECT_EQ(Lineas(&capas), (std::vector<std::string>{"granito", "Granito"}));
}

} // namespace
