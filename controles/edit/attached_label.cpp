#include "controles/edit/attached_label.h"

#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/widgets/label.h"

void PlaceAttachedLabel(TLabel* Label, const TRect& Control, TLabelPosition Position, int Margin) {
    const int left = Control.Left, top = Control.Top;
    const int width = Control.Width(), h = Control.Height();
    const int lh = Label->GetHeight(), lw = Label->GetWidth();
    TCanvas* c = Label->GetCanvas();
    c->SetFont(Label->GetFont());
    const int tw = c->TextWidth(Label->GetCaption());
    const int m = Margin;
    // Halves of a difference, taken on its size, so that a larger label stands centred.
    auto centreTop = [&] { return h > lh ? top + (h - lh) / 2 : top - (lh - h) / 2; };
    auto centreLeft = [&] {
        return width > lw ? left + (width - lw) / 2 : left - (lw - width) / 2;
    };
    int lt = top, ll = left;
    switch (Position) {
    case lpLeftTop:
        ll = left - tw - m;
        break;
    case lpLeftCenter:
        lt = centreTop();
        ll = left - tw - m;
        break;
    case lpLeftBottom:
        lt = top + h - lh;
        ll = left - tw - m;
        break;
    case lpTopLeft:
        lt = top - lh - m;
        break;
    case lpBottomLeft:
        lt = top + h + m;
        break;
    case lpLeftTopLeft:
        ll = left - m;
        break;
    case lpLeftCenterLeft:
        lt = centreTop();
        ll = left - m;
        break;
    case lpLeftBottomLeft:
        lt = top + h - lh;
        ll = left - m;
        break;
    case lpTopCenter:
        lt = top - lh - m;
        ll = centreLeft();
        break;
    case lpBottomCenter:
        lt = top + h + m;
        ll = centreLeft();
        break;
    }
    Label->SetBounds(ll, lt, lw, lh);
}

TLabel* TAttachedLabel::Create(TWinControl* Control) {
    Label = new TLabel(Control);
    Label->FreeNotification(Control);
    Label->SetParent(Control->GetParent());
    Label->SetFocusControl(Control);
    Label->GetFont()->Assign(Font.get());
    return Label;
}

void TAttachedLabel::Release() {
    TLabel* l = Label;
    Label = nullptr;
    delete l;
}

void TAttachedLabel::Forget(TComponent* AComponent) {
    if (AComponent == Label) Label = nullptr;
}

AnsiString TAttachedLabel::Caption() const {
    return Label ? Label->GetCaption() : AnsiString();
}

void TAttachedLabel::FollowEnabled(bool Enabled) {
    if (Label && !AlwaysEnabled) Label->SetEnabled(Enabled);
}

void TAttachedLabel::FollowVisible(bool Visible) {
    if (Label) Label->SetVisible(Visible);
}

void TAttachedLabel::SetAlwaysEnabled(bool Value, bool ControlEnabled) {
    AlwaysEnabled = Value;
    if (Label) Label->SetEnabled(Value || ControlEnabled);
}
