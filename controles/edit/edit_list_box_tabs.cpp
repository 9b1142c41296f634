// TEditListBox: tab stops in pixels, tab stops fitted to the contents, the horizontal
// extent of the widest item, and the flat scroll bars.

#include "controles/edit/edit_list_box.h"

#include "plataforma/gui/kernel/flat_scroll_bars.h"
#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Fewer than this many tab items take effect; with more the list keeps its default stops.
constexpr int kMaxTabs = 20;

} // namespace

// --- tab items ---

void TTabPositionItem::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TTabPositionItem*>(Source);
    if (!s) return TCollectionItem::Assign(Source);
    tabPosition_ = s->tabPosition_;
    tabType_ = s->tabType_;
    Changed(false);
}

void TTabPositionItem::SetTabPosition(int Value) {
    tabPosition_ = Value;
    if (auto* c = dynamic_cast<TTabPositionCollection*>(GetCollection()))
        if (c->GetListBox()) c->GetListBox()->TabsChanged();
}

void TTabPositionItem::SetTabType(TTabType Value) {
    tabType_ = Value;
    if (auto* c = dynamic_cast<TTabPositionCollection*>(GetCollection()))
        if (c->GetListBox()) c->GetListBox()->TabsChanged();
}

TTabPositionCollection::TTabPositionCollection(TEditListBox* Owner)
    : TCollection([](TCollection* c) { return new TTabPositionItem(c); }), owner_(Owner) {}

TPersistent* TTabPositionCollection::GetOwner() const {
    return owner_;
}

// --- stops ---

void TEditListBox::TabsChanged() {
    SetTabStops();
    UpdateHScrollBar();
    Invalidate();
}

void TEditListBox::SetTabStops() {
    const int n = tabPositions_->GetCount();
    if (n < 1 || n >= kMaxTabs) return;
    TCanvas* c = MeasureCanvas();
    c->SetFont(GetFont());
    const int unit = c->TextWidth("x");
    // A font without width leaves the stops where they are.
    if (unit <= 0) return;
    std::vector<int> stops;
    for (int i = 0; i < n; ++i) {
        const TTabPositionItem* t = tabPositions_->GetItem(i);
        const int du = t->GetTabPosition() * 4 / unit;
        stops.push_back(t->GetTabType() == tabright ? -du : du);
    }
    Perform(LB_SETTABSTOPS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(stops.data()));
}

void TEditListBox::OptimizeTabs(int Margin) {
    TCanvas* c = MeasureCanvas();
    c->SetFont(GetFont());
    std::vector<int> widths(kMaxTabs + 1, 0);
    int maxTabs = 0;
    TStrings* items = GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
        const std::string s = items->GetStrings(i).str();
        int column = 0;
        size_t from = 0;
        for (;;) {
            const size_t tab = s.find('\t', from);
            const bool last = tab == std::string::npos || column >= kMaxTabs;
            const std::string part = last ? s.substr(from) : s.substr(from, tab - from);
            widths[static_cast<size_t>(column)] =
                std::max(widths[static_cast<size_t>(column)], c->TextWidth(AnsiString(part)));
            if (last) break;
            from = tab + 1;
            ++column;
        }
        maxTabs = std::max(maxTabs, column);
    }
    if (items->GetCount() > 0) {
        int pos = Margin;
        for (int i = 1; i <= maxTabs; ++i) {
            TTabPositionItem* t = i <= tabPositions_->GetCount() ? tabPositions_->GetItem(i - 1)
                                                                 : tabPositions_->Add();
            const int w = widths[static_cast<size_t>(i - 1)];
            t->SetTabPosition(t->GetTabType() == tabright ? w + pos + widths[static_cast<size_t>(i)]
                                                          : w + pos);
            pos += w + Margin;
        }
    }
    Invalidate();
}

int TEditListBox::GetMaxStringExtent() {
    TCanvas* c = MeasureCanvas();
    c->SetFont(GetFont());
    HDC dc = c->GetHandle();
    const int n = tabPositions_->GetCount();
    std::vector<int> stops;
    if (n >= 1 && n < kMaxTabs)
        for (int i = 0; i < n; ++i)
            stops.push_back(tabPositions_->GetItem(i)->GetTabPosition());
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    int widest = 0;
    TStrings* items = GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
        const AnsiString s = items->GetStrings(i);
        int w;
        if (n == 0) {
            w = c->TextWidth(s) + tm.tmAveCharWidth;
        } else {
            const DWORD e =
                GetTabbedTextExtent(dc, s.c_str(), s.Length(), static_cast<int>(stops.size()),
                                    stops.empty() ? nullptr : stops.data());
            w = LOWORD(e);
        }
        widest = std::max(widest, w);
    }
    maxExtent_ = widest;
    return widest;
}

// --- scroll bars ---

void TEditListBox::UpdateHScrollExtent() {
    if (updateCount_ > 0 || !HandleAllocated()) return;
    if (GetCount() > 0 && scrollHorizontal_) {
        if (GetMaxStringExtent() <= GetClientWidth()) {
            Perform(LB_SETHORIZONTALEXTENT, 0, 0);
            Perform(WM_HSCROLL, SB_LEFT, 0);
            ShowScrollBar(GetHandle(), SB_HORZ, FALSE);
            FlatShowScrollBar(SB_HORZ, false);
        } else {
            FlatShowScrollBar(SB_HORZ, true);
            Perform(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(maxExtent_), 0);
        }
    } else {
        Perform(LB_SETHORIZONTALEXTENT, 0, 0);
        Perform(WM_HSCROLL, SB_LEFT, 0);
    }
}

void TEditListBox::UpdateHScrollBar() {
    UpdateHScrollExtent();
    if (!HandleAllocated()) return;
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    if (GetScrollInfo(GetHandle(), SB_HORZ, &info)) FlatSetScrollInfo(SB_HORZ, info, true);
}

void TEditListBox::UpdateVScrollBar() {
    if (!HandleAllocated()) return;
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    if (GetScrollInfo(GetHandle(), SB_VERT, &info)) FlatSetScrollInfo(SB_VERT, info, true);
}

void TEditListBox::UpdateStyle() {
    const int mode = FlatScrollMode(scrollStyle_);
    FlatSetScrollProp(WSB_PROP_VSTYLE, mode, true);
    FlatSetScrollProp(WSB_PROP_HSTYLE, mode, true);
}

void TEditListBox::UpdateColor() {
    FlatSetScrollProp(WSB_PROP_VBKGCOLOR, static_cast<int>(scrollColor_), true);
    FlatSetScrollProp(WSB_PROP_HBKGCOLOR, static_cast<int>(scrollColor_), true);
}

void TEditListBox::UpdateWidth() {
    FlatSetScrollProp(WSB_PROP_CXVSCROLL, scrollWidth_, true);
    FlatSetScrollProp(WSB_PROP_CYHSCROLL, scrollWidth_, true);
}

void TEditListBox::SetScrollStyle(TScrollStyle Value) {
    if (HandleAllocated() && (scrollStyle_ == ssNormal) != (Value == ssNormal)) {
        if (Value == ssNormal)
            UninitializeFlatSB(GetHandle());
        else
            InitializeFlatSB(GetHandle());
    }
    const bool toFlat = scrollStyle_ == ssNormal && Value != ssNormal;
    scrollStyle_ = Value;
    UpdateStyle();
    // Width and colour set while the bars were regular take effect now.
    if (toFlat) {
        UpdateWidth();
        UpdateColor();
    }
}

void TEditListBox::SetScrollColor(TColor Value) {
    scrollColor_ = Value;
    UpdateColor();
}

void TEditListBox::SetScrollWidth(int Value) {
    scrollWidth_ = Value;
    UpdateWidth();
}

void TEditListBox::SetScrollHorizontal(bool Value) {
    scrollHorizontal_ = Value;
    UpdateHScrollBar();
}

void TEditListBox::FlatSetScrollPos(int Bar, int Pos, bool Redraw) {
    if (HandleAllocated()) FlatSB_SetScrollPos(GetHandle(), Bar, Pos, Redraw);
}

void TEditListBox::FlatSetScrollInfo(int Bar, const SCROLLINFO& Info, bool Redraw) {
    if (HandleAllocated()) FlatSB_SetScrollInfo(GetHandle(), Bar, &Info, Redraw);
}

void TEditListBox::FlatSetScrollProp(int Property, int Value, bool Redraw) {
    if (HandleAllocated())
        FlatSB_SetScrollProp(GetHandle(), static_cast<UINT>(Property), Value, Redraw);
}

void TEditListBox::FlatShowScrollBar(int Bar, bool Show) {
    if (HandleAllocated()) FlatSB_ShowScrollBar(GetHandle(), Bar, Show);
}
