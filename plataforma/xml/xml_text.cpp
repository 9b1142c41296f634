#include "plataforma/xml/xml_text.h"

#include "plataforma/base/cp1252.h"

#include <algorithm>
#include <array>

namespace xml_text {
namespace {

bool PermitidoEnXml(unsigned char c) {
    return c >= 0x20 || c == '\t' || c == '\n' || c == '\r';
}

std::string Minusculas(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

bool EsBlanco(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::string ToXml(const AnsiString& text) {
    std::string convertido;
    return std::string(ToXml(text, convertido));
}

std::string_view ToXml(const AnsiString& text, std::string& scratch) {
    const std::string& s = text.str();
    if (std::all_of(s.begin(), s.end(), [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return u < 0x80 && PermitidoEnXml(u);
        }))
        return s;
    scratch.clear();
    scratch.reserve(s.size() + s.size() / 2);
    for (char c : s)
        if (PermitidoEnXml(static_cast<unsigned char>(c)))
            cp1252::AppendUtf8(scratch, cp1252::ToUnicode(static_cast<unsigned char>(c)));
    return scratch;
}

AnsiString FromXml(const char* utf8) {
    return utf8 ? AnsiString(cp1252::FromUtf8(utf8)) : AnsiString();
}

bool DeclaresWindows1252(std::string_view bytes) {
    if (bytes.substr(0, 5) != "<?xml" || bytes.size() < 6 || !EsBlanco(bytes[5])) return false;
    size_t fin = bytes.find("?>");
    if (fin == std::string_view::npos) return false;
    std::string_view decl = bytes.substr(0, fin);
    size_t p = decl.find("encoding");
    if (p == std::string_view::npos) return false;
    p += 8;
    while (p < decl.size() && EsBlanco(decl[p]))
        ++p;
    if (p >= decl.size() || decl[p] != '=') return false;
    ++p;
    while (p < decl.size() && EsBlanco(decl[p]))
        ++p;
    if (p >= decl.size() || (decl[p] != '"' && decl[p] != '\'')) return false;
    size_t cierre = decl.find(decl[p], p + 1);
    if (cierre == std::string_view::npos) return false;
    static constexpr std::array<std::string_view, 9> kNombres = {
        "iso-8859-1", "iso8859-1", "iso_8859-1",   "latin1", "latin-1",
        "l1",         "cp819",     "windows-1252", "cp1252"};
    std::string nombre = Minusculas(decl.substr(p + 1, cierre - p - 1));
    return std::find(kNombres.begin(), kNombres.end(), nombre) != kNombres.end();
}

} // namespace xml_text
