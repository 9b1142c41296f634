// TKavStringGrid: sorting rows. Every sort computes the keys of the cells it compares once
// (a column's keys are made when the column is first needed; a numeric column's in the same
// pass that decides its automatic style), sorts a permutation of the rows stably (numbers by
// a radix sort, their ties on the following columns), and then moves each row once: in one
// pass, or through SortSwapRows (at most one exchange per row) when a derived grid moves
// rows its own way. The cross-reference keeps, for each position, the row's place before the
// first sort, so that QUnSort goes back to it.
#include "controles/grid/kav_grid.h"

#include "controles/comun/text_utils.h"
#include "controles/grid/markup/markup_helpers.h"
#include "plataforma/base/date_time_text.h"
#include "plataforma/base/locale_compare.h"
#include "plataforma/base/regional.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <numeric>
#include <typeinfo>
#include <utility>

namespace {

int Sign(int V) {
    return V < 0 ? -1 : V > 0 ? 1 : 0;
}

template <class T> int Cmp3(const T& A, const T& B) {
    return A < B ? -1 : B < A ? 1 : 0;
}

// The styles whose keys are numbers, compared as such.
bool ComparesNumbers(TSortStyle Style) {
    switch (Style) {
    case ssNumeric:
    case ssFinancial:
    case ssDate:
    case ssShortDateEU:
    case ssShortDateUS:
    case ssImages:
    case ssCheckBox:
        return true;
    default:
        return false;
    }
}

int Ordinal(const std::string& A, const std::string& B) {
    return Sign(A.compare(B));
}

// The standard text-to-float conversion: leading blanks, a sign, digits with an optional
// "." fraction and exponent; nothing may follow.
bool ValDouble(const std::string& S, double& V) {
    size_t i = 0;
    while (i < S.size() && S[i] == ' ')
        ++i;
    bool neg = false;
    if (i < S.size() && (S[i] == '+' || S[i] == '-')) neg = S[i++] == '-';
    if (i >= S.size() || S[i] == '+' || S[i] == '-') return false;
    const char* b = S.data() + i;
    const char* e = S.data() + S.size();
    double v = 0;
    const auto [ptr, ec] = std::from_chars(b, e, v, std::chars_format::general);
    // Infinities and NaN are no numbers here (a NaN key would break the ordering).
    if (ec != std::errc() || ptr != e || !std::isfinite(v)) return false;
    V = neg ? -v : v;
    return true;
}

// The regional separators the sort reads its texts with, read once per sort.
struct TSortSeparators {
    char Decimal = GetDecimalSeparator();
    char Thousand = GetThousandSeparator();
    char Date = GetDateSeparator();
    // Plain texts (see ScanPlain) can be read here while the decimal separator is none of
    // the characters IsType takes first.
    bool Plain = !(Decimal >= '0' && Decimal <= '9') && Decimal != '-' && Decimal != Thousand;
};

enum class TPlain { No, Number, Value };

// A text of digits with at most one leading '-' and one decimal separator (a digit at least,
// or '-' or the separator alone): IsType takes it for a number, and the number styles read
// it without cleaning. TPlain::Value when V holds its value already: up to 19 significant
// digits worth at most 2^53 and at most 22 decimals are one correctly rounded division of
// two exact doubles, the value the standard conversion gives.
TPlain ScanPlain(const std::string& S, const TSortSeparators& P, double& V) {
    if (!P.Plain || S.empty()) return TPlain::No;
    const bool neg = S[0] == '-';
    uint64_t m = 0;
    int significant = 0, decimals = 0, digits = 0;
    bool point = false;
    for (size_t i = neg ? 1 : 0; i < S.size(); ++i) {
        const char c = S[i];
        if (c >= '0' && c <= '9') {
            ++digits;
            decimals += point;
            if (m == 0 && c == '0') continue;
            if (++significant <= 19) m = m * 10 + static_cast<unsigned>(c - '0');
        } else if (c == P.Decimal && !point) {
            point = true;
        } else {
            return TPlain::No;
        }
    }
    if (digits == 0 || significant > 19 || m > (uint64_t(1) << 53) || decimals > 22)
        return TPlain::Number;
    static constexpr double pow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const double v = static_cast<double>(m) / pow10[decimals];
    V = neg ? -v : v;
    return TPlain::Value;
}

// A number in a cell by the numeric styles: prefix and suffix out, thousand separators out
// for the financial style, the decimal separator made "."; a text that is no number is 0.
double NumberKey(const AnsiString& Text, const AnsiString& Prefix, const AnsiString& Suffix,
                 bool Financial, const TSortSeparators& P) {
    double v = 0;
    if (Text.IsEmpty()) return 0;
    const char dec = P.Decimal;
    // Most cells need no cleaning: read them where they are.
    if (Prefix.IsEmpty() && Suffix.IsEmpty() && !Financial) {
        if (ScanPlain(Text.str(), P, v) == TPlain::Value) return v;
        if (dec == '.' || Text.str().find(dec) == std::string::npos)
            return ValDouble(Text.str(), v) ? v : 0.0;
    }
    std::string s = Text.str();
    if (!Prefix.IsEmpty())
        if (size_t p = s.find(Prefix.str()); p != std::string::npos)
            s.erase(p, Prefix.str().size());
    if (!Suffix.IsEmpty())
        if (size_t p = s.find(Suffix.str()); p != std::string::npos)
            s.erase(p, Suffix.str().size());
    if (Financial) std::erase(s, P.Thousand);
    if (dec != '.')
        if (size_t p = s.find(dec); p != std::string::npos) s[p] = '.';
    return ValDouble(s, v) ? v : 0.0;
}

// The date test of the automatic style: the date separator at the 2nd or 3rd character, not
// last, with a digit on each side.
bool LooksLikeDate(const std::string& S, char Sep) {
    for (size_t p : {size_t(1), size_t(2)}) {
        if (p + 1 >= S.size() || S[p] != Sep) continue;
        if (std::isdigit(static_cast<unsigned char>(S[p - 1])) &&
            std::isdigit(static_cast<unsigned char>(S[p + 1])))
            return true;
    }
    return false;
}

// A date with an optional time; the short-date styles read "d/m/yy hh:mm[:ss]" day or month
// first; 0 for an empty text or one that is no date.
double DateKey(const AnsiString& Text, TSortStyle Style) {
    if (Text.IsEmpty()) return 0;
    // The date style reads each text as the regional settings write dates and times.
    if (Style == ssDate) {
        TDateTime d = 0;
        return TryStrToDateTime(Text, d) ? d : 0;
    }
    try {
        std::string s = Text.Trim().str();
        std::string time;
        if (size_t sp = s.find(' '); sp != std::string::npos) {
            time = s.substr(sp + 1);
            s.resize(sp);
        }
        double d = Style == ssShortDateUS ? StrToShortdateUS(s) : StrToShortDateEU(s);
        if (!time.empty()) {
            int h = 0, m = 0, sec = 0;
            if (std::sscanf(time.c_str(), "%d:%d:%d", &h, &m, &sec) >= 2 && h >= 0 && h < 24 &&
                m >= 0 && m < 60 && sec >= 0 && sec < 60)
                d += (h * 3600 + m * 60 + sec) / 86400.0;
        }
        return d;
    } catch (const Exception&) {
        return 0;
    }
}

bool IsTypeNumber(const AnsiString& S) {
    const TAutoType t = IsType(S);
    return t == atNumeric || t == atFloat;
}

bool IsNumberText(const AnsiString& S, const TSortSeparators& P) {
    double v;
    return ScanPlain(S.str(), P, v) != TPlain::No || IsTypeNumber(S);
}

} // namespace

// The keys of one column over a block of rows, made once.
struct TSortColumnKeys {
    bool Ready = false;
    bool Lazy = false; // keys made row by row when first compared
    int Col = 0;
    AnsiString Prefix, Suffix;
    std::vector<uint8_t> Made;
    TSortStyle Style = ssAlphabetic;
    std::vector<double> Num;
    std::vector<uint8_t> IsNum;
    // The cells' texts; none kept when the numbers were read in the pass over the cells.
    std::vector<const AnsiString*> Text;
    std::vector<std::string> Owned;
    std::vector<uint8_t> Blank;
};

namespace {

using TCellTextReader = std::function<const AnsiString&(int, int)>;
using TCellCheckReader = std::function<bool(int, int)>;

// The sort's view of the grid: the rows compared (Rows[i] is key i), keys by real column;
// the automatic style is decided over the rows StyleFirst .. StyleFirst+StyleCount-1.
class TRowSorter {
public:
    TRowSorter(TKavStringGrid& G, std::vector<int> Rows, int StyleFirst, int StyleCount,
               const TCellTextReader& CellText, const TCellCheckReader& IsChecked)
        : g_(G), rows_(std::move(Rows)), count_(static_cast<int>(rows_.size())),
          styleFirst_(StyleFirst), styleCount_(StyleCount), cellText_(CellText),
          checked_(IsChecked) {
        TSortSettings* s = G.GetSortSettings();
        ignoreBlanks_ = s->GetIgnoreBlanks();
        blankPos_ = s->GetBlankPos();
        autoFormat_ = s->GetAutoFormat();
        full_ = s->GetFull();
        sameRows_ = count_ == styleCount_;
        for (int i = 0; i < count_ && sameRows_; ++i)
            sameRows_ = rows_[i] == styleFirst_ + i;
        if (!sameRows_) PlanVisit();
    }

    // A column's keys; a column only needed to settle ties makes each row's key when it is
    // first compared.
    TSortColumnKeys& Keys(int Col, bool Lazy = false) {
        TSortColumnKeys& k = keys_[Col];
        if (!k.Ready) Build(k, Col, Lazy && visit_.empty());
        return k;
    }

    // 1, 0 or -1 for rows i and j (relative) in one column.
    int CompareCells(TSortColumnKeys& K, int I, int J, TSortDirection D) {
        if (K.Lazy) {
            if (!K.Made[I]) MakeKey(K, I);
            if (!K.Made[J]) MakeKey(K, J);
        }
        if (ignoreBlanks_ && K.Blank[I] != K.Blank[J]) {
            int r = K.Blank[I] ? (blankPos_ == blFirst ? -1 : 1) : (blankPos_ == blFirst ? 1 : -1);
            return D == sdAscending ? r : -r;
        }
        if (ComparesNumbers(K.Style)) return Cmp3(K.Num[I], K.Num[J]);
        switch (K.Style) {
        case ssAlphaNoCase: {
            const int c = Ordinal(K.Owned[I], K.Owned[J]);
            return c ? c : Ordinal(K.Text[I]->str(), K.Text[J]->str());
        }
        case ssHTML:
            return Ordinal(K.Owned[I], K.Owned[J]);
        case ssAnsiAlphaCase:
            return Sign(AnsiCompareStr(*K.Text[I], *K.Text[J]));
        case ssAnsiAlphaNoCase:
            return Sign(AnsiCompareText(*K.Text[I], *K.Text[J]));
        case ssUnicode:
            // Sort keys of the user's locale, case ignored: they order as the system's
            // comparison does.
            return Ordinal(K.Owned[I], K.Owned[J]);
        case ssCustom: {
            int res = 0;
            if (g_.OnCustomCompare) g_.OnCustomCompare(&g_, *K.Text[I], *K.Text[J], res);
            return Sign(res);
        }
        case ssRaw: {
            int res = 0;
            if (g_.OnRawCompare) g_.OnRawCompare(&g_, K.Col, rows_[I], rows_[J], res);
            return Sign(res);
        }
        case ssAlphaNumeric:
        case ssAlphaNumericNoCase:
            if (K.IsNum[I] && K.IsNum[J]) return Cmp3(K.Num[I], K.Num[J]);
            if (K.Style == ssAlphaNumericNoCase) {
                const int c = Ordinal(K.Owned[I], K.Owned[J]);
                return c ? c : Ordinal(K.Text[I]->str(), K.Text[J]->str());
            }
            return Ordinal(K.Text[I]->str(), K.Text[J]->str());
        default:
            return Ordinal(K.Text[I]->str(), K.Text[J]->str());
        }
    }

    // Rows i and j on a column, ties passed on to the following columns when Full.
    int CompareLine(int Col, int I, int J, TSortDirection D, int LastCol) {
        return CompareColumns(Col, Col, I, J, D, LastCol);
    }
    // Columns From .. LastCol of a comparison that began at column Col: the columns after
    // Col make their keys lazily.
    int CompareColumns(int Col, int From, int I, int J, TSortDirection D, int LastCol) {
        for (int c = From; c <= LastCol; ++c) {
            const int r = CompareCells(Keys(c, c != Col), I, J, D);
            if (r != 0 || !full_) return r;
        }
        return 0;
    }

    int CompareIndexed(const std::vector<std::pair<int, bool>>& Index, int I, int J) {
        for (size_t k = 0; k < Index.size(); ++k) {
            const bool desc = Index[k].second;
            int r =
                CompareCells(Keys(Index[k].first, k > 0), I, J, desc ? sdDescending : sdAscending);
            if (desc) r = -r;
            if (r != 0 || !full_) return r;
        }
        return 0;
    }

    // A column's numbers, when comparing its cells is comparing them (no blanks set apart),
    // for a sort to compare inline; nullptr otherwise.
    const std::vector<double>* PlainNumbers(int Col) {
        const TSortColumnKeys& k = Keys(Col);
        return ignoreBlanks_ || k.Lazy || !ComparesNumbers(k.Style) ? nullptr : &k.Num;
    }

    int Count() const { return count_; }
    // The last column that ties may reach.
    void SetScanLast(int Last) { scanLast_ = Last; }

private:
    void Build(TSortColumnKeys& K, int Col, bool Lazy) {
        K.Col = Col;
        TSortStyle style = autoFormat_ ? ssAutomatic : ssAlphabetic;
        g_.GetColFormat(Col, style, K.Prefix, K.Suffix);
        const size_t n = static_cast<size_t>(count_);
        K.Blank.assign(n, 0);
        const bool automatic = style == ssAutomatic && !CheckBoxColumn(Col);
        if (style == ssAutomatic && !automatic) style = ssCheckBox;
        // Keys made now take one pass over the cells: each text is read once, the automatic
        // style's tests run on it when the keys' rows are the style's rows (as in a sort),
        // and numbers are read as they come while the column may still be numeric.
        bool numbers = true, dates = true;
        const bool scan = automatic && !Lazy && (sameRows_ || coversStyleRows_);
        const bool financial = style == ssFinancial;
        bool parse = !Lazy && (scan || style == ssNumeric || financial);
        const bool clean = K.Prefix.IsEmpty() && K.Suffix.IsEmpty() && !financial;
        if (parse) K.Num.resize(n);
        // The texts are kept for keys made after the pass (MakeKey reads those not kept).
        if (!parse) K.Text.assign(n, nullptr);
        for (int j = 0; j < count_ && !Lazy; ++j) {
            const int i = Visited(j);
            const AnsiString& t = cellText_(Col, rows_[i]);
            if (!parse) K.Text[i] = &t;
            K.Blank[i] = t.IsEmpty();
            if (!parse && !(scan && (numbers || dates))) continue;
            double v = 0;
            const TPlain plain =
                (parse || numbers) && !t.IsEmpty() ? ScanPlain(t.str(), seps_, v) : TPlain::No;
            if (scan && !t.IsEmpty()) {
                if (numbers && plain == TPlain::No && !IsTypeNumber(t)) numbers = false;
                if (dates && !LooksLikeDate(t.str(), seps_.Date)) dates = false;
                if (!numbers && parse) {
                    parse = false;
                    K.Text.assign(n, nullptr);
                    K.Text[i] = &t;
                }
            }
            if (parse)
                K.Num[i] = plain == TPlain::Value && clean
                               ? v
                               : NumberKey(t, K.Prefix, K.Suffix, financial, seps_);
        }
        if (automatic) {
            if (!scan) ScanStyle(Col, numbers, dates);
            style = numbers ? ssNumeric : dates ? ssDate : ssAlphabetic;
        }
        K.Style = style;
        if (ComparesNumbers(style)) K.Num.resize(n);
        switch (style) {
        case ssAlphaNoCase:
        case ssHTML:
        case ssUnicode:
            K.Owned.resize(n);
            break;
        case ssAlphaNumeric:
        case ssAlphaNumericNoCase:
            K.Num.resize(n);
            K.IsNum.resize(n);
            if (style == ssAlphaNumericNoCase) K.Owned.resize(n);
            break;
        default:
            break;
        }
        K.Lazy = Lazy;
        if (Lazy)
            K.Made.assign(n, 0);
        else if (!parse)
            for (int j = 0; j < count_; ++j)
                MakeKey(K, Visited(j));
        K.Ready = true;
    }

    // The key of row i by the column's style.
    void MakeKey(TSortColumnKeys& K, int I) {
        if (!K.Text[I]) {
            K.Text[I] = &cellText_(K.Col, rows_[I]);
            K.Blank[I] = K.Text[I]->IsEmpty();
        }
        const AnsiString& t = *K.Text[I];
        switch (K.Style) {
        case ssNumeric:
        case ssFinancial:
            K.Num[I] = NumberKey(t, K.Prefix, K.Suffix, K.Style == ssFinancial, seps_);
            break;
        case ssDate:
        case ssShortDateEU:
        case ssShortDateUS:
            K.Num[I] = DateKey(t, K.Style);
            break;
        case ssImages:
            K.Num[I] = g_.GetCellImageIdx(K.Col, rows_[I]);
            break;
        case ssCheckBox:
            K.Num[I] = checked_(K.Col, rows_[I]) ? 1 : 0;
            break;
        case ssAlphaNoCase:
            K.Owned[I] = UpperCase(t).str();
            break;
        case ssHTML:
            K.Owned[I] = HTMLStrip(t).str();
            break;
        case ssUnicode:
            K.Owned[I] = SortKeyW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, DecodeWideStr(t).str());
            break;
        case ssAlphaNumeric:
        case ssAlphaNumericNoCase:
            K.IsNum[I] = IsNumberText(t, seps_);
            if (K.IsNum[I]) K.Num[I] = NumberKey(t, AnsiString(), AnsiString(), false, seps_);
            if (K.Style == ssAlphaNumericNoCase) K.Owned[I] = UpperCase(t).str();
            break;
        default:
            break;
        }
        if (K.Lazy) K.Made[I] = 1;
    }

    // The automatic style: a check box in the first of the style's rows...
    bool CheckBoxColumn(int Col) {
        if (styleCount_ <= 0) return false;
        const TCellType t = g_.GetCellType(Col, styleFirst_);
        return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
    }

    // ... else numbers in every non-empty cell of the style's rows, dates in every one, or
    // text. The pass that reads a column also tests the columns after it up to scanLast_,
    // whose cells lie beside its own, for when ties reach them.
    void ScanStyle(int Col, bool& Numbers, bool& Dates) {
        if (const auto it = scanned_.find(Col); it != scanned_.end()) {
            Numbers = it->second.first;
            Dates = it->second.second;
            return;
        }
        struct TColumnScan {
            int Col;
            bool Numbers, Dates;
        };
        std::vector<TColumnScan> cols{{Col, Numbers, Dates}};
        for (int c = Col + 1; c <= scanLast_; ++c)
            if (!keys_.contains(c) && !scanned_.contains(c)) cols.push_back({c, true, true});
        for (int r = styleFirst_; r < styleFirst_ + styleCount_; ++r) {
            bool open = false;
            for (TColumnScan& f : cols) {
                if (!f.Numbers && !f.Dates) continue;
                open = true;
                const AnsiString& t = cellText_(f.Col, r);
                if (t.IsEmpty()) continue;
                if (f.Numbers && !IsNumberText(t, seps_)) f.Numbers = false;
                if (f.Dates && !LooksLikeDate(t.str(), seps_.Date)) f.Dates = false;
            }
            if (!open) break;
        }
        Numbers = cols.front().Numbers;
        Dates = cols.front().Dates;
        for (size_t i = 1; i < cols.size(); ++i)
            scanned_[cols[i].Col] = {cols[i].Numbers, cols[i].Dates};
    }

    // Many rows of the style's block in another order (the ties of a sorted block): their
    // cells are read in the rows' own order, which is the order their cells lie in memory,
    // and every column's keys are made in one such pass when first needed; a key made row
    // by row in the sorted order would fetch each cell from a scattered place.
    void PlanVisit() {
        if (count_ < kDenseRows || count_ * 2 < styleCount_) return;
        std::vector<int> at(static_cast<size_t>(styleCount_), -1);
        for (int i = 0; i < count_; ++i) {
            const int r = rows_[i] - styleFirst_;
            if (r < 0 || r >= styleCount_ || at[r] >= 0) return; // not distinct rows of the block
            at[r] = i;
        }
        visit_.reserve(static_cast<size_t>(count_));
        for (int i : at)
            if (i >= 0) visit_.push_back(i);
        coversStyleRows_ = count_ == styleCount_;
    }
    // The key read j-th in a pass over the cells.
    int Visited(int J) const { return visit_.empty() ? J : visit_[J]; }

    static constexpr int kDenseRows = 4096;

    TKavStringGrid& g_;
    std::vector<int> rows_;
    int count_;
    int styleFirst_, styleCount_;
    const TCellTextReader& cellText_;
    const TCellCheckReader& checked_;
    bool ignoreBlanks_ = false;
    TSortBlankPosition blankPos_ = blFirst;
    bool autoFormat_ = true;
    bool full_ = true;
    bool sameRows_ = false; // the keys' rows are the style's rows, in order
    bool coversStyleRows_ = false; // ... or all of them in another order
    std::vector<int> visit_; // the keys in their rows' order, when PlanVisit chose so
    TSortSeparators seps_;
    std::map<int, TSortColumnKeys> keys_;
    int scanLast_ = -1;
    std::map<int, std::pair<bool, bool>> scanned_; // numbers, dates of columns tested ahead
};

} // namespace

// --- comparisons ---

namespace {

// Whether a cell shows a ticked check box (a data check box by its text).
bool CellChecked(TKavStringGrid& G, int C, int R) {
    TCellGraphic* g = G.GetCellGraphic(C, R);
    if (!g) return false;
    if (g->CellType == ctDataCheckBox) return G.GetCells(C, R) == G.GetCheckTrue(C, R);
    return g->CellBoolean != 0;
}

} // namespace

// The sort's readers: cell texts by reference and check-box states.
#define SORT_READERS                                                                               \
    TCellTextReader text = [this](int C, int R) -> const AnsiString& {                             \
        return CellText(TRealCol(C), R);                                                           \
    };                                                                                             \
    TCellCheckReader checked = [this](int C, int R) { return CellChecked(*this, C, R); }

int TKavStringGrid::Compare(int ACol, int ARow1, int ARow2, TSortDirection Direction) {
    // The column's style is the one a sort of the normal rows would take.
    SORT_READERS;
    const int first = GetFixedRows();
    const int count = std::max(0, GetRowCount() - fixedFooters_ - first);
    TRowSorter s(*this, {ARow1, ARow2}, first, count, text, checked);
    return s.CompareCells(s.Keys(RemapCol(ACol)), 0, 1, Direction);
}

int TKavStringGrid::CompareLine(int ACol, int ARow1, int ARow2) {
    SORT_READERS;
    const int first = GetFixedRows();
    const int count = std::max(0, GetRowCount() - fixedFooters_ - first);
    TRowSorter s(*this, {ARow1, ARow2}, first, count, text, checked);
    const int last = std::max(TotalColCount(), 1) - 1;
    return s.CompareLine(RemapCol(ACol), 0, 1, GetSortSettings()->GetDirection(), last);
}

namespace {

// The sort index keeps real columns, as SortSettings.Column does.
std::vector<std::pair<int, bool>> IndexKeys(const TSortIndexList& L) {
    std::vector<std::pair<int, bool>> keys;
    for (int i = 0; i < L.GetCount(); ++i) {
        const unsigned v = static_cast<unsigned>(L.GetItems(i));
        keys.emplace_back(static_cast<int>(v & 0x7FFFFFFFu), (v & 0x80000000u) != 0);
    }
    return keys;
}

} // namespace

int TKavStringGrid::CompareLineIndexed(int Key, int ARow1, int ARow2) {
    SORT_READERS;
    const int first = GetFixedRows();
    const int count = std::max(0, GetRowCount() - fixedFooters_ - first);
    TRowSorter s(*this, {ARow1, ARow2}, first, count, text, checked);
    auto keys = IndexKeys(*sortIndexes_);
    if (Key < 0 || Key >= static_cast<int>(keys.size())) return 0;
    keys.erase(keys.begin(), keys.begin() + Key);
    return s.CompareIndexed(keys, 0, 1);
}

// --- the sorts ---

namespace {

// A stable sort of numeric keys, least significant byte first on the keys' bits made
// unsigned and ordered (-0 taken as 0): Order[i] is the index of the key that goes to place
// i, and Keys end up in that order. Bytes that every key shares are skipped.
void RadixOrder(std::vector<double>& Keys, bool Desc, std::vector<int>& Order) {
    const size_t n = Keys.size();
    const auto bits = [Desc](double v) {
        if (v == 0) v = 0;
        const uint64_t u = std::bit_cast<uint64_t>(v);
        const uint64_t m = u >> 63 ? ~u : u | uint64_t(1) << 63;
        return Desc ? ~m : m;
    };
    std::vector<std::array<size_t, 256>> counts(8);
    for (double v : Keys) {
        const uint64_t u = bits(v);
        for (int b = 0; b < 8; ++b)
            ++counts[b][(u >> (8 * b)) & 0xFF];
    }
    Order.resize(n);
    std::iota(Order.begin(), Order.end(), 0);
    std::vector<double> keys(n);
    std::vector<int> order(n);
    for (int b = 0; b < 8; ++b) {
        std::array<size_t, 256>& c = counts[b];
        if (std::find(c.begin(), c.end(), n) != c.end()) continue;
        size_t at = 0;
        for (size_t& v : c)
            at += std::exchange(v, at);
        for (size_t i = 0; i < n; ++i) {
            const size_t p = c[(bits(Keys[i]) >> (8 * b)) & 0xFF]++;
            keys[p] = Keys[i];
            order[p] = Order[i];
        }
        Keys.swap(keys);
        Order.swap(order);
    }
}

} // namespace

void TKavStringGrid::SortRange(int First, int Last, bool Indexed, TRealCol Column) {
    const int n = Last - First + 1;
    if (n < 2) return;
    SORT_READERS;
    std::vector<int> rows(static_cast<size_t>(n));
    std::iota(rows.begin(), rows.end(), First);
    TRowSorter s(*this, rows, First, n, text, checked);
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    if (Indexed) {
        const auto keys = IndexKeys(*sortIndexes_);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return s.CompareIndexed(keys, a, b) < 0; });
    } else {
        const int col = Column.Value();
        const int last = std::max(TotalColCount(), col + 1) - 1;
        const TSortDirection d = GetSortSettings()->GetDirection();
        TSortColumnKeys& k = s.Keys(col);
        const bool full = GetSortSettings()->GetFull();
        const bool plain = !GetSortSettings()->GetIgnoreBlanks();
        const bool desc = d == sdDescending;
        s.SetScanLast(last);
        // Ties in the sorted order (SameKey of two positions): each run of equal keys sorted
        // stably on the following columns, whose keys are made for those rows only, in the
        // run's order (a column's style still decided over the whole block, when the first
        // tie is met).
        auto sortTies = [&](const auto& SameKey) {
            if (!full || col >= last) return;
            std::vector<std::pair<int, int>> runs;
            std::vector<int> tied;
            for (int p = 0; p < n;) {
                int q = p + 1;
                while (q < n && SameKey(p, q))
                    ++q;
                if (q - p > 1) {
                    runs.emplace_back(p, q);
                    for (int i = p; i < q; ++i)
                        tied.push_back(First + order[i]);
                }
                p = q;
            }
            if (runs.empty()) return;
            TRowSorter t(*this, std::move(tied), First, n, text, checked);
            t.SetScanLast(last);
            const int sign = desc ? -1 : 1;
            // Numbers in the next column are compared here; the columns after it only
            // where they tie too.
            const std::vector<double>* next = t.PlainNumbers(col + 1);
            const auto order2 = [&](int a, int b) {
                if (!next) return t.CompareLine(col + 1, a, b, d, last);
                const int c = Cmp3((*next)[a], (*next)[b]);
                return c != 0 || col + 1 >= last
                           ? c
                           : t.CompareColumns(col + 1, col + 2, a, b, d, last);
            };
            std::vector<int> ix, run;
            int base = 0; // the run's first row in t
            for (const auto& [p, q] : runs) {
                ix.resize(static_cast<size_t>(q - p));
                std::iota(ix.begin(), ix.end(), base);
                std::stable_sort(ix.begin(), ix.end(),
                                 [&](int a, int b) { return order2(a, b) * sign < 0; });
                run.assign(order.begin() + p, order.begin() + q);
                for (int m = 0; m < q - p; ++m)
                    order[p + m] = run[ix[m] - base];
                base += q - p;
            }
        };
        // The common styles sort a contiguous array of (key, row): no comparison reaches
        // back into the cells unless two keys are equal.
        if (plain && k.Style == ssNumeric) {
            std::vector<double> keys = std::move(k.Num);
            RadixOrder(keys, desc, order);
            sortTies([&](int p, int q) { return keys[q] == keys[p]; });
        } else if (plain && (k.Style == ssAlphabetic || k.Style == ssAlphaCase)) {
            // Equal prefixes settle the order by the lengths alone unless both texts go on
            // past them: the shorter text (its prefix padded with zeros) is then the longer
            // one's beginning.
            struct E {
                uint64_t prefix; // the first 8 bytes, most significant first
                uint32_t length; // the text's length, 9 for any beyond the prefix
                int row;
            };
            std::vector<E> e(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i) {
                const std::string& t = k.Text[i]->str();
                uint64_t p = 0;
                for (size_t b = 0; b < 8; ++b)
                    p = p << 8 | (b < t.size() ? static_cast<unsigned char>(t[b]) : 0u);
                e[i] = {p, static_cast<uint32_t>(std::min<size_t>(t.size(), 9)), i};
            }
            auto compare = [&](const E& a, const E& b) {
                if (a.prefix != b.prefix) return a.prefix < b.prefix ? -1 : 1;
                if (a.length < 9 || b.length < 9) return Cmp3(a.length, b.length);
                return Ordinal(k.Text[a.row]->str(), k.Text[b.row]->str());
            };
            std::stable_sort(e.begin(), e.end(), [&](const E& a, const E& b) {
                const int c = compare(a, b);
                return desc ? c > 0 : c < 0;
            });
            for (int i = 0; i < n; ++i)
                order[i] = e[i].row;
            sortTies([&](int p, int q) { return compare(e[p], e[q]) == 0; });
        } else {
            const int sign = desc ? -1 : 1;
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                return s.CompareLine(col, a, b, d, last) * sign < 0;
            });
        }
    }
    for (int& o : order)
        o += First;
    sortingColumn_ = Indexed ? GetSortSettings()->GetColumn() : Column.Value();
    ApplyRowOrder(First, order);
    sortingColumn_ = -1;
}

// Puts row Order[i] at First+i. A derived grid that moves rows its own way (SortSwapRows,
// or the cell store's exchange under it) sees the exchanges: each cycle of the permutation
// is walked once, exchanging neighbours along it (fewer exchanges than rows). Otherwise the
// rows move in one pass with everything an exchange takes along.
void TKavStringGrid::ApplyRowOrder(int First, const std::vector<int>& Order) {
    const std::vector<TMergedBlock> blocks = MergedBlocks();
    PlaceRowsInOrder(First, Order);
    Remerge(blocks);
    CellControlsUpdate();
}

void TKavStringGrid::PlaceRowsInOrder(int First, const std::vector<int>& Order) {
    const int n = static_cast<int>(Order.size());
    // Whether this object's SortSwapRows and the store's exchange and permutation under it are
    // this class's own: GCC reads the functions out of the object's virtual table; elsewhere
    // only an object of this class itself counts.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpmf-conversions"
    void (TKavStringGrid::*swap)(int, int) = &TKavStringGrid::SortSwapRows;
    void (TKavStringGrid::*exchanged)(int, int) = &TKavStringGrid::RowsExchanged;
    void (TKavStringGrid::*permuted)(int, const std::vector<int>&) = &TKavStringGrid::RowsPermuted;
    const bool own = reinterpret_cast<void*>(this->*swap) ==
                         reinterpret_cast<void*>(&TKavStringGrid::SortSwapRows) &&
                     reinterpret_cast<void*>(this->*exchanged) ==
                         reinterpret_cast<void*>(&TKavStringGrid::RowsExchanged) &&
                     reinterpret_cast<void*>(this->*permuted) ==
                         reinterpret_cast<void*>(&TKavStringGrid::RowsPermuted);
#pragma GCC diagnostic pop
#else
    const bool own = typeid(*this) == typeid(TKavStringGrid);
#endif
    if (own && !sortSettings_->GetSingleColumn() &&
        First + n <= static_cast<int>(sortXRef_.size())) {
        MoveRowsInOnePass(First, Order);
        return;
    }
    std::vector<int> next(Order);
    for (int& v : next)
        v -= First;
    for (int i = 0; i < n; ++i) {
        int j = i;
        while (next[j] != j) {
            const int k = next[j];
            next[j] = j;
            if (k == i) break;
            SortSwapRows(First + j, First + k);
            j = k;
        }
    }
}

// What SortSwapRows does exchange by exchange, for the whole permutation at once: the rows
// (texts, objects, heights), the cross-reference, the row-select flags that follow their
// rows, and the current row being followed.
void TKavStringGrid::MoveRowsInOnePass(int First, const std::vector<int>& Order) {
    const int n = static_cast<int>(Order.size());
    int moved = 0;
    while (moved < n && Order[moved] == First + moved)
        ++moved;
    if (moved == n) return;
    PermuteRows(First, Order);
    std::vector<int> old(sortXRef_.begin() + First, sortXRef_.begin() + First + n);
    for (int i = 0; i < n; ++i)
        sortXRef_[First + i] = old[Order[i] - First];
    if (HasRowPlaceState()) {
        const TGridRemap shown = TGridRemap::Permute(GetRowCount(), First, Order);
        RowsRestructured(shown, RealOfShownPermutation(shown), TRowChange::Sort);
    }
    if (sortCurrentRow_ >= First && sortCurrentRow_ < First + n)
        for (int i = 0; i < n; ++i)
            if (Order[i] == sortCurrentRow_) {
                sortCurrentRow_ = First + i;
                break;
            }
}

void TKavStringGrid::SortSwapRows(int ARow1, int ARow2) {
    const int x = static_cast<int>(sortXRef_.size());
    if (ARow1 < x && ARow2 < x) std::swap(sortXRef_[ARow1], sortXRef_[ARow2]);
    TSortSettings* s = sortSettings_.get();
    if (s->GetSingleColumn()) {
        const int c = sortingColumn_ >= 0 ? sortingColumn_ : s->GetColumn();
        const AnsiString t = GetCells(c, ARow1);
        TObject* o = GetObjects(c, ARow1);
        SetCells(c, ARow1, GetCells(c, ARow2));
        SetObjects(c, ARow1, GetObjects(c, ARow2));
        SetCells(c, ARow2, t);
        SetObjects(c, ARow2, o);
        return;
    }
    ExchangeRows(ARow1, ARow2);
    if (HasRowPlaceState()) {
        const TGridRemap shown = TGridRemap::Swap(GetRowCount(), ARow1, ARow2);
        RowsRestructured(shown, RealOfShownPermutation(shown), TRowChange::Sort);
    }
    if (sortCurrentRow_ == ARow1)
        sortCurrentRow_ = ARow2;
    else if (sortCurrentRow_ == ARow2)
        sortCurrentRow_ = ARow1;
}

void TKavStringGrid::InitSortXRef() {
    sortXRef_.resize(static_cast<size_t>(GetRowCount()));
    std::iota(sortXRef_.begin(), sortXRef_.end(), 0);
}

// What every sort of the normal rows shares: the cross-reference, column 0 kept in place
// with NormalCellsOnly, the update lock, the current row followed or kept, OnRowUpdate.
void TKavStringGrid::SortFrame(bool Indexed, bool Group, bool FireRowUpdate) {
    // With the current row following its row, an open edit is settled first (the current
    // cell's move would close the editor): it goes through validation into the undo list.
    // Otherwise the editor stays open on its row, wherever the row goes.
    if (EditorShown() && GetNavigation()->GetMoveRowOnSort()) SettleEdit();
    if (static_cast<int>(sortXRef_.size()) != GetRowCount()) InitSortXRef();
    TSortSettings* s = GetSortSettings();
    const int first = GetFixedRows();
    const int last = GetRowCount() - 1 - fixedFooters_;
    std::vector<AnsiString> col0;
    const bool keepCol0 = s->GetNormalCellsOnly() && GetFixedCols() > 0;
    if (keepCol0)
        for (int r = first; r <= last; ++r)
            col0.push_back(GetCells(0, r));
    BeginUpdate();
    const int oldRow = GetRow();
    const bool follow = GetNavigation()->GetMoveRowOnSort();
    sortCurrentRow_ = oldRow;
    if (!Group) {
        SortRange(first, last, Indexed, TRealCol(s->GetColumn()));
    } else {
        // Within the expanded nodes only the plain rows move: each run of them between node
        // and summary rows, at one node level, is sorted on its own.
        const auto level = [this](int r) {
            const TCellProperties* p = FindCellProperties(0, r);
            return p ? p->GetNodeLevel() : 0;
        };
        for (int r = first; r <= last;) {
            if (IsNode(r) || IsSummary(r) || level(r) == 0) {
                ++r;
                continue;
            }
            int e = r + 1;
            while (e <= last && !IsNode(e) && !IsSummary(e) && level(e) == level(r))
                ++e;
            if (e - r >= 2) SortRange(r, e - 1, Indexed, TRealCol(s->GetColumn()));
            r = e;
        }
    }
    const bool editing = editingInProgress_;
    editingInProgress_ = false;
    if (follow) {
        lastReportedRow_ = -1;
        SetRowEx(sortCurrentRow_);
    } else {
        SetRowEx(oldRow);
    }
    editingInProgress_ = editing;
    sortCurrentRow_ = -1;
    if (FireRowUpdate && OnRowUpdate && !follow) OnRowUpdate(this, oldRow, GetRow());
    for (int r = first, i = 0; keepCol0 && r <= last; ++r, ++i)
        SetCells(0, r, col0[i]);
    EndUpdate();
    InvalidateGrid();
}

void TKavStringGrid::QSort() {
    sortIndexes_->Clear();
    SortFrame(false, false, true);
}

void TKavStringGrid::QSortIndexed() {
    if (sortIndexes_->GetCount() == 0) throw EKavGridError("No indexes specified for indexed sort");
    SortFrame(true, false, false);
}

// Sorts the child rows of every expanded node; header and summary rows stay in place.
void TKavStringGrid::QSortGroup() {
    SortFrame(false, true, false);
}

void TKavStringGrid::QSortGroupIndexed() {
    SortFrame(true, true, false);
}

void TKavStringGrid::QuickSort(int ACol, int ARow1, int ARow2) {
    if (static_cast<int>(sortXRef_.size()) != GetRowCount()) InitSortXRef();
    BeginUpdate();
    SortRange(std::max(0, ARow1), std::min(ARow2, GetRowCount() - 1), false, RealColOf(ACol));
    EndUpdate();
}

void TKavStringGrid::QuickSortIndexed(int ARow1, int ARow2) {
    if (sortIndexes_->GetCount() == 0) throw EKavGridError("No indexes specified for indexed sort");
    if (static_cast<int>(sortXRef_.size()) != GetRowCount()) InitSortXRef();
    BeginUpdate();
    SortRange(std::max(0, ARow1), std::min(ARow2, GetRowCount() - 1), true, TRealCol(0));
    EndUpdate();
}

void TKavStringGrid::SortByColumn(int ACol) {
    if (GetRowCount() < 2) return;
    if (static_cast<int>(sortXRef_.size()) != GetRowCount()) InitSortXRef();
    // A bubble sort on one column, equal rows kept in order: the stable sort of that column.
    TSortSettings* s = GetSortSettings();
    const bool full = s->GetFull();
    s->SetFull(false);
    BeginUpdate();
    SortRange(GetFixedRows(), GetRowCount() - 1 - fixedFooters_, false, RealColOf(ACol));
    EndUpdate();
    s->SetFull(full);
}

void TKavStringGrid::QUnSort() {
    if (sortXRef_.empty()) return;
    const int n = std::min(static_cast<int>(sortXRef_.size()), GetRowCount());
    TSortSettings* s = GetSortSettings();
    std::vector<AnsiString> col0;
    const bool keepCol0 = s->GetNormalCellsOnly() && GetFixedCols() > 0;
    if (keepCol0)
        for (int r = 0; r < n; ++r)
            col0.push_back(GetCells(0, r));
    BeginUpdate();
    // The positions in the order of their unsorted places.
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return sortXRef_[a] < sortXRef_[b]; });
    ApplyRowOrder(0, order);
    for (int r = 0; keepCol0 && r < n; ++r)
        SetCells(0, r, col0[r]);
    EndUpdate();
    InvalidateGrid();
}

int TKavStringGrid::SortedRowIndex(int ARow) {
    const int r = ARow >= 0 && ARow < static_cast<int>(sortXRef_.size()) ? sortXRef_[ARow] : ARow;
    return RemapRowInv(r);
}

int TKavStringGrid::UnSortedRowIndex(int ARow) {
    if (sortXRef_.empty()) return ARow;
    const auto it = std::find(sortXRef_.begin(), sortXRef_.end(), ARow);
    return it == sortXRef_.end() ? ARow : static_cast<int>(it - sortXRef_.begin());
}

AnsiString TKavStringGrid::GetUnSortedCell(int ACol, int ARow) {
    return GetCells(ACol, UnSortedRowIndex(ARow));
}

void TKavStringGrid::SetUnSortedCell(int ACol, int ARow, const AnsiString& Value) {
    SetCells(ACol, UnSortedRowIndex(ARow), Value);
}
