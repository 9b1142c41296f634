// TCustomComboBox's painting: the classic combo box, drawn through a device context so that
// a subclass can paint parts of its own first and clip them out (a flat look), as the
// window system's combo paints into the context WM_PAINT gives it.

#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/combo_look.h"

#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/widgets/item_delegate.h"

#include <QImage>

ComboParts ClassicComboParts(int Width, int Height, bool DropButton) {
    ComboParts p;
    p.inside = TRect(2, 2, Width - 2, Height - 2);
    p.field = p.inside;
    if (DropButton) {
        const int w = std::min(GetSystemMetrics(SM_CXVSCROLL), std::max(0, p.inside.Width()));
        p.button = TRect(p.inside.Right - w, p.inside.Top, p.inside.Right, p.inside.Bottom);
        p.field.Right = p.button.Left;
    }
    p.text = TRect(p.field.Left + 1, p.field.Top + 1, std::max(p.field.Left + 1, p.field.Right - 1),
                   std::max(p.field.Top + 1, p.field.Bottom - 1));
    return p;
}

namespace {

void FillSolid(HDC DC, const TRect& R, TColor Color) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
    FillRect(DC, &R, brush);
    DeleteObject(brush);
}

} // namespace

void TCustomComboBox::PaintWindow(HDC DC) {
    CanvasDevice* device = CanvasDevice::FromHandle(DC);
    if (!device) return;
    const int saved = SaveDC(DC);
    const TRect client = GetClientRect();
    const ComboParts parts = ClassicComboParts(client.Width(), client.Height(), style_ != csSimple);
    TRect frame = client;
    DrawEdge(DC, &frame, EDGE_SUNKEN, BF_RECT);
    if (style_ != csSimple) {
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (GetDroppedDown()) state |= DFCS_PUSHED | DFCS_FLAT;
        if (!GetEnabled()) state |= DFCS_INACTIVE;
        TRect button = parts.button;
        DrawFrameControl(DC, &button, DFC_SCROLL, state);
    }
    FillSolid(DC, parts.field, GetColor());
    // The edit part of an editable combo is a window of its own, which paints its text.
    if (!Editable()) PaintChoice(*device, parts.text);
    RestoreDC(DC, saved);
}

void TCustomComboBox::PaintChoice(CanvasDevice& Device, const TRect& R) {
    if (R.Width() <= 0 || R.Height() <= 0) return;
    HDC dc = Device.Handle();
    // Focused and closed, the choice shows highlighted in a dotted frame.
    const bool highlight = Focused() && !GetDroppedDown();
    if (OwnerDraws()) {
        TOwnerDrawState state{odComboBoxEdit};
        if (highlight) state << odSelected << odFocused;
        QImage image(R.Width(), R.Height(), QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter p(&image);
            const QRect area(0, 0, R.Width(), R.Height());
            const QColor back = ToQColor(GetColor());
            if (itemIndex_ >= 0) {
                p.translate(-R.Left, -R.Top);
                PaintOwnerItem(&p, QRect(R.Left, R.Top, R.Width(), R.Height()), *owner_, itemIndex_,
                               state, back);
            } else {
                p.fillRect(area, back);
            }
        }
        Device.Image(QRect(R.Left, R.Top, R.Width(), R.Height()), image, image.rect(), cmSrcCopy);
        return;
    }
    TCanvas* canvas = Device.Owner();
    TFont font;
    font.Assign(canvas->GetFont());
    TBrush brush;
    brush.Assign(canvas->GetBrush());
    canvas->GetFont()->Assign(GetFont());
    if (!GetEnabled())
        canvas->GetFont()->SetColor(clGrayText);
    else if (highlight)
        canvas->GetFont()->SetColor(clHighlightText);
    canvas->GetBrush()->SetStyle(bsClear);
    FillSolid(dc, R, highlight ? clHighlight : GetColor());
    if (itemIndex_ >= 0) {
        const WideString text = list_[itemIndex_].Shown();
        TRect box(R.Left + 2, R.Top, R.Right - 1, R.Bottom);
        DrawTextW(canvas->GetHandle(), text.c_bstr(), text.Length(), &box,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (highlight) DrawFocusRect(dc, &R);
    canvas->GetFont()->Assign(&font);
    canvas->GetBrush()->Assign(&brush);
}
