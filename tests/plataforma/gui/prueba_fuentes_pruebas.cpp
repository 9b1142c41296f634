// The fonts the tests see: those of the packages the set-up installs and no other of the
// machine's, and the family names the forms and cell texts use drawn in their stand-ins,
// both where the layer resolves the name and where Qt's own widgets ask for it.

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/font.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include <string>

namespace {

// The names of a list, sorted, in one line.
std::string Lista(QStringList l) {
    l.sort();
    return l.join(", ").toStdString();
}

TEST(FuentesDeLasPruebas, SoloLasDeLaInstalacion) {
    EnsureQtApplication();
    // Qt adds the three generic names of its own.
    EXPECT_EQ(Lista(QFontDatabase::families()),
              "DejaVu Math TeX Gyre, DejaVu Sans, DejaVu Sans Condensed, DejaVu Sans Mono, "
              "DejaVu Serif, DejaVu Serif Condensed, Monospace, Sans Serif, Serif, Symbola, "
              "WenQuanYi Zen Hei, WenQuanYi Zen Hei Mono, WenQuanYi Zen Hei Sharp");
    // Italics in faces of their own.
    EXPECT_EQ(Lista(QFontDatabase::styles("DejaVu Sans Mono")),
              "Bold, Bold Oblique, Book, Oblique");
}

TEST(FuentesDeLasPruebas, LosNombresDeLosFormulariosEnSusSustitutas) {
    EnsureQtApplication();
    struct Caso {
        const char* nombre;
        const char* familia;
    };
    const Caso casos[] = {
        {"MS Sans Serif", "DejaVu Sans"},
        {"Tahoma", "DejaVu Sans"},
        {"Arial", "DejaVu Sans"},
        {"Verdana", "DejaVu Sans"},
        {"Helvetica", "DejaVu Sans"},
        {"Times New Roman", "DejaVu Serif"},
        {"Times", "DejaVu Serif"},
        {"Courier New", "DejaVu Sans Mono"},
        {"Courier", "DejaVu Sans Mono"},
        {"Lucida Console", "DejaVu Sans Mono"},
        {"Una Fuente Propia", "DejaVu Sans"},
        {"Sans Serif", "DejaVu Sans"},
        {"monospace", "DejaVu Sans Mono"},
        {"serif", "DejaVu Serif"},
    };
    for (const Caso& c : casos) {
        TFont f;
        f.SetName(c.nombre);
        EXPECT_EQ(QFontInfo(ToQFont(f)).family().toStdString(), c.familia) << c.nombre;
        EXPECT_EQ(QFontInfo(QFont(c.nombre)).family().toStdString(), c.familia) << c.nombre;
    }
}

} // namespace
