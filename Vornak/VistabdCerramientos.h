#pragma once
// VistabdCerramientos: la rama de los cerramientos del árbol y sus cerramientos nuevos.

#include "Vornak/VistabdElementos.h"

class bdCerramientos;

class VistabdCerramientos : public VistabdElementos {
public:
    VistabdCerramientos(bdCerramientos* base, TforGestorBD* ventana);

protected:
    AnsiString RotuloTipo() const override;
    AnsiString RaizNombre() const override;
};
