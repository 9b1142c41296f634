// Page controls: the active page set by the program fires nothing, a click on a tab asks
// and tells, hidden tabs, disabled pages whose tabs still work, and the keyboard.

#include "tests/plataforma/gui/prueba_controles_comun.h"

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/page_control.h"

#include <QTabBar>

namespace {

class Paginas : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<VentanaPrueba>();
        pc = new TPageControl(ventana.get());
        pc->SetParent(ventana.get());
        pc->SetBounds(10, 10, 300, 200);
        for (const char* c : {"Opacos", "Semitransparentes", "Puentes térmicos"}) {
            auto* s = new TTabSheet(ventana.get());
            s->SetPageControl(pc);
            s->SetCaption(c);
            hojas.push_back(s);
        }
        pc->OnChanging = [this](TObject*, bool& permitir) {
            eventos.push_back("changing:" + Activa());
            permitir = !rechazar;
        };
        pc->OnChange = [this](TObject*) { eventos.push_back("change:" + Activa()); };
    }
    void TearDown() override {
        ventana.reset();
        ResetInputState();
    }
    std::string Activa() const {
        return pc->GetActivePage() ? pc->GetActivePage()->GetCaption().str() : "null";
    }
    QTabBar* Pestanas() const { return pc->GetWidget()->findChild<QTabBar*>(); }
    // The middle of a tab, in the page control's client coordinates.
    TPoint Pestana(int i) const {
        QTabBar* b = Pestanas();
        QPoint p = b->tabRect(i).center() + b->pos();
        return {p.x(), p.y()};
    }
    std::unique_ptr<VentanaPrueba> ventana;
    TPageControl* pc = nullptr;
    std::vector<TTabSheet*> hojas;
    std::vector<std::string> eventos;
    bool rechazar = false;
};

TEST_F(Paginas, ElProgramaCambiaDePaginaSinEventos) {
    EXPECT_EQ(pc->GetActivePage(), hojas[0]); // the first page until one is chosen
    EXPECT_EQ(pc->GetPageCount(), 3);
    pc->SetActivePage(hojas[2]);
    EXPECT_EQ(pc->GetActivePageIndex(), 2);
    pc->SetActivePageIndex(1);
    EXPECT_EQ(pc->GetActivePage(), hojas[1]);
    EXPECT_TRUE(eventos.empty());
    EXPECT_TRUE(hojas[1]->GetVisible());
    EXPECT_FALSE(hojas[0]->GetVisible());
    EXPECT_FALSE(hojas[2]->GetVisible());
    EXPECT_EQ(Pestanas()->currentIndex(), 1);
    EXPECT_EQ(FromQString(Pestanas()->tabText(2)), "Puentes térmicos");
    // The pages cover the display area, inside the frame and below the tabs.
    const TRect d = pc->GetDisplayRect();
    EXPECT_EQ(hojas[2]->GetBoundsRect(), d);
    EXPECT_GE(d.Top, Pestanas()->height());
    EXPECT_EQ(d.Left, 4);
    EXPECT_EQ(d.Right, 296);
}

TEST_F(Paginas, UnClicEnUnaPestanaPreguntaYAvisa) {
    SimulateClick(pc, Pestana(2).x, Pestana(2).y);
    EXPECT_EQ(pc->GetActivePage(), hojas[2]);
    EXPECT_EQ(eventos, (std::vector<std::string>{"changing:Opacos", "change:Puentes térmicos"}));
    EXPECT_TRUE(pc->Focused());
    eventos.clear();
    rechazar = true;
    SimulateClick(pc, Pestana(0).x, Pestana(0).y);
    EXPECT_EQ(pc->GetActivePage(), hojas[2]);
    EXPECT_EQ(Pestanas()->currentIndex(), 2);
    rechazar = false;
    // The keyboard: arrows on the tabs, Ctrl+Tab from inside a page.
    eventos.clear();
    SimulateKeyStroke(VK_LEFT);
    EXPECT_EQ(pc->GetActivePage(), hojas[1]);
    auto* edit = new TEdit(ventana.get());
    edit->SetParent(hojas[1]);
    edit->SetFocus();
    SimulateKeyStroke(VK_TAB, {ssCtrl});
    EXPECT_EQ(pc->GetActivePage(), hojas[2]);
    // The focus left the hidden page for the shown one.
    ASSERT_NE(FocusedControl(), nullptr);
    EXPECT_TRUE(pc->ContainsControl(FocusedControl()));
    EXPECT_FALSE(hojas[1]->ContainsControl(FocusedControl()));
    SimulateKeyStroke(VK_TAB, {ssCtrl, ssShift});
    EXPECT_EQ(pc->GetActivePage(), hojas[1]);
    EXPECT_EQ(eventos.size(), 6u);
    EXPECT_EQ(eventos.back(), "change:Semitransparentes");
}

TEST_F(Paginas, UnaPestanaOcultaYUnaPaginaDeshabilitada) {
    pc->SetActivePage(hojas[2]);
    hojas[2]->SetTabVisible(false);
    // The tab in its place (the last one) takes over, without events.
    EXPECT_EQ(pc->GetActivePage(), hojas[1]);
    EXPECT_TRUE(eventos.empty());
    EXPECT_EQ(Pestanas()->count(), 2);
    EXPECT_EQ(hojas[2]->GetTabIndex(), -1);
    EXPECT_EQ(hojas[2]->GetPageIndex(), 2);
    // Tabs with names changed, pages reordered.
    hojas[0]->SetCaption("Opacos y más");
    hojas[1]->SetPageIndex(0);
    EXPECT_EQ(FromQString(Pestanas()->tabText(0)), "Semitransparentes");
    EXPECT_EQ(FromQString(Pestanas()->tabText(1)), "Opacos y más");
    hojas[2]->SetTabVisible(true);
    EXPECT_EQ(Pestanas()->count(), 3);

    // A disabled page: its controls cannot take the focus, its tab still chooses it.
    auto* edit = new TEdit(ventana.get());
    edit->SetParent(hojas[0]);
    hojas[0]->SetEnabled(false);
    SimulateClick(pc, Pestana(1).x, Pestana(1).y);
    EXPECT_EQ(pc->GetActivePage(), hojas[0]);
    EXPECT_FALSE(edit->CanFocus());
    EXPECT_FALSE(edit->GetWidget()->isEnabled());
    EXPECT_TRUE(Pestanas()->isTabEnabled(1));
    hojas[0]->SetEnabled(true);
    EXPECT_TRUE(edit->CanFocus());

    // A page deleted hands over to its neighbour.
    delete hojas[0];
    EXPECT_EQ(pc->GetPageCount(), 2);
    EXPECT_NE(pc->GetActivePage(), nullptr);
    EXPECT_EQ(Pestanas()->count(), 2);
}

// With the focus, the chosen tab frames its caption with the dotted focus rectangle; the
// other tabs, and all of them without the focus, show none.
TEST_F(Paginas, LaPestanaElegidaMuestraElFoco) {
    auto* edit = new TEdit(ventana.get());
    edit->SetParent(hojas[0]);
    edit->SetFocus();
    QTabBar* b = Pestanas();
    const QImage sin = b->grab().toImage();
    pc->SetFocus();
    ASSERT_TRUE(pc->Focused());
    const QImage con = b->grab().toImage();
    auto distintos = [&](const QImage& x, const QImage& y, const QRect& r) {
        int n = 0;
        for (int py = r.top(); py <= r.bottom(); ++py)
            for (int px = r.left(); px <= r.right(); ++px)
                if (x.pixel(px, py) != y.pixel(px, py)) ++n;
        return n;
    };
    const QRect elegida = b->tabRect(0), otra = b->tabRect(1);
    // A dotted frame: at least a dot every other pixel along the caption's width.
    EXPECT_GT(distintos(sin, con, elegida), elegida.width());
    EXPECT_EQ(distintos(sin, con, otra), 0);
    // Another tab chosen from the keyboard carries the frame with it.
    SimulateKeyStroke(VK_RIGHT);
    ASSERT_EQ(pc->GetActivePage(), hojas[1]);
    const QImage derecha = b->grab().toImage();
    EXPECT_GT(distintos(sin, derecha, otra), otra.width());
    // The focus gone, the frame goes with it.
    edit->SetParent(hojas[1]);
    edit->SetFocus();
    const QImage fuera = b->grab().toImage();
    EXPECT_GT(distintos(fuera, derecha, otra), otra.width());
    EXPECT_EQ(distintos(fuera, derecha, elegida), 0);
}

} // namespace
