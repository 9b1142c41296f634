#pragma once
// The advance widths of texts in a font, and their glyphs as a line lays them out,
// remembered: drawing measures and draws the same words in the same fonts again and again (a
// cell's pieces of markup, the measuring and the drawing of one text, every repaint), and
// shaping a text costs far more than looking it up. Widths and glyphs depend on the font
// alone (the metrics take no device), so one table serves every canvas.

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <QString>

#include <memory>
#include <unordered_map>

class TextWidths {
public:
    explicit TextWidths(const QFont& font) : font_(font) {}

    // fm.horizontalAdvance(text), where fm are the metrics of the table's font.
    int Advance(const QFontMetrics& fm, const QString& text);
    // The glyphs QPainter::drawText would draw for the text in the table's font, placed from
    // (0, 0) on the baseline, left to right. Asked for each time the text is drawn, they come
    // from the second time on; nullptr the first time and for what is not laid out so: a font
    // with lines (underline, overline, strike-out) or spacing of its own, or a text that may
    // run right to left or whose direction marks could change the order.
    const QList<QGlyphRun>* Glyphs(const QString& text);

private:
    struct Hash {
        size_t operator()(const QString& s) const { return qHash(s); }
    };
    struct Entry {
        int width = -1; // not measured yet
        int draws = 0;  // counted up to 2
        bool laid = false;
        bool simple = false; // laid out as drawText lays it out: runs holds its glyphs
        QList<QGlyphRun> runs;
    };
    // The text's entry, made when missing.
    Entry& Find(const QString& text);
    QFont font_;
    bool plainFont_ = !font_.underline() && !font_.overline() && !font_.strikeOut() &&
                      font_.letterSpacing() == 0 && font_.wordSpacing() == 0;
    std::unordered_map<QString, Entry, Hash> entries_;
};

// The table of the font.
std::shared_ptr<TextWidths> WidthsOf(const QFont& font);
