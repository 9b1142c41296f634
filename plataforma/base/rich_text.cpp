// The RTF subset of the rich edit: a reader that refuses what it cannot read whole, and a
// writer whose output the reader gives back unchanged.
#include "plataforma/base/rich_text.h"

#include "plataforma/base/cp1252.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

void TRichDocument::Normalize() {
    for (TRichParagraph& p : Paragraphs) {
        std::vector<TRichRun> runs;
        for (TRichRun& r : p.Runs) {
            if (r.Text.IsEmpty()) continue;
            if (!runs.empty() && runs.back().Format == r.Format)
                runs.back().Text += r.Text;
            else
                runs.push_back(std::move(r));
        }
        p.Runs = std::move(runs);
    }
    if (Paragraphs.empty()) Paragraphs.emplace_back();
}

AnsiString TRichDocument::PlainText() const {
    std::string s;
    for (size_t i = 0; i < Paragraphs.size(); ++i) {
        if (i > 0) s += "\r\n";
        for (const TRichRun& r : Paragraphs[i].Runs)
            s += r.Text.str();
    }
    return AnsiString(s);
}

TRichDocument TRichDocument::FromPlainText(const AnsiString& Text, const TRichFormat& Format) {
    TRichDocument d;
    const std::string& s = Text.str();
    std::string line;
    auto flush = [&] {
        TRichParagraph p;
        if (!line.empty()) p.Runs.push_back({AnsiString(line), Format});
        d.Paragraphs.push_back(std::move(p));
        line.clear();
    };
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            flush();
        } else {
            line += s[i];
        }
    }
    flush();
    return d;
}

bool IsRtf(const AnsiString& Text) {
    return Text.str().compare(0, 5, "{\\rtf") == 0;
}

namespace {

constexpr int MaxDepth = 200;
constexpr int MaxDigits = 9;
constexpr size_t MaxWord = 32;

enum class Dest { Text, FontTable, ColorTable, Skip };

struct State {
    TRichFormat format;
    Dest dest = Dest::Text;
    int uc = 1;
};

class Reader {
public:
    explicit Reader(const std::string& S) : s_(S) {}

    bool Run(TRichDocument& Out) {
        if (s_.compare(0, 5, "{\\rtf") != 0) return false;
        State base;
        stack_.push_back(base);
        doc_.Paragraphs.emplace_back();
        size_t i = 0;
        bool closed = false;
        while (i < s_.size()) {
            const char c = s_[i];
            if (closed) {
                // Only blanks may follow the document's last brace.
                if (c != ' ' && c != '\r' && c != '\n' && c != '\t' && c != '\0') return false;
                ++i;
                continue;
            }
            if (c == '{') {
                if (stack_.size() >= MaxDepth) return false;
                stack_.push_back(stack_.back());
                groupStart_ = true;
                ++i;
                continue;
            }
            if (c == '}') {
                if (stack_.size() <= 1) return false;
                EndEntry();
                stack_.pop_back();
                groupStart_ = false;
                ++i;
                if (stack_.size() == 1) closed = true;
                continue;
            }
            if (c == '\\') {
                if (!Control(i)) return false;
                continue;
            }
            groupStart_ = false;
            if (c != '\r' && c != '\n') Char(static_cast<unsigned char>(c));
            ++i;
        }
        if (!closed) return false;
        doc_.Normalize();
        Out = std::move(doc_);
        return true;
    }

private:
    State& Top() { return stack_.back(); }

    // One character of the current destination (after a \u, the replacement characters
    // that follow are skipped). A Literal one (written as \'hh) never ends a table entry.
    void Char(unsigned char c, bool Literal = false) {
        if (skip_ > 0) {
            --skip_;
            return;
        }
        switch (Top().dest) {
        case Dest::Text: {
            std::vector<TRichRun>& runs = doc_.Paragraphs.back().Runs;
            if (runs.empty() || !(runs.back().Format == Top().format))
                runs.push_back({AnsiString(), Top().format});
            runs.back().Text += static_cast<char>(c);
            break;
        }
        case Dest::FontTable:
            if (c == ';' && !Literal)
                EndEntry();
            else
                fontName_ += static_cast<char>(c);
            break;
        case Dest::ColorTable:
            if (c == ';' && !Literal) {
                colors_.push_back(colorSet_ ? (red_ | (green_ << 8) | (blue_ << 16)) : -1);
                colorSet_ = false;
                red_ = green_ = blue_ = 0;
            }
            break;
        case Dest::Skip:
            break;
        }
    }

    // A font entry ends at its ';' or at the end of its group.
    void EndEntry() {
        if (Top().dest != Dest::FontTable || fontNumber_ < 0) return;
        fonts_[fontNumber_] = AnsiString(fontName_);
        fontNumber_ = -1;
        fontName_.clear();
    }

    bool Control(size_t& i) {
        ++i; // the backslash
        if (i >= s_.size()) return false;
        const char c = s_[i];
        const bool first = groupStart_;
        groupStart_ = false;
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++i;
            switch (c) {
            case '\\':
            case '{':
            case '}':
                Char(static_cast<unsigned char>(c));
                return true;
            case '~':
                Char(0xA0);
                return true;
            case '_':
                Char('-');
                return true;
            case '*':
                if (first) Top().dest = Dest::Skip;
                return true;
            case '\'': {
                if (i + 2 > s_.size()) return false;
                const int hi = Hex(s_[i]), lo = Hex(s_[i + 1]);
                if (hi < 0 || lo < 0) return false;
                i += 2;
                Char(static_cast<unsigned char>(hi * 16 + lo), true);
                return true;
            }
            case '\r':
            case '\n':
                Word("par", false, 0, first);
                return true;
            default:
                // Other symbols (\- optional hyphen, \| and the like) show nothing.
                return true;
            }
        }
        std::string word;
        while (i < s_.size() && std::isalpha(static_cast<unsigned char>(s_[i]))) {
            word += s_[i++];
            if (word.size() > MaxWord) return false;
        }
        bool has = false, negative = false;
        long value = 0;
        if (i < s_.size() && s_[i] == '-') {
            negative = true;
            ++i;
        }
        int digits = 0;
        while (i < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i]))) {
            if (++digits > MaxDigits) return false;
            value = value * 10 + (s_[i++] - '0');
            has = true;
        }
        if (negative && !has) return false;
        if (i < s_.size() && s_[i] == ' ') ++i;
        Word(word, has, static_cast<int>(negative ? -value : value), first);
        return true;
    }

    static int Hex(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    AnsiString FontOf(int N) const {
        const auto f = fonts_.find(N);
        return f != fonts_.end() ? f->second : TRichFormat().FontName;
    }

    void Word(const std::string& W, bool Has, int N, bool First) {
        State& st = Top();
        TRichFormat& f = st.format;
        static const char* const skipped[] = {"stylesheet",
                                              "info",
                                              "pict",
                                              "object",
                                              "header",
                                              "footer",
                                              "headerl",
                                              "headerr",
                                              "footerl",
                                              "footerr",
                                              "listtable",
                                              "listoverridetable",
                                              "rsidtbl",
                                              "generator",
                                              "themedata",
                                              "latentstyles",
                                              "datastore",
                                              "xmlnstbl",
                                              "colorschememapping",
                                              "filetbl",
                                              "revtbl",
                                              "fldinst",
                                              "bkmkstart",
                                              "bkmkend"};
        if (First)
            for (const char* d : skipped)
                if (W == d) {
                    st.dest = Dest::Skip;
                    return;
                }
        if (st.dest == Dest::Skip) return;
        if (W == "fonttbl") {
            st.dest = Dest::FontTable;
        } else if (W == "colortbl") {
            st.dest = Dest::ColorTable;
        } else if (st.dest == Dest::FontTable) {
            if (W == "f") {
                EndEntry();
                fontNumber_ = N;
            }
        } else if (st.dest == Dest::ColorTable) {
            const int v = std::clamp(N, 0, 255);
            if (W == "red") red_ = v, colorSet_ = true;
            if (W == "green") green_ = v, colorSet_ = true;
            if (W == "blue") blue_ = v, colorSet_ = true;
        } else if (W == "par" || W == "line") {
            doc_.Paragraphs.emplace_back();
        } else if (W == "tab") {
            Char('\t');
        } else if (W == "plain") {
            f = TRichFormat();
            f.FontName = FontOf(defaultFont_);
        } else if (W == "deff") {
            defaultFont_ = N;
        } else if (W == "uc") {
            st.uc = std::clamp(N, 0, 10);
        } else if (W == "u") {
            const int code = N < 0 ? N + 65536 : N;
            const int b = cp1252::FromUnicode(static_cast<char32_t>(code));
            Char(b >= 0 ? static_cast<unsigned char>(b) : '?');
            skip_ = st.uc;
        } else if (W == "f") {
            f.FontName = FontOf(N);
        } else if (W == "fs") {
            f.HalfPoints = Has ? N : 24;
        } else if (W == "b") {
            f.Bold = !Has || N != 0;
        } else if (W == "i") {
            f.Italic = !Has || N != 0;
        } else if (W == "ul") {
            f.Underline = !Has || N != 0;
        } else if (W == "ulnone") {
            f.Underline = false;
        } else if (W == "cf") {
            f.Color = N > 0 && N < static_cast<int>(colors_.size()) ? colors_[N] : -1;
        } else if (W == "up") {
            f.Offset = Has ? N : 6;
        } else if (W == "dn") {
            f.Offset = -(Has ? N : 6);
        } else if (W == "super") {
            f.Offset = std::max(1, f.HalfPoints / 3);
        } else if (W == "sub") {
            f.Offset = -std::max(1, f.HalfPoints / 3);
        } else if (W == "nosupersub") {
            f.Offset = 0;
        } else if (W == "emdash") {
            Char(0x97);
        } else if (W == "endash") {
            Char(0x96);
        } else if (W == "bullet") {
            Char(0x95);
        } else if (W == "lquote") {
            Char(0x91);
        } else if (W == "rquote") {
            Char(0x92);
        } else if (W == "ldblquote") {
            Char(0x93);
        } else if (W == "rdblquote") {
            Char(0x94);
        }
        // Any other word (\rtf, \ansi, \pard, \viewkind...) changes nothing kept here.
    }

    const std::string& s_;
    std::vector<State> stack_;
    TRichDocument doc_;
    std::map<int, AnsiString> fonts_;
    std::vector<int32_t> colors_;
    std::string fontName_;
    int fontNumber_ = -1;
    int defaultFont_ = 0;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;
    int skip_ = 0;
    bool groupStart_ = false;
};

// Text with RTF's special characters escaped; a tab is \tab in the body (Body) and a hex
// character in a table, where \tab means nothing.
void Escape(std::string& Out, const std::string& Text, bool Body) {
    static const char hex[] = "0123456789abcdef";
    for (const char ch : Text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '{' || c == '}') {
            Out += '\\';
            Out += ch;
        } else if (c == '\t' && Body) {
            Out += "\\tab ";
        } else if (c < 0x20 || c >= 0x80 || c == ';') {
            Out += "\\'";
            Out += hex[c >> 4];
            Out += hex[c & 15];
        } else {
            Out += ch;
        }
    }
}

} // namespace

bool ReadRtf(const AnsiString& Text, TRichDocument& Doc) {
    Reader r(Text.str());
    return r.Run(Doc);
}

AnsiString WriteRtf(const TRichDocument& Doc) {
    // The font and colour tables hold what the runs use, the default font first.
    std::vector<std::string> fonts{TRichFormat().FontName.str()};
    std::vector<int32_t> colors;
    for (const TRichParagraph& p : Doc.Paragraphs)
        for (const TRichRun& r : p.Runs) {
            if (std::find(fonts.begin(), fonts.end(), r.Format.FontName.str()) == fonts.end())
                fonts.push_back(r.Format.FontName.str());
            if (r.Format.Color != -1 &&
                std::find(colors.begin(), colors.end(), r.Format.Color) == colors.end())
                colors.push_back(r.Format.Color);
        }
    std::string s = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i) {
        s += "{\\f" + std::to_string(i) + "\\fnil ";
        Escape(s, fonts[i], false);
        s += ";}";
    }
    s += "}\r\n{\\colortbl ;";
    for (const int32_t c : colors)
        s += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) +
             "\\blue" + std::to_string((c >> 16) & 0xFF) + ";";
    s += "}\r\n\\uc1\\pard\\plain ";
    const TRichFormat plain;
    for (size_t pi = 0; pi < Doc.Paragraphs.size(); ++pi) {
        if (pi > 0) s += "\\par\r\n";
        for (const TRichRun& r : Doc.Paragraphs[pi].Runs) {
            const TRichFormat& f = r.Format;
            s += "{";
            const size_t start = s.size();
            const size_t font =
                std::find(fonts.begin(), fonts.end(), f.FontName.str()) - fonts.begin();
            if (font != 0) s += "\\f" + std::to_string(font);
            if (f.HalfPoints != plain.HalfPoints) s += "\\fs" + std::to_string(f.HalfPoints);
            if (f.Bold) s += "\\b";
            if (f.Italic) s += "\\i";
            if (f.Underline) s += "\\ul";
            if (f.Color != -1) {
                const size_t c = std::find(colors.begin(), colors.end(), f.Color) - colors.begin();
                s += "\\cf" + std::to_string(c + 1);
            }
            if (f.Offset > 0) s += "\\up" + std::to_string(f.Offset);
            if (f.Offset < 0) s += "\\dn" + std::to_string(-static_cast<long>(f.Offset));
            // A blank ends the last control word; without one the text starts at once.
            if (s.size() > start) s += ' ';
            Escape(s, r.Text.str(), true);
            s += "}";
        }
    }
    s += "}";
    return AnsiString(s);
}

TRichDocument RichDocumentOf(const AnsiString& Text) {
    TRichDocument d;
    if (!ReadRtf(Text, d)) d = TRichDocument::FromPlainText(Text);
    return d;
}
