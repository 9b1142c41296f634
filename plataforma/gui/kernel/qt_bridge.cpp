#include "plataforma/gui/kernel/qt_bridge.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/gui/painting/font.h"

#include <QFontMetrics>

#include <string>

QString ToQString(const AnsiString& s) {
    const std::string utf8 = cp1252::ToUtf8(s.str());
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

AnsiString FromQString(const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    return AnsiString(
        cp1252::FromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size()))));
}

QString ToQString(const WideString& s) {
    return QString::fromUtf16(s.c_bstr(), static_cast<qsizetype>(s.Length()));
}

WideString WideFromQString(const QString& s) {
    return WideString(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<int>(s.size()));
}

unsigned char AnsiCharOf(char32_t u) {
    int b = cp1252::FromUnicode(u);
    return b < 0 ? '?' : static_cast<unsigned char>(b);
}

QColor ToQColor(TColor c) {
    if (c == clNone || c == clDefault) return {};
    COLORREF rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QFont ToQFont(const TFont& f) {
    QFont q(ToQString(ResolveFontFamily(f.GetName())));
    int h = f.GetHeight();
    q.setPixelSize(h < 0 ? -h : (h > 0 ? h : 11));
    if (h > 0) {
        // A positive height is the cell height: scale the em size down to fit it.
        int cell = QFontMetrics(q).height();
        if (cell > 0 && cell != h) q.setPixelSize(std::max(1, h * h / cell));
    }
    TFontStyles st = f.GetStyle();
    q.setBold(st.Contains(fsBold));
    q.setItalic(st.Contains(fsItalic));
    q.setUnderline(st.Contains(fsUnderline));
    q.setStrikeOut(st.Contains(fsStrikeOut));
    if (f.GetPitch() == fpFixed) q.setFixedPitch(true);
    q.setStyleStrategy(QFont::NoAntialias);
    return q;
}
