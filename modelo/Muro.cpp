// Muro: claves, la parte del muro del registro, comprobación y cálculo de vértices.

#include "modelo/Muro.h"

#include "comunes/Error.h"
#include "comunes/FicheroLog.h"
#include "comunes/LeerBDL.h"
#include "comunes/Util.h"
#include "comunes/bdCerramientos.h"
#include "modelo/BuscarHijo.h"
#include "modelo/LeerPoligono.h"
#include "modelo/Poligono.h"
#include "modelo/bdPoligonos.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <cmath>

namespace {

constexpr double kGrados = 3.14159265358979323846 / 180.0;

bool Ninguno(const AnsiString& texto) {
    return texto.IsEmpty() || texto == "Ninguno";
}

// El origen como se escribe ("TOP", "BOTTOM", "SPACE-V3") y como se guarda ("TECHO",
// "SUELO", "ESPCO-V3").
AnsiString OrigenEnFichero(const AnsiString& origen) {
    if (origen == "TECHO") return "TOP";
    if (origen == "SUELO") return "BOTTOM";
    if (origen.Length() >= 5 && origen[1] == 'E')
        return "SPACE" + origen.SubString(6, origen.Length() - 5);
    return origen;
}

AnsiString OrigenInterno(const AnsiString& texto) {
    if (texto == "TOP") return "TECHO";
    if (texto == "BOTTOM") return "SUELO";
    if (texto.Length() >= 5 && texto[2] == 'P')
        return "ESPCO" + texto.SubString(6, texto.Length() - 5);
    return texto;
}

} // namespace

Muro::Muro(const AnsiString& nombre) : Contenedor(nombre), codigo(Contenedor::SiguienteCodigo()) {}

const TablaReales<Muro>& Muro::Reales() {
    using M = Muro;
    static const TablaReales<M> kReales = {
        {"Altura", &M::altura, &M::estadoAltura, "%g", 0.0f, 100.0f, 3.0f},
        {"Anchura", &M::anchura, &M::estadoAnchura, "%g", 0.0f, 8000.0f, 0.0f},
        {"X", &M::x, &M::estadoX, "%g", 0.0f, 8000.0f, 0.0f},
        {"Y", &M::y, &M::estadoY, "%g", 0.0f, 8000.0f, 0.0f},
        {"Z", &M::z, &M::estadoZ, "%g", 0.0f, 8000.0f, 0.0f},
        {"Azimuth", &M::azimuth, &M::estadoAzimuth, "%g", -360.0f, 360.0f, 0.0f},
        {"Inclinación", &M::inclinacion, &M::estadoInclinacion, "%g", -360.0f, 360.0f, 0.0f},
    };
    return kReales;
}

void Muro::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    float real = 0.0f;
    if (Reales().Real(*this, clave, real))
        valor = FloatToStr(real);
    else if (clave == "ÁnguloRadianes")
        valor = FloatToStr(anguloRadianes);
    else if (clave == "Nombre")
        valor = ObtenerNombre();
    else if (clave == "Poligono")
        valor = poligono;
    else if (clave == "Construcción")
        valor = construccion;
    else if (clave == "Origen")
        valor = origen;
}

void Muro::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (Reales().Real(*this, clave, valor)) return;
    if (clave == "ÁnguloRadianes") valor = anguloRadianes;
}

void Muro::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (Reales().Estado(*this, clave, estado)) return;
    if (clave == "Nombre")
        estado = estadoNombre;
    else if (clave == "Poligono")
        estado = estadoPoligono;
    else if (clave == "Construcción")
        estado = estadoConstruccion;
    else if (clave == "Origen")
        estado = estadoOrigen;
}

void Muro::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    if (Reales().Asignar(*this, clave, texto)) return;
    if (clave == "Nombre")
        PonerNombre(texto);
    else if (clave == "Poligono")
        AsignarCadena(poligono, estadoPoligono, texto, "Ninguno");
    else if (clave == "Construcción")
        AsignarCadena(construccion, estadoConstruccion, texto, "Ninguno");
    else if (clave == "Origen")
        AsignarCadena(origen, estadoOrigen, texto, "Ninguno");
}

bool Muro::PoligonoDefinido() const {
    const ObjetoBase* espacio = ObtenerDueno();
    return espacio != nullptr && espacio->PoligonoDefinido();
}

bool Muro::AlQuitar() {
    return PoligonoDefinido();
}

void Muro::CopiarDe(const ObjetoBase& otro) {
    // El nombre no se copia: el del muro nuevo ya es único en el edificio.
    otro.ValorPropiedad("Poligono", poligono);
    otro.ValorPropiedad("Construcción", construccion);
    otro.ValorPropiedad("Origen", origen);
    Reales().CopiarDe(*this, otro);
    otro.ObtenerReal("ÁnguloRadianes", anguloRadianes);
    if (const auto* muro = dynamic_cast<const Muro*>(&otro)) {
        estadoPoligono = EstadoCopiado(muro->estadoPoligono);
        estadoConstruccion = EstadoCopiado(muro->estadoConstruccion);
        estadoOrigen = EstadoCopiado(muro->estadoOrigen);
        Reales().CopiarEstados(*this, *muro);
    }
}

void Muro::Vertice(int indice, float& vx, float& vy, float& vz) const {
    const Point3& p = vertices.Punto(indice);
    vx = p.x;
    vy = p.y;
    vz = p.z;
}

void Muro::Leer(LeerBDL* lector) {
    if (lector == nullptr) return;
    AnsiString texto;
    if (lector->LeerCadena("LOCATION ", texto) == 0) {
        QuitarComillas(texto);
        if (!texto.IsEmpty()) origen = OrigenInterno(texto);
        estadoOrigen = ESTADO_FICHERO;
    }
    LeerRealBDL(lector, "X ", x, estadoX);
    LeerRealBDL(lector, "Y ", y, estadoY);
    LeerRealBDL(lector, "Z ", z, estadoZ);
    LeerRealBDL(lector, "AZIMUTH ", azimuth, estadoAzimuth);
    if (lector->LeerReal("TILT ", inclinacion) == 0) {
        estadoInclinacion = ESTADO_FICHERO;
    } else {
        inclinacion = origen == "TECHO" ? 0.0f : (origen == "SUELO" ? 180.0f : 90.0f);
        estadoInclinacion = ESTADO_DEFECTO;
    }
    anguloRadianes = static_cast<float>((90.0 - inclinacion) * kGrados);
    LeerRealBDL(lector, "HEIGHT ", altura, estadoAltura);
    LeerRealBDL(lector, "WIDTH ", anchura, estadoAnchura);
    if (altura == 0.0f)
        if (const ObjetoBase* espacio = ObtenerDueno()) espacio->ObtenerReal("Altura", altura);
    LeerPoligono(*lector, poligono, estadoPoligono, "Ninguno");
    LeerCadenaBDL(lector, "CONSTRUCTION =", construccion, estadoConstruccion);
    if (PoligonoDefinido()) CalcularCoordenadas();
}

void Muro::Comprobar() {
    FicheroLog* log = FicheroLog::Instancia();
    const TipoObjeto propio = ObtenerTipo();
    bdCerramientos* cerramientos = bdCerramientos::Instancia(LISTA_PROGRAMA);
    if (Ninguno(construccion) || cerramientos == nullptr ||
        BuscarHijo(*cerramientos, construccion, TIPO_CERRAMIENTO) == nullptr) {
        log->PonerEstado(propio, "mal");
        Error::Instancia()->ReferenciaInexistente(propio, TIPO_CERRAMIENTO, ObtenerNombre(),
                                                  construccion);
    } else {
        log->PonerEstado(propio, "bien");
    }
    if (!Ninguno(poligono)) {
        if (bdPoligonos::Instancia()->Buscar(poligono) == nullptr) {
            log->PonerEstado(propio, "mal");
            Error::Instancia()->ReferenciaInexistente(propio, TIPO_POLIGONO, ObtenerNombre(),
                                                      poligono);
        } else {
            log->PonerEstado(propio, "bien");
        }
    }
    // Un origen que nombra un lado que el espacio no tiene deja el muro sin vértices.
    AnsiString lado, poligonoEspacio;
    if (const ObjetoBase* espacio = ObtenerDueno())
        espacio->ValorPropiedad("Poligono", poligonoEspacio);
    if (!LadoDelEspacio(lado) || (NombraLado() && !ExisteLado(poligonoEspacio, lado)))
        log->PonerEstado(propio, "mal");
}

void Muro::EscribirParteMuro(FileWriter& fichero, const char* sufijo) {
    Comprobar();
    if (!Ninguno(construccion))
        fichero.Printf("                  CONSTRUCTION  = \"%s%s\"  \n", construccion.c_str(),
                       sufijo);
    const struct {
        const char* linea;
        float valor;
        EstadoValor estado;
    } lineas[] = {
        {"                  X             = %14.7g\n", x, estadoX},
        {"                  Y             = %14.7g\n", y, estadoY},
        {"                  Z             = %14.7g\n", z, estadoZ},
        {"                  AZIMUTH       = %14.7g\n", azimuth, estadoAzimuth},
        {"                  TILT          = %14.7g\n", inclinacion, estadoInclinacion},
    };
    for (const auto& linea : lineas)
        if (linea.estado != ESTADO_DEFECTO)
            fichero.Printf(linea.linea, static_cast<double>(linea.valor));
    if (!Ninguno(origen))
        fichero.Printf("                  LOCATION      = %s  \n", OrigenEnFichero(origen).c_str());
    if (!(poligono == "Ninguno") && estadoPoligono != ESTADO_DEFECTO) {
        fichero.Printf("                  POLYGON       = \"%s\"\n", poligono.c_str());
    } else {
        if (estadoAltura != ESTADO_DEFECTO)
            fichero.Printf("                   HEIGHT        = %14.7g\n",
                           static_cast<double>(altura));
        if (estadoAnchura != ESTADO_DEFECTO)
            fichero.Printf("                   WIDTH         =  %14.7g\n",
                           static_cast<double>(anchura));
    }
    fichero.Printf("                      ..\n");
}

void Muro::Escribir(FileWriter& fichero) {
    EscribirParteMuro(fichero, "");
    fichero.Printf("                  \"%s\" =  CONSTRUCTION\n", construccion.c_str());
    fichero.Printf("                        TYPE   = LAYERS  \n");
    fichero.Printf("                        LAYERS = \"%s\" \n", construccion.c_str());
    fichero.Printf("                        ..\n");
}

void Muro::Exportar(FileWriter& fichero) {
    EscribirParteMuro(fichero, "-C");
}

bool Muro::NombraLado() const {
    return !(estadoOrigen == ESTADO_DEFECTO || Ninguno(origen) || origen == "TECHO" ||
             origen == "SUELO");
}

bool Muro::LadoDelEspacio(AnsiString& lado) const {
    lado = "V1";
    if (!NombraLado()) return true;
    int numero = 0;
    if (origen.Length() < 8 || !NumeroDeLado(origen, numero) || numero == 0) return false;
    lado = "V" + IntToStr(numero);
    return true;
}

bool Muro::ColocarEnEdificio(std::vector<Punto2D>& puntos) const {
    const ObjetoBase* espacio = ObtenerDueno();
    const ObjetoBase* planta = espacio ? espacio->ObtenerDueno() : nullptr;
    AnsiString poligonoPlanta, origenEspacio;
    float az = kSinDar, ox = kSinDar, oy = kSinDar;
    if (planta) planta->ValorPropiedad("Poligono", poligonoPlanta);
    espacio->ValorPropiedad("Origen", origenEspacio);
    espacio->ObtenerReal("Azimuth", az);
    espacio->ObtenerReal("X", ox);
    espacio->ObtenerReal("Y", oy);
    if (!ColocarSobreLado(poligonoPlanta, EtiquetaDeOrigen(origenEspacio), az, ox, oy, puntos))
        return false;
    float azPlanta = 0.0f, xPlanta = 0.0f, yPlanta = 0.0f, azEdificio = 0.0f;
    if (planta) {
        planta->ObtenerReal("Azimuth", azPlanta);
        planta->ObtenerReal("X", xPlanta);
        planta->ObtenerReal("Y", yPlanta);
        if (const ObjetoBase* edificio = planta->ObtenerDueno())
            edificio->ObtenerReal("Azimuth", azEdificio);
    }
    ColocarEnPlano(azPlanta, xPlanta, yPlanta, puntos);
    ColocarEnPlano(azEdificio, 0.0f, 0.0f, puntos);
    return true;
}

void Muro::CalcularCoordenadas() {
    const ObjetoBase* espacio = ObtenerDueno();
    if (espacio == nullptr || !espacio->PoligonoDefinido()) return;
    const ObjetoBase* planta = espacio->ObtenerDueno();
    const ObjetoBase* edificio = planta ? planta->ObtenerDueno() : nullptr;
    float zEspacio = 0.0f, zPlanta = 0.0f, xRef = 0.0f, yRef = 0.0f;
    espacio->ObtenerReal("Z", zEspacio);
    if (planta) planta->ObtenerReal("Z", zPlanta);
    if (edificio) {
        edificio->ObtenerReal("XRef", xRef);
        edificio->ObtenerReal("YRef", yRef);
    }
    const float zb = zEspacio + zPlanta + (estadoZ != ESTADO_DEFECTO ? z : 0.0f);
    float h = altura;
    if (estadoAltura == ESTADO_DEFECTO) espacio->ObtenerReal("Altura", h);
    double t = estadoInclinacion != ESTADO_DEFECTO ? inclinacion : 90.0f;
    auto dado = [](float valor, EstadoValor estado) {
        return estado != ESTADO_DEFECTO ? valor : kSinDar;
    };
    float w = dado(anchura, estadoAnchura), a = dado(azimuth, estadoAzimuth);
    float x0 = dado(x, estadoX), y0 = dado(y, estadoY), z0 = dado(z, estadoZ);

    enum class Modo { Coordenadas, Lado, Propio } modo = Modo::Lado;
    AnsiString lado;
    if (!LadoDelEspacio(lado)) return;
    if (estadoOrigen == ESTADO_DEFECTO || origen == "Ninguno") {
        modo = Modo::Coordenadas;
        for (float* valor : {&x0, &y0, &z0, &a})
            if (*valor == kSinDar) *valor = 0.0f;
    }
    if (!(poligono == "Ninguno")) modo = Modo::Propio;
    if (origen == "TECHO" && estadoInclinacion == ESTADO_DEFECTO) t = 0.0;
    if (origen == "SUELO" && estadoInclinacion == ESTADO_DEFECTO) t = 180.0;
    t *= kGrados;
    const bool propio = !Ninguno(poligono);
    AnsiString poligonoEspacio;
    espacio->ValorPropiedad("Poligono", poligonoEspacio);

    if (origen == "TECHO" || origen == "SUELO" || propio) {
        // Muros de polígono.
        const AnsiString nombre = propio ? poligono : poligonoEspacio;
        const Poligono* figura = bdPoligonos::Instancia()->Buscar(nombre);
        if (figura == nullptr) {
            Error::Instancia()->Mensaje(8, nombre);
            return;
        }
        const int n = figura->NumeroPuntos();
        std::vector<Punto2D> puntos(static_cast<size_t>(n));
        std::vector<float> alturas(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const double px = figura->X(i), py = figura->Y(i);
            const bool suelo = origen == "SUELO";
            puntos[static_cast<size_t>(i)] = {static_cast<float>(px),
                                              static_cast<float>(suelo ? py : py * std::cos(t))};
            const double base = origen == "TECHO" && z0 == kSinDar ? zb + h : zb;
            alturas[static_cast<size_t>(i)] = static_cast<float>(base + py * std::sin(t));
        }
        if (modo == Modo::Propio &&
            !ColocarSobreLado(poligonoEspacio, lado, a + 180.0f, x0, y0, puntos))
            return;
        if (!ColocarEnEdificio(puntos)) return;
        for (int i = 0; i < n; ++i) {
            const Punto2D& p = puntos[static_cast<size_t>(i)];
            if (std::fabs(p.x) >= 2000 || std::fabs(p.y) >= 2000 ||
                std::fabs(alturas[static_cast<size_t>(i)]) >= 2000) {
                GetModalHooks().MessageBox("Coordenadas erróneas", "Error",
                                           MB_OK | MB_ICONINFORMATION);
                return;
            }
        }
        const bool alReves = origen == "SUELO" && poligono == "Ninguno";
        vertices.Redimensionar(n);
        for (int i = 0; i < n; ++i) {
            const int destino = alReves && i > 0 ? n - i : i;
            const Punto2D& p = puntos[static_cast<size_t>(i)];
            vertices.PonerPunto(destino, p.x + xRef, p.y + yRef, alturas[static_cast<size_t>(i)]);
        }
    } else {
        // Muros rectangulares.
        Punto2D p0, p1;
        if (modo == Modo::Lado) {
            if (!ExtremosLado(poligonoEspacio, lado, p0, p1)) return;
            if (a == kSinDar) {
                const double dx = static_cast<double>(p1.x) - p0.x;
                const double dy = static_cast<double>(p1.y) - p0.y;
                double angulo;
                if (dy == 0) {
                    angulo = dx < 0 ? 0.0 : 180.0;
                } else {
                    angulo = std::atan(dx / dy) / kGrados + 90.0;
                    if (dx > 0 && dy < 0) angulo += 180.0;
                    if (dx < 0 && dy < 0) angulo += 180.0;
                }
                if (std::fabs(dx) < 0.001 && dy < 0) angulo = -90.0;
                a = static_cast<float>(angulo);
                if (w == kSinDar) w = static_cast<float>(std::sqrt(dx * dx + dy * dy));
            }
        }
        if (x0 != kSinDar) p0.x = x0;
        if (y0 != kSinDar) p0.y = y0;
        if (w == kSinDar || a == kSinDar) return;
        const double direccion = (180.0 - a) * kGrados;
        p1 = {static_cast<float>(p0.x + w * std::cos(direccion)),
              static_cast<float>(p0.y + w * std::sin(direccion))};
        const double dx = static_cast<double>(p1.x) - p0.x, dy = static_cast<double>(p1.y) - p0.y;
        const double largo = std::sqrt(dx * dx + dy * dy);
        if (largo == 0) return;
        const double sube = h * std::cos(t) / largo;
        const Punto2D q0{static_cast<float>(p0.x - dy * sube),
                         static_cast<float>(p0.y + dx * sube)};
        const Punto2D q1{static_cast<float>(p1.x - dy * sube),
                         static_cast<float>(p1.y + dx * sube)};
        std::vector<Punto2D> puntos = {p0, p1, q1, q0};
        if (!ColocarEnEdificio(puntos)) return;
        const float arriba = static_cast<float>(zb + h * std::sin(t));
        vertices.Redimensionar(4);
        for (int i = 0; i < 4; ++i) {
            const Punto2D& p = puntos[static_cast<size_t>(i)];
            vertices.PonerPunto(i, p.x + xRef, p.y + yRef, i < 2 ? zb : arriba);
        }
    }
    primerCalculo = false;
}

void Muro::FilaInforme(TStrings& fila) {
    AnsiString espacio;
    if (const ObjetoBase* dueno = ObtenerDueno()) dueno->ValorPropiedad("Nombre", espacio);
    fila.Add(ObtenerNombre());
    fila.Add(construccion);
    fila.Add(espacio);
    fila.Add(AnsiString());
    fila.Add(FormatFloat("0.00", vertices.Area()));
    fila.Add(vertices.Orientacion());
}

void Muro::FormatoColumnas(TStrings& anchos, TStrings& alineaciones) const {
    for (const char* ancho : {"25", "20", "23"})
        anchos.Add(ancho);
    for (const char* alineacion : {"Izquierda", "Derecha", "Centrado"})
        alineaciones.Add(alineacion);
}

void Muro::TitulosColumnas(TStrings& titulos) const {
    for (const char* titulo : {"Nombre", "Construcción", "Espacio", "Color", "Área (m²)", "Orient"})
        titulos.Add(titulo);
}
