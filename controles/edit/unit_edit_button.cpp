// TKsgUnitEditBtn: the number in the text, the unit painted beside it and chosen from the
// button's menu.

#include "controles/edit/edit_button.h"

#include "controles/edit/window_canvases.h"
#include "plataforma/gui/forms/popup_menu_handles.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_text.h"

TKsgUnitEditBtn::TKsgUnitEditBtn(TComponent* AOwner)
    : TKsgEditBtn(AOwner), units_(std::make_unique<TStringList>()) {
    SetUnitSizeValue(20);
    SetRightAlign(true);
}

TKsgUnitEditBtn::~TKsgUnitEditBtn() = default;

void TKsgUnitEditBtn::SetUnitID(const AnsiString& Value) {
    unitID_ = Value;
    Invalidate();
}

void TKsgUnitEditBtn::SetUnits(TStrings* Value) {
    if (Value) units_->Assign(*Value);
}

void TKsgUnitEditBtn::SetUnitSpace(int Value) {
    SetUnitSizeValue(Value);
    SetEditRect();
    Invalidate();
}

void TKsgUnitEditBtn::BtnClick(TObject*) {
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < units_->GetCount(); ++i)
        InsertMenu(menu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING,
                   static_cast<UINT_PTR>(i + 1), units_->GetStrings(i).c_str());
    // Under the button's left part, at the bottom of the edit, on the screen.
    const TPoint at = ClientToScreen(TPoint(GetClientWidth() - 15, GetClientHeight()));
    TrackPopupMenu(menu, 0, at.x, at.y, 0, GetHandle(), nullptr);
    DestroyMenu(menu);
}

void TKsgUnitEditBtn::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_COMMAND: {
        const int id = LOWORD(Message.WParam);
        if (HIWORD(Message.WParam) != EN_CHANGE && id >= 1 && id <= units_->GetCount()) {
            SetUnitID(units_->GetStrings(id - 1));
            return;
        }
        return TKsgEditBtn::Dispatch(Message);
    }
    case WM_PAINT: {
        auto alive = Watch();
        TKsgEditBtn::Dispatch(Message);
        if (!alive.expired() && HandleAllocated()) PaintUnit();
        return;
    }
    default:
        TKsgEditBtn::Dispatch(Message);
    }
}

void TKsgUnitEditBtn::PaintUnit() {
    WindowCanvases canvases(this);
    TCanvas* c = canvases.Client();
    c->SetFont(GetFont());
    c->GetBrush()->SetStyle(bsClear);
    const int left = GetClientWidth() - GetButton()->GetWidth() - 3 - GetUnitSize();
    TRect r(left, 2, left + GetUnitSize(), GetClientHeight());
    DrawText(c->GetHandle(), unitID_.c_str(), unitID_.Length(), &r, DT_EDITCONTROL);
}
