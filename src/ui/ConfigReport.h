#pragma once

#include <QDateTime>
#include <QString>

namespace zoz {

class DataStore;
class Texts;

// The printed report of the configuration: status texts, names, layers, monitor, GPIO, editor,
// SnapShot and FBox as tables that fit A4, with the time and the source of the data in the header.
// Labels and values are those of the pages (FieldCatalog) in the language of the texts.
class ConfigReport {
public:
    ConfigReport(const Texts& texts, const DataStore& store);

    // source: where the data set came from ("File C:/x.DAT", "QPL on port 2").
    // The report as HTML, for a QTextDocument; printing is the print module's (PrintModule).
    QString html(const QString& source, const QDateTime& when) const;
    // A4 PDF as a high-resolution printer makes it; false with the reason when the file cannot be
    // written.
    bool writePdf(const QString& fileName, const QString& source, const QDateTime& when,
                  QString& error) const;

private:
    const Texts& m_texts;
    const DataStore& m_store;
};

} // namespace zoz
