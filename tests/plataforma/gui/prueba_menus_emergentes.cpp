// The raw popup menus by handle: items inserted by position, the menu shown for an owner
// window that gets the chosen identifier by WM_COMMAND once the menu has closed, the handle
// destroyed while the menu is still on the screen, and unknown handles refused.

#include "tests/comun/pruebas.h"
#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/forms/popup_menu_handles.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

QMenu* Abierto() {
    Application->ProcessMessages();
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

TEST(MenusEmergentes, ElegidoLlegaAlDuenoPorWmCommandTrasCerrarse) {
    Registro().clear();
    auto forma = std::make_unique<TForm>(nullptr);
    forma->SetBounds(0, 0, 300, 200);
    auto* dueno = new TControlPrueba(forma.get(), forma.get());
    forma->Show();
    HMENU m = CreatePopupMenu();
    EXPECT_EQ(GetMenuItemCount(m), 0);
    EXPECT_TRUE(InsertMenu(m, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, 7, "Metros"));
    EXPECT_TRUE(InsertMenu(m, 0, MF_BYPOSITION | MF_STRING, 8, "Milímetros"));
    EXPECT_TRUE(InsertMenu(m, 1, MF_BYPOSITION | MF_STRING, 9, "Centímetros"));
    EXPECT_TRUE(InsertMenu(m, 99, MF_BYPOSITION | MF_STRING, 10, "Kilómetros"));
    EXPECT_FALSE(InsertMenu(m, 0, MF_BYCOMMAND | MF_STRING, 11, "Por orden"));
    EXPECT_EQ(GetMenuItemCount(m), 4);

    const TPoint p = dueno->ClientToScreen(TPoint(10, 20));
    ASSERT_TRUE(TrackPopupMenu(m, TPM_LEFTALIGN, p.x, p.y, 0, dueno->GetHandle(), nullptr));
    // The handle goes; the menu on the screen stays until the user chooses.
    EXPECT_TRUE(DestroyMenu(m));
    EXPECT_FALSE(DestroyMenu(m));
    EXPECT_EQ(GetMenuItemCount(m), -1);
    QMenu* menu = Abierto();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->pos(), QPoint(p.x, p.y));
    std::vector<std::string> textos;
    for (QAction* a : menu->actions())
        textos.push_back(FromQString(a->text()).str());
    EXPECT_EQ(textos,
              (std::vector<std::string>{"Milímetros", "Centímetros", "Metros", "Kilómetros"}));

    const QPoint q = menu->actionGeometry(menu->actions().at(1)).center();
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, q, menu->mapToGlobal(q), Qt::LeftButton,
                      t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(menu, &e);
    }
    // Posted: nothing yet, then the identifier with no notification code.
    EXPECT_TRUE(dueno->De(WM_COMMAND).empty());
    Application->ProcessMessages();
    const auto recibidos = dueno->De(WM_COMMAND);
    ASSERT_EQ(recibidos.size(), 1u);
    EXPECT_EQ(recibidos[0].wParam, MAKEWPARAM(9, 0));
    EXPECT_EQ(Abierto(), nullptr);
}

TEST(MenusEmergentes, ManejadoresDesconocidosSeRechazan) {
    auto forma = std::make_unique<TForm>(nullptr);
    auto* dueno = new TControlPrueba(forma.get(), forma.get());
    HMENU m = CreatePopupMenu();
    EXPECT_FALSE(TrackPopupMenu(m, 0, 0, 0, 0, nullptr, nullptr)) << "no owner";
    EXPECT_TRUE(DestroyMenu(m));
    EXPECT_FALSE(TrackPopupMenu(m, 0, 0, 0, 0, dueno->GetHandle(), nullptr));
    EXPECT_FALSE(InsertMenu(m, 0, MF_BYPOSITION, 1, "x"));
    EXPECT_FALSE(InsertMenu(nullptr, 0, MF_BYPOSITION, 1, "x"));
    EXPECT_EQ(Abierto(), nullptr);
}

} // namespace
