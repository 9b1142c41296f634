#pragma once
// DocxDocument: a word-processor document in the Office Open XML format (.docx), made new or
// read from a file, to which a table of texts is added: after the paragraph that holds a
// bookmark, or at the end of the document. Everything else in the file stays as it was; the
// document's part is checked as untrusted input (EOfficeError, nothing changed).

#include "plataforma/base/ansi_string.h"
#include "plataforma/office/office_xml.h"

#include <functional>
#include <memory>
#include <string>

class ZipPackage;

enum class DocxAlignment { Left, Right, Center };

class DocxDocument {
public:
    // Gives the text and alignment of the cell at Row, Col (from 0).
    using CellSource =
        std::function<void(int Row, int Col, AnsiString& Text, DocxAlignment& Align)>;

    // A new, empty A4 document that shows no spelling marks.
    DocxDocument();
    // The document of a file, whatever its extension: ELegacyOfficeFile for a binary document
    // of the earlier format, EOfficeError for anything else that is not a sound document.
    explicit DocxDocument(const AnsiString& FileName);
    ~DocxDocument();
    DocxDocument(const DocxDocument&) = delete;
    DocxDocument& operator=(const DocxDocument&) = delete;

    // Whether the document has a bookmark of that name.
    bool HasBookmark(const AnsiString& Name) const;
    // Adds a table of Rows × Cols cells with single borders, followed by an empty paragraph,
    // after the top-level paragraph or table that holds the bookmark's start; at the end of
    // the document (before its last section's properties) when there is no such bookmark.
    // Each line end of a text (CR LF, a lone CR, a lone LF) becomes a line break, tabs tabs;
    // other control characters are left out. The texts are in the given form.
    void AddTable(const AnsiString& Bookmark, int Rows, int Cols, const CellSource& Source,
                  office_xml::TextForm Form = office_xml::TextForm::Ansi);
    // The document written to the file through a temporary that replaces it only at the end.
    void SaveAs(const AnsiString& FileName);

private:
    void Load();
    // The main part's tree, parsed from its text when a table has changed it.
    xmlDoc* Tree() const;

    std::unique_ptr<ZipPackage> package_;
    std::string mainPart_;
    std::string main_; // the main part's text, as changed
    mutable office_xml::DocPtr tree_;
};
