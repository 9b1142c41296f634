#include "plataforma/gui/kernel/qt_bridge.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/gui/painting/font.h"

#include <QFontMetrics>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

// Every Windows-1252 byte is one UTF-16 unit: straight into the text, without UTF-8 between.
QString ToQString(const AnsiString& s) {
    const std::string& bytes = s.str();
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* units = text.data();
    for (unsigned char c : bytes)
        *units++ = QChar(c < 0x80 ? char16_t{c} : static_cast<char16_t>(cp1252::ToUnicode(c)));
    return text;
}

AnsiString FromQString(const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    return AnsiString(
        cp1252::FromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size()))));
}

// The UTF-16 units as they are (QString::fromUtf16 would take a first U+FEFF or U+FFFE for a
// byte order mark: dropped, or the whole text byte-swapped).
QString ToQString(const WideString& s) {
    return QString(reinterpret_cast<const QChar*>(s.c_bstr()), static_cast<qsizetype>(s.Length()));
}

WideString WideFromQString(const QString& s) {
    return WideString(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<int>(s.size()));
}

unsigned char AnsiCharOf(char32_t u) {
    int b = cp1252::FromUnicode(u);
    return b < 0 ? '?' : static_cast<unsigned char>(b);
}

namespace {

// The symbol font's characters for the ASCII codes 0x20 to 0x7E; zero where the code keeps
// its own character (space, digits, brackets and most punctuation).
constexpr char16_t kSymbolAscii[0x5F] = {
    0,      0,      0x2200, 0,      0x2203, 0,      0,      0x220B, // space ! " # $ % & '
    0,      0,      0x2217, 0,      0,      0x2212, 0,      0,      // ( ) * + , - . /
    0,      0,      0,      0,      0,      0,      0,      0,      // 0 to 7
    0,      0,      0,      0,      0,      0,      0,      0,      // 8 9 : ; < = > ?
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, // @ A B C D E F G
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, // H I J K L M N O
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, // P Q R S T U V W
    0x039E, 0x03A8, 0x0396, 0,      0x2234, 0,      0x22A5, 0,      // X Y Z [ \ ] ^ _
    0,      0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, // ` a b c d e f g
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, // h i j k l m n o
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, // p q r s t u v w
    0x03BE, 0x03C8, 0x03B6, 0,      0,      0,      0x223C,         // x y z { | } ~
};

} // namespace

QString ShownText(const QString& text, bool symbolFont) {
    if (!symbolFont) return text;
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F && kSymbolAscii[u - 0x20]) c = QChar(kSymbolAscii[u - 0x20]);
    }
    return out;
}

QString ProgramText(const QString& shown, bool symbolFont) {
    if (!symbolFont) return shown;
    QString out = shown;
    for (QChar& c : out)
        for (char16_t i = 0; i < 0x5F; ++i)
            if (kSymbolAscii[i] && kSymbolAscii[i] == c.unicode()) {
                c = QChar(static_cast<char16_t>(i + 0x20));
                break;
            }
    return out;
}

QString ToQString(const AnsiString& s, const TFont& f) {
    return ShownText(ToQString(s), IsSymbolFontName(f.GetName()));
}

QColor ToQColor(TColor c) {
    if (c == clNone || c == clDefault) return {};
    COLORREF rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

namespace {

QFont NewQFont(const TFont& f) {
    QFont q(ToQString(ResolveFontFamily(f.GetName())));
    q.setStyleStrategy(QFont::NoAntialias);
    // One bit per pixel, glyphs are drawn fully hinted whatever the desktop's hinting: the
    // advances that lay the text out are the hinted ones too, whole pixels, as the glyphs
    // drawn take them.
    q.setHintingPreference(QFont::PreferFullHinting);
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
    return q;
}

// What of a TFont makes its QFont.
struct FontKey {
    AnsiString name;
    int height;
    unsigned style;
    bool fixed;
    bool operator==(const FontKey& o) const {
        return height == o.height && style == o.style && fixed == o.fixed && name == o.name;
    }
};

} // namespace

QFont ToQFont(const TFont& f) {
    // Drawing switches among a few fonts again and again (bold and plain words of one text):
    // the fonts made last are kept, the newest first.
    constexpr size_t kKept = 32;
    static std::vector<std::pair<FontKey, QFont>> made;
    const TFontStyles st = f.GetStyle();
    const FontKey key{f.GetName(), f.GetHeight(),
                      (st.Contains(fsBold) ? 1u : 0u) | (st.Contains(fsItalic) ? 2u : 0u) |
                          (st.Contains(fsUnderline) ? 4u : 0u) |
                          (st.Contains(fsStrikeOut) ? 8u : 0u),
                      f.GetPitch() == fpFixed};
    for (size_t i = 0; i < made.size(); ++i)
        if (made[i].first == key) {
            if (i > 0)
                std::rotate(made.begin(), made.begin() + static_cast<std::ptrdiff_t>(i),
                            made.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return made.front().second;
        }
    if (made.size() >= kKept) made.pop_back();
    made.insert(made.begin(), {key, NewQFont(f)});
    return made.front().second;
}
