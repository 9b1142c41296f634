#include "plataforma/gui/kernel/wide_case.h"

#include <QChar>

WideString WideUpperCase(const WideString& S) {
    std::u16string r = S.str();
    for (char16_t& c : r)
        if (!QChar::isSurrogate(c))
            c = static_cast<char16_t>(QChar::toUpper(static_cast<char32_t>(c)));
    return WideString(std::move(r));
}
