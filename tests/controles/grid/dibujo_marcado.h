#pragma once
// HTMLDrawEx with the defaults a cell uses, and every output gathered in one record.

#include "controles/grid/markup/markup_renderer.h"

struct OpcionesMarcado {
    TCustomImageList* imagenes = nullptr;
    int mouseX = -1, mouseY = -1, foco = -1, hover = -1;
    bool hitPass = false, soloMedir = false, seleccionado = false, parpadeo = true;
    bool soloHover = false, ajuste = true, raton = false;
    TColor colorAncla = clBlue, fondoHover = clNone, textoHover = clNone;
    THTMLPictureCache* cache = nullptr;
    TPictureContainer* contenedor = nullptr;
    AnsiString controlId;
    int ocurrencia = 0; // which of the controls with controlId the hit pass looks for
};

struct SalidaMarcado {
    bool resultado = false;
    AnsiString href, plano, focoHref, titulo, controlId, controlValor, controlTipo;
    int ancho = 0, alto = 0, anclas = 0, anclaRaton = 0;
    TRect anclaRect, controlRect;
    int ocurrencia = 0; // which of the controls with its ID the control found is
};

inline SalidaMarcado Marcado(TCanvas* c, const AnsiString& texto, const TRect& r,
                             const OpcionesMarcado& o = OpcionesMarcado()) {
    SalidaMarcado s;
    s.controlId = o.controlId;
    s.ocurrencia = o.ocurrencia;
    s.resultado = HTMLDrawEx(
        c, texto, r, o.imagenes, o.mouseX, o.mouseY, o.foco, o.hover, 1, o.hitPass, o.soloMedir,
        false, o.seleccionado, o.parpadeo, o.soloHover, o.ajuste, o.raton, 1.0, o.colorAncla,
        o.fondoHover, o.textoHover, clGray, s.href, s.plano, s.focoHref, s.titulo, s.ancho, s.alto,
        s.anclas, s.anclaRaton, s.anclaRect, s.controlRect, s.controlId, s.controlValor,
        s.controlTipo, o.cache, o.contenedor, nullptr, &s.ocurrencia);
    return s;
}
