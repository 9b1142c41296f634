// Las órdenes de fichero, de librería, de elementos y de grupos del controlador de una base.

#include "Vornak/VistaGestorBD.h"

#include "Vornak/UtilArbol.h"
#include "Vornak/VentanaGestorBD.h"
#include "Vornak/Ventananuevogrupo.h"
#include "Vornak/VistabdElementos.h"

#include "comunes/Cambios.h"
#include "comunes/Directorios.h"
#include "comunes/Error.h"
#include "comunes/GestorBD.h"
#include "comunes/Idioma.h"
#include "comunes/Util.h"
#include "comunes/bdLibreria.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/forms/dialogs.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/tree_view.h"

namespace {
constexpr int ICONO_CARPETA = 8;
constexpr const char* FILTRO_BDC = "Ficheros BDC (*.bdc)|*.BDC";

// Un guardado que no se ha podido hacer: el fichero anterior sigue como estaba.
void AvisarFallo(const AnsiString& fichero, const AnsiString& motivo) {
    AnsiString texto = "No se ha podido guardar el fichero " + fichero + ".";
    if (!motivo.IsEmpty()) texto += "\n" + motivo;
    texto += "\nLos cambios no se han guardado y el fichero anterior queda como estaba.";
    Application->MessageBox(texto, "Error", MB_OK | MB_ICONERROR);
}
} // namespace

void VistaGestorBD::AvisarIlegibles(const GestorBD& cargado, const AnsiString& fichero) {
    if (cargado.RegistrosIlegibles().empty()) return;
    AnsiString texto = "No se han podido leer estos registros del fichero " + fichero +
                       " y no se han cargado:\n\n" + cargado.DescribirIlegibles();
    // Lo que nombra un material, un vidrio o un marco perdido se ha quedado con uno
    // provisional.
    if (cargado.IlegiblesConUsos())
        texto += "\n\nLos elementos que usan un registro no leído muestran valores "
                 "provisionales hasta que se restaure.";
    texto += "\n\nSi guarda en el mismo fichero, se perderán.";
    Application->MessageBox(texto, "Información", MB_OK | MB_ICONWARNING);
}

void VistaGestorBD::AvisarSupuestos(const GestorBD& cargado, const AnsiString& fichero) {
    const AnsiString supuestos = cargado.DescribirSupuestos();
    if (supuestos.IsEmpty()) return;
    Application->MessageBox("Al abrir el fichero " + fichero + ":\n\n" + supuestos, "Información",
                            MB_OK | MB_ICONWARNING);
}

bool VistaGestorBD::ConfirmarPerdida(const GestorBD& cargado, const AnsiString& fichero) {
    if (!cargado.GuardarPierdeIlegibles(fichero)) return true;
    return error->Preguntar("Al abrir el fichero " + fichero +
                                " no se pudieron leer estos registros:\n\n" +
                                cargado.DescribirIlegibles() +
                                "\n\nSi lo guarda, se perderán. ¿Desea guardarlo de todos modos?",
                            "Confirmación", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void VistaGestorBD::PonerNombre(const AnsiString& nueva) {
    ruta = nueva;
    nombreVisible = NombreSinExtension(nueva);
}

bool VistaGestorBD::Abrir(const AnsiString& fichero) {
    AnsiString extension = ExtensionFichero(fichero).UpperCase();
    // Un XML no se carga: la base queda vacía y sin ruta, para que Guardar no escriba texto
    // de palabras clave sobre el XML. Cualquier otro fichero se carga si es una base de
    // datos, tenga la extensión que tenga; si no lo es, no se abre (ni se guardaría encima).
    if (extension != "XML" && !gestor->Cargar(fichero, false)) return false;
    // El nombre del fichero leído, como está en el disco (hallado sin distinguir mayúsculas
    // si el escrito no existe): Guardar escribe en ese fichero y no crea otro.
    PonerNombre(DisplayPath(fichero));
    if (extension == "XML") ruta = AnsiString();
    VaciarArbol();
    Mostrar();
    if (ventana) ventana->SetCaption(nombreVisible);
    // Recién abierta, la base no tiene cambios.
    gestor->ObtenerCambios()->Reiniciar();
    AvisarIlegibles(*gestor, fichero);
    AvisarSupuestos(*gestor, fichero);
    return true;
}

bool VistaGestorBD::Guardar(const AnsiString& destino) {
    AnsiString fichero = destino;
    bool nombreNuevo = fichero.IsEmpty();
    if (nombreNuevo) {
        TSaveDialog dialogo(nullptr);
        dialogo.SetInitialDir(Directorios::Instancia()->RutaLibreria(""));
        dialogo.SetFilter(FILTRO_BDC);
        dialogo.SetDefaultExt("bdc");
        dialogo.SetFileName(nombreVisible);
        if (!dialogo.Execute() || dialogo.GetFileName().IsEmpty()) return false;
        fichero = dialogo.GetFileName();
    }
    if (!ConfirmarPerdida(*gestor, fichero)) return false;
    if (!gestor->Guardar(fichero)) {
        AvisarFallo(fichero, gestor->UltimoError());
        return false;
    }
    gestor->ObtenerCambios()->PonerLogico("Cambios", false);
    if (nombreNuevo) {
        PonerNombre(fichero);
        if (ventana) ventana->SetCaption(nombreVisible);
        if (nodoRaiz) nodoRaiz->SetText("Proyecto: " + nombreVisible);
    }
    return true;
}

bool VistaGestorBD::ExportarXML(const AnsiString& fichero) {
    bool hecho =
        ventana ? gestor->GuardarXML(fichero, *ventana->_xml) : gestor->GuardarXML(fichero);
    if (!hecho) AvisarFallo(fichero, gestor->UltimoError());
    return hecho;
}

void VistaGestorBD::CargarLibreria(const AnsiString& fichero, bool avisar) {
    libreria.reset();
    libreria = std::make_unique<GestorBD>("USUARIO", LISTA_USUARIO);
    libreria->Cargar(fichero);
    if (!avisar) return;
    AvisarIlegibles(*libreria, fichero);
    AvisarSupuestos(*libreria, fichero);
}

bool VistaGestorBD::EscribirLibreria(const AnsiString& fichero) {
    if (!libreria) return false;
    FileWriter escritor;
    if (escritor.Open(fichero)) {
        libreria->Escribir(escritor);
        if (escritor.Commit()) return true;
    }
    error->Mensaje(0, fichero);
    return false;
}

void VistaGestorBD::Crear() {
    if (!ventana) return;
    TTreeNode* nodo = ventana->tvBaseDatos->GetSelected();
    if (!nodo) return;
    TipoObjeto tipo = TipoDeNodo(nodo);
    if (nodo->GetLevel() == 2 && tipo == TIPO_PUENTE_TERMICO) {
        CrearElemento(TIPO_PUENTE_TERMICO);
    } else if (nodo->GetLevel() == 3) {
        ventana->pmnuEliminar->SetVisible(false);
        if (tipo == TIPO_ACRISTALAMIENTO || tipo == TIPO_MARCO || tipo == TIPO_CERRAMIENTO ||
            tipo == TIPO_MATERIAL || tipo == TIPO_HUECO)
            CrearElemento(tipo);
    }
}

void VistaGestorBD::CrearElemento(TipoObjeto tipo) {
    VistabdElementos* vista = VistaDeTipo(tipo);
    if (!vista || !ventana || !DejarElemento()) return;
    if (!vista->NuevoElemento().IsEmpty()) CambiosHechos();
    SeleccionarNodo(ventana->tvBaseDatos->GetSelected());
}

void VistaGestorBD::Eliminar() {
    if (!ventana) return;
    TTreeNode* nodo = ventana->tvBaseDatos->GetSelected();
    if (!nodo || !nodo->GetParent()) return;
    TipoObjeto tipo = TipoDeNodo(nodo);
    // Los puentes térmicos están un nivel más arriba que los demás elementos.
    int nivelGrupo = tipo == TIPO_PUENTE_TERMICO ? 2 : 3;
    int nivel = nodo->GetLevel();
    if (nivel < nivelGrupo || tipo == TIPO_NINGUNO) return;
    AnsiString nombre = nodo->GetText();
    if (nivel == nivelGrupo) {
        if (nodo->GetHasChildren()) {
            Application->MessageBox(
                "No se puede eliminar el grupo. Debe eliminar todos sus componentes antes.",
                "Información", MB_OK | MB_ICONINFORMATION);
            return;
        }
        nodo->Delete();
        return;
    }
    if (nivel != nivelGrupo + 1) return;
    if (error->Preguntar("¿Realmente desea eliminar  " + nombre + "? ", "Confirmación",
                         MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ObjetoBase* elemento = gestor->Buscar(tipo, nombre);
    if (!gestor->Eliminar(tipo, nombre)) {
        error->Mensaje(59, nombre);
        return;
    }
    if (actual == elemento) actual = nullptr;
    CambiosHechos();
    nodo->Delete();
    CambiarPestana();
}

void VistaGestorBD::CrearGrupo(TipoObjeto tipo) {
    VistabdElementos* vista = VistaDeTipo(tipo);
    if (!vista || !ventana) return;
    nombresGrupos = std::make_unique<TStringList>();
    miembrosGrupo = std::make_unique<TStringList>();
    renombrando = false;
    vista->ListarGrupos(*nombresGrupos);
    AnadirGruposDelArbol(ventana->tvBaseDatos->GetSelected());
    TforNombreGrupo dialogo(Application, this);
    dialogoGrupo = &dialogo;
    dialogo.ShowModal();
    dialogoGrupo = nullptr;
}

void VistaGestorBD::CambiarGrupo(TipoObjeto tipo) {
    VistabdElementos* vista = VistaDeTipo(tipo);
    if (!vista || !ventana || !ventana->tvBaseDatos->GetSelected()) return;
    nombresGrupos = std::make_unique<TStringList>();
    miembrosGrupo = std::make_unique<TStringList>();
    renombrando = true;
    vista->ListarGrupos(*nombresGrupos);
    // Sus hermanos en el árbol: también los grupos aún vacíos.
    AnadirGruposDelArbol(ventana->tvBaseDatos->GetSelected()->GetParent());
    grupoAnterior = ventana->tvBaseDatos->GetSelected()->GetText();
    baseGrupo = gestor->Base(tipo);
    if (baseGrupo) baseGrupo->ListarNombresDeGrupo(*miembrosGrupo, grupoAnterior);
    TforNombreGrupo dialogo(Application, this);
    dialogo.SetCaption("Cambiar grupo ");
    dialogo.edGrupo->SetText(grupoAnterior);
    dialogoGrupo = &dialogo;
    dialogo.ShowModal();
    dialogoGrupo = nullptr;
    baseGrupo = nullptr;
}

bool VistaGestorBD::AceptarNombreGrupo() {
    if (!dialogoGrupo || !ventana || !nombresGrupos) return false;
    TTreeNode* seleccionado = ventana->tvBaseDatos->GetSelected();
    if (!seleccionado) return false;
    AnsiString nombre = dialogoGrupo->edGrupo->GetText();
    if (renombrando && nombre == grupoAnterior) return true;
    if (nombre.IsEmpty()) return false;
    // El grupo se escribe entre comillas en cada elemento.
    if (!ObjetoBase::NombreGrabable(nombre)) {
        Application->MessageBox("El nombre del grupo es incorrecto.", "Información",
                                MB_OK | MB_ICONINFORMATION);
        return false;
    }
    // El mismo grupo con otras mayúsculas no es otro grupo: se renombra.
    const bool mismoGrupo = renombrando && AnsiSameText(nombre, grupoAnterior);
    if (!mismoGrupo && nombresGrupos->IndexOf(nombre) >= 0) {
        Application->MessageBox("El nombre del grupo ya está siendo utilizado", "Infomación",
                                MB_OK | MB_ICONINFORMATION);
        return false;
    }
    if (!renombrando) {
        TTreeNode* nodo = AnadirNodoTipo(ventana->tvBaseDatos->GetItems(), seleccionado, nombre,
                                         TipoDeNodo(seleccionado), ICONO_CARPETA);
        ventana->tvBaseDatos->SetSelected(nodo);
        return true;
    }
    for (int i = 0; baseGrupo && i < miembrosGrupo->GetCount(); ++i)
        if (ObjetoBase* elemento = baseGrupo->BuscarEnHijos(miembrosGrupo->GetStrings(i)))
            elemento->AsignarPropiedad("Grupo", nombre);
    LlevarGrupoAHuecos(nombre);
    seleccionado->SetText(nombre);
    CambiosHechos();
    return true;
}

void VistaGestorBD::AnadirGruposDelArbol(TTreeNode* nodoTipo) {
    if (!nodoTipo) return;
    for (TTreeNode* n = nodoTipo->getFirstChild(); n; n = n->getNextSibling())
        if (nombresGrupos->IndexOf(n->GetText()) < 0) nombresGrupos->Add(n->GetText());
}

void VistaGestorBD::LlevarGrupoAHuecos(const AnsiString& nombre) {
    const char* claveGrupo = nullptr;
    const char* claveParte = nullptr;
    if (baseGrupo == gestor->Base(TIPO_ACRISTALAMIENTO)) {
        claveGrupo = "Grupo Acristalamiento";
        claveParte = "Acristalamiento";
    } else if (baseGrupo == gestor->Base(TIPO_MARCO)) {
        claveGrupo = "Grupo Marco";
        claveParte = "Marco";
    }
    bdLibreria* huecos = gestor->Base(TIPO_HUECO);
    if (!claveGrupo || !huecos) return;
    for (int i = 0; i < huecos->NumeroHijos(); ++i) {
        ObjetoBase* hueco = huecos->Hijo(i);
        AnsiString grupo, parte;
        hueco->ValorPropiedad(claveGrupo, grupo);
        hueco->ValorPropiedad(claveParte, parte);
        if (AnsiSameText(grupo, grupoAnterior) && miembrosGrupo->IndexOf(parte) >= 0)
            hueco->AsignarPropiedad(claveGrupo, nombre);
    }
}

AnsiString VistaGestorBD::ElegirDibujo(TipoObjeto tipo) {
    if (!ventana) return AnsiString();
    AnsiString carpeta;
    if (tipo == TIPO_MATERIAL)
        carpeta = Directorios::Instancia()->RutaImagen("Materiales\\");
    else if (tipo == TIPO_PUENTE_TERMICO)
        carpeta = Directorios::Instancia()->RutaImagen("Puentes\\");
    else
        return AnsiString();
    ventana->abrirImagenes->SetInitialDir(carpeta);
    if (!ventana->abrirImagenes->Execute()) return AnsiString();
    AnsiString fichero = ventana->abrirImagenes->GetFileName();
    if (fichero.IsEmpty() || !FileExists(fichero)) return AnsiString();
    return fichero;
}

void VistaGestorBD::CargarCatalogoRegional() {
    if (idioma->Codigo() != 2) return;
    {
        GestorBD catalogo("NORVIA", LISTA_ESTANDAR);
        catalogo.Cargar(Directorios::Instancia()->RutaLibreria("bdCatalogo.bdc"));
        for (TipoObjeto tipo :
             {TIPO_MATERIAL, TIPO_CERRAMIENTO, TIPO_MARCO, TIPO_ACRISTALAMIENTO, TIPO_HUECO}) {
            TStringList nombres;
            if (bdLibreria* base = catalogo.Base(tipo)) base->ListarNombres(nombres);
            CopiarAGestor(nombres, tipo, &catalogo, gestor);
        }
    }
    VaciarArbol();
    Mostrar();
}
