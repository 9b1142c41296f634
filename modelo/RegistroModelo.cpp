#include "modelo/RegistroModelo.h"

#include "comunes/Fabrica.h"
#include "comunes/Idioma.h"
#include "modelo/Espacio.h"
#include "modelo/Linea.h"
#include "modelo/Paredes.h"
#include "modelo/Plano.h"
#include "modelo/Planta.h"
#include "modelo/Poligono.h"
#include "modelo/Resultados.h"
#include "modelo/Sombra.h"
#include "modelo/Ventana.h"

namespace {

template <class T> std::unique_ptr<ObjetoBase> Crear(const AnsiString& nombre) {
    return std::make_unique<T>(nombre);
}

// El contenedor de resultados de un tipo: la variante de Norvia si el código de idioma es
// 2 al crearlo.
template <class Normal, class Norvia>
std::unique_ptr<ObjetoBase> Resultado(const AnsiString& nombre) {
    if (Idioma::Instancia()->Codigo() == 2) return std::make_unique<Norvia>(nombre);
    return std::make_unique<Normal>(nombre);
}

} // namespace

void RegistrarModelo() {
    Fabrica::Registrar(TIPO_PLANTA, Crear<Planta>);
    Fabrica::Registrar(TIPO_ESPACIO, Crear<Espacio>);
    Fabrica::Registrar(TIPO_MURO_EXTERIOR, Crear<ParedExterior>);
    Fabrica::Registrar(TIPO_VENTANA, Crear<Ventana>);
    Fabrica::Registrar(TIPO_MURO_INTERIOR, Crear<ParedInterior>);
    Fabrica::Registrar(TIPO_MURO_TERRENO, Crear<ParedContactoTerreno>);
    Fabrica::Registrar(TIPO_SOMBRA, Crear<Sombra>);
    Fabrica::Registrar(TIPO_POLIGONO, Crear<Poligono>);
    Fabrica::Registrar(TIPO_LINEA, Crear<Linea>);
    Fabrica::Registrar(TIPO_PLANO, Crear<Plano>);
    // El muro Trombe no lo crean los cargadores.
    Fabrica::Registrar(TIPO_MURO_TROMBE, Crear<ParedTrombe>, Fabrica::Alcance::SoloCrearHijo);
    Fabrica::RegistrarResultado(TIPO_PLANTA, Resultado<ResPlanta, ResPlantaNorvia>);
    Fabrica::RegistrarResultado(TIPO_ESPACIO, Resultado<ResEspacio, ResEspacioNorvia>);
}
