// Fuzz target for the spreadsheet workbook: the input is a workbook file or its parts
// (paquete_fuzz.h). The workbook's sheets are listed and read; a block is written into its
// active sheet (or an added one) and that sheet read again, which must then succeed and
// hold the block where it was written. Only EOfficeError may leave the reader and the writer.

#include "fuzz/paquete_fuzz.h"
#include "plataforma/office/xlsx_workbook.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string base = "/tmp/fuzz_libro_" + std::to_string(getpid());
    const std::string entrada = base + ".xlsx", salida = base + "_salida.xlsx";
    if (!EscribirPaquete(std::string(reinterpret_cast<const char*>(data), size), entrada)) return 0;
    // The sheet written, by its name: what was unreachable in a damaged workbook may be
    // reachable after the save (a namespace the writer declares), so only it must read back.
    AnsiString escrita;
    try {
        XlsxWorkbook libro(entrada.c_str());
        const auto nombres = libro.WorksheetNames();
        // The grid reads in UTF-8, other callers in Windows-1252: both forms.
        for (size_t i = 0; i < nombres.size() && i < 4; ++i)
            libro.ReadWorksheet(libro.FindWorksheet(nombres[i]), i % 2 ? office_xml::TextForm::Ansi
                                                                       : office_xml::TextForm::Utf8);
        int hoja = libro.ActiveWorksheet();
        AnsiString nombre = "Añadida";
        for (const AnsiString& n : nombres)
            if (hoja >= 0 && libro.FindWorksheet(n) == hoja) nombre = n;
        if (hoja >= 0) libro.ReadWorksheet(hoja);
        if (hoja < 0) hoja = libro.AddWorksheet(nombre);
        libro.WriteWorksheet(
            hoja, 3, 2,
            [](int Fila, std::vector<AnsiString>& Textos) {
                Textos[0] = AnsiString(Fila);
                Textos[1] = Fila == 1 ? AnsiString("_x0041_ <&>\r\n\xCE\xA9") : AnsiString();
            },
            office_xml::TextForm::Utf8);
        libro.SaveAs(salida.c_str());
        escrita = nombre;
    } catch (const EOfficeError&) {
    }
    if (!escrita.IsEmpty()) {
        // What the writer made must read back.
        XlsxWorkbook otra(salida.c_str());
        const int hoja = otra.FindWorksheet(escrita);
        if (hoja < 0) std::abort();
        // The block's first column, where it was written.
        std::string columna;
        for (const SheetCell& c : otra.ReadWorksheet(hoja).Cells)
            if (c.Col == 1 && c.Row <= 3) columna += c.Text.str();
        if (columna != "012") std::abort();
    }
    std::remove(entrada.c_str());
    std::remove(salida.c_str());
    return 0;
}
