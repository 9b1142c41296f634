// The colours of a hosted edit, asked of its parent before each paint.

#include "plataforma/gui/widgets/edit_colors.h"

#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/gdi.h"

#include <QPalette>
#include <QWidget>

#include <map>

namespace {

// The colour a brush paints with, read back from one pixel.
bool BrushColor(HBRUSH brush, COLORREF& color) {
    static TBitmap* pixel = [] {
        auto* b = new TBitmap();
        b->SetSize(1, 1);
        return b;
    }();
    HDC dc = pixel->GetCanvas()->GetHandle();
    SetPixel(dc, 0, 0, RGB(1, 2, 3));
    TRect r(0, 0, 1, 1);
    if (FillRect(dc, &r, brush) == 0) return false;
    color = GetPixel(dc, 0, 0);
    return color != CLR_INVALID;
}

// The text keeps its grey while disabled; the background is the same in every state.
void SetRoleColor(QPalette& p, QPalette::ColorRole role, const QColor& c) {
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        if (g != QPalette::Disabled || role != QPalette::Text) p.setColor(g, role, c);
}

} // namespace

long long DefaultControlColor(TWinControl* Control, void* DC) {
    HDC dc = static_cast<HDC>(DC);
    const COLORREF back = ColorToRGB(Control->GetColor());
    SetTextColor(dc, ColorToRGB(Control->GetFont()->GetColor()));
    SetBkColor(dc, back);
    // Brushes live as long as the program, as the system's own do.
    static auto* brushes = new std::map<COLORREF, HBRUSH>();
    HBRUSH& b = (*brushes)[back];
    if (!b) b = CreateSolidBrush(back);
    return reinterpret_cast<long long>(b);
}

void AskEditColors(TWinControl* Control, QWidget* Widget, bool Static) {
    if (!Control->HandleAllocated() || !Widget) return;
    HWND hwnd = Control->GetHandle();
    HDC dc = GetDC(hwnd);
    if (!dc) return;
    const UINT msg = Static ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    TWinControl* parent = Control->GetParent();
    const LRESULT answer =
        parent ? parent->Perform(msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd))
               : Control->Perform(CN_BASE + msg, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(hwnd));
    const bool transparent = GetBkMode(dc) == TRANSPARENT;
    const COLORREF text = GetTextColor(dc);
    ReleaseDC(hwnd, dc);
    QPalette p = Widget->palette();
    const QPalette before = p;
    COLORREF back = 0;
    if (transparent)
        SetRoleColor(p, QPalette::Base, QColor(Qt::transparent));
    else if (answer && BrushColor(reinterpret_cast<HBRUSH>(answer), back))
        SetRoleColor(p, QPalette::Base, ToQColor(static_cast<TColor>(back)));
    if (text != CLR_INVALID) SetRoleColor(p, QPalette::Text, ToQColor(static_cast<TColor>(text)));
    // Only a change reaches the widget: a new palette asks for another paint.
    if (p != before) Widget->setPalette(p);
}
