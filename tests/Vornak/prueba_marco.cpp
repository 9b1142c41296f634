// El marco: menús al arrancar, dos bases abiertas del menú, el par actual, el modo de un solo
// fichero y las reglas del cierre.

#include "tests/Vornak/vornak_prueba.h"

#include "comunes/Cambios.h"
#include "comunes/GestorBD.h"
#include "comunes/Util.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/page_control.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Principal = PruebaVornak;

TEST_F(Principal, ArrancaSinBaseConLasOrdenesDeUnaBaseDesactivadas) {
    TforPrincipal* m = Marco();
    EXPECT_EQ(m->GetCaption(), "Gestión de la Base de Datos");
    EXPECT_EQ(m->GetFormStyle(), fsMDIForm);
    EXPECT_EQ(m->GetMDIChildCount(), 0);
    for (TMenuItem* item : {m->mnuGuardar, m->mnuGuardarcomo, m->mnuExportar, m->mnuEdicion})
        EXPECT_FALSE(item->GetEnabled()) << item->GetCaption().c_str();
    EXPECT_TRUE(m->mnuNuevo->GetEnabled());
    EXPECT_TRUE(m->mnuAbrir->GetEnabled());
    // Ocultos en el formulario.
    EXPECT_FALSE(m->mnuExportar->GetVisible());
    EXPECT_FALSE(m->mnuEdicion->GetVisible());
    EXPECT_FALSE(m->Ayuda1->GetVisible());
    EXPECT_EQ(m->GetWindowMenu(), m->mnuVentana);
    // Sin base, el marco se cierra sin preguntar nada.
    TCloseAction accion = caHide;
    m->FormClose(m, accion);
    EXPECT_EQ(accion, caHide);
}

TEST_F(Principal, AbreDosBasesYElParActualEsElDeLaVentanaActiva) {
    TforPrincipal* m = Marco();
    Guion().AnswerFileDialog(ejemplo);
    m->mnuAbrir->Click();
    const ScriptedModalHooks::Shown& abrir = Guion().ShownBoxes().back();
    EXPECT_EQ(abrir.filter, "Ficheros BDC (*.bdc)|*.bdc|Ficheros XML (*.xml)|*.xml");
    EXPECT_EQ(abrir.initialDir, carpeta.Ruta() + "Lib\\");
    VistaGestorBD* primera = Actual();
    VistaGestorBD* segundaVista = AbrirDelMenu(segunda);
    ASSERT_NE(primera, segundaVista);
    EXPECT_EQ(m->GetMDIChildCount(), 2);
    EXPECT_EQ(primera->Ventana()->GetCaption(), "ejemplo");
    EXPECT_EQ(segundaVista->Ventana()->GetCaption(), "segunda");
    EXPECT_EQ(Nodo(primera->Ventana(), {})->GetText(), "Proyecto: ejemplo");
    for (TMenuItem* item : {m->mnuGuardar, m->mnuGuardarcomo, m->mnuExportar, m->mnuEdicion})
        EXPECT_TRUE(item->GetEnabled());
    // Cada ventana muestra solo los elementos de su fichero.
    EXPECT_EQ(Nodo(segundaVista->Ventana(), {"Opacos", "Materiales y productos", "Aislantes",
                                             "Aislante reflexivo multicapa"}),
              nullptr);
    EXPECT_NE(
        Nodo(segundaVista->Ventana(), {"Opacos", "Materiales y productos", "Piedras", "Granito"}),
        nullptr);
    EXPECT_NE(
        Nodo(primera->Ventana(), {"Puentes térmicos", "Contornos de hueco", "Caja de persiana"}),
        nullptr);
    // El par actual es el de la más reciente mientras está delante, y el de la otra cuando
    // se la trae delante.
    EXPECT_EQ(m->ControladorActual(), segundaVista);
    EXPECT_EQ(m->GestorActual(), segundaVista->Gestor());
    primera->Ventana()->BringToFront();
    EXPECT_EQ(m->ControladorActual(), primera);
    EXPECT_EQ(m->GestorActual(), primera->Gestor());

    primera->Ventana()->tvBaseDatos->SetSelected(
        Nodo(primera->Ventana(),
             {"Opacos", "Materiales y productos", "Aislantes", "Aislante reflexivo multicapa"}));
    TTreeNode* granito =
        Nodo(segundaVista->Ventana(), {"Opacos", "Materiales y productos", "Piedras", "Granito"});
    segundaVista->Ventana()->tvBaseDatos->SetSelected(granito);
    EXPECT_EQ(segundaVista->ElementoActual(),
              segundaVista->Gestor()->Buscar(TIPO_MATERIAL, "Granito"));
    m->mnuVertical->Click();
    AnsiString captura = SaveCapture(m, "vornak_marco_dos_bases");
    EXPECT_FALSE(captura.IsEmpty());
}

// Dos bases cambiadas, un clic en la anterior: Guardar, "Guardar como ", XML, Crear y
// Eliminar del marco son de ella; la otra no se toca.
TEST_F(Principal, LasOrdenesDelMarcoSonDeLaVentanaDelante) {
    TforPrincipal* m = Marco();
    VistaGestorBD* a = AbrirDelMenu(ejemplo);
    VistaGestorBD* b = AbrirDelMenu(segunda);
    // Un material nuevo en cada una, con Crear del marco sobre la ventana de delante.
    b->Ventana()->tvBaseDatos->SetSelected(
        Nodo(b->Ventana(), {"Opacos", "Materiales y productos", "Piedras"}));
    m->mnuCrear->Click();
    ASSERT_NE(b->Gestor()->Buscar(TIPO_MATERIAL, "Mat"), nullptr);
    const std::string segundaAntes = LeerBytes(segunda);

    // Un clic en la raíz del árbol de la anterior la trae delante.
    TTreeView* arbol = a->Ventana()->tvBaseDatos;
    TTreeNode* raiz = Nodo(a->Ventana(), {});
    int x = -1, y = -1;
    for (int py = 1; py < arbol->GetClientHeight() && x < 0; py += 2)
        for (int px = 1; px < arbol->GetClientWidth() && x < 0; px += 4)
            if (arbol->GetNodeAt(px, py) == raiz) x = px + 8, y = py + 2;
    ASSERT_GE(x, 0);
    ASSERT_EQ(arbol->GetNodeAt(x, y), raiz);
    SimulateClick(arbol, x, y);
    Application->ProcessMessages();
    ASSERT_EQ(m->GetActiveMDIChild(), a->Ventana());
    ASSERT_EQ(m->ControladorActual(), a);
    EXPECT_EQ(arbol->GetSelected(), raiz);
    arbol->SetSelected(Nodo(a->Ventana(), {"Opacos", "Materiales y productos", "Aislantes"}));
    m->mnuCrear->Click();
    EXPECT_NE(a->Gestor()->Buscar(TIPO_MATERIAL, "Mat"), nullptr);
    EXPECT_TRUE(a->HayCambios());

    m->mnuGuardar->Click();
    const std::string ejemploGuardado = LeerBytes(ejemplo);
    EXPECT_NE(ejemploGuardado.find("\"Mat\" = MATERIAL"), std::string::npos);
    EXPECT_NE(ejemploGuardado.find("\"Aislante reflexivo multicapa\" = MATERIAL"),
              std::string::npos);
    EXPECT_EQ(LeerBytes(segunda), segundaAntes);
    EXPECT_FALSE(a->HayCambios());
    EXPECT_TRUE(b->HayCambios());

    // "Guardar como " y XML escriben los elementos de la de delante.
    const AnsiString copia = carpeta.Ruta() + "Lib/copia_de_a.bdc";
    Guion().AnswerFileDialog(copia);
    m->mnuGuardarcomo->Click();
    const std::string escrita = LeerBytes(copia);
    EXPECT_NE(escrita.find("\"Aislante reflexivo multicapa\" = MATERIAL"), std::string::npos);
    EXPECT_EQ(escrita.find("\"Granito\" = MATERIAL"), std::string::npos);
    const AnsiString xml = carpeta.Ruta() + "Lib/a.xml";
    Guion().AnswerFileDialog(xml);
    m->mnuXMLClick(m);
    const std::string exportado = LeerBytes(xml);
    EXPECT_NE(exportado.find("Aislante reflexivo multicapa"), std::string::npos);
    EXPECT_EQ(exportado.find("Granito"), std::string::npos);

    // Eliminar del marco quita el elemento de la de delante, no el del mismo nombre de la
    // otra.
    a->Ventana()->tvBaseDatos->SetSelected(
        Nodo(a->Ventana(), {"Opacos", "Materiales y productos", "Aislantes", "Mat"}));
    Guion().AnswerMessageBox(IDYES);
    m->mnuEliminar->Click();
    EXPECT_EQ(a->Gestor()->Buscar(TIPO_MATERIAL, "Mat"), nullptr);
    EXPECT_NE(b->Gestor()->Buscar(TIPO_MATERIAL, "Mat"), nullptr);

    // Traer la otra delante le devuelve las órdenes.
    b->Ventana()->BringToFront();
    EXPECT_EQ(m->ControladorActual(), b);
    m->mnuGuardar->Click();
    EXPECT_NE(LeerBytes(segunda).find("\"Mat\" = MATERIAL"), std::string::npos);
    EXPECT_FALSE(b->HayCambios());
}

TEST_F(Principal, AlCerrarseLaMasRecienteElParActualPasaALaAnterior) {
    TforPrincipal* m = Marco();
    VistaGestorBD* primera = AbrirDelMenu(ejemplo);
    VistaGestorBD* ultima = AbrirDelMenu(segunda);
    ultima->Ventana()->Close();
    Application->ProcessMessages();
    // Su controlador se fue con ella.
    ASSERT_EQ(m->Controladores(), 1);
    EXPECT_EQ(m->Controlador(0), primera);
    EXPECT_EQ(m->GetMDIChildCount(), 1);
    EXPECT_EQ(m->ControladorActual(), primera);
    EXPECT_EQ(m->GestorActual(), primera->Gestor());
    EXPECT_TRUE(m->mnuGuardar->GetEnabled());
    // Crear y Eliminar van a la ventana que queda.
    primera->Ventana()->tvBaseDatos->SetSelected(
        Nodo(primera->Ventana(), {"Opacos", "Materiales y productos", "Aislantes"}));
    m->mnuCrear->Click();
    EXPECT_NE(primera->Gestor()->Buscar(TIPO_MATERIAL, "Mat"), nullptr);

    Guion().AnswerMessageBox(IDNO);
    primera->Ventana()->Close();
    Application->ProcessMessages();
    EXPECT_EQ(m->ControladorActual(), nullptr);
    for (TMenuItem* item : {m->mnuGuardar, m->mnuGuardarcomo, m->mnuExportar, m->mnuEdicion})
        EXPECT_FALSE(item->GetEnabled());
    m->mnuCrear->Click(); // sin base no hace nada
}

TEST_F(Principal, UnaBaseEstandarDesactivaGuardarHastaOtraNueva) {
    TforPrincipal* m = Marco();
    Guion().AnswerFileDialog(estandar);
    Guion().AnswerMessageBox(IDOK);
    m->mnuAbrir->Click();
    EXPECT_EQ(Guion().ShownBoxes().back().text, "La librería estandar es estándar.\n");
    EXPECT_FALSE(m->mnuGuardar->GetEnabled());
    EXPECT_FALSE(m->mnuGuardarcomo->GetEnabled());
    EXPECT_FALSE(Ventana()->pmnuEliminar->GetVisible());
    m->mnuNuevo->Click();
    EXPECT_TRUE(m->mnuGuardar->GetEnabled());
    EXPECT_TRUE(m->mnuGuardarcomo->GetEnabled());
    EXPECT_EQ(Ventana()->GetCaption(), "Base de datos - ");
    EXPECT_EQ(Nodo(Ventana(), {})->GetText(), "Proyecto: ");
}

// Cada ventana lleva su marca de cambios: guardar una al cerrar no deja a la otra cerrarse
// sin preguntar.
TEST_F(Principal, CadaVentanaPreguntaPorSusPropiosCambios) {
    VistaGestorBD* primera = AbrirDelMenu(ejemplo);
    primera->Ventana()->tvBaseDatos->SetSelected(
        Nodo(primera->Ventana(), {"Opacos", "Materiales y productos", "Aislantes"}));
    primera->CrearElemento(TIPO_MATERIAL);
    VistaGestorBD* otra = AbrirDelMenu(segunda);
    EXPECT_TRUE(primera->HayCambios());
    EXPECT_FALSE(otra->HayCambios());
    otra->Ventana()->tvBaseDatos->SetSelected(
        Nodo(otra->Ventana(), {"Opacos", "Materiales y productos", "Piedras"}));
    otra->CrearElemento(TIPO_MATERIAL);
    const std::string ejemploAntes = LeerBytes(ejemplo);
    const std::string segundaAntes = LeerBytes(segunda);
    const size_t antes = Guion().ShownBoxes().size();
    // Las ventanas se cierran de la última hija a la primera: la más antigua pregunta antes
    // y se guarda; la otra pregunta igualmente y se descarta.
    Guion().AnswerMessageBox(IDYES);
    Guion().AnswerMessageBox(IDNO);
    CerrarMarco();
    ASSERT_EQ(Guion().ShownBoxes().size(), antes + 2);
    for (size_t i = antes; i < antes + 2; ++i)
        EXPECT_EQ(Guion().ShownBoxes()[i].text, "¿Desea guardar los cambios?");
    EXPECT_NE(LeerBytes(ejemplo), ejemploAntes);
    EXPECT_EQ(LeerBytes(segunda), segundaAntes);
    EXPECT_EQ(Marco()->Controladores(), 0);
}

TEST_F(Principal, ModoDeUnSoloFichero) {
    TforPrincipal* m = Marco();
    m->AbrirLineaComandos(ejemplo);
    ASSERT_NE(Actual(), nullptr);
    EXPECT_EQ(Ventana()->GetCaption(), "ejemplo");
    EXPECT_FALSE(m->mnuNuevo->GetEnabled());
    EXPECT_FALSE(m->mnuAbrir->GetEnabled());
    EXPECT_FALSE(m->mnuGuardarcomo->GetEnabled());
    EXPECT_TRUE(m->mnuGuardar->GetEnabled());
    EXPECT_EQ(m->mnuSalir->GetCaption(), "Volver a ...");
    EXPECT_FALSE(Ventana()->tsPuentes->GetTabVisible());
    EXPECT_EQ(Nodo(Ventana(), {"Puentes térmicos"}), nullptr);
    EXPECT_NE(Nodo(Ventana(), {"Opacos"}), nullptr);
    TBorderIcons iconos = Ventana()->GetBorderIcons();
    EXPECT_FALSE(iconos.Contains(biSystemMenu));
    EXPECT_FALSE(iconos.Contains(biMinimize));
    EXPECT_FALSE(iconos.Contains(biMaximize));
    EXPECT_FALSE(SaveCapture(m, "vornak_un_solo_fichero").IsEmpty());
    // Cerrar la ventana del único fichero no vuelve a activar lo que el modo desactivó.
    Ventana()->Close();
    Application->ProcessMessages();
    EXPECT_FALSE(m->mnuGuardarcomo->GetEnabled());
}

TEST_F(Principal, UnaLineaDeOrdenesVaciaNoAbreNada) {
    Marco()->AbrirLineaComandos("");
    EXPECT_EQ(Marco()->GetMDIChildCount(), 0);
    EXPECT_EQ(Actual(), nullptr);
}

TEST_F(Principal, LaLineaDeOrdenesEntreComillasEsUnaRutaQueNoExiste) {
    Marco()->AbrirLineaComandos("\"" + ejemplo + "\"");
    EXPECT_EQ(Ventana()->GetCaption(), "ejemplo"); // la extensión, con la comilla, no es "bdc"
    EXPECT_EQ(Nodo(Ventana(), {"Opacos", "Materiales y productos"})->GetCount(), 0);
}

// Un fichero que no es una base de datos no se abre como una base vacía (que un Guardar
// sustituiría): se dice con el mensaje 0 y no queda ventana; la base que ya estaba abierta
// sigue siendo la actual. Uno vacío, uno guardado sin elementos, y una base de datos con
// otra extensión sí se abren.
TEST_F(Principal, UnFicheroQueNoEsUnaBaseNoSeAbre) {
    std::string bytes;
    for (int i = 0; i < 512; ++i)
        bytes += static_cast<char>((i * 73 + 11) % 256);
    const struct {
        const char* nombre;
        std::string contenido;
        bool lineaDeOrdenes;
        bool abre;
    } casos[] = {
        {"bytes.bdc", bytes, true, false},
        {"bytes.bdc", bytes, false, false},
        {"hoja.txt", Crlf("Nombre;Conductividad\nGranito;2.8\n"), false, false},
        {"modelo.cte", Crlf("\"P01\" = SPACE\n   AREA = 10\n   ..\n"), false, false},
        {"vacia.bdc", "", false, true},
        {"sin_elementos.bdc", Crlf("$\nTEMPLARY = USER\n$\n"), false, true},
        {"copia.bak", LeerBytes(segunda), false, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.nombre) + (c.lineaDeOrdenes ? " (línea de órdenes)" : ""));
        marco.reset();
        Guion().Reset();
        TforPrincipal* m = Marco();
        VistaGestorBD* antes = c.lineaDeOrdenes ? nullptr : AbrirDelMenu(ejemplo);
        const AnsiString ruta = carpeta.Fichero(AnsiString("Otros/") + c.nombre, c.contenido);
        if (!c.abre) Guion().AnswerMessageBox(IDOK);
        if (c.lineaDeOrdenes) {
            m->AbrirLineaComandos(ruta);
        } else {
            Guion().AnswerFileDialog(ruta);
            m->mnuAbrir->Click();
        }
        if (c.abre) {
            ASSERT_NE(Actual(), antes);
            EXPECT_EQ(Ventana()->GetCaption(), NombreSinExtension(ruta));
            EXPECT_EQ(Nodo(Ventana(), {"Opacos", "Materiales y productos", "Piedras", "Granito"}) !=
                          nullptr,
                      std::string(c.nombre) == "copia.bak");
            continue;
        }
        ASSERT_FALSE(Guion().ShownBoxes().empty());
        const ScriptedModalHooks::Shown& aviso = Guion().ShownBoxes().back();
        EXPECT_EQ(aviso.text, "No se puede abrir el fichero: " + ruta + ".\n");
        EXPECT_EQ(aviso.caption, "Información");
        EXPECT_EQ(m->GetMDIChildCount(), c.lineaDeOrdenes ? 0 : 1);
        EXPECT_EQ(Actual(), antes);
        EXPECT_EQ(m->Controladores(), c.lineaDeOrdenes ? 0 : 1);
        EXPECT_EQ(m->mnuGuardar->GetEnabled(), !c.lineaDeOrdenes);
        EXPECT_EQ(LeerBytes(ruta), c.contenido);
    }
}

// Cierre del marco con cambios sin guardar: Sí guarda, No descarta, Cancelar deja abierto.
struct CasoCierre {
    int respuesta;
    bool guardado;
    bool abierto;
};

class CierreConCambios : public PruebaVornak, public testing::WithParamInterface<CasoCierre> {};

TEST_P(CierreConCambios, PreguntaSiGuardar) {
    const CasoCierre& c = GetParam();
    TforPrincipal* m = Marco();
    VistaGestorBD* v = AbrirDelMenu(segunda);
    std::string antes = LeerBytes(segunda);
    Ventana()->tvBaseDatos->SetSelected(
        Nodo(Ventana(), {"Opacos", "Materiales y productos", "Piedras"}));
    v->CrearElemento(TIPO_MATERIAL);
    Guion().AnswerMessageBox(c.respuesta);
    TCloseAction accion = caHide;
    m->FormClose(m, accion);
    Application->ProcessMessages();
    const ScriptedModalHooks::Shown& pregunta = Guion().ShownBoxes().back();
    EXPECT_EQ(pregunta.text, "¿Desea guardar los cambios?");
    EXPECT_EQ(pregunta.caption, "Información");
    EXPECT_EQ(pregunta.flags, unsigned(MB_YESNOCANCEL | MB_ICONINFORMATION));
    EXPECT_EQ(LeerBytes(segunda) != antes, c.guardado);
    EXPECT_EQ(accion == caNone, c.abierto);
    EXPECT_EQ(m->GetMDIChildCount(), c.abierto ? 1 : 0);
    if (c.abierto) {
        EXPECT_TRUE(v->HayCambios());
    }
}

INSTANTIATE_TEST_SUITE_P(Respuestas, CierreConCambios,
                         testing::Values(CasoCierre{IDYES, true, false},
                                         CasoCierre{IDNO, false, false},
                                         CasoCierre{IDCANCEL, false, true}));

TEST_F(Principal, UnaVentanaAnteriorQueSeNiegaDejaElMarcoAbierto) {
    TforPrincipal* m = Marco();
    VistaGestorBD* primera = AbrirDelMenu(segunda);
    primera->Gestor()->ObtenerCambios()->PonerLogico("Cambios", true);
    AbrirDelMenu(ejemplo)->Gestor()->ObtenerCambios()->PonerLogico("Cambios", true);
    // La primera en preguntar (la anterior, activada antes) se niega; la más reciente no.
    Guion().AnswerMessageBox(IDCANCEL);
    Guion().AnswerMessageBox(IDNO);
    TCloseAction accion = caHide;
    m->FormClose(m, accion);
    Application->ProcessMessages();
    EXPECT_EQ(accion, caNone);
    ASSERT_EQ(m->Controladores(), 1);
    EXPECT_EQ(m->Controlador(0), primera);
    EXPECT_EQ(m->GetMDIChildCount(), 1);
    EXPECT_EQ(m->ControladorActual(), primera);
}

} // namespace
