#pragma once
// TRangeList: a set of integers kept in list order (no value twice) and read from or written
// as range text such as "1-5,7" (the typed edit's etRange values). A set beside the list
// keeps the test for duplicates fast.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/list.h"

#include <unordered_set>

class TRangeList : public TList {
public:
    // The widest range that StrToList takes: a range of more numbers is refused (the text
    // then reads as False) and adds nothing.
    static constexpr long long MaxRange = 1000000;

    int GetInteger(int Index) const;
    // A value already elsewhere in the list is not set.
    void SetInteger(int Index, int Value);
    // Appended only when not yet present.
    void Add(int Value);
    // Start, Start + 1, ... Count values; nothing for Count < 1.
    void AddMultiple(int Start, int Count);
    void Delete(int Index);
    void Clear() override;
    bool InList(int Value) const { return values_.count(Value) != 0; }
    // Each value in order to the debugging output.
    void Show() const;
    // Clears the list and reads pieces separated by "," or ";": a number, or a range a-b
    // (a to b added; b < a adds nothing). False when a piece is no number or a range is wider
    // than MaxRange; the valid pieces are added all the same.
    bool StrToList(const AnsiString& S);
    // Sorts the list and writes it with runs of consecutive values as "first-last", joined
    // by ","; an empty list gives an empty text.
    AnsiString ToRangeStr();

private:
    // Membership changes go through the members above, which keep the set.
    using TList::Extract;
    using TList::Insert;
    using TList::Pack;
    using TList::Remove;
    using TList::SetCount;
    using TList::SetItems;
    bool AddRange(const std::string& Piece);

    std::unordered_set<int> values_;
};
