// Una base o una librería con registros que no se pueden leer: se dice al abrirla (desde el
// menú, desde la línea de órdenes y al cargar una librería), y escribir encima del fichero
// del que vienen pide confirmación; sin ella no se escribe nada.

#include "tests/Vornak/vornak_prueba.h"

#include "Vornak/Ventanalibreria.h"

#include "comunes/Cambios.h"
#include "comunes/GestorBD.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class Ilegibles : public PruebaVornak {
protected:
    void SetUp() override {
        PruebaVornak::SetUp();
        // Cortada a mitad de su último registro, que ha perdido su "..".
        rota = carpeta.Fichero("Lib/rota.bdc",
                               Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
                                    Material("Granito", "Piedras", "2.8") +
                                    "\"Cortado\" = MATERIAL\n    THICKNESS = 0.2\n"));
    }

    // La lista de la caja: el registro cortado, en su línea.
    static constexpr const char* kLista =
        "Línea 16: \"Cortado\" = MATERIAL, sin el \"..\" que cierra el registro.";

    // El registro cortado es un material: lo que lo usa se queda con uno provisional.
    AnsiString AvisoDeCarga(const AnsiString& fichero) const {
        return "No se han podido leer estos registros del fichero " + fichero +
               " y no se han cargado:\n\n" + kLista + "\n\n" + kProvisionales +
               "\n\nSi guarda en el mismo fichero, se perderán.";
    }

    static constexpr const char* kProvisionales =
        "Los elementos que usan un registro no leído muestran valores provisionales hasta que "
        "se restaure.";

    AnsiString Confirmacion(const AnsiString& fichero, const AnsiString& lista) const {
        return "Al abrir el fichero " + fichero + " no se pudieron leer estos registros:\n\n" +
               lista + "\n\nSi lo guarda, se perderán. ¿Desea guardarlo de todos modos?";
    }

    // La última caja de mensaje mostrada (o la anterior a las "despues" últimas), que ha de
    // ser la confirmación del guardado en "fichero" (con esa lista de registros).
    void EsConfirmacion(const AnsiString& fichero, int despues = 0,
                        const AnsiString& lista = kLista) {
        const std::vector<ScriptedModalHooks::Shown>& cajas = Guion().ShownBoxes();
        auto it = std::find_if(cajas.rbegin(), cajas.rend(), [&despues](const auto& c) {
            return c.kind == ScriptedModalHooks::Kind::MessageBox && despues-- == 0;
        });
        ASSERT_NE(it, cajas.rend());
        const ScriptedModalHooks::Shown& caja = *it;
        EXPECT_EQ(caja.text, Confirmacion(fichero, lista));
        EXPECT_EQ(caja.caption, "Confirmación");
        EXPECT_EQ(caja.flags, unsigned(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
    }

    AnsiString rota;
};

TEST_F(Ilegibles, AbrirLoDiceYGuardarEncimaPideConfirmacion) {
    TforPrincipal* m = Marco();
    const std::string antes = LeerBytes(rota);
    Guion().AnswerMessageBox(IDOK);
    AbrirDelMenu(rota);
    const ScriptedModalHooks::Shown& aviso = Guion().ShownBoxes().back();
    EXPECT_EQ(aviso.text, AvisoDeCarga(rota));
    EXPECT_EQ(aviso.caption, "Información");
    EXPECT_EQ(aviso.flags, unsigned(MB_OK | MB_ICONWARNING));
    // Lo legible está abierto.
    EXPECT_NE(Nodo(Ventana(), {"Opacos", "Materiales y productos", "Piedras", "Granito"}), nullptr);

    // Guardar: No deja el fichero y los cambios como estaban.
    Actual()->Gestor()->ObtenerCambios()->PonerLogico("Cambios", true);
    Guion().AnswerMessageBox(IDNO);
    m->mnuGuardar->Click();
    EsConfirmacion(rota);
    EXPECT_EQ(LeerBytes(rota), antes);
    EXPECT_TRUE(Actual()->HayCambios());

    // Cerrar con Sí a guardar y No a perder los registros: la ventana sigue abierta.
    Guion().AnswerMessageBox(IDYES);
    Guion().AnswerMessageBox(IDNO);
    Ventana()->Close();
    Application->ProcessMessages();
    EsConfirmacion(rota);
    EXPECT_EQ(m->GetMDIChildCount(), 1);
    EXPECT_FALSE(Actual()->EstaCerrada());
    EXPECT_EQ(LeerBytes(rota), antes);

    // "Guardar como" otro fichero no pierde nada: no pregunta, y el de origen sigue igual.
    const AnsiString copia = carpeta.Ruta() + "Lib/copia.bdc";
    Guion().AnswerFileDialog(copia);
    m->mnuGuardarcomo->Click();
    EXPECT_EQ(Guion().PendingAnswers(), 0);
    EXPECT_EQ(Guion().ShownBoxes().back().kind, ScriptedModalHooks::Kind::FileDialog);
    EXPECT_NE(LeerBytes(copia).find("\"Granito\" = MATERIAL"), std::string::npos);
    EXPECT_EQ(LeerBytes(rota), antes);

    // Sí: se escribe lo legible, y los registros perdidos ya no se dicen.
    Guion().AnswerMessageBox(IDYES);
    m->mnuGuardar->Click();
    EsConfirmacion(rota);
    const std::string guardado = LeerBytes(rota);
    EXPECT_NE(guardado.find("\"Granito\" = MATERIAL"), std::string::npos);
    EXPECT_EQ(guardado.find("Cortado"), std::string::npos);
    EXPECT_FALSE(Actual()->HayCambios());
    const size_t cajas = Guion().ShownBoxes().size();
    m->mnuGuardar->Click();
    EXPECT_EQ(Guion().ShownBoxes().size(), cajas);
}

// Solo un registro de un tipo que otros nombran (material, vidrio, marco) deja valores
// provisionales; un cerramiento o un hueco perdido no.
TEST_F(Ilegibles, LosValoresProvisionalesSoloSiSeHaPerdidoAlgoQueOtrosUsan) {
    const struct {
        const char* cortado;
        bool provisionales;
    } casos[] = {
        {"\"Doble\" = GLASS-TYPE\n     SHADING-COEF      = 0.8\n", true},
        {" \"PVC\" = NAME-FRAME\n      FRAME-CONDUCT = 1.8\n", true},
        {"\"Muro\" = LAYERS\n    MATERIAL     = (\"Granito\")\n", false},
        {"\"Ventana\" = GAP\n     GLASS-TYPE = \"Doble\"\n", false},
    };
    int n = 0;
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.cortado);
        const AnsiString fichero =
            carpeta.Fichero("Lib/cortado" + AnsiString(++n) + ".bdc",
                            Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
                                 Material("Granito", "Piedras", "2.8") + caso.cortado));
        Guion().AnswerMessageBox(IDOK);
        AbrirDelMenu(fichero);
        EXPECT_EQ(Guion().PendingAnswers(), 0);
        const AnsiString& aviso = Guion().ShownBoxes().back().text;
        EXPECT_NE(aviso.str().find("No se han podido leer"), std::string::npos);
        EXPECT_EQ(aviso.str().find(kProvisionales) != std::string::npos, caso.provisionales)
            << aviso.c_str();
    }
}

TEST_F(Ilegibles, AbrirDesdeLaLineaDeOrdenesLoDice) {
    Guion().AnswerMessageBox(IDOK);
    Marco()->AbrirLineaComandos(rota);
    ASSERT_NE(Actual(), nullptr);
    EXPECT_EQ(Guion().ShownBoxes().back().text, AvisoDeCarga(rota));
    // En este modo solo se guarda en el mismo fichero: también pregunta.
    Guion().AnswerMessageBox(IDNO);
    Marco()->mnuGuardar->Click();
    EsConfirmacion(rota);
}

TEST_F(Ilegibles, CargarUnaLibreriaLoDice) {
    Marco()->mnuNuevo->Click();
    TforGestorBD* v = Ventana();
    v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Materiales y productos"}));
    Guion().AnswerFileDialog(rota);
    Guion().AnswerMessageBox(IDOK);
    Guion().AnswerShowModal(
        [](TObject* f) { static_cast<TforLibreria*>(f)->btnCancelar->Click(); });
    v->pmCargarLibreria->Click();
    EXPECT_TRUE(Mostrado(AvisoDeCarga(rota)));
    EXPECT_EQ(Guion().PendingAnswers(), 0);
}

TEST_F(Ilegibles, GuardarEnUnaLibreriaConRegistrosIlegiblesPideConfirmacion) {
    AbrirDelMenu(segunda);
    TforGestorBD* v = Ventana();
    v->tvBaseDatos->SetSelected(Nodo(v, {"Opacos", "Materiales y productos"}));
    const std::string antes = LeerBytes(rota);
    // No: ni se eligen elementos ni se toca la librería.
    Guion().AnswerFileDialog(rota);
    Guion().AnswerMessageBox(IDNO);
    v->pmnuGuardarLibreria->Click();
    EsConfirmacion(rota);
    EXPECT_EQ(LeerBytes(rota), antes);
    // Sí: se escribe con lo elegido, sin el registro que no se pudo leer.
    Guion().AnswerFileDialog(rota);
    Guion().AnswerMessageBox(IDYES);
    Guion().AnswerShowModal(ElegirTodoYAceptar);
    // Granito ya está en la librería: se queda el suyo, y se dice.
    Guion().AnswerMessageBox(IDOK);
    v->pmnuGuardarLibreria->Click();
    EXPECT_EQ(Guion().PendingAnswers(), 0);
    EsConfirmacion(rota, 1);
    EXPECT_EQ(Guion().ShownBoxes().back().text,
              "Ya hay en la librería elementos con estos nombres, que se conservan como estaban; "
              "no se han copiado:\n\nGranito");
    const std::string escrito = LeerBytes(rota);
    EXPECT_NE(escrito.find("\"Marcos\" = MATERIAL"), std::string::npos);
    EXPECT_EQ(escrito.find("Cortado"), std::string::npos);
}

// Una base con todos sus registros en una línea (los fines de línea cambiados por blancos)
// no da ningún registro: se dice al abrirla, y guardar encima pide confirmación. Una base
// guardada vacía se abre sin decir nada.
TEST_F(Ilegibles, UnaBaseEnUnaSolaLineaLoDiceYGuardarEncimaPideConfirmacion) {
    std::string texto = Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
                             Material("Granito", "Piedras", "2.8"));
    for (char& c : texto)
        if (c == '\r' || c == '\n') c = ' ';
    const AnsiString junta = carpeta.Fichero("Lib/junta.bdc", texto);
    const AnsiString lista = "Línea 1: texto en el que no se reconoce ningún registro (cada "
                             "registro ha de empezar en una línea propia).";
    Guion().AnswerMessageBox(IDOK);
    AbrirDelMenu(junta);
    EXPECT_EQ(Guion().PendingAnswers(), 0);
    EXPECT_EQ(Guion().ShownBoxes().back().text,
              "No se han podido leer estos registros del fichero " + junta +
                  " y no se han cargado:\n\n" + lista +
                  "\n\nSi guarda en el mismo fichero, se perderán.");
    // No: el fichero queda como estaba.
    Guion().AnswerMessageBox(IDNO);
    Marco()->mnuGuardar->Click();
    EsConfirmacion(junta, 0, lista);
    EXPECT_EQ(LeerBytes(junta), texto);

    // La base vacía que guarda el programa vuelve a abrirse sin una sola caja.
    const AnsiString vacia = carpeta.Ruta() + "Lib/vacia.bdc";
    Marco()->mnuNuevo->Click();
    Guion().AnswerFileDialog(vacia);
    Marco()->mnuGuardarcomo->Click();
    ASSERT_NE(LeerBytes(vacia).find("TEMPLARY = USER"), std::string::npos);
    const size_t cajas = Guion().ShownBoxes().size();
    AbrirDelMenu(vacia);
    EXPECT_EQ(Guion().ShownBoxes().size(), cajas + 1); // solo el diálogo de abrir
    EXPECT_EQ(Guion().ShownBoxes().back().kind, ScriptedModalHooks::Kind::FileDialog);
    EXPECT_TRUE(Actual()->Gestor()->RegistrosIlegibles().empty());
}

} // namespace
