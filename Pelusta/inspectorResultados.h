#pragma once
// La comprobación de integridad de un fichero de resultados: su resumen MD5 y el valor
// acompañante de su fichero ".cl" dan un código, que debe ser el que guarda el ".cl".

#include "Pelusta/TablaCodigos.h"
#include "Pelusta/inspector.h"
#include "plataforma/base/ansi_string.h"

class inspectorResultados {
public:
    explicit inspectorResultados(const TablaCodigos& tabla);

    // Comprueba el fichero de resultados que se va a leer; su ".cl" está a su lado, con el
    // mismo nombre (RutaCodigos). Con datos, el ".cl" no se lee y el resumen de la sección de
    // datos del proyecto ocupa el lugar del valor acompañante.
    void Calcular(const AnsiString& rutaResultados, const AnsiString& rutaProyecto,
                  bool datos = false);
    // El código guardado no está vacío y es igual, byte a byte, al calculado.
    bool EsValido() const;
    // Caracteres 1-32 del ".cl": el código guardado; 33-64: el valor acompañante; lo que
    // sigue no cuenta. False, con los dos vacíos, si no se puede abrir.
    bool LeerCodigos(const AnsiString& rutaCl);

    // El ".cl" de un fichero de resultados: la misma ruta con la extensión ".cl".
    static AnsiString RutaCodigos(const AnsiString& rutaResultados);

    const AnsiString& GetNombre() const { return nombre_; }
    const AnsiString& GetDigestoFichero() const { return digestoFichero_; }
    const AnsiString& GetCodigoCalculado() const { return codigoCalculado_; }
    const AnsiString& GetCodigoGuardado() const { return codigoGuardado_; }
    const AnsiString& GetValorAcompanante() const { return valorAcompanante_; }
    const AnsiString& GetDigestoDatos() const { return digestoDatos_; }

private:
    inspector inspector_;
    AnsiString nombre_;
    AnsiString digestoFichero_;
    AnsiString codigoCalculado_;
    AnsiString codigoGuardado_;
    AnsiString valorAcompanante_;
    AnsiString digestoDatos_;
};
