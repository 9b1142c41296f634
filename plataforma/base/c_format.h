#pragma once
// Formatted output as the C library writes it under the "C" locale, whatever the process
// locale is (Qt sets it from the environment): "%14.7g", "%f", "%.3f", "%d", "%s"...

#include <cstdarg>
#include <cstddef>
#include <string>

std::string FormatoC(const char* formato, ...) __attribute__((format(printf, 1, 2)));
std::string FormatoCv(const char* formato, va_list args);
// Appends to the text instead of returning a new one.
void AnadirFormatoCv(std::string& destino, const char* formato, va_list args);
// The same straight into the text, for a caller whose arguments never point into it (the
// other one formats aside first, as an argument may move while the text grows).
void AnadirFormatoCvAparte(std::string& destino, const char* formato, va_list args);

// One real as "%<ancho>.<precision>g" or "%<ancho>.<precision>f" would write it, straight at
// destino, which has room for LargoRealG or LargoRealF bytes and one more; they return the end
// of what they wrote. Precision up to 40 for "g" and 300 for "f"; the width up to 64.
char* EscribirRealG(char* destino, double valor, int ancho, int precision);
char* EscribirRealF(char* destino, double valor, int ancho, int precision);
constexpr size_t LargoRealG(int ancho, int precision) {
    // sign, the digits, the point and "e-308", or "-nan"
    return static_cast<size_t>(ancho > precision + 8 ? ancho : precision + 8);
}
constexpr size_t LargoRealF(int ancho, int precision) {
    // sign, 309 integer digits, the point and the decimals
    return static_cast<size_t>(ancho > precision + 312 ? ancho : precision + 312);
}
