// TButtonGlyph, TBitBtn and TSpeedButton.

#include "plataforma/gui/widgets/buttons_extra.h"

#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/hooked_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/draw_text.h"

#include <QKeySequence>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>

#include <algorithm>

namespace {

// The stock glyphs of the kinds, drawn in code; the bottom-left pixel is the background,
// the transparent colour.
void RegistrarGlifos() {
    static bool hecho = false;
    if (hecho) return;
    hecho = true;
    const std::pair<char, TColor> verde{'x', 0x008000}, rojo{'x', 0x0000C0}, azul{'x', 0x800000};
    auto fondo = std::make_pair('.', TColor(0x00FF00FF));
    RegisterBitmapResource("BBOK", [=](TBitmap* b) {
        PaintBitmapRows(b,
                        {"..........x", ".........xx", "........xx.", "x......xx..", "xx....xx...",
                         ".xx..xx....", "..xxxx.....", "...xx......", "..........."},
                        {fondo, verde});
    });
    RegisterBitmapResource("BBCANCEL", [=](TBitmap* b) {
        PaintBitmapRows(b,
                        {"xx......xx", ".xx....xx.", "..xx..xx..", "...xxxx...", "....xx....",
                         "...xxxx...", "..xx..xx..", ".xx....xx.", "xx......xx", ".........."},
                        {fondo, rojo});
    });
    RegisterBitmapResource("BBHELP", [=](TBitmap* b) {
        PaintBitmapRows(b,
                        {"..xxxx..", ".xx..xx.", ".....xx.", "....xx..", "...xx...", "...xx...",
                         "........", "...xx...", "...xx...", "........"},
                        {fondo, azul});
    });
}

struct Clase {
    const char* caption;
    const char* glifo;
    TModalResult resultado;
};

// Captions in the program's language, glyphs and modal results of the kinds.
const Clase kClases[] = {
    {"", nullptr, mrNone},
    {"Aceptar", "BBOK", mrOk},
    {"Cancelar", "BBCANCEL", mrCancel},
    {"&Ayuda", "BBHELP", mrNone},
    {"&Sí", "BBOK", mrYes},
    {"&No", "BBCANCEL", mrNo},
    {"&Cerrar", nullptr, mrNone},
    {"Abortar", "BBCANCEL", mrAbort},
    {"&Reintentar", nullptr, mrRetry},
    {"&Ignorar", nullptr, mrIgnore},
    {"&Todo", "BBOK", mrAll},
};

// The button's face: the style's bevel, then the glyph and the caption through a canvas.
class BitBtnWidget : public HookedWidget<QPushButton> {
public:
    BitBtnWidget(TBitBtn* b, QWidget* parent) : HookedWidget<QPushButton>(b, parent), btn_(b) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        opt.text.clear();
        opt.icon = QIcon();
        style()->drawControl(QStyle::CE_PushButtonBevel, &opt, &p, this);
        QImage cara(size(), QImage::Format_ARGB32_Premultiplied);
        cara.fill(Qt::transparent);
        TCanvas canvas;
        canvas.Device().SetTarget(&cara);
        btn_->PaintFace(&canvas, Rect(2, 2, width() - 2, height() - 2), isDown());
        canvas.Device().ClearTarget();
        p.drawImage(0, 0, cara);
        if (hasFocus()) {
            QStyleOptionFocusRect f;
            f.initFrom(this);
            f.rect = rect().adjusted(4, 4, -4, -4);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &f, &p, this);
        }
    }

private:
    TBitBtn* btn_;
};

} // namespace

// --- TButtonGlyph ---

TButtonGlyph::TButtonGlyph() : glyph_(std::make_unique<TBitmap>()) {
    glyph_->OnChange = [this](TObject*) {
        if (OnChange) OnChange(nullptr);
    };
}

TButtonGlyph::~TButtonGlyph() {
    glyph_->OnChange = nullptr;
}

void TButtonGlyph::SetGlyph(TBitmap* Value) {
    glyph_->Assign(Value);
    // A strip of square images tells how many there are.
    const int h = glyph_->GetHeight(), w = glyph_->GetWidth();
    if (h > 0 && w % h == 0 && w / h >= 1 && w / h <= 4) numGlyphs_ = w / h;
    Changed();
}

void TButtonGlyph::SetNumGlyphs(TNumGlyphs Value) {
    numGlyphs_ = std::clamp(Value, 1, 4);
    Changed();
}

void TButtonGlyph::SetLayout(TButtonLayout Value) {
    layout_ = Value;
    Changed();
}

void TButtonGlyph::SetMargin(int Value) {
    margin_ = std::max(-1, Value);
    Changed();
}

void TButtonGlyph::SetSpacing(int Value) {
    spacing_ = Value;
    Changed();
}

void TButtonGlyph::Changed() {
    if (OnChange) OnChange(nullptr);
}

std::unique_ptr<TBitmap> TButtonGlyph::Frame(TButtonState State) const {
    const int w = glyph_->GetWidth() / std::max(1, numGlyphs_), h = glyph_->GetHeight();
    auto frame = std::make_unique<TBitmap>();
    if (w <= 0 || h <= 0) return frame;
    const TColor clave = glyph_->GetTransparentColor();
    int indice = 0;
    if (State == bsDisabled && numGlyphs_ > 1) indice = 1;
    if (State == bsDown && numGlyphs_ > 2) indice = 2;
    if (State == bsExclusive && numGlyphs_ > 3) indice = 3;
    frame->SetSize(w, h);
    frame->GetCanvas()->CopyRect(Rect(0, 0, w, h), glyph_->GetCanvas(),
                                 Bounds(indice * w, 0, w, h));
    if (State == bsDisabled && numGlyphs_ < 2) {
        // Without a disabled image: the dark pixels embossed, light over shadow.
        TBitmap gris;
        gris.SetSize(w, h);
        gris.GetCanvas()->GetBrush()->SetColor(clave);
        gris.GetCanvas()->FillRect(Rect(0, 0, w, h));
        TCanvas* origen = frame->GetCanvas();
        auto oscuro = [&](int x, int y) {
            const COLORREF c = ColorToRGB(origen->GetPixels(x, y));
            return origen->GetPixels(x, y) != clave &&
                   (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100 < 192;
        };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (oscuro(x, y) && x + 1 < w && y + 1 < h)
                    gris.GetCanvas()->SetPixels(x + 1, y + 1, clBtnHighlight);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (oscuro(x, y)) gris.GetCanvas()->SetPixels(x, y, clBtnShadow);
        frame->Assign(&gris);
    }
    frame->SetTransparentColor(clave);
    frame->SetTransparent(true);
    return frame;
}

TRect TButtonGlyph::Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset,
                         const AnsiString& Caption, TButtonState State) {
    int margin = margin_, spacing = spacing_;
    const TPoint size{Client.Width(), Client.Height()};
    const int gw = glyph_->GetEmpty() ? 0 : glyph_->GetWidth() / std::max(1, numGlyphs_);
    const int gh = glyph_->GetEmpty() ? 0 : glyph_->GetHeight();
    // Without a caption the text takes no room.
    TRect texto;
    if (!Caption.IsEmpty()) {
        texto = TRect(0, 0, Client.Width(), 0);
        DrawText(Canvas->GetHandle(), Caption.c_str(), Caption.Length(), &texto,
                 DT_CALCRECT | DT_SINGLELINE);
    }
    const int tw = texto.Width(), th = texto.Height();
    const bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    TPoint gp, tp;
    if (horizontal) {
        gp.y = (size.y - gh + 1) / 2;
        tp.y = (size.y - th + 1) / 2;
    } else {
        gp.x = (size.x - gw + 1) / 2;
        tp.x = (size.x - tw + 1) / 2;
    }
    if (tw == 0 || gw == 0) spacing = 0;
    // margin -1 centres the pair; spacing -1 spreads it evenly.
    if (margin == -1) {
        if (spacing == -1) {
            margin = horizontal ? (size.x - (gw + tw)) / 3 : (size.y - (gh + th)) / 3;
            spacing = margin;
        } else {
            margin = horizontal ? (size.x - (gw + spacing + tw) + 1) / 2
                                : (size.y - (gh + spacing + th) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing =
            horizontal ? (size.x - (margin + gw) - tw) / 2 : (size.y - (margin + gh) - th) / 2;
    }
    switch (layout_) {
    case blGlyphLeft:
        gp.x = margin;
        tp.x = gp.x + gw + spacing;
        break;
    case blGlyphRight:
        gp.x = size.x - margin - gw;
        tp.x = gp.x - spacing - tw;
        break;
    case blGlyphTop:
        gp.y = margin;
        tp.y = gp.y + gh + spacing;
        break;
    case blGlyphBottom:
        gp.y = size.y - margin - gh;
        tp.y = gp.y - spacing - th;
        break;
    }
    gp = {gp.x + Client.Left + Offset.x, gp.y + Client.Top + Offset.y};
    texto = OffsetRect(texto, tp.x + Client.Left + Offset.x, tp.y + Client.Top + Offset.y);
    if (gw > 0) {
        std::unique_ptr<TBitmap> f = Frame(State);
        Canvas->Draw(gp.x, gp.y, f.get());
    }
    if (!Caption.IsEmpty()) {
        Canvas->GetBrush()->SetStyle(bsClear);
        if (State == bsDisabled) {
            TRect r = OffsetRect(texto, 1, 1);
            Canvas->GetFont()->SetColor(clBtnHighlight);
            DrawText(Canvas->GetHandle(), Caption.c_str(), Caption.Length(), &r,
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            Canvas->GetFont()->SetColor(clBtnShadow);
        }
        DrawText(Canvas->GetHandle(), Caption.c_str(), Caption.Length(), &texto,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    return texto;
}

// --- TBitBtn ---

TBitBtn::TBitBtn(TComponent* AOwner)
    : GlyphButton<TButton>(AOwner, [this] {
          if (GetWidget()) GetWidget()->update();
      }) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetKind(TBitBtnKind Value) {
    kind_ = Value;
    if (Value == bkCustom) return;
    const Clase& c = kClases[Value];
    SetCaption(c.caption);
    SetModalResult(c.resultado);
    if (c.glifo) {
        RegistrarGlifos();
        TBitmap b;
        b.LoadFromResourceName(HInstance, c.glifo);
        SetGlyph(&b);
    } else {
        TBitmap vacio;
        SetGlyph(&vacio);
    }
}

void TBitBtn::Click() {
    if (kind_ == bkClose) {
        if (TCustomForm* form = GetParentForm(this)) {
            form->Close();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::PaintFace(TCanvas* Canvas, const TRect& Client, bool Pressed) {
    Canvas->SetFont(GetFont());
    const TPoint offset = Pressed ? TPoint(1, 1) : TPoint(0, 0);
    Glyph().Draw(Canvas, Client, offset, GetCaption(),
                 !GetEnabled() ? bsDisabled
                 : Pressed     ? bsDown
                               : bsUp);
}

void TBitBtn::CreateWindowHandle(const TCreateParams&) {
    QWidget* parentWidget = GetParent() ? GetParent()->GetWidget() : nullptr;
    auto* b = new BitBtnWidget(this, parentWidget);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoDefault(false);
    QObject::connect(b, &QAbstractButton::clicked, b, [this] {
        GuardedEntry(this, [this] {
            Perform(CN_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                    reinterpret_cast<LPARAM>(HandleAllocated() ? GetHandle() : nullptr));
        });
    });
    b->setText(ToQString(GetCaption()));
    b->setShortcut(QKeySequence());
    SetWidget(b, true);
}

// --- TSpeedButton ---

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : GlyphButton<TGraphicControl>(AOwner, [this] { Invalidate(); }) {
    // Clicks come from MouseUp, not from the standard click of the mouse messages.
    SetControlStyle({csCaptureMouse, csDoubleClicks, csOpaque});
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetTransparent(bool Value) {
    if (GetTransparent() == Value) return;
    TControlStyle s = GetControlStyle();
    SetControlStyle(Value ? s >> csOpaque : s << csOpaque);
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int Value) {
    if (groupIndex_ == Value) return;
    groupIndex_ = Value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
    if (groupIndex_ == 0) Value = false;
    if (Value == down_) return;
    // The only button down in its group stays down unless all may be up.
    if (down_ && !allowAllUp_) return;
    down_ = Value;
    state_ = Value ? bsExclusive : bsUp;
    Invalidate();
    if (Value) UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
    if (allowAllUp_ == Value) return;
    allowAllUp_ = Value;
    UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
    flat_ = Value;
    Invalidate();
}

// The group's other buttons come up (and share AllowAllUp).
void TSpeedButton::UpdateExclusive() {
    TWinControl* parent = GetParent();
    if (groupIndex_ == 0 || !parent) return;
    for (int i = 0; i < parent->GetControlCount(); ++i) {
        auto* otro = dynamic_cast<TSpeedButton*>(parent->GetControls(i));
        if (!otro || otro == this || otro->groupIndex_ != groupIndex_) continue;
        if (down_ && otro->down_) {
            otro->down_ = false;
            otro->state_ = bsUp;
            otro->Invalidate();
        }
        otro->allowAllUp_ = allowAllUp_;
    }
}

void TSpeedButton::Paint() {
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    const bool pressed = state_ == bsDown || state_ == bsExclusive;
    const bool transparent = GetTransparent();
    if (!transparent) {
        c->GetBrush()->SetColor(clBtnFace);
        c->FillRect(r);
    }
    if (!flat_) {
        TRect f = r;
        DrawFrameControl(c->GetHandle(), &f, DFC_BUTTON,
                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0u) |
                             (transparent ? DFCS_TRANSPARENT : 0u));
        r = f;
    } else if (pressed || (mouseInControl_ && GetEnabled())) {
        TRect f = r;
        DrawEdge(c->GetHandle(), &f, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
                 BF_RECT | BF_ADJUST);
        r = f;
    }
    if (state_ == bsExclusive) {
        // Down but not pressed: the dithered face.
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if ((x + y) % 2 == 0) c->SetPixels(x, y, clBtnHighlight);
    }
    c->SetFont(GetFont());
    const TPoint offset = pressed ? TPoint(1, 1) : TPoint(0, 0);
    const TButtonState estado = !GetEnabled() ? bsDisabled : state_;
    Glyph().Draw(c, GetClientRect(), offset, GetCaption(), estado);
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !GetEnabled()) return;
    if (!down_) {
        state_ = bsDown;
        Invalidate();
    }
    dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!dragging_) return;
    // Pressed only while the pointer is over it.
    const TButtonState nuevo =
        PtInRect(GetClientRect(), {X, Y}) ? bsDown : (down_ ? bsExclusive : bsUp);
    if (nuevo != state_) {
        state_ = nuevo;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!dragging_) return;
    dragging_ = false;
    const bool click = X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight();
    auto alive = Watch();
    if (groupIndex_ == 0) {
        state_ = bsUp;
        Invalidate();
    } else if (click) {
        SetDown(!down_);
        state_ = down_ ? bsExclusive : bsUp;
        Invalidate();
    } else {
        state_ = down_ ? bsExclusive : bsUp;
        Invalidate();
    }
    if (click && !alive.expired()) Click();
}

void TSpeedButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        mouseInControl_ = true;
        if (flat_) Invalidate();
        break;
    case CM_MOUSELEAVE:
        mouseInControl_ = false;
        if (flat_) Invalidate();
        break;
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    TGraphicControl::Dispatch(Message);
}
