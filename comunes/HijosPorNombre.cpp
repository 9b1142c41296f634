// HijosPorNombre: la tabla abierta de los hijos por nombre.

#include "comunes/HijosPorNombre.h"

#include "comunes/SondeoLineal.h"

#include <algorithm>
#include <functional>

namespace {

constexpr auto Libre = [](const auto& casilla) { return casilla.primera.objeto == nullptr; };

} // namespace

size_t HijosPorNombre::Hash(const AnsiString& nombre) {
    return std::hash<AnsiString>()(nombre);
}

const HijosPorNombre::Casilla* HijosPorNombre::Buscar(size_t hash, const AnsiString& nombre) const {
    if (casillas.empty()) return nullptr;
    for (size_t i = hash & Mascara();; i = (i + 1) & Mascara()) {
        const Casilla& casilla = casillas[i];
        if (casilla.primera.objeto == nullptr) return nullptr;
        if (casilla.hash == hash && casilla.primera.objeto->EsNombre(nombre)) return &casilla;
    }
}

const HijosPorNombre::Ranura* HijosPorNombre::Primero(const AnsiString& nombre) const {
    const Casilla* casilla = Buscar(Hash(nombre), nombre);
    return casilla ? &casilla->primera : nullptr;
}

int HijosPorNombre::Cuantos(const AnsiString& nombre) const {
    const Casilla* casilla = Buscar(Hash(nombre), nombre);
    if (casilla == nullptr) return 0;
    return 1 + (casilla->demas ? static_cast<int>(demas[casilla->demas - 1].size()) : 0);
}

std::vector<HijosPorNombre::Ranura>& HijosPorNombre::Demas(Casilla& casilla) {
    if (casilla.demas == 0) {
        if (demasLibres.empty()) {
            demas.emplace_back();
            casilla.demas = static_cast<uint32_t>(demas.size());
        } else {
            casilla.demas = demasLibres.back() + 1;
            demasLibres.pop_back();
        }
    }
    return demas[casilla.demas - 1];
}

void HijosPorNombre::Poner(const Ranura& ranura) {
    const size_t hash = Hash(ranura.objeto->ObtenerNombre());
    if (auto* casilla = const_cast<Casilla*>(Buscar(hash, ranura.objeto->ObtenerNombre()))) {
        std::vector<Ranura>& otros = Demas(*casilla);
        if (ranura.sello > casilla->primera.sello) {
            otros.insert(
                std::upper_bound(otros.begin(), otros.end(), ranura.sello,
                                 [](uint64_t sello, const Ranura& r) { return sello < r.sello; }),
                ranura);
        } else {
            otros.insert(otros.begin(), casilla->primera);
            casilla->primera = ranura;
        }
        return;
    }
    // Carga máxima de 5/8: las rachas de sondeo quedan cortas.
    if ((ocupadas + 1) * 8 > casillas.size() * 5) sondeo_lineal::Crecer(casillas, 8, Libre);
    size_t i = hash & Mascara();
    while (casillas[i].primera.objeto != nullptr)
        i = (i + 1) & Mascara();
    casillas[i] = Casilla{hash, ranura, 0};
    ++ocupadas;
}

void HijosPorNombre::Reservar(size_t nombres) {
    size_t tamano = casillas.empty() ? 8 : casillas.size();
    // La misma carga máxima que al poner.
    while (nombres * 8 > tamano * 5)
        tamano *= 2;
    if (tamano > casillas.size()) sondeo_lineal::Rehacer(casillas, tamano, Libre);
}

uint64_t HijosPorNombre::Quitar(const AnsiString& nombre, const ObjetoBase* objeto) {
    if (casillas.empty()) return 0;
    const size_t hash = Hash(nombre);
    for (size_t i = hash & Mascara();; i = (i + 1) & Mascara()) {
        Casilla& casilla = casillas[i];
        if (casilla.primera.objeto == nullptr) return 0;
        if (casilla.hash != hash) continue;
        uint64_t sello = 0;
        if (casilla.primera.objeto == objeto) {
            sello = casilla.primera.sello;
            if (casilla.demas == 0) {
                Liberar(i);
                return sello;
            }
            std::vector<Ranura>& otros = demas[casilla.demas - 1];
            casilla.primera = otros.front();
            otros.erase(otros.begin());
        } else if (casilla.demas != 0) {
            std::vector<Ranura>& otros = demas[casilla.demas - 1];
            auto hallado = std::find_if(otros.begin(), otros.end(),
                                        [objeto](const Ranura& r) { return r.objeto == objeto; });
            if (hallado == otros.end()) continue;
            sello = hallado->sello;
            otros.erase(hallado);
        } else {
            continue;
        }
        if (demas[casilla.demas - 1].empty()) {
            demasLibres.push_back(casilla.demas - 1);
            casilla.demas = 0;
        }
        return sello;
    }
}

void HijosPorNombre::Liberar(size_t puesto) {
    sondeo_lineal::Borrar(casillas, puesto, Libre);
    --ocupadas;
}
