// The sorted tree view filled with a whole database, as the database manager's window fills
// it: a folder per element type, a folder per group and a node per element, in the order of
// the database, the tree sorting by text (1,000, 10,000 and 100,000 elements). The floor: the
// same items, already in order, straight into the Qt tree.

#include "bench/comun/arranque_ventanas.h"
#include "bench/gestorbd/generador_gestorbd.h"

#include "comunes/Directorios.h"
#include "comunes/GestorBD.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdLibreria.h"

#include "plataforma/base/string_list.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// The tree's contents: per element type, its groups in order of appearance, each with its
// elements' names in the order of the database.
struct Grupo {
    AnsiString nombre;
    std::vector<AnsiString> elementos;
};
struct Tipo {
    AnsiString rotulo;
    std::vector<Grupo> grupos;
};
std::map<int, std::vector<Tipo>> g_contenidos;

std::vector<Tipo> Contenidos(int n, const std::filesystem::path& carpeta) {
    const std::string ruta = (carpeta / ("base_" + std::to_string(n) + ".bdc")).string();
    std::ofstream(ruta, std::ios::binary) << GenerarFicheroBDC(n);
    GestorBD gestor("Arbol", LISTA_PROGRAMA);
    gestor.Cargar(ruta.c_str());
    std::vector<Tipo> tipos;
    const char* rotulos[] = {"Materiales", "Cerramientos", "Vidrios",
                             "Marcos",     "Huecos",       "Puentes"};
    int k = 0;
    for (bdLibreria* base : gestor.Bases(GestorBD::Orden::Fichero)) {
        Tipo tipo{rotulos[k++], {}};
        TStringList grupos;
        base->ListarGrupos(grupos);
        for (int i = 0; i < grupos.GetCount(); ++i) {
            Grupo grupo{grupos.GetStrings(i), {}};
            TStringList nombres;
            base->ListarNombresDeGrupo(nombres, grupo.nombre);
            for (int j = 0; j < nombres.GetCount(); ++j)
                grupo.elementos.push_back(nombres.GetStrings(j));
            tipo.grupos.push_back(std::move(grupo));
        }
        tipos.push_back(std::move(tipo));
    }
    return tipos;
}

class Ventana : public TForm {
public:
    Ventana() : TForm(nullptr) {
        SetBounds(0, 0, 400, 700);
        arbol = new TTreeView(this);
        arbol->SetParent(this);
        arbol->SetBounds(0, 0, 400, 700);
        arbol->SetSortType(stText);
        HandleNeeded();
    }
    TTreeView* arbol;
};

// The tree filled as the window does (between BeginUpdate and EndUpdate); the window and the
// clearing are not timed.
void LlenarArbol(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    const std::vector<Tipo>& tipos = g_contenidos.at(n);
    for (auto _ : estado) {
        estado.PauseTiming();
        auto ventana = std::make_unique<Ventana>();
        TTreeNodes* nodos = ventana->arbol->GetItems();
        estado.ResumeTiming();
        nodos->BeginUpdate();
        TTreeNode* raiz = nodos->AddChildObject(nullptr, "Proyecto: banco", nullptr);
        for (const Tipo& tipo : tipos) {
            TTreeNode* carpeta = nodos->AddChildObject(raiz, tipo.rotulo, nullptr);
            for (const Grupo& grupo : tipo.grupos) {
                TTreeNode* nodoGrupo = nodos->AddChildObject(carpeta, grupo.nombre, nullptr);
                for (const AnsiString& nombre : grupo.elementos)
                    nodos->AddChildObject(nodoGrupo, nombre, nullptr);
            }
        }
        raiz->Expand(false);
        nodos->EndUpdate();
        benchmark::DoNotOptimize(nodos->GetCount());
        estado.PauseTiming();
        ventana.reset();
        estado.ResumeTiming();
    }
    estado.SetComplexityN(n);
}

// The floor: the same items, sorted beforehand, into a QTreeWidget.
void SueloLlenarArbol(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    std::vector<Tipo> tipos = g_contenidos.at(n);
    auto porTexto = [](const AnsiString& a, const AnsiString& b) {
        return AnsiCompareText(a, b) < 0;
    };
    std::stable_sort(tipos.begin(), tipos.end(),
                     [&](const Tipo& a, const Tipo& b) { return porTexto(a.rotulo, b.rotulo); });
    for (Tipo& tipo : tipos) {
        std::stable_sort(
            tipo.grupos.begin(), tipo.grupos.end(),
            [&](const Grupo& a, const Grupo& b) { return porTexto(a.nombre, b.nombre); });
        for (Grupo& grupo : tipo.grupos)
            std::stable_sort(grupo.elementos.begin(), grupo.elementos.end(), porTexto);
    }
    for (auto _ : estado) {
        estado.PauseTiming();
        auto arbol = std::make_unique<QTreeWidget>();
        arbol->resize(400, 700);
        estado.ResumeTiming();
        auto* raiz =
            new QTreeWidgetItem(arbol.get(), QStringList(QStringLiteral("Proyecto: banco")));
        for (const Tipo& tipo : tipos) {
            auto* carpeta = new QTreeWidgetItem(raiz, QStringList(ToQString(tipo.rotulo)));
            for (const Grupo& grupo : tipo.grupos) {
                auto* nodoGrupo =
                    new QTreeWidgetItem(carpeta, QStringList(ToQString(grupo.nombre)));
                for (const AnsiString& nombre : grupo.elementos)
                    new QTreeWidgetItem(nodoGrupo, QStringList(ToQString(nombre)));
            }
        }
        raiz->setExpanded(true);
        estado.PauseTiming();
        arbol.reset();
        estado.ResumeTiming();
    }
    estado.SetComplexityN(n);
}

} // namespace

int main(int argc, char** argv) {
    if (!PrepararBancosConVentanas(argc, argv)) return 1;

    const std::filesystem::path partida = std::filesystem::current_path();
    const std::filesystem::path carpeta = PrepararInstalacion("banco-arbol");
    if (carpeta.empty()) return 1;
    RegistrarElementos();

    const std::vector<int> tamanos = std::getenv("QUENBAR_BANCO_BREVE")
                                         ? std::vector<int>{100, 1000}
                                         : std::vector<int>{1000, 10000, 100000};
    for (int n : tamanos)
        g_contenidos[n] = Contenidos(n, carpeta);
    // Directorios moves into the installation's folder: back, so that a relative
    // --benchmark_out lands where it was asked for.
    std::filesystem::current_path(partida);

    for (auto [nombre, funcion] : {std::pair{"LlenarArbol", &LlenarArbol},
                                   std::pair{"SueloLlenarArbol", &SueloLlenarArbol}}) {
        auto* banco = benchmark::RegisterBenchmark(nombre, funcion);
        for (int n : tamanos)
            banco->Arg(n);
        banco->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code error;
    std::filesystem::remove_all(carpeta, error);
    return 0;
}
