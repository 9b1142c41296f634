#pragma once
// PuenteTermico: el elemento de tipo 63, un puente térmico descrito por su coeficiente
// "Fi", su factor de temperatura de la superficie interior "Efe", una zona climática, un
// grupo y un dibujo. Lee y escribe su registro "BRIDGE" y su nodo XML, y responde a sus
// propiedades por clave.

#include "comunes/ObjetoBase.h"
#include "comunes/TablaReales.h"

class PuenteTermico : public ObjetoBase {
public:
    explicit PuenteTermico(const AnsiString& nombre);

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    // Valida como un texto tecleado, con otros límites y defectos que AsignarPropiedad.
    void PonerReal(const AnsiString& clave, float valor) override;

    void Leer(LeerBDL* lector) override;
    // Un puente térmico no tiene forma abreviada: no lee nada.
    void LeerAbreviado(LeerBDL* lector) override;
    // El registro "BRIDGE", también para un puente de librería.
    void Escribir(FileWriter& fichero) override;
    void EscribirXML(DocumentoXML& documento, IXMLNode* padre) override;
    // El registro corto "PUENTETERMICO": nombre y LIBRARY.
    void EscribirCabecera(FileWriter& fichero) override;
    // Copia las propiedades de otro elemento por sus claves, sin tocar los estados. Si el
    // otro es de librería, este también.
    void CopiarDe(const ObjetoBase& otro) override;
    void FilaInforme(TStrings& fila) override;
    // Un puente térmico admite cualquier nombre que un fichero guarde tal cual
    // (NombreGrabable), no solo las letras y cifras de los demás elementos.
    bool NombreValido(const AnsiString& nombre) const override;

private:
    static const TablaReales<PuenteTermico>& Reales();

    float fi = 0.4f;
    EstadoValor estadoFi = ESTADO_DEFECTO;
    float efe = 0.4f;
    EstadoValor estadoEfe = ESTADO_DEFECTO;
    AnsiString zona;
    EstadoValor estadoZona = ESTADO_DEFECTO;
    AnsiString imagen;
    EstadoValor estadoImagen = ESTADO_DEFECTO;
};

// Registra el puente térmico en la tabla de fábricas (tipo 63).
void RegistrarPuenteTermico();
