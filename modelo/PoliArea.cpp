// PoliArea: sistema de referencia, área con huecos, punto en el área, rayo y malla.

#include "modelo/PoliArea.h"

#include "modelo/PLinea.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

PoliArea::PoliArea(int numero) : contornos(numero > 0 ? static_cast<size_t>(numero) : 0, nullptr) {}

void PoliArea::PonerContorno(int indice, PLinea* contorno) {
    if (indice < 0 || indice >= NumeroContornos())
        throw std::out_of_range("PoliArea: contorno fuera del área");
    contornos[static_cast<size_t>(indice)] = contorno;
}

PLinea* PoliArea::Contorno(int indice) const {
    if (indice < 0 || indice >= NumeroContornos()) return nullptr;
    return contornos[static_cast<size_t>(indice)];
}

int PoliArea::Referencia() {
    return CalcularReferencia(false);
}

int PoliArea::ReferenciaComprobada() {
    return CalcularReferencia(true);
}

int PoliArea::CalcularReferencia(bool comprobada) {
    const PLinea* exterior = Contorno(0);
    if (exterior == nullptr || exterior->NumeroVertices() < 3) return 0;
    const Point3* n1 = exterior->Vertice(0);
    const Point3* n2 = exterior->Vertice(1);
    if (n1 == nullptr || n2 == nullptr) return 0;
    const int total = exterior->NumeroVertices();

    const Point3 origen = *n1;
    const Vector3 ejeU = Normalizado(Diferencia(*n1, *n2));
    auto normalCon = [&](int k) -> Vector3 {
        const Point3* w = exterior->Vertice(k);
        return w ? Vectorial(ejeU, Diferencia(*n1, *w)) : Vector3();
    };
    Vector3 normal = normalCon(total - 1);
    if (Longitud(normal) < kCoincidencia) {
        if (!comprobada) return 0;
        for (int k = 2; k < total - 2 && Longitud(normal) < kCoincidencia; ++k)
            normal = normalCon(total - k);
    }
    normal = Normalizado(normal);

    // El área en abanico desde el origen, con el signo de cada triángulo respecto de la
    // normal: si sale negativa el contorno gira al revés y la normal se invierte.
    const double s = exterior->AreaConSigno(normal);
    if (std::fabs(s) < kCoincidencia) return 0;
    if (s < 0) normal = Por(normal, -1.0);

    o = origen;
    n = normal;
    u = ejeU;
    v = Vectorial(n, u);
    umin = vmin = umax = vmax = 0.0f;
    for (int k = 1; k < total; ++k) {
        const Point3* vertice = exterior->Vertice(k);
        if (vertice == nullptr) continue;
        const Vector3 d = Diferencia(o, *vertice);
        const float cu = static_cast<float>(Escalar(d, u));
        const float cv = static_cast<float>(Escalar(d, v));
        umin = std::min(umin, cu);
        umax = std::max(umax, cu);
        vmin = std::min(vmin, cv);
        vmax = std::max(vmax, cv);
    }
    return 1;
}

double PoliArea::Area() const {
    const PLinea* exterior = Contorno(0);
    if (exterior == nullptr) return 0.0;
    const double a = exterior->AreaConSigno(n);
    if (a <= 0) return 0.0;
    double huecos = 0.0;
    for (int i = 1; i < NumeroContornos(); ++i)
        if (const PLinea* hueco = Contorno(i)) huecos += std::fabs(hueco->AreaConSigno(n));
    return a - huecos;
}

bool PoliArea::Contiene(const Point3& punto) const {
    const PLinea* exterior = Contorno(0);
    if (exterior == nullptr || exterior->PuntoInterior(punto, n) == 0) return false;
    for (int i = 1; i < NumeroContornos(); ++i) {
        const PLinea* hueco = Contorno(i);
        if (hueco != nullptr && hueco->PuntoInterior(punto, n) == 1) return false;
    }
    return true;
}

int PoliArea::Impacto(const Point3& origen, const Vector3& direccion, Point3& punto,
                      double& distancia) const {
    const double d0 = Escalar(Diferencia(o, origen), n);
    if (d0 < kCoincidencia) return 0;
    const double largo = Longitud(direccion);
    if (!(largo > 0.99999 && largo < 1.00001)) return 0;
    const double c = Escalar(n, direccion);
    if (c > -kCoincidencia) return 0;
    const double t = -d0 / c;
    if (t <= kCoincidencia) return 0;
    const Point3 corte(Suma(origen, Por(direccion, t)));
    if (!Contiene(corte)) return 0;
    punto = corte;
    distancia = t;
    return 1;
}

Vector3 PoliArea::ALocal(const Vector3& p) const {
    return Vector3(static_cast<float>(Escalar(u, p)), static_cast<float>(Escalar(v, p)),
                   static_cast<float>(Escalar(n, p)));
}

void PoliArea::DivisionMalla(double densidad, int& nu, int& nv) const {
    const double du = static_cast<double>(umax) - umin;
    const double dv = static_cast<double>(vmax) - vmin;
    const double total = std::trunc(du * dv * densidad);
    if (!(total > 0) || du <= 0 || dv <= 0) {
        nu = nv = 0;
        return;
    }
    double celdasV = std::sqrt(total * dv / du);
    double celdasU = celdasV * du / dv;
    if (celdasV < 1) {
        celdasV = 1;
        celdasU = total;
    }
    if (celdasU < 1) {
        celdasU = 1;
        celdasV = total;
    }
    nu = static_cast<int>(celdasU);
    nv = static_cast<int>(celdasV);
}

std::optional<Point3> PoliArea::PuntoCelda(int i, int ni, int j, int nj) const {
    ni = std::max(ni, 1);
    nj = std::max(nj, 1);
    const double du = static_cast<double>(umax) - umin;
    const double dv = static_cast<double>(vmax) - vmin;
    // Las celdas cubren la caja del contorno, que empieza en (umin, vmin).
    const double cu = umin + (2.0 * j + 1) / (2.0 * nj) * du;
    const double cv = vmin + (2.0 * i + 1) / (2.0 * ni) * dv;
    const Point3 punto(Suma(Suma(o, Por(u, cu)), Por(v, cv)));
    if (!Contiene(punto)) return std::nullopt;
    return punto;
}

Point3 PoliArea::Centro() const {
    const PLinea* exterior = Contorno(0);
    double x = 0, y = 0, z = 0;
    int cuenta = 0;
    for (int k = 0; exterior != nullptr && k < std::min(exterior->NumeroVertices(), 4); ++k) {
        const Point3* vertice = exterior->Vertice(k);
        if (vertice == nullptr) continue;
        x += vertice->x;
        y += vertice->y;
        z += vertice->z;
        ++cuenta;
    }
    if (cuenta == 0) return Point3();
    return Point3(static_cast<float>(x / cuenta), static_cast<float>(y / cuenta),
                  static_cast<float>(z / cuenta));
}
