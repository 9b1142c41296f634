#include "controles/grid/grid_support.h"

#include "controles/comun/drawing_utils.h"
#include "controles/grid/markup/markup_renderer.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"

#include <cstdint>

namespace {

void* Ranura(int v) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(v));
}

constexpr unsigned kDescendente = 0x80000000u;

} // namespace

// --- TIntList ---

int TIntList::GetItems(int Index) const {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(TList::GetItems(Index)));
}

void TIntList::SetItems(int Index, int Value) {
    TList::SetItems(Index, Ranura(Value));
    Changed();
}

int TIntList::Add(int Value) {
    const int i = TList::Add(Ranura(Value));
    Changed();
    return i;
}

void TIntList::Delete(int Index) {
    TList::Delete(Index);
    Changed();
}

void TIntList::Insert(int Index, int Value) {
    TList::Insert(Index, Ranura(Value));
}

void TIntList::Changed() {
    if (OnChange) OnChange(this, col_, row_);
}

AnsiString TIntList::GetStrValue() const {
    AnsiString r;
    for (int i = 0; i < GetCount(); ++i) {
        if (i > 0) r += ",";
        r += IntToStr(GetItems(i));
    }
    return r;
}

void TIntList::SetStrValue(const AnsiString& Value) {
    TStringList partes;
    partes.SetCommaText(Value);
    Clear();
    for (int i = 0; i < partes.GetCount(); ++i)
        Add(StrToInt(partes.GetStrings(i)));
}

// --- TSortIndexList ---

void TSortIndexList::AddIndex(int Column, bool Ascending) {
    const unsigned v = static_cast<unsigned>(Column) & ~kDescendente;
    Add(static_cast<int>(Ascending ? v : v | kDescendente));
}

int TSortIndexList::FindIndex(int Column) const {
    for (int i = 0; i < GetCount(); ++i)
        if (GetSortColumns(i) == Column) return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int Column) {
    const int i = FindIndex(Column);
    if (i >= 0) SetItems(i, static_cast<int>(static_cast<unsigned>(GetItems(i)) ^ kDescendente));
}

int TSortIndexList::GetSortColumns(int Index) const {
    return static_cast<int>(static_cast<unsigned>(GetItems(Index)) & ~kDescendente);
}

void TSortIndexList::SetSortColumns(int Index, int Value) {
    const unsigned v = static_cast<unsigned>(GetItems(Index));
    SetItems(Index,
             static_cast<int>((v & kDescendente) | (static_cast<unsigned>(Value) & ~kDescendente)));
}

bool TSortIndexList::GetSortDirections(int Index) const {
    return (static_cast<unsigned>(GetItems(Index)) & kDescendente) == 0;
}

void TSortIndexList::SetSortDirections(int Index, bool Value) {
    const unsigned v = static_cast<unsigned>(GetItems(Index));
    SetItems(Index, static_cast<int>(Value ? v & ~kDescendente : v | kDescendente));
}

// --- TControlList ---

TControlList::~TControlList() {
    while (GetCount() > 0)
        RemoveControl(0);
}

void TControlList::AddControl(int Col, int Row, TControl* Control) {
    TList::Add(new TControlItem(Col, Row, Control));
}

int TControlList::ControlIndex(int Col, int Row) const {
    for (int i = 0; i < GetCount(); ++i) {
        const TControlItem* c = GetControl(i);
        if (c->GetX() == Col && c->GetY() == Row) return i;
    }
    return -1;
}

TControlItem* TControlList::GetControl(int Index) const {
    return static_cast<TControlItem*>(GetItems(Index));
}

bool TControlList::HasHandle(HWND Handle) const {
    for (int i = 0; i < GetCount(); ++i) {
        auto* w = dynamic_cast<TWinControl*>(GetControl(i)->GetControl());
        if (w != nullptr && w->HandleAllocated() && w->GetHandle() == Handle) return true;
    }
    return false;
}

void TControlList::RemoveControl(int Index) {
    delete GetControl(Index);
    Delete(Index);
}

// --- TFilePicture ---

void TFilePicture::SetFilename(const AnsiString& Value) {
    filename_ = Value;
    TPicture p;
    p.LoadFromFile(Value);
    width_ = p.GetWidth();
    height_ = p.GetHeight();
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& Rect) {
    if (filename_.IsEmpty()) return;
    TPicture p;
    p.LoadFromFile(filename_);
    Canvas->StretchDraw(Rect, p.GetGraphic());
}

void TFilePicture::Assign(TPersistent* Source) {
    auto* otro = dynamic_cast<TFilePicture*>(Source);
    if (otro == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    filename_ = otro->filename_;
    width_ = otro->width_;
    height_ = otro->height_;
}

// --- TPopupButton ---

TPopupButton::TPopupButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clBtnFace);
}

void TPopupButton::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    // The window system keeps what lies behind a pop-up by itself (the class style that
    // asks it to has no counterpart here).
    Params.Style = WS_POPUP | WS_DISABLED | WS_BORDER;
}

void TPopupButton::CreateWnd() {
    TCustomControl::CreateWnd();
    SetWindowPos(GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TPopupButton::SetCaption(const AnsiString& Value) {
    caption_ = Value;
    Invalidate();
}

void TPopupButton::SetFlat(bool Value) {
    flat_ = Value;
    Invalidate();
}

void TPopupButton::SetGradFrom(TColor Value) {
    gradFrom_ = Value;
    Invalidate();
}

void TPopupButton::SetGradTo(TColor Value) {
    gradTo_ = Value;
    Invalidate();
}

void TPopupButton::Paint() {
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    c->GetBrush()->SetColor(GetColor());
    c->FillRect(r);
    // The gradient fills what the 3-D frame leaves inside it.
    TRect inside = r;
    if (!flat_) Frame3D(c, inside, clWhite, 0x808080, 1);
    if (gradFrom_ != clNone) DrawGradient(c, gradFrom_, gradTo_, 64, inside, false);
    SetBkMode(c->GetHandle(), TRANSPARENT);
    if (caption_.Pos("</") == 0) {
        TRect t = r;
        DrawTextEx(c->GetHandle(), caption_.c_str(), caption_.Length(), &t,
                   DT_CENTER | DT_END_ELLIPSIS, nullptr);
        return;
    }
    AnsiString href, plano, foco, titulo, id, valor, tipo;
    int ex = 0, ey = 0, anclas = 0, raton = 0;
    TRect ra, rc;
    HTMLDrawEx(c, caption_, r, images_, -1, -1, -1, -1, 1, false, false, false, false, true, false,
               true, false, 1.0, clBlue, clNone, clNone, clGray, href, plano, foco, titulo, ex, ey,
               anclas, raton, ra, rc, id, valor, tipo, nullptr, nullptr, nullptr);
}
