#pragma once

#include <QByteArray>
#include <QString>

namespace zoz {

// Writes a whole file beside its target and renames it over the target only when every byte was
// written: a failed write leaves the previous file as it was.
class SafeFile {
public:
    // "" on success, else the system's description of the failure.
    static QString Write(const QString& fileName, const QByteArray& bytes);
};

} // namespace zoz
