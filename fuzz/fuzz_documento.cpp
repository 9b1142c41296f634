// Fuzz target for the word-processor document: the input is a document file or its parts
// (paquete_fuzz.h). A table is added at a bookmark and the result read again, which must
// then succeed and hold the bookmark as before. Only EOfficeError may leave the reader and
// the writer.

#include "fuzz/paquete_fuzz.h"
#include "plataforma/office/docx_document.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string base = "/tmp/fuzz_documento_" + std::to_string(getpid());
    const std::string entrada = base + ".docx", salida = base + "_salida.docx";
    if (!EscribirPaquete(std::string(reinterpret_cast<const char*>(data), size), entrada)) return 0;
    bool escrito = false, marca = false;
    try {
        DocxDocument documento(entrada.c_str());
        marca = documento.HasBookmark("m");
        documento.AddTable("m", 2, 2, [](int Fila, int Col, AnsiString& Texto, DocxAlignment& A) {
            Texto = Fila == 1 ? AnsiString("a\r\nb\t<&>\x01") : AnsiString(Col);
            A = static_cast<DocxAlignment>(Col % 3);
        });
        documento.SaveAs(salida.c_str());
        escrito = true;
    } catch (const EOfficeError&) {
    }
    if (escrito && DocxDocument(salida.c_str()).HasBookmark("m") != marca) std::abort();
    std::remove(entrada.c_str());
    std::remove(salida.c_str());
    return 0;
}
