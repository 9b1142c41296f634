// Las listas desplegables de la ventana de una base, usadas solo con el ratón: un clic en la
// lista la despliega debajo, y otro clic donde la lista desplegada muestra un elemento lo
// elige, como lo hace un usuario.

#include "tests/Vornak/editores_prueba.h"

#include "comunes/bdLibreria.h"
#include "controles/edit/kav_combo.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/page_control.h"

#include <algorithm>
#include <functional>

namespace {

using Listas = PruebaEditores;

// Cada lista de la ventana de una base: se elige otro elemento con el ratón, queda elegido y
// la ventana hace con él lo que hace al elegirlo con el teclado.
TEST_F(Listas, CadaListaDeLaVentanaSeUsaConElRaton) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    struct Caso {
        std::vector<const char*> camino;
        TKavComboBox* lista;
        // Lo que la ventana hizo con el elemento elegido.
        std::function<void(const AnsiString& elegido)> comprobar;
    };
    auto espesorDe = [this](const AnsiString& material) {
        AnsiString espesor;
        Elemento(TIPO_MATERIAL, material.c_str())->ValorPropiedad("Espesor", espesor);
        return espesor;
    };
    auto nombresDeGrupo = [this](TipoObjeto tipo, const AnsiString& grupo) {
        TStringList nombres;
        nombres.SetSorted(true);
        Actual()->Gestor()->Base(tipo)->ListarNombresDeGrupo(nombres, grupo);
        return Lineas(&nombres);
    };
    const std::vector<const char*> fachada = {"Opacos", "Cerramientos y particiones interiores",
                                              "Fachadas", "Fachada de caravista con camara"};
    const std::vector<const char*> ventana = {"Semitransparentes", "Huecos y lucernarios",
                                              "Ventanas", "Ventana salon"};
    const Caso casos[] = {
        {fachada, v->cbGrupoMaterial,
         [&](const AnsiString& grupo) {
             EXPECT_EQ(Lineas(v->losMateriales->GetItems()), nombresDeGrupo(TIPO_MATERIAL, grupo));
         }},
        {fachada, v->losMateriales,
         [&](const AnsiString& material) { EXPECT_EQ(v->Edit1->GetText(), espesorDe(material)); }},
        {ventana, v->cbGrupoVidrio,
         [&](const AnsiString& grupo) {
             EXPECT_EQ(Lineas(v->cbAcristalamiento->GetItems()),
                       nombresDeGrupo(TIPO_ACRISTALAMIENTO, grupo));
         }},
        {ventana, v->cbAcristalamiento,
         [&](const AnsiString& vidrio) {
             Pulsar(v->btnAceptarHue);
             EXPECT_EQ(Valor(Actual()->ElementoActual(), "Acristalamiento"), vidrio);
         }},
        {ventana, v->cbGrupoMarco,
         [&](const AnsiString& grupo) {
             EXPECT_EQ(Lineas(v->cbMarco->GetItems()), nombresDeGrupo(TIPO_MARCO, grupo));
         }},
        {ventana, v->cbMarco,
         [&](const AnsiString& marco) {
             Pulsar(v->btnAceptarHue);
             EXPECT_EQ(Valor(Actual()->ElementoActual(), "Marco"), marco);
         }},
        {{"Puentes térmicos", "Contornos de hueco", "Caja de persiana"},
         v->cbZona,
         [&](const AnsiString& zona) {
             Pulsar(v->btnAceptarPue);
             EXPECT_EQ(Valor(Actual()->ElementoActual(), "Zona"), zona);
         }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.lista->GetName().c_str());
        Elegir(caso.camino);
        TKavComboBox* lista = caso.lista;
        ASSERT_GT(lista->GetItems()->GetCount(), 0);
        const int indice = OtroElemento(lista);
        const AnsiString elegido = lista->GetItems()->GetStrings(indice);
        // Las seis listas de grupos y de elementos despliegan 500 píxeles; la de la zona, su
        // propio ancho.
        const int ancho = lista == v->cbZona ? lista->GetWidth() : 500;
        ElegirConElRaton(lista, indice, ancho);
        if (HasFatalFailure()) return;
        EXPECT_EQ(lista->GetText(), elegido);
        caso.comprobar(elegido);
    }
}

// El material de la capa elegido con el ratón después de otro: la lista lo muestra, el
// espesor es otra vez el de la capa y "Cambiar" deja la capa como estaba.
TEST_F(Listas, ElMaterialDeUnaCapaSeEligeConElRaton) {
    const AnsiString muro = carpeta.Fichero(
        "Lib/muro.bdc",
        Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
             MaterialDePropiedades("Bloque", "Pruebas", "0.2", "0.5", "1000") +
             MaterialDePropiedades("Lana", "Pruebas", "0.05", "0.04", "30") +
             "\"Muro\" = LAYERS\n    GROUP        = \"Muros\"\n"
             "    MATERIAL     = (\"Bloque\",\"Lana\")\n    THICKNESS = ( 0.2, 0.08)\n..\n"));
    AbrirDelMenu(muro);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Muro"});
    TKavStringGrid* g = v->SG_Camaras;
    const AnsiString u = v->edU->GetText();
    ElegirFila(2);
    ASSERT_EQ(v->losMateriales->GetText(), "Lana");
    ASSERT_EQ(v->Edit1->GetText(), "0.080");
    ElegirConElRaton(v->losMateriales, v->losMateriales->GetItems()->IndexOf("Bloque"), 500);
    EXPECT_EQ(v->losMateriales->GetText(), "Bloque");
    AnsiString propio;
    Elemento(TIPO_MATERIAL, "Bloque")->ValorPropiedad("Espesor", propio);
    EXPECT_EQ(v->Edit1->GetText(), propio);
    ElegirConElRaton(v->losMateriales, v->losMateriales->GetItems()->IndexOf("Lana"), 500);
    EXPECT_EQ(v->losMateriales->GetText(), "Lana");
    EXPECT_EQ(v->Edit1->GetText(), "0.080");
    Capturar("lista_de_materiales_elegida_con_el_raton");
    Pulsar(v->btnCambiarCer);
    EXPECT_EQ(g->GetCells(1, 2), "Lana");
    EXPECT_EQ(g->GetCells(2, 2), "0.080");
    EXPECT_EQ(v->edU->GetText(), u);
}

// Un clic fuera de la lista desplegada la cierra sin elegir nada.
TEST_F(Listas, UnClicFueraDeLaListaNoEligeNada) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Puentes térmicos", "Contornos de hueco", "Caja de persiana"});
    const AnsiString antes = v->cbZona->GetText();
    Desplegar(v->cbZona, v->cbZona->GetWidth());
    SimulateScreenClick(v->cbZona, v->cbZona->GetWidth() + 200, v->cbZona->GetHeight() / 2);
    Application->ProcessMessages();
    EXPECT_FALSE(v->cbZona->GetDroppedDown());
    EXPECT_EQ(v->cbZona->GetText(), antes);
}

} // namespace
