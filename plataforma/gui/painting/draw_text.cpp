#include "plataforma/gui/painting/draw_text.h"

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas_device.h"

#include <cstring>
#include <vector>

namespace {

// Where the tabs of a line stop: at the listed positions, then every Interval pixels.
struct TabStops {
    std::vector<int> positions;
    int interval = 0;

    int Next(int x) const {
        for (int p : positions)
            if (p > x) return p;
        const int from = positions.empty() ? 0 : positions.back();
        if (interval <= 0) return x;
        return from + ((x - from) / interval + 1) * interval;
    }
};

// The width of a piece of a line, tabs expanded (or taken as spaces without stops).
int PieceWidth(CanvasDevice& d, const QString& s, const TabStops* tabs) {
    if (!s.contains(QLatin1Char('\t'))) return d.Advance(s);
    int x = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= s.size(); ++i) {
        if (i < s.size() && s[i] != QLatin1Char('\t')) continue;
        x += d.Advance(s.mid(start, i - start));
        if (i < s.size())
            x = tabs ? tabs->Next(x) : x + d.Metrics().horizontalAdvance(QLatin1Char(' '));
        start = i + 1;
    }
    return x;
}

struct Line {
    QString text;
    std::vector<qsizetype> underlined; // character indexes within the line
};

// "&x" underlines x and "&&" is a plain "&", unless the prefix is off.
QString StripPrefixes(const QString& s, UINT format, std::vector<qsizetype>& underlined) {
    if (format & DT_NOPREFIX) return s;
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != QLatin1Char('&')) {
            out += s[i];
            continue;
        }
        if (i + 1 >= s.size()) break;
        if (s[i + 1] == QLatin1Char('&')) {
            out += QLatin1Char('&');
            ++i;
            continue;
        }
        if (!(format & DT_HIDEPREFIX)) underlined.push_back(out.size());
    }
    return out;
}

class Layout {
public:
    Layout(CanvasDevice& d, UINT format, const TabStops* tabs, int avail)
        : d_(d), format_(format), tabs_(tabs), avail_(avail) {}

    int Width(const QString& s) const { return PieceWidth(d_, s, tabs_); }

    // The paragraphs of the text broken into lines.
    std::vector<Line> Lines(const QString& text, const std::vector<qsizetype>& underlined) const {
        std::vector<Line> lines;
        auto take = [&](qsizetype from, qsizetype to) {
            Line l;
            l.text = text.mid(from, to - from);
            for (qsizetype u : underlined)
                if (u >= from && u < to) l.underlined.push_back(u - from);
            lines.push_back(std::move(l));
        };
        if (format_ & DT_SINGLELINE) {
            // Line breaks do not break a single line; they are not drawn either.
            Line l;
            for (qsizetype i = 0; i < text.size(); ++i) {
                if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) continue;
                for (qsizetype u : underlined)
                    if (u == i) l.underlined.push_back(l.text.size());
                l.text += text[i];
            }
            lines.push_back(std::move(l));
            return lines;
        }
        qsizetype start = 0;
        while (start < text.size()) {
            qsizetype end = start;
            while (end < text.size() && text[end] != QLatin1Char('\r') &&
                   text[end] != QLatin1Char('\n'))
                ++end;
            if (format_ & DT_WORDBREAK)
                Wrap(text, start, end, take);
            else
                take(start, end);
            // A break is "\r\n", "\n" or "\r"; a break at the very end starts no new line.
            if (end < text.size() && text[end] == QLatin1Char('\r') && end + 1 < text.size() &&
                text[end + 1] == QLatin1Char('\n'))
                ++end;
            start = end + 1;
        }
        return lines;
    }

    // Cuts a line that is too wide, ending it (or, for a path, its middle) in "...".
    void Ellipsis(Line& l) const {
        if (!(format_ & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))) return;
        if (Width(l.text) <= avail_) return;
        const QString dots = QStringLiteral("...");
        if (format_ & DT_PATH_ELLIPSIS) {
            const qsizetype sep = std::max(l.text.lastIndexOf(QLatin1Char('\\')),
                                           l.text.lastIndexOf(QLatin1Char('/')));
            if (sep > 0) {
                const QString last = l.text.mid(sep);
                for (qsizetype keep = sep - 1; keep >= 0; --keep) {
                    const QString candidate = l.text.left(keep) + dots + last;
                    if (Width(candidate) <= avail_ || keep == 0) {
                        Cut(l, keep);
                        l.text = candidate;
                        if (Width(candidate) <= avail_) return;
                        break;
                    }
                }
            }
        }
        qsizetype keep = l.text.size();
        while (keep > 0 && Width(l.text.left(keep) + dots) > avail_)
            --keep;
        if (format_ & DT_WORD_ELLIPSIS) {
            const qsizetype space = l.text.left(keep).lastIndexOf(QLatin1Char(' '));
            if (space > 0) keep = space;
        }
        Cut(l, keep);
        l.text = l.text.left(keep) + dots;
    }

private:
    template <class Take>
    void Wrap(const QString& text, qsizetype start, qsizetype end, Take& take) const {
        auto isSpace = [&](qsizetype i) { return text[i] == QLatin1Char(' '); };
        qsizetype i = start;
        while (i < end) {
            qsizetype lineEnd = -1; // the end of the last word that fits
            qsizetype p = i;
            for (;;) {
                qsizetype ws = p;
                while (ws < end && isSpace(ws))
                    ++ws;
                if (ws == end) break;
                qsizetype we = ws;
                while (we < end && !isSpace(we))
                    ++we;
                if (Width(text.mid(i, we - i)) <= avail_) {
                    lineEnd = we;
                    p = we;
                    continue;
                }
                if (lineEnd >= 0) break;
                // A word wider than the line: an edit control breaks it between characters;
                // otherwise it stands alone on its line and overflows.
                if (format_ & DT_EDITCONTROL) {
                    qsizetype k = ws + 1;
                    while (k < we && Width(text.mid(i, k + 1 - i)) <= avail_)
                        ++k;
                    lineEnd = k;
                } else {
                    lineEnd = we;
                }
                break;
            }
            if (lineEnd < 0) lineEnd = end; // nothing but spaces
            take(i, lineEnd);
            // The spaces where a line breaks belong to no line.
            while (lineEnd < end && isSpace(lineEnd))
                ++lineEnd;
            i = lineEnd;
        }
    }

    static void Cut(Line& l, qsizetype keep) {
        std::vector<qsizetype> kept;
        for (qsizetype u : l.underlined)
            if (u < keep) kept.push_back(u);
        l.underlined = std::move(kept);
    }

    CanvasDevice& d_;
    UINT format_;
    const TabStops* tabs_;
    int avail_;
};

int Draw(HDC dc, const QString& source, TRect* rect, UINT format, DRAWTEXTPARAMS* params) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d || !rect) return 0;
    DeviceOperation op(*d, "DrawText",
                       {rect->Left, rect->Top, rect->Right, rect->Bottom, static_cast<int>(format)},
                       FromQString(source));
    // DT_TABSTOP keeps the tab length in bits 8 to 15, which then are no flags.
    int tabChars = 8;
    if (format & DT_TABSTOP) {
        tabChars = static_cast<int>((format >> 8) & 0xFF);
        format &= ~0xFF00u;
    }
    if (params && params->iTabLength > 0) tabChars = params->iTabLength;
    const int leftMargin = params ? params->iLeftMargin : 0;
    const int rightMargin = params ? params->iRightMargin : 0;
    if (params) params->uiLengthDrawn = static_cast<UINT>(source.size());

    const QFontMetrics fm = d->Metrics();
    TabStops tabs;
    tabs.interval = std::max(1, tabChars) * fm.horizontalAdvance(QLatin1Char('x'));
    const TabStops* stops = (format & DT_EXPANDTABS) ? &tabs : nullptr;
    const int left = rect->Left + leftMargin, right = rect->Right - rightMargin;
    const Layout layout(*d, format, stops, right - left);

    std::vector<qsizetype> underlined;
    const QString text = d->Shown(StripPrefixes(source, format, underlined));
    std::vector<Line> lines = text.isEmpty() && !(format & DT_SINGLELINE)
                                  ? std::vector<Line>()
                                  : layout.Lines(text, underlined);
    if (text.isEmpty() && (format & DT_SINGLELINE)) lines.clear();
    for (Line& l : lines)
        layout.Ellipsis(l);

    const int lineHeight = fm.height() + ((format & DT_EXTERNALLEADING) ? fm.leading() : 0);
    const bool single = format & DT_SINGLELINE;
    int top = rect->Top;
    if (single && (format & DT_VCENTER))
        top = rect->Top + (rect->Bottom - rect->Top - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM))
        top = rect->Bottom - lineHeight;
    // An edit control shows no partly visible last line.
    if ((format & DT_EDITCONTROL) && !(format & DT_CALCRECT))
        while (lines.size() > 1 && top + static_cast<int>(lines.size()) * lineHeight > rect->Bottom)
            lines.pop_back();
    const int height = static_cast<int>(lines.size()) * lineHeight;

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& l : lines)
            widest = std::max(widest, layout.Width(l.text));
        rect->Right = rect->Left + leftMargin + widest + rightMargin;
        rect->Bottom = rect->Top + height;
        return height;
    }

    // Drawing: clipped to the rectangle unless DT_NOCLIP; the lines in a row, each filled
    // with the background colour first when the background is opaque.
    DeviceState saved = d->state;
    if (!(format & DT_NOCLIP)) {
        const QRect r = d->state.DeviceRect(
            QRect(rect->Left, rect->Top, rect->Right - rect->Left, rect->Bottom - rect->Top));
        d->state.clip = d->state.clip.value_or(QRegion(d->Bounds())) & r;
    }
    d->state.textAlign = 0;
    d->state.escapement = 0;
    int y = top;
    // A line's width is measured only where it places the line or its background.
    const bool midiendo = (format & (DT_CENTER | DT_RIGHT)) || saved.bkMode == OPAQUE;
    for (const Line& l : lines) {
        const int w = midiendo ? layout.Width(l.text) : 0;
        int x = left;
        if (format & DT_CENTER)
            x = left + (right - left - w) / 2;
        else if (format & DT_RIGHT)
            x = right - w;
        d->Record("TextOut", {x, y}, d->Recorded(l.text));
        if (saved.bkMode == OPAQUE)
            d->SolidRect(QRect(x, y, w, fm.height()), saved.bkColor, pmCopy);
        d->state.bkMode = TRANSPARENT;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= l.text.size(); ++i) {
            if (i < l.text.size() && l.text[i] != QLatin1Char('\t')) continue;
            const QString piece = l.text.mid(start, i - start);
            if (!piece.isEmpty())
                d->Text(x + (start == 0 ? 0 : layout.Width(l.text.left(start))), y, piece);
            start = i + 1;
        }
        for (qsizetype u : l.underlined) {
            const int x0 = x + layout.Width(l.text.left(u));
            const int x1 = x + layout.Width(l.text.left(u + 1));
            d->SolidRect(QRect(x0, y + fm.ascent() + 1, x1 - x0, 1), saved.textColor, pmCopy);
        }
        d->state.bkMode = saved.bkMode;
        y += lineHeight;
    }
    d->state.clip = saved.clip;
    d->state.textAlign = saved.textAlign;
    d->state.escapement = saved.escapement;
    if (single && (format & (DT_VCENTER | DT_BOTTOM))) return top + lineHeight - rect->Top;
    return height;
}

TabStops StopsOf(const QFontMetrics& fm, int tabPositions, const int* tabStops) {
    TabStops t;
    const int standard = 8 * fm.horizontalAdvance(QLatin1Char('x'));
    if (tabPositions <= 0 || !tabStops) {
        t.interval = standard;
    } else if (tabPositions == 1) {
        t.interval = std::max(1, tabStops[0]);
    } else {
        t.positions.assign(tabStops, tabStops + tabPositions);
        t.interval = standard;
    }
    return t;
}

} // namespace

int DrawText(HDC dc, const char* text, int count, TRect* rect, UINT format) {
    return Draw(dc, TextArgument(text, count), rect, format, nullptr);
}

int DrawTextEx(HDC dc, const char* text, int count, TRect* rect, UINT format,
               DRAWTEXTPARAMS* params) {
    return Draw(dc, TextArgument(text, count), rect, format, params);
}

int DrawTextW(HDC dc, const char16_t* text, int count, TRect* rect, UINT format) {
    return Draw(dc, TextArgument(text, count), rect, format, nullptr);
}

int DrawTextExW(HDC dc, const char16_t* text, int count, TRect* rect, UINT format,
                DRAWTEXTPARAMS* params) {
    return Draw(dc, TextArgument(text, count), rect, format, params);
}

DWORD GetTabbedTextExtent(HDC dc, const char* text, int count, int tabPositions,
                          const int* tabStops) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return 0;
    const QFontMetrics fm(d->state.font);
    const TabStops t = StopsOf(fm, tabPositions, tabStops);
    const int w = PieceWidth(*d, d->Shown(TextArgument(text, count)), &t);
    return MAKELONG(static_cast<WORD>(w), static_cast<WORD>(fm.height()));
}

long TabbedTextOut(HDC dc, int X, int Y, const char* text, int count, int tabPositions,
                   const int* tabStops, int tabOrigin) {
    CanvasDevice* d = CanvasDevice::FromHandle(dc);
    if (!d) return 0;
    const QString s = d->Shown(TextArgument(text, count));
    DeviceOperation op(*d, "TabbedTextOut", {X, Y}, d->Recorded(s));
    const QFontMetrics fm(d->state.font);
    const TabStops t = StopsOf(fm, tabPositions, tabStops);
    // Stops are measured from tabOrigin; the pieces are placed from X.
    const int shift = X - tabOrigin;
    qsizetype start = 0;
    int x = 0;
    for (qsizetype i = 0; i <= s.size(); ++i) {
        if (i < s.size() && s[i] != QLatin1Char('\t')) continue;
        const QString piece = s.mid(start, i - start);
        d->Text(X + x, Y, piece);
        x += fm.horizontalAdvance(piece);
        if (i < s.size()) x = t.Next(x + shift) - shift;
        start = i + 1;
    }
    return static_cast<long>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(fm.height())));
}
