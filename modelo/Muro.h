#pragma once
// Muro: la base común de los cuatro tipos de muro del modelo del edificio. Un muro es de
// un espacio y tiene como hijos sus ventanas. Guarda su construcción (un cerramiento de la
// base de datos abierta), dónde está (un lado del contorno de su espacio, el techo o el
// suelo del espacio, o coordenadas dadas), un polígono propio opcional, su tamaño y
// orientación, y sus vértices en coordenadas del edificio, que calcula al leerse. Al morir
// borra sus ventanas, como todo contenedor.

#include "comunes/Contenedor.h"
#include "comunes/TablaReales.h"
#include "modelo/Colocacion.h"
#include "modelo/Coordenadas.h"

#include <vector>

class Muro : public Contenedor {
public:
    // "Nombre", "Poligono", "Construcción", "Origen" (en su forma interna) y los reales
    // ("Altura", "Anchura", "X", "Y", "Z", "Azimuth", "Inclinación", "ÁnguloRadianes") en
    // texto general.
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    // El estado de cada clave con estado.
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    // La parte del muro del registro, tras las claves propias de su tipo.
    void Leer(LeerBDL* lector) override;
    // La parte del muro del registro, que lo cierra, y el registro de su construcción.
    void Escribir(FileWriter& fichero) override;
    // Como Escribir, con la construcción como "nombre-C" y sin su registro.
    void Exportar(FileWriter& fichero) override;
    bool AlQuitar() override;
    // Polígono, construcción, origen y reales de otro muro, cada uno con su estado copiado
    // (EstadoCopiado); el nombre no.
    void CopiarDe(const ObjetoBase& otro) override;
    // El de su espacio.
    bool PoligonoDefinido() const override;
    // Nombre, construcción, espacio, color, área y orientación.
    void FilaInforme(TStrings& fila) override;
    void FormatoColumnas(TStrings& anchos, TStrings& alineaciones) const override;
    void TitulosColumnas(TStrings& titulos) const override;

    // Los vértices calculados; un índice fuera lanza std::out_of_range.
    void Vertice(int indice, float& vx, float& vy, float& vz) const;
    const Coordenadas& Vertices() const { return vertices; }
    // Calcula los vértices desde el contorno del espacio; si algo falta, no cambian.
    void CalcularCoordenadas();
    // El estado del muro en el registro del modelo: su construcción, su polígono y su
    // origen.
    void Comprobar();
    bool PrimerCalculo() const { return primerCalculo; }
    int Codigo() const { return codigo; }

protected:
    explicit Muro(const AnsiString& nombre);

    // Las líneas del muro hasta su cierre; "sufijo" va tras el nombre de la construcción.
    void EscribirParteMuro(FileWriter& fichero, const char* sufijo);

private:
    static const TablaReales<Muro>& Reales();
    // El lado del espacio en que está ("V3"), si el origen nombra uno. Falso si lo nombra
    // con una forma que no vale.
    bool LadoDelEspacio(AnsiString& lado) const;
    // El origen es un lado del espacio (no el techo, ni el suelo, ni nada).
    bool NombraLado() const;
    bool ColocarEnEdificio(std::vector<Punto2D>& puntos) const;

    AnsiString construccion = "Ninguno";
    EstadoValor estadoConstruccion = ESTADO_DEFECTO;
    float altura = 0.0f;
    EstadoValor estadoAltura = ESTADO_DEFECTO;
    AnsiString origen = "Ninguno";
    EstadoValor estadoOrigen = ESTADO_DEFECTO;
    AnsiString poligono = "Ninguno";
    EstadoValor estadoPoligono = ESTADO_DEFECTO;
    float x = 0.0f;
    EstadoValor estadoX = ESTADO_DEFECTO;
    float y = 0.0f;
    EstadoValor estadoY = ESTADO_DEFECTO;
    float z = 0.0f;
    EstadoValor estadoZ = ESTADO_DEFECTO;
    float azimuth = 0.0f;
    EstadoValor estadoAzimuth = ESTADO_DEFECTO;
    float inclinacion = 90.0f;
    EstadoValor estadoInclinacion = ESTADO_DEFECTO;
    float anguloRadianes = 0.0f;
    float anchura = 0.0f;
    EstadoValor estadoAnchura = ESTADO_DEFECTO;
    int codigo;
    bool primerCalculo = true;
    Coordenadas vertices;
};
