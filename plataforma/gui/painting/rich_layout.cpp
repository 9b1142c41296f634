// Rich text laid into a rectangle of a canvas: words measured run by run in the canvas's
// fonts, lines filled word by word, a word wider than the whole line split between
// characters; tab stops every half inch.
#include "plataforma/gui/painting/rich_layout.h"

#include "plataforma/gui/painting/gdi.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Characters [Begin, End) of run Run of a paragraph.
struct Span {
    int Run;
    size_t Begin, End;
};

// A word with the blanks after it, or one tab.
struct Token {
    std::vector<Span> Core, Trail;
    bool Tab = false;
};

struct Piece {
    const TRichFormat* Format;
    std::string Text;
    int X;
};

struct Line {
    std::vector<Piece> Pieces;
    std::vector<const TRichFormat*> Formats; // every format on the line, tabs and blanks too
    int Start = 0;                           // the line's first character
    int Width = 0;                           // without the blanks that end it
    int Above = 0, Below = 0;                // of the baseline
};

class Layout {
public:
    Layout(TCanvas* Canvas, TSize Dpi) : c_(Canvas), dpiX_(Dpi.cx), dpiY_(Dpi.cy) {
        saved_.Assign(c_->GetFont());
    }
    ~Layout() { c_->GetFont()->Assign(&saved_); }

    void Use(const TRichFormat& F) {
        if (used_ && current_ == F) return;
        used_ = true;
        current_ = F;
        TFont* f = c_->GetFont();
        f->SetName(F.FontName);
        f->SetHeight(-MulDiv(std::clamp(F.HalfPoints, 1, RichLargestHalfPoints), dpiY_, 144));
        TFontStyles st;
        if (F.Bold) st << fsBold;
        if (F.Italic) st << fsItalic;
        if (F.Underline) st << fsUnderline;
        f->SetStyle(st);
        f->SetColor(F.Color == -1 ? saved_.GetColor() : static_cast<TColor>(F.Color));
    }

    int Width(const TRichParagraph& P, const std::vector<Span>& Spans) {
        int w = 0;
        for (const Span& s : Spans) {
            const TRichRun& run = P.Runs[s.Run];
            Use(run.Format);
            w += c_->TextWidth(run.Text.SubString(s.Begin + 1, s.End - s.Begin));
        }
        return w;
    }

    // How far a run stands above the baseline (below when negative), in pixels.
    int Raise(const TRichFormat& F) const {
        return MulDiv(std::clamp(F.Offset, -RichLargestHalfPoints, RichLargestHalfPoints), dpiY_,
                      144);
    }
    // Ascent and descent of a format's font.
    std::pair<int, int> Metrics(const TRichFormat& F) {
        for (const auto& [format, m] : metrics_)
            if (format == F) return m;
        Use(F);
        TEXTMETRIC tm{};
        GetTextMetrics(c_->GetHandle(), &tm);
        metrics_.push_back({F, {tm.tmAscent, tm.tmDescent}});
        return metrics_.back().second;
    }
    // How much of a line a format needs above and below the baseline.
    void Extent(const TRichFormat& F, int& Above, int& Below) {
        const auto [ascent, descent] = Metrics(F);
        const int raise = Raise(F);
        Above = ascent + std::max(0, raise);
        Below = descent + std::max(0, -raise);
    }

    // The lines of a paragraph, laid until they are taller than Room: then the first
    // character not laid, else -1.
    int LayParagraph(const TRichParagraph& P, const TRichFormat* Mark, int Base, int WidthPx,
                     int Room, std::vector<Line>& Out);

    void Draw(const Line& L, int Left, int Baseline, const TRect& Clip) {
        for (const Piece& p : L.Pieces) {
            const int ascent = Metrics(*p.Format).first;
            Use(*p.Format);
            c_->TextRect(Clip, Left + p.X, Baseline - ascent - Raise(*p.Format),
                         AnsiString(p.Text.c_str(), static_cast<int>(p.Text.size())));
        }
    }

private:
    TCanvas* c_;
    TFont saved_;
    int dpiX_ = 96, dpiY_ = 96;
    // The format the canvas font has, once one was used.
    bool used_ = false;
    TRichFormat current_;
    std::vector<std::pair<TRichFormat, std::pair<int, int>>> metrics_;
};

std::vector<Token> Tokens(const TRichParagraph& P) {
    std::vector<Token> out;
    Token t;
    bool inTrail = false;
    auto close = [&] {
        if (!t.Core.empty() || !t.Trail.empty()) out.push_back(std::move(t));
        t = Token();
        inTrail = false;
    };
    // Adds character I of run R to the core or the trail, joining it to the span before.
    auto add = [](std::vector<Span>& spans, int r, size_t i) {
        if (!spans.empty() && spans.back().Run == r && spans.back().End == i)
            ++spans.back().End;
        else
            spans.push_back({r, i, i + 1});
    };
    for (int r = 0; r < static_cast<int>(P.Runs.size()); ++r) {
        const AnsiString& text = P.Runs[r].Text;
        for (size_t i = 0; i < static_cast<size_t>(text.Length()); ++i) {
            const char ch = text.c_str()[i];
            if (ch == '\t') {
                close();
                t.Tab = true;
                add(t.Core, r, i);
                close();
            } else if (ch == ' ') {
                inTrail = true;
                add(t.Trail, r, i);
            } else {
                if (inTrail) close();
                add(t.Core, r, i);
            }
        }
    }
    close();
    return out;
}

size_t CharCount(const std::vector<Span>& Spans) {
    size_t n = 0;
    for (const Span& s : Spans)
        n += s.End - s.Begin;
    return n;
}

// The first N characters of the spans, and the rest.
void SplitSpans(const std::vector<Span>& Spans, size_t N, std::vector<Span>& Head,
                std::vector<Span>& Tail) {
    Head.clear();
    Tail.clear();
    for (const Span& s : Spans) {
        const size_t len = s.End - s.Begin;
        if (N >= len) {
            Head.push_back(s);
            N -= len;
        } else if (N > 0) {
            Head.push_back({s.Run, s.Begin, s.Begin + N});
            Tail.push_back({s.Run, s.Begin + N, s.End});
            N = 0;
        } else {
            Tail.push_back(s);
        }
    }
}

int Layout::LayParagraph(const TRichParagraph& P, const TRichFormat* Mark, int Base, int WidthPx,
                         int Room, std::vector<Line>& Out) {
    // A tab goes to the next stop of half an inch.
    const int tabStop = std::max(1, dpiX_ / 2);
    Line line;
    line.Start = Base;
    int x = 0, chars = Base;
    auto place = [&](const std::vector<Span>& spans, int w) {
        for (const Span& s : spans) {
            const TRichRun& run = P.Runs[s.Run];
            const std::string text(run.Text.c_str() + s.Begin, s.End - s.Begin);
            line.Formats.push_back(&run.Format);
            // Spans of one run follow each other on a line: drawn as one text.
            if (!line.Pieces.empty() && line.Pieces.back().Format == &run.Format) {
                line.Pieces.back().Text += text;
            } else {
                line.Pieces.push_back({&run.Format, text, x});
            }
            const int sw = spans.size() == 1 ? w : Width(P, {s});
            x += sw;
            chars += static_cast<int>(s.End - s.Begin);
        }
    };
    auto flush = [&] {
        // The blanks that end a line are not drawn.
        while (!line.Pieces.empty()) {
            std::string& t = line.Pieces.back().Text;
            while (!t.empty() && t.back() == ' ')
                t.pop_back();
            if (!t.empty()) break;
            line.Pieces.pop_back();
        }
        if (line.Formats.empty()) line.Formats.push_back(Mark);
        for (const TRichFormat* f : line.Formats) {
            int a = 0, d = 0;
            Extent(*f, a, d);
            line.Above = std::max(line.Above, a);
            line.Below = std::max(line.Below, d);
        }
        Room -= line.Above + line.Below;
        Out.push_back(std::move(line));
        line = Line();
        line.Start = chars;
        x = 0;
    };
    for (const Token& t : Tokens(P)) {
        if (Room < 0) return line.Start;
        if (t.Tab) {
            int stop = (x / tabStop + 1) * tabStop;
            if (stop > WidthPx && !line.Formats.empty()) {
                flush();
                stop = tabStop;
            }
            line.Formats.push_back(&P.Runs[t.Core.front().Run].Format);
            x = stop;
            line.Width = x;
            ++chars;
            continue;
        }
        int core = Width(P, t.Core);
        if (x + core > WidthPx && !line.Formats.empty()) flush();
        // A word wider than a whole line is cut between characters, at least one a line.
        std::vector<Span> rest = t.Core, head, tail;
        while (core > WidthPx && CharCount(rest) > 1) {
            size_t lo = 1, hi = CharCount(rest) - 1;
            while (lo < hi) {
                const size_t mid = (lo + hi + 1) / 2;
                SplitSpans(rest, mid, head, tail);
                if (Width(P, head) <= WidthPx)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            SplitSpans(rest, lo, head, tail);
            place(head, Width(P, head));
            line.Width = x;
            flush();
            if (Room < 0) return line.Start;
            rest = tail;
            core = Width(P, rest);
        }
        place(rest, core);
        line.Width = x;
        place(t.Trail, Width(P, t.Trail));
    }
    // The paragraph's mark ends its last line.
    ++chars;
    flush();
    return -1;
}

// A paragraph's characters [From, To) (its mark at its length).
TRichParagraph Slice(const TRichParagraph& P, int From, int To) {
    TRichParagraph out;
    int pos = 0;
    for (const TRichRun& r : P.Runs) {
        const int len = r.Text.Length();
        const int b = std::max(From, pos), e = std::min(To, pos + len);
        if (b < e) out.Runs.push_back({r.Text.SubString(b - pos + 1, e - b), r.Format});
        pos += len;
    }
    return out;
}

int ParagraphLength(const TRichParagraph& P) {
    int n = 0;
    for (const TRichRun& r : P.Runs)
        n += r.Text.Length();
    return n;
}

// The canvas device's resolution, or the one asked for.
TSize Resolution(TCanvas* Canvas, int Asked = 0) {
    if (Asked > 0) return {Asked, Asked};
    const HDC dc = Canvas->GetHandle();
    return {std::max(1, GetDeviceCaps(dc, LOGPIXELSX)), std::max(1, GetDeviceCaps(dc, LOGPIXELSY))};
}

TRect ToTwips(const TRect& P, TSize Dpi) {
    return Rect(MulDiv(P.Left, 1440, Dpi.cx), MulDiv(P.Top, 1440, Dpi.cy),
                MulDiv(P.Right, 1440, Dpi.cx), MulDiv(P.Bottom, 1440, Dpi.cy));
}

TRect ToPixels(const TRect& T, TSize Dpi) {
    return Rect(MulDiv(T.Left, Dpi.cx, 1440), MulDiv(T.Top, Dpi.cy, 1440),
                MulDiv(T.Right, Dpi.cx, 1440), MulDiv(T.Bottom, Dpi.cy, 1440));
}

} // namespace

TRect PixelsToTwips(TCanvas* Canvas, const TRect& P) {
    return ToTwips(P, Resolution(Canvas));
}

TRect TwipsToPixels(TCanvas* Canvas, const TRect& T) {
    return ToPixels(T, Resolution(Canvas));
}

int FormatRichRange(const TRichDocument& Doc, TFormatRange& Range, bool Render) {
    TCanvas* c = Range.Canvas;
    const TSize dpi = Resolution(c, Range.PixelsPerInch);
    const TRect area = ToPixels(Range.Rc, dpi);
    int total = 0;
    for (const TRichParagraph& p : Doc.Paragraphs)
        total += ParagraphLength(p) + 1;
    total = std::max(0, total - 1);
    const int from = std::clamp(Range.CpMin, 0, total);
    const int to = Range.CpMax < 0 ? total : std::clamp(Range.CpMax, from, total);

    TBrushStyle brush = c->GetBrush()->GetStyle();
    int bkMode = 0;
    if (Render) {
        c->GetBrush()->SetStyle(bsClear);
        bkMode = SetBkMode(c->GetHandle(), TRANSPARENT);
    }
    int next = to, y = area.Top, widest = 0;
    bool first = true, full = false;
    {
        Layout lay(c, dpi);
        static const TRichFormat plainMark;
        const TRichFormat* mark = &plainMark;
        int pos = 0;
        std::vector<Line> lines;
        for (const TRichParagraph& p : Doc.Paragraphs) {
            const int len = ParagraphLength(p);
            if (!p.Runs.empty()) mark = &p.Runs.back().Format;
            const int b = std::max(from, pos), e = std::min(to, pos + len);
            // A paragraph in the range; an empty one at its end still takes a line.
            if (pos + len >= from && (pos < to || (pos == to && to == total))) {
                lines.clear();
                const TRichParagraph part = Slice(p, b - pos, e - pos);
                const int stopped =
                    lay.LayParagraph(part, mark, b, area.Width(), area.Bottom - y, lines);
                for (const Line& l : lines) {
                    const int above = l.Above, below = l.Below;
                    if (!first && y + above + below > area.Bottom) {
                        next = l.Start;
                        full = true;
                        break;
                    }
                    if (Render) lay.Draw(l, area.Left, y + above, area);
                    y += above + below;
                    widest = std::max(widest, l.Width);
                    first = false;
                }
                if (!full && stopped >= 0) {
                    next = stopped;
                    full = true;
                }
            }
            pos += len + 1;
            if (full || pos > to) break;
        }
    }
    if (Render) {
        SetBkMode(c->GetHandle(), bkMode);
        c->GetBrush()->SetStyle(brush);
    }
    const TRect used = ToTwips(Rect(0, area.Top, widest, y), dpi);
    Range.Rc.Bottom = Range.Rc.Top + (used.Bottom - used.Top);
    Range.WidthUsed = used.Right;
    return next;
}
