#pragma once
// The system's locale-aware comparison of text: CompareStringW on UTF-16 text, CompareStringA
// on Windows-1252 text, in the order of a locale (in Spanish, accents count only where the
// letters are equal, and "ñ" is a letter after "n"), and the sort key that orders as they
// compare (LCMapStringW with LCMAP_SORTKEY). Locales are the system's numeric identifiers
// (0x0C0A Spanish of Spain, 0x0409 English of the United States...). The user's default
// locale comes from the environment (LC_ALL, LC_COLLATE, LANG) once; without one, or with
// the plain "C" locale, it is Spanish, the programs' language. Tests set it.

#include <cstdint>
#include <string>
#include <string_view>

using LCID = std::uint32_t;

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

// Comparison flags.
constexpr std::uint32_t NORM_IGNORECASE = 0x00000001;
constexpr std::uint32_t NORM_IGNORENONSPACE = 0x00000002;
constexpr std::uint32_t NORM_IGNORESYMBOLS = 0x00000004;
// Mapping flag of LCMapStringW.
constexpr std::uint32_t LCMAP_SORTKEY = 0x00000400;

// Results of CompareStringW / CompareStringA; 0 is a failure.
constexpr int CSTR_LESS_THAN = 1;
constexpr int CSTR_EQUAL = 2;
constexpr int CSTR_GREATER_THAN = 3;

LCID GetUserDefaultLCID();
void SetUserDefaultLCID(LCID Locale);

// A count below zero takes the text up to its terminating zero. LOCALE_USER_DEFAULT,
// LOCALE_SYSTEM_DEFAULT, 0 and a number that names no locale compare in the user's default
// locale. A null text or a flag other than the three above fails (0).
int CompareStringW(LCID Locale, std::uint32_t dwCmpFlags, const char16_t* lpString1, int cchCount1,
                   const char16_t* lpString2, int cchCount2);
int CompareStringA(LCID Locale, std::uint32_t dwCmpFlags, const char* lpString1, int cchCount1,
                   const char* lpString2, int cchCount2);

// With LCMAP_SORTKEY (and the comparison flags): the bytes of the text's sort key, ending
// with a zero byte, into lpDestStr taken as a byte buffer of cchDest bytes. Returns the
// number of bytes (cchDest 0: the number needed, nothing written); 0 when they do not fit
// or on a failure as above. Keys compared byte by byte order as CompareStringW compares.
int LCMapStringW(LCID Locale, std::uint32_t dwMapFlags, const char16_t* lpSrcStr, int cchSrc,
                 char16_t* lpDestStr, int cchDest);

// The same sort key as a string of bytes (without its ending zero), for keys kept in
// containers; empty on a failure.
std::string SortKeyW(LCID Locale, std::uint32_t dwCmpFlags, std::u16string_view S);
