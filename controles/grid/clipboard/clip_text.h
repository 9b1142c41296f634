#pragma once
// The grid's clipboard text: cells joined by TAB, rows by CR LF. A cell holding a TAB, a
// double quote, a CR or an LF travels as a quoted field with its quotes doubled, as CSV
// does, so that reading gives back exactly the cell it was written from; spreadsheets read
// and write the same form. Written and read in 8-bit text and in UTF-16 alike.

#include "plataforma/base/ansi_string.h"

#include <string>
#include <string_view>

namespace clip_text {

// The field of one cell: quoted when it must be, or always with Quote.
template <class Ch>
void AppendField(std::basic_string<Ch>& Out, const std::basic_string<Ch>& Cell, bool Quote = false);

// The fields of a text one by one. A line ends at a CR (an LF right after it belongs to the
// line end); the text after the last CR, empty or not, is the last line. A field that starts
// with a double quote and closes with one right before a TAB, a line end or the end of the
// text is read without its quotes, its doubled quotes as one; any other field is read as it
// stands, up to the next TAB or CR.
template <class Ch> class Reader {
public:
    enum Stop { Tab, LineEnd, End };
    Reader(const Ch* Begin, const Ch* End) : begin_(Begin), p_(Begin), end_(End) {}
    bool AtEnd() const { return done_; }
    // Whether the last field read was quoted.
    bool Quoted() const { return quoted_; }
    // The next field into Field and what follows it; only while !AtEnd().
    Stop Next(std::basic_string<Ch>& Field);
    void Rewind() {
        p_ = begin_;
        done_ = false;
    }

private:
    bool ReadQuoted(std::basic_string<Ch>& Field);
    const Ch* begin_;
    const Ch* p_;
    const Ch* end_;
    bool done_ = false;
    bool quoted_ = false;
};

// A block's text as it leaves the grid: the 8-bit text, and once a cell is wide (HasWide)
// the Unicode text of the whole block beside it.
struct BlockText {
    std::string Text;
    std::u16string Wide;
    bool HasWide = false;
};

// Whether every character of a UTF-16 text has its Windows-1252 byte.
bool FitsCodePage(std::u16string_view Text);

} // namespace clip_text
