// TKavStringGrid: the binary form. A plain run of component images: the grid's size and the
// sizes of the rectangle's lines, then for each cell with a text or properties its place and
// text, its properties, its graphic and the graphic's object. A stream is outside input:
// every record is checked, and the whole stream is read once before the grid changes, so
// that a bad record raises EKavGridError with the grid as it was.
#include "controles/grid/kav_grid.h"
#include "controles/grid/storage/file_support.h"
#include "controles/grid/storage/grid_io.h"
#include "plataforma/base/filer.h"
#include "plataforma/base/streams.h"

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

using namespace grid_files;

namespace {

// The start of every refusal of a stream.
const char kInvalid[] = "Los datos de la rejilla no son válidos: ";

// Kinds whose graphic holds an object of its own.
bool CarriesObject(TCellType Kind) {
    switch (Kind) {
    case ctBitmap:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        return true;
    default:
        return false;
    }
}

// The shown columns among real columns From .. To.
int ShownBetween(TKavStringGrid& G, int From, int To) {
    int n = 0;
    for (int x = From; x <= To; ++x)
        if (!G.IsHiddenColumn(x)) ++n;
    return n;
}

// A stream of shown columns counts a block's span, and a covered cell's distance to its base,
// in shown columns, where the grid counts real ones: a hidden column inside the block takes
// no place in the stream. A block whose base is hidden, or that keeps one cell, is written as
// single cells.
void SpansAsShown(TKavStringGrid& G, TCellProperties& P, int RealCol, int ARow) {
    if (P.GetCellSpanX() < 0 || P.GetCellSpanY() < 0) return;
    const TPoint base = G.BaseCell(RealCol, ARow);
    const TPoint span = G.CellSpan(base.x, base.y);
    const int shownSpan = ShownBetween(G, base.x + 1, base.x + span.x);
    if (G.IsHiddenColumn(base.x) || (shownSpan == 0 && span.y == 0)) {
        P.SetCellSpanX(-1);
        P.SetCellSpanY(-1);
        P.SetIsBaseCell(true);
        return;
    }
    P.SetCellSpanX(P.GetIsBaseCell() ? shownSpan : ShownBetween(G, base.x + 1, RealCol));
}

AnsiString JoinSizes(const std::vector<int>& Lines, int (TCustomGrid::*Size)(int) const,
                     const TCustomGrid& G) {
    std::string s;
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i > 0) s += ',';
        AppendInt(s, (G.*Size)(Lines[i]));
    }
    return AnsiString(s);
}

std::vector<int> Run(int From, int To) {
    std::vector<int> v;
    for (int i = From; i <= To; ++i)
        v.push_back(i);
    return v;
}

// Every helper of one save or load.
struct Helpers {
    explicit Helpers(TComponent* Owner)
        : prop(Owner), cell(Owner), cellProp(Owner, nullptr), graphic(Owner), bmp(Owner),
          icon(Owner), pic(Owner), filePic(Owner), strings(Owner) {}
    TGridPropIO prop;
    TGridCellIO cell;
    TGridCellPropIO cellProp;
    TGridGraphicIO graphic;
    TGridBMPIO bmp;
    TGridIconIO icon;
    TGridPicIO pic;
    TGridFilePicIO filePic;
    TGridSLIO strings;
};

// Reads one record into Helper; its name is cleared so that the same helper reads again.
void ReadRecord(TStream* Stream, TComponent* Helper) {
    Stream->ReadComponent(Helper);
    Helper->SetName("");
}

} // namespace

void TKavStringGrid::SaveToBinFile(const AnsiString& FileName) {
    TMemoryStream m;
    SaveToBinStream(&m);
    m.SaveToFile(FileName);
}

void TKavStringGrid::LoadFromBinFile(const AnsiString& FileName) {
    TMemoryStream m;
    try {
        m.LoadFromFile(FileName);
    } catch (const EFOpenError&) {
        throw EKavGridError("Cannot open file " + FileName);
    }
    LoadFromBinStream(&m);
}

void TKavStringGrid::SaveToBinStream(TStream* Stream) {
    // The shown columns, each read at its real column.
    if (storeFixedCells_)
        SaveRectToBinStream(TRect(0, 0, GetColCount() - 1, GetRowCount() - 1), Stream, true);
    else
        SaveRectToBinStream(
            TRect(GetFixedCols(), GetFixedRows(), GetColCount() - 1, GetRowCount() - 1), Stream,
            true);
}

void TKavStringGrid::SaveRectToBinStream(const TRect& Rect, TStream* Stream, bool Shown) {
    SaveLinesToBinStream(Run(Rect.Left, Rect.Right), Run(Rect.Top, Rect.Bottom), Stream, Shown);
}

void TKavStringGrid::SaveLinesToBinStream(const std::vector<int>& Cols,
                                          const std::vector<int>& Rows, TStream* Stream,
                                          bool Shown) {
    Helpers h(nullptr);
    const int width = static_cast<int>(Cols.size()), height = static_cast<int>(Rows.size());
    h.prop.ColCount = width;
    h.prop.RowCount = height;
    h.prop.ColWidths = JoinSizes(Cols, &TCustomGrid::GetColWidths, *this);
    h.prop.RowHeights = JoinSizes(Rows, &TCustomGrid::GetRowHeights, *this);
    h.prop.FullGrid = storeFixedCells_ ? GetRowCount() == height && GetColCount() == width
                                       : GetRowCount() - GetFixedRows() == height &&
                                             GetColCount() - GetFixedCols() == width;
    h.prop.ID = HandleAllocated() ? static_cast<int>(reinterpret_cast<intptr_t>(GetHandle())) : 0;
    Stream->WriteComponent(&h.prop);
    ExportNotification(0, -1);
    Progress progress(this);
    for (int j = 0; j < height; ++j) {
        const int r = Rows[j];
        ExportNotification(1, r);
        for (int i = 0; i < width; ++i) {
            const int c = Cols[i], sc = Shown ? RemapCol(c) : c;
            const TCellProperties* props = FindCellProperties(sc, r);
            h.cell.Cell = GetGridCell(sc, r);
            if (h.cell.Cell.IsEmpty() && !props) continue;
            h.cell.Col = Cols[0] + i;
            h.cell.Row = Rows[0] + j;
            h.cell.HasProp = props != nullptr;
            Stream->WriteComponent(&h.cell);
            if (!props) continue;
            h.cellProp.GetCellProperties()->CopyAll(*props);
            if (Shown && NumHiddenColumns() > 0)
                SpansAsShown(*this, *h.cellProp.GetCellProperties(), sc, r);
            TCellGraphic* g = GetCellGraphic(sc, r);
            h.cellProp.HasGraphic =
                g && g->CellType != ctEmpty && !(CarriesObject(g->CellType) && !g->CellCreated);
            Stream->WriteComponent(&h.cellProp);
            if (!h.cellProp.HasGraphic) continue;
            h.graphic.GetCellGraphic()->Assign(g);
            Stream->WriteComponent(&h.graphic);
            switch (g->CellType) {
            case ctBitmap:
            case ctBitButton:
                h.bmp.GetBitmap()->Assign(dynamic_cast<TBitmap*>(g->CellBitmap));
                Stream->WriteComponent(&h.bmp);
                break;
            case ctIcon:
                h.icon.GetIcon()->Assign(g->CellIcon);
                Stream->WriteComponent(&h.icon);
                break;
            case ctRadio:
                h.strings.GetStrings()->Clear();
                if (auto* items = dynamic_cast<TStrings*>(g->CellBitmap))
                    h.strings.GetStrings()->Assign(*items);
                Stream->WriteComponent(&h.strings);
                break;
            case ctImages:
                h.strings.GetStrings()->Clear();
                if (auto* list = dynamic_cast<TIntList*>(g->CellBitmap))
                    h.strings.GetStrings()->SetCommaText(list->GetStrValue());
                Stream->WriteComponent(&h.strings);
                break;
            case ctPicture:
                h.pic.GetPicture()->Assign(dynamic_cast<TPicture*>(g->CellBitmap));
                Stream->WriteComponent(&h.pic);
                break;
            case ctFilePicture: {
                TFilePicture empty;
                auto* fp = dynamic_cast<TFilePicture*>(g->CellBitmap);
                h.filePic.GetPicture()->Assign(fp ? fp : &empty);
                Stream->WriteComponent(&h.filePic);
                break;
            }
            default:
                break;
            }
        }
        progress.Step(j, height - 1);
    }
    ExportNotification(2, -1);
}

void TKavStringGrid::LoadFromBinStream(TStream* Stream) {
    LoadAtPointFromBinStream(TPoint(0, 0), Stream, true);
    nodeCount_ = 0;
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        if (GetCellType(0, r) == ctNode) ++nodeCount_;
    if (nodeCount_ > 0) RepaintCol(0);
}

namespace {

// The sizes of a "w1,w2,..." list, as many as Count at most; EKavGridError for an item
// that is not a size.
std::vector<int> SplitSizes(const AnsiString& List, int Count) {
    std::vector<int> sizes;
    const std::string& s = List.str();
    size_t start = 0;
    while (start <= s.size() && static_cast<int>(sizes.size()) < Count && !s.empty()) {
        size_t comma = s.find(',', start);
        if (comma == std::string::npos) comma = s.size();
        int v = 0;
        if (!ParseInt(std::string_view(s).substr(start, comma - start), v) || v < 0)
            throw EKavGridError(kInvalid + AnsiString("el tamaño de una línea"));
        sizes.push_back(v);
        start = comma + 1;
    }
    return sizes;
}

// Reads the object record of a graphic; when the cell is in the grid (G given) a new object
// of the graphic's own, copied from the record, is returned.
template <class IO, class Object>
Object* ReadObjectInto(TStream* Stream, TCellGraphic* G, Object* (IO::*Get)()) {
    IO io(nullptr);
    ReadRecord(Stream, &io);
    if (!G) return nullptr;
    auto* object = new Object();
    if constexpr (std::is_base_of_v<TStrings, Object>)
        object->Assign(*(io.*Get)());
    else
        object->Assign((io.*Get)());
    G->CellCreated = 1;
    return object;
}

// The same for the objects kept as the graphic's bitmap.
template <class IO, class Object>
TCellGraphic* ReadObject(TStream* Stream, TCellGraphic* G, Object* (IO::*Get)()) {
    if (Object* object = ReadObjectInto<IO, Object>(Stream, G, Get)) G->CellBitmap = object;
    return G;
}

} // namespace

void TKavStringGrid::LoadAtPointFromBinStream(TPoint Point, TStream* Stream, bool Shown,
                                              bool Paste) {
    Helpers h(nullptr);
    try {
        ReadRecord(Stream, &h.prop);
        const TGridPropIO& p = h.prop;
        // Without the fixed cells the stored area is the normal cells, at their own indexes:
        // the grid keeps its fixed lines before them.
        const int fc = storeFixedCells_ ? 0 : GetFixedCols();
        const int fr = storeFixedCells_ ? 0 : GetFixedRows();
        std::vector<int> widths, heights;
        if (p.FullGrid) {
            if (!SizeAllowed(p.ColCount, p.RowCount) || p.ColCount < 1 || p.RowCount < 1 ||
                !SizeAllowed(int64_t(p.ColCount) + fc, int64_t(p.RowCount) + fr))
                throw EKavGridError(kInvalid + AnsiString("el tamaño de la rejilla"));
            widths = SplitSizes(p.ColWidths, p.ColCount);
            heights = SplitSizes(p.RowHeights, p.RowCount);
        }
        // The cell records, only read when Apply is false (so that a stream that fails
        // part-way is refused before the grid changes), else into the grid.
        // The blocks landed through the column map, merged again by real columns once every
        // cell is in: a hidden column inside a block becomes part of it.
        struct Landed {
            int Col, Row, ShownCol, SpanX, SpanY;
        };
        std::vector<Landed> blocks;
        const auto readCells = [&](bool Apply) {
            bool first = true;
            int64_t x0 = 0, y0 = 0;
            while (Stream->GetPosition() < Stream->GetSize() - 1) {
                h.cell.Cell = AnsiString();
                h.cell.HasProp = false;
                ReadRecord(Stream, &h.cell);
                if (first && !p.FullGrid) {
                    x0 = h.cell.Col;
                    y0 = h.cell.Row;
                }
                first = false;
                const int64_t tc = h.cell.Col + int64_t(Point.x) - x0;
                const int64_t tr = h.cell.Row + int64_t(Point.y) - y0;
                // A cell that lands outside the grid is read and left out.
                const bool inside =
                    Apply && tc >= 0 && tr >= 0 && tc < GetColCount() && tr < GetRowCount() &&
                    (!Paste || ClipboardTakes(static_cast<int>(tc), static_cast<int>(tr)));
                const int row = static_cast<int>(tr);
                const int col =
                    Shown && inside ? RemapCol(static_cast<int>(tc)) : static_cast<int>(tc);
                if (inside) SetCellEx(col, row, h.cell.Cell);
                if (!h.cell.HasProp) continue;
                TGridCellPropIO cellProp(nullptr, nullptr);
                ReadRecord(Stream, &cellProp);
                TCellProperties* target = nullptr;
                if (inside) {
                    target = GetCellProperties(col, row);
                    const TCellProperties& read = *cellProp.GetCellProperties();
                    target->Assign(cellProp.GetCellProperties());
                    target->SetBrushColorTo(read.GetBrushColorTo());
                    target->SetOwnerCol(col);
                    target->SetOwnerRow(row);
                    // A merged block must lie inside the grid; one cut by the grid's edge is
                    // not merged here.
                    const int sx = read.GetCellSpanX(), sy = read.GetCellSpanY();
                    const bool merged = sx >= 0 && sy >= 0;
                    const bool fits = read.GetIsBaseCell()
                                          ? tc + sx < GetColCount() && tr + sy < GetRowCount()
                                          : tc - sx >= 0 && tr - sy >= 0;
                    if (merged && !fits) {
                        target->SetCellSpanX(-1);
                        target->SetCellSpanY(-1);
                        target->SetIsBaseCell(true);
                    } else if (merged && Shown && read.GetIsBaseCell() && NumHiddenColumns() > 0) {
                        blocks.push_back({col, row, static_cast<int>(tc), sx, sy});
                    }
                }
                if (!cellProp.HasGraphic) continue;
                TGridGraphicIO graphicIO(nullptr);
                ReadRecord(Stream, &graphicIO);
                const TCellGraphic& read = *graphicIO.GetCellGraphic();
                TCellGraphic* g = nullptr;
                if (inside) {
                    g = CreateCellGraphic(col, row);
                    g->Assign(graphicIO.GetCellGraphic());
                    g->CellCreated = 0;
                }
                switch (read.CellType) {
                case ctBitmap:
                case ctBitButton:
                    g = ReadObject<TGridBMPIO, TBitmap>(Stream, g, &TGridBMPIO::GetBitmap);
                    break;
                case ctIcon:
                    if (TIcon* icon =
                            ReadObjectInto<TGridIconIO, TIcon>(Stream, g, &TGridIconIO::GetIcon))
                        g->CellIcon = icon;
                    break;
                case ctRadio:
                    g = ReadObject<TGridSLIO, TStringList>(Stream, g, &TGridSLIO::GetStrings);
                    break;
                case ctImages: {
                    TGridSLIO io(nullptr);
                    ReadRecord(Stream, &io);
                    if (!g) break;
                    // The list is the graphic's own, as AddMultiImage makes it: it is saved
                    // again and its changes repaint the cell.
                    auto list = std::make_unique<TIntList>(col, row);
                    list->SetStrValue(io.GetStrings()->GetCommaText());
                    list->OnChange = [this](TObject* Sender, int c, int r) {
                        MultiImageChanged(Sender, c, r);
                    };
                    g->CellBitmap = list.release();
                    g->CellCreated = 1;
                    break;
                }
                case ctPicture:
                    g = ReadObject<TGridPicIO, TPicture>(Stream, g, &TGridPicIO::GetPicture);
                    break;
                case ctFilePicture:
                    g = ReadObject<TGridFilePicIO, TFilePicture>(Stream, g,
                                                                 &TGridFilePicIO::GetPicture);
                    break;
                default:
                    break;
                }
            }
        };
        const int64_t start = Stream->GetPosition();
        readCells(false);
        Stream->SetPosition(start);
        if (p.FullGrid) {
            Clear();
            SetRowCount(p.RowCount + fr);
            SetColCount(p.ColCount + fc);
            for (size_t i = 0; i < widths.size(); ++i)
                SetColWidths(fc + static_cast<int>(i), widths[i]);
            for (size_t i = 0; i < heights.size(); ++i)
                SetRowHeights(fr + static_cast<int>(i), heights[i]);
        }
        readCells(true);
        for (const Landed& b : blocks) {
            const int last = RemapCol(b.ShownCol + b.SpanX);
            if (last >= b.Col) MergeCells(b.Col, b.Row, last - b.Col + 1, b.SpanY + 1);
        }
    } catch (const EStreamError& e) {
        throw EKavGridError(kInvalid + e.Message);
    } catch (const EConvertError& e) {
        throw EKavGridError(kInvalid + e.Message);
    }
}
