// Las órdenes de fichero: guardar, volver a abrir y comparar; una base nueva o abierta de un
// XML pide nombre; el XML; un guardado fallido no pierde nada; la copia de elementos entre
// una librería y la base abierta.

#include "tests/Vornak/vornak_prueba.h"

#include "comunes/Cambios.h"
#include "comunes/Directorios.h"
#include "comunes/GestorBD.h"
#include "comunes/Idioma.h"
#include "comunes/bdAcristalamientos.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Ficheros = PruebaVornak;

TEST_F(Ficheros, GuardarYVolverAAbrirDaLaMismaBase) {
    TforPrincipal* m = Marco();
    AbrirDelMenu(segunda);
    Ventana()->tvBaseDatos->SetSelected(
        Nodo(Ventana(), {"Opacos", "Materiales y productos", "Piedras"}));
    m->mnuCrear->Click();
    AnsiString nuevo = Ventana()->tvBaseDatos->GetSelected()->GetText();
    m->mnuGuardar->Click();
    EXPECT_FALSE(Actual()->HayCambios());
    std::string guardado = LeerBytes(segunda);
    EXPECT_NE(guardado.find("\"" + std::string(nuevo.c_str()) + "\" = MATERIAL"),
              std::string::npos);

    // "Guardar como " escribe otro fichero y la ventana sigue con el suyo.
    AnsiString copia = carpeta.Ruta() + "copia.bdc";
    Guion().AnswerFileDialog(copia);
    m->mnuGuardarcomo->Click();
    EXPECT_EQ(Guion().ShownBoxes().back().filter, "Ficheros BDC (*.bdc)|*.BDC");
    EXPECT_EQ(Guion().ShownBoxes().back().defaultExt, "bdc");
    AnsiString ruta;
    Actual()->ObtenerPropiedad("Fichero", ruta);
    EXPECT_EQ(ruta, segunda);
    EXPECT_EQ(LeerBytes(copia), guardado);

    CerrarMarco();
    EXPECT_EQ(marco->GetMDIChildCount(), 0);
    marco.reset();
    // Otra vez, en un marco nuevo: el mismo árbol y los mismos bytes al guardar.
    AbrirDelMenu(segunda);
    EXPECT_NE(Nodo(Ventana(), {"Opacos", "Materiales y productos", "Piedras", nuevo.c_str()}),
              nullptr);
    Marco()->mnuGuardar->Click();
    EXPECT_EQ(LeerBytes(segunda), guardado);
}

// Una base abierta con otras mayúsculas que las del disco guarda en el fichero que se leyó; un
// "Guardar como" con un nombre que solo difiere en mayúsculas crea ese fichero y no toca el otro.
TEST_F(Ficheros, LasMayusculasDelNombreNoCambianDeFichero) {
    TforPrincipal* m = Marco();
    const AnsiString enDisco = carpeta.Fichero("BASE.BDC", LeerBytes(segunda));
    AbrirDelMenu(carpeta.Ruta() + "base.bdc");
    AnsiString ruta;
    Actual()->ObtenerPropiedad("Fichero", ruta);
    EXPECT_EQ(ruta, enDisco);
    Actual()->Gestor()->ObtenerCambios()->PonerLogico("Cambios", true);
    m->mnuGuardar->Click();
    EXPECT_FALSE(Actual()->HayCambios());
    std::string nombres;
    for (const auto& e : std::filesystem::directory_iterator(carpeta.Ruta().str()))
        if (e.path().extension() == ".bdc" || e.path().extension() == ".BDC")
            nombres += e.path().filename().string() + " ";
    EXPECT_EQ(nombres.find("base.bdc"), std::string::npos) << nombres;

    const std::string antes = LeerBytes(enDisco);
    Ventana()->tvBaseDatos->SetSelected(
        Nodo(Ventana(), {"Opacos", "Materiales y productos", "Piedras"}));
    m->mnuCrear->Click();
    Guion().AnswerFileDialog(carpeta.Ruta() + "base.bdc");
    m->mnuGuardarcomo->Click();
    EXPECT_EQ(LeerBytes(enDisco), antes);
    EXPECT_NE(LeerBytes(carpeta.Ruta() + "base.bdc"), antes);
}

TEST_F(Ficheros, UnaBaseNuevaPideNombreYLoToma) {
    TforPrincipal* m = Marco();
    m->mnuNuevo->Click();
    Ventana()->tvBaseDatos->SetSelected(Nodo(Ventana(), {"Puentes térmicos"}));
    Actual()->Gestor()->ObtenerCambios()->PonerLogico("Cambios", true);
    // Cancelar: nada escrito, la marca sigue.
    Guion().CancelFileDialog();
    m->mnuGuardar->Click();
    EXPECT_TRUE(Actual()->HayCambios());
    AnsiString ruta = carpeta.Ruta() + "Lib/nueva.bdc";
    Guion().AnswerFileDialog(ruta);
    m->mnuGuardar->Click();
    EXPECT_TRUE(FileExists(ruta));
    EXPECT_FALSE(Actual()->HayCambios());
    EXPECT_EQ(Ventana()->GetCaption(), "nueva");
    EXPECT_EQ(Nodo(Ventana(), {})->GetText(), "Proyecto: nueva");
    AnsiString fichero;
    Actual()->ObtenerPropiedad("Fichero", fichero);
    EXPECT_EQ(fichero, ruta);
    // La segunda vez ya no pregunta.
    m->mnuGuardar->Click();
}

TEST_F(Ficheros, UnXmlAbiertoNoSeSobrescribeConTexto) {
    AnsiString xml = carpeta.Fichero("Lib/base.XML", "<DATABASE/>");
    AbrirDelMenu(xml);
    EXPECT_EQ(Ventana()->GetCaption(), "base");
    EXPECT_EQ(Nodo(Ventana(), {"Opacos", "Materiales y productos"})->GetCount(), 0);
    AnsiString otro = carpeta.Ruta() + "Lib/desde_xml.bdc";
    Guion().AnswerFileDialog(otro);
    Marco()->mnuGuardar->Click();
    EXPECT_EQ(LeerBytes(xml), "<DATABASE/>");
    EXPECT_TRUE(FileExists(otro));
}

TEST_F(Ficheros, ExportarXml) {
    TforPrincipal* m = Marco();
    AbrirDelMenu(ejemplo);
    AnsiString xml = carpeta.Ruta() + "Lib/ejemplo.xml";
    Guion().AnswerFileDialog(xml);
    m->mnuXML->Click();
    EXPECT_EQ(Guion().ShownBoxes().back().filter, "Ficheros XML (*.XML)|*.XML");
    EXPECT_EQ(Guion().ShownBoxes().back().defaultExt, "xml");
    std::string texto = LeerBytes(xml);
    EXPECT_EQ(texto.rfind("<?xml", 0), 0u);
    EXPECT_NE(texto.find("Caja de persiana"), std::string::npos);
    EXPECT_NE(texto.find("Madera de pino"), std::string::npos);
}

TEST_F(Ficheros, UnGuardadoFallidoNoPierdeNada) {
    TforPrincipal* m = Marco();
    AbrirDelMenu(segunda);
    std::string antes = LeerBytes(segunda);
    Actual()->Gestor()->ObtenerCambios()->PonerLogico("Cambios", true);
    // La carpeta del destino es un fichero.
    AnsiString imposible = carpeta.Fichero("no_carpeta", "x") + "/base.bdc";
    Guion().AnswerFileDialog(imposible);
    Guion().AnswerMessageBox(IDOK);
    m->mnuGuardarcomo->Click();
    const ScriptedModalHooks::Shown& aviso = Guion().ShownBoxes().back();
    EXPECT_EQ(aviso.caption, "Error");
    EXPECT_GT(aviso.text.Pos("No se ha podido guardar"), 0);
    EXPECT_TRUE(Actual()->HayCambios());
    EXPECT_EQ(LeerBytes(segunda), antes);
    // Al cerrar con Sí y un guardado que falla, la ventana sigue abierta con sus cambios.
    FileWriter::InjectFailureForTests(FileWriter::Failure::Close);
    Guion().AnswerMessageBox(IDYES);
    Guion().AnswerMessageBox(IDOK);
    Ventana()->Close();
    Application->ProcessMessages();
    EXPECT_EQ(m->GetMDIChildCount(), 1);
    EXPECT_FALSE(Actual()->EstaCerrada());
    EXPECT_TRUE(Actual()->HayCambios());
    EXPECT_EQ(LeerBytes(segunda), antes);
}

TEST_F(Ficheros, SinFactorSolarNoSeGuarda) {
    TforPrincipal* m = Marco();
    AbrirDelMenu(segunda);
    std::string antes = LeerBytes(segunda);
    // Un vidrio nuevo no tiene factor solar.
    Actual()->Gestor()->Acristalamientos()->CrearHijo("Vidrio", TIPO_ACRISTALAMIENTO);
    Guion().ExpectShowMessage(2);
    m->mnuGuardar->Click();
    m->mnuGuardarcomo->Click();
    EXPECT_EQ(Guion().ShownBoxes().back().text,
              "Existen acristalamientos sin el factor solar definido\nPor favor completelos "
              "para continuar");
    EXPECT_EQ(LeerBytes(segunda), antes);
}

// La copia de elementos: de una librería a una base nueva, con lo que cada elemento necesita.
TEST_F(Ficheros, ImportarTraeLosMaterialesYLasPartesDeLosHuecos) {
    Marco()->mnuNuevo->Click();
    VistaGestorBD* v = Actual();
    v->CargarLibreria(ejemplo);
    ASSERT_NE(v->Libreria(), nullptr);
    TStringList cerramientos;
    cerramientos.Add("Cubierta de panel sandwich");
    TTreeNode* nodoCer = Nodo(Ventana(), {"Opacos", "Cerramientos y particiones interiores"});
    v->CopiarDeLibreria(cerramientos, TIPO_CERRAMIENTO, nodoCer, v->Libreria());
    EXPECT_NE(v->Gestor()->Buscar(TIPO_CERRAMIENTO, "Cubierta de panel sandwich"), nullptr);
    EXPECT_NE(v->Gestor()->Buscar(TIPO_MATERIAL, "Panel sandwich de acero"), nullptr);
    EXPECT_NE(Nodo(Ventana(), {"Opacos", "Cerramientos y particiones interiores", "Cubiertas",
                               "Cubierta de panel sandwich"}),
              nullptr);
    // El grupo nuevo llega plegado, con la carpeta cerrada como los demás.
    TTreeNode* cubiertas =
        Nodo(Ventana(), {"Opacos", "Cerramientos y particiones interiores", "Cubiertas"});
    EXPECT_FALSE(cubiertas->GetExpanded());
    EXPECT_EQ(cubiertas->GetImageIndex(), 8);
    EXPECT_NE(
        Nodo(Ventana(), {"Opacos", "Materiales y productos", "Paneles", "Panel sandwich de acero"}),
        nullptr);

    TStringList huecos;
    huecos.Add("Puerta de terraza");
    huecos.Add("No existe");
    Guion().AnswerMessageBox(IDOK);
    v->CopiarDeLibreria(huecos, TIPO_HUECO,
                        Nodo(Ventana(), {"Semitransparentes", "Huecos y lucernarios"}),
                        v->Libreria());
    EXPECT_EQ(Guion().ShownBoxes().back().text, "No se han encontrado: No existe");
    EXPECT_EQ(Guion().ShownBoxes().back().caption, "Información");
    EXPECT_NE(v->Gestor()->Buscar(TIPO_HUECO, "Puerta de terraza"), nullptr);
    EXPECT_NE(Nodo(Ventana(), {"Semitransparentes", "Marcos", "Madera", "Madera de pino"}),
              nullptr);
    EXPECT_NE(Nodo(Ventana(),
                   {"Semitransparentes", "Vidrios", "Laminados", "Laminado de seguridad de 8 mm"}),
              nullptr);
    // Los puentes térmicos van bajo el nodo de su grupo, que se crea una vez.
    TStringList puentes;
    puentes.Add("Caja de persiana");
    puentes.Add("Frente de forjado con plaqueta");
    TTreeNode* nodoPue = Nodo(Ventana(), {"Puentes térmicos"});
    v->CopiarDeLibreria(puentes, TIPO_PUENTE_TERMICO, nodoPue, v->Libreria());
    // La segunda vez no copia nada, y lo dice.
    Guion().AnswerMessageBox(IDOK);
    v->CopiarDeLibreria(puentes, TIPO_PUENTE_TERMICO, nodoPue, v->Libreria());
    EXPECT_EQ(Guion().ShownBoxes().back().text,
              "Ya hay en la base elementos con estos nombres, que se conservan como estaban; no "
              "se han copiado:\n\nCaja de persiana\nFrente de forjado con plaqueta");
    EXPECT_EQ(nodoPue->GetCount(), 2);
    EXPECT_EQ(Nodo(Ventana(), {"Puentes térmicos", "Contornos de hueco"})->GetCount(), 1);
}

TEST_F(Ficheros, ExportarDosVecesNoAnadeNadaLaSegunda) {
    AbrirDelMenu(ejemplo);
    VistaGestorBD* v = Actual();
    AnsiString destino = carpeta.Ruta() + "Lib/libreria.bdc";
    v->CargarLibreria(destino);
    TStringList nombres;
    nombres.Add("Fachada de caravista con camara");
    v->CopiarAGestor(nombres, TIPO_CERRAMIENTO, v->Gestor(), v->Libreria());
    ASSERT_TRUE(v->EscribirLibreria(destino));
    std::string primera = LeerBytes(destino);
    EXPECT_NE(primera.find("\"Fachada de caravista con camara\" = LAYERS"), std::string::npos);
    EXPECT_NE(primera.find("\"Ladrillo caravista\" = MATERIAL"), std::string::npos);
    v->CopiarAGestor(nombres, TIPO_CERRAMIENTO, v->Gestor(), v->Libreria());
    ASSERT_TRUE(v->EscribirLibreria(destino));
    EXPECT_EQ(LeerBytes(destino), primera);
}

TEST_F(Ficheros, ElCatalogoRegionalSoloEnLaVarianteRegional) {
    carpeta.Fichero("Lib/bdCatalogo.bdc", LeerBytes(carpeta.Ruta() + "Lib/segunda.bdc"));
    Marco()->AbrirLineaComandos(ejemplo);
    EXPECT_EQ(Actual()->Gestor()->Buscar(TIPO_MATERIAL, "Granito"), nullptr);
    CerrarMarco();
    marco.reset();
    Idioma::Instancia()->FijarCodigoParaPruebas(2);
    Marco()->AbrirLineaComandos(ejemplo);
    EXPECT_NE(Actual()->Gestor()->Buscar(TIPO_MATERIAL, "Granito"), nullptr);
    EXPECT_NE(Nodo(Ventana(), {"Opacos", "Materiales y productos", "Piedras", "Granito"}), nullptr);
}

TEST_F(Ficheros, ElDibujoElegidoTieneQueExistir) {
    AnsiString dibujo = carpeta.Fichero("Imagenes/Materiales/ladrillo.jpg", "x");
    Marco()->mnuNuevo->Click();
    Guion().AnswerFileDialog(dibujo);
    EXPECT_EQ(Actual()->ElegirDibujo(TIPO_MATERIAL), dibujo);
    EXPECT_EQ(Guion().ShownBoxes().back().initialDir,
              Directorios::Instancia()->RutaImagen("Materiales\\"));
    EXPECT_EQ(Guion().ShownBoxes().back().dialogKind, FileDialogRequest::Kind::OpenPicture);
    Guion().AnswerFileDialog(carpeta.Ruta() + "Imagenes/Puentes/no_esta.jpg");
    EXPECT_EQ(Actual()->ElegirDibujo(TIPO_PUENTE_TERMICO), "");
    EXPECT_EQ(Actual()->ElegirDibujo(TIPO_MARCO), ""); // otros tipos no eligen nada
}

} // namespace
