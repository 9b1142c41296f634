#include "plataforma/gui/kernel/system_metrics.h"

#include "plataforma/gui/kernel/screen.h"

#include <QApplication>

int GetSystemMetrics(int nIndex) {
    switch (nIndex) {
    case SM_CXSCREEN:
        return Screen->GetWidth();
    case SM_CYSCREEN:
        return Screen->GetHeight();
    case SM_CXFULLSCREEN:
        return Screen->GetWorkAreaWidth();
    case SM_CYFULLSCREEN:
        return Screen->GetWorkAreaHeight() - 19;
    case SM_CXMAXIMIZED:
        return Screen->GetWorkAreaWidth() + 2 * 4;
    case SM_CYMAXIMIZED:
        return Screen->GetWorkAreaHeight() + 2 * 4;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 16;
    case SM_CYCAPTION:
    case SM_CYMENU:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYSMCAPTION:
        return 15;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 18;
    case SM_CXMIN:
        return 112;
    case SM_CYMIN:
        return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXMINIMIZED:
    case SM_CXMINSPACING:
        return 160;
    case SM_CYMINIMIZED:
    case SM_CYMINSPACING:
        return 24;
    default:
        return 0;
    }
}

BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT) {
    switch (uiAction) {
    case SPI_GETWHEELSCROLLLINES:
        if (!pvParam) return FALSE;
        *static_cast<UINT*>(pvParam) = static_cast<UINT>(QApplication::wheelScrollLines());
        return TRUE;
    case SPI_SETWHEELSCROLLLINES:
        QApplication::setWheelScrollLines(static_cast<int>(uiParam));
        return TRUE;
    default:
        return FALSE;
    }
}
