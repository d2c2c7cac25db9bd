#include "files/HistoryOrigins.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zoz {

namespace {

// Tabs and line ends would break the line layout; the texts never need them.
QString oneField(QString text) {
    for (const QChar c : {QLatin1Char('\t'), QLatin1Char('\r'), QLatin1Char('\n')})
        text.replace(c, QLatin1Char(' '));
    return text.trimmed();
}

} // namespace

HistoryOrigins::HistoryOrigins(const QString& historyFolder)
    : m_file(QDir::cleanPath(historyFolder) + QStringLiteral(".Origins")) {}

bool HistoryOrigins::record(const QString& entryPath, const Origin& origin) const {
    QFile file(m_file);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QString line = QFileInfo(entryPath).fileName() + QLatin1Char('\t') +
                         oneField(origin.port) + QLatin1Char('\t') + oneField(origin.status) +
                         QLatin1Char('\n');
    const QByteArray bytes = line.toUtf8();
    return file.write(bytes) == bytes.size();
}

QHash<QString, HistoryOrigins::Origin> HistoryOrigins::all() const {
    QHash<QString, Origin> origins;
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return origins;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QStringList fields = QString::fromUtf8(line).split(QLatin1Char('\t'));
        if (fields.size() >= 2 && !fields[0].isEmpty())
            origins.insert(fields[0], {fields[1], fields.value(2)});
    }
    return origins;
}

} // namespace zoz
