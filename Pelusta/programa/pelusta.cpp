// La entrada del programa del promedio: la ventana TForm1 y el bucle de mensajes.

#include "Pelusta/ventana/VentanaPromedio.h"

#include "comunes/Directorios.h"
#include "plataforma/gui/forms/close_when_shown.h"
#include "plataforma/gui/forms/program_main.h"
#include "plataforma/gui/kernel/application.h"

int main() {
    return RunProgram([] {
        // La carpeta de la instalación pasa a ser la actual antes de crear la ventana: es su
        // carpeta de inicio, la que tiene "Resultados".
        Directorios::Instancia();
        TForm1* Form1 = nullptr;
        Application->CreateForm(Form1);
        CloseWhenShownIfAsked(Form1);
    });
}
