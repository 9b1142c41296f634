#pragma once
// VistabdHuecos: la rama de los huecos del árbol ("Huecos y lucernarios", o su nombre en la
// variante regional) y sus huecos nuevos.

#include "Vornak/VistabdElementos.h"

class bdHuecos;

class VistabdHuecos : public VistabdElementos {
public:
    VistabdHuecos(bdHuecos* base, TforGestorBD* ventana);

protected:
    AnsiString RotuloTipo() const override;
    AnsiString RaizNombre() const override;
};
