#pragma once
// DocumentoXML: la única vía por la que el guardado XML de una base de datos y los
// elementos construyen sus nodos. Trabaja sobre un TXMLDocument que no es suyo (lo da la
// ventana de la base de datos) y que se arma en memoria antes de guardarse de una vez.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/numbers.h"

#include <concepts>
#include <string>
#include <type_traits>

class IXMLNode;
class TXMLDocument;

class DocumentoXML {
public:
    explicit DocumentoXML(TXMLDocument& documento) : documento_(documento) {}

    // Carga el fichero en el documento. Si no se puede leer o no es XML bien formado, el
    // documento queda inactivo y UltimoError() dice por qué (con la línea del error).
    bool Abrir(const AnsiString& ruta);
    // Empieza un documento vacío en memoria cuyo elemento raíz se llama así, en lugar del
    // que hubiera (no hace falta un fichero de partida).
    void NuevoDocumento(const AnsiString& raiz);
    // Guarda el documento entero o nada: si falla, el fichero anterior queda como estaba y
    // UltimoError() dice por qué.
    bool Guardar(const AnsiString& ruta);
    AnsiString UltimoError() const { return error_; }

    // Un elemento nuevo al final del elemento raíz, o del nodo dado. EXMLDocError si no hay
    // documento o el nombre no es un nombre XML.
    IXMLNode* NuevoNodoRaiz(const AnsiString& nombre);
    IXMLNode* NuevoNodo(IXMLNode* nodo, const AnsiString& nombre);
    void PonerTexto(IXMLNode* nodo, const AnsiString& texto);

    // El valor de un atributo es texto o número; los números se escriben como los
    // convierte a texto una variante: FloatToStr los reales (con el separador decimal
    // regional; un float se ensancha: 0.6f da "0.600000023841858") e IntToStr los enteros.
    void PonerAtributo(IXMLNode* nodo, const AnsiString& nombre, const AnsiString& valor);
    void PonerAtributo(IXMLNode* nodo, const AnsiString& nombre, const char* valor) {
        PonerAtributo(nodo, nombre, AnsiString(valor));
    }
    template <std::floating_point T>
    void PonerAtributo(IXMLNode* nodo, const AnsiString& nombre, T valor) {
        PonerAtributo(nodo, nombre, FloatToStr(static_cast<double>(valor)));
    }
    template <std::integral T>
    requires(!std::same_as<T, bool> &&
             !std::same_as<T, char>) void PonerAtributo(IXMLNode* nodo, const AnsiString& nombre,
                                                        T valor) {
        if constexpr (std::is_signed_v<T> || sizeof(T) < sizeof(long long))
            PonerAtributo(nodo, nombre, IntToStr(static_cast<long long>(valor)));
        else
            PonerAtributo(nodo, nombre, AnsiString(std::to_string(valor)));
    }
    // Un lógico no tiene una forma de texto acordada: quien llama escribe "YES" o "NO".
    void PonerAtributo(IXMLNode* nodo, const AnsiString& nombre, bool valor) = delete;

private:
    TXMLDocument& documento_;
    AnsiString error_;
};
