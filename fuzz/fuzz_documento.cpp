// Fuzz target for the word-processor document: the input is a document file or its parts
// (paquete_fuzz.h). A table is added at a bookmark and the result read again, which must
// then succeed, hold the bookmark as before and one table more in its body. Only
// EOfficeError may leave the reader and the writer.

#include "fuzz/paquete_fuzz.h"
#include "plataforma/office/docx_document.h"
#include "plataforma/office/office_xml.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The tables of the document's body.
int Tablas(const std::string& Ruta) {
    const std::unique_ptr<ZipPackage> p = OpenOfficeFile(Ruta.c_str(), "");
    const std::string parte = office_xml::MainPart(*p, "un documento");
    const office_xml::DocPtr doc = office_xml::Parse(p->Read(parte), parte, p->Name());
    int n = 0;
    const xmlNode* cuerpo = office_xml::Child(xmlDocGetRootElement(doc.get()), "body");
    for (const xmlNode* t = office_xml::Child(cuerpo, "tbl"); t; t = office_xml::Next(t, "tbl"))
        ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string base = "/tmp/fuzz_documento_" + std::to_string(getpid());
    const std::string entrada = base + ".docx", salida = base + "_salida.docx";
    if (!EscribirPaquete(std::string(reinterpret_cast<const char*>(data), size), entrada)) return 0;
    bool escrito = false, marca = false;
    int tablas = 0;
    try {
        DocxDocument documento(entrada.c_str());
        tablas = Tablas(entrada);
        marca = documento.HasBookmark("m");
        documento.AddTable("m", 2, 2, [](int Fila, int Col, AnsiString& Texto, DocxAlignment& A) {
            Texto = Fila == 1 ? AnsiString("a\r\nb\t<&>\x01") : AnsiString(Col);
            A = static_cast<DocxAlignment>(Col % 3);
        });
        documento.SaveAs(salida.c_str());
        escrito = true;
    } catch (const EOfficeError&) {
    }
    if (escrito &&
        (DocxDocument(salida.c_str()).HasBookmark("m") != marca || Tablas(salida) != tablas + 1))
        std::abort();
    std::remove(entrada.c_str());
    std::remove(salida.c_str());
    return 0;
}
