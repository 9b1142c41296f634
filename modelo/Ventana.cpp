// Ventana: claves, registro "WINDOW" con el de su marco, comprobación y colocación.

#include "modelo/Ventana.h"

#include "comunes/Error.h"
#include "comunes/FicheroLog.h"
#include "comunes/LeerBDL.h"
#include "comunes/Marco.h"
#include "comunes/Util.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"
#include "modelo/BuscarHijo.h"
#include "modelo/CabeceraRegistro.h"
#include "modelo/Muro.h"
#include "modelo/TextoReal.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <algorithm>
#include <cmath>
#include <string_view>

const Ventana::FilaReal Ventana::kReales[NUM_REALES] = {
    {"X", "X", 0, 999, 0, 0, false},
    {"Y", "Y", 0, 999, 0, 0, false},
    {"Retranqueo", "SETBACK", 0, 999, 0, 0, false},
    {"Altura", "HEIGHT", 0, 999, 0, 0, false},
    {"Anchura", "WIDTH", 0, 999, 0, 0, false},
    {"Transmisividad", nullptr, 0, 1, 1, 1, false},
    {"TransmisividadInvierno", nullptr, 0, 1, 1, 1, false},
    {"TransmisividadVerano", nullptr, 0, 1, 1, 1, false},
    {"Conductancia", nullptr, 0, 1, 1, 1, false},
    {"ConductanciaInvierno", nullptr, 0, 1, 1, 1, false},
    {"ConductanciaVerano", nullptr, 0, 1, 1, 1, false},
    {"longLD", "LEFT-FIN-D", 0, 999, 0, 0, false},
    {"longLA", "LEFT-FIN-A", 0, 999, 0, 0, false},
    {"longLB", "LEFT-FIN-B", -999, 999, 0, 0, false},
    {"longLH", "LEFT-FIN-H", 0, 999, 0, 0, false},
    {"longOD", "OVERHANG-D", 0, 999, 0, 0, false},
    {"longOA", "OVERHANG-A", 0, 999, 0, 0, false},
    {"longOB", "OVERHANG-B", 0, 999, 0, 0, false},
    {"longOW", "OVERHANG-W", 0, 999, 0, 0, false},
    {"longRD", "RIGHT-FIN-D", 0, 999, 0, 0, false},
    {"longRA", "RIGHT-FIN-A", 0, 999, 0, 0, false},
    {"longRB", "RIGHT-FIN-B", -999, 999, 0, 0, false},
    {"longRH", "RIGHT-FIN-H", 0, 999, 0, 0, false},
    {"Angulo", "OVERHANG-ANGLE", 0, 999, 0, 0, true},
    {"Ancho lama", "LAMAS-WIDTH", 0, 100, 0.1f, 0, true},
    {"Distancia lama", "LAMAS-DISTANCE", 0, 100, 0.1f, 0, true},
    {"Angulo lama", "LAMAS-ANGLE", -180, 360, 45, 0, true},
    {"Transmisividad lama", "LAMAS-TRANSMISIVITY", 0, 1, 0.1f, 0, true},
    {"Reflectividad lama", "LAMAS-REFLECTIVITY", 0, 1, 0.1f, 0, true},
};

Ventana::Ventana(const AnsiString& nombre)
    : Contenedor(nombre), codigo(Contenedor::SiguienteCodigo()) {
    tipo = TIPO_VENTANA;
    estadoNombre = ESTADO_DEFECTO;
    for (int i = 0; i < NUM_REALES; ++i) {
        valores[i] = kReales[i].inicial;
        estados[i] = ESTADO_DEFECTO;
    }
}

int Ventana::IndiceDe(const AnsiString& clave) {
    for (int i = 0; i < NUM_REALES; ++i)
        if (clave == kReales[i].clave) return i;
    return -1;
}

void Ventana::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (const int i = IndiceDe(clave); i >= 0)
        valor = kReales[i].dosDecimales ? FormatFloat("0.00", valores[i]) : TextoCorto(valores[i]);
    else if (clave == "Nombre")
        valor = ObtenerNombre();
    else if (clave == "Persiana")
        valor = persiana;
    else if (clave == "Hueco")
        valor = hueco;
    else if (clave == "Tipo lama")
        valor = tipoLama;
}

void Ventana::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (const int i = IndiceDe(clave); i >= 0) {
        valor = valores[i];
    } else if (clave == "Area") {
        Coordenadas copia = esquinas;
        valor = static_cast<float>(copia.Area());
    }
}

void Ventana::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (const int i = IndiceDe(clave); i >= 0)
        estado = estados[i];
    else if (clave == "Nombre")
        estado = estadoNombre;
    else if (clave == "Persiana")
        estado = estadoPersiana;
    else if (clave == "Hueco")
        estado = estadoHueco;
    else if (clave == "Tipo lama")
        estado = estadoTipoLama;
}

void Ventana::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    if (const int i = IndiceDe(clave); i >= 0) {
        const FilaReal& fila = kReales[i];
        AsignarReal(valores[i], estados[i], texto, fila.minimo, fila.maximo, fila.defecto);
    } else if (clave == "Hueco") {
        AsignarCadena(hueco, estadoHueco, texto, "Otro");
    } else if (clave == "Tipo lama") {
        AsignarCadena(tipoLama, estadoTipoLama, texto, "Ninguno");
    }
}

bool Ventana::PoligonoDefinido() const {
    const ObjetoBase* muro = ObtenerDueno();
    return muro != nullptr && muro->PoligonoDefinido();
}

bool Ventana::AlQuitar() {
    return PoligonoDefinido();
}

void Ventana::CopiarDe(const ObjetoBase& otro) {
    for (int i = 0; i < NUM_REALES; ++i)
        otro.ObtenerReal(kReales[i].clave, valores[i]);
    otro.ValorPropiedad("Persiana", persiana);
    otro.ValorPropiedad("Hueco", hueco);
    otro.ValorPropiedad("Tipo lama", tipoLama);
    for (int i = 0; i < NUM_REALES; ++i)
        if (i != TRANSMISIVIDAD_INVIERNO && i != TRANSMISIVIDAD_VERANO &&
            i != CONDUCTANCIA_INVIERNO && i != CONDUCTANCIA_VERANO)
            estados[i] = ESTADO_COPIADO;
    estadoPersiana = estadoHueco = estadoTipoLama = ESTADO_COPIADO;
}

void Ventana::Leer(LeerBDL* lector) {
    estadoNombre = ESTADO_FICHERO;
    if (lector == nullptr) return;
    for (int i = 0; i < NUM_REALES; ++i)
        if (kReales[i].palabra != nullptr)
            LeerRealBDL(lector, AnsiString(kReales[i].palabra) + " ", valores[i], estados[i]);
    LeerCadenaBDL(lector, "GAP ", hueco, estadoHueco);
    std::vector<float> coeficientes;
    if (lector->LeerListaReales("COEFF ", coeficientes) >= 0) {
        coeficientes.resize(4, 0.0f);
        const Real destino[4] = {TRANSMISIVIDAD_INVIERNO, TRANSMISIVIDAD_VERANO,
                                 CONDUCTANCIA_INVIERNO, CONDUCTANCIA_VERANO};
        for (int k = 0; k < 4; ++k) {
            valores[destino[k]] = coeficientes[static_cast<size_t>(k)];
            estados[destino[k]] = ESTADO_FICHERO;
        }
    }
    LeerCadenaBDL(lector, "POSITION-LAMAS ", tipoLama, estadoTipoLama);
    if (PoligonoDefinido()) Colocar();
}

void Ventana::LineaReal(FileWriter& fichero, Real real, float valor) const {
    const int ancho = real >= ANCHO_LAMA ? 20 : 15;
    fichero.Printf("                        %-*s= %14.7g\n", ancho, kReales[real].palabra,
                   static_cast<double>(valor));
}

void Ventana::EscribirRegistro(FileWriter& fichero, bool variante) {
    Comprobar();
    fichero.Printf("                  \"%s\" = WINDOW\n", ObtenerNombre().c_str());
    const bool conLamas = !(tipoLama == "Ninguno");
    LineaReal(fichero, X, valores[X]);
    LineaReal(fichero, Y, valores[Y]);
    LineaReal(fichero, RETRANQUEO, conLamas && !variante ? 0.0f : valores[RETRANQUEO]);
    LineaReal(fichero, ALTURA, valores[ALTURA]);
    LineaReal(fichero, ANCHURA, valores[ANCHURA]);
    if (!variante) {
        fichero.Printf("                        GAP            = \"%s\"\n", hueco.c_str());
        fichero.Printf("                        COEFF = ( %f, %f, %f, %f)\n",
                       static_cast<double>(valores[TRANSMISIVIDAD_INVIERNO]),
                       static_cast<double>(valores[TRANSMISIVIDAD_VERANO]),
                       static_cast<double>(valores[CONDUCTANCIA_INVIERNO]),
                       static_cast<double>(valores[CONDUCTANCIA_VERANO]));
    }
    bdHuecos* huecos = bdHuecos::Instancia(LISTA_PROGRAMA);
    const ObjetoBase* elHueco = huecos ? BuscarHijo(*huecos, hueco, TIPO_HUECO) : nullptr;
    if (elHueco != nullptr) {
        AnsiString vidrio;
        elHueco->ValorPropiedad("Acristalamiento", vidrio);
        if (vidrio == "Otro") vidrio = "Otro_" + hueco;
        fichero.Printf("                        GLASS-TYPE     = \"%s\"\n", vidrio.c_str());
        // El ancho de marco con que un marco de ancho constante alrededor de la ventana
        // cubre el porcentaje del hueco (la raíz menor de 4w² - 2(H+W)w + 0.01 p H W = 0).
        float porcentaje = 0.0f;
        elHueco->ObtenerReal("Porcentaje", porcentaje);
        const double p = std::clamp(static_cast<double>(porcentaje), 0.0, 100.0);
        const double h = valores[ALTURA], w = valores[ANCHURA];
        double ancho = p;
        if (h != 0 || w != 0)
            ancho =
                (2 * (h + w) - std::sqrt(4 * (h + w) * (h + w) - 16 * p * h * w * 0.01)) * 0.125;
        AnsiString nombreMarco;
        elHueco->ValorPropiedad("Marco", nombreMarco);
        bdMarcos* marcos = bdMarcos::Instancia(LISTA_PROGRAMA);
        const ObjetoBase* delaBase =
            marcos ? BuscarHijo(*marcos, nombreMarco, TIPO_MARCO) : nullptr;
        if (delaBase != nullptr) {
            // Se escribe una copia: el marco de la base de datos no cambia.
            Marco copia(delaBase->ObtenerNombre());
            copia.CopiarDe(*delaBase);
            copia.PonerLogico("Utilizado", delaBase->EsUtilizado());
            copia.PonerReal("frameWidth", static_cast<float>(ancho));
            copia.Escribir(fichero);
        } else {
            Marco provisional(nombreMarco + "_" + hueco);
            float conductancia = 0.0f, absortividad = 0.0f;
            elHueco->ObtenerReal("ConductanciaM", conductancia);
            elHueco->ObtenerReal("Absortividad", absortividad);
            provisional.PonerReal("frameWidth", static_cast<float>(ancho));
            provisional.PonerReal("frameConduct", conductancia);
            provisional.PonerReal("frameAbs", absortividad);
            if (variante)
                provisional.Exportar(fichero);
            else
                provisional.Escribir(fichero);
        }
        float permeabilidad = 0.0f;
        elHueco->ObtenerReal("Permeabilidad", permeabilidad);
        fichero.Printf("                        INF-COEF       = %14.7g\n",
                       static_cast<double>(permeabilidad));
    }
    for (Real real :
         {SALIENTE_A, SALIENTE_B, SALIENTE_W, SALIENTE_D, ANGULO, ALETA_IZQ_A, ALETA_IZQ_B,
          ALETA_IZQ_H, ALETA_IZQ_D, ALETA_DER_A, ALETA_DER_B, ALETA_DER_H, ALETA_DER_D})
        LineaReal(fichero, real, valores[real]);
    if (conLamas && !variante) {
        fichero.Printf("                        POSITION-LAMAS      = %s\n", tipoLama.c_str());
        for (Real real :
             {ANCHO_LAMA, DISTANCIA_LAMA, ANGULO_LAMA, TRANSMISIVIDAD_LAMA, REFLECTIVIDAD_LAMA})
            LineaReal(fichero, real, valores[real]);
    }
    fichero.Printf("                        ..\n");
}

void Ventana::Escribir(FileWriter& fichero) {
    EscribirRegistro(fichero, false);
}

void Ventana::Exportar(FileWriter& fichero) {
    EscribirRegistro(fichero, true);
}

bool Ventana::ComprobarHueco() {
    if (hueco.IsEmpty() || hueco == "Ninguno") {
        Error::Instancia()->Mensaje(15, ObtenerNombre());
        return true;
    }
    bdHuecos* huecos = bdHuecos::Instancia(LISTA_PROGRAMA);
    const ObjetoBase* elHueco = huecos ? BuscarHijo(*huecos, hueco, TIPO_HUECO) : nullptr;
    if (elHueco == nullptr) {
        Error::Instancia()->ReferenciaInexistente(TIPO_VENTANA, TIPO_HUECO, ObtenerNombre(), hueco);
        return false;
    }
    AnsiString vidrio;
    elHueco->ValorPropiedad("Acristalamiento", vidrio);
    bdAcristalamientos* vidrios = bdAcristalamientos::Instancia(LISTA_PROGRAMA);
    return vidrios != nullptr && vidrios->BuscarPorNombreCompleto(vidrio) != nullptr;
}

void Ventana::Comprobar() {
    FicheroLog::Instancia()->PonerEstado(TIPO_VENTANA, ComprobarHueco() ? "bien" : "mal");
}

void Ventana::Colocar() {
    if (!PoligonoDefinido()) return;
    const auto* muro = dynamic_cast<const Muro*>(ObtenerDueno());
    if (muro == nullptr) return;
    const Coordenadas& vertices = muro->Vertices();
    const int n = vertices.NumeroPuntos();
    if (n < 3) return;
    const Point3& p0 = vertices.Punto(0);
    const Vector3 u = Diferencia(p0, vertices.Punto(1));
    const double lu = Longitud(u);
    if (lu == 0) return;
    Vector3 w = Diferencia(p0, vertices.Punto(2));
    if (Longitud(w) == 0) return;
    if (Longitud(Vectorial(u, w)) <= 1e-6 && n >= 5) {
        w = Diferencia(p0, vertices.Punto(n - 1));
        if (Longitud(w) == 0) return;
    }
    const Vector3 v = Vectorial(Vectorial(u, w), u);
    const double lv = Longitud(v);
    if (lv == 0) return;
    const double px = valores[X], py = valores[Y], alto = valores[ALTURA], ancho = valores[ANCHURA];
    const double x0 = p0.x + u.x * px / lu + v.x * py / lv;
    const double y0 = p0.y + u.y * px / lu + v.y * py / lv;
    const double z0 = p0.z + v.z * py / lv;
    const double x1 = x0 + u.x * ancho / lu, y1 = y0 + u.y * ancho / lu;
    const double x2 = x1 + v.x * alto / lv, y2 = y1 + v.y * alto / lv, z2 = z0 + v.z * alto / lv;
    const double x3 = x2 - u.x * ancho / lu, y3 = y2 - u.y * ancho / lu;
    auto f = [](double valor) { return static_cast<float>(valor); };
    esquinas.Redimensionar(4);
    esquinas.PonerPunto(0, f(x0), f(y0), f(z0));
    esquinas.PonerPunto(1, f(x1), f(y1), f(z0));
    esquinas.PonerPunto(2, f(x2), f(y2), f(z2));
    esquinas.PonerPunto(3, f(x3), f(y3), f(z2));
    colocacionPendiente = false;
}

void Ventana::FilaInforme(TStrings& fila) {
    fila.Add(ObtenerNombre());
    AnsiString vidrio, marco, espacio;
    bdHuecos* huecos = bdHuecos::Instancia(LISTA_PROGRAMA);
    if (const ObjetoBase* elHueco = huecos ? BuscarHijo(*huecos, hueco, TIPO_HUECO) : nullptr) {
        elHueco->ValorPropiedad("Acristalamiento", vidrio);
        elHueco->ValorPropiedad("Marco", marco);
    }
    fila.Add(vidrio);
    fila.Add(marco);
    if (const ObjetoBase* muro = ObtenerDueno())
        if (const ObjetoBase* dueno = muro->ObtenerDueno())
            dueno->ValorPropiedad("Nombre", espacio);
    fila.Add(espacio);
    fila.Add(FormatFloat("0.00", esquinas.Area()));
    fila.Add(esquinas.Orientacion());
}

std::unique_ptr<LeerBDL> Ventana::ExtraerRegistro(const LeerBDL& fuente, const AnsiString& nombre,
                                                  size_t& desde) {
    const std::string& texto = fuente.Texto();
    const std::string buscado = "\"" + nombre.str() + "\"";
    auto buscar = [&](size_t inicio) -> size_t {
        for (size_t p = texto.find(buscado, inicio); p != std::string::npos;
             p = texto.find(buscado, p + 1)) {
            const size_t linea = texto.rfind('\n', p);
            const size_t comienzo = linea == std::string::npos ? 0 : linea + 1;
            size_t fin = texto.find('\n', p);
            if (fin == std::string::npos) fin = texto.size();
            const std::string_view delante(texto.data() + comienzo, p - comienzo);
            CabeceraRegistro cabecera;
            if (Recortada(delante).empty() &&
                LeerCabecera(std::string_view(texto).substr(comienzo, fin - comienzo), cabecera) &&
                cabecera.tipo == "WINDOW" && cabecera.nombre == nombre.str())
                return comienzo;
        }
        return std::string::npos;
    };
    size_t cabecera = buscar(desde > 0 ? desde - 1 : 0);
    if (cabecera == std::string::npos) cabecera = buscar(0);
    if (cabecera == std::string::npos) return nullptr;
    // Línea a línea hasta su "..": el registro del marco que lleva dentro se salta entero.
    bool enMarco = false;
    size_t p = texto.find('\n', cabecera);
    while (p != std::string::npos) {
        const size_t comienzo = p + 1;
        size_t fin = texto.find('\n', comienzo);
        const std::string_view linea(texto.data() + comienzo,
                                     (fin == std::string::npos ? texto.size() : fin) - comienzo);
        if (Recortada(linea) == "..") {
            if (!enMarco) {
                const size_t final = fin == std::string::npos ? texto.size() : fin + 1;
                desde = final + 1;
                return std::make_unique<LeerBDL>(
                    LeerBDL::EnMemoria{},
                    std::string_view(texto).substr(cabecera, final - cabecera));
            }
            enMarco = false;
        } else if (CabeceraRegistro otra; LeerCabecera(linea, otra)) {
            // El registro del marco va dentro; otro, antes del cierre, la deja sin cerrar.
            if (otra.tipo != "NAME-FRAME") return nullptr;
            enMarco = true;
        }
        p = fin;
    }
    return nullptr;
}
