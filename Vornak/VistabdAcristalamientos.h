#pragma once
// VistabdAcristalamientos: la rama de los acristalamientos ("Vidrios") del árbol y sus
// acristalamientos nuevos.

#include "Vornak/VistabdElementos.h"

class bdAcristalamientos;

class VistabdAcristalamientos : public VistabdElementos {
public:
    VistabdAcristalamientos(bdAcristalamientos* base, TforGestorBD* ventana);

protected:
    AnsiString RotuloTipo() const override;
    AnsiString RaizNombre() const override;
};
