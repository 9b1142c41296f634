#pragma once
// Lo que comparten las pruebas del acristalamiento, el marco y el hueco: las lecturas por
// clave, la ida y vuelta de un registro por un fichero, y pasar un elemento a XML y volver
// a leerlo.

#include "tests/comunes/registros_prueba.h"

#include "comunes/Tipos.h"

#include "plataforma/base/ansi_string.h"

#include <string>

class ObjetoBase;
class TXMLDocument;
class IXMLNode;

// Las lecturas por clave. Si el elemento no contesta a la clave, devuelven su valor de
// partida: -99, ESTADO_USUARIO, "<sin tocar>" y false.
float Real(const ObjetoBase& objeto, const char* clave);
EstadoValor Estado(const ObjetoBase& objeto, const char* clave);
AnsiString Texto(const ObjetoBase& objeto, const char* clave);
bool Logico(const ObjetoBase& objeto, const char* clave);

// Escribe el registro del elemento, lo lee en "otro" desde el fichero escrito y vuelve a
// escribirlo: devuelve las dos escrituras, que deben ser iguales byte a byte.
struct IdaYVuelta {
    std::string primera;
    std::string segunda;
};
IdaYVuelta EscribirLeerEscribir(ObjetoBase& elemento, ObjetoBase& otro, const char* tipo);

// El nodo XML del elemento dentro de un documento "DATABASE", guardado en bytes UTF-8 y
// vuelto a cargar en "leido"; devuelve el nodo del elemento leído (nulo si no está).
IXMLNode* XMLLeido(ObjetoBase& elemento, TXMLDocument& leido, std::string* bytes = nullptr);
// El texto del primer hijo con ese nombre; falla la prueba si no está.
AnsiString TextoHijo(IXMLNode* nodo, const AnsiString& nombre);
