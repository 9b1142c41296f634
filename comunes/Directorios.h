#pragma once
// Directorios: dónde viven los ficheros de la instalación. Lee la tabla de carpetas de
// "config.ini" en la carpeta de la aplicación, guarda dónde están los programas hermanos
// (según Registro) y construye rutas completas: carpeta de la aplicación + carpeta
// configurada + nombre de fichero, sin añadir nada entre ellas (los valores de
// "config.ini" acaban en "\"). Al crearse hace de la carpeta de la aplicación la carpeta
// actual del proceso.

#include "plataforma/base/ansi_string.h"

#include <memory>

class Directorios {
public:
    // Se crea y lee "config.ini" en la primera llamada.
    static Directorios* Instancia();
    static void Liberar();
    // Para las pruebas: la carpeta de la aplicación en lugar de la del ejecutable, desde la
    // próxima creación. Vacía vuelve a la del ejecutable.
    static void FijarCarpetaAplicacion(const AnsiString& carpeta);

    // Cada una devuelve una ruta propia, que sigue valiendo tras otras llamadas.
    AnsiString RutaLibreria(const AnsiString& fichero) const;   // LIB
    AnsiString RutaImagen(const AnsiString& fichero) const;     // IMG
    AnsiString RutaResultados(const AnsiString& fichero) const; // RES
    AnsiString RutaDatos(const AnsiString& fichero) const;      // DAT
    AnsiString RutaDocumentos(const AnsiString& fichero) const; // DOC
    // TMP; si esa carpeta no se puede escribir (una instalación bajo una carpeta del
    // sistema), la carpeta "quenbar/" de la caché del usuario.
    AnsiString RutaTemporal(const AnsiString& fichero) const;

    // Si "config.ini" estaba en la carpeta de la aplicación.
    bool Encontrado() const { return encontrado_; }
    // Acaba en separador.
    AnsiString CarpetaAplicacion() const { return aplicacion_; }
    // El valor, sin comillas, de una clave de "config.ini" ("PER", "MET", "EXE", "FOT",
    // "BIN", "IMT", "PLA" y las de las rutas de arriba); vacío si falta o no es clave.
    AnsiString Carpeta(const AnsiString& clave) const;

    // Lo que dice Registro: "Tirnel", "Quenbar", "Dumvat", "Morvask"; vacío con otra clave.
    AnsiString RutaPrograma(const AnsiString& clave) const;
    // Solo Vornak.
    AnsiString MisDocumentos() const { return misDocumentos_; }
    bool NuevaVersionDumvat() const { return nuevaVersionDumvat_ != 0; }

private:
    Directorios();
    friend std::default_delete<Directorios>;

    enum CarpetaConfig {
        PER,
        IMG,
        DAT,
        LIB,
        RES,
        MET,
        TMP,
        EXE,
        FOT,
        DOC,
        BIN,
        PLA,
        IMT,
        NUM_CARPETAS
    };

    void LeerConfiguracion(const AnsiString& ruta);
    void LeerRegistro();
    void ElegirCarpetaTemporal();
    AnsiString Unir(CarpetaConfig carpeta, const AnsiString& fichero) const;

    bool encontrado_ = true;
    AnsiString carpetas_[NUM_CARPETAS];
    AnsiString aplicacion_;
    AnsiString temporal_; // la carpeta de RutaTemporal, entera
    AnsiString rutaTirnel_;
    AnsiString rutaQuenbar_;
    AnsiString rutaDumvat_;
    AnsiString rutaMorvask_;
    AnsiString misDocumentos_;
    unsigned char nuevaVersionDumvat_ = 0;
};
