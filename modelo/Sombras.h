#pragma once
// Sombras: el contenedor único de las sombras fijas del modelo. Soltar una sombra no la
// borra (como en todo contenedor).

#include "comunes/Contenedor.h"
#include "modelo/Compartida.h"

class Sombras : public Contenedor, public Compartida<Sombras> {
public:
    // El contenedor compartido; la primera llamada lo crea con ese nombre.
    static Sombras* Instancia(const AnsiString& nombre = "Sombras");

private:
    friend class Compartida<Sombras>;
    explicit Sombras(const AnsiString& nombre) : Contenedor(nombre) {}
};
