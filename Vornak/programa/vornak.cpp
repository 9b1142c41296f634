// La entrada del gestor de bases de datos: el marco y, si la línea de órdenes trae la ruta de
// una base de datos, esa base en el modo de un solo fichero.

#include "Vornak/VentanaPrincipal.h"

#include "comunes/RegistroElementos.h"
#include "modelo/RegistroModelo.h"
#include "plataforma/base/files.h"
#include "plataforma/gui/forms/close_when_shown.h"
#include "plataforma/gui/forms/program_main.h"
#include "plataforma/gui/kernel/application.h"

#include <filesystem>

namespace {

// La ruta de la línea de órdenes, completa: al crearse las carpetas de la instalación la
// carpeta actual pasa a ser la del programa.
AnsiString RutaCompleta(const char* argumento) {
    std::error_code error;
    std::filesystem::path ruta = std::filesystem::absolute(argumento, error);
    return FromNativePath(error ? std::string(argumento) : ruta.lexically_normal().string());
}

} // namespace

int main(int argc, char** argv) {
    AnsiString ruta = argc > 1 ? RutaCompleta(argv[1]) : AnsiString();
    return RunProgram([&ruta] {
        RegistrarElementos();
        RegistrarModelo();
        Application->CreateForm(forPrincipal);
        // Las ventanas de las bases de datos se abren dentro de un marco ya visible.
        forPrincipal->Show();
        forPrincipal->AbrirLineaComandos(ruta);
        CloseWhenShownIfAsked(forPrincipal);
    });
}
