#pragma once
// bdMarcos: la base de datos de marcos (tipo 11), con su base actual por tipo de
// lista.

#include "comunes/bdLibreria.h"

class bdMarcos : public bdCompartida<bdMarcos> {
public:
    // La base actual del tipo de lista (bdCompartida); si no hay, la petición la crea con ese
    // nombre. Nulo para un tipo de lista que no es 0, 2 ni 3.
    static bdMarcos* Instancia(const AnsiString& nombre, TipoLista tipo);
    // La misma, creada con el nombre propio de su tipo: "ListaMarEstandar",
    // "ListaMarUsuario", "ListaPrograma".
    static bdMarcos* Instancia(TipoLista tipo);

    bdMarcos(const AnsiString& nombre, TipoLista tipo);

    const SeccionBD& Seccion() const override;
};
