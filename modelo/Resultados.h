#pragma once
// Los contenedores de resultados del cálculo, por planta y por espacio. CrearResultado los
// crea: las variantes de Norvia cuando el código de idioma es 2 al crearlos.

#include "comunes/Contenedor.h"

class ResPlanta : public Contenedor {
public:
    explicit ResPlanta(const AnsiString& nombre) : Contenedor(nombre) {}
};

class ResEspacio : public Contenedor {
public:
    explicit ResEspacio(const AnsiString& nombre) : Contenedor(nombre) {}
};

class ResEspacioNorvia : public Contenedor {
public:
    explicit ResEspacioNorvia(const AnsiString& nombre) : Contenedor(nombre) {}
};

// Los totales de una planta: su área y, para cada uno de los tres juegos de resultados
// (O, P, M), la calefacción y la refrigeración medias por unidad de área de sus hijos.
class ResPlantaNorvia : public Contenedor {
public:
    explicit ResPlantaNorvia(const AnsiString& nombre) : Contenedor(nombre) {}

    // Cada una vuelve a sumar desde cero el "Area" de cada hijo y su calefacción y
    // refrigeración de ese juego por su área, y divide las sumas por el área total (0 con
    // un área nula).
    void FilasResultadoO() override;
    void FilasResultadoP() override;
    void FilasResultadoM() override;
    // "Calefacción O", "Refrigeración O" y lo mismo con P y M, con "0.00".
    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;

    float Area() const { return area; }

private:
    enum Juego { O, P, M, JUEGOS };
    void Sumar(Juego juego);

    float area = 0.0f;
    float calefaccion[JUEGOS] = {};
    float refrigeracion[JUEGOS] = {};
};
