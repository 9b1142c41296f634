#pragma once
// bdPuentesTermicos: la base de datos de puentes térmicos (tipo 63), con su instancia
// compartida por tipo de lista.

#include "comunes/bdLibreria.h"

class bdPuentesTermicos : public bdCompartida<bdPuentesTermicos> {
public:
    // La instancia compartida del tipo de lista; la primera petición la crea con ese
    // nombre. Nulo para un tipo de lista que no es 0, 2 ni 3.
    static bdPuentesTermicos* Instancia(const AnsiString& nombre, TipoLista tipo);

    bdPuentesTermicos(const AnsiString& nombre, TipoLista tipo);

    const SeccionBD& Seccion() const override;
};
