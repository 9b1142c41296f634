#include "tests/modelo/bases_prueba.h"

#include "comunes/bdAcristalamientos.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"
#include "modelo/Sombras.h"
#include "modelo/bdPlanos.h"
#include "modelo/bdPoligonos.h"

void PrepararBasesDelPrograma() {
    bdCerramientos::Instancia(LISTA_PROGRAMA)->CrearHijo("Muro tipo", TIPO_CERRAMIENTO);
    bdAcristalamientos* vidrios = bdAcristalamientos::Instancia(LISTA_PROGRAMA);
    vidrios->CrearHijo("Vidrio doble", TIPO_ACRISTALAMIENTO);
    vidrios->BuscarPorNombre("Vidrio doble")->PonerNombreCompleto("Vidrio doble");
    bdMarcos::Instancia(LISTA_PROGRAMA)->CrearHijo("Marco PVC", TIPO_MARCO);
    bdHuecos* huecos = bdHuecos::Instancia(LISTA_PROGRAMA);
    huecos->CrearHijo("Ventana tipo", TIPO_HUECO);
    ObjetoBase* hueco = huecos->BuscarPorNombre("Ventana tipo");
    hueco->AsignarPropiedad("Acristalamiento", "Vidrio doble");
    hueco->AsignarPropiedad("Marco", "Marco PVC");
    hueco->AsignarPropiedad("Porcentaje", "20");
}

void LiberarListasCompartidas() {
    bdPoligonos::Liberar();
    Sombras::Liberar();
    bdPlanos::Liberar();
    bdHuecos::Instancia(LISTA_PROGRAMA)->Liberar();
    bdCerramientos::Instancia(LISTA_PROGRAMA)->Liberar();
    bdAcristalamientos::Instancia(LISTA_PROGRAMA)->Liberar();
    bdMarcos::Instancia(LISTA_PROGRAMA)->Liberar();
}
