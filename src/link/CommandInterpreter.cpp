#include "link/CommandInterpreter.h"

#include "app/PageCopy.h"
#include "base/CodePage.h"
#include "dataset/DataStore.h"
#include "dataset/HexCodec.h"
#include "link/FrameTransport.h"
#include "link/LinkReporter.h"
#include "settings/Switches.h"

#include <exception>

namespace zoz {

namespace {
constexpr int kMajor = ZOZ_VERSION_MAJOR;
constexpr int kStatusTexts = 6;
constexpr int kStatusWidth = 32;

QByteArray frameOf(quint8 code, const QString& payload = {}) {
    return char(code) + CodePage::fromUnicode(payload) + '\r';
}

QString fixedWidth(const QString& text, int width) {
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}
} // namespace

CommandInterpreter::CommandInterpreter(FrameTransport& transport, LinkReporter& reporter,
                                       DataStore& store, PageCopy& pageCopy, QObject* parent)
    : QObject(parent), m_transport(transport), m_reporter(reporter), m_store(store),
      m_pageCopy(pageCopy) {}

LinkOutcome CommandInterpreter::InterpretCommand(const QString& code, const QByteArray& frame) {
    const QString payload = CodePage::toUnicode(frame.mid(1, qMax(0, int(frame.size()) - 2)));
    QString failure;
    LinkOutcome outcome;
    try {
        failure = interpret(code, payload, outcome);
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    if (!failure.isEmpty())
        m_reporter.errorReport(QStringLiteral("Comm_InterpretCommand_Err"), failure, {},
                               ShowIn::LogOnly);
    LastAnswer = outcome;
    return outcome;
}

// A box with the information icon when ShowMsgBox is on; the status bar as well or instead.
void CommandInterpreter::infoBox(const QString& text, bool thenStatus) {
    const bool boxShown = m_reporter.showMsgBox();
    m_reporter.box(text, MsgIcon::Information);
    if (thenStatus || !boxShown)
        m_reporter.status(text);
}

QString CommandInterpreter::interpret(const QString& code, const QString& payload,
                                      LinkOutcome& outcome) {
    if (code == QLatin1String("80")) {
        if ((outcome = m_transport.TransmitData(frameOf(0x81))))
            m_reporter.status(m_reporter.line(QStringLiteral("Comm_OnlineTest_Request_Info")));
    } else if (code == QLatin1String("81")) {
        infoBox(m_reporter.line(QStringLiteral("Comm_OnlineTest_Info")), true);
    } else if (code == QLatin1String("82")) {
        if ((outcome = m_transport.TransmitData(BuildVersionInfo())))
            m_reporter.status(m_reporter.line(QStringLiteral("Comm_VersionInfo_Sent")));
    } else if (code == QLatin1String("83")) {
        m_pageCopy.takeOverPages();
        const QString failure = ReadVersionInfo(payload);
        if (!failure.isEmpty())
            return failure;
        m_reporter.status(QString());
        const QString version = TrimBlanks(m_store.StatusText[3].text()).toUpper();
        if (!version.contains(QStringLiteral("V%1.").arg(kMajor))) {
            const QString crlf = QStringLiteral("\r\n");
            m_reporter.prompts().messageBox(
                QStringLiteral("Bitte benutzen Sie die PC-Software-Version 'V3'...") + crlf +
                    QStringLiteral("Danke!") + crlf + crlf +
                    QStringLiteral("Please use the pc software version 'V3'...") + crlf +
                    QStringLiteral("Thank you!"),
                MsgButtons::Ok, MsgIcon::Critical, m_reporter.prompts().mainCaption());
            emit endRequested();
            return {};
        }
        infoBox(m_reporter.line(QStringLiteral("Comm_VersionInfo_Received")), false);
    } else if (code == QLatin1String("89")) {
        m_pageCopy.takeOverPages();
        m_store.QPLVersion = HexToStr(payload);
        m_pageCopy.refreshPages();
        m_reporter.status(QString());
        infoBox(QStringLiteral("  QPL Versionsnummer empfangen"), false);
    } else if (code == QLatin1String("84")) {
        RequestedBlock = payload;
        emit sendDataRequested(SendDataDelayMs);
    } else if (code == QLatin1String("85")) {
        const qint32 sum = CalcChecksum(payload);
        if ((outcome = m_transport.TransmitData(frameOf(0x86, StrToHex(QString::number(sum)))))) {
            emit hexDataReceived(payload);
            if (ByteToHex(HexToByte(payload.left(2))) == QLatin1String("20"))
                emit dataSetReceived();
            const QString t = m_reporter.line(QStringLiteral("Comm_Data_Received"));
            m_reporter.box(t, MsgIcon::Information);
            m_reporter.statusAndLog(t);
        }
    } else if (code == QLatin1String("86")) {
        bool ok = false;
        const qint64 theirs = HexToStr(payload).trimmed().toLongLong(&ok);
        if (!ok)
            return QStringLiteral("Type mismatch: \"%1\" is no checksum").arg(payload);
        if (theirs == LastSentChecksum) {
            emit sendConfirmed(LastSentChecksum);
            outcome = LinkOutcome::done(QStringLiteral("Comm_Data_Sent"));
        } else {
            outcome =
                LinkOutcome::failed(LinkOutcome::ChecksumMismatch,
                                    QStringLiteral("Comm_Checksum_Err"), QString::number(theirs));
        }
        m_reporter.report(outcome);
    } else if (code == QLatin1String("87")) {
        emit resetRequested();
        if ((outcome = m_transport.TransmitData(frameOf(0x88))))
            m_reporter.status(m_reporter.line(QStringLiteral("Comm_Reset_ByRequest")));
    } else if (code == QLatin1String("88")) {
        infoBox(m_reporter.line(QStringLiteral("Comm_Reset_Done")), true);
    }
    return {};
}

QByteArray CommandInterpreter::BuildVersionInfo() {
    m_pageCopy.takeOverPages();
    QString payload;
    for (int i = 1; i <= kStatusTexts; ++i) {
        QString t = m_store.StatusText[i].text();
        if (TrimBlanks(t).isEmpty())
            t = QStringLiteral("TextStatus(%1)").arg(i);
        if (i == 3)
            t = QStringLiteral("QPL SW V%1.123 by R&N").arg(kMajor);
        payload += ByteToHex(kStatusWidth) + StrToHex(fixedWidth(t, kStatusWidth));
    }
    return frameOf(0x83, payload);
}

QString CommandInterpreter::ReadVersionInfo(const QString& payload) {
    for (int i = 1; i <= kStatusTexts; ++i)
        m_store.StatusText[i] = QString();
    int pos = 0;
    int entry = 0;
    while (pos < payload.size()) {
        ++entry;
        if (entry > kStatusTexts)
            return QStringLiteral("Subscript out of range: status text %1").arg(entry);
        const int length = HexToByte(payload.mid(pos, 2));
        pos += 2;
        QString text;
        bool complete = true;
        for (int k = 0; k < length; ++k) {
            if (pos >= payload.size()) {
                complete = false;
                break;
            }
            text += CodePage::toUnicode(HexToByte(payload.mid(pos, 2)));
            pos += 2;
        }
        if (!complete)
            break;
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        m_store.StatusText[entry] = text;
    }
    m_pageCopy.refreshPages();
    return {};
}

} // namespace zoz
