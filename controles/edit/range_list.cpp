#include "controles/edit/range_list.h"

#include "plataforma/base/numbers.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void* Slot(int Value) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(Value));
}

int FromSlot(void* P) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(P));
}

} // namespace

int TRangeList::GetInteger(int Index) const {
    return FromSlot(GetItems(Index));
}

void TRangeList::SetInteger(int Index, int Value) {
    const int old = GetInteger(Index);
    if (old == Value || InList(Value)) return;
    TList::SetItems(Index, Slot(Value));
    values_.erase(old);
    values_.insert(Value);
}

void TRangeList::Add(int Value) {
    if (values_.insert(Value).second) TList::Add(Slot(Value));
}

void TRangeList::AddMultiple(int Start, int Count) {
    // Counted in 64 bits, stopping at the largest integer.
    const long long end = std::min(static_cast<long long>(Start) + Count, INT_MAX + 1LL);
    for (long long v = Start; v < end; ++v)
        Add(static_cast<int>(v));
}

void TRangeList::Delete(int Index) {
    const int value = GetInteger(Index);
    TList::Delete(Index);
    values_.erase(value);
}

void TRangeList::Clear() {
    TList::Clear();
    values_.clear();
}

void TRangeList::Show() const {
    for (int i = 0; i < GetCount(); ++i)
        std::fprintf(stderr, "%d\n", GetInteger(i));
}

bool TRangeList::AddRange(const std::string& Piece) {
    const size_t dash = Piece.find('-');
    int a = 0, b = 0;
    if (!TryStrToInt(AnsiString(Piece.substr(0, dash)), a) ||
        !TryStrToInt(AnsiString(Piece.substr(dash + 1)), b))
        return false;
    if (b < a) return true;
    if (static_cast<long long>(b) - a + 1 > MaxRange) return false;
    values_.reserve(values_.size() + static_cast<size_t>(b - a) + 1);
    AddMultiple(a, b - a + 1);
    return true;
}

bool TRangeList::StrToList(const AnsiString& S) {
    Clear();
    bool ok = true;
    const std::string& s = S.str();
    for (size_t at = 0; at < s.size();) {
        const size_t sep = s.find_first_of(",;", at);
        const std::string piece = s.substr(at, sep == std::string::npos ? sep : sep - at);
        if (piece.find('-') != std::string::npos) {
            ok = AddRange(piece) && ok;
        } else {
            int v = 0;
            if (TryStrToInt(AnsiString(piece), v))
                Add(v);
            else
                ok = false;
        }
        at = sep == std::string::npos ? s.size() : sep + 1;
    }
    return ok;
}

AnsiString TRangeList::ToRangeStr() {
    std::vector<int> v(static_cast<size_t>(GetCount()));
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = GetInteger(static_cast<int>(i));
    std::sort(v.begin(), v.end());
    for (size_t i = 0; i < v.size(); ++i)
        TList::SetItems(static_cast<int>(i), Slot(v[i]));
    std::string out;
    for (size_t i = 0; i < v.size();) {
        size_t j = i;
        while (j + 1 < v.size() && static_cast<long long>(v[j + 1]) == v[j] + 1LL)
            ++j;
        if (!out.empty()) out += ',';
        out += std::to_string(v[i]);
        if (j > i) out += '-' + std::to_string(v[j]);
        i = j + 1;
    }
    return AnsiString(out);
}
