#pragma once
// LeerBDL: un fichero de texto de palabras clave (bases de datos, catálogo, librerías,
// modelos de edificio, "config.ini") entero en memoria, o un registro recortado de él, con
// búsquedas de números, textos y listas tras una palabra clave y el recorrido de sus
// registros.
//
// Una palabra clave se encuentra solo donde empieza una palabra del texto (al principio,
// o tras un blanco, un tabulador o un fin de línea), fuera de un texto entre comillas de su
// línea, y, si no acaba en blanco, solo donde acaba una palabra (ante un blanco, tabulador,
// "=", "(" o fin de línea). El blanco con que acaba una palabra clave vale también por un
// tabulador del texto. En las líneas de comentario ("$") se encuentra aunque haya
// comillas. Gana la primera aparición.

#include "comunes/IndiceBDL.h"

#include "plataforma/base/ansi_string.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CamposBDL;

// Un registro que una carga no puede leer, con su sitio en el texto.
struct RegistroIlegible {
    enum class Motivo {
        SinCierre,         // la cabecera de un tipo que se carga, sin su ".."
        TipoDesconocido,   // la cabecera de un tipo que no se carga
        SinCabecera,       // texto que parece un registro, sin cabecera reconocible
        DefectosSinCierre, // un bloque "SET-DEFAULT FOR" de un tipo que se carga, sin su ".."
        SinRegistros,      // un texto sin ningún registro, con más de lo que tiene una base vacía
    };
    Motivo motivo = Motivo::SinCierre;
    AnsiString tipo;   // vacío si no se sabe
    AnsiString nombre; // sin comillas; vacío si no se sabe
    int linea = 0;     // contando desde 1
    int lineaFin = 0;  // la del ".." de un texto sin cabecera, o la última de un texto sin
                       // registros; 0 si no la hay
};

class LeerBDL {
public:
    // Comprimida: cada fin de línea queda con un blanco a cada lado y cada racha de blancos
    // en uno (la sangría desaparece). Literal: los bytes del fichero. En las dos, CR LF
    // pasa a ser LF.
    enum class Forma { Comprimida, Literal };
    struct EnMemoria {};

    // Lee el fichero entero; si no se puede leer, el lector queda sin texto y toda
    // búsqueda falla. Sin memoria lanza std::bad_alloc.
    explicit LeerBDL(const AnsiString& ruta, Forma forma = Forma::Comprimida);
    // El mismo tratamiento sobre un texto ya en memoria.
    LeerBDL(EnMemoria, std::string_view contenido, Forma forma = Forma::Comprimida);
    // Como el primero, diciendo si se ha podido leer.
    LeerBDL(const AnsiString& ruta, Forma forma, bool& leido);
    // De un fichero de datos de librería, solo la primera entrada "$LIBRARY-ENTRY" cuyas
    // claves (columnas 16, 48 y 64 de su línea, contando desde el "$") coinciden; una
    // tercera clave "*" vale por cualquiera. La entrada va hasta su línea "..", incluida.
    LeerBDL(const AnsiString& ruta, const AnsiString& clave1, const AnsiString& clave2,
            const AnsiString& clave3);
    virtual ~LeerBDL();

    LeerBDL(const LeerBDL&) = delete;
    LeerBDL& operator=(const LeerBDL&) = delete;

    // Un lector con el registro de ese tipo y nombre (entre comillas o sin ellas) y, detrás,
    // el bloque por defecto de su tipo. Toma el registro al que ha llegado el recorrido de
    // la fuente (SiguienteObjeto) si es ese; si no, el primero con ese nombre. Un registro
    // acaba en el ".." solo en su línea; si antes llega otra cabecera o el final, no se
    // encuentra: el lector devuelto no tiene texto y "encontrado" queda en false.
    static std::unique_ptr<LeerBDL> ExtraerObjeto(const LeerBDL& fuente, const AnsiString& tipo,
                                                  const AnsiString& nombre, bool& encontrado);
    // Lo mismo en un lector que se reutiliza de un registro a otro (su texto conserva la
    // memoria pedida), que queda como el que da ExtraerObjeto; devuelve "encontrado". No
    // puede ser la fuente.
    static bool ExtraerObjetoEn(const LeerBDL& fuente, const AnsiString& tipo,
                                const AnsiString& nombre, LeerBDL& registro);

    bool TieneTexto() const { return !texto_.empty(); }
    const std::string& Texto() const { return texto_; }

    // Búsquedas: 0 si la palabra clave está (o la cuenta de elementos en las listas) y -1
    // si no; con -1 el valor de salida no se toca. Un número que no se puede leer, o que es
    // infinito o NaN, cuenta como ausente.
    //
    // El número que sigue al primer "=" desde el principio de la palabra clave.
    int LeerReal(const AnsiString& clave, float& valor) const;
    int LeerEntero(const AnsiString& clave, int& valor) const;
    // El valor tras el "=": entre comillas (comillas incluidas) o hasta el siguiente blanco.
    int LeerCadena(const AnsiString& clave, AnsiString& valor) const;
    // Los números de la lista entre paréntesis que sigue a la palabra clave; uno que no se
    // puede leer queda como 0 para no mover a los demás. "()" da 0 números.
    int LeerListaReales(const AnsiString& clave, std::vector<float>& valores) const;
    // Los textos entre comillas (comillas incluidas) de la lista entre paréntesis.
    int LeerListaCadenas(const AnsiString& clave, std::vector<AnsiString>& valores) const;
    // Cuántos "(" hay tras la palabra clave "V1" (vértices de un polígono); 0 sin "V1".
    int ContarPares() const;
    // Hasta "cuenta" pares "( x, y" tras "V1"; devuelve cuántos leyó, -1 sin "V1".
    int LeerPares(int cuenta, std::vector<std::pair<float, float>>& pares) const;
    // Búsqueda literal del texto desde la posición "inicio" (contando desde 1); la posición
    // de la primera aparición, contando desde 1, o 0 si no está.
    size_t Buscar(const AnsiString& texto, size_t inicio = 1) const;

    // Recorrido de registros. El tipo puede llevar su blanco final ("MATERIAL ").
    int ContarObjetos(const AnsiString& tipo) const;
    void Reiniciar();
    // El nombre (sin comillas) de la siguiente cabecera del tipo tras el cursor, que pasa a
    // ella; vacío si no quedan.
    AnsiString SiguienteObjeto(const AnsiString& tipo);

    // Lo que una carga de los registros de estos tipos (con su blanco final o sin él) no
    // podría leer, en el orden del texto: las cabeceras de esos tipos sin su ".." y sus
    // bloques por defecto sin él, las cabeceras de otros tipos y el texto que parece un
    // registro sin cabecera reconocible. Vacío si todo se lee. Ha de pedirse antes de
    // SoltarAnterioresA.
    std::vector<RegistroIlegible>
    RegistrosIlegibles(const std::vector<std::string_view>& tipos) const;

    // Para quien ya solo va a contar, recorrer y recortar registros de estos tipos: las
    // páginas enteras del texto anteriores a la primera cabecera de cualquiera de ellos y a
    // sus bloques por defecto vuelven al sistema (se leen como ceros). Cualquier otro uso
    // del lector después da resultados sin sentido.
    void SoltarAnterioresA(const std::vector<std::string_view>& tipos);

    // Ficheros de datos de librería (léanse en forma Literal: las columnas cuentan).
    // Cuántas entradas tienen esa segunda clave.
    int ContarEntradas(const AnsiString& clave2) const;
    // Las tres claves (columnas 16, 48 y 64) de la siguiente entrada tras el cursor con esa
    // segunda clave; el cursor pasa a ella. 0 si la hay, -1 si no.
    int SiguienteEntrada(const AnsiString& clave2, AnsiString& campo1, AnsiString& campo2,
                         AnsiString& campo3);

private:
    friend class CamposBDL;
    struct Preparado {};
    LeerBDL(Preparado, std::string texto, Forma forma);

    size_t BuscarClave(std::string_view clave) const;
    // Las lecturas por clave desde la posición donde empieza la palabra clave (npos: no
    // está).
    int LeerRealEn(size_t clave, float& valor) const;
    int LeerCadenaEn(size_t clave, AnsiString& valor) const;
    // El valor de LeerCadena, como vista del texto; falso si no lo hay.
    bool CadenaEn(size_t clave, std::string_view& valor) const;
    int LeerListaRealesEn(size_t clave, std::vector<float>& valores) const;
    int LeerListaCadenasEn(size_t clave, std::vector<AnsiString>& valores) const;
    // Los textos de LeerListaCadenas, como vistas del texto; -1 sin la clave.
    int ListaCadenasEn(size_t clave, std::vector<std::string_view>& valores) const;
    // Tras la palabra clave que empieza en la posición, la posición siguiente a su "=" (o a
    // su primer "("), o npos.
    size_t TrasIgual(size_t clave) const;
    size_t TrasParentesis(size_t clave) const;
    const IndiceBDL& Indice() const;

    std::string texto_;
    Forma forma_ = Forma::Comprimida;
    size_t cursor_ = 0;
    size_t actual_ = BloqueBDL::npos; // cabecera a la que ha llegado el recorrido
    // La lista de cabeceras de la última que dio SiguienteObjeto y su puesto en ella.
    const std::vector<size_t>* recorrida_ = nullptr;
    size_t enLista_ = 0;
    mutable std::unique_ptr<IndiceBDL> indice_;
};

// Un juego fijo de palabras clave (hasta 64), preparado una vez para buscarlas todas en un
// texto de una sola pasada (CamposBDL). Se guardan las vistas: los textos deben vivir lo que
// el juego (literales).
class ClavesBDL {
public:
    static constexpr size_t kMaximo = 64;
    ClavesBDL(std::initializer_list<std::string_view> claves);
    explicit ClavesBDL(std::vector<std::string_view> claves);
    size_t Cuantas() const { return claves_.size(); }

private:
    friend class CamposBDL;
    struct Clave {
        std::string_view texto;
        // Sus primeros 16 bytes (los que tenga) tal como se leen de la memoria, de 8 en 8, y
        // las máscaras de los que tiene: dos comparaciones de 8 bytes dicen si es ella (más
        // allá, solo las claves más largas se comparan aparte).
        uint64_t prefijo[2] = {};
        uint64_t mascara[2] = {};
        bool acabaSola = false; // acaba en separador: marca ella misma el fin de palabra
        // Acaba en blanco: en el texto vale ahí un blanco o un tabulador (ese byte queda
        // fuera del prefijo y se mira aparte).
        bool blancoFinal = false;
    };
    std::vector<Clave> claves_;
    uint64_t todas_ = 0; // las que se buscan (las vacías nunca se encuentran)
    // Por primer carácter, las claves que empiezan por él; las que empiezan en separador se
    // buscan aparte, una a una.
    std::array<uint64_t, 256> porPrimera_{};
    uint64_t enSeparador_ = 0;
};

// Las palabras clave de un juego, halladas en el texto de un lector en una sola pasada, cada
// una donde la encuentran las búsquedas por clave del lector, y sus lecturas: las mismas que
// LeerReal, LeerCadena, LeerListaReales y LeerListaCadenas con esa clave. Una clave se nombra
// por su puesto en el juego. El lector no debe cambiar mientras se lee.
class CamposBDL {
public:
    CamposBDL(const LeerBDL& lector, const ClavesBDL& claves);

    int LeerReal(size_t clave, float& valor) const;
    int LeerCadena(size_t clave, AnsiString& valor) const;
    // El valor de LeerCadena sin sus comillas (como QuitarComillas), como vista del texto del
    // lector; falso, sin tocarlo, si no lo hay.
    bool Texto(size_t clave, std::string_view& texto) const;
    int LeerListaReales(size_t clave, std::vector<float>& valores) const;
    int LeerListaCadenas(size_t clave, std::vector<AnsiString>& valores) const;
    // Los textos de LeerListaCadenas sin sus comillas, como vistas del texto del lector; -1
    // sin la clave.
    int ListaTextos(size_t clave, std::vector<std::string_view>& textos) const;

private:
    const LeerBDL& lector_;
    std::array<size_t, ClavesBDL::kMaximo> posiciones_;
};
