#pragma once
// Los nombres de los elementos en las listas de las ventanas, comparados como los compara el
// modelo: mayúsculas y minúsculas cuentan, así que "Doble" y "DOBLE" son dos elementos, los
// dos se listan y cada uno se encuentra como es. (Las listas de la librería de clases
// comparan sin ellas.)

#include "plataforma/base/ansi_string.h"

class TStringList;
class TStrings;

// Ordenada y distinguiendo mayúsculas: dos nombres que solo difieren en ellas quedan los dos.
void ListaDeNombres(TStringList& lista);
// El índice del nombre tal cual es en la lista; -1 si no está.
int IndiceDeNombre(const TStrings& lista, const AnsiString& nombre);
