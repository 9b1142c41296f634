#pragma once
// Fabrica: la tabla de las fábricas de objetos de Contenedor, por código de tipo. Cada
// clase de elemento y del modelo del edificio registra aquí su constructor; un tipo sin
// clase registrada no crea nada. Solo los tipos 1 a 63 pueden tener clase.

#include "comunes/Tipos.h"

#include "plataforma/base/ansi_string.h"

#include <functional>
#include <memory>

class ObjetoBase;

// Construye un objeto con el nombre dado, y nada más.
using CreadorObjeto = std::function<std::unique_ptr<ObjetoBase>(const AnsiString& nombre)>;

class Fabrica {
public:
    // Cómo se puede crear un tipo: por las dos fábricas, o solo por CrearHijo (el muro
    // Trombe no lo crea CrearHijoNumerado).
    enum class Alcance { Ambas, SoloCrearHijo };

    // Registra (o sustituye) la clase de un tipo. Un creador vacío lo deja sin clase. Un
    // tipo fuera de 1..63 lanza std::out_of_range.
    static void Registrar(TipoObjeto tipo, CreadorObjeto creador, Alcance alcance = Alcance::Ambas);
    // Registra la clase de resultados de un tipo (planta o espacio) para CrearResultado; el
    // creador elige la variante regional.
    static void RegistrarResultado(TipoObjeto tipo, CreadorObjeto creador);

    // Un objeto nuevo del tipo, o nulo si el tipo no tiene clase para esa fábrica.
    static std::unique_ptr<ObjetoBase> Crear(TipoObjeto tipo, const AnsiString& nombre,
                                             bool numerado);
    static std::unique_ptr<ObjetoBase> CrearResultado(TipoObjeto tipo, const AnsiString& nombre);

    // Un registro que dura lo que su ámbito: al acabar deja el tipo como estaba. Lo usan las
    // pruebas y los bancos de pruebas para registrar una clase de prueba.
    class Sustitucion {
    public:
        Sustitucion(TipoObjeto tipo, CreadorObjeto creador, Alcance alcance = Alcance::Ambas);
        ~Sustitucion();
        Sustitucion(const Sustitucion&) = delete;
        Sustitucion& operator=(const Sustitucion&) = delete;

    private:
        TipoObjeto tipo_;
        CreadorObjeto anterior_;
        Alcance alcanceAnterior_;
    };
};
