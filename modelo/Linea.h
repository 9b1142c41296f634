#pragma once
// Linea: una línea auxiliar del modelo del edificio (tipo 30), un segmento en el espacio
// con un tipo y los nombres de sus dos dueños. Lee y escribe su registro "AUX-LINE".

#include "comunes/Contenedor.h"

class Linea : public Contenedor {
public:
    explicit Linea(const AnsiString& nombre);

    // "X0", "Y0", "Z0", "X1", "Y1", "Z1".
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void PonerReal(const AnsiString& clave, float valor) override;
    // "Tipo".
    void PonerEntero(const AnsiString& clave, int valor) override;
    // "Nombre".
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;

    void Leer(LeerBDL* lector) override;
    void Escribir(FileWriter& fichero) override;

    int ObtenerTipoLinea() const { return tipoLinea; }
    const AnsiString& DuenoF() const { return duenoF; }
    const AnsiString& DuenoS() const { return duenoS; }
    // Cierto hasta que la línea se lee de un registro.
    bool EsNueva() const { return nueva; }

private:
    float* Campo(const AnsiString& clave);

    float x0 = 0.0f, y0 = 0.0f, z0 = 0.0f;
    float x1 = 0.0f, y1 = 0.0f, z1 = 0.0f;
    int tipoLinea = 0;
    AnsiString duenoF;
    AnsiString duenoS;
    bool nueva = true;
};
