#pragma once
// The class library's pictures. TGraphic: something that draws itself on a canvas and
// loads from and saves to files. TBitmap: pixels with a canvas of their own, drawn
// transparent by a colour (its bottom-left pixel unless one is fixed). TIcon: an icon with
// its own transparency. TGIFImage: the frames of a GIF. TPicture: holds any of them (and
// TJPEGImage, jpeg.h) and picks the class by the file's content.
// Files are read whole: LoadFromBytes/SaveToBytes take and give a file's bytes, in place
// of the class library's streams.

#include "plataforma/base/component.h"
#include "plataforma/base/events.h"
#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/painting/canvas.h"

#include <memory>
#include <string>

class TStream;

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

class TGraphic : public TPersistent {
public:
    ~TGraphic() override;

    virtual bool GetEmpty() const = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual void SetHeight(int Value) = 0;
    virtual bool GetTransparent() const { return transparent_; }
    virtual void SetTransparent(bool Value);
    bool GetModified() const { return modified_; }
    void SetModified(bool Value) { modified_ = Value; }

    // Raise EFOpenError / EFCreateError for files that cannot be read or written, and
    // EInvalidGraphic for content this class cannot read.
    void LoadFromFile(const AnsiString& FileName);
    void SaveToFile(const AnsiString& FileName);
    virtual void LoadFromBytes(const std::string& Data) = 0;
    virtual std::string SaveToBytes() const = 0;

    TNotifyEvent OnChange;

protected:
    TGraphic() = default;
    friend class TCanvas;
    // Draws the graphic into Rect (stretched when the sizes differ).
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    void Changed();
    // "Data" in a component image: the graphic's bytes, written when they differ from the
    // ancestor's and, without an ancestor, when the graphic is not empty.
    void DefineProperties(TFiler* Filer) override;
    // The stored bytes: read from the stream's position to its end, written at its position.
    virtual void ReadData(TStream* Stream);
    virtual void WriteData(TStream* Stream);

private:
    bool transparent_ = false;
    bool modified_ = false;
};

enum TPixelFormat {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    // The bitmap's own canvas; drawing on it changes the bitmap.
    TCanvas* GetCanvas();
    bool GetEmpty() const override;
    int GetWidth() const override;
    int GetHeight() const override;
    // New pixels are white; the old ones keep their place.
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    void SetSize(int AWidth, int AHeight);
    // The pixels are always kept in 32 bits; the format is remembered for what saves it.
    TPixelFormat GetPixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat Value) { pixelFormat_ = Value; }
    // tmAuto: the colour of the bottom-left pixel; setting a colour fixes it.
    TColor GetTransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode GetTransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode Value);

    // From another TBitmap (a copy), from any other graphic (drawn onto a bitmap of its
    // size), or from nullptr (empty).
    void Assign(TPersistent* Source) override;
    // BMP, PNG, GIF (first frame), ICO and JPEG are read; BMP is written.
    void LoadFromBytes(const std::string& Data) override;
    std::string SaveToBytes() const override;
    // A named bitmap resource of the program (bitmap_resources.h); EResNotFound otherwise.
    void LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName);

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    TPixelFormat pixelFormat_ = pfDevice;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
    friend struct GraphicAccess;
};

class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;
    bool GetEmpty() const override;
    int GetWidth() const override;
    int GetHeight() const override;
    // An icon's size is its image's: setting it raises EInvalidGraphicOperation.
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    void Assign(TPersistent* Source) override;
    // ICO (the largest image), or any picture format as a one-image icon; ICO is written.
    void LoadFromBytes(const std::string& Data) override;
    std::string SaveToBytes() const override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    friend struct GraphicAccess;
};

class TGIFImage : public TGraphic {
public:
    TGIFImage();
    ~TGIFImage() override;
    bool GetEmpty() const override;
    int GetWidth() const override;
    int GetHeight() const override;
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    void Assign(TPersistent* Source) override;
    void LoadFromBytes(const std::string& Data) override;
    // The bytes it was loaded from.
    std::string SaveToBytes() const override;

    int GetFrameCount() const;
    // 0-based; the frame that Draw shows.
    int GetFrame() const { return frame_; }
    void SetFrame(int Value);
    // In milliseconds; -1 outside the frames.
    int GetFrameDelay(int Index) const;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int frame_ = 0;
    friend struct GraphicAccess;
};

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    TGraphic* GetGraphic() const { return graphic_.get(); }
    // Holds a copy of Value (of the same class); nullptr empties the picture.
    void SetGraphic(TGraphic* Value);
    // The graphic as a bitmap (a new empty one replaces a graphic of another class).
    TBitmap* GetBitmap();
    void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
    TIcon* GetIcon();
    void SetIcon(TIcon* Value) { SetGraphic(Value); }
    int GetWidth() const;
    int GetHeight() const;

    // The class comes from the content (BMP, PNG, JPEG, GIF, ICO); EInvalidGraphic for any
    // other, naming the extension.
    void LoadFromFile(const AnsiString& FileName);
    void SaveToFile(const AnsiString& FileName);
    void LoadFromBytes(const std::string& Data, const AnsiString& Extension = AnsiString());

    void Assign(TPersistent* Source) override;
    TNotifyEvent OnChange;

private:
    void Take(std::unique_ptr<TGraphic> g);
    std::unique_ptr<TGraphic> graphic_;
};

// A new graphic of the class that reads Data, loaded; EInvalidGraphic when none does.
std::unique_ptr<TGraphic> LoadGraphicFromBytes(const std::string& Data,
                                               const AnsiString& Extension = AnsiString());
