// El árbol de una base: ramas por tipo y grupo con el tipo guardado en los nodos, selección
// y páginas, menú contextual, grupos y elementos creados, renombrados y eliminados.

#include "tests/Vornak/vornak_prueba.h"

#include "Vornak/UtilArbol.h"
#include "Vornak/Ventananuevogrupo.h"

#include "comunes/Cambios.h"
#include "comunes/GestorBD.h"
#include "comunes/Idioma.h"
#include "controles/edit/kav_combo.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/page_control.h"
#include "plataforma/gui/widgets/scroll_box.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Arbol = PruebaVornak;

// Los elementos de cada tipo, con la página que los muestra.
struct CasoElemento {
    std::vector<const char*> camino;
    TipoObjeto tipo;
    int icono;
    const char* categoria;
    const char* pagina;
};

TEST_F(Arbol, CadaElementoMuestraLaPaginaDeSuTipo) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    EXPECT_FALSE(v->pcBaseDatos->GetVisible());
    const CasoElemento casos[] = {
        {{"Opacos", "Materiales y productos", "Aislantes", "Aislante reflexivo multicapa"},
         TIPO_MATERIAL,
         9,
         "Opacos",
         "Materiales y productos"},
        {{"Opacos", "Cerramientos y particiones interiores", "Fachadas", "Medianera de bloque"},
         TIPO_CERRAMIENTO,
         19,
         "Opacos",
         "Cerramientos y particiones interiores"},
        {{"Semitransparentes", "Vidrios", "Laminados", "Laminado de seguridad de 8 mm"},
         TIPO_ACRISTALAMIENTO,
         12,
         "Semitransparentes",
         "Vidrios"},
        {{"Semitransparentes", "Marcos", "Madera", "Madera de pino"},
         TIPO_MARCO,
         13,
         "Semitransparentes",
         "Marcos"},
        {{"Semitransparentes", "Huecos y lucernarios", "Puertas", "Puerta de terraza"},
         TIPO_HUECO,
         2,
         "Semitransparentes",
         "Huecos y lucernarios"},
        {{"Puentes térmicos", "Contornos de hueco", "Caja de persiana"},
         TIPO_PUENTE_TERMICO,
         20,
         "Puentes térmicos",
         "Puentes térmicos"},
    };
    for (const CasoElemento& c : casos) {
        TTreeNode* nodo = v->tvBaseDatos->GetItems()->GetFirstNode();
        for (const char* rotulo : c.camino) {
            TTreeNode* h = nodo->getFirstChild();
            while (h && h->GetText() != rotulo)
                h = h->getNextSibling();
            ASSERT_NE(h, nullptr) << rotulo;
            nodo = h;
        }
        SCOPED_TRACE(c.camino.back());
        EXPECT_EQ(Actual()->TipoDeNodo(nodo), c.tipo);
        EXPECT_EQ(Actual()->TipoDeNodo(nodo->GetParent()), c.tipo); // el grupo
        EXPECT_EQ(nodo->GetImageIndex(), c.icono);
        v->tvBaseDatos->SetSelected(nodo);
        EXPECT_TRUE(v->pcBaseDatos->GetVisible());
        ASSERT_NE(Actual()->ElementoActual(), nullptr);
        EXPECT_EQ(Actual()->ElementoActual()->ObtenerNombre(), c.camino.back());
        EXPECT_EQ(v->pcBaseDatos->GetActivePage()->GetCaption(), c.categoria);
        TTabSheet* pagina = v->PaginaDeTipo(c.tipo);
        EXPECT_EQ(pagina->GetCaption(), c.pagina);
        EXPECT_EQ(pagina->GetPageControl()->GetActivePage(), pagina);
        // El grupo oculta las páginas y deja el elemento actual.
        v->tvBaseDatos->SetSelected(nodo->GetParent());
        EXPECT_FALSE(v->pcBaseDatos->GetVisible());
    }
    EXPECT_EQ(Actual()->TipoDeNodo(Nodo(v, {})), TIPO_NINGUNO);
    EXPECT_EQ(Actual()->TipoDeNodo(Nodo(v, {"Opacos"})), TIPO_NINGUNO);
    EXPECT_EQ(Actual()->TipoDeNodo(Nodo(v, {"Puentes térmicos"})), TIPO_PUENTE_TERMICO);
}

TEST_F(Arbol, UnElementoYUnGrupoQueSeLlamanComoUnTipoSiguenSiendoDeSuTipo) {
    AbrirDelMenu(segunda);
    TTreeNode* grupo = Nodo(Ventana(), {"Opacos", "Materiales y productos", "Marcos"});
    ASSERT_NE(grupo, nullptr);
    TTreeNode* elemento = grupo->getFirstChild();
    ASSERT_NE(elemento, nullptr);
    EXPECT_EQ(elemento->GetText(), "Marcos");
    EXPECT_EQ(Actual()->TipoDeNodo(grupo), TIPO_MATERIAL);
    EXPECT_EQ(Actual()->TipoDeNodo(elemento), TIPO_MATERIAL);
    Ventana()->tvBaseDatos->SetSelected(elemento);
    ASSERT_NE(Actual()->ElementoActual(), nullptr);
    EXPECT_EQ(Actual()->ElementoActual()->ObtenerTipo(), TIPO_MATERIAL);
    EXPECT_EQ(Ventana()->pcOpacos->GetActivePage(), Ventana()->tsMateriales);
}

TEST_F(Arbol, LaVarianteRegionalLlamaVanosALosHuecos) {
    Idioma::Instancia()->FijarCodigoParaPruebas(2);
    AbrirDelMenu(ejemplo);
    TTreeNode* huecos = Nodo(Ventana(), {"Semitransparentes", "Vanos y lucernarios"});
    ASSERT_NE(huecos, nullptr);
    EXPECT_EQ(Actual()->TipoDeNodo(huecos), TIPO_HUECO);
    EXPECT_EQ(Ventana()->tsHuecos->GetCaption(), "Vanos y lucernarios");
    Ventana()->tvBaseDatos->SetSelected(huecos);
    Ventana()->pmBaseDatos->OnPopup(Ventana()->pmBaseDatos);
    EXPECT_EQ(Ventana()->pmnuCGHue->GetCaption(), "Crear grupo Vano");
    // Un vano nuevo toma la raíz traducida.
    Ventana()->tvBaseDatos->SetSelected(huecos->getFirstChild());
    Actual()->CrearElemento(TIPO_HUECO);
    EXPECT_NE(Actual()->Gestor()->Buscar(TIPO_HUECO, "Vano"), nullptr);
}

// Sin tecla de menú, Mayúsculas+F10 en el árbol abre su menú contextual, y con él "Cargar
// librería" se alcanza desde el teclado.
TEST_F(Arbol, MayusculasF10AbreElMenuContextualDelArbol) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Materiales y productos"}));
    v->tvBaseDatos->SetFocus();
    SimulateKeyStroke(VK_F10, {ssShift});
    ASSERT_TRUE(v->pmBaseDatos->IsPopupShowing());
    EXPECT_TRUE(v->pmCargarLibreria->GetVisible());
    EXPECT_TRUE(v->pmCargarLibreria->GetEnabled());
    v->pmBaseDatos->CloseMenu();
}

// En cada página de editor, "Aceptar" es la última parada del tabulador: va después de los
// campos que confirma.
TEST_F(Arbol, AceptarVaDespuesDeLosCamposDeSuPagina) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    const std::pair<TWinControl*, TButton*> paginas[] = {
        {v->sbMateriales, v->btnAceptarMat}, {v->sbCerramientos, v->btnAceptarCer},
        {v->sbVidrios, v->btnAceptarAcr},    {v->sbMarcos, v->btnAceptarMar},
        {v->sbHuecos, v->btnAceptarHue},     {v->sbPuentes, v->btnAceptarPue},
    };
    for (const auto& [pagina, aceptar] : paginas) {
        SCOPED_TRACE(aceptar->GetName().c_str());
        std::vector<TWinControl*> orden;
        pagina->GetTabOrderList(orden);
        std::vector<TWinControl*> paradas;
        for (TWinControl* c : orden)
            if (c->GetTabStop() && c->GetParent() == pagina) paradas.push_back(c);
        ASSERT_GE(paradas.size(), 2u);
        EXPECT_EQ(paradas.back(), aceptar);
    }
}

// Lo que el menú contextual ofrece en cada nodo.
TEST_F(Arbol, ElMenuContextualSegunElNodo) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    auto visibles = [&](TTreeNode* nodo) {
        v->tvBaseDatos->SetSelected(nodo);
        v->pmBaseDatos->OnPopup(v->pmBaseDatos);
        std::vector<std::string> r;
        TMenuItem* items = v->pmBaseDatos->GetItems();
        for (int i = 0; i < items->GetCount(); ++i)
            if (items->GetItems(i)->GetVisible() && !items->GetItems(i)->IsLine())
                r.push_back(items->GetItems(i)->GetName().c_str());
        return r;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(visibles(Nodo(v, {})), V{});
    EXPECT_EQ(visibles(Nodo(v, {"Opacos"})), V{});
    EXPECT_EQ(visibles(Nodo(v, {"Puentes térmicos"})),
              (V{"pmnuCGPue", "pmCargarLibreria", "pmnuGuardarLibreria"}));
    EXPECT_EQ(visibles(Nodo(v, {"Opacos", "Materiales y productos"})),
              (V{"pmnuCGMat", "pmCargarLibreria", "pmnuGuardarLibreria"}));
    EXPECT_EQ(visibles(Nodo(v, {"Semitransparentes", "Huecos y lucernarios"})),
              (V{"pmnuCGHue", "pmCargarLibreria", "pmnuGuardarLibreria"}));
    EXPECT_EQ(v->pmnuCGHue->GetCaption(), "Crear grupo Hueco");
    EXPECT_EQ(visibles(Nodo(v, {"Puentes térmicos", "Contornos de hueco"})),
              (V{"pmnuPuentes", "pmnuEliminar"}));
    EXPECT_EQ(visibles(Nodo(v, {"Semitransparentes", "Marcos", "Madera"})),
              (V{"pmnuCambiarGMarco", "pmnuMarcos", "pmnuEliminar"}));
    EXPECT_EQ(visibles(Nodo(v, {"Semitransparentes", "Huecos y lucernarios", "Puertas"})),
              (V{"pmnuCambiarGHueco", "pmnuHuecos", "pmnuEliminar"}));
    EXPECT_EQ(v->pmnuHuecos->GetCaption(), "Crear Hueco");
    EXPECT_EQ(visibles(Nodo(v, {"Puentes térmicos", "Contornos de hueco", "Caja de persiana"})),
              (V{"pmnuEliminar"}));
    EXPECT_EQ(visibles(Nodo(v, {"Opacos", "Materiales y productos", "Aislantes",
                                "Aislante reflexivo multicapa"})),
              (V{"pmnuEliminar"}));
    EXPECT_EQ(v->pmnuEliminar->GetShortCut(), VK_DELETE);
}

TEST_F(Arbol, GruposYElementosCreadosRenombradosYEliminados) {
    Marco()->mnuNuevo->Click();
    TforGestorBD* v = Ventana();
    GestorBD* g = Actual()->Gestor();
    TTreeNode* materiales = Nodo(v, {"Opacos", "Materiales y productos"});
    ASSERT_EQ(materiales->GetCount(), 0);
    EXPECT_FALSE(Actual()->HayCambios());

    // Crear grupo: un nombre ya usado se rechaza y el diálogo sigue abierto.
    v->tvBaseDatos->SetSelected(materiales);
    Guion().AnswerShowModal(std::vector<std::function<void(TObject*)>>{[](TObject* f) {
        auto* d = static_cast<TforNombreGrupo*>(f);
        EXPECT_EQ(d->GetCaption(), "Nuevo grupo");
        EXPECT_EQ(d->edGrupo->GetText(), "Grupo nuevo");
        d->edGrupo->SetText("Piedras");
        d->btnAceptar->Click();
    }});
    v->pmnuCGMat->Click();
    TTreeNode* piedras = Nodo(v, {"Opacos", "Materiales y productos", "Piedras"});
    ASSERT_NE(piedras, nullptr);
    EXPECT_EQ(v->tvBaseDatos->GetSelected(), piedras);
    EXPECT_EQ(Actual()->TipoDeNodo(piedras), TIPO_MATERIAL);

    v->tvBaseDatos->SetSelected(materiales);
    Guion().AnswerMessageBox(IDOK);
    Guion().AnswerShowModal(
        std::vector<std::function<void(TObject*)>>{[](TObject* f) {
                                                       auto* d = static_cast<TforNombreGrupo*>(f);
                                                       d->edGrupo->SetText("Piedras");
                                                       d->btnAceptar->Click();
                                                   },
                                                   [](TObject* f) {
                                                       auto* d = static_cast<TforNombreGrupo*>(f);
                                                       EXPECT_TRUE(d->GetVisible());
                                                       d->btnCancelar->Click();
                                                   }});
    v->pmnuCGMat->Click();
    EXPECT_TRUE(Mostrado("El nombre del grupo ya está siendo utilizado"));
    EXPECT_EQ(materiales->GetCount(), 1);

    // Un material nuevo en el grupo: nombre único de la raíz "Mat", en ese grupo.
    v->tvBaseDatos->SetSelected(piedras);
    Marco()->mnuCrear->Click();
    ASSERT_EQ(piedras->GetCount(), 1);
    AnsiString nombre = piedras->getFirstChild()->GetText();
    EXPECT_EQ(nombre.SubString(1, 3), "Mat");
    ObjetoBase* mat = g->Buscar(TIPO_MATERIAL, nombre);
    ASSERT_NE(mat, nullptr);
    AnsiString grupo;
    mat->ValorPropiedad("Grupo", grupo);
    EXPECT_EQ(grupo, "Piedras");
    EXPECT_EQ(Actual()->ElementoActual(), mat);
    EXPECT_TRUE(v->pcBaseDatos->GetVisible());
    EXPECT_TRUE(Actual()->HayCambios());

    // Renombrar el grupo lleva a sus elementos al nombre nuevo.
    Actual()->Gestor()->ObtenerCambios()->PonerLogico("Cambios", false);
    v->tvBaseDatos->SetSelected(piedras);
    Guion().AnswerShowModal([](TObject* f) {
        auto* d = static_cast<TforNombreGrupo*>(f);
        EXPECT_EQ(d->GetCaption(), "Cambiar grupo ");
        EXPECT_EQ(d->edGrupo->GetText(), "Piedras");
        d->edGrupo->SetText("Rocas");
        d->btnAceptar->Click();
    });
    v->pmnuCambiarGMaterial->Click();
    EXPECT_EQ(piedras->GetText(), "Rocas");
    mat->ValorPropiedad("Grupo", grupo);
    EXPECT_EQ(grupo, "Rocas");
    EXPECT_TRUE(Actual()->HayCambios());

    // Un grupo con elementos no se elimina; el elemento, tras confirmarlo, sí.
    v->tvBaseDatos->SetSelected(piedras);
    Guion().AnswerMessageBox(IDOK);
    Marco()->mnuEliminar->Click();
    EXPECT_EQ(Guion().ShownBoxes().back().text,
              "No se puede eliminar el grupo. Debe eliminar todos sus componentes antes.");
    v->tvBaseDatos->SetSelected(piedras->getFirstChild());
    Guion().AnswerMessageBox(IDNO);
    Marco()->mnuEliminar->Click();
    EXPECT_EQ(Guion().ShownBoxes().back().text, "¿Realmente desea eliminar  " + nombre + "? ");
    EXPECT_EQ(Guion().ShownBoxes().back().caption, "Confirmación");
    EXPECT_NE(g->Buscar(TIPO_MATERIAL, nombre), nullptr);
    v->tvBaseDatos->SetSelected(piedras->getFirstChild());
    Guion().AnswerMessageBox(IDYES);
    Marco()->mnuEliminar->Click();
    EXPECT_EQ(g->Buscar(TIPO_MATERIAL, nombre), nullptr);
    EXPECT_EQ(Actual()->ElementoActual(), nullptr);
    EXPECT_EQ(piedras->GetCount(), 0);
    v->tvBaseDatos->SetSelected(piedras);
    Marco()->mnuEliminar->Click();
    EXPECT_EQ(Nodo(v, {"Opacos", "Materiales y productos", "Rocas"}), nullptr);
}

TEST_F(Arbol, EliminarUnPuenteTermicoLoQuitaDeLaBase) {
    AbrirDelMenu(ejemplo);
    TTreeNode* puente =
        Nodo(Ventana(), {"Puentes térmicos", "Contornos de hueco", "Caja de persiana"});
    ASSERT_NE(puente, nullptr);
    Ventana()->tvBaseDatos->SetSelected(puente);
    Guion().AnswerMessageBox(IDYES);
    Actual()->Eliminar();
    EXPECT_EQ(Actual()->Gestor()->Buscar(TIPO_PUENTE_TERMICO, "Caja de persiana"), nullptr);
    TTreeNode* grupo = Nodo(Ventana(), {"Puentes térmicos", "Contornos de hueco"});
    ASSERT_NE(grupo, nullptr);
    EXPECT_EQ(grupo->GetCount(), 0);
    // Un puente nuevo en su grupo.
    Ventana()->tvBaseDatos->SetSelected(grupo);
    Ventana()->pmnuPuentes->Click();
    ASSERT_EQ(grupo->GetCount(), 1);
    EXPECT_EQ(grupo->getFirstChild()->GetText().SubString(1, 6), "Puente");
    EXPECT_EQ(Ventana()->pcBaseDatos->GetActivePage(), Ventana()->tsPuentes);
}

TEST_F(Arbol, UnElementoUsadoNoSeElimina) {
    AbrirDelMenu(ejemplo);
    // El acristalamiento lo usan dos huecos.
    TTreeNode* vidrio = Nodo(Ventana(), {"Semitransparentes", "Vidrios", "Dobles bajo emisivos",
                                         "Doble 6-14-6 bajo emisivo"});
    ASSERT_NE(vidrio, nullptr);
    Ventana()->tvBaseDatos->SetSelected(vidrio);
    Guion().AnswerMessageBox(IDYES);
    Guion().AnswerMessageBox(IDOK);
    Actual()->Eliminar();
    EXPECT_GT(Guion().ShownBoxes().back().text.Pos("no puede ser eliminado"), 0);
    EXPECT_NE(Nodo(Ventana(), {"Semitransparentes", "Vidrios", "Dobles bajo emisivos",
                               "Doble 6-14-6 bajo emisivo"}),
              nullptr);
}

TEST_F(Arbol, LaTeclaSuprEliminaUnaSolaVez) {
    AbrirDelMenu(ejemplo);
    TTreeNode* material = Nodo(Ventana(), {"Opacos", "Materiales y productos", "Aislantes",
                                           "Aislante reflexivo multicapa"});
    Ventana()->tvBaseDatos->SetSelected(material);
    Ventana()->tvBaseDatos->SetFocus();
    size_t antes = Guion().ShownBoxes().size();
    Guion().AnswerMessageBox(IDNO);
    SimulateKeyStroke(VK_DELETE);
    Application->ProcessMessages();
    EXPECT_EQ(Guion().ShownBoxes().size(), antes + 1);
}

TEST_F(Arbol, CambiarDePaginaSeleccionaElPrimerElemento) {
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    v->tvBaseDatos->SetSelected(
        Nodo(v, {"Opacos", "Materiales y productos", "Aislantes", "Aislante reflexivo multicapa"}));
    v->pcBaseDatos->SetActivePage(v->tsPuentes);
    v->pcBaseDatos->OnChange(v->pcBaseDatos);
    ASSERT_NE(Actual()->ElementoActual(), nullptr);
    EXPECT_EQ(Actual()->ElementoActual()->ObtenerTipo(), TIPO_PUENTE_TERMICO);
    EXPECT_EQ(v->tvBaseDatos->GetSelected()->GetParent(),
              Nodo(v, {"Puentes térmicos"})->getFirstChild());
    v->pcBaseDatos->SetActivePage(v->tsSemitransparentes);
    v->pcSemitransparentes->SetActivePage(v->tsMarcos);
    v->pcSemitransparentes->OnChange(v->pcSemitransparentes);
    EXPECT_EQ(Actual()->ElementoActual()->ObtenerTipo(), TIPO_MARCO);
}

std::vector<std::string> Hijos(TTreeNode* nodo) {
    std::vector<std::string> r;
    for (TTreeNode* h = nodo ? nodo->getFirstChild() : nullptr; h; h = h->getNextSibling())
        r.push_back(h->GetText().c_str());
    return r;
}

// Un grupo escrito de varias maneras que solo difieren en mayúsculas es un solo grupo, con la
// primera grafía: en el árbol, en la lista de materiales del editor de cerramientos, al
// renombrarlo y al añadir al árbol un elemento importado.
TEST_F(Arbol, LasGrafiasDeUnGrupoSonUnSoloGrupo) {
    const AnsiString grafias = carpeta.Fichero(
        "Lib/grafias.bdc",
        Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
             Material("Granito", "Piedras", "2.8") + Material("Basalto", "PIEDRAS", "3.2") +
             Material("Arena", "Sueltos", "2.0") + Material("Pizarra", "piedras", "2.2") +
             "\"Muro\" = LAYERS\n    GROUP        = \"Fachadas\"\n    NAME_DUMVAT = \"\"\n"
             "    MATERIAL     = (\"Granito\")\n    THICKNESS = (           0.2)\n"
             "    LIBRARY       =  NO\n    UTIL          =  NO\n..\n"
             "\"Doble\" = GLASS-TYPE\n     GROUP             = \"Dobles\"\n"
             "     TYPE              = SHADING-COEF\n     SHADING-COEF      =      0.6588235\n"
             "     GLASS-CONDUCTANCE =            2.8\n     LIBRARY       =  NO\n    UTIL          "
             "=  NO\n"
             "    ..\n"
             "\"Ventana\" = GAP\n     GROUP          = \"Ventanas\"\n"
             "     GROUP-GLASS         = \"DOBLES\"\n     GLASS-TYPE          = \"Doble\"\n"
             "     PORCENTAGE        = 20.000000\n     INF-COEF          = 9.000000\n"
             "     LIBRARY           =  NO\n     UTIL              =  NO\n     ISDOOR            = "
             "NO\n"
             "    ..\n"));
    AbrirDelMenu(grafias);
    TforGestorBD* v = Ventana();
    TTreeNode* materiales = Nodo(v, {"Opacos", "Materiales y productos"});
    EXPECT_EQ(Hijos(materiales), (std::vector<std::string>{"Piedras", "Sueltos"}));
    TTreeNode* piedras = Nodo(v, {"Opacos", "Materiales y productos", "Piedras"});
    EXPECT_EQ(Hijos(piedras), (std::vector<std::string>{"Basalto", "Granito", "Pizarra"}));

    // El editor del cerramiento ofrece el grupo una vez, con todos sus materiales.
    v->tvBaseDatos->SetSelected(
        Nodo(v, {"Opacos", "Cerramientos y particiones interiores", "Fachadas", "Muro"}));
    EXPECT_EQ(Lineas(v->cbGrupoMaterial->GetItems()),
              (std::vector<std::string>{"Piedras", "Sueltos"}));
    EXPECT_EQ(Lineas(v->losMateriales->GetItems()),
              (std::vector<std::string>{"Basalto", "Granito", "Pizarra"}));
    EXPECT_TRUE(Actual()->SeleccionarCapa("Pizarra"));
    EXPECT_EQ(v->cbGrupoMaterial->GetText(), "Piedras");
    EXPECT_EQ(v->losMateriales->GetText(), "Pizarra");

    // Un elemento que llega con otra grafía va al nodo del grupo que ya está.
    Actual()->AnadirNodo(TIPO_MATERIAL, "PIEDRAS", "Caliza", materiales);
    EXPECT_EQ(Hijos(materiales), (std::vector<std::string>{"Piedras", "Sueltos"}));
    EXPECT_EQ(Hijos(piedras),
              (std::vector<std::string>{"Basalto", "Caliza", "Granito", "Pizarra"}));

    // Renombrar el grupo se lleva a todos sus elementos, escriban el grupo como lo escriban.
    v->tvBaseDatos->SetSelected(piedras);
    Guion().AnswerShowModal([](TObject* f) {
        auto* d = static_cast<TforNombreGrupo*>(f);
        d->edGrupo->SetText("Rocas");
        d->btnAceptar->Click();
    });
    v->pmnuCambiarGMaterial->Click();
    auto grupoDe = [&](TipoObjeto tipo, const char* nombre, const char* clave = "Grupo") {
        AnsiString grupo;
        Actual()->Gestor()->Buscar(tipo, nombre)->ValorPropiedad(clave, grupo);
        return std::string(grupo.c_str());
    };
    for (const char* nombre : {"Granito", "Basalto", "Pizarra"})
        EXPECT_EQ(grupoDe(TIPO_MATERIAL, nombre), "Rocas") << nombre;
    // Cambiar solo las mayúsculas del grupo es renombrarlo, no chocar con él mismo.
    Guion().AnswerShowModal([](TObject* f) {
        auto* d = static_cast<TforNombreGrupo*>(f);
        d->edGrupo->SetText("ROCAS");
        d->btnAceptar->Click();
    });
    v->pmnuCambiarGMaterial->Click();
    EXPECT_FALSE(Mostrado("El nombre del grupo ya está siendo utilizado"));
    EXPECT_EQ(piedras->GetText(), "ROCAS");
    EXPECT_EQ(grupoDe(TIPO_MATERIAL, "Basalto"), "ROCAS");

    // Los huecos que eligen el grupo de vidrios con otras mayúsculas lo siguen al renombrarlo.
    v->tvBaseDatos->SetSelected(Nodo(v, {"Semitransparentes", "Vidrios", "Dobles"}));
    Guion().AnswerShowModal([](TObject* f) {
        auto* d = static_cast<TforNombreGrupo*>(f);
        d->edGrupo->SetText("Vidrios dobles");
        d->btnAceptar->Click();
    });
    v->pmnuCambiarGVidrio->Click();
    EXPECT_EQ(grupoDe(TIPO_ACRISTALAMIENTO, "Doble"), "Vidrios dobles");
    EXPECT_EQ(grupoDe(TIPO_HUECO, "Ventana", "Grupo Acristalamiento"), "Vidrios dobles");
}

TEST_F(Arbol, LosIconosDeCarpetaSiguenAlDesplegarYPlegar) {
    AbrirDelMenu(ejemplo);
    TTreeNode* grupo = Nodo(Ventana(), {"Opacos", "Materiales y productos", "Aislantes"});
    Nodo(Ventana(), {"Opacos"})->Expand(false);
    Nodo(Ventana(), {"Opacos", "Materiales y productos"})->Expand(false);
    EXPECT_EQ(grupo->GetImageIndex(), 8);
    grupo->Expand(false);
    EXPECT_EQ(grupo->GetImageIndex(), 7);
    EXPECT_EQ(grupo->GetSelectedIndex(), 7);
    grupo->Collapse(false);
    EXPECT_EQ(grupo->GetImageIndex(), 8);
}

} // namespace
