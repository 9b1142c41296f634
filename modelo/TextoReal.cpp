#include "modelo/TextoReal.h"

#include "plataforma/base/c_format.h"
#include "plataforma/base/numbers.h"

#include <charconv>
#include <cmath>

AnsiString TextoCorto(float valor) {
    if (!std::isfinite(valor)) return FloatToStr(valor);
    for (int cifras = 1; cifras < 9; ++cifras) {
        const std::string texto = FormatoC("%.*e", cifras - 1, static_cast<double>(valor));
        double redondeado = 0.0;
        std::from_chars(texto.data(), texto.data() + texto.size(), redondeado);
        if (static_cast<float>(redondeado) == valor) return FloatToStr(redondeado);
    }
    return FloatToStr(valor);
}
