#pragma once
// El registro de las seis clases de elementos en la tabla de fábricas. Se hace de forma
// explícita al empezar el programa (y en las pruebas): un inicializador estático de una
// biblioteca estática lo podría descartar el enlazador.

// Material (13), Layers (12), Acristalamiento (10), Marco (11), Hueco (16) y
// PuenteTermico (63). Se puede llamar más de una vez.
void RegistrarElementos();
