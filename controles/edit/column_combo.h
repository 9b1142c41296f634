#pragma once
// TColumnComboBox: an owner-drawn combo whose rows show several columns, each with its own
// width, colour, font, alignment and kind (text or image). Rows and columns are edited through
// two collections; each row becomes one encoded line of the list ("#image|text|text..."),
// drawn column by column, sorted on a field and searched as the user types.

#include "controles/edit/kav_combo.h"
#include "plataforma/base/collection.h"
#include "plataforma/gui/painting/font.h"

#include <memory>

class TImageList;
class TColumnComboBox;

enum TColumnType { ctText, ctImage };

class TComboColumnItem : public TCollectionItem {
public:
    explicit TComboColumnItem(TCollection* Collection);
    ~TComboColumnItem() override;

    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    TColumnType GetColumnType() const { return columnType_; }
    void SetColumnType(TColumnType Value);
    int GetWidth() const { return width_; }
    void SetWidth(int Value);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TFont* GetFont() const { return font_.get(); }
    void SetFont(TFont* Value);
    AnsiString GetDisplayName() const;
    void Assign(TPersistent* Source) override;

private:
    void Repaint();

    TColor color_ = clWindow;
    TColumnType columnType_ = ctText;
    int width_ = 100;
    TAlignment alignment_ = taLeftJustify;
    std::unique_ptr<TFont> font_;
};

class TComboItem : public TCollectionItem {
public:
    explicit TComboItem(TCollection* Collection);
    ~TComboItem() override;

    int GetImageIndex() const { return imageIndex_; }
    // Repaints only: the encoded line keeps the old index until the lines are rebuilt.
    void SetImageIndex(int Value);
    TStringList* GetStrings() const { return strings_.get(); }
    void SetStrings(TStrings* Value) { strings_->Assign(*Value); }
    int GetTag() const { return tag_; }
    void SetTag(int Value) { tag_ = Value; }
    AnsiString GetDisplayName() const;
    void Assign(TPersistent* Source) override;

private:
    friend class TColumnComboBox;
    void StringsChanged(TObject* Sender);
    TColumnComboBox* Combo() const;

    int imageIndex_ = -1;
    std::unique_ptr<TStringList> strings_;
    int tag_ = 0;
};

class TComboColumnCollection : public TCollection {
public:
    explicit TComboColumnCollection(TColumnComboBox* Owner);
    TComboColumnItem* Add() { return static_cast<TComboColumnItem*>(TCollection::Add()); }
    TComboColumnItem* Insert(int Index) {
        return static_cast<TComboColumnItem*>(TCollection::Insert(Index));
    }
    TComboColumnItem* GetItems(int Index) const {
        return static_cast<TComboColumnItem*>(GetItem(Index));
    }
    void SetItems(int Index, TComboColumnItem* Value) { SetItem(Index, Value); }
    TPersistent* GetOwner() const override;
    TColumnComboBox* Combo() const { return owner_; }

private:
    TColumnComboBox* owner_;
};

class TComboItemCollection : public TCollection {
public:
    explicit TComboItemCollection(TColumnComboBox* Owner);
    TComboItem* Add() { return static_cast<TComboItem*>(TCollection::Add()); }
    TComboItem* Insert(int Index) { return static_cast<TComboItem*>(TCollection::Insert(Index)); }
    TComboItem* GetItems(int Index) const { return static_cast<TComboItem*>(GetItem(Index)); }
    void SetItems(int Index, TComboItem* Value) { SetItem(Index, Value); }
    TPersistent* GetOwner() const override;
    TColumnComboBox* Combo() const { return owner_; }

protected:
    // Rows added or removed: the lines follow.
    void Update(TCollectionItem* Item) override;

public:
    // The first row whose text in Column equals S exactly; -1 when none.
    int IndexInColumnOf(int Column, const AnsiString& S) const;
    // The first index in row Row's texts equal to S; -1 when none or no such row.
    int IndexInRowOf(int Row, const AnsiString& S) const;
    // X: the index within the texts, Y: the row, of the last row that holds S; (-1, -1).
    TPoint IndexOf(const AnsiString& S) const;
    // One line per row, its texts as comma text (image index and tag are not kept).
    void SaveToFile(const AnsiString& FileName) const;
    // Replaces the rows by the file's lines; a file that cannot be opened leaves none.
    void LoadFromFile(const AnsiString& FileName);

private:
    TColumnComboBox* owner_;
};

class TColumnComboBox : public TKavCustomCombo {
public:
    explicit TColumnComboBox(TComponent* AOwner);
    ~TColumnComboBox() override;

    TComboColumnCollection* GetColumns() const { return columns_.get(); }
    void SetColumns(TComboColumnCollection* Value) { columns_->Assign(Value); }
    TComboItemCollection* GetComboItems() const { return items_.get(); }
    void SetComboItems(TComboItemCollection* Value) { items_->Assign(Value); }
    int GetEditColumn() const { return editColumn_; }
    void SetEditColumn(int Value);
    int GetEditHeight();
    void SetEditHeight(int Value);
    int GetDropHeight() const { return dropHeight_; }
    void SetDropHeight(int Value) { dropHeight_ = Value; }
    TImageList* GetImages() const { return images_; }
    void SetImages(TImageList* Value);
    bool GetGridLines() const { return gridLines_; }
    void SetGridLines(bool Value);
    int GetItemIndex();
    void SetItemIndex(int Value) { SetItemIndexP(Value); }
    bool GetLookupIncr() const { return lookupIncr_; }
    void SetLookupIncr(bool Value) { lookupIncr_ = Value; }
    int GetLookupColumn() const { return lookupColumn_; }
    void SetLookupColumn(int Value) { lookupColumn_ = Value; }
    bool GetShowLookup() const { return showLookup_; }
    void SetShowLookup(bool Value) { showLookup_ = Value; }
    bool GetShowItemHint() const { return showItemHint_; }
    void SetShowItemHint(bool Value) { showItemHint_ = Value; }
    int GetSortColumn() const { return sortColumn_; }
    void SetSortColumn(int Value) { sortColumn_ = Value; }
    bool GetSortedEx() const { return sorted_; }
    void SetSortedEx(bool Value);
    // Always owner-drawn with fixed heights, whatever is given.
    void SetStyle(TComboBoxStyle) { TCustomComboBox::SetStyle(csOwnerDrawFixed); }
    const AnsiString& GetLookupText() const { return lookupText_; }

    // The field delimiter of the encoded lines, shared by every column combo.
    static char GetDelimiter();
    static void SetDelimiter(char Value);

    // The text of column Column (counting every column) of row Index. Raise "Item index out
    // of range" for a row that has no line.
    AnsiString GetColumnItems(int Index, int Column);
    // Replaces that text in the encoded line only (the row's texts stay).
    void SetColumnItems(int Index, int Column, const AnsiString& Value);
    // The edit field's text: the selected row's text of EditColumn, or the control's text.
    AnsiString GetEditText();
    // The hint shown over the control: the selected row's texts with ShowItemHint.
    AnsiString ItemHint();

    void BuildItems();
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void Sort();
    int GetVersionNr() const override { return 0x01030100; }

protected:
    void Loaded() override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    void MeasureItem(int Index, int& Height) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // OnChange comes only from a choice in the list and from the lookup.
    void Change() override {}

private:
    friend class TComboItem;
    void SetItemIndexP(int Value);
    void Changed();
    void LookupChar(char Ch);
    bool LookupMatches(int Row) const;
    void QuickSortList(TStringList* List, int L, int R);
    // The field of a line that holds the text of Column (counting every column).
    int FieldOfColumn(int Column) const;
    void CheckLine(int Index);

    std::unique_ptr<TComboColumnCollection> columns_;
    std::unique_ptr<TComboItemCollection> items_;
    int editColumn_ = -1;
    int dropHeight_ = 200;
    TImageList* images_ = nullptr;
    bool gridLines_ = false;
    bool lookupIncr_ = false;
    int lookupColumn_ = 0;
    bool showLookup_ = false;
    bool showItemHint_ = false;
    int sortColumn_ = 0;
    bool sorted_ = false;
    AnsiString lookupText_;
    int remembered_ = 0;
    int rememberedCopy_ = 0;
    bool dropped_ = false;
    bool settingIndex_ = false;
    int updateCount_ = 0;
    // While sorting: where the chosen row has gone (-1 for none).
    int sortChosen_ = -1;
};

// The encoded line of a row: "#" and the image index, then one field per column, each a
// delimiter and the text; a delimiter or backslash inside a text is kept by a backslash.
AnsiString EncodeComboLine(int ImageIndex, const TStrings& Texts, int Columns, char Delimiter);
// The fields of an encoded line (field 0 is "#" and the image index), escapes undone.
std::vector<AnsiString> SplitComboLine(const AnsiString& Line, char Delimiter);
