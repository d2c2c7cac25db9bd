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
        QFile f(path(name));
        QDir().mkpath(QFileInfo(f.fileName()).absolutePath());
        if (!name.endsWith('/') && f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return f.fileName();
    }
    QString writeIni(const QByteArray& bytes) const {
        return write(QStringLiteral("zozedud.Ini"), bytes);
    }
    QByteArray read(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

} // namespace zoz::test
