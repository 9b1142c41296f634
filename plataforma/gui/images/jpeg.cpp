#include "plataforma/gui/images/jpeg.h"

#include "plataforma/gui/images/graphics_internal.h"
#include "plataforma/gui/images/jpeg_codec.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas_device.h"

struct TJPEGImage::Impl {
    std::string bytes; // the compressed picture
    QImage image;      // its pixels at the chosen scale
};

namespace {

int Denominator(TJPEGScale s) {
    return s == jsHalf ? 2 : s == jsQuarter ? 4 : s == jsEighth ? 8 : 1;
}

QImage Gray(const QImage& image) {
    return image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
}

} // namespace

TJPEGImage::TJPEGImage() : impl_(std::make_unique<Impl>()) {}

TJPEGImage::~TJPEGImage() = default;

bool TJPEGImage::GetEmpty() const {
    return impl_->bytes.empty() && impl_->image.isNull();
}

int TJPEGImage::GetWidth() const {
    return impl_->image.width();
}

int TJPEGImage::GetHeight() const {
    return impl_->image.height();
}

void TJPEGImage::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetCompressionQuality(int Value) {
    quality_ = std::clamp(Value, 1, 100);
}

void TJPEGImage::SetGrayscale(bool Value) {
    if (Value == grayscale_) return;
    grayscale_ = Value;
    if (!impl_->bytes.empty()) DIBNeeded();
    Changed();
}

void TJPEGImage::SetScale(TJPEGScale Value) {
    if (Value == scale_) return;
    scale_ = Value;
    if (!impl_->bytes.empty()) DIBNeeded();
    Changed();
}

void TJPEGImage::DIBNeeded() {
    if (impl_->bytes.empty()) return;
    QImage image;
    AnsiString error;
    if (!DecodeJpeg(impl_->bytes, image, error, Denominator(scale_))) throw EJPEG(error);
    impl_->image = grayscale_ ? Gray(image) : image;
}

void TJPEGImage::Compress() {
    if (impl_->image.isNull()) return;
    AnsiString error;
    std::string bytes = EncodeJpeg(impl_->image, quality_, grayscale_, progressive_, error);
    if (bytes.empty()) throw EJPEG(error);
    impl_->bytes = std::move(bytes);
}

void TJPEGImage::Assign(TPersistent* Source) {
    if (!Source) {
        *impl_ = Impl();
        Changed();
        return;
    }
    if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
        if (j == this) return;
        *impl_ = *j->impl_;
        quality_ = j->quality_;
        grayscale_ = j->grayscale_;
        progressive_ = j->progressive_;
        scale_ = j->scale_;
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        // Another graphic is compressed: it is drawn on white, as a JPEG has no transparency.
        QImage image = GraphicAccess::OnWhite(g);
        impl_->image = grayscale_ ? Gray(image) : image;
        impl_->bytes.clear();
        Compress();
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TJPEGImage::LoadFromBytes(const std::string& Data) {
    QImage image;
    AnsiString error;
    if (!IsJpegData(Data)) throw EJPEG("JPEG error: not a JPEG file");
    if (!DecodeJpeg(Data, image, error, Denominator(scale_))) throw EJPEG(error);
    impl_->bytes = Data;
    impl_->image = grayscale_ ? Gray(image) : image;
    Changed();
}

std::string TJPEGImage::SaveToBytes() const {
    return impl_->bytes;
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (impl_->image.isNull()) return;
    ACanvas->Device().Image(ToQRect(Rect), impl_->image, impl_->image.rect(),
                            ACanvas->GetCopyMode());
}
