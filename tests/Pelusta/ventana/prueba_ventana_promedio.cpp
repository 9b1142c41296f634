// La ventana del promedio, usada como la usa una persona: proyectos añadidos con sus botones y
// los diálogos contestados, el multiplicador escrito en su celda, "Calcular " con los cuatro
// resultados, cada mensaje de la tabla, el informe escrito y abierto desde la ventana, y una
// captura tras un cálculo. Los proyectos y la tabla de códigos se hacen aquí, en una
// instalación de prueba.

#include "Pelusta/Proyectos.h"
#include "Pelusta/ventana/VentanaPromedio.h"
#include "comunes/Directorios.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/files.h"
#include "plataforma/gui/forms/dialogs.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/services/shell.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/panels.h"
#include "tests/Pelusta/GeneradorProyectos.h"
#include "tests/comun/pdf_prueba.h"
#include "tests/comun/pruebas.h"
#include "tests/comun/separador_regional.h"
#include "tests/comunes/instalacion_prueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

class VentanaPromedio : public InstalacionDePrueba {
protected:
    VentanaPromedio()
        : InstalacionDePrueba(
              "LIB = \"Lib\\\"\r\nDAT = \"Datos\\\"\r\nDOC = \"Documentos\\\"\r\n") {}

    void SetUp() override {
        InstalacionDePrueba::SetUp();
        ResetInputState();
        // La tabla de códigos instalada, la misma con que se escriben los ".cl" de prueba.
        carpeta.Fichero("Lib/TablaCodigos.dat", BytesTablaDePrueba() + "\r\n");
        for (const char* logo : {"logo.jpg", "logoNorvia.jpg", "logoDumvat.jpg"})
            std::filesystem::copy_file(std::string(QUENBAR_DATOS) + "/Lib/" + logo,
                                       carpeta.Ruta().str() + "Lib/" + logo);
        carpeta.Fichero("Datos/.vacia", "");
        carpeta.Fichero("Documentos/.vacia", "");
        // Como al arrancar el programa: la carpeta de la instalación es la actual cuando se
        // crea la ventana, y en ella está "Resultados".
        Directorios::Instancia();
        inicio = carpeta.Ruta().str();
        obras = inicio + "obras/";
        ventana = std::make_unique<TForm1>(nullptr);
        ventana->Show();
        g = ventana->GridConPre;
    }
    void TearDown() override {
        ventana.reset();
        Application->ProcessMessages();
        ResetInputState();
        InstalacionDePrueba::TearDown();
    }

    // Un proyecto con sus resultados válidos; devuelve la ruta de su ".cte".
    AnsiString Proyecto(const std::string& nombre, const char* ho, const char* hr, const char* co,
                        const char* cr, const char* area) {
        return AnsiString(EscribirProyecto(inicio, obras, nombre, {ho, co, area}, {hr, cr, area},
                                           TablaDePrueba()));
    }

    // Pulsa con el ratón el botón de una celda (se sabe dónde está una vez pintado).
    void PulsarBoton(int col, int fila) {
        g->Repaint();
        const TRect b = g->ButtonRect(col, fila);
        ASSERT_FALSE(IsRectEmpty(b)) << col << "," << fila;
        const int x = (b.Left + b.Right) / 2, y = (b.Top + b.Bottom) / 2;
        SimulateMouse(g, SimulatedMouse::Down, 0, x, y);
        SimulateMouse(g, SimulatedMouse::Up, 0, x, y);
    }
    // Un proyecto elegido con "Buscar Proyecto" de esa fila y el diálogo contestado.
    void Buscar(int fila, const AnsiString& ruta) {
        Guion().AnswerFileDialog(ruta);
        PulsarBoton(1, fila);
    }
    void Pulsar(TButton* boton) {
        SimulateClick(boton, boton->GetWidth() / 2, boton->GetHeight() / 2);
    }
    std::vector<std::string> Resultados() const {
        return {ventana->EdTotalCalefaccion->GetText().str(),
                ventana->EdTotalRefrigeracion->GetText().str(),
                ventana->EdPorcenCal->GetText().str(), ventana->EdPorcenRef->GetText().str()};
    }
    // Lo último que se mostró, del tipo dado.
    const ScriptedModalHooks::Shown* Ultimo(ScriptedModalHooks::Kind tipo) const {
        const auto& mostrado = Guion().ShownBoxes();
        for (auto it = mostrado.rbegin(); it != mostrado.rend(); ++it)
            if (it->kind == tipo) return &*it;
        return nullptr;
    }

    SeparadorRegional separador{'.'};
    std::string inicio, obras;
    std::unique_ptr<TForm1> ventana;
    TKavStringGrid* g = nullptr;
};

using Vacios = std::vector<std::string>;

TEST_F(VentanaPromedio, ComoSeCrea) {
    EXPECT_EQ(ventana->GetCaption(), AnsiString("Calculo promedio"));
    EXPECT_EQ(ventana->GetWidth(), 936);
    EXPECT_EQ(ventana->GetHeight(), 425);
    ASSERT_EQ(g->GetColCount(), 4);
    EXPECT_EQ(g->GetRowCount(), 2);
    EXPECT_EQ(g->GetFixedCols(), 0);
    const int anchos[] = {527, 100, 104, 82};
    EXPECT_EQ(g->GetColWidths(3), anchos[3]);
    // Las columnas de botones se ensanchan lo justo para que su rótulo se lea entero con la
    // letra instalada: "Eliminar Proyecto", no "Eliminar Proye...".
    TCanvas* lienzo = g->GetCanvas();
    lienzo->GetFont()->Assign(g->GetFont());
    for (const auto& [c, rotulo] :
         {std::pair{1, "Buscar Proyecto"}, std::pair{2, "Eliminar Proyecto"}}) {
        EXPECT_GE(g->GetColWidths(c), anchos[c]) << c;
        EXPECT_GE(g->GetColWidths(c), lienzo->TextWidth(rotulo) + 16) << rotulo;
    }
    // Lo que ganan lo cede la columna del proyecto: el total es el de siempre.
    EXPECT_LE(g->GetColWidths(0), anchos[0]);
    EXPECT_EQ(g->GetColWidths(0) + g->GetColWidths(1) + g->GetColWidths(2) + g->GetColWidths(3),
              anchos[0] + anchos[1] + anchos[2] + anchos[3]);
    EXPECT_EQ(g->GetDefaultRowHeight(), 21);
    EXPECT_EQ(g->GetCells(0, 0), AnsiString("Proyecto"));
    EXPECT_EQ(g->GetCells(3, 0), AnsiString("multiplicador"));
    EXPECT_EQ(g->GetCells(3, 1), AnsiString("1"));
    EXPECT_TRUE(g->HasButton(1, 1));
    EXPECT_TRUE(g->HasButton(2, 1));
    EXPECT_EQ(ventana->anadir->GetCaption(), AnsiString("Añadir proyecto"));
    EXPECT_EQ(ventana->Calcular->GetCaption(), AnsiString("Calcular "));
    EXPECT_EQ(ventana->Informe->GetCaption(), AnsiString("Generar Informe"));
    EXPECT_EQ(ventana->GroupBox1->GetCaption(), AnsiString("Resultados"));
    EXPECT_EQ(ventana->Label1->GetCaption(), AnsiString("% de la demanda de Referencia"));
    EXPECT_EQ(ventana->Label2->GetCaption(),
              AnsiString("Proporción relativa calefacción refrigeración"));
    EXPECT_EQ(ventana->Label3->GetCaption(), AnsiString("Calefacción"));
    EXPECT_EQ(ventana->Label4->GetCaption(), AnsiString("Refrigeración"));
    EXPECT_TRUE(ventana->EdTotalCalefaccion->GetReadOnly());
    EXPECT_TRUE(ventana->EdPorcenRef->GetReadOnly());
    EXPECT_EQ(ventana->GetCarpetaInicio(), GetCurrentDir());
    EXPECT_EQ(ventana->GetProyectos(), nullptr);
    EXPECT_FALSE(ventana->GetCalculado());
}

TEST_F(VentanaPromedio, DosProyectosCalculoInformeYCaptura) {
    const AnsiString casa = Proyecto("casa", "30", "60", "-10", "-20", "100");
    const AnsiString nave = Proyecto("nave", "20", "40", "-30", "-40", "50");

    // El primero, en la fila que ya tiene la ventana.
    Buscar(1, casa);
    const ScriptedModalHooks::Shown* dialogo = Ultimo(ScriptedModalHooks::Kind::FileDialog);
    ASSERT_NE(dialogo, nullptr);
    EXPECT_EQ(dialogo->dialogKind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(dialogo->filter, AnsiString("*.CTE|*.cte"));
    EXPECT_EQ(dialogo->initialDir, Directorios::Instancia()->RutaDatos(""));
    EXPECT_EQ(g->GetCells(0, 1), casa);

    // El segundo, en una fila añadida con su botón, con multiplicador 2 escrito en la celda.
    Pulsar(ventana->anadir);
    ASSERT_EQ(g->GetRowCount(), 3);
    EXPECT_EQ(g->GetCells(3, 2), AnsiString("1"));
    Buscar(2, nave);
    EXPECT_EQ(g->GetCells(0, 2), nave);
    g->SetFocus();
    g->SetCol(3);
    g->SetRow(2);
    SimulateTyping("2");
    Application->ProcessMessages(); // el carácter llega al editor que abrió

    // Pulsar "Calcular " con el editor abierto guarda antes lo escrito.
    // S0 = 30·100 + 20·50·2 = 5000, S1 = 10000, S2 = -4000, S3 = -6000.
    Pulsar(ventana->Calcular);
    EXPECT_EQ(g->GetCells(3, 2), AnsiString("2"));
    EXPECT_EQ(Resultados(), (Vacios{"50.0", "66.7", "55.6", "44.4"}));
    ASSERT_NE(ventana->GetProyectos(), nullptr);
    EXPECT_EQ(ventana->GetProyectos()->Numero(), 2);
    EXPECT_TRUE(ventana->GetCalculado());
    EXPECT_FALSE(SaveCapture(ventana.get(), "pelusta_calculo").IsEmpty());

    // El informe: el diálogo de guardar en la carpeta de documentos, el fichero escrito y
    // abierto con el visor, maximizado.
    const AnsiString pdf = carpeta.Ruta() + "Documentos/promedio";
    Guion().AnswerFileDialog(pdf);
    Guion().AnswerShellExecute();
    Pulsar(ventana->Informe);
    dialogo = Ultimo(ScriptedModalHooks::Kind::FileDialog);
    ASSERT_NE(dialogo, nullptr);
    EXPECT_EQ(dialogo->dialogKind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(dialogo->caption, AnsiString("Guardar como"));
    EXPECT_EQ(dialogo->filter, AnsiString("PDF|*.PDF"));
    EXPECT_EQ(dialogo->initialDir, Directorios::Instancia()->RutaDocumentos(""));
    const ScriptedModalHooks::Shown* abierto = Ultimo(ScriptedModalHooks::Kind::ShellExecute);
    ASSERT_NE(abierto, nullptr);
    EXPECT_EQ(abierto->caption, AnsiString("open"));
    EXPECT_EQ(abierto->text, pdf + ".PDF");
    EXPECT_EQ(abierto->flags, unsigned(SW_SHOWMAXIMIZED));
    const std::vector<std::string> lineas = LineasPDF(pdf + ".PDF");
    const std::vector<std::string> esperadas = {
        "El resultado promedio de los proyectos:",
        "Proyecto Multiplicador",
        "casa 1",
        "nave 2",
        "El edificio descrito en este informe CUMPLE con la demanda",
        "Calefacción Refrigeración",
        "% de la demanda de Referencia 50.0 66.7",
        "Proporción relativa calefacción refrigeración 55.6 44.4",
        "Fecha: Ref: Página: 1"};
    size_t desde = 0;
    for (const std::string& e : esperadas) {
        size_t i = desde;
        while (i < lineas.size() && lineas[i] != e)
            ++i;
        ASSERT_LT(i, lineas.size()) << "falta, o fuera de orden: " << e;
        desde = i + 1;
    }
    EXPECT_FALSE(PaginaPNG(pdf + ".PDF", 1, "pelusta_informe").empty());
}

TEST_F(VentanaPromedio, EliminarQuitaLaFilaSalvoLaPrimera) {
    Pulsar(ventana->anadir);
    Pulsar(ventana->anadir);
    ASSERT_EQ(g->GetRowCount(), 4);
    for (int r = 1; r <= 3; ++r) {
        g->SetCells(0, r, ("p" + std::to_string(r) + ".cte").c_str());
        g->SetCells(3, r, std::to_string(r).c_str());
    }
    PulsarBoton(2, 1);
    EXPECT_EQ(g->GetRowCount(), 4);
    EXPECT_EQ(g->GetCells(0, 1), AnsiString("p1.cte"));
    PulsarBoton(2, 2);
    ASSERT_EQ(g->GetRowCount(), 3);
    EXPECT_EQ(g->GetCells(0, 2), AnsiString("p3.cte"));
    EXPECT_EQ(g->GetCells(3, 2), AnsiString("3"));
    EXPECT_TRUE(g->HasButton(1, 2));
    EXPECT_TRUE(g->HasButton(2, 2));
    // La fila que sube sigue funcionando con sus botones.
    PulsarBoton(2, 2);
    EXPECT_EQ(g->GetRowCount(), 2);
    EXPECT_EQ(g->GetCells(0, 1), AnsiString("p1.cte"));
}

// Cada mensaje de la tabla una vez, con el cálculo parado, los resultados vacíos y el informe
// negado; y los multiplicadores corregidos.
TEST_F(VentanaPromedio, MensajesDelCalculo) {
    const std::string res = inicio + "Resultados/";
    // Una fila vacía en medio se salta.
    Pulsar(ventana->anadir);
    Pulsar(ventana->anadir);
    for (const CasoComprobacion& caso : CasosComprobacion(inicio, obras)) {
        SCOPED_TRACE(caso.nombre);
        // Primero un cálculo bueno, para ver que el fallido vacía lo que había.
        g->SetCells(0, 1, Proyecto("bueno", "30", "60", "-10", "-20", "100"));
        g->SetCells(0, 3, AnsiString());
        Pulsar(ventana->Calcular);
        ASSERT_TRUE(ventana->GetCalculado());
        g->SetCells(0, 3, Proyecto("casa", "30", "60", "-10", "-20", "100"));
        Estropear(caso);
        Guion().ExpectShowMessage();
        Pulsar(ventana->Calcular);
        ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
        EXPECT_EQ(Guion().ShownBoxes()[0].text.str(), caso.mensaje);
        EXPECT_EQ(Resultados(), (Vacios{"", "", "", ""}));
        EXPECT_FALSE(ventana->GetCalculado());
        Guion().Reset();
    }

    // Un fichero íntegro pero que no se puede leer: sin la fila del total (su ".cl" se
    // rehace para que pase la comprobación).
    g->SetCells(0, 3, Proyecto("casa", "30", "60", "-10", "-20", "100"));
    std::string roto = LeerBytes(res + "casaR.res");
    roto.replace(roto.find("\r\nTOTAL,") + 2, 6, "SUMA, ");
    EscribirBytes(res + "casaR.res", roto);
    EscribirCodigos(res + "casaR.res", TablaDePrueba());
    Guion().ExpectShowMessage();
    Pulsar(ventana->Calcular);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text, AnsiString("Error en la lectura de los resultados"));
    EXPECT_EQ(Resultados(), (Vacios{"", "", "", ""}));
    Guion().Reset();

    // Tras un cálculo que no acabó no hay informe, y se dice antes de pedir el fichero.
    Guion().AnswerMessageBox(IDOK);
    Pulsar(ventana->Informe);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].kind, ScriptedModalHooks::Kind::MessageBox);
    EXPECT_EQ(Guion().ShownBoxes()[0].text,
              AnsiString("No hay resultados: pulse \"Calcular \" antes de generar el informe."));
    EXPECT_EQ(Guion().ShownBoxes()[0].caption, AnsiString("Información"));
    Guion().Reset();

    // Multiplicadores: uno que no es entero y 0 se avisan, en el orden de las filas, y pasan
    // a 1.
    g->SetCells(0, 3, Proyecto("casa", "30", "60", "-10", "-20", "100"));
    g->SetCells(3, 1, "abc");
    g->SetCells(3, 3, "0");
    Guion().ExpectShowMessage();
    Guion().ExpectShowMessage();
    Pulsar(ventana->Calcular);
    ASSERT_EQ(Guion().ShownBoxes().size(), 2u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text,
              AnsiString("El multiplicador abc no es un valor valido"));
    EXPECT_EQ(Guion().ShownBoxes()[1].text, AnsiString("El multiplicador 0 no es un valor valido"));
    EXPECT_EQ(g->GetCells(3, 1), AnsiString("1"));
    EXPECT_EQ(g->GetCells(3, 3), AnsiString("1"));
    // El cálculo sigue tras el aviso.
    EXPECT_EQ(Resultados(), (Vacios{"50.0", "50.0", "75.0", "25.0"}));
    EXPECT_TRUE(ventana->GetCalculado());
}

// "2,5" tecleado en la celda no es un multiplicador: se dice con el aviso de los inválidos
// y el proyecto cuenta una vez, como dice el aviso.
TEST_F(VentanaPromedio, UnMultiplicadorConDecimalesSeDiceYCuentaUno) {
    g->SetCells(0, 1, Proyecto("casa", "30", "60", "-10", "-20", "100"));
    Pulsar(ventana->anadir);
    g->SetCells(0, 2, Proyecto("nave", "20", "40", "-30", "-40", "50"));
    g->SetFocus();
    g->SetCol(3);
    g->SetRow(2);
    SimulateTyping("2,5");
    Application->ProcessMessages();
    SimulateKeyStroke(VK_RETURN);
    ASSERT_EQ(g->GetCells(3, 2), AnsiString("2,5"));
    Guion().ExpectShowMessage();
    Pulsar(ventana->Calcular);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text,
              AnsiString("El multiplicador 2,5 no es un valor valido"));
    EXPECT_EQ(g->GetCells(3, 2), AnsiString("1"));
    // Con m = 1 en las dos: S0 = 30·100 + 20·50 = 4000, S1 = 6000 + 2000 = 8000,
    // S2 = -1000 - 1500 = -2500, S3 = -2000 - 2000 = -4000; H = 50.0, R = 62.5,
    // P = 4000 / 6500 · 100 = 61.5. (Con 2,5 serían 50.0, 67.9, 53.7 y 46.3.)
    EXPECT_EQ(Resultados(), (Vacios{"50.0", "62.5", "61.5", "38.5"}));
    EXPECT_TRUE(ventana->GetCalculado());
}

TEST_F(VentanaPromedio, InformeAntesDeCalcularYDialogoCancelado) {
    Guion().AnswerMessageBox(IDOK);
    Pulsar(ventana->Informe);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].caption, AnsiString("Información"));
    Guion().Reset();
    // Tras un cálculo, cancelar el diálogo no escribe ni abre nada.
    g->SetCells(0, 1, Proyecto("casa", "30", "60", "-10", "-20", "100"));
    Pulsar(ventana->Calcular);
    ASSERT_TRUE(ventana->GetCalculado());
    Guion().CancelFileDialog();
    Pulsar(ventana->Informe);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].kind, ScriptedModalHooks::Kind::FileDialog);
}

// Un informe pedido tras un cambio en la rejilla sería el de otros proyectos: cualquier cambio
// que haga el usuario deja la ventana sin resultados hasta el siguiente "Calcular ".
TEST_F(VentanaPromedio, CambiarLaRejillaBorraLosResultados) {
    const AnsiString casa = Proyecto("casa", "30", "60", "-10", "-20", "100");
    const AnsiString nave = Proyecto("nave", "20", "40", "-30", "-40", "50");
    const struct {
        const char* nombre;
        std::function<void()> cambio;
    } casos[] = {
        {"quitar la segunda fila", [&] { PulsarBoton(2, 2); }},
        {"añadir una fila", [&] { Pulsar(ventana->anadir); }},
        {"escribir un multiplicador",
         [&] {
             g->SetFocus();
             g->SetCol(3);
             g->SetRow(1);
             SimulateTyping("3");
             Application->ProcessMessages();
             SimulateKeyStroke(VK_RETURN);
         }},
        {"buscar otro proyecto", [&] { Buscar(1, nave); }},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        while (g->GetRowCount() > 2)
            g->RemoveRows(g->GetRowCount() - 1, 1);
        Pulsar(ventana->anadir);
        g->SetCells(0, 1, casa);
        g->SetCells(0, 2, nave);
        Pulsar(ventana->Calcular);
        ASSERT_TRUE(ventana->GetCalculado());
        ASSERT_NE(Resultados(), (Vacios{"", "", "", ""}));

        caso.cambio();
        EXPECT_EQ(Resultados(), (Vacios{"", "", "", ""}));
        EXPECT_FALSE(ventana->GetCalculado());
        EXPECT_EQ(ventana->GetProyectos(), nullptr);
        // El informe pide un cálculo nuevo antes de pedir el fichero.
        Guion().Reset();
        Guion().AnswerMessageBox(IDOK);
        Pulsar(ventana->Informe);
        ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
        EXPECT_EQ(
            Guion().ShownBoxes()[0].text,
            AnsiString("No hay resultados: pulse \"Calcular \" antes de generar el informe."));
        Guion().Reset();
    }
}

// Sin un visor que abra el informe, se dice dónde quedó; un informe que no se puede escribir
// dice por qué, y no se abre nada.
TEST_F(VentanaPromedio, InformeSinVisorYInformeQueNoSeEscribe) {
    g->SetCells(0, 1, Proyecto("casa", "30", "60", "-10", "-20", "100"));
    Pulsar(ventana->Calcular);
    ASSERT_TRUE(ventana->GetCalculado());

    const AnsiString pdf = carpeta.Ruta() + "Documentos/promedio";
    Guion().AnswerFileDialog(pdf);
    Guion().AnswerShellExecute(SE_ERR_NOASSOC);
    Guion().AnswerMessageBox(IDOK);
    Pulsar(ventana->Informe);
    const ScriptedModalHooks::Shown* aviso = Ultimo(ScriptedModalHooks::Kind::MessageBox);
    ASSERT_NE(aviso, nullptr);
    EXPECT_EQ(aviso->text, "Informe guardado en " + pdf + ".PDF");
    EXPECT_EQ(aviso->caption, AnsiString("Información"));
    EXPECT_TRUE(FileExists(pdf + ".PDF"));
    Guion().Reset();

    Guion().AnswerFileDialog(carpeta.Ruta() + "no_esta/promedio");
    Guion().AnswerMessageBox(IDOK);
    Pulsar(ventana->Informe);
    aviso = Ultimo(ScriptedModalHooks::Kind::MessageBox);
    ASSERT_NE(aviso, nullptr);
    EXPECT_EQ(aviso->text,
              "No se puede crear la documentación. Puede ser que el fichero ya este abierto\n"
              "No se puede crear el fichero \"" +
                  carpeta.Ruta() +
                  "no_esta/promedio.PDF\": la carpeta o el fichero no existe (código 2).");
    EXPECT_EQ(Ultimo(ScriptedModalHooks::Kind::ShellExecute), nullptr);
}

// La instalación nombra su carpeta LIB con "\"; el mensaje muestra la ruta con un solo
// separador, el del sistema.
TEST_F(VentanaPromedio, LaRutaDeLaTablaDeCodigosSeMuestraComoLaDelSistema) {
    g->SetCells(0, 1, Proyecto("casa", "30", "60", "-10", "-20", "100"));
    ASSERT_TRUE(DeleteFile(carpeta.Ruta() + "Lib/TablaCodigos.dat"));
    Guion().ExpectShowMessage();
    Pulsar(ventana->Calcular);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text,
              "No está instalada la tabla de códigos (" + carpeta.Ruta() +
                  "Lib/TablaCodigos.dat): sin ella no se puede comprobar ni dar por válido "
                  "ningún fichero de resultados.");
}

} // namespace
