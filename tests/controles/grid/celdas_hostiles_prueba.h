#pragma once
// Cells that the grid's text files must carry: every control byte and every byte 0x80-0x9F
// in 8-bit cells, quotes, delimiters and each kind of line end, and wide cells whose UTF-16
// bytes are control bytes, delimiters or line ends (U+0408, U+010D, U+040B, U+010A), beside
// U+03A9, a character outside the first plane and the neighbours of the surrogates.

#include "controles/grid/kav_grid.h"

#include <string>
#include <vector>

struct CeldaHostil {
    std::u16string texto; // the cell's characters
    bool ancha;           // kept as a wide cell
};

// With Controles false, the 8-bit control bytes other than TAB, LF and CR are left out.
inline std::vector<CeldaHostil> CeldasHostiles(bool Controles = true) {
    std::vector<CeldaHostil> v;
    for (int b = 0x01; b <= 0x1F; ++b)
        if (Controles || b == '\t' || b == '\n' || b == '\r')
            v.push_back({WideString(AnsiString(std::string{'a', char(b), 'z'})).str(), false});
    for (int b = 0x80; b <= 0x9F; ++b)
        v.push_back({WideString(AnsiString(std::string{'a', char(b), 'z'})).str(), false});
    for (const char* t :
         {"\"entre comillas\"", "a,b;c|d#e", "un \"medio\" dentro", "CR\rsolo", "LF\nsolo",
          "CR LF\r\nfin", "tab\tdentro", "&<>'\"", "$amp", "\xE1\xF1\xFC", "\"", ",", " espacio "})
        v.push_back({WideString(AnsiString(t)).str(), false});
    for (const char16_t* t :
         {u"\u0408", u"\u010D\u040B", u"\u03A9", u"\U0001F600", u"\uD7FF\uE000", u"\u010A",
          u"x\u0408\r\n\u03A9\t\"\u010D\"", u",\u040B;", u"|\\\u0408"})
        v.push_back({t, true});
    return v;
}

// A text into a cell as the grid keeps it.
inline void PonerCelda(TKavStringGrid* G, int X, int Y, const CeldaHostil& C) {
    if (C.ancha)
        G->SetWideCells(X, Y, WideString(C.texto));
    else
        G->SetCells(X, Y, WideString(C.texto).ToAnsiString());
}

// A cell's characters, whatever form it is kept in.
inline std::u16string TextoDeCelda(TKavStringGrid* G, int X, int Y) {
    const AnsiString t = G->GetCells(X, Y);
    return t.str().compare(0, 2, "|\\") == 0 ? G->GetWideCells(X, Y).str() : WideString(t).str();
}

// The code points of a text as hex numbers joined by ".", the form the Python readers print.
inline std::string PuntosDeCodigo(const std::u16string& T) {
    std::string s;
    char b[16];
    for (size_t i = 0; i < T.size(); ++i) {
        char32_t u = T[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < T.size() && T[i + 1] >= 0xDC00 &&
            T[i + 1] < 0xE000)
            u = 0x10000 + ((u - 0xD800) << 10) + (T[++i] - 0xDC00);
        std::snprintf(b, sizeof b, "%s%x", s.empty() ? "" : ".", static_cast<unsigned>(u));
        s += b;
    }
    return s;
}

// The characters with each line end (CR LF, a lone CR, a lone LF) as one LF: a cell as the
// files that carry line breaks as LF give it back. With Controles false, the other control
// characters but TAB are left out too.
inline std::u16string LineasConLF(const std::u16string& T, bool Controles = true) {
    std::u16string r;
    for (size_t i = 0; i < T.size(); ++i) {
        if (T[i] == u'\r' && i + 1 < T.size() && T[i + 1] == u'\n') continue;
        if (T[i] == u'\r' || T[i] == u'\n')
            r += u'\n';
        else if (Controles || T[i] >= 0x20 || T[i] == u'\t')
            r += T[i];
    }
    return r;
}
