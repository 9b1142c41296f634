#pragma once
// The small components whose binary images make up the grid's binary form: the grid's size
// and line sizes, one cell's place and text, its properties, its graphic and the graphic's
// object (bitmap, icon, picture, file picture, string list). One of each is made for a save
// or a load and its image written or read once per record.

#include "controles/grid/cell_graphic.h"
#include "controles/grid/cell_properties.h"
#include "controles/grid/grid_support.h"
#include "plataforma/base/component.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/images/graphics.h"

#include <memory>

class TGridPropIO : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TGridPropIO"; }
    void WriteProperties(TWriter& W) override;
    void ReadProperty(const AnsiString& Name, TReader& R) override;

    int ColCount = 0;
    int RowCount = 0;
    AnsiString ColWidths;
    AnsiString RowHeights;
    bool FullGrid = false;
    int ID = 0;
};

// Col and Row are streamed as integers of their own width: 32 bits where they need it.
class TGridCellIO : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TGridCellIO"; }
    void WriteProperties(TWriter& W) override;
    void ReadProperty(const AnsiString& Name, TReader& R) override;

    int Col = 0;
    int Row = 0;
    AnsiString Cell;
    bool HasProp = false;
};

class TGridCellPropIO : public TComponent {
public:
    TGridCellPropIO(TComponent* AOwner, TBaseGrid* Grid);
    AnsiString ClassName() const override { return "TGridCellPropIO"; }
    void WriteProperties(TWriter& W) override;
    void ReadProperty(const AnsiString& Name, TReader& R) override;

    TCellProperties* GetCellProperties() const { return props_.get(); }
    bool HasGraphic = false;

private:
    std::unique_ptr<TCellProperties> props_;
};

class TGridGraphicIO : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TGridGraphicIO"; }
    void WriteProperties(TWriter& W) override;
    void ReadProperty(const AnsiString& Name, TReader& R) override;

    TCellGraphic* GetCellGraphic() { return &graphic_; }

private:
    TCellGraphic graphic_;
};

class TGridBMPIO : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TGridBMPIO"; }
    void WriteProperties(TWriter& W) override;
    void ReadProperty(const AnsiString& Name, TReader& R) override;
    TBitmap* GetBitmap() { return &bitmap_; }

private:
    TBitmap bitmap_;
};

class TGridIconIO : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TGridIconIO"; }
    void WriteProperties(TWriter& W) override;
    void ReadProperty(const AnsiString& Name, TReader& R) override;
    TIcon* GetIcon() { return &icon_; }

private:
    TIcon icon_;
};

class TGridPicIO : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TGridPicIO"; }
    void WriteProperties(TWriter& W) override;
    void ReadProperty(const AnsiString& Name, TReader& R) override;
    TPicture* GetPicture() { return &picture_; }

private:
    TPicture picture_;
};

class TGridFilePicIO : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TGridFilePicIO"; }
    void WriteProperties(TWriter& W) override;
    void ReadProperty(const AnsiString& Name, TReader& R) override;
    TFilePicture* GetPicture() { return &picture_; }

private:
    TFilePicture picture_;
};

class TGridSLIO : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TGridSLIO"; }
    void WriteProperties(TWriter& W) override;
    void ReadProperty(const AnsiString& Name, TReader& R) override;
    TStringList* GetStrings() { return &strings_; }

private:
    TStringList strings_;
};
