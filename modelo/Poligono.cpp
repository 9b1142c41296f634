// Poligono: vértices, registro "POLYGON" y sus claves.

#include "modelo/Poligono.h"

#include "comunes/Error.h"
#include "comunes/LeerBDL.h"

#include "plataforma/base/file_writer.h"

#include <stdexcept>
#include <utility>

Poligono::Poligono(const AnsiString& nombre) : ObjetoBase(nombre) {
    tipo = TIPO_POLIGONO;
}

void Poligono::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Nombre")
        valor = ObtenerNombre();
    else if (clave == "Numero puntos")
        valor = AnsiString(NumeroPuntos());
}

void Poligono::ObtenerEntero(const AnsiString& clave, int& valor) const {
    if (clave == "Numero puntos") valor = NumeroPuntos();
}

void Poligono::ObtenerVertices(const AnsiString&, TList&) const {}

const Poligono::Vertice2& Poligono::En(int indice) const {
    if (indice < 0 || indice >= NumeroPuntos())
        throw std::out_of_range("Poligono: vértice fuera del polígono");
    return vertices[static_cast<size_t>(indice)];
}

float Poligono::X(int indice) const {
    return En(indice).x;
}

float Poligono::Y(int indice) const {
    return En(indice).y;
}

void Poligono::Vertice(int indice, float& x, float& y) const {
    x = En(indice).x;
    y = En(indice).y;
}

void Poligono::Leer(LeerBDL* lector) {
    if (lector == nullptr) return;
    vertices.clear();
    std::vector<std::pair<float, float>> pares;
    if (lector->LeerPares(lector->ContarPares(), pares) <= 0) return;
    vertices.reserve(pares.size());
    for (const auto& [x, y] : pares)
        vertices.push_back({x, y});
}

void Poligono::Escribir(FileWriter& fichero) {
    if (NumeroPuntos() < 3) {
        Error::Instancia()->Mensaje(9, ObtenerNombre());
        return;
    }
    fichero.Printf("\"%s\" = POLYGON\n", ObtenerNombre().c_str());
    for (int i = 0; i < NumeroPuntos(); ++i)
        fichero.Printf("    V%-2d  =( %.7g, %.7g )\n", i + 1, static_cast<double>(X(i)),
                       static_cast<double>(Y(i)));
    fichero.Printf("    ..\n");
}
