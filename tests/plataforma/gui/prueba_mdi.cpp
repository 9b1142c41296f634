// The MDI frame: children in activation order, cascade, tile and icons, the window menu,
// maximized children and the close rules of frame and children.

#include "tests/comun/pruebas.h"
#include "tests/plataforma/gui/menu_prueba.h"

#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/testing/input_simulation.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>

namespace {

class Marco : public TForm {
public:
    explicit Marco(bool conMenu = false) : TForm(nullptr) {
        SetFormStyle(fsMDIForm);
        SetCaption("Gestión de la Base de Datos");
        SetBounds(0, 0, 800, 600);
        menu = new TMainMenu(this);
        ventana = Item(this, menu->GetItems(), "Ventana");
        Item(this, ventana, "Cascada");
        Item(this, ventana, "Horizontal");
        if (conMenu) SetMenu(menu);
        SetWindowMenu(ventana);
    }
    // The MDI area's size: the client area, as no control is aligned in it.
    TRect Area() const { return GetClientRect(); }
    TMainMenu* menu;
    TMenuItem* ventana;
};

class Hija : public TForm {
public:
    Hija(TComponent* owner, const char* titulo) : TForm(owner) {
        SetFormStyle(fsMDIChild);
        SetCaption(titulo);
        OnActivate = [this](TObject*) {
            registro.push_back("+" + std::string(GetCaption().c_str()));
        };
        OnDeactivate = [this](TObject*) {
            registro.push_back("-" + std::string(GetCaption().c_str()));
        };
    }
    static std::vector<std::string> registro;
};
std::vector<std::string> Hija::registro;

class Mdi : public ::testing::Test {
protected:
    void SetUp() override {
        Hija::registro.clear();
        marco = std::make_unique<Marco>(ConMenu());
        marco->Show();
        a = new Hija(marco.get(), "Base de datos - A");
        b = new Hija(marco.get(), "Base de datos - B");
    }
    void TearDown() override {
        marco.reset();
        Application->ProcessMessages();
    }
    virtual bool ConMenu() const { return false; }
    std::vector<TCustomForm*> Hijas() const {
        std::vector<TCustomForm*> v;
        for (int i = 0; i < marco->GetMDIChildCount(); ++i)
            v.push_back(marco->GetMDIChildren(i));
        return v;
    }
    std::unique_ptr<Marco> marco;
    Hija* a = nullptr;
    Hija* b = nullptr;
};

class MdiConMenu : public Mdi {
    bool ConMenu() const override { return true; }
};

TEST_F(Mdi, LasHijasSeOrdenanPorActivacionMasRecienteDelante) {
    EXPECT_TRUE(a->GetVisible()); // MDI children show as they are made
    EXPECT_EQ(marco->GetMDIChildCount(), 2);
    EXPECT_EQ(Hijas(), (std::vector<TCustomForm*>{b, a}));
    EXPECT_EQ(marco->GetActiveMDIChild(), b);
    EXPECT_TRUE(b->GetActive());
    EXPECT_FALSE(a->GetActive());
    Hija::registro.clear();
    a->BringToFront();
    EXPECT_EQ(Hijas(), (std::vector<TCustomForm*>{a, b}));
    EXPECT_EQ(Hija::registro,
              (std::vector<std::string>{"-Base de datos - B", "+Base de datos - A"}));
    // Qt's own activation (a click into the window) reaches the order too.
    auto* area = b->GetWindowWidget()->parentWidget()->parentWidget();
    ASSERT_NE(qobject_cast<QMdiArea*>(area), nullptr);
    qobject_cast<QMdiArea*>(area)->setActiveSubWindow(
        qobject_cast<QMdiSubWindow*>(b->GetWindowWidget()));
    EXPECT_EQ(marco->GetActiveMDIChild(), b);
    marco->Next();
    EXPECT_EQ(marco->GetActiveMDIChild(), a);
    EXPECT_EQ(Hijas(), (std::vector<TCustomForm*>{a, b}));
    EXPECT_THROW(marco->GetMDIChildren(2), EInvalidOperation);
}

TEST_F(Mdi, LaVentanaDeUnaHijaEsSuRectanguloExterior) {
    a->SetBounds(30, 40, 300, 200);
    QWidget* w = a->GetWindowWidget();
    EXPECT_EQ(w->geometry(), QRect(30, 40, 300, 200));
    EXPECT_EQ(a->GetClientWidth(), 292);
    EXPECT_EQ(a->GetClientHeight(), 173);
    EXPECT_EQ(a->GetWidget()->size(), QSize(292, 173));
    // Moved by the user: the bounds follow.
    w->move(50, 60);
    EXPECT_EQ(a->GetBoundsRect(), Bounds(50, 60, 300, 200));
    // Without border icons the caption has no buttons (single-file mode's database window).
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    a->SetBorderIcons({});
    EXPECT_FALSE(w->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                                     Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(a->GetBoundsRect(), Bounds(50, 60, 300, 200));
}

TEST_F(Mdi, CascadaYMosaico) {
    const TRect area = marco->Area(); // 792 x 573
    ASSERT_EQ(area, Rect(0, 0, 792, 573));
    marco->Cascade();
    // The pile from the bottom: a, then the active b on top, one caption lower.
    EXPECT_EQ(a->GetBoundsRect(), Bounds(0, 0, 769, 550));
    EXPECT_EQ(b->GetBoundsRect(), Bounds(23, 23, 769, 550));
    EXPECT_EQ(b->GetWindowWidget()->geometry(), QRect(23, 23, 769, 550));
    EXPECT_EQ(marco->GetActiveMDIChild(), b);

    marco->SetTileMode(tbHorizontal);
    marco->Tile();
    EXPECT_EQ(b->GetBoundsRect(), Rect(0, 0, 792, 286)); // the active one first
    EXPECT_EQ(a->GetBoundsRect(), Rect(0, 286, 792, 573));
    marco->SetTileMode(tbVertical);
    marco->Tile();
    EXPECT_EQ(b->GetBoundsRect(), Rect(0, 0, 396, 573));
    EXPECT_EQ(a->GetBoundsRect(), Rect(396, 0, 792, 573));
    EXPECT_EQ(a->GetWidget()->size(), QSize(396 - 8, 573 - 27));
}

TEST(MdiDisposicion, ElMosaicoCubreElAreaSinSolaparse) {
    const TRect area = Rect(0, 0, 790, 571);
    for (TTileMode modo : {tbHorizontal, tbVertical})
        for (int n = 1; n <= 9; ++n) {
            SCOPED_TRACE(std::to_string(n) + (modo == tbHorizontal ? " horizontal" : " vertical"));
            std::vector<TRect> r = TileLayout(area, n, modo);
            ASSERT_EQ(r.size(), static_cast<size_t>(n));
            long long suma = 0;
            for (size_t i = 0; i < r.size(); ++i) {
                EXPECT_EQ(IntersectRect(r[i], area), r[i]);
                suma += static_cast<long long>(r[i].Width()) * r[i].Height();
                for (size_t j = 0; j < i; ++j)
                    EXPECT_TRUE(IsRectEmpty(IntersectRect(r[i], r[j])));
            }
            EXPECT_EQ(suma, static_cast<long long>(area.Width()) * area.Height());
        }
    // Up to three windows make one line; five make a grid of two lines, the last one
    // taking the extra window.
    EXPECT_EQ(TileLayout(area, 3, tbHorizontal)[2], Rect(0, 380, 790, 571));
    std::vector<TRect> cinco = TileLayout(area, 5, tbVertical);
    EXPECT_EQ(cinco[0], Rect(0, 0, 395, 285));
    EXPECT_EQ(cinco[4], Rect(526, 285, 790, 571));
}

TEST(MdiDisposicion, LaCascadaVuelveALaEsquinaCuandoLasVentanasSeHarianPequenas) {
    const TRect area = Rect(0, 0, 400, 300); // runs of 150 / 23 + 1 = 7 windows
    std::vector<TRect> r = CascadeLayout(area, 9);
    ASSERT_EQ(r.size(), 9u);
    EXPECT_EQ(r[0], Bounds(0, 0, 400 - 6 * 23, 300 - 6 * 23));
    EXPECT_EQ(r[6].TopLeft(), Point(6 * 23, 6 * 23));
    EXPECT_EQ(r[7].TopLeft(), Point(0, 0));
    EXPECT_EQ(r[6].BottomRight(), Point(400, 300));
    EXPECT_EQ(CascadeLayout(area, 1)[0], area);
}

TEST_F(Mdi, LosIconosSeOrdenanAbajoDeIzquierdaADerecha) {
    a->SetWindowState(wsMinimized);
    b->SetWindowState(wsMinimized);
    EXPECT_EQ(a->GetWindowState(), wsMinimized);
    marco->ArrangeIcons();
    QRect ra = a->GetWindowWidget()->geometry(), rb = b->GetWindowWidget()->geometry();
    const int fondo = marco->Area().Bottom;
    EXPECT_EQ(ra.left(), 0); // in the order they came
    EXPECT_GE(rb.left(), ra.left() + ra.width());
    EXPECT_EQ(ra.top(), rb.top());
    EXPECT_LE(ra.top() + ra.height(), fondo);
    EXPECT_GT(ra.top() + ra.height(), fondo - 24);
    // Tiling leaves the icons' row free.
    a->SetWindowState(wsNormal);
    marco->Tile();
    EXPECT_LE(a->GetBoundsRect().Bottom, ra.top());
}

TEST_F(MdiConMenu, UnaHijaMaximizadaOcupaElAreaConElMarcoFuera) {
    const TRect area = marco->Area();
    a->SetWindowState(wsMaximized);
    EXPECT_EQ(a->GetWindowState(), wsMaximized);
    EXPECT_EQ(a->GetClientWidth(), area.Width());
    EXPECT_EQ(a->GetClientHeight(), area.Height());
    EXPECT_EQ(a->GetLeft(), -4);
    EXPECT_EQ(a->GetTop(), -23);
    // Cascading gives it back its own size.
    marco->Cascade();
    EXPECT_EQ(a->GetWindowState(), wsNormal);
    EXPECT_LT(a->GetClientWidth(), area.Width());
}

TEST_F(MdiConMenu, ElMenuVentanaListaLasHijasConLaActivaMarcada) {
    QMenu* menu = marco->ventana->SubMenu();
    auto textos = [&] {
        std::vector<std::string> t;
        for (QAction* act : menu->actions())
            t.push_back(act->isSeparator()
                            ? "-"
                            : FromQString(act->text()).str() + (act->isChecked() ? "*" : ""));
        return t;
    };
    EXPECT_EQ(textos(),
              (std::vector<std::string>{"Cascada", "Horizontal", "-", "&1 Base de datos - A",
                                        "&2 Base de datos - B*"}));
    menu->actions()[3]->trigger();
    EXPECT_EQ(marco->GetActiveMDIChild(), a);
    a->SetCaption("Base de datos - Catálogo");
    EXPECT_EQ(textos()[3], "&1 Base de datos - Catálogo*");
    delete b;
    EXPECT_EQ(textos().size(), 4u);
    delete a;
    EXPECT_EQ(textos(), (std::vector<std::string>{"Cascada", "Horizontal"}));
}

// Con el teclado, como en el sistema de ventanas: Ctrl+F6 activa la hija siguiente (con
// Mayúsculas, la anterior) y Ctrl+F4 cierra la activa, con sus reglas de cierre.
TEST_F(Mdi, CtrlF6PasaALaSiguienteYCtrlF4CierraLaActiva) {
    ASSERT_EQ(marco->GetActiveMDIChild(), b);
    SimulateKeyStroke(VK_F6, {ssCtrl}, b);
    EXPECT_EQ(marco->GetActiveMDIChild(), a);
    SimulateKeyStroke(VK_F6, TShiftState{ssCtrl, ssShift}, a);
    EXPECT_EQ(marco->GetActiveMDIChild(), b);
    bool cerrada = false;
    b->OnClose = [&cerrada](TObject*, TCloseAction& accion) {
        cerrada = true;
        accion = caFree;
    };
    SimulateKeyStroke(VK_F4, {ssCtrl}, b);
    Application->ProcessMessages();
    EXPECT_TRUE(cerrada);
    ASSERT_EQ(marco->GetMDIChildCount(), 1);
    EXPECT_EQ(marco->GetActiveMDIChild(), a);
    // La única que queda también se cierra así; sin Ctrl, F4 no hace nada.
    a->OnClose = [](TObject*, TCloseAction& accion) { accion = caFree; };
    SimulateKeyStroke(VK_F4, {}, a);
    Application->ProcessMessages();
    EXPECT_EQ(marco->GetMDIChildCount(), 1);
    SimulateKeyStroke(VK_F4, {ssCtrl}, a);
    Application->ProcessMessages();
    EXPECT_EQ(marco->GetMDIChildCount(), 0);
}

TEST_F(Mdi, ReglasDeCierreDeHijasYMarco) {
    // By default a child minimizes instead of closing.
    a->Close();
    EXPECT_EQ(a->GetWindowState(), wsMinimized);
    EXPECT_EQ(marco->GetMDIChildCount(), 2);

    // caFree: gone once the queue runs; the other one becomes active.
    auto vivaB = b->Watch();
    b->OnClose = [](TObject*, TCloseAction& accion) { accion = caFree; };
    b->Close();
    EXPECT_FALSE(vivaB.expired());
    Application->ProcessMessages();
    EXPECT_TRUE(vivaB.expired());
    EXPECT_EQ(marco->GetMDIChildCount(), 1);
    EXPECT_EQ(marco->GetActiveMDIChild(), a);

    // A child that refuses keeps the frame open.
    bool puede = false;
    a->OnCloseQuery = [&](TObject*, bool& c) { c = puede; };
    int cierresMarco = 0;
    marco->OnClose = [&](TObject*, TCloseAction&) { ++cierresMarco; };
    marco->Close();
    EXPECT_EQ(cierresMarco, 0);
    EXPECT_TRUE(marco->GetVisible());
    puede = true;
    marco->Close();
    EXPECT_EQ(cierresMarco, 1);
    EXPECT_FALSE(marco->GetVisible());

    // The frame takes its children with it.
    auto vivaA = a->Watch();
    marco.reset();
    EXPECT_TRUE(vivaA.expired());
}

// Built inside the loading bracket, as the programs' forms are: shown once complete.
class HijaPorDefecto : public TForm {
public:
    HijaPorDefecto(TComponent* owner, TWindowState estado) : TForm(owner) {
        BeginLoading();
        SetFormStyle(fsMDIChild);
        SetPosition(poDefault);
        SetWindowState(estado);
        SetCaption("Base de datos - ");
        EndLoading();
    }
};

TEST_F(Mdi, PoDefaultColocaCadaHijaNuevaUnEscalonMasAbajo) {
    auto* c = new HijaPorDefecto(marco.get(), wsNormal);
    auto* d = new HijaPorDefecto(marco.get(), wsMaximized);
    EXPECT_TRUE(c->GetVisible());
    EXPECT_EQ(c->GetBoundsRect(), Bounds(0, 0, 594, 429)); // 3/4 of the area
    EXPECT_EQ(d->GetWindowState(), wsMaximized);
    EXPECT_EQ(d->GetClientWidth(), marco->Area().Width() - 8); // the title bar stays
    EXPECT_EQ(marco->GetActiveMDIChild(), d);
    d->SetWindowState(wsNormal);
    EXPECT_EQ(d->GetBoundsRect(), Bounds(23, 23, 594, 429));
}

TEST(MdiSinMarco, UnaHijaSinMarcoNoPuedeCrearse) {
    TForm f(nullptr);
    EXPECT_THROW(f.SetFormStyle(fsMDIChild), EInvalidOperation);
}

} // namespace
