#include "dataset/FieldAccess.h"

#include <limits>

namespace zoz {

namespace {

// The catalogue only reads through a const set; the storage functions serve both ways.
DataSet& writable(const DataSet& set) {
    return const_cast<DataSet&>(set);
}

} // namespace

FieldAccess FieldAccess::of(Int16 f) {
    FieldAccess a;
    a.int16 = f;
    return a;
}

FieldAccess FieldAccess::of(Byte f) {
    FieldAccess a;
    a.byte = f;
    return a;
}

FieldAccess FieldAccess::of(Name f) {
    FieldAccess a;
    a.name = f;
    return a;
}

FieldAccess FieldAccess::of(File f) {
    FieldAccess a;
    a.file = f;
    return a;
}

FieldAccess FieldAccess::at(int i, int c) const {
    FieldAccess a = *this;
    a.index = i;
    a.column = c;
    return a;
}

int FieldAccess::length() const {
    return name ? NameText::Size : file ? FileText::Size : 0;
}

int FieldAccess::minimum() const {
    return int16 ? std::numeric_limits<qint16>::min() : 0;
}

int FieldAccess::maximum() const {
    return int16 ? std::numeric_limits<qint16>::max() : byte ? 255 : 0;
}

QString FieldAccess::text(const DataSet& set) const {
    if (name)
        return name(writable(set), index, column).text();
    if (file)
        return file(writable(set), index, column).text();
    return QString();
}

void FieldAccess::setText(DataSet& set, const QString& text) const {
    if (name)
        name(set, index, column) = text;
    else if (file)
        file(set, index, column) = text;
}

int FieldAccess::number(const DataSet& set) const {
    if (int16)
        return int16(writable(set), index, column);
    if (byte)
        return byte(writable(set), index, column);
    return 0;
}

void FieldAccess::setNumber(DataSet& set, int value) const {
    if (int16)
        int16(set, index, column) = static_cast<qint16>(value);
    else if (byte)
        byte(set, index, column) = static_cast<quint8>(value);
}

} // namespace zoz
