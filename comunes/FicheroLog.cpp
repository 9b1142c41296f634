#include "comunes/FicheroLog.h"

#include "comunes/Directorios.h"
#include "comunes/Error.h"
#include "comunes/Idioma.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"

namespace {

std::unique_ptr<FicheroLog> instancia;

const char* PrefijoError(TipoObjeto tipo) {
    switch (tipo) {
    case TIPO_EDIFICIO:
        return "EDIFICIO: ";
    case TIPO_PLANTA:
        return "PLANTA: ";
    case TIPO_ESPACIO:
        return "ESPACIO: ";
    case TIPO_MURO_EXTERIOR:
        return "MURO EXTERIOR: ";
    case TIPO_VENTANA:
        return "VENTANA: ";
    case TIPO_MURO_INTERIOR:
        return "MURO INTERIOR: ";
    case TIPO_MURO_TERRENO:
        return "MURO CONT TER: ";
    case TIPO_SOMBRA:
        return "SOMBRA: ";
    case TIPO_ACRISTALAMIENTO:
        return "VIDRIO: ";
    case TIPO_MARCO:
        return "MARCO: ";
    case TIPO_CERRAMIENTO:
        return "CERRAMIENTO: ";
    case TIPO_MATERIAL:
        return "MATERIAL: ";
    case TIPO_HUECO:
        return Idioma::Instancia()->Codigo() == 2 ? "VANO: " : "HUECO: ";
    case TIPO_CONDICION:
        return "CONDICIÓN OPERACIÓN: ";
    default:
        return "";
    }
}

} // namespace

FicheroLog* FicheroLog::Instancia() {
    if (!instancia) {
        instancia.reset(new FicheroLog());
        instancia->Inicializar();
    }
    return instancia.get();
}

void FicheroLog::Liberar() {
    instancia.reset();
}

FicheroLog::FicheroLog() = default;

int FicheroLog::EstadoDeTipo(TipoObjeto tipo) {
    switch (tipo) {
    case TIPO_EDIFICIO:
        return EDIFICIO;
    case TIPO_PLANTA:
        return PLANTA;
    case TIPO_ESPACIO:
        return ESPACIO;
    case TIPO_MURO_EXTERIOR:
        return MUROEXT;
    case TIPO_VENTANA:
        return VENTANA;
    case TIPO_MURO_INTERIOR:
        return MUROINT;
    case TIPO_MURO_TERRENO:
        return MUROCT;
    case TIPO_HUECO:
        return HUECO;
    case TIPO_CONDICION:
        return CONDICION;
    // El muro Trombe tiene su línea; sin esto nada la pondría nunca en "mal".
    case TIPO_MURO_TROMBE:
        return MUROTR;
    default:
        return -1;
    }
}

void FicheroLog::Inicializar() {
    nombre_ = "EdifDumvat.log";
    for (int i = 0; i < NUM_ESTADOS; ++i) {
        estados_[i] = "bien";
        puestos_[i] = false;
    }
    errores_.clear();
    Escribir();
}

void FicheroLog::PonerEstado(TipoObjeto tipo, const AnsiString& texto) {
    int estado = EstadoDeTipo(tipo);
    if (estado < 0) return;
    puestos_[estado] = true;
    if (texto == "mal") estados_[estado] = "mal";
}

void FicheroLog::AnadirError(TipoObjeto tipo, const AnsiString& texto) {
    errores_.insert(PrefijoError(tipo) + texto + "\n");
}

AnsiString FicheroLog::Ruta() const {
    if (nombre_.IsEmpty()) return AnsiString();
    return Directorios::Instancia()->RutaTemporal(nombre_);
}

AnsiString FicheroLog::Texto() const {
    // El orden de las líneas no es el de guardado: los dos muros van al revés.
    static constexpr struct {
        const char* etiqueta;
        int estado;
    } kLineas[] = {
        {"EDIFICIO  =", EDIFICIO},  {"PLANTA    =", PLANTA},  {"ESPACIO   =", ESPACIO},
        {"MUROEXT   =", MUROEXT},   {"MUROINT   =", MUROINT}, {"MUROCT    =", MUROCT},
        {"MUROTR    =", MUROTR},    {"VENTANA   =", VENTANA}, {"HUECO     =", HUECO},
        {"CONDICION =", CONDICION},
    };
    AnsiString texto;
    for (const auto& linea : kLineas)
        texto += AnsiString(linea.etiqueta) + estados_[linea.estado] + "\n";
    texto += "\n**** LISTA DE ERRORES **** \n";
    for (const AnsiString& error : errores_)
        texto += error;
    texto += "**************************";
    return texto;
}

bool FicheroLog::Escribir() {
    if (nombre_.IsEmpty()) return true;
    AnsiString ruta = Ruta();
    FileWriter escritor;
    if (escritor.Open(ruta, FileWriter::Mode::Text)) {
        escritor.Puts(Texto());
        if (escritor.Commit()) {
            falloAvisado_ = false;
            return true;
        }
    }
    if (!falloAvisado_) {
        falloAvisado_ = true;
        Error::Instancia()->Mensaje(0, DisplayPath(ruta));
    }
    return false;
}
