#pragma once
// The class library's printer: one document at a time, drawn through its Canvas page by page,
// on the system's default printer (no dialog) or, with an output file set, into a PDF file.
//
// The canvas works at 96 device units per inch, as the screen does, so fonts sized in points
// print at their size. A PDF is A4 with no margins (the whole sheet is the page); a system
// printer keeps its own paper and its printable area.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/exceptions.h"

#include <memory>

enum TPrinterOrientation { poPortrait, poLandscape };

class TCanvas;

// What the printer raises: no printer, a document begun twice, a page or end without one.
class EPrinter : public Exception {
public:
    using Exception::Exception;
};

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Starts a document on page 1. Raises EPrinter while printing, or when there is neither
    // an output file nor a default printer.
    void BeginDoc();
    // Ends the document: the file is written or the job goes to the printer.
    void EndDoc();
    // Ends the page and starts the next one.
    void NewPage();
    // Drops the document: nothing reaches the printer and no output file is left.
    void Abort();

    bool GetPrinting() const { return printing_; }
    bool GetAborted() const { return aborted_; }
    int GetPageNumber() const { return pageNumber_; }
    // The page's size in device units (96 per inch).
    int GetPageWidth() const;
    int GetPageHeight() const;
    TPrinterOrientation GetOrientation() const { return orientation_; }
    // Raises EPrinter while printing.
    void SetOrientation(TPrinterOrientation Value);
    // The job's name (the PDF's title).
    AnsiString GetTitle() const { return title_; }
    void SetTitle(const AnsiString& Value) { title_ = Value; }
    // A PDF file to print into instead of the printer; empty for the printer.
    AnsiString GetOutputFile() const { return outputFile_; }
    void SetOutputFile(const AnsiString& Value) { outputFile_ = Value; }
    // Draws on the current page while printing.
    TCanvas* GetCanvas() const { return canvas_.get(); }

private:
    struct Job;
    std::unique_ptr<Job> job_;
    std::unique_ptr<TCanvas> canvas_;
    TPrinterOrientation orientation_ = poPortrait;
    AnsiString title_, outputFile_;
    bool printing_ = false, aborted_ = false;
    int pageNumber_ = 0;
    void Finish();
    void CheckPrinting() const;
};

// The program's printer.
TPrinter* Printer();
