#include "plataforma/base/user_file_names.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/files.h"

#include <cstdio>
#include <string_view>

bool ProgramPathFromNative(const std::string& nativa, AnsiString& ruta) {
    AnsiString convertida = FromNativePath(nativa);
    if (nativa.find('\\') != std::string::npos || cp1252::ToUtf8(convertida.str()) != nativa)
        return false;
    ruta = convertida;
    return true;
}

AnsiString UnusableNameMessage(const std::string& nativa) {
    // Character by character: those Windows-1252 holds as they are, the rest by their number.
    std::string nombre;
    char numero[16];
    for (size_t i = 0; i < nativa.size();) {
        const unsigned char c = static_cast<unsigned char>(nativa[i]);
        const size_t largo = c < 0x80         ? 1
                             : (c >> 5) == 6  ? 2
                             : (c >> 4) == 14 ? 3
                             : (c >> 3) == 30 ? 4
                                              : 0;
        std::string_view pieza;
        char32_t u = 0;
        if (largo > 0 && i + largo <= nativa.size()) {
            pieza = std::string_view(nativa).substr(i, largo);
            u = largo == 1 ? c : c & (0x7F >> largo);
            for (size_t k = 1; k < largo; ++k) {
                const unsigned char s = static_cast<unsigned char>(pieza[k]);
                if ((s >> 6) != 2) {
                    pieza = {};
                    break;
                }
                u = (u << 6) | (s & 0x3F);
            }
        }
        if (pieza.empty()) {
            std::snprintf(numero, sizeof numero, "{0x%02X}", c);
            nombre += numero;
            ++i;
            continue;
        }
        const int byte = cp1252::FromUnicode(u);
        if (byte >= 0 && c != '\\') {
            nombre += static_cast<char>(byte);
        } else {
            std::snprintf(numero, sizeof numero, "{U+%04X}", static_cast<unsigned>(u));
            nombre += numero;
        }
        i += largo;
    }
    return AnsiString("El nombre \"") + nombre +
           "\" no se puede usar: lleva caracteres que el programa no admite en los nombres de "
           "fichero (los que no son de Europa occidental, y \"\\\"). Cámbielo y vuelva a "
           "intentarlo.";
}
