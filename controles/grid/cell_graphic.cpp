#include "controles/grid/cell_graphic.h"

#include "plataforma/gui/images/graphics.h"

#include <cmath>

TCellGraphic::~TCellGraphic() {
    if (CellCreated) {
        switch (CellType) {
        case ctBitmap:
        case ctRadio:
        case ctPicture:
        case ctFilePicture:
        case ctBitButton:
            delete CellBitmap;
            break;
        case ctIcon:
            delete CellIcon;
            break;
        default:
            break;
        }
    }
    // A multi-image record's index list is always its own.
    if (CellType == ctImages) delete CellBitmap;
}

void TCellGraphic::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TCellGraphic*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    CellType = s->CellType;
    CellVAlign = s->CellVAlign;
    CellHAlign = s->CellHAlign;
    CellIndex = s->CellIndex;
    CellTransparent = s->CellTransparent;
    CellBoolean = s->CellBoolean;
    CellAngle = s->CellAngle;
    CellStretch = s->CellStretch;
    CellColor = s->CellColor;
    CellColorTo = s->CellColorTo;
    CellTextColor = s->CellTextColor;
    CellTextColorTo = s->CellTextColorTo;
    CellMin = s->CellMin;
    CellMax = s->CellMax;
    CellFormat = s->CellFormat;
    CellCaption = s->CellCaption;
    CellMarkerStart = s->CellMarkerStart;
    CellMarkerLength = s->CellMarkerLength;
    CellCreated = s->CellCreated;
}

void TCellGraphic::SetKind(TCellType Kind, TCellHAlign HAlign, TCellVAlign VAlign) {
    CellType = Kind;
    CellHAlign = HAlign;
    CellVAlign = VAlign;
}

void TCellGraphic::SetBitmap(TBitmap* ABitmap, bool Transparent, TCellHAlign HAlign,
                             TCellVAlign VAlign) {
    SetKind(ctBitmap, HAlign, VAlign);
    CellBitmap = ABitmap;
    CellTransparent = Transparent;
}

void TCellGraphic::SetIcon(TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign) {
    SetKind(ctIcon, HAlign, VAlign);
    CellIcon = AIcon;
}

void TCellGraphic::SetImageIdx(int Index, TCellHAlign HAlign, TCellVAlign VAlign) {
    SetKind(ctImageList, HAlign, VAlign);
    CellIndex = Index;
}

void TCellGraphic::SetDataImage(int Index, TCellHAlign HAlign, TCellVAlign VAlign) {
    SetKind(ctDataImage, HAlign, VAlign);
    CellIndex = Index;
}

void TCellGraphic::SetCheckBox(bool State, bool Data, bool Flag, TCellHAlign HAlign,
                               TCellVAlign VAlign) {
    SetKind(Data ? ctDataCheckBox : ctCheckBox, HAlign, VAlign);
    CellBoolean = State;
    CellTransparent = Flag;
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                              int Inset, TCellHAlign HAlign, TCellVAlign VAlign) {
    SetPictureKind(ctPicture, APicture, Transparent, StretchMode, Inset, HAlign, VAlign);
}

void TCellGraphic::SetFilePicture(TPersistent* APicture, bool Transparent, TStretchMode StretchMode,
                                  int Inset, TCellHAlign HAlign, TCellVAlign VAlign) {
    SetPictureKind(ctFilePicture, APicture, Transparent, StretchMode, Inset, HAlign, VAlign);
}

void TCellGraphic::SetPictureKind(TCellType Kind, TObject* APicture, bool Transparent,
                                  TStretchMode StretchMode, int Inset, TCellHAlign HAlign,
                                  TCellVAlign VAlign) {
    SetKind(Kind, HAlign, VAlign);
    CellBitmap = APicture;
    CellTransparent = Transparent;
    CellStretch = StretchMode;
    CellIndex = Inset;
}

void TCellGraphic::SetButton(int Width, int Height, const AnsiString& Caption, TCellHAlign HAlign,
                             TCellVAlign VAlign) {
    SetKind(ctButton, HAlign, VAlign);
    CellIndex = static_cast<int32_t>((static_cast<uint32_t>(Height) << 16) |
                                     (static_cast<uint32_t>(Width) & 0xFFFF));
    CellCaption = Caption;
    CellBoolean = 0;
}

void TCellGraphic::SetBitButton(int Width, int Height, const AnsiString& Caption, TBitmap* Glyph,
                                TCellHAlign HAlign, TCellVAlign VAlign) {
    SetButton(Width, Height, Caption, HAlign, VAlign);
    CellType = ctBitButton;
    CellBitmap = Glyph;
}

void TCellGraphic::SetAngle(int Angle) {
    CellType = ctRotated;
    while (Angle < 0)
        Angle += 360;
    while (Angle > 360)
        Angle -= 360;
    CellAngle = Angle;
}

namespace {

void OwnSize(const TObject* Object, int& W, int& H) {
    W = H = 0;
    if (auto* p = dynamic_cast<const TPicture*>(Object)) {
        W = p->GetWidth();
        H = p->GetHeight();
    } else if (auto* g = dynamic_cast<const TGraphic*>(Object)) {
        W = g->GetWidth();
        H = g->GetHeight();
    }
}

// Halves to even, as the class library rounds.
int RoundEven(double Value) {
    return static_cast<int>(std::nearbyint(Value));
}

} // namespace

void TCellGraphic::GetPictureSize(int W, int H, int& PW, int& PH) const {
    int pw = 0, ph = 0;
    OwnSize(CellBitmap, pw, ph);
    const int aw = W - CellIndex, ah = H - CellIndex;
    auto aspect = [&](bool Cap) {
        double rw = pw < 1 ? 1.0 : static_cast<double>(aw) / pw;
        double rh = ph < 1 ? 1.0 : static_cast<double>(ah) / ph;
        if (Cap) {
            rw = std::min(rw, 1.0);
            rh = std::min(rh, 1.0);
        }
        if (rh <= rw) {
            PW = RoundEven(pw * rh);
            PH = ah;
        } else {
            PW = aw;
            PH = RoundEven(ph * rw);
        }
    };
    const bool larger = pw > aw || ph > ah;
    switch (CellStretch) {
    case noStretch:
        PW = pw;
        PH = ph;
        break;
    case Stretch:
        PW = aw;
        PH = ah;
        break;
    case StretchWithAspectRatio:
        aspect(false);
        break;
    case Shrink:
        PW = larger ? aw : pw;
        PH = larger ? ah : ph;
        break;
    case ShrinkWithAspectRatio:
        if (larger) {
            aspect(true);
        } else {
            PW = pw;
            PH = ph;
        }
        break;
    }
}

void FreeOwnedCellGraphic(TObject* Graphic) {
    auto* g = dynamic_cast<TCellGraphic*>(Graphic);
    if (g && !IsSharedCellGraphic(g->CellType)) delete g;
}
