#include "comunes/Acristalamiento.h"

#include "comunes/Configuracionregional.h"
#include "comunes/Directorios.h"
#include "comunes/DocumentoXML.h"
#include "comunes/Fabrica.h"
#include "comunes/Idioma.h"
#include "comunes/LeerBDL.h"
#include "comunes/PiezasRegistro.h"
#include "comunes/Util.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <cmath>
#include <cstring>
#include <memory>

namespace {

const char* const kClaveCodigo = "GLASS-TYPE-CODE";

// Un número de un fichero de librería, con cualquiera de los dos separadores decimales.
bool LeerNumero(const AnsiString& texto, double& valor) {
    AnsiString adaptado = texto;
    AdaptarSeparadorDecimal(adaptado);
    return TryStrToFloat(adaptado, valor) && std::isfinite(valor);
}

// El factor solar que corresponde a un coeficiente de sombra leído. Uno negativo es el de
// un vidrio sin factor definido, y vuelve a ser exactamente el valor que lo marca.
float FactorDeCoeficiente(float coeficiente) {
    if (coeficiente < 0.0f) return Acristalamiento::kFactorSinDefinir;
    return coeficiente * Acristalamiento::kFactorPorCoeficiente;
}

// Los puestos de las palabras clave del registro.
enum Clave : size_t { kGrupo, kCoeficiente, kConductancia, kDumvat, kLibreria, kUtil, kCambio };

const ClavesBDL& Claves() {
    static const ClavesBDL claves{"GROUP ",       "SHADING-COEF ", "GLASS-CONDUCTANCE ",
                                  "NAME_DUMVAT ", "LIBRARY ",      "UTIL ",
                                  "CHANGE "};
    return claves;
}

} // namespace

Acristalamiento::Acristalamiento(const AnsiString& nombre) : ObjetoBase(nombre) {
    tipo = TIPO_ACRISTALAMIENTO;
    nombreCompleto = nombre;
}

const TablaReales<Acristalamiento>& Acristalamiento::Reales() {
    using A = Acristalamiento;
    static const TablaReales<A> kReales = {
        {"Factor solar", &A::factorSolar, &A::estadoFactor, "0.000", 0.0f, 1.0f, kFactorSinDefinir},
        {"Conductancia", &A::conductancia, &A::estadoConductancia, "0.00", 0.0f, 7.14f,
         kConductanciaDefecto},
        // El código de vidrio solo lo pone la entrada abreviada de librería.
        {"Glass tipo", &A::codigoVidrio, &A::estadoCodigo, "0.00", 0.0f, 0.0f, -1.0f, REAL_ESTADO},
    };
    return kReales;
}

void Acristalamiento::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (Reales().Texto(*this, clave, valor) || ValorComun(clave, valor)) return;
    if (clave == "Tipo") valor = tipoVidrio;
}

void Acristalamiento::ObtenerReal(const AnsiString& clave, float& valor) const {
    Reales().Real(*this, clave, valor);
}

void Acristalamiento::ObtenerLogico(const AnsiString& clave, bool& valor) const {
    if (clave == "puedeCambiar") valor = puedeCambiar;
}

void Acristalamiento::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (Reales().Estado(*this, clave, estado) || EstadoComun(clave, estado)) return;
    if (clave == "Tipo") estado = estadoTipo;
}

void Acristalamiento::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    // Un nombre no válido se marca en rojo y cuenta como error; uno que ya está en la base
    // no se toma. El editor es quien avisa.
    if (Reales().Asignar(*this, clave, texto)) return;
    AsignarComun(clave, texto, {.nombre = ReglasComunes::Nombre::ValidadoConError});
}

void Acristalamiento::PonerReal(const AnsiString& clave, float valor) {
    Reales().Poner(*this, clave, valor);
}

void Acristalamiento::PonerLogico(const AnsiString& clave, bool valor) {
    if (clave == "puedeCambiar")
        puedeCambiar = valor;
    else if (clave == "Utilizado")
        utilizado = valor;
}

void Acristalamiento::Leer(LeerBDL* lector) {
    if (lector == nullptr) return;
    estadoNombre = ESTADO_FICHERO;
    const CamposBDL campos(*lector, Claves());
    LeerCadenaBDL(campos, kGrupo, grupo, estadoGrupo);
    if (grupo.IsEmpty()) grupo = "Otro";
    // El fichero guarda el coeficiente de sombra. Sin él, el factor sigue como estaba (sin
    // definir en un vidrio nuevo): no se inventa un factor que luego se guardaría.
    float coeficiente = 0.0f;
    if (campos.LeerReal(kCoeficiente, coeficiente) == 0) {
        factorSolar = FactorDeCoeficiente(coeficiente);
        estadoFactor = ESTADO_FICHERO;
    }
    LeerRealBDL(campos, kConductancia, conductancia, estadoConductancia);
    EstadoValor estadoDumvat = ESTADO_DEFECTO;
    LeerCadenaBDL(campos, kDumvat, nombreDumvat, estadoDumvat);
    utilizado = LeerLibreriaYUso(campos, kLibreria, kUtil, *this);
    AnsiString cambio;
    if (LeerTextoBDL(campos, kCambio, cambio) && cambio == "NO") puedeCambiar = false;
}

void Acristalamiento::LeerAbreviado(LeerBDL* lector) {
    if (lector == nullptr) return;
    estadoNombre = ESTADO_FICHERO;
    LeerCadenaBDL(lector, "TYPE", tipoVidrio, estadoTipo);
    if (tipoVidrio == kClaveCodigo) LeerRealBDL(lector, kClaveCodigo, codigoVidrio, estadoCodigo);

    // La tabla de códigos dice en qué entrada del fichero de datos está este vidrio.
    const Directorios* carpetas = Directorios::Instancia();
    LeerBDL tabla(carpetas->RutaLibreria("QuenbarLib.dat"), LeerBDL::Forma::Literal);
    const int entradas = tabla.ContarEntradas(kClaveCodigo);
    tabla.Reiniciar();
    AnsiString clave1, clave2, clave3;
    bool hallado = false;
    for (int i = 0; i < entradas && !hallado; ++i) {
        if (tabla.SiguienteEntrada(kClaveCodigo, clave1, clave2, clave3) != 0) break;
        double numero = 0.0;
        hallado = LeerNumero(clave1, numero) && static_cast<float>(numero) == codigoVidrio;
    }
    if (!hallado) return;

    // La entrada de datos tiene las mismas claves que la de la tabla: el código, la clase
    // de entrada y el nombre del vidrio.
    LeerBDL entrada(carpetas->RutaLibreria("Dumvat.Dat"), clave1, kClaveCodigo, clave3);
    float coeficiente = 0.0f;
    if (entrada.LeerReal("SHDCOF", coeficiente) == 0) {
        factorSolar = FactorDeCoeficiente(coeficiente);
        estadoFactor = ESTADO_FICHERO;
    }
    TStringList peliculas;
    LeerListaRealesBDL(&entrada, "FILMS-COND", peliculas);
    LeerRealBDL(&entrada, "U-CENTER", conductancia, estadoConductancia);
    CalcularConductancia(peliculas, conductancia);
}

void Acristalamiento::CalcularConductancia(const TStrings& peliculas, float uCentro) {
    if (peliculas.GetCount() != 3) return;
    float p[3];
    for (int i = 0; i < 3; ++i) {
        double valor = 0.0;
        if (!LeerNumero(peliculas.GetStrings(i), valor)) return;
        p[i] = static_cast<float>(valor);
    }
    if (uCentro == 0.0f) {
        conductancia = 0.0f;
        return;
    }
    // Sin las resistencias de las dos caras no queda una conductancia con sentido.
    const float resistencia = 1.0f / uCentro - 1.0f / (p[0] + p[1]) - 1.0f / p[2];
    const float resultado = 1.0f / resistencia;
    if (!std::isfinite(resistencia) || !(resistencia > 0.0f) || !std::isfinite(resultado)) return;
    conductancia = resultado;
}

void Acristalamiento::Escribir(FileWriter& fichero) {
    if (!EsLibreria()) EscribirRegistro(fichero);
}

void Acristalamiento::EscribirDeLibreria(FileWriter& fichero) {
    EscribirRegistro(fichero);
}

void Acristalamiento::EscribirRegistro(FileWriter& fichero) const {
    // El coeficiente de sombra, con la división hecha en precisión extendida.
    const long double coeficiente =
        static_cast<long double>(factorSolar) / static_cast<long double>(kFactorPorCoeficiente);
    // El nombre, entre comillas, como "%s": un cero en él se lleva la de cierre.
    FileWriter::Run r(fichero);
    const AnsiString& nombre = ObtenerNombre();
    r << '"' << nombre;
    if (std::strlen(nombre.c_str()) == nombre.str().size()) r << '"';
    r << " = GLASS-TYPE\n     GROUP             = \"" << grupo
      << "\"\n     TYPE              = SHADING-COEF\n     SHADING-COEF      = ";
    r.RealG(static_cast<double>(coeficiente), 14, 7) << "\n     GLASS-CONDUCTANCE = ";
    r.RealG(conductancia, 14, 7) << "\n     NAME_DUMVAT      = \"" << nombreDumvat
                                 << "\"\n     LIBRARY       =  ";
    r.Text(SiNo(EsLibreria())) << "\n    UTIL          =  ";
    r.Text(SiNo(utilizado)) << "\n";
    if (!puedeCambiar) r << "    CHANGE          =  NO\n";
    r << "    ..\n";
}

void Acristalamiento::EscribirSinLibreria(FileWriter& fichero, int) {
    Escribir(fichero);
}

void Acristalamiento::Exportar(FileWriter& fichero) {
    if (!EsUtilizado()) return;
    fichero.Printf("\"%s\" = GLASS-TYPE\n", ObtenerNombre().c_str());
    fichero.Printf("     TYPE          = SHADING-COEF\n");
    fichero.Printf("     SHADING-COEF  = %14.7g\n", factorSolar);
    fichero.Printf("     GLASS-CONDUCT = %14.7g\n", conductancia);
    fichero.Printf("     ..\n");
}

void Acristalamiento::EscribirXML(DocumentoXML& documento, IXMLNode* padre) {
    IXMLNode* nodo = documento.NuevoNodo(padre, "GLASS-TYPE");
    documento.PonerAtributo(nodo, "name", ObtenerNombre());
    NodoConTexto(documento, nodo, "type", "SHADING-COEF");
    NodoConTexto(documento, nodo, "shadingCoef", FloatToStr(factorSolar));
    NodoConTexto(documento, nodo, "glassConductance", FloatToStr(conductancia));
    NodoConTexto(documento, nodo, "library", SiNo(EsLibreria()));
    NodoConTexto(documento, nodo, "group", grupo);
    NodoConTexto(documento, nodo, "nameDumvat", nombreDumvat);
    NodoImagen(documento, nodo);
}

void Acristalamiento::CopiarDe(const ObjetoBase& otro) {
    // Lo que el otro no sepa dar queda como estaba.
    Reales().CopiarDe(*this, otro);
    otro.ObtenerLogico("puedeCambiar", puedeCambiar);
    otro.ValorPropiedad("Tipo", tipoVidrio);
    otro.ValorPropiedad("Grupo", grupo);
    otro.ValorPropiedad("Dumvat", nombreDumvat);
    otro.ValorPropiedad("Nombre completo", nombreCompleto);
    if (otro.EsLibreria()) MarcarLibreria();
    if (otro.EsSupuesto()) MarcarSupuesto();
}

void Acristalamiento::FilaInforme(TStrings& fila) {
    if (!EsUtilizado()) return;
    fila.Add(nombreCompleto);
    fila.Add(FormatFloat("0.00", conductancia));
    fila.Add(FormatFloat("0.00", factorSolar));
    const bool regional = Idioma::Instancia()->Codigo() == 2;
    fila.Add(regional && EsLibreria() ? "--" : "SI");
}

void RegistrarAcristalamiento() {
    Fabrica::Registrar(TIPO_ACRISTALAMIENTO,
                       [](const AnsiString& nombre) -> std::unique_ptr<ObjetoBase> {
                           return std::make_unique<Acristalamiento>(nombre);
                       });
}
