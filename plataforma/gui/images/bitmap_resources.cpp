#include "plataforma/gui/images/bitmap_resources.h"

#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/graphics_internal.h"

#include <cstring>
#include <unordered_map>

HINSTANCE HInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x400000});

namespace {

std::unordered_map<std::string, TBitmapResourcePainter>& Painters() {
    static std::unordered_map<std::string, TBitmapResourcePainter> painters;
    return painters;
}

std::string Key(const AnsiString& name) {
    return name.UpperCase().str();
}

} // namespace

void RegisterBitmapResource(const AnsiString& Name, TBitmapResourcePainter Painter) {
    Painters()[Key(Name)] = std::move(Painter);
}

bool BitmapResourceExists(const AnsiString& Name) {
    return Painters().count(Key(Name)) != 0;
}

void LoadBitmapResource(TBitmap* Bitmap, const AnsiString& Name) {
    auto it = Painters().find(Key(Name));
    if (it == Painters().end()) throw EResNotFound("Resource " + Name + " not found");
    Bitmap->Assign(nullptr);
    it->second(Bitmap);
}

void PaintBitmapRows(TBitmap* Bitmap, std::initializer_list<const char*> Rows,
                     std::initializer_list<std::pair<char, TColor>> Palette) {
    int width = 0;
    for (const char* row : Rows)
        width = std::max(width, static_cast<int>(std::strlen(row)));
    Bitmap->SetSize(width, static_cast<int>(Rows.size()));
    if (Bitmap->GetEmpty()) return;
    QImage& image = GraphicAccess::Pixels(Bitmap);
    const TColor fallback = Palette.size() ? Palette.begin()->second : clWhite;
    int y = 0;
    for (const char* row : Rows) {
        const int n = static_cast<int>(std::strlen(row));
        for (int x = 0; x < width; ++x) {
            TColor c = fallback;
            if (x < n)
                for (const auto& [ch, color] : Palette)
                    if (ch == row[x]) c = color;
            const COLORREF rgb = ColorToRGB(c) & 0xFFFFFF;
            image.setPixel(x, y, qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
        }
        ++y;
    }
}
