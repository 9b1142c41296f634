// Un modelo válido (construcciones, huecos y condiciones de operación presentes, así que
// escribirlo no abre ninguna caja) de 1.000, 10.000 y 20.000 espacios, cien por planta, con
// cuatro muros exteriores y una ventana cada uno. Se mide cada paso por separado:
//   construir   el árbol con CrearHijoNumerado (plantas, espacios, muros y ventanas);
//   escribir    el modelo entero;
//   leer        el fichero en un edificio vacío: cada objeto por CrearHijoNumerado y
//               leído de su registro (los vértices de muros y ventanas se calculan);
//   reescribir  lo leído, que debe dar el mismo fichero.
// Los suelos: escribir los mismos bytes de una vez, tal cual, y leerlos del disco.

#include "comunes/Directorios.h"
#include "comunes/FicheroLog.h"
#include "comunes/LeerBDL.h"
#include "comunes/RegistroElementos.h"
#include "modelo/Edificio.h"
#include "modelo/RegistroModelo.h"
#include "modelo/bdPoligonos.h"
#include "tests/modelo/bases_prueba.h"
#include "tests/modelo/modelo_completo.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kEspaciosPorPlanta = 100;

// Una carpeta propia, que se borra con todo lo escrito al acabar el programa.
struct CarpetaDelBanco {
    std::string ruta;
    ~CarpetaDelBanco() {
        std::error_code error;
        if (!ruta.empty()) std::filesystem::remove_all(ruta, error);
    }
};

std::string Carpeta() {
    static const CarpetaDelBanco carpeta{[] {
        std::string plantilla =
            (std::filesystem::temp_directory_path() / "banco_modelo_XXXXXX").string();
        const char* hecha = mkdtemp(plantilla.data());
        const std::string ruta = std::string(hecha ? hecha : "/tmp") + "/";
        std::ofstream(ruta + "config.ini") << "TMP = \"Tmp\\\"\n";
        std::filesystem::create_directories(ruta + "Tmp");
        return ruta;
    }()};
    return carpeta.ruta;
}

void Preparar() {
    Directorios::FijarCarpetaAplicacion(Carpeta().c_str());
    Directorios::Liberar();
    RegistrarElementos();
    RegistrarModelo();
    LiberarListasCompartidas();
    PrepararBasesDelPrograma();
    FicheroLog::Instancia()->Inicializar();
}

void Poligono(const char* nombre, float ancho, float fondo) {
    bdPoligonos::Instancia()->CrearHijoNumerado(nombre, TIPO_POLIGONO, false);
    const std::string registro = std::string("\"") + nombre + "\" = POLYGON\n V1 =( 0, 0 )\n" +
                                 " V2 =( " + std::to_string(ancho) + ", 0 )\n V3 =( " +
                                 std::to_string(ancho) + ", " + std::to_string(fondo) +
                                 " )\n V4 =( 0, " + std::to_string(fondo) + " )\n ..\n";
    LeerBDL lector(LeerBDL::EnMemoria{}, registro);
    bdPoligonos::Instancia()->BuscarPorNombre(nombre)->Leer(&lector);
}

Contenedor* Ultimo(Contenedor& dueno) {
    return static_cast<Contenedor*>(dueno.Hijo(dueno.NumeroHijos() - 1));
}

void Construir(Edificio& edificio, int espacios) {
    Poligono("Planta", 100, 100);
    Poligono("Local", 5, 4);
    Contenedor* planta = nullptr;
    for (int e = 0; e < espacios; ++e) {
        if (e % kEspaciosPorPlanta == 0) {
            edificio.CrearHijoNumerado("Planta", TIPO_PLANTA, true);
            planta = Ultimo(edificio);
            // Una planta solo toma sus valores de su registro.
            LeerBDL registro(LeerBDL::EnMemoria{},
                             " POLYGON = \"Planta\"\n SPACE-HEIGHT = 2.7\n ..\n");
            planta->Leer(&registro);
        }
        planta->CrearHijoNumerado("Espacio", TIPO_ESPACIO, true);
        Contenedor* espacio = Ultimo(*planta);
        espacio->AsignarPropiedad("Poligono", "Local");
        espacio->AsignarPropiedad("Condicion", "Residencial");
        for (int lado = 1; lado <= 4; ++lado) {
            espacio->CrearHijoNumerado("Muro", TIPO_MURO_EXTERIOR, true);
            Contenedor* muro = Ultimo(*espacio);
            muro->AsignarPropiedad("Construcción", "Muro tipo");
            muro->AsignarPropiedad("Origen", "ESPCO-V" + std::to_string(lado));
            if (lado != 1) continue;
            muro->CrearHijoNumerado("Ventana", TIPO_VENTANA, true);
            Contenedor* ventana = Ultimo(*muro);
            ventana->AsignarPropiedad("Hueco", "Ventana tipo");
            ventana->AsignarPropiedad("X", "1");
            ventana->AsignarPropiedad("Y", "0.9");
            ventana->AsignarPropiedad("Altura", "1.2");
            ventana->AsignarPropiedad("Anchura", "1.5");
        }
    }
}

std::string Escribir(Edificio& edificio, const std::string& ruta) {
    FileWriter fichero;
    fichero.Open(ruta.c_str());
    EscribirModelo(fichero, edificio);
    fichero.Commit();
    std::string texto;
    ReadWholeFile(ruta.c_str(), texto);
    return texto;
}

// Cada paso se mide en reloj de pared y en tiempo de CPU del hilo: en una máquina cargada
// solo el segundo dice lo que cuesta el código.
struct Instante {
    std::chrono::steady_clock::time_point pared = std::chrono::steady_clock::now();
    double cpu = CpuMs();

    static double CpuMs() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    }
};

struct Tiempo {
    double pared = 0, cpu = 0;
    void Sumar(const Instante& inicio) {
        pared += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                           inicio.pared)
                     .count();
        cpu += Instante::CpuMs() - inicio.cpu;
    }
};

void ModeloEscritoLeidoYReescrito(benchmark::State& estado) {
    const int espacios = static_cast<int>(estado.range(0));
    const std::string ruta = Carpeta() + "modelo.txt";
    Tiempo construir, escribir, leer, reescribir, sueloEscribir, sueloLeer;
    for (auto _ : estado) {
        Preparar();
        Instante inicio;
        auto original = std::make_unique<Edificio>("Edificio");
        Construir(*original, espacios);
        construir.Sumar(inicio);

        inicio = Instante();
        const std::string primero = Escribir(*original, ruta);
        escribir.Sumar(inicio);
        if (FicheroLog::Instancia()->Texto().Pos("mal") != 0) {
            estado.SkipWithError("el registro del modelo tiene errores");
            return;
        }

        // Se lee en listas vacías, como al abrir el fichero en otra sesión.
        original.reset();
        bdPoligonos::Liberar();
        inicio = Instante();
        Edificio leido("Edificio");
        LeerModelo(primero, leido);
        leer.Sumar(inicio);

        inicio = Instante();
        const std::string segundo = Escribir(leido, ruta);
        reescribir.Sumar(inicio);
        if (segundo != primero) {
            estado.SkipWithError("la segunda escritura no es igual a la primera");
            return;
        }

        inicio = Instante();
        FileWriter crudo;
        crudo.Open((ruta + ".crudo").c_str(), FileWriter::Mode::Binary);
        crudo.Write(primero.data(), primero.size());
        crudo.Commit();
        sueloEscribir.Sumar(inicio);
        inicio = Instante();
        std::string bytes;
        ReadWholeFile((ruta + ".crudo").c_str(), bytes);
        benchmark::DoNotOptimize(bytes);
        sueloLeer.Sumar(inicio);
        estado.counters["bytes"] = static_cast<double>(primero.size());
    }
    const double n = static_cast<double>(estado.iterations());
    auto poner = [&](const char* nombre, const Tiempo& tiempo) {
        estado.counters[std::string(nombre) + "_ms"] = tiempo.pared / n;
        estado.counters[std::string(nombre) + "_cpu_ms"] = tiempo.cpu / n;
    };
    poner("construir", construir);
    poner("escribir", escribir);
    poner("leer", leer);
    poner("reescribir", reescribir);
    poner("suelo_escribir", sueloEscribir);
    poner("suelo_leer", sueloLeer);
}

void Tamanos(benchmark::internal::Benchmark* banco) {
    if (std::getenv("QUENBAR_BANCO_BREVE")) {
        banco->Arg(100);
        return;
    }
    banco->Arg(1000)->Arg(10000)->Arg(20000);
}

} // namespace

BENCHMARK(ModeloEscritoLeidoYReescrito)
    ->Apply(Tamanos)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
