// HijosPorNombre: la tabla abierta de los hijos por nombre.

#include "comunes/HijosPorNombre.h"

#include "comunes/SondeoLineal.h"

#include <algorithm>
#include <functional>

namespace {

constexpr auto Libre = [](const auto& casilla) { return casilla.objeto == nullptr; };

} // namespace

uint32_t HijosPorNombre::Hash(std::string_view nombre) {
    // El de std::string: el de su vista es el mismo.
    return static_cast<uint32_t>(std::hash<std::string_view>()(nombre));
}

const HijosPorNombre::Casilla* HijosPorNombre::Buscar(uint32_t hash,
                                                      const AnsiString& nombre) const {
    if (casillas.empty()) return nullptr;
    for (size_t i = hash & Mascara();; i = (i + 1) & Mascara()) {
        const Casilla& casilla = casillas[i];
        if (casilla.objeto == nullptr) return nullptr;
        if (casilla.hash == hash && casilla.objeto->EsNombre(nombre)) return &casilla;
    }
}

ObjetoBase* HijosPorNombre::Primero(const AnsiString& nombre) const {
    Pendientes();
    const Casilla* casilla = Buscar(Hash(nombre.str()), nombre);
    return casilla ? casilla->objeto : nullptr;
}

int HijosPorNombre::Cuantos(const AnsiString& nombre) const {
    Pendientes();
    const Casilla* casilla = Buscar(Hash(nombre.str()), nombre);
    if (casilla == nullptr) return 0;
    return 1 + (casilla->demas ? static_cast<int>(demas[casilla->demas - 1].size()) : 0);
}

std::vector<ObjetoBase*>& HijosPorNombre::Demas(Casilla& casilla) {
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

void HijosPorNombre::Poner(ObjetoBase* objeto) {
    Pendientes();
    ++objetos;
    const uint32_t hash = Hash(objeto->ObtenerNombre().str());
    if (auto* casilla = const_cast<Casilla*>(Buscar(hash, objeto->ObtenerNombre()))) {
        std::vector<ObjetoBase*>& otros = Demas(*casilla);
        if (Sello(objeto) > Sello(casilla->objeto)) {
            otros.insert(std::upper_bound(
                             otros.begin(), otros.end(), Sello(objeto),
                             [](uint64_t sello, const ObjetoBase* o) { return sello < Sello(o); }),
                         objeto);
        } else {
            otros.insert(otros.begin(), casilla->objeto);
            casilla->objeto = objeto;
        }
        return;
    }
    // Carga máxima de 5/8: las rachas de sondeo quedan cortas.
    if ((ocupadas + 1) * 8 > casillas.size() * 5) sondeo_lineal::Crecer(casillas, 8, Libre);
    size_t i = hash & Mascara();
    while (casillas[i].objeto != nullptr)
        i = (i + 1) & Mascara();
    casillas[i] = Casilla{objeto, hash, 0};
    ++ocupadas;
}

void HijosPorNombre::Reservar(size_t nombres) {
    Pendientes();
    size_t tamano = casillas.empty() ? 8 : casillas.size();
    // La misma carga máxima que al poner.
    while (nombres * 8 > tamano * 5)
        tamano *= 2;
    if (tamano > casillas.size()) sondeo_lineal::Rehacer(casillas, tamano, Libre);
}

bool HijosPorNombre::Quitar(const AnsiString& nombre, const ObjetoBase* objeto) {
    Pendientes();
    return QuitarPorHash(Hash(nombre.str()), objeto);
}

void HijosPorNombre::Soltar(const AnsiString& nombre, const ObjetoBase* objeto) {
    bajas.push_back(Baja{objeto, Hash(nombre.str())});
}

void HijosPorNombre::HacerBajas() {
    if (bajas.size() == objetos) {
        // Se van todos: la tabla queda vacía, con su tamaño.
        std::fill(casillas.begin(), casillas.end(), Casilla{});
        ocupadas = 0;
        objetos = 0;
        demas.clear();
        demasLibres.clear();
    } else {
        for (const Baja& baja : bajas)
            QuitarPorHash(baja.hash, baja.objeto);
    }
    bajas.clear();
}

bool HijosPorNombre::QuitarPorHash(uint32_t hash, const ObjetoBase* objeto) {
    if (casillas.empty()) return false;
    for (size_t i = hash & Mascara();; i = (i + 1) & Mascara()) {
        Casilla& casilla = casillas[i];
        if (casilla.objeto == nullptr) return false;
        if (casilla.hash != hash) continue;
        if (casilla.objeto == objeto) {
            --objetos;
            if (casilla.demas == 0) {
                Liberar(i);
                return true;
            }
            std::vector<ObjetoBase*>& otros = demas[casilla.demas - 1];
            casilla.objeto = otros.front();
            otros.erase(otros.begin());
        } else if (casilla.demas != 0) {
            std::vector<ObjetoBase*>& otros = demas[casilla.demas - 1];
            auto hallado = std::find(otros.begin(), otros.end(), objeto);
            if (hallado == otros.end()) continue;
            --objetos;
            otros.erase(hallado);
        } else {
            continue;
        }
        if (demas[casilla.demas - 1].empty()) {
            demasLibres.push_back(casilla.demas - 1);
            casilla.demas = 0;
        }
        return true;
    }
}

void HijosPorNombre::Liberar(size_t puesto) {
    sondeo_lineal::Borrar(casillas, puesto, Libre);
    --ocupadas;
}
