#include "comunes/ModoPrograma.h"

namespace {

Programa modoActual = Programa::Vornak;

} // namespace

Programa ModoPrograma() {
    return modoActual;
}

void FijarModoPrograma(Programa programa) {
    modoActual = programa;
}
