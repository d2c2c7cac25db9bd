#include "dataset/FieldAccess.h"

namespace zoz {

FieldAccess FieldAccess::int16(std::function<qint16&(DataSet&)> field) {
    return {nullptr, nullptr,
            [field](const DataSet& s) { return int(field(const_cast<DataSet&>(s))); },
            [field](DataSet& s, int v) { field(s) = static_cast<qint16>(v); }};
}

FieldAccess FieldAccess::byte(std::function<quint8&(DataSet&)> field) {
    return {nullptr, nullptr,
            [field](const DataSet& s) { return int(field(const_cast<DataSet&>(s))); },
            [field](DataSet& s, int v) { field(s) = static_cast<quint8>(v); }};
}

} // namespace zoz
