#include "modelo/Sombras.h"

Sombras* Sombras::Instancia(const AnsiString& nombre) {
    return Obtener(nombre);
}
