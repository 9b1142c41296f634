#include "modelo/BuscarHijo.h"

#include "comunes/Contenedor.h"

ObjetoBase* BuscarHijo(Contenedor& lista, const AnsiString& nombre, TipoObjeto tipo) {
    // Lo corriente: el índice de nombres de la lista da el hijo directamente.
    ObjetoBase* hallado = lista.BuscarPorNombre(nombre);
    if (hallado != nullptr && hallado != &lista && hallado->ObtenerTipo() == tipo) return hallado;
    if (hallado == nullptr) return nullptr;
    // La lista se llama así, o el primero de ese nombre es de otro tipo: se mira cada hijo.
    for (int i = 0; i < lista.NumeroHijos(); ++i) {
        ObjetoBase* hijo = lista.Hijo(i);
        if (hijo == nullptr) continue;
        if (hijo->EsNombre(nombre) && hijo->ObtenerTipo() == tipo) return hijo;
        if (auto* sub = dynamic_cast<Contenedor*>(hijo))
            if (ObjetoBase* dentro = BuscarHijo(*sub, nombre, tipo)) return dentro;
    }
    return nullptr;
}
