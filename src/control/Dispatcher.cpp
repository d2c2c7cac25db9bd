#include "control/Dispatcher.h"

#include "app/Activity.h"
#include "app/PageCopy.h"
#include "app/Prompts.h"
#include "app/Shutdown.h"
#include "base/CodePage.h"
#include "dataset/DataStore.h"
#include "dataset/Decoder.h"
#include "dataset/Encoder.h"
#include "dataset/HexCodec.h"
#include "files/DataFile.h"
#include "link/CommandInterpreter.h"
#include "link/ConfigTransfer.h"
#include "link/FrameTransport.h"
#include "log/AppLog.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

namespace zoz {

namespace {

QString frame(unsigned char command, const QString& payload = {}) {
    return QString(CodePage::toUnicode(command)) + payload + QLatin1Char('\r');
}

// The decimal conversion that puts a blank before a number that is not negative.
QString numberText(int n) {
    return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n);
}

} // namespace

Dispatcher::Dispatcher(Switches& switches, Texts& texts, AppLog& log, Prompts& prompts,
                       Activity& activity, PageCopy& pageCopy, DataStore& store, Encoder& encoder,
                       Decoder& decoder, DataFile& dataFile, FrameTransport& transport,
                       CommandInterpreter& interpreter, ConfigTransfer& configTransfer,
                       Shutdown& shutdown)
    : m_switches(switches), m_texts(texts), m_log(log), m_prompts(prompts), m_activity(activity),
      m_pageCopy(pageCopy), m_store(store), m_encoder(encoder), m_decoder(decoder),
      m_dataFile(dataFile), m_transport(transport), m_interpreter(interpreter),
      m_configTransfer(configTransfer), m_shutdown(shutdown),
      m_notices(switches, texts, log, prompts, activity) {}

void Dispatcher::Interpret_MenuCommand(MenuCommand command) {
    QString failure;
    switch (command) {
    case MenuCommand::FileRead:
        if (m_dataFile.ReadDataFile(m_switches.DatFileName, ReadFlag::Dialog)) {
            m_pageCopy.refreshPages();
            if (m_store.BlankNames_Replaced(m_pageCopy, m_activity, m_texts, m_log, true))
                m_activity.showStatusText(m_texts.cached(QStringLiteral("ReadingData_Ok")));
        }
        break;
    case MenuCommand::FileWrite:
        if (m_store.BlankNames_Replaced(m_pageCopy, m_activity, m_texts, m_log, true)) {
            m_pageCopy.takeOverPages();
            m_dataFile.WriteDataFile(m_switches.DatFileName);
        }
        break;
    case MenuCommand::Reset:
        m_dataFile.ResetDataSet(ResetFlag::Ask);
        break;
    case MenuCommand::CommSendData:
    case MenuCommand::SendRequested:
        failure = sendData(command == MenuCommand::CommSendData);
        break;
    case MenuCommand::CommReceiveData:
        if (!confirmed(QStringLiteral("QueryRequestData")))
            return;
        [[fallthrough]];
    case MenuCommand::ReceiveWithoutQuestion:
        exchange(frame(0x84, QStringLiteral("20")), QStringLiteral("TransmitData_Request"),
                 QStringLiteral("85"));
        break;
    case MenuCommand::CommRestart:
        if (!confirmed(QStringLiteral("QuerySendDataReset")))
            return;
        exchange(frame(0x87), QStringLiteral("TransmitData_SendReset"), QStringLiteral("88"));
        break;
    case MenuCommand::CommGetInfo:
        exchange(frame(0x82), QStringLiteral("TransmitData_GetVersionInfo"), QStringLiteral("83"));
        break;
    case MenuCommand::CommCheck:
        exchange(frame(0x80), QStringLiteral("TransmitData_OnlineTest"), QStringLiteral("81"));
        break;
    case MenuCommand::ShowProtocol:
        emit protocolRequested();
        break;
    case MenuCommand::ShowAbout:
        emit aboutRequested();
        break;
    case MenuCommand::EndProgram:
        m_shutdown.QueryEndProg(true);
        break;
    case MenuCommand::SendVersionNumber:
        failure = sendVersionNumber();
        break;
    }
    if (!failure.isEmpty())
        errorReport(failure);
}

void Dispatcher::Interpret_MenuCommand(int number) {
    if (const std::optional<MenuCommand> command = MenuCommandOf(number)) {
        Interpret_MenuCommand(*command);
        return;
    }
    QString unknown = m_texts.cached(QStringLiteral("Comm_Command_Unknown"));
    ReplaceParams(unknown, numberText(number));
    errorReport(QStringLiteral("  ") + unknown);
}

bool Dispatcher::confirmed(const QString& key) {
    return m_prompts.messageBox(m_texts.cached(key), MsgButtons::YesNo, MsgIcon::Critical,
                                m_prompts.mainCaption()) == MsgAnswer::Yes;
}

void Dispatcher::exchange(const QString& frameText, const QString& infoKey,
                          const QString& answerCode) {
    const QString infoText = m_texts.cached(infoKey);
    if (!m_transport.TransmitData(frameText, infoText))
        return;
    QString waiting = m_texts.cached(QStringLiteral("Comm_Waiting_For_Answer"));
    ReplaceParams(waiting, infoText);
    m_transport.WaitForResponse(answerCode, waiting);
}

QString Dispatcher::sendData(bool ask) {
    // No keeps the controller's request for a later send.
    if (ask && !confirmed(QStringLiteral("QuerySendData")))
        return {};
    QString failure;
    const QString block = m_interpreter.RequestedBlock;
    if (!block.isEmpty() && block != QLatin1String("20")) {
        failure = m_configTransfer.SendConfiguration(BlockCodeToIndex(block));
    } else if (m_store.BlankNames_Replaced(m_pageCopy, m_activity, m_texts, m_log, true)) {
        m_pageCopy.takeOverPages();
        failure = sendDataSetBlock(m_store.DataSet);
    }
    // Also cleared when nothing was sent; a failure ends the command before this.
    if (failure.isEmpty())
        m_interpreter.RequestedBlock.clear();
    return failure;
}

// The encoder reads the store: it holds the set to send while encoding, and the editor's set
// again before the exchange waits.
QString Dispatcher::sendDataSetBlock(const DataSet& set) {
    const DataSet editor = m_store.DataSet;
    m_store.DataSet = set;
    QString frameText;
    const QString failure = m_encoder.Preparing_DataExchange(frameText, QStringLiteral("20"));
    m_store.DataSet = editor;
    if (!failure.isEmpty())
        return failure;
    m_interpreter.LastSentChecksum = CalcChecksum(frameText.mid(1, frameText.size() - 2));
    emit dataSetSending(m_interpreter.LastSentChecksum, set);
    exchange(frameText, QStringLiteral("TransmitData_Send"), QStringLiteral("86"));
    return {};
}

void Dispatcher::SendDataSet(const DataSet& set) {
    if (!confirmed(QStringLiteral("QuerySendData")))
        return;
    const QString failure = sendDataSetBlock(set);
    if (!failure.isEmpty())
        errorReport(failure);
    // A data set the controller asked for has gone out; a configuration it asked for has not.
    else if (m_interpreter.RequestedBlock == QLatin1String("20"))
        m_interpreter.RequestedBlock.clear();
}

QString Dispatcher::sendVersionNumber() {
    m_pageCopy.takeOverPages();
    if (m_store.QPLVersion.text().trimmed().isEmpty()) {
        m_prompts.messageBox(QStringLiteral("Keine QPL Versionsnummer angegeben..."),
                             MsgButtons::Ok, MsgIcon::Critical, m_prompts.mainCaption());
        return {};
    }
    if (m_transport.TransmitData(frame(0x89, StrToHex(m_store.QPLVersion.text()))))
        m_activity.showStatusText(QStringLiteral("  QPL Versionsnummer übertragen"));
    return {};
}

void Dispatcher::errorReport(const QString& detail) {
    m_notices.errorReport(QStringLiteral("Interpret_MenuCommand_Err"), detail, {}, ShowIn::LogOnly);
}

void Dispatcher::TestButton() {
    m_pageCopy.takeOverPages();
    QString frameText;
    const QString failure = m_encoder.Preparing_DataExchange(frameText, QStringLiteral("20"));
    if (!failure.isEmpty()) {
        errorReport(failure);
        return;
    }
    m_prompts.messageBox(QStringLiteral("Erstellt"), MsgButtons::Ok, MsgIcon::None, QString());
    QString payload = frameText.mid(1, frameText.size() - 2);
    m_decoder.Interpret_HexData(payload);
}

QPoint Dispatcher::ProtocolWindowPosition(const QRect& main, const QSize& proto,
                                          const QSize& screen) {
    int top = main.top() + (main.height() - proto.height()) / 2;
    if (top < 1)
        top = 1;
    if (top + proto.height() > screen.height())
        top = screen.height() - proto.height();
    int left = main.left() + (main.width() - proto.width()) / 2;
    if (left < 1)
        left = 1;
    if (left + proto.width() > screen.width())
        left = screen.width() - proto.width();
    return QPoint(left, top);
}

} // namespace zoz
