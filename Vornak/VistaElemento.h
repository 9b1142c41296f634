#pragma once
// VistaElemento: lo que comparten los editores de elementos de la ventana de una base: el
// elemento y la ventana (de ninguno es dueño), mostrar una clave en un control con el color
// de su estado, el nombre aceptado con sus avisos, el grupo del nodo seleccionado y el
// dibujo de la carpeta de imágenes.

#include "Vornak/Vista.h"

#include "plataforma/base/ansi_string.h"

#include <initializer_list>

class ObjetoBase;
class TControl;
class TEdit;
class TImage;
class TWinControl;
class TforGestorBD;

class VistaElemento : public Vista {
public:
    VistaElemento(ObjetoBase* elemento, TforGestorBD* ventana)
        : elemento(elemento), ventana(ventana) {}
    void PonerElemento(ObjetoBase* nuevo) { elemento = nuevo; }

protected:
    AnsiString Valor(const AnsiString& clave) const;
    // El color de letra del estado de la clave.
    int Color(const AnsiString& clave) const;
    // El texto de la clave en el control, con el color de su estado.
    void MostrarClave(TControl* control, const AnsiString& clave) const;
    // Un texto en el control con ese color de letra.
    static void MostrarTexto(TControl* control, const AnsiString& texto, int color);
    // El texto de un control, por el camino de su clase (el campo numérico da formato).
    static void PonerTexto(TControl* control, const AnsiString& texto);
    static void PonerHabilitado(TControl* control, bool habilitar);
    // Habilita o deshabilita los controles.
    static void Habilitar(std::initializer_list<TControl*> controles, bool habilitar);
    // La página del elemento y todo lo que está directamente en la ventana, habilitados.
    void HabilitarVentana(TWinControl* pagina) const;

    // El nombre tecleado. Si el campo no está vacío y el elemento no se usa, se asigna (el
    // elemento guarda el anterior si el nuevo no vale o ya está tomado) y se lee de nuevo:
    // si es válido, el nodo seleccionado toma ese nombre; si no, el aviso dado ("Información")
    // y la marca de error del elemento. Si está vacío o se usa y el texto no es su nombre, el
    // mensaje 60. Devuelve cierto si el nombre se aceptó.
    bool AceptarNombre(const AnsiString& texto, const AnsiString& aviso);
    // El rótulo del padre del nodo seleccionado (el nodo de su grupo); vacío sin él.
    AnsiString GrupoDelNodo() const;
    // El dibujo de la subcarpeta de imágenes ("Materiales\\", "Puentes\\") con el nombre de
    // fichero del texto: si existe, lo carga la imagen y el campo muestra su ruta; si no
    // (o con texto vacío), imagen y campo se quedan como estaban.
    static void CargarDibujo(const AnsiString& texto, const char* subcarpeta, TImage* imagen,
                             TEdit* campo);

    ObjetoBase* elemento;
    TforGestorBD* ventana;
};
