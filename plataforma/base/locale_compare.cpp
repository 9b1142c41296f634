// The locale-aware comparison on ICU's collators: one collator per locale and set of flags,
// made on first use and kept (a collator compares from several threads at once).

#include "plataforma/base/locale_compare.h"

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/wide_string.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace {

// Spanish of Spain, modern order.
constexpr LCID kSpanish = 0x0C0A;
constexpr std::uint32_t kFlags = NORM_IGNORECASE | NORM_IGNORENONSPACE | NORM_IGNORESYMBOLS;

LCID FromEnvironment() {
    const char* name = nullptr;
    for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* v = std::getenv(variable);
        if (v && *v) {
            name = v;
            break;
        }
    }
    if (!name) return kSpanish;
    // "es_ES.UTF-8@euro" -> "es_ES"
    std::string locale(name);
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (locale.empty() || locale == "C" || locale == "POSIX") return kSpanish;
    const LCID id = uloc_getLCID(locale.c_str());
    return id ? id : kSpanish;
}

std::atomic<LCID>& UserDefault() {
    static std::atomic<LCID> locale{FromEnvironment()};
    return locale;
}

// The ICU name of a locale number; empty when none.
std::string LocaleName(LCID Locale) {
    char name[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = uloc_getLocaleForLCID(Locale, name, sizeof name, &status);
    if (U_FAILURE(status) || n <= 0) return std::string();
    return std::string(name, static_cast<size_t>(n));
}

struct CloseCollator {
    void operator()(UCollator* c) const { ucol_close(c); }
};

// The collator of a locale and flags, or nullptr when ICU has none.
const UCollator* Collator(LCID Locale, std::uint32_t Flags) {
    static std::mutex guard;
    static std::map<std::pair<LCID, std::uint32_t>, std::unique_ptr<UCollator, CloseCollator>>
        collators;
    if (Locale == 0 || Locale == LOCALE_USER_DEFAULT || Locale == LOCALE_SYSTEM_DEFAULT)
        Locale = GetUserDefaultLCID();
    const std::lock_guard<std::mutex> lock(guard);
    auto& slot = collators[{Locale, Flags}];
    if (!slot) {
        // A number that names no locale takes the order of the user's default one (as it is
        // when first used).
        std::string name = LocaleName(Locale);
        if (name.empty()) name = LocaleName(GetUserDefaultLCID());
        UErrorCode status = U_ZERO_ERROR;
        UCollator* c = ucol_open(name.c_str(), &status);
        if (U_FAILURE(status)) {
            ucol_close(c);
            return nullptr;
        }
        // Case is the third level, accents the second: ignoring case keeps the accents;
        // ignoring accents (and not case) keeps case as a level of its own.
        if (Flags & NORM_IGNORENONSPACE) {
            ucol_setStrength(c, UCOL_PRIMARY);
            if (!(Flags & NORM_IGNORECASE)) ucol_setAttribute(c, UCOL_CASE_LEVEL, UCOL_ON, &status);
        } else if (Flags & NORM_IGNORECASE) {
            ucol_setStrength(c, UCOL_SECONDARY);
        } else {
            ucol_setStrength(c, UCOL_TERTIARY);
        }
        if (Flags & NORM_IGNORESYMBOLS)
            ucol_setAttribute(c, UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, &status);
        if (U_FAILURE(status)) {
            ucol_close(c);
            return nullptr;
        }
        slot.reset(c);
    }
    return slot.get();
}

int32_t Length(const char16_t* S, int Count) {
    if (Count >= 0) return Count;
    int32_t n = 0;
    while (S[n])
        ++n;
    return n;
}

} // namespace

LCID GetUserDefaultLCID() {
    return UserDefault().load();
}

void SetUserDefaultLCID(LCID Locale) {
    UserDefault().store(Locale);
}

int CompareStringW(LCID Locale, std::uint32_t dwCmpFlags, const char16_t* lpString1, int cchCount1,
                   const char16_t* lpString2, int cchCount2) {
    if (!lpString1 || !lpString2 || (dwCmpFlags & ~kFlags)) return 0;
    const UCollator* c = Collator(Locale, dwCmpFlags);
    if (!c) return 0;
    switch (ucol_strcoll(c, reinterpret_cast<const UChar*>(lpString1), Length(lpString1, cchCount1),
                         reinterpret_cast<const UChar*>(lpString2), Length(lpString2, cchCount2))) {
    case UCOL_LESS:
        return CSTR_LESS_THAN;
    case UCOL_EQUAL:
        return CSTR_EQUAL;
    default:
        return CSTR_GREATER_THAN;
    }
}

int CompareStringA(LCID Locale, std::uint32_t dwCmpFlags, const char* lpString1, int cchCount1,
                   const char* lpString2, int cchCount2) {
    if (!lpString1 || !lpString2) return 0;
    const auto Wide = [](const char* S, int Count) {
        const size_t n = Count >= 0 ? static_cast<size_t>(Count) : std::strlen(S);
        return WideString(AnsiString(std::string(S, n)));
    };
    const WideString a = Wide(lpString1, cchCount1), b = Wide(lpString2, cchCount2);
    return CompareStringW(Locale, dwCmpFlags, a.c_bstr(), a.Length(), b.c_bstr(), b.Length());
}

std::string SortKeyW(LCID Locale, std::uint32_t dwCmpFlags, std::u16string_view S) {
    if (dwCmpFlags & ~kFlags) return std::string();
    const UCollator* c = Collator(Locale, dwCmpFlags);
    if (!c) return std::string();
    const auto* text = reinterpret_cast<const UChar*>(S.data());
    const auto n = static_cast<int32_t>(S.size());
    std::string key(64, '\0');
    int32_t need = ucol_getSortKey(c, text, n, reinterpret_cast<uint8_t*>(key.data()),
                                   static_cast<int32_t>(key.size()));
    if (need > static_cast<int32_t>(key.size())) {
        key.assign(static_cast<size_t>(need), '\0');
        need = ucol_getSortKey(c, text, n, reinterpret_cast<uint8_t*>(key.data()), need);
    }
    // Without the ending zero.
    key.resize(need > 0 ? static_cast<size_t>(need - 1) : 0);
    return key;
}

int LCMapStringW(LCID Locale, std::uint32_t dwMapFlags, const char16_t* lpSrcStr, int cchSrc,
                 char16_t* lpDestStr, int cchDest) {
    if (!lpSrcStr || !(dwMapFlags & LCMAP_SORTKEY) || cchDest < 0) return 0;
    const std::uint32_t flags = dwMapFlags & ~LCMAP_SORTKEY;
    if (flags & ~kFlags) return 0;
    const std::string key =
        SortKeyW(Locale, flags,
                 std::u16string_view(lpSrcStr, static_cast<size_t>(Length(lpSrcStr, cchSrc))));
    const int need = static_cast<int>(key.size()) + 1;
    if (cchDest == 0) return need;
    if (!lpDestStr || cchDest < need) return 0;
    auto* out = reinterpret_cast<unsigned char*>(lpDestStr);
    std::memcpy(out, key.data(), key.size());
    out[key.size()] = 0;
    return need;
}
