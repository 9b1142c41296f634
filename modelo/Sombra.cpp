// Sombra: claves, registro "FIXED-SHADE" y vértices.

#include "modelo/Sombra.h"

#include "comunes/Contenedor.h"
#include "comunes/LeerBDL.h"
#include "modelo/Sombras.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"

#include <cmath>

// En el orden del registro.
const Sombra::Real Sombra::kReales[7] = {
    {"X", "X", &Sombra::x, &Sombra::estadoX},
    {"Y", "Y", &Sombra::y, &Sombra::estadoY},
    {"Z", "Z", &Sombra::z, &Sombra::estadoZ},
    {"Altura", "HEIGHT", &Sombra::altura, &Sombra::estadoAltura},
    {"Anchura", "WIDTH", &Sombra::anchura, &Sombra::estadoAnchura},
    {"Inclinación", "TILT", &Sombra::inclinacion, &Sombra::estadoInclinacion},
    {"Azimuth", "AZIMUTH", &Sombra::azimuth, &Sombra::estadoAzimuth},
};

Sombra::Sombra(const AnsiString& nombre)
    : ObjetoBase(nombre), codigo(Contenedor::SiguienteCodigo()) {
    tipo = TIPO_SOMBRA;
    Sombras::Instancia("Sombras");
}

void Sombra::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Nombre") {
        valor = ObtenerNombre();
        return;
    }
    for (const Real& real : kReales)
        if (clave == real.clave) valor = FloatToStr(this->*real.valor);
}

void Sombra::ObtenerReal(const AnsiString& clave, float& valor) const {
    for (const Real& real : kReales)
        if (clave == real.clave) valor = this->*real.valor;
}

void Sombra::CopiarDe(const ObjetoBase& otro) {
    for (const Real& real : kReales)
        otro.ObtenerReal(real.clave, this->*real.valor);
}

void Sombra::Leer(LeerBDL* lector) {
    for (const Real& real : kReales)
        LeerRealBDL(lector, real.palabra, this->*real.valor, this->*real.estado);
    CalcularVertices();
}

void Sombra::Escribir(FileWriter& fichero) {
    fichero.Printf("\"%s\" = FIXED-SHADE\n", ObtenerNombre().c_str());
    for (const Real& real : kReales)
        fichero.Printf("      %s = %f\n", real.palabra, static_cast<double>(this->*real.valor));
    fichero.Printf("    ..\n");
}

void Sombra::CalcularVertices() {
    constexpr double kPi = 3.14159265;
    const double az = azimuth * kPi / 180.0;
    const double t = inclinacion * kPi / 180.0;
    const double h = altura, w = anchura;
    const double p1x = x - w * std::cos(az);
    const double p1y = y + w * std::sin(az);
    const double alto = z + h * std::sin(t);
    vertices.Redimensionar(4);
    auto poner = [this](int i, double px, double py, double pz) {
        vertices.PonerPunto(i, static_cast<float>(px), static_cast<float>(py),
                            static_cast<float>(pz));
    };
    poner(0, x, y, z);
    poner(1, p1x, p1y, z);
    poner(2, p1x - h * std::cos(t) * std::sin(az), p1y - h * std::cos(t) * std::cos(az), alto);
    poner(3, x - h * std::cos(t) * std::sin(az), y - h * std::cos(t) * std::cos(az), alto);
    primerCalculo = false;
}
