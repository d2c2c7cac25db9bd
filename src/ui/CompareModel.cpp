#include "ui/CompareModel.h"

namespace zoz {

CompareModel::CompareModel(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers)) {
    m_headers.resize(ColumnCount);
}

void CompareModel::setRows(QList<DifferenceRow> rows, const QString& thisSide,
                           const QString& otherSide) {
    beginResetModel();
    m_rows = std::move(rows);
    m_headers[This] = thisSide;
    m_headers[Other] = otherSide;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, This, Other);
}

int CompareModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CompareModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CompareModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const DifferenceRow& row = m_rows.at(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Page:
            return row.page;
        case Group:
            return row.group;
        case Item:
            return row.item;
        case This:
            return row.thisText;
        case Other:
            return row.otherText;
        default:
            return {};
        }
    }
    if (role == Qt::ToolTipRole && index.column() == Page)
        return row.key;
    return {};
}

QVariant CompareModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return m_headers.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace zoz
