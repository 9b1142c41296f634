// PLinea: punto en el polígono por suma de ángulos, y área con signo en abanico.

#include "modelo/PLinea.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

PLinea::PLinea(int n) : vertices(n > 0 ? static_cast<size_t>(n) : 0) {}

const Point3* PLinea::Vertice(int indice) const {
    if (indice < 0 || indice >= NumeroVertices()) return nullptr;
    return vertices[static_cast<size_t>(indice)].get();
}

void PLinea::PonerVertice(int indice, const Point3& punto) {
    if (indice < 0 || indice >= NumeroVertices())
        throw std::out_of_range("PLinea: vértice fuera del contorno");
    std::unique_ptr<Point3>& vertice = vertices[static_cast<size_t>(indice)];
    if (vertice)
        *vertice = punto;
    else
        vertice = std::make_unique<Point3>(punto);
}

int PLinea::PuntoInterior(const Point3& punto, const Vector3& normal) const {
    for (const std::unique_ptr<Point3>& vertice : vertices) {
        if (!vertice) return 0;
        if (Coinciden(*vertice, punto)) return 2;
    }
    const size_t n = vertices.size();
    if (n == 0) return 0;
    // Cada vértice visto desde el punto, normalizado una sola vez: el de un lado es el
    // primero del siguiente.
    auto desde = [&](size_t i, Vector3& unitario) {
        const Vector3 d = Diferencia(punto, *vertices[i]);
        const double largo = Longitud(d);
        if (largo < kCoincidencia) return false;
        unitario = Por(d, 1.0 / largo);
        return true;
    };
    Vector3 primero, a, b;
    if (!desde(0, primero)) return 0;
    a = primero;
    double suma = 0.0;
    for (size_t i = 0; i < n; ++i) {
        if (i + 1 < n) {
            if (!desde(i + 1, b)) return 0;
        } else {
            b = primero;
        }
        const Vector3 c = Vectorial(a, b);
        double d = Escalar(a, b);
        // |c| < 0.3 sin raíz.
        if (Escalar(c, c) < 0.09 && d < 0) return 3;
        const double orientacion = Escalar(c, normal);
        const double signo = orientacion > 0 ? 1.0 : (orientacion < 0 ? -1.0 : 0.0);
        d = std::clamp(d, -1.0, 1.0);
        suma += signo * std::acos(d);
        a = b;
    }
    return (suma <= -0.1 || suma >= 0.1) ? 1 : 0;
}

double PLinea::AreaConSigno(const Vector3& normal) const {
    const int n = NumeroVertices();
    if (n < 3) return 0.0;
    for (const std::unique_ptr<Point3>& vertice : vertices)
        if (!vertice) return 0.0;
    const Point3& v0 = *vertices[0];
    double area = 0.0;
    for (int i = 1; i <= n - 2; ++i) {
        const Vector3 c = Vectorial(Diferencia(v0, *vertices[static_cast<size_t>(i)]),
                                    Diferencia(v0, *vertices[static_cast<size_t>(i + 1)]));
        const double mitad = Longitud(c) / 2.0;
        area += Escalar(c, normal) >= 0 ? mitad : -mitad;
    }
    return area;
}
