#include "controles/grid/storage/grid_io.h"

#include "plataforma/base/filer.h"

#include <cstring>
#include <iterator>

namespace {

const char* const kAlignment[] = {"taLeftJustify", "taRightJustify", "taCenter"};
const char* const kVAlignment[] = {"vtaTop", "vtaCenter", "vtaBottom"};
const char* const kBrushStyle[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                   "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
const char* const kFontStyle[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
const char* const kEditor[] = {
    "edNormal",          "edSpinEdit",     "edComboEdit",    "edComboList",
    "edEditBtn",         "edCheckBox",     "edDateEdit",     "edDateEditUpDown",
    "edTimeEdit",        "edButton",       "edDataCheckBox", "edNumeric",
    "edPositiveNumeric", "edFloat",        "edCapital",      "edMixedCase",
    "edPassword",        "edUnitEditBtn",  "edLowerCase",    "edUpperCase",
    "edFloatSpinEdit",   "edTimeSpinEdit", "edDateSpinEdit", "edNumericEditBtn",
    "edFloatEditBtn",    "edCustom",       "edRichEdit",     "edNone",
    "edUniEdit",         "edUniComboEdit", "edUniComboList", "edUniEditBtn",
    "edUniMemo"};
const char* const kCellType[] = {
    "ctBitmap",       "ctIcon",        "ctNone",      "ctImageList",     "ctCheckBox",
    "ctDataCheckBox", "ctRotated",     "ctDataImage", "ctNode",          "ctRadio",
    "ctEmpty",        "ctImages",      "ctPicture",   "ctFilePicture",   "ctValue",
    "ctProgress",     "ctComment",     "ctButton",    "ctBitButton",     "ctVirtCheckBox",
    "ctRowCheckBox",  "ctProgressPie", "ctSummary",   "ctRangeIndicator"};
const char* const kCellVAlign[] = {"vaTop",       "vaBottom",    "vaCenter",
                                   "vaUnderText", "vaAboveText", "vaFull"};
const char* const kCellHAlign[] = {"haLeft",       "haRight",     "haCenter",
                                   "haBeforeText", "haAfterText", "haFull"};

template <size_t N> int IdentIndex(const char* const (&Names)[N], const AnsiString& Ident) {
    for (size_t i = 0; i < N; ++i)
        if (Ident == Names[i]) return static_cast<int>(i);
    throw EReadError("Invalid property value: " + Ident);
}

template <size_t N> const char* IdentName(const char* const (&Names)[N], int Value) {
    return Value >= 0 && static_cast<size_t>(Value) < N ? Names[Value] : Names[0];
}

// A colour is a 32-bit value of any bit pattern.
int ReadColor(TReader& R) {
    return static_cast<int>(static_cast<uint32_t>(R.ReadIntegerIn(INT32_MIN, UINT32_MAX)));
}

bool Is(const AnsiString& Name, const char* Expected) {
    return std::strcmp(Name.c_str(), Expected) == 0;
}

const int kIntMin = INT32_MIN;
const int kIntMax = INT32_MAX;

} // namespace

// --- TGridPropIO ---

void TGridPropIO::WriteProperties(TWriter& W) {
    W.WriteInteger("ColCount", ColCount);
    W.WriteInteger("RowCount", RowCount);
    W.WriteString("ColWidths", ColWidths);
    W.WriteString("RowHeights", RowHeights);
    W.WriteBoolean("FullGrid", FullGrid);
    W.WriteInteger("ID", ID);
}

void TGridPropIO::ReadProperty(const AnsiString& Name, TReader& R) {
    if (Is(Name, "ColCount"))
        ColCount = R.ReadIntegerIn(kIntMin, kIntMax);
    else if (Is(Name, "RowCount"))
        RowCount = R.ReadIntegerIn(kIntMin, kIntMax);
    else if (Is(Name, "ColWidths"))
        ColWidths = R.ReadString();
    else if (Is(Name, "RowHeights"))
        RowHeights = R.ReadString();
    else if (Is(Name, "FullGrid"))
        FullGrid = R.ReadBoolean();
    else if (Is(Name, "ID"))
        ID = static_cast<int>(R.ReadIntegerIn(kIntMin, UINT32_MAX));
    else
        TComponent::ReadProperty(Name, R);
}

// --- TGridCellIO ---

void TGridCellIO::WriteProperties(TWriter& W) {
    W.WriteInteger("Col", Col);
    W.WriteInteger("Row", Row);
    W.WriteString("Cell", Cell);
    W.WriteBoolean("HasProp", HasProp);
}

void TGridCellIO::ReadProperty(const AnsiString& Name, TReader& R) {
    if (Is(Name, "Col"))
        Col = R.ReadIntegerIn(0, kIntMax);
    else if (Is(Name, "Row"))
        Row = R.ReadIntegerIn(0, kIntMax);
    else if (Is(Name, "Cell"))
        Cell = R.ReadString();
    else if (Is(Name, "HasProp"))
        HasProp = R.ReadBoolean();
    else
        TComponent::ReadProperty(Name, R);
}

// --- TGridCellPropIO ---

TGridCellPropIO::TGridCellPropIO(TComponent* AOwner, TBaseGrid* /*Grid*/)
    : TComponent(AOwner), props_(std::make_unique<TCellProperties>(nullptr, -1, -1)) {}

void TGridCellPropIO::WriteProperties(TWriter& W) {
    const TCellProperties& p = *props_;
    W.WriteBoolean("CellProperties.IsBaseCell", p.GetIsBaseCell());
    W.WriteInteger("CellProperties.CellSpanX", p.GetCellSpanX());
    W.WriteInteger("CellProperties.CellSpanY", p.GetCellSpanY());
    W.WriteInteger("CellProperties.OwnerCol", p.GetOwnerCol());
    W.WriteInteger("CellProperties.OwnerRow", p.GetOwnerRow());
    W.WriteIdent("CellProperties.Alignment", IdentName(kAlignment, p.GetAlignment()));
    W.WriteInteger("CellProperties.BorderColor", static_cast<int>(p.GetBorderColor()));
    W.WriteInteger("CellProperties.BorderWidth", p.GetBorderWidth());
    W.WriteInteger("CellProperties.BrushColor", static_cast<int>(p.GetBrushColor()));
    W.WriteInteger("CellProperties.BrushColorTo", static_cast<int>(p.GetBrushColorTo()));
    W.WriteIdent("CellProperties.BrushStyle", IdentName(kBrushStyle, p.GetBrushStyle()));
    W.WriteInteger("CellProperties.FontColor", static_cast<int>(p.GetFontColor()));
    W.WriteString("CellProperties.FontName", p.GetFontName());
    W.WriteInteger("CellProperties.FontSize", p.GetFontSize());
    std::vector<AnsiString> styles;
    for (int i = 0; i < 4; ++i)
        if (p.GetFontStyle().Contains(static_cast<TFontStyle>(i))) styles.push_back(kFontStyle[i]);
    W.WriteSet("CellProperties.FontStyle", styles);
    W.WriteIdent("CellProperties.Editor", IdentName(kEditor, p.GetEditor()));
    W.WriteBoolean("CellProperties.ReadOnly", p.GetReadOnly());
    W.WriteIdent("CellProperties.VAlignment", IdentName(kVAlignment, p.GetVAlignment()));
    W.WriteBoolean("CellProperties.WordWrap", p.GetWordWrap());
    W.WriteInteger("CellProperties.NodeLevel", p.GetNodeLevel());
    W.WriteBoolean("HasGraphic", HasGraphic);
}

void TGridCellPropIO::ReadProperty(const AnsiString& Name, TReader& R) {
    TCellProperties& p = *props_;
    const char* prefix = "CellProperties.";
    if (Is(Name, "HasGraphic")) {
        HasGraphic = R.ReadBoolean();
        return;
    }
    if (std::strncmp(Name.c_str(), prefix, std::strlen(prefix)) != 0) {
        TComponent::ReadProperty(Name, R);
        return;
    }
    const AnsiString n = Name.SubString(static_cast<int>(std::strlen(prefix)) + 1, Name.Length());
    if (Is(n, "IsBaseCell"))
        p.SetIsBaseCell(R.ReadBoolean());
    else if (Is(n, "CellSpanX"))
        p.SetCellSpanX(R.ReadIntegerIn(-1, kIntMax));
    else if (Is(n, "CellSpanY"))
        p.SetCellSpanY(R.ReadIntegerIn(-1, kIntMax));
    else if (Is(n, "OwnerCol"))
        p.SetOwnerCol(R.ReadIntegerIn(kIntMin, kIntMax));
    else if (Is(n, "OwnerRow"))
        p.SetOwnerRow(R.ReadIntegerIn(kIntMin, kIntMax));
    else if (Is(n, "Alignment"))
        p.SetAlignment(static_cast<TAlignment>(IdentIndex(kAlignment, R.ReadIdent())));
    else if (Is(n, "BorderColor"))
        p.SetBorderColor(static_cast<TColor>(ReadColor(R)));
    else if (Is(n, "BorderWidth"))
        p.SetBorderWidth(R.ReadIntegerIn(0, 1000));
    else if (Is(n, "BrushColor"))
        p.SetBrushColor(static_cast<TColor>(ReadColor(R)));
    else if (Is(n, "BrushColorTo"))
        p.SetBrushColorTo(static_cast<TColor>(ReadColor(R)));
    else if (Is(n, "BrushStyle"))
        p.SetBrushStyle(static_cast<TBrushStyle>(IdentIndex(kBrushStyle, R.ReadIdent())));
    else if (Is(n, "FontColor"))
        p.SetFontColor(static_cast<TColor>(ReadColor(R)));
    else if (Is(n, "FontName"))
        p.SetFontName(R.ReadString());
    else if (Is(n, "FontSize"))
        p.SetFontSize(R.ReadIntegerIn(-1000, 1000));
    else if (Is(n, "FontStyle")) {
        TFontStyles styles;
        for (const AnsiString& m : R.ReadSet())
            styles << static_cast<TFontStyle>(IdentIndex(kFontStyle, m));
        p.SetFontStyle(styles);
    } else if (Is(n, "Editor"))
        p.SetEditor(static_cast<TEditorType>(IdentIndex(kEditor, R.ReadIdent())));
    else if (Is(n, "ReadOnly"))
        p.SetReadOnly(R.ReadBoolean());
    else if (Is(n, "VAlignment"))
        p.SetVAlignment(static_cast<TVAlignment>(IdentIndex(kVAlignment, R.ReadIdent())));
    else if (Is(n, "WordWrap"))
        p.SetWordWrap(R.ReadBoolean());
    else if (Is(n, "NodeLevel"))
        p.SetNodeLevel(R.ReadIntegerIn(0, kIntMax));
    else
        TComponent::ReadProperty(Name, R);
}

// --- TGridGraphicIO ---

void TGridGraphicIO::WriteProperties(TWriter& W) {
    const TCellGraphic& g = graphic_;
    W.WriteIdent("CellGraphic.CellType", IdentName(kCellType, g.CellType));
    W.WriteIdent("CellGraphic.CellVAlign", IdentName(kCellVAlign, g.CellVAlign));
    W.WriteIdent("CellGraphic.CellHAlign", IdentName(kCellHAlign, g.CellHAlign));
    W.WriteInteger("CellGraphic.CellIndex", g.CellIndex);
    W.WriteInteger("CellGraphic.CellTransparent", g.CellTransparent);
    W.WriteBoolean("CellGraphic.CellCreated", g.CellCreated != 0);
    W.WriteBoolean("CellGraphic.CellBoolean", g.CellBoolean != 0);
    W.WriteInteger("CellGraphic.CellAngle", g.CellAngle);
    W.WriteInteger("CellGraphic.CellErrFrom", g.CellMarkerStart);
    W.WriteInteger("CellGraphic.CellErrLen", g.CellMarkerLength);
    W.WriteString("CellGraphic.CellText", g.CellCaption);
}

void TGridGraphicIO::ReadProperty(const AnsiString& Name, TReader& R) {
    TCellGraphic& g = graphic_;
    if (Is(Name, "CellGraphic.CellType"))
        g.CellType = static_cast<TCellType>(IdentIndex(kCellType, R.ReadIdent()));
    else if (Is(Name, "CellGraphic.CellVAlign"))
        g.CellVAlign = static_cast<TCellVAlign>(IdentIndex(kCellVAlign, R.ReadIdent()));
    else if (Is(Name, "CellGraphic.CellHAlign"))
        g.CellHAlign = static_cast<TCellHAlign>(IdentIndex(kCellHAlign, R.ReadIdent()));
    else if (Is(Name, "CellGraphic.CellIndex"))
        g.CellIndex = R.ReadIntegerIn(kIntMin, kIntMax);
    else if (Is(Name, "CellGraphic.CellTransparent"))
        g.CellTransparent = static_cast<uint8_t>(R.ReadIntegerIn(0, 255));
    else if (Is(Name, "CellGraphic.CellCreated"))
        g.CellCreated = R.ReadBoolean();
    else if (Is(Name, "CellGraphic.CellBoolean"))
        g.CellBoolean = R.ReadBoolean();
    else if (Is(Name, "CellGraphic.CellAngle"))
        g.CellAngle = R.ReadIntegerIn(0, 360);
    else if (Is(Name, "CellGraphic.CellErrFrom"))
        g.CellMarkerStart = R.ReadIntegerIn(kIntMin, kIntMax);
    else if (Is(Name, "CellGraphic.CellErrLen"))
        g.CellMarkerLength = R.ReadIntegerIn(kIntMin, kIntMax);
    else if (Is(Name, "CellGraphic.CellText"))
        g.CellCaption = R.ReadString();
    else if (Is(Name, "CellGraphic.CellValue"))
        R.SkipValue(); // a value this grid keeps in its text
    else
        TComponent::ReadProperty(Name, R);
}

// --- the graphic objects ---

namespace {

// A bitmap's data: its size in 4 bytes, then the BMP file.
std::string BitmapData(const TBitmap& B) {
    const std::string bmp = B.GetEmpty() ? std::string() : B.SaveToBytes();
    const auto n = static_cast<uint32_t>(bmp.size());
    std::string d = {static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
                     static_cast<char>((n >> 16) & 0xFF), static_cast<char>(n >> 24)};
    return d + bmp;
}

void LoadBitmapData(TBitmap& B, const std::string& Data) {
    if (Data.size() < 4) throw EReadError("Invalid bitmap data");
    const uint32_t n = static_cast<unsigned char>(Data[0]) |
                       (static_cast<unsigned char>(Data[1]) << 8) |
                       (static_cast<unsigned char>(Data[2]) << 16) |
                       (static_cast<uint32_t>(static_cast<unsigned char>(Data[3])) << 24);
    if (n != Data.size() - 4) throw EReadError("Invalid bitmap data");
    if (n == 0) {
        B.Assign(nullptr);
        return;
    }
    try {
        B.LoadFromBytes(Data.substr(4));
    } catch (const Exception& e) {
        throw EReadError("Invalid bitmap data: " + e.Message);
    }
}

} // namespace

void TGridBMPIO::WriteProperties(TWriter& W) {
    W.WriteBinary("Bitmap.Data", BitmapData(bitmap_));
}

void TGridBMPIO::ReadProperty(const AnsiString& Name, TReader& R) {
    if (Is(Name, "Bitmap.Data"))
        LoadBitmapData(bitmap_, R.ReadBinary());
    else
        TComponent::ReadProperty(Name, R);
}

void TGridIconIO::WriteProperties(TWriter& W) {
    if (!icon_.GetEmpty()) W.WriteBinary("Icon.Data", icon_.SaveToBytes());
}

void TGridIconIO::ReadProperty(const AnsiString& Name, TReader& R) {
    if (!Is(Name, "Icon.Data")) {
        TComponent::ReadProperty(Name, R);
        return;
    }
    const std::string data = R.ReadBinary();
    try {
        icon_.LoadFromBytes(data);
    } catch (const Exception& e) {
        throw EReadError("Invalid icon data: " + e.Message);
    }
}

// A picture's data: the class of its graphic as a short string, then the graphic's data
// (a bitmap's as above, any other graphic its file).
void TGridPicIO::WriteProperties(TWriter& W) {
    TGraphic* g = picture_.GetGraphic();
    if (!g || g->GetEmpty()) return;
    std::string d;
    if (auto* b = dynamic_cast<TBitmap*>(g)) {
        d = std::string("\x07TBitmap") + BitmapData(*b);
    } else {
        const char* cls = dynamic_cast<TIcon*>(g) ? "TIcon" : "TGraphic";
        d = static_cast<char>(std::strlen(cls)) + std::string(cls) + g->SaveToBytes();
    }
    W.WriteBinary("Picture.Data", d);
}

void TGridPicIO::ReadProperty(const AnsiString& Name, TReader& R) {
    if (!Is(Name, "Picture.Data")) {
        TComponent::ReadProperty(Name, R);
        return;
    }
    const std::string d = R.ReadBinary();
    if (d.empty() || static_cast<unsigned char>(d[0]) + 1u > d.size())
        throw EReadError("Invalid picture data");
    const size_t n = static_cast<unsigned char>(d[0]);
    const std::string cls = d.substr(1, n);
    const std::string rest = d.substr(1 + n);
    if (cls == "TBitmap") {
        TBitmap b;
        LoadBitmapData(b, rest);
        picture_.SetGraphic(&b);
        return;
    }
    try {
        picture_.LoadFromBytes(rest);
    } catch (const Exception& e) {
        throw EReadError("Invalid picture data: " + e.Message);
    }
}

void TGridFilePicIO::WriteProperties(TWriter& W) {
    W.WriteString("Picture.Filename", picture_.GetFilename());
    W.WriteInteger("Picture.Width", picture_.GetWidth());
    W.WriteInteger("Picture.Height", picture_.GetHeight());
}

void TGridFilePicIO::ReadProperty(const AnsiString& Name, TReader& R) {
    if (Is(Name, "Picture.Filename")) {
        // The picture is drawn from its file when there is one; a file missing here keeps
        // its name and the stored size.
        try {
            picture_.SetFilename(R.ReadString());
        } catch (const EReadError&) {
            throw;
        } catch (const Exception&) {
        }
    } else if (Is(Name, "Picture.Width"))
        picture_.SetWidth(R.ReadIntegerIn(0, kIntMax));
    else if (Is(Name, "Picture.Height"))
        picture_.SetHeight(R.ReadIntegerIn(0, kIntMax));
    else
        TComponent::ReadProperty(Name, R);
}

void TGridSLIO::WriteProperties(TWriter& W) {
    std::vector<AnsiString> items;
    items.reserve(strings_.GetCount());
    for (int i = 0; i < strings_.GetCount(); ++i)
        items.push_back(strings_.GetStrings(i));
    W.WriteStringList("Strings.Strings", items);
}

void TGridSLIO::ReadProperty(const AnsiString& Name, TReader& R) {
    if (!Is(Name, "Strings.Strings")) {
        TComponent::ReadProperty(Name, R);
        return;
    }
    strings_.Clear();
    for (const AnsiString& s : R.ReadStringList())
        strings_.Add(s);
}
