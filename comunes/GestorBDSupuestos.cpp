// GestorBD: los elementos supuestos de la última carga y cómo decírselo al usuario.

#include "comunes/Error.h"
#include "comunes/GestorBD.h"
#include "comunes/bdLibreria.h"

std::vector<ObjetoBase*> GestorBD::Supuestos() const {
    std::vector<ObjetoBase*> supuestos;
    for (bdLibreria* base : Bases(Orden::Fichero))
        for (int i = 0; i < base->NumeroHijos(); ++i)
            if (base->Hijo(i)->EsSupuesto()) supuestos.push_back(base->Hijo(i));
    return supuestos;
}

AnsiString GestorBD::DescribirSupuestos(size_t maximo) const {
    const std::vector<ObjetoBase*> supuestos = Supuestos();
    if (supuestos.empty()) return AnsiString();
    AnsiString texto;
    if (!catalogoNoLeido.IsEmpty())
        texto = "No se ha podido leer el catálogo " + catalogoNoLeido + ".\n\n";
    texto += "Estos elementos que usa la base de datos no están en ella";
    texto += catalogoNoLeido.IsEmpty() ? " ni en el catálogo" : "";
    texto += ":\n";
    for (size_t i = 0; i < supuestos.size() && i < maximo; ++i)
        texto += "\n" + error->NombreTipo(supuestos[i]->ObtenerTipo()).Trim() + ": " +
                 supuestos[i]->ObtenerNombre();
    if (supuestos.size() > maximo)
        texto += "\n... y " + AnsiString(static_cast<int>(supuestos.size() - maximo)) + " más.";
    texto += "\n\nSe muestran con valores por defecto, y lo que los usa con ellos. Guardar no "
             "los escribe en la base: lo que los usa los sigue nombrando, como en el fichero.";
    return texto;
}
