#include "Pelusta/Proyectos.h"

#include "Pelusta/FicheroResultados.h"
#include "Pelusta/TextoWindows.h"
#include "Pelusta/inspectorResultados.h"
#include "plataforma/base/files.h"
#include "plataforma/base/numbers.h"

#include <limits>
#include <new>
#include <stdexcept>

namespace {

// La carpeta "Resultados" bajo la de inicio, con su separador final. Se usa el separador
// que ya usa la carpeta de inicio, y no se dobla el que la cierra.
AnsiString CarpetaResultados(const AnsiString& carpetaInicio) {
    const char separador =
        (carpetaInicio.Pos("/") > 0 && carpetaInicio.Pos("\\") == 0) ? '/' : '\\';
    AnsiString carpeta = carpetaInicio;
    if (!carpeta.IsEmpty() && !carpeta.IsDelimiter("\\/", carpeta.Length())) carpeta += separador;
    return carpeta + "Resultados" + separador;
}

// Un cociente en porcentaje; dividir entre cero da +infinito, mayor que cualquier límite.
float Razon(float a, float b) {
    return b == 0 ? std::numeric_limits<float>::infinity() : a / b * 100;
}

} // namespace

Proyectos::Proyectos() : Proyectos(TablaCodigos::LeerInstalada()) {}

Proyectos::Proyectos(const TablaCodigos& tabla) : tabla_(tabla) {}

void Proyectos::Anadir(const AnsiString& ruta, const AnsiString& multiplicador) {
    Proyecto proyecto;
    proyecto.nombre = ruta;
    proyecto.multiplicador = IntToStr(StrToIntDef(multiplicador, 1));
    proyectos_.push_back(std::move(proyecto));
}

int Proyectos::Multiplicador(int i) const {
    return StrToIntDef(proyectos_.at(i).multiplicador, 1);
}

int Proyectos::ComprobarResultados(int i, const AnsiString& ruta, const AnsiString& carpetaInicio) {
    Proyecto& proyecto = proyectos_.at(i);
    // El nombre sale de la última parte de la ruta: un punto en una carpeta no cuenta.
    proyecto.carpeta = ExtractFilePath(ruta);
    const AnsiString fichero = ExtractFileName(ruta);
    const int punto = fichero.LastDelimiter(".");
    proyecto.nombre = punto > 0 ? fichero.SubString(1, punto - 1) : fichero;

    const AnsiString resultados = CarpetaResultados(carpetaInicio);
    proyecto.ficheroObjeto = resultados + proyecto.nombre + "O.res";
    proyecto.ficheroReferencia = resultados + proyecto.nombre + "R.res";

    const AnsiString rutaProyecto = proyecto.carpeta + proyecto.nombre + ".cte";
    if (!FileExists(rutaProyecto)) return kFaltaProyecto;
    if (!FileExists(proyecto.ficheroObjeto)) return kFaltaObjeto;
    if (!tabla_.Disponible()) return kSinTablaCodigos;
    if (!Integro(proyecto.ficheroObjeto, rutaProyecto)) return kObjetoNoValido;
    if (!FileExists(proyecto.ficheroReferencia)) return kFaltaReferencia;
    if (!Integro(proyecto.ficheroReferencia, rutaProyecto)) return kReferenciaNoValida;
    return kValido;
}

bool Proyectos::Integro(const AnsiString& rutaResultados, const AnsiString& rutaProyecto) const {
    // Se comprueba el mismo fichero que después se lee y se promedia.
    inspectorResultados comprobacion(tabla_);
    comprobacion.Calcular(rutaResultados, rutaProyecto, false);
    return comprobacion.EsValido();
}

bool Proyectos::LeerResultados(int i, int cual) {
    Proyecto& proyecto = proyectos_.at(i);
    const bool objeto = cual == kObjeto;
    AnsiString& calefaccion = objeto ? proyecto.calefaccionObjeto : proyecto.calefaccionReferencia;
    AnsiString& refrigeracion =
        objeto ? proyecto.refrigeracionObjeto : proyecto.refrigeracionReferencia;
    calefaccion = AnsiString();
    refrigeracion = AnsiString();
    proyecto.superficie = AnsiString();

    ResultadosFichero leidos;
    try {
        std::string bytes;
        if (!ReadWholeFile(objeto ? proyecto.ficheroObjeto : proyecto.ficheroReferencia, bytes))
            return false;
        if (!ExtraerResultados(LeerComoTextoWindows(bytes), leidos)) return false;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    calefaccion = leidos.calefaccion;
    refrigeracion = leidos.refrigeracion;
    // Los dos ficheros dan la superficie; la del de referencia, leído después, es la que queda.
    proyecto.superficie = leidos.superficie;
    return true;
}

bool Proyectos::Cumple(float calefaccion, float refrigeracion) {
    const float h = calefaccion, r = refrigeracion;
    if (h + r == 0) return false;
    const float hr = Razon(h, r), rh = Razon(r, h);
    return (hr <= 10 && r < 100) || (rh <= 10 && h < 100) || (rh > 10 && h < 100 && r < 100);
}
