#include "modelo/LeerPoligono.h"

#include "comunes/LeerBDL.h"
#include "comunes/Util.h"

void LeerPoligono(const LeerBDL& lector, AnsiString& poligono, EstadoValor& estado,
                  const char* siFalta) {
    AnsiString texto;
    if (lector.LeerCadena("POLYGON =", texto) == 0) {
        QuitarComillas(texto);
        poligono = texto;
        estado = ESTADO_FICHERO;
    } else {
        poligono = siFalta;
        estado = ESTADO_DEFECTO;
    }
}
