#include "plataforma/gui/painting/text_advance.h"

#include <QHash>

namespace {

// Enough for the words of many screens of cells, and for the fonts of any window; a table
// that fills up is emptied, so that neither grows without bound.
constexpr size_t kTextos = 8192;
constexpr size_t kFuentes = 256;

struct HashFuente {
    size_t operator()(const QFont& f) const { return qHash(f); }
};

} // namespace

int TextWidths::Advance(const QFontMetrics& fm, const QString& text) {
    if (text.isEmpty()) return 0;
    if (auto it = widths_.find(text); it != widths_.end()) return it->second;
    const int ancho = fm.horizontalAdvance(text);
    if (widths_.size() >= kTextos) widths_.clear();
    widths_.emplace(text, ancho);
    return ancho;
}

std::shared_ptr<TextWidths> WidthsOf(const QFont& font) {
    static std::unordered_map<QFont, std::shared_ptr<TextWidths>, HashFuente> tablas;
    std::shared_ptr<TextWidths>& tabla = tablas[font];
    if (!tabla) {
        if (tablas.size() > kFuentes) {
            tablas.clear();
            return WidthsOf(font);
        }
        tabla = std::make_shared<TextWidths>();
    }
    return tabla;
}
