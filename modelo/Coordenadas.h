#pragma once
// Coordenadas: la lista de puntos que guardan espacios, ventanas, muros, plantas y sombras
// como contorno calculado, con su normal (la pone el cálculo del área), su área y el texto
// de su orientación.

#include "modelo/Vector3.h"

#include "plataforma/base/ansi_string.h"

#include <vector>

class Coordenadas {
public:
    // n puntos en el origen (ninguno si n no es positivo); la normal no cambia.
    void Redimensionar(int n);
    int NumeroPuntos() const { return static_cast<int>(puntos.size()); }

    // Un índice fuera lanza std::out_of_range.
    void PonerPunto(int indice, float x, float y, float z);
    const Point3& Punto(int indice) const;
    float X(int indice) const { return Punto(indice).x; }
    float Y(int indice) const { return Punto(indice).y; }
    float Z(int indice) const { return Punto(indice).z; }

    // El área del contorno; la normal pasa a ser la suya. 0 si no tiene sistema de
    // referencia comprobado (menos de tres puntos, todos alineados, o de área nula), y
    // entonces la normal no cambia.
    double Area();
    const Vector3& Normal() const { return normal; }
    // "Horizontal", o el ángulo en grados enteros de la parte horizontal de la normal con el
    // norte (eje Y), creciendo hacia el este: una superficie inclinada mira hacia donde
    // mira su proyección en planta.
    AnsiString Orientacion() const;

private:
    std::vector<Point3> puntos;
    Vector3 normal;
};
