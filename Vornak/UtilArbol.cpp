#include "Vornak/UtilArbol.h"

#include "plataforma/gui/widgets/tree_view.h"

void PonerIcono(TTreeNode* nodo, int indice) {
    if (!nodo) return;
    nodo->SetImageIndex(indice);
    nodo->SetSelectedIndex(indice);
}
