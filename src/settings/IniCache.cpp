#include "settings/IniCache.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace zoz {

namespace {

// Time stamps of a write within this span of the last reading may not differ from the stamps
// that reading saw (coarse kernel clocks tick in milliseconds).
constexpr qint64 kGranularityNs = 50'000'000;

qint64 nowNs() {
    return QDateTime::currentMSecsSinceEpoch() * 1'000'000;
}

} // namespace

IniCache::Stamp IniCache::stampOf(const QString& fileName) {
    Stamp stamp;
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return stamp;
    stamp.size = st.st_size;
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    stamp.changedNs = qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
#else
    const QFileInfo info(fileName);
    if (!info.isFile())
        return stamp;
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1'000'000;
    stamp.changedNs = info.metadataChangeTime().toMSecsSinceEpoch() * 1'000'000;
#endif
    stamp.exists = true;
    return stamp;
}

const IniDocument& IniCache::document(const QString& fileName) {
    Entry& entry = m_entries[fileName];
    const Stamp stamp = stampOf(fileName);
    const bool settled =
        qMax(stamp.modifiedNs, stamp.changedNs) < entry.verifiedNs - kGranularityNs;
    if (entry.verifiedNs != 0 && stamp == entry.stamp && (settled || !stamp.exists))
        return entry.document;

    const qint64 before = nowNs();
    QByteArray bytes;
    if (stamp.exists) {
        QFile file(fileName);
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        bytes.squeeze(); // kept for the whole run: without the reading's spare room
    }
    // A write between the stamp and the reading: keep the copy, but read again next time.
    const bool steady = stampOf(fileName) == stamp;
    if (entry.verifiedNs == 0 || bytes != entry.document.bytes() || !steady) {
        entry.document = IniDocument::fromBytes(bytes);
        ++m_parses;
    }
    entry.stamp = stamp;
    entry.verifiedNs = steady ? before : 0;
    return entry.document;
}

} // namespace zoz
