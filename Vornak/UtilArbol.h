#pragma once
// Lo que las ventanas del gestor hacen con los nodos del árbol de la base de datos.

#include "comunes/Tipos.h"
#include "plataforma/base/ansi_string.h"

class TTreeNode;
class TTreeNodes;

// El nodo muestra la imagen "indice" de la lista del árbol, seleccionado o no.
void PonerIcono(TTreeNode* nodo, int indice);

// Sin tipo de elemento: la raíz y las categorías "Opacos" y "Semitransparentes".
constexpr TipoObjeto TIPO_NINGUNO = 62;

// Un nodo hijo del padre (en la raíz sin padre) con su texto, su icono y el tipo de
// elemento al que pertenece. El tipo va guardado en el propio nodo: un elemento o un grupo
// que se llame como un tipo ("Marcos") sigue siendo de su tipo.
TTreeNode* AnadirNodoTipo(TTreeNodes* nodos, TTreeNode* padre, const AnsiString& texto,
                          TipoObjeto tipo, int icono);
// El tipo guardado en el nodo; TIPO_NINGUNO para un nodo nulo o sin tipo.
TipoObjeto TipoGuardado(const TTreeNode* nodo);
