#pragma once
// FicheroLog: el registro de la carga y comprobación de un modelo: un estado por tipo de
// objeto ("bien" o "mal") y una lista ordenada y sin repetidos de líneas de error. Se guarda
// en memoria desde Inicializar y se escribe en "EdifDumvat.log", en la carpeta temporal,
// una vez por carga, por guardado y por Inicializar (no tras cada entrada).

#include "comunes/Tipos.h"
#include "plataforma/base/ansi_string.h"
#include <memory>
#include <set>

class FicheroLog {
public:
    // Se crea en la primera llamada, que lo inicializa (y escribe el fichero).
    static FicheroLog* Instancia();
    static void Liberar();

    // Todos los estados a "bien", la lista de errores vacía; escribe el fichero.
    void Inicializar();
    // "mal" marca el estado del tipo hasta el próximo Inicializar; otro texto no lo cambia.
    // Los tipos sin línea de estado no cuentan.
    void PonerEstado(TipoObjeto tipo, const AnsiString& texto);
    // Añade la línea prefijo del tipo + texto; una línea igual a otra ya puesta no se repite.
    void AnadirError(TipoObjeto tipo, const AnsiString& texto);
    // Escribe el fichero con lo que hay; lo llaman el final de cada carga y de cada
    // guardado. Si no se puede escribir, lo dice una vez (mensaje 0) y no vuelve a decirlo
    // hasta que una escritura salga bien. Devuelve si se escribió.
    bool Escribir();

    // El contenido del fichero, con "\n" como fin de línea.
    AnsiString Texto() const;
    // El fichero, en la carpeta temporal; vacía antes de Inicializar.
    AnsiString Ruta() const;

private:
    FicheroLog();
    friend std::default_delete<FicheroLog>;

    // Por orden de guardado: edificio, planta, espacio, muro interior, muro exterior, muro en
    // contacto con el terreno, muro Trombe, ventana, hueco, condición de operación.
    enum Estado {
        EDIFICIO,
        PLANTA,
        ESPACIO,
        MUROINT,
        MUROEXT,
        MUROCT,
        MUROTR,
        VENTANA,
        HUECO,
        CONDICION,
        NUM_ESTADOS
    };
    static int EstadoDeTipo(TipoObjeto tipo);

    AnsiString nombre_;
    AnsiString estados_[NUM_ESTADOS];
    bool puestos_[NUM_ESTADOS] = {};
    // Ordenadas y sin repetidos sin distinguir mayúsculas, como una lista ordenada de la
    // biblioteca; un conjunto para que cada línea nueva cueste log n y no n.
    struct MenorSinCaja {
        bool operator()(const AnsiString& a, const AnsiString& b) const {
            return a.AnsiCompareIC(b) < 0;
        }
    };
    std::set<AnsiString, MenorSinCaja> errores_;
    bool falloAvisado_ = false;
};
