// Cells on paper: the text a cell prints, its lines, the size it takes and how it is drawn
// (background, borders, check box, picture, text plain, turned, marked up or rich), in
// tenths of a millimetre on a canvas in MM_LOMETRIC (y up).

#include "controles/comun/text_utils.h"
#include "controles/grid/markup/markup_helpers.h"
#include "controles/grid/markup/markup_renderer.h"
#include "controles/grid/print/print_pass.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/rich_layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The cell's formatted text, a formula calculated, and what kind of text it is.
AnsiString CellSource(TKavStringGrid& Grid, int RealCol, int ARow, TTextType& Kind) {
    AnsiString text = Grid.GetFormattedCell(RealCol, ARow);
    Kind = TextType(text, Grid.GetEnableHTML());
    if (Kind == ttFormula) {
        text = Grid.CalcCell(RealCol, ARow);
        Kind = TextType(text, Grid.GetEnableHTML());
    }
    return text;
}

} // namespace

AnsiString PrintCellSource(TKavStringGrid& Grid, int RealCol, int ARow, TTextType Kind) {
    TTextType kind;
    AnsiString text = CellSource(Grid, RealCol, ARow, kind);
    if (kind != Kind || Grid.IsPassword(RealCol, ARow)) return AnsiString();
    return text;
}

namespace {

// While alive, the canvas draws in units of a screen pixel on paper (Unit tenths of a
// millimetre each), y down, with its font at the same size: how the screen's painters draw,
// scaled as the page is. Rect turns a rectangle of the metric page into those units.
class PixelUnits {
public:
    PixelUnits(TCanvas* Canvas, double Unit) : c_(Canvas), dc_(Canvas->GetHandle()), unit_(Unit) {
        TPoint p[2] = {{0, 0}, {1000, 1000}};
        LPtoDP(dc_, p, 2);
        origin_ = p[0];
        sx_ = (p[1].x - p[0].x) / 1000.0;
        sy_ = (p[1].y - p[0].y) / 1000.0;
        kept_.Assign(c_->GetFont());
        TFont scaled;
        scaled.Assign(&kept_);
        scaled.SetHeight(static_cast<int>(std::lround(kept_.GetHeight() / unit_)));
        saved_ = SaveDC(dc_);
        SetMapMode(dc_, MM_TEXT);
        SetMapMode(dc_, MM_ANISOTROPIC);
        constexpr int kExt = 10000;
        SetWindowExtEx(dc_, kExt, kExt, nullptr);
        // However small the page's scale, never a zero extent (refused: the mapping would stay
        // one to one).
        auto ext = [&](double s) {
            return std::max(1, static_cast<int>(std::lround(kExt * std::abs(s) * unit_)));
        };
        SetViewportExtEx(dc_, ext(sx_), ext(sy_), nullptr);
        c_->SetFont(&scaled);
    }
    ~PixelUnits() {
        RestoreDC(dc_, saved_);
        // The canvas's pen, brush and font go to the context again.
        c_->Refresh();
        c_->SetFont(&kept_);
    }
    PixelUnits(const PixelUnits&) = delete;
    PixelUnits& operator=(const PixelUnits&) = delete;

    TRect Rect(const TRect& Logical) const {
        TPoint p[2] = {At(Logical.Left, Logical.Top), At(Logical.Right, Logical.Bottom)};
        DPtoLP(dc_, p, 2);
        return TRect(std::min(p[0].x, p[1].x), std::min(p[0].y, p[1].y), std::max(p[0].x, p[1].x),
                     std::max(p[0].y, p[1].y));
    }
    // An extent in these units in logical units of the page, rounded up.
    TSize Logical(int W, int H) const {
        return {static_cast<int>(std::ceil(W * unit_)), static_cast<int>(std::ceil(H * unit_))};
    }
    // A length of the page in whole units, rounded down: the same wherever it lies.
    int Length(int Logical) const { return static_cast<int>(std::floor(Logical / unit_)); }

private:
    TPoint At(int X, int Y) const {
        return {origin_.x + static_cast<int>(std::lround(X * sx_)),
                origin_.y + static_cast<int>(std::lround(Y * sy_))};
    }
    TCanvas* c_;
    HDC dc_;
    double unit_;
    TPoint origin_;
    double sx_ = 1, sy_ = 1;
    TFont kept_;
    int saved_ = 0;
};

} // namespace

TSize PrintMarkup(TPrintPass& P, const AnsiString& Text, const TRect& R, bool WordWrap,
                  bool Measure) {
    TKavStringGrid& grid = P.Grid;
    const PixelUnits units(P.Canvas, P.PixelToPaper());
    AnsiString href, plain, focus, title, cid, cvalue, ctype;
    int ex = 0, ey = 0, count = 0, mouseAnchor = 0;
    TRect ar, cr;
    HTMLDrawEx(P.Canvas, Text, units.Rect(R), grid.GetGridImages(), -1, -1, -1, -1, 1, false,
               Measure, false, false, true, false, WordWrap, false, 0.0, grid.GetURLColor(), clNone,
               clNone, clGray, href, plain, focus, title, ex, ey, count, mouseAnchor, ar, cr, cid,
               cvalue, ctype, nullptr, grid.GetPictureContainer(), nullptr);
    // With the two pixels the grid's own sizing adds: laid again into that width, the text
    // keeps its lines.
    return units.Logical(ex + 2, ey);
}

namespace {

// Lays rich text into R (logical, Top above Bottom) of the pass's canvas as the grid's screen
// lays it (fonts, sizes, colours, styles, raised and lowered runs, lines wrapped at R's
// width; runs without a colour in the canvas font's), at the scale rows are drawn at; with
// Measure only measures. Returns the extent it takes, in logical units.
TSize PrintRich(TPrintPass& P, const AnsiString& Rtf, const TRect& R, bool Measure) {
    const PixelUnits units(P.Canvas, P.PixelToPaper());
    // Laid from R's top-left corner in a width and height of whole units taken from R's
    // sides alone: a cell measured in one place and drawn in another breaks its lines alike
    // and keeps them all.
    const TRect at = units.Rect(R);
    // The screen's pixels to the inch: what those units are at the page's unscaled size.
    const int dpi = static_cast<int>(std::lround(254.0 / P.ScreenToPaper));
    const auto twips = [dpi](int Units) { return MulDiv(Units, 1440, dpi); };
    TFormatRange range;
    range.Canvas = P.Canvas;
    range.PixelsPerInch = dpi;
    range.Rc = TRect(twips(at.Left), twips(at.Top), twips(at.Left + units.Length(R.Right - R.Left)),
                     twips(at.Top + units.Length(R.Top - R.Bottom)));
    range.RcPage = range.Rc;
    FormatRichRange(RichDocumentOf(Rtf), range, !Measure);
    // With two units more, as the markup's: laid again into that width, the text keeps its
    // lines.
    return units.Logical(MulDiv(range.WidthUsed, dpi, 1440) + 2,
                         MulDiv(range.Rc.Bottom - range.Rc.Top, dpi, 1440));
}

} // namespace

AnsiString PrintCellText(TKavStringGrid& Grid, TRealCol RealCol, int ARow) {
    TTextType kind;
    AnsiString text = CellSource(Grid, RealCol.Value(), ARow, kind);
    if (kind == ttHTML)
        text = HTMLStrip(text);
    else if (kind == ttRTF)
        text = RichTextPlain(text);
    else if (kind == ttUnicode)
        text = DecodeWideStr(text).ToAnsiString();
    if (Grid.GetURLShow() && !Grid.GetURLFull() && IsURL(text)) StripURLProtocol(text);
    if (Grid.IsPassword(RealCol.Value(), ARow)) StringToPassword(text, Grid.GetPasswordChar());
    return text;
}

namespace {

// Words of a line laid into Width as TextWidth measures them: as many as fit on each line, a
// word longer than the width on a line of its own.
template <class S, class Measure>
void WrapWords(const S& Line, int Width, Measure TextWidth, std::vector<S>& Out) {
    constexpr auto blank = typename S::value_type(' ');
    S current;
    size_t i = 0;
    while (i < Line.size()) {
        const size_t start = Line.find_first_not_of(blank, i);
        if (start == S::npos) break;
        size_t end = Line.find(blank, start);
        if (end == S::npos) end = Line.size();
        const S word = Line.substr(start, end - start);
        S tried = current;
        if (!tried.empty()) tried += blank;
        tried += word;
        if (!current.empty() && TextWidth(tried) > Width) {
            Out.push_back(current);
            current = word;
        } else {
            current = std::move(tried);
        }
        i = end;
    }
    Out.push_back(current);
}

int WideTextWidth(TCanvas* Canvas, const std::u16string& S) {
    TSize size{};
    GetTextExtentPoint32W(Canvas->GetHandle(), S.data(), static_cast<int>(S.size()), &size);
    return size.cx;
}

// A wide cell's text in lines, as PrintTextLines lays an 8-bit text.
std::vector<std::u16string> WideTextLines(TCanvas* Canvas, std::u16string Text, bool MultiLine,
                                          int Width) {
    std::vector<std::u16string> lines;
    for (;;) {
        const size_t cr = Text.find(u'\r');
        const std::u16string line = Text.substr(0, cr);
        if (Width > 0)
            WrapWords(
                line, Width, [&](const std::u16string& t) { return WideTextWidth(Canvas, t); },
                lines);
        else
            lines.push_back(line);
        if (cr == std::u16string::npos || !MultiLine) break;
        size_t next = cr + 1;
        if (next < Text.size() && Text[next] == u'\n') ++next;
        Text.erase(0, next);
        if (Text.empty()) break;
    }
    return lines;
}

int Rounded(double V) {
    return static_cast<int>(std::lround(V));
}

// The room a node's glyph takes before its text in column 0 (the indents of its level), in
// screen pixels; 0 for other cells.
int NodeRoom(TKavStringGrid& G, int RealCol, int ARow) {
    if (RealCol != 0 || !G.IsNode(ARow)) return 0;
    return G.GetNodeLevel(ARow) * G.GetCellNode()->GetNodeIndent() + 4;
}

// Column 0 of the rows under a node starts after their level's indent, in screen pixels.
int UnderNodeIndent(TKavStringGrid& G, int RealCol, int ARow) {
    return RealCol == 0 && G.HasNodes() && !G.IsNode(ARow) ? G.NodeIndent(ARow) : 0;
}

// Where a box of W x H goes inside R (Top above Bottom) by the alignments, with Inset kept
// free at the sides and Gap at the top and bottom: its top-left corner.
TPoint Place(const TRect& R, int W, int H, TAlignment HA, TVAlignment VA, int Inset, int Gap) {
    int x = R.Left + Inset;
    if (HA == taRightJustify)
        x = R.Right - Inset - W;
    else if (HA == taCenter)
        x = (R.Left + R.Right - W) / 2;
    int y = R.Top - Gap;
    if (VA == vtaBottom)
        y = R.Bottom + Gap + H;
    else if (VA == vtaCenter)
        y = (R.Top + R.Bottom + H) / 2;
    return {x, y};
}

} // namespace

std::vector<AnsiString> PrintTextLines(TPrintPass& P, const AnsiString& Text, bool MultiLine,
                                       int Width) {
    std::vector<AnsiString> lines;
    AnsiString rest = Text;
    do {
        const AnsiString line = GetNextLine(rest, MultiLine);
        if (Width > 0) {
            std::vector<std::string> wrapped;
            WrapWords(
                line.str(), Width,
                [&](const std::string& t) { return P.Canvas->TextWidth(AnsiString(t)); }, wrapped);
            lines.insert(lines.end(), wrapped.begin(), wrapped.end());
        } else
            lines.push_back(line);
    } while (!rest.IsEmpty());
    return lines;
}

namespace {

// How a cell looks on paper: its brush, its font at its size on paper (the screen font of
// the cell with UseDisplayFont, else the print fonts), its alignment and word wrap.
struct CellLook {
    TBrush Brush;
    TFont Font;
    int Points = 0; // the font's size
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WordWrap = false;
};

void LookOf(TPrintPass& P, TShownCol Shown, int ARow, CellLook& L) {
    TKavStringGrid& g = P.Grid;
    const int Col = Shown.Value();
    const int real = g.ToReal(Shown).Value();
    TGridDrawState state;
    if (Col < g.GetFixedCols() || ARow < g.GetFixedRows()) state << gdFixed;
    TColor colorTo = clNone;
    L.WordWrap = g.GetWordWraps(real, ARow);
    g.GetVisualProperties(Col, ARow, state, true, false, true, &L.Brush, colorTo, &L.Font, L.HA,
                          L.VA, L.WordWrap);
    const int align = g.GetCellAlignment(real, ARow);
    L.HA = static_cast<TAlignment>(align & 0xFF);
    L.VA = static_cast<TVAlignment>((align >> 8) & 0xFF);
    L.Points = L.Font.GetSize();
    L.Font.SetHeight(g.MapFontHeight(L.Points));
}

// The lines of a word-wrapped text in Width of a cell, the canvas in the cell's font: laid
// at the page's unscaled size into the width the cell has there (Width less the bit the
// columns' widths lose to rounding), and scaled with the page. A text that fitted its column
// before the page was scaled still fits it: widths of texts do not scale exactly with their
// fonts, which are realized at whole sizes.
std::vector<AnsiString> WrappedLines(TPrintPass& P, CellLook& L, const AnsiString& Text,
                                     int Width) {
    const double scale = P.Layout.FontScale;
    if (scale == 1.0) return PrintTextLines(P, Text, P.Grid.GetMultilinecells(), Width);
    TFont unscaled;
    unscaled.Assign(&L.Font);
    unscaled.SetHeight(P.Layout.MapFontHeightAt(L.Points, 1.0));
    P.Canvas->SetFont(&unscaled);
    const std::vector<AnsiString> lines = PrintTextLines(
        P, Text, P.Grid.GetMultilinecells(), static_cast<int>(std::ceil((Width + 2) / scale)));
    P.Canvas->SetFont(&L.Font);
    return lines;
}

// A cell's plain text in lines on paper, measured and drawn in the canvas's font: a wide
// cell's by its own characters.
struct PaperLines {
    TCanvas* Canvas = nullptr;
    std::vector<AnsiString> Plain;
    std::vector<std::u16string> Wide;
    bool IsWide = false;

    size_t Count() const { return IsWide ? Wide.size() : Plain.size(); }
    int Width(size_t I) const {
        return IsWide ? WideTextWidth(Canvas, Wide[I]) : Canvas->TextWidth(Plain[I]);
    }
    int Widest() const {
        int w = 0;
        for (size_t i = 0; i < Count(); ++i)
            w = std::max(w, Width(i));
        return w;
    }
    void Draw(size_t I, const TRect& R, int X, int Y) const {
        if (!IsWide) return Canvas->TextRect(R, X, Y, Plain[I]);
        ExtTextOutW(Canvas->GetHandle(), X, Y, ETO_CLIPPED, &R, Wide[I].data(),
                    static_cast<int>(Wide[I].size()), nullptr);
    }
};

// The lines of the cell's text (Text, or the wide cell's Wide when not empty) laid into Width
// (0: at its line breaks only); with AtPageScale an 8-bit text is wrapped as WrappedLines
// wraps it.
PaperLines LinesOf(TPrintPass& P, CellLook& L, const AnsiString& Text, const AnsiString& Wide,
                   int Width, bool AtPageScale) {
    PaperLines lines;
    lines.Canvas = P.Canvas;
    const bool multi = P.Grid.GetMultilinecells();
    lines.IsWide = !Wide.IsEmpty();
    if (lines.IsWide)
        lines.Wide = WideTextLines(P.Canvas, DecodeWideStr(Wide).str(), multi, Width);
    else if (AtPageScale && Width > 0)
        lines.Plain = WrappedLines(P, L, Text, Width);
    else
        lines.Plain = PrintTextLines(P, Text, multi, Width);
    return lines;
}

// The space kept free inside a cell's sides.
int Inset(const TPrintPass& P) {
    return std::max(P.Spacing / 2, 10);
}

// The space between a graphic and the text beside it, scaled with them.
int Gap(const TPrintPass& P) {
    return Rounded(Inset(P) * P.Layout.FontScale);
}

// The cell graphics drawn on paper by the screen's painter: all but those drawn here
// (pictures, bitmaps, check boxes, turned text), the comment mark (a screen hint) and the
// kinds that draw nothing.
bool PaintedAsOnScreen(TCellType T) {
    switch (T) {
    case ctIcon:
    case ctImageList:
    case ctDataImage:
    case ctImages:
    case ctFilePicture:
    case ctRadio:
    case ctProgress:
    case ctProgressPie:
    case ctRangeIndicator:
    case ctNode:
    case ctButton:
    case ctBitButton:
        return true;
    default:
        return false;
    }
}

// What a cell shows on paper beside its text, with the canvas in the cell's font: the
// indent under a node, a check box, a picture, or a graphic the screen's painter draws; and
// the room they take at the text's left and right, each with a gap before the text.
struct CellParts {
    int Under = 0;
    bool Check = false, Checked = false;
    int CheckSize = 0;
    TGraphic* Picture = nullptr;
    int PictureW = 0, PictureH = 0;
    const TCellGraphic* Painted = nullptr;
    int PaintedW = 0;
    bool PaintedAfter = false, DisplText = true;

    int RoomLeft(int Gap) const {
        int room = Under;
        if (Check) room += Gap + CheckSize;
        if (Picture) room += Gap + PictureW;
        if (Painted && DisplText && PaintedW > 0 && !PaintedAfter) room += Gap + PaintedW;
        return room;
    }
    int RoomRight(int Gap) const {
        return Painted && DisplText && PaintedW > 0 && PaintedAfter ? Gap + PaintedW : 0;
    }
};

CellParts PartsOf(TPrintPass& P, int RealCol, int ARow) {
    TKavStringGrid& g = P.Grid;
    CellParts parts;
    parts.Under = Rounded(UnderNodeIndent(g, RealCol, ARow) * P.PixelToPaper());
    parts.Check = g.HasCheckBox(RealCol, ARow) && g.GetCheckBoxState(RealCol, ARow, parts.Checked);
    if (parts.Check)
        parts.CheckSize =
            std::max(Rounded(20 * P.Layout.FontScale), P.Canvas->TextHeight("gh") * 4 / 5);
    if (!P.Settings.GetPrintGraphics()) return parts;
    int w = 0, h = 0;
    TCellHAlign gha;
    TCellVAlign gva;
    const TCellGraphic* graphic =
        g.GetGraphicDetails(RealCol, ARow, w, h, parts.DisplText, gha, gva);
    if (!graphic) return parts;
    TGraphic* picture = nullptr;
    if (graphic->CellType == ctBitmap) picture = dynamic_cast<TGraphic*>(graphic->CellBitmap);
    if (graphic->CellType == ctPicture)
        if (auto* pic = dynamic_cast<TPicture*>(graphic->CellBitmap)) picture = pic->GetGraphic();
    if (picture && !picture->GetEmpty()) {
        parts.Picture = picture;
        parts.PictureW = Rounded(picture->GetWidth() * P.PixelToPaper());
        parts.PictureH = Rounded(picture->GetHeight() * P.PixelToPaper());
    } else if (PaintedAsOnScreen(graphic->CellType)) {
        parts.Painted = graphic;
        parts.PaintedW = Rounded(std::max(w, NodeRoom(g, RealCol, ARow)) * P.PixelToPaper());
        parts.PaintedAfter = gha == haRight || gha == haAfterText;
        if (!parts.PaintedAfter && gha != haLeft && gha != haBeforeText) parts.PaintedW = 0;
    }
    return parts;
}

} // namespace

TSize MeasurePrintCell(TPrintPass& P, TShownCol Col, int ARow, int CellWidth) {
    TKavStringGrid& g = P.Grid;
    const TRealCol realCol = g.ToReal(Col);
    const int real = realCol.Value();
    // Measured in the font it is drawn with.
    CellLook look;
    LookOf(P, Col, ARow, look);
    P.Canvas->SetFont(&look.Font);
    AnsiString text = PrintCellText(g, realCol, ARow);
    if (text.IsEmpty()) text = "gh";
    // Beside the text: what the drawing keeps for the graphics there; a graphic that shows
    // no text takes its own width.
    const int inset = Inset(P);
    const CellParts parts = PartsOf(P, real, ARow);
    const int gap = Gap(P);
    int gw = parts.RoomLeft(gap) + parts.RoomRight(gap), gh = 0;
    if (P.Settings.GetPrintGraphics()) {
        int graphicW = 0;
        g.GetCellGraphicSize(real, ARow, graphicW, gh);
        gh = Rounded(gh * P.PixelToPaper());
        if (parts.Painted && !parts.DisplText)
            gw = parts.Under +
                 Rounded(std::max(graphicW, NodeRoom(g, real, ARow)) * P.PixelToPaper());
    }
    int angle = 0;
    const bool rotated = g.IsRotated(real, ARow, angle);
    const int lineHeight = P.Canvas->TextHeight("gh");
    int w = 0, h = 0;
    const AnsiString markup = rotated ? AnsiString() : PrintCellSource(g, real, ARow, ttHTML);
    const AnsiString rich = rotated ? AnsiString() : PrintCellSource(g, real, ARow, ttRTF);
    const AnsiString wide = rotated ? AnsiString() : PrintCellSource(g, real, ARow, ttUnicode);
    // With the cell's width known (the row heights after the column widths), its text is laid
    // as it is drawn: wrapped into what the cell leaves it. Rich text always wraps.
    const bool laid =
        CellWidth > 0 && !rotated &&
        (!rich.IsEmpty() || (markup.IsEmpty() ? g.GetWordWraps(real, ARow) : !g.GetEnhTextSize()));
    if (laid) {
        const int width =
            std::max(CellWidth - parts.RoomLeft(gap) - parts.RoomRight(gap) - 2 * inset, 1);
        if (!rich.IsEmpty()) {
            const TSize ext = PrintRich(P, rich, TRect(0, 0, width, -65535), true);
            w = ext.cx;
            h = std::max(ext.cy, lineHeight);
        } else if (!markup.IsEmpty()) {
            const TSize ext = PrintMarkup(P, markup, TRect(0, 0, width, -65535), true, true);
            w = ext.cx;
            h = std::max(ext.cy, lineHeight);
        } else {
            const PaperLines lines = LinesOf(P, look, text, wide, width, true);
            w = lines.Widest();
            h = lineHeight * static_cast<int>(lines.Count());
        }
        w += gw;
    } else if (!rich.IsEmpty()) {
        // Each paragraph on a line, or wrapped in its column when the columns keep their
        // widths on the screen.
        const bool fitted = P.Settings.GetNoAutoSize() && !g.IsXMergedCell(real, ARow);
        const int width = fitted ? std::max(P.Layout.GetPrintColWidth(Col.Value()), 1) : 65535;
        const TSize ext = PrintRich(P, rich, TRect(0, 0, width, -65535), true);
        w = ext.cx + gw;
        h = std::max(ext.cy, lineHeight);
    } else if (!markup.IsEmpty()) {
        const bool fitted = g.GetWordWraps(real, ARow) && P.Settings.GetNoAutoSize();
        const int width = fitted ? std::max(P.Layout.GetPrintColWidth(Col.Value()), 1) : 65535;
        const TSize ext =
            PrintMarkup(P, markup, TRect(0, 0, width, -65535), !g.GetEnhTextSize(), true);
        w = ext.cx + gw;
        h = std::max(ext.cy, lineHeight);
    } else if (g.GetWordWraps(real, ARow) && P.Settings.GetNoAutoSize() && !rotated) {
        const int width = g.IsXMergedCell(real, ARow) ? 65535 : P.Layout.GetPrintColWidth(Col.Value());
        const PaperLines lines = LinesOf(P, look, text, wide, std::max(width, 1), false);
        w = lines.Widest();
        h = lineHeight * static_cast<int>(lines.Count());
    } else {
        const PaperLines lines = LinesOf(P, look, text, wide, 0, false);
        w = lines.Widest() + gw;
        h = lineHeight * static_cast<int>(lines.Count());
    }
    // A picture taller than the text makes the cell as tall as the picture.
    h = std::max(h, gh);
    if (rotated) {
        const double a = angle * std::numbers::pi / 180.0;
        const int rw = Rounded(std::fabs(w * std::cos(a)) + std::fabs(h * std::sin(a)));
        const int rh = Rounded(std::fabs(w * std::sin(a)) + std::fabs(h * std::cos(a)));
        w = rw;
        h = rh;
    }
    TPoint size{w, h};
    if (g.OnCustomCellSize) g.OnCustomCellSize(&g, P.Canvas, real, ARow, size);
    return {size.x, size.y};
}

namespace {

void Line(TCanvas* C, int X1, int Y1, int X2, int Y2) {
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

// The cell's background in its brush colour and its lines on paper (by the page's Borders,
// or the cell's own with pbCustom): a cell framed on every side is one rectangle.
void DrawCellFrame(TPrintPass& P, int RealCol, int ARow, const TRect& R, TColor Back) {
    TCanvas* c = P.Canvas;
    TCellBorders sides;
    TPen pen;
    pen.SetColor(clBlack);
    pen.SetWidth(2);
    switch (P.Settings.GetBorders()) {
    case pbSingle:
    case pbDouble:
        sides << cbLeft << cbTop << cbRight << cbBottom;
        break;
    case pbVertical:
    case pbAroundVertical:
        sides << cbLeft << cbRight;
        break;
    case pbHorizontal:
    case pbAroundHorizontal:
        sides << cbTop << cbBottom;
        break;
    case pbCustom:
        P.Grid.GetCellPrintBorder(RealCol, ARow, &pen, sides);
        break;
    default:
        break;
    }
    const bool framed = sides.Contains(cbLeft) && sides.Contains(cbTop) &&
                        sides.Contains(cbRight) && sides.Contains(cbBottom);
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(Back);
    if (framed) {
        c->GetPen()->Assign(&pen);
    } else {
        // Outlined in its own colour.
        c->GetPen()->SetWidth(1);
        c->GetPen()->SetStyle(psSolid);
        c->GetPen()->SetColor(Back);
    }
    c->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    if (framed || sides.Empty()) return;
    c->GetPen()->Assign(&pen);
    if (sides.Contains(cbTop)) Line(c, R.Left, R.Top, R.Right, R.Top);
    if (sides.Contains(cbBottom)) Line(c, R.Left, R.Bottom, R.Right, R.Bottom);
    if (sides.Contains(cbLeft)) Line(c, R.Left, R.Top, R.Left, R.Bottom);
    if (sides.Contains(cbRight)) Line(c, R.Right, R.Top, R.Right, R.Bottom);
}

// A check box as a frame with a tick, Size square, its top-left corner at (X, Y).
void DrawCheck(TCanvas* C, int X, int Y, int Size, bool Checked) {
    C->GetPen()->SetColor(clBlack);
    C->GetPen()->SetWidth(std::max(1, Size / 12));
    C->GetBrush()->SetStyle(bsClear);
    C->Rectangle(X, Y, X + Size, Y - Size);
    if (!Checked) return;
    C->GetPen()->SetWidth(std::max(2, Size / 8));
    Line(C, X + Size / 5, Y - Size / 2, X + Size * 2 / 5, Y - Size * 4 / 5);
    Line(C, X + Size * 2 / 5, Y - Size * 4 / 5, X + Size * 4 / 5, Y - Size / 5);
}

// Text turned counter-clockwise by Angle degrees, its turned box placed in R by the
// alignments.
void DrawTurnedText(TPrintPass& P, const AnsiString& Text, int Angle, const TRect& R, TAlignment HA,
                    TVAlignment VA, int Inset) {
    TCanvas* c = P.Canvas;
    const TSize ext = c->TextExtent(Text);
    // A printer that turns landscape the other way turns text the other way too.
    const int turn = DeviceCapabilities(c->GetHandle(), DC_ORIENTATION) == 270 ? -Angle : Angle;
    const double a = turn * std::numbers::pi / 180.0;
    // The corners of the unturned text around its reference point, turned; y up.
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const auto& [dx, dy] : {std::pair{0, 0}, {ext.cx, 0}, {0, ext.cy}, {ext.cx, ext.cy}}) {
        const double x = dx * std::cos(a) + dy * std::sin(a);
        const double y = dx * std::sin(a) - dy * std::cos(a);
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    const TPoint box =
        Place(R, Rounded(maxX - minX), Rounded(maxY - minY), HA, VA, Inset, P.LineGap);
    c->GetFont()->SetOrientation(turn * 10);
    c->TextOut(box.x - Rounded(minX), box.y - Rounded(maxY), Text);
    c->GetFont()->SetOrientation(0);
}

// The tree lines of column 0 as the screen draws them, kept inside the cell.
void DrawTreeLines(TPrintPass& P, int ARow, const TRect& R) {
    const HDC dc = P.Canvas->GetHandle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
    {
        const PixelUnits units(P.Canvas, P.PixelToPaper());
        P.Grid.PaintTreeLines(P.Canvas, ARow, units.Rect(R));
    }
    RestoreDC(dc, saved);
    P.Canvas->Refresh();
}

} // namespace

void DrawPrintCell(TPrintPass& P, TShownCol Col, int ARow, const TRect& R) {
    TKavStringGrid& g = P.Grid;
    TCanvas* c = P.Canvas;
    const TRealCol realCol = g.ToReal(Col);
    const int real = realCol.Value();
    CellLook look;
    LookOf(P, Col, ARow, look);
    const TAlignment ha = look.HA;
    const TVAlignment va = look.VA;
    const bool ww = look.WordWrap;

    DrawCellFrame(P, real, ARow, R,
                  look.Brush.GetColor() == clNone ? clWhite : look.Brush.GetColor());

    c->SetFont(&look.Font);
    c->GetBrush()->SetStyle(bsClear);
    const int inset = Inset(P), gap = Gap(P);
    if (real == 0 && P.Settings.GetPrintGraphics()) DrawTreeLines(P, ARow, R);
    const CellParts parts = PartsOf(P, real, ARow);
    TRect text = R;
    text.Left += parts.Under;
    if (parts.Check) {
        const int size = parts.CheckSize;
        const TPoint at = Place(text, size, size, taLeftJustify, va, inset, P.LineGap);
        DrawCheck(c, at.x, at.y, size, parts.Checked);
        c->GetBrush()->SetStyle(bsClear);
        text.Left += gap + size;
    }
    if (parts.Picture) {
        const int pw = parts.PictureW, ph = parts.PictureH;
        const TPoint at = Place(text, pw, ph, taLeftJustify, va, inset, P.LineGap);
        c->StretchDraw(TRect(at.x, at.y, at.x + pw, at.y - ph), parts.Picture);
        text.Left += gap + pw;
    } else if (parts.Painted) {
        // Nodes, progress bars, image lists, radio groups...: the screen's painter in the
        // row's height and the cell less its side margins (a node from the cell's edge, where
        // its tree lines start), the text beside what it takes.
        {
            const int left = parts.Painted->CellType == ctNode ? R.Left : text.Left + inset;
            const PixelUnits units(c, P.PixelToPaper());
            g.PaintCellGraphic(c, real, ARow,
                               units.Rect(TRect(left, R.Top, text.Right - inset, R.Bottom)), ha,
                               va);
        }
        c->GetBrush()->SetStyle(bsClear);
        if (!parts.DisplText) return;
        text.Left = R.Left + parts.RoomLeft(gap);
        text.Right -= parts.RoomRight(gap);
    }

    int angle = 0;
    const bool rotated = g.IsRotated(real, ARow, angle);
    const AnsiString markup = rotated ? AnsiString() : PrintCellSource(g, real, ARow, ttHTML);
    if (!markup.IsEmpty()) {
        // Laid from the top as the screen lays it; placed by the vertical alignment.
        const TRect inside(text.Left + inset, text.Top - P.LineGap, text.Right - inset,
                           text.Bottom + P.LineGap);
        const bool wrap = !g.GetEnhTextSize();
        const TSize ext = PrintMarkup(P, markup, inside, wrap, true);
        const int top = Place(text, 0, ext.cy, taLeftJustify, va, inset, P.LineGap).y;
        const HDC dc = c->GetHandle();
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
        PrintMarkup(P, markup, TRect(inside.Left, top, inside.Right, inside.Bottom), wrap, false);
        RestoreDC(dc, saved);
        c->Refresh();
        return;
    }
    const AnsiString rich = rotated ? AnsiString() : PrintCellSource(g, real, ARow, ttRTF);
    if (!rich.IsEmpty()) {
        // Laid from the top of the cell's inside and wrapped at its width, as the screen lays
        // it whatever the alignment.
        PrintRich(P, rich,
                  TRect(text.Left + inset, text.Top - P.LineGap, text.Right - inset,
                        text.Bottom + P.LineGap),
                  false);
        return;
    }
    const AnsiString s = PrintCellText(g, realCol, ARow);
    if (s.IsEmpty()) return;
    if (rotated) {
        DrawTurnedText(P, s, angle, text, ha, va, inset);
        return;
    }
    const AnsiString wide = PrintCellSource(g, real, ARow, ttUnicode);
    const PaperLines lines =
        LinesOf(P, look, s, wide, ww ? text.Right - text.Left - 2 * inset : 0, true);
    const int lineHeight = c->TextHeight("gh");
    const int total = lineHeight * static_cast<int>(lines.Count());
    const TPoint top = Place(text, 0, total, taLeftJustify, va, inset, P.LineGap);
    int y = top.y;
    for (size_t i = 0; i < lines.Count(); ++i) {
        const TPoint at = Place(text, lines.Width(i), 0, ha, vtaTop, inset, 0);
        lines.Draw(i, text, at.x, y);
        y -= lineHeight;
    }
}
