#pragma once
// TImage: a picture (BMP, PNG, GIF, ICO, JPEG) shown on its parent: at its own size in the
// top-left corner, centred (Center) or stretched to the control (Stretch); with AutoSize the
// control takes the picture's size when it changes.

#include "plataforma/gui/kernel/controls.h"

#include <memory>

class TPicture;
class TCanvas;

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* GetPicture() const { return picture_.get(); }
    void SetPicture(TPicture* Value);
    bool GetAutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    bool GetStretch() const { return stretch_; }
    void SetStretch(bool Value);
    bool GetCenter() const { return center_; }
    void SetCenter(bool Value);
    // The picture drawn transparent (by its transparent colour).
    bool GetTransparent() const { return transparent_; }
    void SetTransparent(bool Value);
    // The picture's bitmap canvas (an empty picture gets a bitmap of the control's size);
    // EInvalidOperation for a picture that is not a bitmap.
    TCanvas* GetCanvas();

    TNotifyEvent OnProgress;

protected:
    void Paint() override;
    // The rectangle the picture is drawn into.
    TRect DestRect() const;

private:
    void PictureChanged(TObject* Sender);

    std::unique_ptr<TPicture> picture_;
    bool autoSize_ = false;
    bool stretch_ = false;
    bool center_ = false;
    bool transparent_ = false;
};
