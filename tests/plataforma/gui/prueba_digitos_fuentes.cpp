// Numbers in a grid and an edit look the same whatever fonts the machine has: the window
// drawn with the tests' fonts and drawn again by this program under a configuration that
// also has the fonts made to the Windows fonts' widths are the same pixels, and in both each
// digit's ink stays within its advance.
//
// The second set of fonts is the folder $QUENBAR_FUENTES_EXTRA (by default the system's
// fonts, where the set-up installs them): it must hold "Liberation Sans".

#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/grid/grids.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/font.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/widgets/edit.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/plataforma/gui/canvas_prueba.h"

#include <QFontDatabase>
#include <QImage>

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace {

const char* const kVariableHijo = "QUENBAR_DIGITOS_CAPTURA";

// A form with a grid and an edit showing numbers, captured as Nombre.png; the capture's path.
AnsiString CapturaDeNumeros(const AnsiString& Nombre) {
    TForm ventana(nullptr);
    ventana.SetBounds(0, 0, 260, 150);
    auto* rejilla = new TStringGrid(&ventana);
    rejilla->SetParent(&ventana);
    rejilla->SetBounds(8, 8, 240, 70);
    rejilla->SetColCount(3);
    rejilla->SetRowCount(3);
    const char* textos[] = {"Año", "00000", "1900", "12,50", "0,038", "2024"};
    for (int i = 0; i < 6; ++i)
        rejilla->SetCells(i % 3, i / 3 + 1, textos[i]);
    auto* edit = new TEdit(&ventana);
    edit->SetParent(&ventana);
    edit->SetBounds(8, 90, 120, 21);
    edit->SetText("00000 1900");
    ventana.Show();
    return SaveCapture(&ventana, Nombre);
}

// The number of digits whose ink leaves its advance, over the forms' fonts at 8 to 16 pixels.
int DigitosFueraDeSuAvance() {
    constexpr int W = 200, H = 30, X = 4, Y = 2;
    const char* fuentes[] = {"MS Sans Serif", "Arial", "Tahoma", "Times New Roman", "Courier New"};
    const AnsiString numero = "0123456789";
    TRecordingCanvas c(W, H);
    int malos = 0;
    for (const char* nombre : fuentes)
        for (int altura = -8; altura >= -16; --altura) {
            c.GetFont()->SetName(nombre);
            c.GetFont()->SetHeight(altura);
            c.GetFont()->SetColor(clBlack);
            for (int i = 0; i < numero.Length(); ++i) {
                const int desde = X + c.TextWidth(numero.SubString(1, i));
                const int hasta = X + c.TextWidth(numero.SubString(1, i + 1));
                malos += InkOutside(InkOfText(&c, W, H, desde, Y, numero.SubString(i + 1, 1)), W,
                                    desde, hasta) > 0;
            }
        }
    return malos;
}

// Run by the test below in a program of its own, under the larger set of fonts.
TEST(DigitosConMasFuentes, DISABLED_Hijo) {
    const char* nombre = std::getenv(kVariableHijo);
    ASSERT_NE(nombre, nullptr);
    EnsureQtApplication();
    ASSERT_TRUE(QFontDatabase::families().contains("Liberation Sans"))
        << "the larger set has no Liberation Sans";
    EXPECT_EQ(DigitosFueraDeSuAvance(), 0);
    EXPECT_FALSE(CapturaDeNumeros(nombre).IsEmpty());
}

QImage Leer(const AnsiString& ruta) {
    return QImage(QString::fromStdString(ruta.str())).convertToFormat(QImage::Format_RGB32);
}

TEST(DigitosConMasFuentes, LaMismaVentanaConOtrasFuentesInstaladas) {
    const char* variable = std::getenv("QUENBAR_FUENTES_EXTRA");
    const std::string extra = variable && *variable ? variable : "/usr/share/fonts";
    bool hay = false;
    std::error_code error;
    for (auto i = std::filesystem::recursive_directory_iterator(extra, error);
         !error && i != std::filesystem::recursive_directory_iterator(); i.increment(error))
        hay |= i->path().filename() == "LiberationSans-Regular.ttf";
    if (!hay)
        GTEST_SKIP() << "no Liberation Sans under " << extra
                     << " (QUENBAR_FUENTES_EXTRA names the folder of the larger set)";

    EXPECT_EQ(DigitosFueraDeSuAvance(), 0);
    const AnsiString base = CapturaDeNumeros("digitos-fuentes-de-las-pruebas");
    ASSERT_FALSE(base.IsEmpty());

    // The tests' configuration (or the system's) with the larger set's folder on top.
    CarpetaTemporal carpeta;
    const std::string conf = (carpeta.Ruta() + "fuentes.conf").str();
    const char* actual = std::getenv("FONTCONFIG_FILE");
    {
        std::ofstream f(conf);
        f << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
          << "<fontconfig>\n  <include ignore_missing=\"yes\">"
          << (actual && *actual ? actual : "/etc/fonts/fonts.conf") << "</include>\n"
          << "  <dir>" << extra << "</dir>\n"
          << "  <cachedir>" << carpeta.Ruta().str() << "cache</cachedir>\n"
          << "  <selectfont><acceptfont><glob>" << extra
          << "/*</glob></acceptfont></selectfont>\n</fontconfig>\n";
    }
    const std::string programa = "/proc/self/exe";
    std::vector<std::string> argumentos = {programa,
                                           "--gtest_filter=DigitosConMasFuentes.DISABLED_Hijo",
                                           "--gtest_also_run_disabled_tests"};
    std::vector<std::string> entorno;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("FONTCONFIG_FILE=", 0) != 0 && v.rfind(kVariableHijo, 0) != 0 &&
            v.rfind("QT_QPA_PLATFORM=", 0) != 0)
            entorno.push_back(v);
    }
    // This program's screen settings name a file of its own.
    entorno.push_back("QT_QPA_PLATFORM=offscreen");
    entorno.push_back("FONTCONFIG_FILE=" + conf);
    entorno.push_back(std::string(kVariableHijo) + "=digitos-mas-fuentes");
    auto punteros = [](std::vector<std::string>& v) {
        std::vector<char*> p;
        for (std::string& s : v)
            p.push_back(s.data());
        p.push_back(nullptr);
        return p;
    };
    std::vector<char*> argv = punteros(argumentos), envp = punteros(entorno);
    pid_t hijo = 0;
    ASSERT_EQ(posix_spawn(&hijo, programa.c_str(), nullptr, nullptr, argv.data(), envp.data()), 0);
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    ASSERT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0)
        << "the program under the larger set of fonts failed";

    const QImage antes = Leer(base);
    const QImage despues = Leer(CaptureFolder() + "/digitos-mas-fuentes.png");
    ASSERT_FALSE(despues.isNull());
    ASSERT_EQ(antes.size(), despues.size());
    int distintos = 0;
    for (int y = 0; y < antes.height(); ++y)
        for (int x = 0; x < antes.width(); ++x)
            distintos += antes.pixel(x, y) != despues.pixel(x, y);
    EXPECT_EQ(distintos, 0);
}

} // namespace
