#pragma once
// bdCerramientos: la base de datos de cerramientos por capas (tipo 12), con su base actual
// por tipo de lista. Conoce la base de materiales en la que se resuelven las
// capas de sus cerramientos.

#include "comunes/bdLibreria.h"

class bdMateriales;

class bdCerramientos : public bdCompartida<bdCerramientos> {
public:
    // La base actual del tipo de lista (bdCompartida); si no hay, la petición la crea con ese
    // nombre y, para los tipos 2 y 3, con esa base de materiales (la de tipo 0 se crea sin
    // ninguna). Nulo para un tipo de lista que no es 0, 2 ni 3.
    static bdCerramientos* Instancia(const AnsiString& nombre, bdMateriales* materiales,
                                     TipoLista tipo);
    // La misma, creada sin base de materiales y con el nombre propio de su tipo:
    // "ListaCerEstandar", "ListaCerUsuario", "ListaPrograma".
    static bdCerramientos* Instancia(TipoLista tipo);

    // La base de materiales no es suya.
    bdCerramientos(const AnsiString& nombre, bdMateriales* materiales, TipoLista tipo);

    // Su base de materiales; nula si se creó sin ella.
    bdMateriales* Materiales() const { return materiales; }
    // Su base de materiales o, si no tiene, la actual de su tipo de lista: la que completan
    // sus cerramientos.
    bdMateriales* MaterialesPropios() const;
    // Cierto si algún cerramiento de la base usa el material.
    bool MaterialUtilizado(const AnsiString& nombre) const;
    // Cada cerramiento marca como utilizados los materiales de sus capas que encuentra
    // (nunca quita una marca): lo que un guardado de la base escribiría de todos modos.
    void MarcarMaterialesUtilizados();
    // Mientras quien guarda la base entera dice que ya los marcó antes de escribirla, cada
    // cerramiento que se escribe no vuelve a marcar los suyos.
    void PonerMaterialesMarcados(bool marcados) { materialesMarcados = marcados; }
    bool MaterialesMarcados() const { return materialesMarcados; }

    const SeccionBD& Seccion() const override;

protected:
    // Las capas se resuelven en los materiales del catálogo (tipos de lista 2 y 3) o en los
    // propios (tipo 0) mientras se leen; después, en los propios. Cada material que no
    // estaba ni en la base ni en el catálogo, y que el cerramiento crea con sus valores por
    // defecto, se anota en el registro del modelo.
    void LeerElemento(ObjetoBase& elemento, LeerBDL& registro, bdCatalogo& catalogo) override;

private:
    bdMateriales* materiales;
    bool materialesMarcados = false;
};
