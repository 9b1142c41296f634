// TKavCustomComboBox: items, the list window, keys, completion and the accepted value.

#include "controles/edit/kav_custom_combo_box.h"

#include "controles/comun/color_scheme.h"
#include "controles/edit/flat_combo.h"
#include "controles/edit/window_canvases.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/painting/canvas.h"

#include <algorithm>

namespace {

struct SchemeColours {
    TColor color, colorTo, colorDown, colorDownTo, colorHot, colorHotTo, selection;
};

constexpr SchemeColours kSchemes[] = {
    {0xFCE1CB, 0xE0A57D, 0x087FE8, 0x7CDAF7, 0xDCFFFF, 0x5BC0F7, 0xE0A57D}, // blue
    {0xECE2E1, 0xB39698, 0x087FE8, 0x7CDAF7, 0xDCFFFF, 0x5BC0F7, 0xB39698}, // silver
    {0xCFF0EA, 0x8CC0B1, 0x087FE8, 0x7CDAF7, 0xDCFFFF, 0x5BC0F7, 0x8CC0B1}, // olive
    {0xFFFFFF, 0xC9D1D5, 0xB59285, 0xB59285, 0xD2BDB6, 0xD2BDB6, 0xB59285}, // classic
};

} // namespace

TKavCustomComboBox::TKavCustomComboBox(TComponent* AOwner)
    : TCustomEdit(AOwner), button_(std::make_unique<TKavComboBtn>()),
      items_(std::make_unique<TStringList>()), recent_(std::make_unique<TStringList>()),
      canvases_(std::make_unique<WindowCanvases>(this)) {
    SetBorderStyle(bsNone);
    SetAutoSize(false);
    button_->OnChange = [this](TObject*) { Invalidate(); };
    button_->OnWidthChange = [this] { SetEditRect(); };
    if (!Designing()) {
        dropWindow_ = new TDropDownWindow(this);
        dropWindow_->SetBounds(0, 0, GetWidth(), 20);
        dropWindow_->OnHide = [this] { HideDropDown(); };
        listBox_ = new TListBox(dropWindow_);
        listBox_->SetParent(dropWindow_);
        listBox_->SetAlign(alClient);
        listBox_->SetStyle(lbOwnerDrawFixed);
        listBox_->SetItemHeight(14);
        listBox_->SetTabStop(true);
        listBox_->SetBorderStyle(bsNone);
        listBox_->SetTabOrder(0);
        listBox_->OnDrawItem = [this](TWinControl* c, int i, TRect r, TOwnerDrawState s) {
            DropDownOnDrawItem(c, i, r, s);
        };
        listBox_->OnMouseMove = [this](TObject*, TShiftState, int x, int y) {
            const int row = listBox_->ItemAtPos(TPoint(x, y), true);
            if (row >= 0 && row != listBox_->GetItemIndex()) listBox_->SetItemIndex(row);
        };
        listBox_->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            const int row = listBox_->ItemAtPos(TPoint(x, y), true);
            if (row < 0) return;
            auto alive = Watch();
            SetItemIndex(items_->IndexOf(listBox_->GetItems()->GetStrings(row)));
            if (alive.expired()) return;
            if (OnSelect) OnSelect(this);
            if (alive.expired()) return;
            HideDropDown();
        };
        listBox_->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
            if (dropWindow_->GetHideOnDeActivate()) return;
            Perform(WM_KEYDOWN, Key, 0);
            Perform(WM_KEYUP, Key, 0);
        };
        dropWindow_->SetListControl(listBox_);
    }
    SetAppereanceStyle(esOffice2003Blue);
}

TKavCustomComboBox::~TKavCustomComboBox() {
    if (dropWindow_) dropWindow_->OnHide = nullptr;
}

AnsiString TKavCustomComboBox::GetVersion() const {
    return VersionText(GetVersionNr());
}

// --- properties ---

void TKavCustomComboBox::SetBorderColor(TColor Value) {
    if (Value == borderColor_) return;
    borderColor_ = Value;
    Invalidate();
}

void TKavCustomComboBox::SetBorderHotColor(TColor Value) {
    if (Value == borderHotColor_) return;
    borderHotColor_ = Value;
    Invalidate();
}

void TKavCustomComboBox::SetStyle(TComboStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    SetReadOnly(style_ == csDropDownList);
}

void TKavCustomComboBox::SetFlat(bool Value) {
    if (Value == flat_) return;
    flat_ = Value;
    if (!Loading()) Invalidate();
}

void TKavCustomComboBox::SetAppereanceStyle(TKavComboStyle Value) {
    appearance_ = Value;
    const SchemeColours& c = kSchemes[Value];
    button_->SetColor(c.color);
    button_->SetColorTo(c.colorTo);
    button_->SetColorDown(c.colorDown);
    button_->SetColorDownTo(c.colorDownTo);
    button_->SetColorHot(c.colorHot);
    button_->SetColorHotTo(c.colorHotTo);
    selectionColor_ = c.selection;
    SetBorderColor(clNone);
    SetBorderHotColor(clBlack);
}

void TKavCustomComboBox::ThemeAdapt() {
    switch (DetectXPColorScheme()) {
    case xpcsBlue:
        return SetAppereanceStyle(esOffice2003Blue);
    case xpcsSilver:
        return SetAppereanceStyle(esOffice2003Silver);
    case xpcsOlive:
        return SetAppereanceStyle(esOffice2003Olive);
    default:
        return SetAppereanceStyle(esOffice2003Classic);
    }
}

void TKavCustomComboBox::SetItemIndex(int Value) {
    if (items_->GetCount() == 0) {
        itemIndex_ = -1;
        return;
    }
    if (Value < 0 || Value >= items_->GetCount()) return;
    itemIndex_ = Value;
    SetText(items_->GetStrings(Value));
    if (listShown_) listBox_->SetItemIndex(listBox_->GetItems()->IndexOf(GetText()));
    ValueChanged();
}

// --- window ---

void TKavCustomComboBox::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    // The multi-line style lets the edit area leave room for the button.
    Params.Style |= ES_MULTILINE;
}

void TKavCustomComboBox::CreateWnd() {
    TCustomEdit::CreateWnd();
    SetEditRect();
}

void TKavCustomComboBox::Loaded() {
    TCustomEdit::Loaded();
    SetEditRect();
    PopulateListBox();
    if (autoThemeAdapt_ && !Designing()) ThemeAdapt();
}

void TKavCustomComboBox::SetEditRect() {
    if (Designing() || !HandleAllocated()) return;
    const bool single = GetBorderStyle() == bsSingle;
    TRect r(single ? 2 : 4, single ? 1 : 4, GetClientWidth() - button_->GetWidth() - 4,
            GetClientHeight() + 1);
    Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

int TKavCustomComboBox::GetMinHeight() {
    TBitmap measure;
    TCanvas* c = measure.GetCanvas();
    TFont system;
    c->SetFont(&system);
    const int sys = c->TextHeight("gh");
    c->SetFont(GetFont());
    const int own = c->TextHeight("gh");
    return own + std::min(sys, own) / 4;
}

void TKavCustomComboBox::ResizeControl() {
    const int min = GetMinHeight();
    if (GetHeight() < min)
        SetBounds(GetLeft(), GetTop(), GetWidth(), min);
    else
        SetEditRect();
    Invalidate();
}

TRect TKavCustomComboBox::GetButtonRect() const {
    const TRect c = GetClientRect();
    return TRect(c.Right - button_->GetWidth() - 1, c.Top + 1, c.Right - 1, c.Bottom - 2);
}

// --- the list ---

int TKavCustomComboBox::GetListItemHeight() {
    if (!autoItemSize_) return itemHeight_;
    TBitmap measure;
    TCanvas* c = measure.GetCanvas();
    c->GetFont()->SetName("Tahoma");
    c->GetFont()->SetSize(fontHeight_);
    return std::max(14, c->TextHeight("gh"));
}

void TKavCustomComboBox::BeforeDropDown() {
    if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TKavCustomComboBox::PopulateListBox() {
    if (!listBox_) return;
    TStrings* rows = listBox_->GetItems();
    rows->BeginUpdate();
    rows->Clear();
    if (displayRecent_)
        for (int i = std::min(recent_->GetCount() - 1, dropDownCount_ - 1); i >= 0; --i)
            rows->Add(recent_->GetStrings(i));
    for (int i = 0; i < items_->GetCount(); ++i)
        rows->Add(items_->GetStrings(i));
    rows->EndUpdate();
}

void TKavCustomComboBox::ShowDropDown() {
    if (!dropWindow_) return;
    if (listShown_) return HideDropDown();
    auto alive = Watch();
    BeforeDropDown();
    if (alive.expired()) return;
    const TRect work = Screen->GetWorkAreaRect();
    const int rowHeight = GetListItemHeight();
    listBox_->SetItemHeight(rowHeight);
    const int rows = std::min(items_->GetCount(), dropDownCount_);
    const int height = std::max(20, rows * rowHeight + 4);
    const TPoint p = ClientToScreen(TPoint(0, GetHeight()));
    int left = p.x - 2, top = p.y;
    if (p.y + height + 4 >= work.Bottom) {
        left = p.x - 1;
        top = p.y - GetHeight() - height;
    }
    listBox_->GetFont()->SetSize(fontHeight_);
    PopulateListBox();
    const int at = listBox_->GetItems()->IndexOf(GetText());
    listBox_->SetItemIndex(at >= 0 ? at : 0);
    TCanvas* c = dropWindow_->GetCanvas();
    c->SetFont(listBox_->GetFont());
    int widest = 0;
    for (int i = 0; i < listBox_->GetCount(); ++i)
        widest = std::max(widest, c->TextWidth(listBox_->GetItems()->GetStrings(i)));
    int width = std::max(GetWidth() + 1, widest);
    if (widest > GetWidth()) width += 24;
    dropWindow_->SetBounds(left, top, width, height);
    dropWindow_->HandleNeeded();
    dropWindow_->SetVisible(true);
    listShown_ = true;
    Perform(EM_SETSEL, 0, GetText().Length());
    Invalidate();
}

void TKavCustomComboBox::HideDropDown() {
    if (dropWindow_) dropWindow_->SetVisible(false);
    listShown_ = false;
    Invalidate();
}

void TKavCustomComboBox::MoveTo(int Row) {
    listBox_->SetItemIndex(Row);
    SetText(listBox_->GetItems()->GetStrings(Row));
}

void TKavCustomComboBox::First() {
    if (listBox_ && listBox_->GetCount() > 0) MoveTo(0);
}

void TKavCustomComboBox::Last() {
    if (listBox_ && listBox_->GetCount() > 0) MoveTo(listBox_->GetCount() - 1);
}

void TKavCustomComboBox::Next() {
    if (!listBox_ || listBox_->GetCount() == 0) return;
    MoveTo(std::min(listBox_->GetItemIndex() + 1, listBox_->GetCount() - 1));
}

void TKavCustomComboBox::Previous() {
    if (!listBox_ || listBox_->GetCount() == 0) return;
    MoveTo(std::max(listBox_->GetItemIndex() - 1, 0));
}

void TKavCustomComboBox::PageJump(bool Down) {
    if (!listBox_ || listBox_->GetCount() == 0) return;
    const int at = listBox_->GetItemIndex();
    const int left = Down ? listBox_->GetCount() - 1 - at : at;
    const int step = std::max(0, std::min(dropDownCount_ - 1, left));
    MoveTo(std::max(0, Down ? at + step : at - step));
}

// --- accepting ---

void TKavCustomComboBox::ValueChanged() {
    lastAccepted_ = GetText();
    const int at = items_->IndexOf(GetText());
    if (at < 0) return;
    itemIndex_ = at;
    if (Loading()) return;
    const int was = recent_->IndexOf(GetText());
    if (was >= 0) recent_->Delete(was);
    while (recent_->GetCount() > 0 && recent_->GetCount() > dropDownCount_ - 2)
        recent_->Delete(0);
    recent_->Add(GetText());
}

void TKavCustomComboBox::Accept() {
    auto alive = Watch();
    SetText(items_->GetStrings(items_->IndexOf(GetText())));
    if (alive.expired()) return;
    Change();
    if (alive.expired()) return;
    ValueChanged();
    if (listShown_) HideDropDown();
}

void TKavCustomComboBox::Change() {
    TCustomEdit::Change();
    textChanged_ = true;
}

void TKavCustomComboBox::DoEnter() {
    TCustomEdit::DoEnter();
    SetEditRect();
}

void TKavCustomComboBox::LookUpText() {
    if (Designing() || !lookUp_ || !doLookup_) return;
    const AnsiString typed = GetText().SubString(1, GetSelStart());
    // An empty text completes nothing (every item would match it).
    if (typed.IsEmpty()) return;
    const AnsiString key = AnsiUpperCase(typed);
    for (int i = 0; i < items_->GetCount(); ++i) {
        const AnsiString item = items_->GetStrings(i);
        if (AnsiUpperCase(item).SubString(1, key.Length()) != key) continue;
        const AnsiString text = typed + item.SubString(typed.Length() + 1, 255);
        SetText(text);
        if (listShown_) listBox_->SetItemIndex(listBox_->GetItems()->IndexOf(item));
        Perform(EM_SETSEL, static_cast<WPARAM>(typed.Length()), text.Length());
        return;
    }
}

void TKavCustomComboBox::KeyDown(WORD& Key, TShiftState Shift) {
    auto alive = Watch();
    switch (Key) {
    case VK_UP:
        Previous();
        break;
    case VK_DOWN:
        if (Shift.Contains(ssAlt))
            ShowDropDown();
        else
            Next();
        break;
    case VK_F4:
        if (!Shift.Contains(ssAlt)) ShowDropDown();
        break;
    case VK_NEXT:
        PageJump(true);
        break;
    case VK_PRIOR:
        PageJump(false);
        break;
    case VK_RETURN:
        if (items_->IndexOf(GetText()) >= 0) Accept();
        break;
    case VK_ESCAPE:
        SetText(lastAccepted_);
        if (alive.expired()) return;
        if (listShown_) HideDropDown();
        break;
    case VK_BACK:
    case VK_DELETE:
        doLookup_ = false;
        break;
    default:
        doLookup_ = true;
    }
    if (alive.expired()) return;
    TCustomEdit::KeyDown(Key, Shift);
}

void TKavCustomComboBox::KeyUp(WORD& Key, TShiftState Shift) {
    TCustomEdit::KeyUp(Key, Shift);
    if (textChanged_ && lookUp_ && Key != VK_BACK && Key != VK_DELETE) LookUpText();
    textChanged_ = false;
}

// --- messages ---

void TKavCustomComboBox::Dispatch(TMessage& Message) {
    auto alive = Watch();
    switch (Message.Msg) {
    case CM_CANCELMODE:
        if (listShown_) HideDropDown();
        return TCustomEdit::Dispatch(Message);
    case WM_KILLFOCUS: {
        TCustomEdit::Dispatch(Message);
        if (alive.expired() || Loading() || !listShown_) return;
        const auto to = reinterpret_cast<HWND>(Message.WParam);
        const bool toList =
            to && ((dropWindow_->HandleAllocated() && to == dropWindow_->GetHandle()) ||
                   (listBox_->HandleAllocated() && to == listBox_->GetHandle()));
        if (!toList) HideDropDown();
        return;
    }
    case WM_CHAR:
        if (static_cast<char>(Message.WParam) == '\r') {
            char key = '\r';
            if (OnKeyPress) OnKeyPress(this, key);
            if (alive.expired()) return;
            if (items_->IndexOf(GetText()) < 0) return;
            Accept();
            if (alive.expired()) return;
            SetSelStart(0);
            if (OnSelect) OnSelect(this);
            return;
        }
        return TCustomEdit::Dispatch(Message);
    case WM_LBUTTONDOWN: {
        const bool shown = listShown_;
        TCustomEdit::Dispatch(Message);
        if (alive.expired() || Designing()) return;
        const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        const TRect b = GetButtonRect();
        const bool onButton = p.x >= b.Left && p.x < b.Right && p.y >= b.Top && p.y < b.Bottom;
        // The button closes an open list; a click in a list-only combo opens it.
        if (onButton || (style_ == csDropDownList && !shown)) ButtonClick();
        return;
    }
    case WM_MOUSEMOVE: {
        TCustomEdit::Dispatch(Message);
        if (alive.expired()) return;
        const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        const TRect b = GetButtonRect();
        const bool arrow = style_ == csDropDownList ||
                           (p.x >= b.Left && p.x < b.Right && p.y >= b.Top && p.y < b.Bottom);
        if (arrow && GetCursor() != crArrow) {
            savedCursor_ = GetCursor();
            SetCursor(crArrow);
        } else if (!arrow && GetCursor() == crArrow) {
            SetCursor(savedCursor_);
        }
        return;
    }
    case WM_PAINT:
        TCustomEdit::Dispatch(Message);
        if (!alive.expired()) PaintOwn();
        return;
    case WM_SIZE:
    case CM_FONTCHANGED:
        TCustomEdit::Dispatch(Message);
        if (!alive.expired() && HandleAllocated()) ResizeControl();
        return;
    case CM_MOUSEENTER:
        if (!Designing()) {
            if (autoFocus_ && CanFocus()) SetFocus();
            if (!mouseInControl_ && GetEnabled()) {
                mouseInControl_ = true;
                PaintOwn();
            }
            if (OnMouseEnter) OnMouseEnter(this);
        }
        return TCustomEdit::Dispatch(Message);
    case CM_MOUSELEAVE:
        if (mouseInControl_ && GetEnabled()) {
            mouseInControl_ = false;
            Invalidate();
        }
        if (OnMouseLeave) OnMouseLeave(this);
        return TCustomEdit::Dispatch(Message);
    case CM_ENTER:
        PopulateListBox();
        return TCustomEdit::Dispatch(Message);
    case CM_EXIT:
        // Leaving puts back the last accepted value.
        SetText(lastAccepted_);
        if (alive.expired()) return;
        Invalidate();
        return TCustomEdit::Dispatch(Message);
    case WM_THEMECHANGED:
        ThemeAdapt();
        return TCustomEdit::Dispatch(Message);
    default:
        TCustomEdit::Dispatch(Message);
    }
}

// --- the office combo ---

TKavOfficeComboBox::TKavOfficeComboBox(TComponent* AOwner) : TKavCustomComboBox(AOwner) {
    SetAutoItemSize(false);
}
