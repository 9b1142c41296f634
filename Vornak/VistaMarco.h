#pragma once
// VistaMarco: el editor de un marco en la página "Marcos": nombre, transmitancia,
// absortividad y el ancho (oculto); un marco de librería no se puede cambiar.

#include "Vornak/VistaElemento.h"

class VistaMarco : public VistaElemento {
public:
    using VistaElemento::VistaElemento;
    void Mostrar() override;
    void Actualizar() override;
    // Devuelve la marca de error del marco.
    bool Aceptar() override;
};
