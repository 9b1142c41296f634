#pragma once
// Ventana: una ventana del modelo del edificio (tipo 4), puesta en un muro (su dueño), con
// su tamaño y su posición en el plano del muro. Se refiere por su nombre a un hueco de la
// base de datos abierta (acristalamiento y marco), lleva sus factores de estación, los
// salientes y aletas y unas lamas opcionales, lee y escribe su registro "WINDOW" (con el
// registro de su marco dentro), se comprueba en el registro del modelo y calcula sus cuatro
// esquinas sobre el muro.

#include "comunes/Contenedor.h"
#include "modelo/Coordenadas.h"

#include <memory>

class Ventana : public Contenedor {
public:
    explicit Ventana(const AnsiString& nombre);

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    // Los reales y "Area" (la de sus esquinas).
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    void Leer(LeerBDL* lector) override;
    // El registro, con el de su marco dentro (con el ancho que le toca en esta ventana,
    // sin cambiar el marco de la base de datos).
    void Escribir(FileWriter& fichero) override;
    void Exportar(FileWriter& fichero) override;
    bool AlQuitar() override;
    // Los valores de otra ventana, en estado copiado (los cuatro factores de estación
    // conservan su estado).
    void CopiarDe(const ObjetoBase& otro) override;
    // El de su muro.
    bool PoligonoDefinido() const override;
    void FilaInforme(TStrings& fila) override;

    // Las cuatro esquinas sobre el muro; sin tres vértices del muro o con un muro sin
    // plano, no cambian.
    void Colocar();
    // "bien" o "mal" en el registro del modelo según su hueco.
    void Comprobar();
    bool ComprobarHueco();

    const Coordenadas& Esquinas() const { return esquinas; }
    bool ColocacionPendiente() const { return colocacionPendiente; }
    int Codigo() const { return codigo; }

    // El registro "WINDOW" de ese nombre (sin comillas) de la fuente, entero: el registro
    // del marco que lleva dentro no lo cierra. "desde" (contando desde 1) es por dónde
    // empezar a buscarlo y queda tras él; si no está desde ahí, se busca desde el
    // principio. Nulo si no está o si no se cierra.
    static std::unique_ptr<LeerBDL> ExtraerRegistro(const LeerBDL& fuente, const AnsiString& nombre,
                                                    size_t& desde);

private:
    // Los reales, en el orden de la copia.
    enum Real {
        X,
        Y,
        RETRANQUEO,
        ALTURA,
        ANCHURA,
        TRANSMISIVIDAD,
        TRANSMISIVIDAD_INVIERNO,
        TRANSMISIVIDAD_VERANO,
        CONDUCTANCIA,
        CONDUCTANCIA_INVIERNO,
        CONDUCTANCIA_VERANO,
        ALETA_IZQ_D,
        ALETA_IZQ_A,
        ALETA_IZQ_B,
        ALETA_IZQ_H,
        SALIENTE_D,
        SALIENTE_A,
        SALIENTE_B,
        SALIENTE_W,
        ALETA_DER_D,
        ALETA_DER_A,
        ALETA_DER_B,
        ALETA_DER_H,
        ANGULO,
        ANCHO_LAMA,
        DISTANCIA_LAMA,
        ANGULO_LAMA,
        TRANSMISIVIDAD_LAMA,
        REFLECTIVIDAD_LAMA,
        NUM_REALES
    };
    struct FilaReal {
        const char* clave;
        const char* palabra; // del registro; nulo si no tiene
        float minimo;
        float maximo;
        float defecto; // al rechazar lo tecleado
        float inicial;
        bool dosDecimales; // se muestra con "0.00"; si no, con su texto más corto
    };
    static const FilaReal kReales[NUM_REALES];
    static int IndiceDe(const AnsiString& clave);
    void EscribirRegistro(FileWriter& fichero, bool variante);
    void LineaReal(FileWriter& fichero, Real real, float valor) const;

    float valores[NUM_REALES];
    EstadoValor estados[NUM_REALES];
    AnsiString persiana = "Ninguno";
    EstadoValor estadoPersiana = ESTADO_DEFECTO;
    AnsiString hueco = "Otro";
    EstadoValor estadoHueco = ESTADO_DEFECTO;
    AnsiString tipoLama = "Ninguno";
    EstadoValor estadoTipoLama = ESTADO_DEFECTO;
    int codigo;
    bool colocacionPendiente = true;
    Coordenadas esquinas;
};
