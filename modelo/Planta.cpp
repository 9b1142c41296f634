// Planta: claves, registro "FLOOR" y contorno.

#include "modelo/Planta.h"

#include "comunes/LeerBDL.h"
#include "comunes/Util.h"
#include "modelo/LeerPoligono.h"
#include "modelo/Poligono.h"
#include "modelo/bdPoligonos.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"

#include <cmath>
#include <numbers>

Planta::Planta(const AnsiString& nombre)
    : Contenedor(nombre), codigo(Contenedor::SiguienteCodigo()) {
    tipo = TIPO_PLANTA;
}

float Planta::ValorReal(const AnsiString& clave) const {
    return clave == "alturaEspacios" ? alturaEspacios : 0.0f;
}

void Planta::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (clave == "Z")
        valor = z;
    else if (clave == "Multiplicador")
        valor = static_cast<float>(multiplicador);
    else if (clave == "AlturaPlanta")
        valor = alturaPlanta;
    else if (clave == "AlturaEspacios")
        valor = alturaEspacios;
    else if (clave == "X")
        valor = x;
    else if (clave == "Y")
        valor = y;
    else if (clave == "Azimuth")
        valor = azimuth;
}

void Planta::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Nombre")
        valor = ObtenerNombre();
    else if (clave == "Poligono")
        valor = poligono;
    else if (clave == "Shape")
        valor = forma;
    else if (clave == "Multiplicador")
        valor = AnsiString(multiplicador);
    else if (clave == "AlturaPlanta")
        valor = FloatToStr(alturaPlanta);
    else if (clave == "AlturaEspacios")
        valor = FloatToStr(alturaEspacios);
    else if (clave == "Azimuth")
        valor = FloatToStr(azimuth);
}

bool Planta::PoligonoDefinido() const {
    if (poligono == "Ninguno") return false;
    const Poligono* encontrado = bdPoligonos::Instancia()->Buscar(poligono);
    return encontrado != nullptr && encontrado->NumeroPuntos() != 0;
}

bool Planta::AlQuitar() {
    return PoligonoDefinido();
}

void Planta::CopiarDe(const ObjetoBase& otro) {
    otro.ValorPropiedad("Poligono", poligono);
    otro.ObtenerReal("AlturaPlanta", alturaPlanta);
    otro.ObtenerReal("AlturaEspacios", alturaEspacios);
    otro.ValorPropiedad("Shape", forma);
    otro.ObtenerReal("Azimuth", azimuth);
    float copia = static_cast<float>(multiplicador);
    otro.ObtenerReal("Multiplicador", copia);
    multiplicador = static_cast<int>(copia);
    if (const auto* planta = dynamic_cast<const Planta*>(&otro)) {
        estadoPoligono = EstadoCopiado(planta->estadoPoligono);
        estadoAlturaPlanta = EstadoCopiado(planta->estadoAlturaPlanta);
        estadoAlturaEspacios = EstadoCopiado(planta->estadoAlturaEspacios);
        estadoForma = EstadoCopiado(planta->estadoForma);
        estadoAzimuth = EstadoCopiado(planta->estadoAzimuth);
        estadoMultiplicador = EstadoCopiado(planta->estadoMultiplicador);
    }
}

void Planta::Leer(LeerBDL* lector) {
    if (lector == nullptr) return;
    LeerPoligono(*lector, poligono, estadoPoligono, "DEFECTO POLIGONO");
    float leido = 0.0f;
    if (lector->LeerReal("SPACE-HEIGHT", leido) != 0) alturaEspacios = 0.0f;
    estadoAlturaEspacios = ESTADO_FICHERO;
    LeerRealBDL(lector, "Z ", z, estadoZ);
    LeerRealBDL(lector, "FLOOR-HEIGHT ", alturaPlanta, estadoAlturaPlanta);
    LeerRealBDL(lector, "SPACE-HEIGHT ", alturaEspacios, estadoAlturaEspacios);
    LeerEnteroBDL(lector, "MULTIPLIER ", multiplicador, estadoMultiplicador);
    LeerRealBDL(lector, "X ", x, estadoX);
    LeerRealBDL(lector, "Y ", y, estadoY);
    LeerRealBDL(lector, "AZIMUTH ", azimuth, estadoAzimuth);
    if (PoligonoDefinido()) CalcularContorno();
}

void Planta::CalcularContorno() {
    const Poligono* figura = bdPoligonos::Instancia()->Buscar(poligono);
    if (figura == nullptr) return;
    // La orientación y la referencia son las del edificio, el dueño de la planta.
    float azimuthEdificio = 0.0f, xRef = 0.0f, yRef = 0.0f;
    if (const ObjetoBase* edificio = ObtenerDueno()) {
        edificio->ObtenerReal("Azimuth", azimuthEdificio);
        edificio->ObtenerReal("XRef", xRef);
        edificio->ObtenerReal("YRef", yRef);
    }
    const double a = azimuth * std::numbers::pi / 180.0;
    const double b = azimuthEdificio * std::numbers::pi / 180.0;
    contorno.Redimensionar(figura->NumeroPuntos());
    for (int i = 0; i < figura->NumeroPuntos(); ++i) {
        const double px = figura->X(i), py = figura->Y(i);
        const double x1 = x + px * std::cos(a) + py * std::sin(a);
        const double y1 = y - px * std::sin(a) + py * std::cos(a);
        const double x2 = x1 * std::cos(b) + y1 * std::sin(b);
        const double y2 = -x1 * std::sin(b) + y1 * std::cos(b);
        contorno.PonerPunto(i, static_cast<float>(x2 + xRef), static_cast<float>(y2 + yRef), z);
    }
}

void Planta::Escribir(FileWriter& fichero) {
    EscribirRegistro(fichero, true);
}

void Planta::Exportar(FileWriter& fichero) {
    EscribirRegistro(fichero, false);
}

void Planta::EscribirRegistro(FileWriter& fichero, bool completo) {
    fichero.Printf("\"%s\" = FLOOR\n", ObtenerNombre().c_str());
    if (estadoX != ESTADO_DEFECTO)
        fichero.Printf("      X             = %14.7g\n", static_cast<double>(x));
    if (estadoY != ESTADO_DEFECTO)
        fichero.Printf("      Y             = %14.7g\n", static_cast<double>(y));
    if (estadoZ != ESTADO_DEFECTO)
        fichero.Printf("      Z             =  %14.7g\n", static_cast<double>(z));
    if (estadoAzimuth != ESTADO_DEFECTO)
        fichero.Printf("      AZIMUTH       = %14.7g\n", static_cast<double>(azimuth));
    fichero.Printf("      POLYGON       =  \"%s\"\n", poligono.c_str());
    fichero.Printf("      FLOOR-HEIGHT  = %14.7g\n", static_cast<double>(alturaPlanta));
    if (completo)
        fichero.Printf("      SPACE-HEIGHT  = %14.7g\n", static_cast<double>(alturaEspacios));
    if (estadoMultiplicador != ESTADO_DEFECTO)
        fichero.Printf("      MULTIPLIER    = %d\n", multiplicador);
    if (completo) fichero.Printf("      SHAPE         =  \"%s\"\n", forma.c_str());
    fichero.Printf("      ..\n");
}
