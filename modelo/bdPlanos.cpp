#include "modelo/bdPlanos.h"

#include "modelo/Plano.h"

#include "plataforma/base/file_writer.h"

bdPlanos* bdPlanos::Instancia() {
    return Obtener();
}

void bdPlanos::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Nombre") valor = ObtenerNombre();
}

void bdPlanos::Escribir(FileWriter& fichero) {
    fichero.Printf("$ -----------------------------------\n");
    fichero.Printf("$              Planos\n");
    fichero.Printf("$ -----------------------------------\n");
    fichero.Printf("$\n");
    for (int i = 0; i < NumeroHijos(); ++i)
        if (ObjetoBase* plano = Hijo(i)) plano->Escribir(fichero);
}

void bdPlanos::QuitarHijo(ObjetoBase* hijo) {
    if (hijo == nullptr) return;
    if (hijo == primerPlano) primerPlano = nullptr;
    Contenedor::QuitarHijo(hijo);
}

void bdPlanos::OlvidarPlano(const Plano* plano) {
    bdPlanos* lista = Existente();
    if (lista != nullptr && lista->primerPlano == plano) lista->primerPlano = nullptr;
}
