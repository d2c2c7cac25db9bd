#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace zoz::test {

// A temporary program folder ("zozedud" lives here): the settings file, data files and logs.
class ProgramFolder {
public:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString ini() const { return path(QStringLiteral("zozedud.Ini")); }
    // Writes bytes as they are (give CR LF where it matters), making the folders on the way; a
    // name ending in "/" makes only the folder. The file's full name.
    QString write(const QString& name, const QByteArray& bytes) const {
        const QString full = path(name);
        QDir().mkpath(QFileInfo(full).absolutePath());
        if (!name.endsWith('/'))
            writeFile(full, bytes);
        return full;
    }
    QString writeIni(const QByteArray& bytes) const {
        return write(QStringLiteral("zozedud.Ini"), bytes);
    }
    QByteArray read(const QString& name) const { return readFile(path(name)); }
    // The same for any full name (no folders made); a missing file reads as empty.
    static QByteArray readFile(const QString& name) {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(name);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

    QTemporaryDir dir;
};

} // namespace zoz::test
