#pragma once
// TCellGraphic: the one graphic a grid cell may carry besides its text (a bitmap, an icon,
// an image of the grid's image list, a check box, a picture, a button, a rotation...). It
// sits in the graphic reference of the cell's properties; the grid makes, finds and frees
// it, and the painter draws it.

#include "plataforma/base/component.h"
#include "plataforma/gui/painting/colors.h"

#include <cstdint>

class TBitmap;
class TIcon;
class TPicture;

enum TCellType : uint8_t {
    ctBitmap,
    ctIcon,
    ctNone,
    ctImageList,
    ctCheckBox,
    ctDataCheckBox,
    ctRotated,
    ctDataImage,
    ctNode,
    ctRadio,
    ctEmpty,
    ctImages,
    ctPicture,
    ctFilePicture,
    ctValue,
    ctProgress,
    ctComment,
    ctButton,
    ctBitButton,
    ctVirtCheckBox,
    ctRowCheckBox,
    ctProgressPie,
    ctSummary,
    ctRangeIndicator
};

enum TCellVAlign : uint8_t { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TCellHAlign : uint8_t { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };

class TCellGraphic : public TPersistent {
public:
    TCellGraphic() = default;
    // Frees what the record owns (see the owned flag).
    ~TCellGraphic() override;
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;

    // Copies the kind, alignments, value, flag, state, angle and further values, caption and
    // owned flag; not the graphic object or icon references.
    void Assign(TPersistent* Source) override;

    // The kind and both alignments, set together by every Set* below and the grid's Add*.
    void SetKind(TCellType Kind, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetBitmap(TBitmap* ABitmap, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetIcon(TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetImageIdx(int Index, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetDataImage(int Index, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetCheckBox(bool State, bool Data, bool Flag, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Inset,
                    TCellHAlign HAlign, TCellVAlign VAlign);
    // The file picture is any graphic or picture object that knows its size.
    void SetFilePicture(TPersistent* APicture, bool Transparent, TStretchMode StretchMode,
                        int Inset, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetButton(int Width, int Height, const AnsiString& Caption, TCellHAlign HAlign,
                   TCellVAlign VAlign);
    void SetBitButton(int Width, int Height, const AnsiString& Caption, TBitmap* Glyph,
                      TCellHAlign HAlign, TCellVAlign VAlign);
    // Brought into 0..360 (360 itself stays).
    void SetAngle(int Angle);

    // The drawn size of a picture in an area of W x H (less the inset) by the stretch mode.
    void GetPictureSize(int W, int H, int& PW, int& PH) const;

    TCellType CellType = ctNone;
    TObject* CellBitmap = nullptr; // bitmap, picture, file picture, radio items, glyph
    TIcon* CellIcon = nullptr;
    TCellVAlign CellVAlign = vaTop;
    TCellHAlign CellHAlign = haLeft;
    int32_t CellIndex = 0;       // image index; button size (low: width, high: height); inset
    uint8_t CellTransparent = 0; // transparent flag, third check-box flag
    uint8_t CellCreated = 0;     // the record owns its graphic object
    uint8_t CellBoolean = 0;     // check box, button state, multi-image direction
    int CellAngle = 0;
    TStretchMode CellStretch = noStretch;
    // The further values of progress, range and comment kinds.
    TColor CellColor = clNone;
    TColor CellColorTo = clNone;
    TColor CellTextColor = clNone;
    TColor CellTextColorTo = clNone;
    int CellMin = 0;
    int CellMax = 100;
    AnsiString CellFormat;
    AnsiString CellCaption;
    // The two values of a cell's marker (start and length of a marked stretch of text).
    int CellMarkerStart = 0;
    int CellMarkerLength = 0;
    // Where the painter put a button in its cell: x in the low 16 bits, y in the high ones.
    int32_t CellButtonOffset = 0;

private:
    void SetPictureKind(TCellType Kind, TObject* APicture, bool Transparent,
                        TStretchMode StretchMode, int Inset, TCellHAlign HAlign,
                        TCellVAlign VAlign);
};

// Frees Graphic when it is a TCellGraphic that a cell owns: the records of the virtual and
// row check boxes are shared by the grid and stay. Anything else is not the cell's to free.
void FreeOwnedCellGraphic(TObject* Graphic);
// Whether a record of this kind is shared by the grid (never freed with a cell).
inline bool IsSharedCellGraphic(TCellType Kind) {
    return Kind == ctVirtCheckBox || Kind == ctRowCheckBox;
}
