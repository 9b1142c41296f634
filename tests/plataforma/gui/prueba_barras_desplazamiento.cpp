// The scroll bars of a window: geometry, the messages a user's clicks and drags send, the
// SetScrollInfo family, the bars of the hosted list box and memo, and flat bars.

#include "tests/plataforma/gui/canvas_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/kernel/flat_scroll_bars.h"
#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/list_box.h"
#include "plataforma/gui/widgets/memo.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include <gtest/gtest.h>

#include <QDir>

namespace {

// A window with both bars whose handler moves the vertical bar as a grid would.
class Desplazable : public TCustomControl {
public:
    explicit Desplazable(TWinControl* parent, bool mover = true)
        : TCustomControl(parent), mover_(mover) {
        SetBounds(10, 10, 200, 100);
        SetParent(parent);
    }
    struct Peticion {
        UINT msg;
        int code;
        int pos;
    };
    std::vector<Peticion> recibidas;
    std::vector<UINT> orden;
    int pulsacionesCliente = 0;

protected:
    void CreateParams(TCreateParams& p) override {
        TCustomControl::CreateParams(p);
        p.Style |= WS_VSCROLL | WS_HSCROLL;
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_NCPAINT || m.Msg == WM_ERASEBKGND || m.Msg == WM_PAINT)
            orden.push_back(m.Msg);
        if (m.Msg == WM_LBUTTONDOWN) ++pulsacionesCliente;
        if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) {
            TWMScroll s(m);
            recibidas.push_back({m.Msg, s.ScrollCode, s.Pos});
            if (mover_ && m.Msg == WM_VSCROLL) {
                const int bar = SB_VERT;
                int pos = GetScrollPos(GetHandle(), bar);
                switch (s.ScrollCode) {
                case SB_LINEDOWN:
                    ++pos;
                    break;
                case SB_LINEUP:
                    --pos;
                    break;
                case SB_PAGEDOWN:
                    pos += 10;
                    break;
                case SB_PAGEUP:
                    pos -= 10;
                    break;
                case SB_THUMBPOSITION:
                    pos = s.Pos;
                    break;
                default:
                    break;
                }
                SetScrollPos(GetHandle(), bar, pos, TRUE);
            }
        }
        TCustomControl::WndProc(m);
    }
    void Paint() override {
        GetCanvas()->GetBrush()->SetColor(clWhite);
        GetCanvas()->FillRect(GetClientRect());
    }

private:
    bool mover_;
};

void Barra(HWND h, int bar, int min, int max, UINT page, int pos) {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    si.nMin = min;
    si.nMax = max;
    si.nPage = page;
    si.nPos = pos;
    SetScrollInfo(h, bar, &si, TRUE);
}

std::vector<int> Codigos(const std::vector<Desplazable::Peticion>& v) {
    std::vector<int> out;
    for (auto& p : v)
        out.push_back(p.code);
    return out;
}

TEST(BarrasDesplazamiento, ElAreaClienteSeEncogeConCadaBarraMostrada) {
    VentanaPrueba v;
    auto* d = new Desplazable(&v);
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ(d->GetClientRect(), Rect(0, 0, 200 - cx, 100 - cy));
    // A window made with WS_VSCROLL starts with the range 0..100.
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(d->GetHandle(), SB_VERT, &si));
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 100);
    EXPECT_EQ(si.nPage, 0u);
    EXPECT_EQ(si.nPos, 0);
    // A range with nothing to scroll hides the bar; the window hears of its new size.
    Registro().clear();
    SetScrollRange(d->GetHandle(), SB_HORZ, 0, 0, TRUE);
    EXPECT_EQ(d->GetClientRect(), Rect(0, 0, 200 - cx, 100));
    ShowScrollBar(d->GetHandle(), SB_VERT, FALSE);
    EXPECT_EQ(d->GetClientRect(), Rect(0, 0, 200, 100));
    ShowScrollBar(d->GetHandle(), SB_BOTH, TRUE);
    EXPECT_EQ(d->GetClientRect(), Rect(0, 0, 200 - cx, 100 - cy));
    // A page that covers the whole range hides it too, unless SIF_DISABLENOSCROLL.
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = 9;
    si.nPage = 10;
    SetScrollInfo(d->GetHandle(), SB_VERT, &si, TRUE);
    EXPECT_EQ(d->GetClientWidth(), 200);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    ShowScrollBar(d->GetHandle(), SB_VERT, TRUE);
    SetScrollInfo(d->GetHandle(), SB_VERT, &si, TRUE);
    EXPECT_EQ(d->GetClientWidth(), 200 - cx);
}

TEST(BarrasDesplazamiento, SetScrollInfoYGetScrollInfoIdaYVuelta) {
    VentanaPrueba v;
    auto* d = new Desplazable(&v);
    HWND h = d->GetHandle();
    struct Caso {
        int min, max;
        UINT page;
        int pos;
        int posEsperada; // kept inside min .. max - page + 1
    } casos[] = {
        {0, 99, 10, 50, 50},      {0, 99, 10, 95, 90}, {-20, 20, 0, -30, -20},
        {5, 1000, 1, 1000, 1000}, {0, 99, 0, 100, 99},
    };
    for (const Caso& c : casos) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        si.nMin = c.min;
        si.nMax = c.max;
        si.nPage = c.page;
        si.nPos = c.pos;
        EXPECT_EQ(SetScrollInfo(h, SB_VERT, &si, TRUE), c.posEsperada);
        SCROLLINFO r;
        r.fMask = SIF_ALL;
        ASSERT_TRUE(GetScrollInfo(h, SB_VERT, &r));
        EXPECT_EQ(r.nMin, c.min);
        EXPECT_EQ(r.nMax, c.max);
        EXPECT_EQ(r.nPage, c.page);
        EXPECT_EQ(r.nPos, c.posEsperada);
        EXPECT_EQ(r.nTrackPos, c.posEsperada);
    }
    // The older functions on the same state; only the fields named are touched.
    SetScrollRange(h, SB_HORZ, 3, 40, FALSE);
    EXPECT_EQ(SetScrollPos(h, SB_HORZ, 12, TRUE), 3);
    EXPECT_EQ(GetScrollPos(h, SB_HORZ), 12);
    int mn = 0, mx = 0;
    EXPECT_TRUE(GetScrollRange(h, SB_HORZ, &mn, &mx));
    EXPECT_EQ(mn, 3);
    EXPECT_EQ(mx, 40);
    SCROLLINFO soloPos;
    soloPos.fMask = SIF_POS;
    soloPos.nMin = 77; // ignored
    soloPos.nPos = 20;
    SetScrollInfo(h, SB_HORZ, &soloPos, TRUE);
    EXPECT_TRUE(GetScrollRange(h, SB_HORZ, &mn, &mx));
    EXPECT_EQ(mn, 3);
    EXPECT_EQ(GetScrollPos(h, SB_HORZ), 20);
    EXPECT_FALSE(SetScrollRange(h, SB_HORZ, 5, 4, TRUE));
    EXPECT_FALSE(GetScrollInfo(nullptr, SB_VERT, &soloPos));
    EXPECT_EQ(GetScrollPos(h, 7), 0);
}

TEST(BarrasDesplazamiento, FlechasYZonasDePaginaMandanSusPeticionesEnOrden) {
    VentanaPrueba v;
    auto* d = new Desplazable(&v);
    HWND h = d->GetHandle();
    Barra(h, SB_VERT, 0, 99, 20, 40);
    d->Repaint();
    // Vertical bar: x 184..199; arrows 0..15 and 68..83; track 16..67, 52 pixels; the thumb
    // is 52 * 20 / 100 = 10 pixels long, at 16 + 42 * 40 / 80 = 37.
    const int x = 191;
    SimulateClick(d, x, 5);  // up arrow
    SimulateClick(d, x, 75); // down arrow
    SimulateClick(d, x, 20); // page area above the thumb
    SimulateClick(d, x, 60); // page area below it
    EXPECT_EQ(Codigos(d->recibidas),
              (std::vector<int>{SB_LINEUP, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEUP,
                                SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL}));
    for (auto& p : d->recibidas)
        EXPECT_EQ(p.msg, static_cast<UINT>(WM_VSCROLL));
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 40 - 1 + 1 - 10 + 10);
    // The horizontal bar sends WM_HSCROLL; nothing moves without a handler that moves it.
    d->recibidas.clear();
    SimulateClick(d, 178, 92); // its right arrow (x 168..183)
    ASSERT_EQ(d->recibidas.size(), 2u);
    EXPECT_EQ(d->recibidas[0].msg, static_cast<UINT>(WM_HSCROLL));
    EXPECT_EQ(d->recibidas[0].code, SB_LINERIGHT);
    EXPECT_EQ(GetScrollPos(h, SB_HORZ), 0);
    // A click on a bar is not a click on the client area.
    EXPECT_EQ(d->pulsacionesCliente, 0);
    SimulateClick(d, 50, 50);
    EXPECT_EQ(d->pulsacionesCliente, 1);
}

TEST(BarrasDesplazamiento, ArrastrarElPulgarMandaThumbTrackYAlSoltarThumbPosition) {
    VentanaPrueba v;
    auto* d = new Desplazable(&v);
    HWND h = d->GetHandle();
    Barra(h, SB_VERT, 0, 99, 20, 0);
    // Thumb at 16..25; track 42 pixels for 80 positions.
    const int x = 191;
    SimulateMouse(d, SimulatedMouse::Down, 0, x, 20);
    EXPECT_TRUE(d->recibidas.empty());
    SimulateMouse(d, SimulatedMouse::Move, 0, x, 41); // 21 pixels down: position 40
    SCROLLINFO t;
    t.fMask = SIF_TRACKPOS | SIF_POS;
    GetScrollInfo(h, SB_VERT, &t);
    EXPECT_EQ(t.nTrackPos, 40);
    EXPECT_EQ(t.nPos, 0); // the handler moves the position only at SB_THUMBPOSITION
    SimulateMouse(d, SimulatedMouse::Move, 0, x, 200); // past the end: the last position
    SimulateMouse(d, SimulatedMouse::Up, 0, x, 200);
    ASSERT_EQ(d->recibidas.size(), 4u);
    EXPECT_EQ(Codigos(d->recibidas),
              (std::vector<int>{SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}));
    EXPECT_EQ(d->recibidas[0].pos, 40);
    EXPECT_EQ(d->recibidas[1].pos, 80);
    EXPECT_EQ(d->recibidas[2].pos, 80);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 80);
}

TEST(BarrasDesplazamiento, UnaBarraDesactivadaNoMandaNada) {
    VentanaPrueba v;
    auto* d = new Desplazable(&v);
    HWND h = d->GetHandle();
    EXPECT_TRUE(EnableScrollBar(h, SB_VERT, ESB_DISABLE_BOTH));
    EXPECT_FALSE(EnableScrollBar(h, SB_VERT, ESB_DISABLE_BOTH));
    SimulateClick(d, 191, 75);
    EXPECT_TRUE(d->recibidas.empty());
    EnableScrollBar(h, SB_BOTH, ESB_DISABLE_DOWN);
    SimulateClick(d, 191, 75); // down arrow: off
    SimulateClick(d, 191, 5);  // up arrow: on
    EXPECT_EQ(Codigos(d->recibidas), (std::vector<int>{SB_LINEUP, SB_ENDSCROLL}));
}

TEST(BarrasDesplazamiento, SePintanClasicas) {
    VentanaPrueba v;
    v.SetColor(clWhite);
    auto* d = new Desplazable(&v);
    Barra(d->GetHandle(), SB_VERT, 0, 99, 20, 40);
    d->Repaint();
    const QImage img = d->GetWidget()->grab().toImage();
    auto px = [&](int x, int y) {
        return static_cast<TColor>(
            RGB(qRed(img.pixel(x, y)), qGreen(img.pixel(x, y)), qBlue(img.pixel(x, y))));
    };
    EXPECT_EQ(px(191, 8), clBlack);                    // the up arrow's glyph
    EXPECT_EQ(px(185, 1), ColorToRGB(clBtnHighlight)); // its raised edge
    EXPECT_EQ(px(191, 40), ColorToRGB(clBtnFace));     // the thumb's face
    EXPECT_EQ(px(50, 50), clWhite);                    // the client
    EXPECT_EQ(px(195, 95), ColorToRGB(clBtnFace));     // the corner
    SaveCapture(&v, "barras_desplazamiento");
}

TEST(BarrasDesplazamiento, ListaYMemoRespondenConSusPropiasBarras) {
    VentanaPrueba v;
    auto* lista = new TListBox(&v);
    lista->SetParent(&v);
    lista->SetBounds(0, 0, 120, 100);
    for (int i = 0; i < 50; ++i)
        lista->GetItems()->Add("Elemento " + AnsiString(i));
    HWND h = lista->GetHandle();
    v.Show();
    Application->ProcessMessages();
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(h, SB_VERT, &si));
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 49);
    EXPECT_GT(si.nPage, 0u);
    EXPECT_EQ(si.nPos, 0);
    EXPECT_EQ(SetScrollPos(h, SB_VERT, 10, TRUE), 0);
    EXPECT_EQ(lista->GetTopIndex(), 10);
    lista->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 11);
    lista->Perform(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(lista->GetTopIndex(), 0);
    // The user's step on the list's own bar arrives as WM_VSCROLL first.
    std::vector<int> codigos;
    lista->WindowProc = [&, previo = lista->WindowProc](TMessage& m) {
        if (m.Msg == WM_VSCROLL) codigos.push_back(LOWORD(m.WParam));
        previo(m);
    };
    auto* area = dynamic_cast<QAbstractScrollArea*>(lista->GetWidget());
    ASSERT_NE(area, nullptr);
    area->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(codigos, (std::vector<int>{SB_PAGEDOWN}));
    EXPECT_EQ(GetScrollPos(h, SB_VERT), static_cast<int>(si.nPage));

    auto* memo = new TMemo(&v);
    memo->SetParent(&v);
    memo->SetBounds(130, 0, 120, 60);
    for (int i = 0; i < 30; ++i)
        memo->GetLines()->Add("Línea " + AnsiString(i));
    HWND hm = memo->GetHandle();
    Application->ProcessMessages();
    SCROLLINFO sm;
    sm.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(hm, SB_VERT, &sm));
    EXPECT_GT(sm.nMax, 0);
    memo->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(GetScrollPos(hm, SB_VERT),
              sm.nMax - std::max<int>(static_cast<int>(sm.nPage) - 1, 0));
}

// --- flat bars ---

TColor PixelDe(const QImage& img, int x, int y) {
    const QRgb p = img.pixel(x, y);
    return static_cast<TColor>(RGB(qRed(p), qGreen(p), qBlue(p)));
}

// Every property read back as set, on a window that draws its own bars and on a list box's
// scroll area; nothing set or read outside the service or out of range.
TEST(BarrasPlanas, PropiedadesIdaYVuelta) {
    VentanaPrueba v;
    auto* propia = new Desplazable(&v);
    auto* lista = new TListBox(&v);
    lista->SetParent(&v);
    lista->SetBounds(220, 10, 120, 100);
    // A list's bars start as thick as its scroll area's style draws them.
    const int estilo = lista->GetWidget()->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    auto Clasico = [&](HWND h, int metrica) {
        return h == lista->GetHandle() ? estilo : GetSystemMetrics(metrica);
    };
    for (HWND h : {propia->GetHandle(), lista->GetHandle()}) {
        int valor = -7;
        EXPECT_FALSE(FlatSB_SetScrollProp(h, WSB_PROP_VSTYLE, FSB_FLAT_MODE, TRUE));
        EXPECT_FALSE(FlatSB_GetScrollProp(h, WSB_PROP_VSTYLE, &valor));
        EXPECT_EQ(valor, -7);
        ASSERT_TRUE(InitializeFlatSB(h));
        const struct {
            UINT prop;
            int inicial, nuevo;
        } casos[] = {
            {WSB_PROP_VSTYLE, FSB_REGULAR_MODE, FSB_FLAT_MODE},
            {WSB_PROP_HSTYLE, FSB_REGULAR_MODE, FSB_ENCARTA_MODE},
            {WSB_PROP_VBKGCOLOR, clNone, clRed},
            {WSB_PROP_HBKGCOLOR, clNone, clBlue},
            {WSB_PROP_CXVSCROLL, Clasico(h, SM_CXVSCROLL), 24},
            {WSB_PROP_CYHSCROLL, Clasico(h, SM_CYHSCROLL), 9},
        };
        for (const auto& c : casos) {
            SCOPED_TRACE(c.prop);
            ASSERT_TRUE(FlatSB_GetScrollProp(h, static_cast<int>(c.prop), &valor));
            EXPECT_EQ(valor, c.inicial);
            EXPECT_TRUE(FlatSB_SetScrollProp(h, c.prop, c.nuevo, TRUE));
            ASSERT_TRUE(FlatSB_GetScrollProp(h, static_cast<int>(c.prop), &valor));
            EXPECT_EQ(valor, c.nuevo);
        }
        // Refused: an unknown style, a bar without thickness, a property not kept.
        EXPECT_FALSE(FlatSB_SetScrollProp(h, WSB_PROP_VSTYLE, 3, TRUE));
        EXPECT_FALSE(FlatSB_SetScrollProp(h, WSB_PROP_CXVSCROLL, 0, TRUE));
        EXPECT_FALSE(FlatSB_SetScrollProp(h, 0x0400, 1, TRUE));
        FlatSB_GetScrollProp(h, WSB_PROP_VSTYLE, &valor);
        EXPECT_EQ(valor, FSB_FLAT_MODE);
        FlatSB_GetScrollProp(h, WSB_PROP_CXVSCROLL, &valor);
        EXPECT_EQ(valor, 24);
    }
    // The thickness is the bars' own: the client area of the window and the list's bar.
    EXPECT_EQ(propia->GetClientRect(), Rect(0, 0, 200 - 24, 100 - 9));
    v.Show();
    Application->ProcessMessages();
    auto* area = dynamic_cast<QAbstractScrollArea*>(lista->GetWidget());
    ASSERT_NE(area, nullptr);
    for (int i = 0; i < 40; ++i)
        lista->GetItems()->Add("Elemento " + AnsiString(i));
    Application->ProcessMessages();
    EXPECT_EQ(area->verticalScrollBar()->width(), 24);
    // Back to the classic bars: nothing kept.
    for (HWND h : {propia->GetHandle(), lista->GetHandle()}) {
        EXPECT_EQ(UninitializeFlatSB(h), S_OK);
        int valor = 0;
        EXPECT_FALSE(FlatSB_GetScrollProp(h, WSB_PROP_CXVSCROLL, &valor));
    }
    Application->ProcessMessages();
    EXPECT_EQ(propia->GetClientRect(), Rect(0, 0, 200 - GetSystemMetrics(SM_CXVSCROLL),
                                            100 - GetSystemMetrics(SM_CYHSCROLL)));
    EXPECT_EQ(area->verticalScrollBar()->width(), estilo);
}

// A flat bar: its track in the colour, the parts framed flat, the part under the pointer
// inverted (flat) or raised (Encarta), and clicks where the wider bar now lies.
TEST(BarrasPlanas, SePintanEnSuColorYAnchoYSeUsan) {
    VentanaPrueba v;
    v.SetColor(clWhite);
    auto* d = new Desplazable(&v);
    HWND h = d->GetHandle();
    Barra(h, SB_VERT, 0, 99, 20, 40);
    ASSERT_TRUE(InitializeFlatSB(h));
    FlatSB_SetScrollProp(h, WSB_PROP_VSTYLE, FSB_FLAT_MODE, TRUE);
    FlatSB_SetScrollProp(h, WSB_PROP_VBKGCOLOR, clLime, TRUE);
    FlatSB_SetScrollProp(h, WSB_PROP_CXVSCROLL, 24, TRUE);
    d->Repaint();
    // Vertical bar: x 176..199 and y 0..83; arrows 0..15 and 68..83; thumb 10 pixels at 37.
    QImage img = d->GetWidget()->grab().toImage();
    EXPECT_EQ(PixelDe(img, 175, 50), clWhite); // the client
    EXPECT_EQ(PixelDe(img, 176, 25), clLime);  // the track
    EXPECT_EQ(PixelDe(img, 199, 60), clLime);
    EXPECT_EQ(PixelDe(img, 176, 40), ColorToRGB(clBtnShadow)); // the thumb's flat frame
    EXPECT_EQ(PixelDe(img, 185, 42), ColorToRGB(clBtnFace));   // and face
    EXPECT_EQ(PixelDe(img, 176, 0), ColorToRGB(clBtnShadow));  // the up arrow's frame
    EXPECT_EQ(PixelDe(img, 187, 7), ColorToRGB(clBtnText));    // and glyph
    // The horizontal bar kept the classic look.
    EXPECT_EQ(PixelDe(img, 1, 85), ColorToRGB(clBtnHighlight));
    QDir().mkpath(QString(CaptureFolder().c_str()));
    img.save(QString(CaptureFolder().c_str()) + "/barras_planas.png");
    // Under the pointer: inverted; in the Encarta style, raised.
    SimulateMouse(d, SimulatedMouse::Move, 0, 187, 75);
    img = d->GetWidget()->grab().toImage();
    EXPECT_EQ(PixelDe(img, 180, 70), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelDe(img, 187, 76), ColorToRGB(clBtnHighlight));
    FlatSB_SetScrollProp(h, WSB_PROP_VSTYLE, FSB_ENCARTA_MODE, TRUE);
    img = d->GetWidget()->grab().toImage();
    EXPECT_EQ(PixelDe(img, 176, 68), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelDe(img, 199, 83), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelDe(img, 180, 72), ColorToRGB(clBtnFace));
    SimulateMouseLeave(d);
    img = d->GetWidget()->grab().toImage();
    EXPECT_EQ(PixelDe(img, 176, 68), ColorToRGB(clBtnShadow));
    // Where the client ended before, the bar now takes the clicks.
    SimulateClick(d, 178, 75);
    SimulateClick(d, 178, 60);
    EXPECT_EQ(Codigos(d->recibidas),
              (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(FlatSB_GetScrollPos(h, SB_VERT), 40 + 1 + 10);
    EXPECT_EQ(d->pulsacionesCliente, 0);
}

} // namespace
