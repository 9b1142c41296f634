#include "plataforma/office/cell_reference.h"

namespace cell_reference {

std::string ColumnLetters(int Col) {
    std::string out;
    for (int n = Col; n > 0; n = (n - 1) / 26)
        out.insert(out.begin(), static_cast<char>('A' + (n - 1) % 26));
    return out;
}

namespace {

// Letters from Pos; Col 0 when there are none.
bool Letters(std::string_view Ref, size_t& Pos, int& Col) {
    Col = 0;
    if (Pos < Ref.size() && Ref[Pos] == '$') ++Pos;
    const size_t start = Pos;
    for (; Pos < Ref.size(); ++Pos) {
        char c = Ref[Pos];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') break;
        Col = Col * 26 + (c - 'A' + 1);
        if (Col > kMaxCol) return false;
    }
    return Pos > start;
}

} // namespace

bool ParseColumn(std::string_view Text, int& Col) {
    size_t pos = 0;
    return Letters(Text, pos, Col) && pos == Text.size();
}

bool Parse(std::string_view Ref, int& Col, int& Row) {
    size_t pos = 0;
    if (!Letters(Ref, pos, Col)) return false;
    if (pos < Ref.size() && Ref[pos] == '$') ++pos;
    if (pos >= Ref.size()) return false;
    Row = 0;
    for (; pos < Ref.size(); ++pos) {
        const char c = Ref[pos];
        if (c < '0' || c > '9') return false;
        Row = Row * 10 + (c - '0');
        if (Row > kMaxRow) return false;
    }
    return Row >= 1;
}

} // namespace cell_reference
