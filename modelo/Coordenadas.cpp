// Coordenadas: puntos con comprobación de índice, área por PoliArea y orientación.

#include "modelo/Coordenadas.h"

#include "modelo/PLinea.h"
#include "modelo/PoliArea.h"

#include "plataforma/base/numbers.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

void Coordenadas::Redimensionar(int n) {
    puntos.clear();
    puntos.resize(n > 0 ? static_cast<size_t>(n) : 0);
}

void Coordenadas::PonerPunto(int indice, float x, float y, float z) {
    if (indice < 0 || indice >= NumeroPuntos())
        throw std::out_of_range("Coordenadas: punto fuera de la lista");
    puntos[static_cast<size_t>(indice)] = Point3(x, y, z);
}

const Point3& Coordenadas::Punto(int indice) const {
    if (indice < 0 || indice >= NumeroPuntos())
        throw std::out_of_range("Coordenadas: punto fuera de la lista");
    return puntos[static_cast<size_t>(indice)];
}

double Coordenadas::Area() {
    PLinea contorno(NumeroPuntos());
    for (int i = 0; i < NumeroPuntos(); ++i)
        contorno.PonerVertice(i, puntos[static_cast<size_t>(i)]);
    PoliArea area(1);
    area.PonerContorno(0, &contorno);
    // El sistema comprobado: un contorno que empieza a mitad de un lado recto (el último
    // vértice alineado con el primer lado) también tiene área.
    if (area.ReferenciaComprobada() == 0) return 0.0;
    normal = area.Normal();
    return area.Area();
}

AnsiString Coordenadas::Orientacion() const {
    if (std::fabs(1.0 - std::fabs(Escalar(normal, Vector3(0, 0, 1)))) < kAjusteOrientacion)
        return "Horizontal";
    // La dirección de la brújula es la de la parte horizontal de la normal: un muro al sur
    // inclinado, o una cubierta a un agua, mira al sur (180) como un muro vertical.
    double horizontal = std::hypot(static_cast<double>(normal.x), static_cast<double>(normal.y));
    // Sin normal (un contorno sin área) queda el valor de siempre, el de una normal nula.
    if (horizontal < 1e-12) horizontal = 1.0;
    const double nx = normal.x / horizontal;
    const double ny = normal.y / horizontal;
    double angulo = std::acos(std::clamp(ny, -1.0, 1.0)) * 57.29578;
    if (nx < -kAjusteOrientacion) angulo = 360.0 - angulo;
    bool ajustado = false;
    for (double recto : {90.0, 180.0, 270.0}) {
        if (std::fabs(angulo - recto) < kAjusteOrientacion) {
            angulo = recto;
            ajustado = true;
            break;
        }
    }
    if (!ajustado && std::fabs(angulo) < kAjusteOrientacion) angulo = 0.0;
    return FormatFloat("0", angulo);
}
