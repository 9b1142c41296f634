#pragma once
// Los iconos del árbol de una base de datos y del menú contextual, dibujados aquí: 21
// imágenes de 16 x 16 en las posiciones que usan los nodos (2 hueco, 7 carpeta abierta,
// 8 carpeta cerrada, 9 material, 12 vidrio, 13 marco, 15 proyecto, 18 eliminar,
// 19 cerramiento, 20 puente térmico); las demás posiciones quedan vacías.

class TCustomImageList;

void CargarIconosArbol(TCustomImageList* lista);
