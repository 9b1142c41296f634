#pragma once
// VistaHueco: el editor de un hueco en la página de los huecos: nombre, el vidrio y el marco
// elegidos de sus grupos en las bases de la base abierta, el porcentaje de marco, la
// permeabilidad y si es una puerta.

#include "Vornak/VistaElemento.h"

#include "comunes/Tipos.h"

class TKavComboBox;
class TStrings;
class bdLibreria;

class VistaHueco : public VistaElemento {
public:
    explicit VistaHueco(TforGestorBD* ventana) : VistaElemento(nullptr, ventana) {}
    // 10: la base de los vidrios; 11: la de los marcos; otro tipo, nada.
    void PonerBaseDatos(TipoObjeto tipo, bdLibreria* base);
    void Mostrar() override;
    void Actualizar() override;
    // Cierto si el nombre se aceptó.
    bool Aceptar() override;
    // También la casilla de la puerta cambiada cuenta.
    bool HayCambios() const override;

private:
    // Los grupos de la base en la lista de grupos y los nombres del grupo del hueco en la
    // de elementos, cada una con el valor del hueco elegido y el color de su estado.
    void MostrarEleccion(bdLibreria* base, TKavComboBox* grupos, const char* claveGrupo,
                         TKavComboBox* nombres, const char* claveNombre);
    // Rellena la lista de elementos con los del grupo elegido; se queda el elegido si está
    // en el grupo, si no el primero.
    static void RellenarNombres(bdLibreria* base, TKavComboBox* grupos, TKavComboBox* nombres);

    bdLibreria* vidrios = nullptr;
    bdLibreria* marcos = nullptr;
    bool nombreAceptado = false;
    bool puertaMostrada = false;
};
