#include "plataforma/base/c_format.h"

#include <clocale>
#include <cstdio>
#include <locale.h>
#include <new>

namespace {

locale_t LocaleC() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}

// Switches this thread to the "C" locale for the lifetime of the object.
class ConLocaleC {
public:
    ConLocaleC() : anterior_(uselocale(LocaleC())) {}
    ~ConLocaleC() { uselocale(anterior_); }
    ConLocaleC(const ConLocaleC&) = delete;
    ConLocaleC& operator=(const ConLocaleC&) = delete;

private:
    locale_t anterior_;
};

} // namespace

void AnadirFormatoCv(std::string& destino, const char* formato, va_list args) {
    ConLocaleC c;
    char pila[256];
    va_list copia;
    va_copy(copia, args);
    int n = std::vsnprintf(pila, sizeof pila, formato, copia);
    va_end(copia);
    if (n < 0) return;
    if (static_cast<size_t>(n) < sizeof pila) {
        destino.append(pila, static_cast<size_t>(n));
        return;
    }
    // Into a text of its own: an argument may point into the destination, which grows here.
    std::string largo(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(largo.data(), largo.size(), formato, args);
    largo.resize(static_cast<size_t>(n));
    destino += largo;
}

std::string FormatoCv(const char* formato, va_list args) {
    std::string s;
    AnadirFormatoCv(s, formato, args);
    return s;
}

std::string FormatoC(const char* formato, ...) {
    va_list args;
    va_start(args, formato);
    std::string s = FormatoCv(formato, args);
    va_end(args);
    return s;
}
