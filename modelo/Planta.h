#pragma once
// Planta: una planta del modelo del edificio (tipo 1), cuyos hijos son sus espacios. Guarda
// el nombre de su polígono, su posición (X, Y, Z, orientación), las alturas de planta y de
// espacios y un multiplicador; lee y escribe su registro "FLOOR" y calcula su contorno en
// coordenadas del edificio. Al morir borra sus espacios, como todo contenedor.

#include "comunes/Contenedor.h"
#include "modelo/Coordenadas.h"

class Planta : public Contenedor {
public:
    explicit Planta(const AnsiString& nombre);

    // "alturaEspacios".
    float ValorReal(const AnsiString& clave) const override;
    // "Z", "Multiplicador", "AlturaPlanta", "AlturaEspacios", "X", "Y", "Azimuth".
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    // "Nombre", "Poligono", "Shape", "Multiplicador", "AlturaPlanta", "AlturaEspacios",
    // "Azimuth".
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    // Falso si el polígono es "Ninguno", si la lista de polígonos no lo tiene o si no tiene
    // vértices.
    bool PoligonoDefinido() const override;
    bool AlQuitar() override;
    // "Poligono", "AlturaPlanta", "AlturaEspacios", "Shape", "Azimuth" y "Multiplicador" de
    // otra planta, cada uno con su estado copiado (EstadoCopiado); sus espacios no se copian.
    void CopiarDe(const ObjetoBase& otro) override;

    void Leer(LeerBDL* lector) override;
    void Escribir(FileWriter& fichero) override;
    // Como Escribir, sin SPACE-HEIGHT ni SHAPE.
    void Exportar(FileWriter& fichero) override;

    // El contorno, en coordenadas del edificio.
    const Coordenadas& Contorno() const { return contorno; }
    // Recalcula el contorno desde el polígono; si no está en la lista, no cambia nada.
    void CalcularContorno();
    int Codigo() const { return codigo; }

private:
    void EscribirRegistro(FileWriter& fichero, bool completo);

    AnsiString poligono = "Ninguno";
    EstadoValor estadoPoligono = ESTADO_DEFECTO;
    AnsiString forma = "POLYGON";
    EstadoValor estadoForma = ESTADO_DEFECTO;
    float z = 0.0f;
    EstadoValor estadoZ = ESTADO_DEFECTO;
    int multiplicador = 1;
    EstadoValor estadoMultiplicador = ESTADO_DEFECTO;
    float alturaPlanta = 0.0f;
    EstadoValor estadoAlturaPlanta = ESTADO_DEFECTO;
    float alturaEspacios = 0.0f;
    EstadoValor estadoAlturaEspacios = ESTADO_DEFECTO;
    float x = 0.0f;
    EstadoValor estadoX = ESTADO_DEFECTO;
    float y = 0.0f;
    EstadoValor estadoY = ESTADO_DEFECTO;
    float azimuth = 0.0f;
    EstadoValor estadoAzimuth = ESTADO_DEFECTO;
    Coordenadas contorno;
    int codigo;
};
