#include "plataforma/gui/widgets/edit_commands.h"

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/services/clipboard.h"
#include "plataforma/gui/widgets/edit_backend.h"

#include <algorithm>
#include <cstring>

namespace {

void ApplyCase(AnsiString& Text, TEditCharCase charCase) {
    if (charCase == ecUpperCase) Text = AnsiUpperCase(Text);
    if (charCase == ecLowerCase) Text = AnsiLowerCase(Text);
}

// Whether n more characters fit in the limit; a beep when not.
bool Fits(EditBackend& edit, const EditRules& rules, int n) {
    if (rules.maxLength <= 0) return true;
    int s = 0, e = 0;
    edit.GetSel(s, e);
    if (edit.Length() - (e - s) + n <= rules.maxLength) return true;
    MessageBeep(0);
    return false;
}

// Upper or lower case of a wide text, as the edit's CharCase asks.
QString CasedWide(QString t, TEditCharCase charCase) {
    if (charCase == ecUpperCase) return t.toUpper();
    if (charCase == ecLowerCase) return t.toLower();
    return t;
}

// A character above the code page's range typed into a wide window.
bool WideCharDefault(EditBackend& Edit, const EditRules& Rules, TMessage& Message) {
    const char32_t u = static_cast<char32_t>(Message.WParam);
    if (u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF) || Rules.readOnly) return false;
    // A character above U+FFFF takes two units, which the limit never splits.
    if (!Fits(Edit, Rules, u > 0xFFFF ? 2 : 1)) return false;
    if (Rules.charCase != ecNormal) {
        const QList<uint> cased = CasedWide(QString::fromUcs4(&u, 1), Rules.charCase).toUcs4();
        if (cased.size() == 1) Message.WParam = cased.front();
    }
    return true;
}

// The clipboard's text, Unicode or Windows-1252.
WideString ClipboardText(bool wide) {
    if (!wide) return WideString(Clipboard()->GetAsText());
    const std::string b = Clipboard()->GetBuffer(CF_UNICODETEXT);
    std::u16string t(b.size() / 2, u'\0');
    std::memcpy(t.data(), b.data(), t.size() * 2);
    t.resize(std::min(t.size(), t.find(u'\0')));
    return WideString(std::move(t));
}

} // namespace

bool EditCharDefault(TWinControl* Control, EditBackend& Edit, const EditRules& Rules,
                     TMessage& Message) {
    if (Message.WParam > 0xFF) return Rules.wide && WideCharDefault(Edit, Rules, Message);
    const unsigned char ch = static_cast<unsigned char>(Message.WParam);
    switch (ch) {
    case 1: // Ctrl+A
        Control->Perform(EM_SETSEL, 0, -1);
        return false;
    case 3:
        Control->Perform(WM_COPY, 0, 0);
        return false;
    case 22:
        Control->Perform(WM_PASTE, 0, 0);
        return false;
    case 24:
        Control->Perform(WM_CUT, 0, 0);
        return false;
    case 26:
        Control->Perform(WM_UNDO, 0, 0);
        return false;
    case 8:
        return !Rules.readOnly;
    case 9:
        return Rules.multiLine && !Rules.readOnly && Fits(Edit, Rules, 1);
    case 10:
    case 13:
        // A line break is two characters.
        if (!Rules.multiLine || Rules.readOnly || !Fits(Edit, Rules, 2)) return false;
        Message.WParam = 13;
        return true;
    default:
        if (ch < 32 || Rules.readOnly || !Fits(Edit, Rules, 1)) return false;
        if (Rules.charCase != ecNormal) {
            AnsiString c(static_cast<char>(ch));
            ApplyCase(c, Rules.charCase);
            Message.WParam = static_cast<unsigned char>(c[1]);
        }
        return true;
    }
}

bool EditClipboardKey(TWinControl* Control, WORD Key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    UINT msg = 0;
    if (Key == VK_INSERT && shift && !ctrl) msg = WM_PASTE;
    if (Key == VK_INSERT && ctrl && !shift) msg = WM_COPY;
    if (Key == VK_DELETE && shift && !ctrl) msg = WM_CUT;
    if (msg == 0) return false;
    Control->Perform(msg, 0, 0);
    return true;
}

void EditPaste(EditBackend& Edit, const EditRules& Rules) {
    if (Rules.readOnly || !Clipboard()->HasFormat(CF_TEXT)) return;
    std::u16string t = ClipboardText(Rules.wide).str();
    // A single line takes the clipboard's first line.
    if (!Rules.multiLine) t.resize(std::min(t.size(), t.find_first_of(u"\r\n")));
    int s = 0, e = 0;
    Edit.GetSel(s, e);
    if (Rules.maxLength > 0) {
        const int room = Rules.maxLength - (Edit.Length() - (e - s));
        if (room < static_cast<int>(t.size())) {
            MessageBeep(0);
            if (room <= 0) return;
            // The cut never leaves half a surrogate pair.
            size_t n = static_cast<size_t>(room);
            if (t[n - 1] >= 0xD800 && t[n - 1] <= 0xDBFF) --n;
            t.resize(n);
        }
    }
    if (t.empty() && s == e) return;
    if (Rules.wide) {
        Edit.ReplaceSelWide(WideFromQString(CasedWide(ToQString(WideString(t)), Rules.charCase)));
        return;
    }
    AnsiString a = WideString(t).ToAnsiString();
    ApplyCase(a, Rules.charCase);
    Edit.ReplaceSel(a);
}

void EditCopy(EditBackend& Edit, const EditRules& Rules, bool Cut) {
    // A password is never copied.
    if (Rules.passwordChar != 0) return;
    int s = 0, e = 0;
    Edit.GetSel(s, e);
    if (s == e) return;
    if (Rules.wide) {
        const std::u16string t = Edit.WideText().SubString(s + 1, e - s).str();
        Clipboard()->SetBuffer(CF_UNICODETEXT, t.c_str(),
                               static_cast<int>((t.size() + 1) * sizeof(char16_t)));
    } else {
        Clipboard()->SetAsText(Edit.Text().SubString(s + 1, e - s));
    }
    if (Cut && !Rules.readOnly) Edit.ReplaceSel("");
}

void EditClear(EditBackend& Edit, const EditRules& Rules) {
    int s = 0, e = 0;
    Edit.GetSel(s, e);
    if (!Rules.readOnly && s != e) Edit.ReplaceSel("");
}

void ShowEditMenu(TWinControl* Control, EditBackend& Edit, const EditRules& Rules, LPARAM Point) {
    TPoint p;
    if (Point == -1) {
        TRect r = Control->GetClientRect();
        p = Control->ClientToScreen({r.Width() / 2, r.Height() / 2});
    } else {
        p = {GET_X_LPARAM(Point), GET_Y_LPARAM(Point)};
    }
    int s = 0, e = 0;
    Edit.GetSel(s, e);
    StandardEditMenuState st;
    st.canUndo = Edit.CanUndo();
    st.hasSelection = s != e;
    st.readOnly = Rules.readOnly;
    st.canPaste = Clipboard()->HasFormat(CF_TEXT);
    st.canSelectAll = Edit.Length() > 0 && (e - s) < Edit.Length();
    ShowStandardEditMenu(Control, p, st);
}

bool EditUndo(EditBackend& Edit, const EditRules& Rules) {
    if (!Edit.CanUndo() || Rules.readOnly) return false;
    Edit.Undo();
    return true;
}

bool EditInputRequest(TWinControl* Control, EditBackend& Edit, const EditRules& Rules,
                      TMessage& Message, const std::function<void(TMessage&)>& Insert) {
    switch (Message.Msg) {
    case WM_CHAR:
        if (EditCharDefault(Control, Edit, Rules, Message)) Insert(Message);
        return true;
    case WM_KEYDOWN:
        return EditClipboardKey(Control, static_cast<WORD>(Message.WParam));
    case WM_PASTE:
        EditPaste(Edit, Rules);
        return true;
    case WM_COPY:
    case WM_CUT:
        EditCopy(Edit, Rules, Message.Msg == WM_CUT);
        return true;
    case WM_CLEAR:
        EditClear(Edit, Rules);
        return true;
    case WM_UNDO:
        Message.Result = EditUndo(Edit, Rules);
        return true;
    case WM_CONTEXTMENU:
        ShowEditMenu(Control, Edit, Rules, Message.LParam);
        return true;
    default:
        return false;
    }
}

void AnswerTextRequest(const AnsiString& Text, TMessage& Message) {
    if (Message.Msg == WM_GETTEXTLENGTH) {
        Message.Result = Text.Length();
        return;
    }
    char* buf = reinterpret_cast<char*>(Message.LParam);
    if (!buf || Message.WParam == 0) {
        Message.Result = 0;
        return;
    }
    const size_t n = std::min<size_t>(Message.WParam - 1, static_cast<size_t>(Text.Length()));
    std::memcpy(buf, Text.c_str(), n);
    buf[n] = '\0';
    Message.Result = static_cast<LRESULT>(n);
}

void PerformGetSel(const TWinControl* Control, UINT Msg, int& Start, int& End) {
    DWORD start = 0, end = 0;
    const_cast<TWinControl*>(Control)->Perform(Msg, reinterpret_cast<WPARAM>(&start),
                                               reinterpret_cast<LPARAM>(&end));
    Start = static_cast<int>(start);
    End = static_cast<int>(end);
}
