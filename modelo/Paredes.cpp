// Los cuatro tipos de muro: sus claves, sus líneas del registro y la comprobación del muro
// Trombe.

#include "modelo/Paredes.h"

#include "comunes/Error.h"
#include "comunes/FicheroLog.h"
#include "comunes/LeerBDL.h"
#include "comunes/PiezasRegistro.h"
#include "comunes/bdAcristalamientos.h"
#include "modelo/bdPoligonos.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <algorithm>

namespace {

const char* const kRequisitos = "   COMPROBAR-REQUISITOS-MINIMOS = %s\n";

void Cabecera(FileWriter& fichero, const ObjetoBase& muro, const char* registro) {
    fichero.Printf("            \"%s\" = %s\n", muro.ObtenerNombre().c_str(), registro);
}

void LineaReal(FileWriter& fichero, const char* palabra, float valor) {
    fichero.Printf("                  %-14s= %14.7g\n", palabra, static_cast<double>(valor));
}

// "ADIABATIC" y "ADIABATICO" son el mismo tipo de paramento.
AnsiString Normalizado(const AnsiString& tipo) {
    return tipo == "ADIABATIC" ? AnsiString("ADIABATICO") : tipo;
}

// Los tipos de muro Trombe y su palabra en el registro.
constexpr const char* kTiposTrombe[][2] = {
    {"DENTRO-DENTRO", "IN-IN"},
    {"DENTRO-FUERA", "IN-OUT"},
    {"FUERA-DENTRO", "OUT-IN"},
    {"FUERA-FUERA", "OUT-OUT"},
};

} // namespace

// ---- Muro exterior ----

ParedExterior::ParedExterior(const AnsiString& nombre) : Muro(nombre) {
    tipo = TIPO_MURO_EXTERIOR;
}

void ParedExterior::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Absortividad")
        valor = FormatFloat("0.00", absortividad);
    else if (clave == "TipoParamento")
        valor = tipoParamento;
    else
        Muro::ValorPropiedad(clave, valor);
}

void ParedExterior::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (clave == "Absortividad")
        valor = absortividad;
    else
        Muro::ObtenerReal(clave, valor);
}

void ParedExterior::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (clave == "Absortividad")
        estado = estadoAbsortividad;
    else if (clave == "TipoParamento")
        estado = estadoTipoParamento;
    else
        Muro::ObtenerEstado(clave, estado);
}

void ParedExterior::ObtenerLista(const AnsiString& clave, TStrings& lista) const {
    if (clave == "Ventanas") ListarNombres(lista);
}

void ParedExterior::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    if (clave == "Absortividad")
        AsignarReal(absortividad, estadoAbsortividad, texto, 0.0f, 1.0f, 0.3f);
    else if (clave == "TipoParamento")
        AsignarCadena(tipoParamento, estadoTipoParamento, Normalizado(texto), "ADIABATICO");
    else
        Muro::AsignarPropiedad(clave, texto);
}

void ParedExterior::Leer(LeerBDL* lector) {
    LeerRealBDL(lector, "ABSORPTANCE ", absortividad, estadoAbsortividad);
    Muro::Leer(lector);
}

void ParedExterior::Lineas(FileWriter& fichero, bool requisitos) {
    Cabecera(fichero, *this, "EXTERIOR-WALL");
    LineaReal(fichero, "ABSORPTANCE", absortividad);
    if (requisitos) fichero.Printf(kRequisitos, "YES");
}

void ParedExterior::Escribir(FileWriter& fichero) {
    Lineas(fichero, true);
    Muro::Escribir(fichero);
}

void ParedExterior::EscribirVariante(FileWriter& fichero) {
    Lineas(fichero, true);
}

void ParedExterior::EscribirCabecera(FileWriter& fichero) {
    Cabecera(fichero, *this, "EXTERIOR-WALL");
}

void ParedExterior::EscribirPropio(FileWriter& fichero) {
    Lineas(fichero, false);
}

void ParedExterior::CopiarDe(const ObjetoBase& otro) {
    Muro::CopiarDe(otro);
    otro.ObtenerReal("Absortividad", absortividad);
    otro.ValorPropiedad("TipoParamento", tipoParamento);
    if (const auto* pared = dynamic_cast<const ParedExterior*>(&otro)) {
        estadoAbsortividad = EstadoCopiado(pared->estadoAbsortividad);
        estadoTipoParamento = EstadoCopiado(pared->estadoTipoParamento);
    }
}

// ---- Muro interior ----

ParedInterior::ParedInterior(const AnsiString& nombre) : Muro(nombre) {
    tipo = TIPO_MURO_INTERIOR;
}

void ParedInterior::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "TipoParamento")
        valor = tipoParamento;
    else if (clave == "Vecino")
        valor = vecino;
    else
        Muro::ValorPropiedad(clave, valor);
}

void ParedInterior::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (clave == "TipoParamento")
        estado = estadoTipoParamento;
    else if (clave == "Vecino")
        estado = estadoVecino;
    else
        Muro::ObtenerEstado(clave, estado);
}

void ParedInterior::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    if (clave == "TipoParamento")
        AsignarCadena(tipoParamento, estadoTipoParamento, Normalizado(texto), "ADIABATICO");
    else if (clave == "Vecino")
        AsignarCadena(vecino, estadoVecino, texto, "Ninguno");
    else
        Muro::AsignarPropiedad(clave, texto);
}

void ParedInterior::Leer(LeerBDL* lector) {
    AnsiString texto;
    if (lector != nullptr && LeerTextoBDL(*lector, "INT-WALL-TYPE ", texto)) {
        if (texto == "ADIABATIC" || texto == "ADIABATICO")
            tipoParamento = "ADIABATICO";
        else if (texto == "STANDARD" || texto == "ESTANDAR")
            tipoParamento = "ESTANDAR";
        else
            tipoParamento = "MEDIANERA";
        estadoTipoParamento = ESTADO_FICHERO;
    }
    if (!(tipoParamento == "MEDIANERA")) LeerCadenaBDL(lector, "NEXT-TO ", vecino, estadoVecino);
    Muro::Leer(lector);
}

void ParedInterior::EscribirVariante(FileWriter& fichero) {
    Cabecera(fichero, *this, "INTERIOR-WALL");
    const char* const linea = "                  INT-WALL-TYPE = %s  \n";
    const char* const siguiente = "                  NEXT-TO       = \"%s\"  \n";
    if (tipoParamento == "ADIABATICO") {
        fichero.Printf(linea, "ADIABATIC");
        if (!(vecino == "Ninguno")) fichero.Printf(siguiente, vecino.c_str());
    } else if (tipoParamento == "MEDIANERA") {
        fichero.Printf(linea, "PARTY_WALL");
    } else {
        fichero.Printf(linea, "STANDARD");
        if (estadoVecino != ESTADO_DEFECTO) fichero.Printf(siguiente, vecino.c_str());
    }
    fichero.Printf(kRequisitos, requisitosMinimos ? "YES" : "NO");
}

void ParedInterior::Escribir(FileWriter& fichero) {
    EscribirVariante(fichero);
    Muro::Escribir(fichero);
}

void ParedInterior::EscribirCabecera(FileWriter& fichero) {
    Cabecera(fichero, *this, "INTERIOR-WALL");
}

void ParedInterior::EscribirPropio(FileWriter& fichero) {
    EscribirVariante(fichero);
}

void ParedInterior::CopiarDe(const ObjetoBase& otro) {
    Muro::CopiarDe(otro);
    otro.ValorPropiedad("TipoParamento", tipoParamento);
    otro.ValorPropiedad("Vecino", vecino);
    if (const auto* pared = dynamic_cast<const ParedInterior*>(&otro)) {
        estadoTipoParamento = EstadoCopiado(pared->estadoTipoParamento);
        estadoVecino = EstadoCopiado(pared->estadoVecino);
    }
}

// ---- Muro en contacto con el terreno ----

ParedContactoTerreno::ParedContactoTerreno(const AnsiString& nombre) : Muro(nombre) {
    tipo = TIPO_MURO_TERRENO;
}

void ParedContactoTerreno::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (!(clave == "Profundidad")) {
        Muro::ValorPropiedad(clave, valor);
        return;
    }
    float minimo = 1000.0f;
    for (int i = 0; i < Vertices().NumeroPuntos(); ++i)
        minimo = std::min(minimo, Vertices().Z(i));
    valor = FormatFloat("0.0", minimo);
}

void ParedContactoTerreno::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (clave == "Profundidad")
        valor = profundidad;
    else
        Muro::ObtenerReal(clave, valor);
}

void ParedContactoTerreno::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (clave == "Profundidad")
        estado = estadoProfundidad;
    else
        Muro::ObtenerEstado(clave, estado);
}

void ParedContactoTerreno::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    if (clave == "Profundidad")
        AsignarReal(profundidad, estadoProfundidad, texto, -100.0f, 100.0f, 0.0f);
    else
        Muro::AsignarPropiedad(clave, texto);
}

void ParedContactoTerreno::Leer(LeerBDL* lector) {
    LeerRealBDL(lector, "Z-GROUND", profundidad, estadoProfundidad);
    Muro::Leer(lector);
}

void ParedContactoTerreno::Lineas(FileWriter& fichero) {
    Cabecera(fichero, *this, "UNDERGROUND-WALL");
    LineaReal(fichero, "Z-GROUND", profundidad);
    fichero.Printf(kRequisitos, "YES");
}

void ParedContactoTerreno::Escribir(FileWriter& fichero) {
    Lineas(fichero);
    Muro::Escribir(fichero);
}

void ParedContactoTerreno::EscribirVariante(FileWriter& fichero) {
    Lineas(fichero);
}

void ParedContactoTerreno::EscribirCabecera(FileWriter& fichero) {
    Cabecera(fichero, *this, "UNDERGROUND-WALL");
}

void ParedContactoTerreno::EscribirPropio(FileWriter& fichero) {
    Escribir(fichero);
}

void ParedContactoTerreno::CopiarDe(const ObjetoBase& otro) {
    Muro::CopiarDe(otro);
    otro.ObtenerReal("Profundidad", profundidad);
    if (const auto* pared = dynamic_cast<const ParedContactoTerreno*>(&otro))
        estadoProfundidad = EstadoCopiado(pared->estadoProfundidad);
}

// ---- Muro Trombe ----

ParedTrombe::ParedTrombe(const AnsiString& nombre) : Muro(nombre) {
    tipo = TIPO_MURO_TROMBE;
}

void ParedTrombe::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Absortividad")
        valor = FormatFloat("0.00", absortividad);
    else if (clave == "Caudal aire")
        valor = FormatFloat("0.00", caudal);
    else if (clave == "Acristalamiento")
        valor = acristalamiento;
    else if (clave == "Tipo trombe")
        valor = tipoTrombe;
    else
        Muro::ValorPropiedad(clave, valor);
}

void ParedTrombe::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (clave == "Absortividad")
        valor = absortividad;
    else if (clave == "Caudal aire")
        valor = caudal;
    else
        Muro::ObtenerReal(clave, valor);
}

void ParedTrombe::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (clave == "Absortividad")
        estado = estadoAbsortividad;
    else if (clave == "Caudal aire")
        estado = estadoCaudal;
    else if (clave == "Acristalamiento")
        estado = estadoAcristalamiento;
    else if (clave == "Tipo trombe")
        estado = estadoTipoTrombe;
    else
        Muro::ObtenerEstado(clave, estado);
}

void ParedTrombe::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    if (clave == "Absortividad")
        AsignarReal(absortividad, estadoAbsortividad, texto, 0.0f, 1.0f, 0.3f);
    else if (clave == "Caudal aire")
        AsignarReal(caudal, estadoCaudal, texto, 0.0f, 10000.0f, 0.0f);
    else if (clave == "Acristalamiento")
        AsignarCadena(acristalamiento, estadoAcristalamiento, texto, "Ninguno");
    else if (clave == "Tipo trombe")
        AsignarCadena(tipoTrombe, estadoTipoTrombe, texto, "Ninguno");
    else
        Muro::AsignarPropiedad(clave, texto);
}

void ParedTrombe::Leer(LeerBDL* lector) {
    LeerRealBDL(lector, "ABSORPTANCE ", absortividad, estadoAbsortividad);
    LeerRealBDL(lector, "AIR-FLOW-RATE", caudal, estadoCaudal);
    LeerCadenaBDL(lector, "GLASS-TYPE", acristalamiento, estadoAcristalamiento);
    LeerCadenaBDL(lector, "TYPE-TROMBE", tipoTrombe, estadoTipoTrombe);
    for (const auto& [interno, palabra] : kTiposTrombe)
        if (tipoTrombe == palabra) tipoTrombe = interno;
    Muro::Leer(lector);
}

void ParedTrombe::Lineas(FileWriter& fichero) {
    Cabecera(fichero, *this, "TROMBE-WALL");
    LineaReal(fichero, "ABSORPTANCE", absortividad);
    LineaReal(fichero, "AIR-FLOW-RATE", caudal);
    fichero.Printf("                  GLASS-TYPE    = \"%s\"\n", acristalamiento.c_str());
    for (const auto& [interno, palabra] : kTiposTrombe)
        if (tipoTrombe == interno)
            fichero.Printf("                  TYPE-TROMBE   = %s\n", palabra);
}

void ParedTrombe::Escribir(FileWriter& fichero) {
    Lineas(fichero);
    Muro::Escribir(fichero);
    ComprobarTrombe();
}

void ParedTrombe::EscribirVariante(FileWriter& fichero) {
    Lineas(fichero);
    ComprobarTrombe();
}

void ParedTrombe::Exportar(FileWriter& fichero) {
    ComprobarTrombe();
    Cabecera(fichero, *this, "EXTERIOR-WALL");
    fichero.Printf("                      ..\n");
}

void ParedTrombe::ComprobarTrombe() {
    FicheroLog* log = FicheroLog::Instancia();
    bool bien = true;
    bdAcristalamientos* acristalamientos = bdAcristalamientos::Instancia(LISTA_PROGRAMA);
    if (acristalamiento == "Ninguno" || acristalamientos == nullptr ||
        acristalamientos->BuscarPorNombreCompleto(acristalamiento) == nullptr) {
        Error::Instancia()->ReferenciaInexistente(TIPO_MURO_TROMBE, TIPO_ACRISTALAMIENTO,
                                                  ObtenerNombre(), acristalamiento);
        bien = false;
    }
    AnsiString poligono;
    ValorPropiedad("Poligono", poligono);
    if (!poligono.IsEmpty() && !(poligono == "Ninguno") &&
        bdPoligonos::Instancia()->Buscar(poligono) == nullptr) {
        Error::Instancia()->ReferenciaInexistente(TIPO_MURO_TROMBE, TIPO_POLIGONO, ObtenerNombre(),
                                                  poligono);
        bien = false;
    }
    log->PonerEstado(TIPO_MURO_TROMBE, bien ? "bien" : "mal");
}

void ParedTrombe::CopiarDe(const ObjetoBase& otro) {
    Muro::CopiarDe(otro);
    otro.ObtenerReal("Absortividad", absortividad);
    otro.ObtenerReal("Caudal aire", caudal);
    otro.ValorPropiedad("Acristalamiento", acristalamiento);
    otro.ValorPropiedad("Tipo trombe", tipoTrombe);
    if (const auto* pared = dynamic_cast<const ParedTrombe*>(&otro)) {
        estadoAbsortividad = EstadoCopiado(pared->estadoAbsortividad);
        estadoCaudal = EstadoCopiado(pared->estadoCaudal);
        estadoAcristalamiento = EstadoCopiado(pared->estadoAcristalamiento);
        estadoTipoTrombe = EstadoCopiado(pared->estadoTipoTrombe);
    }
}
