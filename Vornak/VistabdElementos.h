#pragma once
// VistabdElementos: lo que comparten las seis vistas de lista (materiales, cerramientos,
// acristalamientos, marcos, huecos y puentes térmicos): su rama del árbol de la base de
// datos, el elemento nuevo con su nodo, los grupos de su base y la página de su tipo en la
// ventana. Cada vista dice su tipo, el rótulo de su nodo de tipo, la raíz de los nombres
// nuevos y el icono de sus elementos.

#include "Vornak/Vista.h"

#include "comunes/Tipos.h"
#include "plataforma/base/ansi_string.h"

#include <memory>

class ObjetoBase;
class TStrings;
class TTreeNode;
class TforGestorBD;
class VistaElemento;
class bdLibreria;

class VistabdElementos : public Vista {
public:
    VistabdElementos(bdLibreria* base, TforGestorBD* ventana, TipoObjeto tipo, int iconoElemento);
    ~VistabdElementos() override;

    // Las vistas de lista no se muestran por sí mismas: lo hace el controlador.
    void Mostrar() override {}

    // Bajo el padre, el nodo de su tipo (los puentes térmicos toman el padre como tal); bajo
    // él un nodo por grupo y, en cada grupo, uno por elemento.
    virtual void LlenarArbol(TTreeNode* padre);
    // Crea en la base un elemento de su tipo con un nombre único sacado de su raíz, del grupo
    // del nodo seleccionado, y pone su nodo bajo ese nodo, seleccionado (lo que lo muestra).
    // Devuelve el nombre usado; vacío si no había nodo seleccionado.
    virtual AnsiString NuevoElemento();
    // Añade a la lista los grupos de su base, cada uno una vez, en orden de aparición.
    virtual void ListarGrupos(TStrings& lista) const;

    // Muestra el elemento en la página de su tipo, con su editor.
    virtual void MostrarElemento(ObjetoBase* elemento);
    // Pasa la página al elemento (el editor valida) y lo vuelve a mostrar.
    virtual void AceptarElemento(ObjetoBase* elemento);
    // Reajusta los controles de la página al elemento.
    virtual void ActualizarElemento(ObjetoBase* elemento);
    // Si el usuario cambió en la página algo del elemento que aún no ha aceptado.
    bool HayCambios(ObjetoBase* elemento);

    TipoObjeto Tipo() const { return tipo; }
    int IconoElemento() const { return iconoElemento; }
    bdLibreria* Base() const { return base; }
    // El nodo de su tipo desde el último LlenarArbol; nulo antes o tras vaciar el árbol.
    TTreeNode* NodoTipo() const { return nodoTipo; }
    void OlvidarNodo() { nodoTipo = nullptr; }

protected:
    // El rótulo del nodo de su tipo; vacío si el nodo lo pone el controlador.
    virtual AnsiString RotuloTipo() const = 0;
    // La raíz de los nombres de los elementos nuevos.
    virtual AnsiString RaizNombre() const = 0;

    // El editor de la página de su tipo; solo guarda el elemento entre una llamada y otra.
    VistaElemento* Editor(ObjetoBase* elemento);

    bdLibreria* base;
    TforGestorBD* ventana;
    std::unique_ptr<VistaElemento> editor;

private:
    TipoObjeto tipo;
    int iconoElemento;
    TTreeNode* nodoTipo = nullptr;
};
