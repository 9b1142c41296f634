// The Qt side of menus: each item is shown by a QAction, its items by a QMenu (or, for the
// root of a main menu, by the form's menu bar). No shortcut is given to Qt; the text after
// a tab shows it.

#include "plataforma/gui/forms/menus.h"

#include "plataforma/gui/images/graphics_internal.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>

namespace {

// Inside the handler of a Qt menu signal: Qt objects of a menu destroyed there must outlive
// the signal.
int despachando = 0;

void Dispose(QObject* o) {
    if (!o) return;
    if (despachando > 0)
        o->deleteLater();
    else
        delete o;
}

QString ActionText(const TMenuItem* item) {
    QString text = ToQString(item->GetCaption());
    if (TShortCut sc = item->GetShortCut())
        text += QLatin1Char('\t') + ToQString(ShortCutToText(sc));
    return text;
}

// The image of an item, from its menu's image list; none outside the list.
QIcon ItemIcon(TMenu* menu, int index) {
    TCustomImageList* images = menu ? menu->GetImages() : nullptr;
    if (!images || index < 0 || index >= images->GetCount()) return QIcon();
    TIcon icon;
    images->GetIcon(index, &icon);
    return QIcon(QPixmap::fromImage(GraphicAccess::Render(&icon)));
}

template <class F> void MenuSignal(TMenuItem* item, F&& f) {
    ++despachando;
    GuardedEntry(item, std::forward<F>(f));
    --despachando;
}

} // namespace

TMenuItem::~TMenuItem() {
    Destroying();
    if (parent_) parent_->Remove(this);
    Clear();
    if (itemsWidget_ && itemsWidget_ != subMenu_)
        for (QAction* a : trailing_)
            itemsWidget_->removeAction(a);
    itemsWidget_ = nullptr;
    Dispose(subMenu_);
    Dispose(action_);
    alive_.reset();
}

QAction* TMenuItem::Action() {
    if (action_) return action_;
    EnsureQtApplication();
    action_ = new QAction(nullptr);
    QObject::connect(action_, &QAction::triggered, [this] {
        std::weak_ptr<int> alive = alive_;
        MenuSignal(this, [this] { Click(); });
        // Qt toggles a checkable action by itself; the item's own state rules.
        if (!alive.expired()) UpdateAction();
    });
    UpdateAction();
    return action_;
}

QMenu* TMenuItem::SubMenu() {
    if (subMenu_) return subMenu_;
    EnsureQtApplication();
    subMenu_ = new QMenu();
    // Opening an item's submenu clicks the item, so that its handler can prepare the items.
    QObject::connect(subMenu_, &QMenu::aboutToShow,
                     [this] { MenuSignal(this, [this] { Click(); }); });
    if (!itemsWidget_) itemsWidget_ = subMenu_;
    FillItemsWidget();
    if (action_) action_->setMenu(subMenu_);
    return subMenu_;
}

void TMenuItem::SetItemsWidget(QWidget* Widget) {
    if (itemsWidget_ == Widget) return;
    if (itemsWidget_)
        for (QAction* a : itemsWidget_->actions())
            itemsWidget_->removeAction(a);
    itemsWidget_ = Widget;
    if (!itemsWidget_ && subMenu_) itemsWidget_ = subMenu_;
    FillItemsWidget();
}

void TMenuItem::SetTrailingActions(const std::vector<QAction*>& Actions) {
    if (itemsWidget_)
        for (QAction* a : trailing_)
            itemsWidget_->removeAction(a);
    trailing_ = Actions;
    if (!trailing_.empty() && !itemsWidget_) SubMenu();
    FillItemsWidget();
    UpdateAction();
}

void TMenuItem::FillItemsWidget() {
    if (!itemsWidget_ || GetComponentState().Contains(csDestroying)) return;
    for (QAction* a : itemsWidget_->actions())
        itemsWidget_->removeAction(a);
    for (TMenuItem* item : items_)
        itemsWidget_->addAction(item->Action());
    for (QAction* a : trailing_)
        itemsWidget_->addAction(a);
}

void TMenuItem::ItemsChanged() {
    if (GetComponentState().Contains(csDestroying)) return;
    // Items under a realised item are shown at once.
    if (!itemsWidget_ && action_ && !items_.empty()) SubMenu();
    FillItemsWidget();
    UpdateAction();
}

void TMenuItem::UpdateAction() {
    if (!action_) return;
    // A separator with a text would be drawn as a titled section: the "-" is only its mark.
    action_->setText(IsLine() ? QString() : ActionText(this));
    action_->setSeparator(IsLine());
    action_->setEnabled(enabled_);
    action_->setVisible(visible_);
    action_->setCheckable(checked_);
    action_->setChecked(checked_);
    action_->setStatusTip(ToQString(hint_));
    action_->setIcon(ItemIcon(GetParentMenu(), imageIndex_));
    bool submenu = !items_.empty() || !trailing_.empty();
    if (submenu)
        action_->setMenu(SubMenu());
    else if (action_->menu<QMenu*>())
        action_->setMenu(static_cast<QMenu*>(nullptr));
}

// --- TPopupMenu ---

void TPopupMenu::Popup(int X, int Y) {
    popupPoint_ = {X, Y};
    std::weak_ptr<int> alive = alive_;
    DoPopup(this);
    if (alive.expired()) return;
    QMenu* menu = GetItems()->SubMenu();
    bool any = false;
    for (QAction* a : menu->actions())
        any = any || (a->isVisible() && !a->isSeparator());
    // A menu with nothing to show does not open, as the window system's does not.
    if (!any) return;
    QPoint at(X, Y);
    if (alignment_ != paLeft) {
        int w = menu->sizeHint().width();
        at.rx() -= alignment_ == paRight ? w : w / 2;
    }
    menu->popup(at);
}

void TPopupMenu::CloseMenu() {
    if (TMenuItem* root = GetItems(); root)
        if (QWidget* w = root->GetItemsWidget(); w && w->isVisible()) w->close();
}

bool TPopupMenu::IsPopupShowing() const {
    TMenuItem* root = GetItems();
    QWidget* w = root ? root->GetItemsWidget() : nullptr;
    return w && w->isVisible();
}
