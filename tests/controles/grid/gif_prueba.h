#pragma once
// GIF files made here: a logical screen of 4 x 2 pixels, a colour table of red, green,
// blue and white, and one frame of one pixel per colour index asked for, each at its own
// place in the top row, with its delay (hundredths of a second).

#include <string>
#include <vector>

struct FotogramaGif {
    int color;   // 0 red, 1 green, 2 blue, 3 white
    int x;       // place in the top row
    int retardo; // hundredths of a second
};

inline std::string GifDePrueba(const std::vector<FotogramaGif>& fotogramas) {
    std::string g = "GIF89a";
    g += std::string("\x04\x00\x02\x00", 4); // logical screen 4 x 2
    g += std::string("\x81\x00\x00", 3);     // global table of 4 colours
    g += std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF\xFF\xFF\xFF", 12);
    for (const FotogramaGif& f : fotogramas) {
        g += std::string("\x21\xF9\x04\x04", 4); // control block; disposal 1
        g += static_cast<char>(f.retardo & 0xFF);
        g += static_cast<char>(f.retardo >> 8);
        g += std::string("\x00\x00", 2);
        g += '\x2C';
        g += static_cast<char>(f.x);
        g += std::string("\x00\x00\x00\x01\x00\x01\x00\x00", 8); // at (x, 0), 1 x 1
        // LZW, codes of 3 bits: clear (4), the colour, end (5).
        g += std::string("\x02\x02", 2);
        g += static_cast<char>(4 | (f.color << 3) | ((5 & 3) << 6));
        g += static_cast<char>(5 >> 2);
        g += '\x00';
    }
    g += '\x3B';
    return g;
}
