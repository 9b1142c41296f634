#pragma once
// Superficie: lo que sabe hacer una superficie plana del modelo, en su propio sistema de
// referencia (origen, normal y dos ejes): impacto de un rayo, sistema, paso a coordenadas
// locales, normal, malla de muestreo, área y centro.

#include "modelo/Vector3.h"

#include <optional>

class Superficie {
public:
    virtual ~Superficie() = default;

    // 1 si el rayo (origen, dirección unitaria) corta la superficie, con el punto y la
    // distancia; 0 si no.
    virtual int Impacto(const Point3& origen, const Vector3& direccion, Point3& punto,
                        double& distancia) const = 0;
    // Calcula el sistema de referencia: 1 si se ha podido, 0 si no.
    virtual int Referencia() = 0;
    // El vector en los ejes de la superficie (U·p, V·p, N·p).
    virtual Vector3 ALocal(const Vector3& p) const = 0;
    virtual Vector3 Normal() const = 0;
    // Cuántas celdas a lo largo de cada eje para una densidad (celdas por unidad de área).
    virtual void DivisionMalla(double densidad, int& nu, int& nv) const = 0;
    // El centro de la celda (i de ni a lo largo de V, j de nj a lo largo de U), si cae
    // dentro de la superficie.
    virtual std::optional<Point3> PuntoCelda(int i, int ni, int j, int nj) const = 0;
    virtual double Area() const = 0;
    virtual Point3 Centro() const = 0;
};
