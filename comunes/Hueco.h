#pragma once
// Hueco: el elemento hueco (tipo 16): una ventana, lucernario o puerta hecha de un
// acristalamiento y un marco, los dos por su nombre, con el porcentaje del hueco que cubre
// el marco, la permeabilidad al aire y la marca de puerta. Registro "GAP" de una base de
// datos, nodo XML "Gap", la forma del programa hermano, las filas de informe y los valores
// del hueco entero (transmitancia y factor solar) que da el informe de huecos.
//
// Las partes viven en las bases de acristalamientos y de marcos de la base de datos que
// tiene el hueco; "Ninguno" es el nombre que dice que no hay parte.

#include "comunes/ObjetoBase.h"
#include "comunes/TablaReales.h"

class bdLibreria;

class Hueco : public ObjetoBase {
public:
    explicit Hueco(const AnsiString& nombre);

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void ObtenerLogico(const AnsiString& clave, bool& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    // "Utilizado" marca también el acristalamiento y el marco del hueco en las bases de su
    // tipo de lista; "esPuerta" es la marca de puerta.
    void PonerLogico(const AnsiString& clave, bool valor) override;

    // Lee el registro "GAP" y después se asegura de que sus partes existen (CompletarPartes).
    void Leer(LeerBDL* lector) override;
    // Un hueco no tiene forma abreviada: no lee nada.
    void LeerAbreviado(LeerBDL* lector) override;
    // Comprueba el hueco en el registro del modelo y escribe su registro "GAP" entero,
    // también si es de librería. Factor solar, conductancias y absortividad no se escriben.
    void Escribir(FileWriter& fichero) override;
    void EscribirSinLibreria(FileWriter& fichero, int marca) override;
    // Solo si se usa: la forma de su acristalamiento (buscado por nombre completo en su base
    // de acristalamientos) o, si no está, la de un acristalamiento provisional "Otro_" +
    // nombre con el factor solar y la conductancia del hueco.
    void Exportar(FileWriter& fichero) override;
    void EscribirXML(DocumentoXML& documento, IXMLNode* padre) override;
    // Las propiedades por clave, salvo nombre, nombre completo, uso y estados; la marca de
    // librería pasa si el otro la tiene.
    void CopiarDe(const ObjetoBase& otro) override;
    // Filas de informe; un hueco que no se usa no añade nada. Vidrio y marco: la fila de la
    // parte (de la base de la base de datos abierta actual) con el nombre del hueco en su segunda
    // celda, si la parte está y añade su fila.
    void FilaInforme(TStrings& fila) override;
    void FilaInformeMarco(TStrings& fila) override;
    void FilaInformeVidrio(TStrings& fila) override;
    // Su bloque del informe de huecos (solo si se usa): nombre, partes, porcentaje de marco,
    // transmitancia y, salvo en la variante regional, permeabilidad, factor solar y
    // justificación.
    void Informe(DocumentoPDFOstrel& informe) override;
    // Las bases en las que se buscan sus partes al leerlo y al exportarlo; no son suyas.
    void PonerBasesDatos(bdMarcos* marcos, bdAcristalamientos* acristalamientos) override;
    // Cierto si el nombre es el de su acristalamiento o el de su marco.
    bool Utiliza(const AnsiString& nombre) const override;
    // Cierto si usa la parte de ese tipo con ese nombre: un marco solo lo nombra el marco del
    // hueco, un acristalamiento solo su acristalamiento.
    bool UtilizaParte(TipoObjeto tipo, const AnsiString& nombre) const;

    // Cierto si su acristalamiento está en su base de datos (sin ella, en la abierta actual)
    // por nombre completo y no se puede cambiar.
    bool VidrioBloqueado() const;
    // Pone su estado ("bien" o "mal") en el registro del modelo y, si se usa y le falta el
    // marco o el acristalamiento, una línea de error por cada uno.
    void Comprobar();
    // Si el acristalamiento o el marco de esos nombres no está en la base de su base de
    // datos, lo crea allí, copiado del de ese nombre en las bases que le
    // dio PonerBasesDatos si lo hay. Un hueco sin base no completa nada; un nombre vacío o
    // "Ninguno" no es una parte y no crea nada.
    void CompletarPartes(const AnsiString& nombreMarco, const AnsiString& nombreVidrio);

    // Lo que el hueco toma de sus partes: de las bases de su tipo de lista (sin base, de
    // las que le dio PonerBasesDatos), el acristalamiento y el marco por nombre. Una parte
    // que no está da 0 en sus dos valores.
    struct ValoresPartes {
        float conductanciaVidrio = 0.0f; // Ug
        float factorSolarVidrio = 0.0f;  // g
        float conductanciaMarco = 0.0f;  // Uf
        float absortividadMarco = 0.0f;  // alfa
    };
    ValoresPartes LeerValoresPartes() const;
    // Transmitancia (W/m²K) y factor solar del hueco entero, con sus partes.
    float Transmitancia() const;
    float FactorSolarConjunto() const;
    // Las fórmulas, con el porcentaje de marco P: U = (1 - P/100) Ug + P/100 Uf y
    // F = (1 - P/100) g + P/100 0.04 Uf alfa, redondeadas a float.
    static float CalcularTransmitancia(float porcentajeMarco, float uVidrio, float uMarco);
    static float CalcularFactorSolar(float porcentajeMarco, float factorVidrio, float uMarco,
                                     float absortividadMarco);

private:
    static const TablaReales<Hueco>& Reales();
    // Las bases de la base de datos que lo tiene (las de su base de huecos o, si no tiene,
    // las actuales de su tipo de lista); sin base, las que le dio PonerBasesDatos.
    bdAcristalamientos* AcristalamientosDeSuLista() const;
    bdMarcos* MarcosDeSuLista() const;

    bdAcristalamientos* acristalamientos = nullptr;
    bdMarcos* marcos = nullptr;
    AnsiString grupoVidrio = "Ninguno";
    EstadoValor estadoGrupoVidrio = ESTADO_DEFECTO;
    AnsiString vidrio = "Ninguno";
    EstadoValor estadoVidrio = ESTADO_DEFECTO;
    float factorSolar = 0.85f;
    EstadoValor estadoFactor = ESTADO_DEFECTO;
    float conductanciaVidrio = 5.6f;
    EstadoValor estadoConductanciaVidrio = ESTADO_DEFECTO;
    AnsiString grupoMarco = "Ninguno";
    EstadoValor estadoGrupoMarco = ESTADO_DEFECTO;
    AnsiString marco = "Ninguno";
    EstadoValor estadoMarco = ESTADO_DEFECTO;
    float conductanciaMarco = 0.6f;
    EstadoValor estadoConductanciaMarco = ESTADO_DEFECTO;
    float absortividad = 0.9f;
    EstadoValor estadoAbsortividad = ESTADO_DEFECTO;
    float porcentajeMarco = 10.0f;
    EstadoValor estadoPorcentaje = ESTADO_DEFECTO;
    float permeabilidad = 50.0f;
    EstadoValor estadoPermeabilidad = ESTADO_DEFECTO;
    bool esPuerta = false;
};

// Da de alta la clase en la tabla de fábricas (tipo 16).
void RegistrarHueco();
