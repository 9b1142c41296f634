// NombresContados: la tabla abierta de las cuentas por nombre.

#include "comunes/NombresContados.h"

#include "comunes/SondeoLineal.h"

#include <functional>

namespace {

constexpr auto Libre = [](const auto& casilla) { return casilla.nombre == 0; };

} // namespace

uint64_t NombresContados::Hash(const AnsiString& nombre) {
    return std::hash<AnsiString>()(nombre);
}

size_t NombresContados::Puesto(uint64_t hash, const AnsiString& nombre) const {
    for (size_t i = hash & Mascara();; i = (i + 1) & Mascara()) {
        const Casilla& casilla = casillas[i];
        if (casilla.nombre == 0) return i;
        if (casilla.hash == hash && nombres[casilla.nombre - 1] == nombre) return i;
    }
}

int NombresContados::Cuenta(const AnsiString& nombre) const {
    if (ocupadas == 0) return 0;
    return casillas[Puesto(Hash(nombre), nombre)].cuenta;
}

void NombresContados::Sumar(const AnsiString& nombre, int cuenta) {
    const uint64_t hash = Hash(nombre);
    if (!casillas.empty()) {
        const size_t i = Puesto(hash, nombre);
        Casilla& casilla = casillas[i];
        if (casilla.nombre != 0) {
            casilla.cuenta += cuenta;
            if (casilla.cuenta <= 0) Liberar(i);
            return;
        }
    }
    if (cuenta <= 0) return;
    // Carga máxima de 5/8: las rachas de sondeo quedan cortas.
    if ((ocupadas + 1) * 8 > casillas.size() * 5) sondeo_lineal::Crecer(casillas, 16, Libre);
    size_t i = hash & Mascara();
    while (casillas[i].nombre != 0)
        i = (i + 1) & Mascara();
    uint32_t puesto;
    if (nombresLibres.empty()) {
        nombres.push_back(nombre);
        puesto = static_cast<uint32_t>(nombres.size());
    } else {
        puesto = nombresLibres.back();
        nombresLibres.pop_back();
        nombres[puesto - 1] = nombre;
    }
    casillas[i] = Casilla{hash, cuenta, puesto};
    ++ocupadas;
}

void NombresContados::Liberar(size_t puesto) {
    // El puesto del nombre queda para el próximo que entre; su texto se suelta ya.
    nombres[casillas[puesto].nombre - 1] = AnsiString();
    nombresLibres.push_back(casillas[puesto].nombre);
    sondeo_lineal::Borrar(casillas, puesto, Libre);
    --ocupadas;
}
