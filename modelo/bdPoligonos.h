#pragma once
// bdPoligonos: la lista única de polígonos con nombre ("ListaPoligonos"), donde muros,
// espacios y plantas buscan su contorno, y el bloque con que se escriben.

#include "comunes/Contenedor.h"
#include "modelo/Compartida.h"

class Poligono;

class bdPoligonos : public Contenedor, public Compartida<bdPoligonos> {
public:
    // La lista compartida; la crea en la primera llamada.
    static bdPoligonos* Instancia();

    // "Nombre".
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    // El bloque "POLIGONOS" y el registro de cada polígono, en orden.
    void Escribir(FileWriter& fichero) override;

    // El polígono de ese nombre; nulo si no lo hay (un polígono que se llama como la lista
    // se encuentra como polígono, nunca como la lista).
    Poligono* Buscar(const AnsiString& nombre);

private:
    friend class Compartida<bdPoligonos>;
    bdPoligonos() : Contenedor("ListaPoligonos") {}
};
