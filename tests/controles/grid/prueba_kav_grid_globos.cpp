// The grid's pop-up texts: the markup hint window (size, place on the screen, what it
// draws), the application's hint window class, and the balloon tool tip (made, set up,
// removed and made again; the text of the cell under the pointer, cut and cleaned; the
// cell's own title, icon and colours; closed when the pointer changes cell).

#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/html_hint_window.h"
#include "plataforma/gui/kernel/layered_windows.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/tool_tip.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TEST(VentanaPistaMarcado, SeMideYQuedaDentroDeLaPantalla) {
    THTMLHintWindow h(nullptr);
    const AnsiString texto = "<b>Transmitancia</b> U = <font color=\"clRed\">0,35</font> W/m²K";
    const TRect medida = h.CalcHintRect(1008, texto, nullptr);
    ASSERT_GT(medida.Width(), 20);
    ASSERT_GT(medida.Height(), 5);

    // Near the bottom-right corner: moved to end 2 pixels inside both edges.
    const int sw = Screen->GetWidth(), sh = Screen->GetHeight();
    h.ActivateHint(Bounds(sw - 10, sh - 5, 0, 0), texto);
    EXPECT_TRUE(h.GetVisible());
    EXPECT_EQ(h.GetTextWidth(), medida.Width());
    EXPECT_EQ(h.GetWidth(), medida.Width() + 16);
    EXPECT_EQ(h.GetHeight(), medida.Height() + 4);
    EXPECT_EQ(h.GetLeft() + h.GetWidth(), sw - 2);
    EXPECT_EQ(h.GetTop() + h.GetHeight(), sh - 2);
    EXPECT_FALSE(SaveCapture(&h, "pista_marcado").IsEmpty());

    // Where it fits it stays where it was asked to be.
    h.ActivateHint(Bounds(30, 40, 0, 0), texto);
    EXPECT_EQ(h.GetBoundsRect().TopLeft(), TPoint(30, 40));
    // A line longer than 1008 pixels is measured within them.
    std::string largo;
    for (int i = 0; i < 200; ++i)
        largo += "palabra ";
    h.ActivateHint(Bounds(0, 0, 0, 0), largo.c_str());
    EXPECT_LE(h.GetTextWidth(), 1008);
    EXPECT_GT(h.GetTextHeight(), medida.Height());
}

TEST(VentanaPistaMarcado, LaClaseDePistasDeLaAplicacion) {
    TKavStringGrid g(nullptr);
    THintInfo info;
    info.HintStr = "<i>pista</i>";
    info.HintPos = TPoint(50, 60);
    info.HintColor = clInfoBk;
    g.SetUseHTMLHints(true);
    ASSERT_TRUE(ShowHintInWindow(info));
    THintWindow* w = GetApplicationHintWindow();
    ASSERT_NE(dynamic_cast<THTMLHintWindow*>(w), nullptr);
    EXPECT_TRUE(w->GetVisible());
    EXPECT_EQ(w->GetBoundsRect().TopLeft(), TPoint(50, 60));
    CancelHintWindow();
    EXPECT_FALSE(w->GetVisible());
    g.SetUseHTMLHints(false);
    ASSERT_TRUE(ShowHintInWindow(info));
    EXPECT_EQ(dynamic_cast<THTMLHintWindow*>(GetApplicationHintWindow()), nullptr);
    CancelHintWindow();
    SetHintWindowClass(nullptr);
    EXPECT_FALSE(ShowHintInWindow(info));
}

class Globos : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<VentanaPrueba>();
        ventana->SetBounds(0, 0, 500, 300);
        ventana->Show();
        g = new Rejilla(ventana.get(), ventana.get());
        g->SetBounds(0, 0, 400, 250);
        g->SetColCountEx(4);
        g->SetRowCountEx(5);
        g->SetCells(1, 1, "<b>Muro</b>\tde fachada");
        g->SetCells(2, 1, "\t\r\n\tsin cabeza");
        g->SetCells(3, 1, std::string(1100, 'x').c_str());
        g->SetCells(1, 2, "otra");
        g->GetBalloon()->SetInitialDelay(200);
    }
    void TearDown() override {
        ventana.reset();
        ResetInputState();
    }
    TToolTipWindow* Globo() const {
        return dynamic_cast<TToolTipWindow*>(FindControl(g->GetToolTipHandle()));
    }
    // The pointer rests over a cell, and the wait before the balloon ends.
    TToolTipWindow* Reposa(int Col, int Row) {
        const TRect r = g->CellRect(Col, Row);
        for (int i = 0; i < 2; ++i)
            SimulateMouse(g, SimulatedMouse::Move, 0, r.Left + 5 + i, r.Top + 5);
        TToolTipWindow* t = Globo();
        if (t) SendMessage(t->GetHandle(), WM_TIMER, 1, 0);
        return t;
    }
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
};

TEST_F(Globos, SeCreaSeQuitaYSeRehaceConLosRetardos) {
    EXPECT_EQ(g->GetToolTipHandle(), nullptr);
    g->GetBalloon()->SetEnable(true);
    const HWND primero = g->GetToolTipHandle();
    ASSERT_TRUE(IsWindow(primero));
    EXPECT_EQ(SendMessage(primero, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(Globo()->GetStyle(), DWORD(TTS_ALWAYSTIP | TTS_BALLOON));
    EXPECT_EQ(Globo()->GetTitle(), "ToolTipText");
    EXPECT_EQ(Globo()->GetIcon(), TTI_ERROR);
    EXPECT_EQ(SendMessage(primero, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 200);
    // -1 keeps the platform's own delays.
    EXPECT_EQ(SendMessage(primero, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
    EXPECT_EQ(SendMessage(primero, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 100);

    g->GetBalloon()->SetEnable(false);
    EXPECT_EQ(g->GetToolTipHandle(), nullptr);
    EXPECT_FALSE(IsWindow(primero));

    g->GetBalloon()->SetAutoHideDelay(900);
    g->GetBalloon()->SetTransparency(55);
    g->GetBalloon()->SetEnable(true);
    const HWND segundo = g->GetToolTipHandle();
    ASSERT_TRUE(IsWindow(segundo));
    EXPECT_EQ(SendMessage(segundo, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 900);
    BYTE alfa = 0;
    GetLayeredWindowAttributes(segundo, nullptr, &alfa, nullptr);
    EXPECT_EQ(alfa, 200);
    // Enabled again while on: still one balloon.
    g->GetBalloon()->SetEnable(true);
    EXPECT_FALSE(IsWindow(segundo));
    EXPECT_TRUE(IsWindow(g->GetToolTipHandle()));
}

TEST_F(Globos, ElTextoEsElDeLaCeldaBajoElPuntero) {
    g->GetBalloon()->SetEnable(true);
    struct Caso {
        int col, row;
        std::string texto;
    };
    const Caso casos[] = {
        {1, 1, "Muro de fachada"},              // markup out, tab as a blank
        {2, 1, "sin cabeza"},                   // leading tabs and line breaks out
        {3, 1, std::string(1024, 'x') + "..."}, // cut at 1024
    };
    for (const Caso& c : casos) {
        TToolTipWindow* t = Reposa(c.col, c.row);
        ASSERT_NE(t, nullptr);
        EXPECT_TRUE(t->GetVisible()) << c.texto;
        EXPECT_EQ(t->GetTipText().str(), c.texto);
        EXPECT_EQ(t->GetTitle(), " ");
        EXPECT_EQ(t->GetIcon(), TTI_INFO);
        // Another cell closes it; the next rest shows that cell's balloon.
        SimulateMouse(g, SimulatedMouse::Move, 0, g->CellRect(1, 3).Left + 3,
                      g->CellRect(1, 3).Top + 3);
        EXPECT_FALSE(t->GetVisible());
    }
    // An empty cell shows nothing.
    EXPECT_FALSE(Reposa(2, 3)->GetVisible());
}

TEST_F(Globos, LaCeldaDaTituloIconoYColores) {
    g->GetBalloon()->SetTextColor(clNavy);
    g->GetBalloon()->SetBackgroundColor(clCream);
    g->GetBalloon()->SetEnable(true);
    g->OnCellBalloon = [](TObject*, int ACol, int ARow, AnsiString& Title, AnsiString& Text,
                          int& Icon) {
        Title = ACol == 1 && ARow == 2 ? AnsiString(std::string(120, 't').c_str())
                                       : "Celda " + AnsiString(ACol) + "," + AnsiString(ARow);
        Text = Text + " (U = 0,35 W/m²K)";
        Icon = TTI_WARNING;
    };
    TToolTipWindow* t = Reposa(1, 1);
    ASSERT_TRUE(t->GetVisible());
    EXPECT_EQ(t->GetTitle(), "Celda 1,1");
    EXPECT_EQ(t->GetTipText(), "Muro de fachada (U = 0,35 W/m²K)");
    EXPECT_EQ(t->GetIcon(), TTI_WARNING);
    EXPECT_EQ(static_cast<TColor>(SendMessage(t->GetHandle(), TTM_GETTIPTEXTCOLOR, 0, 0)), clNavy);
    EXPECT_EQ(static_cast<TColor>(SendMessage(t->GetHandle(), TTM_GETTIPBKCOLOR, 0, 0)), clCream);
    EXPECT_FALSE(SaveCapture(t, "globo_celda").IsEmpty());
    // The shown time ends.
    SendMessage(t->GetHandle(), WM_TIMER, 2, 0);
    EXPECT_FALSE(t->GetVisible());

    // A long title is cut to 100 characters.
    SimulateMouse(g, SimulatedMouse::Move, 0, 3, 3);
    t = Reposa(1, 2);
    EXPECT_EQ(t->GetTitle().str(), std::string(97, 't') + "...");
}

TEST_F(Globos, SinGloboNoHayRespuestaALaPeticion) {
    // With balloons off, a text request goes to the inherited handling: no text.
    NMTTDISPINFO pedido;
    pedido.hdr.code = TTN_NEEDTEXT;
    pedido.lpszText = pedido.szText;
    g->Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&pedido));
    EXPECT_EQ(pedido.lpszText, pedido.szText);
    EXPECT_EQ(pedido.szText[0], '\0');
}

} // namespace
