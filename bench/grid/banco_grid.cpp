// The base string grid: a full repaint of a 1900x1100 grid at 100 and at 1,000,000 rows
// beside the same cells drawn with QPainter on a QImage; a one-row scroll beside a full
// repaint; inserting and deleting a row, growing RowCount by one and the offset of a row
// deep in a 1,000,000-row grid beside the same work on plain vectors; bytes per cell.

#include "bench/comun/arranque_ventanas.h"
#include "plataforma/gui/grid/grids.h"
#include "plataforma/gui/painting/control_canvas.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <memory>
#include <numeric>
#include <vector>

namespace {

constexpr int Ancho = 1900, Alto = 1100, Columnas = 40;

// A shown top-level window holding the grid.
class Ventana : public TCustomControl {
public:
    Ventana() : TCustomControl(nullptr) {
        SetBounds(0, 0, Ancho, Alto);
        HandleNeeded();
    }
};

struct Escena {
    Ventana ventana;
    TStringGrid* grid;
    explicit Escena(int filas) {
        grid = new TStringGrid(&ventana);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetBounds(0, 0, Ancho, Alto);
        grid->SetParent(&ventana);
        grid->SetColCount(Columnas);
        grid->SetRowCount(filas);
        // The rows shown, at the top or deep in the grid.
        const int top = filas > 100 ? filas / 2 : 1;
        grid->SetTopRow(top);
        for (int r = 0; r < 60 && top + r < filas; ++r)
            for (int c = 0; c < Columnas; ++c) {
                grid->SetCells(c, top + r, AnsiString(c * 100 + r));
                if (r == 0) grid->SetCells(c, 0, AnsiString("Col ") + AnsiString(c));
            }
        grid->Repaint();
    }
};

void BM_RepintadoGrid(benchmark::State& state) {
    Escena e(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        e.grid->Invalidate();
        UpdateWindow(e.grid->GetHandle());
    }
}
BENCHMARK(BM_RepintadoGrid)->Arg(100)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The floor: the same cells (fill, two lines, text) straight onto an image.
void BM_RepintadoQPainter(benchmark::State& state) {
    QImage img(Ancho, Alto, QImage::Format_RGB32);
    QFont fuente("DejaVu Sans");
    fuente.setPixelSize(11);
    for (auto _ : state) {
        QPainter p(&img);
        p.setFont(fuente);
        for (int y = 0, r = 0; y < Alto; y += 25, ++r)
            for (int x = 0, c = 0; x < Ancho && c < Columnas; x += 65, ++c) {
                const bool fijo = r == 0 || c == 0;
                p.fillRect(x, y, 64, 24, fijo ? QColor(0xC0, 0xC0, 0xC0) : Qt::white);
                p.setPen(fijo ? Qt::black : QColor(0xC0, 0xC0, 0xC0));
                p.drawLine(x + 64, y, x + 64, y + 24);
                p.drawLine(x, y + 24, x + 64, y + 24);
                p.setPen(Qt::black);
                p.drawText(QRect(x, y, 64, 24), Qt::AlignLeft | Qt::AlignTop,
                           QString::number(c * 100 + r));
            }
    }
}
BENCHMARK(BM_RepintadoQPainter)->Unit(benchmark::kMillisecond);

// One row down and back up: each step paints what the scroll exposes.
void BM_DesplazarUnaFila(benchmark::State& state) {
    Escena e(1000000);
    const int top = e.grid->GetTopRow();
    bool abajo = true;
    for (auto _ : state) {
        e.grid->SetTopRow(abajo ? top + 1 : top);
        UpdateWindow(e.grid->GetHandle());
        abajo = !abajo;
    }
}
BENCHMARK(BM_DesplazarUnaFila)->Unit(benchmark::kMillisecond);

// A row inserted (RowCount + 1 and the new last row moved up) and deleted again, deep in
// a grid of 1,000,000 rows with one row of its own height (so the prefix sums are in use).
void BM_InsertarBorrarFila(benchmark::State& state) {
    TStringGrid g(nullptr);
    g.SetRowCount(1000000);
    g.SetRowHeights(5, 40);
    for (int r = 0; r < 1000; ++r)
        g.SetCells(1, r * 1000, "x");
    for (auto _ : state) {
        g.SetRowCount(g.GetRowCount() + 1);
        g.MoveRow(g.GetRowCount() - 1, 10);
        g.DeleteRow(10);
        benchmark::DoNotOptimize(g.GetRowOffset(999000));
    }
}
BENCHMARK(BM_InsertarBorrarFila)->Unit(benchmark::kMicrosecond);

// The floor: the same pointer insert and erase in a plain vector.
void BM_InsertarBorrarVector(benchmark::State& state) {
    std::vector<void*> v(1000000, nullptr);
    for (auto _ : state) {
        v.insert(v.begin() + 10, nullptr);
        v.erase(v.begin() + 10);
        benchmark::DoNotOptimize(v.data());
    }
}
BENCHMARK(BM_InsertarBorrarVector)->Unit(benchmark::kMicrosecond);

// RowCount one up and one down with the prefix sums valid: O(log n).
void BM_CrecerRowCount(benchmark::State& state) {
    TStringGrid g(nullptr);
    g.SetRowCount(1000000);
    g.SetRowHeights(5, 40);
    benchmark::DoNotOptimize(g.GetRowOffset(1000000));
    for (auto _ : state) {
        g.SetRowCount(1000001);
        benchmark::DoNotOptimize(g.GetRowOffset(1000001));
        g.SetRowCount(1000000);
    }
}
BENCHMARK(BM_CrecerRowCount)->Unit(benchmark::kNanosecond);

void BM_CrecerVector(benchmark::State& state) {
    std::vector<void*> v(1000000, nullptr);
    std::vector<int64_t> suma(1000001, 0);
    for (auto _ : state) {
        v.push_back(nullptr);
        suma.push_back(suma.back() + 25);
        benchmark::DoNotOptimize(suma.back());
        v.pop_back();
        suma.pop_back();
    }
}
BENCHMARK(BM_CrecerVector)->Unit(benchmark::kNanosecond);

// The offset of a row deep in the grid, and the row at an offset, with rows of their own
// heights; the floor reads a precomputed prefix array.
void BM_PosicionFila(benchmark::State& state) {
    TStringGrid g(nullptr);
    g.SetRowCount(1000000);
    for (int r = 0; r < 1000000; r += 7)
        g.SetRowHeights(r, 30);
    int k = 0;
    for (auto _ : state) {
        k = (k + 7919) % 1000000;
        benchmark::DoNotOptimize(g.GetRowOffset(800000 + k / 5));
        benchmark::DoNotOptimize(g.RowAtOffset(g.GetRowOffset(k)));
    }
}
BENCHMARK(BM_PosicionFila)->Unit(benchmark::kNanosecond);

void BM_PosicionVector(benchmark::State& state) {
    std::vector<int64_t> suma(1000001, 0);
    for (int r = 0; r < 1000000; ++r)
        suma[r + 1] = suma[r] + (r % 7 == 0 ? 31 : 25);
    int k = 0;
    for (auto _ : state) {
        k = (k + 7919) % 1000000;
        benchmark::DoNotOptimize(suma[800000 + k / 5]);
        benchmark::DoNotOptimize(std::upper_bound(suma.begin(), suma.end(), suma[k]));
    }
}
BENCHMARK(BM_PosicionVector)->Unit(benchmark::kNanosecond);

// Memory: 100,000 rows of 10 cells with short texts, per cell (the row pointer, the row's
// vector and the cells), beside a vector of std::string of the same texts.
void BM_BytesPorCelda(benchmark::State& state) {
    constexpr int filas = 100000, cols = 10;
    for (auto _ : state) {
        const size_t antes = mallinfo2().uordblks;
        auto g = std::make_unique<TStringGrid>(nullptr);
        g->SetColCount(cols);
        g->SetRowCount(filas);
        for (int r = 0; r < filas; ++r)
            for (int c = 0; c < cols; ++c)
                g->SetCells(c, r, "12.5");
        const size_t despues = mallinfo2().uordblks;
        state.counters["bytes_por_celda"] =
            static_cast<double>(despues - antes) / (static_cast<double>(filas) * cols);
        std::vector<std::string> plano(static_cast<size_t>(filas) * cols, "12.5");
        state.counters["bytes_string"] = static_cast<double>(sizeof(std::string));
        benchmark::DoNotOptimize(plano.data());
    }
}
BENCHMARK(BM_BytesPorCelda)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return EjecutarBancosConVentanas(argc, argv);
}
