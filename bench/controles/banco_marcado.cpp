// The markup renderer: 10,000 short markup texts (a bold word, a colour, a link) measured
// and drawn into a 200 x 20 rectangle, beside the same texts without markup drawn with
// DrawText on the same canvas; and measuring one long text of growing length, which should
// grow linearly; and drawing a focused link around a control far wider than the rectangle
// beside a focused plain link (its dotted frame is cut to the rectangle, so both cost alike).
// With QUENBAR_BANCO_BREVE the data are small, so that CI runs quickly.

#include "controles/grid/markup/markup_helpers.h"
#include "controles/grid/markup/markup_renderer.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/painting/draw_text.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

std::vector<AnsiString> g_marcado, g_plano;

void Preparar(int n) {
    for (int i = 0; i < n; ++i) {
        const AnsiString texto = "Muro <B>" + IntToStr(i) +
                                 "</B> de <FONT color=\"#C00000\">ladrillo</FONT> " +
                                 "<A HREF=\"m" + IntToStr(i) + "\">ver</A>";
        g_marcado.push_back(texto);
        g_plano.push_back(HTMLStrip(texto));
    }
}

TCanvas* Lienzo() {
    static TBitmap* mapa = [] {
        auto* b = new TBitmap;
        b->SetSize(220, 40);
        b->GetCanvas()->GetFont()->SetName("MS Sans Serif");
        b->GetCanvas()->GetFont()->SetSize(8);
        return b;
    }();
    return mapa->GetCanvas();
}

void Dibujar(TCanvas* c, const AnsiString& texto, bool soloMedir, int foco = -1) {
    AnsiString href, plano, focoHref, titulo, id, valor, tipo;
    int ex = 0, ey = 0, anclas = 0, raton = 0;
    TRect ra, rc;
    HTMLDrawEx(c, texto, TRect(0, 0, 200, 20), nullptr, -1, -1, foco, -1, 1, false, soloMedir,
               false, false, true, false, true, false, 1.0, clBlue, clNone, clNone, clGray, href,
               plano, focoHref, titulo, ex, ey, anclas, raton, ra, rc, id, valor, tipo, nullptr,
               nullptr, nullptr);
}

void MarcadoDibujar(benchmark::State& state) {
    TCanvas* c = Lienzo();
    for (auto _ : state)
        for (const AnsiString& t : g_marcado)
            Dibujar(c, t, false);
    state.SetItemsProcessed(state.iterations() * g_marcado.size());
}

void MarcadoMedir(benchmark::State& state) {
    TCanvas* c = Lienzo();
    for (auto _ : state)
        for (const AnsiString& t : g_marcado)
            Dibujar(c, t, true);
    state.SetItemsProcessed(state.iterations() * g_marcado.size());
}

// The floor: the plain texts drawn once each with DrawText.
void PlanoDrawText(benchmark::State& state) {
    TCanvas* c = Lienzo();
    for (auto _ : state)
        for (const AnsiString& t : g_plano) {
            TRect r(0, 0, 200, 20);
            DrawText(c->GetHandle(), t.c_str(), t.Length(), &r, DT_SINGLELINE | DT_NOPREFIX);
        }
    state.SetItemsProcessed(state.iterations() * g_plano.size());
}

// A focused link: around a control two million pixels wide, and around a word (the floor).
void EnlaceEnfocado(benchmark::State& state, const char* texto) {
    const AnsiString t = texto;
    TCanvas* c = Lienzo();
    for (auto _ : state)
        Dibujar(c, t, false, 0);
}

void MarcadoLargo(benchmark::State& state) {
    AnsiString texto;
    while (texto.Length() < state.range(0))
        texto += "palabra <B>negrita</B> y <I>cursiva</I> ";
    TBitmap mapa;
    mapa.SetSize(220, 40);
    for (auto _ : state)
        Dibujar(mapa.GetCanvas(), texto, true);
    state.SetComplexityN(state.range(0));
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    const bool breve = std::getenv("QUENBAR_BANCO_BREVE") != nullptr;
    Preparar(breve ? 500 : 10000);
    benchmark::RegisterBenchmark("MarcadoDibujar", MarcadoDibujar)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("MarcadoMedir", MarcadoMedir)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PlanoDrawText", PlanoDrawText)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("EnlaceEnfocadoConControlEnorme", EnlaceEnfocado,
                                 "<A HREF=\"x\"><CONTROL WIDTH=2000000></A>")
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("EnlaceEnfocadoPlano", EnlaceEnfocado, "<A HREF=\"x\">enlace</A>")
        ->Unit(benchmark::kMicrosecond);
    auto* largo = benchmark::RegisterBenchmark("MarcadoLargo", MarcadoLargo);
    for (int n : breve ? std::vector<int>{10000, 40000} : std::vector<int>{100000, 400000, 1000000})
        largo->Arg(n);
    largo->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
