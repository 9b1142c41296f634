#include "Vornak/VistaElemento.h"

#include "Vornak/VentanaGestorBD.h"
#include "Vornak/VistaGestorBD.h"

#include "comunes/Directorios.h"
#include "comunes/Error.h"
#include "comunes/GestorBD.h"
#include "comunes/ObjetoBase.h"
#include "comunes/PiezasRegistro.h"
#include "comunes/Util.h"
#include "controles/edit/kav_combo.h"
#include "controles/edit/kav_edit.h"
#include "plataforma/base/files.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/image.h"
#include "plataforma/gui/widgets/tree_view.h"

AnsiString VistaElemento::Valor(const AnsiString& clave) const {
    AnsiString valor;
    if (elemento) elemento->ValorPropiedad(clave, valor);
    return valor;
}

int VistaElemento::Color(const AnsiString& clave) const {
    EstadoValor estado = ESTADO_USUARIO;
    if (elemento) elemento->ObtenerEstado(clave, estado);
    return estado;
}

void VistaElemento::MostrarClave(TControl* control, const AnsiString& clave) const {
    MostrarTexto(control, Valor(clave), Color(clave));
}

void VistaElemento::MostrarTexto(TControl* control, const AnsiString& texto, int color) {
    PonerTexto(control, texto);
    control->GetFont()->SetColor(static_cast<TColor>(color));
}

void VistaElemento::PonerTexto(TControl* control, const AnsiString& texto) {
    if (auto* kav = dynamic_cast<TKavEdit*>(control))
        kav->SetText(texto);
    else
        control->SetText(texto);
}

void VistaElemento::PonerHabilitado(TControl* control, bool habilitar) {
    // Los controles de la librería de edición cambian también su color al deshabilitarse.
    if (auto* kav = dynamic_cast<TKavEdit*>(control))
        kav->SetEnabledEx(habilitar);
    else if (auto* combo = dynamic_cast<TKavCustomCombo*>(control))
        combo->SetEnabledEx(habilitar);
    else
        control->SetEnabled(habilitar);
}

void VistaElemento::Habilitar(std::initializer_list<TControl*> controles, bool habilitar) {
    for (TControl* c : controles)
        PonerHabilitado(c, habilitar);
}

void VistaElemento::HabilitarVentana(TWinControl* pagina) const {
    pagina->SetEnabled(true);
    for (int i = 0; i < ventana->GetControlCount(); ++i)
        PonerHabilitado(ventana->GetControls(i), true);
}

namespace {
// La marca de modificado de un campo de texto: la pone lo que teclea el usuario y la quita
// el texto que se pone desde el código. Las listas no la tienen.
bool Editado(TControl* control) {
    if (auto* kav = dynamic_cast<TKavEdit*>(control)) return kav->GetModified();
    if (auto* campo = dynamic_cast<TCustomEdit*>(control)) return campo->GetModified();
    return false;
}

void OlvidarEdicion(TControl* control) {
    if (!Editado(control)) return;
    if (auto* kav = dynamic_cast<TKavEdit*>(control))
        kav->SetModified(false);
    else if (auto* campo = dynamic_cast<TCustomEdit*>(control))
        campo->SetModified(false);
}
} // namespace

void VistaElemento::Recordar(std::initializer_list<TControl*> controles) {
    for (TControl* c : controles) {
        mostrados[c] = Texto(c);
        OlvidarEdicion(c);
    }
}

bool VistaElemento::Tocado(TControl* control) const {
    auto it = mostrados.find(control);
    // Un campo que el usuario editó cuenta aunque acabe con el texto mostrado: el que
    // teclea el valor que se ve redondeado quiere ese valor.
    return it == mostrados.end() || !(it->second == Texto(control)) || Editado(control);
}

bool VistaElemento::HayCambios() const {
    if (!elemento) return false;
    for (const auto& entrada : mostrados)
        if (Tocado(entrada.first)) return true;
    return false;
}

void VistaElemento::AsignarSiTocado(const char* clave, TControl* control, const char* siVacio) {
    if (!Tocado(control)) return;
    AnsiString texto = Texto(control);
    if (texto.IsEmpty() && siVacio) texto = siVacio;
    elemento->AsignarPropiedad(clave, texto);
}

AnsiString VistaElemento::Texto(TControl* control) {
    if (auto* kav = dynamic_cast<TKavEdit*>(control)) return kav->GetText();
    return control->GetText();
}

bool VistaElemento::EnUso() const {
    VistaGestorBD* controlador = ventana->Controlador();
    if (!controlador || !controlador->Gestor()) return elemento->EsUtilizado();
    return controlador->Gestor()->EnUso(elemento->ObtenerTipo(), elemento->ObtenerNombre());
}

VistaElemento::Nombre VistaElemento::AceptarNombre(TControl* campo, const char* queEs) {
    const AnsiString texto = Texto(campo);
    if (!Tocado(campo) || texto == elemento->ObtenerNombre()) return Nombre::SinTocar;
    Error* error = Error::Instancia();
    const AnsiString del = AnsiString("El nombre del ") + queEs;
    if (texto.IsEmpty()) {
        error->MostrarMensaje(del + " no puede quedar vacío.", "Información");
        return Nombre::Rechazado;
    }
    if (EnUso()) {
        error->Mensaje(60, "");
        return Nombre::Rechazado;
    }
    if (!elemento->NombreValido(texto) || !ObjetoBase::NombreGrabable(texto)) {
        elemento->MarcarNombreRechazado();
        elemento->PonerError(true);
        error->MostrarMensaje(del + " es incorrecto.", "Información");
        return Nombre::Rechazado;
    }
    if (!NombreLibreEnSuBase(*elemento, texto)) {
        error->Mensaje(23, texto);
        return Nombre::Rechazado;
    }
    elemento->AsignarPropiedad("Nombre", texto);
    if (!(elemento->ObtenerNombre() == texto)) return Nombre::Rechazado;
    // El nombre que tenía en el fichero ya no es el suyo: se guarda con el nuevo.
    elemento->AsignarPropiedad("Nombre completo", texto);
    if (TTreeNode* nodo = ventana->tvBaseDatos->GetSelected()) nodo->SetText(texto);
    return Nombre::Aceptado;
}

AnsiString VistaElemento::GrupoDelNodo() const {
    TTreeNode* nodo = ventana->tvBaseDatos->GetSelected();
    if (!nodo || !nodo->GetParent()) return AnsiString();
    return nodo->GetParent()->GetText();
}

void VistaElemento::CargarDibujo(const AnsiString& texto, const char* subcarpeta, TImage* imagen,
                                 TEdit* campo) {
    if (texto.IsEmpty()) return;
    AnsiString ruta = Directorios::Instancia()->RutaImagen(subcarpeta + NombreFichero(texto));
    if (!FileExists(ruta)) return;
    try {
        imagen->GetPicture()->LoadFromFile(ruta);
    } catch (const Exception&) {
        // Un fichero que no es una imagen se trata como uno que falta.
        return;
    }
    // La ruta como la nombra el sistema, con sus "/" (la de config.ini puede traer "\").
    campo->SetText(DisplayPath(ruta));
}
