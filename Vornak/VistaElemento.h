#pragma once
// VistaElemento: lo que comparten los editores de elementos de la ventana de una base: el
// elemento y la ventana (de ninguno es dueño), mostrar una clave en un control con el color
// de su estado, recordar lo que se mostró para no escribir en el elemento lo que el usuario
// no tocó, el nombre aceptado con sus avisos, el grupo del nodo seleccionado y el dibujo de
// la carpeta de imágenes.

#include "Vornak/Vista.h"

#include "plataforma/base/ansi_string.h"

#include <initializer_list>
#include <map>

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

    // Cierto si el usuario ha cambiado algo desde que se mostró el elemento y aún no lo ha
    // aceptado: el texto de algún campo mostrado (y, en el cerramiento, sus capas).
    virtual bool HayCambios() const;

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

    // Lo que muestran ahora esos controles queda como lo mostrado: Mostrar lo llama al final.
    void Recordar(std::initializer_list<TControl*> controles);
    // Cierto si el texto del control ya no es el mostrado, si el usuario lo editó (aunque lo
    // dejara con el mismo texto) o si el control no se mostró.
    bool Tocado(TControl* control) const;
    // La clave desde el texto del control, solo si el usuario lo editó: un valor que nadie
    // tocó se queda exactamente como estaba; uno editado se toma, sea cual sea su texto. Un texto
    // vacío da "siVacio" si lo hay.
    void AsignarSiTocado(const char* clave, TControl* control, const char* siVacio = nullptr);
    // El texto de un control, por el camino de su clase (el del campo numérico, sin prefijo
    // ni sufijo).
    static AnsiString Texto(TControl* control);

    // El nombre del campo, si el usuario lo cambió. Vacío, de un elemento en uso (lo mismo que
    // mira Eliminar), no válido para su tipo o que un fichero no guarda tal cual, o de otro
    // elemento de su base: se dice por qué y el nombre se queda. Si no, lo toman el elemento
    // y el nodo seleccionado. "queEs" nombra el tipo en los avisos ("material", "vidrio"...).
    enum class Nombre { SinTocar, Aceptado, Rechazado };
    Nombre AceptarNombre(TControl* campo, const char* queEs);
    // El rótulo del padre del nodo seleccionado (el nodo de su grupo); vacío sin él.
    AnsiString GrupoDelNodo() const;
    // El dibujo de la subcarpeta de imágenes ("Materiales\\", "Puentes\\") con el nombre de
    // fichero del texto: si existe, lo carga la imagen y el campo muestra su ruta; si no
    // (o con texto vacío), imagen y campo se quedan como estaban.
    static void CargarDibujo(const AnsiString& texto, const char* subcarpeta, TImage* imagen,
                             TEdit* campo);

    ObjetoBase* elemento;
    TforGestorBD* ventana;

private:
    // El elemento está en uso, como lo decide su base de datos.
    bool EnUso() const;

    // El texto que mostró cada control.
    std::map<TControl*, AnsiString> mostrados;
};
