// Carga, cierre, guardado y guardado XML de una base de datos entera por el gestor, con 1.000,
// 10.000 y 100.000 elementos de los seis tipos. El tiempo de cada uno debe crecer en línea con el
// número de elementos. Sus suelos, en la misma ejecución: leer el fichero con read(),
// escribir los mismos bytes por un fichero temporal con fsync y rename, y escribir con
// libxml2 el árbol del mismo XML ya en memoria por ese mismo camino. El pico de memoria de la
// carga se mide en un proceso aparte (el mismo programa con --pico-memoria), para que no
// cuente lo que este ya tiene.

#include "bench/gestorbd/generador_gestorbd.h"

#include "comunes/Cambios.h"
#include "comunes/Directorios.h"
#include "comunes/Error.h"
#include "comunes/FicheroLog.h"
#include "comunes/GestorBD.h"
#include "comunes/Idioma.h"
#include "comunes/IndiceBDL.h"
#include "comunes/PrepararBDL.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdLibreria.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace {

std::filesystem::path g_carpeta;
std::map<int, std::string> g_ficheros; // la base de n elementos, como la guarda el programa

int Elementos(const GestorBD& gestor) {
    int total = 0;
    for (bdLibreria* base : gestor.Bases(GestorBD::Orden::Fichero))
        total += base->NumeroHijos();
    return total;
}

std::string Salida(const char* nombre, int n) {
    return (g_carpeta / (std::string(nombre) + "_" + std::to_string(n))).string();
}

// Cargar la base y cerrarla (borrar el gestor vacía cada base, elemento a elemento; lo paga
// quien cierra una base o abre otra): se mide una de las dos.
void CargaYCierre(benchmark::State& estado, bool cierre) {
    const int n = static_cast<int>(estado.range(0));
    const AnsiString ruta(g_ficheros.at(n));
    for (auto _ : estado) {
        if (cierre) estado.PauseTiming();
        auto gestor = std::make_unique<GestorBD>("Banco", LISTA_PROGRAMA);
        gestor->Cargar(ruta);
        if (!cierre) estado.PauseTiming();
        const int cargados = Elementos(*gestor);
        if (cierre) estado.ResumeTiming();
        gestor.reset();
        if (!cierre) estado.ResumeTiming();
        if (cargados != n) {
            estado.SkipWithError("no se han cargado todos los elementos");
            break;
        }
    }
    estado.SetComplexityN(n);
    estado.SetItemsProcessed(estado.iterations() * n);
}

void Cargar(benchmark::State& estado) {
    CargaYCierre(estado, false);
}

void Cerrar(benchmark::State& estado) {
    CargaYCierre(estado, true);
}

// Guarda con la base ya cargada.
template <class Guardar> void Guardado(benchmark::State& estado, Guardar&& guardar) {
    const int n = static_cast<int>(estado.range(0));
    GestorBD gestor("Banco", LISTA_PROGRAMA);
    gestor.Cargar(g_ficheros.at(n).c_str());
    if (Elementos(gestor) != n) {
        estado.SkipWithError("no se han cargado todos los elementos");
        return;
    }
    for (auto _ : estado) {
        if (!guardar(gestor, n)) {
            estado.SkipWithError(gestor.UltimoError().c_str());
            break;
        }
    }
    estado.SetComplexityN(n);
    estado.SetItemsProcessed(estado.iterations() * n);
}

void Guardar(benchmark::State& estado) {
    Guardado(estado,
             [](GestorBD& g, int n) { return g.Guardar(Salida("guardado.bdc", n).c_str()); });
}

void GuardarXML(benchmark::State& estado) {
    Guardado(estado,
             [](GestorBD& g, int n) { return g.GuardarXML(Salida("guardado.xml", n).c_str()); });
}

// Las partes de la carga que tratan el texto: su tratamiento sobre los bytes del fichero ya
// en memoria (segundo argumento: 3 por bloques de 64 bytes si el procesador los tiene, 1 de
// 16, 0 byte a byte, 2 su suelo, mover los mismos bytes al principio del texto con memmove),
// y el índice de sus registros sobre el texto tratado.
void PrepararTexto(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    std::string bytes;
    ReadWholeFile(g_ficheros.at(n).c_str(), bytes, 4096);
    std::string texto;
    for (auto _ : estado) {
        estado.PauseTiming();
        texto = bytes;
        estado.ResumeTiming();
        if (estado.range(1) == 2)
            std::memmove(texto.data(), texto.data() + 4096, texto.size() - 4096);
        else
            PrepararTextoBDL(texto, true, 4096,
                             estado.range(1) == 0   ? AnchoBDL::Byte
                             : estado.range(1) == 1 ? AnchoBDL::Bloque16
                                                    : AnchoBDL::Bloque64);
        benchmark::DoNotOptimize(texto.data());
    }
    estado.SetComplexityN(n);
}

void IndiceTexto(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    std::string texto;
    ReadWholeFile(g_ficheros.at(n).c_str(), texto, 4096);
    PrepararTextoBDL(texto, true, 4096);
    for (auto _ : estado) {
        IndiceBDL indice(texto);
        benchmark::DoNotOptimize(indice.CabecerasDe("MATERIAL"));
    }
    estado.SetComplexityN(n);
}

// Suelo de la carga: el fichero entero con read() a memoria recién pedida al sistema (mmap),
// como la que estrena la carga: así no depende de lo que el asignador guarde de la prueba
// anterior.
void SueloCargar(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    const std::string& ruta = g_ficheros.at(n);
    const size_t tamano = std::filesystem::file_size(ruta);
    for (auto _ : estado) {
        void* memoria =
            mmap(nullptr, tamano, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memoria == MAP_FAILED) {
            estado.SkipWithError("sin memoria");
            break;
        }
        char* bytes = static_cast<char*>(memoria);
        const int fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
        size_t leido = 0;
        for (ssize_t r;
             fd >= 0 && leido < tamano && (r = ::read(fd, bytes + leido, tamano - leido)) > 0;)
            leido += static_cast<size_t>(r);
        if (fd >= 0) ::close(fd);
        benchmark::DoNotOptimize(bytes);
        munmap(memoria, tamano);
        if (leido != tamano) {
            estado.SkipWithError("no se ha podido leer el fichero");
            break;
        }
    }
    estado.counters["bytes"] = static_cast<double>(tamano);
    estado.SetComplexityN(n);
}

// Suelo del guardado: los bytes del fichero guardado, tal cual, por el mismo camino de
// fichero temporal, fsync y rename.
void SueloGuardar(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    std::string bytes;
    ReadWholeFile(g_ficheros.at(n).c_str(), bytes);
    const std::string ruta = Salida("suelo.bdc", n);
    for (auto _ : estado) {
        FileWriter fichero;
        if (!fichero.Open(ruta.c_str(), FileWriter::Mode::Binary, true)) break;
        fichero.Write(bytes.data(), bytes.size());
        if (!fichero.Commit()) {
            estado.SkipWithError("no se ha podido escribir el fichero");
            break;
        }
    }
    estado.SetComplexityN(n);
}

// Suelo del guardado XML: libxml2 escribe, con el serializador del guardado, el árbol del
// XML que guarda el programa, ya construido (leído sin los blancos del sangrado, que el árbol
// del programa no lleva), por el mismo camino de fichero temporal, fsync y rename. Al final
// comprueba que ha escrito los mismos bytes que el programa.
void SueloGuardarXML(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    {
        GestorBD gestor("Banco", LISTA_PROGRAMA);
        gestor.Cargar(g_ficheros.at(n).c_str());
        gestor.GuardarXML(Salida("modelo.xml", n).c_str());
    }
    std::string xml;
    ReadWholeFile(Salida("modelo.xml", n).c_str(), xml);
    xmlDocPtr documento = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                                        XML_PARSE_NONET | XML_PARSE_NOBLANKS);
    if (documento == nullptr) {
        estado.SkipWithError("no se ha podido leer el XML");
        return;
    }
    auto escribir = [](void* contexto, const char* datos, int largo) -> int {
        auto* fichero = static_cast<FileWriter*>(contexto);
        fichero->Write(datos, static_cast<size_t>(largo));
        return fichero->Ok() ? largo : -1;
    };
    const std::string ruta = Salida("suelo.xml", n);
    for (auto _ : estado) {
        FileWriter fichero;
        xmlOutputBufferPtr salida =
            fichero.Open(ruta.c_str(), FileWriter::Mode::Binary, true)
                ? xmlOutputBufferCreateIO(escribir, nullptr, &fichero, nullptr)
                : nullptr;
        if (salida == nullptr || xmlSaveFormatFileTo(salida, documento, "UTF-8", 1) < 0 ||
            !fichero.Commit()) {
            estado.SkipWithError("no se ha podido escribir el XML");
            break;
        }
    }
    xmlFreeDoc(documento);
    std::string escrito;
    ReadWholeFile(ruta.c_str(), escrito);
    if (escrito != xml) estado.SkipWithError("el suelo no escribe los bytes del programa");
    estado.SetComplexityN(n);
}

// Un campo de /proc/self/status, en kB.
long EstadoProceso(const char* campo) {
    std::ifstream estado("/proc/self/status");
    std::string linea;
    const size_t largo = std::strlen(campo);
    while (std::getline(estado, linea))
        if (linea.compare(0, largo, campo) == 0) return std::atol(linea.c_str() + largo + 1);
    return -1;
}

// En el proceso aparte: la memoria que la carga añade en su pico, en bytes.
int MedirPicoDeCarga(const char* carpeta, const char* ruta) {
    Directorios::FijarCarpetaAplicacion(carpeta);
    RegistrarElementos();
    Directorios::Instancia();
    const long antes = EstadoProceso("VmRSS:");
    {
        GestorBD gestor("Banco", LISTA_PROGRAMA);
        gestor.Cargar(ruta);
    }
    std::printf("%ld\n", (EstadoProceso("VmHWM:") - antes) * 1024);
    return 0;
}

// El pico de memoria de la carga sobre el tamaño del fichero.
void PicoMemoriaCargar(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    const std::string& ruta = g_ficheros.at(n);
    double pico = 0;
    for (auto _ : estado) {
        int tubo[2];
        if (pipe(tubo) != 0) break;
        const pid_t hijo = fork();
        if (hijo == 0) {
            dup2(tubo[1], STDOUT_FILENO);
            execl("/proc/self/exe", "banco_gestorbd", "--pico-memoria",
                  (g_carpeta.string() + "/").c_str(), ruta.c_str(), nullptr);
            _exit(127);
        }
        close(tubo[1]);
        char texto[64] = {};
        ssize_t leido = read(tubo[0], texto, sizeof texto - 1);
        close(tubo[0]);
        int salida = 0;
        waitpid(hijo, &salida, 0);
        if (leido <= 0 || !WIFEXITED(salida) || WEXITSTATUS(salida) != 0) {
            estado.SkipWithError("no se ha podido medir la memoria");
            break;
        }
        pico = std::atof(texto);
    }
    estado.counters["pico_MB"] = pico / 1e6;
    estado.counters["pico_por_fichero"] =
        pico / static_cast<double>(std::filesystem::file_size(ruta));
}

// Una instalación propia en una carpeta temporal, con un catálogo pequeño: la carga de los
// cerramientos y los huecos lo lee una vez.
void Preparar() {
    g_carpeta = PrepararInstalacion("banco-gestorbd");
    if (g_carpeta.empty()) std::abort();
    RegistrarElementos();
}

// El fichero generado, cargado y guardado por el programa, para medir la carga del fichero
// tal como lo escribe.
bool PrepararBase(int n) {
    const std::string generado = Salida("generado.bdc", n);
    std::ofstream(generado, std::ios::binary) << GenerarFicheroBDC(n);
    GestorBD gestor("Banco", LISTA_PROGRAMA);
    gestor.Cargar(generado.c_str());
    const std::string ruta = Salida("base.bdc", n);
    if (Elementos(gestor) != Reparticion(n).Total() || !gestor.Guardar(ruta.c_str())) return false;
    g_ficheros[n] = ruta;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--pico-memoria") == 0)
        return MedirPicoDeCarga(argv[2], argv[3]);
    // La carpeta de trabajo cambia al preparar la instalación (Directorios entra en la suya):
    // se vuelve a la de partida, para que un --benchmark_out relativo quede donde se pidió.
    const std::filesystem::path partida = std::filesystem::current_path();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const bool breve = std::getenv("QUENBAR_BANCO_BREVE") != nullptr;
    Preparar();
    const std::vector<int> tamanos =
        breve ? std::vector<int>{100, 1000} : std::vector<int>{1000, 10000, 100000};
    int resultado = 0;
    for (int n : tamanos)
        if (!PrepararBase(n)) resultado = 1;

    std::filesystem::current_path(partida);

    if (resultado == 0) {
        for (auto [nombre, funcion] :
             {std::pair{"Cargar", &Cargar}, std::pair{"SueloCargar", &SueloCargar},
              std::pair{"Cerrar", &Cerrar}, std::pair{"Guardar", &Guardar},
              std::pair{"SueloGuardar", &SueloGuardar}, std::pair{"GuardarXML", &GuardarXML},
              std::pair{"SueloGuardarXML", &SueloGuardarXML}}) {
            auto* banco = benchmark::RegisterBenchmark(nombre, funcion);
            for (int n : tamanos)
                banco->Arg(n);
            banco->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
        }
        for (int bloques : {2, 3, 1, 0})
            benchmark::RegisterBenchmark("PrepararTexto", &PrepararTexto)
                ->Args({tamanos.back(), bloques})
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("IndiceTexto", &IndiceTexto)
            ->Arg(tamanos.back())
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("PicoMemoriaCargar", &PicoMemoriaCargar)
            ->Arg(tamanos.back())
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        benchmark::RunSpecifiedBenchmarks();
    } else {
        std::fprintf(stderr, "No se han podido preparar las bases de datos\n");
    }
    benchmark::Shutdown();

    Cambios::Liberar();
    FicheroLog::Liberar();
    Error::Liberar();
    Idioma::Liberar();
    Directorios::Liberar();
    std::error_code error;
    std::filesystem::remove_all(g_carpeta, error);
    return resultado;
}
