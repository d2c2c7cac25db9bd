#pragma once

#include "dataset/DataSet.h"

#include <QString>

namespace zoz {

// Where a catalogue field lives in the record: one storage function (Integer, Byte, name or file
// text) and the index and column it is called with. A text or a number, never both.
struct FieldAccess {
    using Int16 = qint16& (*)(DataSet&, int index, int column);
    using Byte = quint8& (*)(DataSet&, int index, int column);
    using Name = NameText& (*)(DataSet&, int index, int column);
    using File = FileText& (*)(DataSet&, int index, int column);

    Int16 int16 = nullptr;
    Byte byte = nullptr;
    Name name = nullptr;
    File file = nullptr;
    int index = 0;
    int column = 0;

    static FieldAccess of(Int16 f);
    static FieldAccess of(Byte f);
    static FieldAccess of(Name f);
    static FieldAccess of(File f);
    // The same storage at one index and column of its run.
    FieldAccess at(int index, int column) const;

    bool isText() const { return name || file; }
    // Characters of a text, 0 for a number.
    int length() const;
    // The range the storage holds (Integer or Byte), 0..0 for a text.
    int minimum() const;
    int maximum() const;

    // Texts: all characters (code 0 and blanks included), "" for a number; numbers: the stored
    // Integer or Byte, 0 for a text. A write of the other kind does nothing.
    QString text(const DataSet& set) const;
    void setText(DataSet& set, const QString& text) const;
    int number(const DataSet& set) const;
    void setNumber(DataSet& set, int value) const;
};

} // namespace zoz
