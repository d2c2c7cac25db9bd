#include "app/ConsoleUserInterface.h"

#include <QCoreApplication>

namespace zoz {

void ConsoleUserInterface::emitLine(const QString& text) {
    // One line per message: line breaks inside a box text become blanks.
    QString line = text.trimmed();
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    if (m_sink && !line.isEmpty())
        m_sink(line);
}

void ConsoleUserInterface::showStatusText(const QString& text) {
    if (showStatus)
        emitLine(text);
}

MsgAnswer ConsoleUserInterface::messageBox(const QString& text, MsgButtons buttons, MsgIcon,
                                           const QString&) {
    boxes.append(text);
    emitLine(text);
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::OkCancel:
        return questionAnswer == MsgAnswer::Yes || questionAnswer == MsgAnswer::Ok
                   ? MsgAnswer::Ok
                   : MsgAnswer::Cancel;
    case MsgButtons::YesNo:
        return questionAnswer == MsgAnswer::Yes || questionAnswer == MsgAnswer::Ok ? MsgAnswer::Yes
                                                                                   : MsgAnswer::No;
    case MsgButtons::YesNoCancel:
        return questionAnswer == MsgAnswer::Ok ? MsgAnswer::Yes : questionAnswer;
    }
    return MsgAnswer::Cancel;
}

void ConsoleUserInterface::processEvents() {
    QCoreApplication::processEvents();
}

QString ConsoleUserInterface::fileDialog(const FileDialogRequest&) {
    return fileName;
}

} // namespace zoz
