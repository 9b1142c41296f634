#pragma once
// TJPEGImage: a JPEG picture, decoded and encoded with libjpeg-turbo. It keeps the bytes it
// was loaded from (saved back unchanged) and decodes them when first drawn or measured;
// assigned from another graphic, it is compressed again at CompressionQuality.

#include "plataforma/gui/images/graphics.h"

#include <memory>

// A file that libjpeg cannot read ("JPEG error: ..." with the decoder's reason).
class EJPEG : public EInvalidGraphic {
public:
    using EInvalidGraphic::EInvalidGraphic;
};

enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };
enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGPixelFormat { jf24Bit, jf8Bit };

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    bool GetEmpty() const override;
    int GetWidth() const override;
    int GetHeight() const override;
    // A JPEG's size is its picture's: setting it raises EInvalidGraphicOperation.
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;

    int GetCompressionQuality() const { return quality_; }
    void SetCompressionQuality(int Value);
    bool GetGrayscale() const { return grayscale_; }
    void SetGrayscale(bool Value);
    bool GetProgressiveEncoding() const { return progressive_; }
    void SetProgressiveEncoding(bool Value) { progressive_ = Value; }
    TJPEGScale GetScale() const { return scale_; }
    void SetScale(TJPEGScale Value);
    TJPEGPerformance GetPerformance() const { return performance_; }
    void SetPerformance(TJPEGPerformance Value) { performance_ = Value; }
    TJPEGPixelFormat GetPixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TJPEGPixelFormat Value) { pixelFormat_ = Value; }
    // Decodes now (the class library's DIBNeeded); EJPEG for a file it cannot read.
    void DIBNeeded();
    // Compresses the picture again from its pixels at CompressionQuality.
    void Compress();

    // From another TJPEGImage, from any other graphic (compressed), or nullptr (empty).
    void Assign(TPersistent* Source) override;
    // Keeps the bytes; EJPEG when they are not a JPEG that can be read.
    void LoadFromBytes(const std::string& Data) override;
    std::string SaveToBytes() const override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int quality_ = 90;
    bool grayscale_ = false;
    bool progressive_ = false;
    TJPEGScale scale_ = jsFullSize;
    TJPEGPerformance performance_ = jpBestQuality;
    TJPEGPixelFormat pixelFormat_ = jf24Bit;
    friend struct GraphicAccess;
};
