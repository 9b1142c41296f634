// bdLibreria: lo común de las bases de datos de elementos: copiar por nombres, vaciar,
// liberar y borrar las marcas de uso.

#include "comunes/bdLibreria.h"

#include "plataforma/base/string_list.h"

bdLibreria::bdLibreria(const AnsiString& nombre, TipoLista tipoLista)
    : Contenedor(nombre), tipoLista(tipoLista) {}

void bdLibreria::QuitarHijo(ObjetoBase* hijo) {
    if (hijo == nullptr || hijo->ObtenerDueno() != this) return;
    Contenedor::QuitarHijo(hijo);
    // Si AlQuitar se lo llevó a otro contenedor, ya no es nuestro para borrarlo.
    if (hijo->ObtenerDueno() == nullptr) delete hijo;
}

void bdLibreria::MarcarUtilizados() {
    for (ObjetoBase* elemento : Elementos())
        elemento->PonerLogico("Utilizado", false);
}

std::vector<ObjetoBase*> bdLibreria::Elementos() const {
    std::vector<ObjetoBase*> elementos;
    const int cuantos = NumeroHijos();
    elementos.reserve(static_cast<size_t>(cuantos));
    for (int i = 0; i < cuantos; ++i)
        elementos.push_back(Hijo(i));
    return elementos;
}

void bdLibreria::CopiarElemento(ObjetoBase& original) {
    AnsiString usado = CrearHijo(original.ObtenerNombre(), original.ObtenerTipo());
    ObjetoBase* copia = BuscarPorNombre(usado);
    // Un tipo sin clase no crea nada; el nombre libre nunca es el de la propia base.
    if (copia == nullptr || copia == this) return;
    copia->CopiarDe(original);
}

namespace {

// El elemento del origen con ese nombre; nunca el propio origen, que podría llamarse así.
ObjetoBase* ElementoDe(bdLibreria& origen, const AnsiString& nombre) {
    ObjetoBase* elemento = origen.BuscarPorNombre(nombre);
    return elemento == &origen ? nullptr : elemento;
}

} // namespace

void bdLibreria::CopiarDe(const TStrings& nombres, bdLibreria* origen) {
    if (origen == nullptr) return;
    for (int i = 0; i < nombres.GetCount(); ++i)
        if (ObjetoBase* original = ElementoDe(*origen, nombres.GetStrings(i)))
            CopiarElemento(*original);
}

void bdLibreria::CopiarElementosNuevos(const TStrings& nombres, bdLibreria* origen) {
    if (origen == nullptr) return;
    for (int i = 0; i < nombres.GetCount(); ++i) {
        ObjetoBase* presente = BuscarPorNombre(nombres.GetStrings(i));
        if (presente != nullptr && presente != this) continue;
        if (ObjetoBase* original = ElementoDe(*origen, nombres.GetStrings(i)))
            CopiarElemento(*original);
    }
}

void bdLibreria::Vaciar() {
    // Se recorre una foto de los hijos: buscar cada uno por su nombre fallaría con un
    // elemento que se llamara como la base.
    for (ObjetoBase* elemento : Elementos())
        QuitarHijo(elemento);
}

void bdLibreria::Liberar() {
    Vaciar();
}
