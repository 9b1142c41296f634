#pragma once
// Marco: el elemento marco de ventana (tipo 11). Un marco con nombre, ancho, conductancia
// y absortividad solar; vive en la base de datos de marcos y lo usan los huecos por su
// nombre. Registro "NAME-FRAME" de una base de datos, nodo XML "Name-Frame" y las dos
// líneas que el hueco mete en su forma para el programa hermano.

#include "comunes/ObjetoBase.h"
#include "comunes/TablaReales.h"

class Marco : public ObjetoBase {
public:
    explicit Marco(const AnsiString& nombre);

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    void PonerReal(const AnsiString& clave, float valor) override;
    // Solo "Utilizado".
    void PonerLogico(const AnsiString& clave, bool valor) override;

    void Leer(LeerBDL* lector) override;
    // Un marco de librería no escribe nada; los demás, su registro "NAME-FRAME".
    void Escribir(FileWriter& fichero) override;
    void EscribirSinLibreria(FileWriter& fichero, int marca) override;
    // El registro "NAME-FRAME", también de librería ("LIBRARY" YES).
    void EscribirDeLibreria(FileWriter& fichero) override;
    // Ancho y conductancia, sin cabecera ni cierre (van dentro del registro del hueco);
    // nada si el marco no se usa.
    void Exportar(FileWriter& fichero) override;
    void EscribirXML(DocumentoXML& documento, IXMLNode* padre) override;
    // Grupo, nombre para el programa hermano, ancho, conductancia y absortividad; la marca
    // de librería pasa si el otro la tiene. Ni nombre, ni nombre completo, ni uso, ni estados.
    void CopiarDe(const ObjetoBase& otro) override;
    // Solo si se usa: nombre, conductancia y "--" (librería) o "SI".
    void FilaInforme(TStrings& fila) override;

    static constexpr float kAnchoDefecto = 0.1f;
    static constexpr float kConductanciaDefecto = 5.6f;
    static constexpr float kAbsortividadDefecto = 0.9f;

private:
    // El registro, con "LIBRARY" YES o NO según sea o no de librería.
    void EscribirRegistro(FileWriter& fichero) const;
    static const TablaReales<Marco>& Reales();

    EstadoValor estadoAncho = ESTADO_DEFECTO;
    EstadoValor estadoConductancia = ESTADO_DEFECTO;
    EstadoValor estadoAbsortividad = ESTADO_DEFECTO;
    float ancho = kAnchoDefecto;
    float conductancia = kConductanciaDefecto;
    float absortividad = kAbsortividadDefecto;
};

// Da de alta la clase en la tabla de fábricas (tipo 11).
void RegistrarMarco();
