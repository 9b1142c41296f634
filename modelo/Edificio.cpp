#include "modelo/Edificio.h"

Edificio::Edificio(const AnsiString& nombre) : Contenedor(nombre) {
    tipo = TIPO_EDIFICIO;
    // Cada planta, espacio, muro y ventana nuevos buscan su nombre en todo el edificio.
    LlevarIndiceDeNombres();
}

float* Edificio::Campo(const AnsiString& clave) {
    if (clave == "Azimuth") return &azimuth;
    if (clave == "XRef") return &xRef;
    if (clave == "YRef") return &yRef;
    return nullptr;
}

void Edificio::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (const float* campo = const_cast<Edificio*>(this)->Campo(clave)) valor = *campo;
}

void Edificio::PonerReal(const AnsiString& clave, float valor) {
    if (float* campo = Campo(clave)) *campo = valor;
}

float Edificio::ValorReal(const AnsiString& clave) const {
    float valor = 0.0f;
    ObtenerReal(clave, valor);
    return valor;
}

void Edificio::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Nombre") valor = ObtenerNombre();
}
