#pragma once
// Operaciones pequeñas y sin estado que comparten el modelo, los escritores de ficheros de
// palabras clave y las ventanas: números tecleados, comillas, partes de una ruta y listas
// de cadenas.

#include "plataforma/base/ansi_string.h"

#include <string>
#include <string_view>

class TStrings;

// Convierte un número tecleado (con "." o ",") con el separador regional. Un texto vacío
// da 0.0; un texto que no es un número, o que no cabe en un float, deja el valor como
// estaba, sin avisar.
void AFlotante(float& valor, const AnsiString& texto);

// Si el texto empieza por comillas dobles, deja solo lo que hay entre ellas y las
// siguientes (se pierde lo que sigue al cierre); sin comillas de cierre, deja todo lo que
// sigue a las de apertura. Sin comillas al principio no cambia nada.
// El texto sin las comillas de QuitarComillas.
std::string_view SinComillas(std::string_view texto);
void QuitarComillas(std::string& texto);
void QuitarComillas(AnsiString& texto);
// Pone el texto entre comillas dobles.
void PonerComillas(std::string& texto);
void PonerComillas(AnsiString& texto);

// "\" y "/" separan las partes de una ruta.
// El nombre del fichero sin carpeta ni extensión: "C:\my.dir\file" da "file", "a.b.c" da
// "a.b", ".bdc" da "". Vacío para una ruta vacía o que acaba en separador.
AnsiString NombreSinExtension(const AnsiString& ruta);
// La última parte de la ruta; si la ruta acaba en separador, la última carpeta seguida de
// ese separador ("C:\dir\" da "dir\").
AnsiString NombreFichero(const AnsiString& ruta);
// Lo que sigue al último punto del nombre del fichero, sin el punto; vacío si el nombre no
// tiene punto (un punto en una carpeta no cuenta).
AnsiString ExtensionFichero(const AnsiString& ruta);

void AnadirCadena(TStrings& lista, const AnsiString& texto);
// Añade al final de "hacia", en orden, cada cadena de "desde".
void CopiarCadenas(const TStrings& desde, TStrings& hacia);
void AnadirCadenas(const TStrings& desde, TStrings& hacia);
// Borra la primera cadena igual al texto (según la comparación de la lista); nada si no está.
void QuitarCadena(TStrings& lista, const AnsiString& texto);
// Por cada cadena de "estas", en orden, borra su primera aparición en la lista.
void QuitarCadenas(const TStrings& estas, TStrings& lista);
void VaciarCadenas(TStrings& lista);
