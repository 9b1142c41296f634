#pragma once
// Los proyectos de un cálculo del promedio: sus ficheros, los valores leídos de sus
// resultados, su multiplicador y los cuatro resultados del promedio.

#include "Pelusta/TablaCodigos.h"
#include "plataforma/base/ansi_string.h"

#include <vector>

class Proyectos {
public:
    // Códigos de ComprobarResultados.
    enum : int {
        kValido = 0,
        kFaltaProyecto = 2,      // no está el ".cte"
        kFaltaObjeto = 3,        // no está el "O.res"
        kObjetoNoValido = 4,     // el "O.res" no pasa la comprobación de integridad
        kFaltaReferencia = 5,    // no está el "R.res"
        kReferenciaNoValida = 6, // el "R.res" no pasa la comprobación de integridad
        kSinTablaCodigos = 7,    // no hay tabla de códigos instalada: nada puede comprobarse
    };
    // Qué fichero lee LeerResultados.
    enum : int { kObjeto = 0, kReferencia = 1 };

    // Con la tabla de códigos instalada.
    Proyectos();
    explicit Proyectos(const TablaCodigos& tabla);

    // Añade un proyecto: su ruta (que ComprobarResultados descompone) y su multiplicador,
    // guardado como entero en texto (1 si el texto no es un entero).
    void Anadir(const AnsiString& ruta, const AnsiString& multiplicador);
    int Numero() const { return static_cast<int>(proyectos_.size()); }

    // Nombre, carpeta y ficheros de resultados de un proyecto; luego la ruta y los
    // resultados que se leen.
    int ComprobarResultados(int i, const AnsiString& ruta, const AnsiString& carpetaInicio);
    // Lee las demandas anuales y la superficie del fichero objeto (kObjeto) o referencia
    // (kReferencia). Sus valores se vacían antes de leer, así que un fichero roto nunca deja
    // los de otro proyecto o los de una lectura anterior. False si no se pudo leer o le
    // falta algo.
    bool LeerResultados(int i, int cual);

    // Por índice (desde 0).
    const AnsiString& GetNombre(int i) const { return proyectos_.at(i).nombre; }
    const AnsiString& GetCarpeta(int i) const { return proyectos_.at(i).carpeta; }
    const AnsiString& GetFicheroObjeto(int i) const { return proyectos_.at(i).ficheroObjeto; }
    const AnsiString& GetFicheroReferencia(int i) const {
        return proyectos_.at(i).ficheroReferencia;
    }
    const AnsiString& GetCalefaccionObjeto(int i) const {
        return proyectos_.at(i).calefaccionObjeto;
    }
    const AnsiString& GetRefrigeracionObjeto(int i) const {
        return proyectos_.at(i).refrigeracionObjeto;
    }
    const AnsiString& GetCalefaccionReferencia(int i) const {
        return proyectos_.at(i).calefaccionReferencia;
    }
    const AnsiString& GetRefrigeracionReferencia(int i) const {
        return proyectos_.at(i).refrigeracionReferencia;
    }
    const AnsiString& GetSuperficie(int i) const { return proyectos_.at(i).superficie; }
    int Multiplicador(int i) const;

    float GetPorcentajeCalefaccion() const { return porcentajeCalefaccion_; }
    void SetPorcentajeCalefaccion(float valor) { porcentajeCalefaccion_ = valor; }
    float GetPorcentajeRefrigeracion() const { return porcentajeRefrigeracion_; }
    void SetPorcentajeRefrigeracion(float valor) { porcentajeRefrigeracion_ = valor; }
    float GetProporcionCalefaccion() const { return proporcionCalefaccion_; }
    void SetProporcionCalefaccion(float valor) { proporcionCalefaccion_ = valor; }
    float GetProporcionRefrigeracion() const { return proporcionRefrigeracion_; }
    void SetProporcionRefrigeracion(float valor) { proporcionRefrigeracion_ = valor; }

    // El veredicto de los porcentajes de calefacción y refrigeración.
    bool Cumple() const { return Cumple(porcentajeCalefaccion_, porcentajeRefrigeracion_); }
    static bool Cumple(float calefaccion, float refrigeracion);

    const TablaCodigos& GetTabla() const { return tabla_; }

private:
    struct Proyecto {
        AnsiString nombre;
        AnsiString carpeta; // con su separador final
        AnsiString ficheroObjeto;
        AnsiString ficheroReferencia;
        AnsiString calefaccionObjeto;
        AnsiString refrigeracionObjeto;
        AnsiString calefaccionReferencia;
        AnsiString refrigeracionReferencia;
        AnsiString superficie;
        AnsiString multiplicador;
    };

    bool Integro(const AnsiString& rutaResultados, const AnsiString& rutaProyecto) const;

    TablaCodigos tabla_;
    std::vector<Proyecto> proyectos_;
    float porcentajeCalefaccion_ = 0;
    float porcentajeRefrigeracion_ = 0;
    float proporcionCalefaccion_ = 0;
    float proporcionRefrigeracion_ = 0;
};
