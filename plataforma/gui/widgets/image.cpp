#include "plataforma/gui/widgets/image.h"

#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/images/graphics.h"

TImage::TImage(TComponent* AOwner)
    : TGraphicControl(AOwner), picture_(std::make_unique<TPicture>()) {
    SetControlStyle(GetControlStyle() << csReplicatable);
    picture_->OnChange = [this](TObject* s) { PictureChanged(s); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
    picture_->OnChange = nullptr;
}

void TImage::SetPicture(TPicture* Value) {
    picture_->Assign(Value);
}

void TImage::SetAutoSize(bool Value) {
    autoSize_ = Value;
    PictureChanged(this);
}

void TImage::SetStretch(bool Value) {
    if (stretch_ == Value) return;
    stretch_ = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value) {
    if (center_ == Value) return;
    center_ = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value) {
    if (transparent_ == Value) return;
    transparent_ = Value;
    PictureChanged(this);
}

TCanvas* TImage::GetCanvas() {
    if (!picture_->GetGraphic()) {
        TBitmap bmp;
        bmp.SetSize(GetWidth(), GetHeight());
        picture_->SetGraphic(&bmp);
    }
    auto* bmp = dynamic_cast<TBitmap*>(picture_->GetGraphic());
    if (!bmp) throw EInvalidOperation("Can only modify an image if it contains a bitmap");
    return bmp->GetCanvas();
}

TRect TImage::DestRect() const {
    if (stretch_) return GetClientRect();
    const int w = picture_->GetWidth(), h = picture_->GetHeight();
    if (center_) return Bounds((GetWidth() - w) / 2, (GetHeight() - h) / 2, w, h);
    return Rect(0, 0, w, h);
}

void TImage::Paint() {
    TGraphic* g = picture_->GetGraphic();
    if (!g || g->GetEmpty()) return;
    TGraphicControl::GetCanvas()->StretchDraw(DestRect(), g);
}

void TImage::PictureChanged(TObject*) {
    TGraphic* g = picture_->GetGraphic();
    if (autoSize_ && g && !g->GetEmpty() && picture_->GetWidth() > 0 && picture_->GetHeight() > 0)
        SetBounds(GetLeft(), GetTop(), picture_->GetWidth(), picture_->GetHeight());
    if (g && g->GetTransparent() != transparent_) g->SetTransparent(transparent_);
    Invalidate();
}
