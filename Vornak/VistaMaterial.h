#pragma once
// VistaMaterial: el editor de un material en la página "Materiales y productos": muestra
// sus valores con los colores de sus estados, habilita los campos según su tipología y su
// marca de librería, y al aceptar pasa los campos al material, que los valida.

#include "Vornak/VistaElemento.h"

class VistaMaterial : public VistaElemento {
public:
    using VistaElemento::VistaElemento;
    void Mostrar() override;
    void Actualizar() override;
    // Devuelve la marca de error del material.
    bool Aceptar() override;
};
