#pragma once
// Pictures that markup shows by name. THTMLPicture keeps a picture file's bytes (BMP, ICO,
// PNG, JPEG, GIF) and draws them through the window layer's readers; of an animated GIF it
// shows one frame and steps through the frames by their delays. TPictureContainer holds
// named pictures, found without regard to case; THTMLPictureCache holds the pictures named
// by an address ("file://...", "res://..."). THTMLImage shows one picture in a control.
// Pictures named by a network address are handed to a download thread that fetches nothing:
// they stay empty and draw nothing.

#include "plataforma/base/collection.h"
#include "plataforma/base/thread.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/kernel/controls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

using TDownloadProgressEvent = std::function<void(TObject* Sender, DWORD dwSize, DWORD dwTotSize)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownloadCompleteEvent = std::function<void(TObject* Sender)>;
using TDownloadErrorEvent = std::function<void(TObject* Sender, const AnsiString& err)>;

class THTMLPicture : public TGraphic {
public:
    THTMLPicture();
    ~THTMLPicture() override;

    // From another THTMLPicture: its bytes, loaded; nullptr empties the picture.
    void Assign(TPersistent* Source) override;
    // The bytes of a file, kept and loaded. The load failures raise Exception with "Could
    // not load image. Invalid format" (the bytes are kept all the same).
    void LoadFromBytes(const std::string& Data) override;
    std::string SaveToBytes() const override { return bytes_; }
    // The program's named bitmaps stand in for its RCDATA resources; the numbered ones do
    // not exist and raise EResNotFound.
    void LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);
    // "RES://name", "FILE://path" (any case); another address is remembered and, when
    // Asynch, handed to a download thread once.
    void LoadFromURL(const AnsiString& url);

    bool GetEmpty() const override { return empty_; }
    int GetWidth() const override;
    int GetHeight() const override;
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    bool GetStretch() const { return stretch_; }
    void SetStretch(bool Value) { stretch_ = Value; }
    void SetPixelsPerInch(int X, int Y);

    // --- GIF frames (1-based) ---
    bool IsGIFFile() const;
    // -1 for a picture that is no GIF.
    int GetFrameCount();
    // The frame's delay in hundredths of a second (-1 without that frame); reads its
    // transparency and disposal too.
    int GetFrameTime(int Frame);
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    int GetFrame() const { return frame_; }
    void SetFrame(int Value);
    void FrameNext();
    void FramePrev();
    // One animation tick (a tenth of a second); true when another frame is shown.
    bool Step();
    int GetFrameXPos() const { return frameLeft_; }
    int GetFrameYPos() const { return frameTop_; }
    int GetFrameXSize() const { return frameWidth_; }
    int GetFrameYSize() const { return frameHeight_; }
    bool GetFrameTransparent() const { return frameTransparent_; }
    int GetFrameDisposal() const { return disposal_; }

    const AnsiString& GetID() const { return id_; }
    const AnsiString& GetURL() const { return url_; }
    bool GetAsynch() const { return asynch_; }
    void SetAsynch(bool Value) { asynch_ = Value; }

    void DownLoadError(const AnsiString& err);
    void DownLoadComplete();
    void DownLoadCancel(bool& Cancel);
    void DownLoadProgress(DWORD dwSize, DWORD dwTotSize);

    TNotifyEvent OnFrameChange;
    TDownloadProgressEvent OnDownLoadProgress;
    TDownloadCancelEvent OnDownLoadCancel;
    TDownloadCompleteEvent OnDownLoadComplete;
    TDownloadErrorEvent OnDownLoadError;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    // The stored bytes, kept and loaded (no bytes: an empty picture); written as kept.
    void ReadData(TStream* Stream) override;
    void WriteData(TStream* Stream) override;

private:
    void LoadPicture();
    void Reset();
    // The place of each frame start (a graphic control block followed by an image
    // descriptor), found once.
    const std::vector<size_t>& FrameStarts();

    std::string bytes_;
    bool empty_ = true;
    bool stretch_ = false;
    std::unique_ptr<TGraphic> picture_;
    int ppiX_ = 96, ppiY_ = 96;
    AnsiString url_, id_;
    bool asynch_ = true;
    bool downloadStarted_ = false;
    int frame_ = 1;
    int frameCount_ = -1;
    std::vector<size_t> frameStarts_;
    bool frameStartsKnown_ = false;
    int frameLeft_ = 0, frameTop_ = 0, frameWidth_ = 0, frameHeight_ = 0;
    bool frameTransparent_ = false;
    int disposal_ = 0;
    int screenWidth_ = 0, screenHeight_ = 0;
    int nextFrameTime_ = -1;
    int ticks_ = -1;
};

// The thread a picture named by a network address is handed to. It transfers nothing: it
// starts when made, ends at once and frees itself.
class TDownLoadThread final : public TThread {
public:
    explicit TDownLoadThread(THTMLPicture* Picture);
    THTMLPicture* GetPicture() const { return picture_; }

protected:
    void Execute() override {}

private:
    THTMLPicture* picture_;
};

// Pictures named by address, made by the markup renderer; the cache owns them.
class THTMLPictureCache {
public:
    THTMLPictureCache() = default;
    ~THTMLPictureCache();
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;

    THTMLPicture* AddPicture();
    // Frees every picture and empties the list.
    void ClearPictures();
    // The first picture whose ID is Name exactly (case matters), or nullptr.
    THTMLPicture* FindPicture(const AnsiString& Name) const;
    int GetCount() const { return static_cast<int>(pictures_.size()); }
    THTMLPicture* GetPicture(int Index) const;
    // Takes Picture in place of the one at Index.
    void SetPicture(int Index, THTMLPicture* Picture);
    // Steps every picture; true when any of them shows another frame.
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> pictures_;
};

class TPictureItem : public TCollectionItem {
public:
    explicit TPictureItem(TCollection* Collection);
    ~TPictureItem() override;
    void Assign(TPersistent* Source) override;
    THTMLPicture* GetPicture() const { return picture_.get(); }
    void SetPicture(THTMLPicture* Value) { picture_->Assign(Value); }
    const AnsiString& GetName() const { return name_; }
    void SetName(const AnsiString& Value) { name_ = Value; }
    int GetTag() const { return tag_; }
    void SetTag(int Value) { tag_ = Value; }

private:
    std::unique_ptr<THTMLPicture> picture_;
    AnsiString name_;
    int tag_ = 0;
};

class TPictureCollection : public TCollection {
public:
    explicit TPictureCollection(TComponent* AOwner);
    TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
    TPictureItem* Insert(int Index) {
        return static_cast<TPictureItem*>(TCollection::Insert(Index));
    }
    TPictureItem* GetItem(int Index) const {
        return static_cast<TPictureItem*>(TCollection::GetItem(Index));
    }
    void SetItem(int Index, TPictureItem* Value) { TCollection::SetItem(Index, Value); }
    TPersistent* GetOwner() const override { return owner_; }
    bool Animate();

private:
    TComponent* owner_;
};

class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner);
    ~TPictureContainer() override;
    TPictureCollection* GetItems() const { return items_.get(); }
    void SetItems(TPictureCollection* Value) { items_->Assign(Value); }
    // The picture of the first item named Name, case ignored; nullptr when none.
    virtual THTMLPicture* FindPicture(const AnsiString& Name) const;
    AnsiString GetVersion() const;
    void SetVersion(const AnsiString&) {}
    int GetVersionNr() const;

private:
    std::unique_ptr<TPictureCollection> items_;
};

enum TPicturePosition {
    bpTopLeft,
    bpTopRight,
    bpBottomLeft,
    bpBottomRight,
    bpCenter,
    bpTiled,
    bpStretched
};

class THTMLImage : public TGraphicControl {
public:
    explicit THTMLImage(TComponent* AOwner);
    ~THTMLImage() override;
    THTMLPicture* GetHTMLPicture() const { return picture_.get(); }
    void SetHTMLPicture(THTMLPicture* Value);
    TPicturePosition GetPicturePosition() const { return position_; }
    void SetPicturePosition(TPicturePosition Value);

    TDownloadProgressEvent OnDownLoadProgress;
    TDownloadCancelEvent OnDownLoadCancel;
    TDownloadCompleteEvent OnDownLoadComplete;
    TDownloadErrorEvent OnDownLoadError;

protected:
    void Loaded() override;
    void Paint() override;

private:
    std::unique_ptr<THTMLPicture> picture_;
    TPicturePosition position_ = bpTopLeft;
};
