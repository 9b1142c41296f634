#pragma once
// Poligono: un polígono en planta del modelo del edificio (tipo 9), una lista de vértices
// (x, y) a la que espacios, plantas y muros se refieren por su nombre en la lista
// compartida de polígonos. Lee y escribe su registro "POLYGON".

#include "comunes/ObjetoBase.h"

#include <vector>

class Poligono : public ObjetoBase {
public:
    explicit Poligono(const AnsiString& nombre);

    // "Nombre" y "Numero puntos".
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    // "Numero puntos".
    void ObtenerEntero(const AnsiString& clave, int& valor) const override;
    // Acepta "Vertices" y no hace nada: los vértices se leen uno a uno.
    void ObtenerVertices(const AnsiString& clave, TList& vertices) const override;

    // Cambia los vértices por los pares "( x, y )" que siguen a "V1".
    void Leer(LeerBDL* lector) override;
    // El registro, solo con tres vértices o más; con menos avisa (mensaje 9) y no escribe.
    void Escribir(FileWriter& fichero) override;

    int NumeroPuntos() const { return static_cast<int>(vertices.size()); }
    // Desde 0; un índice fuera lanza std::out_of_range.
    float X(int indice) const;
    float Y(int indice) const;
    void Vertice(int indice, float& x, float& y) const;

private:
    struct Vertice2 {
        float x;
        float y;
    };
    const Vertice2& En(int indice) const;

    std::vector<Vertice2> vertices;
};
