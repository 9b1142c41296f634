#include "plataforma/gui/forms/qt_spanish.h"

#include "plataforma/gui/kernel/qt_bridge.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallQtSpanishTranslations() {
    static QTranslator* traductor = nullptr;
    if (traductor) return true;
    QApplication* app = EnsureQtApplication();
    auto* nuevo = new QTranslator(app);
    // Spanish whatever the desktop's language: every other text of the programs is.
    if (!nuevo->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete nuevo;
        return false;
    }
    QCoreApplication::installTranslator(nuevo);
    // The kinds of file that the dialogs list come from the system's descriptions in this
    // language. Numbers and dates that the programs show never go through Qt's locale.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    traductor = nuevo;
    return true;
}
