#pragma once
// bdMateriales: la base de datos de materiales (tipo 13), con su base actual por
// tipo de lista.

#include "comunes/bdLibreria.h"

class bdMateriales : public bdCompartida<bdMateriales> {
public:
    // La base actual del tipo de lista (bdCompartida); si no hay, la petición la crea con ese
    // nombre. Nulo para un tipo de lista que no es 0, 2 ni 3.
    static bdMateriales* Instancia(const AnsiString& nombre, TipoLista tipo);
    // La misma, creada con el nombre propio de su tipo: "estandar", "usuario", "programa".
    static bdMateriales* Instancia(TipoLista tipo);

    bdMateriales(const AnsiString& nombre, TipoLista tipo);

    const SeccionBD& Seccion() const override;
};
