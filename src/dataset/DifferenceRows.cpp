#include "dataset/DifferenceRows.h"

#include "dataset/FieldCatalog.h"

#include <algorithm>

namespace zoz {

namespace {
QString stem(const QString& key) {
    return key.section(QLatin1Char('['), 0, 0);
}
} // namespace

DifferenceRows::DifferenceRows(const FieldCatalog& catalog) : m_catalog(catalog) {
    const QList<FieldRef>& fields = catalog.fields();
    for (int f = 0; f < fields.size(); ++f) {
        const FieldRef& ref = fields.at(f);
        // The boxes of one option group follow each other under one key ("monitor.mode[1..4]").
        if (ref.kind == FieldKind::Option && !m_units.isEmpty() &&
            !m_units.last().options.isEmpty()) {
            const FieldRef& previous = fields.at(m_units.last().fields.last());
            if (stem(previous.key) == stem(ref.key) && previous.group == ref.group) {
                m_units.last().fields.append(f);
                continue;
            }
        }
        m_units.append(
            {{f}, ref.item, ref.kind == FieldKind::Option ? QStringList{ref.item} : QStringList()});
    }
    // An option group is named by the label its boxes share ("Mode: Stereo", "Mode: Mono"), else
    // by its frame; each box then by the rest.
    const QString separator = QStringLiteral(": ");
    for (Unit& unit : m_units) {
        if (unit.options.isEmpty())
            continue;
        unit.options.clear();
        const QString first = fields.at(unit.fields.first()).item;
        const QString label = first.section(separator, 0, 0);
        const bool labelled = first.contains(separator) &&
                              std::all_of(unit.fields.cbegin(), unit.fields.cend(), [&](int f) {
                                  return fields.at(f).item.startsWith(label + separator);
                              });
        unit.item = labelled ? label : fields.at(unit.fields.first()).group;
        for (int f : std::as_const(unit.fields))
            unit.options.append(labelled ? fields.at(f).item.mid(label.size() + separator.size())
                                         : fields.at(f).item);
    }
}

QString DifferenceRows::unitText(const Unit& unit, const DataSet& set) const {
    if (unit.options.isEmpty())
        return m_catalog.valueText(set, unit.fields.first());
    QStringList chosen;
    for (int i = 0; i < unit.fields.size(); ++i) {
        const int value = m_catalog.number(set, unit.fields.at(i));
        if (value == 1)
            chosen.append(unit.options.at(i));
        else if (value != 0) // a box greyed out or a value no box shows
            chosen.append(unit.options.at(i) + QStringLiteral(" #") + QString::number(value));
    }
    // None chosen reads as the boxes do: off.
    return chosen.isEmpty() ? m_catalog.valueText(set, unit.fields.first())
                            : chosen.join(QStringLiteral(", "));
}

QList<DifferenceRow> DifferenceRows::between(const DataSet& a, const DataSet& b) const {
    QList<DifferenceRow> rows;
    for (const Unit& unit : m_units) {
        if (std::all_of(unit.fields.cbegin(), unit.fields.cend(),
                        [&](int f) { return m_catalog.equal(a, b, f); }))
            continue;
        QString thisText = unitText(unit, a);
        QString otherText = unitText(unit, b);
        if (thisText == otherText)
            continue;
        const FieldRef& ref = m_catalog.fields().at(unit.fields.first());
        rows.append({unit.fields, unit.options.isEmpty() ? ref.key : stem(ref.key), ref.page,
                     ref.group, unit.item, std::move(thisText), std::move(otherText)});
    }
    return rows;
}

QList<int> DifferenceRows::shownDifferences(const FieldCatalog& catalog, const DataSet& a,
                                            const DataSet& b) {
    QList<int> fields = catalog.differences(a, b);
    fields.removeIf([&](int f) { return catalog.valueText(a, f) == catalog.valueText(b, f); });
    return fields;
}

void DifferenceRows::copyRows(const QList<DifferenceRow>& rows, const DataSet& from,
                              DataSet& to) const {
    for (const DifferenceRow& row : rows)
        for (int f : row.fields)
            m_catalog.copyField(f, from, to);
}

} // namespace zoz
