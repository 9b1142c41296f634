// Colocación en planta: lados de polígonos y cambio de sistema de puntos.

#include "modelo/Colocacion.h"

#include "comunes/Error.h"
#include "modelo/Poligono.h"
#include "modelo/bdPoligonos.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592654;

bool EsCifra(char c) {
    return c >= '0' && c <= '9';
}

// Una o dos cifras, desde la posición (desde 0) hasta el final.
bool Cifras(const std::string& texto, size_t desde, int& numero) {
    const size_t cuantas = texto.size() - desde;
    if (cuantas < 1 || cuantas > 2) return false;
    numero = 0;
    for (size_t i = desde; i < texto.size(); ++i) {
        if (!EsCifra(texto[i])) return false;
        numero = numero * 10 + (texto[i] - '0');
    }
    return true;
}

// El ángulo de dirección de un vector, como lo mide el programa.
double Direccion(double dx, double dy) {
    if (dx == 0) return dy > 0 ? kPi / 2 : 3 * kPi / 2;
    double angulo = kPi - std::atan(dy / dx);
    if (dx < 0) angulo += kPi;
    return angulo;
}

} // namespace

bool NumeroDeLado(const AnsiString& etiqueta, int& numero) {
    const std::string& t = etiqueta.str();
    if (t.size() <= 3) return t.size() >= 2 && t[0] == 'V' && Cifras(t, 1, numero);
    if (t.size() > 9 || t[5] != '-' || t[6] != 'V') return false;
    return Cifras(t, 7, numero) && numero != 0;
}

bool ExisteLado(const AnsiString& nombre, const AnsiString& etiqueta) {
    const Poligono* poligono = bdPoligonos::Instancia()->Buscar(nombre);
    int k = 0;
    return poligono != nullptr && NumeroDeLado(etiqueta, k) && k <= poligono->NumeroPuntos();
}

bool ExtremosLado(const AnsiString& nombre, const AnsiString& etiqueta, Punto2D& p0, Punto2D& p1) {
    const Poligono* poligono = bdPoligonos::Instancia()->Buscar(nombre);
    if (poligono == nullptr) {
        Error::Instancia()->Mensaje(8, nombre);
        return false;
    }
    int k = 0;
    if (!NumeroDeLado(etiqueta, k)) return false;
    if (k == 0) {
        p0 = {0.0f, 0.0f};
        p1 = {1.0f, 0.0f};
        return true;
    }
    const int n = poligono->NumeroPuntos();
    if (k > n) return false;
    const int siguiente = k == n ? 0 : k;
    p0 = {poligono->X(k - 1), poligono->Y(k - 1)};
    p1 = {poligono->X(siguiente), poligono->Y(siguiente)};
    return true;
}

void Transformar(const Punto2D& a0, const Punto2D& a1, const Punto2D& b0, const Punto2D& b1,
                 float angulo, float ox, float oy, std::vector<Punto2D>& puntos) {
    double r;
    if (angulo >= -1e8f && angulo <= 1e8f)
        r = angulo * kPi / 180.0;
    else
        r = Direccion(static_cast<double>(a1.x) - a0.x, static_cast<double>(a1.y) - a0.y) -
            Direccion(static_cast<double>(b1.x) - b0.x, static_cast<double>(b1.y) - b0.y);
    const double tx = ox == kSinDar ? a0.x : ox;
    const double ty = oy == kSinDar ? a0.y : oy;
    const double c = std::cos(r), s = std::sin(r);
    for (Punto2D& p : puntos) {
        const double x = p.x, y = p.y;
        p.x = static_cast<float>(c * x + s * y + tx);
        p.y = static_cast<float>(-s * x + c * y + ty);
    }
}

bool ColocarSobreLado(const AnsiString& poligono, const AnsiString& etiqueta, float angulo,
                      float ox, float oy, std::vector<Punto2D>& puntos) {
    Punto2D p0, p1;
    if (!ExtremosLado(poligono, etiqueta, p0, p1)) return false;
    Transformar(p0, p1, {0.0f, 0.0f}, {1.0f, 0.0f}, angulo, ox, oy, puntos);
    return true;
}

void ColocarEnPlano(float angulo, float ox, float oy, std::vector<Punto2D>& puntos) {
    Transformar({0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}, {1.0f, 0.0f}, angulo, ox, oy, puntos);
}

AnsiString EtiquetaDeOrigen(const AnsiString& origen) {
    if (origen.IsEmpty() || origen == "Ninguno") return "V0";
    if (origen == "PLNTA-SPACE") return "V1";
    return origen;
}
