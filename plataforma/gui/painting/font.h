#pragma once
// TFont: the font of a control or a canvas. Height is in pixels at 96 pixels per inch
// (negative: character height; positive: cell height) and Size in points; setting one sets
// the other. Names of Windows fonts are kept as given and mapped to fonts present on the
// machine only when drawing.

#include "plataforma/base/component.h"
#include "plataforma/base/events.h"
#include "plataforma/gui/painting/colors.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = SmallSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = BYTE;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;

class TFont : public TPersistent {
public:
    TFont();

    const AnsiString& GetName() const { return name_; }
    void SetName(const AnsiString& Value);
    int GetSize() const;
    void SetSize(int Value);
    int GetHeight() const { return height_; }
    void SetHeight(int Value);
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    TFontStyles GetStyle() const { return style_; }
    void SetStyle(TFontStyles Value);
    TFontPitch GetPitch() const { return pitch_; }
    void SetPitch(TFontPitch Value);
    TFontCharset GetCharset() const { return charset_; }
    void SetCharset(TFontCharset Value);
    // Escapement in tenths of a degree, counter-clockwise.
    int GetOrientation() const { return orientation_; }
    void SetOrientation(int Value);
    int GetPixelsPerInch() const { return 96; }

    // From another TFont; anything else raises EConvertError.
    void Assign(TPersistent* Source) override;
    bool operator==(const TFont& o) const;

    TNotifyEvent OnChange;

private:
    void Changed();

    AnsiString name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_;
    TFontPitch pitch_ = fpDefault;
    TFontCharset charset_ = DEFAULT_CHARSET;
    int orientation_ = 0;
};

// The family drawn for a font name: the Windows sans, serif and fixed fonts map to the
// first one of their kind installed here, "Symbol" to an installed serif font with Greek
// letters; other names are kept.
AnsiString ResolveFontFamily(const AnsiString& Name);

// Whether the name is Windows' "Symbol" font, whose 8-bit text shows Greek letters and
// mathematical signs in place of the Latin letters and a few ASCII signs.
bool IsSymbolFontName(const AnsiString& Name);

// Rounded a * b / c, halves away from zero, as the Win32 function.
int MulDiv(int a, int b, int c);
