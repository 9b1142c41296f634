#include "plataforma/base/regional.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>

namespace {

// The environment's LC_NUMERIC, read without touching the process locale. A locale that
// is missing, or whose separator is not one byte, gives '.'.
char LeerSeparadorDelSistema() {
    locale_t local = newlocale(LC_NUMERIC_MASK, "", nullptr);
    if (local == nullptr) return '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, local);
    char separador = (radix != nullptr && std::strlen(radix) == 1) ? radix[0] : '.';
    freelocale(local);
    return separador;
}

char& Separador() {
    static char separador = LeerSeparadorDelSistema();
    return separador;
}

} // namespace

char GetDecimalSeparator() {
    return Separador();
}

void SetDecimalSeparator(char separador) {
    Separador() = separador;
}
