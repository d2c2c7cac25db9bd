#include "files/SafeFile.h"

#include <QSaveFile>

namespace zoz {

QString SafeFile::Write(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    // Unbuffered, and written until done or refused: a buffered QSaveFile reports a short write
    // (file size limit, full disk) as success and commits a cut file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString error = file.errorString();
            file.cancelWriting();
            return error;
        }
        done += written;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

} // namespace zoz
