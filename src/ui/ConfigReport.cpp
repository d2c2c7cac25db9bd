#include "ui/ConfigReport.h"

#include "app/Texts.h"
#include "dataset/DataStore.h"
#include "dataset/FieldCatalog.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace zoz {

namespace {

QString esc(const QString& text) {
    return text.toHtmlEscaped();
}

QString nn(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

const char* const kStyle = "body { font-family: sans-serif; font-size: 8pt; }"
                           "h1 { font-size: 13pt; margin: 0; }"
                           "h2 { font-size: 10pt; margin-top: 10px; margin-bottom: 2px; }"
                           "td, th { padding: 1px 4px; }"
                           "th { background: #e0e0e0; text-align: left; }";

QString table(const QStringList& header, const QList<QStringList>& rows) {
    QString out = QStringLiteral(
        "<table width=\"100%\" border=\"1\" cellspacing=\"0\" style=\"border-collapse:collapse\">");
    if (!header.isEmpty()) {
        out += QStringLiteral("<tr>");
        for (const QString& h : header)
            out += QStringLiteral("<th>") + esc(h) + QStringLiteral("</th>");
        out += QStringLiteral("</tr>");
    }
    for (const QStringList& row : rows) {
        out += QStringLiteral("<tr>");
        for (const QString& cell : row)
            out += QStringLiteral("<td>") + esc(cell) + QStringLiteral("</td>");
        out += QStringLiteral("</tr>");
    }
    return out + QStringLiteral("</table>");
}

} // namespace

ConfigReport::ConfigReport(const Texts& texts, const DataStore& store)
    : m_texts(texts), m_store(store) {}

QString ConfigReport::html(const QString& source, const QDateTime& when) const {
    const FieldCatalog catalog(m_texts, m_store);
    const DataSet& set = m_store.DataSet;
    const QString language = m_texts.language();
    QString out = QStringLiteral("<html><head><style>") + QString::fromLatin1(kStyle) +
                  QStringLiteral("</style></head><body>");
    out += QStringLiteral("<h1>") +
           esc(m_texts.message(QStringLiteral("Report_Title"), QStringLiteral("Report_Title"))) +
           QStringLiteral("</h1>");
    out += table(
        {}, {{m_texts.message(QStringLiteral("Report_Source"), QStringLiteral("Source")), source},
             {m_texts.message(QStringLiteral("Report_Time"), QStringLiteral("Time")),
              QLocale::system().toString(when, QLocale::ShortFormat)}});

    // Status texts as the Status page labels them.
    const QString status = QStringLiteral("TabStrip_Status_") + language;
    out += QStringLiteral("<h2>") +
           esc(m_texts.lookup(status, QStringLiteral("Caption"), QStringLiteral("Status"))) +
           QStringLiteral("</h2>");
    QList<QStringList> statusRows;
    for (int i = 1; i <= 6; ++i)
        statusRows.append({m_texts.lookup(status, QStringLiteral("Label") + nn(i),
                                          QStringLiteral("Status %1").arg(i)),
                           m_store.StatusText[i].trimmedRight().section(QChar(0), 0, 0)});
    out += table({}, statusRows);

    // Every field a page shows, page by page and group by group. The layers and the machine
    // sources are matrices on their pages, so they are printed as such.
    QString page;
    QString group;
    QList<QStringList> rows;
    QStringList header;
    auto flush = [&] {
        if (!rows.isEmpty())
            out += (group.isEmpty()
                        ? QString()
                        : QStringLiteral("<p><b>") + esc(group) + QStringLiteral("</b></p>")) +
                   table(header, rows);
        rows.clear();
        header.clear();
    };
    const QList<FieldRef>& fields = catalog.fields();
    for (int f = 0; f < fields.size(); ++f) {
        const FieldRef& ref = fields.at(f);
        if (ref.control.isEmpty())
            continue;
        // The layer columns are groups of their own in the catalogue, one matrix here.
        const bool layer = ref.key.startsWith(QLatin1String("layer."));
        const QString section = layer ? QString() : ref.group;
        if (ref.page != page || section != group) {
            flush();
            if (ref.page != page)
                out += QStringLiteral("<h2>") + esc(ref.page) + QStringLiteral("</h2>");
            page = ref.page;
            group = section;
        }
        if (layer) {
            // Four cells a row (A..D).
            if (ref.key.startsWith(QLatin1String("layer.A")))
                rows.append({ref.item});
            rows.last().append(catalog.valueText(set, f));
            if (header.isEmpty())
                header = {QString(), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                          QStringLiteral("D")};
            continue;
        }
        if (ref.key.startsWith(QLatin1String("editor.source["))) {
            // One row a source: REC, A, B, C, D.
            if (ref.key.endsWith(QLatin1String(".rec")))
                rows.append({ref.item.section(QLatin1Char(' '), 0, -2)});
            const int flag = catalog.number(set, f);
            rows.last().append(flag == 0   ? QString()
                               : flag == 1 ? QStringLiteral("x")
                                           : QString::number(flag));
            if (header.isEmpty())
                header = {QString(),           QStringLiteral("REC"), QStringLiteral("A"),
                          QStringLiteral("B"), QStringLiteral("C"),   QStringLiteral("D")};
            continue;
        }
        rows.append({ref.item, catalog.valueText(set, f)});
    }
    flush();
    return out + QStringLiteral("</body></html>");
}

bool ConfigReport::writePdf(const QString& fileName, const QString& source, const QDateTime& when,
                            QString& error) const {
    // Written beside the target first, so that a failure leaves an existing file as it was.
    const QString part = fileName + QStringLiteral(".part");
    QFile::remove(part);
    {
        // QtGui's writer, so that the report needs no Qt PrintSupport; 1200 dpi, as a
        // high-resolution printer prints it.
        QPdfWriter writer(part);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter));
        QTextDocument document;
        document.setHtml(html(source, when));
        document.print(&writer);
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
