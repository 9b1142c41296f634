#pragma once
// VistabdMateriales: la rama de los materiales del árbol y sus materiales nuevos.

#include "Vornak/VistabdElementos.h"

class bdMateriales;

class VistabdMateriales : public VistabdElementos {
public:
    VistabdMateriales(bdMateriales* base, TforGestorBD* ventana);

protected:
    AnsiString RotuloTipo() const override;
    AnsiString RaizNombre() const override;
};
