#pragma once
// bdAcristalamientos: la base de datos de acristalamientos (tipo 10), con su base actual
// por tipo de lista. A diferencia de las demás, QuitarHijo suelta el
// acristalamiento sin borrarlo: quien lo quita pasa a ser su dueño.

#include "comunes/bdLibreria.h"

class bdAcristalamientos : public bdCompartida<bdAcristalamientos> {
public:
    // La base actual del tipo de lista (bdCompartida); si no hay, la petición la crea con ese
    // nombre. Nulo para un tipo de lista que no es 0, 2 ni 3.
    static bdAcristalamientos* Instancia(const AnsiString& nombre, TipoLista tipo);
    // La misma, creada con el nombre propio de su tipo: "ListaAcrEstandar",
    // "ListaAcrUsuario", "ListaPrograma".
    static bdAcristalamientos* Instancia(TipoLista tipo);

    bdAcristalamientos(const AnsiString& nombre, TipoLista tipo);

    // Suelta el acristalamiento sin borrarlo.
    void QuitarHijo(ObjetoBase* hijo) override;
    // Quita cada acristalamiento y lo borra.
    void Vaciar() override;

    // Falso si algún acristalamiento tiene el factor solar sin definir (negativo); cierto
    // si todos lo tienen, o si no hay ninguno.
    bool SinFactorSolar() const;

    // Escribe como Escribir: la cabecera y los acristalamientos que no son de librería.
    void EscribirSinLibreria(FileWriter& fichero, int marca) override;
    const SeccionBD& Seccion() const override;
};
