#pragma once

#include "app/Notices.h"

#include <QString>

namespace zoz {

class AppLog;
class DataStore;
class Texts;
class Activity;
class PageCopy;
class Prompts;
struct FileDialogRequest;
struct Switches;

// How ReadDataFile goes about it: with the open dialog or the name as given; whether a data set
// read replaces the reference copy of ResetDataSet (NoReset keeps it).
enum class ReadFlag { Dialog = 0x0, NoDialog = 0x1, NoReset = 0x2 };
Q_DECLARE_FLAGS(ReadFlags, ReadFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(ReadFlags)
// ResetDataSet: ask first or not; read the default data file or go back to the reference copy.
enum class ResetFlag { Ask = 0x0, NoQuery = 0x1, ReadDefaultFile = 0x2 };
Q_DECLARE_FLAGS(ResetFlags, ResetFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(ResetFlags)

// File kinds of the dialogs: data file, one configuration, a configuration group.
enum class FileKind { Data = 1, Config = 2, ConfigGroup = 3 };

// The data file (*.DAT, the 2913-byte image of the data set without header), the file dialogs of
// every file procedure and the reset of the data set to its reference copy.
class DataFile {
public:
    DataFile(DataStore& store, Switches& switches, Texts& texts, AppLog& log, Prompts& prompts,
             Activity& activity, PageCopy& pageCopy);

    // The dialogs start in the folder of the given name, or in the program folder when it names
    // none; a bare name chosen there lives in the program folder.
    // The chosen name, or "" when the user cancelled or refused to overwrite an existing file.
    QString FileSaveDialog(const QString& fileName, FileKind kind);
    // The chosen name of an existing file, or "".
    QString FileOpenDialog(const QString& fileName, FileKind kind);

    // Asks for the name and writes the data set; the name keeps its old value on cancel.
    // true when the file was written.
    bool WriteDataFile(QString& fileName);
    // true when the data set was read. A file of any length but 2913 is a version conflict and
    // changes nothing.
    bool ReadDataFile(QString& fileName, ReadFlags flags);
    // false only when the default data file could not be read (reported already): the program
    // cannot go on, and start-up ends it.
    bool ResetDataSet(ResetFlags flags);

    // The failure report of the file procedures: "  " + text of key with the system's error
    // description and the file name, to the log and in a box titled with the program name; the
    // mouse pointer back to default.
    void ReportFileError(const QString& key, const QString& description, const QString& fileName);
    // A report to the log and in an exclamation box titled with the program name.
    void ReportText(const QString& text);
    // The last failure report of the file procedures, kept until ClearFailure: how a caller
    // learns why a file was not read or written without reading the boxes.
    QString LastFailure() const { return m_lastFailure; }
    void ClearFailure() { m_lastFailure.clear(); }
    // The bilingual message box text of a version conflict; its first paragraph goes to the log.
    static QString VersionConflictGerman(const QString& fileName);
    static QString VersionConflictText(const QString& fileName);

private:
    QString message(const char* key) { return m_notices.text(QString::fromLatin1(key)); }
    // The dialog's answer placed in the program folder when it names no folder; a configuration
    // name the data set cannot hold is refused and asked again.
    QString askFileName(const FileDialogRequest& request, FileKind kind);

    DataStore& m_store;
    Switches& m_switches;
    Texts& m_texts;
    AppLog& m_log;
    Prompts& m_prompts;
    Activity& m_activity;
    PageCopy& m_pageCopy;
    Notices m_notices;
    QString m_lastFailure;
};

} // namespace zoz
