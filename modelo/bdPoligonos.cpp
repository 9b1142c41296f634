#include "modelo/bdPoligonos.h"

#include "modelo/BuscarHijo.h"
#include "modelo/Poligono.h"

#include "plataforma/base/file_writer.h"

bdPoligonos* bdPoligonos::Instancia() {
    return Obtener();
}

void bdPoligonos::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Nombre") valor = ObtenerNombre();
}

void bdPoligonos::Escribir(FileWriter& fichero) {
    fichero.Printf("\n$ -----------------------------------");
    fichero.Printf("\n$             POLIGONOS");
    fichero.Printf("\n$ -----------------------------------");
    fichero.Printf("\n$\n");
    for (int i = 0; i < NumeroHijos(); ++i)
        if (ObjetoBase* poligono = Hijo(i)) poligono->Escribir(fichero);
}

Poligono* bdPoligonos::Buscar(const AnsiString& nombre) {
    return static_cast<Poligono*>(BuscarHijo(*this, nombre, TIPO_POLIGONO));
}
