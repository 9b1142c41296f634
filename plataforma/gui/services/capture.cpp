// Captures: the control's widgets rendered by Qt; a form gets the classic frame and caption
// bar that the window manager would otherwise draw.

#include "plataforma/gui/services/capture.h"

#include "plataforma/base/files.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/colors.h"
#include "plataforma/gui/painting/font.h"

#include <QCursor>
#include <QImage>
#include <QLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

QColor C(TColor c) {
    return ToQColor(c);
}

// A raised edge of the given thickness, light at the top and left.
void RaisedEdge(QPainter& p, QRect r, int thickness) {
    const TColor tl[] = {cl3DLight, clBtnHighlight, clBtnFace, clBtnFace};
    const TColor br[] = {cl3DDkShadow, clBtnShadow, clBtnFace, clBtnFace};
    for (int i = 0; i < thickness && r.width() > 1 && r.height() > 1; ++i) {
        int k = std::min(i, 3);
        p.setPen(C(tl[k]));
        p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
        p.setPen(C(br[k]));
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
        r.adjust(1, 1, -1, -1);
    }
}

// The caption buttons: close, then maximize and minimize, from the right.
void CaptionButtons(QPainter& p, const TCustomForm* form, const QRect& bar) {
    TBorderIcons icons = form->GetBorderIcons();
    if (!icons.Contains(biSystemMenu)) return;
    const int h = bar.height() - 4, w = h + 2;
    int x = bar.right() - 1 - w;
    const int y = bar.top() + 2;
    auto button = [&](int kind) {
        QRect r(x, y, w, h);
        p.fillRect(r, C(clBtnFace));
        RaisedEdge(p, r, 2);
        p.setPen(QPen(C(clBtnText), 2));
        QRect g = r.adjusted(4, 3, -5, -4);
        switch (kind) {
        case 0: // close
            p.drawLine(g.topLeft(), g.bottomRight());
            p.drawLine(g.bottomLeft(), g.topRight());
            break;
        case 1: // maximize
            p.setPen(QPen(C(clBtnText), 1));
            p.drawRect(g);
            p.drawLine(g.left(), g.top() + 1, g.right(), g.top() + 1);
            break;
        default: // minimize
            p.drawLine(g.left(), g.bottom(), g.left() + g.width() / 2 + 1, g.bottom());
            break;
        }
        x -= w + (kind == 0 ? 2 : 0);
    };
    button(0);
    const TFormBorderStyle bs = form->GetBorderStyle();
    if (bs == bsDialog || bs == bsToolWindow || bs == bsSizeToolWin) return;
    if (icons.Contains(biMaximize) || icons.Contains(biMinimize)) {
        button(1);
        button(2);
    }
}

QImage FormImage(TCustomForm* form, QWidget* window) {
    const TFrameMetrics m = FrameMetricsOf(form->GetBorderStyle());
    const int w = form->GetWidth(), h = form->GetHeight();
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    img.fill(C(clBtnFace));
    QPainter p(&img);
    if (m.frame > 0) RaisedEdge(p, QRect(0, 0, w, h), std::min(m.frame, 2));
    if (m.caption > 0) {
        QRect bar(m.frame, m.frame, w - 2 * m.frame, m.caption - 1);
        QLinearGradient g(bar.topLeft(), bar.topRight());
        g.setColorAt(0, C(clActiveCaption));
        g.setColorAt(1, C(clGradientActiveCaption));
        p.fillRect(bar, g);
        TFont font;
        font.SetStyle({fsBold});
        p.setFont(ToQFont(font));
        p.setPen(C(clCaptionText));
        // The window's title: an MDI frame shows its maximized child's caption in it.
        p.drawText(bar.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   window->windowTitle());
        CaptionButtons(p, form, bar);
    }
    QImage inner = window->grab().toImage();
    p.drawImage(m.frame, m.frame + m.caption, inner);
    return img;
}

AnsiString SafeName(const AnsiString& name) {
    std::string out;
    for (char c : name.str()) {
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '_';
        out += keep ? c : '_';
    }
    return AnsiString(out.empty() ? std::string("captura") : out);
}

} // namespace

AnsiString CaptureFolder() {
    if (const char* env = std::getenv("QUENBAR_CAPTURAS"); env && *env) return FromNativePath(env);
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    fs::path dir = ec ? fs::current_path(ec) : exe.parent_path();
    for (fs::path p = dir; !p.empty(); p = p.parent_path()) {
        if (fs::exists(p / "CMakeCache.txt", ec)) return FromNativePath((p / "capturas").string());
        if (p == p.root_path()) break;
    }
    return FromNativePath((dir / "capturas").string());
}

namespace {

AnsiString Capture(TControl* Control, const AnsiString& Name, const TPoint* Pointer) {
    if (!Control) return AnsiString();
    EnsureQtApplication();
    auto* win = dynamic_cast<TWinControl*>(Control);
    if (win) win->HandleNeeded();
    // Layouts and posted messages first, so that the picture is what a person would see.
    Application->ProcessMessages();
    QImage img;
    auto* form = dynamic_cast<TCustomForm*>(Control);
    QWidget* window = form ? form->GetWindowWidget() : nullptr;
    if (form && window && !form->GetMDIFrame()) {
        window->ensurePolished();
        if (QLayout* l = window->layout()) l->activate();
        img = FormImage(form, window);
    } else if (QWidget* w = window ? window : Control->GetWidget()) {
        img = w->grab().toImage();
    } else {
        return AnsiString();
    }
    if (QWidget* w = Control->GetWidget(); Pointer && w && !form) {
        const QCursor cursor = w->cursor();
        const QPixmap shape = cursor.pixmap();
        if (!shape.isNull()) {
            QPainter p(&img);
            p.drawPixmap(Pointer->x - cursor.hotSpot().x(), Pointer->y - cursor.hotSpot().y(),
                         shape);
        }
    }
    fs::path folder = NativePath(CaptureFolder());
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::path file = folder / (SafeName(Name).str() + ".png");
    if (!img.save(QString::fromStdString(file.string()), "PNG")) return AnsiString();
    return FromNativePath(file.string());
}

} // namespace

AnsiString SaveCapture(TControl* Control, const AnsiString& Name) {
    return Capture(Control, Name, nullptr);
}

AnsiString SaveCapture(TControl* Control, const AnsiString& Name, TPoint Pointer) {
    return Capture(Control, Name, &Pointer);
}
