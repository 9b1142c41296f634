#include "plataforma/gui/widgets/wide_text.h"

#include "plataforma/gui/kernel/controls.h"

namespace {

WideTextWindow* WideOf(TWinControl* Control) {
    return dynamic_cast<WideTextWindow*>(Control);
}

} // namespace

TWideCaptionHolder* FindWideCaptionHolder(TComponent* Control, const WideString& Default) {
    for (int i = 0; i < Control->GetComponentCount(); ++i)
        if (auto* h = dynamic_cast<TWideCaptionHolder*>(Control->GetComponents(i))) return h;
    auto* h = new TWideCaptionHolder(Control);
    h->WideCaption = Default;
    return h;
}

WideString InitialWideText(TComponent* Control, const AnsiString& Caption) {
    TWideCaptionHolder* h = FindWideCaptionHolder(Control, WideString(Caption));
    // The 8-bit text set since the holder last took the wide one wins.
    if (h->WideCaption.ToAnsiString() != Caption) h->WideCaption = WideString(Caption);
    return h->WideCaption;
}

WideString GetWideControlText(TWinControl* Control) {
    WideTextWindow* w = WideOf(Control);
    if (w && w->WideWindowExists()) return w->WideWindowText();
    return InitialWideText(Control, Control->GetText());
}

void SetWideControlText(TWinControl* Control, const WideString& Value) {
    WideTextWindow* w = WideOf(Control);
    if (w && w->WideWindowExists()) {
        if (w->WideWindowText() == Value) return;
        w->SetWideWindowText(Value);
        Control->Perform(CM_TEXTCHANGED, 0, 0);
        return;
    }
    // The holder first, so that a handler of the change reads the new wide text.
    FindWideCaptionHolder(Control, Value)->WideCaption = Value;
    Control->SetText(Value.ToAnsiString());
}

namespace {

// A parked code: 255 in the low word, the code (above 0xFF) in the high part.
bool Parked(WPARAM code) {
    return (code & 0xFFFF) == 255 && (code >> 16) > 0xFF;
}

} // namespace

void ParkWideChar(TMessage& Message) {
    if (Message.Msg != WM_CHAR) return;
    const WPARAM code = Message.WParam;
    if (code > 0xFF && !Parked(code)) Message.WParam = (code << 16) | 255;
}

void UnparkWideChar(TMessage& Message) {
    if (Message.Msg != WM_CHAR) return;
    const WPARAM code = Message.WParam;
    // A handler that changed the 255 gave its own character.
    Message.WParam = Parked(code) ? code >> 16 : (code & 0xFFFF);
}
