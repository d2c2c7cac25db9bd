#include "files/DataFile.h"

#include "app/Activity.h"
#include "app/PageCopy.h"
#include "app/Prompts.h"
#include "base/CodePage.h"
#include "base/ProgramPath.h"
#include "dataset/DataSetImage.h"
#include "dataset/DataStore.h"
#include "dataset/HexCodec.h"
#include "files/SafeFile.h"
#include "log/AppLog.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace zoz {

namespace {

const QString Blanks = QStringLiteral("  ");

QString withParams(QString text, const QString& p1, const QString& p2 = {}) {
    ReplaceParams(text, p1, p2);
    return text;
}

bool isFile(const QString& name) {
    return QFileInfo(name).isFile();
}

// The file's version shown in a conflict: the next major version, up to 3.
int fileVersion() {
    return ZOZ_VERSION_MAJOR < 3 ? ZOZ_VERSION_MAJOR + 1 : ZOZ_VERSION_MAJOR;
}

} // namespace

DataFile::DataFile(DataStore& store, Switches& switches, Texts& texts, AppLog& log,
                   Prompts& prompts, Activity& activity, PageCopy& pageCopy)
    : m_store(store), m_switches(switches), m_texts(texts), m_log(log), m_prompts(prompts),
      m_activity(activity), m_pageCopy(pageCopy),
      m_notices(switches, texts, log, prompts, activity) {}

static FileDialogRequest dialogRequest(FileKind kind, const QString& title, const QString& dataText,
                                       const QString& configText, const QString& name,
                                       const QString& programFolder) {
    FileDialogRequest request;
    request.title = title;
    request.initialName = name;
    request.folder = ProgramPath::dialogFolder(programFolder, name);
    switch (kind) {
    case FileKind::Data:
        request.filterText = dataText;
        request.extension = QStringLiteral("DAT");
        break;
    case FileKind::Config:
        request.filterText = configText;
        request.extension = QStringLiteral("CNS");
        break;
    case FileKind::ConfigGroup:
        request.filterText = configText;
        request.extension = QStringLiteral("CNG");
        break;
    }
    return request;
}

QString DataFile::askFileName(const FileDialogRequest& request, FileKind kind) {
    for (;;) {
        const QString name =
            ProgramPath::place(m_switches.ProgramFolder, m_prompts.fileDialog(request));
        // A configuration's name is kept in a Windows-1252 field of the data set: a character the
        // field cannot hold would become "?" there while the file keeps its real name.
        if (kind == FileKind::Data ||
            std::all_of(name.begin(), name.end(), [](QChar c) { return CodePage::canEncode(c); }))
            return name;
        m_prompts.messageBox(withParams(message("FileName_NotStorable"), name), MsgButtons::Ok,
                             MsgIcon::Exclamation, m_prompts.mainCaption());
    }
}

QString DataFile::FileSaveDialog(const QString& fileName, FileKind kind) {
    FileDialogRequest request =
        dialogRequest(kind, message("SaveAs"), message("DataFile"), message("ConfigFile"), fileName,
                      m_switches.ProgramFolder);
    request.save = true;
    const QString name = askFileName(request, kind);
    if (!name.isEmpty() && QFileInfo::exists(name)) {
        const MsgAnswer answer =
            m_prompts.messageBox(withParams(message("QueryOverwrite"), name), MsgButtons::YesNo,
                                 MsgIcon::Question, m_prompts.mainCaption());
        if (answer != MsgAnswer::Yes)
            return QString();
    }
    return name;
}

QString DataFile::FileOpenDialog(const QString& fileName, FileKind kind) {
    const FileDialogRequest request =
        dialogRequest(kind, message("OpenFile"), message("DataFile"), message("ConfigFile"),
                      fileName, m_switches.ProgramFolder);
    const QString name = askFileName(request, kind);
    if (!name.isEmpty() && !isFile(name)) {
        m_prompts.messageBox(withParams(message("FileNotFound"), name), MsgButtons::Ok,
                             MsgIcon::Exclamation, m_prompts.mainCaption());
        return QString();
    }
    return name;
}

bool DataFile::WriteDataFile(QString& fileName) {
    const QString name = FileSaveDialog(fileName, FileKind::Data);
    if (name.isEmpty())
        return false;
    fileName = name;
    m_activity.showStatusText(Blanks + message("WritingData"));
    m_log.WriteLog(Blanks + withParams(message("WritingFile"), name));

    const QString failure = SafeFile::Write(name, DataSetImage::Write(m_store.DataSet));
    if (!failure.isEmpty()) {
        ReportFileError(QStringLiteral("WriteToDisk_Err"), failure, name);
        return false;
    }
    const QString ok = Blanks + message("WritingData_Ok");
    m_log.WriteLog(ok);
    m_activity.showStatusText(ok);
    return true;
}

QString DataFile::VersionConflictGerman(const QString& fileName) {
    return QStringLiteral("Versionskonflikt: Die Datei '") + fileName +
           QStringLiteral(" ' kann nicht gelesen werden (Datei = '") +
           QString::number(fileVersion()) + QStringLiteral(" oder h\u00f6her' <> Programm = '") +
           QString::number(ZOZ_VERSION_MAJOR) + QStringLiteral("').");
}

QString DataFile::VersionConflictText(const QString& fileName) {
    const QString crlf = QStringLiteral("\r\n");
    return TrimBlanks(VersionConflictGerman(fileName) + crlf + crlf +
                      QStringLiteral("Version conflict: The file '") + fileName +
                      QStringLiteral(" ' cannot be read (file = '") +
                      QString::number(fileVersion()) +
                      QStringLiteral(" or higher' <> program = '") +
                      QString::number(ZOZ_VERSION_MAJOR) + QStringLiteral("').") + crlf + crlf);
}

bool DataFile::ReadDataFile(QString& fileName, ReadFlags flags) {
    const bool noDialog = flags.testFlag(ReadFlag::NoDialog);
    const QString name = noDialog ? fileName : FileOpenDialog(fileName, FileKind::Data);
    if (name.isEmpty())
        return false;
    fileName = name;
    if (!isFile(name)) {
        m_activity.setBusyCursor(false);
        ReportText(Blanks + withParams(message("ReadingData_Err"), name));
        return false;
    }
    if (QFileInfo(name).size() != DataSetImage::Size) {
        m_activity.setBusyCursor(false);
        m_log.WriteLog(VersionConflictGerman(name));
        m_prompts.messageBox(VersionConflictText(name), MsgButtons::Ok, MsgIcon::Exclamation,
                             m_switches.ProgramName);
        return false;
    }
    if (!noDialog) {
        const MsgAnswer answer =
            m_prompts.messageBox(withParams(message("QueryReadData"), name), MsgButtons::YesNo,
                                 MsgIcon::Critical, m_prompts.mainCaption());
        if (answer != MsgAnswer::Yes)
            return false;
    }
    m_activity.setBusyCursor(true);
    m_activity.showStatusText(message("ReadingData"));
    m_log.WriteLog(Blanks + withParams(message("ReadingFile"), name));
    if (!flags.testFlag(ReadFlag::NoReset))
        ResetDataSet(ResetFlag::NoQuery);
    m_activity.focusTabStrip();

    QFile file(name);
    QByteArray image;
    if (file.open(QIODevice::ReadOnly))
        image = file.read(DataSetImage::Size);
    if (file.error() != QFileDevice::NoError || !DataSetImage::Read(image, m_store.DataSet)) {
        const QString description = file.error() != QFileDevice::NoError
                                        ? file.errorString()
                                        : QStringLiteral("Input past end of file");
        ReportFileError(QStringLiteral("ReadFromDisk_Err"), description, name);
        return false;
    }
    if (noDialog) {
        m_activity.showStatusText(QString());
    } else {
        const QString ok = Blanks + message("ReadingData_Ok");
        m_log.WriteLog(ok);
        m_activity.showStatusText(ok);
    }
    m_activity.focusTabStrip();
    m_activity.setBusyCursor(false);
    return true;
}

bool DataFile::ResetDataSet(ResetFlags flags) {
    const bool noQuery = flags.testFlag(ResetFlag::NoQuery);
    if (!noQuery) {
        const MsgAnswer answer = m_prompts.messageBox(message("QueryDataReset"), MsgButtons::YesNo,
                                                      MsgIcon::Critical, m_prompts.mainCaption());
        if (answer != MsgAnswer::Yes)
            return true;
    }
    if (flags.testFlag(ResetFlag::ReadDefaultFile)) {
        QString name = m_switches.DefaultDataFile;
        if (!ReadDataFile(name, ReadFlag::NoDialog | ReadFlag::NoReset))
            return false;
        m_pageCopy.refreshPages();
        if (m_store.BlankNames_Replaced(m_pageCopy, m_activity, m_texts, m_log, true) && !noQuery)
            m_activity.showStatusText(message("ReadingData_Ok"));
        m_store.DataSetDefault = m_store.DataSet;
    } else {
        m_store.DataSet = m_store.DataSetDefault;
    }
    m_pageCopy.refreshPages();
    m_activity.showStatusText(message("ResetDone"));
    return true;
}

void DataFile::ReportFileError(const QString& key, const QString& description,
                               const QString& fileName) {
    m_lastFailure = m_notices.errorReport(key, description, fileName, ShowIn::Box);
}

void DataFile::ReportText(const QString& text) {
    m_lastFailure = m_notices.report(text, ShowIn::Box);
}

} // namespace zoz
