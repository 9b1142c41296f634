#pragma once
// VistaAcristalamiento: el editor de un vidrio en la página "Vidrios": nombre,
// transmitancia y factor solar. Un vidrio que no se puede cambiar deja aún completar su
// factor solar (salvo en la variante regional, donde lo bloquea ser de librería).

#include "Vornak/VistaElemento.h"

class VistaAcristalamiento : public VistaElemento {
public:
    using VistaElemento::VistaElemento;
    void Mostrar() override;
    void Actualizar() override;
    // Devuelve la marca de error del vidrio (un factor solar vacío la pone).
    bool Aceptar() override;
};
