#pragma once
// VistabdHuecos: la rama de los huecos del árbol ("Huecos y lucernarios", o su nombre en la
// variante regional), sus huecos nuevos y el editor con las bases de vidrios y marcos de la
// base de huecos.

#include "Vornak/VistabdElementos.h"

class VistaHueco;
class bdHuecos;

class VistabdHuecos : public VistabdElementos {
public:
    VistabdHuecos(bdHuecos* base, TforGestorBD* ventana);

    // Con las bases de vidrios y marcos de la base de huecos, que siguen para aceptar.
    void MostrarElemento(ObjetoBase* elemento) override;
    // El vidrio y el marco elegidos en la página del hueco.
    AnsiString VidrioElegido() const;
    AnsiString MarcoElegido() const;

protected:
    AnsiString RotuloTipo() const override;
    AnsiString RaizNombre() const override;
};
