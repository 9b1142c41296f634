#pragma once
// Edificio: la raíz del árbol del modelo (tipo 0), dueño de las plantas. Plantas, espacios
// y muros le preguntan su orientación ("Azimuth") y su punto de referencia ("XRef",
// "YRef"), 0 mientras no se pongan. Ninguna fábrica lo crea: se construye directamente.

#include "comunes/Contenedor.h"

class Edificio : public Contenedor {
public:
    explicit Edificio(const AnsiString& nombre);

    // "Azimuth", "XRef", "YRef".
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void PonerReal(const AnsiString& clave, float valor) override;
    float ValorReal(const AnsiString& clave) const override;
    // "Nombre".
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;

private:
    float* Campo(const AnsiString& clave);

    float azimuth = 0.0f;
    float xRef = 0.0f;
    float yRef = 0.0f;
};
