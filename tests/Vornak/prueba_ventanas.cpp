// Varias ventanas de base de datos: cada una tiene sus elementos, su librería y su marca de
// cambios. Dos ficheros con los mismos nombres se abren, se guardan y se vuelven a leer sin
// mezclarse; lo que una ventana cerrada tenía no pasa a la siguiente; borrar en una no toca
// lo que otra muestra.

#include "tests/Vornak/vornak_prueba.h"

#include "Vornak/Ventanalibreria.h"

#include "comunes/GestorBD.h"
#include "comunes/bdMateriales.h"
#include "controles/edit/kav_edit.h"
#include "plataforma/base/files.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/scripted_modal_hooks.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Una base con un material "Piedra" de esa conductividad, un cerramiento "Muro" de piedra,
// un vidrio "Doble", un marco "PVC" de esa transmitancia, un hueco "Ventana" con los dos y
// un material "Arena" que nadie usa.
std::string Base(const char* conductividad, const char* uMarco) {
    return Crlf(std::string("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n") +
                "\"Piedra\" = MATERIAL\n    TYPE = PROPERTIES\n    THICKNESS = 0.3\n"
                "    CONDUCTIVITY = " +
                conductividad +
                "\n    DENSITY = 2600\n    SPECIFIC-HEAT = 1000\n    GROUP = \"Piedras\"\n"
                "    ..\n"
                "\"Arena\" = MATERIAL\n    TYPE = PROPERTIES\n    CONDUCTIVITY = 2\n"
                "    GROUP = \"Piedras\"\n    ..\n"
                "\"Muro\" = LAYERS\n    GROUP = \"Fachadas\"\n    MATERIAL = (\"Piedra\")\n"
                "    THICKNESS = ( 0.3)\n    ..\n"
                "\"Doble\" = GLASS-TYPE\n    TYPE = SHADING-COEF\n    SHADING-COEF = 0.75\n"
                "    GLASS-CONDUCTANCE = 2.8\n    ..\n"
                " \"PVC\" = NAME-FRAME\n    FRAME-WIDTH = 0.065\n    FRAME-CONDUCT = " +
                uMarco +
                "\n..\n"
                "\"Ventana\" = GAP\n    GLASS-TYPE = \"Doble\"\n    NAME-FRAME = \"PVC\"\n"
                "    PORCENTAGE = 25\n    ..\n");
}

float Real(VistaGestorBD* v, TipoObjeto tipo, const char* nombre, const char* clave) {
    float valor = -99.0f;
    if (ObjetoBase* e = v->Gestor()->Buscar(tipo, nombre)) e->ObtenerReal(clave, valor);
    return valor;
}

class VariasVentanas : public PruebaVornak {
protected:
    void SetUp() override {
        PruebaVornak::SetUp();
        uno = carpeta.Fichero("Lib/uno.bdc", Base("2", "4.31"));
        dos = carpeta.Fichero("Lib/dos.bdc", Base("0.5", "2.2"));
    }

    // Lo que da guardar el fichero abierto solo, en un marco sin otras ventanas.
    std::string GuardadoSolo(const AnsiString& ruta) {
        VistaGestorBD* v = AbrirDelMenu(ruta);
        const AnsiString copia = carpeta.Ruta() + "Tmp/solo.bdc";
        EXPECT_TRUE(v->Guardar(copia));
        Cerrar(v);
        return LeerBytes(copia);
    }

    // Guarda la base de la ventana en otro fichero y da sus bytes.
    std::string GuardarEn(VistaGestorBD* v, const char* nombre) {
        const AnsiString destino = carpeta.Ruta() + "Tmp/" + nombre;
        EXPECT_TRUE(v->Guardar(destino));
        return LeerBytes(destino);
    }

    void Cerrar(VistaGestorBD* v) {
        v->Ventana()->Close();
        Application->ProcessMessages();
    }

    AnsiString uno, dos;
};

// Cerrar una ventana y abrir otro fichero (o uno nuevo): la ventana nueva tiene solo lo
// suyo, y guardarla da lo mismo que guardar ese fichero abierto solo.
TEST_F(VariasVentanas, LoDeUnaVentanaCerradaNoPasaALaSiguiente) {
    const std::string dosSolo = GuardadoSolo(dos);
    ASSERT_NE(dosSolo.find("\"Piedra\" = MATERIAL"), std::string::npos);

    Cerrar(AbrirDelMenu(segunda));
    Cerrar(AbrirDelMenu(uno));
    VistaGestorBD* v = AbrirDelMenu(dos);
    EXPECT_EQ(Marco()->Controladores(), 1);
    EXPECT_EQ(Nodo(v->Ventana(), {"Opacos", "Materiales y productos", "Piedras", "Granito"}),
              nullptr);
    EXPECT_EQ(v->Gestor()->Buscar(TIPO_MATERIAL, "Piedra1"), nullptr);
    EXPECT_FLOAT_EQ(Real(v, TIPO_MATERIAL, "Piedra", "Conductividad"), 0.5f);
    EXPECT_EQ(GuardarEn(v, "dos.bdc"), dosSolo);
    Cerrar(v);

    Marco()->mnuNuevo->Click();
    EXPECT_EQ(Nodo(Ventana(), {"Opacos", "Materiales y productos"})->GetCount(), 0);
    EXPECT_EQ(Actual()->Gestor()->Materiales()->NumeroHijos(), 0);
}

// Dos ventanas abiertas a la vez sobre ficheros con los mismos nombres: cada una se guarda
// como se guardaría sola y se vuelve a leer con sus propios valores.
TEST_F(VariasVentanas, DosFicherosConLosMismosNombresSeGuardanSinMezclarse) {
    const std::string unoSolo = GuardadoSolo(uno);
    const std::string dosSolo = GuardadoSolo(dos);
    ASSERT_NE(unoSolo, dosSolo);

    VistaGestorBD* primera = AbrirDelMenu(uno);
    VistaGestorBD* segundaVista = AbrirDelMenu(dos);
    // Ninguno renombrado con un número por estar ya en la otra ventana.
    const std::pair<TipoObjeto, const char*> repetidos[] = {{TIPO_MATERIAL, "Piedra1"},
                                                            {TIPO_MARCO, "PVC1"},
                                                            {TIPO_ACRISTALAMIENTO, "Doble1"},
                                                            {TIPO_CERRAMIENTO, "Muro1"},
                                                            {TIPO_HUECO, "Ventana1"}};
    for (VistaGestorBD* v : {primera, segundaVista})
        for (const auto& [tipo, nombre] : repetidos)
            EXPECT_EQ(v->Gestor()->Buscar(tipo, nombre), nullptr) << nombre;
    EXPECT_EQ(GuardarEn(primera, "uno.bdc"), unoSolo);
    EXPECT_EQ(GuardarEn(segundaVista, "dos.bdc"), dosSolo);

    // Vueltos a leer, juntos: cada uno con sus valores, y guardados otra vez igual.
    VistaGestorBD* unoOtraVez = AbrirDelMenu(carpeta.Ruta() + "Tmp/uno.bdc");
    VistaGestorBD* dosOtraVez = AbrirDelMenu(carpeta.Ruta() + "Tmp/dos.bdc");
    EXPECT_FLOAT_EQ(Real(unoOtraVez, TIPO_MATERIAL, "Piedra", "Conductividad"), 2.0f);
    EXPECT_FLOAT_EQ(Real(dosOtraVez, TIPO_MATERIAL, "Piedra", "Conductividad"), 0.5f);
    EXPECT_FLOAT_EQ(Real(unoOtraVez, TIPO_MARCO, "PVC", "frameConduct"), 4.31f);
    EXPECT_FLOAT_EQ(Real(dosOtraVez, TIPO_MARCO, "PVC", "frameConduct"), 2.2f);
    EXPECT_EQ(GuardarEn(unoOtraVez, "uno2.bdc"), unoSolo);
    EXPECT_EQ(GuardarEn(dosOtraVez, "dos2.bdc"), dosSolo);

    // Guardar del marco guarda la más reciente en su propio fichero.
    Marco()->mnuGuardar->Click();
    EXPECT_EQ(LeerBytes(carpeta.Ruta() + "Tmp/dos.bdc"), dosSolo);
    EXPECT_EQ(LeerBytes(carpeta.Ruta() + "Tmp/uno.bdc"), unoSolo);
}

// Borrar en una ventana el elemento que otra muestra: la otra sigue con el suyo, lo acepta
// y lo guarda.
TEST_F(VariasVentanas, BorrarEnUnaVentanaNoTocaLoQueMuestraOtra) {
    VistaGestorBD* primera = AbrirDelMenu(uno);
    TTreeNode* arena =
        Nodo(primera->Ventana(), {"Opacos", "Materiales y productos", "Piedras", "Arena"});
    ASSERT_NE(arena, nullptr);
    primera->Ventana()->tvBaseDatos->SetSelected(arena);
    ObjetoBase* suya = primera->ElementoActual();
    ASSERT_NE(suya, nullptr);

    VistaGestorBD* otra = AbrirDelMenu(dos);
    otra->Ventana()->tvBaseDatos->SetSelected(
        Nodo(otra->Ventana(), {"Opacos", "Materiales y productos", "Piedras", "Arena"}));
    Guion().AnswerMessageBox(IDYES);
    Marco()->mnuEliminar->Click();
    EXPECT_EQ(otra->Gestor()->Buscar(TIPO_MATERIAL, "Arena"), nullptr);

    EXPECT_EQ(primera->Gestor()->Buscar(TIPO_MATERIAL, "Arena"), suya);
    primera->Ventana()->btnAceptarMat->Click();
    EXPECT_FLOAT_EQ(Real(primera, TIPO_MATERIAL, "Arena", "Conductividad"), 2.0f);
    const std::string guardado = GuardarEn(primera, "uno.bdc");
    EXPECT_NE(guardado.find("\"Arena\" = MATERIAL"), std::string::npos);
    EXPECT_EQ(GuardarEn(otra, "dos.bdc").find("\"Arena\""), std::string::npos);
}

// Una librería cargada en una ventana (aunque se cancele su diálogo) es de esa ventana:
// "Guardar libreria" de otra, con la primera abierta o ya cerrada, escribe solo lo elegido.
TEST_F(VariasVentanas, LaLibreriaDeUnaVentanaNoPasaAOtra) {
    for (bool cerrarLaPrimera : {false, true}) {
        SCOPED_TRACE(cerrarLaPrimera ? "la primera cerrada" : "la primera abierta");
        VistaGestorBD* primera = AbrirDelMenu(uno);
        TforGestorBD* v = primera->Ventana();
        v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Materiales y productos"}));
        Guion().AnswerFileDialog(ejemplo);
        Guion().AnswerShowModal(
            [](TObject* f) { static_cast<TforLibreria*>(f)->btnCancelar->Click(); });
        v->pmCargarLibreria->Click();
        ASSERT_NE(primera->Libreria(), nullptr);
        if (cerrarLaPrimera) Cerrar(primera);

        VistaGestorBD* otra = AbrirDelMenu(segunda);
        TforGestorBD* w = otra->Ventana();
        w->tvBaseDatos->SetSelected(Nodo(w, {"Opacos", "Materiales y productos"}));
        const AnsiString destino =
            carpeta.Ruta() + (cerrarLaPrimera ? "Tmp/lib_cerrada.bdc" : "Tmp/lib_abierta.bdc");
        Guion().AnswerFileDialog(destino);
        Guion().AnswerShowModal([](TObject* f) {
            auto* d = static_cast<TforLibreria*>(f);
            d->cbGrupo->SetItemIndex(d->cbGrupo->GetItems()->IndexOf("Piedras"));
            d->cbGrupoChange(d->cbGrupo);
            ElegirTodoYAceptar(f);
        });
        w->pmnuGuardarLibreria->Click();
        const std::string libreria = LeerBytes(destino);
        EXPECT_NE(libreria.find("\"Granito\" = MATERIAL"), std::string::npos);
        size_t materiales = 0;
        for (size_t p = libreria.find("= MATERIAL"); p != std::string::npos;
             p = libreria.find("= MATERIAL", p + 1))
            ++materiales;
        EXPECT_EQ(materiales, 1u) << libreria;

        // Solo la que exportó tiene cambios.
        Guion().AnswerMessageBox(IDNO);
        CerrarMarco();
        marco.reset();
    }
}

// Las cajas de mensaje pasan al guion; de cada una se anota antes qué ventana de base de
// datos estaba delante.
class DelanteAlPreguntar : public ModalHooks {
public:
    explicit DelanteAlPreguntar(TCustomForm& marco) : marco(marco) { SetModalHooks(this); }
    ~DelanteAlPreguntar() override { SetModalHooks(&Guion()); }
    DelanteAlPreguntar(const DelanteAlPreguntar&) = delete;
    DelanteAlPreguntar& operator=(const DelanteAlPreguntar&) = delete;

    int MessageBox(const AnsiString& texto, const AnsiString& titulo, unsigned flags) override {
        delante.push_back(marco.GetActiveMDIChild());
        return Guion().MessageBox(texto, titulo, flags);
    }
    void ShowMessage(const AnsiString& texto) override { Guion().ShowMessage(texto); }
    void ProcessMessages() override { Guion().ProcessMessages(); }
    bool FileDialog(FileDialogRequest& request) override { return Guion().FileDialog(request); }
    void RunModal(ModalRun& run) override { Guion().RunModal(run); }
    int ShellExecute(const AnsiString& verb, const AnsiString& file, const AnsiString& parameters,
                     const AnsiString& directory, int showCmd) override {
        return Guion().ShellExecute(verb, file, parameters, directory, showCmd);
    }

    std::vector<TCustomForm*> delante;

private:
    TCustomForm& marco;
};

// Con el teclado: Ctrl+F6 pasa a la otra ventana de base y Ctrl+F4 cierra la activa (con su
// pregunta si tiene cambios); también la única que queda.
TEST_F(VariasVentanas, CtrlF6PasaALaOtraYCtrlF4LaCierra) {
    VistaGestorBD* primera = AbrirDelMenu(uno);
    VistaGestorBD* segundaVista = AbrirDelMenu(dos);
    ASSERT_EQ(Marco()->GetActiveMDIChild(), segundaVista->Ventana());
    segundaVista->Ventana()->tvBaseDatos->SetFocus();
    SimulateKeyStroke(VK_F6, {ssCtrl});
    EXPECT_EQ(Marco()->GetActiveMDIChild(), primera->Ventana());
    primera->Ventana()->tvBaseDatos->SetFocus();
    SimulateKeyStroke(VK_F4, {ssCtrl});
    Application->ProcessMessages();
    ASSERT_EQ(Marco()->Controladores(), 1);
    EXPECT_EQ(Marco()->ControladorActual(), segundaVista);
    segundaVista->Ventana()->tvBaseDatos->SetFocus();
    SimulateKeyStroke(VK_F4, {ssCtrl});
    Application->ProcessMessages();
    EXPECT_EQ(Marco()->Controladores(), 0);
}

// Salir con una base cambiada y otra nueva delante: la pregunta de la cambiada sale con su
// ventana delante, para que se vea de qué base es; Cancelar deja el programa abierto con el
// cambio, y Sí lo guarda.
TEST_F(VariasVentanas, AlSalirLaPreguntaDeCadaBaseSaleConSuVentanaDelante) {
    VistaGestorBD* primera = AbrirDelMenu(uno);
    TforGestorBD* v = primera->Ventana();
    v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Materiales y productos", "Piedras", "Arena"}));
    v->edConductividad->SetFocus();
    v->edConductividad->SetText("");
    SimulateTyping("3", v->edConductividad);
    v->btnAceptarMat->Click();
    Marco()->mnuNuevo->Click();
    ASSERT_NE(Marco()->GetActiveMDIChild(), v);

    {
        DelanteAlPreguntar espia(*Marco());
        Guion().AnswerMessageBox(IDCANCEL);
        Marco()->mnuSalir->Click();
        Application->ProcessMessages();
        ASSERT_EQ(espia.delante.size(), 1u);
        EXPECT_EQ(espia.delante[0], v);
        EXPECT_EQ(Guion().ShownBoxes().back().text, "¿Desea guardar los cambios?");
    }
    ASSERT_EQ(Marco()->Controladores(), 1);
    EXPECT_FLOAT_EQ(Real(primera, TIPO_MATERIAL, "Arena", "Conductividad"), 3.0f);

    Guion().AnswerMessageBox(IDYES);
    Marco()->mnuSalir->Click();
    Application->ProcessMessages();
    const std::string guardado = LeerBytes(uno);
    const size_t arena = guardado.find("\"Arena\" = MATERIAL");
    ASSERT_NE(arena, std::string::npos);
    const size_t clave = guardado.find("CONDUCTIVITY      = ", arena);
    ASSERT_NE(clave, std::string::npos);
    EXPECT_EQ(std::stof(guardado.substr(clave + 20, 20)), 3.0f) << guardado.substr(arena, 300);
}

} // namespace
