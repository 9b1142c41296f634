#include "comunes/Configuracionregional.h"

#include "plataforma/base/regional.h"

#include <algorithm>

bool AdaptarSeparadorDecimal(std::string& texto) {
    // La configuración se lee en cada llamada: las pruebas y el usuario pueden cambiarla.
    if (GetDecimalSeparator() == '.')
        std::replace(texto.begin(), texto.end(), ',', '.');
    else
        std::replace(texto.begin(), texto.end(), '.', ',');
    return true;
}

bool AdaptarSeparadorDecimal(AnsiString& texto) {
    return AdaptarSeparadorDecimal(texto.str());
}
