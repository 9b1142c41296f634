#pragma once
// Las bases de datos del programa (tipo de lista 3) con lo que necesita un modelo válido:
// la construcción "Muro tipo", el acristalamiento "Vidrio doble", el marco "Marco PVC" y el
// hueco "Ventana tipo" (ese vidrio, ese marco, 20 % de marco). Así escribir el modelo no
// abre ninguna caja.
void PrepararBasesDelPrograma();
// Libera las listas compartidas del modelo (polígonos, sombras, planos) y las bases de
// datos del programa: lo siguiente empieza de vacío.
void LiberarListasCompartidas();
