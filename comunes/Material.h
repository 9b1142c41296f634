#pragma once
// Material: el elemento de tipo 13, un material o producto homogéneo que un cerramiento
// apila en capas. Se describe por sus propiedades (espesor, conductividad, densidad, calor
// específico; la resistencia sale de espesor y conductividad) o solo por su resistencia
// térmica y su resistividad al vapor. Lee y escribe su registro "MATERIAL", su nodo XML y
// la forma del programa hermano, y responde a sus propiedades por clave.

#include "comunes/ObjetoBase.h"
#include "comunes/TablaReales.h"

class Material : public ObjetoBase {
public:
    explicit Material(const AnsiString& nombre);

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void ObtenerLogico(const AnsiString& clave, bool& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    void PonerReal(const AnsiString& clave, float valor) override;
    void PonerLogico(const AnsiString& clave, bool valor) override;

    void Leer(LeerBDL* lector) override;
    // La forma abreviada de una entrada de librería ("TH", "COND", "DENS"...).
    void LeerAbreviado(LeerBDL* lector) override;
    // El registro "MATERIAL"; nada para un material de librería. Las dos formas solo
    // difieren en la línea de THICKNESS_CHANGE.
    void Escribir(FileWriter& fichero) override;
    void EscribirSinLibreria(FileWriter& fichero, int marca) override;
    // El registro de la base de datos, también de librería ("LIBRARY" YES).
    void EscribirDeLibreria(FileWriter& fichero) override;
    // La forma del programa hermano, solo si el material está en uso. Sin nombre para el
    // programa hermano, toma los 32 primeros caracteres del nombre y se lo queda.
    void Exportar(FileWriter& fichero) override;
    void EscribirXML(DocumentoXML& documento, IXMLNode* padre) override;
    // Copia las propiedades de otro elemento por sus claves, sin tocar los estados; ni el
    // nombre ni la marca de uso. Si el otro es de librería, este también.
    void CopiarDe(const ObjetoBase& otro) override;
    // Nada si no está en uso.
    void FilaInforme(TStrings& fila) override;

    // Resistencia = espesor / conductividad (10 con conductividad 0), marcada en rojo como
    // valor calculado.
    void CalcularResistencia();

private:
    // Las propiedades numéricas por clave, con sus formatos y límites.
    static const TablaReales<Material>& Reales();

    // La línea de THICKNESS_CHANGE tiene dos maquetaciones, según quién escribe.
    enum class Maqueta { Registro, BaseDatos };
    // Nada para un material de librería, salvo si se piden también esos.
    void EscribirRegistro(FileWriter& fichero, Maqueta maqueta, bool deLibreria = false) const;
    // La tipología, el nombre completo, el grupo y la imagen, que las dos formas del registro
    // leen igual (sus claves tienen los mismos puestos en los dos juegos).
    void LeerComunes(const CamposBDL& campos);
    // "LIBRARY " y "UTIL ", cada uno con su propio texto.
    void LeerMarcas(const CamposBDL& campos);
    bool EsPropiedades() const;

    AnsiString tipologia;
    EstadoValor estadoTipologia = ESTADO_DEFECTO;
    float espesor = 0.1f;
    EstadoValor estadoEspesor = ESTADO_DEFECTO;
    float calorEspecifico = 800.0f;
    EstadoValor estadoCalorEspecifico = ESTADO_DEFECTO;
    float conductividad = 0.6f;
    EstadoValor estadoConductividad = ESTADO_DEFECTO;
    float densidad = 1500.0f;
    EstadoValor estadoDensidad = ESTADO_DEFECTO;
    float vaporP = 1.0f; // factor de resistencia a la difusión del vapor
    EstadoValor estadoVaporP = ESTADO_DEFECTO;
    float vaporR = 1.0f; // resistividad al vapor
    EstadoValor estadoVaporR = ESTADO_DEFECTO;
    float resistencia = 0.2f;
    EstadoValor estadoResistencia = ESTADO_DEFECTO;
    float espesorMinimo = 0.001f;
    EstadoValor estadoEspesorMinimo = ESTADO_DEFECTO;
    float espesorMaximo = 2.0f;
    EstadoValor estadoEspesorMaximo = ESTADO_DEFECTO;
    AnsiString imagen;
    EstadoValor estadoImagen = ESTADO_DEFECTO;
    bool cambioEspesor = true;
    // Marcado al guardar un cerramiento que lo tiene en sus capas: se escribe como "UTIL" pero
    // no lo hace intocable (lo que lo usa se mira en las capas de ahora).
    bool utilizadoAlGuardar = false;
};

// Registra el material en la tabla de fábricas (tipo 13).
void RegistrarMaterial();
