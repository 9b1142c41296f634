// El alta de las seis clases de elementos en la tabla de fábricas.

#include "comunes/RegistroElementos.h"

#include "comunes/Acristalamiento.h"
#include "comunes/Hueco.h"
#include "comunes/Layers.h"
#include "comunes/Marco.h"
#include "comunes/Material.h"
#include "comunes/PuenteTermico.h"

void RegistrarElementos() {
    RegistrarMaterial();
    RegistrarLayers();
    RegistrarAcristalamiento();
    RegistrarMarco();
    RegistrarHueco();
    RegistrarPuenteTermico();
}
