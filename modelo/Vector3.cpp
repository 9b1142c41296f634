// Operaciones de puntos y vectores.

#include "modelo/Vector3.h"

#include <cmath>

namespace {

Vector3 DeDobles(double x, double y, double z) {
    return Vector3(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

} // namespace

Vector3 Diferencia(const Space3& a, const Space3& b) {
    return Vector3(b.x - a.x, b.y - a.y, b.z - a.z);
}

Vector3 Suma(const Space3& a, const Space3& b) {
    return Vector3(a.x + b.x, a.y + b.y, a.z + b.z);
}

Vector3 Por(const Space3& v, double factor) {
    return DeDobles(v.x * factor, v.y * factor, v.z * factor);
}

double Longitud(const Space3& v) {
    const double x = v.x, y = v.y, z = v.z;
    return std::sqrt(x * x + y * y + z * z);
}

double Escalar(const Space3& a, const Space3& b) {
    return static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y +
           static_cast<double>(a.z) * b.z;
}

Vector3 Vectorial(const Space3& a, const Space3& b) {
    const double ax = a.x, ay = a.y, az = a.z, bx = b.x, by = b.y, bz = b.z;
    return DeDobles(ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx);
}

Vector3 Normalizado(const Space3& v) {
    double largo = Longitud(v);
    if (largo < kCoincidencia) largo = 1.0;
    return DeDobles(v.x / largo, v.y / largo, v.z / largo);
}

bool Coinciden(const Space3& a, const Space3& b) {
    return std::fabs(static_cast<double>(a.x) - b.x) < kCoincidencia &&
           std::fabs(static_cast<double>(a.y) - b.y) < kCoincidencia &&
           std::fabs(static_cast<double>(a.z) - b.z) < kCoincidencia;
}
