#pragma once

#include "dataset/DataSet.h"

#include <QByteArray>

namespace zoz {

// The serialized form of the record, the whole content of a data file: the fields in record order
// without gaps; Text(n) as n Windows-1252 bytes, Integer as 2 bytes little-endian, Byte as 1 byte;
// the name arrays from element 0, every other array from element 1.
class DataSetImage {
public:
    static constexpr int Size = 2913; // DataFileSize

    static QByteArray Write(const DataSet& dataSet);
    // Reads the first Size bytes into the record; false (record untouched) when fewer are given.
    static bool Read(const QByteArray& image, DataSet& dataSet);
};

} // namespace zoz
