// The grid's look kept in a text file of name=value lines: colours by their colour name or
// number, booleans "true"/"false", integers, enumerations by member name and fonts as four
// lines. Loading looks each name up without regard to case and keeps a property whose value
// is missing or unreadable; saving goes through the atomic writer, so a failed save leaves
// the old file.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <span>

namespace {

const char* const kControlStyles[] = {"csClassic", "csFlat",  "csWinXP", "csBorland",
                                      "csKav",     "csGlyph", "csTheme"};
const char* const kLooks[] = {"glStandard", "glSoft", "glClassic", "glKav", "glXP", "glListView"};
const char* const kDisplays[] = {"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"};
const char* const kBackGroundCells[] = {"bcNormal", "bcFixed", "bcAll"};
const char* const kFontStyles[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

// One pass over the properties, writing each line or reading it back.
class VisualPass {
public:
    // Saving: the lines go to Out.
    explicit VisualPass(std::string& Out) : out_(&Out) {}
    // Loading: the values come from the file's lines.
    explicit VisualPass(const TStringList& In) : in_(&In) {}

    template <class Set> void Color(const char* Name, TColor Value, Set Setter) {
        Pass(Name, ColorToString(Value), [&](const AnsiString& v) {
            try {
                Setter(StringToColor(v));
            } catch (const EConvertError&) {
            }
        });
    }
    template <class Set> void Bool(const char* Name, bool Value, Set Setter) {
        Pass(Name, Value ? "true" : "false", [&](const AnsiString& v) {
            const AnsiString u = v.UpperCase();
            if (u == "TRUE" || u == "FALSE") Setter(u == "TRUE");
        });
    }
    template <class Set> void Int(const char* Name, int Value, Set Setter) {
        Pass(Name, AnsiString(Value), [&](const AnsiString& v) {
            if (int i; TryStrToInt(v, i)) Setter(i);
        });
    }
    template <class E, class Set>
    void Enum(const char* Name, E Value, std::span<const char* const> Members, Set Setter) {
        const auto i = static_cast<size_t>(Value);
        Pass(Name, i < Members.size() ? Members[i] : "", [&](const AnsiString& v) {
            for (size_t m = 0; m < Members.size(); ++m)
                if (v.UpperCase() == AnsiString(Members[m]).UpperCase()) Setter(static_cast<E>(m));
        });
    }
    void Font(const char* Name, TFont* F) {
        const AnsiString n(Name);
        Color((n + ".Color").c_str(), F->GetColor(), [F](TColor c) { F->SetColor(c); });
        AnsiString styles;
        for (int s = fsBold; s <= fsStrikeOut; ++s)
            if (F->GetStyle().Contains(static_cast<TFontStyle>(s)))
                styles += AnsiString(styles.IsEmpty() ? "" : ",") + kFontStyles[s];
        Pass((n + ".Style").c_str(), styles, [F](const AnsiString& v) {
            TStringList names;
            names.SetCommaText(v);
            TFontStyles read;
            for (int i = 0; i < names.GetCount(); ++i) {
                int s = fsBold;
                while (s <= fsStrikeOut &&
                       names.GetStrings(i).UpperCase() != AnsiString(kFontStyles[s]).UpperCase())
                    ++s;
                if (s > fsStrikeOut) return; // a name that is not a style: keep the font's
                read << static_cast<TFontStyle>(s);
            }
            F->SetStyle(read);
        });
        Int((n + ".Size").c_str(), F->GetSize(), [F](int v) {
            if (v > 0) F->SetSize(v);
        });
        Pass((n + ".Name").c_str(), F->GetName(), [F](const AnsiString& v) {
            if (!v.IsEmpty()) F->SetName(v);
        });
    }

private:
    // Writes Name=Text, or hands the stored text to Read when the name is in the file.
    template <class Read> void Pass(const char* Name, const AnsiString& Text, Read&& ReadIt) {
        if (out_) {
            *out_ += Name;
            *out_ += '=';
            *out_ += Text.str();
            *out_ += '\n';
            return;
        }
        const int i = in_->IndexOfName(Name);
        if (i < 0) return;
        const AnsiString line = in_->GetStrings(i);
        ReadIt(line.SubString(line.Pos("=") + 1, line.Length()));
    }

    std::string* out_ = nullptr;
    const TStringList* in_ = nullptr;
};

// Every property in the file's order.
void PassVisualProps(TKavStringGrid* g, VisualPass& P) {
#define VISUAL_COLOR(Name, Obj, N) P.Color(Name, Obj->Get##N(), [&](TColor v) { Obj->Set##N(v); })
#define VISUAL_BOOL(Name, Obj, N) P.Bool(Name, Obj->Get##N(), [&](bool v) { Obj->Set##N(v); })
#define VISUAL_INT(Name, Obj, N) P.Int(Name, Obj->Get##N(), [&](int v) { Obj->Set##N(v); })
    VISUAL_COLOR("Color", g, Color);
    VISUAL_COLOR("HintColor", g, HintColor);
    VISUAL_COLOR("SelectionColor", g, SelectionColor);
    VISUAL_COLOR("SelectionColorTo", g, SelectionColorTo);
    VISUAL_COLOR("SelectionTextColor", g, SelectionTextColor);
    VISUAL_COLOR("URLColor", g, URLColor);
    VISUAL_BOOL("URLShow", g, URLShow);
    VISUAL_COLOR("ScrollColor", g, ScrollColor);
    VISUAL_COLOR("ActiveRowColor", g, ActiveRowColor);
    VISUAL_BOOL("ActiveRowShow", g, ActiveRowShow);
    VISUAL_BOOL("ActiveCellShow", g, ActiveCellShow);
    P.Font("Font", g->GetFont());
    VISUAL_COLOR("ActiveCellColor", g, ActiveCellColor);
    VISUAL_COLOR("ActiveCellColorTo", g, ActiveCellColorTo);
    P.Font("ActiveCellFont", g->GetActiveCellFont());
    P.Font("FixedFont", g->GetFixedFont());
    TBalloonSettings* balloon = g->GetBalloon();
    VISUAL_COLOR("Balloon.BackgroundColor", balloon, BackgroundColor);
    VISUAL_COLOR("Balloon.TextColor", balloon, TextColor);
    P.Int("Balloon.Transparency", balloon->GetTransparency(), [&](int v) {
        if (v >= 0 && v <= 255) balloon->SetTransparency(static_cast<uint8_t>(v));
    });
    TBands* bands = g->GetBands();
    VISUAL_COLOR("Bands.PrimaryColor", bands, PrimaryColor);
    VISUAL_COLOR("Bands.SecondaryColor", bands, SecondaryColor);
    VISUAL_BOOL("Bands.Active", bands, Active);
    TSortSettings* sort = g->GetSortSettings();
    VISUAL_COLOR("SortSettings.IndexColor", sort, IndexColor);
    TFloatingFooter* footer = g->GetFloatingFooter();
    VISUAL_COLOR("FloatingFooter.Color", footer, Color);
    TControlLook* look = g->GetControlLook();
    VISUAL_INT("ControlLook.CheckSize", look, CheckSize);
    VISUAL_COLOR("ControlLook.Color", look, Color);
    VISUAL_COLOR("ControlLook.CommentColor", look, CommentColor);
    P.Enum("ControlLook.ControlStyle", look->GetControlStyle(), kControlStyles,
           [&](TGridControlStyle v) { look->SetControlStyle(v); });
    VISUAL_COLOR("ControlLook.FixedGradientFrom", look, FixedGradientFrom);
    VISUAL_COLOR("ControlLook.FixedGradientTo", look, FixedGradientTo);
    VISUAL_INT("ControlLook.RadioSize", look, RadioSize);
    VISUAL_BOOL("ControlLook.FlatButton", look, FlatButton);
    VISUAL_COLOR("ControlLook.ProgressBorderColor", look, ProgressBorderColor);
    VISUAL_BOOL("ControlLook.ProgressXP", look, ProgressXP);
    P.Enum("Look", g->GetLook(), kLooks, [&](TGridLook v) { g->SetLook(v); });
    TSearchFooter* search = g->GetSearchFooter();
    VISUAL_COLOR("SearchFooter.Color", search, Color);
    VISUAL_COLOR("SearchFooter.ColorTo", search, ColorTo);
    VISUAL_COLOR("GridLineColor", g, GridLineColor);
    TGrouping* grouping = g->GetGrouping();
    VISUAL_COLOR("Grouping.HeaderColor", grouping, HeaderColor);
    VISUAL_COLOR("Grouping.HeaderColorTo", grouping, HeaderColorTo);
    VISUAL_COLOR("Grouping.HeaderTextColor", grouping, HeaderTextColor);
    VISUAL_BOOL("Grouping.HeaderUnderline", grouping, HeaderUnderline);
    VISUAL_COLOR("Grouping.HeaderLineColor", grouping, HeaderLineColor);
    VISUAL_INT("Grouping.HeaderLineWidth", grouping, HeaderLineWidth);
    VISUAL_COLOR("Grouping.SummaryColor", grouping, SummaryColor);
    VISUAL_COLOR("Grouping.SummaryColorTo", grouping, SummaryColorTo);
    VISUAL_COLOR("Grouping.SummaryTextColor", grouping, SummaryTextColor);
    VISUAL_BOOL("Grouping.SummaryLine", grouping, SummaryLine);
    VISUAL_COLOR("Grouping.SummaryLineColor", grouping, SummaryLineColor);
    VISUAL_INT("Grouping.SummaryLineWidth", grouping, SummaryLineWidth);
    TBackGround* background = g->GetBackGround();
    VISUAL_INT("BackGround.Top", background, Top);
    VISUAL_INT("BackGround.Left", background, Left);
    P.Enum("BackGround.Display", background->GetDisplay(), kDisplays,
           [&](TBackGroundDisplay v) { background->SetDisplay(v); });
    P.Enum("BackGround.Cells", background->GetCells(), kBackGroundCells,
           [&](TBackGroundCells v) { background->SetCells(v); });
    VISUAL_COLOR("BackGround.Color", background, Color);
    VISUAL_COLOR("BackGround.ColorTo", background, ColorTo);
#undef VISUAL_COLOR
#undef VISUAL_BOOL
#undef VISUAL_INT
}

} // namespace

void TKavStringGrid::SaveVisualProps(const AnsiString& FileName) {
    std::string text;
    VisualPass paso(text);
    PassVisualProps(this, paso);
    FileWriter w;
    if (!w.Open(FileName, FileWriter::Mode::Text)) throw EKavGridError("Cannot Create " + FileName);
    w.Write(text.data(), text.size());
    if (!w.Commit()) throw EKavGridError("Cannot Create " + FileName);
}

void TKavStringGrid::LoadVisualProps(const AnsiString& FileName) {
    std::string data;
    if (!ReadWholeFile(FileName, data)) throw EKavGridError("Cannot open file " + FileName);
    TStringList lines;
    lines.SetText(AnsiString(data));
    VisualPass paso(lines);
    PassVisualProps(this, paso);
    Invalidate();
}
