#include "report/ReportPages.h"

#include "report/ConfigReport.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace zoz {

namespace {

// XMP carries what the PDF's information dictionary of this Qt lacks: the author.
QByteArray xmp(const QString& title, const QString& author) {
    const QString packet = QStringLiteral(
        "<?xpacket begin=\"\uFEFF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>"
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">"
        "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
        "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
        "xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">"
        "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>"
        "<dc:creator><rdf:Seq><rdf:li>%2</rdf:li></rdf:Seq></dc:creator>"
        "<xmp:CreatorTool>%2</xmp:CreatorTool>"
        "</rdf:Description></rdf:RDF></x:xmpmeta><?xpacket end=\"w\"?>");
    return packet.arg(title.toHtmlEscaped(), author.toHtmlEscaped()).toUtf8();
}

} // namespace

int ReportPages::paint(QPagedPaintDevice& device) const {
    QTextDocument document;
    // Laid out in the device's own units, so that point sizes are those on paper.
    document.documentLayout()->setPaintDevice(&device);
    document.setDocumentMargin(0);
    document.setHtml(m_report.html());

    QFont font = document.defaultFont();
    font.setPointSizeF(7.5);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(font, &device);
    const qreal line = metrics.lineSpacing();
    const qreal width = device.width();
    const qreal height = device.height();
    // Header: title and date, controller, a rule; footer: the page number under the body.
    const QRectF body(0, line * 3.2, width, height - line * 3.2 - line * 2.5);
    document.setPageSize(body.size());
    const int pages = document.pageCount();
    const QString head = m_report.title();
    const QString controller = m_report.controller();
    const QString date = m_report.date();

    QPainter painter(&device);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        painter.setPen(Qt::black);
        painter.setFont(bold);
        painter.drawText(QRectF(0, 0, width, line), Qt::AlignLeft | Qt::AlignVCenter, head);
        painter.setFont(font);
        painter.drawText(QRectF(0, 0, width, line), Qt::AlignRight | Qt::AlignVCenter, date);
        painter.drawText(QRectF(0, line, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                         controller);
        painter.setPen(QPen(Qt::gray, line / 16));
        painter.drawLine(QPointF(0, line * 2.3), QPointF(width, line * 2.3));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, height - line, width, line), Qt::AlignCenter,
                         m_report.pageText(page + 1, pages));

        painter.save();
        painter.translate(body.left(), body.top() - page * body.height());
        const QRectF view(0, page * body.height(), body.width(), body.height());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return pages;
}

bool ReportPages::writePdf(const QString& fileName, QString& error) const {
    // Written beside the target first, so that a failure leaves an existing file as it was.
    const QString part = fileName + QStringLiteral(".part");
    QFile::remove(part);
    {
        QPdfWriter writer(part);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins(),
                                         QPageLayout::Millimeter));
        const QString title = m_report.title() + QStringLiteral(" \u2013 ") + m_report.controller();
        writer.setTitle(title);
        writer.setCreator(ConfigReport::editorName());
        writer.setDocumentXmpMetadata(xmp(title, ConfigReport::editorName()));
        paint(writer);
    }
    if (QFileInfo(part).size() == 0) {
        QFile::remove(part);
        error = QStringLiteral("%1: cannot be written").arg(fileName);
        return false;
    }
    if (QFileInfo::exists(fileName) && !QFile::remove(fileName)) {
        QFile::remove(part);
        error = QStringLiteral("%1: cannot be replaced").arg(fileName);
        return false;
    }
    if (!QFile::rename(part, fileName)) {
        error = QStringLiteral("%1: cannot be written").arg(fileName);
        return false;
    }
    return true;
}

} // namespace zoz
