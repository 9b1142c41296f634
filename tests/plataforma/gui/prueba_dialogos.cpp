// File dialogs and the shell through the modal hooks: what a test reads back and answers,
// the default extension, case-blind filters, and what the window system's hooks show.

#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/pruebas.h"

#include "plataforma/base/files.h"
#include "plataforma/gui/forms/dialogs.h"
#include "plataforma/gui/forms/qt_modal_hooks.h"
#include "plataforma/gui/forms/qt_spanish.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/services/shell.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

TEST(DialogosDeFicheros, ElGuionLeeLoQueSeMostrariaYResponde) {
    TOpenDialog abrir(nullptr);
    abrir.SetInitialDir("C:\\Vornak\\LIB\\");
    abrir.SetFilter("Ficheros BDC (*.bdc)|*.bdc|Ficheros XML (*.xml)|*.xml");
    abrir.SetTitle("Abrir base de datos");
    abrir.SetOptions(abrir.GetOptions() << ofFileMustExist);
    Guion().AnswerFileDialog("C:\\Vornak\\LIB\\Catálogo.BDC", 2);
    ASSERT_TRUE(abrir.Execute());
    EXPECT_EQ(abrir.GetFileName(), "C:\\Vornak\\LIB\\Catálogo.BDC");
    EXPECT_EQ(abrir.GetFiles()->GetCount(), 1);
    EXPECT_EQ(abrir.GetFilterIndex(), 2);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    const auto& visto = Guion().ShownBoxes()[0];
    EXPECT_EQ(visto.kind, ScriptedModalHooks::Kind::FileDialog);
    EXPECT_EQ(visto.dialogKind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(visto.caption, "Abrir base de datos");
    EXPECT_EQ(visto.initialDir, "C:\\Vornak\\LIB\\");
    EXPECT_EQ(visto.filter, "Ficheros BDC (*.bdc)|*.bdc|Ficheros XML (*.xml)|*.xml");
    EXPECT_EQ(visto.filterIndex, 1);
    EXPECT_EQ(visto.flags,
              (1u << ofHideReadOnly) | (1u << ofEnableSizing) | (1u << ofFileMustExist));

    // Cancelled: false, and the dialog keeps what it had.
    Guion().CancelFileDialog();
    EXPECT_FALSE(abrir.Execute());
    EXPECT_EQ(abrir.GetFileName(), "C:\\Vornak\\LIB\\Catálogo.BDC");
    EXPECT_EQ(Guion().ShownBoxes()[1].text, "C:\\Vornak\\LIB\\Catálogo.BDC"); // proposed

    // Several files.
    abrir.SetOptions(abrir.GetOptions() << ofAllowMultiSelect);
    Guion().AnswerFileDialog(std::vector<AnsiString>{"/d/a.cte", "/d/b.cte"});
    ASSERT_TRUE(abrir.Execute());
    ASSERT_EQ(abrir.GetFiles()->GetCount(), 2);
    EXPECT_EQ(abrir.GetFiles()->GetStrings(1), "/d/b.cte");
    EXPECT_EQ(abrir.GetFileName(), "/d/a.cte");
}

TEST(DialogosDeFicheros, LaExtensionPorDefectoSeAnadeSoloSiFalta) {
    struct Caso {
        const char* elegido;
        const char* resultado;
    } casos[] = {
        {"C:\\datos\\nuevo", "C:\\datos\\nuevo.bdc"},
        {"C:\\datos\\nuevo.BDC", "C:\\datos\\nuevo.BDC"},
        {"/home/u/mis.datos/informe", "/home/u/mis.datos/informe.bdc"},
        {"/home/u/informe.txt", "/home/u/informe.txt"},
    };
    TSaveDialog guardar(nullptr);
    guardar.SetFilter("Ficheros BDC (*.bdc)|*.BDC");
    guardar.SetDefaultExt("bdc");
    for (const Caso& c : casos) {
        Guion().AnswerFileDialog(c.elegido);
        ASSERT_TRUE(guardar.Execute());
        EXPECT_EQ(guardar.GetFileName(), c.resultado);
    }
    EXPECT_EQ(Guion().ShownBoxes()[0].dialogKind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(Guion().ShownBoxes()[0].defaultExt, "bdc");
}

TEST(DialogosDeFicheros, UnDialogoSinGuionFallaConSuTituloYSeCancela) {
    ScriptedModalHooks local;
    std::vector<std::string> fallos;
    local.SetFailureHandler([&](const std::string& m) { fallos.push_back(m); });
    SetModalHooks(&local);
    TOpenPictureDialog imagen(nullptr);
    imagen.SetTitle("Elegir imagen");
    bool elegido = imagen.Execute();
    SetModalHooks(&Guion());
    EXPECT_FALSE(elegido);
    ASSERT_EQ(fallos.size(), 1u);
    EXPECT_EQ(fallos[0], "FileDialog no esperado: Elegir imagen");
    ASSERT_EQ(local.ShownBoxes().size(), 1u);
    EXPECT_EQ(local.ShownBoxes()[0].dialogKind, FileDialogRequest::Kind::OpenPicture);
    // Its filter starts with every picture format the program reads.
    std::vector<TFilterEntry> filtro = ParseFilter(imagen.GetFilter());
    ASSERT_FALSE(filtro.empty());
    EXPECT_EQ(filtro[0].patterns,
              (std::vector<AnsiString>{"*.jpg", "*.jpeg", "*.bmp", "*.ico", "*.png", "*.gif"}));
}

TEST(DialogosDeFicheros, ElFiltroSeLeePorParesYSusPatronesNoDistinguenMayusculas) {
    std::vector<TFilterEntry> f = ParseFilter("Ficheros (*.bdc; *.inp)|*.bdc; *.inp|Sin patrón|");
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].text, "Ficheros (*.bdc; *.inp)");
    EXPECT_EQ(f[0].patterns, (std::vector<AnsiString>{"*.bdc", "*.inp"}));

    QtNameFilters qt = ToQtNameFilters("*.CTE|*.cte|Todos (*.*)|*.*");
    ASSERT_EQ(qt.entries.size(), 2u);
    EXPECT_EQ(qt.entries[0], "*.CTE (*.[cC][tT][eE])");
    EXPECT_EQ(qt.text, "*.CTE (*.[cC][tT][eE]);;Todos (*.*) (*.*)");
    EXPECT_EQ(CaseBlindPattern("cat?logo*.bdc"), "[cC][aA][tT]?[lL][oO][gG][oO]*.[bB][dD][cC]");

    // What Qt is given finds names in any case, even matching case-sensitively.
    CarpetaTemporal carpeta;
    carpeta.Fichero("A.BDC", "");
    carpeta.Fichero("b.bdc", "");
    carpeta.Fichero("c.Bdc.txt", "");
    QDir dir(QString::fromStdString(NativePath(carpeta.Ruta())));
    QStringList hallados = dir.entryList({ToQString(CaseBlindPattern("*.bdc"))},
                                         QDir::Files | QDir::CaseSensitive, QDir::Name);
    EXPECT_EQ(hallados, (QStringList{"A.BDC", "b.bdc"}));
}

TEST(Shell, AbrirPasaPorLosGanchos) {
    Guion().AnswerShellExecute(42);
    HINSTANCE r = ShellExecute(nullptr, "open", "C:\\Informes\\Promedio.pdf", nullptr, nullptr,
                               SW_SHOWMAXIMIZED);
    EXPECT_GT(reinterpret_cast<std::intptr_t>(r), 32);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    const auto& visto = Guion().ShownBoxes()[0];
    EXPECT_EQ(visto.kind, ScriptedModalHooks::Kind::ShellExecute);
    EXPECT_EQ(visto.text, "C:\\Informes\\Promedio.pdf");
    EXPECT_EQ(visto.caption, "open");
    EXPECT_EQ(visto.flags, static_cast<unsigned>(SW_SHOWMAXIMIZED));
    // A null verb is "open".
    Guion().AnswerShellExecute(SE_ERR_NOASSOC);
    r = ShellExecuteA(nullptr, nullptr, "x.pdf", "", "", SW_SHOWNORMAL);
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(r), SE_ERR_NOASSOC);
    EXPECT_EQ(Guion().ShownBoxes()[1].caption, "open");
}

TEST(Shell, ElEscritorioNoAbreLoQueNoExisteNiVerbosDesconocidos) {
    QtModalHooks qt;
    CarpetaTemporal carpeta;
    AnsiString informe = carpeta.Fichero("informe.pdf", "%PDF-1.4\n");
    EXPECT_EQ(qt.ShellExecute("open", carpeta.Ruta() + "no_existe.pdf", "", "", SW_SHOWNORMAL),
              SE_ERR_FNF);
    EXPECT_EQ(qt.ShellExecute("open", "no_existe.pdf", "", carpeta.Ruta(), SW_SHOWNORMAL),
              SE_ERR_FNF);
    EXPECT_EQ(qt.ShellExecute("print", informe, "", "", SW_SHOWNORMAL), SE_ERR_NOASSOC);
}

// The desktop's opener decides: a file that no program took is reported, not taken for done,
// also when the opener takes seconds to say so; meanwhile timers run (and windows paint); a
// document goes to it whatever its mode.
// Fake openers stand first on PATH; each leaves the file it was given beside itself.
TEST(Shell, ElEscritorioDiceSiNingunProgramaAbrioElFichero) {
    EnsureQtApplication();
    QtModalHooks qt;
    CarpetaTemporal carpeta;
    const AnsiString informe = carpeta.Fichero("Informe promedio.pdf", "%PDF-1.4\n");
    // As files on a FAT stick or a share are: a document with the execute bit is still
    // opened, not run.
    std::filesystem::permissions(NativePath(informe), std::filesystem::perms::owner_all |
                                                          std::filesystem::perms::group_exec |
                                                          std::filesystem::perms::others_exec);
    const std::string antes = std::getenv("PATH") ? std::getenv("PATH") : "";
    const struct {
        const char* nombre;
        const char* abridor;
        int esperado;
    } casos[] = {
        {"abre", "exit 0", 42},
        {"sin_programa", "exit 3", SE_ERR_NOASSOC},
        // Lo que tarda el de un escritorio sin visor de PDF en decirlo.
        {"lento_sin_programa", "sleep 3; exit 3", SE_ERR_NOASSOC},
        {"lento_abre", "sleep 3; exit 0", 42},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        const AnsiString bin = carpeta.Ruta() + c.nombre + "/";
        const AnsiString abridor = carpeta.Fichero(
            AnsiString(c.nombre) + "/xdg-open",
            std::string("#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/dado\"\n") +
                c.abridor + "\n");
        std::filesystem::permissions(NativePath(abridor), std::filesystem::perms::owner_all);
        // The fake opener's folder first: the real opener is not reached.
        setenv("PATH", (NativePath(bin) + ":" + antes).c_str(), 1);
        bool temporizador = false;
        QTimer::singleShot(100, [&temporizador] { temporizador = true; });
        const int r = qt.ShellExecute("open", informe, "", "", SW_SHOWMAXIMIZED);
        setenv("PATH", antes.c_str(), 1);
        EXPECT_EQ(r, c.esperado);
        if (std::string(c.abridor).rfind("sleep", 0) == 0) EXPECT_TRUE(temporizador);
        std::string dado;
        ASSERT_TRUE(ReadWholeFile(bin + "dado", dado));
        EXPECT_EQ(dado, NativePath(informe));
    }
}

// Runs f on the modal widget once the hook's own loop is running; a second timer ends a
// loop that the test failed to end, so that it never hangs.
template <class W, class F> void CuandoAparezca(F f) {
    QTimer::singleShot(0, [f] {
        W* w = qobject_cast<W*>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        f(w);
    });
}

class Seguridad {
public:
    Seguridad() {
        temporizador.setSingleShot(true);
        QObject::connect(&temporizador, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        temporizador.start(10000);
    }
    QTimer temporizador;
};

TEST(GanchosQt, LaCajaDeMensajeTieneLosBotonesDeWindowsEnEspanol) {
    EnsureQtApplication();
    QtModalHooks qt;
    Seguridad seguridad;
    std::vector<std::string> botones;
    std::string porDefecto, titulo, texto;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    CuandoAparezca<QMessageBox>([&](QMessageBox* box) {
        for (QAbstractButton* b : box->buttons())
            botones.push_back(FromQString(b->text()).str());
        porDefecto = FromQString(box->defaultButton()->text()).str();
        titulo = FromQString(box->windowTitle()).str();
        texto = FromQString(box->text()).str();
        icono = box->icon();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == QStringLiteral("&No")) b->click();
    });
    int r = qt.MessageBox("¿Desea guardar los cambios?", "Información",
                          MB_YESNOCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2);
    EXPECT_EQ(r, IDNO);
    std::sort(botones.begin(), botones.end());
    EXPECT_EQ(botones, (std::vector<std::string>{"&Cancelar", "&No", "&Sí"}));
    EXPECT_EQ(porDefecto, "&No");
    EXPECT_EQ(titulo, "Información");
    EXPECT_EQ(texto, "¿Desea guardar los cambios?");
    EXPECT_EQ(icono, QMessageBox::Information);

    // The letter of a button presses it, without Alt, whichever button is the default.
    struct Letra {
        Qt::Key tecla;
        const char* texto;
        unsigned flags;
        int respuesta;
    };
    for (const Letra& l : {Letra{Qt::Key_N, "n", MB_YESNOCANCEL, IDNO},
                           Letra{Qt::Key_S, "s", MB_YESNO | MB_DEFBUTTON2, IDYES},
                           Letra{Qt::Key_C, "c", MB_YESNOCANCEL, IDCANCEL},
                           Letra{Qt::Key_R, "r", MB_RETRYCANCEL | MB_DEFBUTTON2, IDRETRY}}) {
        SCOPED_TRACE(l.texto);
        CuandoAparezca<QMessageBox>([&l](QMessageBox* box) {
            QKeyEvent pulsada(QEvent::KeyPress, l.tecla, Qt::NoModifier,
                              QString::fromLatin1(l.texto));
            QApplication::sendEvent(box, &pulsada);
        });
        EXPECT_EQ(qt.MessageBox("¿Realmente desea eliminar  Ladrillo? ", "Confirmación", l.flags),
                  l.respuesta);
    }

    // Closed without a button: Cancel when the box has one.
    CuandoAparezca<QMessageBox>([](QMessageBox* box) { box->reject(); });
    EXPECT_EQ(qt.MessageBox("x", "y", MB_OKCANCEL), IDCANCEL);
}

TEST(GanchosQt, ElDialogoDeFicherosRecibeLaPeticionYDevuelveLaEleccion) {
    EnsureQtApplication();
    QtModalHooks qt;
    Seguridad seguridad;
    CarpetaTemporal carpeta;
    AnsiString existente = carpeta.Fichero("Proyecto.CTE", "");
    FileDialogRequest r;
    r.title = "Buscar proyecto";
    r.initialDir = carpeta.Ruta();
    r.filter = "*.CTE|*.cte|Todos|*.*";
    r.filterIndex = 1;
    r.options = 1u << ofFileMustExist;
    QStringList filtros;
    QString directorio, titulo;
    bool abrir = false;
    CuandoAparezca<QFileDialog>([&](QFileDialog* d) {
        filtros = d->nameFilters();
        directorio = d->directory().absolutePath();
        titulo = d->windowTitle();
        abrir = d->acceptMode() == QFileDialog::AcceptOpen &&
                d->fileMode() == QFileDialog::ExistingFile;
        // As a user types the name into the dialog's name field.
        auto* nombre = d->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(nombre, nullptr);
        nombre->setText("Proyecto.CTE");
        QMetaObject::invokeMethod(d, "accept");
    });
    ASSERT_TRUE(qt.FileDialog(r));
    EXPECT_EQ(filtros, (QStringList{"*.CTE (*.[cC][tT][eE])", "Todos (*.*)"}));
    EXPECT_EQ(directorio.toStdString() + "/", NativePath(carpeta.Ruta()));
    EXPECT_EQ(titulo, QStringLiteral("Buscar proyecto"));
    EXPECT_TRUE(abrir);
    ASSERT_EQ(r.files.size(), 1u);
    EXPECT_EQ(r.files[0], existente);
    EXPECT_EQ(r.filterIndex, 1);
}

// Qt's own dialogs speak Spanish once the programs' start has loaded Qt's translations: the
// labels and buttons of the open, save and picture dialogs, captured for a person to look at.
TEST(GanchosQt, LosDialogosDeFicherosEnEspanol) {
    EnsureQtApplication();
    ASSERT_TRUE(InstallQtSpanishTranslations());
    QtModalHooks qt;
    Seguridad seguridad;
    CarpetaTemporal carpeta;
    const AnsiString base = carpeta.Fichero("Base de ejemplo.bdc", std::string(1536, 'x'));
    {
        QFile f(QString::fromStdString(NativePath(base)));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2026, 3, 5), QTime(9, 7)),
                                  QFileDevice::FileModificationTime));
    }
    carpeta.Fichero("Imágenes/ladrillo.png", "");
    const struct {
        FileDialogRequest::Kind tipo;
        const char* titulo;
        const char* filtro;
        const char* captura;
        const char* boton; // el que acepta
    } casos[] = {
        {FileDialogRequest::Kind::Open, "", "Ficheros BDC (*.bdc)|*.bdc", "dialogo_abrir", "Abrir"},
        {FileDialogRequest::Kind::Save, "Guardar como", "PDF|*.PDF", "dialogo_guardar", "Guardar"},
        {FileDialogRequest::Kind::OpenPicture, "", "Imágenes|*.png;*.jpg", "dialogo_imagen",
         "Abrir"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.captura);
        FileDialogRequest r;
        r.kind = c.tipo;
        r.title = c.titulo;
        r.filter = c.filtro;
        r.initialDir = carpeta.Ruta();
        std::map<std::string, std::string> textos;
        std::vector<std::string> botones;
        CuandoAparezca<QFileDialog>([&](QFileDialog* d) {
            // The folder is listed by a thread of its own: the capture waits for it.
            auto* modelo = d->findChild<QFileSystemModel*>();
            QElapsedTimer espera;
            espera.start();
            while (modelo && modelo->rowCount(modelo->index(d->directory().absolutePath())) == 0 &&
                   espera.elapsed() < 3000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            // The size and date of a file as the list shows them, in Spanish whatever the
            // system's language, and every column as wide as what it shows.
            auto* lista = d->findChild<QTreeView*>("treeView");
            ASSERT_NE(lista, nullptr);
            QCoreApplication::processEvents();
            QAbstractItemModel* filas = lista->model();
            QHeaderView* cabecera = lista->header();
            bool visto = false;
            for (int f = 0; f < filas->rowCount(lista->rootIndex()); ++f) {
                const QModelIndex fila = filas->index(f, 0, lista->rootIndex());
                if (fila.data().toString() == QStringLiteral("Base de ejemplo.bdc")) {
                    visto = true;
                    EXPECT_EQ(fila.siblingAtColumn(1).data().toString().toStdString(), "1,50 KiB");
                    EXPECT_EQ(fila.siblingAtColumn(3).data().toString().toStdString(),
                              "05/03/2026 9:07");
                }
                for (int col = 1; col < cabecera->count(); ++col) {
                    const QString texto = fila.siblingAtColumn(col).data().toString();
                    EXPECT_GT(cabecera->sectionSize(col),
                              lista->fontMetrics().horizontalAdvance(texto))
                        << texto.toStdString();
                }
            }
            // Only the open dialog's filter lists the database.
            EXPECT_EQ(visto, c.tipo == FileDialogRequest::Kind::Open);
            EXPECT_GE(d->width(), 780);
            EXPECT_GE(cabecera->sectionSize(0), 200);
            for (const char* nombre : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
                if (auto* l = d->findChild<QLabel*>(nombre))
                    textos[nombre] = FromQString(l->text()).str();
            if (auto* caja = d->findChild<QDialogButtonBox*>("buttonBox"))
                for (QAbstractButton* b : caja->buttons())
                    botones.push_back(FromQString(b->text()).str());
            textos["titulo"] = FromQString(d->windowTitle()).str();
            if (modelo)
                textos["carpeta"] =
                    FromQString(modelo->type(modelo->index(
                                    d->directory().absoluteFilePath(ToQString("Imágenes")))))
                        .str();
            const QString png = QString::fromStdString(NativePath(CaptureFolder())) +
                                QStringLiteral("/") + QString::fromLatin1(c.captura) +
                                QStringLiteral(".png");
            QDir().mkpath(QFileInfo(png).absolutePath());
            EXPECT_TRUE(d->grab().save(png));
            d->reject();
        });
        EXPECT_FALSE(qt.FileDialog(r));
        EXPECT_EQ(textos,
                  (std::map<std::string, std::string>{{"lookInLabel", "Ver en:"},
                                                      {"fileNameLabel", "&Nombre de fichero:"},
                                                      {"fileTypeLabel", "Ficheros de tipo:"},
                                                      {"titulo", *c.titulo ? c.titulo : "Abrir"},
                                                      {"carpeta", "Carpeta"}}));
        std::sort(botones.begin(), botones.end());
        EXPECT_EQ(botones, (std::vector<std::string>{std::string("&") + c.boton, "Cancelar"}));
    }
}

} // namespace
