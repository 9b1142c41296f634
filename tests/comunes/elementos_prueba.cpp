#include "tests/comunes/elementos_prueba.h"

#include "comunes/DocumentoXML.h"
#include "comunes/LeerBDL.h"
#include "comunes/ObjetoBase.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_node_list.h"
#include "tests/comun/carpeta_temporal.h"

#include <gtest/gtest.h>

namespace {

// Escribe en un fichero nuevo de la carpeta y devuelve su ruta.
AnsiString EscribirEn(const CarpetaTemporal& carpeta, const char* nombre,
                      const std::function<void(FileWriter&)>& escribir) {
    const AnsiString ruta = carpeta.Ruta() + nombre;
    FileWriter fichero;
    EXPECT_TRUE(fichero.Open(ruta)) << fichero.ErrorText().c_str();
    escribir(fichero);
    EXPECT_TRUE(fichero.Commit()) << fichero.ErrorText().c_str();
    return ruta;
}

std::string Bytes(const AnsiString& ruta) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(ruta, bytes));
    return bytes;
}

std::unique_ptr<LeerBDL> Recortar(const LeerBDL& fuente, const char* tipo,
                                  const AnsiString& nombre) {
    bool encontrado = false;
    auto registro = LeerBDL::ExtraerObjeto(fuente, tipo, "\"" + nombre + "\"", encontrado);
    EXPECT_TRUE(encontrado) << "sin registro " << tipo << nombre.c_str();
    return registro;
}

} // namespace

float Real(const ObjetoBase& objeto, const char* clave) {
    float valor = -99.0f;
    objeto.ObtenerReal(clave, valor);
    return valor;
}

EstadoValor Estado(const ObjetoBase& objeto, const char* clave) {
    EstadoValor estado = ESTADO_USUARIO;
    objeto.ObtenerEstado(clave, estado);
    return estado;
}

AnsiString Texto(const ObjetoBase& objeto, const char* clave) {
    AnsiString valor = "<sin tocar>";
    objeto.ValorPropiedad(clave, valor);
    return valor;
}

bool Logico(const ObjetoBase& objeto, const char* clave) {
    bool valor = false;
    objeto.ObtenerLogico(clave, valor);
    return valor;
}

IdaYVuelta EscribirLeerEscribir(ObjetoBase& elemento, ObjetoBase& otro, const char* tipo) {
    CarpetaTemporal carpeta;
    IdaYVuelta resultado;
    const AnsiString ruta =
        EscribirEn(carpeta, "ida.bdc", [&](FileWriter& f) { elemento.Escribir(f); });
    resultado.primera = Bytes(ruta);
    LeerBDL fuente(ruta);
    auto registro = Recortar(fuente, tipo, elemento.ObtenerNombre());
    otro.Leer(registro.get());
    resultado.segunda =
        Bytes(EscribirEn(carpeta, "vuelta.bdc", [&](FileWriter& f) { otro.Escribir(f); }));
    return resultado;
}

IXMLNode* XMLLeido(ObjetoBase& elemento, TXMLDocument& leido, std::string* bytes) {
    TXMLDocument documento;
    DocumentoXML xml(documento);
    xml.NuevoDocumento("DATABASE");
    elemento.EscribirXML(xml, xml.NuevoNodoRaiz("grupo"));
    const std::string guardado = documento.SaveToXML();
    if (bytes != nullptr) *bytes = guardado;
    // Si no estuviera bien formado, la carga lanzaría.
    leido.LoadFromXML(guardado);
    IXMLNode* grupo = leido.GetDocumentElement()->GetChildNodes()->GetNodes(0);
    return grupo->HasChildNodes() ? grupo->GetChildNodes()->GetNodes(0) : nullptr;
}

AnsiString TextoHijo(IXMLNode* nodo, const AnsiString& nombre) {
    IXMLNodeList* hijos = nodo->GetChildNodes();
    for (int i = 0; i < hijos->GetCount(); ++i)
        if (hijos->GetNodes(i)->GetNodeName() == nombre) return hijos->GetNodes(i)->GetText();
    ADD_FAILURE() << "sin hijo " << nombre.c_str();
    return AnsiString();
}
