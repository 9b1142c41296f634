#pragma once
// El paso de codificación de los códigos de integridad: resúmenes MD5 de ficheros y textos,
// y el código que se calcula de un resumen con la tabla de sustitución.

#include "Pelusta/TablaCodigos.h"
#include "plataforma/base/ansi_string.h"

#include <string>

class inspector {
public:
    // Guarda su propia copia de la tabla.
    explicit inspector(const TablaCodigos& tabla);

    // MD5 del fichero entero, leído en bloques de 2 MB; vacío si no se puede leer.
    static AnsiString DigestoFichero(const AnsiString& ruta);
    // MD5 de los bytes del texto.
    static AnsiString DigestoTexto(const AnsiString& texto);
    // Cada byte pasa a cuatro cifras decimales ("%04d", byte sin signo); cada par de cifras
    // elige un carácter de la tabla; el código es el MD5 de los caracteres elegidos. Vacío si
    // no hay tabla.
    AnsiString Codificar(const AnsiString& texto) const;
    // MD5 de la sección de datos de un fichero de proyecto ".cte" (desde
    // "$          Datos Generales" hasta "$      Fin del Fichero de Datos"), leído como
    // texto de Windows; vacío si el fichero no se puede leer.
    static AnsiString DigestoDatos(const AnsiString& ruta);

    static constexpr size_t kBloqueLectura = 2097152;

private:
    TablaCodigos tabla_;
};
