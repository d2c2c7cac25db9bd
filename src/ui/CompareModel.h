#pragma once

#include "dataset/DifferenceRows.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace zoz {

// The rows of a comparison for a view: page, group, item and the two sides' values, the two value
// columns headed by the names of their sides. Every new comparison replaces all rows at once, so
// a view never paints a row that no longer exists.
class CompareModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Page, Group, Item, This, Other, ColumnCount };

    // Page, group and item headers; the value headers come with each comparison.
    explicit CompareModel(QStringList headers, QObject* parent = nullptr);

    void setRows(QList<DifferenceRow> rows, const QString& thisSide, const QString& otherSide);
    const QList<DifferenceRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    QList<DifferenceRow> m_rows;
};

} // namespace zoz
