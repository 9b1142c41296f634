#pragma once
// bdHuecos: la base de datos de huecos (tipo 16), con su base actual por tipo de
// lista. Conoce las bases de acristalamientos y de marcos en las que están definidas las
// partes de sus huecos.

#include "comunes/bdLibreria.h"

class bdAcristalamientos;
class bdMarcos;

class bdHuecos : public bdCompartida<bdHuecos> {
public:
    // La base actual del tipo de lista (bdCompartida); si no hay, la petición la crea con ese
    // nombre y, para los tipos 2 y 3, con esas bases de acristalamientos y de marcos (la de
    // tipo 0 se crea sin ellas). Nulo para un tipo de lista que no es 0, 2 ni 3.
    static bdHuecos* Instancia(const AnsiString& nombre, bdAcristalamientos* acristalamientos,
                               bdMarcos* marcos, TipoLista tipo);
    // La misma, creada sin bases y con el nombre propio de su tipo: "ListaAcrEstandar",
    // "ListaAcrUsuario", "ListaPrograma".
    static bdHuecos* Instancia(TipoLista tipo);

    // Las bases de acristalamientos y de marcos no son suyas.
    bdHuecos(const AnsiString& nombre, bdAcristalamientos* acristalamientos, bdMarcos* marcos,
             TipoLista tipo);

    // "Nombre" da el nombre de la base; otras claves dejan el texto como estaba.
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;

    // Su base de acristalamientos para el tipo 10, su base de marcos para el 11; nulo para
    // cualquier otro tipo o si se creó sin ella.
    bdLibreria* BaseDatos(TipoObjeto tipo) const;
    bdAcristalamientos* Acristalamientos() const { return acristalamientos; }
    bdMarcos* Marcos() const { return marcos; }
    // Su base de acristalamientos (o de marcos) o, si no tiene, la actual de su tipo de
    // lista: las que completan sus huecos.
    bdAcristalamientos* AcristalamientosPropios() const;
    bdMarcos* MarcosPropios() const;
    // Cierto si algún hueco de la base usa el acristalamiento o el marco de ese nombre.
    bool ElementoUtilizado(const AnsiString& nombre) const;
    // Cierto si algún hueco usa el acristalamiento (tipo 10) o el marco (tipo 11) de ese
    // nombre: un marco que se llama como un vidrio en uso no está en uso por eso.
    bool ElementoUtilizado(TipoObjeto tipo, const AnsiString& nombre) const;

    const SeccionBD& Seccion() const override;

protected:
    // Las partes se buscan en el catálogo (tipos de lista 2 y 3) o en las bases propias
    // (tipo 0) mientras se leen; después, cada hueco queda con las bases propias. Cada
    // acristalamiento o marco que no estaba ni en la base ni en el catálogo, y que el hueco
    // crea con sus valores por defecto, se anota en el registro del modelo (salvo
    // "Ninguno" y el nombre vacío, que dicen que no hay parte).
    void LeerElemento(ObjetoBase& elemento, LeerBDL& registro, bdCatalogo& catalogo) override;

private:
    bdAcristalamientos* acristalamientos;
    bdMarcos* marcos;
};
