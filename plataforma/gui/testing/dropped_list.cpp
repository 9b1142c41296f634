#include "plataforma/gui/testing/dropped_list.h"

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/widgets/combo.h"

#include <QAbstractItemView>
#include <QComboBox>

TRect DroppedListRect(TCustomComboBox* combo) {
    auto* w = combo ? qobject_cast<QComboBox*>(combo->GetWidget()) : nullptr;
    if (!w || !w->view()->isVisible()) return TRect{};
    // The list's frame: the popup window that holds the list.
    QWidget* lista = w->view()->window();
    return FromQRect(QRect(lista->mapToGlobal(QPoint(0, 0)), lista->size()));
}
