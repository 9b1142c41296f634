// Los nombres de los elementos en las listas de las ventanas, con mayúsculas y minúsculas.

#include "Vornak/NombresExactos.h"

#include "plataforma/base/string_list.h"

void ListaDeNombres(TStringList& lista) {
    lista.SetCaseSensitive(true);
    lista.SetSorted(true);
}

int IndiceDeNombre(const TStrings& lista, const AnsiString& nombre) {
    for (int i = 0; i < lista.GetCount(); ++i)
        if (lista.GetStrings(i) == nombre) return i;
    return -1;
}
