// TGraphic, TBitmap and the detection of picture formats.

#include "plataforma/gui/images/graphics.h"

#include "plataforma/base/file_errors.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/filer.h"
#include "plataforma/base/files.h"
#include "plataforma/base/streams.h"
#include "plataforma/gui/images/graphics_internal.h"
#include "plataforma/gui/images/jpeg_codec.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas_device.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

// --- formats ---

GraphicFormat SniffGraphicFormat(const std::string& d) {
    auto at = [&](size_t i) { return i < d.size() ? static_cast<unsigned char>(d[i]) : 0x100u; };
    if (at(0) == 'B' && at(1) == 'M' && d.size() >= 26) return GraphicFormat::Bmp;
    if (d.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) return GraphicFormat::Png;
    if (IsJpegData(d)) return GraphicFormat::Jpeg;
    if (d.compare(0, 4, "GIF8") == 0 && d.size() >= 6) return GraphicFormat::Gif;
    if (at(0) == 0 && at(1) == 0 && at(2) == 1 && at(3) == 0 && d.size() >= 6)
        return GraphicFormat::Ico;
    return GraphicFormat::Unknown;
}

bool DeclaredSizeAllowed(const QSize& size, size_t bytes) {
    if (!size.isValid()) return true;
    const long long pixels = static_cast<long long>(size.width()) * size.height();
    // Any picture of up to a megapixel (4 MB decoded); a larger one as far as its bytes can
    // hold it at the packing of a photograph or a scanned page, so that the memory a file
    // asks for stays a fixed multiple of its size.
    constexpr long long kAlways = 1024LL * 1024, kPerByte = 256, kNever = 200000000LL;
    return pixels <= kNever &&
           (pixels <= kAlways || pixels <= kPerByte * static_cast<long long>(bytes));
}

QImage ReadImage(const std::string& data, GraphicFormat format) {
    const char* name = format == GraphicFormat::Bmp   ? "bmp"
                       : format == GraphicFormat::Png ? "png"
                       : format == GraphicFormat::Gif ? "gif"
                       : format == GraphicFormat::Ico ? "ico"
                                                      : nullptr;
    if (!name) return {};
    EnsureQtApplication();
    QByteArray bytes = QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, name);
    reader.setAutoTransform(false);
    // A header that announces a picture far larger than its data could fill is refused
    // before the pixels are allocated.
    if (!DeclaredSizeAllowed(reader.size(), data.size())) return {};
    QImage image = reader.read();
    return image.isNull() ? QImage() : NormalizedImage(image);
}

QImage NormalizedImage(const QImage& image) {
    if (image.isNull()) return {};
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

QImage WithTransparentColor(const QImage& image, COLORREF color) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(GetRValue(color), GetGValue(color), GetBValue(color)) & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// --- TGraphic ---

TGraphic::~TGraphic() = default;

void TGraphic::Changed() {
    modified_ = true;
    if (OnChange) OnChange(this);
}

void TGraphic::SetTransparent(bool Value) {
    if (Value == transparent_) return;
    transparent_ = Value;
    Changed();
}

void TGraphic::DefineProperties(TFiler* Filer) {
    bool write = !GetEmpty();
    if (TPersistent* ancestor = Filer->GetAncestor()) {
        auto* graphic = dynamic_cast<TGraphic*>(ancestor);
        write = !graphic || graphic->SaveToBytes() != SaveToBytes();
    }
    Filer->DefineBinaryProperty(
        "Data", [this](TStream* Stream) { ReadData(Stream); },
        [this](TStream* Stream) { WriteData(Stream); }, write);
}

void TGraphic::ReadData(TStream* Stream) {
    std::string data(static_cast<size_t>(Stream->GetSize() - Stream->GetPosition()), '\0');
    Stream->ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    LoadFromBytes(data);
}

void TGraphic::WriteData(TStream* Stream) {
    const std::string data = SaveToBytes();
    Stream->WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

void TGraphic::LoadFromFile(const AnsiString& FileName) {
    std::string data;
    if (!ReadWholeFile(FileName, data)) throw EFOpenError("Cannot open file \"" + FileName + "\"");
    LoadFromBytes(data);
}

void TGraphic::SaveToFile(const AnsiString& FileName) {
    const std::string data = SaveToBytes();
    FileWriter w;
    if (!w.Open(FileName, FileWriter::Mode::Binary)) throw EFCreateError(w.ErrorText());
    w.Write(data.data(), data.size());
    if (!w.Commit()) throw EFCreateError(w.ErrorText());
}

// --- TBitmap ---

namespace {

// The bitmap's canvas draws on its pixels and tells the bitmap of each change.
class TBitmapCanvas : public TCanvas {
public:
    TBitmapCanvas(QImage* image, std::function<void()> changed)
        : image_(image), changed_(std::move(changed)) {}

protected:
    void UpdateTarget() override { Device().SetTarget(image_); }
    void Changed() override {
        TCanvas::Changed();
        changed_();
    }

private:
    QImage* image_;
    std::function<void()> changed_;
};

} // namespace

struct TBitmap::Impl {
    QImage image;
    // The sides of a bitmap one of whose sides is 0: it has no pixels, but keeps the other
    // side for when it gets them (a width set before the height).
    QSize noPixels{0, 0};
    std::unique_ptr<TBitmapCanvas> canvas;
};

TBitmap::TBitmap() : impl_(std::make_unique<Impl>()) {}

TBitmap::~TBitmap() = default;

TCanvas* TBitmap::GetCanvas() {
    if (!impl_->canvas) {
        EnsureQtApplication();
        impl_->canvas = std::make_unique<TBitmapCanvas>(&impl_->image, [this] { Changed(); });
    }
    return impl_->canvas.get();
}

bool TBitmap::GetEmpty() const {
    return impl_->image.isNull();
}

int TBitmap::GetWidth() const {
    return impl_->image.isNull() ? impl_->noPixels.width() : impl_->image.width();
}

int TBitmap::GetHeight() const {
    return impl_->image.isNull() ? impl_->noPixels.height() : impl_->image.height();
}

void TBitmap::SetWidth(int Value) {
    SetSize(Value, GetHeight());
}

void TBitmap::SetHeight(int Value) {
    SetSize(GetWidth(), Value);
}

void TBitmap::SetSize(int AWidth, int AHeight) {
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (AWidth == GetWidth() && AHeight == GetHeight()) return;
    QImage& old = impl_->image;
    impl_->noPixels = QSize(0, 0);
    if (AWidth == 0 || AHeight == 0) {
        old = QImage();
        impl_->noPixels = QSize(AWidth, AHeight);
    } else {
        const QImage::Format format = old.isNull() ? QImage::Format_RGB32 : old.format();
        QImage next(AWidth, AHeight, format);
        if (next.isNull())
            throw EInvalidGraphic("Not enough memory for a bitmap of " + AnsiString(AWidth) +
                                  " x " + AnsiString(AHeight));
        next.fill(Qt::white);
        if (!old.isNull()) {
            QPainter p(&next);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, old);
        }
        old = std::move(next);
    }
    Changed();
}

TColor TBitmap::GetTransparentColor() const {
    if (transparentMode_ == tmFixed) return transparentColor_;
    if (GetEmpty()) return clDefault;
    return static_cast<TColor>(FromQRgb(impl_->image.pixel(0, GetHeight() - 1)));
}

void TBitmap::SetTransparentColor(TColor Value) {
    transparentColor_ = Value;
    transparentMode_ = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
    if (Value == transparentMode_) return;
    transparentMode_ = Value;
    if (Value == tmAuto) transparentColor_ = clDefault;
    Changed();
}

void TBitmap::Assign(TPersistent* Source) {
    if (!Source) {
        impl_->image = QImage();
        impl_->noPixels = QSize(0, 0);
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        if (b == this) return;
        impl_->image = b->impl_->image.copy();
        impl_->noPixels = b->impl_->noPixels;
        pixelFormat_ = b->pixelFormat_;
        transparentMode_ = b->transparentMode_;
        transparentColor_ = b->transparentColor_;
        SetTransparent(b->GetTransparent());
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        impl_->image = GraphicAccess::OnWhite(g);
        impl_->noPixels = QSize(0, 0);
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TBitmap::LoadFromBytes(const std::string& Data) {
    const GraphicFormat format = SniffGraphicFormat(Data);
    QImage image;
    if (format == GraphicFormat::Jpeg) {
        AnsiString error;
        if (!DecodeJpeg(Data, image, error)) throw EInvalidGraphic(error);
    } else {
        image = ReadImage(Data, format);
    }
    if (image.isNull()) throw EInvalidGraphic("Bitmap image is not valid");
    impl_->image = std::move(image);
    impl_->noPixels = QSize(0, 0);
    if (impl_->image.hasAlphaChannel()) pixelFormat_ = pf32bit;
    Changed();
}

std::string TBitmap::SaveToBytes() const {
    if (GetEmpty()) return {};
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(impl_->image)) throw EInvalidGraphic("Bitmap image is not valid");
    return std::string(out.constData(), static_cast<size_t>(out.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE, const AnsiString& ResName) {
    LoadBitmapResource(this, ResName);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (GetEmpty()) return;
    CanvasDevice& d = ACanvas->Device();
    if (GetTransparent()) {
        const COLORREF key = ColorToRGB(GetTransparentColor()) & 0xFFFFFF;
        d.Image(ToQRect(Rect), WithTransparentColor(impl_->image, key), impl_->image.rect(),
                cmSrcCopy);
    } else {
        d.Image(ToQRect(Rect), impl_->image, impl_->image.rect(), ACanvas->GetCopyMode());
    }
}

// --- access for the platform layer ---

QImage& GraphicAccess::Pixels(TBitmap* Bitmap) {
    return Bitmap->impl_->image;
}

QImage GraphicAccess::Render(TGraphic* Graphic) {
    if (!Graphic || Graphic->GetEmpty()) return {};
    if (auto* b = dynamic_cast<TBitmap*>(Graphic)) {
        if (!b->GetTransparent()) return b->impl_->image;
        return WithTransparentColor(b->impl_->image,
                                    ColorToRGB(b->GetTransparentColor()) & 0xFFFFFF);
    }
    // Any other graphic draws itself onto a transparent image of its size.
    QImage image(Graphic->GetWidth(), Graphic->GetHeight(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    TBitmap scratch;
    GraphicAccess::Pixels(&scratch) = image;
    scratch.GetCanvas()->StretchDraw(Rect(0, 0, image.width(), image.height()), Graphic);
    return GraphicAccess::Pixels(&scratch);
}

QImage GraphicAccess::OnWhite(TGraphic* Graphic) {
    QImage image;
    if (Graphic && !Graphic->GetEmpty()) {
        image = QImage(Graphic->GetWidth(), Graphic->GetHeight(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.drawImage(0, 0, Render(Graphic));
    }
    return image;
}
