#pragma once
// Small objects the grid keeps inside itself: an integer list that reports its changes
// (TIntList), the multi-column sort index built on it (TSortIndexList), the register of
// controls placed in cells (TControlList), a picture referenced by file name (TFilePicture)
// and the small top-most caption window (TPopupButton). The arrow window is in
// arrow_window.h.

#include "plataforma/base/list.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/kernel/controls.h"

#include <functional>

using TImageChangeEvent = std::function<void(TObject* Sender, int Acol, int Arow)>;

// 32-bit integers in the slots of a pointer list. Writing an item, Add and Delete report the
// change (with the column and row given at creation); Insert and Clear do not.
class TIntList : public TList {
public:
    TIntList(int Col, int Row) : col_(Col), row_(Row) {}

    int GetItems(int Index) const;
    void SetItems(int Index, int Value);
    int Add(int Value);
    void Delete(int Index);
    void Insert(int Index, int Value);
    // "1,2,3"; writing takes comma text (quotes allowed), each element an integer
    // (EConvertError for one that is not; the elements before it stay).
    AnsiString GetStrValue() const;
    void SetStrValue(const AnsiString& Value);

    TImageChangeEvent OnChange;

private:
    void Changed();
    int col_, row_;
};

// One item per sort column, in order of precedence: the column in bits 0-30, bit 31 set for
// a descending sort.
class TSortIndexList : public TIntList {
public:
    TSortIndexList() : TIntList(0, 0) {}
    void AddIndex(int Column, bool Ascending);
    int FindIndex(int Column) const;
    void ToggleIndex(int Column);
    int GetSortColumns(int Index) const;
    void SetSortColumns(int Index, int Value);
    bool GetSortDirections(int Index) const;
    void SetSortDirections(int Index, bool Value);
};

class TControlItem : public TObject {
public:
    TControlItem(int Col, int Row, TControl* Control) : col_(Col), row_(Row), control_(Control) {}
    int GetX() const { return col_; }
    int GetY() const { return row_; }
    void SetX(int Value) { col_ = Value; }
    void SetY(int Value) { row_ = Value; }
    TControl* GetControl() const { return control_; }

private:
    int col_, row_;
    TControl* control_; // not owned
};

// Owns its items, never the controls.
class TControlList : public TList {
public:
    TControlList() = default;
    ~TControlList() override;
    void AddControl(int Col, int Row, TControl* Control);
    int ControlIndex(int Col, int Row) const;
    TControlItem* GetControl(int Index) const;
    bool HasHandle(HWND Handle) const;
    void RemoveControl(int Index);
};

class TFilePicture : public TPersistent {
public:
    const AnsiString& GetFilename() const { return filename_; }
    // Loads the file to learn its size; a file that cannot be read raises the picture
    // loader's exception, and the name stays.
    void SetFilename(const AnsiString& Value);
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    // The size as a stored grid gives it, without loading the file.
    void SetWidth(int Value) { width_ = Value; }
    void SetHeight(int Value) { height_ = Value; }
    void DrawPicture(TCanvas* Canvas, const TRect& Rect);
    void Assign(TPersistent* Source) override;

private:
    AnsiString filename_;
    int width_ = 0, height_ = 0;
};

// A disabled pop-up window with a caption (plain, or markup when it holds "</").
class TPopupButton : public TCustomControl {
public:
    explicit TPopupButton(TComponent* AOwner);
    const AnsiString& GetCaption() const { return caption_; }
    void SetCaption(const AnsiString& Value);
    bool GetFlat() const { return flat_; }
    void SetFlat(bool Value);
    TColor GetGradFrom() const { return gradFrom_; }
    void SetGradFrom(TColor Value);
    TColor GetGradTo() const { return gradTo_; }
    void SetGradTo(TColor Value);
    TCustomImageList* GetImages() const { return images_; }
    void SetImages(TCustomImageList* Value) { images_ = Value; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;

private:
    AnsiString caption_;
    bool flat_ = false;
    TColor gradFrom_ = clNone, gradTo_ = clNone;
    TCustomImageList* images_ = nullptr;
};
