#pragma once
// A folder of its own for a test, under /tmp, removed with everything in it at the end.

#include "plataforma/base/ansi_string.h"

#include <string>

class CarpetaTemporal {
public:
    CarpetaTemporal();
    ~CarpetaTemporal();
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

    // The folder, ending in "/".
    AnsiString Ruta() const { return ruta_; }
    // Writes the bytes into a file of the folder (the name is Windows-1252, as program paths
    // are; "sub/a.txt" creates "sub") and returns its path. Raises std::runtime_error on failure.
    AnsiString Fichero(const AnsiString& nombre, const std::string& contenido) const;

private:
    AnsiString ruta_;
};
