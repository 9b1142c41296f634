// La librería: cargar una e importar de ella los elementos elegidos por grupo en el
// diálogo, cuyas listas muestran en la pista el nombre que no cabe; exportar elementos de la
// base a una librería; una librería estándar no se toca.

#include "tests/Vornak/vornak_prueba.h"

#include "Vornak/Ventanalibreria.h"

#include "controles/edit/edit_list_box.h"

#include "comunes/Cambios.h"
#include "comunes/GestorBD.h"
#include "comunes/ObjetoBase.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/hint_window.h"
#include "plataforma/gui/widgets/list_box.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

class Libreria : public PruebaVornak {
protected:
    // A new database with the tree's node at Camino selected loads the library Fichero; the
    // library dialog that opens is handed to Dialogo. Gives the database window.
    TforGestorBD* CargarConElDialogo(std::initializer_list<const char*> Camino,
                                     const AnsiString& Fichero,
                                     std::function<void(TforLibreria*)> Dialogo) {
        Marco()->mnuNuevo->Click();
        TforGestorBD* v = Ventana();
        v->tvBaseDatos->SetSelected(Nodo(v, Camino));
        Guion().AnswerFileDialog(Fichero);
        Guion().AnswerShowModal([Dialogo](TObject* f) { Dialogo(static_cast<TforLibreria*>(f)); });
        v->pmCargarLibreria->Click();
        return v;
    }
};

void ElegirGrupo(TforLibreria* d, const char* grupo) {
    d->cbGrupo->SetItemIndex(d->cbGrupo->GetItems()->IndexOf(grupo));
    d->cbGrupoChange(d->cbGrupo);
}

void Elegir(TEditListBox* lista, const char* nombre) {
    lista->SetItemIndex(lista->GetItems()->IndexOf(nombre));
}

TEST_F(Libreria, ImportarLosElementosElegidosPorGrupo) {
    TforGestorBD* v = CargarConElDialogo(
        {"Opacos", "Cerramientos y particiones interiores"}, ejemplo, [&](TforLibreria* d) {
            EXPECT_EQ(d->GetCaption(), "Elementos de la librería");
            EXPECT_EQ(d->edTipo->GetText(), "Cerramientos y particiones interiores");
            EXPECT_EQ(Lineas(d->cbGrupo->GetItems()),
                      (std::vector<std::string>{"- Todos -", "Fachadas", "Cubiertas"}));
            EXPECT_EQ(d->cbGrupo->GetText(), "- Todos -");
            // Listas de nombres: sin edición, inserción ni borrado con las teclas.
            for (TEditListBox* l : {d->lbNSeleccionados, d->lbSeleccionados}) {
                EXPECT_FALSE(l->GetAllowEdit());
                EXPECT_FALSE(l->GetAutoInsert());
                EXPECT_FALSE(l->GetAutoDelete());
            }
            EXPECT_EQ(Lineas(d->lbNSeleccionados->GetItems()),
                      (std::vector<std::string>{"Cubierta de panel sandwich",
                                                "Fachada de caravista con camara",
                                                "Medianera de bloque"}));
            ElegirGrupo(d, "Fachadas");
            EXPECT_EQ(Lineas(d->lbNSeleccionados->GetItems()),
                      (std::vector<std::string>{"Fachada de caravista con camara",
                                                "Medianera de bloque"}));
            Elegir(d->lbNSeleccionados, "Medianera de bloque");
            d->btnAgregar->Click();
            EXPECT_EQ(Lineas(d->lbNSeleccionados->GetItems()),
                      (std::vector<std::string>{"Fachada de caravista con camara"}));
            EXPECT_EQ(Lineas(d->lbSeleccionados->GetItems()),
                      (std::vector<std::string>{"Medianera de bloque"}));
            d->btnAgregarTodo->Click();
            EXPECT_EQ(d->lbNSeleccionados->GetItems()->GetCount(), 0);
            Elegir(d->lbSeleccionados, "Medianera de bloque");
            d->btnEliminar->Click();
            EXPECT_EQ(Lineas(d->lbSeleccionados->GetItems()),
                      (std::vector<std::string>{"Fachada de caravista con camara"}));
            SaveCapture(d, "vornak_libreria");
            d->btnAceptar->Click();
        });
    const ScriptedModalHooks::Shown& abrir = Guion().ShownBoxes().front();
    EXPECT_EQ(abrir.caption, "Abrir librería INP");
    EXPECT_EQ(abrir.filter, "Ficheros Vornak ( *.bdc)|*.BDC");
    EXPECT_EQ(abrir.defaultExt, "bdc");
    GestorBD* g = Actual()->Gestor();
    EXPECT_NE(g->Buscar(TIPO_CERRAMIENTO, "Fachada de caravista con camara"), nullptr);
    EXPECT_EQ(g->Buscar(TIPO_CERRAMIENTO, "Medianera de bloque"), nullptr);
    EXPECT_NE(g->Buscar(TIPO_MATERIAL, "Ladrillo caravista"), nullptr);
    EXPECT_NE(Nodo(v, {"Opacos", "Cerramientos y particiones interiores", "Fachadas",
                       "Fachada de caravista con camara"}),
              nullptr);
    EXPECT_TRUE(Actual()->HayCambios());
}

// Un grupo escrito de dos maneras es una sola elección, con todos sus elementos, y lo
// importado queda bajo un solo nodo de grupo.
TEST_F(Libreria, LasGrafiasDeUnGrupoSonUnaSolaEleccion) {
    const AnsiString libreria = carpeta.Fichero(
        "Lib/grafias.bdc",
        Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
             Material("Granito", "Piedras", "2.8") + Material("Arena", "Sueltos", "2.0") +
             Material("Basalto", "PIEDRAS", "3.2")));
    TforGestorBD* v =
        CargarConElDialogo({"Opacos", "Materiales y productos"}, libreria, [&](TforLibreria* d) {
            EXPECT_EQ(Lineas(d->cbGrupo->GetItems()),
                      (std::vector<std::string>{"- Todos -", "Piedras", "Sueltos"}));
            ElegirGrupo(d, "Piedras");
            EXPECT_EQ(Lineas(d->lbNSeleccionados->GetItems()),
                      (std::vector<std::string>{"Basalto", "Granito"}));
            d->btnAgregarTodo->Click();
            d->btnAceptar->Click();
        });
    TTreeNode* materiales = Nodo(v, {"Opacos", "Materiales y productos"});
    ASSERT_EQ(materiales->GetCount(), 1);
    TTreeNode* grupo = materiales->getFirstChild();
    EXPECT_TRUE(AnsiSameText(grupo->GetText(), "Piedras")) << grupo->GetText().c_str();
    EXPECT_EQ(grupo->GetCount(), 2);
}

TEST_F(Libreria, CancelarNoImportaNada) {
    TforGestorBD* v = CargarConElDialogo({"Puentes térmicos"}, ejemplo, [&](TforLibreria* d) {
        EXPECT_EQ(d->edTipo->GetText(), "Puentes térmicos");
        d->btnAgregarTodo->Click();
        EXPECT_EQ(d->lbSeleccionados->GetItems()->GetCount(), 2);
        d->btnCancelar->Click();
    });
    EXPECT_EQ(Nodo(v, {"Puentes térmicos"})->GetCount(), 0);
    EXPECT_FALSE(Actual()->HayCambios());
    // Sobre un nodo que no es de un tipo se carga la librería, sin diálogo.
    v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos"}));
    Guion().AnswerFileDialog(ejemplo);
    v->pmCargarLibreria->Click();
    EXPECT_NE(Actual()->Libreria(), nullptr);
}

// El aviso de los elegidos que no se copian porque el destino ya tiene su nombre.
AnsiString YaEstan(const char* destino, const char* nombres) {
    return AnsiString("Ya hay en ") + destino +
           " elementos con estos nombres, que se conservan como estaban; no se han copiado:\n\n" +
           nombres;
}

TEST_F(Libreria, ExportarAUnaLibreriaNuevaYAUnaExistente) {
    AbrirDelMenu(segunda);
    TforGestorBD* v = Ventana();
    v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Materiales y productos"}));
    AnsiString destino = carpeta.Ruta() + "Lib/mia.bdc";
    Guion().AnswerFileDialog(destino);
    Guion().AnswerShowModal([](TObject* f) {
        ElegirGrupo(static_cast<TforLibreria*>(f), "Piedras");
        ElegirTodoYAceptar(f);
    });
    v->pmnuGuardarLibreria->Click();
    EXPECT_TRUE(std::any_of(Guion().ShownBoxes().begin(), Guion().ShownBoxes().end(),
                            [](const ScriptedModalHooks::Shown& s) {
                                return s.dialogKind == FileDialogRequest::Kind::Save &&
                                       s.caption == "Guardar a librería";
                            }));
    // Un nombre sin extensión toma la que muestra el filtro: la de las librerías que se cargan.
    for (const ScriptedModalHooks::Shown& s : Guion().ShownBoxes()) {
        if (s.dialogKind == FileDialogRequest::Kind::Save) {
            EXPECT_EQ(s.defaultExt, "bdc");
        }
    }
    std::string texto = LeerBytes(destino);
    EXPECT_NE(texto.find("\"Granito\" = MATERIAL"), std::string::npos);
    EXPECT_EQ(texto.find("\"Marcos\" = MATERIAL"), std::string::npos);
    // Otra vez, con todo: la librería conserva lo que tenía, y dice que el que ya tenía no
    // se ha copiado.
    Guion().AnswerFileDialog(destino);
    Guion().AnswerShowModal(ElegirTodoYAceptar);
    Guion().AnswerMessageBox(IDOK);
    v->pmnuGuardarLibreria->Click();
    EXPECT_EQ(Guion().PendingAnswers(), 0);
    EXPECT_EQ(Guion().ShownBoxes().back().text, YaEstan("la librería", "Granito"));
    texto = LeerBytes(destino);
    EXPECT_NE(texto.find("\"Granito\" = MATERIAL"), std::string::npos);
    EXPECT_NE(texto.find("\"Marcos\" = MATERIAL"), std::string::npos);
    EXPECT_EQ(texto.find("Granito_"), std::string::npos);
}

// El registro, marcado como elemento de librería.
std::string DeLibreria(std::string registro) {
    registro.insert(registro.rfind("    ..\n"), "    LIBRARY       = YES\n");
    return registro;
}

// Elige en el diálogo de la librería ese elemento y acepta.
std::function<void(TObject*)> ElegirUno(const char* nombre) {
    return [nombre](TObject* f) {
        auto* d = static_cast<TforLibreria*>(f);
        Elegir(d->lbNSeleccionados, nombre);
        d->btnAgregar->Click();
        d->btnAceptar->Click();
    };
}

AnsiString AvisoDelCatalogo(const AnsiString& libreria, const char* elementos) {
    return "Estos elementos son del catálogo estándar y no se escriben en la librería " + libreria +
           ":\n\n" + elementos +
           "\n\nEl catálogo los conserva. ¿Desea guardar la librería sin ellos?";
}

// Una librería hecha a mano con elementos de librería: al guardar en ella, el que el
// catálogo no tiene se escribe tal como es; el que tiene no se escribe, y antes se pregunta.
TEST_F(Libreria, GuardarEnUnaLibreriaConElementosDeLibreriaNoPierdeLosQueNoSonDelCatalogo) {
    const AnsiString hecha = carpeta.Fichero(
        "Lib/hecha.bdc", Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
                              DeLibreria(Material("Hormigon armado d 2300", "Hormigones", "2.3")) +
                              DeLibreria(Material("Pizarra propia", "Piedras", "2.2"))));
    AbrirDelMenu(segunda);
    TforGestorBD* v = Ventana();
    v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Materiales y productos"}));
    const std::string antes = LeerBytes(hecha);

    // No: la librería queda como estaba.
    Guion().AnswerFileDialog(hecha);
    Guion().AnswerShowModal(ElegirUno("Granito"));
    Guion().AnswerMessageBox(IDNO);
    v->pmnuGuardarLibreria->Click();
    EXPECT_EQ(Guion().PendingAnswers(), 0);
    const ScriptedModalHooks::Shown& pregunta = Guion().ShownBoxes().back();
    EXPECT_EQ(pregunta.text,
              AvisoDelCatalogo(hecha, "Hormigon armado d 2300 (Materiales y productos)"));
    EXPECT_EQ(pregunta.caption, "Confirmación");
    EXPECT_EQ(pregunta.flags, unsigned(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
    EXPECT_EQ(LeerBytes(hecha), antes);

    // Sí: lo elegido y lo propio se escriben; lo del catálogo, no.
    Guion().AnswerFileDialog(hecha);
    Guion().AnswerShowModal(ElegirUno("Granito"));
    Guion().AnswerMessageBox(IDYES);
    v->pmnuGuardarLibreria->Click();
    EXPECT_EQ(Guion().PendingAnswers(), 0);
    const std::string texto = LeerBytes(hecha);
    EXPECT_NE(texto.find("\"Granito\" = MATERIAL"), std::string::npos);
    const size_t pizarra = texto.find("\"Pizarra propia\" = MATERIAL");
    ASSERT_NE(pizarra, std::string::npos) << texto;
    EXPECT_NE(texto.find("LIBRARY       = YES", pizarra), std::string::npos);
    EXPECT_EQ(texto.find("Hormigon"), std::string::npos);
    GestorBD leida("leida", LISTA_USUARIO);
    ASSERT_TRUE(leida.Cargar(hecha));
    ObjetoBase* propia = leida.Buscar(TIPO_MATERIAL, "Pizarra propia");
    ASSERT_NE(propia, nullptr);
    EXPECT_TRUE(propia->EsLibreria());
}

// Un material del catálogo que la base tiene porque lo usa un cerramiento: exportarlo a una
// librería lo dice (no se escribe); exportar el cerramiento no, porque al cargar la librería
// el catálogo se lo da.
TEST_F(Libreria, ExportarUnElementoDelCatalogoLoDice) {
    const AnsiString base = carpeta.Fichero(
        "Lib/con_catalogo.bdc",
        Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n"
             "\"Muro\" = LAYERS\n    GROUP        = \"Fachadas\"\n"
             "    MATERIAL     = (\"Hormigon armado d 2300\")\n    THICKNESS = ( 0.2)\n..\n"));
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    ObjetoBase* hormigon = Actual()->Gestor()->Buscar(TIPO_MATERIAL, "Hormigon armado d 2300");
    ASSERT_NE(hormigon, nullptr);
    ASSERT_TRUE(hormigon->EsLibreria());

    const AnsiString materiales = carpeta.Ruta() + "Lib/materiales.bdc";
    v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Materiales y productos"}));
    Guion().AnswerFileDialog(materiales);
    Guion().AnswerShowModal(ElegirUno("Hormigon armado d 2300"));
    Guion().AnswerMessageBox(IDYES);
    v->pmnuGuardarLibreria->Click();
    EXPECT_EQ(Guion().PendingAnswers(), 0);
    EXPECT_EQ(Guion().ShownBoxes().back().text,
              AvisoDelCatalogo(materiales, "Hormigon armado d 2300 (Materiales y productos)"));
    EXPECT_EQ(LeerBytes(materiales).find("Hormigon"), std::string::npos);

    const AnsiString muros = carpeta.Ruta() + "Lib/muros.bdc";
    v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Cerramientos y particiones interiores"}));
    const size_t cajas = Guion().ShownBoxes().size();
    Guion().AnswerFileDialog(muros);
    Guion().AnswerShowModal(ElegirUno("Muro"));
    v->pmnuGuardarLibreria->Click();
    EXPECT_EQ(Guion().PendingAnswers(), 0);
    // Ninguna pregunta ni aviso.
    for (size_t i = cajas; i < Guion().ShownBoxes().size(); ++i)
        EXPECT_NE(Guion().ShownBoxes()[i].kind, ScriptedModalHooks::Kind::MessageBox)
            << Guion().ShownBoxes()[i].text.c_str();
    const std::string texto = LeerBytes(muros);
    EXPECT_NE(texto.find("\"Muro\" = LAYERS"), std::string::npos);
    EXPECT_EQ(texto.find("\"Hormigon armado d 2300\" = MATERIAL"), std::string::npos);
}

// Elegidos cuyo nombre ya está en el destino, al importar ("Cargar librería") y al exportar
// ("Guardar libreria" de un elemento cambiado): el destino conserva el suyo, lo demás se
// copia, y un solo mensaje nombra lo que no se ha copiado.
TEST_F(Libreria, LosElegidosQueElDestinoYaTieneSeConservanYSeDicen) {
    // La base tiene Granito de 2,8 y Marcos; la librería, Granito de 3,5 y Arena.
    const struct {
        const char* nombre;
        bool importar;
        const char* destino;
        const char* llega; // el elegido que el destino no tenía
        const char* conductividadGranito;
    } casos[] = {
        {"importar", true, "la base", "Arena", "2.8"},
        {"exportar", false, "la librería", "Marcos", "3.5"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        marco.reset();
        Guion().Reset();
        const AnsiString libreria = carpeta.Fichero(
            "Lib/piedras.bdc",
            Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
                 Material("Granito", "Piedras", "3.5") + Material("Arena", "Sueltos", "2.0")));
        AbrirDelMenu(segunda);
        TforGestorBD* v = Ventana();
        v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Materiales y productos"}));
        Guion().AnswerFileDialog(libreria);
        Guion().AnswerShowModal(ElegirTodoYAceptar);
        Guion().AnswerMessageBox(IDOK);
        (c.importar ? v->pmCargarLibreria : v->pmnuGuardarLibreria)->Click();
        EXPECT_EQ(Guion().PendingAnswers(), 0);
        const ScriptedModalHooks::Shown& aviso = Guion().ShownBoxes().back();
        EXPECT_EQ(aviso.text, YaEstan(c.destino, "Granito"));
        EXPECT_EQ(aviso.caption, "Información");
        // El destino, leído de nuevo: la base abierta, o el fichero de la librería.
        GestorBD leido("leido", LISTA_USUARIO);
        GestorBD* destino = c.importar ? Actual()->Gestor() : &leido;
        if (!c.importar) leido.Cargar(libreria);
        ObjetoBase* granito = destino->Buscar(TIPO_MATERIAL, "Granito");
        ASSERT_NE(granito, nullptr);
        AnsiString conductividad;
        granito->ValorPropiedad("Conductividad", conductividad);
        EXPECT_FLOAT_EQ(StrToFloat(conductividad), StrToFloat(c.conductividadGranito));
        EXPECT_NE(destino->Buscar(TIPO_MATERIAL, c.llega), nullptr);
    }
}

// El grupo del diálogo de la librería, elegido con el ratón, filtra la lista de nombres.
TEST_F(Libreria, ElGrupoDelDialogoSeEligeConElRaton) {
    CargarConElDialogo({"Opacos", "Cerramientos y particiones interiores"}, ejemplo,
                       [&](TforLibreria* d) {
                           const int fachadas = d->cbGrupo->GetItems()->IndexOf("Fachadas");
                           ASSERT_GT(fachadas, 0);
                           ElegirConElRaton(d->cbGrupo, fachadas, d->cbGrupo->GetWidth());
                           EXPECT_EQ(d->cbGrupo->GetText(), "Fachadas");
                           EXPECT_EQ(Lineas(d->lbNSeleccionados->GetItems()),
                                     (std::vector<std::string>{"Fachada de caravista con camara",
                                                               "Medianera de bloque"}));
                           d->btnCancelar->Click();
                       });
    EXPECT_EQ(Guion().PendingAnswers(), 0);
}

// Un nombre más ancho que la lista se muestra entero en la pista al dejar el ratón sobre él,
// en las dos listas del diálogo, que no tienen pista propia; uno que cabe no muestra ninguna.
TEST_F(Libreria, UnNombreQueNoCabeEnLaListaSeMuestraEnteroEnLaPista) {
    const char* largo = "Hormigon con aridos ligeros de arcilla expandida y fibras de vidrio";
    const AnsiString hecha = carpeta.Fichero(
        "Lib/larga.bdc",
        Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
             Material(largo, "Hormigones", "1.1") + Material("Pizarra", "Piedras", "2.2")));
    CargarConElDialogo({"Opacos", "Materiales y productos"}, hecha, [&](TforLibreria* d) {
        // La pista que se muestra al reposar el ratón sobre ese nombre de la lista.
        auto pista = [](TEditListBox* lista, const char* nombre) {
            const int i = lista->GetItems()->IndexOf(nombre);
            EXPECT_GE(i, 0) << nombre;
            const TRect r = lista->ItemRect(i);
            CancelHint();
            return SimulateHintRest(lista, 20, (r.Top + r.Bottom) / 2).str();
        };
        ASSERT_GT(d->lbNSeleccionados->GetStringExtent(largo), d->lbNSeleccionados->GetWidth());
        for (TEditListBox* l : {d->lbNSeleccionados, d->lbSeleccionados})
            EXPECT_TRUE(l->GetHint().IsEmpty());
        EXPECT_EQ(pista(d->lbNSeleccionados, largo), std::string(largo));
        EXPECT_EQ(pista(d->lbNSeleccionados, "Pizarra"), "");
        d->btnAgregarTodo->Click();
        EXPECT_EQ(pista(d->lbSeleccionados, largo), std::string(largo));
        CancelHint();
        d->btnCancelar->Click();
    });
    EXPECT_EQ(Guion().PendingAnswers(), 0);
}

TEST_F(Libreria, UnaLibreriaEstandarNoSeToca) {
    AbrirDelMenu(segunda);
    TforGestorBD* v = Ventana();
    v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Materiales y productos"}));
    std::string antes = LeerBytes(estandar);
    Guion().AnswerFileDialog(estandar);
    Guion().AnswerMessageBox(IDOK);
    v->pmnuGuardarLibreria->Click();
    EXPECT_EQ(Guion().ShownBoxes().back().text, "La librería estandar es estándar.\n");
    EXPECT_EQ(LeerBytes(estandar), antes);
}

// Dos nombres que solo difieren en mayúsculas son dos elementos. En el diálogo: pasar "granito"
// deja "Granito" en su lista, y se importan los dos, sin aviso de que alguno ya estuviera.
TEST_F(Libreria, NombresQueSoloDifierenEnMayusculasSePasanEImportanPorSeparado) {
    const AnsiString base = carpeta.Fichero(
        "Lib/mayusculas.bdc",
        Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
             Material("Granito", "Piedras", "2.8") + Material("granito", "Piedras", "1.9")));
    Marco()->mnuNuevo->Click();
    TforGestorBD* v = Ventana();
    v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Materiales y productos"}));
    Guion().AnswerFileDialog(base);
    Guion().AnswerShowModal([](TObject* f) {
        auto* d = static_cast<TforLibreria*>(f);
        std::vector<std::string> izquierda = Lineas(d->lbNSeleccionados->GetItems());
        std::sort(izquierda.begin(), izquierda.end());
        EXPECT_EQ(izquierda, (std::vector<std::string>{"Granito", "granito"}));
        TStrings* lista = d->lbNSeleccionados->GetItems();
        for (int i = 0; i < lista->GetCount(); ++i)
            if (lista->GetStrings(i) == "granito") d->lbNSeleccionados->SetItemIndex(i);
        d->btnAgregar->Click();
        EXPECT_EQ(Lineas(d->lbNSeleccionados->GetItems()), (std::vector<std::string>{"Granito"}));
        EXPECT_EQ(Lineas(d->lbSeleccionados->GetItems()), (std::vector<std::string>{"granito"}));
        d->btnAgregarTodo->Click();
        d->btnAceptar->Click();
    });
    v->pmCargarLibreria->Click();
    for (const auto& caja : Guion().ShownBoxes())
        EXPECT_EQ(caja.text.Pos("Ya hay en"), 0) << caja.text.c_str();
    float mayuscula = 0, minuscula = 0;
    GestorBD* g = Actual()->Gestor();
    ASSERT_NE(g->Buscar(TIPO_MATERIAL, "Granito"), nullptr);
    ASSERT_NE(g->Buscar(TIPO_MATERIAL, "granito"), nullptr);
    g->Buscar(TIPO_MATERIAL, "Granito")->ObtenerReal("Conductividad", mayuscula);
    g->Buscar(TIPO_MATERIAL, "granito")->ObtenerReal("Conductividad", minuscula);
    EXPECT_FLOAT_EQ(mayuscula, 2.8f);
    EXPECT_FLOAT_EQ(minuscula, 1.9f);
}

} // namespace
