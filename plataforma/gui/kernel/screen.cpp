#include "plataforma/gui/kernel/screen.h"

#include "plataforma/gui/input/cursor_map.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

namespace {

TScreen pantalla(nullptr);

QScreen* Primary() {
    EnsureQtApplication();
    return QGuiApplication::primaryScreen();
}

} // namespace

TScreen* Screen = &pantalla;

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}
TScreen::~TScreen() = default;

void TScreen::SetCursor(TCursor Value) {
    if (Value == cursor_) return;
    EnsureQtApplication();
    if (cursor_ != crDefault) QGuiApplication::restoreOverrideCursor();
    cursor_ = Value;
    if (cursor_ != crDefault) QGuiApplication::setOverrideCursor(QtCursorOf(cursor_));
}

HCURSOR TScreen::GetCursors(TCursor Index) const {
    return CursorHandle(Index);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Value) {
    if (Value) RegisterCursorHandle(Index, *reinterpret_cast<const QCursor*>(Value));
}

TWinControl* TScreen::GetActiveControl() const {
    return FocusedControl();
}

TStrings* TScreen::GetFonts() {
    if (!fonts_) {
        EnsureQtApplication();
        fonts_ = std::make_unique<TStringList>();
        fonts_->SetSorted(true);
        fonts_->SetDuplicates(dupIgnore);
        for (const QString& f : QFontDatabase::families())
            fonts_->Add(FromQString(f));
    }
    return fonts_.get();
}

int TScreen::GetWidth() const {
    QScreen* s = Primary();
    return s ? s->geometry().width() : 0;
}

int TScreen::GetHeight() const {
    QScreen* s = Primary();
    return s ? s->geometry().height() : 0;
}

TRect TScreen::GetWorkAreaRect() const {
    QScreen* s = Primary();
    return s ? FromQRect(s->availableGeometry()) : TRect();
}

namespace {
int pitidos = 0;
}

int MessageBeepCount() {
    return pitidos;
}

BOOL MessageBeep(UINT) {
    ++pitidos;
    if (QCoreApplication::instance()) QApplication::beep();
    return TRUE;
}
