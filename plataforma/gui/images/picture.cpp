// TIcon, TGIFImage, TPicture, and the choice of a graphic class for a file.

#include "plataforma/gui/images/graphics.h"

#include "plataforma/base/file_errors.h"
#include "plataforma/base/files.h"
#include "plataforma/gui/images/graphics_internal.h"
#include "plataforma/gui/images/jpeg.h"
#include "plataforma/gui/images/jpeg_codec.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas_device.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <cstdlib>

// --- TIcon ---

struct TIcon::Impl {
    QImage image;
    std::string bytes; // the ICO file it came from, written back unchanged
};

TIcon::TIcon() : impl_(std::make_unique<Impl>()) {
    SetTransparent(true);
}

TIcon::~TIcon() = default;

bool TIcon::GetEmpty() const {
    return impl_->image.isNull();
}

int TIcon::GetWidth() const {
    return impl_->image.width();
}

int TIcon::GetHeight() const {
    return impl_->image.height();
}

void TIcon::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::Assign(TPersistent* Source) {
    if (!Source) {
        impl_->image = QImage();
        impl_->bytes.clear();
        Changed();
        return;
    }
    if (auto* i = dynamic_cast<TIcon*>(Source)) {
        if (i == this) return;
        impl_->image = i->impl_->image;
        impl_->bytes = i->impl_->bytes;
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        impl_->image =
            GraphicAccess::Render(g).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        impl_->bytes.clear();
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TIcon::LoadFromBytes(const std::string& Data) {
    const GraphicFormat format = SniffGraphicFormat(Data);
    QImage chosen;
    if (format == GraphicFormat::Ico) {
        // The image nearest to the standard 32 x 32 icon.
        EnsureQtApplication();
        QByteArray bytes =
            QByteArray::fromRawData(Data.data(), static_cast<qsizetype>(Data.size()));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "ico");
        int best = -1;
        for (int i = 0; i < std::max(1, reader.imageCount()) && i < 64; ++i) {
            if (i > 0 && !reader.jumpToImage(i)) break;
            if (!DeclaredSizeAllowed(reader.size(), Data.size())) continue;
            QImage image = reader.read();
            if (image.isNull()) continue;
            const int distance = std::abs(image.width() - 32) + std::abs(image.height() - 32);
            if (best < 0 || distance < best) {
                best = distance;
                chosen = image;
            }
        }
    } else if (format == GraphicFormat::Jpeg) {
        AnsiString error;
        if (!DecodeJpeg(Data, chosen, error)) throw EInvalidGraphic(error);
    } else {
        chosen = ReadImage(Data, format);
    }
    if (chosen.isNull()) throw EInvalidGraphic("Icon image is not valid");
    impl_->image = chosen.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    impl_->bytes = format == GraphicFormat::Ico ? Data : std::string();
    Changed();
}

std::string TIcon::SaveToBytes() const {
    if (!impl_->bytes.empty()) return impl_->bytes;
    if (GetEmpty()) return {};
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(impl_->image)) throw EInvalidGraphic("Icon image is not valid");
    return std::string(out.constData(), static_cast<size_t>(out.size()));
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (GetEmpty()) return;
    ACanvas->Device().Image(ToQRect(Rect), impl_->image, impl_->image.rect(), cmSrcCopy);
}

// --- TGIFImage ---

struct TGIFImage::Impl {
    std::string bytes;
    std::vector<QImage> frames; // each frame as shown, the earlier ones composed under it
    std::vector<int> delays;
};

TGIFImage::TGIFImage() : impl_(std::make_unique<Impl>()) {}

TGIFImage::~TGIFImage() = default;

bool TGIFImage::GetEmpty() const {
    return impl_->frames.empty();
}

int TGIFImage::GetWidth() const {
    return GetEmpty() ? 0 : impl_->frames[0].width();
}

int TGIFImage::GetHeight() const {
    return GetEmpty() ? 0 : impl_->frames[0].height();
}

void TGIFImage::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a GIF image");
}

void TGIFImage::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a GIF image");
}

void TGIFImage::Assign(TPersistent* Source) {
    if (!Source) {
        *impl_ = Impl();
        frame_ = 0;
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGIFImage*>(Source)) {
        if (g == this) return;
        *impl_ = *g->impl_;
        frame_ = g->frame_;
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TGIFImage::LoadFromBytes(const std::string& Data) {
    if (SniffGraphicFormat(Data) != GraphicFormat::Gif)
        throw EInvalidGraphic("GIF image is not valid");
    EnsureQtApplication();
    Impl next;
    next.bytes = Data;
    QByteArray bytes =
        QByteArray::fromRawData(next.bytes.data(), static_cast<qsizetype>(next.bytes.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    const QSize size = reader.size();
    if (!DeclaredSizeAllowed(size, Data.size()) ||
        (size.isValid() && static_cast<long long>(size.width()) * size.height() > 50000000LL))
        throw EInvalidGraphic("GIF image is not valid");
    // Frames as the reader composes them; a damaged frame ends the animation there.
    while (reader.canRead() && next.frames.size() < 10000) {
        QImage frame = reader.read();
        if (frame.isNull()) break;
        next.frames.push_back(frame.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        next.delays.push_back(reader.nextImageDelay());
    }
    if (next.frames.empty()) throw EInvalidGraphic("GIF image is not valid");
    *impl_ = std::move(next);
    frame_ = 0;
    Changed();
}

std::string TGIFImage::SaveToBytes() const {
    return impl_->bytes;
}

int TGIFImage::GetFrameCount() const {
    return static_cast<int>(impl_->frames.size());
}

void TGIFImage::SetFrame(int Value) {
    if (Value < 0 || Value >= GetFrameCount() || Value == frame_) return;
    frame_ = Value;
    Changed();
}

int TGIFImage::GetFrameDelay(int Index) const {
    if (Index < 0 || Index >= GetFrameCount()) return -1;
    return impl_->delays[static_cast<size_t>(Index)];
}

void TGIFImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (GetEmpty()) return;
    const QImage& f = impl_->frames[static_cast<size_t>(frame_)];
    ACanvas->Device().Image(ToQRect(Rect), f, f.rect(), cmSrcCopy);
}

// --- choosing the class ---

namespace {

AnsiString ExtensionOf(const AnsiString& name) {
    const int dot = name.LastDelimiter(".\\/");
    if (dot == 0 || name[dot] != '.') return AnsiString();
    return name.SubString(dot + 1, name.Length() - dot).LowerCase();
}

std::unique_ptr<TGraphic> NewGraphic(GraphicFormat f) {
    switch (f) {
    case GraphicFormat::Bmp:
    case GraphicFormat::Png:
        return std::make_unique<TBitmap>();
    case GraphicFormat::Jpeg:
        return std::make_unique<TJPEGImage>();
    case GraphicFormat::Gif:
        return std::make_unique<TGIFImage>();
    case GraphicFormat::Ico:
        return std::make_unique<TIcon>();
    default:
        return nullptr;
    }
}

GraphicFormat FormatOfExtension(const AnsiString& ext) {
    if (ext == "bmp" || ext == "dib" || ext == "png") return GraphicFormat::Bmp;
    if (ext == "jpg" || ext == "jpeg" || ext == "jpe" || ext == "jfif") return GraphicFormat::Jpeg;
    if (ext == "gif") return GraphicFormat::Gif;
    if (ext == "ico") return GraphicFormat::Ico;
    return GraphicFormat::Unknown;
}

std::unique_ptr<TGraphic> CopyOf(TGraphic* g) {
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<TJPEGImage*>(g))
        copy = std::make_unique<TJPEGImage>();
    else if (dynamic_cast<TIcon*>(g))
        copy = std::make_unique<TIcon>();
    else if (dynamic_cast<TGIFImage*>(g))
        copy = std::make_unique<TGIFImage>();
    else
        copy = std::make_unique<TBitmap>(); // other graphics are kept as their drawing
    copy->Assign(g);
    copy->SetTransparent(g->GetTransparent());
    return copy;
}

} // namespace

std::unique_ptr<TGraphic> LoadGraphicFromBytes(const std::string& Data,
                                               const AnsiString& Extension) {
    // The content decides; the extension only when the content is not recognised, so that
    // its class can say what is wrong with the file.
    GraphicFormat f = SniffGraphicFormat(Data);
    if (f == GraphicFormat::Unknown) f = FormatOfExtension(Extension.LowerCase());
    std::unique_ptr<TGraphic> g = NewGraphic(f);
    if (!g)
        throw EInvalidGraphic(Extension.IsEmpty()
                                  ? AnsiString("Unknown picture format")
                                  : "Unknown picture file extension (." + Extension + ")");
    g->LoadFromBytes(Data);
    return g;
}

// --- TPicture ---

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Take(std::unique_ptr<TGraphic> g) {
    graphic_ = std::move(g);
    if (graphic_)
        graphic_->OnChange = [this](TObject*) {
            if (OnChange) OnChange(this);
        };
    if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
    if (Value == graphic_.get()) return;
    Take(Value ? CopyOf(Value) : nullptr);
}

TBitmap* TPicture::GetBitmap() {
    if (!dynamic_cast<TBitmap*>(graphic_.get())) Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::GetIcon() {
    if (!dynamic_cast<TIcon*>(graphic_.get())) Take(std::make_unique<TIcon>());
    return static_cast<TIcon*>(graphic_.get());
}

int TPicture::GetWidth() const {
    return graphic_ ? graphic_->GetWidth() : 0;
}

int TPicture::GetHeight() const {
    return graphic_ ? graphic_->GetHeight() : 0;
}

void TPicture::LoadFromFile(const AnsiString& FileName) {
    std::string data;
    if (!ReadWholeFile(FileName, data)) throw EFOpenError("Cannot open file \"" + FileName + "\"");
    LoadFromBytes(data, ExtensionOf(FileName));
}

void TPicture::LoadFromBytes(const std::string& Data, const AnsiString& Extension) {
    Take(LoadGraphicFromBytes(Data, Extension));
}

void TPicture::SaveToFile(const AnsiString& FileName) {
    if (graphic_) graphic_->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source) {
    if (!Source) return SetGraphic(nullptr);
    if (auto* p = dynamic_cast<TPicture*>(Source)) return SetGraphic(p->graphic_.get());
    if (auto* g = dynamic_cast<TGraphic*>(Source)) return SetGraphic(g);
    TPersistent::Assign(Source);
}
