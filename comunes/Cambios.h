#pragma once
// Cambios: el registro de si una base de datos (y los datos del programa hermano) ha
// cambiado o se ha calculado. Va escrito a la cabeza de cada fichero ".BDC" y se lee de él.
// Cada base de datos abierta (GestorBD) tiene el suyo; Instancia da uno común para lo que no
// pertenece a ninguna.

#include "comunes/ObjetoBase.h"

#include <memory>

class Cambios : public ObjetoBase {
public:
    // Uno propio, con las cuatro marcas a falso.
    Cambios();

    // Se crea en la primera llamada, con las cuatro marcas a falso; Liberar lo destruye y
    // la siguiente llamada crea otro.
    static Cambios* Instancia();
    static void Liberar();

    // Las cuatro marcas a falso.
    void Reiniciar();
    // Claves "Cambios", "Calculado", "Cambios Dumvat" y "Calculado Dumvat"; otra clave no
    // hace nada. Poner "Cambios" a cierto deja "Calculado" a falso (un cambio invalida el
    // cálculo); "Cambios Dumvat" no toca "Calculado Dumvat".
    void PonerLogico(const AnsiString& clave, bool valor) override;
    // La marca de la clave; falso para cualquier otra clave.
    bool ValorIndicador(const AnsiString& clave) const;
    void ObtenerLogico(const AnsiString& clave, bool& valor) const override;

    // "CAMBIO ": "SI" marca la base como cambiada (el cálculo queda como estaba); cualquier
    // otro valor, o ninguno, como sin cambios y calculada. Lo mismo "CAMBIO-DUMVAT" con el
    // par del programa hermano; sin esa palabra clave decide el valor de "CAMBIO ". Un
    // lector nulo no lee nada.
    void Leer(LeerBDL* lector) override;
    // "$", "CAMBIO = SI|NO" y "CAMBIO-DUMVAT = SI|NO": NO cuando el par no ha cambiado y
    // está calculado, SI en otro caso.
    void Escribir(FileWriter& fichero) override;

private:
    bool cambios = false;
    bool calculado = false;
    bool cambiosDumvat = false;
    bool calculadoDumvat = false;

    // La marca de la clave (constante o no, como el objeto); nulo para otra clave.
    template <class Yo> static auto Marca(Yo& yo, const AnsiString& clave) -> decltype(&yo.cambios);
};
