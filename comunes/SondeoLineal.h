#pragma once
// Los pasos comunes de las tablas abiertas de sondeo lineal (una potencia de 2 de casillas,
// cada una con el hash de su clave): meter las casillas en una tabla nueva del doble y borrar
// una casilla subiendo las que la siguen en su racha, para que ninguna búsqueda necesite
// lápidas. "Libre" dice si una casilla está vacía; una Casilla{} es una vacía.

#include <cstddef>
#include <utility>
#include <vector>

namespace sondeo_lineal {

// Pasa las casillas ocupadas a una tabla de ese tamaño (potencia de 2, con sitio para ellas).
template <class Casilla, class Alloc, class Libre>
void Rehacer(std::vector<Casilla, Alloc>& casillas, size_t tamano, Libre libre) {
    std::vector<Casilla, Alloc> anteriores(tamano);
    anteriores.swap(casillas);
    const size_t mascara = casillas.size() - 1;
    for (Casilla& casilla : anteriores) {
        if (libre(casilla)) continue;
        size_t i = casilla.hash & mascara;
        while (!libre(casillas[i]))
            i = (i + 1) & mascara;
        casillas[i] = std::move(casilla);
    }
}

// Pasa las casillas ocupadas a una tabla del doble (o de "inicial" si estaba vacía).
template <class Casilla, class Alloc, class Libre>
void Crecer(std::vector<Casilla, Alloc>& casillas, size_t inicial, Libre libre) {
    Rehacer(casillas, casillas.empty() ? inicial : casillas.size() * 2, libre);
}

// Deja libre la casilla del puesto y sube a su hueco las que la siguen en su racha.
template <class Casilla, class Alloc, class Libre>
void Borrar(std::vector<Casilla, Alloc>& casillas, size_t puesto, Libre libre) {
    const size_t mascara = casillas.size() - 1;
    size_t hueco = puesto;
    for (size_t j = (hueco + 1) & mascara;; j = (j + 1) & mascara) {
        if (libre(casillas[j])) break;
        // La casilla j puede subir al hueco si su puesto ideal no cae entre el hueco
        // (excluido) y ella (incluida), contando en círculo.
        const size_t ideal = casillas[j].hash & mascara;
        const bool entre =
            hueco <= j ? (hueco < ideal && ideal <= j) : (hueco < ideal || ideal <= j);
        if (entre) continue;
        casillas[hueco] = std::move(casillas[j]);
        hueco = j;
    }
    casillas[hueco] = Casilla{};
}

} // namespace sondeo_lineal
