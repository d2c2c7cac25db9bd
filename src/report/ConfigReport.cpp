#include "report/ConfigReport.h"

#include "dataset/DataStore.h"
#include "dataset/FieldCatalog.h"
#include "settings/Texts.h"

#include <QLocale>

namespace zoz {

namespace {

QString esc(const QString& text) {
    return text.toHtmlEscaped();
}

QString nn(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

const char* const kStyle = "body { font-family: sans-serif; font-size: 8pt; }"
                           "h1 { font-size: 14pt; margin: 0 0 6px 0; }"
                           "p { margin: 4px 0; }"
                           "table { margin-top: 8px; }"
                           "td, th { padding: 1px 4px; }"
                           "th { background: #e8e8e8; text-align: left; }"
                           "th.heading { background: #c8d4e0; font-size: 9pt; }";

// The first column names, the others hold values: the same share of the width in every table,
// so that values stand one under the other down the whole report.
QString columnWidth(int column, int columns) {
    if (columns == 2)
        return QString::fromLatin1(column == 0 ? "40%" : "60%");
    if (columns == 3)
        return QString::fromLatin1(column == 0 ? "40%" : "30%");
    return QString::number(column == 0 ? 20 : 80 / (columns - 1)) + QLatin1Char('%');
}

QString htmlTable(const ConfigReport::Table& table) {
    const int columns = qMax(2, int(table.columns.size()));
    // The heading and the column heads are the table's header rows: a table running over a
    // page break repeats them at the top of the next page.
    QString out = QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" "
                                 "style=\"border-collapse:collapse\"><thead>");
    if (!table.heading.isEmpty())
        out += QStringLiteral("<tr><th class=\"heading\" colspan=\"%1\">").arg(columns) +
               esc(table.heading) + QStringLiteral("</th></tr>");
    if (!table.columns.isEmpty()) {
        out += QStringLiteral("<tr>");
        for (int c = 0; c < table.columns.size(); ++c)
            out += QStringLiteral("<th width=\"%1\">").arg(columnWidth(c, columns)) +
                   esc(table.columns.at(c)) + QStringLiteral("</th>");
        out += QStringLiteral("</tr>");
    }
    out += QStringLiteral("</thead><tbody>");
    for (const QStringList& row : table.rows) {
        out += QStringLiteral("<tr>");
        for (int c = 0; c < row.size(); ++c)
            out += QStringLiteral("<td width=\"%1\">").arg(columnWidth(c, columns)) +
                   esc(row.at(c)) + QStringLiteral("</td>");
        out += QStringLiteral("</tr>");
    }
    return out + QStringLiteral("</tbody></table>");
}

// Columns padded to their widest cell, two blanks apart.
QString textTable(const ConfigReport::Table& table) {
    QList<QStringList> lines = table.rows;
    if (!table.columns.isEmpty())
        lines.prepend(table.columns);
    QList<int> widths;
    for (const QStringList& line : lines)
        for (int c = 0; c < line.size(); ++c) {
            if (widths.size() <= c)
                widths.append(0);
            widths[c] = qMax(widths[c], int(line.at(c).size()));
        }
    QString out;
    if (!table.heading.isEmpty())
        out += table.heading + QLatin1Char('\n') + QString(table.heading.size(), QLatin1Char('-')) +
               QLatin1Char('\n');
    for (const QStringList& line : lines) {
        QString text;
        for (int c = 0; c < line.size(); ++c)
            text += line.at(c).leftJustified(c + 1 < line.size() ? widths.at(c) + 2 : 0);
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        out += text.isEmpty() ? QString() : text + QLatin1Char('\n');
    }
    return out + QLatin1Char('\n');
}

} // namespace

ConfigReport::ConfigReport(const Texts& texts, const DataStore& store, Request request)
    : m_texts(texts), m_store(store), m_request(std::move(request)) {}

QString ConfigReport::t(const char* key, const char* fallback) const {
    return m_texts.message(QString::fromLatin1(key), QString::fromUtf8(fallback));
}

QString ConfigReport::title() const {
    return t("Report_Title", "Configuration of the QPL");
}

QString ConfigReport::controller() const {
    QStringList parts;
    for (int i : {1, 4}) {
        const QString text = m_store.StatusText[i].trimmedRight().section(QChar(0), 0, 0).trimmed();
        if (!text.isEmpty())
            parts.append(text);
    }
    return parts.isEmpty() ? QStringLiteral("QPL") : parts.join(QStringLiteral(", "));
}

QString ConfigReport::date() const {
    const QLocale locale(m_texts.language() == QLatin1String("ENG") ? QLocale::English
                                                                    : QLocale::German);
    return locale.toString(m_request.when.date(), QLocale::LongFormat) + QStringLiteral(", ") +
           locale.toString(m_request.when.time(), QLocale::ShortFormat);
}

QString ConfigReport::pageText(int page, int pages) const {
    QString text = t("Report_Page", "page & / &");
    for (int n : {page, pages})
        if (text.contains(QLatin1Char('&')))
            text.replace(text.indexOf(QLatin1Char('&')), 1, QString::number(n));
    return text;
}

QString ConfigReport::editorName() {
    return QStringLiteral("VX418 ZozEdud %1.%2.%3")
        .arg(ZOZ_VERSION_MAJOR)
        .arg(ZOZ_VERSION_MINOR)
        .arg(ZOZ_VERSION_REVISION);
}

QList<ConfigReport::Table> ConfigReport::titleBlock() const {
    QString content = t("Report_Whole", "The whole configuration");
    if (m_request.variant == Variant::FromDefault)
        content = t("Report_OnlyFromDefault", "Only what differs from the default data (&)");
    else if (m_request.variant == Variant::FromController)
        content = t("Report_OnlyFromQpl", "Only what differs from the QPL's data (&)");
    content.replace(QLatin1Char('&'), m_request.baseName);
    Table about;
    about.rows = {{t("Report_Source", "Source"), m_request.source}};
    if (!m_request.sourceDetail.isEmpty())
        about.rows.append({QString(), m_request.sourceDetail});
    about.rows += QList<QStringList>{{t("Report_Content", "Content"), content},
                                     {t("Report_Editor", "Editor"), editorName()},
                                     {t("Report_Time", "Time"), date()}};

    // The controller's identity, as the Status page labels its texts.
    const QString status = QStringLiteral("TabStrip_Status_") + m_texts.language();
    Table identity;
    identity.heading = m_texts.lookup(status, QStringLiteral("Caption"), QStringLiteral("Status"));
    for (int i = 1; i <= 6; ++i)
        identity.rows.append({m_texts.lookup(status, QStringLiteral("Label") + nn(i),
                                             QStringLiteral("Status %1").arg(i)),
                              m_store.StatusText[i].trimmedRight().section(QChar(0), 0, 0)});
    return {about, identity};
}

QList<ConfigReport::Table> ConfigReport::fieldTables() const {
    const FieldCatalog catalog(m_texts, m_store);
    const DataSet& set = m_store.DataSet;
    const QStringList plain{t("Report_Field", "Field"), t("Report_Value", "Value")};
    QList<Table> tables;
    QString page;
    QString group;
    // Every field a page shows, page by page and group by group. The layers and the machine
    // sources are matrices on their pages, so they are printed as such.
    const QList<FieldRef>& fields = catalog.fields();
    for (int f = 0; f < fields.size(); ++f) {
        const FieldRef& ref = fields.at(f);
        if (!ref.shown)
            continue;
        // The layer columns are groups of their own in the catalogue, one matrix here.
        const bool layer = ref.key.startsWith(QLatin1String("layer."));
        const bool source = ref.key.startsWith(QLatin1String("editor.source["));
        const QString section = layer ? QString() : ref.group;
        if (tables.isEmpty() || ref.page != page || section != group) {
            page = ref.page;
            group = section;
            Table table;
            table.heading = group.isEmpty() ? page : page + QStringLiteral(" \u2013 ") + group;
            table.columns = layer ? QStringList{QString(), QStringLiteral("A"), QStringLiteral("B"),
                                                QStringLiteral("C"), QStringLiteral("D")}
                            : source ? QStringList{QString(),           QStringLiteral("REC"),
                                                   QStringLiteral("A"), QStringLiteral("B"),
                                                   QStringLiteral("C"), QStringLiteral("D")}
                                     : plain;
            tables.append(table);
        }
        QList<QStringList>& rows = tables.last().rows;
        if (layer) {
            // Four cells a row (A..D).
            if (ref.key.startsWith(QLatin1String("layer.A")))
                rows.append({ref.item});
            rows.last().append(catalog.valueText(set, f));
        } else if (source) {
            // One row a source: REC, A, B, C, D.
            if (ref.key.endsWith(QLatin1String(".rec")))
                rows.append({ref.item.section(QLatin1Char(' '), 0, -2)});
            const int flag = catalog.number(set, f);
            rows.last().append(flag == 0   ? QString()
                               : flag == 1 ? QStringLiteral("x")
                                           : QString::number(flag));
        } else {
            rows.append({ref.item, catalog.valueText(set, f)});
        }
    }
    return tables;
}

QList<ConfigReport::Table> ConfigReport::differenceTables() const {
    const FieldCatalog catalog(m_texts, m_store);
    const DataSet& set = m_store.DataSet;
    const QStringList columns{t("Report_Field", "Field"), t("Report_Value", "Value"),
                              m_request.variant == Variant::FromDefault
                                  ? t("Report_DefaultValue", "Default data")
                                  : t("Report_QplValue", "On the QPL")};
    QList<Table> tables;
    for (int f : catalog.differences(set, m_request.base)) {
        const FieldRef& ref = catalog.fields().at(f);
        if (!ref.shown)
            continue;
        const QString heading =
            ref.group.isEmpty() ? ref.page : ref.page + QStringLiteral(" \u2013 ") + ref.group;
        if (tables.isEmpty() || tables.last().heading != heading)
            tables.append({heading, columns, {}});
        // A layer cell is named by its row; its column is the layer's letter.
        const QString item = ref.key.startsWith(QLatin1String("layer."))
                                 ? ref.item + QStringLiteral(" \u00b7 ") + ref.key.mid(6, 1)
                                 : ref.item;
        tables.last().rows.append(
            {item, catalog.valueText(set, f), catalog.valueText(m_request.base, f)});
    }
    return tables;
}

QString ConfigReport::html() const {
    QString out = QStringLiteral("<html><head><style>") + QString::fromLatin1(kStyle) +
                  QStringLiteral("</style></head><body><h1>") + esc(title()) +
                  QStringLiteral("</h1>");
    const QList<Table> head = titleBlock();
    for (const Table& table : head)
        out += htmlTable(table);
    const QList<Table> body =
        m_request.variant == Variant::Whole ? fieldTables() : differenceTables();
    if (body.isEmpty())
        out += QStringLiteral("<p><b>") + esc(t("Report_NoDifferences", "No differences")) +
               QStringLiteral("</b></p>");
    for (const Table& table : body)
        out += htmlTable(table);
    return out + QStringLiteral("</body></html>");
}

QString ConfigReport::text() const {
    QString out = title() + QLatin1Char('\n') + QString(title().size(), QLatin1Char('=')) +
                  QStringLiteral("\n\n");
    for (const Table& table : titleBlock())
        out += textTable(table);
    const QList<Table> body =
        m_request.variant == Variant::Whole ? fieldTables() : differenceTables();
    if (body.isEmpty())
        out += t("Report_NoDifferences", "No differences") + QLatin1Char('\n');
    for (const Table& table : body)
        out += textTable(table);
    return out;
}

} // namespace zoz
