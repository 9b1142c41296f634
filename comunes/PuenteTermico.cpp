// PuenteTermico: propiedades por clave, registro "BRIDGE" y su forma corta, nodo XML, copia
// y fila de informe.

#include "comunes/PuenteTermico.h"

#include "comunes/DocumentoXML.h"
#include "comunes/Fabrica.h"
#include "comunes/LeerBDL.h"
#include "comunes/PiezasRegistro.h"
#include "comunes/Util.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <memory>

PuenteTermico::PuenteTermico(const AnsiString& nombre) : ObjetoBase(nombre) {
    tipo = TIPO_PUENTE_TERMICO;
    estadoNombre = ESTADO_DEFECTO;
    grupo = "_";
    nombreCompleto = nombre;
}

void PuenteTermico::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Nombre")
        valor = ObtenerNombre();
    else if (clave == "Nombre completo")
        valor = nombreCompleto;
    else if (clave == "Grupo")
        valor = grupo;
    else if (clave == "Zona")
        valor = zona;
    else if (clave == "Imagen")
        valor = imagen;
    else if (clave == "Fi")
        valor = FormatFloat("0.00", fi);
    else if (clave == "Efe")
        valor = FormatFloat("0.00", efe);
    else
        valor = AnsiString();
}

void PuenteTermico::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (clave == "Fi")
        valor = fi;
    else if (clave == "Efe")
        valor = efe;
}

void PuenteTermico::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (clave == "Nombre")
        estado = estadoNombre;
    else if (clave == "Nombre completo")
        estado = estadoNombreCompleto;
    else if (clave == "Grupo")
        estado = estadoGrupo;
    else if (clave == "Zona")
        estado = estadoZona;
    else if (clave == "Fi")
        estado = estadoFi;
    else if (clave == "Efe")
        estado = estadoEfe;
    else
        estado = ESTADO_DEFECTO;
}

void PuenteTermico::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    if (clave == "Nombre")
        PonerNombre(texto);
    else if (clave == "Nombre completo")
        nombreCompleto = texto;
    else if (clave == "Grupo")
        grupo = texto;
    else if (clave == "Zona")
        AsignarCadena(zona, estadoZona, texto, AnsiString());
    else if (clave == "Imagen")
        AsignarCadena(imagen, estadoImagen, texto, AnsiString());
    else if (clave == "Fi")
        AsignarReal(fi, estadoFi, texto, -1.0f, 1.0f, 0.4f);
    else if (clave == "Efe")
        AsignarReal(efe, estadoEfe, texto, 0.0f, 1.0f, 0.4f);
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
    LeerCadenaBDL(lector, "NAME", nombreCompleto, estadoNombreCompleto);
    LeerCadenaBDL(lector, "GROUP", grupo, estadoGrupo);
    LeerCadenaBDL(lector, "ZONE", zona, estadoZona);
    LeerCadenaBDL(lector, "IMAGE", imagen, estadoImagen);
    LeerRealBDL(lector, "FRSI", efe, estadoEfe);
    LeerRealBDL(lector, "FI", fi, estadoFi);
    AnsiString libreriaLeida;
    if (lector->LeerCadena("LIBRARY ", libreriaLeida) == 0) {
        QuitarComillas(libreriaLeida);
        if (libreriaLeida == "YES") MarcarLibreria();
    }
}

void PuenteTermico::LeerAbreviado(LeerBDL*) {}

void PuenteTermico::Escribir(FileWriter& fichero) {
    fichero.Printf("\"%s\" = BRIDGE\n", ObtenerNombre().c_str());
    fichero.Printf("    FRSI         = %14.7g\n", efe);
    fichero.Printf("    FI          = %14.7g\n", fi);
    fichero.Printf("    NAME          = \"%s\"\n", nombreCompleto.c_str());
    fichero.Printf("    GROUP         = \"%s\"\n", grupo.c_str());
    fichero.Printf("    ZONE          = \"%s\"\n", zona.c_str());
    fichero.Printf("    IMAGE          = \"%s\"\n", imagen.c_str());
    fichero.Printf("    LIBRARY       = %s\n", SiNo(libreria));
    fichero.Printf("    ..\n");
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
    otro.ObtenerReal("Fi", fi);
    otro.ObtenerReal("Efe", efe);
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
