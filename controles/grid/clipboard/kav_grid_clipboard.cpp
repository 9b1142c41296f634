// TKavStringGrid: copy, cut and paste through the clipboard, and the clipboard keys. The text
// goes as clip_text writes it; the grid's own format is its binary form, so that text,
// properties and graphics of the cells survive a copy between grids, also between programs.
#include "controles/comun/text_utils.h"
#include "controles/grid/clipboard/clip_text.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/storage/file_support.h"
#include "controles/grid/storage/grid_io.h"
#include "plataforma/base/streams.h"
#include "plataforma/gui/services/clipboard.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// The clipboard opened for one step and closed on every way out.
class OpenedClipboard {
public:
    OpenedClipboard() : open_(OpenClipboard(nullptr) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// A block of the given bytes for the clipboard.
HGLOBAL BlockOf(const void* Bytes, size_t Size) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, Size);
    if (!h) return nullptr;
    void* p = GlobalLock(h);
    if (!p) {
        GlobalFree(h);
        return nullptr;
    }
    if (Size) std::memcpy(p, Bytes, Size);
    GlobalUnlock(h);
    return h;
}

// Adds one format to what the clipboard holds.
void AddFormat(UINT Format, const std::string& Bytes) {
    HGLOBAL h = BlockOf(Bytes.data(), Bytes.size());
    if (!h) return;
    OpenedClipboard clip;
    if (!clip.IsOpen() || !SetClipboardData(Format, h)) GlobalFree(h);
}

// The bytes of a format on the clipboard; false when it has none.
bool ReadFormat(UINT Format, std::string& Bytes) {
    OpenedClipboard clip;
    if (!clip.IsOpen()) return false;
    HANDLE h = GetClipboardData(Format);
    const void* p = h ? GlobalLock(h) : nullptr;
    if (!p) return false;
    Bytes.assign(static_cast<const char*>(p), GlobalSize(h));
    GlobalUnlock(h);
    return true;
}

template <class Ch> std::basic_string<Ch> BreaksAsByte11(const std::basic_string<Ch>& S) {
    std::basic_string<Ch> r;
    r.reserve(S.size());
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] == Ch('\r') && i + 1 < S.size() && S[i + 1] == Ch('\n')) {
            r += Ch('\x0B');
            ++i;
        } else {
            r += S[i];
        }
    }
    return r;
}

// The grid's own format: the grid record, never of the whole grid, then an optional first
// cell, then the cells of Bytes from From on.
std::string ClipboardCells(TGridPropIO& Prop, TGridCellIO* First, const std::string& Bytes,
                           int64_t From) {
    TMemoryStream out;
    Prop.FullGrid = false;
    Prop.SetName("");
    out.WriteComponent(&Prop);
    if (First) out.WriteComponent(First);
    out.WriteBuffer(Bytes.data() + From, static_cast<int64_t>(Bytes.size()) - From);
    return out.Bytes();
}

std::u16string Widen(const std::string& S) {
    return WideString(AnsiString(S)).str();
}

} // namespace

// --- copy ---

AnsiString TKavStringGrid::ClipboardCellText(int ACol, int ARow) {
    AnsiString t = SaveCell(RemapCol(ACol), ARow);
    if (!GetNavigation()->GetCopyHTMLTagsToClipboard() && t.Pos("</") > 0)
        t = GetStrippedCell(RemapCol(ACol), ARow);
    else if (t.Pos("{\\") > 0)
        t = RichTextPlain(t);
    return t;
}

void TKavStringGrid::AppendClipboardRow(const std::vector<int>& Cols, int ARow, bool LineEnd,
                                        clip_text::BlockText& Out) {
    std::string& text = Out.Text;
    std::u16string& wide = Out.Wide;
    std::string cell;
    std::u16string wideCell;
    bool first = true;
    for (int c : Cols) {
        if (!first) {
            text += '\t';
            if (Out.HasWide) wide += u'\t';
        }
        first = false;
        AnsiString t = ClipboardCellText(c, ARow);
        const bool wideText = t.str().compare(0, 2, "|\\") == 0;
        if (wideText && !Out.HasWide) {
            wide = Widen(text);
            Out.HasWide = true;
        }
        // With ClipboardCSVLineFeeds a cell of several lines goes quoted, each CR LF as the
        // byte 11.
        const bool csvBreaks = ClipboardCSVLineFeeds && LinesInText(t, GetMultilinecells()) > 1;
        if (wideText) {
            wideCell = DecodeWideStr(t).str();
            if (csvBreaks) wideCell = BreaksAsByte11(wideCell);
            clip_text::AppendField(wide, wideCell, csvBreaks);
            clip_text::AppendField(text, WideString(wideCell).ToAnsiString().str(), csvBreaks);
            continue;
        }
        cell = csvBreaks ? BreaksAsByte11(t.str()) : t.str();
        clip_text::AppendField(text, cell, csvBreaks);
        if (Out.HasWide) clip_text::AppendField(wide, Widen(cell), csvBreaks);
    }
    if (LineEnd) {
        text += "\r\n";
        if (Out.HasWide) wide += u"\r\n";
    }
}

void TKavStringGrid::CopyFunc(const TRect& R, bool Disjunct) {
    clipOrigin_ = TPoint(R.Left, R.Top);
    ExportNotification(esExportStart, -1);
    const bool allRows =
        GetFixedRowsEx() >= R.Top && GetRowCountEx() - 1 - GetFixedFooters() <= R.Bottom;
    for (int r = R.Top; r <= R.Bottom; ++r)
        ExportNotification(allRows ? esExportNewRow : esExportSelRow, r);

    TMouseActions* ma = GetMouseActions();
    const bool skipRows = Disjunct && ma->GetDisjunctRowSelect() && !ma->GetDisjunctColSelect();
    const bool skipCols = Disjunct && ma->GetDisjunctColSelect();
    // The rows and columns copied: in disjunct mode only those selected one by one.
    std::vector<int> rows, cols;
    for (int r = R.Top; r <= R.Bottom; ++r)
        if (!skipRows || GetRowSelect(RowSelectIndex(TShownRow(r)))) rows.push_back(r);
    for (int c = R.Left; c <= R.Right; ++c)
        if (!skipCols || GetColSelect(c)) cols.push_back(c);
    const bool lineEnds = R.Top < R.Bottom;
    clip_text::BlockText out;
    size_t next = 0; // the next copied row
    for (int r = R.Top; r <= R.Bottom; ++r) {
        ExportNotification(esExportNewRow, r);
        if (next == rows.size() || rows[next] != r) continue;
        ++next;
        AppendClipboardRow(cols, r, lineEnds, out);
    }
    Clipboard()->Open();
    Clipboard()->SetAsText(AnsiString(std::move(out.Text)));
    if (out.HasWide) {
        out.Wide += u'\0';
        Clipboard()->SetBuffer(CF_UNICODETEXT, out.Wide.data(),
                               static_cast<int>(out.Wide.size() * 2));
    }
    Clipboard()->Close();
    if (GetNavigation()->GetAllowRTFClipboard()) CopyRTFFunc(TShownCol(R.Left), TShownRow(R.Top));
    // The grid's own format holds the same cells as the text, packed.
    if (GetNavigation()->GetAllowFmtClipboard() && !rows.empty() && !cols.empty())
        CopyBinLines(cols, rows);
    ExportNotification(esExportDone, -1);
}

void TKavStringGrid::CopyBinFunc(const TRect& R) {
    std::vector<int> rows, cols;
    for (int r = R.Top; r <= R.Bottom; ++r)
        rows.push_back(r);
    for (int c = R.Left; c <= R.Right; ++c)
        cols.push_back(c);
    if (!rows.empty() && !cols.empty()) CopyBinLines(cols, rows);
}

void TKavStringGrid::CopyBinLines(const std::vector<int>& Cols, const std::vector<int>& Rows) {
    const TPoint at(Cols[0], Rows[0]);
    TMemoryStream m;
    SaveLinesToBinStream(Cols, Rows, &m, true);
    // A paste lands the first stored cell on its point: the block's first cell is stored
    // always, empty or not, so that the block lands where it is put.
    m.SetPosition(0);
    TGridPropIO prop(nullptr);
    m.ReadComponent(&prop);
    const int64_t cells = m.GetPosition();
    bool anchored = false;
    if (cells < m.GetSize() - 1) {
        TGridCellIO first(nullptr);
        m.ReadComponent(&first);
        anchored = first.Col == at.x && first.Row == at.y;
    }
    TGridCellIO anchor(nullptr);
    anchor.Col = at.x;
    anchor.Row = at.y;
    AddFormat(GetGridClipboardFormat(),
              ClipboardCells(prop, anchored ? nullptr : &anchor, m.Bytes(), cells));
}

void TKavStringGrid::CopyRTFFunc(TShownCol ACol, TShownRow ARow) {
    const AnsiString t = GetCellEx(ToReal(ACol).Value(), ARow.Value());
    if (t.Pos("{\\") == 0) return;
    AddFormat(RegisterClipboardFormat("Rich Text Format"),
              std::string(t.c_str(), static_cast<size_t>(t.Length()) + 1));
}

void TKavStringGrid::CopyToClipBoard() {
    CopyFunc(TRect(GetSaveStartCol(), GetSaveStartRow(), GetSaveEndCol(), GetSaveEndRow()), false);
    lastClipOp_ = coCopy;
}

void TKavStringGrid::CopyToClipBoardAsHTML() {
    // The system's HTML fragment, also as text; the last operation stays.
    AnsiString fragment = SaveToHTMLString();
    MakeFragment(fragment);
    Clipboard()->Open();
    Clipboard()->SetBuffer(static_cast<WORD>(RegisterClipboardFormat("HTML Format")),
                           fragment.c_str(), fragment.Length());
    Clipboard()->SetAsText(fragment);
    Clipboard()->Close();
}

void TKavStringGrid::CopyBlockToClipboard() {
    CorrectSelection();
    const TGridRect s = GetSelection();
    CopyFunc(TRect(s.Left, s.Top, s.Right, s.Bottom), false);
    lastClipOp_ = coCopy;
}

void TKavStringGrid::CopySelectionToClipboard() {
    TMouseActions* ma = GetMouseActions();
    if (!ma->GetDisjunctRowSelect() && !ma->GetDisjunctColSelect()) return CopyBlockToClipboard();
    CorrectSelection();
    CopyFunc(TRect(GetSaveStartCol(), GetSaveStartRow(), GetSaveEndCol(), GetSaveEndRow()), true);
    lastClipOp_ = coCopy;
}

// --- cut ---

bool TKavStringGrid::ClipboardWritable(int ACol, int ARow) {
    return GetNavigation()->GetAllowClipboardAlways() || IsEditable(ACol, ARow);
}

bool TKavStringGrid::ClipboardTakes(int ACol, int ARow) {
    return ACol >= 0 && ARow >= 0 && ACol < PasteColLimit() && ARow < PasteRowLimit() &&
           ClipboardWritable(RemapCol(ACol), ARow);
}

void TKavStringGrid::CutToClipboard() {
    const TRect R(GetSaveStartCol(), GetSaveStartRow(), GetSaveEndCol(), GetSaveEndRow());
    CopyFunc(R, false);
    for (int r = R.Top; r <= R.Bottom; ++r)
        for (int c = R.Left; c <= R.Right; ++c) {
            const int real = RemapCol(c);
            if (ClipboardWritable(real, r)) SetCellEx(real, r, AnsiString());
        }
    lastClipOp_ = coCut;
    CellsChanged(TRect(RemapCol(R.Left), R.Top, RemapCol(R.Right), R.Bottom));
}

void TKavStringGrid::CutSelectionToClipboard() {
    CopySelectionToClipboard();
    // What the copy took goes, and only that: the copied columns of the marked rows or the
    // copied rows of the marked columns (their fixed and hidden cells stay), or the
    // selection. The properties of a cell go with its text only with the grid's own format;
    // a cell that may not be changed keeps both.
    TMouseActions* ma = GetMouseActions();
    const bool cols = ma->GetDisjunctColSelect(), rows = !cols && ma->GetDisjunctRowSelect();
    const TGridRect s = rows || cols ? TGridRect{GetSaveStartCol(), GetSaveStartRow(),
                                                 GetSaveEndCol(), GetSaveEndRow()}
                                     : GetSelection();
    const bool persistent = ma->GetRowSelectPersistent();
    const bool props = GetNavigation()->GetAllowFmtClipboard();
    for (int c = s.Left; c <= s.Right; ++c) {
        if (cols && !GetColSelect(c)) continue;
        for (int r = s.Top; r <= s.Bottom; ++r) {
            if (rows && !GetRowSelect(persistent ? RemapRowInv(r) : r)) continue;
            const int real = RealColIndex(c);
            if (!ClipboardWritable(real, r)) continue;
            SetCellEx(real, r, AnsiString());
            if (props) ClearPropCell(real, r);
        }
    }
    lastClipOp_ = coCut;
    if (NumHiddenColumns() >= 1) Invalidate();
    CellsChanged(TRect(RemapCol(s.Left), s.Top, RemapCol(s.Right), s.Bottom));
}

// --- paste ---

void TKavStringGrid::PasteFromClipboard() {
    ImportNotification(isImportStart, -1);
    wholeGridPaste_ = true;
    PasteFunc(GetSaveStartCol(), GetSaveStartRow());
    ImportNotification(isImportDone, -1);
}

int TKavStringGrid::PasteFunc(int ACol, int ARow) {
    pastedBlock_ = TRect(0, 0, -1, -1);
    TNavigation* nav = GetNavigation();
    const UINT cells = RegisterClipboardFormat("TKavStringGrid Cells");
    if (nav->GetAllowFmtClipboard() && IsClipboardFormatAvailable(cells)) {
        // The same gate as the text's: a grid that may not be edited takes nothing.
        if (!GetOptions().Contains(goEditing) && !nav->GetAllowClipboardAlways() &&
            !GetMouseActions()->GetRangeSelectAndEdit() && !editOverride_)
            return 0;
        std::string bytes;
        if (!ReadFormat(cells, bytes) || bytes.empty()) return 0;
        TMemoryStream m;
        m.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        m.SetPosition(0);
        TGridPropIO prop(nullptr);
        try {
            m.ReadComponent(&prop);
        } catch (const EStreamError& e) {
            throw EKavGridError("Invalid binary grid data: " + e.Message);
        }
        if (prop.ColCount < 1 || prop.RowCount < 1 ||
            !grid_files::SizeAllowed(prop.ColCount, prop.RowCount))
            throw EKavGridError("Invalid binary grid data: grid size");
        // The block replaces the shown cells under it that a paste may write, and only
        // those: a block of the whole grid is pasted as any other, not loaded over the grid.
        const int right =
            static_cast<int>(std::min<int64_t>(int64_t(ACol) + prop.ColCount, PasteColLimit()) - 1);
        const int bottom =
            static_cast<int>(std::min<int64_t>(int64_t(ARow) + prop.RowCount, PasteRowLimit()) - 1);
        for (int r = ARow; r <= bottom; ++r)
            for (int c = ACol; c <= right; ++c)
                if (ClipboardTakes(c, r)) SetCellEx(RemapCol(c), r, AnsiString());
        TMemoryStream block;
        const std::string data = ClipboardCells(prop, nullptr, m.Bytes(), m.GetPosition());
        block.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
        block.SetPosition(0);
        LoadAtPointFromBinStream(TPoint(ACol, ARow), &block, true, true);
        const TRect R(ACol, ARow, ACol + prop.ColCount - 1, ARow + prop.RowCount - 1);
        const bool own = HandleAllocated() &&
                         prop.ID == static_cast<int>(reinterpret_cast<intptr_t>(GetHandle()));
        PasteNotify(own ? clipOrigin_ : TPoint(-1, -1), R, lastClipOp_);
        pastedBlock_ = TRect(ACol, ARow, right, bottom);
        return prop.ColCount * prop.RowCount;
    }
    const UINT rtf = RegisterClipboardFormat("Rich Text Format");
    if (nav->GetAllowRTFClipboard() && IsClipboardFormatAvailable(rtf)) {
        std::string bytes;
        if (!ReadFormat(rtf, bytes)) return 0;
        const AnsiString text(bytes.substr(0, bytes.find('\0')));
        if (IsEditable(RemapCol(ACol), ARow)) PasteInCell(ACol, ARow, text);
        return 0;
    }
    if (!IsClipboardFormatAvailable(CF_TEXT)) return 0;
    // Text with characters that the code page lacks is read as Unicode: those fields become
    // wide cells. Such a character is a "?" in the 8-bit text, so only an 8-bit text holding
    // one sends the paste to the Unicode text, which is looked at where the clipboard holds it
    // and taken only when the code page lacks one of its characters. The clipboard is closed
    // before any cell is written.
    std::u16string wide;
    std::string bytes;
    {
        OpenedClipboard clip;
        if (!clip.IsOpen()) return 0;
        HANDLE h = GetClipboardData(CF_TEXT);
        const char* text = h ? static_cast<const char*>(GlobalLock(h)) : nullptr;
        if (!text) return 0;
        bytes.assign(text, GlobalSize(h));
        GlobalUnlock(h);
        if (bytes.find('?') != std::string::npos)
            if (HANDLE u = GetClipboardData(CF_UNICODETEXT)) {
                const auto* units = static_cast<const char16_t*>(GlobalLock(u));
                std::u16string_view w(units, units ? GlobalSize(u) / 2 : 0);
                w = w.substr(0, w.find(u'\0'));
                if (!clip_text::FitsCodePage(w)) wide.assign(w);
                GlobalUnlock(u);
            }
    }
    if (!wide.empty()) return PasteFields(ACol, ARow, wide.data(), wide.data() + wide.size());
    return PasteText(ACol, ARow, AnsiString(std::move(bytes)));
}

int TKavStringGrid::PasteText(int ACol, int ARow, const AnsiString& Text) {
    // The text ends at a zero byte, as the clipboard's does.
    const std::string& s = Text.str();
    return PasteFields(ACol, ARow, s.data(), s.data() + std::min(s.size(), s.find('\0')));
}

namespace {

// A field read as the grid keeps it: in a quoted field the bytes 11 are line breaks; a
// field of UTF-16 text becomes 8-bit text, or a wide cell when the code page lacks one of
// its characters.
template <class Ch> void Byte11AsBreaks(std::basic_string<Ch>& Field) {
    if (Field.find(Ch('\x0B')) == std::basic_string<Ch>::npos) return;
    std::basic_string<Ch> r;
    for (Ch c : Field)
        if (c == Ch('\x0B')) {
            r += Ch('\r');
            r += Ch('\n');
        } else {
            r += c;
        }
    Field = std::move(r);
}
AnsiString CellOf(std::string& Field, bool Quoted) {
    if (Quoted) Byte11AsBreaks(Field);
    return AnsiString(std::move(Field));
}
AnsiString CellOf(std::u16string& Field, bool Quoted) {
    if (Quoted) Byte11AsBreaks(Field);
    if (clip_text::FitsCodePage(Field)) return WideString(Field).ToAnsiString();
    return EncodeWideStr(WideString(Field));
}

} // namespace

template <class Ch>
int TKavStringGrid::PasteFields(int ACol, int ARow, const Ch* Begin, const Ch* End) {
    pastedCells_ = 0;
    if (ACol < 0 || ARow < 0) return 0;
    TNavigation* nav = GetNavigation();
    if (!GetOptions().Contains(goEditing) && !nav->GetAllowClipboardAlways() &&
        !GetMouseActions()->GetRangeSelectAndEdit() && !editOverride_)
        return 0;
    clip_text::Reader<Ch> reader(Begin, End);
    std::basic_string<Ch> field;

    // The size the text needs, so that the grid grows before any cell is written: every
    // line counts but the empty one after a last line break.
    int64_t lines = 0, widest = 0, fields = 0;
    bool afterBreak = false;
    while (!reader.AtEnd()) {
        const auto stop = reader.Next(field);
        ++fields;
        if (stop == clip_text::Reader<Ch>::Tab) continue;
        const bool emptyLast =
            stop == clip_text::Reader<Ch>::End && field.empty() && fields == 1 && afterBreak;
        afterBreak = stop == clip_text::Reader<Ch>::LineEnd;
        const int64_t written = emptyLast ? 0 : fields;
        if (written > 0) {
            ++lines;
            widest = std::max(widest, written);
        }
        fields = 0;
    }
    const bool footerRow = FooterIsLastRow();
    auto rowLimit = [&] { return PasteRowLimit(); };
    const int64_t needCols =
        std::min<int64_t>(ACol + widest, grid_files::kMaxCols - fixedRightCols_);
    // New columns come after the last normal one: before the fixed right columns, which
    // stay the last, or else behind the hidden ones, which keep their cells.
    if (nav->GetAllowClipboardColGrow() && needCols > PasteColLimit()) {
        const int more = static_cast<int>(needCols - PasteColLimit());
        if (fixedRightCols_ > 0)
            InsertCols(RemapCol(PasteColLimit()), more);
        else if (NumHiddenColumns() > 0)
            InsertCols(TotalColCount(), more);
        else
            SetColCount(static_cast<int>(needCols));
    }
    const int64_t needRows = std::min<int64_t>(ARow + lines, grid_files::kMaxRows - 1);
    // New rows come before a footer row, which stays the last with its calculations.
    if (nav->GetAllowClipboardRowGrow() && needRows > rowLimit()) {
        const int more = static_cast<int>(needRows - rowLimit());
        if (footerRow)
            InsertRows(GetRowCountEx() - 1, more);
        else
            SetRowCount(GetRowCountEx() + more);
    }

    const int state = wholeGridPaste_ ? isImportNewRow : isImportSelRow;
    int count = 0, c = ACol, r = ARow, maxCol = ACol, lastRow = ARow;
    bool firstInLine = true;
    afterBreak = false;
    reader.Rewind();
    ImportNotification(state, r);
    while (!reader.AtEnd()) {
        const auto stop = reader.Next(field);
        ++count;
        // The empty line after the last line break is no cell.
        const bool lastEmpty =
            stop == clip_text::Reader<Ch>::End && field.empty() && afterBreak && firstInLine;
        firstInLine = stop == clip_text::Reader<Ch>::LineEnd;
        if (firstInLine) afterBreak = true;
        if (!lastEmpty) {
            lastRow = r;
            maxCol = std::max(maxCol, c);
            // A field that falls on a covered cell of a merged block is dropped: the block
            // keeps the field pasted on its base cell.
            if (ClipboardTakes(c, r) && IsBaseCell(RemapCol(c), r)) {
                AnsiString value = CellOf(field, reader.Quoted());
                bool allow = true;
                if (value.str().compare(0, 2, "|\\") == 0) {
                    if (OnClipboardBeforePasteWideCell) {
                        WideString w = DecodeWideStr(value);
                        OnClipboardBeforePasteWideCell(this, c, r, w, allow);
                        value = EncodeWideStr(w);
                    }
                } else if (OnClipboardBeforePasteCell) {
                    OnClipboardBeforePasteCell(this, c, r, value, allow);
                }
                if (allow) {
                    PasteInCell(c, r, value);
                    ++pastedCells_;
                }
            }
        }
        ++c;
        if (stop == clip_text::Reader<Ch>::LineEnd) {
            c = ACol;
            ++r;
            ImportNotification(state, r);
        }
    }
    TRect R(ACol, ARow, std::min(maxCol, PasteColLimit() - 1), std::min(lastRow, rowLimit() - 1));
    PasteNotify(clipOrigin_, R, lastClipOp_);
    pastedBlock_ = count > 0 ? R : TRect(0, 0, -1, -1);
    R.Left = RemapCol(R.Left);
    R.Right = RemapCol(R.Right);
    CellsChanged(R);
    return count;
}

TPoint TKavStringGrid::PasteSize(const AnsiString& Text) {
    const std::string& s = Text.str();
    clip_text::Reader<char> reader(s.data(), s.data() + std::min(s.size(), s.find('\0')));
    std::string field;
    int x = 0, y = 0, fields = 0;
    bool empty = true;
    while (!reader.AtEnd()) {
        const auto stop = reader.Next(field);
        ++fields;
        empty = empty && field.empty();
        if (stop == clip_text::Reader<char>::Tab) continue;
        if (!(stop == clip_text::Reader<char>::End && empty && fields == 1))
            x = std::max(x, fields);
        if (stop == clip_text::Reader<char>::LineEnd && !(empty && fields == 1)) ++y;
        fields = 0;
        empty = true;
    }
    return TPoint(x, y);
}

void TKavStringGrid::PasteInCell(int ACol, int ARow, const AnsiString& Value) {
    const int real = RemapCol(ACol);
    if (!HasCheckBox(real, ARow))
        SetCellEx(real, ARow, Value);
    else
        SetCheckBoxState(real, ARow, Value == GetCheckTrue(real, ARow));
    if (real != ACol) RepaintCell(ACol, ARow);
}

void TKavStringGrid::CorrectSelection() {
    TGridRect s = GetSelection();
    const TGridRect old = s;
    // The corners' blocks, as shown: the selection is in shown columns.
    const TRect first = ShownFullCell(TShownCol(s.Left), s.Top);
    s.Left = std::min(s.Left, first.Left);
    s.Top = std::min(s.Top, first.Top);
    const TRect last = ShownFullCell(TShownCol(s.Right), s.Bottom);
    s.Right = std::max(s.Right, last.Right);
    s.Bottom = std::max(s.Bottom, last.Bottom);
    if (!(s == old)) SetSelection(s);
}

// --- the keys ---

bool TKavStringGrid::ClipboardShortCut(WORD Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    enum { None, Cut, Paste, Copy } op = None;
    if (ctrl && Key == 'X')
        op = Cut;
    else if (ctrl && Key == 'V')
        op = Paste;
    else if (ctrl && (Key == VK_INSERT || Key == 'C'))
        op = Copy;
    else if (shift && Key == VK_INSERT)
        op = Paste;
    else if (shift && Key == VK_DELETE)
        op = Cut;
    if (op == None) return false;
    bool allow = true;
    const TGridAllowEvent& event = op == Cut     ? OnClipboardCut
                                   : op == Paste ? OnClipboardPaste
                                                 : OnClipboardCopy;
    if (event) event(this, allow);
    if (!allow) return true;
    if (op == Cut)
        CutSelectionToClipboard();
    else if (op == Paste)
        PasteSelectionFromClipboard();
    else
        CopySelectionToClipboard();
    return true;
}
