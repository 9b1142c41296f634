#include "controles/grid/paint/grid_glyphs.h"

#include "plataforma/gui/images/bitmap_resources.h"

#include <utility>

namespace {

constexpr TColor Ground = 0xFF00FF; // left out by the automatic transparency

// A 15 x 15 box with a 1-pixel ground around it; 'm' marks the check.
void CheckBox(TBitmap* B, bool Checked, TColor Border, TColor Fill, TColor Mark) {
    const std::initializer_list<std::pair<char, TColor>> palette = {
        {'.', Ground}, {'b', Border}, {'f', Fill}, {'m', Mark}};
    if (Checked)
        PaintBitmapRows(B,
                        {"...............", ".bbbbbbbbbbbbb.", ".bfffffffffffb.", ".bfffffffffffb.",
                         ".bffffffffmffb.", ".bfffffffmmffb.", ".bffmffffmmmfb.", ".bffmmffmmmffb.",
                         ".bffmmmmmmfffb.", ".bfffmmmmffffb.", ".bffffmmfffffb.", ".bfffffffffffb.",
                         ".bfffffffffffb.", ".bbbbbbbbbbbbb.", "..............."},
                        palette);
    else
        PaintBitmapRows(B,
                        {"...............", ".bbbbbbbbbbbbb.", ".bfffffffffffb.", ".bfffffffffffb.",
                         ".bfffffffffffb.", ".bfffffffffffb.", ".bfffffffffffb.", ".bfffffffffffb.",
                         ".bfffffffffffb.", ".bfffffffffffb.", ".bfffffffffffb.", ".bfffffffffffb.",
                         ".bfffffffffffb.", ".bbbbbbbbbbbbb.", "..............."},
                        palette);
}

// A 16 x 16 round button; 'm' marks the dot of a chosen one.
void Radio(TBitmap* B, bool On, TColor Border, TColor Fill, TColor Mark) {
    const std::initializer_list<std::pair<char, TColor>> palette = {
        {'.', Ground}, {'b', Border}, {'f', Fill}, {'m', Mark}};
    if (On)
        PaintBitmapRows(
            B,
            {"................", ".....bbbbbb.....", "...bbffffffbb...", "..bffffffffffb..",
             "..bffffffffffb..", ".bffffmmmmffffb.", ".bfffmmmmmmfffb.", ".bfffmmmmmmfffb.",
             ".bfffmmmmmmfffb.", ".bfffmmmmmmfffb.", ".bffffmmmmffffb.", "..bffffffffffb..",
             "..bffffffffffb..", "...bbffffffbb...", ".....bbbbbb.....", "................"},
            palette);
    else
        PaintBitmapRows(
            B,
            {"................", ".....bbbbbb.....", "...bbffffffbb...", "..bffffffffffb..",
             "..bffffffffffb..", ".bffffffffffffb.", ".bffffffffffffb.", ".bffffffffffffb.",
             ".bffffffffffffb.", ".bffffffffffffb.", ".bffffffffffffb.", "..bffffffffffb..",
             "..bffffffffffb..", "...bbffffffbb...", ".....bbbbbb.....", "................"},
            palette);
}

} // namespace

void RegisterGridGlyphs() {
    // Check boxes: 01-04 the grid's own look, 05-08 the XP look; checked, unchecked, then
    // both disabled.
    struct Look {
        TColor border, fill, mark;
    };
    const Look kav{0x808080, 0xFFFFFF, 0x000000}, kavOff{0xA0A0A0, 0xE8E8E8, 0xA0A0A0};
    const Look xp{0x80511C, 0xF4F4F4, 0x21A121}, xpOff{0xB8B8B8, 0xF0F0F0, 0xB8B8B8};
    const std::pair<const char*, std::pair<bool, Look>> checks[] = {
        {"KSGCHK01", {true, kav}},     {"KSGCHK02", {false, kav}},  {"KSGCHK03", {true, kavOff}},
        {"KSGCHK04", {false, kavOff}}, {"KSGCHK05", {true, xp}},    {"KSGCHK06", {false, xp}},
        {"KSGCHK07", {true, xpOff}},   {"KSGCHK08", {false, xpOff}}};
    for (const auto& [name, v] : checks) {
        const bool on = v.first;
        const Look l = v.second;
        RegisterBitmapResource(name,
                               [=](TBitmap* b) { CheckBox(b, on, l.border, l.fill, l.mark); });
    }
    const Look xpRadio{0x80511C, 0xF4F4F4, 0x21A121};
    const std::pair<const char*, std::pair<bool, Look>> radios[] = {
        {"KSGRAD01", {true, kav}},     {"KSGRAD02", {false, kav}},
        {"KSGRAD03", {true, kavOff}},  {"KSGRAD04", {false, kavOff}},
        {"KSGRAD05", {true, xpRadio}}, {"KSGRAD06", {false, xpRadio}},
        {"KSGRAD07", {true, xpOff}},   {"KSGRAD08", {false, xpOff}}};
    for (const auto& [name, v] : radios) {
        const bool on = v.first;
        const Look l = v.second;
        RegisterBitmapResource(name, [=](TBitmap* b) { Radio(b, on, l.border, l.fill, l.mark); });
    }
    // Node boxes with rounded corners: the corner pixels are ground, so that the frame is
    // not taken for the transparent colour.
    const TNodeBoxColors& box = XPNodeBoxColors;
    RegisterBitmapResource("XPNODEC", [=](TBitmap* b) {
        PaintBitmapRows(b,
                        {".bbbbbbb.", "bfffffffb", "bfffmfffb", "bfffmfffb", "bfmmmmmfb",
                         "bfffmfffb", "bfffmfffb", "bfffffffb", ".bbbbbbb."},
                        {{'.', Ground}, {'b', box.Frame}, {'f', box.Fill}, {'m', box.Mark}});
    });
    RegisterBitmapResource("XPNODEO", [=](TBitmap* b) {
        PaintBitmapRows(b,
                        {".bbbbbbb.", "bfffffffb", "bfffffffb", "bfffffffb", "bfmmmmmfb",
                         "bfffffffb", "bfffffffb", "bfffffffb", ".bbbbbbb."},
                        {{'.', Ground}, {'b', box.Frame}, {'f', box.Fill}, {'m', box.Mark}});
    });
    RegisterBitmapResource("KSGLEAFCLOSE", [=](TBitmap* b) {
        PaintBitmapRows(
            b,
            {"................", "................", "..bbbbb.........", ".bfffffb........",
             ".bbbbbbbbbbbbb..", ".bfffffffffffb..", ".bfffffffffffb..", ".bfffffffffffb..",
             ".bfffffffffffb..", ".bfffffffffffb..", ".bfffffffffffb..", ".bfffffffffffb..",
             ".bbbbbbbbbbbbb..", "................", "................", "................"},
            {{'.', Ground}, {'b', 0x0080C0}, {'f', 0x80E0FF}, {'d', 0x40B0E0}});
    });
    RegisterBitmapResource("KSGLEAFOPEN", [=](TBitmap* b) {
        PaintBitmapRows(
            b,
            {"................", "................", "..bbbbb.........", ".bfffffb........",
             ".bfbbbbbbbbbbb..", ".bfbdddddddddddb", ".bfbdddddddddddb", ".bbdddddddddddb.",
             ".bbdddddddddddb.", ".bdddddddddddb..", ".bdddddddddddb..", ".bbbbbbbbbbbbb..",
             "................", "................", "................", "................"},
            {{'.', Ground}, {'b', 0x0080C0}, {'f', 0x80E0FF}, {'d', 0x40B0E0}});
    });
    RegisterBitmapResource("KSGFILT", [=](TBitmap* b) {
        PaintBitmapRows(
            b,
            {"................", "................", "...bbbbbbbbbb...", "...bffffffffb...",
             "....bffffffb....", ".....bffffb.....", "......bffb......", "......bffb......",
             "......bffb......", "......bffb......", "......bffb......", ".......bb.......",
             "................", "................", "................", "................"},
            {{'.', Ground}, {'b', 0x404040}, {'f', 0xE0E0E0}});
    });
}
