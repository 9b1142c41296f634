// TKavStringGrid: sorting rows. Every sort computes the keys of the cells it compares once
// (a column's keys are made when the column is first needed), sorts a permutation of the
// rows stably, and then moves each row once through SortSwapRows (at most one exchange per
// row). The cross-reference keeps, for each position, the row's place before the first sort,
// so that QUnSort goes back to it.
#include "controles/grid/kav_grid.h"

#include "controles/comun/text_utils.h"
#include "controles/grid/markup_helpers.h"
#include "plataforma/base/regional.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <numeric>

namespace {

int Sign(int V) {
    return V < 0 ? -1 : V > 0 ? 1 : 0;
}

template <class T> int Cmp3(const T& A, const T& B) {
    return A < B ? -1 : B < A ? 1 : 0;
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

// A number in a cell by the numeric styles: prefix and suffix out, thousand separators out
// for the financial style, the decimal separator made "."; a text that is no number is 0.
double NumberKey(const AnsiString& Text, const AnsiString& Prefix, const AnsiString& Suffix,
                 bool Financial) {
    double v = 0;
    const char dec = GetDecimalSeparator();
    // Most cells need no cleaning: read them where they are.
    if (Prefix.IsEmpty() && Suffix.IsEmpty() && !Financial &&
        (dec == '.' || Text.str().find(dec) == std::string::npos))
        return ValDouble(Text.str(), v) ? v : 0.0;
    std::string s = Text.str();
    if (!Prefix.IsEmpty())
        if (size_t p = s.find(Prefix.str()); p != std::string::npos)
            s.erase(p, Prefix.str().size());
    if (!Suffix.IsEmpty())
        if (size_t p = s.find(Suffix.str()); p != std::string::npos)
            s.erase(p, Suffix.str().size());
    if (Financial) std::erase(s, GetThousandSeparator());
    if (dec != '.')
        if (size_t p = s.find(dec); p != std::string::npos) s[p] = '.';
    return ValDouble(s, v) ? v : 0.0;
}

// The date test of the automatic style: the date separator at the 2nd or 3rd character, not
// last, with a digit on each side.
bool LooksLikeDate(const std::string& S) {
    const char sep = GetDateSeparator();
    for (size_t p : {size_t(1), size_t(2)}) {
        if (p + 1 >= S.size() || S[p] != sep) continue;
        if (std::isdigit(static_cast<unsigned char>(S[p - 1])) &&
            std::isdigit(static_cast<unsigned char>(S[p + 1])))
            return true;
    }
    return false;
}

// A date with an optional time ("d/m/yyyy hh:mm[:ss]", day first as the regional setting
// writes it); 0 for an empty text or one that is no date.
double DateKey(const AnsiString& Text, TSortStyle Style) {
    if (Text.IsEmpty()) return 0;
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

bool IsNumberText(const AnsiString& S) {
    const TAutoType t = IsType(S);
    return t == atNumeric || t == atFloat;
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
    }

    // A column's keys; a column only needed to settle ties makes each row's key when it is
    // first compared.
    TSortColumnKeys& Keys(int Col, bool Lazy = false) {
        TSortColumnKeys& k = keys_[Col];
        if (!k.Ready) Build(k, Col, Lazy);
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
        switch (K.Style) {
        case ssNumeric:
        case ssFinancial:
        case ssDate:
        case ssShortDateEU:
        case ssShortDateUS:
        case ssImages:
        case ssCheckBox:
            return Cmp3(K.Num[I], K.Num[J]);
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
        case ssUnicode: {
            const int c = Sign(AnsiCompareText(AnsiString(K.Owned[I]), AnsiString(K.Owned[J])));
            return c;
        }
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
        for (int c = Col; c <= LastCol; ++c) {
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

    int Count() const { return count_; }

private:
    void Build(TSortColumnKeys& K, int Col, bool Lazy) {
        K.Col = Col;
        TSortStyle style = autoFormat_ ? ssAutomatic : ssAlphabetic;
        g_.GetColFormat(Col, style, K.Prefix, K.Suffix);
        const size_t n = static_cast<size_t>(count_);
        K.Text.assign(n, nullptr);
        K.Blank.assign(n, 0);
        if (!Lazy)
            for (int i = 0; i < count_; ++i) {
                K.Text[i] = &cellText_(Col, rows_[i]);
                K.Blank[i] = K.Text[i]->IsEmpty();
            }
        if (style == ssAutomatic) style = ResolveAutomatic(K, Col);
        K.Style = style;
        switch (style) {
        case ssNumeric:
        case ssFinancial:
        case ssDate:
        case ssShortDateEU:
        case ssShortDateUS:
        case ssImages:
        case ssCheckBox:
            K.Num.resize(n);
            break;
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
        else
            for (int i = 0; i < count_; ++i)
                MakeKey(K, i);
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
            K.Num[I] = NumberKey(t, K.Prefix, K.Suffix, K.Style == ssFinancial);
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
            K.Owned[I] = AnsiString(DecodeWideStr(t)).str();
            break;
        case ssAlphaNumeric:
        case ssAlphaNumericNoCase:
            K.IsNum[I] = IsNumberText(t);
            if (K.IsNum[I]) K.Num[I] = NumberKey(t, AnsiString(), AnsiString(), false);
            if (K.Style == ssAlphaNumericNoCase) K.Owned[I] = UpperCase(t).str();
            break;
        default:
            break;
        }
        if (K.Lazy) K.Made[I] = 1;
    }

    // One style for the whole column: a check box in the first row, numbers in every
    // non-empty cell, dates in every non-empty cell, or text.
    TSortStyle ResolveAutomatic(const TSortColumnKeys& K, int Col) {
        if (styleCount_ > 0) {
            const TCellType t = g_.GetCellType(Col, styleFirst_);
            if (t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox)
                return ssCheckBox;
        }
        // A sort's keys are the style's rows: their texts are at hand.
        const bool same = count_ == styleCount_ && count_ > 0 && rows_.front() == styleFirst_ &&
                          K.Text.front() != nullptr;
        bool numbers = true, dates = true;
        for (int r = styleFirst_; r < styleFirst_ + styleCount_ && (numbers || dates); ++r) {
            const AnsiString& t = same ? *K.Text[r - styleFirst_] : cellText_(Col, r);
            if (t.IsEmpty()) continue;
            if (numbers && !IsNumberText(t)) numbers = false;
            if (dates && !LooksLikeDate(t.str())) dates = false;
        }
        if (numbers) return ssNumeric;
        if (dates) return ssDate;
        return ssAlphabetic;
    }

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
    std::map<int, TSortColumnKeys> keys_;
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
    TCellTextReader text = [this](int C, int R) -> const AnsiString& { return CellText(C, R); };   \
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

std::vector<std::pair<int, bool>> IndexKeys(const TSortIndexList& L, TKavStringGrid& G) {
    std::vector<std::pair<int, bool>> keys;
    for (int i = 0; i < L.GetCount(); ++i) {
        const unsigned v = static_cast<unsigned>(L.GetItems(i));
        keys.emplace_back(G.RemapCol(static_cast<int>(v & 0x7FFFFFFFu)), (v & 0x80000000u) != 0);
    }
    return keys;
}

} // namespace

int TKavStringGrid::CompareLineIndexed(int Key, int ARow1, int ARow2) {
    SORT_READERS;
    const int first = GetFixedRows();
    const int count = std::max(0, GetRowCount() - fixedFooters_ - first);
    TRowSorter s(*this, {ARow1, ARow2}, first, count, text, checked);
    auto keys = IndexKeys(*sortIndexes_, *this);
    if (Key < 0 || Key >= static_cast<int>(keys.size())) return 0;
    keys.erase(keys.begin(), keys.begin() + Key);
    return s.CompareIndexed(keys, 0, 1);
}

// --- the sorts ---

void TKavStringGrid::SortRange(int First, int Last, bool Indexed, int Column) {
    const int n = Last - First + 1;
    if (n < 2) return;
    SORT_READERS;
    std::vector<int> rows(static_cast<size_t>(n));
    std::iota(rows.begin(), rows.end(), First);
    TRowSorter s(*this, rows, First, n, text, checked);
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    if (Indexed) {
        const auto keys = IndexKeys(*sortIndexes_, *this);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return s.CompareIndexed(keys, a, b) < 0; });
    } else {
        const int col = RemapCol(Column);
        const int last = std::max(TotalColCount(), col + 1) - 1;
        const TSortDirection d = GetSortSettings()->GetDirection();
        TSortColumnKeys& k = s.Keys(col);
        const bool full = GetSortSettings()->GetFull();
        const bool plain = !GetSortSettings()->GetIgnoreBlanks();
        const bool desc = d == sdDescending;
        // Ties go on to the following columns.
        auto rest = [&](int a, int b) {
            return full && col < last &&
                   s.CompareLine(col + 1, a, b, d, last) * (desc ? -1 : 1) < 0;
        };
        // The common styles sort a contiguous array of (key, row): no comparison reaches
        // back into the cells unless two keys are equal.
        if (plain && k.Style == ssNumeric) {
            struct E {
                double key;
                int row;
            };
            std::vector<E> e(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i)
                e[i] = {k.Num[i], i};
            std::stable_sort(e.begin(), e.end(), [&](const E& a, const E& b) {
                if (a.key != b.key) return desc ? a.key > b.key : a.key < b.key;
                return rest(a.row, b.row);
            });
            for (int i = 0; i < n; ++i)
                order[i] = e[i].row;
        } else if (plain && (k.Style == ssAlphabetic || k.Style == ssAlphaCase)) {
            struct E {
                uint64_t prefix; // the first 8 bytes, most significant first
                int row;
            };
            std::vector<E> e(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i) {
                const std::string& t = k.Text[i]->str();
                uint64_t p = 0;
                for (size_t b = 0; b < 8; ++b)
                    p = p << 8 | (b < t.size() ? static_cast<unsigned char>(t[b]) : 0u);
                e[i] = {p, i};
            }
            std::stable_sort(e.begin(), e.end(), [&](const E& a, const E& b) {
                if (a.prefix != b.prefix) return desc ? a.prefix > b.prefix : a.prefix < b.prefix;
                const int c = Ordinal(k.Text[a.row]->str(), k.Text[b.row]->str());
                if (c != 0) return desc ? c > 0 : c < 0;
                return rest(a.row, b.row);
            });
            for (int i = 0; i < n; ++i)
                order[i] = e[i].row;
        } else {
            const int sign = desc ? -1 : 1;
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                return s.CompareLine(col, a, b, d, last) * sign < 0;
            });
        }
    }
    for (int& o : order)
        o += First;
    sortingColumn_ = Indexed ? GetSortSettings()->GetColumn() : Column;
    ApplyRowOrder(First, order);
    sortingColumn_ = -1;
}

// Puts row Order[i] at First+i through SortSwapRows: each cycle of the permutation is
// walked once, exchanging neighbours along it (fewer exchanges than rows).
void TKavStringGrid::ApplyRowOrder(int First, const std::vector<int>& Order) {
    const int n = static_cast<int>(Order.size());
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

void TKavStringGrid::SortSwapRows(int ARow1, int ARow2) {
    const int x = static_cast<int>(sortXRef_.size());
    if (ARow1 < x && ARow2 < x) std::swap(sortXRef_[ARow1], sortXRef_[ARow2]);
    TSortSettings* s = sortSettings_.get();
    if (s->GetSingleColumn()) {
        const int c = RemapCol(sortingColumn_ >= 0 ? sortingColumn_ : s->GetColumn());
        const AnsiString t = GetCells(c, ARow1);
        TObject* o = GetObjects(c, ARow1);
        SetCells(c, ARow1, GetCells(c, ARow2));
        SetObjects(c, ARow1, GetObjects(c, ARow2));
        SetCells(c, ARow2, t);
        SetObjects(c, ARow2, o);
        return;
    }
    ExchangeRows(ARow1, ARow2);
    if (mouseActions_->GetDisjunctRowSelect() && navigation_->GetMoveRowOnSort()) {
        const bool persistent = GetMouseActions()->GetRowSelectPersistent();
        const int a = persistent ? RemapRowInv(ARow1) : ARow1;
        const int b = persistent ? RemapRowInv(ARow2) : ARow2;
        const int hi = std::max(a, b);
        if (static_cast<int>(rowSelect_.size()) <= hi) rowSelect_.resize(hi + 1, 0);
        std::swap(rowSelect_[a], rowSelect_[b]);
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
    // Node rows come with the node operations; until then no row heads a group.
    if (!Group) SortRange(first, last, Indexed, s->GetColumn());
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

void TKavStringGrid::QSortGroup() {
    SortFrame(false, true, false);
}

void TKavStringGrid::QSortGroupIndexed() {
    SortFrame(true, true, false);
}

void TKavStringGrid::QuickSort(int ACol, int ARow1, int ARow2) {
    if (static_cast<int>(sortXRef_.size()) != GetRowCount()) InitSortXRef();
    BeginUpdate();
    SortRange(std::max(0, ARow1), std::min(ARow2, GetRowCount() - 1), false, ACol);
    EndUpdate();
}

void TKavStringGrid::QuickSortIndexed(int ARow1, int ARow2) {
    if (sortIndexes_->GetCount() == 0) throw EKavGridError("No indexes specified for indexed sort");
    if (static_cast<int>(sortXRef_.size()) != GetRowCount()) InitSortXRef();
    BeginUpdate();
    SortRange(std::max(0, ARow1), std::min(ARow2, GetRowCount() - 1), true, 0);
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
    SortRange(GetFixedRows(), GetRowCount() - 1 - fixedFooters_, false, ACol);
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
