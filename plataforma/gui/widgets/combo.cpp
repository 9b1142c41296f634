// TCustomComboBox: items, the combo requests, the notifications of the user's choices, the
// edit part and owner drawing.

#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/combo_look.h"

#include "plataforma/gui/kernel/control_strings.h"
#include "plataforma/gui/kernel/hosted_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/widgets/edit_backend.h"
#include "plataforma/gui/widgets/edit_commands.h"
#include "plataforma/gui/widgets/item_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

// The combo's insides, for the classes of this file.
class ComboAccess {
public:
    static bool OwnerDraws(const TCustomComboBox* c) { return c->OwnerDraws(); }
    // The classic look through a canvas on an image, copied to the widget.
    static void Paint(TCustomComboBox* c, QWidget* w);
    static ItemOwner& Owner(TCustomComboBox* c) { return *c->owner_; }
    static void UserSelected(TCustomComboBox* c, int index) {
        c->itemIndex_ = index;
        NotifyControl(c, CBN_SELCHANGE);
    }
    static int ItemHeightOf(const TCustomComboBox* c, int index) {
        return c->style_ == csOwnerDrawVariable ? c->list_.HeightOf(index, c->GetItemHeight())
                                                : c->GetItemHeight();
    }
    static void DrawOwnerItem(TCustomComboBox* c, int index, const TRect& rect,
                              TOwnerDrawState state) {
        DrawControlItem(*c->canvas_, *c, index, rect, state,
                        [&] { c->DrawItem(index, rect, state); });
    }
    static int DroppedWidth(const TCustomComboBox* c) { return c->droppedWidth_; }
};

namespace {

class ComboItemOwner : public ItemOwner {
public:
    explicit ComboItemOwner(TCustomComboBox* c) : c_(c) {}
    bool OwnerDraws() const override { return ComboAccess::OwnerDraws(c_); }
    int ItemHeightOf(int index) const override { return ComboAccess::ItemHeightOf(c_, index); }
    void DrawOwnerItem(int index, const TRect& rect, TOwnerDrawState state) override {
        ComboAccess::DrawOwnerItem(c_, index, rect, state);
    }
    TCanvas* ItemCanvas() override { return c_->GetCanvas(); }
    bool HasFocus() const override { return true; }

private:
    TCustomComboBox* c_;
};

// The classic combo's parts (ClassicComboParts) for the widget: the edit part sits inside
// the field and the drop button takes the clicks that open the list. The list drops below
// the combo, as the class library's does, and above it only when the screen has no room
// below; never over the combo with the chosen item on it, as some styles place it (a click
// aimed below the combo would then fall outside the list and close it).
class ClassicComboStyle : public QProxyStyle {
public:
    explicit ClassicComboStyle(QObject* owner)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
        setParent(owner);
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        if (control == CC_ComboBox && option) {
            const QRect r = option->rect;
            const ComboParts parts = ClassicComboParts(r.width(), r.height(), true);
            switch (part) {
            case SC_ComboBoxFrame:
                return r;
            case SC_ComboBoxEditField: {
                // The edit part keeps a pixel clear of the drop button's side.
                TRect edit = parts.text;
                edit.Right = std::max(edit.Left, edit.Right - 1);
                return ToQRect(edit).translated(r.topLeft());
            }
            case SC_ComboBoxArrow:
                return ToQRect(parts.button).translated(r.topLeft());
            default:
                break;
            }
        }
        return QProxyStyle::subControlRect(control, option, part, widget);
    }
};

class ComboWidget : public HostedWidget<QComboBox> {
public:
    ComboWidget(TCustomComboBox* c, QWidget* parent)
        : HostedWidget<QComboBox>(c, parent), combo_(c) {
        setStyle(new ClassicComboStyle(this));
    }

    void showPopup() override {
        // The program may fill the list when it is about to drop (OnDropDown).
        auto alive = combo_->Watch();
        NotifyControl(combo_, CBN_DROPDOWN);
        if (alive.expired()) return;
        const int frame = 2;
        view()->setMinimumWidth(std::max(0, ComboAccess::DroppedWidth(combo_) - frame));
        QComboBox::showPopup();
    }

    void hidePopup() override {
        const bool shown = view()->isVisible();
        QComboBox::hidePopup();
        if (shown) NotifyControl(combo_, CBN_CLOSEUP);
    }

    bool CallBaseEvent(QEvent* e) override {
        if (filter && filter->Deliver(e)) return true;
        return QComboBox::event(e);
    }

    InnerWidgetFilter* filter = nullptr;

protected:
    void paintEvent(QPaintEvent*) override { ComboAccess::Paint(combo_, this); }

private:
    TCustomComboBox* combo_;
};

constexpr ControlStringMessages kComboMessages{CB_GETCOUNT,        CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                               CB_GETITEMDATA,     CB_SETITEMDATA,  CB_ADDSTRING,
                                               CB_INSERTSTRING,    CB_DELETESTRING, CB_RESETCONTENT,
                                               CB_FINDSTRINGEXACT, CB_FINDSTRING};

// Clearing the items keeps the edit part's text, as the class library's list does.
class ComboStrings : public ControlStrings {
public:
    explicit ComboStrings(TCustomComboBox* c) : ControlStrings(c, kComboMessages), c_(c) {}
    void Clear() override {
        AnsiString text = c_->GetText();
        ControlStrings::Clear();
        if (c_->GetStyle() == csDropDown || c_->GetStyle() == csSimple) c_->SetText(text);
    }

private:
    TCustomComboBox* c_;
};

ComboWidget* WidgetOf(const TCustomComboBox* c) {
    return static_cast<ComboWidget*>(c->GetWidget());
}

} // namespace

void ComboAccess::Paint(TCustomComboBox* c, QWidget* w) {
    QImage image(w->size(), QImage::Format_RGB32);
    if (image.isNull()) return;
    image.fill(ToQColor(clBtnFace));
    TCanvas canvas;
    canvas.Device().SetTarget(&image);
    c->PaintWindow(canvas.GetHandle());
    canvas.Device().ClearTarget();
    QPainter p(w);
    p.drawImage(0, 0, image);
}

// --- life ---

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<ComboStrings>(this)),
      canvas_(std::make_unique<TCanvas>()), connections_(std::make_unique<Connections>()),
      owner_(std::make_unique<ComboItemOwner>(this)) {
    SetControlStyle({csSetCaption, csDoubleClicks, csFixedHeight});
    SetTabStop(true);
    SetParentColor(false);
    SetBounds(0, 0, 145, 0);
}

TCustomComboBox::~TCustomComboBox() {
    Destroying();
    DestroyHandle();
}

// --- properties ---

int TCustomComboBox::GetItemIndex() const {
    return static_cast<int>(const_cast<TCustomComboBox*>(this)->Perform(CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int Value) {
    if (GetItemIndex() != Value) Perform(CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    RecreateWnd();
    SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
}

void TCustomComboBox::SetSorted(bool Value) {
    if (sorted_ == Value) return;
    sorted_ = Value;
    if (!Value) return;
    // The items already there take their places, the chosen one with them.
    itemIndex_ = list_.Sort(itemIndex_);
    if (QComboBox* w = WidgetOf(this)) {
        QSignalBlocker block(w);
        for (int i = 0; i < list_.Count(); ++i)
            w->setItemText(i, ToQString(list_[i].Shown()));
    }
    SyncWidget();
}

void TCustomComboBox::SetDropDownCount(int Value) {
    dropDownCount_ = std::max(1, Value);
    if (QComboBox* w = WidgetOf(this)) w->setMaxVisibleItems(dropDownCount_);
}

int TCustomComboBox::GetItemHeight() const {
    return OwnerDraws() ? itemHeight_ : DefaultItemHeight();
}

void TCustomComboBox::SetItemHeight(int Value) {
    if (Value <= 0) return;
    itemHeight_ = Value;
    SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
    if (QComboBox* w = WidgetOf(this)) w->view()->doItemsLayout();
}

void TCustomComboBox::SetMaxLength(int Value) {
    maxLength_ = std::max(0, Value);
}

bool TCustomComboBox::GetDroppedDown() const {
    return const_cast<TCustomComboBox*>(this)->Perform(CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    Perform(CB_SHOWDROPDOWN, Value ? 1 : 0, 0);
}

int TCustomComboBox::GetSelStart() const {
    int start = 0, end = 0;
    PerformGetSel(this, CB_GETEDITSEL, start, end);
    return start;
}

void TCustomComboBox::SetSelStart(int Value) {
    Perform(CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(Value), static_cast<WORD>(Value)));
}

int TCustomComboBox::GetSelLength() const {
    int start = 0, end = 0;
    PerformGetSel(this, CB_GETEDITSEL, start, end);
    return end - start;
}

void TCustomComboBox::SetSelLength(int Value) {
    const int start = GetSelStart();
    Perform(CB_SETEDITSEL, 0,
            MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(start + Value)));
}

AnsiString TCustomComboBox::GetSelText() const {
    return GetText().SubString(GetSelStart() + 1, GetSelLength());
}

void TCustomComboBox::SelectAll() {
    Perform(CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
}

void TCustomComboBox::Clear() {
    SetText("");
    items_->Clear();
}

// --- sizes ---

int TCustomComboBox::DefaultItemHeight() const {
    EnsureQtApplication();
    return QFontMetrics(ToQFont(*GetFont())).height();
}

int TCustomComboBox::FixedHeight() const {
    const int campo = editHeight_ > 0 ? editHeight_
                      : OwnerDraws()  ? itemHeight_
                                      : DefaultItemHeight() + 2;
    return campo + 6;
}

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (style_ != csSimple) AHeight = FixedHeight();
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// --- events ---

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    DrawItemText(*canvas_, list_, Index, Rect);
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

// --- the window ---

void TCustomComboBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = "COMBOBOX";
    Params.Style |= static_cast<DWORD>(WS_VSCROLL) | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
    switch (style_) {
    case csDropDown:
        Params.Style |= CBS_DROPDOWN;
        break;
    case csSimple:
        Params.Style |= CBS_SIMPLE;
        break;
    case csDropDownList:
        Params.Style |= CBS_DROPDOWNLIST;
        break;
    case csOwnerDrawFixed:
        Params.Style |= static_cast<DWORD>(CBS_DROPDOWNLIST) | CBS_OWNERDRAWFIXED;
        break;
    case csOwnerDrawVariable:
        Params.Style |= static_cast<DWORD>(CBS_DROPDOWNLIST) | CBS_OWNERDRAWVARIABLE;
        break;
    }
    if (sorted_) Params.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWindowHandle(const TCreateParams& Params) {
    creating_ = true;
    QWidget* parentWidget = GetParent() ? GetParent()->GetWidget() : nullptr;
    auto* w = new ComboWidget(this, parentWidget);
    w->setFocusPolicy(Qt::NoFocus);
    w->setEditable(Editable());
    w->setInsertPolicy(QComboBox::NoInsert);
    w->setMaxVisibleItems(dropDownCount_);
    w->setItemDelegate(new ItemDelegate(owner_.get(), w));
    for (const ListItem& item : list_.items)
        w->addItem(ToQString(item.Shown()));
    if (Editable()) {
        QLineEdit* le = w->lineEdit();
        w->setCompleter(nullptr);
        le->setFrame(false);
        edit_.reset(CreateLineEditBackend(le));
        filter_ = new InnerWidgetFilter(this, le);
        w->filter = filter_;
        edit_->SetText(Params.Caption);
    }
    SetWidget(w, true);
    SyncWidget();
    connections_->Add(QObject::connect(w, &QComboBox::currentIndexChanged, w,
                                       [this](int i) { ComboAccess::UserSelected(this, i); }));
    if (Editable())
        connections_->Add(QObject::connect(w->lineEdit(), &QLineEdit::textEdited, w,
                                           [this] { NotifyControl(this, CBN_EDITCHANGE); }));
    creating_ = false;
}

void TCustomComboBox::DestroyWnd() {
    connections_->Clear();
    if (edit_) {
        AnsiString texto = edit_->Text();
        TMessage m{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texto.c_str()), 0};
        TWinControl::DefaultHandler(m);
    }
    edit_.reset();
    filter_ = nullptr;
    TWinControl::DestroyWnd();
}

void TCustomComboBox::ApplyWidgetState() {
    TWinControl::ApplyWidgetState();
    ApplyPalette();
}

void TCustomComboBox::ApplyPalette() {
    ApplyBasePalette(this);
    if (auto* w = qobject_cast<QComboBox*>(GetWidget())) {
        // A drop-down list shows its choice on a button face: the control's colour too.
        QPalette p = w->palette();
        const QColor c = ToQColor(GetColor());
        if (c.isValid())
            for (QPalette::ColorGroup g :
                 {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                p.setColor(g, QPalette::Button, c);
        w->setPalette(p);
        w->view()->setPalette(p);
    }
}

// The widget shows the control's choice; the edit part keeps its text.
void TCustomComboBox::SyncWidget() {
    QComboBox* w = WidgetOf(this);
    if (!w) return;
    WideString texto = edit_ ? edit_->WideText() : WideString();
    {
        QSignalBlocker block(w);
        w->setCurrentIndex(itemIndex_);
    }
    if (edit_ && edit_->WideText() != texto) {
        QSignalBlocker block(w->lineEdit());
        edit_->SetWideText(texto);
    }
    w->update();
}

EditRules TCustomComboBox::Rules() const {
    EditRules r;
    r.maxLength = maxLength_;
    r.charCase = charCase_;
    r.wide = IsUnicodeWindow();
    return r;
}

// --- messages ---

void TCustomComboBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CN_COMMAND:
        return CallMessageHandler(this, &TCustomComboBox::CNCommand, Message);
    case CM_COLORCHANGED:
        return CallMessageHandler(this, &TCustomComboBox::CMColorChanged, Message);
    case CM_FONTCHANGED:
        return CallMessageHandler(this, &TCustomComboBox::CMFontChanged, Message);
    case CM_ENABLEDCHANGED:
        return CallMessageHandler(this, &TCustomComboBox::CMEnabledChanged, Message);
    case WM_CONTEXTMENU:
        if (!GetPopupMenu() && edit_) return DefaultHandler(Message);
        return TWinControl::Dispatch(Message);
    default:
        TWinControl::Dispatch(Message);
    }
}

void TCustomComboBox::CNCommand(TWMCommand& Message) {
    if (creating_) return;
    switch (Message.NotifyCode) {
    case CBN_EDITCHANGE:
        Change();
        break;
    case CBN_SELCHANGE: {
        auto alive = Watch();
        const int i = GetItemIndex();
        if (i >= 0) SetText(items_->GetStrings(i));
        if (alive.expired()) return;
        Click();
        if (alive.expired()) return;
        Select();
        break;
    }
    case CBN_DROPDOWN:
        DropDown();
        break;
    case CBN_CLOSEUP:
        CloseUp();
        break;
    default:
        break;
    }
}

void TCustomComboBox::CMColorChanged(TMessage& Message) {
    TWinControl::CMColorChanged(Message);
    ApplyPalette();
}

void TCustomComboBox::CMFontChanged(TMessage& Message) {
    TWinControl::CMFontChanged(Message);
    ApplyPalette();
    SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
}

void TCustomComboBox::CMEnabledChanged(TMessage& Message) {
    TWinControl::CMEnabledChanged(Message);
    ApplyPalette();
}

void TCustomComboBox::DefaultHandler(TMessage& Message) {
    if (ComboRequest(Message) || EditRequest(Message)) return;
    TWinControl::DefaultHandler(Message);
}

int TCustomComboBox::InsertItem(int Index, const AnsiString& Text) {
    list_.Insert(Index, Text, itemIndex_);
    if (wideItem_) list_[Index].wide = *wideItem_;
    wideItem_ = nullptr;
    if (QComboBox* w = WidgetOf(this)) {
        WideString texto = edit_ ? edit_->WideText() : WideString();
        QSignalBlocker block(w);
        w->insertItem(Index, ToQString(list_[Index].Shown()));
        if (edit_) edit_->SetWideText(texto);
    }
    if (style_ == csOwnerDrawVariable) {
        int alto = itemHeight_;
        MeasureItem(Index, alto);
        list_[Index].height = alto;
    }
    SyncWidget();
    return Index;
}

void TCustomComboBox::DeleteItem(int Index) {
    list_.Erase(Index, itemIndex_);
    if (QComboBox* w = WidgetOf(this)) {
        WideString texto = edit_ ? edit_->WideText() : WideString();
        QSignalBlocker block(w);
        w->removeItem(Index);
        if (edit_) edit_->SetWideText(texto);
    }
    SyncWidget();
}

void TCustomComboBox::ResetItems() {
    list_.items.clear();
    itemIndex_ = -1;
    if (QComboBox* w = WidgetOf(this)) {
        QSignalBlocker block(w);
        w->clear();
    }
    // The edit part empties with the list.
    if (edit_) {
        edit_->SetText("");
    } else {
        TMessage m{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""), 0};
        TWinControl::DefaultHandler(m);
    }
    SyncWidget();
}

void TCustomComboBox::SelectIndex(int Index) {
    itemIndex_ = Index;
    if (edit_) {
        QSignalBlocker block(WidgetOf(this)->lineEdit());
        edit_->SetWideText(Index >= 0 ? list_[Index].Shown() : WideString());
    } else if (Editable()) {
        AnsiString t = Index >= 0 ? list_[Index].text : AnsiString();
        TMessage m{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.c_str()), 0};
        TWinControl::DefaultHandler(m);
    }
    SyncWidget();
}

LRESULT TCustomComboBox::PerformWideItem(UINT Msg, WPARAM WParam, const WideString& Text) {
    const AnsiString ansi = Text.ToAnsiString();
    wideItem_ = &Text;
    const LRESULT r = Perform(Msg, WParam, reinterpret_cast<LPARAM>(ansi.c_str()));
    wideItem_ = nullptr;
    return r;
}

WideString TCustomComboBox::GetWideItem(int Index) const {
    return Index >= 0 && Index < list_.Count() ? list_[Index].Shown() : WideString();
}

int TCustomComboBox::FindWideItem(const WideString& Text) const {
    const QString t = ToQString(Text);
    for (int i = 0; i < list_.Count(); ++i)
        if (ToQString(list_[i].Shown()).compare(t, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

WideString TCustomComboBox::GetWideShownText() const {
    if (edit_) return edit_->WideText();
    return Editable() ? WideString() : GetWideItem(itemIndex_);
}

void TCustomComboBox::SetWideShownText(const WideString& Text) {
    if (edit_) {
        QSignalBlocker block(WidgetOf(this)->lineEdit());
        edit_->SetWideText(Text);
    } else if (!Editable()) {
        const int i = FindWideItem(Text);
        if (i >= 0) SelectIndex(i);
    }
}

bool TCustomComboBox::ComboRequest(TMessage& Message) {
    if (list_.Request(
            kComboMessages, Message, sorted_,
            [this](int i, const AnsiString& t) { return InsertItem(i, t); },
            [this](int i) { DeleteItem(i); }, [this] { ResetItems(); }, wideItem_))
        return true;
    const int n = list_.Count();
    const int index = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
    const bool valid = index >= 0 && index < n;
    LRESULT& r = Message.Result;
    switch (Message.Msg) {
    case CB_GETCURSEL:
        r = itemIndex_;
        return true;
    case CB_SETCURSEL:
        SelectIndex(valid ? index : -1);
        r = valid ? index : CB_ERR;
        return true;
    case CB_SELECTSTRING: {
        const int found =
            list_.Find(index, AnsiString(reinterpret_cast<const char*>(Message.LParam)), false);
        if (found >= 0) SelectIndex(found);
        r = found;
        return true;
    }
    case CB_GETITEMHEIGHT:
        if (index == -1)
            r = FixedHeight() - 6;
        else
            r = ComboAccess::ItemHeightOf(this, index);
        return true;
    case CB_SETITEMHEIGHT: {
        const int alto = static_cast<int>(Message.LParam);
        if (alto <= 0 || alto > 255) {
            r = CB_ERR;
            return true;
        }
        if (index == -1) {
            editHeight_ = alto;
            SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
        } else if (style_ == csOwnerDrawVariable && valid) {
            list_[index].height = alto;
        } else {
            itemHeight_ = alto;
        }
        if (QComboBox* w = WidgetOf(this)) w->view()->doItemsLayout();
        r = CB_OKAY;
        return true;
    }
    case CB_SETDROPPEDWIDTH:
        droppedWidth_ = index;
        r = std::max(droppedWidth_, GetWidth());
        return true;
    case CB_GETDROPPEDWIDTH:
        r = std::max(droppedWidth_, GetWidth());
        return true;
    case CB_SHOWDROPDOWN:
        if (!WidgetOf(this) && GetParent()) HandleNeeded();
        if (QComboBox* w = WidgetOf(this)) {
            if (Message.WParam && !w->view()->isVisible())
                w->showPopup();
            else if (!Message.WParam && w->view()->isVisible())
                w->hidePopup();
        }
        r = TRUE;
        return true;
    case CB_GETDROPPEDSTATE:
        r = WidgetOf(this) && WidgetOf(this)->view()->isVisible();
        return true;
    case CB_GETTOPINDEX:
        r = 0;
        if (QComboBox* w = WidgetOf(this)) {
            QModelIndex top = w->view()->indexAt(QPoint(1, 1));
            r = top.isValid() ? top.row() : 0;
        }
        return true;
    case CB_SETTOPINDEX:
        if (!valid) {
            r = CB_ERR;
            return true;
        }
        if (QComboBox* w = WidgetOf(this))
            w->view()->scrollTo(w->model()->index(index, 0), QAbstractItemView::PositionAtTop);
        r = CB_OKAY;
        return true;
    case CB_LIMITTEXT:
        maxLength_ = index;
        r = TRUE;
        return true;
    default:
        return false;
    }
}

bool TCustomComboBox::EditRequest(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETTEXT:
        if (!Editable()) {
            // A drop-down list shows one of its items: the text chooses the item equal to it.
            const int i =
                list_.Find(-1, AnsiString(reinterpret_cast<const char*>(Message.LParam)), true);
            if (i >= 0) SelectIndex(i);
            Message.Result = i >= 0 ? TRUE : CB_ERR;
            return true;
        }
        if (!edit_) return false;
        {
            QSignalBlocker block(WidgetOf(this)->lineEdit());
            edit_->SetText(AnsiString(reinterpret_cast<const char*>(Message.LParam)));
        }
        Message.Result = TRUE;
        return true;
    case WM_GETTEXTLENGTH:
    case WM_GETTEXT: {
        AnsiString t;
        if (!Editable())
            t = itemIndex_ >= 0 ? list_[itemIndex_].text : AnsiString();
        else if (edit_)
            t = edit_->Text();
        else
            return false;
        AnswerTextRequest(t, Message);
        return true;
    }
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | (Editable() ? DLGC_WANTCHARS | DLGC_HASSETSEL : 0);
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        FocusOnPress(this);
        return false;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        // Neither a right click nor the middle button chooses or pastes.
        if (Message.Msg == WM_RBUTTONDOWN) FocusOnPress(this);
        return true;
    default:
        break;
    }
    if (!edit_) return false;
    if (EditInputRequest(this, *edit_, Rules(), Message,
                         [this](TMessage& m) { TWinControl::DefaultHandler(m); }))
        return true;
    switch (Message.Msg) {
    case EM_SETSEL:
    case CB_SETEDITSEL: {
        // CB_SETEDITSEL packs both ends in LParam; -1 ends the selection at the text's end.
        int start = Message.Msg == EM_SETSEL
                        ? static_cast<int>(static_cast<std::intptr_t>(Message.WParam))
                        : static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(Message.LParam)));
        int end = Message.Msg == EM_SETSEL
                      ? static_cast<int>(Message.LParam)
                      : static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(Message.LParam)));
        if (Message.Msg == CB_SETEDITSEL && end == -1) end = edit_->Length();
        if (end < 0) end = edit_->Length();
        if (start == -1)
            edit_->Deselect();
        else
            edit_->SetSel(start, end);
        Message.Result = TRUE;
        return true;
    }
    case CB_GETEDITSEL: {
        int s = 0, e = 0;
        edit_->GetSel(s, e);
        if (Message.WParam) *reinterpret_cast<DWORD*>(Message.WParam) = static_cast<DWORD>(s);
        if (Message.LParam) *reinterpret_cast<DWORD*>(Message.LParam) = static_cast<DWORD>(e);
        Message.Result = static_cast<LRESULT>(MAKELONG(static_cast<WORD>(s), static_cast<WORD>(e)));
        return true;
    }
    case EM_CHARFROMPOS: {
        // A point of the combo's client area: the character of the edit part under it; -1
        // outside the edit part (over the drop button or the frame).
        QComboBox* w = WidgetOf(this);
        QLineEdit* le = w ? w->lineEdit() : nullptr;
        const QPoint q =
            le ? le->mapFrom(w, QPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)))
               : QPoint(-1, -1);
        int index = 0, line = 0;
        if (!le || !le->rect().contains(q) ||
            !edit_->CharFromPos(TPoint(q.x(), q.y()), index, line))
            Message.Result = -1;
        else
            Message.Result = static_cast<LRESULT>(static_cast<DWORD>(index) & 0xFFFF);
        return true;
    }
    default:
        return false;
    }
}
