#pragma once
// Version: el modo de informe que consultan las cabeceras de página de los informes. El
// modo 4 elige el logotipo y los títulos alternativos; cualquier otro, los normales.

#include <memory>

class Version {
public:
    // Se crea en la primera llamada, con el modo 0, y vive hasta el final del proceso.
    static Version* Instancia();

    unsigned char Modo() const { return modo_; }

    // Ningún programa cambia el modo; las pruebas sí.
    void FijarModoParaPruebas(unsigned char modo) { modo_ = modo; }

private:
    Version() = default;
    friend std::default_delete<Version>;

    unsigned char modo_ = 0;
};
