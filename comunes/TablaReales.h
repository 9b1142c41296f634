#pragma once
// La tabla de las propiedades reales de un elemento: por cada clave, el campo y su estado
// de color, el patrón con que se muestra y los límites y el defecto con que se valida lo
// tecleado. Las operaciones por clave de un elemento preguntan a su tabla en lugar de
// repetir una cadena de comparaciones en cada operación.

#include "comunes/ObjetoBase.h"
#include "comunes/Tipos.h"

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/numbers.h"

#include <initializer_list>
#include <vector>

// Lo que hacen con una fila, además de leer su valor (ValorPropiedad, ObtenerReal y la
// copia), las operaciones por clave.
enum UsoReal : unsigned {
    REAL_TECLEADO = 1, // AsignarPropiedad la valida y la guarda
    REAL_DIRECTO = 2,  // PonerReal la guarda sin validar
    REAL_ESTADO = 4,   // ObtenerEstado contesta su estado
    REAL_TODO = REAL_TECLEADO | REAL_DIRECTO | REAL_ESTADO,
};

template <class Elemento> struct CampoReal {
    const char* clave;
    float Elemento::*valor;
    EstadoValor Elemento::*estado;
    const char* formato; // patrón de FormatFloat, o "%g" para el formato de C
    float minimo;
    float maximo;
    float defecto;
    unsigned usos = REAL_TODO;
};

// El valor como lo muestra su fila.
inline AnsiString TextoReal(const char* formato, float valor) {
    if (AnsiString(formato) == "%g") return AnsiString().sprintf("%g", static_cast<double>(valor));
    return FormatFloat(formato, valor);
}

// Cada operación devuelve cierto si ha contestado a la clave: falso si la clave no es de la
// tabla o si su fila no admite esa operación, para que el elemento siga con sus otras
// claves.
template <class Elemento> class TablaReales {
public:
    TablaReales(std::initializer_list<CampoReal<Elemento>> campos) : campos(campos) {}

    // La fila de la clave, o nulo.
    const CampoReal<Elemento>* Buscar(const AnsiString& clave) const {
        for (const CampoReal<Elemento>& campo : campos)
            if (clave == campo.clave) return &campo;
        return nullptr;
    }

    bool Texto(const Elemento& elemento, const AnsiString& clave, AnsiString& texto) const {
        const CampoReal<Elemento>* campo = Buscar(clave);
        if (campo == nullptr) return false;
        texto = TextoReal(campo->formato, elemento.*campo->valor);
        return true;
    }

    bool Real(const Elemento& elemento, const AnsiString& clave, float& valor) const {
        const CampoReal<Elemento>* campo = Buscar(clave);
        if (campo == nullptr) return false;
        valor = elemento.*campo->valor;
        return true;
    }

    bool Estado(const Elemento& elemento, const AnsiString& clave, EstadoValor& estado) const {
        const CampoReal<Elemento>* campo = Con(clave, REAL_ESTADO);
        if (campo == nullptr) return false;
        estado = elemento.*campo->estado;
        return true;
    }

    // Con la validación, el aviso y el color de ObjetoBase::AsignarReal.
    bool Asignar(Elemento& elemento, const AnsiString& clave, const AnsiString& texto) const {
        const CampoReal<Elemento>* campo = Con(clave, REAL_TECLEADO);
        if (campo == nullptr) return false;
        ObjetoBase& base = elemento;
        base.AsignarReal(elemento.*campo->valor, elemento.*campo->estado, texto, campo->minimo,
                         campo->maximo, campo->defecto);
        return true;
    }

    bool Poner(Elemento& elemento, const AnsiString& clave, float valor) const {
        const CampoReal<Elemento>* campo = Con(clave, REAL_DIRECTO);
        if (campo == nullptr) return false;
        elemento.*campo->valor = valor;
        return true;
    }

    // Copia en el elemento los valores que el otro da por las mismas claves (sin estados);
    // lo que el otro no sepa dar queda como estaba.
    void CopiarDe(Elemento& elemento, const ObjetoBase& otro) const {
        for (const CampoReal<Elemento>& campo : campos)
            otro.ObtenerReal(campo.clave, elemento.*campo.valor);
    }

    // Los estados de otro elemento de su clase, como quedan en una copia (EstadoCopiado).
    void CopiarEstados(Elemento& elemento, const Elemento& otro) const {
        for (const CampoReal<Elemento>& campo : campos)
            elemento.*campo.estado = EstadoCopiado(otro.*campo.estado);
    }

private:
    const CampoReal<Elemento>* Con(const AnsiString& clave, UsoReal uso) const {
        const CampoReal<Elemento>* campo = Buscar(clave);
        return campo != nullptr && (campo->usos & uso) != 0 ? campo : nullptr;
    }

    std::vector<CampoReal<Elemento>> campos;
};
