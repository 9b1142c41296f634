// Espacio: claves, registro "SPACE", comprobación, copia y contorno.

#include "modelo/Espacio.h"

#include "comunes/Error.h"
#include "comunes/FicheroLog.h"
#include "comunes/Idioma.h"
#include "comunes/LeerBDL.h"
#include "comunes/Util.h"
#include "modelo/Colocacion.h"
#include "modelo/LeerPoligono.h"
#include "modelo/Poligono.h"
#include "modelo/TextoReal.h"
#include "modelo/bdPoligonos.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <tuple>
#include <vector>

namespace {

// Los tres usos de un espacio y su palabra en el registro.
const char* PalabraDeTipo(const AnsiString& tipo) {
    if (tipo == "HABITADO") return "CONDITIONED";
    if (tipo == "NO HABITADO") return "UNCONDITIONED";
    return "UNHABITED";
}

AnsiString TipoDePalabra(const AnsiString& palabra) {
    if (palabra == "CONDITIONED") return "HABITADO";
    if (palabra == "UNHABITED") return "NO HABITABLE";
    return "NO HABITADO";
}

// Las cinco primeras letras cambiadas por otras ("PLNTA-V3" y "FLOOR-V3").
AnsiString ConPrefijo(const AnsiString& texto, const char* prefijo) {
    if (texto.Length() < 5) return prefijo;
    return AnsiString(prefijo) + texto.SubString(6, texto.Length() - 5);
}

} // namespace

Espacio::Espacio(const AnsiString& nombre)
    : Contenedor(nombre), codigo(Contenedor::SiguienteCodigo()) {
    tipo = TIPO_ESPACIO;
    estadoNombre = ESTADO_DEFECTO;
}

const TablaReales<Espacio>& Espacio::Reales() {
    using E = Espacio;
    constexpr unsigned kUso = REAL_TECLEADO | REAL_ESTADO;
    static const TablaReales<E> kReales = {
        {"Altura", &E::altura, &E::estadoAltura, "0.00", 0.0f, 100.0f, 3.0f, kUso},
        {"PlantaPesada", &E::plantaPesada, &E::estadoPlantaPesada, "%g", 0.0f, 10000.0f, 0.0f,
         kUso},
        {"X", &E::x, &E::estadoX, "%g", -5000.0f, 5000.0f, 0.0f, kUso},
        {"Y", &E::y, &E::estadoY, "%g", -5000.0f, 5000.0f, 0.0f, kUso},
        {"Z", &E::z, &E::estadoZ, "%g", -5000.0f, 5000.0f, 0.0f, kUso},
        {"Azimuth", &E::azimuth, &E::estadoAzimuth, "%g", -360.0f, 360.0f, 0.0f, kUso},
    };
    return kReales;
}

float Espacio::SinDarSiDefecto(float valor, EstadoValor estado) const {
    return estado == ESTADO_DEFECTO ? kSinDar : valor;
}

void Espacio::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Nombre")
        valor = ObtenerNombre();
    else if (clave == "Poligono")
        valor = poligono;
    else if (clave == "TipoEspacio")
        valor = tipoEspacio;
    else if (clave == "Altura")
        valor = FormatFloat("0.00", altura);
    else if (clave == "Repetidor")
        valor = FormatFloat("0.00", multiplicador);
    else if (clave == "PlantaPesada")
        valor = TextoCorto(plantaPesada);
    else if (clave == "Origen")
        valor = origen;
    else if (clave == "X")
        valor = TextoCorto(SinDarSiDefecto(x, estadoX));
    else if (clave == "Y")
        valor = TextoCorto(SinDarSiDefecto(y, estadoY));
    else if (clave == "Azimuth")
        valor = TextoCorto(SinDarSiDefecto(azimuth, estadoAzimuth));
    else if (clave == "CondicionesOperacionales")
        valor = condiciones;
    else if (clave == "SistemaCondiciones")
        valor = sistemaCondiciones;
    else if (clave == "Pilares")
        valor = IntToStr(pilares);
    else if (clave == "Area")
        valor = TextoCorto(area);
    else if (clave == "Volumen")
        valor = TextoCorto(volumen);
}

void Espacio::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (clave == "Altura")
        valor = altura;
    else if (clave == "Repetidor")
        valor = static_cast<float>(multiplicador);
    else if (clave == "PlantaPesada")
        valor = plantaPesada;
    else if (clave == "X")
        valor = SinDarSiDefecto(x, estadoX);
    else if (clave == "Y")
        valor = SinDarSiDefecto(y, estadoY);
    else if (clave == "Azimuth")
        valor = SinDarSiDefecto(azimuth, estadoAzimuth);
    else if (clave == "Z")
        valor = z;
    else if (clave == "Pilares")
        valor = static_cast<float>(pilares);
    else if (clave == "Area")
        valor = area;
    else if (clave == "Volumen")
        valor = volumen;
}

void Espacio::ObtenerEntero(const AnsiString& clave, int& valor) const {
    if (clave == "Repetidor")
        valor = multiplicador;
    else if (clave == "Pilares")
        valor = pilares;
}

void Espacio::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (Reales().Estado(*this, clave, estado)) return;
    if (clave == "Nombre")
        estado = estadoNombre;
    else if (clave == "Poligono")
        estado = estadoPoligono;
    else if (clave == "TipoEspacio")
        estado = estadoTipo;
    else if (clave == "Repetidor")
        estado = estadoMultiplicador;
    else if (clave == "Origen")
        estado = estadoOrigen;
    else if (clave == "Condicion")
        estado = estadoCondiciones;
    else if (clave == "Pilares")
        estado = estadoPilares;
}

void Espacio::DerivarSistema() {
    if (tipoEspacio == "HABITADO")
        sistemaCondiciones = condiciones + "_AC";
    else if (tipoEspacio == "NO HABITADO")
        sistemaCondiciones = condiciones + "_NOAC";
}

void Espacio::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    if (Reales().Asignar(*this, clave, texto)) return;
    if (clave == "Nombre") {
        PonerNombre(texto);
    } else if (clave == "Poligono") {
        AsignarCadena(poligono, estadoPoligono, texto, "Ninguno");
    } else if (clave == "Repetidor") {
        AsignarEntero(multiplicador, estadoMultiplicador, texto, 1, 1000, 1);
    } else if (clave == "Origen") {
        AsignarCadena(origen, estadoOrigen, texto, "Ninguno");
    } else if (clave == "SistemaCondiciones") {
        sistemaCondiciones = texto;
    } else if (clave == "Pilares") {
        AsignarEntero(pilares, estadoPilares, texto, 0, 1000, 0);
    } else if (clave == "Condicion") {
        AsignarCadena(condiciones, estadoCondiciones, texto, "Residencial");
        DerivarSistema();
        condicionesEspacio = condiciones + "_SPC";
    } else if (clave == "TipoEspacio") {
        tipoEspacio = texto;
        DerivarSistema();
    }
}

bool Espacio::PoligonoDefinido() const {
    const ObjetoBase* planta = ObtenerDueno();
    if (planta == nullptr || !planta->PoligonoDefinido()) return false;
    if (poligono == "Ninguno") return false;
    const Poligono* figura = bdPoligonos::Instancia()->Buscar(poligono);
    if (figura == nullptr) return false;
    int puntos = 0;
    figura->ObtenerEntero("Numero puntos", puntos);
    return puntos != 0;
}

void Espacio::Leer(LeerBDL* lector) {
    estadoNombre = ESTADO_FICHERO;
    if (lector == nullptr) return;
    AnsiString texto;
    LeerPoligono(*lector, poligono, estadoPoligono, "Ninguno");
    LeerEnteroBDL(lector, "MULTIPLIER ", multiplicador, estadoMultiplicador);
    if (lector->LeerCadena("TYPE ", texto) == 0) {
        QuitarComillas(texto);
        tipoEspacio = TipoDePalabra(texto);
        estadoTipo = ESTADO_FICHERO;
    }
    LeerCadenaBDL(lector, "SPACE-TYPE ", condiciones, estadoCondiciones);
    if (condiciones.Length() > 0 && condiciones[1] == '#') condiciones.Delete(1, 1);
    EstadoValor estadoTexto = ESTADO_DEFECTO;
    LeerCadenaBDL(lector, "SPACE-CONDITIONS ", condicionesEspacio, estadoTexto);
    LeerCadenaBDL(lector, "SYSTEM-CONDITIONS ", sistemaCondiciones, estadoTexto);
    if (lector->LeerCadena("LOCATION ", texto) == 0) {
        QuitarComillas(texto);
        origen = texto.Length() >= 2 && texto[2] == 'L' ? ConPrefijo(texto, "PLNTA") : texto;
        estadoOrigen = ESTADO_FICHERO;
    }
    LeerRealBDL(lector, "FLOOR-WEIGHT ", plantaPesada, estadoPlantaPesada);
    LeerEnteroBDL(lector, "PILLARS-NUMBERS ", pilares, estadoPilares);
    for (auto [palabra, valor, estado] :
         {std::tuple{"X ", &x, &estadoX}, std::tuple{"Y ", &y, &estadoY},
          std::tuple{"Z ", &z, &estadoZ}}) {
        if (lector->LeerReal(palabra, *valor) == 0) {
            *estado = ESTADO_FICHERO;
        } else {
            *valor = 0.0f;
            *estado = ESTADO_DEFECTO;
        }
    }
    LeerRealBDL(lector, "AZIMUTH ", azimuth, estadoAzimuth);
    LeerRealBDL(lector, "HEIGHT ", altura, estadoAltura);
    LeerRealBDL(lector, "AREA ", area, estadoArea);
    LeerRealBDL(lector, "VOLUME ", volumen, estadoVolumen);
    if (estadoAltura == ESTADO_DEFECTO)
        if (const ObjetoBase* planta = ObtenerDueno())
            planta->ObtenerReal("AlturaEspacios", altura);
    if (PoligonoDefinido()) CalcularContorno();
}

void Espacio::EscribirPosicion(FileWriter& fichero, bool conAltura) {
    fichero.Printf("    \"%s\" = SPACE\n", ObtenerNombre().c_str());
    if (estadoX != ESTADO_DEFECTO)
        fichero.Printf("            X                 = %14.7g\n", static_cast<double>(x));
    if (estadoZ != ESTADO_DEFECTO)
        fichero.Printf("            Z                 = %14.7g\n", static_cast<double>(z));
    if (estadoY != ESTADO_DEFECTO)
        fichero.Printf("            Y                 = %14.7g\n", static_cast<double>(y));
    if (conAltura && estadoAltura != ESTADO_DEFECTO)
        fichero.Printf("            HEIGHT            = %14.7g\n", static_cast<double>(altura));
    if (estadoAzimuth != ESTADO_DEFECTO)
        fichero.Printf("            AZIMUTH           = %14.7g\n", static_cast<double>(azimuth));
}

void Espacio::Escribir(FileWriter& fichero) {
    Comprobar();
    EscribirPosicion(fichero, true);
    fichero.Printf("            SHAPE             = POLYGON \n");
    if (estadoPoligono != ESTADO_DEFECTO)
        fichero.Printf("            POLYGON           = \"%s\"\n", poligono.c_str());
    fichero.Printf("            TYPE              = %s\n", PalabraDeTipo(tipoEspacio));
    if (!origen.IsEmpty() && !(origen == "Ninguno"))
        fichero.Printf("            LOCATION          = %s  \n",
                       ConPrefijo(origen, "FLOOR").c_str());
    // Las condiciones de operación no estaban en el registro: un modelo guardado y vuelto a
    // abrir las perdía.
    if (!condiciones.IsEmpty() && !(condiciones == "Ninguno"))
        fichero.Printf("            SPACE-TYPE        = \"%s\"\n", condiciones.c_str());
    fichero.Printf("            SYSTEM-CONDITIONS = \"%s\"\n", sistemaCondiciones.c_str());
    fichero.Printf("            SPACE-CONDITIONS  = \"%s\"\n", condicionesEspacio.c_str());
    fichero.Printf("            FLOOR-WEIGHT      = %14.7g\n", static_cast<double>(plantaPesada));
    fichero.Printf("            MULTIPLIER        = %d\n", multiplicador);
    fichero.Printf("            PILLARS-NUMBERS   = %d\n", pilares);
    if (estadoArea != ESTADO_DEFECTO)
        fichero.Printf("            AREA              = %14.7g\n", static_cast<double>(area));
    if (estadoVolumen != ESTADO_DEFECTO)
        fichero.Printf("            VOLUME            = %14.7g\n", static_cast<double>(volumen));
    fichero.Printf("            ..\n");
}

void Espacio::Exportar(FileWriter& fichero) {
    Comprobar();
    EscribirPosicion(fichero, false);
    if (estadoPoligono != ESTADO_DEFECTO)
        fichero.Printf("            POLYGON           = \"%s\"\n", poligono.c_str());
    if (!origen.IsEmpty() && !(origen == "Ninguno"))
        fichero.Printf("            LOCATION          = %s  \n",
                       ConPrefijo(origen, "FLOOR").c_str());
    if (tipoEspacio == "No acondicionado")
        fichero.Printf("            ZONE-TYPE              = %s\n", "UNCONDITIONED");
    fichero.Printf("            FLOOR-WEIGHT      = %14.7g\n", static_cast<double>(plantaPesada));
    fichero.Printf("            ..\n");
}

bool Espacio::VerticeDeReferencia(AnsiString& vertice) const {
    vertice = AnsiString();
    if (origen == "PLNTA-SPACE") {
        vertice = "1";
        return true;
    }
    if (origen.IsEmpty() || origen[1] != 'P') return true;
    int numero = 0;
    if (!NumeroDeLado(origen, numero) || numero == 0) return false;
    vertice = IntToStr(numero);
    return true;
}

bool Espacio::OrigenValido() const {
    AnsiString vertice;
    if (!VerticeDeReferencia(vertice)) return false;
    if (vertice.IsEmpty()) return true;
    AnsiString poligonoPlanta;
    if (const ObjetoBase* planta = ObtenerDueno())
        planta->ValorPropiedad("Poligono", poligonoPlanta);
    return ExisteLado(poligonoPlanta, "V" + vertice);
}

bool Espacio::ComprobarPoligono() {
    const ObjetoBase* planta = ObtenerDueno();
    if (planta != nullptr && !planta->PoligonoDefinido()) return false;
    if (poligono == "Ninguno") {
        Error::Instancia()->Mensaje(8, poligono);
        return false;
    }
    const Poligono* figura = bdPoligonos::Instancia()->Buscar(poligono);
    if (figura == nullptr) {
        Error::Instancia()->ReferenciaInexistente(TIPO_ESPACIO, TIPO_POLIGONO, ObtenerNombre(),
                                                  poligono);
        return false;
    }
    return figura->NumeroPuntos() != 0;
}

void Espacio::Comprobar() {
    FicheroLog* log = FicheroLog::Instancia();
    if (!ComprobarPoligono() || !OrigenValido()) {
        log->PonerEstado(TIPO_ESPACIO, "mal");
    } else if (condiciones == "Ninguno" || condiciones.IsEmpty()) {
        log->PonerEstado(TIPO_ESPACIO, "mal");
        Error::Instancia()->ReferenciaInexistente(TIPO_ESPACIO, TIPO_CONDICIONES, ObtenerNombre(),
                                                  condiciones);
    } else {
        log->PonerEstado(TIPO_ESPACIO, "bien");
    }
}

void Espacio::CalcularContorno() {
    AnsiString vertice;
    if (!VerticeDeReferencia(vertice)) return;
    const Poligono* figura = bdPoligonos::Instancia()->Buscar(poligono);
    const ObjetoBase* planta = ObtenerDueno();
    if (figura == nullptr || planta == nullptr) return;
    AnsiString poligonoPlanta;
    planta->ValorPropiedad("Poligono", poligonoPlanta);
    if (bdPoligonos::Instancia()->Buscar(poligonoPlanta) == nullptr) return;
    const int n = figura->NumeroPuntos();
    if (n < 2) return;

    const float az = SinDarSiDefecto(azimuth, estadoAzimuth);
    const float ox = SinDarSiDefecto(x, estadoX);
    const float oy = SinDarSiDefecto(y, estadoY);
    float nivel = 0.0f;
    planta->ObtenerReal("Z", nivel);
    const float altura0 = nivel + (estadoZ == ESTADO_DEFECTO ? 0.0f : z);
    std::vector<Punto2D> puntos(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        puntos[static_cast<size_t>(i)] = {figura->X(i), figura->Y(i)};

    if (!vertice.IsEmpty()) {
        if (!ColocarSobreLado(poligonoPlanta, "V" + vertice, az, ox, oy, puntos)) return;
    } else {
        ColocarEnPlano(az, ox, oy, puntos);
    }
    float azPlanta = 0.0f, xPlanta = 0.0f, yPlanta = 0.0f;
    planta->ObtenerReal("Azimuth", azPlanta);
    planta->ObtenerReal("X", xPlanta);
    planta->ObtenerReal("Y", yPlanta);
    float azEdificio = 0.0f, xRef = 0.0f, yRef = 0.0f;
    if (const ObjetoBase* edificio = planta->ObtenerDueno()) {
        edificio->ObtenerReal("Azimuth", azEdificio);
        edificio->ObtenerReal("XRef", xRef);
        edificio->ObtenerReal("YRef", yRef);
    }
    // La colocación de la planta, también para el espacio colocado por coordenadas: sus
    // muros la aplican, y el contorno tiene que coincidir con ellos.
    ColocarEnPlano(azPlanta, xPlanta, yPlanta, puntos);
    // El giro del edificio, sin traslado: la referencia se suma una sola vez, como en los
    // muros y en la planta.
    ColocarEnPlano(azEdificio, 0.0f, 0.0f, puntos);
    contorno.Redimensionar(n);
    for (int i = 0; i < n; ++i) {
        const Punto2D& p = puntos[static_cast<size_t>(i)];
        contorno.PonerPunto(i, p.x + xRef, p.y + yRef, altura0);
    }
    contornoDesfasado = false;
}

void Espacio::CopiarDe(const ObjetoBase& otro) {
    otro.ValorPropiedad("Poligono", poligono);
    otro.ValorPropiedad("TipoEspacio", tipoEspacio);
    otro.ValorPropiedad("Origen", origen);
    otro.ValorPropiedad("CondicionesOperacionales", condiciones);
    otro.ValorPropiedad("SistemaCondiciones", sistemaCondiciones);
    otro.ObtenerReal("Altura", altura);
    otro.ObtenerReal("PlantaPesada", plantaPesada);
    otro.ObtenerReal("X", x);
    otro.ObtenerReal("Y", y);
    otro.ObtenerReal("Azimuth", azimuth);
    otro.ObtenerReal("Area", area);
    otro.ObtenerReal("Volumen", volumen);
    otro.ObtenerEntero("Repetidor", multiplicador);
    otro.ObtenerEntero("Pilares", pilares);
    // Cada valor copiado lleva el estado que tenía: lo que el otro daba se sigue dando (y
    // escribiendo); lo que no, sigue sin darse.
    if (const auto* espacio = dynamic_cast<const Espacio*>(&otro)) {
        estadoPoligono = EstadoCopiado(espacio->estadoPoligono);
        estadoTipo = EstadoCopiado(espacio->estadoTipo);
        estadoOrigen = EstadoCopiado(espacio->estadoOrigen);
        estadoCondiciones = EstadoCopiado(espacio->estadoCondiciones);
        estadoAltura = EstadoCopiado(espacio->estadoAltura);
        estadoPlantaPesada = EstadoCopiado(espacio->estadoPlantaPesada);
        estadoX = EstadoCopiado(espacio->estadoX);
        estadoY = EstadoCopiado(espacio->estadoY);
        estadoAzimuth = EstadoCopiado(espacio->estadoAzimuth);
        estadoArea = EstadoCopiado(espacio->estadoArea);
        estadoVolumen = EstadoCopiado(espacio->estadoVolumen);
        estadoMultiplicador = EstadoCopiado(espacio->estadoMultiplicador);
        estadoPilares = EstadoCopiado(espacio->estadoPilares);
    }
    const auto* fuente = dynamic_cast<const Contenedor*>(&otro);
    if (fuente == nullptr || fuente == this) return;
    for (int i = 0; i < fuente->NumeroHijos(); ++i) {
        const ObjetoBase* hijo = fuente->Hijo(i);
        if (hijo == nullptr) continue;
        AnsiString nombre;
        hijo->ValorPropiedad("Nombre", nombre);
        const AnsiString creado = CrearHijo(nombre, hijo->ObtenerTipo());
        if (ObjetoBase* copia = BuscarPorNombre(creado)) copia->CopiarDe(*hijo);
    }
}

void Espacio::FilaInforme(TStrings& fila) {
    AnsiString planta;
    if (const ObjetoBase* dueno = ObtenerDueno()) dueno->ValorPropiedad("Nombre", planta);
    fila.Add(ObtenerNombre());
    fila.Add(planta);
    fila.Add(condiciones);
    fila.Add(IntToStr(multiplicador));
    fila.Add(FormatFloat("0.00", contorno.Area()));
    fila.Add(FormatFloat("0.00", altura));
}

void Espacio::FormatoColumnas(TStrings& anchos, TStrings& alineaciones) const {
    for (const char* alineacion :
         {"Izquierda", "Izquierda", "Izquierda", "Derecha", "Derecha", "Derecha"})
        alineaciones.Add(alineacion);
    for (double ancho : {0.25, 0.2, 0.2, 0.136, 0.107, 0.107})
        anchos.Add(FormatFloat("0.00", ancho));
}

void Espacio::TitulosColumnas(TStrings& titulos) const {
    titulos.Add("Nombre");
    titulos.Add(Idioma::Instancia()->Traducir("Planta"));
    titulos.Add("Uso");
    titulos.Add("Multiplicador");
    titulos.Add("Área (m²)");
    titulos.Add("Altura (m)");
}
