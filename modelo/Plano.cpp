// Plano: registro "PLANE".

#include "modelo/Plano.h"

#include "comunes/LeerBDL.h"
#include "comunes/PiezasRegistro.h"
#include "modelo/bdPlanos.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/string_list.h"

Plano::Plano(const AnsiString& nombre) : Contenedor(nombre) {
    tipo = TIPO_PLANO;
}

Plano::~Plano() {
    bdPlanos::OlvidarPlano(this);
}

void Plano::Leer(LeerBDL* lector) {
    if (lector == nullptr) return;
    AnsiString texto;
    tipoPlano = IMAGEN;
    if (LeerTextoBDL(*lector, "PLANE_TYPE =", texto) && !(texto == "BMP")) tipoPlano = CAD;
    LeerTextoBDL(*lector, "FILE ", fichero);
    LeerRealBDL(lector, "UNIT ", unidad, estadoUnidad);
    LeerRealBDL(lector, "X ", x, estadoX);
    LeerRealBDL(lector, "Y ", y, estadoY);
    LeerRealBDL(lector, "Z ", z, estadoZ);
    capas.reset();
    if (tipoPlano == CAD) {
        capas = std::make_unique<TStringList>();
        EstadoValor estadoCapas = ESTADO_DEFECTO;
        LeerListaBDL(lector, "ACADLAYER ", *capas, estadoCapas);
    }
    primero = LeerTextoBDL(*lector, "FIRST ", texto) && texto == "TRUE";
    if (primero)
        bdPlanos::Instancia()->PonerPrimerPlano(this);
    else
        bdPlanos::OlvidarPlano(this);
}

void Plano::Escribir(FileWriter& salida) {
    salida.Printf("\"%s\" = PLANE \n", ObtenerNombre().c_str());
    salida.Printf(tipoPlano == IMAGEN ? "    PLANE_TYPE = BMP\n" : "    PLANE_TYPE = DXF\n");
    salida.Printf("    FILE = \"%s\"\n", fichero.c_str());
    salida.Printf("    UNIT = %f\n", static_cast<double>(unidad));
    salida.Printf("    X    = %f\n", static_cast<double>(x));
    salida.Printf("    Y    = %f\n", static_cast<double>(y));
    salida.Printf("    Z    = %f\n", static_cast<double>(z));
    // Sin capas no se escribe la línea: "(" sin cerrar estropearía el registro.
    if (tipoPlano == CAD && capas && capas->GetCount() > 0) {
        salida.Printf("    ACADLAYER = (");
        const int ultima = capas->GetCount() - 1;
        for (int i = 0; i < ultima; ++i)
            salida.Printf("\"%s\",\n", capas->GetStrings(i).c_str());
        salida.Printf("\"%s\")\n", capas->GetStrings(ultima).c_str());
    }
    if (primero) salida.Printf("    FIRST = TRUE\n");
    salida.Printf("      ..\n");
}
