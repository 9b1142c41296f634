#pragma once
// NombresContados: cuántos objetos llevan cada nombre, en una tabla abierta (sondeo lineal,
// borrado por desplazamiento hacia atrás). Cada casilla lleva el hash del nombre, su cuenta
// y el puesto del nombre en una lista aparte: saber que un nombre no está lee casi siempre
// una sola línea de caché, sin nodos sueltos ni divisiones por un primo. Es el índice de los
// nombres de todo un árbol grande (el edificio), que cada creación de un hijo consulta una
// vez y amplía otra.

#include "plataforma/base/ansi_string.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class NombresContados {
public:
    bool Contiene(const AnsiString& nombre) const { return Cuenta(nombre) > 0; }
    int Cuenta(const AnsiString& nombre) const;
    // Suma la cuenta (o la resta, si es negativa); el nombre que queda en 0 o menos sale de
    // la tabla, y restar de un nombre que no está no hace nada.
    void Sumar(const AnsiString& nombre, int cuenta);
    // Cuántos nombres distintos hay.
    size_t Tamano() const { return ocupadas; }

private:
    struct Casilla {
        uint64_t hash = 0;
        int32_t cuenta = 0;
        uint32_t nombre = 0; // 1 + el puesto en "nombres"; 0: casilla libre
    };

    static uint64_t Hash(const AnsiString& nombre);
    size_t Mascara() const { return casillas.size() - 1; }
    // El puesto de la casilla del nombre, o el de la casilla libre donde iría.
    size_t Puesto(uint64_t hash, const AnsiString& nombre) const;
    // Saca el nombre de la tabla.
    void Liberar(size_t puesto);

    std::vector<Casilla> casillas; // potencia de 2, o vacía
    size_t ocupadas = 0;
    std::vector<AnsiString> nombres;
    std::vector<uint32_t> nombresLibres;
};
