#pragma once
// HijosPorNombre: los hijos directos de un contenedor por nombre, cada nombre con sus
// objetos en orden de sello (el que cada objeto lleva de su dueño). Una tabla abierta (sondeo
// lineal, borrado por desplazamiento hacia atrás) de casillas de 16 bytes con 32 bits del
// hash del nombre y el primer objeto: buscar un nombre lee una casilla y, si el hash
// coincide, el nombre del propio objeto, en lugar de recorrer los nodos sueltos de un mapa
// (cada uno un fallo de caché en una base de decenas de miles de elementos); una tabla de
// 40.000 nombres ocupa 1 MB. La clave de cada lista es el nombre actual de sus objetos: quien
// cambia el nombre de uno lo quita antes por identidad con el nombre anterior (Quitar) y lo
// vuelve a poner.

#include "comunes/ObjetoBase.h"

#include <cstdint>
#include <string_view>
#include <vector>

class HijosPorNombre {
public:
    // El primer objeto (el de menor sello) con ese nombre, o nulo.
    ObjetoBase* Primero(const AnsiString& nombre) const;
    // Cuántos objetos se llaman así.
    int Cuantos(const AnsiString& nombre) const;
    // Pone el objeto bajo su nombre actual, en su sitio por su sello.
    void Poner(ObjetoBase* objeto);
    // Quita el objeto de la lista del nombre dado (el que tenía al ponerse); falso si no
    // estaba.
    bool Quitar(const AnsiString& nombre, const ObjetoBase* objeto);
    // Lo mismo para un objeto que está en la tabla con ese nombre, pero más tarde: antes de
    // la siguiente operación de la tabla, así que el objeto puede morir antes. Cuando las
    // bajas pendientes son todos los objetos de la tabla, se quitan de una vez, sin buscar
    // ninguno: así se vacía un contenedor.
    void Soltar(const AnsiString& nombre, const ObjetoBase* objeto);
    // Prepara la tabla para tener tantos nombres sin crecer.
    void Reservar(size_t nombres);

private:
    struct Casilla {
        ObjetoBase* objeto = nullptr; // el primero con el nombre; nulo: casilla libre
        uint32_t hash = 0;            // los 32 bits bajos del hash del nombre
        // 1 + el puesto en "demas" de los homónimos que siguen al primero; 0 si no hay.
        uint32_t demas = 0;
    };

    // Una baja pendiente: el objeto y el hash de su nombre (el objeto ya puede no existir).
    struct Baja {
        const ObjetoBase* objeto;
        uint32_t hash;
    };

    static uint32_t Hash(std::string_view nombre);
    // Hace las bajas pendientes: no cambian lo que la tabla contesta, así que también se
    // hacen desde las consultas.
    void Pendientes() const {
        if (!bajas.empty()) const_cast<HijosPorNombre*>(this)->HacerBajas();
    }
    void HacerBajas();
    // Quita el objeto de la casilla de ese hash que lo tiene, sin mirar ningún nombre.
    bool QuitarPorHash(uint32_t hash, const ObjetoBase* objeto);
    size_t Mascara() const { return casillas.size() - 1; }
    // La casilla del nombre, o nulo.
    const Casilla* Buscar(uint32_t hash, const AnsiString& nombre) const;
    // Deja libre la casilla y sube las que la siguen en su racha de sondeo.
    void Liberar(size_t puesto);
    std::vector<ObjetoBase*>& Demas(Casilla& casilla);
    static uint64_t Sello(const ObjetoBase* objeto) { return objeto->sello; }

    std::vector<Casilla> casillas; // potencia de 2, o vacía
    size_t ocupadas = 0;
    size_t objetos = 0; // homónimos incluidos
    std::vector<Baja> bajas;
    // Los homónimos tras el primero de cada nombre que los tiene (poco frecuente), en orden
    // de sello.
    std::vector<std::vector<ObjetoBase*>> demas;
    std::vector<uint32_t> demasLibres;
};
