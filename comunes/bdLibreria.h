#pragma once
// bdLibreria: la base común de las seis bases de datos de elementos. Es un Contenedor de
// elementos de un solo tipo que sabe de qué tipo de lista es (estándar, librería de
// usuario o base de datos abierta), copia elementos de otra base por sus nombres, se vacía,
// se libera y borra las marcas de uso de sus elementos.
//
// Cada clase derivada (por bdCompartida) guarda una instancia compartida por tipo de lista
// (0, 2 y 3): todos los gestores de un mismo tipo de lista, los editores y el modelo del
// edificio ven las mismas listas de elementos.

#include "comunes/Contenedor.h"

#include <array>
#include <vector>

class TStrings;

class bdLibreria : public Contenedor {
public:
    bdLibreria(const AnsiString& nombre, TipoLista tipoLista);

    // De qué tipo de lista es: LISTA_ESTANDAR, LISTA_USUARIO o LISTA_PROGRAMA.
    TipoLista ObtenerTipoLista() const { return tipoLista; }

    // Suelta el elemento (Contenedor::QuitarHijo) y lo borra.
    void QuitarHijo(ObjetoBase* hijo) override;
    // Pone "Utilizado" a falso en cada elemento.
    void MarcarUtilizados() override;

    // Por cada nombre, en orden: busca el elemento en el origen, crea aquí uno de su tipo
    // con CrearHijo bajo ese nombre (uno ya presente da nombre, "_" y un número) y le copia
    // todas las propiedades del original. Un nombre que no está en el origen se salta; un
    // origen nulo no copia nada.
    using Contenedor::CopiarDe;
    void CopiarDe(const TStrings& nombres, bdLibreria* origen);

    // Como CopiarDe, saltando los nombres que ya están aquí.
    virtual void CopiarElementosNuevos(const TStrings& nombres, bdLibreria* origen);
    // Quita cada elemento, en orden, con QuitarHijo. Lineal en el número de elementos.
    virtual void Vaciar();
    // Vacía la base y, si es la instancia compartida de su tipo de lista, la borra y deja
    // libre su sitio: la siguiente petición crea una nueva. Tras llamarla, quien la llamó
    // no debe volver a usar el puntero. Una base que no es la compartida solo se vacía.
    virtual void Liberar();

protected:
    // Los elementos en orden, para recorrerlos mientras se quitan.
    std::vector<ObjetoBase*> Elementos() const;

private:
    // Crea aquí la copia de un elemento del origen; nada si su tipo no tiene clase.
    void CopiarElemento(ObjetoBase& original);

    TipoLista tipoLista;
};

// La base de una clase de base de datos que guarda una instancia compartida por tipo de
// lista (0, 2 y 3). Liberar borra la compartida; su destructor deja libre el sitio, también
// cuando alguien la borra directamente.
template <class T> class bdCompartida : public bdLibreria {
public:
    void Liberar() override {
        Vaciar();
        if (Valido(ObtenerTipoLista()) && Instancias()[ObtenerTipoLista()] == this) delete this;
    }

protected:
    using bdLibreria::bdLibreria;
    ~bdCompartida() override {
        for (bdLibreria*& instancia : Instancias())
            if (instancia == this) instancia = nullptr;
    }

    // La instancia del tipo de lista; si aún no la hay, la que devuelve "crear". Nulo para
    // un tipo de lista sin instancia.
    template <class Crear> static T* Compartida(TipoLista tipo, Crear&& crear) {
        if (!Valido(tipo)) return nullptr;
        bdLibreria*& instancia = Instancias()[tipo];
        if (instancia == nullptr) instancia = crear();
        return static_cast<T*>(instancia);
    }
    // El nombre propio de la instancia de cada tipo de lista.
    static const char* NombreDeLista(TipoLista tipo, const char* estandar, const char* usuario,
                                     const char* programa) {
        if (tipo == LISTA_ESTANDAR) return estandar;
        return tipo == LISTA_USUARIO ? usuario : programa;
    }

private:
    static bool Valido(TipoLista tipo) {
        return tipo == LISTA_ESTANDAR || tipo == LISTA_USUARIO || tipo == LISTA_PROGRAMA;
    }
    static std::array<bdLibreria*, 4>& Instancias() {
        static std::array<bdLibreria*, 4> instancias{};
        return instancias;
    }
};
