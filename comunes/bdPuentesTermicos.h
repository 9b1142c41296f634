#pragma once
// bdPuentesTermicos: la base de datos de puentes térmicos (tipo 63), con su base actual
// por tipo de lista.

#include "comunes/bdLibreria.h"

class bdPuentesTermicos : public bdCompartida<bdPuentesTermicos> {
public:
    // La base actual del tipo de lista (bdCompartida); si no hay, la petición la crea con ese
    // nombre. Nulo para un tipo de lista que no es 0, 2 ni 3.
    static bdPuentesTermicos* Instancia(const AnsiString& nombre, TipoLista tipo);

    bdPuentesTermicos(const AnsiString& nombre, TipoLista tipo);

    const SeccionBD& Seccion() const override;
};
