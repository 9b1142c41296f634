#pragma once
// Inside the platform layer only: conversions between the class library's values and Qt's,
// and the application instance that widgets need.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/gui/kernel/win_types.h"
#include "plataforma/gui/painting/colors.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QApplication;
class TFont;

// The running QApplication; made on first use (headless programs and tests) with the hooks
// of the layer (focus tracking) installed once. An "offscreen" platform gets a large screen.
QApplication* EnsureQtApplication();

QString ToQString(const AnsiString& s);
AnsiString FromQString(const QString& s);
// Both are UTF-16: the code units pass unchanged.
QString ToQString(const WideString& s);
WideString WideFromQString(const QString& s);
// One Windows-1252 byte of a character; '?' for characters the code page lacks.
unsigned char AnsiCharOf(char32_t u);

// Text as a font shows it. Windows' "Symbol" font has an 8-bit encoding of its own: its Latin
// letters are Greek ones ("l" lambda, "m" mu) and a few ASCII signs mathematical ones ("-"
// minus). The font keeps its name for the program; its text becomes those characters here,
// when it is shown or measured. Other fonts show the text as it stands.
QString ShownText(const QString& text, bool symbolFont);
// Back: the text the program gave, from the shown one (for a canvas's recording).
QString ProgramText(const QString& shown, bool symbolFont);
// A control's text as its font shows it.
QString ToQString(const AnsiString& s, const TFont& f);

// clNone gives an invalid QColor: the caller leaves the current colour in place.
QColor ToQColor(TColor c);
QFont ToQFont(const TFont& f);

inline QPoint ToQPoint(const TPoint& p) {
    return {p.x, p.y};
}
inline TPoint FromQPoint(const QPoint& p) {
    return {p.x(), p.y()};
}
inline QRect ToQRect(const TRect& r) {
    return {r.Left, r.Top, r.Width(), r.Height()};
}
inline TRect FromQRect(const QRect& r) {
    return Bounds(r.x(), r.y(), r.width(), r.height());
}
