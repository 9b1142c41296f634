#pragma once
// Spreadsheet cell references: column letters in bijective base 26 (1 is "A", 26 "Z", 27
// "AA", 703 "AAA") and references such as "B7" or "$AB$40".

#include <string>
#include <string_view>

namespace cell_reference {

// The largest column and row a sheet may have.
constexpr int kMaxCol = 16384;
constexpr int kMaxRow = 1048576;

// The letters of column Col (1-based, 1 .. kMaxCol).
std::string ColumnLetters(int Col);
// Col and Row (1-based) of a reference; false for anything but letters then digits (the
// "$" signs left out) within the sheet's bounds.
bool Parse(std::string_view Ref, int& Col, int& Row);
// The letters of a reference only ("C" of "C5"); false as Parse.
bool ParseColumn(std::string_view Letters, int& Col);

} // namespace cell_reference
