// TKavCustomComboBox: the flat border, the button and the rows of the list.

#include "controles/comun/drawing_utils.h"
#include "controles/edit/kav_custom_combo_box.h"
#include "controles/edit/window_canvases.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_text.h"

namespace {

constexpr TColor kSeparator = static_cast<TColor>(0x808080);

} // namespace

bool TKavCustomComboBox::Hot() const {
    return mouseInControl_ || const_cast<TKavCustomComboBox*>(this)->Focused() || listShown_;
}

void TKavCustomComboBox::PaintOwn() {
    if (!flat_ || !HandleAllocated() || !canvases_) return;
    TCanvas* c = canvases_->Client();
    DrawButton(c);
    DrawBorders(c);
}

void TKavCustomComboBox::DrawBorders(TCanvas* Canvas) {
    TColor pen = borderColor_ == clNone ? GetColor() : borderColor_;
    if (Hot() && borderHotColor_ != clNone) pen = borderHotColor_;
    Canvas->GetPen()->SetColor(pen);
    Canvas->GetPen()->SetWidth(1);
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->Rectangle(GetClientRect());
    const TRect b = GetButtonRect();
    Canvas->MoveTo(b.Left - 1, b.Top);
    Canvas->LineTo(b.Left - 1, b.Bottom + 2);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

void TKavCustomComboBox::DrawButton(TCanvas* Canvas) {
    const TRect b = GetButtonRect();
    TColor from = button_->GetColor(), to = button_->GetColorTo(), arrow = button_->GetArrowColor();
    TBitmap* glyph = button_->GetGlyph();
    if (listShown_) {
        from = button_->GetColorDown();
        to = button_->GetColorDownTo();
        arrow = button_->GetDownArrowColor();
        glyph = button_->GetGlyphDown();
    } else if (Hot() && !Designing()) {
        from = button_->GetColorHot();
        to = button_->GetColorHotTo();
        arrow = button_->GetHotArrowColor();
        glyph = button_->GetGlyphHot();
    }
    if (from != clNone) DrawGradient(Canvas, from, to, 16, b, false);
    if (!glyph->GetEmpty()) {
        glyph->SetTransparent(true);
        Canvas->Draw(b.Left + (b.Width() - glyph->GetWidth()) / 2,
                     b.Top + (b.Height() - glyph->GetHeight()) / 2 + 1, glyph);
        return;
    }
    const int x = b.Left + (b.Width() - 5) / 2 + 1;
    const int y = b.Top + (b.Height() - 3) / 2 + 1;
    Canvas->GetPen()->SetColor(arrow);
    for (int row = 0; row < 3; ++row) {
        Canvas->MoveTo(x + row, y + row);
        Canvas->LineTo(x + 5 - row, y + row);
    }
}

void TKavCustomComboBox::DrawRowBackground(TCanvas* Canvas, const TRect& Rect,
                                           TOwnerDrawState State) {
    const bool selected = State == TOwnerDrawState{odSelected} ||
                          State == TOwnerDrawState{odFocused} ||
                          State == TOwnerDrawState{odSelected, odFocused};
    if (!selected) {
        Canvas->GetBrush()->SetColor(listBox_ ? listBox_->GetColor() : clWindow);
        Canvas->FillRect(Rect);
        return;
    }
    Canvas->GetBrush()->SetColor(selectionColor_);
    Canvas->GetFont()->SetColor(selectionTextColor_);
    if (selectionColorTo_ == clNone) {
        Canvas->FillRect(Rect);
        return;
    }
    const TColor a = selectionColor_, z = selectionColorTo_;
    switch (selectionGradient_) {
    case sgVertical:
        DrawGradient(Canvas, a, z, 16, TRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom - 1),
                     false);
        break;
    case sgHorizontal:
        DrawGradient(Canvas, a, z, 40, TRect(Rect.Left, Rect.Top, Rect.Right - 1, Rect.Bottom),
                     true);
        break;
    case sgVerticalInOut: {
        const int mid = Rect.Top + Rect.Height() / 2;
        DrawGradient(Canvas, a, z, 16, TRect(Rect.Left, Rect.Top, Rect.Right, mid), false);
        DrawGradient(Canvas, z, a, 16, TRect(Rect.Left, mid, Rect.Right, Rect.Bottom), false);
        break;
    }
    case sgHorizontalInOut: {
        const int mid = Rect.Left + Rect.Width() / 2;
        DrawGradient(Canvas, a, z, 40, TRect(Rect.Left, Rect.Top, mid, Rect.Bottom), true);
        DrawGradient(Canvas, z, a, 40, TRect(mid, Rect.Top, Rect.Right, Rect.Bottom), true);
        break;
    }
    }
}

TRect TKavCustomComboBox::RowTextRect(int Index, TRect Rect) const {
    Rect.Left += 4;
    if (displayRecent_ && Index == recent_->GetCount() - 1) Rect.Bottom -= 3;
    return Rect;
}

void TKavCustomComboBox::DrawRecentSeparator(TCanvas* Canvas, int Index, const TRect& Rect) {
    if (!displayRecent_ || Index != recent_->GetCount() - 1) return;
    Canvas->GetPen()->SetColor(kSeparator);
    for (int y : {Rect.Bottom - 3, Rect.Bottom - 1}) {
        Canvas->MoveTo(1, y);
        Canvas->LineTo(listBox_->GetWidth() - 1, y);
    }
}

void TKavCustomComboBox::DropDownOnDrawItem(TWinControl*, int Index, TRect Rect,
                                            TOwnerDrawState State) {
    TCanvas* c = listBox_->GetCanvas();
    c->SetFont(GetFont());
    DrawRowBackground(c, Rect, State);
    c->GetBrush()->SetStyle(bsClear);
    TRect text = RowTextRect(Index, Rect);
    const AnsiString row = listBox_->GetItems()->GetStrings(Index);
    DrawText(c->GetHandle(), row.c_str(), row.Length(), &text, DT_SINGLELINE | DT_VCENTER);
    c->GetBrush()->SetStyle(bsSolid);
    DrawRecentSeparator(c, Index, Rect);
}
