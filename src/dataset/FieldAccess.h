#pragma once

#include "dataset/DataSet.h"
#include "dataset/FixedText.h"

#include <QString>
#include <functional>

namespace zoz {

// How a catalogue field is read and written in the record: a text or a number, never both.
struct FieldAccess {
    std::function<QString(const DataSet&)> getText;
    std::function<void(DataSet&, const QString&)> setText;
    std::function<int(const DataSet&)> getNumber;
    std::function<void(DataSet&, int)> setNumber;

    template <int N> static FieldAccess text(std::function<FixedText<N>&(DataSet&)> field) {
        return {[field](const DataSet& s) { return field(const_cast<DataSet&>(s)).text(); },
                [field](DataSet& s, const QString& t) { field(s) = t; }, nullptr, nullptr};
    }
    static FieldAccess int16(std::function<qint16&(DataSet&)> field);
    static FieldAccess byte(std::function<quint8&(DataSet&)> field);
};

} // namespace zoz
