#include "plataforma/gui/images/image_list.h"

#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/images/graphics_internal.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <unordered_set>
#include <vector>

struct TCustomImageList::Impl {
    std::vector<QImage> images; // width x height, premultiplied, transparent where masked
};

namespace {

std::unordered_set<const TCustomImageList*>& Lists() {
    static std::unordered_set<const TCustomImageList*> lists;
    return lists;
}

QRgb Rgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The images of a bitmap cut into strips of the list's width.
std::vector<QImage> Strips(const QImage& source, int w, int h) {
    std::vector<QImage> out;
    if (source.isNull() || w <= 0 || h <= 0) return out;
    const int n = std::max(1, source.width() / w);
    for (int i = 0; i < n; ++i) {
        QImage strip(w, h, QImage::Format_ARGB32_Premultiplied);
        strip.fill(Qt::transparent);
        QPainter p(&strip);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, source, i * w, 0, w, h);
        out.push_back(strip);
    }
    return out;
}

// The silhouette of an image (its visible pixels that are not near white) in one colour.
QImage Silhouette(const QImage& image, COLORREF color) {
    QImage out(image.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = in[x];
            const bool ink =
                qAlpha(c) >= 128 && !(qRed(c) > 0xF0 && qGreen(c) > 0xF0 && qBlue(c) > 0xF0);
            if (ink) line[x] = Rgb(color);
        }
    }
    return out;
}

QImage Blended(const QImage& image, COLORREF color, int percent) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            if (qAlpha(c) == 0) continue;
            auto mix = [&](int a, int b) { return a + (b - a) * percent / 100; };
            line[x] = qRgba(mix(qRed(c), GetRValue(color)), mix(qGreen(c), GetGValue(color)),
                            mix(qBlue(c), GetBValue(color)), qAlpha(c));
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner)
    : TComponent(AOwner), impl_(std::make_unique<Impl>()) {
    Lists().insert(this);
}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight)
    : TCustomImageList(AOwner) {
    width_ = std::max(1, AWidth);
    height_ = std::max(1, AHeight);
}

TCustomImageList::~TCustomImageList() {
    Lists().erase(this);
}

void TCustomImageList::Changed() {
    if (OnChange) OnChange(this);
}

void TCustomImageList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) throw EInvalidOperation("Invalid ImageList Index");
}

void TCustomImageList::SetWidth(int Value) {
    if (Value <= 0 || Value == width_) return;
    width_ = Value;
    Clear();
}

void TCustomImageList::SetHeight(int Value) {
    if (Value <= 0 || Value == height_) return;
    height_ = Value;
    Clear();
}

int TCustomImageList::GetCount() const {
    return static_cast<int>(impl_->images.size());
}

void TCustomImageList::SetMasked(bool Value) {
    if (Value == masked_) return;
    masked_ = Value;
    Changed();
}

void TCustomImageList::SetBkColor(TColor Value) {
    if (Value == bkColor_) return;
    bkColor_ = Value;
    Changed();
}

namespace {

std::vector<QImage> MaskedStrips(const QImage& image, const QImage* mask,
                                 std::optional<COLORREF> key, bool masked, int w, int h) {
    QImage source = image.convertToFormat(QImage::Format_ARGB32);
    if (masked && key)
        source = WithTransparentColor(source, *key).convertToFormat(QImage::Format_ARGB32);
    if (masked && mask && !mask->isNull()) {
        const QImage m = mask->convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < source.height() && y < m.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(source.scanLine(y));
            const auto* ml = reinterpret_cast<const QRgb*>(m.constScanLine(y));
            for (int x = 0; x < source.width() && x < m.width(); ++x)
                if (qGray(ml[x]) >= 128) line[x] = 0;
        }
    }
    return Strips(source.convertToFormat(QImage::Format_ARGB32_Premultiplied), w, h);
}

} // namespace

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
    const int first = GetCount();
    Insert(first, Image, Mask);
    return GetCount() > first ? first : -1;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    const int first = GetCount();
    InsertMasked(first, Image, MaskColor);
    return GetCount() > first ? first : -1;
}

int TCustomImageList::AddIcon(TIcon* Image) {
    if (!Image || Image->GetEmpty()) return -1;
    QImage icon = GraphicAccess::Render(Image);
    if (icon.width() != width_ || icon.height() != height_)
        icon = icon.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    impl_->images.push_back(icon.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    Changed();
    return GetCount() - 1;
}

void TCustomImageList::Insert(int Index, TBitmap* Image, TBitmap* Mask) {
    if (!Image || Image->GetEmpty()) return;
    if (Index < 0 || Index > GetCount()) throw EInvalidOperation("Invalid ImageList Index");
    const QImage* mask = Mask && !Mask->GetEmpty() ? &GraphicAccess::Pixels(Mask) : nullptr;
    const std::vector<QImage> strips =
        MaskedStrips(GraphicAccess::Pixels(Image), mask, std::nullopt, masked_, width_, height_);
    impl_->images.insert(impl_->images.begin() + Index, strips.begin(), strips.end());
    Changed();
}

void TCustomImageList::InsertMasked(int Index, TBitmap* Image, TColor MaskColor) {
    if (!Image || Image->GetEmpty()) return;
    if (Index < 0 || Index > GetCount()) throw EInvalidOperation("Invalid ImageList Index");
    const TColor key = MaskColor == clDefault ? Image->GetTransparentColor() : MaskColor;
    const std::vector<QImage> strips =
        MaskedStrips(GraphicAccess::Pixels(Image), nullptr, ColorToRGB(key) & 0xFFFFFF, masked_,
                     width_, height_);
    impl_->images.insert(impl_->images.begin() + Index, strips.begin(), strips.end());
    Changed();
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
    CheckIndex(Index);
    if (!Image || Image->GetEmpty()) return;
    const QImage* mask = Mask && !Mask->GetEmpty() ? &GraphicAccess::Pixels(Mask) : nullptr;
    const std::vector<QImage> strips =
        MaskedStrips(GraphicAccess::Pixels(Image), mask, std::nullopt, masked_, width_, height_);
    impl_->images[static_cast<size_t>(Index)] = strips.front();
    Changed();
}

void TCustomImageList::ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor) {
    CheckIndex(Index);
    if (!NewImage || NewImage->GetEmpty()) return;
    const TColor key = MaskColor == clDefault ? NewImage->GetTransparentColor() : MaskColor;
    const std::vector<QImage> strips =
        MaskedStrips(GraphicAccess::Pixels(NewImage), nullptr, ColorToRGB(key) & 0xFFFFFF, masked_,
                     width_, height_);
    impl_->images[static_cast<size_t>(Index)] = strips.front();
    Changed();
}

void TCustomImageList::Delete(int Index) {
    CheckIndex(Index);
    impl_->images.erase(impl_->images.begin() + Index);
    Changed();
}

void TCustomImageList::Move(int CurIndex, int NewIndex) {
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    QImage moving = impl_->images[static_cast<size_t>(CurIndex)];
    impl_->images.erase(impl_->images.begin() + CurIndex);
    impl_->images.insert(impl_->images.begin() + NewIndex, moving);
    Changed();
}

void TCustomImageList::Clear() {
    if (impl_->images.empty()) return;
    impl_->images.clear();
    Changed();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
    Draw(Canvas, X, Y, Index, drawingStyle_, imageType_, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
    if (!Canvas || Index < 0 || Index >= GetCount()) return;
    CanvasOperation op(Canvas, "ImageListDraw", {X, Y, Index, Enabled ? 1 : 0});
    CanvasDevice& d = Canvas->Device();
    const QImage& image = impl_->images[static_cast<size_t>(Index)];
    const QRect at(X, Y, width_, height_);
    if (AImageType == itMask) {
        // The mask: black where the image shows, white where it is transparent.
        QImage mask(image.size(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                mask.setPixel(x, y,
                              qAlpha(image.pixel(x, y)) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        d.Image(at, mask, mask.rect(), cmSrcCopy);
        op.Done();
        return;
    }
    if (bkColor_ != clNone && ADrawingStyle != dsTransparent)
        d.SolidRect(at, ColorToRGB(bkColor_) & 0xFFFFFF, pmCopy);
    if (!Enabled) {
        // The disabled look: the image's shape embossed in the 3-D colours.
        d.Image(at.translated(1, 1), Silhouette(image, GetSysColor(COLOR_BTNHIGHLIGHT)),
                image.rect(), cmSrcCopy);
        d.Image(at, Silhouette(image, GetSysColor(COLOR_BTNSHADOW)), image.rect(), cmSrcCopy);
    } else if (ADrawingStyle == dsFocus || ADrawingStyle == dsSelected) {
        const COLORREF blend = ColorToRGB(blendColor_ == clNone ? clHighlight : blendColor_);
        d.Image(at, Blended(image, blend & 0xFFFFFF, ADrawingStyle == dsSelected ? 50 : 25),
                image.rect(), cmSrcCopy);
    } else {
        d.Image(at, image, image.rect(), cmSrcCopy);
    }
    op.Done();
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
    if (!Image || Index < 0 || Index >= GetCount()) return;
    Image->SetSize(width_, height_);
    QImage& pixels = GraphicAccess::Pixels(Image);
    pixels.fill(bkColor_ == clNone ? QColor(Qt::white) : ToQColor(bkColor_));
    QPainter p(&pixels);
    p.drawImage(0, 0, impl_->images[static_cast<size_t>(Index)]);
}

void TCustomImageList::GetIcon(int Index, TIcon* Image) {
    if (!Image || Index < 0 || Index >= GetCount()) return;
    TBitmap b;
    GraphicAccess::Pixels(&b) = impl_->images[static_cast<size_t>(Index)];
    Image->Assign(&b);
}

HIMAGELIST TCustomImageList::GetHandle() {
    return reinterpret_cast<HIMAGELIST>(this);
}

TCustomImageList* TCustomImageList::FromHandle(HIMAGELIST Handle) {
    auto* l = reinterpret_cast<TCustomImageList*>(Handle);
    return Handle && Lists().count(l) ? l : nullptr;
}

int ImageList_GetImageCount(HIMAGELIST himl) {
    TCustomImageList* l = TCustomImageList::FromHandle(himl);
    return l ? l->GetCount() : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    TCustomImageList* l = TCustomImageList::FromHandle(himl);
    if (!l || !cx || !cy) return FALSE;
    *cx = l->GetWidth();
    *cy = l->GetHeight();
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle) {
    TCustomImageList* l = TCustomImageList::FromHandle(himl);
    CanvasDevice* d = CanvasDevice::FromHandle(hdcDst);
    if (!l || !d || i < 0 || i >= l->GetCount()) return FALSE;
    l->Draw(d->Owner(), x, y, i, (fStyle & ILD_TRANSPARENT) ? dsTransparent : dsNormal,
            (fStyle & ILD_MASK) ? itMask : itImage, true);
    return TRUE;
}
