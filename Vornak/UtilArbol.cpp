#include "Vornak/UtilArbol.h"

#include "plataforma/gui/widgets/tree_view.h"

#include <cstdint>

void PonerIcono(TTreeNode* nodo, int indice) {
    if (!nodo) return;
    nodo->SetImageIndex(indice);
    nodo->SetSelectedIndex(indice);
}

TTreeNode* AnadirNodoTipo(TTreeNodes* nodos, TTreeNode* padre, const AnsiString& texto,
                          TipoObjeto tipo, int icono) {
    // El dato del nodo es el tipo más uno: un dato nulo es un nodo sin tipo.
    void* dato = reinterpret_cast<void*>(static_cast<uintptr_t>(tipo) + 1);
    TTreeNode* nodo = nodos->AddChildObject(padre, texto, dato);
    PonerIcono(nodo, icono);
    return nodo;
}

TipoObjeto TipoGuardado(const TTreeNode* nodo) {
    if (!nodo || !nodo->GetData()) return TIPO_NINGUNO;
    return static_cast<TipoObjeto>(reinterpret_cast<uintptr_t>(nodo->GetData()) - 1);
}
