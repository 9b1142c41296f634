// The modal hooks on Qt: message boxes with the buttons of a Spanish Windows, Qt's own file
// dialog (its filters made blind to case, a picture preview for pictures), a modal form's
// event loop, and the desktop's "open", which reports a file that no program took.

#include "plataforma/gui/forms/qt_modal_hooks.h"

#include "plataforma/base/files.h"
#include "plataforma/base/user_file_names.h"
#include "plataforma/gui/forms/dialogs.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

#include <filesystem>
#include <utility>
#include <vector>

namespace {

struct Boton {
    int id;
    const char* texto;
    QMessageBox::ButtonRole rol;
};

// The buttons carry their access letters, as the window system's boxes do: the letter alone
// presses its button (S for Sí, N for No, C for Cancelar).
std::vector<Boton> BotonesDe(unsigned flags) {
    const Boton aceptar{IDOK, "Aceptar", QMessageBox::AcceptRole};
    const Boton cancelar{IDCANCEL, "&Cancelar", QMessageBox::RejectRole};
    const Boton si{IDYES, "&Sí", QMessageBox::YesRole};
    const Boton no{IDNO, "&No", QMessageBox::NoRole};
    const Boton reintentar{IDRETRY, "&Reintentar", QMessageBox::AcceptRole};
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {aceptar, cancelar};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, "&Anular", QMessageBox::RejectRole},
                reintentar,
                {IDIGNORE, "&Omitir", QMessageBox::AcceptRole}};
    case MB_YESNOCANCEL:
        return {si, no, cancelar};
    case MB_YESNO:
        return {si, no};
    case MB_RETRYCANCEL:
        return {reintentar, cancelar};
    default:
        return {aceptar};
    }
}

QMessageBox::Icon IconoDe(unsigned flags) {
    switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// A box or dialog of the window system gives the keyboard back, once closed, to the window
// that was active before it and to the control focused there, as the class library's do:
// without a window manager nothing else would, and keys would go nowhere.
class VueltaAlFoco {
public:
    VueltaAlFoco() : ventana(QApplication::activeWindow()), widget(QApplication::focusWidget()) {
        if (TWinControl* c = FocusedControl()) {
            control = c;
            controlVivo = c->Watch();
        }
    }
    // Once the box or dialog has closed.
    void Volver() {
        if (!ventana || !ventana->isVisible()) return;
        if (control && !controlVivo.expired() && control->CanFocus() && control->GetWidget() &&
            control->GetWidget()->window() == ventana) {
            try {
                control->SetFocus();
                return;
            } catch (const EInvalidOperation&) {
            }
        }
        if (QApplication::activeWindow() != ventana) {
            ventana->activateWindow();
            QApplication::setActiveWindow(ventana);
        }
        if (widget && widget->window() == ventana && widget->isEnabled() && widget->isVisible())
            widget->setFocus(Qt::ActiveWindowFocusReason);
    }
    VueltaAlFoco(const VueltaAlFoco&) = delete;
    VueltaAlFoco& operator=(const VueltaAlFoco&) = delete;

private:
    QPointer<QWidget> ventana, widget;
    TWinControl* control = nullptr;
    std::weak_ptr<int> controlVivo;
};

bool Opcion(const FileDialogRequest& r, TOpenOption o) {
    return (r.options & (1u << o)) != 0;
}

// The preview pane of a picture dialog: the picture under the cursor, scaled to fit.
void AddPicturePreview(QFileDialog& dlg) {
    auto* grid = qobject_cast<QGridLayout*>(dlg.layout());
    if (!grid) return;
    auto* vista = new QLabel(&dlg);
    vista->setFixedSize(160, 160);
    vista->setAlignment(Qt::AlignCenter);
    vista->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(vista, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    QObject::connect(&dlg, &QFileDialog::currentChanged, vista, [vista](const QString& path) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        QImage img = reader.read();
        if (img.isNull()) {
            vista->clear();
            return;
        }
        vista->setPixmap(QPixmap::fromImage(img.scaled(
            vista->size() - QSize(8, 8), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    });
}

// The kind of a folder in the dialog's list, which Qt's Spanish texts leave in English.
class TiposEnEspanol : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        if (info.isDir() && !info.isRoot()) return QStringLiteral("Carpeta");
        return QFileIconProvider::type(info);
    }
};

// The sizes and dates of the dialog's list as the programs write them, whatever the system's
// language: Qt takes them from the system's locale. Sorting stays the file model's own.
class FechasEnEspanol : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole && (index.column() == 1 || index.column() == 3)) {
            const QFileInfo info(index.data(QFileSystemModel::FilePathRole).toString());
            if (index.column() == 3 && info.exists())
                return QLocale().toString(info.lastModified(), QStringLiteral("dd/MM/yyyy H:mm"));
            if (index.column() == 1 && info.isFile())
                return QLocale().formattedDataSize(info.size());
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// Room for the list's columns: the name takes what the size, kind and date leave, each of
// them as wide as what it shows.
void ColumnasEnteras(QFileDialog& dlg) {
    dlg.resize(kAnchoDialogoFicheros, kAltoDialogoFicheros);
    auto* lista = dlg.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!lista) return;
    QHeaderView* cabecera = lista->header();
    cabecera->setStretchLastSection(false);
    cabecera->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int i = 1; i < cabecera->count(); ++i)
        cabecera->setSectionResizeMode(i, QHeaderView::ResizeToContents);
}

bool EsDireccion(const AnsiString& s) {
    return s.Pos("://") > 0 || AnsiSameText(s.SubString(1, 7), "mailto:");
}

// How long the desktop's opener may take to say whether it found a program for the file: one
// that finds none takes some seconds to say so (2 to 4 were seen).
constexpr int kEsperaAbridor = 10000;

// A file opened with the desktop's opener (xdg-open), which says by its exit code whether a
// program took the file: a machine without a viewer for it answers SE_ERR_NOASSOC instead of
// a silent success. While it decides, the windows keep painting and timers keep running; what
// the user types or clicks waits. An opener still running after the wait runs the viewer
// itself: it is left to run.
int AbrirConElEscritorio(const QString& ruta) {
    const QString abridor = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (abridor.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(ruta)) ? 42 : SE_ERR_NOASSOC;
    auto* proceso = new QProcess(QCoreApplication::instance());
    proceso->setProgram(abridor);
    proceso->setArguments({ruta});
    proceso->setStandardInputFile(QProcess::nullDevice());
    proceso->setStandardOutputFile(QProcess::nullDevice());
    proceso->setStandardErrorFile(QProcess::nullDevice());
    proceso->start();
    if (!proceso->waitForStarted()) {
        delete proceso;
        return SE_ERR_NOASSOC;
    }
    if (proceso->state() != QProcess::NotRunning) {
        QEventLoop espera;
        QTimer limite;
        limite.setSingleShot(true);
        QObject::connect(&limite, &QTimer::timeout, &espera, &QEventLoop::quit);
        QObject::connect(proceso, &QProcess::finished, &espera, &QEventLoop::quit);
        limite.start(kEsperaAbridor);
        espera.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (proceso->state() != QProcess::NotRunning) {
        QObject::connect(proceso, &QProcess::finished, proceso, &QObject::deleteLater);
        return 42;
    }
    const bool abierto = proceso->exitStatus() == QProcess::NormalExit && proceso->exitCode() == 0;
    delete proceso;
    return abierto ? 42 : SE_ERR_NOASSOC;
}

// A program is run, a document opened. The execute bit alone does not make a program: files
// on a FAT stick or a share carry it whatever they are. A program starts as the system runs
// one: a binary's mark or a script's "#!".
bool EsPrograma(const QFileInfo& info) {
    if (!info.isFile() || !info.isExecutable()) return false;
    QFile fichero(info.absoluteFilePath());
    if (!fichero.open(QIODevice::ReadOnly)) return false;
    const QByteArray inicio = fichero.read(4);
    return inicio == QByteArray("\x7F"
                                "ELF",
                                4) ||
           inicio.startsWith("#!");
}

} // namespace

AnsiString CaseBlindPattern(const AnsiString& Pattern) {
    QString in = ToQString(Pattern), out;
    for (QChar c : in) {
        QChar lower = c.toLower(), upper = c.toUpper();
        if (lower != upper) {
            out += QLatin1Char('[');
            out += lower;
            out += upper;
            out += QLatin1Char(']');
        } else {
            out += c;
        }
    }
    return FromQString(out);
}

QtNameFilters ToQtNameFilters(const AnsiString& Filter) {
    QtNameFilters result;
    for (const TFilterEntry& e : ParseFilter(Filter)) {
        AnsiString patterns;
        for (const AnsiString& p : e.patterns) {
            if (!patterns.IsEmpty()) patterns += " ";
            patterns += CaseBlindPattern(p);
        }
        // Qt reads the patterns from the last parentheses and shows the text before them.
        AnsiString entry = e.text + " (" + patterns + ")";
        result.entries.push_back(entry);
        if (!result.text.IsEmpty()) result.text += ";;";
        result.text += entry;
    }
    return result;
}

int QtModalHooks::MessageBox(const AnsiString& texto, const AnsiString& titulo, unsigned flags) {
    EnsureQtApplication();
    VueltaAlFoco vuelta;
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(ToQString(titulo));
    box.setText(ToQString(texto));
    box.setIcon(IconoDe(flags));
    std::vector<Boton> botones = BotonesDe(flags);
    std::vector<std::pair<QAbstractButton*, int>> hechos;
    QAbstractButton* escape = nullptr;
    for (const Boton& b : botones) {
        QPushButton* pb = box.addButton(ToQString(b.texto), b.rol);
        hechos.push_back({pb, b.id});
        if (b.id == IDCANCEL) escape = pb;
    }
    // A box of one button closes with it; one with Cancel closes with Cancel.
    if (!escape && botones.size() == 1) escape = hechos[0].first;
    box.setEscapeButton(escape);
    const int defecto = DefaultButtonAnswer(flags);
    for (auto& [boton, id] : hechos)
        if (id == defecto) box.setDefaultButton(static_cast<QPushButton*>(boton));
    box.exec();
    vuelta.Volver();
    for (auto& [boton, id] : hechos)
        if (box.clickedButton() == boton) return id;
    return escape ? IDCANCEL : defecto;
}

void QtModalHooks::ShowMessage(const AnsiString& texto) {
    MessageBox(texto, Application->GetTitle(), MB_OK);
}

void QtModalHooks::ProcessMessages() {
    Application->ProcessMessages();
}

bool QtModalHooks::FileDialog(FileDialogRequest& r) {
    EnsureQtApplication();
    const bool guardar = r.kind == FileDialogRequest::Kind::Save;
    VueltaAlFoco vuelta;
    TiposEnEspanol tipos; // lives longer than the dialog that uses it
    QFileDialog dlg(QApplication::activeWindow());
    // Qt's own dialog: its filters are the ones given here, blind to case.
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setIconProvider(&tipos);
    dlg.setProxyModel(new FechasEnEspanol(&dlg));
    AnsiString titulo =
        r.title.IsEmpty() ? AnsiString(guardar ? "Guardar como" : "Abrir") : r.title;
    dlg.setWindowTitle(ToQString(titulo));
    dlg.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (guardar)
        dlg.setFileMode(QFileDialog::AnyFile);
    else if (Opcion(r, ofAllowMultiSelect))
        dlg.setFileMode(QFileDialog::ExistingFiles);
    else if (Opcion(r, ofFileMustExist))
        dlg.setFileMode(QFileDialog::ExistingFile);
    else
        dlg.setFileMode(QFileDialog::AnyFile);
    if (guardar && !Opcion(r, ofOverwritePrompt)) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (Opcion(r, ofForceShowHidden)) dlg.setFilter(dlg.filter() | QDir::Hidden);
    std::string carpeta = r.initialDir.IsEmpty() ? std::string() : NativePath(r.initialDir);
    std::error_code ec;
    if (carpeta.empty() || !std::filesystem::is_directory(carpeta, ec))
        carpeta = std::filesystem::current_path(ec).string();
    dlg.setDirectory(QString::fromStdString(carpeta));
    QtNameFilters filtros = ToQtNameFilters(r.filter);
    if (!filtros.entries.empty()) {
        QStringList lista;
        for (const AnsiString& e : filtros.entries)
            lista << ToQString(e);
        dlg.setNameFilters(lista);
        int i = std::clamp(r.filterIndex, 1, static_cast<int>(lista.size())) - 1;
        dlg.selectNameFilter(lista[i]);
    }
    if (!r.defaultExt.IsEmpty()) dlg.setDefaultSuffix(ToQString(r.defaultExt));
    if (!r.fileName.IsEmpty()) dlg.selectFile(QString::fromStdString(NativePath(r.fileName)));
    if (r.kind == FileDialogRequest::Kind::OpenPicture) AddPicturePreview(dlg);
    ColumnasEnteras(dlg);
    const bool aceptado = dlg.exec() == QDialog::Accepted;
    vuelta.Volver();
    if (!aceptado) return false;
    r.files.clear();
    for (const QString& f : dlg.selectedFiles()) {
        // A name that cannot pass whole through the program's paths would reach another
        // file: it is refused, as a dialog cancelled.
        const std::string nativa = QFile::encodeName(f).toStdString();
        AnsiString ruta;
        if (!ProgramPathFromNative(nativa, ruta)) {
            MessageBox(UnusableNameMessage(nativa), "Error", MB_OK | MB_ICONERROR);
            r.files.clear();
            return false;
        }
        r.files.push_back(ruta);
    }
    int elegido = dlg.nameFilters().indexOf(dlg.selectedNameFilter());
    if (elegido >= 0) r.filterIndex = elegido + 1;
    return !r.files.empty();
}

void QtModalHooks::RunModal(ModalRun& run) {
    EnsureQtApplication();
    while (!run.Finished()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        Application->ProcessMessages();
    }
}

int QtModalHooks::ShellExecute(const AnsiString& verb, const AnsiString& file,
                               const AnsiString& parameters, const AnsiString& directory, int) {
    EnsureQtApplication();
    if (!AnsiSameText(verb, "open")) return SE_ERR_NOASSOC;
    if (EsDireccion(file))
        return QDesktopServices::openUrl(QUrl(ToQString(file))) ? 42 : SE_ERR_NOASSOC;
    std::filesystem::path ruta = NativePath(file);
    if (ruta.is_relative() && !directory.IsEmpty())
        ruta = std::filesystem::path(NativePath(directory)) / ruta;
    std::error_code ec;
    if (!std::filesystem::exists(ruta, ec)) return SE_ERR_FNF;
    QFileInfo info(QString::fromStdString(ruta.string()));
    if (EsPrograma(info)) {
        QStringList args = QProcess::splitCommand(ToQString(parameters));
        return QProcess::startDetached(info.absoluteFilePath(), args) ? 42 : SE_ERR_ACCESSDENIED;
    }
    return AbrirConElEscritorio(info.absoluteFilePath());
}

void InstallQtModalHooks() {
    static QtModalHooks hooks;
    SetModalHooks(&hooks);
}
