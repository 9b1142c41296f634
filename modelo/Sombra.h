#pragma once
// Sombra: una sombra fija rectangular del modelo (tipo 7), con su registro "FIXED-SHADE" y
// sus cuatro vértices en el espacio, calculados de su posición, tamaño, inclinación y
// orientación.

#include "comunes/ObjetoBase.h"
#include "modelo/Coordenadas.h"

class Sombra : public ObjetoBase {
public:
    // Obtiene (o crea) el contenedor compartido "Sombras".
    explicit Sombra(const AnsiString& nombre);

    // "Nombre" y los siete reales.
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    // "X", "Y", "Z", "Altura", "Anchura", "Inclinación", "Azimuth".
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void CopiarDe(const ObjetoBase& otro) override;

    // Lee los siete reales y calcula los vértices.
    void Leer(LeerBDL* lector) override;
    void Escribir(FileWriter& fichero) override;

    const Coordenadas& Vertices() const { return vertices; }
    int Codigo() const { return codigo; }
    // Cierto hasta que se calculan los vértices por primera vez.
    bool PrimerCalculo() const { return primerCalculo; }

private:
    struct Real {
        const char* clave;
        const char* palabra; // del registro
        float Sombra::*valor;
        EstadoValor Sombra::*estado;
    };
    static const Real kReales[7];
    void CalcularVertices();

    float x = 0.0f;
    EstadoValor estadoX = ESTADO_DEFECTO;
    float y = 0.0f;
    EstadoValor estadoY = ESTADO_DEFECTO;
    float z = 0.0f;
    EstadoValor estadoZ = ESTADO_DEFECTO;
    float altura = 0.0f;
    EstadoValor estadoAltura = ESTADO_DEFECTO;
    float anchura = 0.0f;
    EstadoValor estadoAnchura = ESTADO_DEFECTO;
    float inclinacion = 90.0f;
    EstadoValor estadoInclinacion = ESTADO_DEFECTO;
    float azimuth = 0.0f;
    EstadoValor estadoAzimuth = ESTADO_DEFECTO;
    bool primerCalculo = true;
    int codigo;
    Coordenadas vertices;
};
