// Menu items, menus and popup menus: the item tree, clicks and shortcut matching. The Qt
// side (actions and menus that show the items) is in menu_widgets.cpp.

#include "plataforma/gui/forms/menus.h"

#include "plataforma/gui/images/image_list.h"

#include <algorithm>

// --- TMenuItem ---

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

void TMenuItem::SetCaption(const AnsiString& Value) {
    if (caption_ == Value) return;
    caption_ = Value;
    UpdateAction();
}

void TMenuItem::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    UpdateAction();
}

void TMenuItem::SetVisible(bool Value) {
    if (visible_ == Value) return;
    visible_ = Value;
    UpdateAction();
}

void TMenuItem::SetChecked(bool Value) {
    if (checked_ == Value) return;
    checked_ = Value;
    // One checked radio item per group of siblings.
    if (Value && radioItem_ && parent_)
        for (TMenuItem* other : parent_->items_)
            if (other != this && other->radioItem_ && other->checked_) {
                other->checked_ = false;
                other->UpdateAction();
            }
    UpdateAction();
}

void TMenuItem::SetRadioItem(bool Value) {
    if (radioItem_ == Value) return;
    radioItem_ = Value;
    UpdateAction();
}

void TMenuItem::SetShortCut(TShortCut Value) {
    if (shortCut_ == Value) return;
    shortCut_ = Value;
    UpdateAction();
}

void TMenuItem::SetImageIndex(int Value) {
    if (imageIndex_ == Value) return;
    imageIndex_ = Value;
    UpdateAction();
}

TMenuItem* TMenuItem::GetItems(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EMenuError("Menu index out of range (" + AnsiString(Index) + ")");
    return items_[static_cast<size_t>(Index)];
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    return root->menu_;
}

int TMenuItem::GetMenuIndex() const {
    return parent_ ? parent_->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int Value) {
    if (!parent_) return;
    TMenuItem* p = parent_;
    int count = p->GetCount();
    Value = std::clamp(Value, 0, count - 1);
    if (Value == GetMenuIndex()) return;
    p->Remove(this);
    p->Insert(Value, this);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const AnsiString& ACaption) const {
    AnsiString wanted = StripHotkey(ACaption);
    for (TMenuItem* item : items_)
        if (AnsiSameText(StripHotkey(item->caption_), wanted)) return item;
    return nullptr;
}

void TMenuItem::CheckItem(TMenuItem* Item) const {
    if (!Item) throw EMenuError("Menu item is nil");
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == Item) throw EMenuError("A menu item cannot be inserted into itself");
    if (Item->menu_) throw EMenuError("A menu's root item cannot be inserted");
}

void TMenuItem::Add(TMenuItem* Item) {
    Insert(GetCount(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    CheckItem(Item);
    if (Item->parent_) Item->parent_->Remove(Item);
    if (Index < 0 || Index > GetCount())
        throw EMenuError("Menu index out of range (" + AnsiString(Index) + ")");
    items_.insert(items_.begin() + Index, Item);
    Item->parent_ = this;
    ItemsChanged();
}

void TMenuItem::Delete(int Index) {
    TMenuItem* item = GetItems(Index);
    items_.erase(items_.begin() + Index);
    item->parent_ = nullptr;
    ItemsChanged();
}

void TMenuItem::Remove(TMenuItem* Item) {
    int i = IndexOf(Item);
    if (i < 0) throw EMenuError("Menu item not found");
    Delete(i);
}

void TMenuItem::Clear() {
    while (!items_.empty())
        delete items_.back(); // each one leaves the list as it goes
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) OnClick(this);
}

// --- TMenu ---

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    Destroying();
    // The root goes first, with the items below it.
    TMenuItem* root = items_;
    items_ = nullptr;
    root->menu_ = nullptr;
    delete root;
}

void TMenu::SetImages(TCustomImageList* Value) {
    if (images_ == Value) return;
    images_ = Value;
    if (Value) Value->FreeNotification(this);
    if (!items_ || GetComponentState().Contains(csDestroying)) return;
    // Every item shown again with the new images.
    std::vector<TMenuItem*> pending{items_};
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        item->UpdateAction();
        for (TMenuItem* child : item->items_)
            pending.push_back(child);
    }
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == images_) SetImages(nullptr);
}

TMenuItem* TMenu::FindItem(int Value, TFindItemKind Kind) const {
    if (Kind != fkShortCut || Value == 0 || !items_) return nullptr;
    std::vector<TMenuItem*> pending(items_->items_.rbegin(), items_->items_.rend());
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        if (item->shortCut_ == Value) return item;
        for (auto it = item->items_.rbegin(); it != item->items_.rend(); ++it)
            pending.push_back(*it);
    }
    return nullptr;
}

bool TMenu::IsShortCut(TWMKey& Message) {
    TShortCut sc = static_cast<BYTE>(Message.CharCode);
    if (sc == 0) return false;
    if (GetKeyState(VK_SHIFT) < 0) sc |= scShift;
    if (GetKeyState(VK_CONTROL) < 0) sc |= scCtrl;
    if (static_cast<DWORD>(Message.KeyData) & KF_ALTDOWN) sc |= scAlt;
    TMenuItem* item = FindItem(sc, fkShortCut);
    if (!item) return false;
    std::vector<TMenuItem*> chain;
    for (TMenuItem* p = item; p && p != items_; p = p->parent_)
        chain.insert(chain.begin(), p);
    std::weak_ptr<int> alive = alive_;
    for (TMenuItem* p : chain) {
        if (!p->enabled_) break;
        p->Click();
        // A handler may have changed or destroyed the menu: go on only while it holds.
        if (p == item || alive.expired() || FindItem(sc, fkShortCut) != item) break;
    }
    return true;
}

// --- TMainMenu, TPopupMenu ---

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::DoPopup(TObject* Sender) {
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupComponent_) popupComponent_ = nullptr;
}
