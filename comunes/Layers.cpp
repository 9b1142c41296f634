#include "comunes/Layers.h"

#include "comunes/DocumentoXML.h"
#include "comunes/Fabrica.h"
#include "comunes/FicheroLog.h"
#include "comunes/Idioma.h"
#include "comunes/LeerBDL.h"
#include "comunes/PiezasRegistro.h"
#include "comunes/Util.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdMateriales.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

// El espesor con que nace un material: el de una capa cuyo material no se encuentra.
constexpr float kEspesorMaterialNuevo = 0.1f;
// Lo que se escribe en lugar de un espesor no positivo (salvo en la última capa).
constexpr double kEspesorMinimoEscrito = 0.005;
// Las resistencias superficiales, interior y exterior, juntas.
constexpr float kResistenciasSuperficiales = 0.17f;
// La resistencia de una capa de conductividad 0: la que calcula el propio material.
constexpr float kResistenciaSinConductividad = 10.0f;

// El material de ese nombre en la base, aunque se llame como ella; nulo si no está.
ObjetoBase* MaterialEn(bdMateriales* base, const AnsiString& nombre) {
    if (base == nullptr) return nullptr;
    ObjetoBase* material = base->BuscarEnHijos(nombre);
    if (material == nullptr || material->ObtenerTipo() != TIPO_MATERIAL) return nullptr;
    return material;
}

// Las dos partes como "%s" escribe su texto junto: hasta el primer cero. Falso si lo había.
bool Seguidas(FileWriter::Run& r, const AnsiString& parte, const AnsiString& otra) {
    for (const AnsiString* texto : {&parte, &otra}) {
        const size_t largo = std::strlen(texto->c_str());
        r.Bytes(texto->c_str(), largo);
        if (largo < texto->str().size()) return false;
    }
    return true;
}

// Como "%s" escribe el texto junto ya entre comillas: un cero se lleva la de cierre.
void EntreComillas(FileWriter::Run& r, const AnsiString& parte,
                   const AnsiString& otra = AnsiString()) {
    r << '"';
    if (Seguidas(r, parte, otra)) r << '"';
}

// Los puestos de las palabras clave del registro.
enum Clave : size_t { kGrupo, kDumvat, kMateriales, kEspesores, kLibreria, kUtil };

const ClavesBDL& Claves() {
    static const ClavesBDL claves{"GROUP ",     "NAME_DUMVAT ", "MATERIAL ",
                                  "THICKNESS ", "LIBRARY ",     "UTIL "};
    return claves;
}

} // namespace

Layers::Layers(const AnsiString& nombre) : ObjetoBase(nombre) {
    tipo = TIPO_CERRAMIENTO;
    grupo = "Otro";
    nombreCompleto = "";
    utilizado = false;
    libreria = false;
}

void Layers::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    if (ValorComun(clave, valor)) return;
    if (clave == "Numero materiales")
        valor = IntToStr(nombresMateriales.GetCount());
    else if (clave == "Ifr")
        valor = FloatToStr(ifr);
}

void Layers::ObtenerReal(const AnsiString& clave, float& valor) const {
    if (clave == "Ifr") {
        valor = ifr;
    } else if (clave == "Espesor") {
        float total = 0.0f;
        for (int capa = 0; capa < nombresMateriales.GetCount(); ++capa)
            total += Espesor(capa);
        valor = total;
    }
}

void Layers::ObtenerEntero(const AnsiString& clave, int& valor) const {
    if (clave == "Numero materiales") valor = nombresMateriales.GetCount();
}

void Layers::ObtenerLogico(const AnsiString& clave, bool& valor) const {
    if (clave == "Vertical")
        valor = vertical;
    else if (clave == "Utilizado")
        valor = utilizado;
}

void Layers::ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const {
    if (EstadoComun(clave, estado)) return;
    if (clave == "Ifr") estado = estadoIfr;
}

void Layers::ObtenerLista(const AnsiString& clave, TStrings& lista) const {
    if (clave == "Materiales")
        CopiarCadenas(nombresMateriales, lista);
    else if (clave == "Espesores")
        CopiarCadenas(espesores, lista);
}

void Layers::AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) {
    AsignarComun(clave, texto,
                 {.grupoDefecto = "Grupo defecto", .nombreCompletoDefecto = "Nombre defecto"});
}

void Layers::PonerLogico(const AnsiString& clave, bool valor) {
    if (clave == "Vertical") {
        vertical = valor;
    } else if (clave == "Utilizado") {
        utilizado = valor;
        for (int capa = 0; capa < nombresMateriales.GetCount(); ++capa)
            if (ObjetoBase* material = BuscarMaterial(NombreMaterial(capa)))
                material->PonerLogico("Utilizado", valor);
    }
}

void Layers::PonerLista(const AnsiString& clave, const TStrings& lista) {
    if (clave == "Materiales")
        nombresMateriales.Assign(lista);
    else if (clave == "Espesores")
        espesores.Assign(lista);
}

void Layers::Leer(LeerBDL* lector) {
    if (lector == nullptr) return;
    estadoNombre = ESTADO_FICHERO;
    Vaciar();

    const CamposBDL campos(*lector, Claves());
    EstadoValor sinEstado = ESTADO_DEFECTO;
    LeerCadenaBDL(campos, kGrupo, grupo, estadoGrupo);
    LeerCadenaBDL(campos, kDumvat, nombreDumvat, sinEstado);
    if (grupo.IsEmpty()) grupo = "Otro";

    LeerListaBDL(campos, kMateriales, nombresMateriales, sinEstado);
    std::vector<float> leidos;
    bool hayEspesores = campos.LeerListaReales(kEspesores, leidos) >= 0;

    if (LeerSiBDL(campos, kLibreria)) MarcarLibreria();
    utilizado = LeerSiBDL(campos, kUtil);

    CompletarMateriales(nombresMateriales);
    // Los espesores que falten se toman de los materiales, ya completos en la base.
    AjustarEspesores(leidos, hayEspesores, "0.000", MaterialesCompartidos());
}

void Layers::LeerAbreviadoCapas(LeerBDL* lector) {
    if (lector == nullptr) return;
    estadoNombre = ESTADO_FICHERO;
    Vaciar();
    EstadoValor sinEstado = ESTADO_DEFECTO;
    LeerListaBDL(lector, "MAT", nombresMateriales, sinEstado);
    std::vector<float> leidos;
    bool hayEspesores = lector->LeerListaReales("TH", leidos) >= 0;
    AjustarEspesores(leidos, hayEspesores, "0.0000", nullptr);
    LeerRealBDL(lector, "I-F-R", ifr, estadoIfr);
}

void Layers::AjustarEspesores(const std::vector<float>& leidos, bool hayLista, const char* formato,
                              bdMateriales* primera) {
    const int capas = nombresMateriales.GetCount();
    const int numeros = static_cast<int>(leidos.size());
    espesores.Clear();
    for (int capa = 0; capa < capas; ++capa) {
        float espesor =
            capa < numeros ? leidos[capa] : EspesorDeMaterial(NombreMaterial(capa), primera);
        espesores.Add(FormatFloat(formato, espesor));
    }

    if (capas == 0 && numeros == 0) return;
    AnsiString aviso;
    if (!hayLista)
        aviso.sprintf("%s sin espesores: cada capa toma el de su material.",
                      ObtenerNombre().c_str());
    else if (numeros < capas)
        aviso.sprintf("%s con %d espesores para %d capas: las que faltan toman el de su material.",
                      ObtenerNombre().c_str(), numeros, capas);
    else if (numeros > capas)
        aviso.sprintf("%s con %d espesores para %d capas: se descartan los que sobran.",
                      ObtenerNombre().c_str(), numeros, capas);
    if (!aviso.IsEmpty()) FicheroLog::Instancia()->AnadirError(TIPO_CERRAMIENTO, aviso);
}

float Layers::EspesorDeMaterial(const AnsiString& nombre, bdMateriales* primera) const {
    ObjetoBase* material = MaterialEn(primera, nombre);
    if (material == nullptr) material = BuscarMaterial(nombre);
    float espesor = kEspesorMaterialNuevo;
    if (material != nullptr) material->ObtenerReal("Espesor", espesor);
    return espesor;
}

float Layers::Espesor(int capa) const {
    if (capa >= espesores.GetCount()) return EspesorDeMaterial(NombreMaterial(capa), nullptr);
    // Un texto que no es un número cuenta como 0.
    float espesor = 0.0f;
    AFlotante(espesor, espesores.GetStrings(capa));
    return espesor;
}

bdMateriales* Layers::MaterialesCompartidos() const {
    // Los de la base de datos de su base de cerramientos, no los de otra abierta.
    if (auto* base = dynamic_cast<bdCerramientos*>(ObtenerDueno()))
        return base->MaterialesPropios();
    auto* base = dynamic_cast<bdLibreria*>(ObtenerDueno());
    if (base == nullptr) return nullptr;
    return bdMateriales::Instancia(base->ObtenerTipoLista());
}

void Layers::CompletarMateriales(const TStrings& nombres) {
    bdMateriales* compartida = MaterialesCompartidos();
    if (compartida == nullptr) return;
    for (int i = 0; i < nombres.GetCount(); ++i) {
        const AnsiString nombre = nombres.GetStrings(i);
        // Una capa sin nombre de material no tiene material que crear.
        if (nombre.IsEmpty() || MaterialEn(compartida, nombre) != nullptr) continue;
        AnsiString creado = compartida->CrearElementoNumerado(nombre, TIPO_MATERIAL, false);
        ObjetoBase* nuevo = MaterialEn(compartida, creado);
        if (nuevo == nullptr || compartida == materiales) continue;
        if (const ObjetoBase* original = BuscarMaterial(nombre)) nuevo->CopiarDe(*original);
    }
}

void Layers::MarcarMaterialesUtilizados() {
    for (int capa = 0; capa < nombresMateriales.GetCount(); ++capa)
        if (ObjetoBase* material = BuscarMaterial(NombreMaterial(capa)))
            material->PonerLogico("Utilizado al guardar", true);
}

ObjetoBase* Layers::BuscarMaterial(const AnsiString& nombre) const {
    return MaterialEn(materiales, nombre);
}

void Layers::EscribirRegistro(FileWriter& fichero, const AnsiString& prefijo, bool invertido) {
    const int capas = nombresMateriales.GetCount();
    if (capas == 0) return;
    // La capa que va en el puesto k de la lista escrita.
    auto capaEn = [&](int k) { return invertido ? capas - 1 - k : k; };

    // Lo que se guarda en una base marca sus materiales como utilizados (si la base no lo
    // ha hecho ya para todos).
    auto* base = dynamic_cast<bdCerramientos*>(ObtenerDueno());
    if (!invertido && (base == nullptr || !base->MaterialesMarcados()))
        MarcarMaterialesUtilizados();

    FileWriter::Run r(fichero);
    EntreComillas(r, prefijo, ObtenerNombre());
    r << " = LAYERS\n    GROUP        = \"" << grupo << "\"\n    NAME_DUMVAT = \"";
    Seguidas(r, prefijo, nombreDumvat);
    r << "\"\n    MATERIAL     = (";
    for (int k = 0; k < capas; ++k) {
        EntreComillas(r, NombreMaterial(capaEn(k)));
        r << (k + 1 < capas ? ',' : ')');
    }
    // Los espesores como "%f", el último como "%14.7g".
    r << "\n    THICKNESS = (";
    for (int k = 0; k < capas; ++k) {
        const double espesor = Espesor(capaEn(k));
        r << ' ';
        if (k + 1 < capas)
            r.RealF(espesor > 0.0 ? espesor : kEspesorMinimoEscrito, 0, 6) << ',';
        else
            r.RealG(espesor, 14, 7) << ')';
    }
    r << "\n    LIBRARY       =  ";
    r.Text(SiNo(libreria)) << "\n    UTIL          =  ";
    r.Text(SiNo(utilizado)) << "\n..\n";
}

void Layers::Escribir(FileWriter& fichero) {
    EscribirRegistro(fichero, "", false);
}

void Layers::EscribirVariante(FileWriter& fichero) {
    EscribirRegistro(fichero, "", false);
    EscribirRegistro(fichero, "I_", true);
}

void Layers::EscribirSinLibreria(FileWriter& fichero, int) {
    Escribir(fichero);
}

void Layers::CapasEnBase(std::vector<AnsiString>& nombresDumvat,
                         std::vector<float>& espesoresCapas) const {
    for (int capa = 0; capa < nombresMateriales.GetCount(); ++capa) {
        if (const ObjetoBase* material = BuscarMaterial(NombreMaterial(capa))) {
            AnsiString nombre;
            material->ValorPropiedad("Dumvat", nombre);
            nombresDumvat.push_back(nombre);
            espesoresCapas.push_back(Espesor(capa));
        }
    }
}

void Layers::ListarNombresDumvat(TStrings& lista) const {
    std::vector<AnsiString> nombres;
    std::vector<float> espesoresCapas;
    CapasEnBase(nombres, espesoresCapas);
    for (const AnsiString& nombre : nombres)
        lista.Add(nombre);
}

void Layers::EscribirCapasExportadas(FileWriter& fichero, const AnsiString& nombre,
                                     const std::vector<AnsiString>& nombres,
                                     const std::vector<float>& espesoresCapas) {
    const size_t capas = nombres.size();
    fichero.Printf("\"%s\" = LAYERS\n", nombre.c_str());
    fichero.Printf("    MATERIAL = (");
    for (size_t k = 0; k < capas; ++k)
        fichero.Printf(k + 1 < capas ? "\"%s\",\n " : "\"%s\")\n", nombres[k].c_str());
    fichero.Printf("    THICKNESS = (");
    for (size_t k = 0; k < capas; ++k)
        fichero.Printf(k + 1 < capas ? "%.3f, " : "%.3f)\n",
                       static_cast<double>(espesoresCapas[k]));
    fichero.Printf("..\n");
}

void Layers::Exportar(FileWriter& fichero) {
    if (!utilizado) return;
    // Solo las capas cuyo material está en la base, cada una con su espesor, para que las
    // dos listas del registro vayan a la par.
    std::vector<AnsiString> nombres;
    std::vector<float> espesoresCapas;
    CapasEnBase(nombres, espesoresCapas);
    if (nombres.empty()) return;

    const AnsiString& nombre = ObtenerNombre();
    EscribirCapasExportadas(fichero, nombre, nombres, espesoresCapas);
    EscribirCapasExportadas(fichero, "I_" + nombre,
                            std::vector<AnsiString>(nombres.rbegin(), nombres.rend()),
                            std::vector<float>(espesoresCapas.rbegin(), espesoresCapas.rend()));
    for (const AnsiString& construccion : {nombre, "I_" + nombre}) {
        fichero.Printf("    \"%s-C\" =  CONSTRUCTION\n", construccion.c_str());
        fichero.Printf("    TYPE   = LAYERS  \n");
        fichero.Printf("    LAYERS = \"%s\" \n", construccion.c_str());
        fichero.Printf("    ..\n");
    }
}

void Layers::EscribirXML(DocumentoXML& documento, IXMLNode* padre) {
    IXMLNode* nodo = documento.NuevoNodo(padre, "Layer");
    documento.PonerAtributo(nodo, "name", ObtenerNombre());
    for (int capa = 0; capa < nombresMateriales.GetCount(); ++capa) {
        IXMLNode* material = documento.NuevoNodo(nodo, "Material");
        NodoConTexto(documento, material, "name", NombreMaterial(capa));
        AnsiString espesor = capa < espesores.GetCount() ? espesores.GetStrings(capa)
                                                         : FormatFloat("0.000", Espesor(capa));
        NodoConTexto(documento, material, "thickness", espesor);
    }
    NodoConTexto(documento, nodo, "library", SiNo(libreria));
    NodoConTexto(documento, nodo, "util", SiNo(utilizado));
    NodoConTexto(documento, nodo, "group", grupo);
    NodoConTexto(documento, nodo, "nameDumvat", nombreDumvat);
}

void Layers::CopiarDe(const ObjetoBase& otro) {
    if (&otro == this) return;
    Vaciar();
    otro.ObtenerLista("Materiales", nombresMateriales);
    otro.ObtenerReal("Ifr", ifr);
    otro.ValorPropiedad("Grupo", grupo);
    otro.ValorPropiedad("Nombre completo", nombreCompleto);
    otro.ObtenerLogico("Utilizado", utilizado);
    otro.ValorPropiedad("Dumvat", nombreDumvat);
    otro.ObtenerLista("Espesores", espesores);
    if (otro.EsLibreria()) MarcarLibreria();
}

void Layers::PonerMateriales(bdMateriales* base) {
    materiales = base;
}

bool Layers::Utiliza(const AnsiString& nombre) const {
    for (int capa = 0; capa < nombresMateriales.GetCount(); ++capa)
        if (nombresMateriales.GetStrings(capa) == nombre) return true;
    return false;
}

void Layers::InformeCapas(TStrings& fila, TStrings& columnaMateriales, TStrings& columnaEspesores) {
    if (!utilizado) return;
    fila.Add(ObtenerNombre());
    float resistencia = 0.0f;
    for (int capa = 0; capa < nombresMateriales.GetCount(); ++capa) {
        const AnsiString nombre = NombreMaterial(capa);
        const ObjetoBase* material = BuscarMaterial(nombre);
        if (material == nullptr) continue;
        columnaMateriales.Add(nombre);
        AnsiString tipologia;
        material->ValorPropiedad("Tipologia", tipologia);
        if (tipologia == "PROPIEDADES") {
            const float espesor = Espesor(capa);
            float conductividad = 0.0f;
            material->ObtenerReal("Conductividad", conductividad);
            resistencia +=
                conductividad == 0.0f ? kResistenciaSinConductividad : espesor / conductividad;
            columnaEspesores.Add(FormatFloat("0.000", espesor));
        } else {
            float propia = 0.0f;
            material->ObtenerReal("Resistencia", propia);
            resistencia += propia;
            columnaEspesores.Add("0.000");
        }
    }
    resistencia += kResistenciasSuperficiales;
    fila.Add(FormatFloat("0.00", 1.0f / resistencia));
    fila.Add("0.00");
    if (Idioma::Instancia()->Codigo() == 2) fila.Add(EsLibreria() ? "--" : "SI");
}

void Layers::Vaciar() {
    nombresMateriales.Clear();
    espesores.Clear();
}

void Layers::PonerNombresMateriales(const TStrings& nombres) {
    nombresMateriales.Assign(nombres);
}

AnsiString Layers::NombreMaterial(int capa) const {
    if (capa < 0 || capa >= nombresMateriales.GetCount()) return AnsiString();
    return nombresMateriales.GetStrings(capa);
}

void Layers::CambiarNombreMaterial(int capa, const AnsiString& nombre) {
    if (capa < 0 || capa >= nombresMateriales.GetCount()) return;
    nombresMateriales.SetStrings(capa, nombre);
}

void RegistrarLayers() {
    Fabrica::Registrar(TIPO_CERRAMIENTO,
                       [](const AnsiString& nombre) -> std::unique_ptr<ObjetoBase> {
                           return std::make_unique<Layers>(nombre);
                       });
}
