#pragma once
// Un modelo entero en un fichero: la escritura en el orden del árbol (polígonos, cada planta
// con sus espacios, cada espacio con sus muros y cada muro con sus ventanas, las sombras,
// las líneas y los planos) y su lectura en un edificio vacío. Ninguna parte del programa
// dice a qué planta, espacio o muro va cada registro: aquí va al último de su nivel leído
// antes. Lo usan las pruebas y el banco de pruebas.

#include "comunes/Tipos.h"

#include <string>

class Edificio;
class FileWriter;

void EscribirModelo(FileWriter& fichero, Edificio& edificio);

// Qué fábrica crea los objetos: CrearHijoNumerado (la de los cargadores; el muro Trombe
// siempre por CrearHijo, la única que lo crea) o CrearHijo.
enum class FabricaLectura { Numerada, Unica };

// Crea con las fábricas cada objeto de los registros del texto, en su orden, y lo lee de su
// registro. Devuelve cuántos objetos ha leído.
int LeerModelo(const std::string& texto, Edificio& edificio,
               FabricaLectura fabrica = FabricaLectura::Numerada);
