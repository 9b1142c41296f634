#pragma once
// Espacio: un espacio (zona térmica) de una planta del modelo del edificio (tipo 2), dueño
// de sus muros. Se refiere por su nombre a un polígono de la lista compartida para su
// contorno en planta, lleva su altura, uso, multiplicador y condiciones, lee y escribe su
// registro "SPACE", se comprueba en el registro del modelo antes de escribirse, se copia
// con sus hijos y calcula su contorno en el espacio.

#include "comunes/Contenedor.h"
#include "comunes/TablaReales.h"
#include "modelo/Coordenadas.h"

class Espacio : public Contenedor {
public:
    explicit Espacio(const AnsiString& nombre);

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void ObtenerEntero(const AnsiString& clave, int& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    void Leer(LeerBDL* lector) override;
    void Escribir(FileWriter& fichero) override;
    void Exportar(FileWriter& fichero) override;
    // Las propiedades de otro espacio (ni Z ni las condiciones del espacio), cada una con su
    // estado copiado (EstadoCopiado), y una copia de cada uno de sus hijos, creada aquí con
    // su nombre.
    void CopiarDe(const ObjetoBase& otro) override;
    // Su planta lo tiene, y su polígono existe en la lista y tiene vértices.
    bool PoligonoDefinido() const override;
    void FilaInforme(TStrings& fila) override;
    void FormatoColumnas(TStrings& anchos, TStrings& alineaciones) const override;
    void TitulosColumnas(TStrings& titulos) const override;

    // El estado del espacio en el registro del modelo: "mal" si su polígono o su origen no
    // sirven o si no tiene condiciones de operación.
    void Comprobar();
    // Falso, avisando, si el polígono no existe; falso, sin avisar, si la planta no tiene
    // polígono o si el polígono no tiene vértices.
    bool ComprobarPoligono();
    // Coloca el polígono sobre la planta y guarda el contorno; si falta algo, no cambia.
    void CalcularContorno();

    const Coordenadas& Contorno() const { return contorno; }
    bool ContornoDesfasado() const { return contornoDesfasado; }
    int Codigo() const { return codigo; }

private:
    static const TablaReales<Espacio>& Reales();
    // El vértice de la planta en que se apoya el espacio ("3"); vacío si no se apoya en
    // ninguno. Falso si el origen nombra un vértice con una forma que no vale.
    bool VerticeDeReferencia(AnsiString& vertice) const;
    // Sin origen, o con uno que nombra un lado que la planta tiene.
    bool OrigenValido() const;
    void DerivarSistema();
    float SinDarSiDefecto(float valor, EstadoValor estado) const;
    void EscribirPosicion(FileWriter& fichero, bool altura);

    AnsiString poligono = "Ninguno";
    float altura = 0.0f;
    EstadoValor estadoAltura = ESTADO_DEFECTO;
    AnsiString tipoEspacio = "HABITADO";
    EstadoValor estadoTipo = ESTADO_DEFECTO;
    int multiplicador = 1;
    EstadoValor estadoMultiplicador = ESTADO_DEFECTO;
    float plantaPesada = 0.0f;
    EstadoValor estadoPlantaPesada = ESTADO_DEFECTO;
    AnsiString origen = "Ninguno";
    EstadoValor estadoOrigen = ESTADO_DEFECTO;
    EstadoValor estadoPoligono = ESTADO_DEFECTO;
    int pilares = 0;
    EstadoValor estadoPilares = ESTADO_DEFECTO;
    float x = 0.0f;
    EstadoValor estadoX = ESTADO_DEFECTO;
    float y = 0.0f;
    EstadoValor estadoY = ESTADO_DEFECTO;
    float z = 0.0f;
    EstadoValor estadoZ = ESTADO_DEFECTO;
    float azimuth = 0.0f;
    EstadoValor estadoAzimuth = ESTADO_DEFECTO;
    int codigo;
    bool contornoDesfasado = true;
    Coordenadas contorno;
    AnsiString condiciones = "Ninguno";
    EstadoValor estadoCondiciones = ESTADO_DEFECTO;
    AnsiString sistemaCondiciones = "Ninguno";
    AnsiString condicionesEspacio = "Ninguno";
    float area = 0.0f;
    EstadoValor estadoArea = ESTADO_DEFECTO;
    float volumen = 0.0f;
    EstadoValor estadoVolumen = ESTADO_DEFECTO;
};
