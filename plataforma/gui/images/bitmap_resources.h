#pragma once
// The program's named bitmap resources. There is no resource file: each glyph is drawn in
// code by a function registered under its resource name (names are matched without regard
// to case), and TBitmap::LoadFromResourceName runs it on a fresh bitmap.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/gui/painting/colors.h"

#include <functional>
#include <initializer_list>
#include <utility>

class TBitmap;

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
// The program's module; resources are looked up in it whatever instance is passed.
extern HINSTANCE HInstance;

class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

using TBitmapResourcePainter = std::function<void(TBitmap* Bitmap)>;

// Registers (or replaces) the painter of a resource name.
void RegisterBitmapResource(const AnsiString& Name, TBitmapResourcePainter Painter);
bool BitmapResourceExists(const AnsiString& Name);
// Runs the painter of Name on Bitmap (emptied first); EResNotFound ("Resource NAME not
// found") for an unknown name.
void LoadBitmapResource(TBitmap* Bitmap, const AnsiString& Name);

// Sets the bitmap's size and pixels from rows of characters, one per pixel, each
// character's colour taken from the palette; characters missing from it, and the ends of
// short rows, take the first palette entry's colour.
void PaintBitmapRows(TBitmap* Bitmap, std::initializer_list<const char*> Rows,
                     std::initializer_list<std::pair<char, TColor>> Palette);
