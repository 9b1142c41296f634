#pragma once
// Menus: TMenuItem (caption with "&", enabled, visible, checked, shortcut, image, submenu),
// TMainMenu (a form's menu bar) and TPopupMenu (a control's context menu). Qt draws them,
// but no shortcut is given to Qt: the layer matches shortcuts in its own key dispatch, the
// focused control's popup menu first, then the form's menu, before the key reaches the
// control (TCustomForm::IsShortCut).

#include "plataforma/base/component.h"
#include "plataforma/base/events.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/kernel/messages.h"

#include <memory>
#include <vector>

class QAction;
class QMenu;
class QWidget;
class TControl;
class TCustomImageList;
class TMenu;

// A key with its modifiers in one word: the virtual key in the low byte.
using TShortCut = WORD;
enum : WORD { scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };

TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// As a Spanish keyboard names the keys: "Ctrl+S", "Supr", "Mayús+F3".
AnsiString ShortCutToText(TShortCut ShortCut);
// The other way, case ignored; the English names are understood too. 0 when not a shortcut.
TShortCut TextToShortCut(const AnsiString& Text);

class EMenuError : public Exception {
public:
    using Exception::Exception;
};

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    // Leaves its parent item and destroys its own items.
    ~TMenuItem() override;

    const AnsiString& GetCaption() const { return caption_; }
    void SetCaption(const AnsiString& Value);
    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool Value);
    bool GetVisible() const { return visible_; }
    void SetVisible(bool Value);
    bool GetChecked() const { return checked_; }
    void SetChecked(bool Value);
    bool GetRadioItem() const { return radioItem_; }
    void SetRadioItem(bool Value);
    TShortCut GetShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut Value);
    // The image of the menu's Images shown beside the caption; -1 for none.
    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    const AnsiString& GetHint() const { return hint_; }
    void SetHint(const AnsiString& Value) { hint_ = Value; }
    // A separator: the caption "-".
    bool IsLine() const { return caption_ == "-"; }

    // --- items ---
    int GetCount() const { return static_cast<int>(items_.size()); }
    // Raises EMenuError outside 0..Count-1.
    TMenuItem* GetItems(int Index) const;
    TMenuItem* GetParent() const { return parent_; }
    // The menu of the root item above this one; nullptr for a loose item.
    TMenu* GetParentMenu() const;
    int GetMenuIndex() const;
    void SetMenuIndex(int Value);
    int IndexOf(const TMenuItem* Item) const;
    // The item with that caption, "&" and case ignored; nullptr when none.
    TMenuItem* Find(const AnsiString& ACaption) const;
    // An item already in another item moves here. Raises EMenuError for itself or one of
    // its parents.
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out without destroying it.
    void Delete(int Index);
    void Remove(TMenuItem* Item);
    // Destroys every item.
    void Clear();

    // Fires OnClick when the item is enabled.
    virtual void Click();
    TNotifyEvent OnClick;

    // --- inside the platform layer ---
    // The Qt action that shows this item; made on demand.
    QAction* Action();
    // The Qt menu of this item's items, made on demand (it turns the item into a submenu).
    QMenu* SubMenu();
    // The widget that shows this item's items: a menu bar for the root of a main menu.
    void SetItemsWidget(QWidget* Widget);
    QWidget* GetItemsWidget() const { return itemsWidget_; }
    // Extra actions shown after the items (the window list of an MDI frame's window menu).
    void SetTrailingActions(const std::vector<QAction*>& Actions);
    void UpdateAction();

private:
    friend class TMenu;
    void CheckItem(TMenuItem* Item) const;
    void FillItemsWidget();
    void ItemsChanged();

    AnsiString caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    bool radioItem_ = false;
    TShortCut shortCut_ = 0;
    int imageIndex_ = -1;
    AnsiString hint_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr; // set on a menu's root item
    std::vector<TMenuItem*> items_;
    QAction* action_ = nullptr;
    QMenu* subMenu_ = nullptr;
    QWidget* itemsWidget_ = nullptr; // subMenu_, or a menu bar
    std::vector<QAction*> trailing_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    // The root item: its items are the menu's.
    TMenuItem* GetItems() const { return items_; }
    TCustomImageList* GetImages() const { return images_; }
    void SetImages(TCustomImageList* Value);

    // The item with that shortcut (fkShortCut), searched depth first; nullptr when none.
    TMenuItem* FindItem(int Value, TFindItemKind Kind) const;
    // A key message against the items' shortcuts. When an item has the key, the items above
    // it are clicked from the top (as opening them would) and the item itself when it and
    // they are enabled; the key is then taken, even by a disabled item. Hidden items keep
    // their shortcuts.
    bool IsShortCut(TWMKey& Message);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Expires when the menu is destroyed (a handler may destroy it).
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);

private:
    TMenuItem* items_;
    TCustomImageList* images_ = nullptr;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner);
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);

    // Shown by a right click on a control whose PopupMenu it is.
    bool GetAutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool Value) { autoPopup_ = Value; }
    TPopupAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment Value) { alignment_ = Value; }
    // The control that was right-clicked (or that the program names).
    TComponent* GetPopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* Value) { popupComponent_ = Value; }
    TPoint GetPopupPoint() const { return popupPoint_; }

    // OnPopup, then the menu at a screen point. It does not wait for a choice: the chosen
    // item's OnClick runs later, when the event loop delivers the choice.
    virtual void Popup(int X, int Y);
    // Closes the menu if it is open.
    void CloseMenu();
    // The menu is open on the screen.
    bool IsPopupShowing() const;

    TNotifyEvent OnPopup;

protected:
    virtual void DoPopup(TObject* Sender);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool autoPopup_ = true;
    TPopupAlignment alignment_ = paLeft;
    TComponent* popupComponent_ = nullptr;
    TPoint popupPoint_{-1, -1};
};

// "&Archivo" without its "&" ("&&" stands for one "&").
AnsiString StripHotkey(const AnsiString& Text);
// The hotkey character of a caption ("&Archivo": 'A'); 0 when none.
char GetHotkey(const AnsiString& Text);
// The character is the caption's hotkey, case ignored (Windows-1252 letters included).
bool IsAccel(WORD VK, const AnsiString& Str);
