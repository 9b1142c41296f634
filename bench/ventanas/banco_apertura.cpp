// The database manager opening a database as from its command line (the frame already
// shown), the file as the program writes it: from the start of the load until the database window's
// tree has been painted for the first time, events handled as they come and no fixed wait. The
// floor, in the same run: the manager's load of the same file alone. 10,000 and 100,000 elements;
// the process's CPU time and the wall clock; the frame and the closing are not timed.

#include "bench/comun/arranque_ventanas.h"
#include "bench/gestorbd/generador_gestorbd.h"

#include "Vornak/VentanaPrincipal.h"
#include "comunes/Directorios.h"
#include "comunes/GestorBD.h"
#include "comunes/RegistroElementos.h"
#include "modelo/RegistroModelo.h"

#include "plataforma/gui/kernel/application.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QObject>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

std::map<int, std::string> g_rutas;

// Notes the first paint of the contents of an item view that shows something.
class PrimeraPintura : public QObject {
public:
    bool pintado = false;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Paint && !pintado)
            if (auto* vista = qobject_cast<QAbstractItemView*>(objeto->parent()))
                pintado = vista->viewport() == objeto && vista->model() != nullptr &&
                          vista->model()->rowCount() > 0;
        return false;
    }
};

void AbrirBase(benchmark::State& estado) {
    const AnsiString ruta = g_rutas.at(static_cast<int>(estado.range(0))).c_str();
    PrimeraPintura pintura;
    qApp->installEventFilter(&pintura);
    for (auto _ : estado) {
        estado.PauseTiming();
        auto marco = std::make_unique<TforPrincipal>(nullptr);
        marco->Show();
        Application->ProcessMessages();
        pintura.pintado = false;
        estado.ResumeTiming();
        marco->AbrirLineaComandos(ruta);
        while (!pintura.pintado)
            Application->HandleMessage();
        estado.PauseTiming();
        if (marco->ControladorActual() == nullptr) {
            estado.SkipWithError("la base no se ha abierto");
            break;
        }
        marco->Close();
        Application->ProcessMessages();
        marco.reset();
        Application->ProcessMessages();
        estado.ResumeTiming();
    }
    qApp->removeEventFilter(&pintura);
}

void SueloCargar(benchmark::State& estado) {
    const AnsiString ruta = g_rutas.at(static_cast<int>(estado.range(0))).c_str();
    for (auto _ : estado) {
        auto gestor = std::make_unique<GestorBD>("nombre", LISTA_PROGRAMA);
        if (!gestor->Cargar(ruta, false)) {
            estado.SkipWithError("la base no se ha cargado");
            break;
        }
        estado.PauseTiming();
        gestor.reset();
        estado.ResumeTiming();
    }
}

} // namespace

int main(int argc, char** argv) {
    if (!PrepararBancosConVentanas(argc, argv)) return 1;

    const std::filesystem::path partida = std::filesystem::current_path();
    const std::filesystem::path carpeta = PrepararInstalacion("banco-apertura");
    if (carpeta.empty()) return 1;
    RegistrarElementos();
    RegistrarModelo();

    const std::vector<int> tamanos = std::getenv("QUENBAR_BANCO_BREVE")
                                         ? std::vector<int>{100}
                                         : std::vector<int>{10000, 100000};
    // Each database as the program writes it: generated, loaded and saved.
    for (int n : tamanos) {
        const std::string generado = (carpeta / ("generado_" + std::to_string(n))).string();
        std::ofstream(generado, std::ios::binary) << GenerarFicheroBDC(n);
        g_rutas[n] = (carpeta / ("base_" + std::to_string(n) + ".bdc")).string();
        GestorBD gestor("Banco", LISTA_PROGRAMA);
        if (!gestor.Cargar(generado.c_str(), false) || !gestor.Guardar(g_rutas[n].c_str()))
            return 1;
    }
    // Directorios moves into the installation's folder: back, so that a relative
    // --benchmark_out lands where it was asked for.
    std::filesystem::current_path(partida);

    for (auto [nombre, funcion] :
         {std::pair{"AbrirBase", &AbrirBase}, std::pair{"SueloCargar", &SueloCargar}}) {
        auto* banco = benchmark::RegisterBenchmark(nombre, funcion);
        for (int n : tamanos)
            banco->Arg(n);
        banco->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code error;
    std::filesystem::remove_all(carpeta, error);
    return 0;
}
