#pragma once
// VistabdCerramientos: la rama de los cerramientos del árbol, sus cerramientos nuevos, las
// órdenes de capas de su editor y la U de la composición que muestra la rejilla de capas.

#include "Vornak/VistabdElementos.h"

class VistaCerramiento;
class bdCerramientos;

class VistabdCerramientos : public VistabdElementos {
public:
    VistabdCerramientos(bdCerramientos* base, TforGestorBD* ventana);

    // Con la base de materiales de la base de cerramientos; después, la U.
    void MostrarElemento(ObjetoBase* elemento) override;
    // Si el editor no aceptó las capas, la composición sigue en pantalla como estaba.
    void AceptarElemento(ObjetoBase* elemento) override;

    void AnadirCapa(ObjetoBase* elemento);
    void CambiarCapa(ObjetoBase* elemento);
    void EliminarCapa(ObjetoBase* elemento);
    void SubirCapa(ObjetoBase* elemento);
    void BajarCapa(ObjetoBase* elemento);
    bool SeleccionarCapa(const AnsiString& material);
    // U = 1 / (R + 0,17) de las capas que muestra la rejilla, en edU con dos decimales. R
    // sale de los valores guardados de los materiales, no de los textos de la rejilla, que
    // los redondean a tres decimales (una conductividad de 0,0045 se ve "0.004").
    void CalcularU();

    VistaCerramiento* EditorCapas() const;

protected:
    AnsiString RotuloTipo() const override;
    AnsiString RaizNombre() const override;

private:
    // El editor con el elemento y la base de materiales; nulo si el elemento no lo es.
    VistaCerramiento* Preparar(ObjetoBase* elemento);
};
