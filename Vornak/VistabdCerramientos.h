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
    // U = 1 / (R + 0,17) de las capas de la rejilla, en edU con dos decimales. Cada capa
    // suma espesor / conductividad, o su resistencia si no tiene espesor; se suman los
    // textos de la rejilla, salvo una conductividad que se muestra "0.000" siendo positiva,
    // que es la del material.
    void CalcularU();

    VistaCerramiento* EditorCapas() const;

protected:
    AnsiString RotuloTipo() const override;
    AnsiString RaizNombre() const override;

private:
    // El editor con el elemento y la base de materiales; nulo si el elemento no lo es.
    VistaCerramiento* Preparar(ObjetoBase* elemento);
    // La conductividad del material de la base de materiales; 0 si no está o no es positiva.
    float Conductividad(const AnsiString& material) const;
};
