#pragma once

#include "log/ProtoSink.h"

#include <QDateTime>
#include <QFlags>
#include <QString>
#include <functional>
#include <optional>

namespace zoz {

// Where a log line goes: the daily file, the protocol text box.
enum class LogTo { File = 0x1, Screen = 0x2 };
Q_DECLARE_FLAGS(LogTargets, LogTo)
Q_DECLARE_OPERATORS_FOR_FLAGS(LogTargets)

// The daily log file and the protocol text box. Depends on nothing else in the program.
class AppLog {
public:
    using Clock = std::function<QDateTime()>;

    // programFolder and programName place relative and empty file names; clock is the local time.
    AppLog(QString programFolder, QString programName, Clock clock = {});

    void OpenLog(const std::optional<QString>& fileName = std::nullopt,
                 ProtoSink* textControl = nullptr,
                 const std::optional<int>& maxLogFileAge = std::nullopt,
                 const std::optional<bool>& toFileDisabled = std::nullopt,
                 const std::optional<bool>& toScreenDisabled = std::nullopt,
                 const std::optional<QString>& errorText = std::nullopt);
    void CloseLog();
    // A text ending in CR gets LF appended (the caller's text changes).
    void WriteLog(QString& txt, LogTargets to = LogTo::File | LogTo::Screen, int color = 0);
    void WriteLog(const QString& txt, LogTargets to = LogTo::File | LogTo::Screen, int color = 0);
    void WriteProto(const QString& txt, int color = 0);

    void setTextControl(ProtoSink* control) { m_textControl = control; }
    ProtoSink* textControl() const { return m_textControl; }
    void setFileName(const QString& name);
    const QString& fileName() const { return m_fileName; }
    const QString& fileNameTemplate() const { return m_fileNameTemplate; }
    const QString& errorText() const { return m_errorText; }
    void setErrorText(const QString& text) { m_errorText = text; }
    void setMaxLogFileAge(int days) { m_maxLogFileAge = static_cast<qint16>(days); }
    int maxLogFileAge() const { return m_maxLogFileAge; }
    void setToFileDisabled(bool disabled) { m_toFileDisabled = disabled; }
    bool toFileDisabled() const { return m_toFileDisabled; }
    void setToScreenDisabled(bool disabled) { m_toScreenDisabled = disabled; }
    bool toScreenDisabled() const { return m_toScreenDisabled; }

    // "DDD  DD.MM.YYYY  HH:MM:SS " with the system language's abbreviated weekday.
    QString stamp() const;

private:
    void DeleteOldLogs();
    void AppendColoredText(const QString& txt, int color);

    QString m_programFolder;
    QString m_programName;
    Clock m_clock;
    QString m_fileName;
    QString m_fileNameTemplate;
    ProtoSink* m_textControl = nullptr;
    qint16 m_maxLogFileAge = 90;
    bool m_toFileDisabled = false;
    bool m_toScreenDisabled = false;
    QString m_errorText = QStringLiteral("Fehler & beim Schreiben des Logs (&)");
};

} // namespace zoz
