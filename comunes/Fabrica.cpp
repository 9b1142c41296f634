// Fabrica: la tabla de creadores por código de tipo, creada al primer uso.

#include "comunes/Fabrica.h"

#include "comunes/ObjetoBase.h"

#include <array>
#include <stdexcept>
#include <string>

namespace {

constexpr int kTipos = 64;

struct Entrada {
    CreadorObjeto creador;
    Fabrica::Alcance alcance = Fabrica::Alcance::Ambas;
    CreadorObjeto resultado;
};

// Creada al primer uso, para que los registros hechos al arrancar la encuentren.
std::array<Entrada, kTipos>& Tabla() {
    static std::array<Entrada, kTipos> tabla;
    return tabla;
}

Entrada& EntradaDe(TipoObjeto tipo) {
    if (tipo < 1 || tipo >= kTipos)
        throw std::out_of_range("Fabrica: tipo sin fábrica posible " + std::to_string(tipo));
    return Tabla()[tipo];
}

} // namespace

void Fabrica::Registrar(TipoObjeto tipo, CreadorObjeto creador, Alcance alcance) {
    Entrada& entrada = EntradaDe(tipo);
    entrada.creador = std::move(creador);
    entrada.alcance = alcance;
}

void Fabrica::RegistrarResultado(TipoObjeto tipo, CreadorObjeto creador) {
    EntradaDe(tipo).resultado = std::move(creador);
}

std::unique_ptr<ObjetoBase> Fabrica::Crear(TipoObjeto tipo, const AnsiString& nombre,
                                           bool numerado) {
    if (tipo < 1 || tipo >= kTipos) return nullptr;
    const Entrada& entrada = Tabla()[tipo];
    if (!entrada.creador) return nullptr;
    if (numerado && entrada.alcance == Alcance::SoloCrearHijo) return nullptr;
    return entrada.creador(nombre);
}

std::unique_ptr<ObjetoBase> Fabrica::CrearResultado(TipoObjeto tipo, const AnsiString& nombre) {
    if (tipo < 1 || tipo >= kTipos) return nullptr;
    const Entrada& entrada = Tabla()[tipo];
    return entrada.resultado ? entrada.resultado(nombre) : nullptr;
}

Fabrica::Sustitucion::Sustitucion(TipoObjeto tipo, CreadorObjeto creador, Alcance alcance)
    : tipo_(tipo) {
    Entrada& entrada = EntradaDe(tipo);
    anterior_ = std::move(entrada.creador);
    alcanceAnterior_ = entrada.alcance;
    entrada.creador = std::move(creador);
    entrada.alcance = alcance;
}

Fabrica::Sustitucion::~Sustitucion() {
    Entrada& entrada = Tabla()[tipo_];
    entrada.creador = std::move(anterior_);
    entrada.alcance = alcanceAnterior_;
}
