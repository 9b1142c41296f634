// ObjetoBase: ciclo de vida, nombre y el comportamiento de la base en cada operación de la
// tabla (casi todas vacías: las sobrescriben los elementos y el modelo del edificio).

#include "comunes/ObjetoBase.h"

#include "comunes/Contenedor.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// Un error de programación del modelo para el programa, con el fichero y la línea, como un
// assert.
[[noreturn]] void FalloAsercion(const char* condicion, int linea) {
    std::fprintf(stderr, "Assertion failed: %s, file ObjetoBase.h, line %d\n", condicion, linea);
    std::fflush(stderr);
    std::abort();
}

constexpr std::string_view kCaracteresDeNombre =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890_- ,";

} // namespace

ObjetoBase::ObjetoBase(const AnsiString& nombre) : nombre(nombre) {}

ObjetoBase::~ObjetoBase() {
    if (dueno != nullptr) dueno->Desvincular(this);
}

void ObjetoBase::PonerNombre(const AnsiString& nuevo) {
    if (nuevo == nombre) return;
    AnsiString anterior = nombre;
    nombre = nuevo;
    if (dueno != nullptr) dueno->HijoRenombrado(this, anterior);
}

ObjetoBase* ObjetoBase::ObtenerDueno() const {
    return dueno;
}

float ObjetoBase::ValorReal(const AnsiString&) const {
    return 0.0f;
}
void ObjetoBase::ValorPropiedad(const AnsiString&, AnsiString&) const {}
void ObjetoBase::ObtenerReal(const AnsiString&, float&) const {}
void ObjetoBase::ObtenerVertices(const AnsiString&, TList&) const {}
void ObjetoBase::ObtenerEntero(const AnsiString&, int&) const {}
void ObjetoBase::ObtenerLogico(const AnsiString&, bool&) const {}
void ObjetoBase::ObtenerEstado(const AnsiString&, EstadoValor&) const {}
void ObjetoBase::ObtenerLista(const AnsiString&, TStrings&) const {}
void ObjetoBase::AsignarPropiedad(const AnsiString&, const AnsiString&) {}
void ObjetoBase::PonerReal(const AnsiString&, float) {}
void ObjetoBase::PonerEntero(const AnsiString&, int) {}
void ObjetoBase::PonerLogico(const AnsiString&, bool) {}
void ObjetoBase::PonerLista(const AnsiString&, const TStrings&) {}

void ObjetoBase::Leer(LeerBDL*) {}
void ObjetoBase::LeerAbreviado(LeerBDL*) {}
void ObjetoBase::LeerAbreviadoCapas(LeerBDL*) {}
void ObjetoBase::Escribir(FileWriter&) {}
void ObjetoBase::EscribirVariante(FileWriter&) {}
void ObjetoBase::EscribirSinLibreria(FileWriter&, int) {}
void ObjetoBase::EscribirDeLibreria(FileWriter& fichero) {
    EscribirSinLibreria(fichero, 1);
}
void ObjetoBase::Exportar(FileWriter&) {}
void ObjetoBase::EscribirXML(DocumentoXML&, IXMLNode*) {}
void ObjetoBase::Informe(DocumentoPDFOstrel&) {}
void ObjetoBase::EscribirCabecera(FileWriter&) {}
void ObjetoBase::EscribirPropio(FileWriter&) {}

bool ObjetoBase::AlQuitar() {
    return false;
}

void ObjetoBase::AnadirHijo(ObjetoBase*) {
    FalloAsercion("0 /* AnadirHijo en una hoja */", 170);
}

void ObjetoBase::QuitarHijo(ObjetoBase*) {
    FalloAsercion("0 /* QuitarHijo en una hoja */", 171);
}

int ObjetoBase::NumeroHijos() const {
    return 0;
}

ObjetoBase* ObjetoBase::BuscarPorNombre(const AnsiString& texto) {
    return nombre == texto ? this : nullptr;
}

ObjetoBase* ObjetoBase::BuscarPorNombreCompleto(const AnsiString& texto) {
    return nombreCompleto == texto ? this : nullptr;
}

void ObjetoBase::CopiarDe(const ObjetoBase&) {}
void ObjetoBase::MarcarUtilizados() {}
bool ObjetoBase::PoligonoDefinido() const {
    return false;
}
void ObjetoBase::FilaInforme(TStrings&) {}
void ObjetoBase::FilaInformeMarco(TStrings&) {}
void ObjetoBase::FilaInformeVidrio(TStrings&) {}
void ObjetoBase::FormatoColumnas(TStrings&, TStrings&) const {}
void ObjetoBase::TitulosColumnas(TStrings&) const {}

bool ObjetoBase::NombreValido(const AnsiString& texto) const {
    return texto.str().find_first_not_of(kCaracteresDeNombre) == std::string::npos;
}

bool ObjetoBase::NombreGrabable(const AnsiString& nombre) {
    const std::string& texto = nombre.str();
    for (size_t i = 0; i < texto.size(); ++i) {
        const auto c = static_cast<unsigned char>(texto[i]);
        if (c == '"' || c < 0x20 || c == 0x7F) return false;
        if (c == ' ' && i > 0 && texto[i - 1] == ' ') return false;
    }
    return true;
}

void ObjetoBase::PonerMateriales(bdMateriales*) {}
void ObjetoBase::PonerBasesDatos(bdMarcos*, bdAcristalamientos*) {}
bool ObjetoBase::Utiliza(const AnsiString&) const {
    return false;
}
