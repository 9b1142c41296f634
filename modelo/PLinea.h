#pragma once
// PLinea: un contorno cerrado de vértices en el espacio, con la prueba de punto en el
// polígono y el área con signo respecto de una normal. Los vértices son suyos; uno que aún
// no se ha puesto falta (nulo).

#include "modelo/Vector3.h"

#include <memory>
#include <vector>

class PLinea {
public:
    // n vértices por poner (ninguno si n no es positivo). Sin memoria lanza std::bad_alloc.
    explicit PLinea(int n);

    int NumeroVertices() const { return static_cast<int>(vertices.size()); }
    // Nulo si falta o si el índice está fuera.
    const Point3* Vertice(int indice) const;
    // Lanza std::out_of_range con un índice fuera.
    void PonerVertice(int indice, const Point3& punto);

    // 0 fuera, 1 dentro, 2 sobre un vértice, 3 sobre un lado. Un vértice que falta da 0.
    int PuntoInterior(const Point3& punto, const Vector3& normal) const;
    // El área en abanico desde el vértice 0, cada triángulo con el signo de su orientación
    // respecto de la normal; 0 con menos de tres vértices (o si falta alguno).
    double AreaConSigno(const Vector3& normal) const;

private:
    std::vector<std::unique_ptr<Point3>> vertices;
};
