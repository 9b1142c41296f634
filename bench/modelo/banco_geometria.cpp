// Geometría plana sobre 10.000 polígonos de 4 a 64 vértices (estrellados, casi todos
// cóncavos): sistema de referencia y área de PoliArea, área de Coordenadas (que copia los
// puntos), y punto en el polígono de PLinea con cuatro puntos por polígono. Cada medida va
// con su suelo: la misma cuenta sobre un vector simple de puntos (la fórmula del cordón
// para el área, el número de cruces para el punto en el polígono).

#include "modelo/Coordenadas.h"
#include "modelo/PLinea.h"
#include "modelo/PoliArea.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

struct Punto2 {
    double x, y;
};

struct Datos {
    std::vector<std::vector<Punto2>> poligonos;
    std::vector<std::unique_ptr<PLinea>> contornos;
    std::vector<Coordenadas> listas;
    std::vector<Punto2> pruebas; // cuatro por polígono
};

// Con QUENBAR_BANCO_BREVE (CI), pocos polígonos.
int Cuantos() {
    return std::getenv("QUENBAR_BANCO_BREVE") ? 200 : 10000;
}

const Datos& LosDatos() {
    static const Datos datos = [] {
        Datos d;
        uint32_t semilla = 12345;
        auto azar = [&semilla] {
            semilla = semilla * 1664525u + 1013904223u;
            return (semilla >> 8) / static_cast<double>(1u << 24);
        };
        const int n = Cuantos();
        for (int k = 0; k < n; ++k) {
            const int vertices = 4 + static_cast<int>(azar() * 61);
            const double cx = azar() * 1000, cy = azar() * 1000;
            std::vector<Punto2> poligono;
            for (int i = 0; i < vertices; ++i) {
                const double angulo = 2 * M_PI * i / vertices;
                const double radio = 5 + azar() * 10;
                poligono.push_back({cx + radio * std::cos(angulo), cy + radio * std::sin(angulo)});
            }
            auto contorno = std::make_unique<PLinea>(vertices);
            Coordenadas lista;
            lista.Redimensionar(vertices);
            for (int i = 0; i < vertices; ++i) {
                const Point3 p(static_cast<float>(poligono[i].x), static_cast<float>(poligono[i].y),
                               0.0f);
                contorno->PonerVertice(i, p);
                lista.PonerPunto(i, p.x, p.y, p.z);
            }
            d.pruebas.push_back({cx, cy});               // dentro
            d.pruebas.push_back({cx + 20, cy});          // fuera
            d.pruebas.push_back({cx + 3, cy - 2});       // dentro
            d.pruebas.push_back({cx + azar() * 16, cy}); // cualquiera
            d.poligonos.push_back(std::move(poligono));
            d.contornos.push_back(std::move(contorno));
            d.listas.push_back(std::move(lista));
        }
        return d;
    }();
    return datos;
}

void PoliAreaReferenciaYArea(benchmark::State& estado) {
    const Datos& d = LosDatos();
    for (auto _ : estado) {
        double total = 0;
        for (const auto& contorno : d.contornos) {
            PoliArea area(1);
            area.PonerContorno(0, contorno.get());
            if (area.Referencia()) total += area.Area();
        }
        benchmark::DoNotOptimize(total);
    }
    estado.SetItemsProcessed(estado.iterations() * static_cast<int64_t>(d.contornos.size()));
}

void CoordenadasArea(benchmark::State& estado) {
    Datos& d = const_cast<Datos&>(LosDatos());
    for (auto _ : estado) {
        double total = 0;
        for (Coordenadas& lista : d.listas)
            total += lista.Area();
        benchmark::DoNotOptimize(total);
    }
    estado.SetItemsProcessed(estado.iterations() * static_cast<int64_t>(d.listas.size()));
}

void SueloAreaCordon(benchmark::State& estado) {
    const Datos& d = LosDatos();
    for (auto _ : estado) {
        double total = 0;
        for (const auto& poligono : d.poligonos) {
            double doble = 0;
            for (size_t i = 0, j = poligono.size() - 1; i < poligono.size(); j = i++)
                doble += poligono[j].x * poligono[i].y - poligono[i].x * poligono[j].y;
            total += std::fabs(doble) / 2;
        }
        benchmark::DoNotOptimize(total);
    }
    estado.SetItemsProcessed(estado.iterations() * static_cast<int64_t>(d.poligonos.size()));
}

void PLineaPuntoInterior(benchmark::State& estado) {
    const Datos& d = LosDatos();
    const Vector3 arriba(0, 0, 1);
    for (auto _ : estado) {
        int dentro = 0;
        for (size_t k = 0; k < d.contornos.size(); ++k)
            for (size_t q = 0; q < 4; ++q) {
                const Punto2& p = d.pruebas[4 * k + q];
                dentro +=
                    d.contornos[k]->PuntoInterior(
                        Point3(static_cast<float>(p.x), static_cast<float>(p.y), 0), arriba) != 0;
            }
        benchmark::DoNotOptimize(dentro);
    }
    estado.SetItemsProcessed(estado.iterations() * 4 * static_cast<int64_t>(d.contornos.size()));
}

void SueloPuntoCruces(benchmark::State& estado) {
    const Datos& d = LosDatos();
    for (auto _ : estado) {
        int dentro = 0;
        for (size_t k = 0; k < d.poligonos.size(); ++k) {
            const auto& poligono = d.poligonos[k];
            for (size_t q = 0; q < 4; ++q) {
                const Punto2& p = d.pruebas[4 * k + q];
                bool impar = false;
                for (size_t i = 0, j = poligono.size() - 1; i < poligono.size(); j = i++) {
                    const Punto2& a = poligono[i];
                    const Punto2& b = poligono[j];
                    if ((a.y > p.y) != (b.y > p.y) &&
                        p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
                        impar = !impar;
                }
                dentro += impar;
            }
        }
        benchmark::DoNotOptimize(dentro);
    }
    estado.SetItemsProcessed(estado.iterations() * 4 * static_cast<int64_t>(d.poligonos.size()));
}

} // namespace

BENCHMARK(PoliAreaReferenciaYArea)->Unit(benchmark::kMillisecond);
BENCHMARK(CoordenadasArea)->Unit(benchmark::kMillisecond);
BENCHMARK(SueloAreaCordon)->Unit(benchmark::kMillisecond);
BENCHMARK(PLineaPuntoInterior)->Unit(benchmark::kMillisecond);
BENCHMARK(SueloPuntoCruces)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
