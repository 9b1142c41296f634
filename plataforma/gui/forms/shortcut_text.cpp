// Shortcuts as words and as text, and the hotkeys ("&") of captions.

#include "plataforma/gui/forms/menus.h"

#include <array>
#include <string>

namespace {

struct KeyName {
    WORD vk;
    const char* name;  // as shown, the name on a Spanish keyboard
    const char* other; // also understood when read back
};

const std::array<KeyName, 17> kNombres{{
    {VK_BACK, "Retroceso", "BkSp"},
    {VK_TAB, "Tab", "Tab"},
    {VK_ESCAPE, "Esc", "Esc"},
    {VK_RETURN, "Intro", "Enter"},
    {VK_SPACE, "Espacio", "Space"},
    {VK_PRIOR, "RePág", "PgUp"},
    {VK_NEXT, "AvPág", "PgDn"},
    {VK_END, "Fin", "End"},
    {VK_HOME, "Inicio", "Home"},
    {VK_LEFT, "Izquierda", "Left"},
    {VK_UP, "Arriba", "Up"},
    {VK_RIGHT, "Derecha", "Right"},
    {VK_DOWN, "Abajo", "Down"},
    {VK_INSERT, "Insert", "Ins"},
    {VK_DELETE, "Supr", "Del"},
    {VK_ADD, "Num +", "Num +"},
    {VK_SUBTRACT, "Num -", "Num -"},
}};

const char* const kMayus = "Mayús+";
const char* const kCtrl = "Ctrl+";
const char* const kAlt = "Alt+";

AnsiString KeyText(WORD vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return AnsiString(static_cast<char>(vk));
    if (vk >= VK_F1 && vk <= VK_F24) return "F" + AnsiString(vk - VK_F1 + 1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return "Num " + AnsiString(vk - VK_NUMPAD0);
    for (const KeyName& k : kNombres)
        if (k.vk == vk) return k.name;
    if (int c = CharOfKey(vk, {}); c > ' ') return AnsiUpperCase(AnsiString(static_cast<char>(c)));
    return AnsiString();
}

// Takes a prefix (case ignored) off the front of s.
bool TakePrefix(AnsiString& s, const AnsiString& prefix) {
    if (s.Length() < prefix.Length()) return false;
    if (!AnsiSameText(s.SubString(1, prefix.Length()), prefix)) return false;
    s = s.SubString(prefix.Length() + 1, s.Length());
    return true;
}

WORD KeyOfText(const AnsiString& s) {
    if (s.IsEmpty()) return 0;
    for (WORD vk = 1; vk < 256; ++vk) {
        AnsiString name = KeyText(vk);
        if (!name.IsEmpty() && AnsiSameText(name, s)) return vk;
    }
    for (const KeyName& k : kNombres)
        if (AnsiSameText(s, k.other)) return k.vk;
    return 0;
}

} // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
    if (Key & 0xFF00) return 0;
    TShortCut sc = Key;
    if (Shift.Contains(ssShift)) sc |= scShift;
    if (Shift.Contains(ssCtrl)) sc |= scCtrl;
    if (Shift.Contains(ssAlt)) sc |= scAlt;
    return sc;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift) {
    Key = ShortCut & 0xFF;
    Shift = {};
    if (ShortCut & scShift) Shift << ssShift;
    if (ShortCut & scCtrl) Shift << ssCtrl;
    if (ShortCut & scAlt) Shift << ssAlt;
}

AnsiString ShortCutToText(TShortCut ShortCut) {
    AnsiString key = KeyText(ShortCut & 0xFF);
    if (key.IsEmpty()) return AnsiString();
    AnsiString text;
    if (ShortCut & scShift) text += kMayus;
    if (ShortCut & scCtrl) text += kCtrl;
    if (ShortCut & scAlt) text += kAlt;
    return text + key;
}

TShortCut TextToShortCut(const AnsiString& Text) {
    AnsiString s = Text;
    TShortCut mods = 0;
    for (bool more = true; more;) {
        more = false;
        if (TakePrefix(s, kMayus) || TakePrefix(s, "Shift+")) mods |= scShift, more = true;
        if (TakePrefix(s, kCtrl)) mods |= scCtrl, more = true;
        if (TakePrefix(s, kAlt)) mods |= scAlt, more = true;
    }
    WORD vk = KeyOfText(s);
    return vk ? static_cast<TShortCut>(vk | mods) : 0;
}

AnsiString StripHotkey(const AnsiString& Text) {
    std::string out;
    const std::string& s = Text.str();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&') out += '&';
            ++i;
            if (i < s.size() && s[i] != '&') out += s[i];
            continue;
        }
        out += s[i];
    }
    return AnsiString(std::move(out));
}

char GetHotkey(const AnsiString& Text) {
    const std::string& s = Text.str();
    for (size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != '&') continue;
        if (s[i + 1] != '&') return s[i + 1];
        ++i; // "&&" is a plain "&"
    }
    return 0;
}

bool IsAccel(WORD VK, const AnsiString& Str) {
    char hot = GetHotkey(Str);
    if (hot == 0 || VK == 0 || VK > 0xFF) return false;
    return AnsiSameText(AnsiString(static_cast<char>(VK)), AnsiString(hot));
}
