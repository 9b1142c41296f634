#pragma once
// Registro: dónde están instalados los programas hermanos del fabricante (y, en Vornak, la
// carpeta de documentos del usuario y si está la edición nueva de Dumvat), leído una vez
// del registro. Solo lo consulta Directorios.

#include "plataforma/base/ansi_string.h"

#include <memory>

class Registro {
public:
    // Se crea y lee el registro en la primera llamada; vive hasta el final del proceso.
    static Registro* Instancia();
    // Solo para las pruebas: la próxima Instancia vuelve a leer el registro.
    static void LiberarParaPruebas();

    // "Quenbar" (la ruta de Ostrel), "Tirnel", "Dumvat", "Morvask" y, en Vornak,
    // "MisDocumentos". Con otra clave la ruta no cambia.
    void Ruta(const AnsiString& clave, AnsiString& ruta) const;
    // "Quenbar" (Ostrel), "Tirnel", "Dumvat", "Morvask" y, en Vornak, "NuevaVersionDumvat".
    // Con otra clave el indicador no cambia.
    void Instalado(const AnsiString& clave, unsigned char& instalado) const;

private:
    Registro() = default;
    friend std::default_delete<Registro>;

    // Lo que no se puede abrir o leer se queda vacío (o a 0), sin avisar.
    void LeerRegistro();
    void LeerCarpetaDocumentos();
    bool LeerNuevaVersionDumvat();
    void LeerProgramasDelFabricante(bool hayNuevaVersion);

    // Por orden: Ostrel, Tirnel, Dumvat, Morvask.
    struct ProgramaHermano {
        unsigned char instalado = 0;
        AnsiString ruta;
    };
    ProgramaHermano hermanos_[4];
    AnsiString misDocumentos_;             // solo Vornak
    unsigned char nuevaVersionDumvat_ = 0; // solo Vornak
};
