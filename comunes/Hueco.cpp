#include "comunes/Hueco.h"

#include "comunes/Acristalamiento.h"
#include "comunes/DocumentoXML.h"
#include "comunes/Fabrica.h"
#include "comunes/FicheroLog.h"
#include "comunes/LeerBDL.h"
#include "comunes/PiezasRegistro.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <memory>

namespace {

const char* const kNinguno = "Ninguno";

// El elemento de ese tipo y nombre de la base, aunque se llame como ella. Nulo sin base.
ObjetoBase* Parte(bdLibreria* base, const AnsiString& nombre, TipoObjeto tipo) {
    if (base == nullptr) return nullptr;
    ObjetoBase* elemento = base->BuscarEnHijos(nombre);
    return elemento != nullptr && elemento->ObtenerTipo() == tipo ? elemento : nullptr;
}

ObjetoBase* PartePorNombreCompleto(bdLibreria* base, const AnsiString& nombre, TipoObjeto tipo) {
    if (base == nullptr) return nullptr;
    ObjetoBase* elemento = base->BuscarPorNombreCompleto(nombre);
    return elemento != nullptr && elemento->ObtenerTipo() == tipo ? elemento : nullptr;
}

bool SinParte(const AnsiString& nombre) {
    return nombre.IsEmpty() || nombre == kNinguno;
}

// Si la parte no está en el destino, la crea allí y le copia la del origen, si la hay.
// "Ninguno" y el nombre vacío dicen que no hay parte: no se crea nada.
void CompletarParte(bdLibreria* destino, bdLibreria* origen, const AnsiString& nombre,
                    TipoObjeto tipo) {
    if (destino == nullptr || SinParte(nombre) || Parte(destino, nombre, tipo) != nullptr) return;
    ObjetoBase* nueva = Parte(destino, destino->CrearElementoNumerado(nombre, tipo, false), tipo);
    if (nueva == nullptr) return;
    ObjetoBase* original = Parte(origen, nombre, tipo);
    if (original != nullptr && original != nueva) nueva->CopiarDe(*original);
}

// La fila de una parte con el nombre del hueco en su segunda celda; nada si la parte no
// añade ninguna (no se usa).
void FilaDeParte(ObjetoBase* parte, const AnsiString& nombreHueco, TStrings& fila) {
    if (parte == nullptr) return;
    const int antes = fila.GetCount();
    parte->FilaInforme(fila);
    if (fila.GetCount() > antes) fila.Insert(antes + 1, nombreHueco);
}

// Los puestos de las palabras clave del registro.
enum Clave : size_t {
    kGrupo,
    kGrupoVidrio,
    kVidrio,
    kFactor,
    kConductanciaVidrio,
    kGrupoMarco,
    kMarco,
    kConductanciaMarco,
    kAbsortividad,
    kDumvat,
    kPorcentaje,
    kPermeabilidad,
    kLibreria,
    kUtil,
    kPuerta,
};

const ClavesBDL& Claves() {
    static const ClavesBDL claves{
        "GROUP ",       "GROUP-GLASS ", "GLASS-TYPE ",    "SHADING-COEF ", "GLASS-CONDUCTANCE ",
        "GROUP-FRAME ", "NAME-FRAME ",  "FRAME-CONDUCT ", "FRAME-ABS ",    "NAME_DUMVAT ",
        "PORCENTAGE ",  "INF-COEF ",    "LIBRARY ",       "UTIL ",         "ISDOOR "};
    return claves;
}

} // namespace

Hueco::Hueco(const AnsiString& nombre) : ObjetoBase(nombre) {
    tipo = TIPO_HUECO;
}

const TablaReales<Hueco>& Hueco::Reales() {
    using H = Hueco;
    static const TablaReales<H> kReales = {
        {"Factor solar", &H::factorSolar, &H::estadoFactor, "0.00", 0.0f, 1.0f, 0.85f},
        {"ConductanciaA", &H::conductanciaVidrio, &H::estadoConductanciaVidrio, "0.00", 0.0f, 5.81f,
         5.6f},
        {"Absortividad", &H::absortividad, &H::estadoAbsortividad, "0.00", 0.00001f, 1.0f, 0.9f},
        {"ConductanciaM", &H::conductanciaMarco, &H::estadoConductanciaMarco, "0.00", 0.00001f,
         500.0f, 0.6f},
        {"Porcentaje", &H::porcentajeMarco, &H::estadoPorcentaje, "0.00", 0.0f, 100.0f, 10.0f},
        {"Permeabilidad", &H::permeabilidad, &H::estadoPermeabilidad, "0.00", 0.0f, 500.0f, 50.0f},
    };
    return kReales;
}

void Hueco::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (Reales().Texto(*this, clave, valor) || ValorComun(clave, valor)) return;
    if (clave == "Grupo Acristalamiento")
        valor = grupoVidrio;
    else if (clave == "Acristalamiento")
        valor = vidrio;
    else if (clave == "Grupo Marco")
        valor = grupoMarco;
    else if (clave == "Marco")
        valor = marco;
}

void Hueco::ObtenerReal(const AnsiString& clave, float& valor) const {
    Reales().Real(*this, clave, valor);
}

void Hueco::ObtenerLogico(const AnsiString& clave, bool& valor) const {
    if (clave == "esPuerta") valor = esPuerta;
}

void Hueco::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (Reales().Estado(*this, clave, estado) || EstadoComun(clave, estado)) return;
    if (clave == "Grupo Acristalamiento")
        estado = estadoGrupoVidrio;
    else if (clave == "Acristalamiento")
        estado = estadoVidrio;
    else if (clave == "Grupo Marco")
        estado = estadoGrupoMarco;
    else if (clave == "Marco")
        estado = estadoMarco;
}

void Hueco::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    // Un nombre que ya está en la base se ignora, sin aviso.
    constexpr ReglasComunes kReglas = {.nombre = ReglasComunes::Nombre::ValidadoOcupadoIgnorado,
                                       .nombreCompletoDefecto = "Nombre defecto"};
    if (Reales().Asignar(*this, clave, texto) || AsignarComun(clave, texto, kReglas)) return;
    if (clave == "Grupo Acristalamiento")
        AsignarCadena(grupoVidrio, estadoGrupoVidrio, texto, "");
    else if (clave == "Acristalamiento")
        AsignarCadena(vidrio, estadoVidrio, texto, "");
    else if (clave == "Grupo Marco")
        AsignarCadena(grupoMarco, estadoGrupoMarco, texto, "Otro");
    else if (clave == "Marco")
        AsignarCadena(marco, estadoMarco, texto, "Otro");
}

void Hueco::PonerLogico(const AnsiString& clave, bool valor) {
    if (clave == "Utilizado") {
        utilizado = valor;
        // Las referencias pasan a las bases de su propia lista, que son las que viven lo
        // mismo que él.
        marcos = MarcosDeSuLista();
        if (ObjetoBase* parte = Parte(marcos, marco, TIPO_MARCO))
            parte->PonerLogico("Utilizado", valor);
        acristalamientos = AcristalamientosDeSuLista();
        if (ObjetoBase* parte = Parte(acristalamientos, vidrio, TIPO_ACRISTALAMIENTO))
            parte->PonerLogico("Utilizado", valor);
    } else if (clave == "esPuerta") {
        esPuerta = valor;
    }
}

void Hueco::Leer(LeerBDL* lector) {
    if (lector == nullptr) return;
    estadoNombre = ESTADO_FICHERO;
    const CamposBDL campos(*lector, Claves());
    // Lo que traiga el fichero se guarda tal cual, aunque esté fuera de los límites.
    EstadoValor estadoDumvat = ESTADO_DEFECTO;
    LeerCadenaBDL(campos, kGrupo, grupo, estadoGrupo);
    LeerCadenaBDL(campos, kGrupoVidrio, grupoVidrio, estadoGrupoVidrio);
    LeerCadenaBDL(campos, kVidrio, vidrio, estadoVidrio);
    LeerRealBDL(campos, kFactor, factorSolar, estadoFactor);
    LeerRealBDL(campos, kConductanciaVidrio, conductanciaVidrio, estadoConductanciaVidrio);
    LeerCadenaBDL(campos, kGrupoMarco, grupoMarco, estadoGrupoMarco);
    LeerCadenaBDL(campos, kMarco, marco, estadoMarco);
    LeerRealBDL(campos, kConductanciaMarco, conductanciaMarco, estadoConductanciaMarco);
    LeerRealBDL(campos, kAbsortividad, absortividad, estadoAbsortividad);
    LeerCadenaBDL(campos, kDumvat, nombreDumvat, estadoDumvat);
    LeerRealBDL(campos, kPorcentaje, porcentajeMarco, estadoPorcentaje);
    LeerRealBDL(campos, kPermeabilidad, permeabilidad, estadoPermeabilidad);
    for (AnsiString* grupoLeido : {&grupo, &grupoVidrio, &grupoMarco})
        if (grupoLeido->IsEmpty()) *grupoLeido = "Otro";

    // Una marca ausente cuenta como distinta de YES.
    if (LeerSiBDL(campos, kLibreria)) MarcarLibreria();
    utilizado = LeerSiBDL(campos, kUtil);
    esPuerta = LeerSiBDL(campos, kPuerta);

    CompletarPartes(marco, vidrio);
}

void Hueco::LeerAbreviado(LeerBDL*) {}

void Hueco::Escribir(FileWriter& fichero) {
    Comprobar();
    FileWriter::Run r(fichero);
    r << '"' << ObtenerNombre() << "\" = GAP\n     GROUP          = \"" << grupo
      << "\"\n     GROUP-GLASS         = \"" << grupoVidrio << "\"\n     GLASS-TYPE          = \""
      << vidrio << "\"\n     GROUP-FRAME       = \"" << grupoMarco
      << "\"\n     NAME-FRAME        = \""
      << marco
      // "PORCENTAGE" es la palabra clave de siempre de los ficheros; los reales, como "%f".
      << "\"\n     PORCENTAGE        = ";
    r.RealF(porcentajeMarco, 0, 6) << "\n     INF-COEF          = ";
    r.RealF(permeabilidad, 0, 6) << "\n     NAME_DUMVAT      = \"" << nombreDumvat
                                 << "\"\n     LIBRARY           =  ";
    r.Text(SiNo(EsLibreria())) << "\n     UTIL              =  ";
    r.Text(SiNo(utilizado)) << "\n     ISDOOR            = ";
    r.Text(SiNo(esPuerta)) << "\n    ..\n";
}

void Hueco::EscribirSinLibreria(FileWriter& fichero, int) {
    Escribir(fichero);
}

void Hueco::Exportar(FileWriter& fichero) {
    if (!EsUtilizado()) return;
    if (ObjetoBase* parte =
            PartePorNombreCompleto(acristalamientos, vidrio, TIPO_ACRISTALAMIENTO)) {
        parte->Exportar(fichero);
        return;
    }
    // Sin acristalamiento, uno provisional con los valores del propio hueco. Se marca en
    // uso: un acristalamiento que no se usa no exporta nada.
    Acristalamiento provisional("Otro_" + ObtenerNombre());
    provisional.PonerReal("Factor solar", factorSolar);
    provisional.PonerReal("Conductancia", conductanciaVidrio);
    provisional.PonerLogico("Utilizado", true);
    provisional.Exportar(fichero);
}

void Hueco::EscribirXML(DocumentoXML& documento, IXMLNode* padre) {
    IXMLNode* nodo = documento.NuevoNodo(padre, "Gap");
    documento.PonerAtributo(nodo, "name", ObtenerNombre());
    NodoConTexto(documento, nodo, "groupGlass", grupoVidrio);
    NodoConTexto(documento, nodo, "glassType", vidrio);
    NodoConTexto(documento, nodo, "shadingCoef", FormatFloat("0.00", factorSolar));
    NodoConTexto(documento, nodo, "glassConductance", FormatFloat("0.00", conductanciaVidrio));
    NodoConTexto(documento, nodo, "groupFrame", grupoMarco);
    NodoConTexto(documento, nodo, "nameFrame", marco);
    NodoConTexto(documento, nodo, "frameConduct", FormatFloat("0.00", conductanciaMarco));
    NodoConTexto(documento, nodo, "frameAbs", FormatFloat("0.00", absortividad));
    // "porcentage" es el nombre que esperan quienes leen el fichero.
    NodoConTexto(documento, nodo, "porcentage", FormatFloat("0.00", porcentajeMarco));
    NodoConTexto(documento, nodo, "infCoef", FormatFloat("0.00", permeabilidad));
    NodoConTexto(documento, nodo, "library", SiNo(EsLibreria()));
    NodoConTexto(documento, nodo, "door", SiNo(esPuerta));
    NodoConTexto(documento, nodo, "util", SiNo(utilizado));
    NodoConTexto(documento, nodo, "group", grupo);
    NodoConTexto(documento, nodo, "nameDumvat", nombreDumvat);
    NodoImagen(documento, nodo);
}

void Hueco::CopiarDe(const ObjetoBase& otro) {
    // Lo que el otro no sepa dar queda como estaba.
    otro.ValorPropiedad("Grupo", grupo);
    otro.ValorPropiedad("Acristalamiento", vidrio);
    otro.ValorPropiedad("Grupo Acristalamiento", grupoVidrio);
    otro.ValorPropiedad("Grupo Marco", grupoMarco);
    otro.ValorPropiedad("Marco", marco);
    otro.ValorPropiedad("Dumvat", nombreDumvat);
    Reales().CopiarDe(*this, otro);
    otro.ObtenerLogico("esPuerta", esPuerta);
    if (otro.EsLibreria()) MarcarLibreria();
}

void Hueco::FilaInforme(TStrings& fila) {
    if (!EsUtilizado()) return;
    fila.Add(ObtenerNombre());
    fila.Add(vidrio);
    fila.Add(marco);
    fila.Add(FormatFloat("0.00", porcentajeMarco));
    fila.Add(FormatFloat("0.00", permeabilidad));
    fila.Add(EsLibreria() ? "--" : "SI");
}

void Hueco::FilaInformeVidrio(TStrings& fila) {
    if (!EsUtilizado()) return;
    bdAcristalamientos* base = bdAcristalamientos::Instancia(LISTA_PROGRAMA);
    FilaDeParte(PartePorNombreCompleto(base, vidrio, TIPO_ACRISTALAMIENTO), ObtenerNombre(), fila);
}

void Hueco::FilaInformeMarco(TStrings& fila) {
    if (!EsUtilizado()) return;
    FilaDeParte(Parte(bdMarcos::Instancia(LISTA_PROGRAMA), marco, TIPO_MARCO), ObtenerNombre(),
                fila);
}

void Hueco::PonerBasesDatos(bdMarcos* marcos, bdAcristalamientos* acristalamientos) {
    this->acristalamientos = acristalamientos;
    this->marcos = marcos;
}

bool Hueco::Utiliza(const AnsiString& nombre) const {
    return nombre == vidrio || nombre == marco;
}

bool Hueco::UtilizaParte(TipoObjeto tipo, const AnsiString& nombre) const {
    if (tipo == TIPO_ACRISTALAMIENTO) return nombre == vidrio;
    if (tipo == TIPO_MARCO) return nombre == marco;
    return false;
}

bool Hueco::VidrioBloqueado() const {
    // El de su propia base de datos, no el de otra ventana abierta.
    bdAcristalamientos* base = dynamic_cast<bdLibreria*>(ObtenerDueno()) != nullptr
                                   ? AcristalamientosDeSuLista()
                                   : bdAcristalamientos::Instancia(LISTA_PROGRAMA);
    ObjetoBase* parte = PartePorNombreCompleto(base, vidrio, TIPO_ACRISTALAMIENTO);
    if (parte == nullptr) return false;
    bool puedeCambiar = true;
    parte->ObtenerLogico("puedeCambiar", puedeCambiar);
    return !puedeCambiar;
}

void Hueco::Comprobar() {
    FicheroLog* log = FicheroLog::Instancia();
    if (!EsUtilizado()) {
        log->PonerEstado(TIPO_HUECO, "bien");
        return;
    }
    const bool sinMarco = SinParte(marco);
    const bool sinVidrio = SinParte(vidrio);
    if (sinMarco) {
        log->PonerEstado(TIPO_HUECO, "mal");
        log->AnadirError(TIPO_HUECO, ObtenerNombre() + ": no tiene definido el marco.");
    }
    if (sinVidrio) {
        log->PonerEstado(TIPO_HUECO, "mal");
        log->AnadirError(TIPO_HUECO, ObtenerNombre() + ": no tiene definido el acristalamiento.");
    }
    if (!sinMarco && !sinVidrio) log->PonerEstado(TIPO_HUECO, "bien");
}

void Hueco::CompletarPartes(const AnsiString& nombreMarco, const AnsiString& nombreVidrio) {
    if (dynamic_cast<bdLibreria*>(ObtenerDueno()) == nullptr) return;
    CompletarParte(AcristalamientosDeSuLista(), acristalamientos, nombreVidrio,
                   TIPO_ACRISTALAMIENTO);
    CompletarParte(MarcosDeSuLista(), marcos, nombreMarco, TIPO_MARCO);
}

Hueco::ValoresPartes Hueco::LeerValoresPartes() const {
    ValoresPartes valores;
    if (ObjetoBase* parte = Parte(AcristalamientosDeSuLista(), vidrio, TIPO_ACRISTALAMIENTO)) {
        parte->ObtenerReal("Conductancia", valores.conductanciaVidrio);
        parte->ObtenerReal("Factor solar", valores.factorSolarVidrio);
        // Un factor sin definir no entra en la cuenta como si fuera un factor.
        if (!Acristalamiento::FactorDefinido(valores.factorSolarVidrio))
            valores.factorSolarVidrio = 0.0f;
    }
    if (ObjetoBase* parte = Parte(MarcosDeSuLista(), marco, TIPO_MARCO)) {
        parte->ObtenerReal("frameConduct", valores.conductanciaMarco);
        parte->ObtenerReal("frameAbs", valores.absortividadMarco);
    }
    return valores;
}

float Hueco::Transmitancia() const {
    const ValoresPartes partes = LeerValoresPartes();
    return CalcularTransmitancia(porcentajeMarco, partes.conductanciaVidrio,
                                 partes.conductanciaMarco);
}

float Hueco::FactorSolarConjunto() const {
    const ValoresPartes partes = LeerValoresPartes();
    return CalcularFactorSolar(porcentajeMarco, partes.factorSolarVidrio, partes.conductanciaMarco,
                               partes.absortividadMarco);
}

float Hueco::CalcularTransmitancia(float porcentajeMarco, float uVidrio, float uMarco) {
    // La fracción de marco, en precisión extendida.
    const long double fraccion = 0.01L * porcentajeMarco;
    return static_cast<float>((1.0L - fraccion) * uVidrio + fraccion * uMarco);
}

float Hueco::CalcularFactorSolar(float porcentajeMarco, float factorVidrio, float uMarco,
                                 float absortividadMarco) {
    const long double fraccion = 0.01L * porcentajeMarco;
    return static_cast<float>((1.0L - fraccion) * factorVidrio +
                              fraccion * 0.04 * uMarco * absortividadMarco);
}

bdAcristalamientos* Hueco::AcristalamientosDeSuLista() const {
    if (auto* base = dynamic_cast<bdHuecos*>(ObtenerDueno()))
        return base->AcristalamientosPropios();
    if (auto* base = dynamic_cast<bdLibreria*>(ObtenerDueno()))
        return bdAcristalamientos::Instancia(base->ObtenerTipoLista());
    return acristalamientos;
}

bdMarcos* Hueco::MarcosDeSuLista() const {
    if (auto* base = dynamic_cast<bdHuecos*>(ObtenerDueno())) return base->MarcosPropios();
    if (auto* base = dynamic_cast<bdLibreria*>(ObtenerDueno()))
        return bdMarcos::Instancia(base->ObtenerTipoLista());
    return marcos;
}

void RegistrarHueco() {
    Fabrica::Registrar(TIPO_HUECO, [](const AnsiString& nombre) -> std::unique_ptr<ObjetoBase> {
        return std::make_unique<Hueco>(nombre);
    });
}
