#pragma once
// VistabdMarcos: la rama de los marcos del árbol y sus marcos nuevos.

#include "Vornak/VistabdElementos.h"

class bdMarcos;

class VistabdMarcos : public VistabdElementos {
public:
    VistabdMarcos(bdMarcos* base, TforGestorBD* ventana);

protected:
    AnsiString RotuloTipo() const override;
    AnsiString RaizNombre() const override;
};
