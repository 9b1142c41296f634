// Material: propiedades por clave, registro "MATERIAL" (lectura, escritura, forma abreviada
// y forma del programa hermano), nodo XML, copia y fila de informe.

#include "comunes/Material.h"

#include "comunes/DocumentoXML.h"
#include "comunes/Fabrica.h"
#include "comunes/LeerBDL.h"
#include "comunes/PiezasRegistro.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <limits>
#include <memory>

namespace {

constexpr const char* kPropiedades = "PROPIEDADES";
constexpr const char* kResistencia = "RESISTENCIA";
// Lo que el programa hermano admite como nombre.
constexpr int kLargoNombreDumvat = 32;
// Los límites del espesor mínimo y máximo de una capa: cualquier número finito, como los
// que trae un fichero o guarda una copia, y por tanto también sus defectos.
constexpr float kSinLimiteAbajo = std::numeric_limits<float>::lowest();
constexpr float kSinLimiteArriba = std::numeric_limits<float>::max();

// Los puestos de las palabras clave en los juegos del registro y de la forma abreviada: las
// que leen igual las dos, primero.
enum Comun : size_t { kTipo, kNombre, kGrupo, kImagen, kLibreria, kUtil, kComunes };
enum Registro : size_t {
    kConductividad = kComunes,
    kEspesor,
    kCambioEspesor,
    kEspesorMaximo,
    kEspesorMinimo,
    kDensidad,
    kCalorEspecifico,
    kVaporP,
    kResistenciaRegistro,
    kVaporR,
    kDumvat,
};
enum Abreviado : size_t {
    kEspesorAbreviado = kComunes,
    kConductividadAbreviada,
    kDensidadAbreviada,
    kCalorAbreviado,
    kVaporPAbreviado,
    kResistenciaAbreviada,
    kVaporRAbreviado,
};

const ClavesBDL& ClavesRegistro() {
    static const ClavesBDL claves{"TYPE ",
                                  "NAME",
                                  "GROUP",
                                  "IMAGE",
                                  "LIBRARY ",
                                  "UTIL ",
                                  "CONDUCTIVITY",
                                  "THICKNESS",
                                  "THICKNESS_CHANGE",
                                  "THICKNESS_MAX",
                                  "THICKNESS_MIN",
                                  "DENSITY",
                                  "SPECIFIC-HEAT",
                                  "VAPOUR-DIFFUSIVITY-FACTOR",
                                  "RESISTANCE",
                                  "VAPOUR-RESISTIVITY",
                                  "NAME_DUMVAT"};
    return claves;
}

const ClavesBDL& ClavesAbreviadas() {
    static const ClavesBDL claves{"TYPE", "NAME", "GROUP", "IMAGE", "LIBRARY ",   "UTIL ", "TH",
                                  "COND", "DENS", "S-H",   "V-DIF", "RESISTANCE", "V-RES"};
    return claves;
}

} // namespace

// Las propiedades numéricas, con los límites de lo tecleado (mínimo, máximo, defecto).
// PonerReal no toca los espesores mínimo y máximo, ni ObtenerEstado los contesta.
const TablaReales<Material>& Material::Reales() {
    using M = Material;
    static const TablaReales<M> kReales = {
        {"Espesor", &M::espesor, &M::estadoEspesor, "0.000", 0.00001f, 5.0f, 0.1f},
        {"EspesorMinimo", &M::espesorMinimo, &M::estadoEspesorMinimo, "0.000", kSinLimiteAbajo,
         kSinLimiteArriba, 0.001f, REAL_TECLEADO},
        {"EspesorMaximo", &M::espesorMaximo, &M::estadoEspesorMaximo, "0.000", kSinLimiteAbajo,
         kSinLimiteArriba, 2.0f, REAL_TECLEADO},
        {"Conductividad", &M::conductividad, &M::estadoConductividad, "0.000", 0.00001f, 500.0f,
         0.6f},
        {"Densidad", &M::densidad, &M::estadoDensidad, "0", 0.00001f, 15000.0f, 1500.0f},
        {"Calor especifico", &M::calorEspecifico, &M::estadoCalorEspecifico, "0", 0.00001f, 8000.0f,
         800.0f},
        {"Vapor P", &M::vaporP, &M::estadoVaporP, "%g", 1.0f, 1e30f, 1.0f},
        {"Resistencia", &M::resistencia, &M::estadoResistencia, "0.000", 0.00001f, 1000.0f, 0.2f},
        {"Vapor R", &M::vaporR, &M::estadoVaporR, "0.000", 0.055f, 1e20f, 0.055f},
    };
    return kReales;
}

Material::Material(const AnsiString& nombre) : ObjetoBase(nombre), tipologia(kPropiedades) {
    tipo = TIPO_MATERIAL;
    estadoNombre = ESTADO_DEFECTO;
    grupo = "Otro";
    nombreCompleto = nombre;
    libreria = false;
    utilizado = false;
    // Sin dibujo hasta que se elija uno: no hay uno genérico entre los de la instalación, y
    // la ruta de uno que no existe acabaría escrita en el fichero de la base.
}

bool Material::EsPropiedades() const {
    return tipologia == kPropiedades;
}

void Material::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (Reales().Texto(*this, clave, valor) || ValorComun(clave, valor)) return;
    if (clave == "Tipologia")
        valor = tipologia;
    else if (clave == "Imagen")
        valor = imagen;
    else
        valor = AnsiString();
}

void Material::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (!Reales().Real(*this, clave, valor)) valor = 0.0f;
}

void Material::ObtenerLogico(const AnsiString& clave, bool& valor) const {
    if (clave == "Cambio Espesor") valor = cambioEspesor;
}

void Material::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (Reales().Estado(*this, clave, estado) || EstadoComun(clave, estado)) return;
    estado = clave == "Tipologia" ? estadoTipologia : ESTADO_DEFECTO;
}

void Material::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    if (Reales().Asignar(*this, clave, texto) || AsignarComun(clave, texto, {})) return;
    if (clave == "Tipologia")
        AsignarCadena(tipologia, estadoTipologia, texto, kPropiedades);
    else if (clave == "Imagen")
        AsignarCadena(imagen, estadoImagen, texto, AnsiString());
    else if (clave == "Libreria")
        libreria = texto == "YES";
}

void Material::PonerReal(const AnsiString& clave, float valor) {
    Reales().Poner(*this, clave, valor);
}

void Material::PonerLogico(const AnsiString& clave, bool valor) {
    if (clave == "Utilizado")
        utilizado = valor;
    else if (clave == "Utilizado al guardar")
        utilizadoAlGuardar = valor;
    else if (clave == "Cambio Espesor")
        cambioEspesor = valor;
    else if (clave == "Libreria")
        libreria = valor;
}

void Material::CalcularResistencia() {
    resistencia = conductividad == 0.0f ? 10.0f : espesor / conductividad;
    estadoResistencia = ESTADO_RECHAZADO;
}

void Material::LeerComunes(const CamposBDL& campos) {
    AnsiString texto;
    if (LeerTextoBDL(campos, kTipo, texto)) {
        if (texto == "PROPERTIES")
            tipologia = kPropiedades;
        else if (texto == "RESISTANCE")
            tipologia = kResistencia;
        estadoTipologia = ESTADO_FICHERO;
    }
    LeerCadenaBDL(campos, kNombre, nombreCompleto, estadoNombreCompleto);
    LeerCadenaBDL(campos, kGrupo, grupo, estadoGrupo);
    LeerCadenaBDL(campos, kImagen, imagen, estadoImagen);
}

void Material::LeerMarcas(const CamposBDL& campos) {
    if (LeerSiBDL(campos, kLibreria)) MarcarLibreria();
    // Sin "UTIL " el material no se usa.
    utilizado = LeerSiBDL(campos, kUtil);
}

void Material::Leer(LeerBDL* lector) {
    estadoNombre = ESTADO_FICHERO;
    if (lector == nullptr) return;

    const CamposBDL campos(*lector, ClavesRegistro());
    LeerComunes(campos);
    if (grupo.IsEmpty()) grupo = "Otro";
    LeerRealBDL(campos, kConductividad, conductividad, estadoConductividad);
    LeerRealBDL(campos, kEspesor, espesor, estadoEspesor);
    cambioEspesor = true;
    AnsiString texto;
    if (LeerTextoBDL(campos, kCambioEspesor, texto)) {
        cambioEspesor = texto != "NO";
        estadoEspesor = ESTADO_FICHERO;
    }
    LeerRealBDL(campos, kEspesorMaximo, espesorMaximo, estadoEspesorMaximo);
    LeerRealBDL(campos, kEspesorMinimo, espesorMinimo, estadoEspesorMinimo);
    LeerRealBDL(campos, kDensidad, densidad, estadoDensidad);
    LeerRealBDL(campos, kCalorEspecifico, calorEspecifico, estadoCalorEspecifico);
    LeerRealBDL(campos, kVaporP, vaporP, estadoVaporP);
    LeerRealBDL(campos, kResistenciaRegistro, resistencia, estadoResistencia);
    LeerRealBDL(campos, kVaporR, vaporR, estadoVaporR);
    EstadoValor sinEstado = ESTADO_DEFECTO;
    LeerCadenaBDL(campos, kDumvat, nombreDumvat, sinEstado);
    LeerMarcas(campos);
}

void Material::LeerAbreviado(LeerBDL* lector) {
    estadoNombre = ESTADO_FICHERO;
    if (lector == nullptr) return;

    const CamposBDL campos(*lector, ClavesAbreviadas());
    LeerComunes(campos);
    LeerRealBDL(campos, kEspesorAbreviado, espesor, estadoEspesor);
    LeerRealBDL(campos, kConductividadAbreviada, conductividad, estadoConductividad);
    LeerRealBDL(campos, kDensidadAbreviada, densidad, estadoDensidad);
    LeerRealBDL(campos, kCalorAbreviado, calorEspecifico, estadoCalorEspecifico);
    LeerRealBDL(campos, kVaporPAbreviado, vaporP, estadoVaporP);
    LeerRealBDL(campos, kResistenciaAbreviada, resistencia, estadoResistencia);
    LeerRealBDL(campos, kVaporRAbreviado, vaporR, estadoVaporR);
    LeerMarcas(campos);
}

void Material::EscribirRegistro(FileWriter& fichero, Maqueta maqueta, bool deLibreria) const {
    if (libreria && !deLibreria) return;
    // Los reales como "%14.7g".
    FileWriter::Run r(fichero);
    r << '"' << ObtenerNombre() << "\" = MATERIAL\n";
    if (EsPropiedades()) {
        r << "    TYPE              = PROPERTIES\n"
             "    THICKNESS         = ";
        r.RealG(espesor, 14, 7);
        if (maqueta == Maqueta::BaseDatos)
            r << "\n    THICKNESS_CHANGE         = ";
        else
            r << "\n    THICKNESS_CHANGE  =        ";
        r.Text(SiNo(cambioEspesor)) << "\n    THICKNESS_MAX         = ";
        r.RealG(espesorMaximo, 14, 7) << "\n    THICKNESS_MIN         = ";
        r.RealG(espesorMinimo, 14, 7) << "\n    CONDUCTIVITY      = ";
        r.RealG(conductividad, 14, 7) << "\n    DENSITY           = ";
        r.RealG(densidad, 14, 7) << "\n    SPECIFIC-HEAT     = ";
        r.RealG(calorEspecifico, 14, 7);
    } else {
        r << "    TYPE               = RESISTANCE\n"
             "    RESISTANCE         = ";
        r.RealG(resistencia, 14, 7) << "\n    VAPOUR-RESISTIVITY = ";
        r.RealG(vaporR, 14, 7);
    }
    r << "\n    VAPOUR-DIFFUSIVITY-FACTOR = ";
    r.RealG(vaporP, 14, 7) << "\n    NAME          = \"" << nombreCompleto << "\"\n";
    if (!grupo.IsEmpty()) r << "    GROUP         = \"" << grupo << "\"\n";
    r << "    IMAGE          = \"" << imagen << "\"\n    NAME_DUMVAT   = \"" << nombreDumvat
      << "\"\n    LIBRARY       = ";
    r.Text(SiNo(libreria)) << "\n    UTIL          =  ";
    r.Text(SiNo(utilizado || utilizadoAlGuardar)) << "\n    ..\n";
}

void Material::Escribir(FileWriter& fichero) {
    EscribirRegistro(fichero, Maqueta::Registro);
}

void Material::EscribirSinLibreria(FileWriter& fichero, int) {
    EscribirRegistro(fichero, Maqueta::BaseDatos);
}

void Material::EscribirDeLibreria(FileWriter& fichero) {
    EscribirRegistro(fichero, Maqueta::BaseDatos, true);
}

void Material::Exportar(FileWriter& fichero) {
    if (!utilizado && !utilizadoAlGuardar) return;
    if (nombreDumvat.IsEmpty()) nombreDumvat = ObtenerNombre().SubString(1, kLargoNombreDumvat);
    fichero.Printf("\"%s\" = MATERIAL\n", nombreDumvat.c_str());
    if (EsPropiedades()) {
        fichero.Printf("    TYPE              = PROPERTIES\n");
        fichero.Printf("    THICKNESS         = %14.7g\n", espesor);
        fichero.Printf("    CONDUCTIVITY      = %14.7g\n", conductividad);
        fichero.Printf("    DENSITY           = %14.7g\n", densidad);
        fichero.Printf("    SPECIFIC-HEAT     = %14.7g\n", calorEspecifico);
    } else {
        fichero.Printf("    TYPE               = RESISTANCE\n");
        fichero.Printf("    RESISTANCE         = %14.7g\n", resistencia);
    }
    fichero.Printf("    ..\n");
}

void Material::EscribirXML(DocumentoXML& documento, IXMLNode* padre) {
    IXMLNode* nodo = documento.NuevoNodo(padre, "Material");
    documento.PonerAtributo(nodo, "name", ObtenerNombre());
    if (EsPropiedades()) {
        IXMLNode* tipologiaXML = documento.NuevoNodo(nodo, "typeProperties");
        NodoConTexto(documento, tipologiaXML, "conductivity", FloatToStr(conductividad));
        NodoConTexto(documento, tipologiaXML, "thickness", FloatToStr(espesor));
        NodoConTexto(documento, tipologiaXML, "density", FloatToStr(densidad));
        NodoConTexto(documento, tipologiaXML, "specific-heat", FloatToStr(calorEspecifico));
        NodoConTexto(documento, tipologiaXML, "vapour-diffusivity-factor", FloatToStr(vaporP));
    } else {
        IXMLNode* tipologiaXML = documento.NuevoNodo(nodo, "typeResistance");
        NodoConTexto(documento, tipologiaXML, "resistance", FloatToStr(resistencia));
        NodoConTexto(documento, tipologiaXML, "vapour-resistivity", FloatToStr(vaporR));
    }
    NodoConTexto(documento, nodo, "library", SiNo(libreria));
    NodoConTexto(documento, nodo, "group", grupo);
    NodoConTexto(documento, nodo, "image", imagen);
    NodoConTexto(documento, nodo, "nameDumvat", nombreDumvat);
}

void Material::CopiarDe(const ObjetoBase& otro) {
    // Cada valor parte del propio: una clave que el otro no conoce no lo cambia.
    otro.ValorPropiedad("Tipologia", tipologia);
    Reales().CopiarDe(*this, otro);
    otro.ObtenerLogico("Cambio Espesor", cambioEspesor);
    otro.ValorPropiedad("Grupo", grupo);
    otro.ValorPropiedad("Nombre completo", nombreCompleto);
    otro.ValorPropiedad("Imagen", imagen);
    otro.ValorPropiedad("Dumvat", nombreDumvat);
    if (otro.EsLibreria()) MarcarLibreria();
    if (otro.EsSupuesto()) MarcarSupuesto();
}

void Material::FilaInforme(TStrings& fila) {
    if (!utilizado && !utilizadoAlGuardar) return;
    fila.Add(nombreCompleto);
    fila.Add(tipologia);
    fila.Add(FormatFloat("0.000", conductividad));
    fila.Add(FormatFloat("0.00", densidad));
    fila.Add(FormatFloat("0.00", calorEspecifico));
    fila.Add(TextoReal("%g", vaporP));
    fila.Add(FormatFloat("0.00", resistencia));
    fila.Add(libreria && grupo != "Aislantes" ? "--" : "SI");
}

void RegistrarMaterial() {
    Fabrica::Registrar(TIPO_MATERIAL, [](const AnsiString& nombre) -> std::unique_ptr<ObjetoBase> {
        return std::make_unique<Material>(nombre);
    });
}
