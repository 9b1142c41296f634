#pragma once
// The window system's raw popup menus, by handle: made empty, filled with text items by
// position, shown at a screen point for an owner window, destroyed. A shown menu does not
// wait for the choice (as TPopupMenu::Popup): when the user picks an item, the owner gets
// WM_COMMAND with the item's identifier, posted after the menu has closed. The menu on the
// screen is a copy: destroying the handle while it is shown does not close it.

#include "plataforma/gui/kernel/win_types.h"

struct HMENU__;
using HMENU = HMENU__*;

enum : UINT {
    MF_STRING = 0x0000,
    MF_BYCOMMAND = 0x0000,
    MF_BYPOSITION = 0x0400,
};
// TrackPopupMenu's flags in use: 0 aligns the menu's top-left corner with the point.
enum : UINT { TPM_LEFTALIGN = 0x0000 };

HMENU CreatePopupMenu();
// Inserts a text item before position uPosition (by position; beyond the end, or -1, it goes
// last) with identifier uIDNewItem. FALSE for an unknown menu or an insertion by command.
BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                const char* lpNewItem);
// -1 for an unknown menu.
int GetMenuItemCount(HMENU hMenu);
// Shows the menu at the screen point for hWnd, which gets the choice; FALSE for an unknown
// menu or window.
BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd,
                    const TRect* prcRect);
BOOL DestroyMenu(HMENU hMenu);
