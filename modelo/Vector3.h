#pragma once
// Puntos y vectores del modelo del edificio: tres floats de 32 bits, y las operaciones que
// necesita la geometría plana (diferencia, suma, longitud, productos). Las tolerancias son
// absolutas.

constexpr double kCoincidencia = 1e-10; // puntos iguales, longitud nula
constexpr double kCoplanaridad = 1e-5;
constexpr double kAjusteOrientacion = 0.01;

struct Space3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Point3 : Space3 {
    Point3() = default;
    Point3(float x_, float y_, float z_) : Space3{x_, y_, z_} {}
    explicit Point3(const Space3& s) : Space3(s) {}
};

struct Vector3 : Space3 {
    Vector3() = default;
    Vector3(float x_, float y_, float z_) : Space3{x_, y_, z_} {}
    explicit Vector3(const Space3& s) : Space3(s) {}
};

// b - a, componente a componente.
Vector3 Diferencia(const Space3& a, const Space3& b);
Vector3 Suma(const Space3& a, const Space3& b);
Vector3 Por(const Space3& v, double factor);
double Longitud(const Space3& v);
double Escalar(const Space3& a, const Space3& b);
Vector3 Vectorial(const Space3& a, const Space3& b);
// El vector dividido por su longitud; por 1 si la longitud es casi nula.
Vector3 Normalizado(const Space3& v);
// Cada componente difiere en menos de kCoincidencia.
bool Coinciden(const Space3& a, const Space3& b);
