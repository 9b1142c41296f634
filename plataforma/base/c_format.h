#pragma once
// Formatted output as the C library writes it under the "C" locale, whatever the process
// locale is (Qt sets it from the environment): "%14.7g", "%f", "%.3f", "%d", "%s"...

#include <cstdarg>
#include <string>

std::string FormatoC(const char* formato, ...) __attribute__((format(printf, 1, 2)));
std::string FormatoCv(const char* formato, va_list args);
// Appends to the text instead of returning a new one.
void AnadirFormatoCv(std::string& destino, const char* formato, va_list args);
// The same straight into the text, for a caller whose arguments never point into it (the
// other one formats aside first, as an argument may move while the text grows).
void AnadirFormatoCvAparte(std::string& destino, const char* formato, va_list args);
