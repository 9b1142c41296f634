#include "comunes/PiezasRegistro.h"

#include "comunes/Contenedor.h"
#include "comunes/DocumentoXML.h"
#include "comunes/LeerBDL.h"
#include "comunes/ObjetoBase.h"
#include "comunes/Util.h"

const char* SiNo(bool valor) {
    return valor ? "YES" : "NO";
}

IXMLNode* NodoConTexto(DocumentoXML& documento, IXMLNode* padre, const AnsiString& nombre,
                       const AnsiString& texto) {
    IXMLNode* nodo = documento.NuevoNodo(padre, nombre);
    documento.PonerTexto(nodo, texto);
    return nodo;
}

void NodoImagen(DocumentoXML& documento, IXMLNode* padre) {
    documento.PonerAtributo(documento.NuevoNodo(padre, "image"), "name", "picture.jpg");
}

namespace {

// El texto sin comillas tras la palabra clave: de un lector por el texto de la clave, o
// como vista, de los campos de un registro por su puesto.
bool LeerTexto(const LeerBDL& lector, const AnsiString& clave, AnsiString& texto) {
    if (lector.LeerCadena(clave, texto) != 0) return false;
    QuitarComillas(texto);
    return true;
}

bool LeerTexto(const CamposBDL& campos, size_t clave, std::string_view& texto) {
    return campos.Texto(clave, texto);
}

template <class Texto, class Fuente, class Clave>
bool LeerSi(const Fuente& fuente, const Clave& clave) {
    Texto texto;
    return LeerTexto(fuente, clave, texto) && texto == "YES";
}

template <class Texto, class Fuente, class Clave>
bool LeerLibreria(const Fuente& fuente, const Clave& libreria, const Clave& uso,
                  ObjetoBase& elemento) {
    Texto trabajo;
    if (LeerTexto(fuente, libreria, trabajo) && trabajo == "YES") elemento.MarcarLibreria();
    LeerTexto(fuente, uso, trabajo);
    return trabajo == "YES";
}

} // namespace

bool LeerTextoBDL(const LeerBDL& lector, const AnsiString& clave, AnsiString& texto) {
    return LeerTexto(lector, clave, texto);
}

bool LeerTextoBDL(const CamposBDL& campos, size_t clave, AnsiString& texto) {
    std::string_view leido;
    if (!campos.Texto(clave, leido)) return false;
    texto.str().assign(leido);
    return true;
}

bool LeerSiBDL(const LeerBDL& lector, const AnsiString& clave) {
    return LeerSi<AnsiString>(lector, clave);
}

bool LeerSiBDL(const CamposBDL& campos, size_t clave) {
    return LeerSi<std::string_view>(campos, clave);
}

bool LeerLibreriaYUso(const LeerBDL& lector, ObjetoBase& elemento) {
    return LeerLibreria<AnsiString>(lector, AnsiString("LIBRARY "), AnsiString("UTIL "), elemento);
}

bool LeerLibreriaYUso(const CamposBDL& campos, size_t libreria, size_t uso, ObjetoBase& elemento) {
    return LeerLibreria<std::string_view>(campos, libreria, uso, elemento);
}

bool NombreLibreEnSuBase(const ObjetoBase& elemento, const AnsiString& nombre) {
    const auto* base = dynamic_cast<const Contenedor*>(elemento.ObtenerDueno());
    return base == nullptr || base->ContarUsos(nombre) == 0;
}
