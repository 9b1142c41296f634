#pragma once
// TCustomImageList / TImageList: images of one size, kept with their transparency, drawn on
// a canvas by index (normal, selected or focused look, or the grey embossed look of a
// disabled image). A bitmap wider than the list's width adds one image per strip. The
// Win32 image-list calls made on its Handle are here too. A bad index raises
// EInvalidOperation ("Invalid ImageList Index").

#include "plataforma/base/component.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/images/graphics.h"

#include <memory>

struct HIMAGELIST__;
using HIMAGELIST = HIMAGELIST__*;

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    // The class library's CreateSize.
    TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);
    ~TCustomImageList() override;

    // Changing the size empties the list, as the class library does.
    int GetWidth() const { return width_; }
    void SetWidth(int Value);
    int GetHeight() const { return height_; }
    void SetHeight(int Value);
    int GetCount() const;
    bool GetMasked() const { return masked_; }
    void SetMasked(bool Value);
    // Drawn behind the images; clNone leaves the canvas showing through.
    TColor GetBkColor() const { return bkColor_; }
    void SetBkColor(TColor Value);
    // The colour that dsFocus and dsSelected blend in (clNone: the highlight colour).
    TColor GetBlendColor() const { return blendColor_; }
    void SetBlendColor(TColor Value) { blendColor_ = Value; }
    TDrawingStyle GetDrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle Value) { drawingStyle_ = Value; }
    TImageType GetImageType() const { return imageType_; }
    void SetImageType(TImageType Value) { imageType_ = Value; }

    // Mask: white where the image is transparent (ignored when not Masked). Returns the index
    // of the first image added, -1 when nothing was.
    int Add(TBitmap* Image, TBitmap* Mask);
    // MaskColor is transparent; clDefault takes the bitmap's bottom-left pixel.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    // The icon, scaled to the list's size when it differs.
    int AddIcon(TIcon* Image);
    void Insert(int Index, TBitmap* Image, TBitmap* Mask);
    void InsertMasked(int Index, TBitmap* Image, TColor MaskColor);
    void Replace(int Index, TBitmap* Image, TBitmap* Mask);
    void ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor);
    void Delete(int Index);
    void Move(int CurIndex, int NewIndex);
    void Clear();

    // An index outside the list draws nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
              TImageType AImageType, bool Enabled = true);
    // The image on a bitmap of the list's size, over BkColor (white when clNone).
    void GetBitmap(int Index, TBitmap* Image);
    void GetIcon(int Index, TIcon* Image);

    HIMAGELIST GetHandle();
    TNotifyEvent OnChange;

    // --- inside the platform layer ---
    static TCustomImageList* FromHandle(HIMAGELIST Handle);

private:
    struct Impl;
    void Changed();
    void CheckIndex(int Index) const;
    std::unique_ptr<Impl> impl_;
    int width_ = 16;
    int height_ = 16;
    bool masked_ = true;
    TColor bkColor_ = clNone;
    TColor blendColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};

enum : UINT { ILD_NORMAL = 0x0000, ILD_TRANSPARENT = 0x0001, ILD_MASK = 0x0010 };
int ImageList_GetImageCount(HIMAGELIST himl);
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle);
