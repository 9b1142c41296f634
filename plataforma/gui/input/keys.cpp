#include "plataforma/gui/input/keys.h"

#include "plataforma/gui/input/input_state.h"
#include "plataforma/gui/kernel/messages.h"

#include <array>
#include <cstring>

namespace {

std::array<BYTE, 256> estado{};

bool Down(int vk) {
    return (estado[static_cast<size_t>(vk & 0xFF)] & 0x80) != 0;
}

struct Scan {
    WORD vk;
    BYTE code;
};

// Set-1 scan codes of the 101-key keyboard, by virtual key.
constexpr Scan kScans[] = {
    {VK_ESCAPE, 0x01},   {'1', 0x02},          {'2', 0x03},           {'3', 0x04},
    {'4', 0x05},         {'5', 0x06},          {'6', 0x07},           {'7', 0x08},
    {'8', 0x09},         {'9', 0x0A},          {'0', 0x0B},           {VK_OEM_MINUS, 0x0C},
    {VK_OEM_PLUS, 0x0D}, {VK_BACK, 0x0E},      {VK_TAB, 0x0F},        {'Q', 0x10},
    {'W', 0x11},         {'E', 0x12},          {'R', 0x13},           {'T', 0x14},
    {'Y', 0x15},         {'U', 0x16},          {'I', 0x17},           {'O', 0x18},
    {'P', 0x19},         {VK_OEM_4, 0x1A},     {VK_OEM_6, 0x1B},      {VK_RETURN, 0x1C},
    {VK_CONTROL, 0x1D},  {VK_LCONTROL, 0x1D},  {VK_RCONTROL, 0x1D},   {'A', 0x1E},
    {'S', 0x1F},         {'D', 0x20},          {'F', 0x21},           {'G', 0x22},
    {'H', 0x23},         {'J', 0x24},          {'K', 0x25},           {'L', 0x26},
    {VK_OEM_1, 0x27},    {VK_OEM_7, 0x28},     {VK_OEM_3, 0x29},      {VK_SHIFT, 0x2A},
    {VK_LSHIFT, 0x2A},   {VK_OEM_5, 0x2B},     {'Z', 0x2C},           {'X', 0x2D},
    {'C', 0x2E},         {'V', 0x2F},          {'B', 0x30},           {'N', 0x31},
    {'M', 0x32},         {VK_OEM_COMMA, 0x33}, {VK_OEM_PERIOD, 0x34}, {VK_OEM_2, 0x35},
    {VK_DIVIDE, 0x35},   {VK_RSHIFT, 0x36},    {VK_MULTIPLY, 0x37},   {VK_SNAPSHOT, 0x37},
    {VK_MENU, 0x38},     {VK_LMENU, 0x38},     {VK_RMENU, 0x38},      {VK_SPACE, 0x39},
    {VK_CAPITAL, 0x3A},  {VK_F1, 0x3B},        {VK_F2, 0x3C},         {VK_F3, 0x3D},
    {VK_F4, 0x3E},       {VK_F5, 0x3F},        {VK_F6, 0x40},         {VK_F7, 0x41},
    {VK_F8, 0x42},       {VK_F9, 0x43},        {VK_F10, 0x44},        {VK_NUMLOCK, 0x45},
    {VK_PAUSE, 0x45},    {VK_SCROLL, 0x46},    {VK_NUMPAD7, 0x47},    {VK_HOME, 0x47},
    {VK_NUMPAD8, 0x48},  {VK_UP, 0x48},        {VK_NUMPAD9, 0x49},    {VK_PRIOR, 0x49},
    {VK_SUBTRACT, 0x4A}, {VK_NUMPAD4, 0x4B},   {VK_LEFT, 0x4B},       {VK_NUMPAD5, 0x4C},
    {VK_CLEAR, 0x4C},    {VK_NUMPAD6, 0x4D},   {VK_RIGHT, 0x4D},      {VK_ADD, 0x4E},
    {VK_NUMPAD1, 0x4F},  {VK_END, 0x4F},       {VK_NUMPAD2, 0x50},    {VK_DOWN, 0x50},
    {VK_NUMPAD3, 0x51},  {VK_NEXT, 0x51},      {VK_NUMPAD0, 0x52},    {VK_INSERT, 0x52},
    {VK_DECIMAL, 0x53},  {VK_DELETE, 0x53},    {VK_OEM_102, 0x56},    {VK_F11, 0x57},
    {VK_F12, 0x58},      {VK_LWIN, 0x5B},      {VK_RWIN, 0x5C},       {VK_APPS, 0x5D},
};

struct Oem {
    WORD vk;
    char plain;
    char shifted;
};

constexpr Oem kOem[] = {
    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},     {VK_OEM_102, '\\', '|'},
};

} // namespace

SHORT GetKeyState(int nVirtKey) {
    BYTE b = estado[static_cast<size_t>(nVirtKey & 0xFF)];
    return static_cast<SHORT>(((b & 0x80) ? 0x8000 : 0) | (b & 0x01));
}

SHORT GetAsyncKeyState(int vKey) {
    return static_cast<SHORT>(GetKeyState(vKey) & 0x8000);
}

BOOL GetKeyboardState(BYTE* lpKeyState) {
    if (!lpKeyState) return FALSE;
    std::memcpy(lpKeyState, estado.data(), estado.size());
    return TRUE;
}

BOOL SetKeyboardState(const BYTE* lpKeyState) {
    if (!lpKeyState) return FALSE;
    std::memcpy(estado.data(), lpKeyState, estado.size());
    return TRUE;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s << ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s << ssCtrl;
    if (static_cast<DWORD>(KeyData) & KF_ALTDOWN) s << ssAlt;
    return s;
}

TShiftState KeyboardStateToShiftState() {
    TShiftState s;
    if (Down(VK_SHIFT)) s << ssShift;
    if (Down(VK_CONTROL)) s << ssCtrl;
    if (Down(VK_MENU)) s << ssAlt;
    if (Down(VK_LBUTTON)) s << ssLeft;
    if (Down(VK_RBUTTON)) s << ssRight;
    if (Down(VK_MBUTTON)) s << ssMiddle;
    return s;
}

TShiftState KeysToShiftState(WORD Keys) {
    TShiftState s;
    if (Keys & MK_SHIFT) s << ssShift;
    if (Keys & MK_CONTROL) s << ssCtrl;
    if (Keys & MK_LBUTTON) s << ssLeft;
    if (Keys & MK_RBUTTON) s << ssRight;
    if (Keys & MK_MBUTTON) s << ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s << ssAlt;
    return s;
}

BYTE ScanCodeOfKey(WORD vk) {
    for (const Scan& s : kScans)
        if (s.vk == vk) return s.code;
    return 0;
}

bool IsExtendedKey(WORD vk) {
    switch (vk) {
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_DIVIDE:
    case VK_HOME:
    case VK_UP:
    case VK_PRIOR:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_END:
    case VK_DOWN:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_SNAPSHOT:
    case VK_NUMLOCK:
        return true;
    default:
        return false;
    }
}

LPARAM MakeKeyData(WORD vk, bool keyUp, bool repeat, bool altDown, int repeatCount, bool extended) {
    DWORD d = static_cast<DWORD>(repeatCount & 0xFFFF);
    d |= static_cast<DWORD>(ScanCodeOfKey(vk)) << 16;
    if (extended || IsExtendedKey(vk)) d |= KF_EXTENDED;
    if (altDown) d |= KF_ALTDOWN;
    if (repeat || keyUp) d |= KF_REPEAT;
    if (keyUp) d |= KF_UP;
    return static_cast<LPARAM>(static_cast<std::int32_t>(d));
}

int CharOfKey(WORD vk, TShiftState shift) {
    bool ctrl = shift.Contains(ssCtrl), alt = shift.Contains(ssAlt);
    if (ctrl && alt) return 0;
    if (ctrl) {
        if (vk >= 'A' && vk <= 'Z') return vk - 'A' + 1;
        switch (vk) {
        case VK_OEM_4:
            return 27;
        case VK_OEM_5:
            return 28;
        case VK_OEM_6:
            return 29;
        case VK_RETURN:
            return 10;
        case VK_BACK:
            return 127;
        case VK_SPACE:
            return ' ';
        default:
            return 0;
        }
    }
    bool sh = shift.Contains(ssShift);
    switch (vk) {
    case VK_BACK:
        return 8;
    case VK_TAB:
        return 9;
    case VK_RETURN:
        return 13;
    case VK_ESCAPE:
        return 27;
    case VK_SPACE:
        return ' ';
    case VK_DECIMAL:
        return '.';
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DIVIDE:
        return '/';
    default:
        break;
    }
    if (vk >= 'A' && vk <= 'Z') {
        bool upper = sh != ((GetKeyState(VK_CAPITAL) & 1) != 0);
        return upper ? vk : vk - 'A' + 'a';
    }
    if (vk >= '0' && vk <= '9') return sh ? ")!@#$%^&*("[vk - '0'] : vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return '0' + (vk - VK_NUMPAD0);
    for (const Oem& o : kOem)
        if (o.vk == vk) return static_cast<unsigned char>(sh ? o.shifted : o.plain);
    return 0;
}

// --- state kept by the input translation ---

void SetKeyDownState(WORD vk, bool down) {
    // The generic modifier codes stand for their left key.
    if (vk == VK_SHIFT) vk = VK_LSHIFT;
    if (vk == VK_CONTROL) vk = VK_LCONTROL;
    if (vk == VK_MENU) vk = VK_LMENU;
    BYTE& b = estado[vk & 0xFF];
    if (down) {
        // A toggle key changes on each press.
        if (!(b & 0x80) && (vk == VK_CAPITAL || vk == VK_NUMLOCK || vk == VK_SCROLL)) b ^= 0x01;
        b |= 0x80;
    } else {
        b &= static_cast<BYTE>(~0x80);
    }
    auto generic = [](WORD l, WORD r, WORD g) {
        estado[g] = static_cast<BYTE>((estado[g] & ~0x80) | ((estado[l] | estado[r]) & 0x80));
    };
    generic(VK_LSHIFT, VK_RSHIFT, VK_SHIFT);
    generic(VK_LCONTROL, VK_RCONTROL, VK_CONTROL);
    generic(VK_LMENU, VK_RMENU, VK_MENU);
}

void SyncModifierState(bool shift, bool ctrl, bool alt) {
    auto sync = [](bool held, WORD l, WORD r, WORD g) {
        bool known = Down(l) || Down(r);
        if (held && !known) SetKeyDownState(l, true);
        if (!held && known) {
            SetKeyDownState(l, false);
            SetKeyDownState(r, false);
        }
        (void)g;
    };
    sync(shift, VK_LSHIFT, VK_RSHIFT, VK_SHIFT);
    sync(ctrl, VK_LCONTROL, VK_RCONTROL, VK_CONTROL);
    sync(alt, VK_LMENU, VK_RMENU, VK_MENU);
}

void SyncMouseButtonState(bool left, bool right, bool middle) {
    auto set = [](WORD vk, bool down) {
        BYTE& b = estado[vk];
        b = static_cast<BYTE>(down ? (b | 0x80) : (b & ~0x80));
    };
    set(VK_LBUTTON, left);
    set(VK_RBUTTON, right);
    set(VK_MBUTTON, middle);
}
