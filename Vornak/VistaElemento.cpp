#include "Vornak/VistaElemento.h"

#include "Vornak/VentanaGestorBD.h"

#include "comunes/Directorios.h"
#include "comunes/Error.h"
#include "comunes/ObjetoBase.h"
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

bool VistaElemento::AceptarNombre(const AnsiString& texto, const AnsiString& aviso) {
    if (!texto.IsEmpty() && !elemento->EsUtilizado()) {
        elemento->AsignarPropiedad("Nombre", texto);
        AnsiString nombre = Valor("Nombre");
        bool valido = elemento->NombreValido(nombre);
        elemento->PonerError(!valido);
        if (!valido) {
            Error::Instancia()->MostrarMensaje(aviso, "Información");
        } else if (TTreeNode* nodo = ventana->tvBaseDatos->GetSelected()) {
            nodo->SetText(nombre);
        }
        return valido;
    }
    if (!(Valor("Nombre") == texto)) Error::Instancia()->Mensaje(60, "");
    return false;
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
    campo->SetText(ruta);
}
