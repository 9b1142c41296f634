// The grid's clipboard: copying 100,000 x 10 cells (the text built and put on the clipboard)
// beside building the same TAB / CR LF text with string appends and handing it to the system
// clipboard, and pasting it into the grid beside taking the same text from the system
// clipboard, splitting it and setting the cells with SetCellEx. Both floors also take the
// per-cell step that a copy and a paste must take: SaveCell, the hook through which every
// copied text passes, and IsEditable, which every pasted cell must pass.

#include "bench/comun/arranque_ventanas.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/cp1252.h"
#include "plataforma/gui/services/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Columnas = 10;

int Filas() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 1'000 : 100'000;
}

AnsiString Texto(int r, int c) {
    return AnsiString(std::to_string((r * 31 + c * 7) % 10000) + "," + std::to_string(c));
}

// A grid of the benchmark's size, editable, with its cells filled or not.
std::unique_ptr<TKavStringGrid> Rejilla(bool Llena) {
    auto g = std::make_unique<TKavStringGrid>(nullptr);
    g->SetColCount(Columnas);
    g->SetRowCountEx(Filas());
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetOptions(g->GetOptions() << goEditing);
    if (Llena)
        for (int r = 0; r < Filas(); ++r)
            for (int c = 0; c < Columnas; ++c)
                g->SetCellEx(c, r, Texto(r, c));
    return g;
}

void BM_Copiar(benchmark::State& state) {
    auto g = Rejilla(true);
    for (auto _ : state)
        g->CopyFunc(TRect(0, 0, Columnas - 1, Filas() - 1), false);
    state.SetItemsProcessed(state.iterations() * int64_t(Filas()) * Columnas);
}

// The type under which the floors keep the exact 8-bit text.
const QString kTipoExacto = QStringLiteral("application/x-banco-texto");

// The floor: each cell's text through SaveCell, appended with TAB and CR LF, then handed to
// the system clipboard as it goes to other programs (UTF-16 with LF line ends, made in one
// pass) and as the exact bytes.
void BM_SueloCopiar(benchmark::State& state) {
    auto g = Rejilla(true);
    for (auto _ : state) {
        std::string t;
        for (int r = 0; r < Filas(); ++r) {
            for (int c = 0; c < Columnas; ++c) {
                if (c) t += '\t';
                t += g->SaveCell(c, r).str();
            }
            t += "\r\n";
        }
        QString otros(static_cast<qsizetype>(t.size()), Qt::Uninitialized);
        QChar* u = otros.data();
        for (size_t i = 0; i < t.size(); ++i) {
            const unsigned char ch = static_cast<unsigned char>(t[i]);
            if (ch == '\r' && i + 1 < t.size() && t[i + 1] == '\n') continue;
            *u++ = QChar(static_cast<char16_t>(cp1252::ToUnicode(ch)));
        }
        otros.truncate(u - otros.constData());
        auto* datos = new QMimeData;
        datos->setData(kTipoExacto, QByteArray(t.data(), static_cast<qsizetype>(t.size())));
        datos->setText(otros);
        QGuiApplication::clipboard()->setMimeData(datos);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(Filas()) * Columnas);
}

void BM_Pegar(benchmark::State& state) {
    Rejilla(true)->CopyFunc(TRect(0, 0, Columnas - 1, Filas() - 1), false);
    auto g = Rejilla(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(g->PasteFunc(0, 0));
    state.SetItemsProcessed(state.iterations() * int64_t(Filas()) * Columnas);
}

// The floor: the same text taken from the system clipboard, split at TAB and CR LF, and each
// cell that IsEditable lets through set with SetCellEx.
void BM_SueloPegar(benchmark::State& state) {
    std::string copiado;
    for (int r = 0; r < Filas(); ++r) {
        for (int c = 0; c < Columnas; ++c) {
            if (c) copiado += '\t';
            copiado += Texto(r, c).str();
        }
        copiado += "\r\n";
    }
    auto* datos = new QMimeData;
    datos->setData(kTipoExacto, QByteArray::fromStdString(copiado));
    QGuiApplication::clipboard()->setMimeData(datos);
    auto g = Rejilla(false);
    for (auto _ : state) {
        const QByteArray bytes = QGuiApplication::clipboard()->mimeData()->data(kTipoExacto);
        const std::string texto(bytes.constData(), static_cast<size_t>(bytes.size()));
        int c = 0, r = 0;
        for (size_t p = 0; p < texto.size();) {
            size_t q = p;
            while (q < texto.size() && texto[q] != '\t' && texto[q] != '\r')
                ++q;
            if (g->IsEditable(c, r)) g->SetCellEx(c, r, AnsiString(texto.substr(p, q - p)));
            if (q < texto.size() && texto[q] == '\t') {
                ++c;
                p = q + 1;
            } else {
                c = 0;
                ++r;
                p = q + 2;
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * int64_t(Filas()) * Columnas);
}

} // namespace

BENCHMARK(BM_Copiar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SueloCopiar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pegar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SueloPegar)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // The clipboard needs the window system; without a screen, Qt's offscreen one.
    return EjecutarBancosConVentanas(argc, argv);
}
