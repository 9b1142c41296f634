// TKavStringGrid: the HTML export. SaveToHTMLString builds a table of the cells with their
// spans, alignments, colours and fonts (one style class per distinct look), and the file
// forms write it between the optional header and footer files.
//
// Cell texts are escaped (the grid's own markup in a cell is taken as its visible text). In
// XHTML mode the XML declaration comes first, the styles go into the document's head, every
// attribute has a value (nowrap="nowrap") and characters beyond ASCII are written as
// character references, so that the UTF-8 declared holds for the bytes.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_helpers.h"
#include "controles/grid/storage/cell_utf8.h"
#include "controles/grid/storage/file_support.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/gui/painting/colors.h"
#include "plataforma/gui/services/shell.h"

#include <algorithm>
#include <cctype>
#include <vector>

using namespace grid_files;

namespace {

// The Unicode code points of Windows-1252's bytes 0x80 to 0x9F (0: unassigned).
const unsigned short kUpper1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

struct HtmlOptions {
    bool references;  // characters beyond ASCII as character references
    bool nonBreaking; // blanks as non-breaking spaces
    const char* lineBreak;
    bool utf8 = false; // the text is a wide cell's, in UTF-8: its characters beyond ASCII
                       // go as references whatever the options, having no byte of their own
};

// The code point of the UTF-8 sequence at S[I] (CellToUtf8's, so well formed), I moved to
// its last byte.
unsigned NextCodePoint(std::string_view S, size_t& I) {
    const auto b = static_cast<unsigned char>(S[I]);
    const int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    unsigned code = more ? b & (0x3F >> more) : b;
    for (int k = 0; k < more && I + 1 < S.size(); ++k)
        code = (code << 6) | (static_cast<unsigned char>(S[++I]) & 0x3F);
    return code;
}

// A run of text with the markup characters as entities and the options applied.
void AppendEscaped(std::string& Out, std::string_view S, const HtmlOptions& O) {
    for (size_t i = 0; i < S.size(); ++i) {
        const char ch = S[i];
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && (O.references || O.utf8)) {
            // The five bytes Windows-1252 leaves undefined as the C1 controls of their number,
            // as the grid reads them.
            const unsigned code = O.utf8   ? NextCodePoint(S, i)
                                  : b < 0xA0 ? (kUpper1252[b - 0x80] ? kUpper1252[b - 0x80] : b)
                                             : b;
            Out += "&#";
            AppendInt(Out, code);
            Out += ';';
        } else if (ch == ' ' && O.nonBreaking) {
            Out += "&#160;";
        } else {
            Out += FixMarkup(AnsiString(std::string(1, ch))).str();
        }
    }
}

// The declaration of the bytes' code page.
constexpr std::string_view kCodePageMeta =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n";

// Where the content of the first head element of a text starts (after its start tag's line
// end, when it has one), else 0.
size_t HeadContentStart(const std::string& Html) {
    for (size_t i = Html.find('<'); i != std::string::npos; i = Html.find('<', i + 1)) {
        if (Html.size() - i < 6) break;
        std::string tag = Html.substr(i + 1, 4);
        for (char& c : tag)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const char after = Html[i + 5];
        if (tag != "head" ||
            !(after == '>' || after == ' ' || after == '\t' || after == '\r' || after == '\n'))
            continue;
        size_t end = Html.find('>', i);
        if (end == std::string::npos) return 0;
        ++end;
        if (Html.compare(end, 2, "\r\n") == 0) end += 2;
        return end;
    }
    return 0;
}

// A line of a cell: blank-separated words that are addresses ("://" or "mailto:") become
// links to themselves.
void AppendLine(std::string& Out, const std::string& Line, const HtmlOptions& O) {
    size_t pos = 0;
    while (pos < Line.size()) {
        size_t end = Line.find(' ', pos);
        if (end == std::string::npos) end = Line.size();
        const std::string word = Line.substr(pos, end - pos);
        if (IsURL(AnsiString(word))) {
            const HtmlOptions plain{O.references, false, O.lineBreak, O.utf8};
            Out += "<a href=\"";
            AppendEscaped(Out, word, plain);
            Out += "\">";
            AppendEscaped(Out, word, O);
            Out += "</a>";
        } else {
            AppendEscaped(Out, word, O);
        }
        if (end < Line.size()) AppendEscaped(Out, " ", O);
        pos = end + 1;
    }
}

// The cell's text as HTML: markup taken as its visible text, escaped, line breaks as HTML
// line breaks.
std::string CellHtml(AnsiString Text, HtmlOptions O) {
    if (IsWideStr(Text)) {
        Text = AnsiString(CellToUtf8(Text));
        O.utf8 = true;
    }
    if (TextType(Text, true) == ttHTML) Text = HTMLStrip(Text);
    std::string out;
    bool first = true;
    while (first || !Text.IsEmpty()) {
        const AnsiString line = GetNextLine(Text, true);
        if (!first) out += O.lineBreak;
        first = false;
        // A lone LF is a line break too.
        const std::string& s = line.str();
        size_t start = 0;
        for (size_t lf; (lf = s.find('\n', start)) != std::string::npos; start = lf + 1) {
            AppendLine(out, s.substr(start, lf - start), O);
            out += O.lineBreak;
        }
        AppendLine(out, s.substr(start), O);
    }
    return out;
}

std::string Colour(TColor C) {
    return "#" + HTMLColor(static_cast<int>(ColorToRGB(C))).str();
}

std::string Quoted(const std::string& Name, const std::string& Value) {
    return " " + Name + "=\"" + Value + "\"";
}

} // namespace

AnsiString TKavStringGrid::SaveToHTMLString() {
    const THTMLSettings& set = *htmlSettings_;
    const bool xhtml = set.GetXHTML();
    const HtmlOptions options{xhtml || set.GetConvertSpecialChars(), set.GetNonBreakingText(),
                              xhtml ? "<br/>" : "<br>"};
    const int fc = storeFixedCells_ ? 0 : GetFixedCols();
    const int fr = storeFixedCells_ ? 0 : GetFixedRows();
    std::vector<std::string> styles;
    std::string body;
    auto line = [&body](const std::string& S) { body += S + "\r\n"; };

    TBrush brush;
    TFont font;
    auto writeRow = [&](int r, const char* cellTag) {
        line("<tr>");
        for (TShownCol col(fc); col.Value() < GetColCount(); ++col) {
            const int c = col.Value();
            // A block is written at its first shown cell inside the saved range (its base,
            // unless the base is a fixed cell left out or a hidden column), spanning the shown
            // columns and the rows it covers from there; its text is its base's.
            const TRect shown = ShownFullCell(col, r);
            if (c != std::max(fc, shown.Left) || r != std::max(fr, shown.Top)) continue;
            const int colSpan = shown.Right - c + 1;
            const int rowSpan = shown.Bottom - r + 1;
            const TPoint base = BaseCell(ToReal(col).Value(), r);
            TGridDrawState state;
            TColor colorTo = clNone;
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            bool wordWrap = false;
            GetVisualProperties(c, r, state, false, false, true, &brush, colorTo, &font, ha, va,
                                wordWrap);
            std::vector<std::string> decl;
            if (set.GetSaveColor()) decl.push_back("background-color: " + Colour(brush.GetColor()));
            if (set.GetSaveFonts()) {
                decl.push_back("color: " + Colour(font.GetColor()));
                decl.push_back("font-size:" + std::to_string(font.GetSize()) + "pt");
                if (font.GetStyle().Contains(fsItalic)) decl.push_back("font-style: italic");
                if (font.GetStyle().Contains(fsBold)) decl.push_back("font-weight: bold");
                if (!font.GetName().IsEmpty())
                    decl.push_back("font-family: " + FixMarkup(font.GetName()).str());
            }
            if (ha == taCenter) decl.push_back("text-align: center");
            if (ha == taRightJustify) decl.push_back("text-align: right");
            decl.push_back(va == vtaTop      ? "vertical-align: top"
                           : va == vtaCenter ? "vertical-align: middle"
                                             : "vertical-align: bottom");
            std::string style;
            for (const std::string& d : decl)
                style += (style.empty() ? "" : ";") + d;
            auto found = std::find(styles.begin(), styles.end(), style);
            const size_t cls = found - styles.begin();
            if (found == styles.end()) styles.push_back(style);

            std::string td =
                std::string("<") + cellTag + Quoted("class", "c" + std::to_string(cls));
            if (colSpan > 1) td += Quoted("colspan", std::to_string(colSpan));
            if (rowSpan > 1) td += Quoted("rowspan", std::to_string(rowSpan));
            const TIntList* widths = set.GetColWidths();
            const int place = c - fc;
            if (place < widths->GetCount())
                td += Quoted("width", std::to_string(widths->GetItems(place)));
            else if (!wordWrap)
                td += xhtml ? Quoted("nowrap", "nowrap") : std::string(" nowrap");
            if (set.GetSaveColor()) td += Quoted("bgcolor", Colour(brush.GetColor()));
            if (ha == taRightJustify) td += Quoted("align", "right");
            if (ha == taCenter) td += Quoted("align", "center");
            if (va == vtaTop) td += Quoted("valign", "top");
            if (va == vtaBottom) td += Quoted("valign", "bottom");
            line(td + ">" + CellHtml(SaveCell(base.x, base.y), options) + "</" + cellTag + ">");
        }
        line("</tr>");
    };

    if (!set.GetPrefixTag().IsEmpty()) line(set.GetPrefixTag().str());
    std::string table = "<table" + Quoted("border", std::to_string(set.GetBorderSize())) +
                        Quoted("cellspacing", std::to_string(set.GetCellSpacing())) +
                        Quoted("cellpadding", std::to_string(set.GetCellPadding())) + " ";
    if (!set.GetTableStyle().IsEmpty()) table += " " + set.GetTableStyle().str() + " ";
    line(table + Quoted("width", std::to_string(set.GetWidth()) + "%") + ">");
    int first = fr;
    if (storeFixedCells_ && GetFixedRows() > 0) {
        writeRow(0, "th");
        first = 1;
    }
    ExportNotification(0, -1);
    for (int r = first; r < GetRowCount(); ++r) {
        ExportNotification(1, r);
        writeRow(r, "td");
    }
    ExportNotification(2, -1);
    line("</table>");
    if (!set.GetSuffixTag().IsEmpty()) line(set.GetSuffixTag().str());

    std::string styleBlock = "<style>\r\n";
    for (size_t i = 0; i < styles.size(); ++i)
        styleBlock += ".c" + std::to_string(i) + " {" + styles[i] + "}\r\n";
    styleBlock += "</style>\r\n";
    if (!xhtml) return AnsiString(styleBlock + body);
    return AnsiString(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n"
        "<head>\r\n" +
        styleBlock + "</head>\r\n<body>\r\n" + body + "</body>\r\n</html>\r\n");
}

void TKavStringGrid::OutputToHTML(const AnsiString& FileName, bool Append) {
    std::string old = Append ? ReadForAppend(FileName) : std::string();
    FileWriter w;
    OpenOutput(w, FileName, false, "Cannot Create file ");
    std::string out = std::move(old);
    const bool starts = out.empty();
    // A header or footer file that cannot be read is left out.
    auto copyLines = [&out](const AnsiString& Name) {
        std::string text;
        if (Name.IsEmpty() || !ReadWholeFile(Name, text)) return;
        for (LineWalker lines(text); !lines.AtEnd();) {
            out += lines.Next();
            out += "\r\n";
        }
    };
    copyLines(htmlSettings_->GetHeaderFile());
    // A file that starts here says the code page its bytes are in, in the head that the
    // header file opens or else first (the XHTML form writes every character beyond ASCII as
    // a reference and declares UTF-8 itself).
    if (starts && !htmlSettings_->GetXHTML()) out.insert(HeadContentStart(out), kCodePageMeta);
    out += SaveToHTMLString().str();
    copyLines(htmlSettings_->GetFooterFile());
    CommitOutput(w, out);
    if (htmlSettings_->GetAutoPreview())
        ShellExecute(nullptr, "open", FileName.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
