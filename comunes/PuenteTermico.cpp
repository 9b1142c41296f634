// PuenteTermico: propiedades por clave, registro "BRIDGE" y su forma corta, nodo XML, copia
// y fila de informe.

#include "comunes/PuenteTermico.h"

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
enum Clave : size_t { kNombre, kGrupo, kZona, kImagen, kEfe, kFi, kLibreria };

const ClavesBDL& Claves() {
    static const ClavesBDL claves{"NAME", "GROUP", "ZONE", "IMAGE", "FRSI", "FI", "LIBRARY "};
    return claves;
}

} // namespace

PuenteTermico::PuenteTermico(const AnsiString& nombre) : ObjetoBase(nombre) {
    tipo = TIPO_PUENTE_TERMICO;
    estadoNombre = ESTADO_DEFECTO;
    grupo = "_";
    nombreCompleto = nombre;
}

// PonerReal valida con sus propios límites y defectos.
const TablaReales<PuenteTermico>& PuenteTermico::Reales() {
    using P = PuenteTermico;
    static const TablaReales<P> kReales = {
        {"Fi", &P::fi, &P::estadoFi, "0.00", -1.0f, 1.0f, 0.4f, REAL_TECLEADO | REAL_ESTADO},
        {"Efe", &P::efe, &P::estadoEfe, "0.00", 0.0f, 1.0f, 0.4f, REAL_TECLEADO | REAL_ESTADO},
    };
    return kReales;
}

void PuenteTermico::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (Reales().Texto(*this, clave, valor) || ValorComun(clave, valor)) return;
    if (clave == "Zona")
        valor = zona;
    else if (clave == "Imagen")
        valor = imagen;
    else
        valor = AnsiString();
}

void PuenteTermico::ObtenerReal(const AnsiString& clave, float& valor) const {
    Reales().Real(*this, clave, valor);
}

void PuenteTermico::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (Reales().Estado(*this, clave, estado) || EstadoComun(clave, estado)) return;
    estado = clave == "Zona" ? estadoZona : ESTADO_DEFECTO;
}

void PuenteTermico::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    // El nombre se toma sin comprobar nada; no tiene nombre para el programa hermano.
    constexpr ReglasComunes kReglas = {.nombre = ReglasComunes::Nombre::SinComprobar,
                                       .dumvat = false};
    if (Reales().Asignar(*this, clave, texto) || AsignarComun(clave, texto, kReglas)) return;
    if (clave == "Zona")
        AsignarCadena(zona, estadoZona, texto, AnsiString());
    else if (clave == "Imagen")
        AsignarCadena(imagen, estadoImagen, texto, AnsiString());
}

bool PuenteTermico::NombreValido(const AnsiString& nombre) const {
    return NombreGrabable(nombre);
}

void PuenteTermico::PonerReal(const AnsiString& clave, float valor) {
    if (clave == "Fi")
        AsignarReal(fi, estadoFi, FloatToStr(valor), -2.0f, 2.0f, 0.45f);
    else if (clave == "Efe")
        AsignarReal(efe, estadoEfe, FloatToStr(valor), 0.0f, 1.0f, 0.25f);
}

void PuenteTermico::Leer(LeerBDL* lector) {
    estadoNombre = ESTADO_FICHERO;
    if (lector == nullptr) return;
    const CamposBDL campos(*lector, Claves());
    LeerCadenaBDL(campos, kNombre, nombreCompleto, estadoNombreCompleto);
    LeerCadenaBDL(campos, kGrupo, grupo, estadoGrupo);
    LeerCadenaBDL(campos, kZona, zona, estadoZona);
    LeerCadenaBDL(campos, kImagen, imagen, estadoImagen);
    LeerRealBDL(campos, kEfe, efe, estadoEfe);
    LeerRealBDL(campos, kFi, fi, estadoFi);
    if (LeerSiBDL(campos, kLibreria)) MarcarLibreria();
}

void PuenteTermico::LeerAbreviado(LeerBDL*) {}

void PuenteTermico::Escribir(FileWriter& fichero) {
    FileWriter::Run r(fichero);
    r << '"' << ObtenerNombre() << "\" = BRIDGE\n    FRSI         = ";
    r.RealG(efe, 14, 7) << "\n    FI          = ";
    r.RealG(fi, 14, 7) << "\n    NAME          = \"" << nombreCompleto
                       << "\"\n    GROUP         = \"" << grupo << "\"\n    ZONE          = \""
                       << zona << "\"\n    IMAGE          = \"" << imagen
                       << "\"\n    LIBRARY       = ";
    r.Text(SiNo(libreria)) << "\n    ..\n";
}

void PuenteTermico::EscribirCabecera(FileWriter& fichero) {
    fichero.Printf("\"%s\" = PUENTETERMICO\n", ObtenerNombre().c_str());
    fichero.Printf("    LIBRARY       = %s\n", SiNo(libreria));
    fichero.Printf("    ..\n");
}

void PuenteTermico::EscribirXML(DocumentoXML& documento, IXMLNode* padre) {
    IXMLNode* nodo = documento.NuevoNodo(padre, "BRIDGE");
    documento.PonerAtributo(nodo, "name", ObtenerNombre());
    NodoConTexto(documento, nodo, "efe", FloatToStr(efe));
    NodoConTexto(documento, nodo, "fi", FloatToStr(fi));
    NodoConTexto(documento, nodo, "zone", zona);
    NodoConTexto(documento, nodo, "group", grupo);
    NodoConTexto(documento, nodo, "image", imagen);
    NodoConTexto(documento, nodo, "library", SiNo(libreria));
}

void PuenteTermico::CopiarDe(const ObjetoBase& otro) {
    // Cada valor parte del propio: una clave que el otro no conoce no lo cambia.
    Reales().CopiarDe(*this, otro);
    otro.ValorPropiedad("Grupo", grupo);
    otro.ValorPropiedad("Zona", zona);
    otro.ValorPropiedad("Nombre completo", nombreCompleto);
    otro.ValorPropiedad("Imagen", imagen);
    if (otro.EsLibreria()) MarcarLibreria();
}

void PuenteTermico::FilaInforme(TStrings& fila) {
    fila.Add(nombreCompleto);
    fila.Add(FormatFloat("0.00", efe));
    fila.Add(FormatFloat("0.00", fi));
    fila.Add(libreria ? "--" : "SI");
}

void RegistrarPuenteTermico() {
    Fabrica::Registrar(TIPO_PUENTE_TERMICO,
                       [](const AnsiString& nombre) -> std::unique_ptr<ObjetoBase> {
                           return std::make_unique<PuenteTermico>(nombre);
                       });
}
