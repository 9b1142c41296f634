#pragma once
// The advance widths of texts in a font, remembered: drawing measures the same words in the
// same fonts again and again (a cell's pieces of markup, the measuring and the drawing of one
// text, a repaint), and shaping a text costs far more than looking its width up. The widths
// depend on the font alone (the metrics take no device), so one table serves every canvas.

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <memory>
#include <unordered_map>

class TextWidths {
public:
    // fm.horizontalAdvance(text), where fm are the metrics of the table's font.
    int Advance(const QFontMetrics& fm, const QString& text);

private:
    struct Hash {
        size_t operator()(const QString& s) const { return qHash(s); }
    };
    std::unordered_map<QString, int, Hash> widths_;
};

// The table of the font.
std::shared_ptr<TextWidths> WidthsOf(const QFont& font);
