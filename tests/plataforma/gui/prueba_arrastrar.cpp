// Dragging inside the application (BeginDrag, DragOver with its states, DragDrop, the
// end and start events), window regions and topmost windows.

#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/testing/input_simulation.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <string>

namespace {

// Two custom controls side by side: what happens to each is written down in order.
struct Escena {
    VentanaPrueba v;
    TControlPrueba* origen = new TControlPrueba(&v, &v);
    TControlPrueba* destino = new TControlPrueba(&v, &v);
    std::vector<std::string> log;
    bool acepta = true;

    Escena() {
        origen->SetBounds(10, 10, 100, 50);
        destino->SetBounds(200, 10, 100, 50);
        v.Show();
        Application->ProcessMessages();
        destino->OnDragOver = [this](TObject*, TObject* src, int x, int y, TDragState st, bool& a) {
            const char* n[] = {"entra", "sale", "mueve"};
            log.push_back(std::string(n[st]) + " " + std::to_string(x) + "," + std::to_string(y) +
                          (src == origen ? " origen" : " otro"));
            a = acepta;
        };
        destino->OnDragDrop = [this](TObject*, TObject* src, int x, int y) {
            log.push_back("suelta " + std::to_string(x) + "," + std::to_string(y) +
                          (src == origen ? " origen" : " otro"));
        };
        origen->OnStartDrag = [this](TObject*, TDragObject*&) { log.push_back("empieza"); };
        origen->OnEndDrag = [this](TObject*, TObject* target, int x, int y) {
            log.push_back(std::string("acaba ") + (target == destino ? "destino " : "nada ") +
                          std::to_string(x) + "," + std::to_string(y));
        };
    }
    // A point of the target, in the source's client coordinates (the source holds the mouse).
    int X(int xDestino) const { return 190 + xDestino; }
};

TEST(Arrastrar, ArrastreInmediatoConEntradaMovimientoYSoltar) {
    Escena e;
    e.origen->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        e.origen->BeginDrag(true);
    };
    SimulateMouse(e.origen, SimulatedMouse::Down, 0, 5, 5);
    EXPECT_TRUE(e.origen->Dragging());
    SimulateMouse(e.origen, SimulatedMouse::Move, 0, e.X(20), 10);
    SimulateMouse(e.origen, SimulatedMouse::Move, 0, e.X(30), 12);
    SimulateMouse(e.origen, SimulatedMouse::Up, 0, e.X(30), 12);
    EXPECT_FALSE(e.origen->Dragging());
    EXPECT_EQ(e.log, (std::vector<std::string>{"empieza", "entra 20,10 origen",
                                               "mueve 30,12 origen", "sale 30,12 origen",
                                               "suelta 30,12 origen", "acaba destino 30,12"}));
    // The source's release went to the drag, not to its own handler.
    EXPECT_TRUE(e.origen->De(WM_LBUTTONUP).empty());
}

TEST(Arrastrar, UnDestinoQueNoAceptaNoRecibeNadaYElOrigenAcabaSinDestino) {
    Escena e;
    e.acepta = false;
    e.origen->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        e.origen->BeginDrag(true);
    };
    SimulateMouse(e.origen, SimulatedMouse::Down, 0, 5, 5);
    SimulateMouse(e.origen, SimulatedMouse::Move, 0, e.X(20), 10);
    SimulateMouse(e.origen, SimulatedMouse::Move, 0, 50, 20); // back over the source
    SimulateMouse(e.origen, SimulatedMouse::Up, 0, 50, 20);
    EXPECT_EQ(e.log, (std::vector<std::string>{"empieza", "entra 20,10 origen",
                                               "sale -140,20 origen", "acaba nada 0,0"}));
}

TEST(Arrastrar, ModoAutomaticoEmpiezaPasadoElUmbralYEscapeCancela) {
    Escena e;
    e.origen->SetDragMode(dmAutomatic);
    int pulsaciones = 0;
    e.origen->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++pulsaciones; };
    SimulateMouse(e.origen, SimulatedMouse::Down, 0, 5, 5);
    EXPECT_EQ(pulsaciones, 0);                              // the press starts a drag instead
    SimulateMouse(e.origen, SimulatedMouse::Move, 0, 7, 6); // within the threshold
    EXPECT_TRUE(e.log.empty());
    SimulateMouse(e.origen, SimulatedMouse::Move, 0, e.X(5), 5);
    EXPECT_EQ(e.log, (std::vector<std::string>{"empieza", "entra 5,5 origen"}));
    SimulateKeyStroke(VK_ESCAPE, {}, e.origen);
    EXPECT_FALSE(e.origen->Dragging());
    EXPECT_EQ(e.log.back(), "acaba nada 0,0");
    EXPECT_EQ(e.log[e.log.size() - 2], "sale 5,5 origen");
    // Released before the threshold: no drag at all, and the release is the control's.
    e.log.clear();
    SimulateMouse(e.origen, SimulatedMouse::Up, 0, e.X(5), 5);
    SimulateMouse(e.origen, SimulatedMouse::Down, 0, 5, 5);
    SimulateMouse(e.origen, SimulatedMouse::Up, 0, 6, 5);
    EXPECT_TRUE(e.log.empty());
    EXPECT_FALSE(e.origen->Dragging());
    EXPECT_FALSE(e.origen->De(WM_LBUTTONUP).empty());
}

TEST(Arrastrar, ElObjetoDeOnStartDragEsElOrigenQueVenLosDestinos) {
    Escena e;
    TDragObject objeto;
    e.origen->OnStartDrag = [&](TObject*, TDragObject*& o) { o = &objeto; };
    e.origen->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        e.origen->BeginDrag(true);
    };
    TObject* visto = nullptr;
    e.destino->OnDragDrop = [&](TObject*, TObject* src, int, int) { visto = src; };
    SimulateMouse(e.origen, SimulatedMouse::Down, 0, 5, 5);
    SimulateMouse(e.origen, SimulatedMouse::Move, 0, e.X(10), 10);
    e.origen->EndDrag(true);
    EXPECT_EQ(visto, &objeto);
    SimulateMouse(e.origen, SimulatedMouse::Up, 0, e.X(10), 10);
}

class Emergente : public TCustomControl {
public:
    explicit Emergente(TWinControl* parent) : TCustomControl(parent) {
        SetBounds(100, 100, 40, 40);
        SetParent(parent);
    }

protected:
    void CreateParams(TCreateParams& p) override {
        TCustomControl::CreateParams(p);
        p.Style = WS_POPUP;
    }
};

TEST(Ventanas, RegionDeVentanaYVentanaSiempreEncima) {
    VentanaPrueba v;
    auto* flecha = new Emergente(&v);
    HWND h = flecha->GetHandle();
    // An arrow pointing down: a triangle.
    const TPoint puntos[] = {{0, 0}, {40, 0}, {20, 40}};
    HRGN rgn = CreatePolygonRgn(puntos, 3, WINDING);
    EXPECT_TRUE(PtInRegion(rgn, 20, 5));
    EXPECT_FALSE(PtInRegion(rgn, 2, 30));
    EXPECT_NE(SetWindowRgn(h, rgn, TRUE), 0);
    EXPECT_EQ(DeleteObject(rgn), FALSE); // the window owns it now
    const QRegion mascara = flecha->GetWidget()->mask();
    EXPECT_TRUE(mascara.contains(QPoint(20, 5)));
    EXPECT_FALSE(mascara.contains(QPoint(2, 30)));
    HRGN copia = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(h, copia), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(copia, 20, 30));
    SetWindowRgn(h, nullptr, TRUE);
    EXPECT_TRUE(flecha->GetWidget()->mask().isEmpty());
    EXPECT_EQ(GetWindowRgn(h, copia), ERROR);
    DeleteObject(copia);

    // Topmost: moved, sized and shown in one call; taken back with HWND_NOTOPMOST.
    flecha->Hide();
    EXPECT_TRUE(SetWindowPos(h, HWND_TOPMOST, 300, 200, 30, 20, SWP_SHOWWINDOW | SWP_NOACTIVATE));
    EXPECT_TRUE(flecha->GetWidget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flecha->GetVisible());
    EXPECT_TRUE(flecha->GetWidget()->isVisible());
    EXPECT_EQ(flecha->GetBoundsRect(), Rect(300, 200, 330, 220));
    SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(flecha->GetWidget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flecha->GetWidget()->isVisible());
    EXPECT_EQ(flecha->GetBoundsRect(), Rect(300, 200, 330, 220));
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
    EXPECT_FALSE(flecha->GetVisible());
    EXPECT_FALSE(SetWindowPos(nullptr, HWND_TOP, 0, 0, 0, 0, 0));
}

} // namespace
