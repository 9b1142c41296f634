// The window layer's painting: a 1900x1100 custom control painting 2,000 cells (rectangle,
// two lines, text) per frame through the canvas and its paint event, beside the same
// drawing with QPainter on a QImage; a one-row scroll through ScrollWindow beside a full
// repaint.

#include "bench/comun/arranque_ventanas.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/control_canvas.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int Ancho = 1900, Alto = 1100;
constexpr int Columnas = 40, Filas = 50; // 2,000 cells of 47 x 22
constexpr int AnchoCelda = Ancho / Columnas, AltoCelda = Alto / Filas;

class Ventana : public TCustomControl {
public:
    Ventana() : TCustomControl(nullptr) {
        SetBounds(0, 0, Ancho, Alto);
        HandleNeeded();
    }
};

// Cells as a grid draws them: a framed rectangle, the grid lines right and below, a number.
class Celdas : public TCustomControl {
public:
    explicit Celdas(TWinControl* parent) : TCustomControl(parent) {
        SetBounds(0, 0, Ancho, Alto);
        SetParent(parent);
        GetCanvas()->GetFont()->SetName("DejaVu Sans");
        GetCanvas()->GetFont()->SetHeight(-11);
    }
    int primera = 0; // the first row shown

protected:
    void Paint() override {
        TCanvas* c = GetCanvas();
        const TRect clip = c->GetClipRect();
        for (int r = 0; r < Filas; ++r) {
            const int y = r * AltoCelda;
            if (y >= clip.Bottom || y + AltoCelda <= clip.Top) continue;
            for (int k = 0; k < Columnas; ++k) {
                const int x = k * AnchoCelda, fila = primera + r;
                c->GetBrush()->SetColor((fila + k) % 2 ? clWhite : clInfoBk);
                c->GetPen()->SetColor(clSilver);
                c->Rectangle(x, y, x + AnchoCelda, y + AltoCelda);
                c->GetPen()->SetColor(clBlack);
                c->MoveTo(x + AnchoCelda - 1, y);
                c->LineTo(x + AnchoCelda - 1, y + AltoCelda);
                c->MoveTo(x, y + AltoCelda - 1);
                c->LineTo(x + AnchoCelda, y + AltoCelda - 1);
                c->TextOut(x + 2, y + 2, AnsiString(fila * 100 + k));
            }
        }
    }
};

struct Escena {
    Ventana ventana;
    Celdas* celdas = new Celdas(&ventana);
    Escena() { celdas->Repaint(); }
};

// A whole frame: the client invalidated and painted through WM_PAINT.
void BM_CanvasRepintado(benchmark::State& state) {
    Escena e;
    for (auto _ : state) {
        e.celdas->Invalidate();
        e.celdas->Update();
    }
    state.counters["celdas"] = Columnas * Filas;
}
BENCHMARK(BM_CanvasRepintado)->Unit(benchmark::kMillisecond);

// The floor: the same cells with one QPainter on an image.
void BM_QPainterRepintado(benchmark::State& state) {
    QImage img(Ancho, Alto, QImage::Format_RGB32);
    QFont fuente("DejaVu Sans");
    fuente.setPixelSize(11);
    for (auto _ : state) {
        QPainter p(&img);
        p.setFont(fuente);
        for (int r = 0; r < Filas; ++r)
            for (int k = 0; k < Columnas; ++k) {
                const int x = k * AnchoCelda, y = r * AltoCelda;
                p.setPen(QColor(0xC0, 0xC0, 0xC0));
                p.setBrush((r + k) % 2 ? QColor(Qt::white) : QColor(0xE1, 0xFF, 0xFF));
                p.drawRect(x, y, AnchoCelda - 1, AltoCelda - 1);
                p.setPen(Qt::black);
                p.drawLine(x + AnchoCelda - 1, y, x + AnchoCelda - 1, y + AltoCelda - 1);
                p.drawLine(x, y + AltoCelda - 1, x + AnchoCelda - 1, y + AltoCelda - 1);
                p.drawText(x + 2, y + 2 + 11, QString::number(r * 100 + k));
            }
    }
}
BENCHMARK(BM_QPainterRepintado)->Unit(benchmark::kMillisecond);

// One row: ScrollWindow moves the pixels and only the uncovered row is painted.
void BM_DesplazarUnaFila(benchmark::State& state) {
    Escena e;
    bool abajo = true;
    for (auto _ : state) {
        e.celdas->primera += abajo ? 1 : -1;
        ScrollWindow(e.celdas->GetHandle(), 0, abajo ? -AltoCelda : AltoCelda, nullptr, nullptr);
        e.celdas->Update();
        abajo = !abajo;
    }
}
BENCHMARK(BM_DesplazarUnaFila)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return EjecutarBancosConVentanas(argc, argv);
}
