// La copia de elementos de una base a otra: de la librería a la base abierta (con sus nodos
// en el árbol) y de un gestor a otro (la exportación a una librería y el catálogo regional).
// Cada elemento lleva consigo lo que necesita: los materiales de las capas de un
// cerramiento y el marco y el acristalamiento de un hueco.

#include "Vornak/VistaGestorBD.h"

#include "Vornak/VistabdElementos.h"

#include "comunes/GestorBD.h"
#include "comunes/Layers.h"
#include "comunes/Util.h"
#include "comunes/bdLibreria.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/kernel/application.h"

namespace {
// Un hueco sin vidrio o sin marco no necesita nada.
bool ParteVacia(const AnsiString& nombre) {
    return nombre.IsEmpty() || nombre == "Ninguno";
}
} // namespace

void VistaGestorBD::CopiarDeLibreria(const TStrings& nombres, TipoObjeto tipo, TTreeNode* nodoTipo,
                                     GestorBD* origen) {
    Copiar(nombres, tipo, origen, gestor, nodoTipo, "la base");
}

void VistaGestorBD::CopiarAGestor(const TStrings& nombres, TipoObjeto tipo, GestorBD* origen,
                                  GestorBD* destino, const char* destinoNombrado) {
    Copiar(nombres, tipo, origen, destino, nullptr, destinoNombrado);
}

void VistaGestorBD::Copiar(const TStrings& nombres, TipoObjeto tipo, GestorBD* origen,
                           GestorBD* destino, TTreeNode* nodoTipo, const char* destinoNombrado) {
    if (!origen || !destino) return;
    bdLibreria* haciaBase = destino->Base(tipo);
    TStringList faltan, presentes;
    faltan.SetCaseSensitive(true);
    presentes.SetCaseSensitive(true);
    for (int i = 0; i < nombres.GetCount(); ++i) {
        const AnsiString& nombre = nombres.GetStrings(i);
        // Lo que el destino ya tiene se queda como está: nada suyo se sobrescribe.
        if (destinoNombrado && haciaBase && haciaBase->BuscarEnHijos(nombre)) {
            if (presentes.IndexOf(nombre) < 0) presentes.Add(nombre);
            continue;
        }
        CopiarUno(tipo, nombre, origen, destino, nodoTipo, faltan);
    }
    // Un elemento elegido nunca desaparece sin una palabra.
    AnsiString texto;
    if (presentes.GetCount() > 0)
        texto = AnsiString("Ya hay en ") + destinoNombrado +
                " elementos con estos nombres, que se conservan como estaban; no se han "
                "copiado:\n\n" +
                Enumerar(presentes);
    if (faltan.GetCount() > 0) {
        AnsiString lista;
        for (int i = 0; i < faltan.GetCount(); ++i)
            lista += (i ? ", " : "") + faltan.GetStrings(i);
        texto += (texto.IsEmpty() ? "" : "\n\n") + ("No se han encontrado: " + lista);
    }
    if (!texto.IsEmpty()) Application->MessageBox(texto, "Información", MB_OK | MB_ICONINFORMATION);
}

AnsiString VistaGestorBD::Enumerar(const TStrings& lineas) {
    constexpr int kMaximo = 10;
    AnsiString texto;
    for (int i = 0; i < lineas.GetCount() && i < kMaximo; ++i)
        texto += (i ? "\n" : "") + lineas.GetStrings(i);
    if (lineas.GetCount() > kMaximo)
        texto += "\n... y " + AnsiString(lineas.GetCount() - kMaximo) + " más.";
    return texto;
}

ObjetoBase* VistaGestorBD::CopiarUno(TipoObjeto tipo, const AnsiString& nombre, GestorBD* origen,
                                     GestorBD* destino, TTreeNode* nodoTipo, TStrings& faltan) {
    bdLibreria* haciaBase = destino->Base(tipo);
    bdLibreria* desdeBase = origen->Base(tipo);
    if (!haciaBase || !desdeBase) return nullptr;
    // Lo que el destino ya tiene no se sobrescribe.
    if (ObjetoBase* presente = haciaBase->BuscarEnHijos(nombre)) return presente;
    ObjetoBase* fuente = desdeBase->BuscarEnHijos(nombre);
    if (!fuente) fuente = desdeBase->BuscarPorNombreCompleto(nombre);
    if (!fuente) {
        if (faltan.IndexOf(nombre) < 0) faltan.Add(nombre);
        return nullptr;
    }
    CopiarDependencias(tipo, fuente, origen, destino, nodoTipo != nullptr, faltan);
    AnsiString nuevo = haciaBase->CrearElemento(nombre, tipo);
    ObjetoBase* elemento = haciaBase->BuscarEnHijos(nuevo);
    if (!elemento) return nullptr;
    if (tipo == TIPO_CERRAMIENTO) elemento->PonerMateriales(destino->Materiales());
    if (tipo == TIPO_HUECO)
        elemento->PonerBasesDatos(destino->Marcos(), destino->Acristalamientos());
    elemento->CopiarDe(*fuente);
    if (nodoTipo) {
        AnsiString grupo;
        elemento->ValorPropiedad("Grupo", grupo);
        AnadirNodo(tipo, grupo, nuevo, nodoTipo);
    }
    return elemento;
}

void VistaGestorBD::CopiarDependencias(TipoObjeto tipo, ObjetoBase* fuente, GestorBD* origen,
                                       GestorBD* destino, bool conArbol, TStrings& faltan) {
    auto nodoDe = [&](TipoObjeto t) -> TTreeNode* {
        VistabdElementos* vista = conArbol ? VistaDeTipo(t) : nullptr;
        return vista ? vista->NodoTipo() : nullptr;
    };
    if (tipo == TIPO_CERRAMIENTO) {
        auto* capas = dynamic_cast<Layers*>(fuente);
        int numero = 0;
        fuente->ObtenerEntero("Numero materiales", numero);
        for (int i = 0; capas && i < numero; ++i) {
            AnsiString material = capas->NombreMaterial(i);
            if (material.IsEmpty()) continue;
            CopiarUno(TIPO_MATERIAL, material, origen, destino, nodoDe(TIPO_MATERIAL), faltan);
        }
    } else if (tipo == TIPO_HUECO) {
        AnsiString marco, vidrio;
        fuente->ValorPropiedad("Marco", marco);
        fuente->ValorPropiedad("Acristalamiento", vidrio);
        if (!ParteVacia(marco))
            CopiarUno(TIPO_MARCO, marco, origen, destino, nodoDe(TIPO_MARCO), faltan);
        if (!ParteVacia(vidrio))
            CopiarUno(TIPO_ACRISTALAMIENTO, vidrio, origen, destino, nodoDe(TIPO_ACRISTALAMIENTO),
                      faltan);
    }
}
