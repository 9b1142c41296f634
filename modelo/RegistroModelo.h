#pragma once
// El alta de las clases del modelo del edificio en la tabla de fábricas de Contenedor. Se
// hace de forma explícita al empezar el programa (y en las pruebas), como la de los
// elementos.

// Planta (1), Espacio (2), los muros exterior (3), interior (5), en contacto con el
// terreno (6) y Trombe (41, solo para CrearHijo), Ventana (4), Sombra (7), Poligono (9),
// Linea (30), Plano (32) y los contenedores de resultados de planta y de espacio. Se puede
// llamar más de una vez.
void RegistrarModelo();
