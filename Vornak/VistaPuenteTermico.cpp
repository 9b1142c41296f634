#include "Vornak/VistaPuenteTermico.h"

#include "Vornak/VentanaGestorBD.h"

#include "comunes/ObjetoBase.h"
#include "comunes/Util.h"
#include "controles/edit/kav_combo.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/image.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/page_control.h"

namespace {
constexpr const char* PUENTES = "Puentes\\";
}

void VistaPuenteTermico::Mostrar() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    TStringList zonas;
    zonas.SetSorted(true);
    for (const char* z : {"A", "B", "C", "D", "E"})
        zonas.Add(z);
    v->MostrarPagina(TIPO_PUENTE_TERMICO);
    HabilitarVentana(v->tsPuentes);
    MostrarClave(v->edNombrePue, "Nombre");
    MostrarClave(v->edFi, "Fi");
    MostrarClave(v->edEfe, "Efe");
    AnsiString zona = Valor("Zona");
    v->cbZona->SetItems(&zonas);
    v->cbZona->SetItemIndex(zonas.IndexOf(zona));
    v->cbZona->GetFont()->SetColor(static_cast<TColor>(Color("Zona")));
    Actualizar();
    // Como en los materiales: cada puente su dibujo, y su nombre se queda aunque falte.
    AnsiString imagen = Valor("Imagen");
    v->imgDibujoPue->GetPicture()->Assign(nullptr);
    v->edImagenPue->SetText(imagen);
    CargarDibujo(imagen, PUENTES, v->imgDibujoPue, v->edImagenPue);
    Recordar({v->edNombrePue, v->edFi, v->edEfe, v->cbZona, v->edImagenPue});
}

void VistaPuenteTermico::Actualizar() {
    if (!elemento) return;
    TforGestorBD* v = ventana;
    Habilitar({v->edNombrePue, v->lbNombrePue, v->edFi, v->lbFi, v->edEfe, v->lbEfe,
               v->btnAceptarPue, v->cbZona},
              !elemento->EsLibreria());
    CargarDibujo(v->edImagenPue->GetText(), PUENTES, v->imgDibujoPue, v->edImagenPue);
}

bool VistaPuenteTermico::Aceptar() {
    if (!elemento) return false;
    TforGestorBD* v = ventana;
    elemento->PonerError(false);
    AceptarNombre(v->edNombrePue, "puente térmico");
    elemento->AsignarPropiedad("Grupo", GrupoDelNodo());
    AsignarSiTocado("Fi", v->edFi);
    AsignarSiTocado("Efe", v->edEfe);
    AsignarSiTocado("Zona", v->cbZona);
    if (Tocado(v->edImagenPue))
        elemento->AsignarPropiedad("Imagen", NombreFichero(v->edImagenPue->GetText()));
    return elemento->ObtenerError();
}
