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

bool LeerLibreriaYUso(const LeerBDL& lector, ObjetoBase& elemento) {
    AnsiString trabajo;
    if (lector.LeerCadena("LIBRARY ", trabajo) == 0) {
        QuitarComillas(trabajo);
        if (trabajo == "YES") elemento.MarcarLibreria();
    }
    if (lector.LeerCadena("UTIL ", trabajo) == 0) QuitarComillas(trabajo);
    return trabajo == "YES";
}

bool NombreLibreEnSuBase(const ObjetoBase& elemento, const AnsiString& nombre) {
    const auto* base = dynamic_cast<const Contenedor*>(elemento.ObtenerDueno());
    return base == nullptr || base->ContarUsos(nombre) == 0;
}
