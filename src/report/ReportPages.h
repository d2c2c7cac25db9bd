#pragma once

#include <QMarginsF>
#include <QString>

class QPagedPaintDevice;

namespace zoz {

class ConfigReport;

// Lays the report out on the pages of a printer or PDF writer: the document in the body, above it
// on every page a running header (title, controller, date) and below it "page n / N".
class ReportPages {
public:
    // The paper's margins in millimetres, for the printer and the PDF writer alike.
    static QMarginsF margins() { return QMarginsF(18, 15, 18, 15); }

    explicit ReportPages(const ConfigReport& report) : m_report(report) {}

    // Paints every page on a device whose page layout is set; returns the number of pages.
    int paint(QPagedPaintDevice& device) const;
    // A4 PDF with title and author, 1200 dpi as a high-resolution printer prints it; false with
    // the reason when the file cannot be written (an existing file then stays as it was).
    bool writePdf(const QString& fileName, QString& error) const;

private:
    const ConfigReport& m_report;
};

} // namespace zoz
