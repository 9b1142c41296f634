#include "controles/grid/clipboard/clip_text.h"

#include "plataforma/base/cp1252.h"

namespace clip_text {

template <class Ch>
void AppendField(std::basic_string<Ch>& Out, const std::basic_string<Ch>& Cell, bool Quote) {
    if (!Quote)
        for (Ch c : Cell)
            if (c == Ch('\t') || c == Ch('"') || c == Ch('\r') || c == Ch('\n')) {
                Quote = true;
                break;
            }
    if (!Quote) {
        Out += Cell;
        return;
    }
    Out += Ch('"');
    for (Ch c : Cell) {
        if (c == Ch('"')) Out += Ch('"');
        Out += c;
    }
    Out += Ch('"');
}

template <class Ch> bool Reader<Ch>::ReadQuoted(std::basic_string<Ch>& Field) {
    const Ch* q = p_ + 1;
    std::basic_string<Ch> value;
    while (q < end_) {
        if (*q != Ch('"')) {
            value += *q++;
            continue;
        }
        if (q + 1 < end_ && q[1] == Ch('"')) {
            value += Ch('"');
            q += 2;
            continue;
        }
        // The closing quote: a field only when a TAB, a line end or the end follows.
        ++q;
        if (q < end_ && *q != Ch('\t') && *q != Ch('\r')) return false;
        Field = std::move(value);
        p_ = q;
        return true;
    }
    return false;
}

template <class Ch> typename Reader<Ch>::Stop Reader<Ch>::Next(std::basic_string<Ch>& Field) {
    Field.clear();
    quoted_ = p_ < end_ && *p_ == Ch('"') && ReadQuoted(Field);
    if (!quoted_) {
        const Ch* q = p_;
        while (q < end_ && *q != Ch('\t') && *q != Ch('\r'))
            ++q;
        Field.assign(p_, q);
        p_ = q;
    }
    if (p_ == end_) {
        done_ = true;
        return End;
    }
    if (*p_ == Ch('\t')) {
        ++p_;
        return Tab;
    }
    ++p_;
    if (p_ < end_ && *p_ == Ch('\n')) ++p_;
    return LineEnd;
}

bool FitsCodePage(std::u16string_view Text) {
    for (char16_t c : Text)
        if (c >= 0x80 && cp1252::FromUnicode(c) < 0) return false;
    return true;
}

template void AppendField(std::string&, const std::string&, bool);
template void AppendField(std::u16string&, const std::u16string&, bool);
template class Reader<char>;
template class Reader<char16_t>;

} // namespace clip_text
