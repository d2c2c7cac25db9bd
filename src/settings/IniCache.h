#pragma once

#include "settings/IniDocument.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace zoz {

// Parsed copies of settings files, reused while a file's size, modification and change times
// (nanoseconds) and identity (device, inode) stay the same, so a change made by another program
// between two reads is still seen. A copy younger than the file system's time granularity is
// trusted only after its bytes have been compared again. Our own writes drop the copy.
// One instance, owned by the program and passed to those that read the settings file.
class IniCache {
public:
    const IniDocument& document(const QString& fileName);
    void drop(const QString& fileName) { m_entries.remove(fileName); }
    // How often a file has been read and parsed (for the benchmark and the tests).
    int parses() const { return m_parses; }

private:
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const Stamp& o) const {
            return exists == o.exists && size == o.size && modifiedNs == o.modifiedNs &&
                   changedNs == o.changedNs && device == o.device && inode == o.inode;
        }
    };
    struct Entry {
        Stamp stamp;
        qint64 verifiedNs = 0; // wall clock before the bytes were last read
        IniDocument document;  // keeps the bytes it was made from
    };
    static Stamp stampOf(const QString& fileName);

    QHash<QString, Entry> m_entries;
    int m_parses = 0;
};

} // namespace zoz
