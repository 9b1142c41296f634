// bdLibreria: lo común de las bases de datos de elementos: cargar sus registros, escribir
// su sección, copiar por nombres, vaciar, liberar y borrar las marcas de uso.

#include "comunes/bdLibreria.h"

#include "comunes/DocumentoXML.h"
#include "comunes/FicheroLog.h"
#include "comunes/LeerBDL.h"
#include "comunes/Util.h"
#include "comunes/bdCatalogo.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/string_list.h"

bdLibreria::bdLibreria(const AnsiString& nombre, TipoLista tipoLista)
    : Contenedor(nombre), tipoLista(tipoLista) {}

void bdLibreria::QuitarHijo(ObjetoBase* hijo) {
    if (hijo == nullptr || hijo->ObtenerDueno() != this) return;
    Contenedor::QuitarHijo(hijo);
    // Si AlQuitar se lo llevó a otro contenedor, ya no es nuestro para borrarlo.
    if (hijo->ObtenerDueno() == nullptr) delete hijo;
}

void bdLibreria::MarcarUtilizados() {
    for (ObjetoBase* elemento : Elementos())
        elemento->PonerLogico("Utilizado", false);
}

std::vector<ObjetoBase*> bdLibreria::Elementos() const {
    std::vector<ObjetoBase*> elementos;
    const int cuantos = NumeroHijos();
    elementos.reserve(static_cast<size_t>(cuantos));
    for (int i = 0; i < cuantos; ++i)
        elementos.push_back(Hijo(i));
    return elementos;
}

void bdLibreria::CopiarElemento(ObjetoBase& original) {
    // Un elemento que se llama como esta base conserva su nombre.
    AnsiString usado = CrearElemento(original.ObtenerNombre(), original.ObtenerTipo());
    // Un tipo sin clase no crea nada.
    if (ObjetoBase* copia = BuscarEnHijos(usado)) copia->CopiarDe(original);
}

void bdLibreria::CopiarDe(const TStrings& nombres, bdLibreria* origen) {
    if (origen == nullptr) return;
    for (int i = 0; i < nombres.GetCount(); ++i)
        if (ObjetoBase* original = origen->BuscarEnHijos(nombres.GetStrings(i)))
            CopiarElemento(*original);
}

void bdLibreria::CopiarElementosNuevos(const TStrings& nombres, bdLibreria* origen) {
    if (origen == nullptr) return;
    for (int i = 0; i < nombres.GetCount(); ++i) {
        if (BuscarEnHijos(nombres.GetStrings(i)) != nullptr) continue;
        if (ObjetoBase* original = origen->BuscarEnHijos(nombres.GetStrings(i)))
            CopiarElemento(*original);
    }
}

void bdLibreria::Vaciar() {
    // Se recorre una foto de los hijos: buscar cada uno por su nombre fallaría con un
    // elemento que se llamara como la base.
    for (ObjetoBase* elemento : Elementos())
        QuitarHijo(elemento);
}

void bdLibreria::Liberar() {
    Vaciar();
}

const SeccionBD& bdLibreria::Seccion() const {
    static const SeccionBD ninguna;
    return ninguna;
}

void bdLibreria::Leer(LeerBDL* lector) {
    // El catálogo solo se lee si alguna base de este fichero lo pide.
    bdCatalogo catalogo;
    Leer(lector, catalogo);
}

void bdLibreria::Leer(LeerBDL* lector, bdCatalogo& catalogo) {
    const SeccionBD& seccion = Seccion();
    if (lector == nullptr || *seccion.tipoRegistro == '\0') return;
    FicheroLog* log = FicheroLog::Instancia();
    // El fichero del registro solo se reescribe si la carga le ha añadido algo.
    const AnsiString registroAntes = log->Texto();

    const AnsiString tipo(seccion.tipoRegistro);
    const int registros = lector->ContarObjetos(tipo);
    ReservarHijos(registros);
    lector->Reiniciar();
    // Un solo lector para todos los registros: su texto no se vuelve a pedir en cada uno.
    LeerBDL registro(LeerBDL::EnMemoria{}, std::string_view());
    const AnsiString nombreCompleto("Nombre completo");
    for (int i = 0; i < registros; ++i) {
        // El nombre de una cabecera no tiene comillas: se busca tal cual.
        const AnsiString nombre = lector->SiguienteObjeto(tipo);
        // Se recorta el registro al que ha llegado el recorrido: dos registros con un mismo
        // nombre dan dos elementos, cada uno con sus valores.
        if (!LeerBDL::ExtraerObjetoEn(*lector, tipo, nombre, registro)) {
            // Se recorta antes de crear el elemento: uno que no se puede leer no deja en la
            // base un elemento con los valores por defecto en su lugar.
            log->AnadirError(seccion.tipoElemento, nombre + " no se ha cargado correctamente.");
            continue;
        }

        const int antes = NumeroHijos();
        // Un registro que se llama como la base, o que no tiene nombre, conserva el suyo: los
        // que lo usan lo nombran así, y se vuelve a guardar como se leyó.
        CrearElementoNumerado(nombre, seccion.tipoElemento, false);
        // El elemento nuevo va al final.
        if (NumeroHijos() == antes) continue; // el tipo no tiene clase registrada
        ObjetoBase* elemento = Hijo(NumeroHijos() - 1);
        LeerElemento(*elemento, registro, catalogo);
        // Un repetido guardado con otro nombre conserva como nombre completo el del fichero.
        elemento->AsignarPropiedad(nombreCompleto, nombre);
    }
    if (log->Texto() != registroAntes) log->Escribir();
}

void bdLibreria::LeerElemento(ObjetoBase& elemento, LeerBDL& registro, bdCatalogo&) {
    elemento.Leer(&registro);
}

void bdLibreria::AnotarDesconocidos(const bdLibreria* base, int desde, bdLibreria* catalogo,
                                    const ObjetoBase& quien) {
    if (base == nullptr) return;
    FicheroLog* log = nullptr;
    for (int i = desde; i < base->NumeroHijos(); ++i) {
        ObjetoBase* creado = base->Hijo(i);
        const AnsiString& nombre = creado->ObtenerNombre();
        if (nombre.IsEmpty() || nombre == "Ninguno") continue;
        if (catalogo != nullptr && catalogo->BuscarEnHijos(nombre) != nullptr) continue;
        creado->MarcarSupuesto();
        if (log == nullptr) log = FicheroLog::Instancia();
        log->AnadirError(creado->ObtenerTipo(),
                         nombre + " no está en la base de datos ni en el catálogo: " +
                             quien.ObtenerNombre() + " lo usa con los valores por defecto.");
    }
}

void bdLibreria::EscribirCabecera(FileWriter& fichero) {
    const SeccionBD& seccion = Seccion();
    fichero.Puts(seccion.regla);
    fichero.Puts(seccion.titulo);
    fichero.Puts(seccion.regla);
}

void bdLibreria::Escribir(FileWriter& fichero) {
    bdCatalogo catalogo;
    Escribir(fichero, catalogo);
}

void bdLibreria::Escribir(FileWriter& fichero, bdCatalogo& catalogo) {
    EscribirCabecera(fichero);
    const bool enteros = Seccion().escribirEnteros;
    for (ObjetoBase* elemento : Elementos()) {
        // Sus valores son los de por defecto, no los del usuario: lo que lo usa lo nombra.
        if (elemento->EsSupuesto()) continue;
        if (enteros)
            elemento->Escribir(fichero);
        else if (!elemento->EsLibreria())
            elemento->EscribirSinLibreria(fichero, 1);
        else if (!QuedaFuera(*elemento, catalogo))
            elemento->EscribirDeLibreria(fichero);
    }
}

bool bdLibreria::QuedaFuera(const ObjetoBase& elemento, bdCatalogo& catalogo) const {
    if (!elemento.EsLibreria()) return false;
    bdLibreria* delCatalogo = catalogo.Base(Seccion().tipoElemento);
    return delCatalogo != nullptr &&
           delCatalogo->BuscarEnHijos(elemento.ObtenerNombre()) != nullptr;
}

void bdLibreria::EscribirVariante(FileWriter& fichero) {
    if (Seccion().cabeceraEnVariante) EscribirCabecera(fichero);
    for (ObjetoBase* elemento : Elementos())
        elemento->EscribirVariante(fichero);
}

void bdLibreria::Exportar(FileWriter& fichero) {
    if (Seccion().cabeceraEnExportar) EscribirCabecera(fichero);
    for (ObjetoBase* elemento : Elementos())
        elemento->Exportar(fichero);
}

void bdLibreria::EscribirXML(DocumentoXML& documento, IXMLNode* padre) {
    const char* grupoXML = Seccion().grupoXML;
    if (*grupoXML == '\0') return;
    IXMLNode* grupo =
        padre != nullptr ? documento.NuevoNodo(padre, grupoXML) : documento.NuevoNodoRaiz(grupoXML);
    for (ObjetoBase* elemento : Elementos())
        if (!elemento->EsSupuesto()) elemento->EscribirXML(documento, grupo);
}
