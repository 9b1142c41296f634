#pragma once
// Lo que comparten las pruebas de los editores: elegir en el árbol, teclear en los campos,
// elegir en las listas, pulsar botones y leer lo que queda en los elementos, como un usuario.

#include "tests/Vornak/vornak_prueba.h"

#include "comunes/GestorBD.h"
#include "comunes/ObjetoBase.h"
#include "controles/edit/kav_combo.h"
#include "controles/edit/kav_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class PruebaEditores : public PruebaVornak {
protected:
    // Elige el elemento en el árbol, como un clic en su nodo.
    TTreeNode* Elegir(std::initializer_list<const char*> camino) {
        TTreeNode* nodo = Nodo(Ventana(), camino);
        EXPECT_NE(nodo, nullptr);
        if (nodo) Ventana()->tvBaseDatos->SetSelected(nodo);
        return nodo;
    }
    TTreeNode* Elegir(const std::vector<const char*>& camino) {
        TTreeNode* nodo = Ventana()->tvBaseDatos->GetItems()->GetFirstNode();
        for (const char* rotulo : camino) {
            TTreeNode* hijo = nodo ? nodo->getFirstChild() : nullptr;
            while (hijo && hijo->GetText() != rotulo)
                hijo = hijo->getNextSibling();
            nodo = hijo;
        }
        EXPECT_NE(nodo, nullptr);
        if (nodo) Ventana()->tvBaseDatos->SetSelected(nodo);
        return nodo;
    }
    // Vacía el campo y teclea el texto en él.
    static void Teclear(TCustomEdit* campo, const AnsiString& texto) {
        campo->SetFocus();
        campo->SetText("");
        SimulateTyping(texto, campo);
    }
    // Elige en la lista desplegable, como el usuario (avisa con OnChange).
    static void ElegirEn(TKavComboBox* lista, const AnsiString& texto) {
        int i = lista->GetItems()->IndexOf(texto);
        ASSERT_GE(i, 0) << texto.c_str();
        lista->SetItemIndex(i);
        if (lista->OnChange) lista->OnChange(lista);
    }
    static void Pulsar(TButton* boton) {
        ASSERT_TRUE(boton->GetEnabled()) << boton->GetName().c_str();
        SimulateClick(boton, 10, 10);
    }
    // Un clic en la fila de la rejilla de capas.
    void ElegirFila(int fila) {
        TKavStringGrid* g = Ventana()->SG_Camaras;
        TRect r = g->CellRect(1, fila);
        ASSERT_FALSE(r.Right <= r.Left) << fila;
        SimulateClick(g, r.Left + 4, r.Top + 4);
        ASSERT_EQ(g->GetRow(), fila);
    }
    ObjetoBase* Elemento(TipoObjeto tipo, const char* nombre) {
        return Actual()->Gestor()->Buscar(tipo, nombre);
    }
    static AnsiString Valor(ObjetoBase* e, const char* clave) {
        AnsiString v;
        e->ValorPropiedad(clave, v);
        return v;
    }
    static EstadoValor Estado(ObjetoBase* e, const char* clave) {
        EstadoValor v = ESTADO_USUARIO;
        e->ObtenerEstado(clave, v);
        return v;
    }
    AnsiString Celda(int c, int f) { return Ventana()->SG_Camaras->GetCells(c, f); }
    AnsiString U() { return Ventana()->edU->GetText(); }
    void Capturar(const char* nombre) {
        Application->ProcessMessages();
        EXPECT_FALSE(SaveCapture(Ventana(), nombre).IsEmpty());
    }
};

// El registro de un material de propiedades que deja cambiar su espesor (de 0,001 a 2 m), con
// las líneas de "resto" al final.
std::string MaterialDePropiedades(const char* nombre, const char* grupo, const char* espesor,
                                  const char* conductividad, const char* densidad,
                                  const std::string& resto = "");

// Una base pequeña con un elemento de cada tipo y valores que sus campos redondean al
// mostrarlos: "Ladrillo" lo usa "Muro"; "Marcado" lo da el fichero por utilizado; "Doble" y
// "Madera" los usan los dos huecos; nadie usa "Suelto", "Simple", "Aluminio" ni los puentes.
std::string BaseDeCadaTipo();
