// Los editores de elementos de la ventana de una base, usados como un usuario: elegir el
// elemento en el árbol, teclear en los campos, elegir en las listas y pulsar "Aceptar".

#include "tests/Vornak/editores_prueba.h"

#include "Vornak/VistaCerramiento.h"
#include "Vornak/VistabdCerramientos.h"

#include "comunes/GestorBD.h"
#include "comunes/Idioma.h"
#include "comunes/ObjetoBase.h"
#include "comunes/bdMateriales.h"
#include "controles/edit/kav_combo.h"
#include "controles/edit/kav_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/regional.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/image.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/page_control.h"
#include "plataforma/gui/widgets/scroll_box.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <gtest/gtest.h>

namespace {

std::string Propiedades(const char* nombre, const char* espesor, const char* conductividad) {
    return MaterialDePropiedades(nombre, "Pruebas", espesor, conductividad, "1000");
}

std::string Resistencia(const char* nombre, const char* r) {
    return std::string("\"") + nombre +
           "\" = MATERIAL\n"
           "    TYPE               = RESISTANCE\n"
           "    RESISTANCE         = " +
           r + "\n    NAME          = \"" + nombre +
           "\"\n    GROUP         = \"Pruebas\"\n    ..\n";
}

std::string Capas(const char* nombre, const std::vector<std::string>& materiales,
                  const std::vector<std::string>& espesores) {
    std::string m, e;
    for (size_t i = 0; i < materiales.size(); ++i) {
        m += (i ? ",\"" : "\"") + materiales[i] + "\"";
        e += (i ? ", " : "") + espesores[i];
    }
    return std::string("\"") + nombre + "\" = LAYERS\n    GROUP        = \"Muros\"\n" +
           "    MATERIAL     = (" + m + ")\n    THICKNESS = (" + e + ")\n..\n";
}

class Editores : public PruebaEditores {
protected:
    void SetUp() override {
        PruebaEditores::SetUp();
        std::vector<std::string> diecisiete(17, "Bloque 05"), espesores(17, "0.1");
        capas = carpeta.Fichero("Lib/capas.bdc",
                                Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
                                     Propiedades("Bloque 05", "0.2", "0.5") +
                                     Propiedades("Lana", "0.05", "0.04") +
                                     Resistencia("Camara 018", "0.18") +
                                     Capas("Muro de tres", {"Bloque 05", "Camara 018", "Lana"},
                                           {"0.2", "0.05", "0.05"}) +
                                     Capas("Solo camara", {"Camara 018"}, {"0.05"}) +
                                     Capas("Muy gruesa", diecisiete, espesores)));
    }
    void TearDown() override {
        SetDecimalSeparator('.');
        Idioma::Instancia()->FijarCodigoParaPruebas(0);
        PruebaEditores::TearDown();
    }

    AnsiString capas;
};

constexpr TColor ROJO = static_cast<TColor>(ESTADO_RECHAZADO);
constexpr TColor NEGRO = static_cast<TColor>(ESTADO_USUARIO);

// --- materiales ---

TEST_F(Editores, UnMaterialDePropiedadesSeMuestraConSuDibujoYSuResistenciaCalculada) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Materiales y productos", "Aislantes", "Aislante reflexivo multicapa"});
    ObjetoBase* m = Elemento(TIPO_MATERIAL, "Aislante reflexivo multicapa");
    EXPECT_EQ(v->edGrupoMat->GetCaption(), "Aislantes");
    EXPECT_EQ(v->edNombreMat->GetText(), "Aislante reflexivo multicapa");
    EXPECT_EQ(v->edEspesor->GetText(), "0.030");
    EXPECT_EQ(v->edConductividad->GetText(), "0.040");
    EXPECT_EQ(v->edDensidad->GetText(), "25");
    EXPECT_EQ(v->edCalor->GetText(), "1400");
    EXPECT_EQ(v->edVaporP->GetText(), "100");
    EXPECT_EQ(v->edResistencia->GetText(), "0.000");
    EXPECT_FALSE(v->edResistencia->GetEnabled());
    EXPECT_TRUE(v->rbPropiedades->GetChecked());
    EXPECT_EQ(v->cbTipoMat->GetText(), "PROPIEDADES");
    // La resistencia guardada pasa a ser espesor / conductividad, marcada como calculada.
    EXPECT_EQ(Valor(m, "Resistencia"), "0.750");
    EXPECT_EQ(Estado(m, "Resistencia"), ESTADO_RECHAZADO);
    // El dibujo, por su nombre de fichero en la subcarpeta de los materiales.
    EXPECT_EQ(v->imgDibujo->GetPicture()->GetWidth(), 96);
    EXPECT_GT(v->edImagenMat->GetText().Pos("Materiales"), 0);
    EXPECT_GT(v->edImagenMat->GetText().Pos("aislante_reflexivo.png"), 0);
    // Mostrada como la nombra el sistema: sin las "\" de config.ini.
    EXPECT_EQ(v->edImagenMat->GetText().Pos("\\"), 0) << v->edImagenMat->GetText().c_str();
    Capturar("editor_material");

    // Uno sin dibujo no se queda con el del anterior: al aceptarlo sigue sin dibujo.
    Elegir({"Opacos", "Materiales y productos", "Paneles", "Panel sandwich de acero"});
    ObjetoBase* panel = Elemento(TIPO_MATERIAL, "Panel sandwich de acero");
    panel->AsignarPropiedad("Imagen", "");
    Elegir({"Opacos", "Materiales y productos", "Aislantes", "Aislante reflexivo multicapa"});
    Elegir({"Opacos", "Materiales y productos", "Paneles", "Panel sandwich de acero"});
    EXPECT_EQ(v->edImagenMat->GetText(), "");
    EXPECT_EQ(v->imgDibujo->GetPicture()->GetWidth(), 0);
    Pulsar(v->btnAceptarMat);
    EXPECT_EQ(Valor(panel, "Imagen"), "");
}

TEST_F(Editores, LosValoresTecleadosSeValidanAlAceptar) {
    AbrirDelMenu(ejemplo);
    SetDecimalSeparator(',');
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Materiales y productos", "Aislantes", "Aislante reflexivo multicapa"});
    ObjetoBase* m = Elemento(TIPO_MATERIAL, "Aislante reflexivo multicapa");
    Teclear(v->edEspesor, "0,045");      // el separador regional
    Teclear(v->edConductividad, "0.05"); // y el punto
    Teclear(v->edDensidad, "abc");
    Teclear(v->edCalor, "9000");
    Teclear(v->edVaporP, "");
    Guion().AnswerMessageBox(IDOK);
    Guion().AnswerMessageBox(IDOK);
    Pulsar(v->btnAceptarMat);
    EXPECT_TRUE(Mostrado("abc No es un flotante, valor por defecto: 1500,000000") ||
                Mostrado("abc No es un flotante, valor por defecto: 1500.000000"));
    EXPECT_GT(Guion().ShownBoxes().back().text.Pos("(máximo)"), 0);
    float x = 0;
    m->ObtenerReal("Espesor", x);
    EXPECT_FLOAT_EQ(x, 0.045f);
    m->ObtenerReal("Conductividad", x);
    EXPECT_FLOAT_EQ(x, 0.05f);
    m->ObtenerReal("Densidad", x);
    EXPECT_FLOAT_EQ(x, 1500.0f);
    m->ObtenerReal("Calor especifico", x);
    EXPECT_FLOAT_EQ(x, 800.0f);
    m->ObtenerReal("Vapor P", x);
    EXPECT_FLOAT_EQ(x, 1.0f);
    // Lo rechazado vuelve en rojo; lo aceptado, en negro y con el separador regional.
    EXPECT_EQ(v->edDensidad->GetText(), "1500");
    EXPECT_EQ(v->edDensidad->GetFont()->GetColor(), ROJO);
    EXPECT_EQ(v->edCalor->GetFont()->GetColor(), ROJO);
    EXPECT_EQ(v->edEspesor->GetText(), "0,045");
    EXPECT_EQ(v->edEspesor->GetFont()->GetColor(), NEGRO);
    EXPECT_TRUE(m->ObtenerError());
}

TEST_F(Editores, UnMaterialDeResistenciaYElCambioDeTipologia) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Materiales y productos", "Cámaras de aire",
            "Camara de aire ventilada ligeramente"});
    ObjetoBase* m = Elemento(TIPO_MATERIAL, "Camara de aire ventilada ligeramente");
    EXPECT_TRUE(v->rbResistencia->GetChecked());
    EXPECT_EQ(v->edResistencia->GetText(), "0.090");
    EXPECT_TRUE(v->edResistencia->GetEnabled());
    for (TKavEdit* campo : {v->edEspesor, v->edConductividad, v->edDensidad, v->edCalor}) {
        EXPECT_EQ(campo->GetText(), "0.000");
        EXPECT_FALSE(campo->GetEnabled());
        EXPECT_EQ(campo->GetColor(), static_cast<TColor>(16316664));
    }
    Teclear(v->edResistencia, "0.12");
    Pulsar(v->btnAceptarMat);
    EXPECT_EQ(Valor(m, "Resistencia"), "0.120");
    EXPECT_EQ(Valor(m, "Espesor"), "0.050");

    // Pasarlo a propiedades: los campos de propiedades se habilitan; vacíos toman los
    // valores por defecto.
    SimulateClick(v->rbPropiedades, 5, 5);
    EXPECT_TRUE(v->rbPropiedades->GetChecked());
    EXPECT_TRUE(v->edDensidad->GetEnabled());
    EXPECT_FALSE(v->edResistencia->GetEnabled());
    EXPECT_EQ(v->cbTipoMat->GetText(), "PROPIEDADES");
    for (TKavEdit* campo : {v->edEspesor, v->edConductividad, v->edDensidad, v->edCalor})
        Teclear(campo, "");
    Pulsar(v->btnAceptarMat);
    EXPECT_EQ(Valor(m, "Tipologia"), "PROPIEDADES");
    EXPECT_EQ(Valor(m, "Densidad"), "1500");
    EXPECT_EQ(Valor(m, "Conductividad"), "0.600");
}

TEST_F(Editores, UnMaterialDeLibreriaNoSeEditaYElSiguienteSi) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Materiales y productos", "Aislantes", "Aislante reflexivo multicapa"});
    ObjetoBase* m = Elemento(TIPO_MATERIAL, "Aislante reflexivo multicapa");
    m->MarcarLibreria(true);
    Elegir({"Opacos", "Materiales y productos", "Aislantes"});
    Elegir({"Opacos", "Materiales y productos", "Aislantes", "Aislante reflexivo multicapa"});
    for (TControl* c : std::initializer_list<TControl*>{
             v->edNombreMat, v->edEspesor, v->edConductividad, v->edDensidad, v->edCalor,
             v->edVaporP, v->edResistencia, v->rbPropiedades, v->rbResistencia, v->btnAceptarMat,
             v->btnDibujoMat})
        EXPECT_FALSE(c->GetEnabled()) << c->GetName().c_str();
    Capturar("editor_material_libreria");
    // Quitada la marca, se edita de nuevo.
    m->MarcarLibreria(false);
    Elegir({"Opacos", "Materiales y productos", "Fábricas", "Ladrillo caravista"});
    Elegir({"Opacos", "Materiales y productos", "Aislantes", "Aislante reflexivo multicapa"});
    for (TControl* c : std::initializer_list<TControl*>{v->edNombreMat, v->edEspesor,
                                                        v->btnAceptarMat, v->btnDibujoMat})
        EXPECT_TRUE(c->GetEnabled()) << c->GetName().c_str();
}

TEST_F(Editores, ElNombreDeUnMaterial) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    // Uno que no se usa se renombra, también en el árbol.
    Elegir({"Opacos", "Materiales y productos", "Paneles"});
    Actual()->CrearElemento(TIPO_MATERIAL);
    EXPECT_EQ(v->edNombreMat->GetText(), "Mat");
    Teclear(v->edNombreMat, "Panel de acero");
    Pulsar(v->btnAceptarMat);
    EXPECT_NE(Elemento(TIPO_MATERIAL, "Panel de acero"), nullptr);
    EXPECT_EQ(v->tvBaseDatos->GetSelected()->GetText(), "Panel de acero");
    EXPECT_EQ(Valor(Elemento(TIPO_MATERIAL, "Panel de acero"), "Grupo"), "Paneles");
    // Un nombre que ya tiene otro se queda el de antes, y se dice.
    Teclear(v->edNombreMat, "Ladrillo caravista");
    Guion().AnswerMessageBox(IDOK);
    Pulsar(v->btnAceptarMat);
    EXPECT_EQ(Guion().ShownBoxes().back().text,
              "El nombre Ladrillo caravista está siendo utilizado.\n");
    EXPECT_EQ(v->edNombreMat->GetText(), "Panel de acero");
    EXPECT_EQ(v->tvBaseDatos->GetSelected()->GetText(), "Panel de acero");
    // Uno en uso no cambia de nombre: mensaje 60.
    Elegir({"Opacos", "Materiales y productos", "Fábricas", "Ladrillo caravista"});
    Teclear(v->edNombreMat, "Otro ladrillo");
    Guion().AnswerMessageBox(IDOK);
    Pulsar(v->btnAceptarMat);
    EXPECT_GT(Guion().ShownBoxes().back().text.Pos("No se puede cambiar el nombre"), 0);
    EXPECT_NE(Elemento(TIPO_MATERIAL, "Ladrillo caravista"), nullptr);
}

// --- puentes térmicos ---

TEST_F(Editores, UnPuenteTermico) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Puentes térmicos", "Contornos de hueco", "Caja de persiana"});
    ObjetoBase* p = Elemento(TIPO_PUENTE_TERMICO, "Caja de persiana");
    EXPECT_EQ(v->pcBaseDatos->GetActivePage(), v->tsPuentes);
    EXPECT_EQ(v->edFi->GetText(), "0.30");
    EXPECT_EQ(v->edEfe->GetText(), "0.68");
    EXPECT_EQ(v->cbZona->GetText(), "C");
    EXPECT_EQ(v->cbZona->GetItems()->GetCount(), 5);
    EXPECT_EQ(v->imgDibujoPue->GetPicture()->GetWidth(), 160);
    EXPECT_GT(v->edImagenPue->GetText().Pos("Puentes"), 0);
    Capturar("editor_puente");

    Teclear(v->edFi, "2");
    Teclear(v->edEfe, "1");
    ElegirEn(v->cbZona, "E");
    Guion().AnswerMessageBox(IDOK);
    Pulsar(v->btnAceptarPue);
    EXPECT_EQ(Valor(p, "Fi"), "0.40");
    EXPECT_EQ(v->edFi->GetFont()->GetColor(), ROJO);
    EXPECT_EQ(Valor(p, "Efe"), "1.00");
    EXPECT_EQ(Valor(p, "Zona"), "E");
    EXPECT_EQ(Valor(p, "Imagen"), "caja_de_persiana.png");
    Teclear(v->edNombrePue, "Caja de persiana enrasada");
    Pulsar(v->btnAceptarPue);
    EXPECT_EQ(Valor(p, "Nombre"), "Caja de persiana enrasada");
    EXPECT_EQ(v->tvBaseDatos->GetSelected()->GetText(), "Caja de persiana enrasada");

    // Uno de librería no se edita, aunque el dibujo se puede elegir.
    p->MarcarLibreria(true);
    Actual()->MostrarElemento(TIPO_PUENTE_TERMICO);
    for (TControl* c : std::initializer_list<TControl*>{v->edNombrePue, v->edFi, v->edEfe,
                                                        v->cbZona, v->btnAceptarPue})
        EXPECT_FALSE(c->GetEnabled()) << c->GetName().c_str();
    EXPECT_TRUE(v->btnDibujoPue->GetEnabled());
}

// --- cerramientos ---

TEST_F(Editores, LaUDeUnCerramientoSinCapasYDeUnoConstruidoCapaACapa) {
    AbrirDelMenu(capas);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros"});
    Actual()->CrearElemento(TIPO_CERRAMIENTO);
    EXPECT_EQ(v->SG_Camaras->GetRowCount(), 2);
    EXPECT_EQ(U(), "5.88");
    EXPECT_EQ(Celda(0, 1), "1");

    ElegirEn(v->cbGrupoMaterial, "Pruebas");
    ElegirEn(v->losMateriales, "Bloque 05");
    Teclear(v->Edit1, "0.2");
    Pulsar(v->btnNuevoMaterial);
    EXPECT_EQ(Celda(1, 1), "Bloque 05");
    EXPECT_EQ(Celda(2, 1), "0.200");
    EXPECT_EQ(Celda(3, 1), "0.500");
    EXPECT_EQ(Celda(4, 1), "1000");
    EXPECT_EQ(U(), "1.75");

    // Una cámara sola: su resistencia, sin espesor en la rejilla.
    ElegirFila(1);
    Pulsar(v->btnEliminarCer);
    ElegirEn(v->cbGrupoMaterial, "Pruebas");
    ElegirEn(v->losMateriales, "Camara 018");
    Pulsar(v->btnNuevoMaterial);
    EXPECT_EQ(Celda(2, 1), "");
    EXPECT_EQ(Celda(6, 1), "0.180");
    EXPECT_EQ(U(), "2.86");

    // Tres capas: bloque, cámara y lana, con el separador regional en el espesor.
    SetDecimalSeparator(',');
    ElegirEn(v->losMateriales, "Lana");
    Teclear(v->Edit1, "0,05");
    Pulsar(v->btnNuevoMaterial);
    EXPECT_EQ(Celda(2, 2), "0,050");
    ElegirEn(v->losMateriales, "Bloque 05");
    Teclear(v->Edit1, "0,2");
    Pulsar(v->btnNuevoMaterial);
    EXPECT_EQ(v->SG_Camaras->GetRowCount(), 5);
    EXPECT_EQ(U(), "0,50"); // 1 / (0,18 + 1,25 + 0,4 + 0,17)

    // El bloque sube al principio: la U no cambia.
    ElegirFila(3);
    Pulsar(v->btnSubir);
    ElegirFila(2);
    Pulsar(v->btnSubir);
    EXPECT_EQ(Celda(1, 1), "Bloque 05");
    EXPECT_EQ(Celda(1, 2), "Camara 018");
    EXPECT_EQ(Celda(1, 3), "Lana");
    EXPECT_FALSE(v->btnSubir->GetEnabled()); // fila 1
    // En la última capa no se puede bajar.
    ElegirFila(3);
    EXPECT_FALSE(v->btnBajar->GetEnabled());
    Actual()->BajarCapa(TIPO_CERRAMIENTO);
    EXPECT_EQ(Celda(1, 3), "Lana");
    // La fila vacía del final no elige material.
    ElegirFila(4);
    EXPECT_EQ(v->losMateriales->GetText(), "");
    EXPECT_EQ(v->Edit1->GetText(), "");
    EXPECT_FALSE(v->btnSubir->GetEnabled());
    EXPECT_FALSE(v->btnBajar->GetEnabled());

    ObjetoBase* c = Actual()->ElementoActual();
    Pulsar(v->btnAceptarCer);
    TStringList materiales, espesores;
    c->ObtenerLista("Materiales", materiales);
    c->ObtenerLista("Espesores", espesores);
    EXPECT_EQ(materiales.GetCommaText(), "\"Bloque 05\",\"Camara 018\",Lana");
    ASSERT_EQ(espesores.GetCount(), 3);
    EXPECT_EQ(espesores.GetStrings(0), "0,200");
    EXPECT_EQ(espesores.GetStrings(2), "0,050");
    EXPECT_EQ(U(), "0,50");
    Capturar("editor_cerramiento");
}

TEST_F(Editores, CambiarYEliminarCapas) {
    AbrirDelMenu(capas);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Muro de tres"});
    EXPECT_EQ(v->SG_Camaras->GetRowCount(), 5);
    EXPECT_EQ(U(), "0.50");
    // Elegir una fila pone su material y su espesor en los campos.
    ElegirFila(3);
    EXPECT_EQ(v->cbGrupoMaterial->GetText(), "Pruebas");
    EXPECT_EQ(v->losMateriales->GetText(), "Lana");
    EXPECT_EQ(v->Edit1->GetText(), "0.050");
    EXPECT_TRUE(v->btnSubir->GetEnabled());
    EXPECT_FALSE(v->btnBajar->GetEnabled());
    // "Cambiar" sin espesor deja el de la capa.
    ElegirEn(v->losMateriales, "Bloque 05");
    Teclear(v->Edit1, "");
    Pulsar(v->btnCambiarCer);
    EXPECT_EQ(Celda(1, 3), "Bloque 05");
    EXPECT_EQ(Celda(2, 3), "0.050");
    EXPECT_EQ(U(), "1.18"); // 1 / (0,4 + 0,18 + 0,05 / 0,5 + 0,17)
    // Un espesor fuera de los límites del material: aviso y el espesor del material.
    ElegirFila(3);
    Teclear(v->Edit1, "5");
    Guion().AnswerMessageBox(IDOK);
    Pulsar(v->btnCambiarCer);
    EXPECT_GT(Guion().ShownBoxes().back().text.Pos("(máximo)"), 0);
    EXPECT_EQ(Celda(2, 3), "0.200");
    // Dos capas del mismo material: se quita la elegida.
    ElegirFila(3);
    Pulsar(v->btnEliminarCer);
    EXPECT_EQ(v->SG_Camaras->GetRowCount(), 4);
    EXPECT_EQ(Celda(1, 1), "Bloque 05");
    EXPECT_EQ(Celda(1, 2), "Camara 018");
    EXPECT_EQ(Celda(1, 3), ""); // la última fila, vacía
    EXPECT_EQ(Celda(0, 3), "3");
    // Nada cambia en el cerramiento hasta aceptar.
    TStringList materiales;
    Actual()->ElementoActual()->ObtenerLista("Materiales", materiales);
    EXPECT_EQ(materiales.GetCount(), 3);
}

TEST_F(Editores, SinCapaDePropiedadesNoSeAceptaNada) {
    AbrirDelMenu(capas);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Solo camara"});
    ObjetoBase* c = Actual()->ElementoActual();
    ElegirEn(v->losMateriales, "Camara 018");
    Pulsar(v->btnNuevoMaterial);
    Teclear(v->edNombreCer, "Dos camaras");
    Guion().ExpectShowMessage();
    Pulsar(v->btnAceptarCer);
    EXPECT_TRUE(Mostrado("Al menos una capa no debe ser definida por su resistencia térmica"));
    EXPECT_EQ(c->ObtenerNombre(), "Solo camara");
    TStringList materiales;
    c->ObtenerLista("Materiales", materiales);
    EXPECT_EQ(materiales.GetCount(), 1);
    // La composición sigue en pantalla para corregirla.
    EXPECT_EQ(v->SG_Camaras->GetRowCount(), 4);
    ElegirEn(v->losMateriales, "Lana");
    Teclear(v->Edit1, "0.04");
    Pulsar(v->btnNuevoMaterial);
    Pulsar(v->btnAceptarCer);
    materiales.Clear();
    c->ObtenerLista("Materiales", materiales);
    EXPECT_EQ(materiales.GetCount(), 3);
    EXPECT_EQ(c->ObtenerNombre(), "Dos camaras");
}

TEST_F(Editores, DieciseisCapasComoMaximoAlAnadirYUnCerramientoMayorSeConserva) {
    AbrirDelMenu(capas);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Muy gruesa"});
    EXPECT_EQ(v->SG_Camaras->GetRowCount(), 19);
    ElegirEn(v->losMateriales, "Lana");
    Guion().AnswerMessageBox(IDOK);
    Pulsar(v->btnNuevoMaterial);
    EXPECT_EQ(Guion().ShownBoxes().back().text, "No se pueden añadir más de 16 capas.");
    EXPECT_EQ(Guion().ShownBoxes().back().caption, "Información");
    EXPECT_EQ(v->SG_Camaras->GetRowCount(), 19);
    Pulsar(v->btnAceptarCer);
    TStringList materiales;
    Actual()->ElementoActual()->ObtenerLista("Materiales", materiales);
    EXPECT_EQ(materiales.GetCount(), 17);
}

TEST_F(Editores, UnaCapaCuyoMaterialFaltaSeMuestraYSeConserva) {
    AbrirDelMenu(capas);
    TforGestorBD* v = Ventana();
    // La lana desaparece de la base de materiales.
    bdMateriales* base = Actual()->Gestor()->Materiales();
    ObjetoBase* lana = base->BuscarEnHijos("Lana");
    ASSERT_NE(lana, nullptr);
    delete lana;
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Muro de tres"});
    EXPECT_EQ(Celda(1, 3), "Lana");
    EXPECT_EQ(Celda(3, 3), "");
    EXPECT_EQ(Celda(6, 3), "");
    EXPECT_EQ(U(), "1.33"); // 1 / (0,4 + 0,18 + 0,17): la lana no suma
    Pulsar(v->btnAceptarCer);
    TStringList materiales, espesores;
    Actual()->ElementoActual()->ObtenerLista("Materiales", materiales);
    Actual()->ElementoActual()->ObtenerLista("Espesores", espesores);
    ASSERT_EQ(materiales.GetCount(), 3);
    EXPECT_EQ(materiales.GetStrings(2), "Lana");
    EXPECT_EQ(espesores.GetStrings(2), "0.050");
}

// La U sale de los valores guardados: un panel de vacío de conductividad 0,0045 se ve
// "0.004" o "0.005" en la rejilla, pero cuenta con 0,0045. El espesor de una capa se guarda
// al milímetro: 0,0125 se lee, se calcula y se guarda como 0,013.
TEST_F(Editores, LaUSaleDeLosValoresGuardadosYNoDeLaRejilla) {
    const AnsiString vacio = carpeta.Fichero(
        "Lib/vacio.bdc",
        Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
             Propiedades("Panel de vacio", "0.02", "0.0045") +
             Propiedades("Bloque 05", "0.2", "0.5") + Resistencia("Camara 018", "0.18") +
             Capas("Con panel", {"Panel de vacio", "Bloque 05"}, {"0.02", "0.0125"})));
    AbrirDelMenu(vacio);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Con panel"});
    ASSERT_EQ(Celda(1, 1), "Panel de vacio");
    EXPECT_NE(Celda(3, 1), "0.0045"); // la rejilla muestra tres decimales
    EXPECT_EQ(Celda(2, 2), "0.013");
    // R = 0,02 / 0,0045 + 0,013 / 0,5 + 0,17 = 4,4444 + 0,026 + 0,17 = 4,6404; U = 0,2155.
    // (Con "0.004" de la rejilla saldría 1 / 5,196 = 0,19.)
    EXPECT_EQ(U(), "0.22");

    // Cada orden de capas la calcula igual: otra capa de 10 mm del panel suma 2,2222.
    ElegirEn(v->cbGrupoMaterial, "Pruebas");
    ElegirEn(v->losMateriales, "Panel de vacio");
    Teclear(v->Edit1, "0.01");
    Pulsar(v->btnNuevoMaterial);
    EXPECT_EQ(U(), "0.15"); // 1 / 6,8627 = 0,1457
    // Y una cámara de resistencia guardada 0,18: 1 / 7,0427 = 0,1420.
    ElegirEn(v->losMateriales, "Camara 018");
    Pulsar(v->btnNuevoMaterial);
    EXPECT_EQ(U(), "0.14");

    // Guardado, el espesor de la capa del bloque es el de milímetros.
    Pulsar(v->btnAceptarCer);
    Marco()->mnuGuardar->Click();
    const std::string guardado = LeerBytes(vacio);
    const size_t registro = guardado.find("\"Con panel\" = LAYERS");
    ASSERT_NE(registro, std::string::npos);
    const std::string capasGuardadas =
        guardado.substr(registro, guardado.find("..", registro) - registro);
    EXPECT_NE(capasGuardadas.find("0.013"), std::string::npos) << capasGuardadas;
    EXPECT_EQ(capasGuardadas.find("0.0125"), std::string::npos) << capasGuardadas;
}

TEST_F(Editores, ElDibujoDeLaComposicion) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Fachadas",
            "Fachada de caravista con camara"});
    EXPECT_EQ(v->SG_Camaras->GetRowCount(), 8);
    // Seis capas con dibujo, una al lado de otra a 300 píxeles por metro.
    std::vector<TImage*> dibujos;
    for (int i = 0; i < v->sbCerramientos->GetControlCount(); ++i)
        if (auto* img = dynamic_cast<TImage*>(v->sbCerramientos->GetControls(i)))
            dibujos.push_back(img);
    ASSERT_EQ(dibujos.size(), 6u);
    EXPECT_EQ(dibujos[0]->GetLeft(), 32);
    EXPECT_EQ(dibujos[0]->GetTop(), 460);
    EXPECT_EQ(dibujos[0]->GetWidth(), 34); // 0,115 m
    EXPECT_EQ(dibujos[1]->GetLeft(), 66);
    EXPECT_EQ(dibujos[1]->GetWidth(), 4); // 0,015 m
    Capturar("editor_cerramiento_dibujo");
    // Un cerramiento de librería no se edita.
    Actual()->ElementoActual()->MarcarLibreria(true);
    Actual()->MostrarElemento(TIPO_CERRAMIENTO);
    for (TControl* c : std::initializer_list<TControl*>{
             v->edNombreCer, v->SG_Camaras, v->losMateriales, v->cbGrupoMaterial, v->Edit1,
             v->btnNuevoMaterial, v->btnCambiarCer, v->btnEliminarCer, v->btnAceptarCer,
             v->btnSubir, v->btnBajar})
        EXPECT_FALSE(c->GetEnabled()) << c->GetName().c_str();
}

// --- vidrios, marcos y huecos ---

TEST_F(Editores, UnVidrio) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Semitransparentes", "Vidrios", "Laminados", "Laminado de seguridad de 8 mm"});
    ObjetoBase* a = Elemento(TIPO_ACRISTALAMIENTO, "Laminado de seguridad de 8 mm");
    EXPECT_EQ(v->pcSemitransparentes->GetActivePage(), v->tsVidrios);
    EXPECT_EQ(v->edConductanciaAcr->GetText(), "5.50");
    EXPECT_EQ(v->edFactorSolarAcr->GetText(), "0.780");
    Capturar("editor_vidrio");
    // 1,5 se rechaza: el factor queda sin definir y el campo vacío, en rojo.
    Teclear(v->edFactorSolarAcr, "1.5");
    Guion().AnswerMessageBox(IDOK);
    Pulsar(v->btnAceptarAcr);
    EXPECT_EQ(v->edFactorSolarAcr->GetText(), "");
    EXPECT_EQ(v->edFactorSolarAcr->GetFont()->GetColor(), ROJO);
    // Vacío: se pide.
    Guion().AnswerMessageBox(IDOK);
    Pulsar(v->btnAceptarAcr);
    EXPECT_TRUE(Mostrado("Introduzca el valor del factor solar"));
    Teclear(v->edFactorSolarAcr, "0.75");
    Pulsar(v->btnAceptarAcr);
    EXPECT_EQ(Valor(a, "Factor solar"), "0.750");
    EXPECT_EQ(v->edFactorSolarAcr->GetFont()->GetColor(), NEGRO);
    // Uno que no se puede cambiar deja completar su factor solar.
    a->PonerLogico("puedeCambiar", false);
    Actual()->MostrarElemento(TIPO_ACRISTALAMIENTO);
    EXPECT_FALSE(v->edNombreAcr->GetEnabled());
    EXPECT_FALSE(v->edConductanciaAcr->GetEnabled());
    EXPECT_TRUE(v->edFactorSolarAcr->GetEnabled());
    EXPECT_TRUE(v->btnAceptarAcr->GetEnabled());
}

TEST_F(Editores, UnMarcoNuevoYUnoDeLibreria) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Semitransparentes", "Marcos", "Madera"});
    Actual()->CrearElemento(TIPO_MARCO);
    ObjetoBase* m = Actual()->ElementoActual();
    EXPECT_EQ(v->edFrameConduct->GetText(), "5.60");
    EXPECT_EQ(v->edFrameAbs->GetText(), "0.90");
    EXPECT_EQ(v->edFrameWidth->GetText(), "0.10");
    Teclear(v->edFrameAbs, "0");
    Teclear(v->edFrameConduct, "2.5");
    Guion().AnswerMessageBox(IDOK);
    Pulsar(v->btnAceptarMar);
    EXPECT_EQ(v->edFrameAbs->GetText(), "0.90");
    EXPECT_EQ(v->edFrameAbs->GetFont()->GetColor(), ROJO);
    EXPECT_EQ(Valor(m, "frameConduct"), "2.50");
    EXPECT_EQ(Valor(m, "Grupo"), "Madera");
    Capturar("editor_marco");
    m->MarcarLibreria(true);
    Actual()->MostrarElemento(TIPO_MARCO);
    for (TControl* c : std::initializer_list<TControl*>{v->edNombreMar, v->edFrameConduct,
                                                        v->edFrameAbs, v->btnAceptarMar})
        EXPECT_FALSE(c->GetEnabled()) << c->GetName().c_str();
}

// Los valores que la ventana tiene y no enseña siguen ocultos al mostrar su elemento; los de
// al lado se ven.
TEST_F(Editores, LosValoresQueLaVentanaGuardaOcultosNoSeVen) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    struct Caso {
        std::initializer_list<const char*> camino;
        std::initializer_list<TControl*> ocultos;
        TControl* visible;
    };
    const Caso casos[] = {
        {{"Opacos", "Materiales y productos", "Aislantes", "Aislante reflexivo multicapa"},
         {v->lbVaporR, v->edVaporR, v->lbVaporRM},
         v->edVaporP},
        {{"Semitransparentes", "Marcos", "Madera", "Madera de pino"},
         {v->lbAnchoMar, v->edFrameWidth, v->lbAnchoMarM},
         v->edFrameAbs},
        {{"Semitransparentes", "Huecos y lucernarios", "Ventanas", "Ventana dormitorio"},
         {v->lbConductanciaAHue, v->edConductanciaAHue, v->lbFactorsolarHue, v->edFactorsolarHue,
          v->lbConductanciaMHue, v->edConductanciaMHue, v->lbAbsortividadHue, v->edAbsortividadHue},
         v->edPermeabilidadHue},
    };
    for (const Caso& c : casos) {
        Elegir(c.camino);
        for (TControl* o : c.ocultos)
            EXPECT_FALSE(o->GetVisible()) << o->GetName().c_str();
        EXPECT_TRUE(c.visible->GetVisible()) << c.visible->GetName().c_str();
    }
}

TEST_F(Editores, UnHuecoEligeVidrioYMarco) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Semitransparentes", "Huecos y lucernarios", "Ventanas", "Ventana dormitorio"});
    ObjetoBase* h = Elemento(TIPO_HUECO, "Ventana dormitorio");
    EXPECT_EQ(v->pcSemitransparentes->GetActivePage(), v->tsHuecos);
    EXPECT_EQ(v->cbGrupoVidrio->GetText(), "Dobles bajo emisivos");
    EXPECT_EQ(v->cbAcristalamiento->GetText(), "Doble 6-14-6 bajo emisivo");
    EXPECT_EQ(v->cbGrupoMarco->GetText(), "PVC");
    EXPECT_EQ(v->cbMarco->GetText(), "PVC de tres camaras");
    EXPECT_EQ(v->edPorcentajeHue->GetText(), "30.00");
    EXPECT_FALSE(v->ChcPuerta->GetChecked());
    EXPECT_TRUE(v->edPermeabilidadHue->GetEnabled());
    Capturar("editor_hueco");

    // Otro grupo de vidrios: su primer vidrio.
    ElegirEn(v->cbGrupoVidrio, "Laminados");
    EXPECT_EQ(v->cbAcristalamiento->GetText(), "Laminado de seguridad de 8 mm");
    ElegirEn(v->cbGrupoMarco, "Madera");
    ElegirEn(v->cbMarco, "Madera de pino");
    Teclear(v->edPorcentajeHue, "");
    Pulsar(v->btnAceptarHue);
    EXPECT_EQ(Valor(h, "Acristalamiento"), "Laminado de seguridad de 8 mm");
    EXPECT_EQ(Valor(h, "Grupo Acristalamiento"), "Laminados");
    EXPECT_EQ(Valor(h, "Marco"), "Madera de pino");
    EXPECT_EQ(Valor(h, "Porcentaje"), "30.00"); // vacío: sin cambio

    // Una puerta: la permeabilidad, 60 y bloqueada.
    SimulateClick(v->ChcPuerta, 5, 5);
    EXPECT_TRUE(v->ChcPuerta->GetChecked());
    EXPECT_EQ(v->edPermeabilidadHue->GetText(), "60");
    EXPECT_FALSE(v->edPermeabilidadHue->GetEnabled());
    Pulsar(v->btnAceptarHue);
    bool puerta = false;
    h->ObtenerLogico("esPuerta", puerta);
    EXPECT_TRUE(puerta);
    EXPECT_FALSE(v->edPermeabilidadHue->GetEnabled());

    // Al pasar a la página de los vidrios se elige el vidrio del hueco.
    v->pcSemitransparentes->SetActivePage(v->tsVidrios);
    Actual()->CambiarPestana();
    ASSERT_NE(v->tvBaseDatos->GetSelected(), nullptr);
    EXPECT_EQ(v->tvBaseDatos->GetSelected()->GetText(), "Laminado de seguridad de 8 mm");
}

TEST_F(Editores, UnHuecoDeLibreriaNoSeAcepta) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Semitransparentes", "Huecos y lucernarios", "Ventanas", "Ventana salon"});
    Actual()->ElementoActual()->MarcarLibreria(true);
    Actual()->MostrarElemento(TIPO_HUECO);
    for (TControl* c : std::initializer_list<TControl*>{
             v->edNombreHue, v->cbGrupoVidrio, v->cbAcristalamiento, v->cbGrupoMarco, v->cbMarco,
             v->edPorcentajeHue, v->ChcPuerta, v->btnAceptarHue})
        EXPECT_FALSE(c->GetEnabled()) << c->GetName().c_str();
    // No es una puerta: la permeabilidad se habilita al mostrar.
    EXPECT_TRUE(v->edPermeabilidadHue->GetEnabled());
}

// La variante regional: un vidrio de librería no se toca, y los vanos no muestran la
// permeabilidad.
TEST_F(Editores, LaVarianteRegional) {
    Idioma::Instancia()->FijarCodigoParaPruebas(2);
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Actual()->Actualizar();
    EXPECT_EQ(v->lbPorcentajeHue->GetCaption(), "% vano cubierto por el marco");
    Elegir({"Semitransparentes", "Vidrios", "Laminados", "Laminado de seguridad de 8 mm"});
    Actual()->ElementoActual()->MarcarLibreria(true);
    Actual()->MostrarElemento(TIPO_ACRISTALAMIENTO);
    for (TControl* c : std::initializer_list<TControl*>{v->edNombreAcr, v->edConductanciaAcr,
                                                        v->edFactorSolarAcr, v->btnAceptarAcr})
        EXPECT_FALSE(c->GetEnabled()) << c->GetName().c_str();
    Elegir({"Semitransparentes", "Vanos y lucernarios", "Ventanas", "Ventana salon"});
    EXPECT_FALSE(v->edPermeabilidadHue->GetVisible());
    EXPECT_FALSE(v->lbPermeabilidadHue->GetVisible());
}

// El dibujo elegido con "..." se muestra enseguida y el material lo toma al aceptar, solo
// por su nombre de fichero.
TEST_F(Editores, ElDibujoElegidoSeGuardaAlAceptar) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Materiales y productos", "Paneles", "Panel sandwich de acero"});
    ObjetoBase* m = Elemento(TIPO_MATERIAL, "Panel sandwich de acero");
    Guion().AnswerFileDialog(carpeta.Ruta() + "/Imagenes/Materiales/mortero.png");
    Pulsar(v->btnDibujoMat);
    EXPECT_GT(v->edImagenMat->GetText().Pos("mortero.png"), 0);
    EXPECT_EQ(Valor(m, "Imagen"), "panel_sandwich.png");
    Pulsar(v->btnAceptarMat);
    EXPECT_EQ(Valor(m, "Imagen"), "mortero.png");
    // Un fichero que no existe no cambia nada.
    Guion().AnswerFileDialog(carpeta.Ruta() + "/Imagenes/Materiales/no_existe.png");
    Pulsar(v->btnDibujoMat);
    EXPECT_GT(v->edImagenMat->GetText().Pos("mortero.png"), 0);
}

} // namespace
