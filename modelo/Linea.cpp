// Linea: claves y registro "AUX-LINE".

#include "modelo/Linea.h"

#include "comunes/LeerBDL.h"
#include "comunes/PiezasRegistro.h"

#include "plataforma/base/file_writer.h"

Linea::Linea(const AnsiString& nombre) : Contenedor(nombre) {
    tipo = TIPO_LINEA;
}

float* Linea::Campo(const AnsiString& clave) {
    if (clave == "X0") return &x0;
    if (clave == "Y0") return &y0;
    if (clave == "Z0") return &z0;
    if (clave == "X1") return &x1;
    if (clave == "Y1") return &y1;
    if (clave == "Z1") return &z1;
    return nullptr;
}

void Linea::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (const float* campo = const_cast<Linea*>(this)->Campo(clave)) valor = *campo;
}

void Linea::PonerReal(const AnsiString& clave, float valor) {
    if (float* campo = Campo(clave)) *campo = valor;
}

void Linea::PonerEntero(const AnsiString& clave, int valor) {
    if (clave == "Tipo") tipoLinea = valor;
}

void Linea::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Nombre") valor = ObtenerNombre();
}

void Linea::Leer(LeerBDL* lector) {
    if (lector == nullptr) return;
    lector->LeerEntero("TYPE ", tipoLinea);
    lector->LeerReal("X0 ", x0);
    lector->LeerReal("Y0 ", y0);
    lector->LeerReal("Z0 ", z0);
    lector->LeerReal("X1 ", x1);
    lector->LeerReal("Y1 ", y1);
    lector->LeerReal("Z1 ", z1);
    LeerTextoBDL(*lector, "OWNERF", duenoF);
    LeerTextoBDL(*lector, "OWNERS", duenoS);
    nueva = false;
}

void Linea::Escribir(FileWriter& fichero) {
    fichero.Printf("\"%s\" = AUX-LINE\n", ObtenerNombre().c_str());
    fichero.Printf("           TYPE = %d\n", tipoLinea);
    fichero.Printf("           X0   = %f\n", static_cast<double>(x0));
    fichero.Printf("           Y0   = %f\n", static_cast<double>(y0));
    fichero.Printf("           Z0   = %f\n", static_cast<double>(z0));
    fichero.Printf("           X1   = %f\n", static_cast<double>(x1));
    fichero.Printf("           Y1   = %f\n", static_cast<double>(y1));
    fichero.Printf("           Z1   = %f\n", static_cast<double>(z1));
    fichero.Printf("           OWNERF = \"%s\"\n", duenoF.c_str());
    fichero.Printf("           OWNERS = \"%s\"\n", duenoS.c_str());
    fichero.Printf("           ..\n");
}
