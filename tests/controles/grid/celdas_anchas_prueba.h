#pragma once
// Blocks of cells as text for the clipboard tests: each holds a wide cell (a character the
// code page lacks) beside cells with line ends of every kind, tabs and quotes, so that the
// block travels as Unicode text too.

#include "controles/grid/kav_grid.h"

#include <string>
#include <vector>

using BloqueAncho = std::vector<std::vector<std::u16string>>; // rows of cells

inline const std::vector<BloqueAncho>& BloquesAnchos() {
    static const std::vector<BloqueAncho> bloques = {
        {{u"\u03A9\nlf", u"a"}, {u"b", u"x\r\ny"}},
        {{u"a\nb", u"\u0416"}},
        {{u"\u03A9\rcr", u"t\tab"}, {u"\"q\"", u"\u0416\r\n"}},
        {{u"\u03A9 \"x\"\tz\n"}},
        {{u"", u"\u03A9"}, {u"\n", u"\r"}, {u"\r\n\n", u"\"\r"}},
        // A first character that a byte order mark could be taken for.
        {{u"\uFFFE\u0416", u"\t"}},
    };
    return bloques;
}

// A text into a cell: a wide cell when the code page lacks one of its characters.
inline void PonerTexto(TKavStringGrid* G, int X, int Y, const std::u16string& T) {
    const WideString w(T);
    if (WideString(w.ToAnsiString()).str() == T)
        G->SetCells(X, Y, w.ToAnsiString());
    else
        G->SetWideCells(X, Y, w);
}

// The block into the grid with its first cell at (X, Y), selected.
inline void PonerBloque(TKavStringGrid* G, int X, int Y, const BloqueAncho& B) {
    for (size_t y = 0; y < B.size(); ++y)
        for (size_t x = 0; x < B[y].size(); ++x)
            PonerTexto(G, X + static_cast<int>(x), Y + static_cast<int>(y), B[y][x]);
    TGridRect s;
    s.Left = X;
    s.Top = Y;
    s.Right = X + static_cast<int>(B[0].size()) - 1;
    s.Bottom = Y + static_cast<int>(B.size()) - 1;
    G->SetSelection(s);
}

// The number of fields a paste of the block visits: every cell, and the empty field after
// the last line end of a block of several rows.
inline int CamposDelBloque(const BloqueAncho& B) {
    return static_cast<int>(B.size() * B[0].size()) + (B.size() > 1 ? 1 : 0);
}
