#pragma once
// Error: el catálogo de mensajes numerados del programa, en español o en inglés según la
// variante de Idioma, y las demás cajas de mensaje del modelo (mensaje libre, pregunta,
// referencia a un objeto que no existe). Todas pasan por los ganchos modales.

#include "comunes/Tipos.h"
#include "plataforma/base/ansi_string.h"

#include <memory>

class Error {
public:
    // Se crea en la primera llamada; Liberar lo destruye y la siguiente llamada crea otro.
    static Error* Instancia();
    static void Liberar();

    // El mensaje del código en el idioma actual (español con las variantes 0 y 2, inglés con
    // la 1), con el argumento en lugar de su "%s". Un código sin texto en ese idioma muestra
    // una caja vacía; con otra variante no se muestra nada.
    void Mensaje(unsigned char codigo, const AnsiString& argumento) const;
    void MensajeEspanol(unsigned char codigo, const AnsiString& argumento) const;
    void MensajeIngles(unsigned char codigo, const AnsiString& argumento) const;

    // Caja con botón Aceptar y sin icono.
    void MostrarMensaje(const AnsiString& texto, const AnsiString& titulo) const;
    // Atiende antes los mensajes pendientes; devuelve el botón pulsado (IDYES, IDNO...).
    int Preguntar(const AnsiString& texto, const AnsiString& titulo, int flags) const;
    // El objeto nombreA de tipo A hace referencia a nombreB de tipo B, que no existe.
    void ReferenciaInexistente(TipoObjeto tipoA, TipoObjeto tipoB, const AnsiString& nombreA,
                               const AnsiString& nombreB) const;

    // Nombre de un tipo para mostrar (casi todos acaban en un blanco); "" si no tiene.
    AnsiString NombreTipo(TipoObjeto tipo) const;
    AnsiString NombreTipoEspanol(TipoObjeto tipo) const;
    AnsiString NombreTipoIngles(TipoObjeto tipo) const;

private:
    Error() = default;
    friend std::default_delete<Error>;
};
