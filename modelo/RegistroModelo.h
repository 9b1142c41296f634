#pragma once
// El alta de las clases del modelo del edificio en la tabla de fábricas de Contenedor. Se
// hace de forma explícita al empezar el programa (y en las pruebas), como la de los
// elementos.

// Planta (1), Sombra (7), Poligono (9), Linea (30), Plano (32) y los contenedores de
// resultados de planta y de espacio. Se puede llamar más de una vez.
void RegistrarModelo();
