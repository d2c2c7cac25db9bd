#include "files/ConfigFile.h"

#include "app/Activity.h"
#include "base/CodePage.h"
#include "files/DataFile.h"
#include "files/SafeFile.h"
#include "log/AppLog.h"
#include "settings/IniFile.h"
#include "settings/Texts.h"

#include <QFile>
#include <QFileInfo>

namespace zoz {

ConfigFile::ConfigFile(DataFile& dataFile, Texts& texts, AppLog& log, Activity& activity)
    : m_dataFile(dataFile), m_texts(texts), m_log(log), m_activity(activity) {}

QString ConfigFile::message(const char* key) {
    return m_texts.cached(QString::fromLatin1(key));
}

QString ConfigFile::ChooseConfigFile(const QString& fileName, int mode, int index) {
    const FileKind kind = index > 0 ? FileKind::Config : FileKind::ConfigGroup;
    if (mode != 1)
        return m_dataFile.FileSaveDialog(fileName, kind);
    const QString name = m_dataFile.FileOpenDialog(fileName, kind);
    if (!name.isEmpty() && !QFileInfo(name).isFile()) {
        QString text = message("ReadingConfig_Err");
        ReplaceParams(text, name);
        m_dataFile.ReportText(QStringLiteral("  ") + text);
        return QString();
    }
    return name;
}

bool ConfigFile::ReadConfigFile(QString& fileName, int index, ConfigBlock& single,
                                ConfigGroup& group) {
    const QString name = ChooseConfigFile(fileName, 1, index);
    if (name.isEmpty())
        return false;
    fileName = name;
    const int length = index != 0 ? BlockSize : GroupSize;
    m_activity.setBusyCursor(true);
    m_activity.showStatusText(message("ReadingConfig"));
    QString reading = message("ReadingFile");
    ReplaceParams(reading, name);
    m_log.WriteLog(reading);

    QFile file(name);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(length);
    if (file.error() != QFileDevice::NoError) {
        m_dataFile.ReportFileError(QStringLiteral("ReadFromDisk_Err"), file.errorString(), name);
        return false;
    }
    const QString text = CodePage::toUnicode(bytes);
    if (index != 0) {
        single = text; // blank-filled when short
    } else {
        for (int j = 1; j <= 8; ++j)
            group[j] = text.mid((j - 1) * BlockSize, BlockSize);
    }
    const QString ok = message("ReadingConfig_Ok");
    m_log.WriteLog(ok);
    m_activity.showStatusText(ok);
    m_activity.focusTabStrip();
    m_activity.setBusyCursor(false);
    return true;
}

bool ConfigFile::WriteConfigFile(QString& fileName, int index, const ConfigBlock& single,
                                 const ConfigGroup& group, bool askName) {
    QString name = fileName;
    if (askName) {
        name = ChooseConfigFile(fileName, 2, index);
        if (name.isEmpty())
            return false;
    }
    fileName = name;
    m_activity.showStatusText(QStringLiteral("  ") + message("WritingConfig"));
    QString writing = message("WritingFile");
    ReplaceParams(writing, name);
    m_log.WriteLog(QStringLiteral("  ") + writing);

    QByteArray bytes;
    if (index != 0) {
        bytes.append(single.bytes.data(), BlockSize);
    } else {
        for (int j = 1; j <= 8; ++j)
            bytes.append(group[j].bytes.data(), BlockSize);
    }
    const QString failure = SafeFile::Write(name, bytes);
    if (!failure.isEmpty()) {
        m_dataFile.ReportFileError(QStringLiteral("WriteToDisk_Err"), failure, name);
        return false;
    }
    const QString ok = message("WritingConfig_Ok");
    m_log.WriteLog(ok);
    m_activity.showStatusText(ok);
    return true;
}

Decoder::Files ConfigFile::decoderFiles() {
    return {[this] { m_dataFile.ResetDataSet(ResetFlag::NoQuery); },
            [this](QString& name, int index, const ConfigBlock& single, const ConfigGroup& group,
                   bool askName) { return WriteConfigFile(name, index, single, group, askName); }};
}

} // namespace zoz
