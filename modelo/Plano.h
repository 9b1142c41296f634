#pragma once
// Plano: un dibujo al que se refiere el modelo del edificio (tipo 32): una imagen ("BMP")
// o un dibujo de CAD ("DXF"), con su unidad, su posición y, para un dibujo de CAD, sus
// capas. Lee y escribe su registro "PLANE". Los planos viven en la lista compartida
// bdPlanos, que recuerda cuál es el primero.

#include "comunes/Contenedor.h"

#include <memory>

class TStringList;

class Plano : public Contenedor {
public:
    enum TipoPlano { IMAGEN = 0, CAD = 1 };

    explicit Plano(const AnsiString& nombre);
    // Si era el primer plano de la lista, la lista deja de tenerlo.
    ~Plano() override;

    void Leer(LeerBDL* lector) override;
    void Escribir(FileWriter& fichero) override;

    TipoPlano ObtenerTipoPlano() const { return tipoPlano; }
    const AnsiString& Fichero() const { return fichero; }
    float Unidad() const { return unidad; }
    bool EsPrimero() const { return primero; }
    // Las capas de un dibujo de CAD leído; nula si no lo es.
    const TStringList* Capas() const { return capas.get(); }

private:
    AnsiString fichero;
    TipoPlano tipoPlano = IMAGEN;
    float z = 0.0f;
    EstadoValor estadoZ = ESTADO_DEFECTO;
    float unidad = 1.0f;
    EstadoValor estadoUnidad = ESTADO_DEFECTO;
    float x = 0.0f;
    EstadoValor estadoX = ESTADO_DEFECTO;
    float y = 0.0f;
    EstadoValor estadoY = ESTADO_DEFECTO;
    bool primero = false;
    std::unique_ptr<TStringList> capas;
};
