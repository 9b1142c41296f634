// TKavFontSelector: the fonts' kinds, the list of names and the drawing of each name.

#include "controles/edit/font_selector.h"

#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"

namespace {

// The kinds' glyphs, 13 by 12 pixels on a transparent olive background ('.').
void PaintGlyph(TBitmap* Bitmap, std::initializer_list<const char*> Rows) {
    PaintBitmapRows(Bitmap, Rows,
                    {{'.', static_cast<TColor>(0x008080)},
                     {'b', clBlack},
                     {'g', static_cast<TColor>(0x808080)},
                     {'r', static_cast<TColor>(0x0000C0)},
                     {'w', clWhite}});
}

void RegisterGlyphs() {
    static const bool done = [] {
        RegisterBitmapResource("KAVFONTTT", [](TBitmap* b) {
            PaintGlyph(b, {".............", "ggggggg......", "g..g..g......", "...g.........",
                           "...g.bbbbbbb.", "...g.b..b..b.", "...g....b....", "..ggg...b....",
                           "........b....", "........b....", ".......bbb...", "............."});
        });
        RegisterBitmapResource("KAVFONTPS", [](TBitmap* b) {
            PaintGlyph(b, {".............", "..rrrrrr.....", "..rr...rr....", "..rr...rr....",
                           "..rrrrrr.....", "..rr.........", "..rr..rrrrr..", "..rr.rr......",
                           "..rr..rrrr...", ".........rr..", "......rrrr...", "............."});
        });
        RegisterBitmapResource("KAVFONTPRN", [](TBitmap* b) {
            PaintGlyph(b, {".............", "...wwwwwww...", "...w.....w...", "...w.bbb.w...",
                           ".bbbbbbbbbbb.", "bgggggggggggb", "bgggggggggrgb", "bgggggggggggb",
                           "bbbbbbbbbbbbb", ".bwwwwwwwwwb.", ".bbbbbbbbbbb.", "............."});
        });
        RegisterBitmapResource("KAVFONTBMP", [](TBitmap* b) {
            PaintGlyph(b, {".............", "....bbbb.....", "...bb..bb....", "..bb....bb...",
                           "..bb....bb...", "..bbbbbbbb...", "..bb....bb...", "..bb....bb...",
                           "..bb....bb...", "..bb....bb...", ".............", "............."});
        });
        return true;
    }();
    (void)done;
}

void LoadGlyph(TBitmap* Glyph, const char* Name) {
    if (!Glyph->GetEmpty()) return;
    Glyph->LoadFromResourceName(HInstance, Name);
    Glyph->SetTransparent(true);
}

// The font's kind from its text metrics: vector and device fonts are PostScript fonts,
// vector ones TrueType fonts, device ones printer fonts, the others bitmap fonts.
TKavFontType KindOf(const TEXTMETRIC& tm) {
    const bool vector = tm.tmPitchAndFamily & TMPF_VECTOR;
    const bool device = tm.tmPitchAndFamily & TMPF_DEVICE;
    if (vector && device) return aftPostScript;
    if (vector) return aftTrueType;
    if (device) return aftPrinter;
    return aftBitmap;
}

} // namespace

TKavFontSelector::TKavFontSelector(TComponent* AOwner)
    : TKavCustomComboBox(AOwner), allowed_{aftBitmap,  aftTrueType,   aftPostScript,
                                           aftPrinter, aftFixedPitch, aftProportional},
      glyphTT_(std::make_unique<TBitmap>()), glyphPS_(std::make_unique<TBitmap>()),
      glyphPRN_(std::make_unique<TBitmap>()), glyphBMP_(std::make_unique<TBitmap>()),
      measure_(std::make_unique<TBitmap>()) {
    RegisterGlyphs();
    LoadGlyphs();
    SetFontHeight(12);
}

TKavFontSelector::~TKavFontSelector() = default;

void TKavFontSelector::LoadGlyphs() {
    LoadGlyph(glyphTT_.get(), "KAVFONTTT");
    LoadGlyph(glyphPS_.get(), "KAVFONTPS");
    LoadGlyph(glyphPRN_.get(), "KAVFONTPRN");
    LoadGlyph(glyphBMP_.get(), "KAVFONTBMP");
}

void TKavFontSelector::Loaded() {
    TKavCustomComboBox::Loaded();
    LoadFontNames();
    PopulateListBox();
}

void TKavFontSelector::BeforeDropDown() {
    TKavCustomComboBox::BeforeDropDown();
    if (!Designing()) LoadGlyphs();
    LoadFontNames();
}

TKavFontTypes TKavFontSelector::GetFontType(const AnsiString& Name) {
    if (Loading() || !GetListBox()) return {aftTrueType, aftProportional};
    TCanvas* c = measure_->GetCanvas();
    c->GetFont()->SetName(Name);
    c->GetFont()->SetStyle({});
    TEXTMETRIC tm{};
    GetTextMetrics(c->GetHandle(), &tm);
    TKavFontTypes kinds{KindOf(tm)};
    kinds << ((tm.tmPitchAndFamily & TMPF_FIXED_PITCH) ? aftProportional : aftFixedPitch);
    return kinds;
}

void TKavFontSelector::LoadFontNames() {
    TStringList* items = GetItems();
    items->BeginUpdate();
    items->Clear();
    TStrings* fonts = Screen->GetFonts();
    for (int i = 0; i < fonts->GetCount(); ++i) {
        const AnsiString name = fonts->GetStrings(i);
        if ((GetFontType(name) - allowed_).Empty()) items->Add(name);
    }
    items->EndUpdate();
}

void TKavFontSelector::DropDownOnDrawItem(TWinControl*, int Index, TRect Rect,
                                          TOwnerDrawState State) {
    TListBox* list = GetListBox();
    TCanvas* c = list->GetCanvas();
    const AnsiString name = list->GetItems()->GetStrings(Index);
    c->GetFont()->SetName(name);
    c->GetFont()->SetStyle({});
    c->GetFont()->SetSize(list->GetFont()->GetSize());
    TEXTMETRIC tm{};
    GetTextMetrics(c->GetHandle(), &tm);
    const TKavFontType kind = KindOf(tm);
    // Names of symbol fonts would come out as symbols: they are drawn in the control's font.
    if (!showFontStyle_ || tm.tmCharSet != ANSI_CHARSET) {
        c->GetFont()->SetName(GetFont()->GetName());
        c->GetFont()->SetSize(GetFont()->GetSize());
    }
    c->GetFont()->SetColor(list->GetFont()->GetColor());
    DrawRowBackground(c, Rect, State);
    c->GetBrush()->SetStyle(bsClear);
    TRect text = RowTextRect(Index, Rect);
    if (showFontGlyph_) {
        TBitmap* glyph = kind == aftTrueType     ? glyphTT_.get()
                         : kind == aftPostScript ? glyphPS_.get()
                         : kind == aftPrinter    ? glyphPRN_.get()
                                                 : glyphBMP_.get();
        if (!glyph->GetEmpty()) c->Draw(Rect.Left + 2, Rect.Top + 2, glyph);
        text.Left += 16;
    }
    DrawText(c->GetHandle(), name.c_str(), name.Length(), &text, DT_SINGLELINE | DT_VCENTER);
    c->GetBrush()->SetStyle(bsSolid);
    DrawRecentSeparator(c, Index, Rect);
}
