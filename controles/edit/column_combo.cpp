// TColumnComboBox: collections, encoded lines, drawing, choice, lookup and sorting.

#include "controles/edit/column_combo.h"

#include "plataforma/base/file_errors.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_text.h"

#include <utility>

namespace {

char delimiter = '|';

} // namespace

// --- encoded lines ---

namespace {

// A text as a field: a delimiter or backslash in it is kept by a backslash before it.
void AppendField(std::string& line, const AnsiString& text, char Delimiter) {
    line += Delimiter;
    for (char ch : text.str()) {
        if (ch == Delimiter || ch == '\\') line += '\\';
        line += ch;
    }
}

} // namespace

AnsiString EncodeComboLine(int ImageIndex, const TStrings& Texts, int Columns, char Delimiter) {
    std::string line = "#" + std::to_string(ImageIndex);
    for (int c = 0; c < Columns; ++c)
        AppendField(line, c < Texts.GetCount() ? Texts.GetStrings(c) : AnsiString(), Delimiter);
    return AnsiString(line);
}

std::vector<AnsiString> SplitComboLine(const AnsiString& Line, char Delimiter) {
    std::vector<AnsiString> fields(1);
    const std::string& s = Line.str();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            fields.back().str() += s[++i];
        } else if (s[i] == Delimiter) {
            fields.emplace_back();
        } else {
            fields.back().str() += s[i];
        }
    }
    return fields;
}

namespace {

AnsiString JoinComboLine(const std::vector<AnsiString>& Fields, char Delimiter) {
    std::string line = Fields.empty() ? std::string("#") : Fields[0].str();
    for (size_t i = 1; i < Fields.size(); ++i)
        AppendField(line, Fields[i], Delimiter);
    return AnsiString(line);
}

int ImageOfField(const AnsiString& Field) {
    try {
        return Field.Length() > 1 ? std::stoi(Field.str().substr(1)) : -1;
    } catch (...) {
        return -1;
    }
}

} // namespace

char TColumnComboBox::GetDelimiter() {
    return delimiter;
}

void TColumnComboBox::SetDelimiter(char Value) {
    delimiter = Value;
}

// --- columns ---

TComboColumnItem::TComboColumnItem(TCollection* Collection)
    : TCollectionItem(nullptr), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TObject*) { Repaint(); };
    SetCollection(Collection);
}

TComboColumnItem::~TComboColumnItem() = default;

void TComboColumnItem::Repaint() {
    auto* c = static_cast<TComboColumnCollection*>(GetCollection());
    if (c && c->Combo()) c->Combo()->Invalidate();
}

void TComboColumnItem::SetColor(TColor Value) {
    color_ = Value;
    Repaint();
}

void TComboColumnItem::SetColumnType(TColumnType Value) {
    columnType_ = Value;
    Repaint();
}

void TComboColumnItem::SetWidth(int Value) {
    width_ = Value;
    Repaint();
}

void TComboColumnItem::SetAlignment(TAlignment Value) {
    alignment_ = Value;
    Repaint();
}

void TComboColumnItem::SetFont(TFont* Value) {
    font_->Assign(Value);
}

AnsiString TComboColumnItem::GetDisplayName() const {
    return AnsiString("Column") + AnsiString(std::to_string(GetIndex()));
}

void TComboColumnItem::Assign(TPersistent* Source) {
    auto* o = dynamic_cast<TComboColumnItem*>(Source);
    if (!o) return TCollectionItem::Assign(Source);
    SetColor(o->color_);
    SetColumnType(o->columnType_);
    SetWidth(o->width_);
    SetAlignment(o->alignment_);
    font_->Assign(o->font_.get());
}

TComboColumnCollection::TComboColumnCollection(TColumnComboBox* Owner)
    : TCollection([](TCollection* c) { return new TComboColumnItem(c); }), owner_(Owner) {}

TPersistent* TComboColumnCollection::GetOwner() const {
    return owner_;
}

// --- rows ---

TComboItem::TComboItem(TCollection* Collection)
    : TCollectionItem(nullptr), strings_(std::make_unique<TStringList>()) {
    strings_->OnChange = [this](TObject* s) { StringsChanged(s); };
    SetCollection(Collection);
}

TComboItem::~TComboItem() {
    strings_->OnChange = nullptr;
}

TColumnComboBox* TComboItem::Combo() const {
    auto* c = static_cast<TComboItemCollection*>(GetCollection());
    return c ? c->Combo() : nullptr;
}

void TComboItem::SetImageIndex(int Value) {
    imageIndex_ = Value;
    if (TColumnComboBox* c = Combo()) c->Invalidate();
}

void TComboItem::StringsChanged(TObject*) {
    TColumnComboBox* c = Combo();
    if (!c || c->updateCount_ > 0) return;
    const int index = c->GetItemIndex();
    c->BuildItems();
    c->TCustomComboBox::SetItemIndex(index);
}

AnsiString TComboItem::GetDisplayName() const {
    return AnsiString("Item") + AnsiString(std::to_string(GetIndex()));
}

void TComboItem::Assign(TPersistent* Source) {
    auto* o = dynamic_cast<TComboItem*>(Source);
    if (!o) return TCollectionItem::Assign(Source);
    imageIndex_ = o->imageIndex_;
    strings_->Assign(*o->strings_);
    if (TColumnComboBox* c = Combo()) c->BuildItems();
}

TComboItemCollection::TComboItemCollection(TColumnComboBox* Owner)
    : TCollection([](TCollection* c) { return new TComboItem(c); }), owner_(Owner) {}

TPersistent* TComboItemCollection::GetOwner() const {
    return owner_;
}

void TComboItemCollection::Update(TCollectionItem* Item) {
    if (!Item && owner_) owner_->BuildItems();
}

int TComboItemCollection::IndexInColumnOf(int Column, const AnsiString& S) const {
    for (int i = 0; i < GetCount(); ++i) {
        TStringList* t = GetItems(i)->GetStrings();
        if (Column >= 0 && t->GetCount() > Column && t->GetStrings(Column) == S) return i;
    }
    return -1;
}

int TComboItemCollection::IndexInRowOf(int Row, const AnsiString& S) const {
    if (Row < 0 || Row >= GetCount()) return -1;
    TStringList* t = GetItems(Row)->GetStrings();
    for (int k = 0; k < t->GetCount(); ++k)
        if (t->GetStrings(k) == S) return k;
    return -1;
}

TPoint TComboItemCollection::IndexOf(const AnsiString& S) const {
    TPoint found{-1, -1};
    for (int i = 0; i < GetCount(); ++i) {
        const int k = IndexInRowOf(i, S);
        if (k >= 0) found = {k, i};
    }
    return found;
}

void TComboItemCollection::SaveToFile(const AnsiString& FileName) const {
    TStringList lines;
    for (int i = 0; i < GetCount(); ++i)
        lines.Add(GetItems(i)->GetStrings()->GetCommaText());
    lines.SaveToFile(FileName);
}

void TComboItemCollection::LoadFromFile(const AnsiString& FileName) {
    Clear();
    TStringList lines;
    try {
        lines.LoadFromFile(FileName);
    } catch (const EFOpenError&) {
        return;
    }
    BeginUpdate();
    try {
        for (int i = 0; i < lines.GetCount(); ++i)
            Add()->GetStrings()->SetCommaText(lines.GetStrings(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// --- the combo ---

TColumnComboBox::TColumnComboBox(TComponent* AOwner)
    : TKavCustomCombo(AOwner), columns_(std::make_unique<TComboColumnCollection>(this)),
      items_(std::make_unique<TComboItemCollection>(this)) {
    TCustomComboBox::SetStyle(csOwnerDrawFixed);
    SetFlat(false);
    delimiter = '|';
}

TColumnComboBox::~TColumnComboBox() {
    // The rows go without rebuilding lines of a combo that is going too.
    ++updateCount_;
    items_.reset();
    columns_.reset();
}

void TColumnComboBox::Changed() {
    Invalidate();
}

void TColumnComboBox::SetEditColumn(int Value) {
    editColumn_ = Value;
    Changed();
}

void TColumnComboBox::SetImages(TImageList* Value) {
    SetWatched(this, images_, Value);
    Changed();
}

void TColumnComboBox::Notification(TComponent* AComponent, TOperation Operation) {
    TKavCustomCombo::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == images_) images_ = nullptr;
}

void TColumnComboBox::SetGridLines(bool Value) {
    gridLines_ = Value;
    Changed();
}

int TColumnComboBox::GetEditHeight() {
    return static_cast<int>(Perform(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
}

void TColumnComboBox::SetEditHeight(int Value) {
    Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Value);
    Perform(CB_SETITEMHEIGHT, 0, Value);
}

int TColumnComboBox::GetItemIndex() {
    return static_cast<int>(Perform(CB_GETCURSEL, 0, 0));
}

void TColumnComboBox::SetSortedEx(bool Value) {
    sorted_ = Value;
    if (Value && !GetComponentState().Contains(csLoading)) Sort();
}

void TColumnComboBox::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) BuildItems();
}

void TColumnComboBox::BuildItems() {
    if (GetComponentState().Contains(csLoading) || updateCount_ > 0 || !items_ || !columns_) return;
    TStrings* lines = GetItems();
    lines->BeginUpdate();
    while (lines->GetCount() > items_->GetCount())
        lines->Delete(lines->GetCount() - 1);
    for (int i = 0; i < items_->GetCount(); ++i) {
        TComboItem* row = items_->GetItems(i);
        const AnsiString line = EncodeComboLine(row->GetImageIndex(), *row->GetStrings(),
                                                columns_->GetCount(), delimiter);
        if (lines->GetCount() < i + 1)
            lines->Add(line);
        else if (lines->GetStrings(i) != line)
            lines->SetStrings(i, line);
    }
    lines->EndUpdate();
}

void TColumnComboBox::Loaded() {
    TKavCustomCombo::Loaded();
    BuildItems();
    TCustomComboBox::SetItemIndex(remembered_);
    if (sorted_) Sort();
}

void TColumnComboBox::CreateWnd() {
    TKavCustomCombo::CreateWnd();
    if (GetDropWidth() > 0) SetDropWidth(GetDropWidth());
}

// --- columns of a line ---

int TColumnComboBox::FieldOfColumn(int Column) const {
    int field = Column;
    for (int c = 0; c < Column && c < columns_->GetCount(); ++c)
        if (columns_->GetItems(c)->GetColumnType() == ctImage) --field;
    return field + 1;
}

void TColumnComboBox::CheckLine(int Index) {
    if (Index < 0 || Index >= GetItems()->GetCount()) throw Exception("Item index out of range");
}

AnsiString TColumnComboBox::GetColumnItems(int Index, int Column) {
    CheckLine(Index);
    const auto fields = SplitComboLine(GetItems()->GetStrings(Index), delimiter);
    const int f = FieldOfColumn(Column);
    return f >= 1 && f < static_cast<int>(fields.size()) ? fields[f] : AnsiString();
}

void TColumnComboBox::SetColumnItems(int Index, int Column, const AnsiString& Value) {
    CheckLine(Index);
    auto fields = SplitComboLine(GetItems()->GetStrings(Index), delimiter);
    const int f = FieldOfColumn(Column);
    if (f < 1) return;
    if (static_cast<int>(fields.size()) <= f) fields.resize(f + 1);
    fields[f] = Value;
    const int index = GetItemIndex();
    GetItems()->SetStrings(Index, JoinComboLine(fields, delimiter));
    TCustomComboBox::SetItemIndex(index);
}

AnsiString TColumnComboBox::GetEditText() {
    // The edit field shows GetColumnItems of the edit column: its text follows the same rule.
    const int i = GetItemIndex();
    if (editColumn_ >= 0 && i >= 0) return GetColumnItems(i, editColumn_);
    return GetText();
}

AnsiString TColumnComboBox::ItemHint() {
    const int i = GetItemIndex();
    if (i < 0 || !showItemHint_) return GetHint();
    const auto fields = SplitComboLine(GetItems()->GetStrings(i), delimiter);
    AnsiString hint;
    for (int k = 1; k <= columns_->GetCount(); ++k)
        hint = hint + " " + (k < static_cast<int>(fields.size()) ? fields[k] : AnsiString());
    return hint;
}

// --- drawing ---

void TColumnComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    TCanvas* cv = GetCanvas();
    const bool selected = State.Contains(odSelected);
    if (Index < 0) {
        if (selected) {
            cv->GetBrush()->SetColor(clHighlight);
            cv->GetPen()->SetColor(clHighlight);
            cv->GetFont()->SetColor(clHighlightText);
        } else {
            cv->GetBrush()->SetColor(GetColor());
            cv->GetPen()->SetColor(GetColor());
        }
        cv->Rectangle(Rect);
        return;
    }
    if (selected) cv->Rectangle(Rect);
    const auto fields = SplitComboLine(GetItems()->GetStrings(Index), delimiter);
    const int image = ImageOfField(fields[0]);
    const bool editField = State.Contains(odComboBoxEdit);
    const int n = columns_->GetCount();
    int x = Rect.Left;
    size_t next = 1;
    for (int c = 0; c < n; ++c) {
        TComboColumnItem* col = columns_->GetItems(c);
        AnsiString text;
        if (col->GetColumnType() == ctText && next < fields.size()) text = fields[next];
        if (col->GetColumnType() == ctText) ++next;
        cv->GetFont()->Assign(col->GetFont());
        if (selected) {
            cv->GetBrush()->SetColor(clHighlight);
            cv->GetPen()->SetColor(clHighlight);
            cv->GetFont()->SetColor(clHighlightText);
        } else {
            cv->GetBrush()->SetColor(col->GetColor());
            cv->GetPen()->SetColor(col->GetColor());
        }
        if (!GetEnabled()) cv->GetFont()->SetColor(clGrayText);
        TRect r(x, Rect.Top, x + col->GetWidth(), Rect.Bottom);
        if (c == n - 1) r.Right = Rect.Right;
        UINT flags = DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
        if (col->GetAlignment() == taRightJustify)
            flags |= DT_RIGHT;
        else if (col->GetAlignment() == taCenter)
            flags |= DT_CENTER;
        if (editField && editColumn_ != -1) {
            if (c != editColumn_) continue;
            const int row = dropped_ ? rememberedCopy_ : GetItemIndex();
            text = row >= 0 && row < GetItems()->GetCount() ? GetColumnItems(row, editColumn_)
                                                            : AnsiString();
            if (GetDroppedDown() && showLookup_) text = lookupText_;
            TRect t(Rect.Left + 2, Rect.Top + 1, Rect.Right, Rect.Bottom);
            cv->GetBrush()->SetStyle(bsClear);
            DrawTextEx(cv->GetHandle(), text.c_str(), text.Length(), &t, flags, nullptr);
            cv->GetBrush()->SetStyle(bsSolid);
            continue;
        }
        if (!selected) cv->Rectangle(r);
        const int right = r.Right;
        r.Left += 2;
        r.Top = Rect.Top + 1;
        if (col->GetColumnType() == ctImage) {
            if (images_ && image >= 0) images_->Draw(cv, r.Left, r.Top, image, true);
        } else {
            r.Right -= 2;
            cv->GetBrush()->SetStyle(bsClear);
            DrawTextEx(cv->GetHandle(), text.c_str(), text.Length(), &r, flags, nullptr);
            cv->GetBrush()->SetStyle(bsSolid);
        }
        x = right;
    }
    if (gridLines_) {
        cv->GetPen()->SetColor(static_cast<TColor>(0x808080));
        if (!editField) {
            cv->MoveTo(Rect.Left, Rect.Bottom - 1);
            cv->LineTo(Rect.Right, Rect.Bottom - 1);
        }
        if (!editField || editColumn_ == -1) {
            int sep = Rect.Left;
            for (int k = 0; k + 1 < n; ++k) {
                sep += columns_->GetItems(k)->GetWidth();
                cv->MoveTo(sep, Rect.Top + 1);
                cv->LineTo(sep, Rect.Bottom);
            }
        }
    }
    cv->GetBrush()->SetColor(GetColor());
    cv->GetPen()->SetColor(GetColor());
}

void TColumnComboBox::MeasureItem(int Index, int& Height) {
    if (Index < 0) {
        Height = GetEditHeight();
        return;
    }
    TBitmap measure;
    measure.GetCanvas()->GetFont()->Assign(GetFont());
    Height = measure.GetCanvas()->TextHeight("gh") + 4;
}

// --- choice ---

void TColumnComboBox::SetItemIndexP(int Value) {
    const bool droppedDown = Perform(CB_GETDROPPEDSTATE, 0, 0) != 0;
    if (droppedDown) remembered_ = Value;
    settingIndex_ = true;
    rememberedCopy_ = remembered_;
    Perform(CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
    settingIndex_ = false;
    if (!droppedDown) remembered_ = GetItemIndex();
}

void TColumnComboBox::Dispatch(TMessage& Message) {
    auto alive = Watch();
    switch (Message.Msg) {
    case CN_COMMAND: {
        const WORD code = HIWORD(Message.WParam);
        if (code == CBN_SELCHANGE && !settingIndex_) {
            dropped_ = false;
            remembered_ = GetItemIndex();
            Click();
            if (alive.expired()) return;
            if (OnChange) OnChange(this);
            if (alive.expired()) return;
            Invalidate();
            Message.Result = 0;
            return;
        }
        if (code == CBN_DROPDOWN) {
            // The list is DropHeight pixels high: as many rows as fit in it.
            int row = 0;
            MeasureItem(0, row);
            SetDropDownCount(std::max(1, dropHeight_ / std::max(1, row)));
            TKavCustomCombo::Dispatch(Message);
            if (alive.expired()) return;
            dropped_ = true;
            remembered_ = GetItemIndex();
            rememberedCopy_ = remembered_;
            Message.Result = 0;
            return;
        }
        return TKavCustomCombo::Dispatch(Message);
    }
    case WM_LBUTTONUP:
        TKavCustomCombo::Dispatch(Message);
        if (alive.expired()) return;
        if (dropped_) {
            SetItemIndexP(remembered_);
            if (!GetDroppedDown()) dropped_ = false;
        }
        return;
    case WM_CHAR: {
        // The lookup replaces the list's own search by first letter.
        TWMKey key(Message);
        if (DoKeyPress(key) || alive.expired()) return;
        const char ch = static_cast<char>(key.CharCode);
        if (ch != '\r' && ch != '\b' && ch != 27) LookupChar(ch);
        return;
    }
    case CM_HINTSHOW:
        if (Message.LParam && GetItemIndex() >= 0 && showItemHint_)
            reinterpret_cast<THintInfo*>(Message.LParam)->HintStr = ItemHint();
        return TKavCustomCombo::Dispatch(Message);
    default:
        TKavCustomCombo::Dispatch(Message);
    }
}

void TColumnComboBox::KeyDown(WORD& Key, TShiftState Shift) {
    TKavCustomCombo::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE || (Key >= VK_PRIOR && Key <= VK_DOWN)) {
        lookupText_ = "";
    } else if (Key == VK_BACK && !lookupText_.IsEmpty()) {
        lookupText_.SetLength(lookupText_.Length() - 1);
        if (showLookup_) Invalidate();
    }
}

// --- lookup ---

bool TColumnComboBox::LookupMatches(int Row) const {
    const auto fields = SplitComboLine(GetItems()->GetStrings(Row), delimiter);
    const int f = const_cast<TColumnComboBox*>(this)->FieldOfColumn(lookupColumn_);
    if (f < 1 || f >= static_cast<int>(fields.size()) || fields[f].IsEmpty()) return false;
    const AnsiString key = AnsiUpperCase(lookupText_);
    return AnsiUpperCase(fields[f]).SubString(1, key.Length()) == key;
}

void TColumnComboBox::LookupChar(char Ch) {
    auto alive = Watch();
    const auto choose = [&](int row) {
        SetItemIndexP(row);
        if (alive.expired()) return;
        Invalidate();
        if (OnChange) OnChange(this);
    };
    lookupText_ = lookupIncr_ ? lookupText_ + Ch : AnsiString(std::string(1, Ch));
    const int count = GetItems()->GetCount();
    const int selected = GetItemIndex();
    if (lookupIncr_ && selected >= 0) {
        for (int i = selected; i < count; ++i)
            if (LookupMatches(i)) return choose(i);
    }
    int first = -1;
    for (int i = 0; i < count; ++i) {
        if (!LookupMatches(i)) continue;
        if (first < 0) first = i;
        if (selected < 0 || i > selected) return choose(i);
    }
    if (!lookupIncr_) {
        if (first >= 0) choose(first);
        return;
    }
    // Nothing starts with the whole text: start again from this character.
    lookupText_ = AnsiString(std::string(1, Ch));
    for (int i = 0; i < count; ++i)
        if (LookupMatches(i)) return choose(i);
}

// --- sorting ---

void TColumnComboBox::Sort() {
    TStringList copy;
    copy.Assign(*GetItems());
    // The chosen row is followed through the exchanges, so that the same row stays chosen.
    sortChosen_ = GetItemIndex();
    ++updateCount_;
    try {
        if (copy.GetCount() > 1) QuickSortList(&copy, 0, copy.GetCount() - 1);
    } catch (...) {
        --updateCount_;
        throw;
    }
    --updateCount_;
    GetItems()->Assign(copy);
    TCustomComboBox::SetItemIndex(sortChosen_);
}

void TColumnComboBox::QuickSortList(TStringList* List, int L, int R) {
    const auto key = [&](int i) {
        const auto f = SplitComboLine(List->GetStrings(i), delimiter);
        return sortColumn_ >= 0 && sortColumn_ < static_cast<int>(f.size()) ? f[sortColumn_]
                                                                            : AnsiString();
    };
    const AnsiString pivot = key((L + R) / 2);
    int i = L, j = R;
    do {
        while (AnsiCompareStr(key(i), pivot) < 0 && i < R)
            ++i;
        while (AnsiCompareStr(key(j), pivot) > 0 && j > L)
            --j;
        if (i <= j) {
            if (i != j && AnsiCompareStr(key(i), key(j)) != 0) {
                List->Exchange(i, j);
                if (sortChosen_ == i)
                    sortChosen_ = j;
                else if (sortChosen_ == j)
                    sortChosen_ = i;
                if (i < items_->GetCount() && j < items_->GetCount()) {
                    TComboItem* a = items_->GetItems(i);
                    TComboItem* b = items_->GetItems(j);
                    TStringList t;
                    t.Assign(*a->strings_);
                    a->strings_->Assign(*b->strings_);
                    b->strings_->Assign(t);
                    std::swap(a->imageIndex_, b->imageIndex_);
                    std::swap(a->tag_, b->tag_);
                }
            }
            ++i;
            --j;
        }
    } while (i <= j);
    if (L < j) QuickSortList(List, L, j);
    if (i < R) QuickSortList(List, i, R);
}
