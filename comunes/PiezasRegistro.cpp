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

bool LeerTextoBDL(const LeerBDL& lector, const AnsiString& clave, AnsiString& texto) {
    if (lector.LeerCadena(clave, texto) != 0) return false;
    QuitarComillas(texto);
    return true;
}

bool LeerSiBDL(const LeerBDL& lector, const AnsiString& clave) {
    AnsiString texto;
    return LeerTextoBDL(lector, clave, texto) && texto == "YES";
}

bool LeerLibreriaYUso(const LeerBDL& lector, ObjetoBase& elemento) {
    AnsiString trabajo;
    if (LeerTextoBDL(lector, "LIBRARY ", trabajo) && trabajo == "YES") elemento.MarcarLibreria();
    LeerTextoBDL(lector, "UTIL ", trabajo);
    return trabajo == "YES";
}

bool NombreLibreEnSuBase(const ObjetoBase& elemento, const AnsiString& nombre) {
    const auto* base = dynamic_cast<const Contenedor*>(elemento.ObtenerDueno());
    return base == nullptr || base->ContarUsos(nombre) == 0;
}
