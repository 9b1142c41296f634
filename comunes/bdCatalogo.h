#pragma once
// bdCatalogo: el catálogo estándar "BDCATALOGO.BDC" mientras dura una carga o un guardado.
// Los cerramientos y los huecos de una librería de usuario o de una base de datos abierta
// buscan en él los materiales, acristalamientos y marcos que su fichero no trae; un
// guardado deja fuera los elementos de librería que él tiene, y solo esos.
//
// Se lee una sola vez, y solo cuando alguna base lo pide; cada carga (y cada guardado) lo lee de
// nuevo (el fichero puede haber cambiado entre dos). Sus bases son propias y mueren con él: no son
// las instancias compartidas del tipo de lista 0, que puede estar usando un gestor del
// catálogo regional mientras tanto, y nada queda apuntando a ellas después de la carga.

#include "comunes/Tipos.h"
#include "plataforma/base/ansi_string.h"

#include <memory>

class LeerBDL;
class bdAcristalamientos;
class bdLibreria;
class bdMarcos;
class bdMateriales;

class bdCatalogo {
public:
    // El catálogo de la carpeta de librerías (RutaEstandar, que se busca al leerlo).
    bdCatalogo();
    // El de esa ruta; una ruta vacía es un catálogo sin elementos.
    explicit bdCatalogo(const AnsiString& ruta);
    ~bdCatalogo();

    bdCatalogo(const bdCatalogo&) = delete;
    bdCatalogo& operator=(const bdCatalogo&) = delete;

    // "BDCATALOGO.BDC" en la carpeta de librerías si el código de idioma es 0 o 2; vacía
    // con cualquier otro (no hay catálogo).
    static AnsiString RutaEstandar();

    // Sus bases, cargadas del fichero la primera vez que se piden. Un fichero que no
    // existe da bases vacías sin aviso; uno que existe pero no se puede leer, también
    // vacías, tras el mensaje 0 con la ruta (una vez).
    bdMateriales* Materiales();
    bdAcristalamientos* Acristalamientos();
    bdMarcos* Marcos();

    // La base de ese tipo: materiales, acristalamientos o marcos; nulo para otro tipo (el
    // catálogo no da cerramientos, huecos ni puentes térmicos a otras bases).
    bdLibreria* Base(TipoObjeto tipo);

    // Cuántas veces se ha leído el fichero (0 o 1).
    int Lecturas() const { return lecturas_; }
    // La ruta del catálogo si alguna base lo pidió y no se pudo leer (no está, o no se deja
    // leer); vacía si se leyó, si nadie lo pidió o si no hay catálogo (otro idioma).
    AnsiString NoLeido() const { return leido_ && !disponible_ ? ruta_ : AnsiString(); }

private:
    LeerBDL* Lector();

    bool estandar_ = true; // la ruta se busca al leerlo
    AnsiString ruta_;
    std::unique_ptr<LeerBDL> lector_;
    bool leido_ = false;
    bool disponible_ = false; // se leyó su fichero
    int lecturas_ = 0;
    std::unique_ptr<bdMateriales> materiales_;
    std::unique_ptr<bdAcristalamientos> acristalamientos_;
    std::unique_ptr<bdMarcos> marcos_;
};
