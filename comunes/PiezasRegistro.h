#pragma once
// Piezas pequeñas que comparten los elementos en sus registros de palabras clave, sus nodos
// XML y su cambio de nombre.

#include "plataforma/base/ansi_string.h"

class CamposBDL;
class DocumentoXML;
class IXMLNode;
class LeerBDL;
class ObjetoBase;

// "YES" o "NO", como escriben los registros y los nodos XML las marcas.
const char* SiNo(bool valor);

// Un elemento hijo del padre con ese nombre y ese texto; lo devuelve.
IXMLNode* NodoConTexto(DocumentoXML& documento, IXMLNode* padre, const AnsiString& nombre,
                       const AnsiString& texto);
// El último hijo de todo nodo de elemento: "image" vacío con name="picture.jpg", que
// esperan quienes leen estos ficheros.
void NodoImagen(DocumentoXML& documento, IXMLNode* padre);

// El texto tras la palabra clave, sin comillas; falso si la palabra clave no está.
bool LeerTextoBDL(const LeerBDL& lector, const AnsiString& clave, AnsiString& texto);
// Cierto si la palabra clave está y su texto, sin comillas, es YES.
bool LeerSiBDL(const LeerBDL& lector, const AnsiString& clave);

// Las mismas, desde los campos de un registro hallados de una pasada (la clave por su puesto).
bool LeerTextoBDL(const CamposBDL& campos, size_t clave, AnsiString& texto);
bool LeerSiBDL(const CamposBDL& campos, size_t clave);

// "LIBRARY " y después "UTIL " en un mismo texto de trabajo, que no se vacía entre las dos
// lecturas: "LIBRARY " igual a YES marca el elemento como de librería, y el uso es si el
// texto de trabajo acaba siendo YES (sin "UTIL ", lo dice el valor de "LIBRARY "). Devuelve
// el uso.
bool LeerLibreriaYUso(const LeerBDL& lector, ObjetoBase& elemento);
// Lo mismo desde los campos de un registro, con los puestos de "LIBRARY " y "UTIL ".
bool LeerLibreriaYUso(const CamposBDL& campos, size_t libreria, size_t uso, ObjetoBase& elemento);

// Cierto si nada en la base que tiene al elemento (ni la base misma, ni el elemento) se
// llama así; cierto si no está en una base.
bool NombreLibreEnSuBase(const ObjetoBase& elemento, const AnsiString& nombre);
