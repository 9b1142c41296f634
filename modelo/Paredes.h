#pragma once
// Los cuatro muros concretos del modelo del edificio: exterior (tipo 3, "EXTERIOR-WALL"),
// interior (5, "INTERIOR-WALL"), en contacto con el terreno (6, "UNDERGROUND-WALL") y
// Trombe (41, "TROMBE-WALL"). Cada uno contesta sus claves y pasa las demás al muro; su
// registro empieza por su cabecera y sus líneas, y sigue con la parte del muro.

#include "modelo/Muro.h"

class ParedExterior : public Muro {
public:
    explicit ParedExterior(const AnsiString& nombre);

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    // "Ventanas": los nombres de sus ventanas.
    void ObtenerLista(const AnsiString& clave, TStrings& lista) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    void Leer(LeerBDL* lector) override;
    void Escribir(FileWriter& fichero) override;
    // Cabecera, ABSORPTANCE y la línea de requisitos mínimos, sin la parte del muro.
    void EscribirVariante(FileWriter& fichero) override;
    void EscribirCabecera(FileWriter& fichero) override;
    // Cabecera y ABSORPTANCE.
    void EscribirPropio(FileWriter& fichero) override;
    void CopiarDe(const ObjetoBase& otro) override;

private:
    void Lineas(FileWriter& fichero, bool requisitos);

    AnsiString tipoParamento;
    EstadoValor estadoTipoParamento = ESTADO_DEFECTO;
    float absortividad = 0.6f;
    EstadoValor estadoAbsortividad = ESTADO_DEFECTO;
};

class ParedInterior : public Muro {
public:
    explicit ParedInterior(const AnsiString& nombre);

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    void Leer(LeerBDL* lector) override;
    void Escribir(FileWriter& fichero) override;
    void EscribirVariante(FileWriter& fichero) override;
    void EscribirCabecera(FileWriter& fichero) override;
    void EscribirPropio(FileWriter& fichero) override;
    void CopiarDe(const ObjetoBase& otro) override;

private:
    AnsiString tipoParamento = "ESTANDAR"; // "ESTANDAR", "ADIABATICO" o "MEDIANERA"
    EstadoValor estadoTipoParamento = ESTADO_DEFECTO;
    AnsiString vecino = "Ninguno";
    EstadoValor estadoVecino = ESTADO_DEFECTO;
    bool requisitosMinimos = false; // nada lo pone
};

class ParedContactoTerreno : public Muro {
public:
    explicit ParedContactoTerreno(const AnsiString& nombre);

    // "Profundidad": la altura del vértice más bajo (como mucho 1000), sin guardarla: la
    // leída del fichero no cambia.
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    void Leer(LeerBDL* lector) override;
    void Escribir(FileWriter& fichero) override;
    void EscribirVariante(FileWriter& fichero) override;
    void EscribirCabecera(FileWriter& fichero) override;
    // Como Escribir.
    void EscribirPropio(FileWriter& fichero) override;
    void CopiarDe(const ObjetoBase& otro) override;

private:
    void Lineas(FileWriter& fichero);

    float profundidad = 0.0f;
    EstadoValor estadoProfundidad = ESTADO_DEFECTO;
};

class ParedTrombe : public Muro {
public:
    explicit ParedTrombe(const AnsiString& nombre);

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    void Leer(LeerBDL* lector) override;
    // El registro y después la comprobación propia.
    void Escribir(FileWriter& fichero) override;
    void EscribirVariante(FileWriter& fichero) override;
    // Para el programa hermano, un muro exterior: la cabecera, cerrada.
    void Exportar(FileWriter& fichero) override;
    void CopiarDe(const ObjetoBase& otro) override;

    // En el registro del modelo, bajo el muro Trombe: su acristalamiento y su polígono.
    void ComprobarTrombe();

private:
    void Lineas(FileWriter& fichero);

    float caudal = 2.0f;
    EstadoValor estadoCaudal = ESTADO_DEFECTO;
    AnsiString acristalamiento = "Ninguno";
    EstadoValor estadoAcristalamiento = ESTADO_DEFECTO;
    AnsiString tipoTrombe = "DENTRO-DENTRO";
    EstadoValor estadoTipoTrombe = ESTADO_DEFECTO;
    float absortividad = 0.7f;
    EstadoValor estadoAbsortividad = ESTADO_DEFECTO;
};
