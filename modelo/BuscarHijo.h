#pragma once
// La búsqueda de un objeto de una lista del modelo entre sus hijos: el nombre de la lista
// misma no cuenta, y solo vale un hijo del tipo pedido.

#include "comunes/Tipos.h"

#include "plataforma/base/ansi_string.h"

class Contenedor;
class ObjetoBase;

// El primer hijo (en profundidad, como BuscarPorNombre) con ese nombre y ese tipo; nulo si
// no lo hay.
ObjetoBase* BuscarHijo(Contenedor& lista, const AnsiString& nombre, TipoObjeto tipo);
