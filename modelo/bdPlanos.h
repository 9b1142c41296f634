#pragma once
// bdPlanos: la lista única de planos del modelo ("Planos"), que los escribe en un bloque y
// recuerda cuál está marcado como primero (sin ser suyo).

#include "comunes/Contenedor.h"
#include "modelo/Compartida.h"

class Plano;

class bdPlanos : public Contenedor, public Compartida<bdPlanos> {
public:
    static bdPlanos* Instancia();

    // "Nombre"; otra clave deja el valor como estaba.
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    // El bloque "Planos" y el registro de cada plano, en orden.
    void Escribir(FileWriter& fichero) override;
    // Suelta el plano sin borrarlo; si era el primero, la lista deja de tenerlo.
    void QuitarHijo(ObjetoBase* hijo) override;

    // El plano marcado como primero; nulo si no lo hay o si se quitó o se borró.
    Plano* PrimerPlano() const { return primerPlano; }
    void PonerPrimerPlano(Plano* plano) { primerPlano = plano; }
    // Si la lista existe y su primer plano es ese, lo olvida.
    static void OlvidarPlano(const Plano* plano);

private:
    friend class Compartida<bdPlanos>;
    bdPlanos() : Contenedor("Planos") {}

    Plano* primerPlano = nullptr;
};
