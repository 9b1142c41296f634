#include "comunes/DocumentoXML.h"

#include "plataforma/base/file_errors.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_errors.h"
#include "plataforma/xml/xml_node.h"

namespace {

IXMLNode* Nodo(IXMLNode* nodo) {
    if (nodo == nullptr) throw EXMLDocError("Nodo XML nulo");
    return nodo;
}

} // namespace

bool DocumentoXML::Abrir(const AnsiString& ruta) {
    error_ = AnsiString();
    try {
        documento_.LoadFromFile(ruta);
        return true;
    } catch (const EDOMParseError& e) {
        error_ = "El fichero \"" + ruta + "\" no es un XML válido (error " +
                 IntToStr(e.GetErrorCode()) + " en la línea " + IntToStr(e.GetLine()) +
                 "): " + e.GetReason();
    } catch (const EFOpenError&) {
        error_ = "No se puede abrir el fichero \"" + ruta + "\"";
    }
    return false;
}

void DocumentoXML::NuevoDocumento(const AnsiString& raiz) {
    documento_.SetActive(false);
    documento_.SetFileName(AnsiString());
    documento_.SetActive(true);
    documento_.AddChild(raiz);
}

bool DocumentoXML::Guardar(const AnsiString& ruta) {
    error_ = AnsiString();
    if (!documento_.GetActive() || documento_.GetDocumentElement() == nullptr) {
        error_ = "No hay documento XML que guardar en \"" + ruta + "\"";
        return false;
    }
    try {
        documento_.SaveToFile(ruta);
        return true;
    } catch (const EFCreateError& e) {
        error_ = e.Message;
    } catch (const EWriteError& e) {
        error_ = e.Message;
    }
    return false;
}

IXMLNode* DocumentoXML::NuevoNodoRaiz(const AnsiString& nombre) {
    IXMLNode* raiz = documento_.GetDocumentElement();
    if (raiz == nullptr) throw EXMLDocError("El documento XML no tiene elemento raíz");
    return raiz->AddChild(nombre);
}

IXMLNode* DocumentoXML::NuevoNodo(IXMLNode* nodo, const AnsiString& nombre) {
    return Nodo(nodo)->AddChild(nombre);
}

void DocumentoXML::PonerTexto(IXMLNode* nodo, const AnsiString& texto) {
    Nodo(nodo)->SetText(texto);
}

void DocumentoXML::PonerAtributo(IXMLNode* nodo, const AnsiString& nombre,
                                 const AnsiString& valor) {
    Nodo(nodo)->SetAttributes(nombre, valor);
}
