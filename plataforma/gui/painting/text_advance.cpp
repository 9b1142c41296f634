#include "plataforma/gui/painting/text_advance.h"

#include <QHash>
#include <QTextLayout>
#include <QTextOption>

namespace {

// Enough for the words of many screens of cells, and for the fonts of any window; a table
// that fills up is emptied, so that neither grows without bound.
constexpr size_t kTextos = 8192;
constexpr size_t kFuentes = 256;

struct HashFuente {
    size_t operator()(const QFont& f) const { return qHash(f); }
};

// Whether a text is laid out left to right in the order of its characters whatever the
// paragraph's direction: no right-to-left script, no direction marks or embeddings, nothing
// outside the basic plane.
bool SoloIzquierdaADerecha(const QString& text) {
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x0590) continue;
        if (c <= 0x08FF) return false;                // Hebrew, Arabic, Syriac, Thaana, ...
        if (c == 0x200E || c == 0x200F) return false; // direction marks
        if (c >= 0x202A && c <= 0x202E) return false; // embeddings and overrides
        if (c >= 0x2066 && c <= 0x2069) return false; // isolates
        if (c >= 0xD800 && c <= 0xDFFF) return false; // outside the basic plane
        if (c >= 0xFB1D && c <= 0xFEFF) return false; // presentation forms
    }
    return true;
}

} // namespace

TextWidths::Entry& TextWidths::Find(const QString& text) {
    if (auto it = entries_.find(text); it != entries_.end()) return it->second;
    if (entries_.size() >= kTextos) entries_.clear();
    return entries_.emplace(text, Entry()).first->second;
}

int TextWidths::Advance(const QFontMetrics& fm, const QString& text) {
    if (text.isEmpty()) return 0;
    Entry& e = Find(text);
    if (e.width < 0) e.width = fm.horizontalAdvance(text);
    return e.width;
}

const QList<QGlyphRun>* TextWidths::Glyphs(const QString& text) {
    if (!plainFont_) return nullptr;
    Entry& e = Find(text);
    // Laying a text out costs more than drawing it once, and many texts are drawn only once:
    // a text is laid out the second time it is drawn.
    if (e.draws < 2 && ++e.draws < 2) return nullptr;
    if (!e.laid) {
        e.laid = true;
        e.simple = SoloIzquierdaADerecha(text);
        if (e.simple) {
            // One line from the left, as QPainter::drawText lays out a text at a point.
            QTextLayout layout(text, font_);
            QTextOption option;
            option.setTextDirection(Qt::LeftToRight);
            option.setWrapMode(QTextOption::NoWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            QTextLine line = layout.createLine();
            line.setLineWidth(1e6);
            line.setPosition(QPointF(0, 0));
            layout.endLayout();
            e.runs = line.glyphRuns();
            // From the top of the line to the baseline.
            for (QGlyphRun& run : e.runs) {
                QList<QPointF> positions = run.positions();
                for (QPointF& p : positions)
                    p.ry() -= line.ascent();
                run.setPositions(positions);
            }
        }
    }
    return e.simple ? &e.runs : nullptr;
}

std::shared_ptr<TextWidths> WidthsOf(const QFont& font) {
    static std::unordered_map<QFont, std::shared_ptr<TextWidths>, HashFuente> tablas;
    std::shared_ptr<TextWidths>& tabla = tablas[font];
    if (!tabla) {
        if (tablas.size() > kFuentes) {
            tablas.clear();
            return WidthsOf(font);
        }
        tabla = std::make_shared<TextWidths>(font);
    }
    return tabla;
}
