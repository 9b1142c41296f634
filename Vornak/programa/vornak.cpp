// La entrada del gestor de bases de datos: el marco y, si la línea de órdenes trae la ruta de
// una base de datos, esa base en el modo de un solo fichero.

#include "Vornak/VentanaPrincipal.h"

#include "comunes/RegistroElementos.h"
#include "modelo/RegistroModelo.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/files.h"
#include "plataforma/gui/forms/qt_modal_hooks.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/testing/capture.h"

#include <cstdlib>
#include <filesystem>

namespace {

// La ruta de la línea de órdenes, completa: al crearse las carpetas de la instalación la
// carpeta actual pasa a ser la del programa.
AnsiString RutaCompleta(const char* argumento) {
    std::error_code error;
    std::filesystem::path ruta = std::filesystem::absolute(argumento, error);
    return FromNativePath(error ? std::string(argumento) : ruta.lexically_normal().string());
}

// Solo para las pruebas: QUENBAR_CERRAR_AL_MOSTRAR=nombre guarda una captura del marco con
// ese nombre en cuanto se ve y lo cierra.
void CerrarAlMostrar(const char* captura) {
    auto* reloj = new TTimer(forPrincipal);
    reloj->SetInterval(500);
    AnsiString nombre = captura;
    reloj->OnTimer = [reloj, nombre](TObject*) {
        reloj->SetEnabled(false);
        SaveCapture(forPrincipal, nombre);
        forPrincipal->Close();
    };
    reloj->SetEnabled(true);
}

} // namespace

int main(int argc, char** argv) {
    AnsiString ruta = argc > 1 ? RutaCompleta(argv[1]) : AnsiString();
    try {
        Application->Initialize();
        InstallQtModalHooks();
        RegistrarElementos();
        RegistrarModelo();
        Application->CreateForm(forPrincipal);
        // Las ventanas de las bases de datos se abren dentro de un marco ya visible.
        forPrincipal->Show();
        forPrincipal->AbrirLineaComandos(ruta);
        if (const char* captura = std::getenv("QUENBAR_CERRAR_AL_MOSTRAR"))
            CerrarAlMostrar(captura);
        Application->Run();
    } catch (Exception& e) {
        Application->ShowException(&e);
    } catch (...) {
        Exception e("");
        Application->ShowException(&e);
    }
    return 0;
}
