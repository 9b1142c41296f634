#pragma once
// VistaPuenteTermico: el editor de un puente térmico en la página "Puentes térmicos":
// nombre, fi, efe, zona y dibujo; un puente de librería no se puede cambiar.

#include "Vornak/VistaElemento.h"

class VistaPuenteTermico : public VistaElemento {
public:
    using VistaElemento::VistaElemento;
    void Mostrar() override;
    void Actualizar() override;
    // Devuelve la marca de error del puente.
    bool Aceptar() override;
};
