#pragma once

#include "dataset/DataSet.h"

#include <QList>
#include <QString>

namespace zoz {

class FieldCatalog;

// One line of a comparison: a field, or all boxes of an option group, which the user sees and
// takes as one choice ("Mode: Mono" against "Mode: Stereo").
struct DifferenceRow {
    QList<int> fields; // catalogue indexes, in page order
    QString key;       // the field's key, or the group's ("monitor.mode")
    QString page;
    QString group;
    QString item;
    QString thisText;  // the value as the pages show it, first set
    QString otherText; // second set
};

// The catalogue's fields as the rows a comparison lists: option boxes of one group together,
// every other field on its own. Rows are built once per catalogue; comparing is then a pass over
// them.
class DifferenceRows {
public:
    explicit DifferenceRows(const FieldCatalog& catalog);

    // The rows whose values the pages show differently, in page order: a name padded with code 0
    // and the same name padded with blanks read alike and are no difference to the user.
    QList<DifferenceRow> between(const DataSet& a, const DataSet& b) const;
    // The same per field, without grouping (the count of changes not sent).
    static QList<int> shownDifferences(const FieldCatalog& catalog, const DataSet& a,
                                       const DataSet& b);
    // Every field of the rows from `from` into `to`: an option group is set as a whole.
    void copyRows(const QList<DifferenceRow>& rows, const DataSet& from, DataSet& to) const;

private:
    struct Unit {
        QList<int> fields;
        QString item;
        QStringList options; // the box labels of an option group, empty for a single field
    };
    QString unitText(const Unit& unit, const DataSet& set) const;

    const FieldCatalog& m_catalog;
    QList<Unit> m_units;
};

} // namespace zoz
