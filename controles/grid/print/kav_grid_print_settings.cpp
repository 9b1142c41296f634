// The print settings kept in an INI file, one value per setting under its own name. Loading
// keeps every setting whose value is missing or unreadable.

#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/ini_file.h"
#include "plataforma/base/numbers.h"

namespace {

// One pass over the settings, writing each or reading it back.
class PasoAjustes {
public:
    PasoAjustes(TCustomIniFile& Ini, const AnsiString& Section, bool Saving)
        : ini_(Ini), section_(Section), saving_(Saving) {}

    template <class Set> void Int(const char* Name, int Value, Set Setter) {
        if (saving_)
            ini_.WriteInteger(section_, Name, Value);
        else if (int v; TryStrToInt(ini_.ReadString(section_, Name, ""), v))
            Setter(v);
    }
    // "Y" or "N".
    template <class Set> void Bool(const char* Name, bool Value, Set Setter) {
        if (saving_) {
            ini_.WriteString(section_, Name, Value ? "Y" : "N");
            return;
        }
        const AnsiString v = ini_.ReadString(section_, Name, "");
        if (v == "Y" || v == "N") Setter(v == "Y");
    }
    template <class Set> void Text(const char* Name, const AnsiString& Value, Set Setter) {
        if (saving_)
            ini_.WriteString(section_, Name, Value);
        else if (ini_.ValueExists(section_, Name))
            Setter(ini_.ReadString(section_, Name, ""));
    }
    // The ordinal of an enumeration 0 .. Last; out of range gives OutOfRange when that is
    // not negative, else keeps the setting.
    template <class E, class Set>
    void Enum(const char* Name, E Value, int Last, Set Setter, int OutOfRange = -1) {
        Int(Name, static_cast<int>(Value), [&](int v) {
            if (v >= 0 && v <= Last)
                Setter(static_cast<E>(v));
            else if (OutOfRange >= 0)
                Setter(static_cast<E>(OutOfRange));
        });
    }
    // Name, size, style (bold 1, italic 2, underline 4, strike-out 8) and colour; a style read
    // back adds to the font's own and takes none away.
    void Font(const char* Prefix, TFont* F) {
        const AnsiString p(Prefix);
        Text((p + "Name").c_str(), F->GetName(), [F](const AnsiString& v) { F->SetName(v); });
        Int((p + "Size").c_str(), F->GetSize(), [F](int v) { F->SetSize(v); });
        Int((p + "Style").c_str(), static_cast<int>(F->GetStyle().Bits()), [F](int v) {
            F->SetStyle(F->GetStyle() + TFontStyles::FromBits(static_cast<unsigned>(v) & 15u));
        });
        Int((p + "Color").c_str(), static_cast<int>(F->GetColor()),
            [F](int v) { F->SetColor(static_cast<TColor>(v)); });
    }

private:
    TCustomIniFile& ini_;
    AnsiString section_;
    bool saving_;
};

void PasarAjustes(TPrintSettings* S, PasoAjustes& P) {
#define AJUSTE_INT(N) P.Int(#N, S->Get##N(), [S](int v) { S->Set##N(v); })
#define AJUSTE_BOOL(Name, N) P.Bool(Name, S->Get##N(), [S](bool v) { S->Set##N(v); })
#define AJUSTE_TEXT(N) P.Text(#N, S->Get##N(), [S](const AnsiString& v) { S->Set##N(v); })
#define AJUSTE_POS(N)                                                                              \
    P.Enum(                                                                                        \
        #N, S->Get##N(), ppBottomCenter, [S](TPrintPosition v) { S->Set##N(v); }, ppNone)
    AJUSTE_INT(ColumnSpacing);
    AJUSTE_INT(RowSpacing);
    AJUSTE_INT(TitleSpacing);
    AJUSTE_INT(FixedHeight);
    AJUSTE_INT(FixedWidth);
    AJUSTE_BOOL("Centered", Centered);
    AJUSTE_BOOL("NoAutoSize", NoAutoSize);
    AJUSTE_BOOL("UseFixedHeight", UseFixedHeight);
    AJUSTE_BOOL("UseFixedWidth", UseFixedWidth);
    AJUSTE_BOOL("RepeatFixedRows", RepeatFixedRows);
    AJUSTE_BOOL("RepeatFixedCols", RepeatFixedCols);
    AJUSTE_BOOL("UseDisplFont", UseDisplayFont);
    AJUSTE_BOOL("UseDefOrientation", UseDefaultOrientation);
    P.Enum("Borders", S->GetBorders(), pbCustom, [S](TPrintBorders v) { S->SetBorders(v); });
    P.Enum("BorderStyle", S->GetBorderStyle(), psInsideFrame,
           [S](TPenStyle v) { S->SetBorderStyle(v); });
    AJUSTE_POS(Date);
    AJUSTE_POS(PageNr);
    AJUSTE_POS(Title);
    AJUSTE_POS(Time);
    AJUSTE_TEXT(DateFormat);
    AJUSTE_TEXT(TitleText);
    AJUSTE_INT(FooterSize);
    AJUSTE_INT(HeaderSize);
    AJUSTE_INT(LeftSize);
    AJUSTE_INT(RightSize);
    P.Enum("FitToPage", S->GetFitToPage(), fpCustom, [S](TFitToPage v) { S->SetFitToPage(v); });
    P.Font("Font", S->GetFont());
    P.Font("HeaderFont", S->GetHeaderFont());
    P.Font("FooterFont", S->GetFooterFont());
    AJUSTE_TEXT(PageNumSep);
    AJUSTE_TEXT(PageSuffix);
    AJUSTE_TEXT(PagePrefix);
    P.Enum("Orientation", S->GetOrientation(), poLandscape,
           [S](TPrinterOrientation v) { S->SetOrientation(v); });
    P.Text("TitleLines", LFToCLF(S->GetTitleLines()->GetText()),
           [S](const AnsiString& v) { S->GetTitleLines()->SetText(CLFToLF(v)); });
#undef AJUSTE_INT
#undef AJUSTE_BOOL
#undef AJUSTE_TEXT
#undef AJUSTE_POS
}

} // namespace

void TKavStringGrid::SavePrintSettings(const AnsiString& Key, const AnsiString& Section) {
    TIniFile ini(Key);
    PasoAjustes paso(ini, Section, true);
    PasarAjustes(printSettings_.get(), paso);
    ini.UpdateFile();
}

void TKavStringGrid::LoadPrintSettings(const AnsiString& Key, const AnsiString& Section) {
    TIniFile ini(Key);
    PasoAjustes paso(ini, Section, false);
    PasarAjustes(printSettings_.get(), paso);
}
