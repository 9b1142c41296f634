#pragma once
// What the fuzz targets of the office files share: an input is a zip file (when it starts
// with "PK") or the parts of one, each after a line "#@<part name>", packed here so that the
// fuzzer reaches the XML of every part. The file is written to Ruta.

#include "plataforma/office/office_error.h"
#include "plataforma/office/zip_package.h"

#include <cstdio>
#include <string>

// False when the parts cannot be packed (names a zip cannot hold).
inline bool EscribirPaquete(const std::string& Bytes, const std::string& Ruta) {
    if (Bytes.compare(0, 2, "PK") == 0) {
        FILE* f = std::fopen(Ruta.c_str(), "wb");
        if (!f) return false;
        std::fwrite(Bytes.data(), 1, Bytes.size(), f);
        return std::fclose(f) == 0;
    }
    try {
        ZipPackage paquete;
        size_t pos = Bytes.compare(0, 2, "#@") == 0 ? 0 : Bytes.find("\n#@");
        if (pos != std::string::npos && pos > 0) ++pos;
        while (pos != std::string::npos && pos < Bytes.size()) {
            const size_t finNombre = Bytes.find('\n', pos);
            if (finNombre == std::string::npos) break;
            const std::string nombre = Bytes.substr(pos + 2, finNombre - pos - 2);
            const size_t siguiente = Bytes.find("\n#@", finNombre);
            const size_t fin = siguiente == std::string::npos ? Bytes.size() : siguiente;
            if (!nombre.empty())
                paquete.Put(nombre, Bytes.substr(finNombre + 1, fin - finNombre - 1));
            pos = siguiente == std::string::npos ? siguiente : siguiente + 1;
        }
        paquete.SaveAs(Ruta.c_str());
        return true;
    } catch (const EOfficeError&) {
        return false;
    }
}
