#pragma once
// El tratamiento del texto leído de un fichero de palabras clave antes de buscar en él.
//
// Siempre CR LF pasa a ser LF (lo que hace un fichero abierto en modo texto). Comprimido,
// además: cada fin de línea (LF, o CR suelto) queda como blanco + fin + blanco, y un blanco
// que sigue a otro blanco o a un fin de línea desaparece (cada racha de blancos queda en
// uno; la sangría desaparece). Los tabuladores no se tocan.

#include <cstddef>
#include <functional>
#include <string>

// Cuántos bytes se tratan de una vez, como mucho: el procesador puede no llegar (bloques de
// 64 bytes piden AVX-512 con compactación de bytes; de 16, SSSE3), y entonces se tratan de
// menos en menos. El resultado es siempre el mismo.
enum class AnchoBDL { Byte, Bloque16, Bloque64 };

// Trata texto[inicio, final) y deja el resultado en "texto" desde su principio: los bytes
// antes de "inicio" son el margen para lo que los fines de línea añaden antes de que la
// sangría y los CR quitados lo compensen; si no basta, el resto va a un texto nuevo que
// pasa a ser "texto".
void PrepararTextoBDL(std::string& texto, bool comprimir, size_t inicio,
                      AnchoBDL ancho = AnchoBDL::Bloque64);

// Lo mismo para un texto que llega por piezas, sin tenerlo entero en memoria antes de
// tratarlo: "leer" pone hasta n bytes en el sitio que se le da y devuelve cuántos (0 al
// final, negativo si falla). Cada pieza se trata mientras sigue en la caché y se añade al
// final de "destino". Se corta tras el último byte de la pieza que no es un blanco ni un fin
// de línea (lo que da un byte así no depende de los vecinos, ni lo que da el siguiente de
// él); el resto pasa a la pieza siguiente. Tras añadir cada pieza, si se da, se llama a
// "tratada" con todo el destino (para quien lo recorre mientras sigue en la caché). Falso si
// leer falla.
using LeerPiezaBDL = std::function<long(char* sitio, size_t n)>;
using TratadaBDL = std::function<void(const std::string& destino)>;
constexpr size_t kPiezaBDL = 256 * 1024;
bool PrepararPorPiezasBDL(std::string& destino, bool comprimir, const LeerPiezaBDL& leer,
                          const TratadaBDL& tratada = {}, size_t pieza = kPiezaBDL,
                          AnchoBDL ancho = AnchoBDL::Bloque64);
