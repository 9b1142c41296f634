#include "plataforma/gui/painting/font.h"

#include "plataforma/gui/kernel/qt_bridge.h"

#include <QFontDatabase>

#include <array>
#include <cmath>

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    long long p = static_cast<long long>(a) * b;
    double q = static_cast<double>(p) / c;
    return static_cast<int>(q < 0 ? -std::floor(-q + 0.5) : std::floor(q + 0.5));
}

TFont::TFont() = default;

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

void TFont::SetName(const AnsiString& Value) {
    if (Value.IsEmpty() || Value == name_) return;
    name_ = Value;
    Changed();
}

int TFont::GetSize() const {
    return -MulDiv(height_, 72, GetPixelsPerInch());
}

void TFont::SetSize(int Value) {
    SetHeight(-MulDiv(Value, GetPixelsPerInch(), 72));
}

void TFont::SetHeight(int Value) {
    if (Value == height_) return;
    height_ = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    Changed();
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == pitch_) return;
    pitch_ = Value;
    Changed();
}

void TFont::SetCharset(TFontCharset Value) {
    if (Value == charset_) return;
    charset_ = Value;
    Changed();
}

void TFont::SetOrientation(int Value) {
    if (Value == orientation_) return;
    orientation_ = Value;
    Changed();
}

bool TFont::operator==(const TFont& o) const {
    return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && style_ == o.style_ &&
           pitch_ == o.pitch_ && charset_ == o.charset_ && orientation_ == o.orientation_;
}

void TFont::Assign(TPersistent* Source) {
    auto* f = dynamic_cast<TFont*>(Source);
    if (!f) {
        TPersistent::Assign(Source);
        return;
    }
    if (*f == *this) return;
    name_ = f->name_;
    height_ = f->height_;
    color_ = f->color_;
    style_ = f->style_;
    pitch_ = f->pitch_;
    charset_ = f->charset_;
    orientation_ = f->orientation_;
    Changed();
}

namespace {

struct Familia {
    const char* windows;
    int kind; // 0 sans, 1 serif, 2 fixed
};

constexpr Familia kWindowsFonts[] = {
    {"MS Sans Serif", 0},   {"Microsoft Sans Serif", 0},
    {"Tahoma", 0},          {"Arial", 0},
    {"Verdana", 0},         {"Segoe UI", 0},
    {"MS Shell Dlg", 0},    {"MS Shell Dlg 2", 0},
    {"Helvetica", 0},       {"System", 0},
    {"Times New Roman", 1}, {"MS Serif", 1},
    {"Times", 1},           {"Courier New", 2},
    {"Courier", 2},         {"Lucida Console", 2},
    {"Fixedsys", 2},        {"Terminal", 2},
};

// Text is drawn without antialiasing, one bit per pixel. The faces made to the Windows
// fonts' widths (Liberation, and the URW faces fontconfig puts in their place) draw their
// digits that way as wide as their advance or wider: side by side, "00000" runs together.
// DejaVu keeps its digits inside their advances and is always installed with the programs,
// so it comes first: text looks and measures the same whatever other fonts the machine has.
const char* const kCandidates[3][3] = {
    {"DejaVu Sans", "Liberation Sans", "FreeSans"},
    {"DejaVu Serif", "Liberation Serif", "FreeSerif"},
    {"DejaVu Sans Mono", "Liberation Mono", "FreeMono"},
};

// For each kind of face, the first candidate installed (the first when none is).
std::array<AnsiString, 3> InstalledCandidates() {
    EnsureQtApplication();
    const QStringList families = QFontDatabase::families();
    std::array<AnsiString, 3> chosen;
    for (size_t kind = 0; kind < chosen.size(); ++kind) {
        chosen[kind] = kCandidates[kind][0];
        for (const char* c : kCandidates[kind])
            if (families.contains(QString::fromLatin1(c), Qt::CaseInsensitive)) {
                chosen[kind] = c;
                break;
            }
    }
    return chosen;
}

// Serif faces with Greek for the symbol font's letters, the first one installed.
const char* const kSymbolCandidates[] = {"DejaVu Serif", "Liberation Serif", "FreeSerif"};

AnsiString SymbolFamily() {
    EnsureQtApplication();
    const QStringList families = QFontDatabase::families();
    for (const char* c : kSymbolCandidates) {
        const QString family = QString::fromLatin1(c);
        if (families.contains(family, Qt::CaseInsensitive) &&
            QFontDatabase::writingSystems(family).contains(QFontDatabase::Greek))
            return c;
    }
    return kSymbolCandidates[0];
}

} // namespace

bool IsSymbolFontName(const AnsiString& Name) {
    return AnsiSameText(Name, "Symbol");
}

AnsiString ResolveFontFamily(const AnsiString& Name) {
    if (IsSymbolFontName(Name)) {
        static const AnsiString family = SymbolFamily();
        return family;
    }
    for (const Familia& f : kWindowsFonts) {
        if (!AnsiSameText(Name, f.windows)) continue;
        // Looked up once: the installed families do not change while the program runs.
        static const std::array<AnsiString, 3> installed = InstalledCandidates();
        return installed[f.kind];
    }
    return Name;
}
