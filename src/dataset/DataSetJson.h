#pragma once

#include "dataset/DataSet.h"

#include <QByteArray>
#include <QString>

namespace zoz {

class FieldCatalog;

// The text form of a data set: a JSON object whose "fields" name every field of the record by its
// catalogue key, in page order. Names and file names as text; channels as group and number with
// the name beside them; GPIO functions as list key and text; options, switches and flags by label
// with "on"/"off"; list positions with the list text. What the pages cannot show (element 0 of
// the name arrays, codes outside the lists, option value 2, code-0 padding) is kept as well, so
// writing and reading give back the identical 2913 bytes.
class DataSetJson {
public:
    explicit DataSetJson(const FieldCatalog& catalog) : m_catalog(catalog) {}

    QByteArray write(const DataSet& set) const;
    // Reads a whole text form into `set`. On bad input `set` stays as it was and `error` names
    // the field and what is wrong with it.
    bool read(const QByteArray& json, DataSet& set, QString& error) const;

    static constexpr const char* Format = "zozedud data set";
    static constexpr int Version = 1;

private:
    const FieldCatalog& m_catalog;
};

} // namespace zoz
