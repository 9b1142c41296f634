#pragma once
// La tabla de las propiedades reales de un elemento: por cada clave, el campo y su estado
// de color, el patrón con que se muestra y los límites y el defecto con que se valida lo
// tecleado. Las operaciones por clave de un elemento buscan en ella en lugar de repetir una
// cadena de comparaciones en cada operación.

#include "comunes/ObjetoBase.h"
#include "comunes/Tipos.h"

#include "plataforma/base/ansi_string.h"

#include <span>

template <class Elemento> struct CampoReal {
    const char* clave;
    float Elemento::*valor;
    EstadoValor Elemento::*estado;
    const char* formato; // patrón de FormatFloat
    float minimo;
    float maximo;
    float defecto;
    // Si AsignarPropiedad y PonerReal la cambian; si no, solo se lee.
    bool modificable = true;
};

// La fila de la clave, o nulo.
template <class Elemento>
const CampoReal<Elemento>* BuscarCampo(std::span<const CampoReal<Elemento>> tabla,
                                       const AnsiString& clave) {
    for (const CampoReal<Elemento>& campo : tabla)
        if (clave == campo.clave) return &campo;
    return nullptr;
}

// Copia en el elemento los valores de la tabla que el otro da por las mismas claves (sin
// estados); lo que el otro no sepa dar queda como estaba.
template <class Elemento>
void CopiarReales(Elemento& elemento, std::span<const CampoReal<Elemento>> tabla,
                  const ObjetoBase& otro) {
    for (const CampoReal<Elemento>& campo : tabla)
        otro.ObtenerReal(campo.clave, elemento.*campo.valor);
}
