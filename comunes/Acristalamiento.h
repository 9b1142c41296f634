#pragma once
// Acristalamiento: el elemento vidrio (tipo 10). Un tipo de vidrio con nombre, factor solar
// y conductancia; vive en la base de datos de acristalamientos y lo usan los huecos por su
// nombre. Registro "GLASS-TYPE" de una base de datos, nodo XML "GLASS-TYPE", la forma corta
// del programa hermano y la lectura de una entrada abreviada de librería, que busca sus
// valores en los ficheros de datos de librería.
//
// Un factor solar negativo es un factor sin definir (los vidrios nuevos empiezan con -1):
// el editor lo muestra vacío y no se guarda una base de datos que tenga alguno.

#include "comunes/ObjetoBase.h"
#include "comunes/TablaReales.h"

class Acristalamiento : public ObjetoBase {
public:
    explicit Acristalamiento(const AnsiString& nombre);

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void ObtenerLogico(const AnsiString& clave, bool& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    void PonerReal(const AnsiString& clave, float valor) override;
    void PonerLogico(const AnsiString& clave, bool valor) override;

    void Leer(LeerBDL* lector) override;
    // Una entrada abreviada ("TYPE = GLASS-TYPE-CODE" y su código): los valores salen de
    // "QuenbarLib.dat" y "Dumvat.Dat" de la carpeta de librerías. Sin coincidencia, nada
    // cambia.
    void LeerAbreviado(LeerBDL* lector) override;
    // Un vidrio de librería no escribe nada; los demás, su registro "GLASS-TYPE".
    void Escribir(FileWriter& fichero) override;
    void EscribirSinLibreria(FileWriter& fichero, int marca) override;
    // El registro "GLASS-TYPE", también de librería ("LIBRARY" YES).
    void EscribirDeLibreria(FileWriter& fichero) override;
    // La forma del programa hermano, solo si el vidrio se usa.
    void Exportar(FileWriter& fichero) override;
    void EscribirXML(DocumentoXML& documento, IXMLNode* padre) override;
    // Factor solar, conductancia, código de vidrio, si puede cambiar, tipo, grupo, nombre
    // para el programa hermano y nombre completo; la marca de librería pasa si el otro la
    // tiene. Ni nombre, ni uso, ni estados.
    void CopiarDe(const ObjetoBase& otro) override;
    // Solo si se usa: nombre completo, conductancia, factor solar y la columna de librería.
    void FilaInforme(TStrings& fila) override;

    // Con exactamente tres películas p, q, r y la U del centro del vidrio: la conductancia
    // pasa a 1 / (1/u - 1/(p + q) - 1/r), o a 0 si u es 0. Con otra cuenta, o si la cuenta
    // no da una conductancia positiva y finita, nada cambia.
    void CalcularConductancia(const TStrings& peliculas, float uCentro);

    // Un factor solar negativo es uno sin definir.
    static bool FactorDefinido(float factor) { return factor >= 0.0f; }

    static constexpr float kFactorSinDefinir = -1.0f;
    static constexpr float kConductanciaDefecto = 5.6f;
    // El fichero guarda el coeficiente de sombra: el factor solar dividido por este.
    static constexpr float kFactorPorCoeficiente = 0.85f;

private:
    // El registro, con "LIBRARY" YES o NO según sea o no de librería.
    void EscribirRegistro(FileWriter& fichero) const;
    static const TablaReales<Acristalamiento>& Reales();

    float factorSolar = kFactorSinDefinir;
    EstadoValor estadoFactor = ESTADO_DEFECTO;
    float conductancia = kConductanciaDefecto;
    EstadoValor estadoConductancia = ESTADO_DEFECTO;
    AnsiString tipoVidrio;
    EstadoValor estadoTipo = ESTADO_DEFECTO;
    float codigoVidrio = -1.0f;
    EstadoValor estadoCodigo = ESTADO_DEFECTO;
    bool puedeCambiar = true;
};

// Da de alta la clase en la tabla de fábricas (tipo 10).
void RegistrarAcristalamiento();
