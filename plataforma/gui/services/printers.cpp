// TPrinter on Qt's printer: one painter kept open on it from BeginDoc to EndDoc, lent to the
// canvas.

#include "plataforma/gui/services/printers.h"

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/canvas_device.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
constexpr int kDotsPerInch = 96;
} // namespace

struct TPrinter::Job {
    QPrinter printer{QPrinter::ScreenResolution};
    QPainter painter;
};

TPrinter::TPrinter() : canvas_(std::make_unique<TCanvas>()) {}

TPrinter::~TPrinter() {
    if (printing_) Abort();
}

void TPrinter::CheckPrinting() const {
    if (!printing_) throw EPrinter("Printer is not currently printing");
}

void TPrinter::BeginDoc() {
    if (printing_) throw EPrinter("Printing in progress");
    EnsureQtApplication();
    auto job = std::make_unique<Job>();
    QPrinter& p = job->printer;
    const bool toFile = !outputFile_.IsEmpty();
    if (toFile) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(ToQString(outputFile_));
        p.setFullPage(true);
        p.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    } else {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) throw EPrinter("There is no default printer currently selected");
        p.setPrinterName(info.printerName());
    }
    p.setResolution(kDotsPerInch);
    p.setPageOrientation(orientation_ == poLandscape ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
    p.setDocName(ToQString(title_));
    p.setCreator(ToQString(title_));
    if (!job->painter.begin(&p))
        throw EPrinter(toFile ? "No se puede crear el archivo " + outputFile_ + "."
                              : AnsiString("No se puede imprimir en la impresora."));
    job_ = std::move(job);
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
    // Each document starts on a fresh device context: text mapping, no clip, no origin.
    CanvasDevice& d = canvas_->Device();
    d.state = DeviceState();
    d.saved.clear();
    canvas_->Refresh();
    d.SetPixelsPerInch(kDotsPerInch);
    // Qt lays a landscape sheet out as the portrait one turned a quarter counter-clockwise.
    d.SetOrientationTurn(90);
    d.SetTarget(&job_->printer, QSize(GetPageWidth(), GetPageHeight()));
    d.SetPainter(&job_->painter);
}

void TPrinter::Finish() {
    CanvasDevice& d = canvas_->Device();
    d.SetPainter(nullptr);
    d.ClearTarget();
    printing_ = false;
    job_.reset();
}

void TPrinter::EndDoc() {
    CheckPrinting();
    const bool ended = job_->painter.end();
    Finish();
    pageNumber_ = 0;
    if (!ended) throw EPrinter("No se pudo terminar la impresión.");
}

void TPrinter::NewPage() {
    CheckPrinting();
    if (!job_->printer.newPage()) throw EPrinter("No se pudo empezar una página nueva.");
    canvas_->Device().SetPainter(&job_->painter);
    ++pageNumber_;
}

void TPrinter::Abort() {
    CheckPrinting();
    job_->printer.abort();
    if (job_->painter.isActive()) job_->painter.end();
    const QString file = job_->printer.outputFileName();
    Finish();
    if (!file.isEmpty()) QFile::remove(file);
    aborted_ = true;
    pageNumber_ = 0;
}

int TPrinter::GetPageWidth() const {
    if (job_) return job_->printer.width();
    // Before a document: an A4 page.
    const QSize s = QPageSize(QPageSize::A4).sizePixels(kDotsPerInch);
    return orientation_ == poLandscape ? s.height() : s.width();
}

int TPrinter::GetPageHeight() const {
    if (job_) return job_->printer.height();
    const QSize s = QPageSize(QPageSize::A4).sizePixels(kDotsPerInch);
    return orientation_ == poLandscape ? s.width() : s.height();
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
    if (printing_) throw EPrinter("Printing in progress");
    orientation_ = Value;
}

TPrinter* Printer() {
    static TPrinter printer;
    return &printer;
}
