// GestorBD: las seis bases de una base de datos, su carga de un fichero ".BDC", su guardado
// en él y en XML, y la búsqueda y el borrado de elementos.

#include "comunes/GestorBD.h"

#include "comunes/Cambios.h"
#include "comunes/DocumentoXML.h"
#include "comunes/Error.h"
#include "comunes/FicheroLog.h"
#include "comunes/LeerBDL.h"
#include "comunes/Util.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdCatalogo.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"
#include "comunes/bdMateriales.h"
#include "comunes/bdPuentesTermicos.h"

#include "plataforma/base/exceptions.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/xml/xml_document.h"

#include <exception>
#include <filesystem>
#include <initializer_list>
#include <new>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

bool TieneBases(TipoLista tipo) {
    return tipo == LISTA_ESTANDAR || tipo == LISTA_USUARIO || tipo == LISTA_PROGRAMA;
}

// La cabecera de un fichero ".BDC", que sigue al registro de cambios, y su pie.
constexpr const char* kCabecera[] = {"\n$", "\n$ -----------------------------------",
                                     "\n$      Datos de Base de Datos",
                                     "\n$ -----------------------------------", "\n$\n"};
constexpr const char* kPlantillas[] = {"STANDARD", "USER"};
constexpr const char* kReglaPie =
    "$ ------------------------------------------------------------------\n";
constexpr const char* kFinal = "$ Final de la base de datos \n";
// Las palabras del registro de cambios (Cambios::Escribir), con cualquiera de sus valores.
constexpr const char* kRegistroCambios = "$ CAMBIO CAMBIO-DUMVAT = SI NO";

bool EsSeparador(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Da cada palabra del texto (lo que separan blancos, tabuladores y fines de línea) con el
// número de su línea, contando desde 1.
template <class Palabra> void RecorrerPalabras(std::string_view texto, Palabra&& palabra) {
    int linea = 1;
    size_t i = 0;
    while (i < texto.size()) {
        if (EsSeparador(texto[i])) {
            if (texto[i] == '\n' || texto[i] == '\r') ++linea;
            ++i;
            continue;
        }
        size_t fin = i;
        while (fin < texto.size() && !EsSeparador(texto[fin]))
            ++fin;
        palabra(texto.substr(i, fin - i), linea);
        i = fin;
    }
}

void AnadirPalabras(std::string_view texto, std::unordered_set<std::string_view>& palabras) {
    RecorrerPalabras(texto, [&](std::string_view p, int) { palabras.insert(p); });
}

} // namespace

GestorBD::GestorBD(const AnsiString& nombre, TipoLista tipo)
    : ObjetoBase(nombre), error(Error::Instancia()), tipoLista(tipo), materiales(nullptr),
      cerramientos(nullptr), acristalamientos(nullptr), marcos(nullptr), huecos(nullptr),
      puentesTermicos(nullptr), cambios(std::make_unique<Cambios>()) {
    if (!TieneBases(tipo)) return;
    materiales = new bdMateriales(nombre, tipo);
    cerramientos = new bdCerramientos(nombre, materiales, tipo);
    acristalamientos = new bdAcristalamientos(nombre, tipo);
    marcos = new bdMarcos(nombre, tipo);
    huecos = new bdHuecos(nombre, acristalamientos, marcos, tipo);
    puentesTermicos = new bdPuentesTermicos(nombre, tipo);
    materiales->HacerActual();
    cerramientos->HacerActual();
    acristalamientos->HacerActual();
    marcos->HacerActual();
    huecos->HacerActual();
    puentesTermicos->HacerActual();
}

GestorBD::~GestorBD() {
    // Primero las bases que nombran elementos de otras (huecos y cerramientos), después
    // las que los tienen.
    for (bdLibreria* base : std::initializer_list<bdLibreria*>{
             huecos, cerramientos, puentesTermicos, acristalamientos, marcos, materiales}) {
        if (base == nullptr) continue;
        base->Vaciar();
        delete base;
    }
}

bool GestorBD::Cargar(const AnsiString& ruta, bool avisar) {
    if (!FileExists(ruta)) return true;
    std::unique_ptr<LeerBDL> lector;
    try {
        bool leido = false;
        lector = std::make_unique<LeerBDL>(ruta, LeerBDL::Forma::Comprimida, leido);
        if (!leido) lector.reset();
    } catch (const std::bad_alloc&) {
        lector.reset();
    }
    // Un fichero de otro programa, o de bytes sin sentido, no se abre como una base vacía:
    // un Guardar después lo sustituiría. Uno vacío sí es una base (vacía); uno que no lo es
    // tampoco da un texto vacío.
    if (!lector || (lector->TieneTexto() && !EsBaseDeDatos(*lector))) {
        if (avisar) error->Mensaje(0, ruta);
        return false;
    }
    CargarDeBDL(lector.get(), true);
    ficheroIlegibles = ilegibles.empty() ? AnsiString() : ruta;
    return true;
}

bool GestorBD::EsBaseDeDatos(const LeerBDL& lector) const {
    AnsiString plantilla;
    if (lector.LeerCadena("TEMPLARY ", plantilla) == 0) return true;
    for (bdLibreria* base : Bases(Orden::Carga))
        if (lector.ContarObjetos(base->Seccion().tipoRegistro) > 0) return true;
    return false;
}

void GestorBD::CargarDeBDL(LeerBDL* lector) {
    CargarDeBDL(lector, false);
}

void GestorBD::CargarDeBDL(LeerBDL* lector, bool soltarLeido) {
    if (lector == nullptr) return;
    lector->Reiniciar();
    AnsiString plantilla;
    if (lector->LeerCadena("TEMPLARY ", plantilla) == 0) {
        QuitarComillas(plantilla);
        if (plantilla == "STANDARD") estandar = true;
    }
    // Los materiales antes que los cerramientos, que resuelven en ellos sus capas; marcos
    // y acristalamientos antes que los huecos. El catálogo, si alguna base lo pide, se lee
    // una sola vez para toda la carga.
    bdCatalogo catalogo;
    const std::vector<bdLibreria*> bases = Bases(Orden::Carga);
    // Lo que no se va a poder leer se anota antes de que la carga suelte el texto leído.
    std::vector<std::string_view> tipos;
    for (bdLibreria* base : bases)
        tipos.emplace_back(base->Seccion().tipoRegistro);
    ilegibles = bases.empty() ? std::vector<RegistroIlegible>() : lector->RegistrosIlegibles(tipos);
    if (!bases.empty() && ilegibles.empty()) AnotarTextoSinRegistros(*lector);
    ficheroIlegibles = AnsiString();
    for (size_t i = 0; i < bases.size(); ++i) {
        bases[i]->Leer(lector, catalogo);
        if (!soltarLeido) continue;
        std::vector<std::string_view> pendientes;
        for (size_t j = i + 1; j < bases.size(); ++j)
            pendientes.emplace_back(bases[j]->Seccion().tipoRegistro);
        lector->SoltarAnterioresA(pendientes);
    }
    catalogoNoLeido = catalogo.NoLeido();
}

void GestorBD::AnotarTextoSinRegistros(const LeerBDL& lector) {
    for (bdLibreria* base : Bases(Orden::Carga))
        if (lector.ContarObjetos(base->Seccion().tipoRegistro) > 0) return;
    // Lo que tiene una base guardada vacía, palabra a palabra: el registro de cambios, la
    // cabecera, los rótulos de las secciones y el pie. Cualquier otra cosa es algo que no se
    // ha podido leer (registros sin sus fines de línea, por ejemplo), y un guardado la perdería.
    std::unordered_set<std::string_view> vacia;
    AnadirPalabras(kRegistroCambios, vacia);
    for (const char* pieza : kCabecera)
        AnadirPalabras(pieza, vacia);
    AnadirPalabras("TEMPLARY =", vacia);
    for (const char* plantilla : kPlantillas)
        AnadirPalabras(plantilla, vacia);
    for (bdLibreria* base : Bases(Orden::Fichero)) {
        AnadirPalabras(base->Seccion().regla, vacia);
        AnadirPalabras(base->Seccion().titulo, vacia);
    }
    AnadirPalabras(kReglaPie, vacia);
    AnadirPalabras(kFinal, vacia);

    RegistroIlegible deMas;
    deMas.motivo = RegistroIlegible::Motivo::SinRegistros;
    RecorrerPalabras(lector.Texto(), [&](std::string_view palabra, int linea) {
        if (vacia.contains(palabra)) return;
        if (deMas.linea == 0) deMas.linea = linea;
        deMas.lineaFin = linea;
    });
    if (deMas.linea == 0) return;
    if (deMas.lineaFin == deMas.linea) deMas.lineaFin = 0;
    ilegibles.push_back(std::move(deMas));
}

template <class Seccion> void GestorBD::EscribirCon(FileWriter& fichero, Seccion&& seccion) {
    // Los materiales se escriben antes que los cerramientos que los marcan como utilizados
    // al escribirse: se marcan antes, para que dos guardados seguidos den el mismo fichero.
    // Marcados todos, cada cerramiento no los vuelve a marcar al escribirse.
    struct Marcados {
        bdCerramientos* base;
        explicit Marcados(bdCerramientos* b) : base(b) {
            if (base == nullptr) return;
            base->MarcarMaterialesUtilizados();
            base->PonerMaterialesMarcados(true);
        }
        ~Marcados() {
            if (base != nullptr) base->PonerMaterialesMarcados(false);
        }
        Marcados(const Marcados&) = delete;
        Marcados& operator=(const Marcados&) = delete;
    } marcados(cerramientos);
    for (const char* pieza : kCabecera)
        fichero.Puts(pieza);
    fichero.Printf("TEMPLARY = %s\n", kPlantillas[estandar ? 0 : 1]);
    for (bdLibreria* base : Bases(Orden::Fichero))
        seccion(*base);
    fichero.Puts(kReglaPie);
    fichero.Puts(kFinal);
    fichero.Puts(kReglaPie);
}

void GestorBD::Escribir(FileWriter& fichero) {
    bdCatalogo catalogo;
    EscribirConCatalogo(fichero, catalogo);
}

void GestorBD::EscribirConCatalogo(FileWriter& fichero, bdCatalogo& catalogo) {
    // Los elementos de librería que el catálogo no tiene se escriben: al cargar, nadie más
    // los daría.
    EscribirCon(fichero, [&](bdLibreria& base) { base.Escribir(fichero, catalogo); });
}

std::vector<ObjetoBase*> GestorBD::QuedanFuera() const {
    std::vector<ObjetoBase*> fuera;
    bdCatalogo catalogo;
    for (bdLibreria* base : Bases(Orden::Fichero))
        for (int i = 0; i < base->NumeroHijos(); ++i)
            if (base->QuedaFuera(*base->Hijo(i), catalogo)) fuera.push_back(base->Hijo(i));
    return fuera;
}

void GestorBD::EscribirVariante(FileWriter& fichero) {
    EscribirCon(fichero, [&](ObjetoBase& base) { base.EscribirVariante(fichero); });
}

void GestorBD::Exportar(FileWriter& fichero) {
    if (materiales == nullptr) return;
    materiales->Exportar(fichero);
    cerramientos->Exportar(fichero);
    acristalamientos->Exportar(fichero);
}

bool GestorBD::Guardar(const AnsiString& ruta) {
    ultimoError = AnsiString();
    FileWriter fichero;
    bool escrito = fichero.Open(ruta, FileWriter::Mode::Text, true);
    if (escrito) {
        try {
            cambios->Escribir(fichero);
            // Guardado sobre el propio catálogo, nada daría después sus elementos de
            // librería: se escriben todos.
            std::error_code error;
            const AnsiString rutaCatalogo = bdCatalogo::RutaEstandar();
            const bool sobreCatalogo =
                !rutaCatalogo.IsEmpty() &&
                std::filesystem::equivalent(NativePath(ruta), NativePath(rutaCatalogo), error);
            bdCatalogo catalogo(sobreCatalogo ? AnsiString() : rutaCatalogo);
            EscribirConCatalogo(fichero, catalogo);
            escrito = fichero.Commit();
        } catch (const std::exception& e) {
            fichero.Abandon();
            ultimoError = AnsiString("No se ha podido guardar \"") + ruta + "\": " + e.what();
            escrito = false;
        }
    }
    if (!escrito && ultimoError.IsEmpty()) ultimoError = fichero.ErrorText();
    // Escrito en su fichero de origen, lo que no se pudo leer ya no está en ninguna parte.
    if (escrito && GuardarPierdeIlegibles(ruta)) {
        ilegibles.clear();
        ficheroIlegibles = AnsiString();
    }
    // Lo que el guardado comprobó de los huecos queda en el registro del modelo.
    FicheroLog::Instancia()->Escribir();
    return escrito;
}

bool GestorBD::GuardarPierdeIlegibles(const AnsiString& ruta) const {
    if (ilegibles.empty() || ficheroIlegibles.IsEmpty()) return false;
    // El mismo fichero aunque se nombre de otra manera (mayúsculas, separadores, enlaces).
    std::error_code error;
    return std::filesystem::equivalent(NativePath(ruta), NativePath(ficheroIlegibles), error);
}

AnsiString GestorBD::DescribirIlegibles(size_t maximo) const {
    using Motivo = RegistroIlegible::Motivo;
    AnsiString texto;
    for (size_t i = 0; i < ilegibles.size() && i < maximo; ++i) {
        const RegistroIlegible& r = ilegibles[i];
        AnsiString linea = "Línea " + AnsiString(r.linea);
        if (r.lineaFin > r.linea) linea += " a " + AnsiString(r.lineaFin);
        linea += ": ";
        switch (r.motivo) {
        case Motivo::SinCierre:
            linea += "\"" + r.nombre + "\" = " + r.tipo + ", sin el \"..\" que cierra el registro.";
            break;
        case Motivo::TipoDesconocido:
            linea += "\"" + r.nombre + "\" = " + r.tipo + ", tipo de registro desconocido.";
            break;
        case Motivo::SinCabecera:
            if (!r.nombre.IsEmpty()) linea += "\"" + r.nombre + "\", ";
            linea += "registro sin cabecera reconocible.";
            break;
        case Motivo::DefectosSinCierre:
            linea += "SET-DEFAULT FOR " + r.tipo + ", sin el \"..\" que cierra el bloque.";
            break;
        case Motivo::SinRegistros:
            linea += "texto en el que no se reconoce ningún registro (cada registro ha de "
                     "empezar en una línea propia).";
            break;
        }
        if (!texto.IsEmpty()) texto += "\n";
        texto += linea;
    }
    if (ilegibles.size() > maximo)
        texto += "\n... y " + AnsiString(static_cast<int>(ilegibles.size() - maximo)) + " más.";
    return texto;
}

bool GestorBD::IlegiblesConUsos() const {
    for (const RegistroIlegible& r : ilegibles) {
        if (r.motivo != RegistroIlegible::Motivo::SinCierre) continue;
        for (const bdLibreria* base : {static_cast<const bdLibreria*>(materiales),
                                       static_cast<const bdLibreria*>(acristalamientos),
                                       static_cast<const bdLibreria*>(marcos)}) {
            if (base == nullptr) continue;
            std::string_view tipo = base->Seccion().tipoRegistro;
            while (!tipo.empty() && tipo.back() == ' ')
                tipo.remove_suffix(1);
            if (r.tipo.str() == tipo) return true;
        }
    }
    return false;
}

bool GestorBD::GuardarXML(const AnsiString& ruta, TXMLDocument& documento) {
    ultimoError = AnsiString();
    DocumentoXML xml(documento);
    try {
        xml.NuevoDocumento("DATABASE");
        IXMLNode* bd = xml.NuevoNodoRaiz("BD");
        xml.PonerAtributo(bd, "templary", estandar ? "standard" : "user");
        // En XML los marcos van antes que los acristalamientos, como al cargar.
        for (bdLibreria* base : Bases(Orden::Carga))
            base->EscribirXML(xml, nullptr);
    } catch (const Exception& e) {
        ultimoError = AnsiString("No se ha podido guardar \"") + ruta + "\": " + e.Message;
        return false;
    } catch (const std::exception& e) {
        ultimoError = AnsiString("No se ha podido guardar \"") + ruta + "\": " + e.what();
        return false;
    }
    if (xml.Guardar(ruta)) return true;
    ultimoError = xml.UltimoError();
    return false;
}

bool GestorBD::GuardarXML(const AnsiString& ruta) {
    TXMLDocument documento;
    return GuardarXML(ruta, documento);
}

std::vector<bdLibreria*> GestorBD::Bases(Orden orden) const {
    if (materiales == nullptr) return {};
    if (orden == Orden::Fichero)
        return {materiales, cerramientos, acristalamientos, marcos, huecos, puentesTermicos};
    return {materiales, cerramientos, marcos, acristalamientos, huecos, puentesTermicos};
}

bdLibreria* GestorBD::Base(TipoObjeto tipo) const {
    switch (tipo) {
    case TIPO_MATERIAL:
        return materiales;
    case TIPO_CERRAMIENTO:
        return cerramientos;
    case TIPO_ACRISTALAMIENTO:
        return acristalamientos;
    case TIPO_MARCO:
        return marcos;
    case TIPO_HUECO:
        return huecos;
    case TIPO_PUENTE_TERMICO:
        return puentesTermicos;
    default:
        return nullptr;
    }
}

ObjetoBase* GestorBD::Buscar(TipoObjeto tipo, const AnsiString& nombre) const {
    bdLibreria* base = Base(tipo);
    if (base == nullptr) return nullptr;
    // Un elemento puede llamarse como su base.
    return base->BuscarEnHijos(nombre);
}

bool GestorBD::EnUso(TipoObjeto tipo, const AnsiString& nombre) const {
    const ObjetoBase* elemento = Buscar(tipo, nombre);
    if (elemento == nullptr) return false;
    if (tipo == TIPO_MATERIAL && cerramientos != nullptr && cerramientos->MaterialUtilizado(nombre))
        return true;
    if ((tipo == TIPO_ACRISTALAMIENTO || tipo == TIPO_MARCO) && huecos != nullptr &&
        huecos->ElementoUtilizado(tipo, nombre))
        return true;
    return elemento->EsUtilizado();
}

bool GestorBD::Eliminar(TipoObjeto tipo, const AnsiString& nombre) {
    ObjetoBase* elemento = Buscar(tipo, nombre);
    if (elemento == nullptr || EnUso(tipo, nombre)) return false;
    Base(tipo)->QuitarHijo(elemento);
    // La base de acristalamientos los suelta sin borrarlos.
    if (tipo == TIPO_ACRISTALAMIENTO && elemento->ObtenerDueno() == nullptr) delete elemento;
    return true;
}

bool GestorBD::ComprobarFactorSolar() const {
    return acristalamientos == nullptr || acristalamientos->SinFactorSolar();
}

void GestorBD::MarcarUtilizados() {
    for (bdLibreria* base : Bases(Orden::Fichero))
        if (base != puentesTermicos) base->MarcarUtilizados();
}
