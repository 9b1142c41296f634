#pragma once
// HijosPorNombre: los hijos directos de un contenedor por nombre, cada nombre con sus
// objetos en orden de sello. Una tabla abierta (sondeo lineal, borrado por desplazamiento
// hacia atrás) cuyas casillas llevan el hash del nombre y el primer objeto: buscar un nombre
// lee una casilla y, si el hash coincide, el nombre del propio objeto, en lugar de recorrer
// los nodos sueltos de un mapa (cada uno un fallo de caché en una base de decenas de miles
// de elementos). La clave de cada lista es el nombre actual de sus objetos: quien cambia
// el nombre de uno lo quita antes por identidad con el nombre anterior (Quitar) y lo vuelve
// a poner.

#include "comunes/ObjetoBase.h"

#include <cstdint>
#include <vector>

class HijosPorNombre {
public:
    // Un hijo con su sello: un número que crece con cada adopción.
    struct Ranura {
        ObjetoBase* objeto;
        uint64_t sello;
    };

    // El primer objeto con ese nombre, o nulo; con su sello.
    const Ranura* Primero(const AnsiString& nombre) const;
    // Cuántos objetos se llaman así.
    int Cuantos(const AnsiString& nombre) const;
    // Pone el objeto bajo su nombre actual, en su sitio por sello.
    void Poner(const Ranura& ranura);
    // Quita el objeto de la lista del nombre dado (el que tenía al ponerse); devuelve su
    // sello, o 0 si no estaba.
    uint64_t Quitar(const AnsiString& nombre, const ObjetoBase* objeto);
    // Prepara la tabla para tener tantos nombres sin crecer.
    void Reservar(size_t nombres);

private:
    struct Casilla {
        size_t hash = 0;
        Ranura primera{nullptr, 0}; // objeto nulo: casilla libre
        // 1 + el puesto en "demas" de los homónimos que siguen a la primera; 0 si no hay.
        uint32_t demas = 0;
    };

    static size_t Hash(const AnsiString& nombre);
    size_t Mascara() const { return casillas.size() - 1; }
    // La casilla del nombre, o nulo.
    const Casilla* Buscar(size_t hash, const AnsiString& nombre) const;
    // Deja libre la casilla y sube las que la siguen en su racha de sondeo.
    void Liberar(size_t puesto);
    std::vector<Ranura>& Demas(Casilla& casilla);

    std::vector<Casilla> casillas; // potencia de 2, o vacía
    size_t ocupadas = 0;
    // Los homónimos tras la primera de cada nombre que los tiene (poco frecuente).
    std::vector<std::vector<Ranura>> demas;
    std::vector<uint32_t> demasLibres;
};
