#include "plataforma/gui/forms/popup_menu_handles.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/messages.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QAction>
#include <QMenu>

#include <set>
#include <string>
#include <utility>
#include <vector>

struct HMENU__ {
    std::vector<std::pair<UINT_PTR, std::string>> items;
};

namespace {

std::set<HMENU>& Menus() {
    static std::set<HMENU> menus;
    return menus;
}

bool Known(HMENU h) {
    return h && Menus().count(h) > 0;
}

} // namespace

HMENU CreatePopupMenu() {
    HMENU h = new HMENU__;
    Menus().insert(h);
    return h;
}

BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                const char* lpNewItem) {
    if (!Known(hMenu) || !(uFlags & MF_BYPOSITION)) return FALSE;
    auto& items = hMenu->items;
    const size_t at = uPosition < items.size() ? uPosition : items.size();
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(at),
                 {uIDNewItem, lpNewItem ? lpNewItem : ""});
    return TRUE;
}

int GetMenuItemCount(HMENU hMenu) {
    return Known(hMenu) ? static_cast<int>(hMenu->items.size()) : -1;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT, int x, int y, int, HWND hWnd, const TRect*) {
    if (!Known(hMenu) || !FindControl(hWnd)) return FALSE;
    EnsureQtApplication();
    auto* menu = new QMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const auto& [id, text] : hMenu->items) {
        QAction* a = menu->addAction(ToQString(AnsiString(text)));
        // Posted: the owner gets the choice once the menu has closed.
        QObject::connect(a, &QAction::triggered, [hWnd, id = id] {
            if (FindControl(hWnd))
                PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
        });
    }
    menu->popup(QPoint(x, y));
    return TRUE;
}

BOOL DestroyMenu(HMENU hMenu) {
    if (!Known(hMenu)) return FALSE;
    Menus().erase(hMenu);
    delete hMenu;
    return TRUE;
}
