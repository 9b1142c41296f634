// XlsxWorkbook: a block of texts written from A1 into a worksheet. The sheet's tree keeps
// everything but the cells of the block; the rows are then written as text in the place of
// the sheet's data, so that a large block never becomes a tree.
#include "plataforma/base/cp1252.h"
#include "plataforma/office/cell_reference.h"
#include "plataforma/office/xlsx_text.h"
#include "plataforma/office/xlsx_workbook.h"
#include "plataforma/office/zip_package.h"

#include <charconv>
#include <map>
#include <memory>
#include <set>

using namespace office_xml;

namespace {

const xmlChar* X(const char* S) {
    return reinterpret_cast<const xmlChar*>(S);
}

// A cell of the block, as text; an empty text is no cell.
void AppendCell(std::string& Out, const std::string& P, int Col, int Row, const AnsiString& Text,
                TextForm Form) {
    if (Text.IsEmpty()) return;
    Out += '<' + P + "c r=\"" + cell_reference::ColumnLetters(Col) + std::to_string(Row) + '"';
    std::string number;
    if (xlsx_text::AsNumber(Text, number)) {
        Out += "><" + P + "v>" + number + "</" + P + "v></" + P + "c>";
    } else {
        Out += " t=\"inlineStr\"><" + P + "is><" + P + "t xml:space=\"preserve\">" +
               xlsx_text::Encode(Form == TextForm::Utf8 ? Text.str() : cp1252::ToUtf8(Text.str())) + "</" + P + "t></" + P + "is></" + P + "c>";
    }
}

} // namespace

void XlsxWorkbook::WriteWorksheet(int Index, int Rows, int Cols, const RowSource& Source,
                                  TextForm Form) {
    const Sheet& sheet = SheetAt(Index);
    const AnsiString& file = package_->Name();
    const DocPtr doc = Parse(package_->Read(sheet.Part), sheet.Part, file);
    xmlNode* root = xmlDocGetRootElement(doc.get());
    const auto bad = [&](const char* Why) {
        throw EOfficeError("El fichero " + file + " está dañado: la parte " +
                           AnsiString(sheet.Part) + " " + Why);
    };
    if (Name(root) != "worksheet") bad("no es una hoja de cálculo");
    xmlNode* data = Child(root, "sheetData");
    if (!data) {
        // In its place: after the sheet's properties, dimension, views, format and columns.
        xmlNode* after = nullptr;
        for (xmlNode* n = root->children; n; n = n->next) {
            const std::string_view name = Name(n);
            if (name == "sheetPr" || name == "dimension" || name == "sheetViews" ||
                name == "sheetFormatPr" || name == "cols")
                after = n;
        }
        data = xmlNewNode(root->ns, X("sheetData"));
        if (after)
            xmlAddNextSibling(after, data);
        else if (root->children)
            xmlAddPrevSibling(root->children, data);
        else
            xmlAddChild(root, data);
    }

    // The rows there were: the block's cells leave them, the others get their references
    // written out (cells are about to be put before them).
    struct OldRow {
        int Number;
        xmlNode* Node;
    };
    std::vector<OldRow> old;
    std::set<std::string> lostMasters;
    struct FreeNode {
        void operator()(xmlNode* N) const { xmlFreeNode(N); }
    };
    using NodePtr = std::unique_ptr<xmlNode, FreeNode>;
    std::map<std::pair<int, int>, NodePtr> unshown; // by row and column
    int lastCol = Cols, lastRow = Rows, row = 0;
    for (xmlNode* r = Child(data, "row"); r; r = Next(r, "row")) {
        int number = row + 1;
        if (HasAttr(r, "r")) {
            const std::string t = Attr(r, "r");
            const auto res = std::from_chars(t.data(), t.data() + t.size(), number);
            if (res.ec != std::errc() || res.ptr != t.data() + t.size())
                bad("tiene una fila no válida");
        }
        if (number <= row || number > cell_reference::kMaxRow) bad("tiene las filas desordenadas");
        row = number;
        xmlSetProp(r, X("r"), X(std::to_string(row).c_str()));
        xmlUnsetProp(r, X("spans"));
        int col = 0;
        for (xmlNode* c = Child(r, "c"); c;) {
            xmlNode* next = Next(c, "c");
            int at = col + 1, cellRow = row;
            if (HasAttr(c, "r") && !cell_reference::Parse(Attr(c, "r"), at, cellRow))
                bad("tiene una referencia de celda no válida");
            if (at <= col || cellRow != row || at > cell_reference::kMaxCol)
                bad("tiene las celdas desordenadas");
            col = at;
            if (row <= Rows && col <= Cols) {
                xmlNode* f = Child(c, "f");
                const bool master = f && Attr(f, "t") == "shared" && HasAttr(f, "ref");
                xmlUnlinkNode(c);
                // A formula whose value a load could not show (none stored, an empty one or an
                // error) was an empty cell to the caller: it stays unless the block gives the
                // cell a text. (The first cell of a shared formula goes as before, its sharers
                // told below.)
                const xmlNode* v = Child(c, "v");
                if (f && !master && (!v || !v->children || Attr(c, "t") == "e")) {
                    unshown.emplace(std::make_pair(row, col), NodePtr(c));
                    c = next;
                    continue;
                }
                // A shared formula whose first cell goes: the cells sharing it keep their values.
                if (master) lostMasters.insert(Attr(f, "si"));
                xmlFreeNode(c);
            } else {
                const std::string ref = cell_reference::ColumnLetters(col) + std::to_string(row);
                xmlSetProp(c, X("r"), X(ref.c_str()));
                lastCol = std::max(lastCol, col);
            }
            c = next;
        }
        lastRow = std::max(lastRow, row);
        old.push_back({row, r});
    }
    if (!lostMasters.empty()) {
        for (const OldRow& o : old)
            for (xmlNode* c = Child(o.Node, "c"); c; c = Next(c, "c")) {
                xmlNode* f = Child(c, "f");
                if (f && Attr(f, "t") == "shared" && !HasAttr(f, "ref") &&
                    lostMasters.count(Attr(f, "si"))) {
                    xmlUnlinkNode(f);
                    xmlFreeNode(f);
                }
            }
    }
    if (xmlNode* dim = Child(root, "dimension")) {
        const std::string ref = "A1:" + cell_reference::ColumnLetters(std::max(lastCol, 1)) +
                                std::to_string(std::max(lastRow, 1));
        xmlSetProp(dim, X("ref"), X(ref.c_str()));
    }

    // The rows as text: the block's rows (with the cells an old row keeps after the block),
    // the old rows among and after them.
    const std::string p = root->ns && root->ns->prefix
                              ? std::string(reinterpret_cast<const char*>(root->ns->prefix)) + ":"
                              : std::string();
    std::string rows;
    std::vector<AnsiString> texts(static_cast<size_t>(std::max(Cols, 0)));
    size_t o = 0;
    for (int r = 1; r <= Rows; ++r) {
        for (AnsiString& t : texts)
            t = AnsiString();
        Source(r - 1, texts);
        xmlNode* existing = o < old.size() && old[o].Number == r ? old[o++].Node : nullptr;
        if (existing)
            AppendStartTag(rows, existing);
        else
            rows += '<' + p + "row r=\"" + std::to_string(r) + "\">";
        for (int c = 1; c <= Cols; ++c) {
            const AnsiString& t = texts[static_cast<size_t>(c - 1)];
            const auto kept = t.IsEmpty() ? unshown.find({r, c}) : unshown.end();
            if (kept == unshown.end()) {
                AppendCell(rows, p, c, r, t, Form);
                continue;
            }
            // A kept cell sharing the formula of a first cell that went has nothing left.
            const xmlNode* f = Child(kept->second.get(), "f");
            if (Attr(f, "t") != "shared" || !lostMasters.count(Attr(f, "si")))
                AppendNode(rows, doc.get(), kept->second.get());
        }
        if (existing) {
            for (xmlNode* n = existing->children; n; n = n->next)
                AppendNode(rows, doc.get(), n);
            AppendEndTag(rows, existing);
        } else {
            rows += "</" + p + "row>";
        }
    }
    for (; o < old.size(); ++o)
        AppendNode(rows, doc.get(), old[o].Node);

    // The sheet's text with the rows in the place of an empty node of the sheet's data.
    while (data->children) {
        xmlNode* n = data->children;
        xmlUnlinkNode(n);
        xmlFreeNode(n);
    }
    xmlNode* slot = xmlAddChild(data, xmlNewComment(X("")));
    std::string text = SerializeReplacing(doc.get(), slot, rows);
    package_->Put(sheet.Part, std::move(text));
    DropCalcChain();
}
