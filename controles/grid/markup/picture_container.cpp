#include "controles/grid/markup/picture_container.h"

#include "plataforma/base/numbers.h"
#include "plataforma/base/streams.h"
#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/painting/gdi.h"

#include <algorithm>

namespace {

// A 16-bit little-endian value; the caller has checked that both bytes are there.
int Palabra(const std::string& b, size_t i) {
    return static_cast<unsigned char>(b[i]) | (static_cast<unsigned char>(b[i + 1]) << 8);
}

int Escalar(int v, int ppp) {
    return static_cast<int>((static_cast<long long>(v) * ppp + 48) / 96);
}

} // namespace

// --- TDownLoadThread ---

TDownLoadThread::TDownLoadThread(THTMLPicture* Picture) : picture_(Picture) {
    SetFreeOnTerminate(true);
    Start();
}

// --- THTMLPicture ---

THTMLPicture::THTMLPicture() = default;

THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Reset() {
    empty_ = true;
    picture_.reset();
    frameCount_ = -1;
    frameStartsKnown_ = false;
    frameStarts_.clear();
    nextFrameTime_ = -1;
    ticks_ = -1;
    frame_ = 1;
}

void THTMLPicture::Assign(TPersistent* Source) {
    if (Source != nullptr && dynamic_cast<THTMLPicture*>(Source) == nullptr) {
        TGraphic::Assign(Source);
        return;
    }
    if (Source == this) return;
    Reset();
    auto* otra = static_cast<THTMLPicture*>(Source);
    if (otra == nullptr || otra->bytes_.empty()) {
        bytes_.clear();
        Changed();
        return;
    }
    bytes_ = otra->bytes_;
    empty_ = false;
    LoadPicture();
    Changed();
}

void THTMLPicture::LoadFromBytes(const std::string& Data) {
    Reset();
    bytes_ = Data;
    empty_ = false;
    LoadPicture();
    Changed();
}

void THTMLPicture::ReadData(TStream* Stream) {
    Reset();
    bytes_.assign(static_cast<size_t>(Stream->GetSize() - Stream->GetPosition()), '\0');
    Stream->ReadBuffer(bytes_.data(), static_cast<int64_t>(bytes_.size()));
    if (bytes_.empty()) return;
    empty_ = false;
    LoadPicture();
}

void THTMLPicture::WriteData(TStream* Stream) {
    Stream->WriteBuffer(bytes_.data(), static_cast<int64_t>(bytes_.size()));
}

void THTMLPicture::LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName) {
    if (!BitmapResourceExists(ResName)) return;
    TBitmap b;
    b.LoadFromResourceName(Instance, ResName);
    LoadFromBytes(b.SaveToBytes());
}

void THTMLPicture::LoadFromResourceID(HINSTANCE, int ResID) {
    throw EResNotFound("Resource " + IntToStr(ResID) + " not found");
}

void THTMLPicture::LoadFromURL(const AnsiString& url) {
    const AnsiString mayus = UpperCase(url);
    if (mayus.Pos("RES://") == 1) {
        id_ = url;
        const AnsiString resto = url.SubString(7, url.Length());
        if (!resto.IsEmpty()) LoadFromResourceName(HInstance, resto);
    } else if (mayus.Pos("FILE://") == 1) {
        id_ = url;
        const AnsiString resto = url.SubString(8, url.Length());
        if (!resto.IsEmpty()) LoadFromFile(resto);
    } else if (asynch_) {
        // The thread fetches nothing: the picture stays empty.
        if (!downloadStarted_) {
            url_ = url;
            downloadStarted_ = true;
            new TDownLoadThread(this);
        }
    } else {
        url_ = url;
        id_ = url;
    }
}

void THTMLPicture::LoadPicture() {
    picture_.reset();
    frameLeft_ = frameTop_ = frameWidth_ = frameHeight_ = 0;
    std::string datos;
    const std::string* fuente = &bytes_;
    if (IsGIFFile() && GetFrameCount() >= 1) {
        if (bytes_.size() >= 10) {
            screenWidth_ = Palabra(bytes_, 6);
            screenHeight_ = Palabra(bytes_, 8);
        }
        // The wanted frame alone: what comes before the first frame (header and colour
        // table), then the bytes from the wanted frame on. A frame that does not exist
        // shows the whole picture.
        const std::vector<size_t>& inicios = FrameStarts();
        if (frame_ >= 1 && frame_ <= static_cast<int>(inicios.size())) {
            const size_t i = inicios[static_cast<size_t>(frame_ - 1)];
            if (i + 16 < bytes_.size()) {
                frameLeft_ = Palabra(bytes_, i + 9);
                frameTop_ = Palabra(bytes_, i + 11);
                frameWidth_ = Palabra(bytes_, i + 13);
                frameHeight_ = Palabra(bytes_, i + 15);
            }
            datos = bytes_.substr(0, inicios.front()) + bytes_.substr(i);
            fuente = &datos;
        }
    }
    try {
        picture_ = LoadGraphicFromBytes(*fuente);
    } catch (const Exception&) {
        throw Exception("Could not load image. Invalid format");
    }
}

const std::vector<size_t>& THTMLPicture::FrameStarts() {
    if (frameStartsKnown_) return frameStarts_;
    frameStartsKnown_ = true;
    frameStarts_.clear();
    const std::string& b = bytes_;
    for (size_t i = 0; i + 8 < b.size(); ++i)
        if (static_cast<unsigned char>(b[i]) == 0x21 &&
            static_cast<unsigned char>(b[i + 1]) == 0xF9 &&
            static_cast<unsigned char>(b[i + 2]) == 0x04 &&
            static_cast<unsigned char>(b[i + 8]) == 0x2C)
            frameStarts_.push_back(i);
    return frameStarts_;
}

bool THTMLPicture::IsGIFFile() const {
    return bytes_.size() >= 5 && bytes_.compare(0, 4, "GIF8") == 0;
}

int THTMLPicture::GetFrameCount() {
    if (frameCount_ == -1 && IsGIFFile()) frameCount_ = static_cast<int>(FrameStarts().size());
    return frameCount_;
}

int THTMLPicture::GetFrameTime(int Frame) {
    if (!IsGIFFile()) return -1;
    const std::vector<size_t>& inicios = FrameStarts();
    if (Frame < 1 || Frame > static_cast<int>(inicios.size())) return -1;
    const size_t i = inicios[static_cast<size_t>(Frame - 1)];
    const unsigned char empaquetado = static_cast<unsigned char>(bytes_[i + 3]);
    frameTransparent_ = (empaquetado & 1) != 0;
    disposal_ = (empaquetado >> 2) & 7;
    return Palabra(bytes_, i + 4);
}

int THTMLPicture::GetWidth() const {
    return picture_ ? Escalar(picture_->GetWidth(), ppiX_) : 0;
}

int THTMLPicture::GetHeight() const {
    return picture_ ? Escalar(picture_->GetHeight(), ppiY_) : 0;
}

void THTMLPicture::SetPixelsPerInch(int X, int Y) {
    ppiX_ = X > 0 ? X : 96;
    ppiY_ = Y > 0 ? Y : 96;
}

int THTMLPicture::GetMaxWidth() const {
    if (!picture_) return 0;
    return screenWidth_ > 0 ? screenWidth_ : picture_->GetWidth();
}

int THTMLPicture::GetMaxHeight() const {
    if (!picture_) return 0;
    return screenHeight_ > 0 ? screenHeight_ : picture_->GetHeight();
}

void THTMLPicture::SetFrame(int Value) {
    frame_ = Value;
    if (bytes_.empty()) return;
    LoadPicture();
    if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext() {
    const int n = GetFrameCount();
    SetFrame(frame_ >= n ? 1 : frame_ + 1);
}

void THTMLPicture::FramePrev() {
    const int n = GetFrameCount();
    SetFrame(frame_ <= 1 ? std::max(1, n) : frame_ - 1);
}

bool THTMLPicture::Step() {
    if (empty_ || GetFrameCount() < 2) return false;
    bool otro = false;
    // Before the first change the shown frame's block is read for its transparency and
    // disposal; the time stays -1, so the first tick moves on and from then on each frame
    // stays for its own delay.
    if (nextFrameTime_ == -1) GetFrameTime(frame_);
    if (ticks_ * 10 >= nextFrameTime_) {
        FrameNext();
        nextFrameTime_ += std::max(0, GetFrameTime(frame_));
        otro = true;
    }
    ++ticks_;
    return otro;
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (empty_ || !picture_) return;
    if (stretch_) {
        ACanvas->StretchDraw(Rect, picture_.get());
        return;
    }
    const int ppx = GetDeviceCaps(ACanvas->GetHandle(), LOGPIXELSX);
    const int ppy = GetDeviceCaps(ACanvas->GetHandle(), LOGPIXELSY);
    const int w = Escalar(picture_->GetWidth(), ppx > 0 ? ppx : 96);
    const int h = Escalar(picture_->GetHeight(), ppy > 0 ? ppy : 96);
    ACanvas->StretchDraw(TRect(Rect.Left, Rect.Top, Rect.Left + w, Rect.Top + h), picture_.get());
}

void THTMLPicture::DownLoadError(const AnsiString& err) {
    if (OnDownLoadError) OnDownLoadError(this, err);
}

void THTMLPicture::DownLoadComplete() {
    if (OnDownLoadComplete) OnDownLoadComplete(this);
}

void THTMLPicture::DownLoadCancel(bool& Cancel) {
    if (OnDownLoadCancel) OnDownLoadCancel(this, Cancel);
}

void THTMLPicture::DownLoadProgress(DWORD dwSize, DWORD dwTotSize) {
    if (OnDownLoadProgress) OnDownLoadProgress(this, dwSize, dwTotSize);
}

// --- THTMLPictureCache ---

THTMLPictureCache::~THTMLPictureCache() = default;

THTMLPicture* THTMLPictureCache::AddPicture() {
    pictures_.push_back(std::make_unique<THTMLPicture>());
    return pictures_.back().get();
}

void THTMLPictureCache::ClearPictures() {
    pictures_.clear();
}

THTMLPicture* THTMLPictureCache::FindPicture(const AnsiString& Name) const {
    for (const auto& p : pictures_)
        if (p && p->GetID() == Name) return p.get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::GetPicture(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return pictures_[static_cast<size_t>(Index)].get();
}

void THTMLPictureCache::SetPicture(int Index, THTMLPicture* Picture) {
    GetPicture(Index);
    pictures_[static_cast<size_t>(Index)].reset(Picture);
}

bool THTMLPictureCache::Animate() {
    bool otro = false;
    for (const auto& p : pictures_)
        if (p && p->Step()) otro = true;
    return otro;
}

// --- TPictureItem, TPictureCollection, TPictureContainer ---

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), picture_(std::make_unique<THTMLPicture>()) {}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* Source) {
    auto* otro = dynamic_cast<TPictureItem*>(Source);
    if (otro == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    name_ = otro->name_;
    tag_ = otro->tag_;
    picture_->Assign(otro->picture_.get());
}

TPictureCollection::TPictureCollection(TComponent* AOwner)
    : TCollection([](TCollection* c) { return new TPictureItem(c); }), owner_(AOwner) {}

bool TPictureCollection::Animate() {
    bool otro = false;
    for (int i = 0; i < GetCount(); ++i)
        if (GetItem(i)->GetPicture()->Step()) otro = true;
    return otro;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), items_(std::make_unique<TPictureCollection>(this)) {}

TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const AnsiString& Name) const {
    for (int i = 0; i < items_->GetCount(); ++i) {
        TPictureItem* item = items_->GetItem(i);
        if (AnsiSameText(item->GetName(), Name)) return item->GetPicture();
    }
    return nullptr;
}

int TPictureContainer::GetVersionNr() const {
    return 0x01000000;
}

AnsiString TPictureContainer::GetVersion() const {
    const unsigned v = static_cast<unsigned>(GetVersionNr());
    return IntToStr(v >> 24) + "." + IntToStr((v >> 16) & 0xFF) + "." + IntToStr((v >> 8) & 0xFF) +
           "." + IntToStr(v & 0xFF);
}

// --- THTMLImage ---

THTMLImage::THTMLImage(TComponent* AOwner)
    : TGraphicControl(AOwner), picture_(std::make_unique<THTMLPicture>()) {
    picture_->OnChange = [this](TObject*) { Invalidate(); };
    picture_->OnDownLoadProgress = [this](TObject*, DWORD s, DWORD t) {
        if (OnDownLoadProgress) OnDownLoadProgress(this, s, t);
    };
    picture_->OnDownLoadCancel = [this](TObject*, bool& c) {
        if (OnDownLoadCancel) OnDownLoadCancel(this, c);
    };
    picture_->OnDownLoadComplete = [this](TObject*) {
        if (OnDownLoadComplete) OnDownLoadComplete(this);
    };
    picture_->OnDownLoadError = [this](TObject*, const AnsiString& e) {
        if (OnDownLoadError) OnDownLoadError(this, e);
    };
    SetBounds(GetLeft(), GetTop(), 100, 100);
}

THTMLImage::~THTMLImage() = default;

void THTMLImage::SetHTMLPicture(THTMLPicture* Value) {
    picture_->Assign(Value);
    Invalidate();
}

void THTMLImage::SetPicturePosition(TPicturePosition Value) {
    if (Value == position_) return;
    position_ = Value;
    Invalidate();
}

void THTMLImage::Loaded() {
    TGraphicControl::Loaded();
    HDC dc = GetCanvas()->GetHandle();
    picture_->SetPixelsPerInch(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
}

void THTMLImage::Paint() {
    TGraphicControl::Paint();
    if (picture_->GetEmpty()) return;
    TCanvas* c = GetCanvas();
    const int W = GetWidth(), H = GetHeight();
    const int w = picture_->GetWidth(), h = picture_->GetHeight();
    if (w <= 0 || h <= 0) return;
    switch (position_) {
    case bpTopLeft:
        c->Draw(0, 0, picture_.get());
        break;
    case bpTopRight:
        c->Draw(std::max(0, W - w), 0, picture_.get());
        break;
    case bpBottomLeft:
        c->Draw(0, std::max(0, H - h), picture_.get());
        break;
    case bpBottomRight:
        c->Draw(std::max(0, W - w), std::max(0, H - h), picture_.get());
        break;
    case bpCenter:
        c->Draw(std::max(0, (W - w) / 2), std::max(0, (H - h) / 2), picture_.get());
        break;
    case bpTiled:
        for (int y = 0; y < H; y += h)
            for (int x = 0; x < W; x += w)
                c->Draw(x, y, picture_.get());
        break;
    case bpStretched:
        c->StretchDraw(TRect(0, 0, W, H), picture_.get());
        break;
    }
}
