#include "tests/modelo/modelo_completo.h"

#include "comunes/LeerBDL.h"
#include "comunes/Util.h"
#include "modelo/CabeceraRegistro.h"
#include "modelo/Edificio.h"
#include "modelo/Sombras.h"
#include "modelo/Ventana.h"
#include "modelo/bdPlanos.h"
#include "modelo/bdPoligonos.h"

#include "plataforma/base/file_writer.h"

#include <memory>
#include <string_view>

namespace {

void EscribirHijos(FileWriter& fichero, const Contenedor& contenedor, int nivel) {
    for (int i = 0; i < contenedor.NumeroHijos(); ++i) {
        ObjetoBase* hijo = contenedor.Hijo(i);
        const TipoObjeto tipo = hijo->ObtenerTipo();
        if (nivel == 0 && tipo != TIPO_PLANTA) continue;
        hijo->Escribir(fichero);
        if (auto* sub = dynamic_cast<Contenedor*>(hijo)) EscribirHijos(fichero, *sub, nivel + 1);
    }
}

struct Destino {
    TipoObjeto tipo;
    int nivel; // 0 edificio, 1 planta, 2 espacio, 3 muro; -1 una lista
};

bool DestinoDe(std::string_view registro, Destino& destino) {
    static const struct {
        const char* registro;
        Destino destino;
    } kTabla[] = {
        {"POLYGON", {TIPO_POLIGONO, -1}},
        {"FLOOR", {TIPO_PLANTA, 0}},
        {"SPACE", {TIPO_ESPACIO, 1}},
        {"EXTERIOR-WALL", {TIPO_MURO_EXTERIOR, 2}},
        {"INTERIOR-WALL", {TIPO_MURO_INTERIOR, 2}},
        {"UNDERGROUND-WALL", {TIPO_MURO_TERRENO, 2}},
        {"TROMBE-WALL", {TIPO_MURO_TROMBE, 2}},
        {"WINDOW", {TIPO_VENTANA, 3}},
        {"FIXED-SHADE", {TIPO_SOMBRA, -1}},
        {"AUX-LINE", {TIPO_LINEA, 0}},
        {"PLANE", {TIPO_PLANO, -1}},
    };
    for (const auto& fila : kTabla)
        if (registro == fila.registro) {
            destino = fila.destino;
            return true;
        }
    return false;
}

Contenedor* ListaDe(TipoObjeto tipo) {
    if (tipo == TIPO_POLIGONO) return bdPoligonos::Instancia();
    if (tipo == TIPO_SOMBRA) return Sombras::Instancia();
    return bdPlanos::Instancia();
}

} // namespace

void EscribirModelo(FileWriter& fichero, Edificio& edificio) {
    bdPoligonos::Instancia()->Escribir(fichero);
    EscribirHijos(fichero, edificio, 0);
    if (Sombras* sombras = Sombras::Existente())
        for (int i = 0; i < sombras->NumeroHijos(); ++i)
            sombras->Hijo(i)->Escribir(fichero);
    for (int i = 0; i < edificio.NumeroHijos(); ++i)
        if (edificio.Hijo(i)->ObtenerTipo() == TIPO_LINEA) edificio.Hijo(i)->Escribir(fichero);
    bdPlanos::Instancia()->Escribir(fichero);
}

int LeerModelo(const std::string& texto, Edificio& edificio, FabricaLectura fabrica) {
    LeerBDL fuente(LeerBDL::EnMemoria{}, texto);
    const std::string& comprimido = fuente.Texto();
    // El último contenedor leído de cada nivel: edificio, planta, espacio, muro.
    Contenedor* niveles[4] = {&edificio, nullptr, nullptr, nullptr};
    size_t desdeVentana = 1;
    int leidos = 0;
    for (size_t p = 0; p < comprimido.size();) {
        size_t fin = comprimido.find('\n', p);
        if (fin == std::string::npos) fin = comprimido.size();
        CabeceraRegistro cabecera;
        Destino destino;
        const bool esCabecera =
            LeerCabecera(std::string_view(comprimido).substr(p, fin - p), cabecera) &&
            DestinoDe(cabecera.tipo, destino);
        p = fin + 1;
        if (!esCabecera) continue;
        Contenedor* dueno = destino.nivel < 0 ? ListaDe(destino.tipo) : niveles[destino.nivel];
        if (dueno == nullptr) continue;
        const AnsiString nombre(std::string(cabecera.nombre));
        const AnsiString tipoRegistro = AnsiString(std::string(cabecera.tipo)) + " ";
        if (fabrica == FabricaLectura::Unica || destino.tipo == TIPO_MURO_TROMBE)
            dueno->CrearHijo(nombre, destino.tipo);
        else
            dueno->CrearHijoNumerado(nombre, destino.tipo, false);
        ObjetoBase* objeto = dueno->Hijo(dueno->NumeroHijos() - 1);
        std::unique_ptr<LeerBDL> registro;
        if (destino.tipo == TIPO_VENTANA) {
            registro = Ventana::ExtraerRegistro(fuente, nombre, desdeVentana);
        } else {
            AnsiString entreComillas = nombre;
            PonerComillas(entreComillas);
            bool encontrado = false;
            registro = LeerBDL::ExtraerObjeto(fuente, tipoRegistro, entreComillas, encontrado);
            if (!encontrado) registro.reset();
        }
        if (!registro) continue;
        objeto->Leer(registro.get());
        ++leidos;
        if (destino.nivel >= 0 && destino.nivel < 3 && destino.tipo != TIPO_LINEA) {
            niveles[destino.nivel + 1] = static_cast<Contenedor*>(objeto);
            for (int nivel = destino.nivel + 2; nivel < 4; ++nivel)
                niveles[nivel] = nullptr;
        }
    }
    return leidos;
}
