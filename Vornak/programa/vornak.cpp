// La entrada del gestor de bases de datos: el marco y, si la línea de órdenes trae la ruta de
// una base de datos, esa base en el modo de un solo fichero.

#include "Vornak/VentanaPrincipal.h"

#include "comunes/RegistroElementos.h"
#include "modelo/RegistroModelo.h"
#include "plataforma/base/files.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/user_file_names.h"
#include "plataforma/gui/forms/close_when_shown.h"
#include "plataforma/gui/forms/program_main.h"
#include "plataforma/gui/kernel/application.h"

#include <filesystem>

namespace {

// La ruta de la línea de órdenes, completa: al crearse las carpetas de la instalación la
// carpeta actual pasa a ser la del programa. Un nombre que no cabe entero en las rutas del
// programa no se abre (sería otro fichero): deja en `aviso` el mensaje que lo rechaza.
AnsiString RutaCompleta(const char* argumento, AnsiString& aviso) {
    std::error_code error;
    std::filesystem::path completa = std::filesystem::absolute(argumento, error);
    const std::string nativa =
        error ? std::string(argumento) : completa.lexically_normal().string();
    AnsiString ruta;
    if (!ProgramPathFromNative(nativa, ruta)) aviso = UnusableNameMessage(nativa);
    return ruta;
}

} // namespace

int main(int argc, char** argv) {
    AnsiString aviso;
    AnsiString ruta = argc > 1 ? RutaCompleta(argv[1], aviso) : AnsiString();
    return RunProgram([&ruta, &aviso] {
        RegistrarElementos();
        RegistrarModelo();
        Application->CreateForm(forPrincipal);
        // Las ventanas de las bases de datos se abren dentro de un marco ya visible.
        forPrincipal->Show();
        if (!aviso.IsEmpty()) Application->MessageBox(aviso, "Error", MB_OK | MB_ICONERROR);
        forPrincipal->AbrirLineaComandos(ruta);
        CloseWhenShownIfAsked(forPrincipal);
    });
}
