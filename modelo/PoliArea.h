#pragma once
// PoliArea: un área plana de contornos (el 0 es el borde exterior, los demás huecos) sobre
// Superficie. Los contornos no son suyos: quien los pone los libera después.

#include "modelo/Superficie.h"

#include <vector>

class PLinea;

class PoliArea : public Superficie {
public:
    // Sin memoria lanza std::bad_alloc.
    explicit PoliArea(int contornos);

    int NumeroContornos() const { return static_cast<int>(contornos.size()); }
    // Lanza std::out_of_range con un índice fuera.
    void PonerContorno(int indice, PLinea* contorno);
    // Nulo si falta o si el índice está fuera.
    PLinea* Contorno(int indice) const;

    int Impacto(const Point3& origen, const Vector3& direccion, Point3& punto,
                double& distancia) const override;
    int Referencia() override;
    // Como Referencia, pero si el último vértice está alineado con el primer lado prueba
    // con otros vértices antes de dar la normal por nula.
    int ReferenciaComprobada();
    Vector3 ALocal(const Vector3& p) const override;
    Vector3 Normal() const override { return n; }
    void DivisionMalla(double densidad, int& nu, int& nv) const override;
    // Con ni o nj menores que 1 se toma 1.
    std::optional<Point3> PuntoCelda(int i, int ni, int j, int nj) const override;
    // El del contorno exterior menos los huecos; 0 si el exterior no tiene área positiva.
    double Area() const override;
    // La media de los cuatro primeros vértices del contorno exterior (de todos si tiene
    // menos); el origen de coordenadas si no tiene ninguno.
    Point3 Centro() const override;
    // Dentro del contorno exterior (o sobre él) y no dentro de un hueco (su borde cuenta
    // como dentro del área).
    bool Contiene(const Point3& punto) const;

    const Point3& Origen() const { return o; }
    const Vector3& EjeU() const { return u; }
    const Vector3& EjeV() const { return v; }
    float UMin() const { return umin; }
    float VMin() const { return vmin; }
    float UMax() const { return umax; }
    float VMax() const { return vmax; }

private:
    int CalcularReferencia(bool comprobada);

    std::vector<PLinea*> contornos;
    Point3 o;
    Vector3 n;
    Vector3 u;
    Vector3 v;
    float umin = 0.0f;
    float vmin = 0.0f;
    float umax = 0.0f;
    float vmax = 0.0f;
};
