#pragma once

#include "dataset/DataSet.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace zoz {

class DataStore;
class Texts;

// The printed report of the configuration: a title block (controller's status texts, editor
// version, what the data is, date in the settings language), then the pages' fields as tables
// whose heading and column heads repeat on every page a table runs over. Labels and values are
// those of the pages (FieldCatalog). The same report comes as HTML (for the paged painting of
// ReportPages) and as plain text with aligned columns.
class ConfigReport {
public:
    enum class Variant {
        Whole,          // every field a page shows
        FromDefault,    // only what differs from the default data file
        FromController, // only what differs from the controller's copy
    };
    struct Request {
        Variant variant = Variant::Whole;
        DataSet base;         // what a difference variant compares with
        QString baseName;     // where base is from ("QPL, received 13:47:48", a file name)
        QString source;       // what the data is ("Editor data, 2 changes not sent")
        QString sourceDetail; // second line of it: the controller's copy, the file, ...
        QDateTime when = QDateTime::currentDateTime();
    };
    // One table: its heading (repeated with the column heads on each page) and rows of cells.
    struct Table {
        QString heading;
        QStringList columns;
        QList<QStringList> rows;
    };

    ConfigReport(const Texts& texts, const DataStore& store, Request request);

    QString title() const;
    // The controller in one line (device and serial number of the status texts).
    QString controller() const;
    // The date and time in the language of the texts.
    QString date() const;
    // "page & / &" of the settings file, filled.
    QString pageText(int page, int pages) const;
    // The editor and its version, as the PDF's author.
    static QString editorName();

    QString html() const;
    QString text() const;

private:
    QList<Table> titleBlock() const;
    QList<Table> fieldTables() const;
    QList<Table> differenceTables() const;
    QString t(const char* key, const char* fallback) const;

    const Texts& m_texts;
    const DataStore& m_store;
    Request m_request;
};

} // namespace zoz
