#pragma once
// VistabdPuentesTermicos: los puentes térmicos del árbol, bajo el nodo "Puentes térmicos" que pone
// el controlador, y sus puentes nuevos.

#include "Vornak/VistabdElementos.h"

class bdPuentesTermicos;

class VistabdPuentesTermicos : public VistabdElementos {
public:
    VistabdPuentesTermicos(bdPuentesTermicos* base, TforGestorBD* ventana);

protected:
    AnsiString RotuloTipo() const override;
    AnsiString RaizNombre() const override;
};
