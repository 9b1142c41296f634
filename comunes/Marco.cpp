#include "comunes/Marco.h"

#include "comunes/DocumentoXML.h"
#include "comunes/Fabrica.h"
#include "comunes/LeerBDL.h"
#include "comunes/PiezasRegistro.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <memory>

namespace {

// Los puestos de las palabras clave del registro.
enum Clave : size_t { kGrupo, kAncho, kConductancia, kAbsortividad, kDumvat, kLibreria, kUtil };

const ClavesBDL& Claves() {
    static const ClavesBDL claves{"GROUP ",       "FRAME-WIDTH ", "FRAME-CONDUCT ", "FRAME-ABS ",
                                  "NAME_DUMVAT ", "LIBRARY ",     "UTIL "};
    return claves;
}

} // namespace

Marco::Marco(const AnsiString& nombre) : ObjetoBase(nombre) {
    tipo = TIPO_MARCO;
    grupo = "Otro";
}

const TablaReales<Marco>& Marco::Reales() {
    static const TablaReales<Marco> kReales = {
        {"frameWidth", &Marco::ancho, &Marco::estadoAncho, "0.00", 0.00001f, 1.0f, kAnchoDefecto},
        {"frameConduct", &Marco::conductancia, &Marco::estadoConductancia, "0.00", 0.0f, 7.14f,
         kConductanciaDefecto},
        {"frameAbs", &Marco::absortividad, &Marco::estadoAbsortividad, "0.00", 0.00001f, 1.0f,
         kAbsortividadDefecto},
    };
    return kReales;
}

void Marco::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (!Reales().Texto(*this, clave, valor)) ValorComun(clave, valor);
}

void Marco::ObtenerReal(const AnsiString& clave, float& valor) const {
    Reales().Real(*this, clave, valor);
}

void Marco::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (!Reales().Estado(*this, clave, estado)) EstadoComun(clave, estado);
}

void Marco::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    // Un nombre no válido solo se marca en rojo; uno que ya está en la base no se toma.
    if (Reales().Asignar(*this, clave, texto) || AsignarComun(clave, texto, {})) return;
    if (clave == "Libreria") MarcarLibreria(texto == "YES");
}

void Marco::PonerReal(const AnsiString& clave, float valor) {
    Reales().Poner(*this, clave, valor);
}

void Marco::PonerLogico(const AnsiString& clave, bool valor) {
    if (clave == "Utilizado") utilizado = valor;
}

void Marco::Leer(LeerBDL* lector) {
    if (lector == nullptr) return;
    estadoNombre = ESTADO_FICHERO;
    const CamposBDL campos(*lector, Claves());
    LeerCadenaBDL(campos, kGrupo, grupo, estadoGrupo);
    if (grupo.IsEmpty()) grupo = "Otro";
    // Lo que traiga el fichero se guarda tal cual, aunque esté fuera de los límites: solo
    // se valida lo que se teclea.
    LeerRealBDL(campos, kAncho, ancho, estadoAncho);
    LeerRealBDL(campos, kConductancia, conductancia, estadoConductancia);
    LeerRealBDL(campos, kAbsortividad, absortividad, estadoAbsortividad);
    EstadoValor estadoDumvat = ESTADO_DEFECTO;
    LeerCadenaBDL(campos, kDumvat, nombreDumvat, estadoDumvat);
    utilizado = LeerLibreriaYUso(campos, kLibreria, kUtil, *this);
}

void Marco::Escribir(FileWriter& fichero) {
    if (!EsLibreria()) EscribirRegistro(fichero);
}

void Marco::EscribirDeLibreria(FileWriter& fichero) {
    EscribirRegistro(fichero);
}

void Marco::EscribirRegistro(FileWriter& fichero) const {
    // El blanco del principio y la línea LIBRARY tan sangrada son los de siempre: hay
    // ficheros y programas que cuentan con ellos.
    FileWriter::Run r(fichero);
    r << " \"" << ObtenerNombre() << "\" = NAME-FRAME\n      GROUP         = \"" << grupo
      << "\"\n      FRAME-WIDTH   = ";
    r.RealG(ancho, 14, 7) << "\n      FRAME-CONDUCT = ";
    r.RealG(conductancia, 14, 7) << "\n      FRAME-ABS     = ";
    r.RealG(absortividad, 14, 7) << "\n      NAME_DUMVAT  = \"" << nombreDumvat
                                 << "\"\n                LIBRARY       = ";
    r.Text(SiNo(EsLibreria())) << "\n    UTIL          =  ";
    r.Text(SiNo(utilizado)) << "\n..\n";
}

void Marco::EscribirSinLibreria(FileWriter& fichero, int) {
    Escribir(fichero);
}

void Marco::Exportar(FileWriter& fichero) {
    if (!EsUtilizado()) return;
    fichero.Printf("      FRAME-WIDTH   = %14.7g\n", ancho);
    fichero.Printf("      FRAME-CONDUCT = %14.7g\n", conductancia);
}

void Marco::EscribirXML(DocumentoXML& documento, IXMLNode* padre) {
    IXMLNode* nodo = documento.NuevoNodo(padre, "Name-Frame");
    documento.PonerAtributo(nodo, "name", ObtenerNombre());
    // "frameAns" y el "group" repetido son los nombres que esperan quienes leen el fichero.
    NodoConTexto(documento, nodo, "group", grupo);
    NodoConTexto(documento, nodo, "frameWidth", FloatToStr(ancho));
    NodoConTexto(documento, nodo, "frameConduct", FloatToStr(conductancia));
    NodoConTexto(documento, nodo, "frameAns", FloatToStr(absortividad));
    NodoConTexto(documento, nodo, "library", SiNo(EsLibreria()));
    NodoConTexto(documento, nodo, "group", grupo);
    NodoConTexto(documento, nodo, "nameDumvat", nombreDumvat);
    NodoImagen(documento, nodo);
}

void Marco::CopiarDe(const ObjetoBase& otro) {
    // Lo que el otro no sepa dar queda como estaba.
    otro.ValorPropiedad("Grupo", grupo);
    otro.ValorPropiedad("Dumvat", nombreDumvat);
    Reales().CopiarDe(*this, otro);
    if (otro.EsLibreria()) MarcarLibreria();
    if (otro.EsSupuesto()) MarcarSupuesto();
}

void Marco::FilaInforme(TStrings& fila) {
    if (!EsUtilizado()) return;
    fila.Add(ObtenerNombre());
    fila.Add(FormatFloat("0.00", conductancia));
    fila.Add(EsLibreria() ? "--" : "SI");
}

void RegistrarMarco() {
    Fabrica::Registrar(TIPO_MARCO, [](const AnsiString& nombre) -> std::unique_ptr<ObjetoBase> {
        return std::make_unique<Marco>(nombre);
    });
}
