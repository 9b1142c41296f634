// A sheet of what the drawing layer draws, saved as capturas/canvas_clasico.png and
// capturas/canvas_estilos.png for a person to look at.

#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/themes.h"
#include "plataforma/gui/services/capture.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

class Muestrario : public TCustomControl {
public:
    explicit Muestrario(TWinControl* parent) : TCustomControl(parent) {
        SetBounds(0, 0, 480, 300);
        SetColor(clBtnFace);
        SetParent(parent);
    }

protected:
    void Paint() override { IsThemeActive() ? Estilos() : Clasico(); }

private:
    void Clasico() {
        TCanvas* c = GetCanvas();
        HDC dc = c->GetHandle();
        const UINT edges[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};
        for (int i = 0; i < 4; ++i) {
            TRect r = Rect(10 + i * 60, 10, 60 + i * 60, 40);
            DrawEdge(dc, &r, edges[i], BF_RECT);
        }
        const UINT checks[] = {DFCS_BUTTONCHECK,
                               DFCS_BUTTONCHECK | DFCS_CHECKED,
                               DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE,
                               DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT,
                               DFCS_BUTTONRADIO,
                               DFCS_BUTTONRADIO | DFCS_CHECKED,
                               DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_FLAT};
        for (int i = 0; i < 7; ++i) {
            TRect r = Rect(10 + i * 24, 50, 23 + i * 24, 63);
            DrawFrameControl(dc, &r, DFC_BUTTON, checks[i]);
        }
        const UINT buttons[] = {DFCS_BUTTONPUSH, DFCS_BUTTONPUSH | DFCS_PUSHED,
                                DFCS_BUTTONPUSH | DFCS_FLAT};
        for (int i = 0; i < 3; ++i) {
            TRect r = Rect(10 + i * 80, 70, 85 + i * 80, 95);
            DrawFrameControl(dc, &r, DFC_BUTTON, buttons[i]);
            SetBkMode(dc, TRANSPARENT);
            DrawText(dc, "&Aceptar", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        const UINT arrows[] = {DFCS_SCROLLUP,
                               DFCS_SCROLLDOWN,
                               DFCS_SCROLLLEFT,
                               DFCS_SCROLLRIGHT,
                               DFCS_SCROLLCOMBOBOX | DFCS_FLAT,
                               DFCS_SCROLLDOWN | DFCS_PUSHED,
                               DFCS_SCROLLDOWN | DFCS_INACTIVE};
        for (int i = 0; i < 7; ++i) {
            TRect r = Rect(260 + i * 20, 70, 276 + i * 20, 86);
            DrawFrameControl(dc, &r, DFC_SCROLL, arrows[i]);
        }
        // Text in a white cell: wrapped, with an ellipsis, right-aligned.
        c->GetBrush()->SetColor(clWindow);
        c->GetPen()->SetColor(clGray);
        c->Rectangle(10, 105, 230, 175);
        c->GetFont()->SetName("MS Sans Serif");
        c->GetFont()->SetColor(clWindowText);
        c->GetBrush()->SetStyle(bsClear);
        TRect t = Rect(14, 108, 226, 172);
        DrawText(c->GetHandle(),
                 "Ladrillo perforado de un pie, con enlucido de yeso por las dos caras", -1, &t,
                 DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        c->GetBrush()->SetColor(clWindow);
        c->Rectangle(240, 105, 470, 125);
        TRect e = Rect(244, 107, 466, 123);
        c->GetBrush()->SetStyle(bsClear);
        DrawText(c->GetHandle(), "Un nombre de material demasiado largo para su celda", -1, &e,
                 DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        c->GetBrush()->SetColor(clWindow);
        c->Rectangle(240, 130, 470, 150);
        TRect n = Rect(244, 132, 466, 148);
        c->GetBrush()->SetStyle(bsClear);
        DrawText(c->GetHandle(), "0.250", -1, &n, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        // Figures, a focus rectangle and a rotated caption.
        c->GetPen()->SetColor(clNavy);
        c->GetBrush()->SetColor(clSkyBlue);
        c->Ellipse(10, 185, 70, 235);
        c->RoundRect(80, 185, 150, 235, 16, 16);
        c->GetBrush()->SetColor(clMoneyGreen);
        c->Pie(160, 185, 220, 245, 220, 215, 190, 185);
        c->Polygon({{230, 240}, {260, 185}, {290, 240}});
        c->DrawFocusRect(Rect(300, 185, 360, 235));
        c->GetFont()->SetOrientation(900);
        c->GetBrush()->SetStyle(bsClear);
        c->TextOut(380, 280, "Girado");
        c->GetFont()->SetOrientation(0);
        TRect f = Rect(400, 185, 460, 235);
        Frame3D(c, f, clBtnHighlight, clBtnShadow, 2);
        c->GetPen()->SetStyle(psDot);
        c->MoveTo(10, 260);
        c->LineTo(300, 260);
        c->GetPen()->SetStyle(psSolid);
        c->GetPen()->SetMode(pmXor);
        c->GetPen()->SetColor(clWhite);
        c->MoveTo(10, 270);
        c->LineTo(300, 270);
        c->GetPen()->SetMode(pmCopy);
    }

    void Estilos() {
        TCanvas* c = GetCanvas();
        HDC dc = c->GetHandle();
        HTHEME boton = OpenThemeData(nullptr, L"button");
        const int estados[] = {PBS_NORMAL, PBS_HOT, PBS_PRESSED, PBS_DISABLED};
        for (int i = 0; i < 4; ++i) {
            const TRect r = Rect(10 + i * 90, 10, 90 + i * 90, 35);
            DrawThemeBackground(boton, dc, BP_PUSHBUTTON, estados[i], &r, nullptr);
            DrawThemeText(boton, dc, BP_PUSHBUTTON, estados[i], L"Aceptar", -1,
                          DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, &r);
        }
        const int casillas[] = {CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_CHECKEDDISABLED};
        for (int i = 0; i < 3; ++i) {
            const TRect r = Rect(10 + i * 20, 45, 23 + i * 20, 58);
            DrawThemeBackground(boton, dc, BP_CHECKBOX, casillas[i], &r, nullptr);
            const TRect o = Rect(80 + i * 20, 45, 93 + i * 20, 58);
            DrawThemeBackground(boton, dc, BP_RADIOBUTTON, casillas[i], &o, nullptr);
        }
        CloseThemeData(boton);
        HTHEME cabecera = OpenThemeData(nullptr, L"header");
        for (int i = 0; i < 3; ++i) {
            const TRect r = Rect(10 + i * 80, 70, 90 + i * 80, 90);
            DrawThemeBackground(cabecera, dc, HP_HEADERITEM, i + 1, &r, nullptr);
        }
        CloseThemeData(cabecera);
        HTHEME combo = OpenThemeData(nullptr, L"combobox");
        const TRect cb = Rect(10, 100, 27, 120);
        DrawThemeBackground(combo, dc, CP_DROPDOWNBUTTON, CBXS_NORMAL, &cb, nullptr);
        CloseThemeData(combo);
        HTHEME barra = OpenThemeData(nullptr, L"Progress");
        const TRect pb = Rect(40, 100, 240, 118);
        DrawThemeBackground(barra, dc, PP_BAR, 1, &pb, nullptr);
        const TRect ch = Rect(42, 102, 150, 116);
        DrawThemeBackground(barra, dc, PP_CHUNK, 1, &ch, nullptr);
        CloseThemeData(barra);
        HTHEME spin = OpenThemeData(nullptr, L"spin");
        const TRect su = Rect(250, 100, 266, 110), sd = Rect(250, 110, 266, 120);
        DrawThemeBackground(spin, dc, SPNP_UP, UPS_NORMAL, &su, nullptr);
        DrawThemeBackground(spin, dc, SPNP_DOWN, UPS_PRESSED, &sd, nullptr);
        CloseThemeData(spin);
    }
};

TEST(CapturaLienzo, ClasicoYConEstilos) {
    VentanaPrueba v;
    v.SetBounds(0, 0, 480, 300);
    auto* m = new Muestrario(&v);
    m->Repaint();
    const AnsiString clasico = SaveCapture(m, "canvas_clasico");
    ASSERT_FALSE(clasico.IsEmpty());
    QImage img(QString::fromLocal8Bit(clasico.c_str()));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(480, 300));
    // The raised edge's light corner, the face between the figures.
    const COLORREF luz = GetSysColor(COLOR_3DLIGHT);
    EXPECT_EQ(
        img.pixel(10, 10) & 0xFFFFFF,
        static_cast<unsigned>(qRgb(GetRValue(luz), GetGValue(luz), GetBValue(luz)) & 0xFFFFFF));

    SetThemeActive(true);
    m->Invalidate();
    m->Update();
    const AnsiString estilos = SaveCapture(m, "canvas_estilos");
    SetThemeActive(false);
    ASSERT_FALSE(estilos.IsEmpty());
    QImage con(QString::fromLocal8Bit(estilos.c_str()));
    // The styled push button's border in place of the classic edge.
    EXPECT_EQ(con.pixel(10, 22) & 0xFFFFFF, static_cast<unsigned>(qRgb(0, 60, 116) & 0xFFFFFF));
}

} // namespace
