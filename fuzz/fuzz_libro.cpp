// Fuzz target for the spreadsheet workbook: the input is a workbook file (when it starts
// with "PK") or its parts, each after a line "#@<part name>", packed here into a workbook so
// that the fuzzer reaches the XML of every part. The workbook's sheets are listed and read;
// a block is written into its active sheet (or an added one) and the result read again,
// which must then succeed. Only EOfficeError may leave the reader and the writer.

#include "plataforma/office/xlsx_workbook.h"
#include "plataforma/office/zip_package.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The parts of an input of the second form, packed.
void Empaquetar(const std::string& Bytes, const std::string& Ruta) {
    ZipPackage paquete;
    size_t pos = Bytes.compare(0, 2, "#@") == 0 ? 0 : Bytes.find("\n#@");
    if (pos != std::string::npos && pos > 0) ++pos;
    while (pos != std::string::npos && pos < Bytes.size()) {
        const size_t finNombre = Bytes.find('\n', pos);
        if (finNombre == std::string::npos) break;
        const std::string nombre = Bytes.substr(pos + 2, finNombre - pos - 2);
        size_t siguiente = Bytes.find("\n#@", finNombre);
        const size_t fin = siguiente == std::string::npos ? Bytes.size() : siguiente;
        if (!nombre.empty()) paquete.Put(nombre, Bytes.substr(finNombre + 1, fin - finNombre - 1));
        pos = siguiente == std::string::npos ? siguiente : siguiente + 1;
    }
    paquete.SaveAs(Ruta.c_str());
}

void Escribir(const std::string& Bytes, const std::string& Ruta) {
    if (FILE* f = std::fopen(Ruta.c_str(), "wb")) {
        std::fwrite(Bytes.data(), 1, Bytes.size(), f);
        std::fclose(f);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string base = "/tmp/fuzz_libro_" + std::to_string(getpid());
    const std::string entrada = base + ".xlsx", salida = base + "_salida.xlsx";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        if (bytes.compare(0, 2, "PK") == 0)
            Escribir(bytes, entrada);
        else
            Empaquetar(bytes, entrada);
    } catch (const EOfficeError&) {
        return 0; // names that a zip cannot hold
    }
    bool escrito = false;
    try {
        XlsxWorkbook libro(entrada.c_str());
        const auto nombres = libro.WorksheetNames();
        for (size_t i = 0; i < nombres.size() && i < 4; ++i)
            libro.ReadWorksheet(libro.FindWorksheet(nombres[i]));
        int hoja = libro.ActiveWorksheet();
        if (hoja >= 0) libro.ReadWorksheet(hoja);
        if (hoja < 0) hoja = libro.AddWorksheet("Añadida");
        libro.WriteWorksheet(hoja, 3, 2, [](int Fila, std::vector<AnsiString>& Textos) {
            Textos[0] = AnsiString(Fila);
            Textos[1] = Fila == 1 ? AnsiString("_x0041_ <&>\r\n") : AnsiString();
        });
        libro.SaveAs(salida.c_str());
        escrito = true;
    } catch (const EOfficeError&) {
    }
    if (escrito) {
        // What the writer made must read back.
        XlsxWorkbook otra(salida.c_str());
        const int hoja = otra.ActiveWorksheet();
        if (hoja >= 0) otra.ReadWorksheet(hoja);
    }
    std::remove(entrada.c_str());
    std::remove(salida.c_str());
    return 0;
}
