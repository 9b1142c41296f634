// TCustomMemo: the multi-line edit and its Lines.

#include "plataforma/gui/widgets/memo.h"

#include "plataforma/gui/widgets/edit_backend.h"

#include <vector>

namespace {

// The memo's text as lines: each line's start and length in the text; a final line break
// ends the last line without starting another.
struct Lineas {
    explicit Lineas(const AnsiString& texto) : t(texto.str()) {
        size_t inicio = 0;
        while (inicio < t.size()) {
            size_t fin = t.find_first_of("\r\n", inicio);
            if (fin == std::string::npos) {
                partes.push_back({inicio, t.size() - inicio});
                break;
            }
            partes.push_back({inicio, fin - inicio});
            inicio = fin + ((t[fin] == '\r' && fin + 1 < t.size() && t[fin + 1] == '\n') ? 2 : 1);
        }
    }
    int Count() const { return static_cast<int>(partes.size()); }
    AnsiString Line(int i) const {
        return AnsiString(
            t.substr(partes[static_cast<size_t>(i)].first, partes[static_cast<size_t>(i)].second));
    }
    int Start(int i) const { return static_cast<int>(partes[static_cast<size_t>(i)].first); }
    int End(int i) const {
        return static_cast<int>(partes[static_cast<size_t>(i)].first +
                                partes[static_cast<size_t>(i)].second);
    }

    std::string t;
    std::vector<std::pair<size_t, size_t>> partes;
};

class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}

    int GetCount() const override { return Lineas(memo_->GetText()).Count(); }

    AnsiString GetStrings(int Index) const override {
        Lineas l(memo_->GetText());
        if (Index < 0 || Index >= l.Count()) IndexError(Index);
        return l.Line(Index);
    }

    void SetStrings(int Index, const AnsiString& S) override {
        Lineas l(memo_->GetText());
        if (Index < 0 || Index >= l.Count()) IndexError(Index);
        memo_->ReplaceRange(l.Start(Index), l.End(Index), S);
    }

    void Insert(int Index, const AnsiString& S) override {
        Lineas l(memo_->GetText());
        if (Index < 0 || Index > l.Count()) IndexError(Index);
        if (Index < l.Count()) {
            memo_->ReplaceRange(l.Start(Index), l.Start(Index), S + "\r\n");
        } else if (l.Count() == 0) {
            memo_->ReplaceRange(0, 0, S + "\r\n");
        } else {
            // After the last line: its break may be missing.
            const int fin = l.End(l.Count() - 1);
            const bool conSalto = fin < static_cast<int>(l.t.size());
            if (conSalto)
                memo_->ReplaceRange(static_cast<int>(l.t.size()), static_cast<int>(l.t.size()),
                                    S + "\r\n");
            else
                memo_->ReplaceRange(fin, fin, "\r\n" + S);
        }
    }

    void Delete(int Index) override {
        Lineas l(memo_->GetText());
        if (Index < 0 || Index >= l.Count()) IndexError(Index);
        const int fin = Index + 1 < l.Count() ? l.Start(Index + 1) : static_cast<int>(l.t.size());
        memo_->ReplaceRange(l.Start(Index), fin, "");
    }

    void Clear() override { memo_->SetText(""); }
    AnsiString GetText() const override { return memo_->GetText(); }
    void SetText(const AnsiString& Text) override { memo_->SetText(Text); }

private:
    TCustomMemo* memo_;
};

} // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), lines_(std::make_unique<TMemoStrings>(this)) {
    SetBounds(0, 0, 185, 89);
    SetAutoSize(false);
}

TCustomMemo::~TCustomMemo() {
    Destroying();
    DestroyHandle();
}

void TCustomMemo::SetWordWrap(bool Value) {
    if (wordWrap_ == Value) return;
    wordWrap_ = Value;
    RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    if (scrollBars_ == Value) return;
    scrollBars_ = Value;
    RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
    if (wordWrap_) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (wantReturns_) Params.Style |= ES_WANTRETURN;
    Params.Style |= MemoScrollStyle(scrollBars_);
    if (alignment_ == taRightJustify) Params.Style |= ES_RIGHT;
    if (alignment_ == taCenter) Params.Style |= ES_CENTER;
}

EditBackend* TCustomMemo::CreateBackend(QWidget* ParentWidget) {
    const DWORD bars = MemoScrollStyle(scrollBars_);
    return CreateMemoBackend(this, ParentWidget, wordWrap_, bars & WS_HSCROLL, bars & WS_VSCROLL);
}

void TCustomMemo::DefaultHandler(TMessage& Message) {
    TCustomEdit::DefaultHandler(Message);
    MemoDialogCode(Message, wantTabs_, wantReturns_);
}

void TCustomMemo::KeyPress(char& Key) {
    TCustomEdit::KeyPress(Key);
    if (Key == '\r' && !wantReturns_) Key = 0;
}

void TCustomMemo::ReplaceRange(int Start, int End, const AnsiString& Text) {
    if (EnsureBackend()) {
        Perform(EM_SETSEL, static_cast<WPARAM>(Start), End);
        Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Text.c_str()));
        return;
    }
    AnsiString t = GetText();
    SetText(t.SubString(1, Start) + Text + t.SubString(End + 1, t.Length() - End));
}

DWORD MemoScrollStyle(TScrollStyle ScrollBars) {
    DWORD style = 0;
    if (ScrollBars == ssHorizontal || ScrollBars == ssBoth) style |= WS_HSCROLL;
    if (ScrollBars == ssVertical || ScrollBars == ssBoth) style |= WS_VSCROLL;
    return style;
}

void MemoDialogCode(TMessage& Message, bool WantTabs, bool WantReturns) {
    if (Message.Msg != WM_GETDLGCODE) return;
    if (WantTabs)
        Message.Result |= DLGC_WANTTAB;
    else
        Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!WantReturns) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}
