#pragma once
// Markup as text, without a canvas: stripping the tags, highlighting search hits and taking
// the highlight away, escaping text for markup, reading and rewriting the CONTROL tags of
// in-cell controls, colour names, and the shell icons, printed bitmaps and rotated fonts
// that the markup renderer shares. A tag runs from "<" to the next ">", or to the end of
// the text when no ">" follows.

#include "plataforma/base/ansi_string.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/canvas.h"

#include <span>
#include <string>
#include <string_view>

// --- markup as text ---
// Tags out, "<BR>" and "<HR>" (any case) as line breaks; entities stay as they are.
AnsiString HTMLStrip(const AnsiString& S);
// Every hit of H in the visible text wrapped in "<Tag>" ... "</Tag>".
AnsiString HiLight(const AnsiString& S, const AnsiString& H, const AnsiString& Tag, bool DoCase);
AnsiString UnHiLight(const AnsiString& S, const AnsiString& Tag);
// "&", double quotes, "<" and ">" as their entities.
AnsiString FixMarkup(const AnsiString& S);
AnsiString FixNonBreaking(const AnsiString& S);

// --- CONTROL tags: <CONTROL TYPE="EDIT" ID="x" VALUE="..." WIDTH="80" PROP="..."> ---
bool HasHTMLControl(const AnsiString& S);
bool GetControlValue(const AnsiString& S, const AnsiString& ID, AnsiString& Value);
AnsiString GetControlProp(const AnsiString& S, const AnsiString& ID);
// The ID of the next edit-like control (EDIT, PASSWORD, MASK, COMBO) after the one with
// ID (the first one when ID is empty); empty when there is none.
AnsiString GetNextControlID(const AnsiString& S, const AnsiString& ID);
// The same walk by the controls' places, where IDs may repeat: a control is its ID and
// Occurrence, which of the controls with that ID it is (from 0). In: the control to start
// after; out: the occurrence of the control returned. Every control is reached once.
AnsiString GetNextControlID(const AnsiString& S, const AnsiString& ID, int& Occurrence);
// Rewrites the tag of ID (its Occurrence-th one) with the new value (escaped); false when no
// tag has that ID.
bool SetControlValue(AnsiString& S, const AnsiString& ID, const AnsiString& Value,
                     int Occurrence = 0);
// The attributes of a CONTROL tag (the text after "<CONTROL" up to ">"); missing ones are
// empty, TYPE is upper-cased and VALUE has its entities decoded.
void ParseControlTag(const AnsiString& Tag, AnsiString& Type, AnsiString& ID, AnsiString& Value,
                     AnsiString& Width, AnsiString& Prop);
AnsiString PasswordMask(const AnsiString& S);

// --- services of the renderer ---
// Whether S holds Sub at I, case ignored (Sub in upper case).
bool HasNoCase(std::string_view S, size_t I, std::string_view Sub);
struct TMarkupEntity {
    std::string_view Name;
    std::string_view Value;
};
// S with the entities of Table replaced by their values in one pass (a decoded "&" is not
// read again); with NoCase an entity is found in any case (its Name in upper case).
std::string DecodeEntities(std::string_view S, std::span<const TMarkupEntity> Table, bool NoCase);
// "clred", "clbtnface"... (lower case); 0 for an unknown name.
TColor ColorFromName(const AnsiString& Name);
// "#RRGGBB", hex digits in either case; 0 for a text too short.
TColor HexToColor(const AnsiString& S);
// Whether the visual styles may be used by the markup's control look-alikes (decided once
// at start-up: the window layer always has its themed drawing).
bool ThemesUsable();
// The shell icon of Name (a file, a folder, a kind of file, or an icon index given as a
// number) at (X, Y); Size receives the icon's size. Printing draws it scaled by Scale.
void DrawSystemIcon(TCanvas* Canvas, int X, int Y, TSize& Size, double Scale, bool Printing,
                    bool Draw, bool Large, const AnsiString& Name);
// The bitmap stretched into the rectangle, as a printer takes it.
void PrintBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap);

// The canvas's font turned by Degrees while it lives.
class TRotatedFont {
public:
    TRotatedFont(TCanvas* Canvas, int Degrees);
    ~TRotatedFont();
    TRotatedFont(const TRotatedFont&) = delete;
    TRotatedFont& operator=(const TRotatedFont&) = delete;

private:
    TCanvas* canvas_;
    int orientation_;
};
