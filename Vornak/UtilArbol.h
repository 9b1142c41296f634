#pragma once
// Lo que las ventanas del gestor hacen con los nodos del árbol de la base de datos.

class TTreeNode;

// El nodo muestra la imagen "indice" de la lista del árbol, seleccionado o no.
void PonerIcono(TTreeNode* nodo, int indice);
