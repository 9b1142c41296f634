// The advanced grid's painting: a full repaint of a grid showing about 1,000 plain cells,
// with 100 rows and with 1,000,000 rows (the cost must follow the cells in view), beside the
// same cells drawn with one QPainter on a QImage; the same grid whose cells in view all hold
// a check box, a progress bar or a markup text; and the disjunct cell selection: selecting
// 1,000,000 cells one by one and asking whether cells are selected, beside the same keys in
// a std::unordered_set.

#include "bench/comun/arranque_ventanas.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/control_canvas.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <unordered_set>

namespace {

constexpr int Ancho = 1600, Alto = 700;
constexpr int AnchoCol = 50, AltoFila = 21; // 32 x 33 = 1,056 cells in view
constexpr int Columnas = 40;

class Ventana : public TCustomControl {
public:
    Ventana() : TCustomControl(nullptr) {
        SetBounds(0, 0, Ancho, Alto);
        HandleNeeded();
    }
};

enum Contenido { Texto, Casilla, Progreso, Marcado };

struct Escena {
    Ventana ventana;
    TKavStringGrid* grid = new TKavStringGrid(&ventana);
    explicit Escena(int filas, Contenido contenido = Texto) {
        grid->SetParent(&ventana);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetBounds(0, 0, Ancho, Alto);
        grid->SetColCountEx(Columnas);
        grid->SetRowCountEx(filas);
        grid->SetDefaultColWidth(AnchoCol);
        grid->SetColWidths(0, AnchoCol);
        // The rows in view hold numbers; the others stay empty.
        for (int r = 0; r < 40 && r < filas; ++r)
            for (int c = 0; c < Columnas; ++c) {
                const bool normal = r >= 1 && c >= 1;
                if (normal && contenido == Marcado)
                    grid->SetCellEx(c, r, "<b>" + AnsiString(r) + "</b>," + AnsiString(c));
                else
                    grid->SetCellEx(c, r, AnsiString((r * 100 + c) % 100));
                if (normal && contenido == Casilla) grid->AddCheckBox(c, r, (r + c) % 2, false);
                if (normal && contenido == Progreso) grid->AddProgress(c, r, clNavy, clWhite);
            }
        grid->Repaint();
    }
};

int CeldasEnVista(const TKavStringGrid& g) {
    return (g.GetVisibleColCount() + g.GetFixedCols()) * (g.GetVisibleRowCount() + 1);
}

void BM_RejillaRepintado(benchmark::State& state) {
    Escena e(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        e.grid->Invalidate();
        e.grid->Update();
    }
    state.counters["celdas"] = CeldasEnVista(*e.grid);
}
BENCHMARK(BM_RejillaRepintado)->Arg(100)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The same 100-row grid with a decoration or markup in every normal cell in view.
void BM_RejillaRepintadoContenido(benchmark::State& state) {
    Escena e(100, static_cast<Contenido>(state.range(0)));
    for (auto _ : state) {
        e.grid->Invalidate();
        e.grid->Update();
    }
    static const char* nombres[] = {"texto", "casilla", "progreso", "marcado"};
    state.SetLabel(nombres[state.range(0)]);
}
BENCHMARK(BM_RejillaRepintadoContenido)
    ->Arg(Texto)
    ->Arg(Casilla)
    ->Arg(Progreso)
    ->Arg(Marcado)
    ->Unit(benchmark::kMillisecond);

// The floor: the same cells (fill, two grid lines, a number) with one QPainter.
void BM_QPainterCeldas(benchmark::State& state) {
    QImage img(Ancho, Alto, QImage::Format_RGB32);
    QFont fuente("DejaVu Sans");
    fuente.setPixelSize(11);
    const int cols = Ancho / AnchoCol + 1, filas = Alto / AltoFila + 1;
    for (auto _ : state) {
        QPainter p(&img);
        p.setFont(fuente);
        for (int r = 0; r < filas; ++r)
            for (int k = 0; k < cols; ++k) {
                const int x = k * AnchoCol, y = r * AltoFila;
                p.fillRect(x, y, AnchoCol, AltoFila, QColor(Qt::white));
                p.setPen(QColor(0xC0, 0xC0, 0xC0));
                p.drawLine(x + AnchoCol - 1, y, x + AnchoCol - 1, y + AltoFila - 1);
                p.drawLine(x, y + AltoFila - 1, x + AnchoCol - 1, y + AltoFila - 1);
                p.setPen(Qt::black);
                p.drawText(QRect(x + 2, y + 2, AnchoCol - 4, AltoFila - 4),
                           Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                           QString::number(r * 100 + k));
            }
    }
    state.counters["celdas"] = cols * filas;
}
BENCHMARK(BM_QPainterCeldas)->Unit(benchmark::kMillisecond);

int CeldasSeleccion() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 10'000 : 1'000'000;
}

// DisjunctCellSelect on: cells of one column selected one by one, then every cell and as
// many unselected ones asked for (the grid has no window, so nothing is repainted).
void BM_SeleccionDisjuntaDeCeldas(benchmark::State& state) {
    const int n = CeldasSeleccion();
    for (auto _ : state) {
        TKavStringGrid grid(nullptr);
        grid.SetColCountEx(3);
        grid.SetRowCountEx(n + 1);
        grid.GetMouseActions()->SetDisjunctCellSelect(true);
        for (int r = 1; r <= n; ++r)
            grid.SetSelectedCells(1, r, true);
        int64_t si = 0;
        for (int r = 1; r <= n; ++r)
            si += grid.GetSelectedCells(1, r) + grid.GetSelectedCells(2, r);
        benchmark::DoNotOptimize(si);
        benchmark::DoNotOptimize(grid.GetSelectedCell(n / 2));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
}
BENCHMARK(BM_SeleccionDisjuntaDeCeldas)->Unit(benchmark::kMillisecond);

// The floor: the same keys inserted into and looked up in a hashed set.
void BM_ConjuntoHashCeldas(benchmark::State& state) {
    const int n = CeldasSeleccion();
    for (auto _ : state) {
        std::unordered_set<uint64_t> s;
        for (int r = 1; r <= n; ++r)
            s.insert(static_cast<uint64_t>(r) << 32 | 1);
        int64_t si = 0;
        for (int r = 1; r <= n; ++r)
            si += s.count(static_cast<uint64_t>(r) << 32 | 1) +
                  s.count(static_cast<uint64_t>(r) << 32 | 2);
        benchmark::DoNotOptimize(si);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
}
BENCHMARK(BM_ConjuntoHashCeldas)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return EjecutarBancosConVentanas(argc, argv);
}
