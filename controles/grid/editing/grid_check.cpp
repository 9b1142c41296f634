#include "controles/grid/editing/grid_check.h"

#include "controles/grid/markup/markup_helpers.h"

AnsiString TKavStringGridCheck::MarkError(int, int, const AnsiString& Value) {
    return Value;
}

AnsiString TKavStringGridCheck::Correct(int, int, const AnsiString& Value) {
    return Value;
}

AnsiString TKavStringGridCheck::ReplaceOnce(const AnsiString& S, const AnsiString& Old,
                                            const AnsiString& New) {
    std::string s = S.str();
    if (Old.IsEmpty()) return S;
    const size_t at = s.find(Old.str());
    if (at != std::string::npos) s.replace(at, Old.str().size(), New.str());
    return AnsiString(s);
}

AnsiString TKavStringGridCheck::HiLight(const AnsiString& S, const AnsiString& Search,
                                        const AnsiString& Tag, bool DoCase) {
    return ::HiLight(S, Search, Tag, DoCase);
}

AnsiString TCapitalCheck::Correct(int, int, const AnsiString& Value) {
    std::string s = Value.str();
    char before = '.', last = ' ';
    for (char& ch : s) {
        const char original = ch;
        if (last == ' ' && (before == '.' || before == '!' || before == '?'))
            ch = AnsiString(std::string(1, ch)).UpperCase().str()[0];
        before = last;
        last = original;
    }
    return AnsiString(s);
}
