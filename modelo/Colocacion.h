#pragma once
// La colocación en planta que comparten espacios y muros: los extremos del lado de un
// polígono nombrado por una etiqueta de vértice, y el giro y traslado de puntos del sistema
// de un lado al de otro.

#include "plataforma/base/ansi_string.h"

#include <vector>

// El marcador de valor sin dar.
constexpr float kSinDar = -1e10f;

struct Punto2D {
    float x = 0.0f;
    float y = 0.0f;
};

// El número de vértice de una etiqueta: "V0" (ninguno: el sistema del propio polígono),
// "V" y una o dos cifras, o una etiqueta larga con la "V" en la séptima posición y una o
// dos cifras detrás ("ESPCO-V3", "PLNTA-V12"). Falso si la etiqueta no tiene esa forma.
bool NumeroDeLado(const AnsiString& etiqueta, int& numero);

// Cierto si el polígono de la lista compartida tiene el lado de la etiqueta.
bool ExisteLado(const AnsiString& poligono, const AnsiString& etiqueta);

// Los extremos del lado que empieza en el vértice de la etiqueta del polígono de la lista
// compartida (el del último vuelve al primero); "V0" da el lado unidad (0,0)-(1,0). Sin el
// polígono avisa (mensaje 8) y da falso; una etiqueta mal formada o un vértice que el
// polígono no tiene dan falso sin avisar. Con falso los puntos no cambian.
bool ExtremosLado(const AnsiString& poligono, const AnsiString& etiqueta, Punto2D& p0, Punto2D& p1);

// Lleva los puntos del sistema del lado b0-b1 al del lado a0-a1: los gira el ángulo (en
// grados; sin dar, el que lleva un lado sobre el otro) y los traslada (ox, oy; sin dar, a0).
void Transformar(const Punto2D& a0, const Punto2D& a1, const Punto2D& b0, const Punto2D& b1,
                 float angulo, float ox, float oy, std::vector<Punto2D>& puntos);

// Desde el lado unidad sobre el lado de la etiqueta del polígono; falso (y los puntos sin
// tocar) si no hay lado.
bool ColocarSobreLado(const AnsiString& poligono, const AnsiString& etiqueta, float angulo,
                      float ox, float oy, std::vector<Punto2D>& puntos);
// Giro y traslado solos: desde el lado unidad sobre sí mismo.
void ColocarEnPlano(float angulo, float ox, float oy, std::vector<Punto2D>& puntos);

// La etiqueta de lado de la planta con que se coloca un espacio según su "Origen":
// "PLNTA-V3" tal cual, "V1" si se apoya en la planta entera ("PLNTA-SPACE") y "V0" si no
// se apoya en nada (vacío o "Ninguno").
AnsiString EtiquetaDeOrigen(const AnsiString& origen);
