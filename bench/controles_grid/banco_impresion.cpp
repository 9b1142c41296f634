// Pagination of a grid of 100,000 rows x 10 columns on A4: the calculation pass alone, and
// both passes printing into a PDF file, in pages per second; each beside its floor in the
// same run: measuring every cell's text once in the print font (what any layout must do),
// and writing the same texts at their places on as many PDF pages with Qt's printer.

#include "bench/comun/arranque_ventanas.h"
#include "bench/controles_grid/medida.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/print/print_layout.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/services/printers.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int Columnas = 10;

int Filas() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 2'000 : 100'000;
}

// A file of this run in the temporary folder.
std::string Temporal(const char* nombre) {
    const auto carpeta = std::filesystem::temp_directory_path();
    return (carpeta / ("quenbar_impresion_" + std::to_string(getpid()) + nombre)).string();
}

// Ten columns of a materials list: a name and nine figures.
TKavStringGrid& Lleno() {
    static TKavStringGrid* g = [] {
        static const char* const nombres[] = {"Ladrillo perforado", "Mortero de cemento",
                                              "Lana mineral", "Enlucido de yeso", "Hormigón"};
        auto* grid = new TKavStringGrid(nullptr);
        grid->SetColCount(Columnas);
        grid->SetRowCount(Filas());
        for (int r = 0; r < Filas(); ++r) {
            grid->SetCells(0, r, nombres[r % 5]);
            for (int c = 1; c < Columnas; ++c)
                grid->SetCells(c, r, AnsiString("0," + std::to_string((r * 7 + c * 13) % 1000)));
        }
        return grid;
    }();
    return *g;
}

int paginasContadas = 0;

// The pages of the grid on A4, counted once for the floors run on their own.
int PaginasDelListado(TKavStringGrid& g) {
    if (paginasContadas == 0) {
        TBitmap hoja;
        hoja.SetSize(10, 10);
        TPrintLayout& l = g.PrintLayout();
        l.PrintRange = {0, 0, Columnas - 1, Filas() - 1};
        l.PageRect = TRect(0, 0, 2100, 2970);
        paginasContadas = g.BuildPages(hoja.GetCanvas(), prCalcPrint, -1, false);
    }
    return paginasContadas;
}

void BM_CalcularPaginas(benchmark::State& state) {
    TKavStringGrid& g = Lleno();
    TBitmap hoja;
    hoja.SetSize(10, 10);
    TCanvas* c = hoja.GetCanvas();
    int paginas = 0;
    for (auto _ : state) {
        TPrintLayout& l = g.PrintLayout();
        l.PrintRange = {0, 0, Columnas - 1, Filas() - 1};
        l.PageRect = TRect(0, 0, 2100, 2970);
        paginas = g.BuildPages(c, prCalcPrint, -1, false);
    }
    paginasContadas = paginas;
    state.counters["paginas"] = paginas;
    state.counters["paginas/s"] = benchmark::Counter(paginas, benchmark::Counter::kIsRate);
}
MEDIDA_UNA_VEZ(BM_CalcularPaginas);

// Every cell's text measured once in the print font on a metric canvas.
void BM_SueloMedirCeldas(benchmark::State& state) {
    TKavStringGrid& g = Lleno();
    TBitmap hoja;
    hoja.SetSize(10, 10);
    TCanvas* c = hoja.GetCanvas();
    SetMapMode(c->GetHandle(), MM_LOMETRIC);
    c->SetFont(g.GetFont());
    c->GetFont()->SetHeight(g.MapFontHeight(g.GetFont()->GetSize()));
    PaginasDelListado(g);
    for (auto _ : state) {
        long long ancho = 0;
        for (int r = 0; r < Filas(); ++r)
            for (int k = 0; k < Columnas; ++k)
                ancho += c->TextWidth(g.GetCells(k, r));
        benchmark::DoNotOptimize(ancho);
    }
    state.counters["paginas/s"] = benchmark::Counter(paginasContadas, benchmark::Counter::kIsRate);
}
MEDIDA_UNA_VEZ(BM_SueloMedirCeldas);

void BM_ImprimirPDF(benchmark::State& state) {
    TKavStringGrid& g = Lleno();
    const std::string ruta = Temporal("rejilla.pdf");
    Printer()->SetOutputFile(ruta.c_str());
    for (auto _ : state)
        g.Print();
    Printer()->SetOutputFile("");
    state.counters["paginas"] = g.PrintLayout().PageCount;
    state.counters["paginas/s"] =
        benchmark::Counter(g.PrintLayout().PageCount, benchmark::Counter::kIsRate);
    std::filesystem::remove(ruta);
}
MEDIDA_UNA_VEZ(BM_ImprimirPDF);

// The same texts written straight with Qt's printer, a row of ten texts at a time, on as
// many A4 pages as the grid takes.
void BM_SueloEscribirPDF(benchmark::State& state) {
    TKavStringGrid& g = Lleno();
    const std::string ruta = Temporal("suelo.pdf");
    const int porPagina = std::max(1, Filas() / PaginasDelListado(g));
    for (auto _ : state) {
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(ruta));
        printer.setFullPage(true);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        QPainter p(&printer);
        for (int r = 0; r < Filas(); ++r) {
            if (r > 0 && r % porPagina == 0) printer.newPage();
            const int y = 20 + (r % porPagina) * 18;
            for (int k = 0; k < Columnas; ++k)
                p.drawText(20 + k * 75, y, ToQString(g.GetCells(k, r)));
        }
    }
    state.counters["paginas/s"] = benchmark::Counter(paginasContadas, benchmark::Counter::kIsRate);
    std::filesystem::remove(ruta);
}
MEDIDA_UNA_VEZ(BM_SueloEscribirPDF);

} // namespace

int main(int argc, char** argv) {
    return EjecutarBancosConVentanas(argc, argv);
}
