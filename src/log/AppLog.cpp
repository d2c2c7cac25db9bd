#include "log/AppLog.h"

#include "base/CodePage.h"

#include <QDir>
#include <QFile>
#include <QLocale>

namespace zoz {

namespace {

const QString kDate = QStringLiteral("$DATE$");
const QString kCrLf = QStringLiteral("\r\n");
constexpr int kProtoLimit = 20480;
constexpr int kRed = 255;

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

int lastSeparator(const QString& path) {
    for (int i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path[i]))
            return i;
    }
    return -1;
}

// "YYYY-MM-DD" as the number YYYYMMDD; -1 when the text is not a date of that form.
int dateNumber(const QString& text) {
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return -1;
    const QString digits = text.left(4) + text.mid(5, 2) + text.mid(8, 2);
    bool ok = false;
    const int number = digits.toInt(&ok);
    for (QChar c : digits) {
        if (!c.isDigit())
            return -1;
    }
    return ok ? number : -1;
}

} // namespace

AppLog::AppLog(QString programFolder, QString programName, Clock clock)
    : m_programFolder(std::move(programFolder)), m_programName(std::move(programName)),
      m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); })) {}

void AppLog::OpenLog(const std::optional<QString>& fileName, ProtoSink* textControl,
                     const std::optional<int>& maxLogFileAge,
                     const std::optional<bool>& toFileDisabled,
                     const std::optional<bool>& toScreenDisabled,
                     const std::optional<QString>& errorText) {
    if (fileName)
        setFileName(*fileName);
    if (textControl)
        m_textControl = textControl;
    if (toFileDisabled)
        m_toFileDisabled = *toFileDisabled;
    if (toScreenDisabled)
        m_toScreenDisabled = *toScreenDisabled;
    if (errorText)
        m_errorText = *errorText;
    WriteLog(QStringLiteral("*"));
    if (maxLogFileAge)
        setMaxLogFileAge(*maxLogFileAge);
}

void AppLog::CloseLog() {
    if (m_maxLogFileAge > 0)
        DeleteOldLogs();
    WriteLog(QString());
}

void AppLog::setFileName(const QString& name) {
    m_fileName = name;
    if (m_fileName.isEmpty())
        m_fileName =
            m_programFolder + QLatin1Char('/') + m_programName + QStringLiteral("-$DATE$.Log");
    if (!isSeparator(m_fileName.front()) && !m_fileName.contains(QLatin1Char(':')))
        m_fileName = m_programFolder + QLatin1Char('/') + m_fileName;
    m_fileNameTemplate = m_fileName;
    const int at = m_fileName.indexOf(kDate, 0, Qt::CaseInsensitive);
    if (at >= 0)
        m_fileName.replace(at, kDate.size(),
                           m_clock().date().toString(QStringLiteral("yyyy-MM-dd")));
}

QString AppLog::stamp() const {
    const QDateTime now = m_clock();
    const QString day = QLocale::system().dayName(now.date().dayOfWeek(), QLocale::ShortFormat);
    return day + QStringLiteral("  ") + now.toString(QStringLiteral("dd.MM.yyyy  HH:mm:ss "));
}

void AppLog::WriteLog(const QString& txt, LogTargets to, int color) {
    QString copy = txt;
    WriteLog(copy, to, color);
}

void AppLog::WriteLog(QString& txt, LogTargets to, int color) {
    const bool toLog = to.testFlag(LogTo::File) && !m_toFileDisabled;
    const bool toScreen = to.testFlag(LogTo::Screen) && !m_toScreenDisabled;
    const QString now = stamp();

    if (!toLog) {
        if (txt.size() >= 2 && toScreen)
            WriteProto(now + QStringLiteral("  ") + txt, color);
        return;
    }

    // The step numbers name the operation that failed in the error text.
    int step = 1;
    QFile file(m_fileName);
    const auto write = [&file](const QString& line) {
        const QByteArray bytes = CodePage::fromUnicode(line);
        return file.write(bytes) == bytes.size();
    };
    bool ok = !m_fileName.isEmpty();
    if (ok) {
        step = 2;
        ok = file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }
    if (ok && txt.size() == 1) {
        step = 3;
        ok = write(now + QStringLiteral("***** Start *****") + kCrLf);
    } else if (ok && txt.size() >= 2) {
        if (txt.endsWith(QLatin1Char('\r')))
            txt += QLatin1Char('\n');
        step = 4;
        ok = write(now + QStringLiteral(">  ") + txt + kCrLf);
        if (ok && toScreen)
            WriteProto(now + QStringLiteral("  ") + txt, color);
    } else if (ok) {
        step = 5;
        ok = write(now + QStringLiteral("***** End   *****") + kCrLf);
        if (ok) {
            step = 6;
            ok = write(kCrLf + kCrLf);
        }
    }
    if (ok) {
        step = 7;
        file.close();
        ok = file.error() == QFileDevice::NoError;
    }
    if (ok)
        return;

    // The first "&" takes the step, every further one the system's description.
    const QString reason = file.errorString();
    txt = m_errorText;
    const int first = txt.indexOf(QLatin1Char('&'));
    if (first >= 0) {
        const QString number = QString::number(step);
        txt.replace(first, 1, number);
        const int rest = first + number.size();
        txt = txt.left(rest) + QString(txt.mid(rest)).replace(QLatin1Char('&'), reason);
    }
    WriteProto(txt, kRed);
}

void AppLog::WriteProto(const QString& txt, int color) {
    if (m_toScreenDisabled || !m_textControl)
        return;
    ProtoSink& box = *m_textControl;
    const QString cur = box.text();

    // The new line is " " + txt + CR LF; the oldest whole lines go until the box stays below the
    // limit. A line ends with CR LF, so the cut always lands after one.
    int drop = 0;
    const int excess = cur.size() + txt.size() + 3 - (kProtoLimit - 1);
    if (excess > 0) {
        drop = cur.size();
        for (int at = cur.indexOf(kCrLf); at >= 0; at = cur.indexOf(kCrLf, at + 2)) {
            if (at + 2 >= excess) {
                drop = at + 2;
                break;
            }
        }
    }

    if (box.isPlainText()) {
        box.setText(cur.mid(drop) + QLatin1Char(' ') + txt + kCrLf);
    } else {
        if (drop > 0)
            box.removeLeading(drop);
        AppendColoredText(txt + kCrLf, color);
    }
    box.scrollToEnd();
}

void AppLog::AppendColoredText(const QString& txt, int color) {
    m_textControl->appendColored(txt, color);
}

void AppLog::DeleteOldLogs() {
    const int d = m_fileNameTemplate.indexOf(kDate, 0, Qt::CaseInsensitive);
    if (m_toFileDisabled || d < 0)
        return;
    const int cutoff = dateNumber(
        m_clock().date().addDays(-m_maxLogFileAge).toString(QStringLiteral("yyyy-MM-dd")));

    const int slash = lastSeparator(m_fileNameTemplate);
    const QString folder = m_fileNameTemplate.left(slash + 1);
    QString pattern = m_fileNameTemplate.mid(slash + 1);
    pattern.replace(pattern.indexOf(kDate, 0, Qt::CaseInsensitive), kDate.size(),
                    QStringLiteral("*"));

    QStringList old;
    const QStringList found =
        QDir(folder.isEmpty() ? QStringLiteral(".") : folder).entryList({pattern}, QDir::Files);
    for (const QString& name : found) {
        const int number = dateNumber((folder + name).mid(d, 10));
        if (number >= 0 && number <= cutoff)
            old.append(name);
    }
    if (old.isEmpty())
        return;
    WriteLog(QStringLiteral("Logs älter als ") + QString::number(m_maxLogFileAge) +
             QStringLiteral(" Tage gelöscht (") + QString::number(old.size()) + QLatin1Char(')'));
    for (const QString& name : old)
        QFile::remove(folder + name);
}

} // namespace zoz
