// The grid's readers on the worst inputs they are given, each beside a linear floor from the
// same run: one CSV line of "a," without a line break (refused) and one field of megabytes,
// beside reading the same bytes and counting their delimiters; a workbook that names one long
// shared string from many cells (refused at the limit of a sheet's text), beside reading the
// package's parts and copying the string once for each cell into a plain vector; a binary grid whose 40 cell bitmaps declare 4096 x 4096 pixels over the
// bytes of 64 x 64, beside the same grid with its bitmaps as they were written.

#include "bench/comun/arranque_ventanas.h"
#include "bench/controles_grid/medida.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/files.h"
#include "plataforma/base/streams.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/office/xlsx_workbook.h"
#include "plataforma/office/zip_package.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

bool Breve() {
    return std::getenv("QUENBAR_BANCO_BREVE") != nullptr;
}

std::string Ruta(const std::string& nombre) {
    return (std::filesystem::temp_directory_path() /
            ("quenbar_banco_hostiles_" + std::to_string(getpid()) + "_" + nombre))
        .string();
}

void Escribir(const std::string& ruta, const std::string& bytes) {
    FILE* f = std::fopen(ruta.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// The least a reader of the file does: its bytes read and its delimiters counted.
void Suelo(benchmark::State& state, const std::string& ruta) {
    for (auto _ : state) {
        std::string datos;
        ReadWholeFile(ruta.c_str(), datos);
        benchmark::DoNotOptimize(std::count(datos.begin(), datos.end(), ','));
    }
}

// Argument: megabytes of the file; 0 in the second argument measures the floor.
void BM_CsvUnaLinea(benchmark::State& state) {
    const std::string ruta = Ruta("linea.csv");
    std::string linea;
    for (int64_t i = 0; i < state.range(0) << 19; ++i)
        linea += "a,";
    Escribir(ruta, linea);
    if (state.range(1) == 0) {
        Suelo(state, ruta);
    } else {
        for (auto _ : state) {
            TKavStringGrid g(nullptr);
            g.SetFieldDelimiter('\0');
            try {
                g.LoadFromCSV(ruta.c_str());
            } catch (const EKavGridError&) {
            }
            benchmark::DoNotOptimize(g.GetColCount());
        }
    }
    std::filesystem::remove(ruta);
}

void BM_CsvUnCampo(benchmark::State& state) {
    const std::string ruta = Ruta("campo.csv");
    Escribir(ruta, "\"" + std::string(static_cast<size_t>(state.range(0)) << 20, 'x') + "\"");
    if (state.range(1) == 0) {
        Suelo(state, ruta);
    } else {
        for (auto _ : state) {
            TKavStringGrid g(nullptr);
            g.SetFieldDelimiter('\0');
            g.LoadFromCSV(ruta.c_str());
            benchmark::DoNotOptimize(g.GetCells(0, 0).Length());
        }
    }
    std::filesystem::remove(ruta);
}

constexpr size_t kLargoCompartida = 300000;

// A workbook whose sheet names a shared string of 300,000 characters from Usos cells.
std::string LibroCompartido(int Usos) {
    const std::string m = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const std::string r = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const std::string rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    std::string hoja = "<worksheet " + m + "><sheetData>";
    for (int i = 1; i <= Usos; ++i)
        hoja += "<row r=\"" + std::to_string(i) + "\"><c r=\"A" + std::to_string(i) +
                "\" t=\"s\"><v>0</v></c></row>";
    hoja += "</sheetData></worksheet>";
    ZipPackage p;
    p.Put("_rels/.rels", rels + "<Relationship Id=\"a\" Type=\"" + r +
                             "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    p.Put("xl/workbook.xml", "<workbook " + m + " xmlns:r=\"" + r.substr(0, r.size() - 1) +
                                 "\"><sheets><sheet name=\"H\" sheetId=\"1\" r:id=\"h\"/>"
                                 "</sheets></workbook>");
    p.Put("xl/_rels/workbook.xml.rels",
          rels + "<Relationship Id=\"h\" Type=\"" + r +
              "worksheet\" Target=\"h.xml\"/><Relationship Id=\"s\" Type=\"" + r +
              "sharedStrings\" Target=\"s.xml\"/></Relationships>");
    p.Put("xl/s.xml",
          "<sst " + m + "><si><t>" + std::string(kLargoCompartida, 'x') + "</t></si></sst>");
    p.Put("xl/h.xml", hoja);
    return p.Close();
}

// Argument: the cells that name the string.
void BM_LibroCadenaCompartida(benchmark::State& state) {
    const std::string ruta = Ruta("compartida.xlsx");
    Escribir(ruta, LibroCompartido(static_cast<int>(state.range(0))));
    if (state.range(1) == 0) {
        // The floor: the parts read, and the string copied into a plain vector once for each
        // cell that names it, up to the sheet's text limit where the reader stops.
        const size_t usos = std::min(static_cast<size_t>(state.range(0)),
                                     XlsxWorkbook::kMaxSheetText / kLargoCompartida);
        for (auto _ : state) {
            std::string datos;
            ReadWholeFile(ruta.c_str(), datos);
            ZipPackage p(datos, ruta.c_str());
            for (const char* parte : {"xl/workbook.xml", "xl/h.xml"})
                benchmark::DoNotOptimize(p.Read(parte).size());
            const std::string compartidas = p.Read("xl/s.xml");
            const size_t desde = compartidas.find("<t>") + 3;
            const std::string texto = compartidas.substr(desde, compartidas.find("</t>") - desde);
            std::vector<std::string> celdas(usos, texto);
            benchmark::DoNotOptimize(celdas.data());
        }
    } else {
        for (auto _ : state) {
            TKavStringGrid g(nullptr);
            try {
                g.LoadFromXLS(ruta.c_str());
            } catch (const EKavGridError&) {
            }
            benchmark::DoNotOptimize(g.GetRowCount());
        }
    }
    std::filesystem::remove(ruta);
}

// A binary grid of 40 bitmap cells of 64 x 64; with Enormes their headers declare 4096 x 4096.
std::string RejillaDeMapas(bool Enormes) {
    TKavStringGrid g(nullptr);
    g.SetColCount(5);
    g.SetRowCount(9);
    for (int i = 0; i < 40; ++i) {
        TBitmap* b = g.CreateBitmap(i % 5, i / 5 + 1, true, haLeft, vaTop);
        b->SetWidth(64);
        b->SetHeight(64);
    }
    TMemoryStream m;
    g.SaveToBinStream(&m);
    std::string bytes(static_cast<size_t>(m.GetSize()), '\0');
    m.SetPosition(0);
    m.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    if (Enormes) {
        // The information headers: size 40, width 64, height 64.
        const std::string cabecera("\x28\0\0\0\x40\0\0\0\x40\0\0\0", 12);
        const std::string enorme("\x28\0\0\0\0\x10\0\0\0\x10\0\0", 12);
        for (size_t at = bytes.find(cabecera); at != std::string::npos;
             at = bytes.find(cabecera, at + 12))
            bytes.replace(at, 12, enorme);
    }
    return bytes;
}

// Argument 1: the declared sizes; 0: the bitmaps as written, the floor.
void BM_BinarioMapas(benchmark::State& state) {
    const std::string bytes = RejillaDeMapas(state.range(0) == 1);
    for (auto _ : state) {
        TMemoryStream m;
        m.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        m.SetPosition(0);
        TKavStringGrid g(nullptr);
        try {
            g.LoadFromBinStream(&m);
        } catch (const EKavGridError&) {
        }
        benchmark::DoNotOptimize(g.GetRowCount());
    }
}

// Each size measured, then its floor; a brief run takes the smallest only.
void Tamanos(benchmark::internal::Benchmark* b, std::initializer_list<int64_t> Largos) {
    for (int64_t n : Largos) {
        b->Args({n, 1})->Args({n, 0});
        if (Breve()) return;
    }
}
void TamanosCsvLinea(benchmark::internal::Benchmark* b) {
    Tamanos(b, {1, 2, 4});
}
void TamanosCsvCampo(benchmark::internal::Benchmark* b) {
    Tamanos(b, {16, 32, 64});
}
void TamanosLibro(benchmark::internal::Benchmark* b) {
    Tamanos(b, {250, 500, 2000});
}

} // namespace

MEDIDA_UNA_VEZ(BM_CsvUnaLinea)->Apply(TamanosCsvLinea);
MEDIDA_UNA_VEZ(BM_CsvUnCampo)->Apply(TamanosCsvCampo);
MEDIDA_UNA_VEZ(BM_LibroCadenaCompartida)->Apply(TamanosLibro);
MEDIDA_UNA_VEZ(BM_BinarioMapas)->Arg(1)->Arg(0);
// The bitmaps of the binary grid need the window system.
int main(int argc, char** argv) {
    return EjecutarBancosConVentanas(argc, argv);
}
